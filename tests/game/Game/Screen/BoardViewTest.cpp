// The board view draws only the part of a board that can reach the board
// area: every cell and brick whose picture meets it, and not much more.
#include "game/Game/Screen/BoardView.h"

#include "engine/Display/Sprite.h"
#include "game/Game/Board.h"
#include "game/Game/Screen/Game.h"
#include "game/Game/Screen/SpriteDrawing.h"
#include "game/ScreenWorld.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using namespace Korva;

class BoardViewTest : public ::testing::Test, protected ScreenWorld::cScreenWorld
{
protected:
    void SetUp() override
    {
        CreateWorld(false);
        LoadData();
    }
    void TearDown() override { DestroyWorld(); }
};

// Whether any frame of `sprite` drawn with its hot spot on (x, y) meets `area`.
bool Meets(const cSprite* sprite, int32_t x, int32_t y, const cRect& area)
{
    for (int32_t i = 0; sprite && i < sprite->GetFrameCount(); ++i)
    {
        const cSpriteFrame& f = sprite->GetFrame(i);
        const cRect r(x - f.hotSpotX, y - f.hotSpotY, f.width, f.height);
        if (r.x < area.x + area.width && area.x < r.x + r.width && r.y < area.y + area.height &&
            area.y < r.y + r.height)
            return true;
    }
    return false;
}

TEST_F(BoardViewTest, ALargeBoardIsDrawnOnlyWhereItMeetsTheBoardArea)
{
    const cBoardView view;
    const cBoard board(1000, 1000, false);
    const cSprite* cells = FindSprite("SprCells");
    const cSprite* bricks = FindSprite("SprBricksShadow");
    ASSERT_NE(cells, nullptr);
    ASSERT_NE(bricks, nullptr);
    const cRect area = cGame::kBoardArea;
    // Origins that put the area over the middle, a corner and an edge of the
    // board, at odd and even columns.
    const cPoint origins[] = {{-15000, -17000}, {400, 250}, {101, -3}, {-30917, 123}};
    for (const cPoint& origin : origins)
    {
        const cBoardView::sCellRange range = view.VisibleCells(board, area, origin.x, origin.y);
        int meeting = 0;
        // No picture reaches 200 pixels: the cells farther off need no look.
        const int pitch = board.ColumnPitch();
        const int height = board.GetCellHeight();
        const int left = std::max(0, (area.x - origin.x - 200) / pitch);
        const int right = std::min(999, (area.x + area.width - origin.x + 200) / pitch);
        const int top = std::max(0, (area.y - origin.y - 200) / height);
        const int bottom = std::min(999, (area.y + area.height - origin.y + 200) / height);
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
            {
                int32_t cx = 0, cy = 0;
                board.CellCentre(x, y, cx, cy);
                // Cells are drawn from their corner, bricks on their centre.
                if (!Meets(cells, origin.x + board.ColumnLeft(x), origin.y + board.CellTop(x, y),
                           area) &&
                    !Meets(bricks, origin.x + cx, origin.y + cy, area))
                    continue;
                ++meeting;
                EXPECT_TRUE(x >= range.firstX && x <= range.lastX && y >= range.firstY &&
                            y <= range.lastY)
                    << x << "," << y << " at " << origin.x << "," << origin.y;
            }
        // The range holds little more than what is seen.
        const int drawn = (range.lastX - range.firstX + 1) * (range.lastY - range.firstY + 1);
        EXPECT_LE(drawn, meeting + meeting / 4) << origin.x << "," << origin.y;
    }
    // Far off the board nothing is looked at.
    const cBoardView::sCellRange none = view.VisibleCells(board, area, 5000, 5000);
    EXPECT_TRUE(none.lastX < none.firstX || none.lastY < none.firstY);
}

} // namespace
