#include "engine/Input/InputDeviceEvent.h"

#include "engine/Core/Exception.h"

namespace Korva
{

const cMouseEvent& AsMouseEvent(const cInputEvent& event)
{
    if (event.GetClass() != kInputClassMouse)
        KORVA_THROW(cException, "Can't convert event into wrong event class.");
    return static_cast<const cMouseEvent&>(event);
}

const cKeyboardEvent& AsKeyboardEvent(const cInputEvent& event)
{
    if (event.GetClass() != kInputClassKeyboard)
        KORVA_THROW(cException, "Can't convert event into wrong event class.");
    return static_cast<const cKeyboardEvent&>(event);
}

} // namespace Korva
