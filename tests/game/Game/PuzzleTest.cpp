#include "PuzzleTestUtil.h"

#include <gtest/gtest.h>

using namespace PuzzleTest;

namespace
{
const tPiece kSingle11{11, 0, 0, 0, 0, 0, 0};
} // namespace

TEST(Puzzle, LastPieceClearingTheBoardCompletesTheLevel)
{
    cLevel level = GapLevel({kSingle11});
    level.SetBrick(0, 6, 102); // blockers may remain
    level.SetItem(4, 22);      // items may remain
    cPuzzle puzzle = Started(level);
    cRecorder events;
    puzzle.SetListener(&events);
    EXPECT_FALSE(puzzle.IsCompleted());
    ASSERT_TRUE(puzzle.PutPiece(3, 2));
    EXPECT_EQ(events.played, std::vector<int>({kSndBricksRemoved, kSndPutPiece}));
    // Not settled yet: a second move is ignored silently.
    EXPECT_FALSE(puzzle.UseItemInSlot(4, 0, 0));
    EXPECT_EQ(events.played.size(), 2u);
    ASSERT_TRUE(puzzle.RunToRest());
    EXPECT_TRUE(puzzle.IsCompleted());
    EXPECT_EQ(events.completions, 1);
    EXPECT_EQ(events.Count(kSndLevelCompleted), 1);
    // Completion is final: no undo, no more moves; the timer runs out.
    EXPECT_FALSE(puzzle.Undo());
    for (int i = 0; i < 160; ++i)
        puzzle.Update(1.0f / 60.0f);
    EXPECT_LT(puzzle.GetCompletionTimer(), 0.0f);
    EXPECT_FLOAT_EQ(puzzle.GetBannerFade(), 1.0f);
    EXPECT_EQ(events.completions, 1);
}

TEST(Puzzle, ColourBricksLeftKeepTheLevelOpen)
{
    cLevel level = GapLevel({kSingle11});
    level.SetBrick(6, 6, 11);
    cPuzzle puzzle = Started(level);
    cRecorder events;
    puzzle.SetListener(&events);
    ASSERT_TRUE(puzzle.PutPiece(3, 2));
    ASSERT_TRUE(puzzle.RunToRest());
    EXPECT_FALSE(puzzle.IsCompleted());
    // Every piece put: clicks do nothing and make no sound.
    events.played.clear();
    EXPECT_FALSE(puzzle.PutPiece(0, 0));
    EXPECT_TRUE(events.played.empty());
    EXPECT_EQ(puzzle.GetHistorySize(), 1u);
}

TEST(Puzzle, BombStillTickingDelaysCompletion)
{
    // The last piece closes the ring and puts a bomb beside a far brick.
    cLevel level = GapLevel({tPiece{11, 0, 0, 0, 0, 0, 0}, tPiece{103, 0, 0, 0, 0, 0, 0}});
    level.SetBrick(0, 5, 44);
    cPuzzle puzzle = Started(level);
    ASSERT_TRUE(puzzle.PutPiece(3, 2));
    ASSERT_TRUE(puzzle.RunToRest());
    ASSERT_TRUE(puzzle.PutPiece(0, 6));
    for (int i = 0; i < 60; ++i)
        puzzle.Update(1.0f / 60.0f);
    EXPECT_FALSE(puzzle.IsCompleted());
    EXPECT_FALSE(puzzle.Undo()); // refused while the fuse burns
    ASSERT_TRUE(puzzle.RunToRest());
    EXPECT_TRUE(puzzle.IsCompleted());

    // The same with the colour brick out of reach: the level stays open.
    level.SetBrick(0, 5, 0);
    level.SetBrick(6, 0, 44);
    cPuzzle open = Started(level);
    ASSERT_TRUE(open.PutPiece(3, 2));
    ASSERT_TRUE(open.RunToRest());
    ASSERT_TRUE(open.PutPiece(0, 6));
    ASSERT_TRUE(open.RunToRest());
    EXPECT_FALSE(open.IsCompleted());
    // Undo after the chain restores the state before the move in one step.
    ASSERT_TRUE(open.Undo());
    EXPECT_EQ(open.GetPiecePanel().GetCurrentIndex(), 1);
    EXPECT_EQ(open.GetBoard().GetBrickCode(0, 6), 0);
    EXPECT_EQ(open.GetBoard().GetBrickCode(6, 0), 44);
}

TEST(Puzzle, UndoRestoresBoardPieceItemsAndModes)
{
    cLevel level = GapLevel({tPiece{22, 0, 0, 0, 0, 0, 0}, kSingle11});
    level.SetCell(5, 5, kCellFragilePlain);
    level.SetItem(9, 200 + kSouth);
    cPuzzle puzzle = Started(level);
    const auto startCells = puzzle.GetBoard().GetCells();
    const auto startBricks = puzzle.GetBoard().GetBricks();

    EXPECT_TRUE(puzzle.RotatePiece());
    ASSERT_TRUE(puzzle.PutPiece(5, 5));
    ASSERT_TRUE(puzzle.RunToRest());
    puzzle.SelectItemSlot(9);
    ASSERT_TRUE(puzzle.UseItem(5, 5)); // the fragile cell's brick leaves...
    ASSERT_TRUE(puzzle.RunToRest());
    EXPECT_EQ(puzzle.GetBoard().GetCellKind(5, 5), kCellBroken); // ...and it breaks
    EXPECT_EQ(puzzle.GetItemPanel().GetSlot(9), 0);

    ASSERT_TRUE(puzzle.Undo());
    EXPECT_EQ(puzzle.GetBoard().GetCellKind(5, 5), kCellFragilePlain);
    EXPECT_EQ(puzzle.GetItemPanel().GetSlot(9), 200 + kSouth);
    EXPECT_TRUE(puzzle.IsItemMode());
    EXPECT_EQ(puzzle.GetSelectedSlot(), 9);
    ASSERT_TRUE(puzzle.Undo());
    EXPECT_TRUE(puzzle.IsPieceMode());
    EXPECT_TRUE(puzzle.GetPiecePanel().IsActive());
    EXPECT_EQ(puzzle.GetPiecePanel().GetCurrentIndex(), 0);
    EXPECT_EQ(puzzle.GetPiecePanel().GetRotation(), 0);
    const auto& cells = puzzle.GetBoard().GetCells();
    const auto& bricks = puzzle.GetBoard().GetBricks();
    for (size_t i = 0; i < cells.size(); ++i)
    {
        EXPECT_EQ(cells[i].kind, startCells[i].kind);
        EXPECT_EQ(cells[i].covered, startCells[i].covered);
        EXPECT_EQ(bricks[i].code, startBricks[i].code);
    }
    EXPECT_FALSE(puzzle.Undo()); // history empty
}

