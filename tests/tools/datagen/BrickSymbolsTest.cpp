// The colour-blind aid's symbols as the game loads them: for each brick
// colour a symbol whose shape alone (its alpha mask, no hue) tells it from
// every other colour's, on both halves of a brick and at both brick sizes.
#include "engine/Display/ImageLoader.h"
#include "engine/Display/Sprite.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace Korva;

namespace
{

struct sSymbols
{
    std::unique_ptr<cSprite> sprite;
    std::unique_ptr<cImageLoader> sheet;

    // Covered pixels of a frame: alpha at least half.
    std::vector<bool> Mask(int32_t frame) const
    {
        std::vector<bool> mask;
        const int32_t x0 = sprite->GetFrameX(frame), y0 = sprite->GetFrameY(frame);
        for (int32_t y = 0; y < sprite->GetFrameHeight(frame); ++y)
            for (int32_t x = 0; x < sprite->GetFrameWidth(frame); ++x)
            {
                const size_t at =
                    (static_cast<size_t>(y0 + y) * static_cast<size_t>(sheet->GetWidth()) +
                     static_cast<size_t>(x0 + x)) *
                    4;
                mask.push_back(sheet->GetPixels()[at + 3] >= 128);
            }
        return mask;
    }
};

sSymbols Load(cFileSystem& programFolder, const std::string& name)
{
    sSymbols s;
    s.sprite = std::make_unique<cSprite>("/Sprites/" + name + ".spr", programFolder,
                                         [](const std::string&)
                                         { return static_cast<cImageSource*>(nullptr); });
    s.sheet = CreateImageLoader("/Images/Sheet" + name + ".tga");
    s.sheet->Load(programFolder);
    return s;
}

TEST(BrickSymbols, EveryPairOfColoursDiffersInShape)
{
    cFileSystemPOSIX programFolder(ZELTRA_TEST_PROGRAM_DIR);
    for (const char* name : {"BrickSymbols", "BrickSymbolsSmall"})
    {
        SCOPED_TRACE(name);
        const sSymbols symbols = Load(programFolder, name);
        const cSprite& sprite = *symbols.sprite;
        // Colours 0..9 on the left half, then on the right half.
        ASSERT_EQ(sprite.GetFrameCount(), 20);
        for (int32_t f = 1; f < 20; ++f)
        {
            // One frame box and hot spot: the masks line up pixel by pixel.
            ASSERT_EQ(sprite.GetFrameWidth(f), sprite.GetFrameWidth(0));
            ASSERT_EQ(sprite.GetFrameHeight(f), sprite.GetFrameHeight(0));
            ASSERT_EQ(sprite.GetFrameHotSpotX(f), sprite.GetFrameHotSpotX(0));
            ASSERT_EQ(sprite.GetFrameHotSpotY(f), sprite.GetFrameHotSpotY(0));
        }
        const size_t area = static_cast<size_t>(sprite.GetFrameWidth(0) * sprite.GetFrameHeight(0));
        for (int32_t half = 0; half < 2; ++half)
        {
            std::vector<std::vector<bool>> masks;
            for (int32_t colour = 0; colour < 10; ++colour)
            {
                masks.push_back(symbols.Mask(10 * half + colour));
                size_t covered = 0;
                for (bool b : masks.back())
                    covered += b;
                EXPECT_GT(covered, area / 50) << "colour " << colour << " shows no symbol";
            }
            for (size_t a = 0; a < masks.size(); ++a)
                for (size_t b = a + 1; b < masks.size(); ++b)
                {
                    size_t differing = 0;
                    for (size_t i = 0; i < area; ++i)
                        differing += masks[a][i] != masks[b][i];
                    EXPECT_GE(differing, area / 100)
                        << "half " << half << ": colours " << a << " and " << b;
                }
        }
        // The two halves keep apart: the left symbol lies left of the hot spot.
        const std::vector<bool> left = symbols.Mask(1);
        const int32_t width = sprite.GetFrameWidth(0);
        int32_t rightmost = -1;
        for (size_t i = 0; i < left.size(); ++i)
        {
            if (left[i])
                rightmost = std::max(rightmost, static_cast<int32_t>(i) % width);
        }
        EXPECT_LT(rightmost, sprite.GetFrameHotSpotX(1));
    }
}

} // namespace
