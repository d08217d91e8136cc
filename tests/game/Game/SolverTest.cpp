#include "PuzzleTestUtil.h"

#include "engine/Core/Exception.h"
#include "engine/File/FileInputMemory.h"
#include "engine/File/FileOutputMemory.h"
#include "game/Game/MoveLog.h"
#include "game/Game/Solver.h"

#include <gtest/gtest.h>

using namespace PuzzleTest;

namespace
{
// A ring of 11 around (3, 3) whose north brick is a blocker: the push item
// must move it before the only piece can close the ring.
cLevel BlockedRing()
{
    cLevel level = PlainLevel(7, 7);
    cBoard geometry(level);
    level.SetBrick(3, 3, 11);
    for (int d = 1; d <= 6; ++d)
    {
        auto [x, y] = Step(geometry, 3, 3, d);
        level.SetBrick(x, y, d == 1 ? 102 : 11);
    }
    level.SetPieceCount(1);
    level.SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
    level.SetItem(3, 200 + kNorthEast);
    level.SetItem(5, 200 + kNorth);
    return level;
}

bool Replays(const cLevel& level, const cMoveLog& log)
{
    cPuzzle puzzle({}, log.seed);
    puzzle.SetLevel(level);
    BeginReplay(puzzle);
    for (const cMove& move : log.moves)
    {
        if (!PlayMove(puzzle, move))
            return false;
    }
    return puzzle.IsCompleted();
}
} // namespace

TEST(Solver, FindsMovesThatReplayToACompletedLevel)
{
    const cLevel level = BlockedRing();
    cSolver::sOptions options;
    options.seed = 42;
    const cSolver::sResult result = cSolver::Solve(level, options);
    ASSERT_TRUE(result.solved);
    ASSERT_EQ(result.moves.size(), 2u);
    EXPECT_TRUE(result.moves[0].item);
    EXPECT_FALSE(result.moves[1].item);

    // Through the file format and back, the answer still completes the level.
    cMoveLog log;
    log.seed = options.seed;
    log.level = "blocked";
    log.moves = result.moves;
    Korva::cFileOutputMemory out;
    log.Write(out);
    const std::string text = out.GetText();
    Korva::cFileInputMemory in("log", text.data(), text.size(), true);
    cMoveLog back;
    back.Read(in);
    EXPECT_EQ(back.moves, log.moves);
    EXPECT_EQ(back.seed, 42u);
    EXPECT_EQ(back.level, "blocked");
    EXPECT_TRUE(Replays(level, back));
}

TEST(Solver, ReportsNoSolutionOrALimit)
{
    cSolver::sOptions noItems;
    noItems.useItems = false;
    const cSolver::sResult stuck = cSolver::Solve(BlockedRing(), noItems);
    EXPECT_FALSE(stuck.solved);
    EXPECT_TRUE(stuck.exhausted);

    cSolver::sOptions tiny;
    tiny.maxStates = 1;
    cLevel twoPieces = PlainLevel(7, 7);
    twoPieces.SetBrick(3, 3, 22);
    twoPieces.SetPieceCount(2);
    twoPieces.SetPiece(0, tPiece{0, 22, 22, 22, 0, 0, 0});
    twoPieces.SetPiece(1, tPiece{0, 0, 0, 0, 22, 22, 22});
    const cSolver::sResult limited = cSolver::Solve(twoPieces, tiny);
    EXPECT_FALSE(limited.solved);
    EXPECT_FALSE(limited.exhausted);
    // A budget of fewer than ten boards is still searched, not cut to none.
    cLevel onePiece = PlainLevel(7, 7);
    onePiece.SetBrick(3, 3, 22);
    onePiece.SetPieceCount(1);
    onePiece.SetPiece(0, tPiece{0, 22, 22, 22, 22, 22, 22});
    cSolver::sOptions few;
    few.maxStates = 9;
    const cSolver::sResult small = cSolver::Solve(onePiece, few);
    EXPECT_TRUE(small.solved) << small.states << " boards";
    const cSolver::sResult solved = cSolver::Solve(twoPieces, {});
    ASSERT_TRUE(solved.solved);
    cMoveLog log;
    log.moves = solved.moves;
    EXPECT_TRUE(Replays(twoPieces, log));
}

// Counts what reaches the player's ears.
class cHeard : public cPuzzleListener
{
public:
    void PlaySound(int) override { ++count; }
    int count = 0;
};

TEST(Solver, SearchesOnFromAPuzzleSilentlyAndStopsWhenAsked)
{
    const cLevel level = BlockedRing();
    const cSolver::sResult whole = cSolver::Solve(level, {});
    ASSERT_TRUE(whole.solved);
    cPuzzle puzzle({}, 5);
    puzzle.SetLevel(level);
    BeginReplay(puzzle);
    ASSERT_TRUE(PlayMove(puzzle, whole.moves.front()));
    cHeard heard;
    puzzle.SetListener(&heard);
    const size_t history = puzzle.GetHistorySize();

    // From the board as played: only the piece is left to put.
    const cSolver::sResult rest = cSolver::SolveFrom(puzzle, {});
    ASSERT_TRUE(rest.solved);
    ASSERT_EQ(rest.moves.size(), 1u);
    EXPECT_FALSE(rest.moves.front().item);
    EXPECT_EQ(heard.count, 0);
    EXPECT_EQ(puzzle.GetHistorySize(), history);
    EXPECT_FALSE(puzzle.IsCompleted());

    // A stop request ends the search as a limit, not as "no solution".
    std::atomic<bool> stop{true};
    cSolver::sOptions options;
    options.stop = &stop;
    const cSolver::sResult stopped = cSolver::SolveFrom(puzzle, options);
    EXPECT_FALSE(stopped.solved);
    EXPECT_FALSE(stopped.exhausted);
}

TEST(MoveLog, RejectsAFileWithoutMoves)
{
    for (const std::string& text :
         {std::string(""), std::string("MoveLog=\n{\n\tSeed=\"3\"\n}\n"),
          std::string("MoveLog=\n{\n\tMoves=\n\t{\n\t\tJump=\n\t\t{\n\t\t\tX=\"1\"\n\t\t\tY=\"1\"\n"
                      "\t\t}\n\t}\n}\n")})
    {
        Korva::cFileInputMemory in("log", text.data(), text.size(), true);
        cMoveLog log;
        EXPECT_THROW(log.Read(in), Korva::cException) << text;
    }
}
