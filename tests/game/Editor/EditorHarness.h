#pragma once

#include "engine/Gui/GuiHarness.h"
#include "tests/game/Editor/FakeEditorHost.h"

#include <SDL.h>

// A GUI harness with a fake editor and a popup placed at a known spot, so a
// test presses at popup coordinates.
class EditorHarness : public GuiTest::Harness
{
protected:
    static constexpr int kLeft = 100;
    static constexpr int kTop = 50;

    void Show(Korva::cWidget& popup)
    {
        gui->GetRoot().AddChild(Korva::cPoint(kLeft, kTop), &popup);
    }
    void Hide(Korva::cWidget& popup) { gui->GetRoot().RemoveChild(&popup); }
    // A press and release at popup coordinates.
    void ClickAt(int x, int y) { Click(kLeft + x, kTop + y); }
    void PressAt(int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        MoveTo(kLeft + x, kTop + y);
        Button(true, kLeft + x, kTop + y, button);
    }
    void ReleaseAt(int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        Button(false, kLeft + x, kTop + y, button);
    }
    // Holds or lets go of a key without the other half of the stroke.
    void KeyState(SDL_Keycode sym, SDL_Scancode scancode, bool down)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scancode;
        Push(e);
        Pump();
    }
    void Shift(bool down) { KeyState(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, down); }
    int Presses() const
    {
        return static_cast<int>(std::count(host.sounds.begin(), host.sounds.end(), 2));
    }

    cFakeEditorHost host;
};
