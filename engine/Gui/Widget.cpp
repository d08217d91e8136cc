#include "engine/Gui/Widget.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Gui/GUI.h"

#include <algorithm>

namespace Korva
{

namespace
{
// What a widget that stops being under the mouse is told.
const cMouseEvent kLeaveEvent(kMouseMove, -1, -1, kMouseButtonLeft);
} // namespace

cWidget::cWidget(cGUI& gui) : m_gui(gui) {}

cWidget::~cWidget()
{
    // A widget deleted while still in the tree would leave its parent with
    // a dangling child; take it out quietly (listeners may already be gone).
    if (m_parent)
        m_parent->DetachChild(this);
    for (cWidget* child : m_children)
        if (child->m_parent == this)
            child->m_parent = nullptr;
    m_children.clear();
    m_gui.ReleaseMouse(this);
}

void cWidget::DetachChild(cWidget* child)
{
    if (m_hoveredChild == child)
        m_hoveredChild = nullptr;
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
}

void cWidget::SetRect(const cRect& rect)
{
    SetPosition(cPoint(rect.x, rect.y));
    SetSize(cPoint(rect.width, rect.height));
}

void cWidget::SetPosition(const cPoint& position)
{
    if (position == m_position)
        return;
    m_position = position;
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnMoved(m_position, this);
}

void cWidget::SetSize(const cPoint& size)
{
    if (size == m_size)
        return;
    m_size = size;
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnResized(m_size, this);
}

bool cWidget::ContainsPoint(const cPoint& point) const
{
    return point.x >= 0 && point.x < m_size.x && point.y >= 0 && point.y < m_size.y;
}

void cWidget::AddChild(const cPoint& position, cWidget* child)
{
    if (!child || child == this)
        return;
    // A widget lives in one place of the tree at a time.
    if (child->m_parent && child->m_parent != this)
        child->m_parent->RemoveChild(child);
    child->SetPosition(position);
    child->OnMouseLeave(kLeaveEvent, false);
    child->SetFocus(nullptr);
    m_children.insert(m_children.begin(), child);
    child->m_parent = this;
}

void cWidget::RemoveChild(cWidget* child)
{
    if (!child)
        return;
    if (child == m_hoveredChild)
    {
        m_hoveredChild = nullptr;
        child->OnMouseLeave(kLeaveEvent, false);
    }
    const size_t before = m_children.size();
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
    if (m_children.size() != before && child->m_parent == this)
        child->m_parent = nullptr;
}

void cWidget::RemoveAllChildren()
{
    if (m_hoveredChild)
    {
        cWidget* hovered = m_hoveredChild;
        m_hoveredChild = nullptr;
        hovered->OnMouseLeave(kLeaveEvent, false);
    }
    for (cWidget* child : m_children)
        if (child->m_parent == this)
            child->m_parent = nullptr;
    m_children.clear();
}

void cWidget::BringChildToFront(cWidget* child)
{
    const auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it == m_children.end())
        return;
    m_children.erase(it);
    m_children.insert(m_children.begin(), child);
}

void cWidget::SendChildToBack(cWidget* child)
{
    const auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it == m_children.end())
        return;
    m_children.erase(it);
    m_children.push_back(child);
}

bool cWidget::ContainsDescendant(const cWidget* target, cPoint& point) const
{
    for (const cWidget* child : m_children)
    {
        point.x += child->m_position.x;
        point.y += child->m_position.y;
        if (child == target || child->ContainsDescendant(target, point))
            return true;
        point.x -= child->m_position.x;
        point.y -= child->m_position.y;
    }
    return false;
}

int cWidget::GetChildCount() const
{
    return static_cast<int>(m_children.size());
}

cWidget* cWidget::GetChild(int index) const
{
    if (index < 0 || index >= GetChildCount())
        return nullptr;
    return m_children[static_cast<size_t>(index)];
}

