#pragma once

#include "Construction.h"
#include "Features.h"
#include "Recipe.h"

#include "game/Game/Grading.h"

#include <cstdint>
#include <functional>
#include <vector>

// What a forged level must reach to be kept.
struct sTargets
{
    bool greedyFails = true;
    double maxRandomWinRate = 0.01; // share of random playouts that win
    double minDifficulty = 0.0;
    double maxDifficulty = 1e9;
    // The level cannot be won without its items (the solver, searching
    // without them, runs out of moves within the budget).
    bool itemsNeeded = false;
    // Keep every level that comes out whole, ungraded (to rebuild a level
    // from its recipe and seed).
    bool ungraded = false;
};

struct sCandidate
{
    uint32_t seed = 0;
    sForged forged;
    Grading::sGrade grade;
    std::set<std::string> features;
};

// Builds `count` candidates from consecutive seeds, grades each one that
// comes out whole (without the first-move analysis) and returns those that
// meet the targets, hardest first. `progress` hears of every seed tried.
std::vector<sCandidate>
Forge(const sRecipe& recipe, uint32_t firstSeed, int count, const sTargets& targets,
      const Grading::sBudget& budget,
      const std::function<void(uint32_t seed, const char* outcome)>& progress);
