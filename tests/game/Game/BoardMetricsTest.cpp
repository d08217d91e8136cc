#include "game/Game/BoardMetrics.h"
#include "engine/Display/Sprite.h"
#include "engine/File/DataTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
// A sprite with one frame of the given size and animations whose steps last
// the given times.
std::unique_ptr<Korva::cSprite> MakeSprite(int width, int height,
                                           const std::vector<std::vector<float>>& anims)
{
    Korva::cDataTree tree;
    Korva::cDataNode& sprite = tree.GetRoot().AddChild("Sprite");
    sprite.AddAttribute("ImageAlias", "ImgNone");
    Korva::cDataNode& frame = sprite.AddChild("Frames").AddChild("Frame");
    for (const char* key : {"X", "Y", "HotSpotX", "HotSpotY"})
        frame.AddInt(key, 0);
    frame.AddInt("Width", width);
    frame.AddInt("Height", height);
    Korva::cDataNode& list = sprite.AddChild("Anims");
    for (const auto& steps : anims)
    {
        Korva::cDataNode& anim = list.AddChild("Anim");
        for (float time : steps)
        {
            Korva::cDataNode& step = anim.AddChild("Step");
            step.AddInt("Frame", 0);
            step.AddFloat("Time", time);
        }
    }
    return std::make_unique<Korva::cSprite>(tree.GetRoot(), "test.spr",
                                            [](const std::string&) { return nullptr; });
}
} // namespace

TEST(BoardMetrics, SizesAndTimingsComeFromTheSprites)
{
    std::vector<std::vector<float>> cellAnims(15, std::vector<float>{0.1f});
    cellAnims[13] = {0.25f, 0.25f, 0.25f};
    cellAnims[14] = {0.5f, 0.5f};
    const auto cells = MakeSprite(44, 38, cellAnims);
    const auto bomb = MakeSprite(40, 40, {{0.1f}, {1.0f, 0.5f}}); // no blast animation
    const cBoardMetrics metrics = BoardMetricsFromSprites(cells.get(), bomb.get(), nullptr);
    EXPECT_EQ(metrics.cellWidth, 44);
    EXPECT_EQ(metrics.cellHeight, 38);
    EXPECT_FLOAT_EQ(metrics.crumbleTimeA, 0.75f);
    EXPECT_FLOAT_EQ(metrics.crumbleTimeB, 1.0f);
    EXPECT_FLOAT_EQ(metrics.fuseTime, 1.5f);
    // What is missing keeps the defaults.
    EXPECT_FLOAT_EQ(metrics.blastTime, cBoardMetrics{}.blastTime);
    EXPECT_FLOAT_EQ(metrics.explosionTime, cBoardMetrics{}.explosionTime);
    const cBoardMetrics none = BoardMetricsFromSprites(nullptr, nullptr, nullptr);
    EXPECT_EQ(none.cellWidth, cBoardMetrics{}.cellWidth);
}
