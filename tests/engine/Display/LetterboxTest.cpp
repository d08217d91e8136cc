// Where the 800 x 600 frame lies in windows of several sizes, and how
// window positions map back to frame pixels.
#include "engine/Display/Letterbox.h"

#include <gtest/gtest.h>

namespace Korva
{
namespace
{

const cPoint kFrame(800, 600);

TEST(Letterbox, WholeMultiplesWhereTheyNearlyFillTheWindowSmoothOtherwise)
{
    struct cCase
    {
        cPoint window;
        cRect frame;
        int32_t whole;
    };
    const cCase cases[] = {
        {{800, 600}, {0, 0, 800, 600}, 1},
        {{1600, 1200}, {0, 0, 1600, 1200}, 2},
        {{2400, 1800}, {0, 0, 2400, 1800}, 3},
        // 2x leaves a little room: crisp with bars.
        {{1700, 1250}, {50, 25, 1600, 1200}, 2},
        // Odd sizes: the odd pixel goes to the bar on the right or bottom.
        {{1203, 601}, {201, 0, 800, 600}, 1},
        {{801, 601}, {0, 0, 800, 600}, 1},
        // 1.8x in full HD: 1x would waste most of the screen.
        {{1920, 1080}, {240, 0, 1440, 1080}, 0},
        {{1280, 1024}, {0, 32, 1280, 960}, 0},
        {{1001, 751}, {0, 0, 1001, 751}, 0},
        // Below 1x.
        {{400, 300}, {0, 0, 400, 300}, 0},
        {{500, 500}, {0, 62, 500, 375}, 0},
        {{799, 1000}, {0, 200, 799, 599}, 0},
    };
    for (const cCase& c : cases)
    {
        const cLetterbox box(kFrame, c.window);
        EXPECT_EQ(box.GetFrame(), c.frame) << c.window.x << "x" << c.window.y;
        EXPECT_EQ(box.GetWholeScale(), c.whole) << c.window.x << "x" << c.window.y;
    }
    // A minimised window shows nothing and maps everything to the corner.
    const cLetterbox minimised(kFrame, cPoint(0, 0));
    EXPECT_TRUE(minimised.GetFrame().IsEmpty());
    EXPECT_EQ(minimised.ToFrame(cPoint(10, 10)), cPoint(0, 0));
}

TEST(Letterbox, WindowPositionsMapToFramePixelsAndBarsClampToTheEdge)
{
    const cLetterbox same(kFrame, cPoint(800, 600));
    for (const cPoint p : {cPoint(0, 0), cPoint(123, 456), cPoint(799, 599)})
        EXPECT_EQ(same.ToFrame(p), p);
    EXPECT_EQ(same.ToFrame(cPoint(-5, 700)), cPoint(0, 599));

    const cLetterbox doubled(kFrame, cPoint(1600, 1200));
    EXPECT_EQ(doubled.ToFrame(cPoint(1, 1)), cPoint(0, 0));
    EXPECT_EQ(doubled.ToFrame(cPoint(2, 3)), cPoint(1, 1));
    EXPECT_EQ(doubled.ToFrame(cPoint(1599, 1199)), cPoint(799, 599));

    const cLetterbox fullHd(kFrame, cPoint(1920, 1080));
    EXPECT_EQ(fullHd.ToFrame(cPoint(240, 0)), cPoint(0, 0));
    EXPECT_EQ(fullHd.ToFrame(cPoint(240 + 900, 540)), cPoint(500, 300));
    EXPECT_EQ(fullHd.ToFrame(cPoint(1679, 1079)), cPoint(799, 599));
    EXPECT_EQ(fullHd.ToFrame(cPoint(100, 500)), cPoint(0, 277));  // left bar
    EXPECT_EQ(fullHd.ToFrame(cPoint(1900, -20)), cPoint(799, 0)); // right bar, above

    const cLetterbox odd(kFrame, cPoint(1203, 601));
    EXPECT_EQ(odd.ToFrame(cPoint(201, 0)), cPoint(0, 0));
    EXPECT_EQ(odd.ToFrame(cPoint(200, 0)), cPoint(0, 0));
    EXPECT_EQ(odd.ToFrame(cPoint(1000, 600)), cPoint(799, 599));
    EXPECT_EQ(odd.ToFrame(cPoint(1001, 300)), cPoint(799, 300));

    const cLetterbox half(kFrame, cPoint(400, 300));
    EXPECT_EQ(half.ToFrame(cPoint(1, 1)), cPoint(2, 2));
    EXPECT_EQ(half.ToFrame(cPoint(399, 299)), cPoint(798, 598));
}

TEST(Letterbox, EveryShownFramePixelRoundTripsThroughTheWindow)
{
    for (const cPoint window :
         {cPoint(800, 600), cPoint(1600, 1200), cPoint(1920, 1080), cPoint(1203, 601),
          cPoint(1001, 751), cPoint(1280, 1024), cPoint(2560, 1440)})
    {
        const cLetterbox box(kFrame, window);
        for (int32_t x = 0; x < kFrame.x; ++x)
        {
            const cPoint p(x, (x * 7) % kFrame.y);
            const cPoint q = box.ToWindow(p);
            ASSERT_TRUE(box.GetFrame().Contains(q)) << window.x << "x" << window.y;
            ASSERT_EQ(box.ToFrame(q), p) << window.x << "x" << window.y << " at " << x;
        }
    }
    // Below 1x each window pixel shows one frame pixel, and maps back to it.
    const cLetterbox small(kFrame, cPoint(533, 401));
    for (int32_t x = 0; x < small.GetFrame().width; ++x)
    {
        const cPoint q(small.GetFrame().x + x, small.GetFrame().y + x % small.GetFrame().height);
        EXPECT_EQ(small.ToWindow(small.ToFrame(q)), q) << x;
    }
}

TEST(Letterbox, StartSizeIsTheLargestWholeMultipleUnlessAUsableSizeWasRemembered)
{
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {}, {1600, 1200}), cPoint(1600, 1200));
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {}, {1920, 1080}), cPoint(800, 600));
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {}, {1280, 1024}), cPoint(800, 600));
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {}, {3840, 2160}), cPoint(2400, 1800));
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {}, {700, 500}), cPoint(800, 600))
        << "at least 1x on a small desktop";
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {}, {}), cPoint(800, 600));

    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {1000, 700}, {1920, 1080}), cPoint(1000, 700));
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {2000, 700}, {1920, 1080}), cPoint(800, 600))
        << "no longer fits";
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {100, 700}, {1920, 1080}), cPoint(800, 600))
        << "too small to play";
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {1000, 700}, {}), cPoint(1000, 700));
    EXPECT_EQ(cLetterbox::ChooseWindowSize(kFrame, {-1000, 700}, {}), cPoint(800, 600));
}

} // namespace
} // namespace Korva
