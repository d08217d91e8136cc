#include "Forge.h"

#include "game/Game/Solver.h"

#include <algorithm>

std::vector<sCandidate>
Forge(const sRecipe& recipe, uint32_t firstSeed, int count, const sTargets& targets,
      const Grading::sBudget& budget,
      const std::function<void(uint32_t seed, const char* outcome)>& progress)
{
    std::vector<sCandidate> kept;
    for (int i = 0; i < count; ++i)
    {
        const uint32_t seed = firstSeed + static_cast<uint32_t>(i);
        cConstruction construction(recipe, seed);
        std::optional<sForged> forged = construction.Build();
        if (!forged)
        {
            progress(seed, "led nowhere");
            continue;
        }
        if (targets.ungraded)
        {
            progress(seed, "kept");
            kept.push_back(sCandidate{seed, std::move(*forged), {}, {}});
            continue;
        }
        std::set<std::string> features = SolutionFeatures(forged->level, forged->moves);
        if (!std::all_of(recipe.require.begin(), recipe.require.end(),
                         [&features](const std::string& f) { return features.count(f) > 0; }))
        {
            progress(seed, "did not use what it must");
            continue;
        }
        if (targets.itemsNeeded)
        {
            cSolver::sOptions options;
            options.useItems = false;
            options.maxStates = budget.solverBoards;
            options.maxSeconds = 1e9;
            const cSolver::sResult without = cSolver::Solve(forged->level, options);
            if (!without.exhausted)
            {
                progress(seed, "could be won without items");
                continue;
            }
        }
        Grading::sBudget quick = budget;
        quick.boardsPerFirstMove = 0;
        const Grading::sGrade grade = Grading::Grade(forged->level, &forged->moves, quick);
        const double rate =
            static_cast<double>(grade.randomWins) / std::max(1, grade.randomPlayouts);
        if ((targets.greedyFails && grade.greedyCompletes) || rate > targets.maxRandomWinRate ||
            grade.difficulty < targets.minDifficulty || grade.difficulty > targets.maxDifficulty)
        {
            progress(seed, "missed the targets");
            continue;
        }
        progress(seed, "kept");
        kept.push_back(sCandidate{seed, std::move(*forged), grade, std::move(features)});
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const sCandidate& a, const sCandidate& b)
                     { return a.grade.difficulty > b.grade.difficulty; });
    return kept;
}
