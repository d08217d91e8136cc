#include "engine/Gui/GuiHarness.h"

#include "game/Menu/Intro.h"

using namespace GuiTest;

namespace
{

class IntroTest : public Harness
{
protected:
    void Run(cIntro& intro, float seconds)
    {
        for (float t = 0.0f; t < seconds; t += 0.01f)
            intro.Update(0.01f);
    }
};

TEST_F(IntroTest, PiecesMeetLettersFollowAndItEndsAfterSevenSeconds)
{
    cIntro intro(*gui);
    intro.Start();
    EXPECT_TRUE(intro.IsRunning());
    Run(intro, 0.5f);
    EXPECT_LT(intro.GetPieceX(), 350.0f);
    Run(intro, 1.5f);
    // All three bricks have arrived and each arrival flashed.
    EXPECT_FLOAT_EQ(intro.GetPieceX(), 350.0f);
    EXPECT_FLOAT_EQ(intro.GetPiece2Y(), 310.0f);
    EXPECT_FLOAT_EQ(intro.GetPiece3Y(), 310.0f);
    EXPECT_LE(intro.GetLetterAlpha(0), 0.0f);
    Run(intro, 0.8f); // 2.8 s: the first letters are up, the last not yet
    EXPECT_GT(intro.GetLetterAlpha(0), 100.0f);
    EXPECT_LE(intro.GetLetterAlpha(6), 0.0f);
    Run(intro, 4.0f);
    EXPECT_FLOAT_EQ(intro.GetLetterAlpha(6), 255.0f);
    EXPECT_FALSE(intro.IsFinished());
    Run(intro, 0.3f);
    EXPECT_TRUE(intro.IsFinished());
    EXPECT_FALSE(intro.IsRunning());
}

TEST_F(IntroTest, AKeyOrAMouseButtonSkipsIt)
{
    cIntro intro(*gui);
    intro.Start();
    Key(SDLK_a, SDL_SCANCODE_A);
    EXPECT_TRUE(intro.IsFinished());

    intro.Start();
    Run(intro, 1.0f);
    EXPECT_FALSE(intro.IsFinished());
    Button(true, 10, 10);
    EXPECT_TRUE(intro.IsFinished());
    Button(false, 10, 10);
}

} // namespace
