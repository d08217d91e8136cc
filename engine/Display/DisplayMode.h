#pragma once

#include <cstdint>

namespace Korva
{

// What the display and the render device agree on.
struct cDisplayMode
{
    int32_t width = 800;
    int32_t height = 600;
    int32_t bitDepth = 32; // 16, 24 or 32
    bool fullScreen = false;
    bool resizable = false;
    bool verticalSync = false;
    int32_t refreshRate = 0; // 0: the default

    friend constexpr bool operator==(const cDisplayMode&, const cDisplayMode&) = default;
};

} // namespace Korva
