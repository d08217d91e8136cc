#include "PuzzleTestUtil.h"

#include "game/Game/PiecePanel.h"

#include <gtest/gtest.h>

using namespace PuzzleTest;

TEST(Placement, RotationTurnsOuterBricksClockwise)
{
    const tPiece piece{9, 1, 2, 3, 4, 5, 6};
    const tPiece once = cBoard::RotatedPiece(piece, 1);
    EXPECT_EQ(once, (tPiece{9, 6, 1, 2, 3, 4, 5})); // north moved to north-east
    tPiece turned = piece;
    for (int i = 0; i < 6; ++i)
        turned = cBoard::RotatedPiece(turned, 1);
    EXPECT_EQ(turned, piece);

    cBoard board(PlainLevel(5, 5));
    ASSERT_TRUE(board.PlacePiece(2, 2, tPiece{0, 11, 0, 0, 0, 0, 0}, 2));
    EXPECT_EQ(board.GetBrickCode(3, 2), 11); // north turned twice: south-east
}

TEST(Placement, OnlyOccupiedSlotsNeedAFreeTarget)
{
    cLevel level = PlainLevel(5, 5);
    level.SetCell(2, 2, kCellHole);
    level.SetCell(3, 3, kCellBroken);
    cBoard board(level);
    const tPiece southEastOnly{0, 0, 0, 33, 0, 0, 0};
    // Centre on a hole or a broken cell, empty slots over the edge: only the
    // south-east target counts.
    EXPECT_TRUE(board.PlacePiece(2, 2, southEastOnly, 0));
    EXPECT_EQ(board.GetBrickCode(3, 2), 33);
    EXPECT_TRUE(board.PlacePiece(3, 3, southEastOnly, 0));
    EXPECT_EQ(board.GetBrickCode(4, 4), 33); // odd column: one row lower

    // Any occupied slot over a hole, a broken cell, a brick or the edge fails
    // and changes nothing.
    const auto before = board.GetBricks();
    EXPECT_FALSE(board.PlacePiece(2, 2, tPiece{11, 0, 0, 0, 0, 0, 0}, 0));
    EXPECT_FALSE(board.PlacePiece(3, 3, tPiece{11, 0, 0, 0, 0, 0, 0}, 0));
    EXPECT_FALSE(board.PlacePiece(0, 0, tPiece{11, 22, 0, 0, 0, 0, 0}, 0));
    EXPECT_FALSE(board.PlacePiece(2, 3, tPiece{11, 22, 0, 0, 0, 0, 0}, 0)); // north is the hole
    EXPECT_FALSE(board.PlacePiece(3, 2, tPiece{11, 0, 0, 0, 0, 0, 0}, 0));
    const auto after = board.GetBricks();
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(after[i].code, before[i].code);
}

TEST(Placement, SameShapeLandsDifferentlyOnEvenAndOddColumns)
{
    cBoard board(PlainLevel(6, 6));
    const tPiece eastWest{11, 0, 22, 0, 0, 33, 0}; // north-east and south-west
    ASSERT_TRUE(board.PlacePiece(2, 2, eastWest, 0));
    EXPECT_EQ(board.GetBrickCode(3, 1), 22);
    EXPECT_EQ(board.GetBrickCode(1, 2), 33);
    ASSERT_TRUE(board.PlacePiece(3, 3, eastWest, 0));
    EXPECT_EQ(board.GetBrickCode(4, 3), 22);
    EXPECT_EQ(board.GetBrickCode(2, 4), 33);
}

TEST(Placement, TargetReservedByAMovingBrickIsNotFree)
{
    cBoard board(PlainLevel(5, 5));
    board.CreateMover(2, 1, kSouth, 44);
    EXPECT_EQ(board.GetBrickCode(2, 2), 0);
    EXPECT_FALSE(board.PlacePiece(2, 2, tPiece{11, 0, 0, 0, 0, 0, 0}, 0));
    RunBoard(board);
    EXPECT_EQ(board.GetBrickCode(2, 2), 44);
}

TEST(PiecePanel, QueueRotationAndRandomStartTurn)
{
    cBoard board(PlainLevel(7, 7));
    cPiecePanel panel;
    cRandom random(7);
    const tPiece piece{5, 1, 2, 3, 4, 5, 6};
    panel.SetCount(40);
    for (int i = 0; i < 40; ++i)
        panel.SetPieceTurnedRandomly(i, piece, random);
    bool sawTurned = false;
    for (int i = 0; i < 40; ++i)
    {
        // Stored slot k is the level's slot k + turn; undoing the turn with
        // a placement rotation gives the level's orientation back.
        const int turn = panel.GetStartTurn(i);
        EXPECT_EQ(cBoard::RotatedPiece(panel.GetPiece(i), turn), piece);
        sawTurned |= turn != 0;
    }
    EXPECT_TRUE(sawTurned);

    panel.SetCount(2);
    panel.SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
    panel.SetPiece(1, tPiece{22, 0, 0, 0, 0, 0, 0});
    panel.Rotate();
    panel.Rotate();
    EXPECT_EQ(panel.GetRotation(), 2);
    int cx = 0, cy = 0;
    board.CellCentre(3, 3, cx, cy);
    // The board's origin is drawn at (400 + ox, 250 + oy).
    EXPECT_FALSE(panel.TryPut(0, 0, 0, 0, board));
    EXPECT_TRUE(panel.TryPut(cx + 410, cy + 240, 10, -10, board));
    EXPECT_EQ(board.GetBrickCode(3, 3), 11);
    EXPECT_EQ(panel.GetCurrentIndex(), 1);
    EXPECT_EQ(panel.GetRotation(), 0);
    EXPECT_FLOAT_EQ(panel.GetQueueSlide(), 1.0f);
    panel.Update(0.1f);
    EXPECT_FLOAT_EQ(panel.GetQueueSlide(), 0.5f);
    EXPECT_TRUE(panel.PutAt(0, 0, board));
    // Every piece put: accepted, but nothing happens.
    EXPECT_TRUE(panel.PutAt(5, 5, board));
    EXPECT_EQ(board.GetBrickCode(5, 5), 0);
    EXPECT_EQ(panel.GetCurrentIndex(), 2);
}
