#pragma once

#include "Recipe.h"

#include <random>

class cLevel;

// The board of a forged level before any brick: a rectangle with its edges
// worn away into holes, and the recipe's special cells scattered over it
// (ice in short lanes, the rest one by one), then the blockers.
cLevel MakeLayout(const sRecipe& recipe, std::mt19937& random);
