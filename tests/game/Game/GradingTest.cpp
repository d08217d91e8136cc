// The grading players and the recorded solutions the hints follow.
#include "PuzzleTestUtil.h"

#include "engine/File/FileSystem.h"
#include "engine/File/FileSystemManager.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "game/Game/Grading.h"
#include "game/Game/KnownSolution.h"
#include "game/Game/PlayState.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace PuzzleTest;

namespace
{
// A ring of 11 around (1, 1) with its north brick missing on a 3 x 3 board
// whose only other free cell is the corner (0, 0), outside the ring: a
// one-brick piece wins on one cell and loses on the other.
cLevel TwoChoices()
{
    cLevel level = PlainLevel(3, 3);
    cBoard geometry(level);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            level.SetBrick(x, y, kBrickBlocker);
    level.SetBrick(1, 1, 11);
    for (int d = 1; d <= 6; ++d)
    {
        auto [x, y] = Step(geometry, 1, 1, d);
        level.SetBrick(x, y, d == 1 ? 0 : 11);
    }
    level.SetBrick(0, 0, 0);
    level.SetPieceCount(1);
    level.SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
    return level;
}

cLevel CampaignLevel(const std::string& file)
{
    Korva::cFileSystemPOSIX sources(ZELTRA_TEST_SOURCE_DIR "/data/levels");
    cLevel level;
    level.Load(sources, "/" + file);
    return level;
}
} // namespace

TEST(Grading, RandomPlayersDrawEveryLegalMoveAlike)
{
    const cLevel level = TwoChoices();
    // About half of the playouts take the winning cell.
    const int wins = Grading::RandomPlayoutWins(level, 1000, 5);
    EXPECT_GT(wins, 400);
    EXPECT_LT(wins, 600);
    // The same seed, the same playouts.
    EXPECT_EQ(Grading::RandomPlayoutWins(level, 1000, 5), wins);
    const Grading::sFirstMoves first = Grading::AnalyseFirstMoves(level, 1, 1000);
    EXPECT_EQ(first.legal, 2);
    EXPECT_EQ(first.winning, 1);
    EXPECT_EQ(first.unknown, 0);
    // With one cell left the greedy player takes it: fewer bricks remain.
    EXPECT_TRUE(Grading::PlayGreedy(level, 1).completed);
}

TEST(Grading, TheGreedyPlayerFallsForTheSharedBricks)
{
    // "Interlocked": two flowers share two bricks; closing one first takes
    // them, which is what the greedy player does.
    const cLevel level = CampaignLevel("Zeltra32.lvl");
    const Grading::sGreedy greedy = Grading::PlayGreedy(level, 1);
    EXPECT_FALSE(greedy.completed);
    EXPECT_FALSE(greedy.moves.empty());
    // The first level is won by the obvious move.
    EXPECT_TRUE(Grading::PlayGreedy(CampaignLevel("Zeltra01.lvl"), 1).completed);
    // The grade puts the two in order.
    Grading::sBudget budget;
    budget.boardsPerFirstMove = 0;
    budget.randomPlayouts = 200;
    const Grading::sGrade easy = Grading::Grade(CampaignLevel("Zeltra01.lvl"), nullptr, budget);
    const Grading::sGrade hard = Grading::Grade(level, nullptr, budget);
    EXPECT_TRUE(easy.solverSolved);
    EXPECT_TRUE(hard.solverSolved);
    EXPECT_LT(easy.difficulty, hard.difficulty);
}

TEST(KnownSolution, AnyMoveOrderBackOntoTheSolutionGetsItsRest)
{
    // Two loose bricks and one piece: the items may be used in either order.
    cLevel level = PlainLevel(7, 7);
    cBoard geometry(level);
    level.SetBrick(3, 3, 11);
    for (int d = 1; d <= 6; ++d)
    {
        auto [x, y] = Step(geometry, 3, 3, d);
        level.SetBrick(x, y, d <= 3 ? 0 : 11);
    }
    level.SetItem(0, 11);
    level.SetItem(1, 11);
    level.SetPieceCount(1);
    level.SetPiece(0, tPiece{0, 11, 0, 0, 0, 0, 0});
    const auto [nx, ny] = Step(geometry, 3, 3, 1);
    const auto [ex, ey] = Step(geometry, 3, 3, 2);
    const auto [sx, sy] = Step(geometry, 3, 3, 3);
    // Brick items on the north-east and south-east gaps, then the piece's
    // brick on the north gap (its slot 1 lies north of its centre).
    const std::vector<cMove> moves{cMove{true, ex, ey, 0, 0}, cMove{true, sx, sy, 0, 1},
                                   cMove{false, nx, ny + 1, 0, 0}};
    const cKnownSolution known(level, moves);
    ASSERT_EQ(known.GetPositionCount(), 4u);

    cPlayState swapped = cPlayState::FromLevel(level, 9);
    ASSERT_TRUE(swapped.Play(cMove{true, sx, sy, 0, 0}));
    EXPECT_FALSE(known.From(swapped.Hash())) << "not a position of the solution";
    ASSERT_TRUE(swapped.Play(cMove{true, ex, ey, 0, 1}));
    const std::optional<std::vector<cMove>> rest = known.From(swapped.Hash());
    ASSERT_TRUE(rest);
    ASSERT_EQ(rest->size(), 1u);
    EXPECT_TRUE(swapped.Play(rest->front()));
    EXPECT_TRUE(swapped.IsCompleted());

    // A refused move breaks the solution: no position along it may hand out
    // a rest that does not win, or none at all.
    const cKnownSolution broken(level, {moves[0], cMove{false, 99, 99, 0, 0}, moves[2]});
    EXPECT_EQ(broken.GetPositionCount(), 0u);
    EXPECT_FALSE(broken.From(cPlayState::FromLevel(level, 9).Hash()));
}

TEST(KnownSolution, AMissingOrWrongSolutionIsNoneAtAll)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zeltra-known-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    Korva::cFileSystemPOSIX files(folder.string());
    const cLevel level = TwoChoices();
    EXPECT_EQ(cKnownSolution::Load(files, "/Two.lvl", level), nullptr);
    // A move log that plays the losing cell does not complete the level.
    {
        std::ofstream out(folder / "Two.moves");
        out << "MoveLog=\n{\n\tLevel=\"Two.lvl\"\n\tSeed=\"1\"\n\tMoves=\n\t{\n\t\tPiece=\n\t\t{\n"
               "\t\t\tX=\"0\"\n\t\t\tY=\"0\"\n\t\t\tRotation=\"0\"\n\t\t}\n\t}\n}\n";
    }
    EXPECT_EQ(cKnownSolution::Load(files, "/Two.lvl", level), nullptr);
    // A broken file is reported and read as none.
    {
        std::ofstream out(folder / "Two.moves");
        out << "MoveLog={";
    }
    EXPECT_EQ(cKnownSolution::Load(files, "/Two.lvl", level), nullptr);
    std::filesystem::remove_all(folder);
}
