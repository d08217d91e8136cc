#pragma once

#include "engine/Display/Point.h"
#include "engine/Input/InputDeviceEvent.h"

namespace Korva
{

class cWidget;

// Observer of a widget. Every call names the widget last; override only what
// you need.
class cWidgetListener
{
public:
    virtual ~cWidgetListener() = default;
    virtual void OnMoved(const cPoint& position, cWidget* widget) { (void)position, (void)widget; }
    virtual void OnResized(const cPoint& size, cWidget* widget) { (void)size, (void)widget; }
    virtual void OnFocusGained(cWidget* widget) { (void)widget; }
    virtual void OnFocusLost(cWidget* widget) { (void)widget; }
    virtual void OnMouseMove(const cMouseEvent& event, cWidget* widget)
    {
        (void)event, (void)widget;
    }
    virtual void OnMouseEnter(const cMouseEvent& event, cWidget* widget)
    {
        (void)event, (void)widget;
    }
    virtual void OnMouseLeave(const cMouseEvent& event, cWidget* widget)
    {
        (void)event, (void)widget;
    }
    virtual void OnMouseDown(const cMouseEvent& event, cWidget* widget)
    {
        (void)event, (void)widget;
    }
    virtual void OnMouseUp(const cMouseEvent& event, cWidget* widget) { (void)event, (void)widget; }
    virtual void OnDoubleClick(const cMouseEvent& event, cWidget* widget)
    {
        (void)event, (void)widget;
    }
    virtual void OnKeyDown(const cKeyboardEvent& event, cWidget* widget)
    {
        (void)event, (void)widget;
    }
    virtual void OnKeyUp(const cKeyboardEvent& event, cWidget* widget)
    {
        (void)event, (void)widget;
    }
    virtual void OnChar(const cKeyboardEvent& event, cWidget* widget) { (void)event, (void)widget; }
};

} // namespace Korva
