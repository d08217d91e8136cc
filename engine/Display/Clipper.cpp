#include "engine/Display/Clipper.h"

#include <algorithm>
#include <cmath>

namespace Korva
{

namespace
{

uint32_t LerpChannel(uint32_t a, uint32_t b, int shift, float t)
{
    const float ca = static_cast<float>((a >> shift) & 255);
    const float cb = static_cast<float>((b >> shift) & 255);
    const long c = std::lround(ca + (cb - ca) * t);
    return static_cast<uint32_t>(c < 0 ? 0 : (c > 255 ? 255 : c)) << shift;
}

// One edge of the box: the signed distance of a point inside it is >= 0.
enum class eEdge
{
    Left,
    Right,
    Top,
    Bottom
};

float Distance(const cVertex& p, eEdge edge, const cClipBox& box)
{
    switch (edge)
    {
    case eEdge::Left:
        return p.x - box.left;
    case eEdge::Right:
        return box.right - p.x;
    case eEdge::Top:
        return p.y - box.top;
    case eEdge::Bottom:
        return box.bottom - p.y;
    }
    return 0.0f;
}

// The cut point lies exactly on the edge; interpolation can leave it a hair
// outside, which would break the edge-inclusive contract.
void SnapToEdge(cVertex& p, eEdge edge, const cClipBox& box)
{
    switch (edge)
    {
    case eEdge::Left:
        p.x = box.left;
        break;
    case eEdge::Right:
        p.x = box.right;
        break;
    case eEdge::Top:
        p.y = box.top;
        break;
    case eEdge::Bottom:
        p.y = box.bottom;
        break;
    }
}

} // namespace

cVertex cClipper::Interpolate(const cVertex& a, const cVertex& b, float t)
{
    cVertex r;
    r.x = a.x + (b.x - a.x) * t;
    r.y = a.y + (b.y - a.y) * t;
    r.u = a.u + (b.u - a.u) * t;
    r.v = a.v + (b.v - a.v) * t;
    r.color = LerpChannel(a.color, b.color, 24, t) | LerpChannel(a.color, b.color, 16, t) |
              LerpChannel(a.color, b.color, 8, t) | LerpChannel(a.color, b.color, 0, t);
    return r;
}

std::span<const cVertex> cClipper::ClipPolygon(std::span<const cVertex> polygon,
                                               const cClipBox& box)
{
    // Sutherland-Hodgman: one pass per edge of the box.
    m_front.assign(polygon.begin(), polygon.end());
    for (eEdge edge : {eEdge::Left, eEdge::Right, eEdge::Top, eEdge::Bottom})
    {
        m_back.clear();
        const size_t n = m_front.size();
        for (size_t i = 0; i < n; ++i)
        {
            const cVertex& current = m_front[i];
            const cVertex& next = m_front[(i + 1) % n];
            const float dc = Distance(current, edge, box);
            const float dn = Distance(next, edge, box);
            if (dc >= 0.0f)
                m_back.push_back(current);
            if ((dc >= 0.0f) != (dn >= 0.0f))
            {
                cVertex cut = Interpolate(current, next, dc / (dc - dn));
                SnapToEdge(cut, edge, box);
                m_back.push_back(cut);
            }
        }
        m_front.swap(m_back);
        if (m_front.empty())
            break;
    }
    return m_front;
}

bool cClipper::ClipLine(cVertex& a, cVertex& b, const cClipBox& box)
{
    // Liang-Barsky: the parameter range of the segment inside every edge.
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    float t0 = 0.0f;
    float t1 = 1.0f;
    const float p[4] = {-dx, dx, -dy, dy};
    const float q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
    for (int i = 0; i < 4; ++i)
    {
        if (p[i] == 0.0f)
        {
            if (q[i] < 0.0f)
                return false;
            continue;
        }
        const float t = q[i] / p[i];
        if (p[i] < 0.0f)
        {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        }
        else
        {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    const cVertex start = a;
    if (t0 > 0.0f)
        a = Interpolate(start, b, t0);
    if (t1 < 1.0f)
        b = Interpolate(start, b, t1);
    // Rounding may leave a cut end a hair outside; the ends lie on the box.
    for (cVertex* end : {&a, &b})
    {
        end->x = std::clamp(end->x, box.left, box.right);
        end->y = std::clamp(end->y, box.top, box.bottom);
    }
    return true;
}

} // namespace Korva
