#pragma once

#include "engine/Core/SDL/PlatformMessageHandler.h"
#include "engine/Display/Display.h"
#include "engine/Input/InputDevice.h"

#include <SDL.h>

#include <array>

namespace Korva
{

// Engine key code for an SDL key (100 for keys the engine does not name).
// Keys whose code names a place (the digit row, function, editing, moving,
// modifier and keypad keys) are found by scancode, whatever the layout puts
// on them; letters and punctuation by the symbol the layout gives them.
int32_t EngineKeyFromSDL(SDL_Keycode sym, SDL_Scancode scancode);

// The input device on SDL events, which the display hands it before handling
// them itself (or, without a display, the core's message pump); it hears the
// core's ticks too. Mouse positions are the display's frame pixels, however
// the window is scaled. SDL's own key repeats are ignored (they follow
// no setting we can read), so the base device repeats with a 0.5 s delay and
// 30 repeats per second.
class cInputDeviceSDL : public cInputDevice, public cPlatformMessageHandler, public cDisplayListener
{
public:
    // `attach`: register for SDL events and ticks (tests that feed
    // HandleEvent and Tick themselves pass false).
    explicit cInputDeviceSDL(cDisplay* display = nullptr, bool attach = true);
    ~cInputDeviceSDL() override;

    void OnPlatformMessage(const SDL_Event& message) override { HandleEvent(message); }
    void OnDisplayEvent(const cEvent& event) override;

    // Looks at one SDL event; returns true when it was input and is consumed.
    bool HandleEvent(const SDL_Event& event);

private:
    void OnText(const char* utf8);
    // A position in the window's client area as a pixel of the frame the
    // game draws (the window may be scaled and letterboxed).
    cPoint ToFrame(int32_t x, int32_t y) const;

    cDisplay* m_display;
    bool m_attached;

    int32_t m_lastX = -1;
    int32_t m_lastY = -1;
    // Engine code each held scancode was pressed with (-1 = not held), so
    // the release reports the same key even if the layout changed meanwhile.
    std::array<int16_t, SDL_NUM_SCANCODES> m_held;
};

} // namespace Korva
