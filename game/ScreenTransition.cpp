#include "game/ScreenTransition.h"

namespace
{
// Bands grow and shrink at 100 pixels of half-height per second. A fully
// closed band has half-height 25, so neighbours 50 pixels apart meet.
constexpr float kSpeed = 100.0f;
constexpr float kClosedHalfHeight = 25.0f;

// Closing starts with the outer bands: the middle one waits 0.3 s.
constexpr std::array<float, cScreenTransition::kBandCount> kClosingStart = {
    0, -5, -10, -15, -20, -25, -30, -25, -20, -15, -10, -5, 0};
// Opening starts with the middle band: it is gone after 0.25 s, the outer
// ones after 0.55 s.
constexpr std::array<float, cScreenTransition::kBandCount> kOpeningStart = {
    55, 50, 45, 40, 35, 30, 25, 30, 35, 40, 45, 50, 55};
} // namespace

void cScreenTransition::StartClosing()
{
    m_closing = true;
    m_opening = false;
    m_done = false;
    m_halfHeights = kClosingStart;
}

void cScreenTransition::ShowClosed()
{
    m_closing = true;
    m_opening = false;
    m_done = true;
    m_halfHeights.fill(kClosedHalfHeight);
}

void cScreenTransition::StartOpening()
{
    m_closing = false;
    m_opening = true;
    m_done = false;
    m_halfHeights = kOpeningStart;
}

void cScreenTransition::Update(float dt)
{
    const float step = dt * kSpeed;
    if (m_closing)
    {
        bool done = true;
        for (float& h : m_halfHeights)
        {
            h += step;
            if (h > kClosedHalfHeight)
                h = kClosedHalfHeight;
            if (h < kClosedHalfHeight)
                done = false;
        }
        m_done = done;
    }
    else if (m_opening)
    {
        bool done = true;
        for (float& h : m_halfHeights)
        {
            h -= step;
            if (h < 0)
                h = 0;
            if (h > 0)
                done = false;
        }
        m_done = done;
    }
}

std::vector<cScreenTransition::sBand> cScreenTransition::GetBands() const
{
    std::vector<sBand> bands;
    for (int i = 0; i < kBandCount; ++i)
    {
        if (m_halfHeights[i] <= 0)
            continue;
        const auto k = static_cast<int32_t>(m_halfHeights[i]);
        if (k > 0)
            bands.push_back({kBandSpacing * i - k, 2 * k});
    }
    return bands;
}
