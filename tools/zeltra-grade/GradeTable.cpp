#include "GradeTable.h"

#include <algorithm>
#include <cstdio>

namespace
{
std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

std::string FirstMoves(const Grading::sFirstMoves& moves, bool analysed)
{
    if (!analysed)
        return "not analysed";
    std::string text = std::to_string(moves.winning) + " of " + std::to_string(moves.legal);
    if (moves.unknown > 0)
        text += " (" + std::to_string(moves.unknown) + " unknown)";
    return text;
}
} // namespace

double MedianDifficulty(const std::vector<sGradedLevel>& levels, int first, int last)
{
    std::vector<double> values;
    for (const sGradedLevel& level : levels)
        if (level.number >= first && level.number <= last)
            values.push_back(level.grade.difficulty);
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::string GradeTable(const std::vector<sGradedLevel>& levels,
                       const std::vector<sChapter>& chapters, const Grading::sBudget& budget)
{
    std::string out = "# Difficulty of the levels\n\n";
    out += "Graded by `zeltra-grade` with seed " + std::to_string(budget.seed) + ": " +
           std::to_string(budget.randomPlayouts) + " random playouts per level, the solver " +
           "searching up to " + std::to_string(budget.solverBoards) + " boards, and " +
           (budget.boardsPerFirstMove > 0 ? "each legal first move searched for a win within " +
                                                std::to_string(budget.boardsPerFirstMove) +
                                                " boards (\"unknown\" when that budget ran out)"
                                          : std::string("first moves not analysed")) +
           ". Difficulty = how rarely random play wins (−log10 of its win rate) + 1 when the "
           "greedy player fails + log10 of the boards the solver searched to its first "
           "solution (ten times the budget when it found none) + 4 × log10 of the pieces.\n\n";
    out += "| # | Level | Name | Pieces | Bricks (board + pieces) | Solution moves | First moves "
           "that win | Greedy | Random wins | Solver boards | Solver time | Difficulty |\n";
    out += "|---|---|---|---|---|---|---|---|---|---|---|---|\n";
    size_t chapter = 0;
    for (const sGradedLevel& level : levels)
    {
        while (chapter < chapters.size() && chapters[chapter].last < level.number)
            ++chapter;
        if (chapter < chapters.size() && chapters[chapter].first == level.number)
            out += "| | **" + chapters[chapter].name + "** | | | | | | | | | | |\n";
        const Grading::sGrade& g = level.grade;
        out += "| " + std::to_string(level.number) + " | " + level.file + " | " + level.name +
               " | " + std::to_string(g.pieces) + " | " + std::to_string(g.boardBricks) + " + " +
               std::to_string(g.pieceBricks) + " | " +
               (g.solutionMoves ? std::to_string(g.solutionMoves) : std::string("—")) + " | " +
               FirstMoves(g.firstMoves, budget.boardsPerFirstMove > 0) + " | " +
               (g.greedyCompletes ? "wins" : "fails") + " | " +
               Format("%.1f %%", 100.0 * g.randomWins / std::max(1, g.randomPlayouts)) + " | " +
               (g.solverSolved ? std::to_string(g.solverBoards)
                               : "not found in " + std::to_string(g.solverBoards)) +
               " | " + Format("%.3f s", g.solverSeconds) + " | " + Format("%.2f", g.difficulty) +
               " |\n";
    }
    if (!chapters.empty())
    {
        out += "\n| Chapter | Levels | Median difficulty |\n|---|---|---|\n";
        for (const sChapter& c : chapters)
            out += "| " + c.name + " | " + std::to_string(c.first) + "–" + std::to_string(c.last) +
                   " | " + Format("%.2f", MedianDifficulty(levels, c.first, c.last)) + " |\n";
    }
    return out;
}
