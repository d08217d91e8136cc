#include "engine/Display/GL/RenderSystemGL.h"

#include "engine/Core/Log.h"
#include "engine/Display/GL/RenderDeviceGL.h"

#include <SDL.h>

namespace Korva
{

std::string cRenderSystemGL::FormatName(uint32_t sdlFormat)
{
    switch (sdlFormat)
    {
    case SDL_PIXELFORMAT_RGB24:
        return "R8G8B8";
    case SDL_PIXELFORMAT_ARGB8888:
        return "A8R8G8B8";
    case SDL_PIXELFORMAT_RGB888:
        return "X8R8G8B8";
    case SDL_PIXELFORMAT_RGB565:
        return "R5G6B5";
    case SDL_PIXELFORMAT_RGB555:
        return "X1R5G5B5";
    case SDL_PIXELFORMAT_ARGB1555:
        return "A1R5G5B5";
    case SDL_PIXELFORMAT_ARGB4444:
        return "A4R4G4B4";
    case SDL_PIXELFORMAT_RGB444:
        return "X4R4G4B4";
    default:
        return "UNKNOWN";
    }
}

int32_t cRenderSystemGL::FormatBits(uint32_t sdlFormat)
{
    switch (sdlFormat)
    {
    case SDL_PIXELFORMAT_RGB24:
        return 24;
    case SDL_PIXELFORMAT_ARGB8888:
    case SDL_PIXELFORMAT_RGB888:
        return 32;
    case SDL_PIXELFORMAT_RGB565:
    case SDL_PIXELFORMAT_RGB555:
    case SDL_PIXELFORMAT_ARGB1555:
    case SDL_PIXELFORMAT_ARGB4444:
    case SDL_PIXELFORMAT_RGB444:
        return 16;
    default:
        return 0;
    }
}

cRenderSystemGL::cRenderSystemGL()
{
    cLog& log = cLog::Get();
    log.WriteDefault("--- Creating render system (OpenGL) ---\n");
    SDL_DisplayMode desktop{};
    m_desktopFormat =
        SDL_GetDesktopDisplayMode(0, &desktop) == 0 ? FormatName(desktop.format) : "UNKNOWN";
    log.WriteDefault("Desktop format: " + m_desktopFormat + "\n");
    log.WriteDefault("Supported resolutions:\n");
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i)
    {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, i, &mode) != 0)
            continue;
        cModeInfo info;
        info.width = mode.w;
        info.height = mode.h;
        info.refreshRate = mode.refresh_rate;
        info.format = FormatName(mode.format);
        info.bitsPerPixel = FormatBits(mode.format);
        m_modes.push_back(info);
        log.WriteDefault(" " + std::to_string(info.width) + "x" + std::to_string(info.height) +
                         "x" + std::to_string(info.bitsPerPixel) + "@" +
                         std::to_string(info.refreshRate) + "Hz (" + info.format + ")\n");
    }
}

std::unique_ptr<cRenderDeviceGL> cRenderSystemGL::CreateRenderDevice(cDisplaySDL& display) const
{
    return std::make_unique<cRenderDeviceGL>(display);
}

} // namespace Korva
