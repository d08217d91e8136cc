#pragma once

#include "engine/Display/DisplayMode.h"

#include <memory>
#include <string>
#include <vector>

namespace Korva
{

class cDisplaySDL;
class cRenderDeviceGL;

// A display mode the system offers.
struct cModeInfo
{
    int32_t width = 0;
    int32_t height = 0;
    int32_t refreshRate = 0;
    std::string format; // "X8R8G8B8", "R5G6B5", ... or "UNKNOWN"
    int32_t bitsPerPixel = 0;
};

// One per program: lists what the system's displays offer and makes the
// render device for the display. The adapter, driver and texture limits are
// logged by the device, which is the first to have an OpenGL context.
class cRenderSystemGL
{
public:
    // Needs SDL's video, which the display started.
    cRenderSystemGL();

    const std::vector<cModeInfo>& GetModes() const { return m_modes; }
    const std::string& GetDesktopFormat() const { return m_desktopFormat; }
    std::unique_ptr<cRenderDeviceGL> CreateRenderDevice(cDisplaySDL& display) const;

    // The log's name for an SDL pixel format and its bits per pixel.
    static std::string FormatName(uint32_t sdlFormat);
    static int32_t FormatBits(uint32_t sdlFormat);

private:
    std::vector<cModeInfo> m_modes;
    std::string m_desktopFormat;
};

} // namespace Korva
