#include "game/Menu/CreditsPanel.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/Menu/MenuResources.h"
#include "game/Menu/PanelButton.h"
#include "game/SoundPlayer.h"

#include <cmath>

using namespace Korva;

namespace
{
struct CreditLine
{
    int32_t offset;
    int32_t frame;
};

// Title, tools, libraries and font with their licences, top to bottom.
constexpr CreditLine kLines[] = {{0, 0},    {50, 1},   {70, 8},  {120, 2},  {140, 9}, {190, 3},
                                 {210, 9},  {230, 10}, {280, 4}, {300, 10}, {350, 5}, {370, 11},
                                 {390, 12}, {410, 13}, {460, 6}, {480, 7}};

const cRect kBox(130, 0, 540, 360);
const cRect kTextArea(150, 20, 500, 310);
} // namespace

cCreditsPanel::cCreditsPanel(cGUI& gui, cMenuPanelHost& host)
    : cWidget(gui), m_host(host), m_credits(FindSpriteResource("SprCredits"))
{
    SetSize(cPoint(800, 400));
    SetBackgroundFill(false);
    SetBorder(false);
    m_back = MakePanelButton(*this, cRect(360, 350, 80, 28), "SprInstructionsPanels", 0, this);
}

cCreditsPanel::~cCreditsPanel()
{
    OnLeave();
    RemoveAllChildren();
}

void cCreditsPanel::OnEnter()
{
    if (!m_entered)
        if (cInputDevice* input = m_gui.GetInputDevice())
            input->AddListener(this);
    m_entered = true;
    m_position = kRestartPosition;
}

void cCreditsPanel::OnLeave()
{
    if (!m_entered)
        return;
    m_entered = false;
    if (cInputDevice* input = m_gui.GetInputDevice())
        input->RemoveListener(this);
}

void cCreditsPanel::Update(float dt)
{
    cWidget::Update(dt);
    m_position -= kScrollSpeed * dt;
    if (static_cast<int32_t>(m_position) < kTextArea.y - kTotalHeight)
        m_position = kRestartPosition;
}

void cCreditsPanel::Draw(int x, int y, bool drawChildren)
{
    cWidget::Draw(x, y, false);
    cRenderDevice* device = m_gui.GetRenderDevice();
    if (device)
    {
        const int32_t left = x + GetPosition().x;
        const int32_t top = y + GetPosition().y;
        device->FillRect(cRect(left + kBox.x, top + kBox.y, kBox.width, kBox.height),
                         cColor(0, 0, 0, 160));
        const cSprite* sprite = GetSprite(m_credits);
        if (sprite)
        {
            const bool wasClipping = device->IsClipEnabled();
            device->PushClip();
            device->SetClip(
                cRect(left + kTextArea.x, top + kTextArea.y, kTextArea.width, kTextArea.height));
            const int32_t scroll = static_cast<int32_t>(m_position);
            for (const CreditLine& line : kLines)
            {
                if (line.frame >= sprite->GetFrameCount())
                    continue;
                // Centred at x = 400 with its top at the line's place,
                // whatever the frame's hot spot.
                const cSpriteFrame& f = sprite->GetFrame(line.frame);
                sprite->DrawFrame(left + 400 - f.width / 2 + f.hotSpotX,
                                  top + scroll + line.offset + f.hotSpotY, line.frame, 255);
            }
            device->PopClip();
            if (!wasClipping)
                device->ResetClip();
        }
    }
    if (drawChildren)
        DrawChildren(x, y);
}

void cCreditsPanel::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    if (button == m_back.get())
        m_host.RequestOptionsPanel();
}

void cCreditsPanel::OnInputEvent(const cInputEvent& event)
{
    if (event.GetClass() != kInputClassKeyboard)
        return;
    const cKeyboardEvent& key = AsKeyboardEvent(event);
    if (key.GetKind() == kKeyPressed && key.GetKey() == kKeyEscape)
    {
        cSoundPlayer::Get().PlaySound(kSndButtonPressed);
        m_host.RequestOptionsPanel();
    }
}
