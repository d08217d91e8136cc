#include "engine/Display/SDL/DisplaySDL.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Core/SDL/CoreSDL.h"
#include "engine/Display/RenderDevice.h"

#include <SDL.h>

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
    // The frame's colour depth is asked of the OpenGL surface; the render
    // device draws into an offscreen frame of exactly that depth anyway.
    const bool depth16 = mode.bitDepth == 16;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, depth16 ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, depth16 ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, depth16 ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);

    uint32_t flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (m_mode.resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    m_window = SDL_CreateWindow(m_title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                mode.width, mode.height, flags);
    if (!m_window)
    {
        cLog::Get().WriteDefault(std::string("SDL window: ") + SDL_GetError() + "\n");
        m_creating = false;
        KORVA_THROW(cException, "Couldn't create window.");
    }
    m_windowId = SDL_GetWindowID(m_window);
    if (mode.fullScreen)
        ApplyWindowState();
    ShowSystemCursor(m_systemCursorVisible);
    SDL_RaiseWindow(m_window);
    // Without a window manager (a bare X server) no focus event ever comes;
    // a freshly shown window counts as active.
    m_active = true;
    cCoreSDL::Get().AddPlatformMessageHandler(this);
    m_registered = true;
    m_creating = false;
}

void cDisplaySDL::ApplyWindowState()
{
    if (m_mode.fullScreen)
    {
        SDL_DisplayMode wanted{};
        wanted.w = m_mode.width;
        wanted.h = m_mode.height;
        wanted.refresh_rate = m_mode.refreshRate;
        SDL_DisplayMode closest{};
        const int index = SDL_GetWindowDisplayIndex(m_window);
        bool done = false;
        if (SDL_GetClosestDisplayMode(index < 0 ? 0 : index, &wanted, &closest) &&
            closest.w == m_mode.width && closest.h == m_mode.height)
        {
            done = SDL_SetWindowDisplayMode(m_window, &closest) == 0 &&
                   SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN) == 0;
        }
        if (!done)
        {
            // The system offers no such mode (or refuses to switch): take the
            // desktop's mode; the frame is scaled to it.
            cLog::Get().WriteDefault("Fullscreen mode: desktop\n");
            if (SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
                cLog::Get().WriteDefault(std::string("SDL fullscreen: ") + SDL_GetError() + "\n");
        }
    }
    else
    {
        SDL_SetWindowFullscreen(m_window, 0);
        SDL_SetWindowResizable(m_window, m_mode.resizable ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowSize(m_window, m_mode.width, m_mode.height);
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
    cLog::Get().WriteDefault("--- Resetting display ---\n");
    WriteModeToLog(m_mode);
    ApplyWindowState();
    m_resetting = false;
    // The render device listens and resets itself to the new mode.
    SendEvent(cEventParams(kDisplayEventSize, m_mode.width, m_mode.height));
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
        const int32_t width = message.window.data1;
        const int32_t height = message.window.data2;
        if (!SizeEventsAllowed() || (width == m_mode.width && height == m_mode.height))
            break;
        m_mode.width = width;
        m_mode.height = height;
        SendEvent(cEventParams(kDisplayEventSize, width, height));
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
