// The solver's cut-offs may only drop positions that cannot be won: on many
// small random levels, every position the pruning gives up on is checked by
// playing out every move sequence from it, none of which may win.
#include "PuzzleTestUtil.h"

#include "game/Game/PlayState.h"
#include "game/Game/SolverPruning.h"

#include <gtest/gtest.h>

#include <random>

using namespace PuzzleTest;

namespace
{
// Every sequence of legal moves from `state`; true when one wins. Counts
// the positions played so the test knows it looked.
bool AnyWin(const cPlayState& state, size_t& played)
{
    if (state.IsCompleted())
        return true;
    std::vector<cMove> moves;
    state.LegalMoves(moves);
    for (const cMove& move : moves)
    {
        cPlayState child = state;
        ++played;
        if (child.Play(move) && AnyWin(child, played))
            return true;
    }
    return false;
}

// Small static levels that are often, but not always, winnable: one or two
// flowers, each missing the bricks of one piece, on a plain board, with now
// and then a stray brick, a blocker or a hole that spoils them.
// Two flowers four cells apart in a column, closed at once by one piece of
// two bricks, one in each: the bricks at their far ends lie six apart, as
// far as one piece can reach.
cLevel TwinFlowers(std::mt19937& rng)
{
    auto pick = [&rng](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    cLevel level = PlainLevel(5, 7, pick(0, 1) == 1);
    const cBoard geometry(level);
    const int a = pick(1, 2) * 11, b = pick(1, 2) * 11;
    for (auto [centre, code] : {std::pair{1, a}, std::pair{5, b}})
    {
        level.SetBrick(2, centre, code);
        for (int k = 1; k <= 6; ++k)
        {
            auto [x, y] = Step(geometry, 2, centre, k);
            level.SetBrick(x, y, code);
        }
    }
    // The piece's bricks go north and south of (2, 3).
    level.SetBrick(2, 2, 0);
    level.SetBrick(2, 4, 0);
    level.SetPieceCount(1);
    level.SetPiece(0, tPiece{0, static_cast<uint8_t>(a), 0, 0, static_cast<uint8_t>(b), 0, 0});
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        level.SetItem(slot, 0);
    return level;
}

cLevel RandomStaticLevel(std::mt19937& rng)
{
    auto pick = [&rng](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    if (pick(0, 9) == 0)
        return TwinFlowers(rng);
    // Wide boards too, where two flowers can lie out of one piece's reach.
    const int width = pick(6, 10);
    cLevel level = PlainLevel(width, 5, pick(0, 1) == 1);
    for (int y = 0; y < level.GetHeight(); ++y)
        for (int x = 0; x < level.GetWidth(); ++x)
            level.SetBrick(x, y, 0);
    const cBoard geometry(level);
    const int flowers = pick(1, 2);
    level.SetPieceCount(flowers);
    for (int f = 0; f < flowers; ++f)
    {
        const int cx = pick(1, width - 2), cy = pick(1, 3);
        const int code = pick(1, 2) * 11;
        tPiece piece{};
        for (int k = 0; k <= 6; ++k)
        {
            auto [x, y] = k == 0 ? std::pair{cx, cy} : Step(geometry, cx, cy, k);
            if (level.GetBrick(x, y) == 0 && pick(0, 99) < 60)
                level.SetBrick(x, y, code);
            else
                piece[static_cast<size_t>(k)] = static_cast<uint8_t>(code);
        }
        level.SetPiece(f, piece);
    }
    const int spoil = pick(0, 9);
    const int sx = pick(0, width - 1), sy = pick(0, 4);
    if (spoil < 2)
        level.SetBrick(sx, sy, pick(1, 2) * 11);
    else if (spoil < 3)
        level.SetBrick(sx, sy, kBrickBlocker);
    else if (spoil < 4)
        level.SetCell(sx, sy, kCellHole), level.SetBrick(sx, sy, 0);
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        level.SetItem(slot, slot == 0 && pick(0, 4) == 0 ? pick(1, 2) * 11 : 0);
    return level;
}
} // namespace

TEST(SolverPruning, GivesUpOnlyOnPositionsThatCannotBeWon)
{
    std::mt19937 rng(7);
    int prunedChecked = 0, winnableSeen = 0;
    size_t played = 0;
    for (int round = 0; round < 150; ++round)
    {
        const cLevel level = RandomStaticLevel(rng);
        // The start, and positions a few random moves in.
        cPlayState state = cPlayState::FromLevel(level, 1);
        std::vector<cMove> moves;
        for (int step = 0; step < 2 && !state.IsCompleted(); ++step)
        {
            size_t looked = 0;
            const bool winnable = AnyWin(state, looked);
            played += looked;
            winnableSeen += winnable;
            if (IsHopeless(state, true))
            {
                EXPECT_FALSE(winnable) << "round " << round << " step " << step
                                       << ": a winnable position was given up";
                ++prunedChecked;
            }
            state.LegalMoves(moves);
            if (moves.empty() || !state.Play(moves[rng() % moves.size()]))
                break;
        }
    }
    // The test saw both kinds of position, and played them out.
    EXPECT_GT(prunedChecked, 30);
    EXPECT_GT(winnableSeen, 20);
    EXPECT_GT(played, 10000u);
}

TEST(SolverPruning, BricksTooFarApartForThePiecesLeft)
{
    // Two lone bricks on a wide board and one full piece to enclose them.
    auto twoBricks = [](int ax, int ay, int bx, int by)
    {
        cLevel level = PlainLevel(12, 5);
        level.SetBrick(ax, ay, 11);
        level.SetBrick(bx, by, 11);
        level.SetPieceCount(1);
        level.SetPiece(0, tPiece{11, 11, 11, 11, 11, 11, 11});
        return IsHopeless(cPlayState::FromLevel(level, 1), true);
    };
    // At opposite corners no single piece reaches both; side by side it may.
    EXPECT_TRUE(twoBricks(0, 0, 11, 4));
    EXPECT_FALSE(twoBricks(5, 2, 6, 2));
}
