#include "engine/Core/SDL/CoreSDL.h"

#include "engine/Core/Log.h"
#include "engine/Core/SDL/PlatformMessageHandler.h"
#include "engine/Core/SDL/Spawn.h"
#include "engine/Core/SDL/SystemInfo.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace Korva
{

namespace
{
// Without a display server to talk to, SDL's video start would only fail
// after probing every driver (and printing complaints), or worse, settle on
// its offscreen driver and run a game nobody can see; a message box has
// nowhere to appear either. A video driver named in SDL_VIDEODRIVER (dummy,
// offscreen) is a headless run on purpose and counts as a display.
bool HasDisplayServer()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"})
    {
        const char* value = std::getenv(variable);
        if (value && *value)
            return true;
    }
    return false;
}
} // namespace

std::unique_ptr<cCore> CreatePlatformCore()
{
    return std::make_unique<cCoreSDL>();
}

cCoreSDL::cCoreSDL()
{
    cLog::Get().WriteDefault("--- Creating Core subsystem ---\n");
    m_osDescription = Korva::GetOSDescription();
    // The data lives beside the executable (or in the installed share
    // folder), never in whatever folder the game was started from.
    m_workingDirectory = FindProgramFolder(GetExecutableFolder()).string();
    QueryDesktopSize();
    WriteSystemReport();
}

cCoreSDL::~cCoreSDL() = default;

cCoreSDL& cCoreSDL::Get()
{
    return static_cast<cCoreSDL&>(cCore::Get());
}

void cCoreSDL::QueryDesktopSize()
{
    // On a machine without a display video cannot start and the size stays
    // 0 x 0; if a display layer already started video, it is simply used.
    const bool started = SDL_WasInit(SDL_INIT_VIDEO) == 0;
    if (started && (!HasDisplayServer() || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0))
        return;
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0)
    {
        m_desktopWidth = mode.w;
        m_desktopHeight = mode.h;
    }
    if (started)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void cCoreSDL::AddPlatformMessageHandler(cPlatformMessageHandler* handler)
{
    if (handler && std::find(m_handlers.begin(), m_handlers.end(), handler) == m_handlers.end())
        m_handlers.push_back(handler);
}

void cCoreSDL::RemovePlatformMessageHandler(cPlatformMessageHandler* handler)
{
    std::erase(m_handlers, handler);
}

void cCoreSDL::PumpMessages()
{
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0)
        return;
    SDL_Event message;
    while (SDL_PollEvent(&message))
    {
        const auto handlers = m_handlers;
        for (cPlatformMessageHandler* handler : handlers)
        {
            if (std::find(m_handlers.begin(), m_handlers.end(), handler) != m_handlers.end())
                handler->OnPlatformMessage(message);
        }
        // Like a quit message on other platforms, it ends this pass's pumping.
        if (message.type == SDL_QUIT)
            break;
    }
}

void cCoreSDL::ShowPlatformMessage(const std::string& title, const std::string& text)
{
    // Also on standard error, so a run from a terminal or a script keeps it.
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
    if (!HasDisplayServer())
        cLog::Get().WriteDefault("No display for a message box: " + title + ": " + text + "\n");
    else if (SDL_ShowSimpleMessageBox(0, title.c_str(), text.c_str(), nullptr) != 0)
        cLog::Get().WriteDefault("Message box not available (" + std::string(SDL_GetError()) +
                                 "): " + title + ": " + text + "\n");
}

void cCoreSDL::OpenURL(const std::string& url)
{
    if (url.empty() || SpawnDetached({"xdg-open", url}) < 0)
        cLog::Get().WriteDefault("Couldn't open URL: '" + url + "'.\n");
}

} // namespace Korva
