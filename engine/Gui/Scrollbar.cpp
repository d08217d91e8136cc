#include "engine/Gui/Scrollbar.h"

#include "engine/Display/Image.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"

#include <algorithm>

namespace Korva
{

cScrollbar::cScrollbar(cGUI& gui, bool vertical)
    : cWidget(gui), m_vertical(vertical), m_back(std::make_unique<cButton>(gui)),
      m_forward(std::make_unique<cButton>(gui)), m_thumb(std::make_unique<cButton>(gui))
{
    m_thumb->SetBorder(false);
    m_thumb->SetBackgroundFill(false);
    m_thumb->SetBevel(false);
    m_thumb->AddListener(static_cast<cWidgetListener*>(this));
    m_back->AddListener(static_cast<cButtonListener*>(this));
    m_forward->AddListener(static_cast<cButtonListener*>(this));
    // The thumb first, so the arrows lie above it should they ever overlap.
    AddChild(cPoint(0, 0), m_thumb.get());
    AddChild(cPoint(0, 0), m_back.get());
    AddChild(cPoint(0, 0), m_forward.get());
}

cScrollbar::~cScrollbar()
{
    RemoveAllChildren();
}

void cScrollbar::AddListener(cScrollbarListener* listener)
{
    if (listener)
        m_scrollListeners.push_back(listener);
}

int32_t cScrollbar::GetThickness() const
{
    return m_vertical ? GetWidth() : GetHeight();
}

int32_t cScrollbar::GetTrackLength() const
{
    const int32_t length = m_vertical ? GetHeight() : GetWidth();
    return std::max(0, length - 2 * GetThickness());
}

int32_t cScrollbar::GetThumbLength() const
{
    return static_cast<int32_t>(static_cast<float>(GetTrackLength()) * m_pageSize);
}

int32_t cScrollbar::GetThumbOffset() const
{
    return m_vertical ? m_thumb->GetPosition().y : m_thumb->GetPosition().x;
}

void cScrollbar::SetSize(const cPoint& size)
{
    cWidget::SetSize(size);
    Layout();
}

void cScrollbar::Layout()
{
    const int32_t side = GetThickness();
    m_back->SetRect(cRect(0, 0, side, side));
    if (m_vertical)
        m_forward->SetRect(cRect(0, GetHeight() - side, side, side));
    else
        m_forward->SetRect(cRect(GetWidth() - side, 0, side, side));
    PlaceThumb();
}

void cScrollbar::PlaceThumb()
{
    const int32_t side = GetThickness();
    const int32_t length = GetThumbLength();
    const int32_t offset =
        side + static_cast<int32_t>(static_cast<float>(GetTrackLength() - length) * m_value);
    if (m_vertical)
        m_thumb->SetRect(cRect(0, offset, side, length));
    else
        m_thumb->SetRect(cRect(offset, 0, length, side));
}

void cScrollbar::SetValue(float value, bool notify)
{
    m_value = std::clamp(value, 0.0f, 1.0f);
    PlaceThumb();
    if (notify)
        for (size_t i = 0; i < m_scrollListeners.size(); ++i)
            m_scrollListeners[i]->OnValueChanged(m_value, this);
}

void cScrollbar::SetPageSize(float size)
{
    m_pageSize = std::clamp(size, 0.0f, 1.0f);
    PlaceThumb();
}

bool cScrollbar::OnMouseWheel(const cMouseEvent& event)
{
    if (m_wheelStep <= 0.0f || m_pageSize >= 1.0f)
        return false;
    // A horizontal bar takes a sideways wheel too; away from the player is
    // back (up, or left).
    const float notches = m_vertical ? -event.GetWheelY() : event.GetWheelX() - event.GetWheelY();
    if (notches == 0.0f)
        return false;
    SetValue(m_value + notches * m_wheelStep, true);
    return true;
}

void cScrollbar::SetFromOffset(int32_t offset)
{
    const int32_t free = GetTrackLength() - GetThumbLength();
    const float value =
        free > 0 ? static_cast<float>(offset - GetThickness()) / static_cast<float>(free) : 0.0f;
    SetValue(value, true);
}

void cScrollbar::OnMouseDown(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseDown(event, handled);
    const cPoint point(event.GetX(), event.GetY());
    for (const cButton* part : {m_back.get(), m_forward.get(), m_thumb.get()})
        if (part->GetRect().Contains(point))
            return;
    const int32_t along = m_vertical ? point.y : point.x;
    const int32_t start = GetThickness();
    const int32_t end = start + GetTrackLength();
    const int32_t length = GetThumbLength();
    int32_t offset = GetThumbOffset();
    if (along < offset)
        offset = std::max(start, offset - length);
    else if (along >= offset + length)
        offset = std::min(end - length, offset + length);
    else
        return;
    SetFromOffset(offset);
}

void cScrollbar::OnMouseDown(const cMouseEvent& event, cWidget* widget)
{
    if (widget != m_thumb.get())
        return;
    m_grab = cPoint(event.GetX(), event.GetY());
    m_draggingThumb = true;
}

void cScrollbar::OnMouseUp(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    if (widget == m_thumb.get())
        m_draggingThumb = false;
}

void cScrollbar::OnMouseMove(const cMouseEvent& event, cWidget* widget)
{
    if (widget != m_thumb.get() || !m_draggingThumb)
        return;
    const int32_t start = GetThickness();
    const int32_t length = GetThumbLength();
    if (GetTrackLength() <= length)
    {
        SetValue(0.0f, true);
        return;
    }
    const int32_t moved = m_vertical ? event.GetY() - m_grab.y : event.GetX() - m_grab.x;
    const int32_t offset =
        std::clamp(GetThumbOffset() + moved, start, start + GetTrackLength() - length);
    SetFromOffset(offset);
}

void cScrollbar::OnPressed(const cMouseEvent& event, cButton* button)
{
    (void)event;
    for (size_t i = 0; i < m_scrollListeners.size(); ++i)
    {
        if (button == m_back.get())
            m_scrollListeners[i]->OnBackPressed(this);
        else if (button == m_forward.get())
            m_scrollListeners[i]->OnForwardPressed(this);
    }
}

void cScrollbar::OnReleased(const cMouseEvent& event, cButton* button)
{
    (void)event;
    for (size_t i = 0; i < m_scrollListeners.size(); ++i)
    {
        if (button == m_back.get())
            m_scrollListeners[i]->OnBackReleased(this);
        else if (button == m_forward.get())
            m_scrollListeners[i]->OnForwardReleased(this);
    }
}

void cScrollbar::SetSprite(cSprite* sprite)
{
    m_sprite = sprite;
    m_back->SetSprite(sprite);
    m_forward->SetSprite(sprite);
}

void cScrollbar::SetTrackFrames(int32_t start, int32_t middle, int32_t end)
{
    m_trackFrames[0] = start;
    m_trackFrames[1] = middle;
    m_trackFrames[2] = end;
}

void cScrollbar::SetThumbFrames(int32_t state, int32_t start, int32_t middle, int32_t end)
{
    if (state < 0 || state > 2)
        return;
    m_thumbFrames[state][0] = start;
    m_thumbFrames[state][1] = middle;
    m_thumbFrames[state][2] = end;
}

void cScrollbar::SetBevel(bool on)
{
    m_back->SetBevel(on);
    m_forward->SetBevel(on);
}

void cScrollbar::Draw(int x, int y, bool drawChildren)
{
    cWidget::Draw(x, y, false);
    DrawTrack(x, y);
    DrawThumb(x, y);
    if (drawChildren)
        DrawChildren(x, y);
}

void cScrollbar::DrawTrack(int x, int y)
{
    DrawBand(x, y, GetThickness(), GetTrackLength(), m_trackFrames);
}

void cScrollbar::DrawThumb(int x, int y)
{
    DrawBand(x, y, GetThumbOffset(), GetThumbLength(), m_thumbFrames[m_thumb->GetState()]);
}

void cScrollbar::DrawBand(int x, int y, int32_t from, int32_t length, const int32_t frames[3])
{
    if (!m_sprite || length <= 0)
        return;
    cImage* image = m_sprite->GetImage();
    if (!image)
        return;
    const int32_t count = m_sprite->GetFrameCount();
    auto valid = [count](int32_t f) { return f >= 0 && f < count; };
    const int32_t ox = x + GetPosition().x;
    const int32_t oy = y + GetPosition().y;
    const int32_t side = GetThickness();
    // Places a piece of `size` pixels along the bar at `at`.
    auto piece = [&](int32_t frame, int32_t at, int32_t size)
    {
        if (!valid(frame) || size <= 0)
            return;
        const cSpriteFrame& f = m_sprite->GetFrame(frame);
        const cRect dest =
            m_vertical ? cRect(ox, oy + at, side, size) : cRect(ox + at, oy, size, side);
        image->DrawImage(dest, cRect(f.x, f.y, f.width, f.height), 255);
    };
    const int32_t startSize = valid(frames[0]) ? (m_vertical ? m_sprite->GetFrameHeight(frames[0])
                                                             : m_sprite->GetFrameWidth(frames[0]))
                                               : 0;
    const int32_t endSize = valid(frames[2]) ? (m_vertical ? m_sprite->GetFrameHeight(frames[2])
                                                           : m_sprite->GetFrameWidth(frames[2]))
                                             : 0;
    piece(frames[1], from + startSize, length - startSize - endSize);
    piece(frames[0], from, std::min(startSize, length));
    piece(frames[2], from + length - endSize, endSize);
}

} // namespace Korva
