#include "engine/Display/SDL/DisplaySDL.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Core/SDL/CoreSDL.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Display/SDL/X11Window.h"

#include <SDL.h>

#include <algorithm>

namespace Korva
{

cDisplaySDL::cDisplaySDL() = default;

cDisplaySDL::~cDisplaySDL()
{
    SendEvent(cEvent(kDisplayEventDestroyed));
    if (m_registered && cCore::Exists())
        cCoreSDL::Get().RemovePlatformMessageHandler(this);
    if (m_window)
        SDL_DestroyWindow(m_window);
    // SDL's video stays up for the rest of the process: closing it closes the
    // X connection, which unloads the OpenGL driver, and a display made later
    // (tests make many) would load it all over again.
}

void cDisplaySDL::Create(const cDisplayMode& mode, bool resizable)
{
    m_creating = true;
    m_mode = mode;
    m_mode.resizable = resizable && !mode.fullScreen;
    cLog::Get().WriteDefault("--- Creating display ---\n");
    WriteModeToLog(m_mode);

    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
    {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        {
            cLog::Get().WriteDefault(std::string("SDL video: ") + SDL_GetError() + "\n");
            m_creating = false;
            KORVA_THROW(cException, "Couldn't create window.");
        }
    }
    m_videoStarted = true;
    // The OpenGL library stays loaded with the video too. Unloaded with the
    // last window, it would be loaded all over again by the next display, and
    // what the driver still holds would look leaked once its code is gone.
    SDL_GL_LoadLibrary(nullptr);
    // The frame's colour depth is asked of the OpenGL surface; the render
    // device draws into an offscreen frame of exactly that depth anyway. A
    // window has the desktop's depth.
    const bool depth16 = mode.bitDepth == 16 && mode.fullScreen;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, depth16 ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, depth16 ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, depth16 ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);

