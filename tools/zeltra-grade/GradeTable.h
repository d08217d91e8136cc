#pragma once

#include "Chapters.h"
#include "game/Game/Grading.h"

#include <string>
#include <vector>

// One graded level as the table and the plot show it.
struct sGradedLevel
{
    int number = 0;   // in the campaign, from 1
    std::string file; // file name without folders
    std::string name; // the level's own name
    Grading::sGrade grade;
};

// The Markdown table: one row per level, the budget it was graded with
// stated above it, and per chapter the median difficulty.
std::string GradeTable(const std::vector<sGradedLevel>& levels,
                       const std::vector<sChapter>& chapters, const Grading::sBudget& budget);

// The median of the levels' difficulties in [first, last] (level numbers).
double MedianDifficulty(const std::vector<sGradedLevel>& levels, int first, int last);
