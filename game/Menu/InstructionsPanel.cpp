#include "game/Menu/InstructionsPanel.h"

#include "engine/Display/Image.h"
#include "engine/Display/ImageResource.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/Menu/MenuResources.h"
#include "game/Menu/PanelButton.h"
#include "game/SoundPlayer.h"

#include <cmath>
#include <cstdio>
#include <numbers>

using namespace Korva;

namespace
{
// The pages show through this part of the panel.
const cRect kPageArea(50, 0, 700, 360);
// Pages are drawn from x = 70 in that area: none is wider than this.
constexpr int32_t kMaxPageWidth = 680;
} // namespace

cInstructionsPanel::cInstructionsPanel(cGUI& gui, cMenuPanelHost& host) : cWidget(gui), m_host(host)
{
    SetSize(cPoint(800, 400));
    SetBackgroundColor(cColor(0, 0, 0, 128));
    SetBorder(false);
    char alias[48];
    for (int i = 1;; ++i)
    {
        std::snprintf(alias, sizeof(alias), "ImgInstructionsPage%d", i);
        cImageResource* page = FindImageResource(alias);
        if (!page)
            break;
        m_pages.push_back(page);
    }
    m_back = MakePanelButton(*this, cRect(360, 350, 80, 28), "SprInstructionsPanels", 0, this);
    m_previous = MakePanelButton(*this, cRect(70, 350, 160, 28), "SprInstructionsPanels", 3, this);
    m_next = MakePanelButton(*this, cRect(570, 350, 160, 28), "SprInstructionsPanels", 6, this);
}

cInstructionsPanel::~cInstructionsPanel()
{
    OnLeave();
    RemoveAllChildren();
}

int32_t cInstructionsPanel::Wrap(int32_t page) const
{
    const int32_t n = GetPageCount();
    return n > 0 ? ((page % n) + n) % n : 0;
}

void cInstructionsPanel::OnEnter()
{
    if (!m_entered)
        if (cInputDevice* input = m_gui.GetInputDevice())
            input->AddListener(this);
    m_entered = true;
    m_page = 0;
    m_target = 0.0f;
    m_phase = 0.0f;
    m_offset = 0.0f;
    ShowPageHint();
}

void cInstructionsPanel::OnLeave()
{
    if (!m_entered)
        return;
    m_entered = false;
    if (cInputDevice* input = m_gui.GetInputDevice())
        input->RemoveListener(this);
    for (cImageResource* page : m_pages)
        page->Unload();
    m_host.HideHint(this);
}

void cInstructionsPanel::ShowPageHint()
{
    // Without any page there is nothing to count.
    if (m_pages.empty())
        return;
    std::snprintf(m_hint, sizeof(m_hint), "Page %d of %d", m_page + 1, GetPageCount());
    m_host.ShowHint(m_hint, this);
}

bool cInstructionsPanel::OnMouseWheel(const cMouseEvent& event)
{
    if (event.GetWheelY() < 0.0f)
        NextPage();
    else if (event.GetWheelY() > 0.0f)
        PreviousPage();
    return true;
}

void cInstructionsPanel::NextPage()
{
    if (m_phase == 0.0f && !m_pages.empty())
    {
        m_page = Wrap(m_page + 1);
        m_target = 800.0f;
        m_phase = std::numbers::pi_v<float>;
        m_offset = m_target;
    }
    ShowPageHint();
}

void cInstructionsPanel::PreviousPage()
{
    if (m_phase == 0.0f && !m_pages.empty())
    {
        m_page = Wrap(m_page - 1);
        m_target = -800.0f;
        m_phase = std::numbers::pi_v<float>;
        m_offset = m_target;
    }
    ShowPageHint();
}

void cInstructionsPanel::ReleaseOtherPages()
{
    for (int32_t i = 0; i < GetPageCount(); ++i)
        if (i != m_page)
            m_pages[static_cast<size_t>(i)]->Unload();
}

void cInstructionsPanel::Update(float dt)
{
    cWidget::Update(dt);
    if (m_phase <= 0.0f)
        return;
    m_phase = std::max(0.0f, m_phase - kSlideSpeed * dt);
    m_offset = (1.0f - std::cos(m_phase)) * m_target / 2.0f;
    if (m_phase == 0.0f)
        ReleaseOtherPages();
}

void cInstructionsPanel::DrawPage(int32_t page, int32_t x, int32_t y, const cRect& clip)
{
    cImage* image = m_pages[static_cast<size_t>(page)]->GetImage();
    if (!image)
        return;
    const cRect dest(x, y, image->GetWidth(), image->GetHeight());
    // A page wholly outside the view is not even loaded.
    if (dest.Intersect(clip).IsEmpty())
        return;
    image->DrawImage(dest, cRect(0, 0, dest.width, dest.height), 255);
}

void cInstructionsPanel::Draw(int x, int y, bool drawChildren)
{
    cWidget::Draw(x, y, false);
    cRenderDevice* device = m_gui.GetRenderDevice();
    if (device && !m_pages.empty())
    {
        const int32_t left = x + GetPosition().x;
        const int32_t top = y + GetPosition().y;
        const cRect clip(left + kPageArea.x, top + kPageArea.y, kPageArea.width, kPageArea.height);
        const bool wasClipping = device->IsClipEnabled();
        device->PushClip();
        device->SetClip(clip);
        const int32_t offset = static_cast<int32_t>(m_offset);
        // Only pages that can be seen are asked for their image, so at rest
        // only the current page is loaded.
        const auto visible = [&](int32_t px)
        { return px < clip.x + clip.width && px + kMaxPageWidth > clip.x; };
        if (visible(left + 70 + offset - 800))
            DrawPage(Wrap(m_page - 1), left + 70 + offset - 800, top + 20, clip);
        if (visible(left + 70 + offset))
            DrawPage(m_page, left + 70 + offset, top + 20, clip);
        if (visible(left + 870 + offset))
            DrawPage(Wrap(m_page + 1), left + 870 + offset, top + 20, clip);
        device->PopClip();
        if (!wasClipping)
            device->ResetClip();
    }
    if (drawChildren)
        DrawChildren(x, y);
}

void cInstructionsPanel::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    if (button == m_back.get())
        m_host.RequestBackToButtons();
    else if (button == m_previous.get())
        PreviousPage();
    else if (button == m_next.get())
        NextPage();
}

void cInstructionsPanel::OnInputEvent(const cInputEvent& event)
{
    if (event.GetClass() != kInputClassKeyboard)
        return;
    const cKeyboardEvent& key = AsKeyboardEvent(event);
    if (key.GetKind() == kKeyPressed && key.GetKey() == kKeyEscape)
    {
        cSoundPlayer::Get().PlaySound(kSndButtonPressed);
        m_host.RequestBackToButtons();
    }
}