void cWidget::SetFocus(cWidget* target)
{
    if (target != this && m_focused)
    {
        m_focused = false;
        for (size_t i = 0; i < m_listeners.size(); ++i)
            m_listeners[i]->OnFocusLost(this);
    }
    for (size_t i = 0; i < m_children.size(); ++i)
        m_children[i]->SetFocus(target);
    if (target == this && !m_focused)
    {
        m_focused = true;
        for (size_t i = 0; i < m_listeners.size(); ++i)
            m_listeners[i]->OnFocusGained(this);
    }
}

void cWidget::Update(float dt)
{
    m_timeSinceClick += dt;
    for (size_t i = 0; i < m_children.size(); ++i)
        m_children[i]->Update(dt);
}

void cWidget::Draw(int x, int y, bool drawChildren)
{
    cRenderDevice* device = m_gui.GetRenderDevice();
    if (device && m_backgroundFill)
        device->FillRect(cRect(x + m_position.x, y + m_position.y, m_size.x, m_size.y),
                         m_backgroundColor);
    if (drawChildren)
        DrawChildren(x, y);
}

void cWidget::DrawChildren(int x, int y)
{
    cRenderDevice* device = m_gui.GetRenderDevice();
    if (!device || m_children.empty())
        return;
    int lowest = 255;
    int highest = 0;
    for (const cWidget* child : m_children)
    {
        lowest = std::min<int>(lowest, child->m_layer);
        highest = std::max<int>(highest, child->m_layer);
    }
    const int originX = x + m_position.x;
    const int originY = y + m_position.y;
    device->PushClip();
    const bool wasClipping = device->IsClipEnabled();
    for (int layer = lowest; layer <= highest; ++layer)
    {
        // Back of the list first, so the front child ends up on top.
        for (size_t i = m_children.size(); i-- > 0;)
        {
            cWidget* child = m_children[i];
            if (child->m_layer != layer)
                continue;
            const cRect rect(originX + child->m_position.x, originY + child->m_position.y,
                             child->m_size.x, child->m_size.y);
            if (child->m_border)
            {
                const cRect outline(rect.x - 1, rect.y - 1, rect.width + 2, rect.height + 2);
                device->SetClip(outline);
                device->DrawRect(outline, child->m_borderColor);
            }
            device->SetClip(rect);
            child->Draw(originX, originY, true);
        }
    }
    device->PopClip();
    if (!wasClipping)
        device->ResetClip();
}

cWidget* cWidget::FindHitChild(const cPoint& point) const
{
    cWidget* hit = nullptr;
    for (cWidget* child : m_children)
    {
        if (hit && child->m_layer <= hit->m_layer)
            continue;
        if (child->ContainsPoint(
                cPoint(point.x - child->m_position.x, point.y - child->m_position.y)))
            hit = child;
    }
    return hit;
}

void cWidget::OnMouseMove(const cMouseEvent& event, bool handled)
{
    const cPoint point(event.GetX(), event.GetY());
    m_mouseInside = ContainsPoint(point);
    if (m_dragging)
    {
        SetPosition(
            cPoint(m_position.x - m_lastClick.x + point.x, m_position.y - m_lastClick.y + point.y));
        return;
    }
    if (handled)
    {
        m_hoveredChild = nullptr;
        for (size_t i = 0; i < m_listeners.size(); ++i)
            m_listeners[i]->OnMouseMove(event, this);
        return;
    }
    cWidget* hit = FindHitChild(point);
    cWidget* previous = m_hoveredChild;
    if (!previous && hit)
        OnMouseLeave(event, false);
    if (previous && previous != hit)
        previous->OnMouseLeave(event.Translated(previous->m_position.x, previous->m_position.y),
                               false);
    m_hoveredChild = hit;
    if (hit)
    {
        const cMouseEvent local = event.Translated(hit->m_position.x, hit->m_position.y);
        if (hit != previous)
            hit->OnMouseEnter(local, false);
        hit->OnMouseMove(local, false);
        return;
    }
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnMouseMove(event, this);
}

void cWidget::OnMouseEnter(const cMouseEvent& event, bool handled)
{
    (void)handled;
    m_hoveredChild = nullptr;
    m_mouseInside = true;
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnMouseEnter(event, this);
}

