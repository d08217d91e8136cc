#pragma once

// Synthetic SDL events the harnesses push into SDL's queue.

#include <SDL.h>

// The wheel turned `y` notches away from the player (`x` to the right) with
// the pointer at (px, py), as SDL reports a plain wheel.
inline SDL_Event WheelEvent(int px, int py, float y, float x)
{
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.x = static_cast<Sint32>(x);
    e.wheel.y = static_cast<Sint32>(y);
    e.wheel.preciseX = x;
    e.wheel.preciseY = y;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = px;
    e.wheel.mouseY = py;
    return e;
}
