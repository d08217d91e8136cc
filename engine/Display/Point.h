#pragma once

#include <cstdint>

namespace Korva
{

// A position in screen pixels; also used as a size.
struct cPoint
{
    int32_t x = 0;
    int32_t y = 0;

    constexpr cPoint() = default;
    constexpr cPoint(int32_t px, int32_t py) : x(px), y(py) {}
    friend constexpr bool operator==(const cPoint&, const cPoint&) = default;
};

// A position with sub-pixel precision, for the render device's primitives.
struct cPointF
{
    float x = 0.0f;
    float y = 0.0f;

    constexpr cPointF() = default;
    constexpr cPointF(float px, float py) : x(px), y(py) {}
    constexpr cPointF(const cPoint& p) : x(static_cast<float>(p.x)), y(static_cast<float>(p.y)) {}
    friend constexpr bool operator==(const cPointF&, const cPointF&) = default;
};

} // namespace Korva
