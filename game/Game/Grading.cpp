#include "game/Game/Grading.h"

#include "game/Game/Level.h"
#include "game/Game/PlayState.h"
#include "game/Game/Solver.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace Grading
{
sGreedy PlayGreedy(const cLevel& level, uint32_t seed)
{
    sGreedy result;
    cPlayState state = cPlayState::FromLevel(level, seed);
    std::vector<cMove> moves;
    while (!state.IsCompleted())
    {
        // Greedy: every legal move as a player would make it, every turn of
        // the piece and every slot, first best kept.
        moves.clear();
        state.LegalMoves(moves);
        std::optional<cPlayState> best;
        cMove bestMove;
        int bestLeft = 0;
        for (const cMove& move : moves)
        {
            cPlayState child = state;
            if (!child.Play(move))
                continue;
            const int left = child.RemovableBricks();
            if (!best || left < bestLeft)
            {
                best = std::move(child);
                bestMove = move;
                bestLeft = left;
            }
        }
        if (!best)
            break;
        state = std::move(*best);
        result.moves.push_back(bestMove);
    }
    result.completed = state.IsCompleted();
    return result;
}

int RandomPlayoutWins(const cLevel& level, int playouts, uint32_t seed)
{
    const cPlayState start = cPlayState::FromLevel(level, seed);
    int wins = 0;
    std::vector<cMove> moves;
    for (int i = 0; i < playouts; ++i)
    {
        std::mt19937 random(seed + static_cast<uint32_t>(i));
        cPlayState state = start;
        for (;;)
        {
            if (state.IsCompleted())
            {
                ++wins;
                break;
            }
            if (!state.HasPiecesLeft())
                break; // the pieces are used up, bricks are left
            state.LegalMoves(moves);
            if (moves.empty())
                break;
            const cMove move =
                moves[std::uniform_int_distribution<size_t>(0, moves.size() - 1)(random)];
            if (!state.Play(move))
                break; // a reaction that never comes to rest
        }
    }
    return wins;
}

sFirstMoves AnalyseFirstMoves(const cLevel& level, uint32_t seed, size_t boardsPerMove)
{
    sFirstMoves result;
    const cPlayState start = cPlayState::FromLevel(level, seed);
    std::vector<cMove> moves;
    start.LegalMoves(moves);
    cSolver::sOptions options;
    options.maxStates = boardsPerMove;
    options.maxSeconds = 1e9; // the budget is counted in boards
    for (const cMove& move : moves)
    {
        cPlayState child = start;
        if (!child.Play(move))
            continue;
        ++result.legal;
        const cSolver::sResult found = cSolver::SolveFrom(child, options);
        if (found.solved)
            ++result.winning;
        else if (!found.exhausted)
            ++result.unknown;
    }
    return result;
}

sGrade Grade(const cLevel& level, const std::vector<cMove>* solution, const sBudget& budget)
{
    sGrade grade;
    grade.pieces = level.GetPieceCount();
    const cPlayState start = cPlayState::FromLevel(level, budget.seed);
    grade.boardBricks = start.RemovableBricks();
    for (int i = 0; i < level.GetPieceCount(); ++i)
        for (uint8_t code : level.GetPiece(i))
            grade.pieceBricks += static_cast<int8_t>(code) > 0;
    grade.solutionMoves = solution ? static_cast<int>(solution->size()) : 0;
    if (budget.boardsPerFirstMove > 0)
        grade.firstMoves = AnalyseFirstMoves(level, budget.seed, budget.boardsPerFirstMove);
    grade.greedyCompletes = PlayGreedy(level, budget.seed).completed;
    grade.randomPlayouts = budget.randomPlayouts;
    grade.randomWins = RandomPlayoutWins(level, budget.randomPlayouts, budget.seed);
    cSolver::sOptions options;
    options.seed = budget.seed;
    options.maxStates = budget.solverBoards;
    options.maxSeconds = 1e9;
    const cSolver::sResult found = cSolver::Solve(level, options);
    grade.solverSolved = found.solved;
    grade.solverBoards = found.states;
    grade.solverSeconds = found.seconds;
    grade.difficulty = Difficulty(grade, budget);
    return grade;
}

double Difficulty(const sGrade& grade, const sBudget& budget)
{
    // Random play: 0 when it always wins, about 3 when one playout in a
    // thousand wins, a little more when none does.
    const double playouts = std::max(1, grade.randomPlayouts);
    const double luck = -std::log10((grade.randomWins + 0.5) / (playouts + 0.5));
    // The solver: a decade of boards searched per point; a search that hit
    // its budget counts as one decade more than the budget.
    const double boards = grade.solverSolved ? static_cast<double>(grade.solverBoards)
                                             : static_cast<double>(budget.solverBoards) * 10.0;
    const double search = std::log10(1.0 + boards);
    // Seeing the best-looking move is not enough.
    const double greed = grade.greedyCompletes ? 0.0 : 1.0;
    // A longer plan asks more of the player: 0 for one piece, 2.4 for four,
    // 4.3 for twelve.
    const double plan = 4.0 * std::log10(std::max(1, grade.pieces));
    return luck + search + greed + plan;
}
} // namespace Grading
