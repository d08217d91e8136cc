// The F1 hint's search on the campaign's longest level with the game's board
// budget: on its recorded solution, the same position without it, and a
// wrong move away from it, where the search has to find its way back (or
// run out of budget). Reported per hint, with the boards searched.

#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "game/Game/KnownSolution.h"
#include "game/Game/Level.h"
#include "game/Game/PlayState.h"
#include "game/Game/Screen/HintSearch.h"
#include "game/Game/Solver.h"
#include "game/Game/SolverPruning.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace
{
// The same budget as the game's hint search.
constexpr size_t kHintBoards = cHintSearch::kBoardLimit;

struct sLevel
{
    cLevel level;
    cMoveLog log;
    std::shared_ptr<const cKnownSolution> known;
};

// The campaign level with the most pieces, from the generated data in bin/
// beside the build's bench/ folder.
sLevel LongestLevel()
{
    const std::string folder =
        (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin").string();
    Korva::cFileSystemPOSIX program(folder);
    sLevel best;
    for (int n = 1;; ++n)
    {
        char name[32];
        std::snprintf(name, sizeof(name), "/Levels/Zeltra%02d", n);
        if (!std::filesystem::exists(folder + name + ".lvl"))
            break;
        sLevel candidate;
        candidate.level.Load(program, std::string(name) + ".lvl");
        if (candidate.level.GetPieceCount() <= best.level.GetPieceCount())
            continue;
        candidate.log.Load(program, std::string(name) + ".moves");
        candidate.known =
            cKnownSolution::Load(program, std::string(name) + ".lvl", candidate.level);
        best = std::move(candidate);
    }
    return best;
}

// Argument: 0 half way along the recorded solution, the solution known;
// 1 the same position searched without it; 2 after a first move off the
// solution that the solver's cut-offs do not dismiss at once.
void BM_Hint(benchmark::State& state)
{
    const sLevel level = LongestLevel();
    if (!level.known)
    {
        state.SkipWithError("no campaign level with a recorded solution");
        return;
    }
    cPlayState position = cPlayState::FromLevel(level.level, 1);
    if (state.range(0) < 2)
    {
        for (size_t i = 0; i < level.log.moves.size() / 2; ++i)
            position.Play(level.log.moves[i]);
    }
    else
    {
        std::vector<cMove> moves;
        position.LegalMoves(moves);
        for (const cMove& move : moves)
        {
            cPlayState off = position;
            if (!(move == level.log.moves.front()) && off.Play(move) && !IsHopeless(off, true))
            {
                position = off;
                break;
            }
        }
    }
    cSolver::sOptions options;
    options.maxStates = kHintBoards;
    options.maxSeconds = 1e9;
    options.known = state.range(0) == 0 ? level.known.get() : nullptr;
    size_t boards = 0;
    bool found = false;
    for (auto _ : state)
    {
        const cSolver::sResult result = cSolver::SolveFrom(position, options);
        boards = result.states;
        found = result.solved;
        benchmark::DoNotOptimize(result.moves.size());
    }
    state.counters["boards"] = static_cast<double>(boards);
    state.counters["found"] = found ? 1 : 0;
    state.counters["pieces"] = level.level.GetPieceCount();
}
BENCHMARK(BM_Hint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
} // namespace