TEST(Puzzle, FailedMoveLeavesNoUndoStepAndSoundsInvalid)
{
    cPuzzle puzzle = Started(GapLevel({kSingle11}));
    cRecorder events;
    puzzle.SetListener(&events);
    EXPECT_FALSE(puzzle.PutPiece(3, 3)); // occupied
    EXPECT_EQ(puzzle.GetHistorySize(), 0u);
    EXPECT_EQ(events.played, std::vector<int>({kSndInvalid}));
    // A click that misses the board is invalid too.
    EXPECT_FALSE(puzzle.PutPieceAtPixel(0, 0, 0, 0));
    EXPECT_EQ(events.Count(kSndInvalid), 2);
    // By pixel: the board's origin is drawn at (400 + ox, 250 + oy).
    int px = 0, py = 0;
    puzzle.GetBoard().CellCentre(3, 2, px, py);
    const int ox = static_cast<int>(puzzle.GetStartOffsetX());
    const int oy = static_cast<int>(puzzle.GetStartOffsetY());
    EXPECT_TRUE(puzzle.PutPieceAtPixel(px + 400 + ox, py + 250 + oy, ox, oy));
    EXPECT_EQ(puzzle.GetHistorySize(), 1u);
}

TEST(Puzzle, StartMatchesAndRestart)
{
    // An enclosure in the starting layout goes when the info popup closes.
    cLevel level = GapLevel({kSingle11, tPiece{0, 12, 34, 56, 0, 0, 0}});
    level.SetBrick(3, 2, 11);
    cPuzzle puzzle({}, 99);
    puzzle.SetLevel(level);
    puzzle.StartLevel();
    EXPECT_EQ(puzzle.GetBoard().GetBrickCode(3, 3), 11);
    puzzle.RunStartMatches();
    EXPECT_EQ(puzzle.GetBoard().GetBrickCode(3, 3), 0);
    ASSERT_TRUE(puzzle.RunToRest());
    ASSERT_TRUE(puzzle.PutPiece(0, 0));
    // Restart rebuilds everything; the queue keeps its order.
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        puzzle.Restart();
        EXPECT_EQ(puzzle.GetHistorySize(), 0u);
        EXPECT_EQ(puzzle.GetPiecePanel().GetCurrentIndex(), 0);
        EXPECT_EQ(puzzle.GetBoard().GetBrickCode(0, 0), 0);
        for (int i = 0; i < 2; ++i)
        {
            const cPiecePanel& panel = puzzle.GetPiecePanel();
            EXPECT_EQ(cBoard::RotatedPiece(panel.GetPiece(i), panel.GetStartTurn(i)),
                      level.GetPiece(i));
        }
    }
}

TEST(Puzzle, SameSeedSameMovesSameBoard)
{
    // Bombs and bolts draw random numbers; a replay must still agree.
    cLevel level = PlainLevel(8, 8);
    level.SetBrick(2, 2, 104);
    level.SetBrick(2, 6, 104);
    level.SetBrick(2, 4, 33);
    level.SetPieceCount(2);
    level.SetPiece(0, tPiece{103, 11, 22, 0, 0, 0, 0});
    level.SetPiece(1, tPiece{0, 44, 0, 55, 0, 66, 0});
    std::vector<std::vector<cBoard::sBrick>> results;
    for (int run = 0; run < 2; ++run)
    {
        cPuzzle puzzle = Started(level, 1234);
        ASSERT_TRUE(puzzle.PutPieceTurned(5, 4, 3));
        ASSERT_TRUE(puzzle.RunToRest());
        ASSERT_TRUE(puzzle.PutPieceTurned(1, 4, 1));
        ASSERT_TRUE(puzzle.RunToRest());
        results.push_back(puzzle.GetBoard().GetBricks());
    }
    for (size_t i = 0; i < results[0].size(); ++i)
        EXPECT_EQ(results[0][i].code, results[1][i].code);
}

TEST(Puzzle, PutPieceTurnedIsRelativeToTheLevelOrientation)
{
    cLevel level = PlainLevel(7, 7);
    level.SetPieceCount(1);
    level.SetPiece(0, tPiece{0, 11, 0, 0, 0, 0, 0});
    for (uint32_t seed : {1u, 2u, 3u, 4u})
    {
        cPuzzle puzzle = Started(level, seed);
        ASSERT_TRUE(puzzle.PutPieceTurned(3, 3, 1));
        EXPECT_EQ(puzzle.GetBoard().GetBrickCode(4, 3), 11) << "seed " << seed; // north-east
    }
}
