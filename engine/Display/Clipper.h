#pragma once

#include "engine/Display/Vertex.h"

#include <span>
#include <vector>

namespace Korva
{

// Cuts primitives at the edges of a clip box, interpolating position, colour
// and texture position linearly along the cut edges. Keeps its scratch
// buffers between calls, so clipping allocates nothing once warm.
class cClipper
{
public:
    // Clips a convex polygon; the result (possibly empty) is valid until the
    // next call. A triangle yields at most seven corners.
    std::span<const cVertex> ClipPolygon(std::span<const cVertex> polygon, const cClipBox& box);

    // Clips the segment a-b in place; false when nothing of it is left.
    static bool ClipLine(cVertex& a, cVertex& b, const cClipBox& box);

    // The point at t along a-b (t = 0 gives a), colours per channel.
    static cVertex Interpolate(const cVertex& a, const cVertex& b, float t);

private:
    std::vector<cVertex> m_front;
    std::vector<cVertex> m_back;
};

} // namespace Korva
