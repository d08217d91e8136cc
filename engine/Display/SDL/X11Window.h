#pragma once

struct SDL_Window;

namespace Korva
{

// On an X server without a window manager (a bare server, a kiosk) nobody
// carries out SDL's full-screen request: the window keeps its place and
// size while SDL reports the screen's. There the display places the window
// itself. Elsewhere (a window manager runs, or the video system is not X11)
// these do nothing.
bool IsX11WithoutWindowManager(SDL_Window* window);
// Moves and sizes the window's X window (client area) and raises it.
void PlaceX11Window(SDL_Window* window, int x, int y, int width, int height);

} // namespace Korva
