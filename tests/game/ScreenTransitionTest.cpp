#include "game/ScreenTransition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
// A power-of-two time step keeps every sum exact: 0.78125 pixels per step.
constexpr float kDt = 1.0f / 128.0f;

void Advance(cScreenTransition& shutter, int steps)
{
    for (int i = 0; i < steps; ++i)
        shutter.Update(kDt);
}

// Every pixel row 0..599 lies inside some band.
bool CoversScreen(const cScreenTransition& shutter)
{
    std::vector<bool> covered(600, false);
    for (const auto& band : shutter.GetBands())
        for (int y = std::max(0, band.y); y < std::min(600, band.y + band.height); ++y)
            covered[static_cast<size_t>(y)] = true;
    return std::all_of(covered.begin(), covered.end(), [](bool c) { return c; });
}
} // namespace

TEST(ScreenTransition, ClosingStartsOutsideAndTakesFiftyFiveHundredths)
{
    cScreenTransition shutter;
    shutter.StartClosing();
    EXPECT_TRUE(shutter.IsClosing());
    EXPECT_FALSE(shutter.IsDone());
    EXPECT_FLOAT_EQ(shutter.GetHalfHeight(6), -30.0f);
    EXPECT_TRUE(shutter.GetBands().empty());

    // After 0.25 s the outer bands are closed, the middle one has not started.
    Advance(shutter, 32);
    EXPECT_FLOAT_EQ(shutter.GetHalfHeight(0), 25.0f);
    EXPECT_FLOAT_EQ(shutter.GetHalfHeight(12), 25.0f);
    EXPECT_FLOAT_EQ(shutter.GetHalfHeight(6), -5.0f);
    EXPECT_FLOAT_EQ(shutter.GetHalfHeight(3), 10.0f);
    EXPECT_FALSE(CoversScreen(shutter));

    // 55 pixels for the middle band: 70 steps are 54.7, the 71st closes it.
    Advance(shutter, 70 - 32);
    EXPECT_FALSE(shutter.IsDone());
    Advance(shutter, 1);
    EXPECT_TRUE(shutter.IsDone());
    for (int i = 0; i < cScreenTransition::kBandCount; ++i)
        EXPECT_FLOAT_EQ(shutter.GetHalfHeight(i), 25.0f) << "band " << i;
    EXPECT_TRUE(CoversScreen(shutter));

    const auto bands = shutter.GetBands();
    ASSERT_EQ(bands.size(), 13u);
    EXPECT_EQ(bands[0].y, -25);
    EXPECT_EQ(bands[0].height, 50);
    EXPECT_EQ(bands[12].y, 575);
}

TEST(ScreenTransition, OpeningClearsTheMiddleFirst)
{
    cScreenTransition shutter;
    shutter.StartOpening();
    EXPECT_TRUE(shutter.IsOpening());
    EXPECT_FALSE(shutter.IsClosing());
    EXPECT_TRUE(CoversScreen(shutter));

    Advance(shutter, 32); // 0.25 s
    EXPECT_FLOAT_EQ(shutter.GetHalfHeight(6), 0.0f);
    EXPECT_FLOAT_EQ(shutter.GetHalfHeight(0), 30.0f);
    EXPECT_FALSE(shutter.IsDone());
    for (const auto& band : shutter.GetBands())
        EXPECT_FALSE(band.y <= 300 && 300 < band.y + band.height) << "the middle is open";

    Advance(shutter, 70 - 32);
    EXPECT_FALSE(shutter.IsDone());
    Advance(shutter, 1);
    EXPECT_TRUE(shutter.IsDone());
    EXPECT_TRUE(shutter.GetBands().empty());
    // Values never go below zero.
    EXPECT_FLOAT_EQ(shutter.GetHalfHeight(6), 0.0f);
}

TEST(ScreenTransition, BandHeightsAreTruncatedAndIdleShutterStays)
{
    cScreenTransition shutter;
    shutter.StartOpening();
    shutter.Update(0.023f); // 2.3 pixels: 55 -> 52.7, drawn as 52
    const auto bands = shutter.GetBands();
    ASSERT_FALSE(bands.empty());
    EXPECT_EQ(bands[0].y, -52);
    EXPECT_EQ(bands[0].height, 104);

    cScreenTransition idle;
    idle.Update(1.0f);
    EXPECT_FALSE(idle.IsDone());
    EXPECT_TRUE(idle.GetBands().empty());
}
