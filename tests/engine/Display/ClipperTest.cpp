// The clipper and the line bands, checked by sampling pixel centres: after
// clipping, the pixels covered are exactly those the unclipped primitive
// covers inside the clip rectangle.
#include "engine/Display/Clipper.h"
#include "engine/Display/RenderDevice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace Korva
{
namespace
{

using tPixels = std::set<std::pair<int, int>>;

cVertex V(float x, float y, uint32_t color = 0xFF000000u, float u = 0.0f, float v = 0.0f)
{
    cVertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.color = color;
    vertex.u = u;
    vertex.v = v;
    return vertex;
}

// Twice the signed area of a, b, p.
float Edge(const cVertex& a, const cVertex& b, float px, float py)
{
    return (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
}

// Pixel centres strictly inside the triangle; centres within a hair of an
// edge are left out on both sides of the comparison.
void Rasterize(const cVertex& a, const cVertex& b, const cVertex& c, tPixels& out, tPixels& unsure)
{
    const float area = Edge(a, b, c.x, c.y);
    if (std::abs(area) < 1e-6f)
        return;
    for (int y = -50; y < 150; ++y)
        for (int x = -50; x < 150; ++x)
        {
            const float px = x + 0.5f, py = y + 0.5f;
            const float e[3] = {Edge(a, b, px, py) / area, Edge(b, c, px, py) / area,
                                Edge(c, a, px, py) / area};
            const float m = std::min({e[0], e[1], e[2]});
            if (m > 1e-4f)
                out.insert({x, y});
            else if (m > -1e-4f)
                unsure.insert({x, y});
        }
}

tPixels Without(const tPixels& pixels, const tPixels& unsure)
{
    tPixels result;
    for (const auto& p : pixels)
        if (!unsure.count(p))
            result.insert(p);
    return result;
}

const cClipBox kBox{20.0f, 30.0f, 60.0f, 70.0f}; // the rectangle (20, 30, 40, 40)

bool InBox(const std::pair<int, int>& p)
{
    return p.first >= 20 && p.first < 60 && p.second >= 30 && p.second < 70;
}

TEST(ClipperTest, ClippedTrianglesCoverExactlyTheirPixelsInsideTheClip)
{
    // Fully inside, fully outside, across each edge, across each corner,
    // and larger than the box on every side.
    const std::vector<std::vector<cVertex>> triangles = {
        {V(25, 35, 0), V(50, 40), V(30, 60)},  {V(-10, -10), V(10, -5), V(0, 20)},
        {V(10, 40), V(40, 45), V(12, 60)},     {V(50, 35), V(90, 50), V(45, 65)},
        {V(30, 10), V(50, 45), V(25, 40)},     {V(30, 60), V(55, 95), V(35, 90)},
        {V(5, 15), V(35, 40), V(28, 50)},      {V(50, 60), V(80, 80), V(55, 90)},
        {V(70, 20), V(40, 45), V(45, 10)},     {V(10, 75), V(30, 55), V(0, 95)},
        {V(-100, -100), V(200, 0), V(0, 200)}, {V(20.5f, 30.25f), V(59.9f, 31), V(21, 69.75f)},
    };
    cClipper clipper;
    for (size_t t = 0; t < triangles.size(); ++t)
    {
        const auto& tri = triangles[t];
        tPixels expected, unsure;
        Rasterize(tri[0], tri[1], tri[2], expected, unsure);
        const auto polygon = clipper.ClipPolygon(tri, kBox);
        tPixels covered;
        for (size_t i = 2; i < polygon.size(); ++i)
            Rasterize(polygon[0], polygon[i - 1], polygon[i], covered, unsure);
        for (const cVertex& v : polygon)
            EXPECT_TRUE(kBox.Contains(v)) << "triangle " << t;
        tPixels inside;
        for (const auto& p : expected)
            if (InBox(p))
                inside.insert(p);
        EXPECT_EQ(Without(covered, unsure), Without(inside, unsure)) << "triangle " << t;
        EXPECT_LE(polygon.size(), 7u);
    }
}

TEST(ClipperTest, CutsInterpolateColourAndTexturePosition)
{
    // Black at x = 0, white at x = 100; u runs 0..100 along with it.
    const cVertex triangle[3] = {V(0, 40, 0xFF000000u, 0, 0), V(100, 40, 0xFFFFFFFFu, 100, 0),
                                 V(100, 60, 0xFFFFFFFFu, 100, 20)};
    cClipper clipper;
    const auto polygon = clipper.ClipPolygon(triangle, kBox);
    ASSERT_GE(polygon.size(), 3u);
    bool sawLeftCut = false;
    for (const cVertex& v : polygon)
    {
        EXPECT_NEAR(v.u, v.x, 1e-3f);
        const int grey = static_cast<int>(v.color & 255);
        EXPECT_NEAR(grey, v.x * 255.0f / 100.0f, 1.0f);
        EXPECT_EQ(v.color >> 24, 255u);
        if (v.x == 20.0f)
        {
            sawLeftCut = true;
            EXPECT_EQ(grey, 51);
        }
    }
    EXPECT_TRUE(sawLeftCut);
}

// The pixels a line covers: its band, filled as the back end fills it (as
// one convex quad, so centres on the quad's inner diagonal count).
tPixels LinePixels(const cVertex& a, const cVertex& b, tPixels& unsure)
{
    cVertex quad[4];
    cRenderDevice::BuildLineQuad(a, b, quad);
    tPixels covered;
    const float orientation = Edge(quad[0], quad[1], quad[2].x, quad[2].y) < 0.0f ? -1.0f : 1.0f;
    for (int y = -50; y < 150; ++y)
        for (int x = -50; x < 150; ++x)
        {
            float m = 1e9f;
            for (int i = 0; i < 4; ++i)
            {
                const cVertex& p = quad[i];
                const cVertex& q = quad[(i + 1) % 4];
                const float length = std::hypot(q.x - p.x, q.y - p.y);
                if (length > 0.0f)
                    m = std::min(m, orientation * Edge(p, q, x + 0.5f, y + 0.5f) / length);
            }
            if (m > 1e-4f)
                covered.insert({x, y});
            else if (m > -1e-4f)
                unsure.insert({x, y});
        }
    return covered;
}

TEST(ClipperTest, LinesCoverFromTheirFirstPixelUpToTheLastAndClipExactly)
{
    const std::vector<std::pair<cPoint, cPoint>> lines = {
        {{0, 40}, {100, 40}}, {{100, 41}, {0, 41}}, {{30, 0}, {30, 100}}, {{31, 100}, {31, 0}},
        {{0, 0}, {100, 100}}, {{90, 10}, {10, 90}}, {{25, 35}, {40, 50}}, {{10, 10}, {15, 15}},
        {{20, 69}, {59, 69}}, {{60, 35}, {60, 60}}, {{19, 35}, {19, 60}}, {{10, 45}, {70, 52}},
    };
    for (const auto& [p0, p1] : lines)
    {
        cVertex a, b;
        cRenderDevice::LineToBand(p0, p1, a, b);
        tPixels unsure;
        const tPixels full = LinePixels(a, b, unsure);
        // Axis-aligned lines: the start pixel is in, the end pixel out.
        if (p0.x == p1.x || p0.y == p1.y)
        {
            EXPECT_TRUE(full.count({p0.x, p0.y}));
            EXPECT_FALSE(full.count({p1.x, p1.y}));
            EXPECT_EQ(full.size(),
                      static_cast<size_t>(std::max(std::abs(p1.x - p0.x), std::abs(p1.y - p0.y))));
        }
        tPixels clipped;
        if (cClipper::ClipLine(a, b, kBox))
            clipped = LinePixels(a, b, unsure);
        tPixels inside;
        for (const auto& p : full)
            if (InBox(p))
                inside.insert(p);
        EXPECT_EQ(Without(clipped, unsure), Without(inside, unsure))
            << p0.x << "," << p0.y << " -> " << p1.x << "," << p1.y;
    }
}

} // namespace
} // namespace Korva
