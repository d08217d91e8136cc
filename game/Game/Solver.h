#pragma once

#include "game/Game/Level.h"
#include "game/Game/MoveLog.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

class cKnownSolution;
class cPlayState;
class cPuzzle;

// Searches for moves that complete a level by playing them with the rules
// themselves: depth first over placements (every cell, every distinct
// rotation) and item uses, each move's reaction run to rest on a headless
// board, boards hashed so that none is searched twice (whatever the order of
// the moves that led to it), and hopeless boards cut off early.
class cSolver
{
public:
    struct sOptions
    {
        uint32_t seed = 1;
        size_t maxStates = 200000; // boards at rest examined
        double maxSeconds = 60.0;
        bool useItems = true;
        // Set from another thread to end the search early; it then reports
        // a limit, as if the time had run out.
        const std::atomic<bool>* stop = nullptr;
        // The level's recorded solution: a position it passes through is
        // solved at once, by its remaining moves.
        const cKnownSolution* known = nullptr;
    };
    struct sResult
    {
        bool solved = false;
        // The whole search space was examined (so no solution exists), as
        // opposed to stopping at a limit.
        bool exhausted = false;
        std::vector<cMove> moves;
        size_t states = 0;    // boards at rest examined
        double seconds = 0.0; // time the search took
    };

    static sResult Solve(const cLevel& level, const sOptions& options);
    // Searches on from a puzzle as it stands (settled, its start matches
    // run). The puzzle is copied and its copy plays silently, so a worker
    // thread may search while the original goes on being played. The moves
    // found begin with the next move to make (`seed` is not used).
    static sResult SolveFrom(const cPuzzle& puzzle, const sOptions& options);
    static sResult SolveFrom(const cPlayState& state, const sOptions& options);
};
