#include "game/LevelSelector/BackgroundBands.h"

#include "engine/Display/RenderDevice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Korva;

namespace
{
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
}

void cBackgroundBands::Seed(cRandom& random)
{
    for (Band& band : m_bands)
    {
        band.y = random.RandomFloat(0.0f, 600.0f);
        band.speed = random.RandomFloat(-50.0f, 50.0f);
        band.size = random.RandomFloat(1.0f, 20.0f);
        band.widthFactor = random.RandomFloat(10.0f, 50.0f);
        band.angle = random.RandomFloat(0.0f, kTwoPi);
        band.spin = random.RandomFloat(0.2f, 1.5f);
    }
}

void cBackgroundBands::Update(float dt)
{
    for (Band& band : m_bands)
    {
        band.y += band.speed * dt;
        if (band.y < 0.0f)
        {
            band.y = 0.0f;
            band.speed = -band.speed;
        }
        else if (band.y > 599.0f)
        {
            band.y = 599.0f;
            band.speed = -band.speed;
        }
        band.angle += band.spin * dt;
        while (band.angle >= kTwoPi)
            band.angle -= kTwoPi;
    }
}

void cBackgroundBands::Draw(cRenderDevice& device, int32_t x, int32_t y, int32_t alpha) const
{
    for (const Band& band : m_bands)
    {
        // The width factor sets how strongly a band swells with its angle.
        const float height =
            band.size + band.widthFactor * 0.5f * (1.0f + std::sin(band.angle)) * 0.5f;
        const auto h = std::max<int32_t>(1, static_cast<int32_t>(height));
        const auto top = static_cast<int32_t>(band.y) - h / 2;
        device.FillRect(cRect(x, y + top, 800, h), cColor(70, 90, 140, alpha * 24 / 255));
    }
}