void cWidget::OnMouseLeave(const cMouseEvent& event, bool handled)
{
    (void)handled;
    if (m_hoveredChild)
    {
        cWidget* hovered = m_hoveredChild;
        m_hoveredChild = nullptr;
        hovered->OnMouseLeave(event, false);
    }
    m_mouseInside = false;
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnMouseLeave(event, this);
}

void cWidget::OnMouseDown(const cMouseEvent& event, bool handled)
{
    const cPoint point(event.GetX(), event.GetY());
    m_focused = true;
    if (!handled)
    {
        cWidget* hit = FindHitChild(point);
        // Only the pressed widget keeps the focus: every other child (also
        // an overlapped one under the press) loses it.
        for (size_t i = 0; i < m_children.size(); ++i)
            if (m_children[i] != hit)
                m_children[i]->SetFocus(nullptr);
        if (hit)
        {
            m_focused = false;
            hit->OnMouseDown(event.Translated(hit->m_position.x, hit->m_position.y), false);
            return;
        }
    }
    for (const cRect& area : m_dragAreas)
    {
        if (area.Contains(point) && CanStartDrag(event))
        {
            m_dragging = true;
            m_gui.CaptureMouse(this);
            break;
        }
    }
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnMouseDown(event, this);
    if (m_clicked && point == m_lastClick && event.GetButton() == m_lastClickButton &&
        m_timeSinceClick < m_gui.GetDoubleClickTime())
        OnDoubleClick(event, handled);
    m_clicked = true;
    m_lastClick = point;
    m_lastClickButton = event.GetButton();
    m_timeSinceClick = 0.0f;
}

void cWidget::OnMouseUp(const cMouseEvent& event, bool handled)
{
    if (m_dragging)
    {
        m_dragging = false;
        m_gui.ReleaseMouse(this);
    }
    else if (!handled)
    {
        if (cWidget* hit = FindHitChild(cPoint(event.GetX(), event.GetY())))
        {
            hit->OnMouseUp(event.Translated(hit->m_position.x, hit->m_position.y), false);
            return;
        }
    }
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnMouseUp(event, this);
}

void cWidget::OnDoubleClick(const cMouseEvent& event, bool handled)
{
    (void)handled;
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnDoubleClick(event, this);
}

bool cWidget::CanStartDrag(const cMouseEvent& event)
{
    return event.GetButton() == kMouseButtonLeft;
}

void cWidget::OnKeyEvent(const cKeyboardEvent& event)
{
    if (m_focused)
    {
        switch (event.GetKind())
        {
        case kKeyPressed:
            OnKeyDown(event);
            break;
        case kKeyRepeat:
            OnKeyRepeat(event);
            break;
        case kKeyReleased:
            OnKeyUp(event);
            break;
        case kKeyChar:
            OnChar(event);
            break;
        default:
            break;
        }
        return;
    }
    for (size_t i = 0; i < m_children.size(); ++i)
        m_children[i]->OnKeyEvent(event);
}

void cWidget::OnKeyDown(const cKeyboardEvent& event)
{
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnKeyDown(event, this);
}

void cWidget::OnKeyRepeat(const cKeyboardEvent& event)
{
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnKeyDown(event, this);
}

void cWidget::OnKeyUp(const cKeyboardEvent& event)
{
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnKeyUp(event, this);
}

void cWidget::OnChar(const cKeyboardEvent& event)
{
    for (size_t i = 0; i < m_listeners.size(); ++i)
        m_listeners[i]->OnChar(event, this);
}

bool cWidget::OnMouseWheel(const cMouseEvent& event)
{
    (void)event;
    return false;
}

bool cWidget::RouteMouseWheel(const cMouseEvent& event)
{
    if (cWidget* hit = FindHitChild(cPoint(event.GetX(), event.GetY())))
        if (hit->RouteMouseWheel(event.Translated(hit->m_position.x, hit->m_position.y)))
            return true;
    return OnMouseWheel(event);
}

void cWidget::AddListener(cWidgetListener* listener)
{
    if (listener)
        m_listeners.push_back(listener);
}

void cWidget::RemoveListener(cWidgetListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener),
                      m_listeners.end());
}

} // namespace Korva
