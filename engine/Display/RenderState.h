#pragma once

#include <cstdint>

namespace Korva
{

enum : int32_t
{
    kBlendOpaque = 0,
    kBlendAlpha = 1,
    kBlendAdditive = 2,
};

enum : int32_t
{
    kFilterPoint = 0,
    kFilterLinear = 1,
};

// How the render device combines what it draws with the frame.
struct cRenderState
{
    int32_t blendMode = kBlendAlpha;
    // On: colour = texel x vertex colour. Off: colour = vertex colour, the
    // texture gives only its alpha.
    uint8_t colorModulation = 1;
    int32_t filterMode = kFilterPoint;

    friend constexpr bool operator==(const cRenderState&, const cRenderState&) = default;
};

} // namespace Korva
