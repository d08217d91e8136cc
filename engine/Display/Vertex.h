#pragma once

#include <cstdint>

namespace Korva
{

// One corner of a primitive as the render device receives it. Positions are
// in device pixels where pixel (i, j) covers [i, i + 1) x [j, j + 1), so a
// rectangle's corners are its integer edges; colour is packed ARGB; the
// texture position is in texture pixels.
struct cVertex
{
    float x = 0.0f;
    float y = 0.0f;
    uint32_t color = 0xFF000000u;
    float u = 0.0f;
    float v = 0.0f;
};

// The region primitives are clipped to, edges included.
struct cClipBox
{
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;

    bool Contains(const cVertex& p) const
    {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
};

} // namespace Korva
