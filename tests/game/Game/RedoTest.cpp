// Redo: the board comes back exactly as it was before the undo, and a new
// move forgets what could be redone.
#include "PuzzleTestUtil.h"

#include <gtest/gtest.h>

using namespace PuzzleTest;

namespace
{
// Everything an undo step keeps, and the flags rebuilt from it.
struct sState
{
    std::vector<std::tuple<int, int, int, int, int>> cells;
    int pieceIndex = 0;
    std::vector<int> items;
    bool pieceMode = false;
    int slot = 0;
    bool operator==(const sState&) const = default;
};

sState StateOf(const cPuzzle& puzzle)
{
    sState state;
    const cBoard& board = puzzle.GetBoard();
    for (size_t i = 0; i < board.GetCells().size(); ++i)
        state.cells.emplace_back(board.GetCells()[i].kind, board.GetCells()[i].covered,
                                 board.GetBricks()[i].code, board.GetBricks()[i].movable,
                                 board.GetBricks()[i].destructible);
    state.pieceIndex = puzzle.GetPiecePanel().GetCurrentIndex();
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        state.items.push_back(puzzle.GetItemPanel().GetSlot(slot));
    state.pieceMode = puzzle.IsPieceMode();
    state.slot = puzzle.GetSelectedSlot();
    return state;
}

// Two single bricks and a push, on a board with a fragile cell and a ring
// around (3, 3) that lacks its north brick.
cPuzzle Started()
{
    cLevel level = GapLevel({tPiece{22, 0, 0, 0, 0, 0, 0}, tPiece{11, 0, 0, 0, 0, 0, 0}});
    level.SetCell(5, 5, kCellFragilePlain);
    level.SetItem(9, 200 + kSouth);
    return PuzzleTest::Started(level);
}
} // namespace

TEST(Redo, BringsBackWhatWasUndoneExactly)
{
    cPuzzle puzzle = Started();
    const sState start = StateOf(puzzle);
    ASSERT_TRUE(puzzle.PutPiece(5, 5));
    ASSERT_TRUE(puzzle.RunToRest());
    // The state the push starts from (the item chosen): what undoing the
    // push gives back, and redoing the piece.
    puzzle.SelectItemSlot(9);
    const sState afterPiece = StateOf(puzzle);
    ASSERT_TRUE(puzzle.UseItem(5, 5)); // the brick leaves, the fragile cell breaks
    ASSERT_TRUE(puzzle.RunToRest());
    const sState afterPush = StateOf(puzzle);
    EXPECT_EQ(puzzle.GetBoard().GetCellKind(5, 5), kCellBroken);

    EXPECT_FALSE(puzzle.Redo()) << "nothing undone yet";
    ASSERT_TRUE(puzzle.Undo());
    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(StateOf(puzzle), start);
    EXPECT_EQ(puzzle.GetRedoSize(), 2u);

    ASSERT_TRUE(puzzle.Redo());
    EXPECT_EQ(StateOf(puzzle), afterPiece);
    EXPECT_FALSE(puzzle.IsSettled()) << "settles again, as after a move";
    ASSERT_TRUE(puzzle.RunToRest());
    EXPECT_EQ(StateOf(puzzle), afterPiece);
    ASSERT_TRUE(puzzle.Redo());
    ASSERT_TRUE(puzzle.RunToRest());
    EXPECT_EQ(StateOf(puzzle), afterPush);
    EXPECT_FALSE(puzzle.Redo());
    // What was redone undoes again.
    EXPECT_EQ(puzzle.GetHistorySize(), 2u);
    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(StateOf(puzzle), afterPiece);
}

TEST(Redo, ANewMoveARestartOrLeavingForgetsIt)
{
    cPuzzle puzzle = Started();
    ASSERT_TRUE(puzzle.PutPiece(5, 5));
    ASSERT_TRUE(puzzle.RunToRest());
    ASSERT_TRUE(puzzle.Undo());
    // A move that fails is no move: the redo stays.
    EXPECT_FALSE(puzzle.PutPiece(-5, -5));
    EXPECT_EQ(puzzle.GetRedoSize(), 1u);
    ASSERT_TRUE(puzzle.PutPiece(0, 0));
    EXPECT_EQ(puzzle.GetRedoSize(), 0u);
    ASSERT_TRUE(puzzle.RunToRest());
    EXPECT_FALSE(puzzle.Redo());

    ASSERT_TRUE(puzzle.Undo());
    puzzle.StartLevel();
    EXPECT_FALSE(puzzle.Redo());
    ASSERT_TRUE(puzzle.RunToRest());
    ASSERT_TRUE(puzzle.PutPiece(5, 5));
    ASSERT_TRUE(puzzle.RunToRest());
    ASSERT_TRUE(puzzle.Undo());
    puzzle.ClearRedo();
    EXPECT_FALSE(puzzle.Redo());
}

TEST(Redo, AMoveAfterARedoCompletesTheLevel)
{
    // Two rings of 11, each without its north brick, and two bricks of 11
    // to close them.
    cLevel level = PlainLevel(10, 7);
    const cBoard geometry(level);
    for (const int cx : {2, 7})
    {
        level.SetBrick(cx, 3, 11);
        for (int d = 2; d <= 6; ++d)
        {
            auto [x, y] = Step(geometry, cx, 3, d);
            level.SetBrick(x, y, 11);
        }
    }
    level.SetPieceCount(2);
    level.SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
    level.SetPiece(1, tPiece{11, 0, 0, 0, 0, 0, 0});
    cPuzzle puzzle({}, 5);
    puzzle.SetLevel(level);
    puzzle.StartLevel();
    ASSERT_TRUE(puzzle.RunToRest());
    const auto north = [&](int cx) { return Step(geometry, cx, 3, kNorth); };

    ASSERT_TRUE(puzzle.PutPiece(north(2).first, north(2).second));
    ASSERT_TRUE(puzzle.RunToRest());
    ASSERT_TRUE(puzzle.Undo());
    puzzle.GetBoard().AddFading(0, 0, 11);
    EXPECT_FALSE(puzzle.Redo()) << "refused while the board is not at rest";
    ASSERT_GT(RunBoard(puzzle.GetBoard()), 0);
    ASSERT_TRUE(puzzle.GetBoard().IsIdle());
    ASSERT_TRUE(puzzle.Redo());
    ASSERT_TRUE(puzzle.RunToRest());
    EXPECT_FALSE(puzzle.IsCompleted());
    ASSERT_TRUE(puzzle.PutPiece(north(7).first, north(7).second));
    ASSERT_TRUE(puzzle.RunToRest());
    EXPECT_TRUE(puzzle.IsCompleted());
    EXPECT_FALSE(puzzle.Redo());
}
