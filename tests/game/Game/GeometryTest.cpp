#include "PuzzleTestUtil.h"

#include <gtest/gtest.h>

using namespace PuzzleTest;

namespace
{
using P = std::pair<int, int>;
} // namespace

TEST(Geometry, NeighboursFollowColumnParity)
{
    cBoard even(5, 5, false);
    // Column 2 is even (not shifted), column 1 odd (shifted down).
    const P evenExpected[6] = {{2, 1}, {3, 1}, {3, 2}, {2, 3}, {1, 2}, {1, 1}};
    const P oddExpected[6] = {{1, 1}, {2, 2}, {2, 3}, {1, 3}, {0, 3}, {0, 2}};
    for (int d = 1; d <= 6; ++d)
    {
        EXPECT_EQ(Step(even, 2, 2, d), evenExpected[d - 1]) << "direction " << d;
        EXPECT_EQ(Step(even, 1, 2, d), oddExpected[d - 1]) << "direction " << d;
    }
    // With the adjustment, column 0 is the shifted one.
    cBoard adjusted(5, 5, true);
    EXPECT_EQ(Step(adjusted, 0, 2, kNorthEast), P(1, 2));
    EXPECT_EQ(Step(even, 0, 2, kNorthEast), P(1, 1));
    // Negative columns keep the alternation.
    EXPECT_TRUE(even.IsOddColumn(-1));
    EXPECT_FALSE(even.IsOddColumn(-2));
    // A direction outside 1..6 leaves the outputs alone.
    int x = 7, y = 8;
    even.Neighbour(2, 2, 0, x, y);
    EXPECT_EQ(P(x, y), P(7, 8));
    // Off-board neighbours read as empty.
    cBoard board(PlainLevel(2, 2));
    board.SetBrick(1, 0, 11);
    const auto codes = board.Neighbours6Bricks(0, 0);
    EXPECT_EQ(codes[kNorth - 1], 0);
    EXPECT_EQ(codes[kSouthEast - 1], 11);
}

TEST(Geometry, TurnRingStepsLandOnTheNextRingPosition)
{
    // A turn item moves the ring brick in direction k two directions further;
    // it must land on the ring position k + 1, whatever the column parity.
    cBoard board(7, 7, false);
    for (int cx : {2, 3})
    {
        for (int k = 1; k <= 6; ++k)
        {
            const P from = Step(board, cx, 3, k);
            const int next = k % 6 + 1;
            EXPECT_EQ(Step(board, from.first, from.second, (k + 1) % 6 + 1),
                      Step(board, cx, 3, next));
        }
    }
}

TEST(Geometry, PixelLayoutAndHitTest)
{
    cBoard board(PlainLevel(3, 2)); // cells 40 x 36: pitch 32
    int px = 0, py = 0;
    board.CellCentre(1, 1, px, py);
    EXPECT_EQ(P(px, py), P(52, 72)); // odd column: half a cell lower
    board.CellCentre(2, 0, px, py);
    EXPECT_EQ(P(px, py), P(84, 18));
    EXPECT_EQ(board.PixelWidth(), 104);
    EXPECT_EQ(board.PixelHeight(), 90);

    int x = -1, y = -1;
    ASSERT_TRUE(board.CellAtPixel(52, 72, x, y));
    EXPECT_EQ(P(x, y), P(1, 1));
    ASSERT_TRUE(board.CellAtPixel(36, 18, x, y)); // inside (0,0) and close to its centre
    EXPECT_EQ(P(x, y), P(0, 0));
    // The box corner lies inside the box but too far from the centre.
    EXPECT_FALSE(board.CellAtPixel(0, 0, x, y));
    EXPECT_FALSE(board.CellAtPixel(-5, 10, x, y));
}

TEST(Geometry, ContentCentre)
{
    cLevel level = PlainLevel(3, 2);
    for (int yy = 0; yy < 2; ++yy)
        for (int xx = 0; xx < 3; ++xx)
            level.SetCell(xx, yy, kCellHole);
    cBoard holes(level);
    EXPECT_EQ(holes.ContentCentreX(), holes.PixelWidth() / 2);
    EXPECT_EQ(holes.ContentCentreY(), holes.PixelHeight() / 2);

    level.SetCell(1, 0, kCellPlain);
    cBoard one(level);
    EXPECT_EQ(one.ContentCentreX(), 52); // column 1 spans 32..72
    EXPECT_EQ(one.ContentCentreY(), 36); // shifted cell spans 18..54
}

TEST(Geometry, EditorColumnAndRowOperations)
{
    cLevel level = PlainLevel(3, 2);
    level.SetCell(2, 1, kCellIce);
    level.SetBrick(0, 1, 102);
    cBoard board(level);
    const auto cells = board.GetCells();
    const auto bricks = board.GetBricks();

    board.AddColumnLeft();
    EXPECT_EQ(board.GetWidth(), 4);
    EXPECT_EQ(board.GetAdjustIndexX(), 1);
    EXPECT_EQ(board.GetCellKind(3, 1), kCellIce);
    EXPECT_EQ(board.GetBrickCode(1, 1), 102);
    EXPECT_EQ(board.GetCellKind(0, 0), kCellHole);
    board.RemoveColumnLeft();
    EXPECT_EQ(board.GetAdjustIndexX(), 0);
    EXPECT_EQ(board.GetWidth(), 3);
    EXPECT_EQ(board.GetCells().size(), cells.size());
    for (size_t i = 0; i < cells.size(); ++i)
    {
        EXPECT_EQ(board.GetCells()[i].kind, cells[i].kind);
        EXPECT_EQ(board.GetBricks()[i].code, bricks[i].code);
        EXPECT_EQ(board.GetBricks()[i].movable, bricks[i].movable);
    }

    board.AddRowTop();
    EXPECT_EQ(board.GetHeight(), 3);
    EXPECT_EQ(board.GetCellKind(2, 2), kCellIce);
    board.RemoveRowTop();
    EXPECT_EQ(board.GetCellKind(2, 1), kCellIce);
    board.RemoveRowBottom();
    EXPECT_EQ(board.GetHeight(), 1);
    board.RemoveRowTop(); // would leave no row
    EXPECT_EQ(board.GetHeight(), 1);
    EXPECT_EQ(board.GetCellKind(2, 0), kCellPlain);
}
