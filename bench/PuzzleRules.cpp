// The puzzle rules: one reaction frame of a busy board, a whole move from
// placement to rest, and the solver on levels of growing size.

#include "game/Game/Puzzle.h"
#include "game/Game/Solver.h"

#include <benchmark/benchmark.h>

namespace
{
std::pair<int, int> Step(const cBoard& board, int x, int y, int d)
{
    int nx = x, ny = y;
    board.Neighbour(x, y, d, nx, ny);
    return {nx, ny};
}

cLevel Plain(int w, int h)
{
    cLevel level;
    level.SetWidth(w);
    level.SetHeight(h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            level.SetCell(x, y, kCellPlain);
    return level;
}

// Puts `ring` around (x, y), direction 1 first; 0 leaves a position empty.
void Ring(cLevel& level, int x, int y, const std::vector<int>& ring)
{
    const cBoard geometry(level.GetWidth(), level.GetHeight(), level.GetAdjustIndexX());
    for (int d = 1; d <= 6; ++d)
    {
        auto [nx, ny] = Step(geometry, x, y, d);
        level.SetBrick(nx, ny, ring[static_cast<size_t>(d - 1)]);
    }
}

// A 20 x 20 board that never comes to rest: rings of arrow cells, each
// carrying five bricks round and round, between colour bricks and blockers.
cBoard BusyBoard()
{
    cLevel level = Plain(20, 20);
    const cBoard geometry(20, 20, false);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            level.SetBrick(x, y, (x * 7 + y * 3) % 9 + 1 + 10 * ((x + y) % 9));
    for (int cy = 1; cy < 19; cy += 3)
    {
        for (int cx = 1; cx < 19; cx += 3)
        {
            level.SetBrick(cx, cy, kBrickBlocker);
            for (int k = 1; k <= 6; ++k)
            {
                auto [x, y] = Step(geometry, cx, cy, k);
                level.SetCell(x, y, 1 + (k + 1) % 6 + 1); // arrow to the next ring cell
                level.SetBrick(x, y, k == 6 ? 0 : 11 * k);
            }
        }
    }
    cBoard board(level, {}, 1);
    for (int frame = 0; frame < 120; ++frame)
        board.Update(1.0f / 60.0f, true);
    return board;
}

void BM_UpdateBusyBoard(benchmark::State& state)
{
    cBoard board = BusyBoard();
    for (auto _ : state)
    {
        board.Update(1.0f / 60.0f, true);
        benchmark::DoNotOptimize(board.GetMovers().size());
    }
    state.counters["movers"] = static_cast<double>(board.GetMovers().size());
}
BENCHMARK(BM_UpdateBusyBoard);

// A full move on a 20 x 20 board with many bricks: the piece closes a ring,
// seven bricks fade, the board comes to rest.
void BM_FullMove(benchmark::State& state)
{
    cLevel level = Plain(20, 20);
    for (int y = 0; y < 20; y += 2)
        for (int x = 0; x < 20; x += 2)
            level.SetBrick(x, y, 12 + (x + y) % 7);
    for (int x = 0; x < 20; ++x)
        level.SetBrick(x, 19, 0);
    level.SetBrick(10, 10, 11);
    Ring(level, 10, 10, {0, 11, 11, 11, 11, 11});
    level.SetPieceCount(1);
    level.SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
    cPuzzle start({}, 1);
    start.SetLevel(level);
    BeginReplay(start);
    for (auto _ : state)
    {
        cPuzzle puzzle = start;
        const bool played = PlayMove(puzzle, cMove{false, 10, 9, 0, 0});
        benchmark::DoNotOptimize(played);
    }
}
BENCHMARK(BM_FullMove)->Unit(benchmark::kMicrosecond);

cLevel SolverLevel(int size)
{
    if (size == 0)
    {
        cLevel level = Plain(5, 5);
        level.SetBrick(2, 2, 11);
        Ring(level, 2, 2, {0, 11, 11, 11, 11, 11});
        level.SetPieceCount(1);
        level.SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
        return level;
    }
    if (size == 1)
    {
        cLevel level = Plain(7, 7);
        level.SetBrick(3, 3, 22);
        level.SetPieceCount(2);
        level.SetPiece(0, tPiece{0, 22, 22, 22, 0, 0, 0});
        level.SetPiece(1, tPiece{0, 0, 0, 0, 22, 22, 22});
        return level;
    }
    cLevel level = Plain(9, 9);
    level.SetBrick(2, 2, 33);
    Ring(level, 2, 2, {0, 33, 0, 33, 33, 33});
    level.SetBrick(6, 6, 44);
    Ring(level, 6, 6, {44, 44, 44, 0, 44, 44});
    level.SetPieceCount(3);
    level.SetPiece(0, tPiece{33, 0, 0, 0, 0, 0, 0});
    level.SetPiece(1, tPiece{33, 0, 0, 0, 0, 0, 0});
    level.SetPiece(2, tPiece{44, 0, 0, 0, 0, 0, 0});
    return level;
}

void BM_Solver(benchmark::State& state)
{
    const cLevel level = SolverLevel(static_cast<int>(state.range(0)));
    size_t states = 0;
    size_t total = 0;
    for (auto _ : state)
    {
        const cSolver::sResult result = cSolver::Solve(level, {});
        if (!result.solved)
            state.SkipWithError("not solved");
        states = result.states;
        total += result.states;
    }
    state.counters["boards"] = static_cast<double>(states);
    state.counters["boards_per_second"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Solver)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
} // namespace
