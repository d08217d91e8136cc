#pragma once

#include "engine/Display/Point.h"

#include <algorithm>
#include <cstdint>

namespace Korva
{

// An axis-aligned rectangle in pixels. It contains x <= px < x + width and
// y <= py < y + height.
struct cRect
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    constexpr cRect() = default;
    constexpr cRect(int32_t px, int32_t py, int32_t w, int32_t h)
        : x(px), y(py), width(w), height(h)
    {
    }

    constexpr bool Contains(int32_t px, int32_t py) const
    {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
    constexpr bool Contains(const cPoint& p) const { return Contains(p.x, p.y); }
    constexpr bool IsEmpty() const { return width <= 0 || height <= 0; }
    constexpr int32_t GetRight() const { return x + width; }
    constexpr int32_t GetBottom() const { return y + height; }

    // The common part of both; its width or height is 0 or less when they
    // do not overlap.
    constexpr cRect Intersect(const cRect& other) const
    {
        const int32_t left = std::max(x, other.x);
        const int32_t top = std::max(y, other.y);
        const int32_t right = std::min(GetRight(), other.GetRight());
        const int32_t bottom = std::min(GetBottom(), other.GetBottom());
        return cRect(left, top, right - left, bottom - top);
    }

    friend constexpr bool operator==(const cRect&, const cRect&) = default;
};

} // namespace Korva
