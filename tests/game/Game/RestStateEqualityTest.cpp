// The solver's path (a headless board run to rest by Settle, passes skipped
// while nothing changes) must end every move exactly where the game's own
// frame-by-frame update ends it: the same cells, bricks and flags, the same
// next piece and items, and the same state of the rules' random numbers (so
// the next move's explosions draw the same delays).
#include "PuzzleTestUtil.h"

#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "game/Game/MoveLog.h"
#include "game/Game/PlayState.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace PuzzleTest;

namespace
{
void ExpectSameRestState(const cPuzzle& game, const cPlayState& state, const std::string& where)
{
    SCOPED_TRACE(where);
    const cBoard& a = game.GetBoard();
    const cBoard& b = state.GetBoard();
    ASSERT_TRUE(a.IsIdle());
    ASSERT_TRUE(b.IsIdle());
    for (int y = 0; y < a.GetHeight(); ++y)
    {
        for (int x = 0; x < a.GetWidth(); ++x)
        {
            const size_t i = static_cast<size_t>(y) * a.GetWidth() + x;
            ASSERT_EQ(a.GetCells()[i], b.GetCells()[i])
                << "cell (" << x << ", " << y << "): kind " << int(a.GetCells()[i].kind) << " vs "
                << int(b.GetCells()[i].kind);
            ASSERT_EQ(a.GetBricks()[i], b.GetBricks()[i])
                << "brick (" << x << ", " << y << "): " << int(a.GetBricks()[i].code) << " vs "
                << int(b.GetBricks()[i].code);
        }
    }
    EXPECT_EQ(game.GetPiecePanel().GetCurrentIndex(), state.GetPieceIndex());
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        EXPECT_EQ(game.GetItemPanel().GetSlot(slot), state.GetItem(slot)) << "slot " << slot;
    // const_cast-free: the generators are compared through copies.
    cBoard ca = a, cb = b;
    EXPECT_EQ(ca.GetRandom().GetState(), cb.GetRandom().GetState());
    EXPECT_EQ(game.IsCompleted(), state.IsCompleted());
}

// Plays `moves` three ways from the level's start, comparing after each:
// the game's board running every pass of every frame, as the rules are
// written; the game's board as it runs in play, skipping passes while
// nothing they look at has changed; and the solver's headless board.
// Stops at the first move the rules refuse (all must refuse it).
void PlayBothWays(const cLevel& level, uint32_t seed, const std::vector<cMove>& moves,
                  const std::string& name)
{
    cPuzzle game({}, seed);
    game.SetLevel(level);
    game.StartLevel();
    game.GetBoard().SetEveryPass(true);
    game.RunStartMatches();
    game.RunToRest();
    cPuzzle played({}, seed);
    played.SetLevel(level);
    BeginReplay(played);
    cPlayState state = cPlayState::FromLevel(level, seed);
    ASSERT_TRUE(game.IsSettled()) << name;
    ExpectSameRestState(game, state, name + " at the start");
    ExpectSameRestState(game, cPlayState::FromPuzzle(played), name + " in play, at the start");
    for (size_t i = 0; i < moves.size(); ++i)
    {
        const bool accepted = PlayMove(game, moves[i]);
        ASSERT_EQ(accepted, state.Play(moves[i])) << name << " move " << i + 1;
        ASSERT_EQ(accepted, PlayMove(played, moves[i])) << name << " move " << i + 1;
        if (!accepted)
            return;
        const std::string after = " after move " + std::to_string(i + 1);
        ExpectSameRestState(game, state, name + after);
        ExpectSameRestState(game, cPlayState::FromPuzzle(played), name + " in play" + after);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

// A small random level that uses every cell kind, every special brick and
// every item, dense enough that matches, chains, bombs and bolts happen.
cLevel RandomLevel(std::mt19937& rng)
{
    auto pick = [&rng](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    const int w = pick(3, 9);
    const int h = pick(3, 8);
    cLevel level = PlainLevel(w, h, pick(0, 1) == 1);
    const int colours = pick(1, 3); // few colours: enclosures happen
    // Every other board is mostly ice and arrows, so bricks in flight meet
    // each other and bricks that wait on arrows.
    const bool slippery = pick(0, 1) == 1;
    auto brick = [&]()
    {
        const int r = pick(0, 99);
        if (r < 6)
            return kBrickMulti + pick(0, 4); // 100..104
        const int a = pick(1, colours);
        const int b = pick(0, 2) == 0 ? pick(1, colours) : a;
        return a * 10 + b;
    };
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            const int r = pick(0, 99);
            if (slippery)
                level.SetCell(x, y, r < 30 ? kCellPlain : r < 60 ? kCellIce : pick(2, 12));
            else
                level.SetCell(x, y, r < 55 ? kCellPlain : r < 60 ? kCellHole : pick(2, 12));
            level.SetBrick(x, y, pick(0, 99) < 40 ? brick() : 0);
        }
    }
    level.SetPieceCount(pick(1, 6));
    for (int i = 0; i < level.GetPieceCount(); ++i)
    {
        tPiece piece{};
        for (uint8_t& slot : piece)
            slot = static_cast<uint8_t>(pick(0, 1) ? brick() : 0);
        piece[0] = static_cast<uint8_t>(brick());
        level.SetPiece(i, piece);
    }
    for (int slot = 0; slot < kItemSlotCount; ++slot)
    {
        const int r = pick(0, 9);
        level.SetItem(slot, r < 5 ? 0 : r < 8 ? pick(201, 211) : brick());
    }
    return level;
}
} // namespace

TEST(RestStateEquality, RandomMovesOnRandomBoardsEndAlikeBothWays)
{
    std::mt19937 rng(20261208);
    int movesCompared = 0;
    for (int round = 0; round < 2500 && !HasFatalFailure(); ++round)
    {
        const cLevel level = RandomLevel(rng);
        const uint32_t seed = rng();
        // The moves are drawn from the solver's own list, so both ways
        // play only moves the rules take, pieces and items mixed.
        // Arrow cells can keep bricks going round for ever; such boards
        // and moves are left out (each would run the frame limit).
        cPlayState state = cPlayState::FromLevel(level, seed);
        if (!state.GetBoard().IsIdle())
            continue;
        std::vector<cMove> moves, legal;
        for (int i = 0; i < 8; ++i)
        {
            state.LegalMoves(legal);
            if (legal.empty())
                break;
            const cMove move = legal[rng() % legal.size()];
            if (!state.Play(move))
                break;
            moves.push_back(move);
        }
        movesCompared += static_cast<int>(moves.size());
        PlayBothWays(level, seed, moves, "round " + std::to_string(round));
    }
    EXPECT_GT(movesCompared, 5000);
}

TEST(RestStateEquality, EveryCampaignSolutionEndsAlikeBothWays)
{
    const std::string folder = ZELTRA_TEST_SOURCE_DIR "/data/levels";
    Korva::cFileSystemPOSIX sources(folder);
    int levels = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        if (entry.path().extension() != ".lvl")
            continue;
        const std::string stem = entry.path().stem().string();
        cLevel level;
        level.Load(sources, "/" + stem + ".lvl");
        cMoveLog log;
        log.Load(sources, "/" + stem + ".moves");
        for (uint32_t seed : {log.seed, 7u, 123456u})
            PlayBothWays(level, seed, log.moves, stem + " seed " + std::to_string(seed));
        ++levels;
    }
    EXPECT_GE(levels, 60);
}
