#include "PuzzleTestUtil.h"

#include "game/Game/ItemPanel.h"

#include <gtest/gtest.h>

using namespace PuzzleTest;

TEST(Items, PushNeedsABrickAndAFreeTargetAndSlidesOnIce)
{
    cLevel level = PlainLevel(5, 6);
    level.SetCell(2, 1, kCellHole);
    level.SetCell(3, 1, kCellBroken);
    for (int y = 3; y < 5; ++y)
        level.SetCell(0, y, kCellIce);
    cBoard board(level);
    board.SetBrick(2, 2, 11);
    board.SetBrick(3, 2, 102);
    board.SetBrick(0, 2, 22);
    EXPECT_FALSE(board.UseItem(4, 4, 200 + kSouth)); // nothing to push
    EXPECT_FALSE(board.UseItem(2, 2, 200 + kNorth)); // into a hole
    EXPECT_FALSE(board.UseItem(3, 2, 200 + kNorth)); // onto a broken cell
    EXPECT_TRUE(board.IsIdle());
    // Tools ignore the movable flag: a blocker can be pushed.
    EXPECT_TRUE(board.UseItem(3, 2, 200 + kSouth));
    // Pushed onto ice, a brick slides until the cell ahead is not free.
    EXPECT_TRUE(board.UseItem(0, 2, 200 + kSouth));
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(3, 3), 102);
    EXPECT_EQ(board.GetBrickCode(0, 5), 22);
}

TEST(Items, SwapMovesBothBricksTogether)
{
    cBoard board(PlainLevel(5, 5));
    board.SetBrick(2, 2, 102);
    board.SetBrick(2, 1, 11);
    EXPECT_FALSE(board.UseItem(2, 3, kItemSwapNorth)); // (2, 3) is empty
    ASSERT_TRUE(board.UseItem(2, 2, kItemSwapNorth));
    for (int frame = 0; frame < 14; ++frame)
        board.Update(1.0f / 60.0f, true);
    EXPECT_EQ(board.GetMovers().size(), 2u);
    EXPECT_EQ(board.GetBrickCode(2, 1) + board.GetBrickCode(2, 2), 0);
    for (int frame = 0; frame < 2; ++frame)
        board.Update(1.0f / 60.0f, true);
    EXPECT_TRUE(board.GetMovers().empty());
    EXPECT_EQ(board.GetBrickCode(2, 1), 102);
    EXPECT_EQ(board.GetBrickCode(2, 2), 11);
    EXPECT_FALSE(board.IsMovable(2, 1));
}

TEST(Items, TurnMovesTheRingOnePositionRound)
{
    cBoard board(PlainLevel(5, 5));
    // Column 0 is at the edge: its south-west and north-west are off the board.
    EXPECT_FALSE(board.UseItem(0, 2, kItemTurnClockwise)); // no ring bricks
    board.SetBrick(0, 1, 11);                              // north, goes to north-east (1, 1)
    ASSERT_TRUE(board.UseItem(0, 2, kItemTurnClockwise));
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(1, 1), 11);
    EXPECT_EQ(board.GetBrickCode(0, 1), 0);
    board.SetBrick(0, 3, 22); // south: clockwise it would leave the board
    EXPECT_FALSE(board.UseItem(0, 2, kItemTurnClockwise));
    EXPECT_EQ(board.GetBrickCode(0, 3), 22);
    // Anticlockwise: south to south-east, north-east to north.
    ASSERT_TRUE(board.UseItem(0, 2, kItemTurnAnticlockwise));
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(1, 2), 22);
    EXPECT_EQ(board.GetBrickCode(0, 1), 11);
    // A full ring turned six times is back where it was.
    cBoard ring(PlainLevel(5, 5));
    SetRing(ring, 2, 2, {12, 23, 34, 45, 56, 67});
    for (int i = 0; i < 6; ++i)
    {
        ASSERT_TRUE(ring.UseItem(2, 2, kItemTurnClockwise));
        RunBoard(ring);
    }
    EXPECT_EQ(ring.Neighbours6Bricks(2, 2), (std::array<int, 6>{12, 23, 34, 45, 56, 67}));
}

TEST(Items, LooseBrickCompletesAnEnclosureAtOnce)
{
    cBoard board(PlainLevel(5, 5));
    SetRing(board, 2, 2, {11, 11, 11, 11, 11, 11});
    EXPECT_FALSE(board.UseItem(2, 1, 100)); // not free
    ASSERT_TRUE(board.UseItem(2, 2, 100));
    EXPECT_EQ(board.GetBrickCode(2, 2), 0);
    EXPECT_EQ(board.GetFading().size(), 7u);
}

TEST(Items, PanelUsesTheSelectedSlotOnce)
{
    cBoard board(PlainLevel(5, 5));
    board.SetBrick(2, 2, 11);
    cItemPanel panel;
    panel.SetSlot(9, 200 + kSouth);
    panel.SetSlot(0, 22);
    int effect = -1;
    EXPECT_FALSE(panel.UseAt(2, 2, board, effect)); // nothing selected
    EXPECT_EQ(effect, 0);
    panel.Select(true, 9);
    EXPECT_EQ(cItemPanel::SlotLabel(9), 0);
    EXPECT_FALSE(panel.UseAt(0, 0, board, effect));
    EXPECT_EQ(effect, kSndInvalid);
    EXPECT_EQ(panel.GetSlot(9), 200 + kSouth);
    EXPECT_TRUE(panel.UseAt(2, 2, board, effect));
    EXPECT_EQ(effect, kSndRotatePiece);
    EXPECT_EQ(panel.GetSlot(9), 0);
    EXPECT_TRUE(panel.IsSelected());
    panel.Select(true, 0);
    EXPECT_TRUE(panel.UseAt(4, 4, board, effect));
    EXPECT_EQ(effect, kSndPutPiece);
}
