#pragma once

#include "GradeTable.h"

#include <string>

// Draws the difficulty curve as a PNG: one bar per level, coloured by
// chapter, each chapter's median as a line across its bars, and the levels
// the greedy player wins marked. False when the file could not be written.
bool WriteGradePlot(const std::vector<sGradedLevel>& levels, const std::vector<sChapter>& chapters,
                    const std::string& path);
