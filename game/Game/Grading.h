#pragma once

#include "game/Game/MoveLog.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class cLevel;

// How hard a level is, measured by playing it: a greedy player, random
// players, the solver, and how many first moves still lead to a win. Every
// figure comes from the rules alone, reproducibly from the seeds given.
namespace Grading
{
// The greedy player: before each move it plays every legal move to rest and
// takes the one that leaves the fewest removable bricks; on a tie the first
// (pieces before items, cells in row-major order). Returns the moves it made;
// `completed` tells whether they won the level.
struct sGreedy
{
    bool completed = false;
    std::vector<cMove> moves;
};
sGreedy PlayGreedy(const cLevel& level, uint32_t seed);

// Random players: each move drawn uniformly from the legal moves. A playout
// fails when no legal move is left, or when the pieces are used up with
// removable bricks left. Returns how many of `playouts` won; playout i uses
// seed + i for the level and its own draws.
int RandomPlayoutWins(const cLevel& level, int playouts, uint32_t seed);

// For each legal first move, whether the solver finds a win after it within
// `boardsPerMove` boards. Moves past the budget are counted as unknown.
struct sFirstMoves
{
    int legal = 0;
    int winning = 0;
    int unknown = 0;
};
sFirstMoves AnalyseFirstMoves(const cLevel& level, uint32_t seed, size_t boardsPerMove);

// Everything the grading tool reports for one level.
struct sGrade
{
    int pieces = 0;
    int boardBricks = 0;   // removable bricks on the board at the start
    int pieceBricks = 0;   // bricks in the pieces
    int solutionMoves = 0; // moves of the recorded solution, 0 when none
    sFirstMoves firstMoves;
    bool greedyCompletes = false;
    int randomWins = 0;
    int randomPlayouts = 0;
    bool solverSolved = false;
    size_t solverBoards = 0; // boards to the first solution, or searched in vain
    double solverSeconds = 0.0;
    double difficulty = 0.0;
};

struct sBudget
{
    int randomPlayouts = 1000;
    size_t solverBoards = 200000;
    size_t boardsPerFirstMove = 20000; // 0: first moves are not analysed
    uint32_t seed = 1;
};

// `solution`, when given, is the level's recorded solution (its length is
// reported; the solver still searches on its own).
sGrade Grade(const cLevel& level, const std::vector<cMove>* solution, const sBudget& budget);

// One number that grows with how hard a level is to think through: how
// rarely random play wins, whether the greedy player fails, how long the
// solver searches and how many pieces the plan takes. See Grading.cpp for
// the weights. Every part is deterministic for a given budget.
double Difficulty(const sGrade& grade, const sBudget& budget);
} // namespace Grading
