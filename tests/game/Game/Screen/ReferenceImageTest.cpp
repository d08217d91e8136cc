// Small pictures of the game screen compared with stored references: the
// piece preview with its invalid-cell marks, and a popup. After a deliberate
// change of the look, regenerate them with
//   ZELTRA_UPDATE_REFERENCES=1 xvfb-run -a build/tests/test_game --gtest_filter='ReferenceImage*'
#include "ScreenFixture.h"

#include "engine/Display/Image.h"
#include "engine/Display/ImageWriter.h"

#include <filesystem>

namespace ScreenTest
{
namespace
{

const std::string kReferenceDir =
    std::string(ZELTRA_TEST_SOURCE_DIR) + "/tests/game/Game/Screen/reference/";

class ReferenceImageTest : public ScreenHarness
{
protected:
    ReferenceImageTest() : ScreenHarness(true) {}

    // The area of the frame drawn now against reference `name`: at most
    // 0.5 % of the pixels may differ by more than a little (rasterisers
    // round edges differently).
    void Compare(const cRect& area, const std::string& name)
    {
        cPixelBuffer frame;
        ASSERT_TRUE(device->ReadFrame(frame));
        cPixelBuffer crop(area.width, area.height);
        for (int32_t y = 0; y < area.height; ++y)
            for (int32_t x = 0; x < area.width; ++x)
            {
                const uint8_t* p = frame.At(area.x + x, area.y + y);
                crop.SetPixel(x, y, p[0], p[1], p[2], 255);
            }
        const std::string path = kReferenceDir + name;
        if (std::getenv("ZELTRA_UPDATE_REFERENCES"))
        {
            SaveImage(crop, path);
            GTEST_SKIP() << "wrote " << path;
        }
        ASSERT_TRUE(std::filesystem::exists(path)) << path;
        cImage reference(path, folder.FileSystem());
        ASSERT_EQ(reference.GetWidth(), area.width);
        ASSERT_EQ(reference.GetHeight(), area.height);
        int differing = 0;
        for (int32_t y = 0; y < area.height; ++y)
            for (int32_t x = 0; x < area.width; ++x)
            {
                const uint8_t* a = crop.At(x, y);
                const uint8_t* b = reference.GetPixels().At(x, y);
                for (int c = 0; c < 3; ++c)
                    if (std::abs(a[c] - b[c]) > 24)
                    {
                        ++differing;
                        break;
                    }
            }
        EXPECT_LE(differing, area.width * area.height / 200) << name;
    }
};

cLevel CrowdedLevel()
{
    cLevel level;
    level.SetName("crowded");
    level.SetWidth(5);
    level.SetHeight(5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            level.SetCell(x, y, (x + y) % 4 == 0 ? 9 : 1);
    level.SetBrick(2, 1, 12);
    level.SetBrick(3, 2, kBrickBlocker);
    level.SetBrick(1, 3, 34);
    level.SetPieceCount(1);
    level.SetPiece(0, tPiece{11, 22, 33, 44, 55, 66, 77});
    return level;
}

TEST_F(ReferenceImageTest, PiecePreviewMarksTakenTargets)
{
    game->StartEditorTest(CrowdedLevel());
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    ASSERT_TRUE(RunToRest());
    Frames(0.6f); // the preview fades in after the board settles
    const cPoint centre = CellPixel(2, 2);
    MoveTo(centre.x, centre.y);
    Frame(0.0f);
    Compare(cRect(centre.x - 80, centre.y - 80, 160, 160), "piece-preview.tga");
}

TEST_F(ReferenceImageTest, RestartPopup)
{
    game->StartEditorTest(CrowdedLevel());
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
    Key(SDLK_r, SDL_SCANCODE_R);
    ASSERT_EQ(game->GetPopup(), cGame::kPopupRestart);
    MoveTo(40, 420);
    Frame(0.0f);
    Compare(cRect(295, 205, 210, 90), "restart-popup.tga");
}

} // namespace
} // namespace ScreenTest
