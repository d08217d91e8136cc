#pragma once

#include "game/Game/MoveLog.h"

#include <set>
#include <string>
#include <vector>

class cLevel;

// What a solution makes use of, found by playing it frame by frame:
// "arrow2".."arrow7" (a brick pushed by an arrow of that kind), "ice" (a
// brick sliding on ice), "vortex", "bomb", "plasma", "fragile" and
// "fragileice" (a cell that crumbled), "multi" and "star" (removed in an
// enclosure), "blocker" (one destroyed), and "item201".."item211" and
// "itembrick100".."itembrick104" for the items used.
std::set<std::string> SolutionFeatures(const cLevel& level, const std::vector<cMove>& moves);

// The recipe's "require" list: comma-separated feature names.
std::vector<std::string> FeatureList(const std::string& text);
