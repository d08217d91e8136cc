#include "engine/Display/SDL/X11Window.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace Korva
{

namespace
{
bool GetX11(SDL_Window* window, ::Display*& display, ::Window& handle)
{
    if (!window)
        return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    display = info.info.x11.display;
    handle = info.info.x11.window;
    return display != nullptr;
}
} // namespace

bool IsX11WithoutWindowManager(SDL_Window* window)
{
    ::Display* display = nullptr;
    ::Window handle = 0;
    if (!GetX11(window, display, handle))
        return false;
    // A window manager that follows the desktop conventions names its
    // check window on the root window.
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return true;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                          XA_WINDOW, &type, &format, &count, &remaining, &data);
    const bool managed = status == Success && type == XA_WINDOW && count == 1;
    if (data)
        XFree(data);
    return !managed;
}

void PlaceX11Window(SDL_Window* window, int x, int y, int width, int height)
{
    ::Display* display = nullptr;
    ::Window handle = 0;
    if (!GetX11(window, display, handle) || width <= 0 || height <= 0)
        return;
    XMoveResizeWindow(display, handle, x, y, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    XRaiseWindow(display, handle);
    XSync(display, False);
}

} // namespace Korva
