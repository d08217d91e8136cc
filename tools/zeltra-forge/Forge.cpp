#include "Forge.h"

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
        kept.push_back(sCandidate{seed, std::move(*forged), grade});
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const sCandidate& a, const sCandidate& b)
                     { return a.grade.difficulty > b.grade.difficulty; });
    return kept;
}
