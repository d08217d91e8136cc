#pragma once

#include "engine/Display/Color.h"
#include "engine/Display/Point.h"
#include "engine/Display/Rect.h"
#include "engine/Gui/WidgetListener.h"
#include "engine/Input/InputDeviceEvent.h"

#include <cstdint>
#include <vector>

namespace Korva
{

class cGUI;

// A node of the GUI tree: a rectangle relative to its parent, with children
// drawn above it and input routed down to them. Widgets never delete their
// children; whoever created a child deletes it.
class cWidget
{
public:
    explicit cWidget(cGUI& gui);
    virtual ~cWidget();
    cWidget(const cWidget&) = delete;
    cWidget& operator=(const cWidget&) = delete;

    virtual void SetRect(const cRect& rect);
    virtual void SetPosition(const cPoint& position);
    virtual void SetSize(const cPoint& size);
    // `point` is in this widget's own coordinates.
    virtual bool ContainsPoint(const cPoint& point) const;
    virtual void AddChild(const cPoint& position, cWidget* child);
    virtual void RemoveChild(cWidget* child);
    virtual void RemoveAllChildren();
    virtual void BringChildToFront(cWidget* child);
    virtual void SendChildToBack(cWidget* child);
    // True when `target` is below this widget; `point` is then moved by the
    // target's offset from this widget's origin.
    virtual bool ContainsDescendant(const cWidget* target, cPoint& point) const;
    virtual int GetChildCount() const;
    virtual cWidget* GetChild(int index) const;
    // Called on the root: focuses `target` and unfocuses every other widget.
    virtual void SetFocus(cWidget* target);
    virtual void Update(float dt);
    // `x`, `y` is the absolute origin of the parent.
    virtual void Draw(int x, int y, bool drawChildren);
    virtual void DrawChildren(int x, int y);
    virtual void OnMouseMove(const cMouseEvent& event, bool handled);
    virtual void OnMouseEnter(const cMouseEvent& event, bool handled);
    virtual void OnMouseLeave(const cMouseEvent& event, bool handled);
    virtual void OnMouseDown(const cMouseEvent& event, bool handled);
    virtual void OnMouseUp(const cMouseEvent& event, bool handled);
    virtual void OnDoubleClick(const cMouseEvent& event, bool handled);
    virtual bool CanStartDrag(const cMouseEvent& event);
    virtual void OnKeyEvent(const cKeyboardEvent& event);
    virtual void OnKeyDown(const cKeyboardEvent& event);
    virtual void OnKeyRepeat(const cKeyboardEvent& event);
    virtual void OnKeyUp(const cKeyboardEvent& event);
    virtual void OnChar(const cKeyboardEvent& event);
    // The wheel turned with the pointer over this widget and none of its
    // children took it: true when this widget did (it scrolled); otherwise
    // its parent is asked.
    virtual bool OnMouseWheel(const cMouseEvent& event);

    // Hands a wheel event to the widget under the pointer (`event` in this
    // widget's coordinates) and up through its parents until one takes it.
    bool RouteMouseWheel(const cMouseEvent& event);

    void AddListener(cWidgetListener* listener);
    void RemoveListener(cWidgetListener* listener);
    void AddDragArea(const cRect& area) { m_dragAreas.push_back(area); }

    void SetLayer(uint8_t layer) { m_layer = layer; }
    uint8_t GetLayer() const { return m_layer; }
    void SetBackgroundFill(bool on) { m_backgroundFill = on; }
    void SetBackgroundColor(const cColor& color) { m_backgroundColor = color; }
    const cColor& GetBackgroundColor() const { return m_backgroundColor; }
    void SetBorder(bool on) { m_border = on; }
    void SetBorderColor(const cColor& color) { m_borderColor = color; }

    const cPoint& GetPosition() const { return m_position; }
    const cPoint& GetSize() const { return m_size; }
    cRect GetRect() const { return cRect(m_position.x, m_position.y, m_size.x, m_size.y); }
    int32_t GetWidth() const { return m_size.x; }
    int32_t GetHeight() const { return m_size.y; }
    bool IsFocused() const { return m_focused; }
    bool IsMouseInside() const { return m_mouseInside; }
    bool IsDragging() const { return m_dragging; }
    cWidget* GetParent() const { return m_parent; }
    cGUI& GetGUI() const { return m_gui; }

protected:
    // The child that gets a mouse event at `point` (this widget's
    // coordinates): highest layer first, then nearest the front.
    cWidget* FindHitChild(const cPoint& point) const;

    cGUI& m_gui;
    std::vector<cWidgetListener*> m_listeners;

private:
    void DetachChild(cWidget* child);

    cPoint m_position;
    cPoint m_size;
    uint8_t m_layer = 0;
    bool m_backgroundFill = true;
    cColor m_backgroundColor{200, 200, 200, 255};
    bool m_border = true;
    cColor m_borderColor{0, 0, 0, 255};
    bool m_mouseInside = false;
    cWidget* m_hoveredChild = nullptr;
    cPoint m_lastClick;
    int32_t m_lastClickButton = kMouseButtonLeft;
    float m_timeSinceClick = 0.0f;
    bool m_clicked = false;
    bool m_focused = false;
    bool m_dragging = false;
    std::vector<cRect> m_dragAreas;
    // Front of the list = top-most within a layer.
    std::vector<cWidget*> m_children;
    cWidget* m_parent = nullptr;
};

} // namespace Korva
