#include "engine/Gui/ScrollPanel.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Gui/GUI.h"

#include <algorithm>

namespace Korva
{

cScrollPanel::cScrollPanel(cGUI& gui, const cPoint& size, bool horizontal, bool vertical)
    : cWidget(gui)
{
    // The panel scrolls by pixels for the wheel over its bars too.
    if (horizontal)
    {
        m_horizontal = std::make_unique<cScrollbar>(gui, false);
        m_horizontal->AddListener(static_cast<cScrollbarListener*>(this));
        m_horizontal->SetWheelStep(0.0f);
    }
    if (vertical)
    {
        m_vertical = std::make_unique<cScrollbar>(gui, true);
        m_vertical->AddListener(static_cast<cScrollbarListener*>(this));
        m_vertical->SetWheelStep(0.0f);
    }
    SetSize(size);
    m_content = m_view;
    if (m_horizontal)
        AddChild(m_horizontal->GetPosition(), m_horizontal.get());
    if (m_vertical)
        AddChild(m_vertical->GetPosition(), m_vertical.get());
}

cScrollPanel::~cScrollPanel()
{
    RemoveAllChildren();
}

void cScrollPanel::SetSize(const cPoint& size)
{
    cWidget::SetSize(size);
    Layout();
}

void cScrollPanel::Layout()
{
    const int32_t t = kScrollbarThickness;
    m_view = cPoint(GetWidth() - (m_vertical ? t : 0), GetHeight() - (m_horizontal ? t : 0));
    if (m_horizontal)
        m_horizontal->SetRect(cRect(0, GetHeight() - t, m_view.x, t));
    if (m_vertical)
        m_vertical->SetRect(cRect(GetWidth() - t, 0, t, m_view.y));
    if (m_content.x || m_content.y)
        SetContentSize(m_content.x, m_content.y);
}

void cScrollPanel::SetContentSize(int32_t width, int32_t height)
{
    m_content = cPoint(std::max(width, m_view.x), std::max(height, m_view.y));
    if (m_horizontal && m_content.x > 0)
        m_horizontal->SetPageSize(static_cast<float>(m_view.x) / static_cast<float>(m_content.x));
    if (m_vertical && m_content.y > 0)
        m_vertical->SetPageSize(static_cast<float>(m_view.y) / static_cast<float>(m_content.y));
    SetScrollOffset(m_scrollX, m_scrollY);
}

void cScrollPanel::SetScrollOffset(float x, float y)
{
    const float freeX = static_cast<float>(m_content.x - m_view.x);
    const float freeY = static_cast<float>(m_content.y - m_view.y);
    m_scrollX = std::clamp(x, 0.0f, std::max(0.0f, freeX));
    m_scrollY = std::clamp(y, 0.0f, std::max(0.0f, freeY));
    if (m_horizontal)
        m_horizontal->SetValue(freeX > 0.0f ? m_scrollX / freeX : 0.0f, false);
    if (m_vertical)
        m_vertical->SetValue(freeY > 0.0f ? m_scrollY / freeY : 0.0f, false);
}

void cScrollPanel::OnValueChanged(float value, cScrollbar* scrollbar)
{
    if (scrollbar == m_horizontal.get())
        m_scrollX = static_cast<float>(m_content.x - m_view.x) * value;
    else if (scrollbar == m_vertical.get())
        m_scrollY = static_cast<float>(m_content.y - m_view.y) * value;
}

void cScrollPanel::OnBackPressed(cScrollbar* scrollbar)
{
    (scrollbar == m_horizontal.get() ? m_leftHeld : m_upHeld) = true;
}

void cScrollPanel::OnForwardPressed(cScrollbar* scrollbar)
{
    (scrollbar == m_horizontal.get() ? m_rightHeld : m_downHeld) = true;
}

void cScrollPanel::OnBackReleased(cScrollbar* scrollbar)
{
    (scrollbar == m_horizontal.get() ? m_leftHeld : m_upHeld) = false;
}

void cScrollPanel::OnForwardReleased(cScrollbar* scrollbar)
{
    (scrollbar == m_horizontal.get() ? m_rightHeld : m_downHeld) = false;
}

bool cScrollPanel::OnMouseWheel(const cMouseEvent& event)
{
    const bool tall = m_vertical && m_content.y > m_view.y;
    const bool wide = m_horizontal && m_content.x > m_view.x;
    const float step = GetWheelStep();
    float across = event.GetWheelX();
    float down = -event.GetWheelY();
    if (!tall && wide)
    {
        // Only sideways is left to scroll: the vertical wheel does that.
        across += down;
        down = 0.0f;
    }
    if ((!tall || down == 0.0f) && (!wide || across == 0.0f))
        return false;
    SetScrollOffset(wide ? m_scrollX + across * step : m_scrollX,
                    tall ? m_scrollY + down * step : m_scrollY);
    return true;
}

void cScrollPanel::Update(float dt)
{
    cWidget::Update(dt);
    const float step = kArrowSpeed * dt;
    float x = m_scrollX;
    float y = m_scrollY;
    if (m_leftHeld)
        x -= step;
    if (m_rightHeld)
        x += step;
    if (m_upHeld)
        y -= step;
    if (m_downHeld)
        y += step;
    if (x != m_scrollX || y != m_scrollY)
        SetScrollOffset(x, y);
}

void cScrollPanel::Draw(int x, int y, bool drawChildren)
{
    cWidget::Draw(x, y, false);
    cRenderDevice* device = m_gui.GetRenderDevice();
    if (device)
    {
        const int32_t left = x + GetPosition().x;
        const int32_t top = y + GetPosition().y;
        const bool wasClipping = device->IsClipEnabled();
        device->PushClip();
        device->SetClip(cRect(left, top, m_view.x, m_view.y));
        DrawContent(left, top, m_view.x, m_view.y, static_cast<int32_t>(m_scrollX),
                    static_cast<int32_t>(m_scrollY));
        device->PopClip();
        if (!wasClipping)
            device->ResetClip();
    }
    if (drawChildren)
        DrawChildren(x, y);
}

void cScrollPanel::DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight, int32_t offsetX,
                               int32_t offsetY)
{
    (void)x, (void)y, (void)viewWidth, (void)viewHeight, (void)offsetX, (void)offsetY;
}

} // namespace Korva
