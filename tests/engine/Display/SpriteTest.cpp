// Sprite files, drawing frames, the animation player and the fonts, all
// without graphics hardware (the null device records what would be drawn).
#include "engine/Display/Sprite.h"
#include "engine/Core/Exception.h"
#include "engine/Display/AnimPlayer.h"
#include "engine/Display/Font.h"
#include "engine/Display/Image.h"
#include "engine/Display/ImageSource.h"
#include "engine/Display/RenderDeviceNull.h"
#include "engine/File/DataTree.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "engine/File/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace Korva
{
namespace
{

const char* kPlasmaBolt = R"(Sprite=
{
	ImageAlias="ImgPlasmaBolt"
	Frames=
	{
		F=
		{
			X="0"
			Y="0"
			Width="32"
			Height="32"
			HotSpotX="16"
			HotSpotY="16"
		}
		G=
		{
			X="32"
			Y="0"
			Width="8"
			Height="4"
			HotSpotX="0"
			HotSpotY="0"
		}
	}
	Anims=
	{
		A=
		{
			Looping="True"
			S=
			{
				Frame="0"
				Time="0.1"
			}
			S=
			{
				Frame="1"
				Time="0.1"
			}
		}
		B=
		{
			Looping="true"
			S=
			{
				Frame="1"
				Time="0.5"
			}
		}
	}
}
)";

std::unique_ptr<cDataTree> ReadTree(const std::string& text)
{
    auto tree = std::make_unique<cDataTree>();
    cFileInputMemory input("sprite", text.data(), text.size(), true);
    tree->Read(input);
    return tree;
}

// A sprite over a 64 x 64 image, drawing on a null device.
class SpriteTest : public ::testing::Test
{
protected:
    std::unique_ptr<cSprite> Make(const std::string& text)
    {
        auto tree = ReadTree(text);
        return std::make_unique<cSprite>(tree->GetRoot(), "/Sprites/Bolt.spr",
                                         [this](const std::string& alias) -> cImageSource*
                                         {
                                             aliases.push_back(alias);
                                             return &source;
                                         });
    }
    // The bounding box of everything drawn, in device pixels.
    cRect Drawn() const
    {
        float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
        for (const auto& call : device.GetDrawCalls())
            for (const cVertex& v : call.vertices)
            {
                left = std::min(left, v.x);
                top = std::min(top, v.y);
                right = std::max(right, v.x);
                bottom = std::max(bottom, v.y);
            }
        return cRect(static_cast<int32_t>(left), static_cast<int32_t>(top),
                     static_cast<int32_t>(right - left), static_cast<int32_t>(bottom - top));
    }

    cRenderDeviceNull device;
    cImage image{cPixelBuffer(64, 64)};
    cImageRef source{&image};
    std::vector<std::string> aliases;
};

TEST_F(SpriteTest, LoadsFramesAnimationsAndLoopingFlags)
{
    auto sprite = Make(kPlasmaBolt);
    EXPECT_EQ(aliases, std::vector<std::string>{"ImgPlasmaBolt"});
    EXPECT_EQ(sprite->GetImage(), &image);
    ASSERT_EQ(sprite->GetFrameCount(), 2);
    EXPECT_EQ(sprite->GetFrameX(1), 32);
    EXPECT_EQ(sprite->GetFrameWidth(1), 8);
    EXPECT_EQ(sprite->GetFrameHeight(1), 4);
    EXPECT_EQ(sprite->GetFrameHotSpotX(0), 16);
    ASSERT_EQ(sprite->GetAnimCount(), 2);
    EXPECT_TRUE(sprite->IsAnimLooping(0));
    EXPECT_FALSE(sprite->IsAnimLooping(1)); // "true" is not "True"
    EXPECT_EQ(sprite->GetAnimStepCount(0), 2);
    EXPECT_EQ(sprite->GetAnimStepFrame(0, 1), 1);
    EXPECT_FLOAT_EQ(sprite->GetAnimStepTime(1, 0), 0.5f);
    EXPECT_FLOAT_EQ(sprite->GetAnimLength(0), 0.2f);
}

TEST_F(SpriteTest, MissingRequiredPartsMakeTheWholeFileBad)
{
    std::string noHotSpotY = kPlasmaBolt;
    noHotSpotY.erase(noHotSpotY.find("\t\t\tHotSpotY=\"16\"\n"), 17);
    std::string noTime = kPlasmaBolt;
    noTime.erase(noTime.find("\t\t\t\tTime=\"0.5\"\n"), 15);
    std::string noFrames = kPlasmaBolt;
    noFrames.replace(noFrames.find("Frames="), 6, "Framez");
    std::string outsideImage = kPlasmaBolt; // 32 + 40 > 64
    outsideImage.replace(outsideImage.find("Width=\"8\""), 9, "Width=\"40\"");
    std::string negativeSize = kPlasmaBolt;
    negativeSize.replace(negativeSize.find("Height=\"4\""), 10, "Height=\"-4\"");
    // A hot spot two billion pixels away: drawing it scaled overflowed.
    std::string farHotSpot = kPlasmaBolt;
    farHotSpot.replace(farHotSpot.find("HotSpotY=\"16\""), 13, "HotSpotY=\"2147483647\"");
    std::string farHotSpotX = kPlasmaBolt;
    farHotSpotX.replace(farHotSpotX.find("HotSpotX=\"16\""), 13, "HotSpotX=\"-65537\"");
    for (const std::string& text :
         {noHotSpotY, noTime, noFrames, outsideImage, negativeSize, farHotSpot, farHotSpotX,
          std::string("Sprite=\n{\n}\n"), std::string()})
    {
        try
        {
            Make(text);
            ADD_FAILURE() << text;
        }
        catch (const cExceptionBadSpriteFile& e)
        {
            EXPECT_EQ(e.GetMessage(), "Bad sprite file: '/Sprites/Bolt.spr'.");
        }
    }
}

TEST_F(SpriteTest, FramesDrawAroundTheirHotSpotScaledAndTurned)
{
    auto sprite = Make(kPlasmaBolt);
    sprite->DrawFrame(100, 100, 0, 255);
    EXPECT_EQ(Drawn(), cRect(84, 84, 32, 32)); // covers (84, 84)-(115, 115)
    device.ClearDrawCalls();
    sprite->DrawFrame(100, 100, 0, 255, 2.0f);
    EXPECT_EQ(Drawn(), cRect(68, 68, 64, 64)); // covers (68, 68)-(131, 131)
    device.ClearDrawCalls();
    sprite->DrawFrame(100, 100, 1, cColor(1, 2, 3, 4), 1.0f, std::acos(-1.0f) / 2.0f);
    // An 8 x 4 frame turned a quarter clockwise about its corner.
    EXPECT_EQ(Drawn(), cRect(96, 100, 4, 8));
    ASSERT_EQ(device.GetDrawCalls().size(), 2u); // two triangles
    EXPECT_EQ(device.GetDrawCalls()[0].vertices[0].color, cColor(1, 2, 3, 4).ToARGB());
    device.ClearDrawCalls();
    sprite->DrawFrame(100, 100, 2, 255);
    sprite->DrawFrame(100, 100, -1, 255);
    EXPECT_TRUE(device.GetDrawCalls().empty());
}

TEST_F(SpriteTest, SpriteFilesLoadThroughAFileSystemWithoutAnyDevice)
{
    cTempFolder folder;
    folder.WriteFile("Sprites/Bolt.spr", kPlasmaBolt);
    cFileSystemPOSIX fileSystem(folder.Path());
    const cSprite sprite("/Sprites/Bolt.spr", fileSystem, nullptr);
    EXPECT_EQ(sprite.GetFrameCount(), 2);
    EXPECT_EQ(sprite.GetImage(), nullptr);
    sprite.DrawFrame(0, 0, 0, 255); // no image: nothing, and no crash
    EXPECT_TRUE(device.GetDrawCalls().empty());
    EXPECT_THROW(cSprite("/Sprites/None.spr", fileSystem, nullptr), cExceptionOpeningFile);
}

struct cFinishCounter : cAnimListener
{
    int calls = 0;
    int lastAnim = -1;
    void OnAnimFinished(int32_t anim, cAnimPlayer&) override
    {
        ++calls;
        lastAnim = anim;
    }
};

TEST_F(SpriteTest, PlayerAdvancesOneStepPerUpdateAndCarriesTime)
{
    auto sprite = Make(kPlasmaBolt);
    cAnimPlayer player(sprite.get());
    player.Update(1.0f); // not playing yet
    EXPECT_EQ(player.GetFrame(), 0);
    player.Play(0);
    player.Update(0.25f);
    EXPECT_EQ(player.GetStep(), 1);
    EXPECT_NEAR(player.GetTime(), 0.15f, 1e-5f);
    player.Update(0.25f); // 0.4 s in the step: one step on, wrapping round
    EXPECT_EQ(player.GetStep(), 0);
    EXPECT_EQ(player.GetFrame(), 0);
    EXPECT_NEAR(player.GetTime(), 0.3f, 1e-5f);
    player.Stop();
    player.Update(1.0f);
    EXPECT_EQ(player.GetStep(), 0);
    player.Resume();
    player.Update(0.0f);
    EXPECT_EQ(player.GetStep(), 1);
    player.Play(7); // no such animation: ignored
    EXPECT_EQ(player.GetAnim(), 0);
    EXPECT_EQ(player.GetStep(), 1);
}

TEST_F(SpriteTest, ANonLoopingAnimationReportsItsEndOnceAndStaysOnItsLastFrame)
{
    auto sprite = Make(kPlasmaBolt);
    cFinishCounter counter;
    cAnimPlayer player(sprite.get(), &counter);
    player.Play(1);
    player.Update(0.25f);
    EXPECT_FALSE(player.IsFinished());
    player.Update(0.25f);
    EXPECT_TRUE(player.IsFinished());
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(counter.lastAnim, 1);
    for (int i = 0; i < 5; ++i)
        player.Update(0.5f);
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(player.GetFrame(), 1);
    EXPECT_TRUE(player.IsPlaying());
}

TEST_F(SpriteTest, WithoutAnimsThereIsNothingToPlay)
{
    std::string text = kPlasmaBolt;
    text.erase(text.find("\tAnims="), text.rfind("}\n}") + 2 - text.find("\tAnims="));
    auto sprite = Make(text);
    EXPECT_EQ(sprite->GetAnimCount(), 0);
    cAnimPlayer player(sprite.get());
    player.Play(0);
    EXPECT_FALSE(player.IsPlaying());
}

// A glyph sprite: frame c is 1 pixel wide per (c % 5 + 1), 10 high, hot spot
// at its corner, for codes 0..149.
std::string GlyphSprite(int frames)
{
    std::string text = "Sprite=\n{\nImageAlias=\"Img\"\nFrames=\n{\n";
    for (int c = 0; c < frames; ++c)
        text += "F=\n{\nX=\"0\"\nY=\"0\"\nWidth=\"" + std::to_string(c % 5 + 1) +
                "\"\nHeight=\"10\"\nHotSpotX=\"0\"\nHotSpotY=\"0\"\n}\n";
    return text + "}\n}\n";
}

TEST_F(SpriteTest, HeadlineFontMeasuresWithItsTableAndIgnoresCase)
{
    auto sprite = Make(GlyphSprite(65));
    cHeadlineFont font(sprite.get());
    EXPECT_EQ(font.GetTextWidth("Level 1"), 66);
    EXPECT_EQ(font.GetTextWidth("level 1"), 66);
    EXPECT_EQ(font.GetTextWidth(""), 0);
    EXPECT_EQ(font.GetCharWidth('_'), 19);
    EXPECT_EQ(font.GetCharWidth('`'), 0);
    EXPECT_EQ(font.GetCharWidth(200), 0);
    EXPECT_EQ(font.GetMaxCharWidth(), 19);
    EXPECT_EQ(font.GetHeight(), 15);
    EXPECT_EQ(font.GetTextHeight("anything"), 15);

    // Centred at x = 100, the 66 pixels start at 67; "L" and "l" share a glyph.
    font.DrawText(cPoint(100, 50), "Level 1", cColor::White(), kAlignCenter);
    const auto calls = device.GetDrawCalls();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_EQ(calls[0].vertices[0].x, 67.0f);
    EXPECT_EQ(calls[0].vertices[0].y, 50.0f);
    EXPECT_EQ(calls[1].vertices[0].x, 67.0f + 8.0f);
    device.ClearDrawCalls();
    font.DrawText(cPoint(100, 50), "level 1", cColor::White(), kAlignRight);
    ASSERT_EQ(device.GetDrawCalls().size(), 7u);
    EXPECT_EQ(device.GetDrawCalls()[0].vertices[0].x, 34.0f);
    // Same glyph frame (same source position) for both cases of the letter.
    EXPECT_EQ(device.GetDrawCalls()[0].vertices[1].u, calls[0].vertices[1].u);
    device.ClearDrawCalls();
    font.DrawText(cPoint(100, 50), "", cColor::White(), kAlignLeft);
    font.DrawText(cPoint(100, 50), "\xC8", cColor::White(), kAlignLeft);
    EXPECT_TRUE(device.GetDrawCalls().empty());
}

TEST_F(SpriteTest, SpriteFontUsesOneFramePerCharacterCode)
{
    auto sprite = Make(GlyphSprite(150));
    cSpriteFont font(sprite.get());
    EXPECT_EQ(font.GetCharWidth('A'), 'A' % 5 + 1);
    EXPECT_EQ(font.GetCharHeight('A'), 10);
    EXPECT_EQ(font.GetCharWidth(200), 0); // beyond the frames
    EXPECT_EQ(font.GetCharHeight(200), 0);
    EXPECT_EQ(font.GetMaxCharWidth(), 5);
    EXPECT_EQ(font.GetHeight(), 10);
    EXPECT_EQ(font.GetTextWidth("AB\xC8"), 'A' % 5 + 1 + 'B' % 5 + 1);
    font.DrawText(cPoint(10, 20), "AB\xC8", cColor::White(), kAlignLeft);
    ASSERT_EQ(device.GetDrawCalls().size(), 2u);
    EXPECT_EQ(device.GetDrawCalls()[1].vertices[0].x, 10.0f + 'A' % 5 + 1);
}

} // namespace
} // namespace Korva