    ChooseWindowedSize(resizable);
    uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (m_mode.resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    m_window = SDL_CreateWindow(m_title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                m_windowedSize.x, m_windowedSize.y, flags);
    if (!m_window)
    {
        cLog::Get().WriteDefault(std::string("SDL window: ") + SDL_GetError() + "\n");
        m_creating = false;
        KORVA_THROW(cException, "Couldn't create window.");
    }
    m_windowId = SDL_GetWindowID(m_window);
    // Smaller than a quarter of the frame nothing can be played.
    SDL_SetWindowMinimumSize(m_window, std::max(1, mode.width / 4), std::max(1, mode.height / 4));
    if (mode.fullScreen)
        ApplyWindowState();
    m_windowSize = GetWindowSize();
    ShowSystemCursor(m_systemCursorVisible);
    SDL_RaiseWindow(m_window);
    // Without a window manager (a bare X server) no focus event ever comes;
    // a freshly shown window counts as active.
    m_active = true;
    cCoreSDL::Get().AddPlatformMessageHandler(this);
    m_registered = true;
    m_creating = false;
}

void cDisplaySDL::ChooseWindowedSize(bool resizable)
{
    const cPoint frame = GetFrameSize();
    if (!resizable)
    {
        // A fixed window shows the frame pixel for pixel.
        m_windowedSize = m_defaultWindowedSize = frame;
        return;
    }
    const cPoint usable = GetUsableArea();
    m_defaultWindowedSize = cLetterbox::ChooseWindowSize(frame, cPoint(), usable);
    const cPoint wanted = m_windowedSize;
    m_windowedSize = cLetterbox::ChooseWindowSize(frame, wanted, usable);
    cLog& log = cLog::Get();
    log.WriteDefault("Usable desktop: " + std::to_string(usable.x) + "x" +
                     std::to_string(usable.y) + "\n");
    if (wanted != cPoint() && wanted != m_windowedSize)
        log.WriteDefault("Window size " + std::to_string(wanted.x) + "x" +
                         std::to_string(wanted.y) + " does not fit; using the default.\n");
    log.WriteDefault("Window size: " + std::to_string(m_windowedSize.x) + "x" +
                     std::to_string(m_windowedSize.y) + "\n");
}

cPoint cDisplaySDL::GetUsableArea() const
{
    int index = m_window ? SDL_GetWindowDisplayIndex(m_window) : 0;
    if (index < 0)
        index = 0;
    SDL_Rect area{};
    if (SDL_GetDisplayUsableBounds(index, &area) != 0 || area.w <= 0 || area.h <= 0)
        return cPoint();
    return cPoint(area.w, area.h);
}

cPoint cDisplaySDL::GetWindowSize() const
{
    if (!m_window)
        return cDisplay::GetWindowSize();
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(m_window, &width, &height);
    return cPoint(width, height);
}

void cDisplaySDL::ApplyWindowState()
{
    const bool placeByHand = IsX11WithoutWindowManager(m_window);
    if (m_mode.fullScreen)
    {
        // The desktop's own mode: the frame is scaled to it, so no monitor
        // has to switch to 800 x 600. Its colour depth stays the desktop's;
        // the render device's frame keeps the wanted one.
        cLog::Get().WriteDefault("Fullscreen mode: desktop\n");
        if (placeByHand && !m_placedByHand)
            SDL_GetWindowPosition(m_window, &m_windowedPosition.x, &m_windowedPosition.y);
        if (SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
            cLog::Get().WriteDefault(std::string("SDL fullscreen: ") + SDL_GetError() + "\n");
        SDL_Rect bounds{};
        const int index = SDL_GetWindowDisplayIndex(m_window);
        if (placeByHand && SDL_GetDisplayBounds(index < 0 ? 0 : index, &bounds) == 0)
        {
            PlaceX11Window(m_window, bounds.x, bounds.y, bounds.w, bounds.h);
            m_placedByHand = true;
        }
    }
    else
    {
        SDL_SetWindowFullscreen(m_window, 0);
        SDL_SetWindowResizable(m_window, m_mode.resizable ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowSize(m_window, m_windowedSize.x, m_windowedSize.y);
        if (m_placedByHand)
        {
            PlaceX11Window(m_window, m_windowedPosition.x, m_windowedPosition.y, m_windowedSize.x,
                           m_windowedSize.y);
            m_placedByHand = false;
        }
    }
    SDL_ShowWindow(m_window);
}

void cDisplaySDL::Reset(const cDisplayMode& mode, bool resizable)
{
    if (!m_window)
    {
        Create(mode, resizable);
        return;
    }
    m_resetting = true;
    m_mode = mode;
    m_mode.resizable = resizable && !mode.fullScreen;
    if (!resizable)
        m_windowedSize = GetFrameSize();
    cLog::Get().WriteDefault("--- Resetting display ---\n");
    WriteModeToLog(m_mode);
    ApplyWindowState();
    m_resetting = false;
    m_windowSize = GetWindowSize();
    // The render device listens and resets itself when the mode changed.
    SendEvent(cEventParams(kDisplayEventSize, m_windowSize.x, m_windowSize.y));
}

void cDisplaySDL::ShowSystemCursor(bool show)
{
    cDisplay::ShowSystemCursor(show);
    if (m_videoStarted)
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void cDisplaySDL::SetTitle(const std::string& title)
{
    cDisplay::SetTitle(title);
    if (m_window)
        SDL_SetWindowTitle(m_window, title.c_str());
}

void cDisplaySDL::OnPlatformMessage(const SDL_Event& message)
{
    // Input devices registered here see every message first.
    for (cPlatformMessageHandler* device : GetInputDevices())
        device->OnPlatformMessage(message);
    if (message.type == SDL_WINDOWEVENT && message.window.windowID == m_windowId)
        HandleWindowEvent(message);
}

void cDisplaySDL::HandleWindowEvent(const SDL_Event& message)
{
    switch (message.window.event)
    {
    case SDL_WINDOWEVENT_CLOSE:
        SendEvent(cEvent(kDisplayEventClose));
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m_active = true;
        SendEvent(cEvent(kDisplayEventFocusGained));
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        m_active = false;
        SendEvent(cEvent(kDisplayEventFocusLost));
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    {
        // The frame keeps its size; only the window around it changes.
        const cPoint size(message.window.data1, message.window.data2);
        const bool maximised = (SDL_GetWindowFlags(m_window) & SDL_WINDOW_MAXIMIZED) != 0;
        // A maximised window is not the size to come back to.
        if (SizeEventsAllowed() && !maximised)
            m_windowedSize = size;
        if (!SizeEventsAllowed() || size == m_windowSize)
            break;
        m_windowSize = size;
        SendEvent(cEventParams(kDisplayEventSize, size.x, size.y));
        break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
        SendEvent(cEvent(kDisplayEventPaint));
        break;
    default:
        break;
    }
}

} // namespace Korva
