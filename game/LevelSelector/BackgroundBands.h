#pragma once

#include "game/Game/Random.h"

#include <array>

namespace Korva
{
class cRenderDevice;
}

// The drifting translucent bands behind the level selector and the intro:
// each bounces between the top and the bottom of the screen while its
// height swells and shrinks with a turning angle.
class cBackgroundBands
{
public:
    struct Band
    {
        float y = 0.0f;
        float speed = 0.0f;
        float size = 1.0f;
        float widthFactor = 10.0f;
        float angle = 0.0f;
        float spin = 0.0f;
    };
    static constexpr int kCount = 30;

    void Seed(cRandom& random);
    void Update(float dt);
    void Draw(Korva::cRenderDevice& device, int32_t x, int32_t y, int32_t alpha) const;

    const std::array<Band, kCount>& GetBands() const { return m_bands; }

private:
    std::array<Band, kCount> m_bands{};
};
