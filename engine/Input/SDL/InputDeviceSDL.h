#pragma once

#include "engine/Input/InputDevice.h"

#include <SDL.h>

#include <array>

namespace Korva
{

// Engine key code for an SDL key (100 for keys the engine does not name).
int32_t EngineKeyFromSDL(SDL_Keycode sym, SDL_Scancode scancode);

// The input device on SDL events. SDL makes no key repeats of its own that we
// use (its repeat events are ignored), so the base device repeats with a 0.5 s
// delay and 30 repeats per second.
class cInputDeviceSDL : public cInputDevice
{
public:
    cInputDeviceSDL();
    ~cInputDeviceSDL() override;

    // Looks at one SDL event; returns true when it was input and is consumed.
    bool HandleEvent(const SDL_Event& event);

private:
    void OnText(const char* utf8);

    int32_t m_lastX = -1;
    int32_t m_lastY = -1;
    // Engine code each held scancode was pressed with (-1 = not held), so
    // the release reports the same key even if the layout changed meanwhile.
    std::array<int16_t, SDL_NUM_SCANCODES> m_held;
};

} // namespace Korva
