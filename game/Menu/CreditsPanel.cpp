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
// Space between two blocks of the credits.
constexpr int32_t kBlockGap = 22;

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

int32_t cCreditsPanel::GetTotalHeight() const
{
    const cSprite* sprite = GetSprite(m_credits);
    if (!sprite || sprite->GetFrameCount() == 0)
        return kTotalHeight;
    int32_t height = -kBlockGap;
    for (int32_t frame = 0; frame < sprite->GetFrameCount(); ++frame)
        height += sprite->GetFrame(frame).height + kBlockGap;
    return height;
}

void cCreditsPanel::Update(float dt)
{
    cWidget::Update(dt);
    m_position -= kScrollSpeed * dt;
    if (static_cast<int32_t>(m_position) < kTextArea.y - GetTotalHeight())
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
            // The blocks one below the other, each centred at x = 400 with its
            // top at its place, whatever the frame's hot spot.
            int32_t blockTop = top + static_cast<int32_t>(m_position);
            for (int32_t frame = 0; frame < sprite->GetFrameCount(); ++frame)
            {
                const cSpriteFrame& f = sprite->GetFrame(frame);
                if (blockTop < top + kTextArea.y + kTextArea.height &&
                    blockTop + f.height > top + kTextArea.y)
                    sprite->DrawFrame(left + 400 - f.width / 2 + f.hotSpotX, blockTop + f.hotSpotY,
                                      frame, 255);
                blockTop += f.height + kBlockGap;
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
