#include "game/Game/Solver.h"

#include "game/Game/Puzzle.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <unordered_set>

namespace
{
class cSearch
{
public:
    cSearch(const cSolver::sOptions& options)
        : m_options(options), m_start(std::chrono::steady_clock::now())
    {
    }

    bool Search(const cPuzzle& puzzle, int depth);

    cSolver::sResult result;
    bool limitHit = false;

private:
    struct sChild
    {
        cMove move;
        cPuzzle puzzle;
        int score;
    };

    bool OverLimit()
    {
        if (limitHit)
            return true;
        if (result.states >= m_options.maxStates || Stopped())
            limitHit = true;
        else
        {
            // Once per board: expanding one costs far more than the clock.
            const std::chrono::duration<double> elapsed =
                std::chrono::steady_clock::now() - m_start;
            if (elapsed.count() > m_options.maxSeconds)
                limitHit = true;
        }
        return limitHit;
    }
    bool Stopped() const
    {
        return m_options.stop && m_options.stop->load(std::memory_order_relaxed);
    }
    void Expand(const cPuzzle& puzzle, std::vector<sChild>& children);
    void TryMove(const cPuzzle& puzzle, const cMove& move, std::vector<sChild>& children);

    cSolver::sOptions m_options;
    std::chrono::steady_clock::time_point m_start;
    std::unordered_set<std::string> m_seen;
};

// Everything of a board at rest that its future depends on.
std::string StateKey(const cPuzzle& puzzle)
{
    const cBoard& board = puzzle.GetBoard();
    std::string key;
    key.reserve(board.GetCells().size() * 4 + 48);
    for (const cBoard::sCell& cell : board.GetCells())
    {
        key.push_back(static_cast<char>(cell.kind));
        key.push_back(static_cast<char>(cell.covered));
    }
    for (const cBoard::sBrick& brick : board.GetBricks())
    {
        key.push_back(static_cast<char>(brick.code));
        key.push_back(static_cast<char>(brick.movable));
    }
    key += std::to_string(puzzle.GetPiecePanel().GetCurrentIndex());
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        key += "," + std::to_string(puzzle.GetItemPanel().GetSlot(slot));
    return key;
}

int RemainingBricks(const cBoard& board)
{
    int count = 0;
    for (const cBoard::sBrick& brick : board.GetBricks())
        count += (brick.code >= 1 && brick.code <= kBrickStar) || brick.code == kBrickPlasma;
    return count;
}

// Cheap necessary conditions. Without items, bombs, plasma, stars and moving
// cells, a colour or multi brick can only go in an enclosure, so some cell
// among it and its neighbours must have all seven positions on the board,
// able to carry a brick and free of blockers.
bool Hopeless(const cPuzzle& puzzle)
{
    const cBoard& board = puzzle.GetBoard();
    const cPiecePanel& pieces = puzzle.GetPiecePanel();
    const cItemPanel& items = puzzle.GetItemPanel();
    bool anyItem = false;
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        anyItem |= items.GetSlot(slot) != 0;
    if (!pieces.HasPiecesLeft() && !anyItem)
        return true; // no move left and (the caller knows) not completed
    if (anyItem)
        return false;
    for (int i = pieces.GetCurrentIndex(); i < pieces.GetCount(); ++i)
    {
        for (uint8_t code : pieces.GetPiece(i))
        {
            if (code == kBrickStar || code == kBrickBomb || code == kBrickPlasma)
                return false;
        }
    }
    for (int y = 0; y < board.GetHeight(); ++y)
    {
        for (int x = 0; x < board.GetWidth(); ++x)
        {
            const int kind = board.GetCellKind(x, y);
            const int code = board.GetBrickCode(x, y);
            if ((kind >= 2 && kind <= 9) || kind == kCellFragileIce || code == kBrickStar ||
                code == kBrickBomb || code == kBrickPlasma)
                return false;
        }
    }
    auto windowOpen = [&board](int cx, int cy)
    {
        for (int d = 0; d <= 6; ++d)
        {
            int x = cx, y = cy;
            if (d > 0)
                board.Neighbour(cx, cy, d, x, y);
            if (!board.IsInside(x, y) || !IsPlaceableClass(board.GetCellClass(x, y)))
                return false;
            const int code = board.GetBrickCode(x, y);
            if (code < 0 || code == kBrickBlocker)
                return false;
        }
        return true;
    };
    for (int y = 0; y < board.GetHeight(); ++y)
    {
        for (int x = 0; x < board.GetWidth(); ++x)
        {
            const int code = board.GetBrickCode(x, y);
            if (code < 1 || code > kBrickMulti)
                continue;
            bool possible = windowOpen(x, y);
            for (int d = 1; d <= 6 && !possible; ++d)
            {
                int nx = x, ny = y;
                board.Neighbour(x, y, d, nx, ny);
                possible = windowOpen(nx, ny);
            }
            if (!possible)
                return true;
        }
    }
    return false;
}

void cSearch::TryMove(const cPuzzle& puzzle, const cMove& move, std::vector<sChild>& children)
{
    // A wide board has hundreds of moves, each run to rest: a stop request
    // is honoured between them rather than after all of them.
    if (Stopped())
    {
        limitHit = true;
        return;
    }
    sChild child{move, puzzle, 0};
    if (!PlayMove(child.puzzle, move))
        return;
    child.puzzle.ClearHistory();
    child.score = RemainingBricks(child.puzzle.GetBoard());
    children.push_back(std::move(child));
}

void cSearch::Expand(const cPuzzle& puzzle, std::vector<sChild>& children)
{
    const cBoard& board = puzzle.GetBoard();
    const cPiecePanel& pieces = puzzle.GetPiecePanel();
    if (pieces.HasPiecesLeft())
    {
        const int index = pieces.GetCurrentIndex();
        // Rotations relative to the level's orientation; equal shapes once.
        const tPiece level = puzzle.GetLevel().GetPiece(index);
        std::vector<tPiece> shapes;
        for (int rotation = 0; rotation < 6; ++rotation)
        {
            const tPiece shape = cBoard::RotatedPiece(level, rotation);
            if (std::find(shapes.begin(), shapes.end(), shape) != shapes.end())
                continue;
            shapes.push_back(shape);
            for (int y = 0; y < board.GetHeight(); ++y)
                for (int x = 0; x < board.GetWidth(); ++x)
                    if (board.CanPlacePiece(x, y, shape, 0))
                        TryMove(puzzle, cMove{false, x, y, rotation, 0}, children);
        }
    }
    if (!m_options.useItems)
        return;
    std::vector<int> codesTried;
    for (int slot = 0; slot < kItemSlotCount; ++slot)
    {
        const int code = puzzle.GetItemPanel().GetSlot(slot);
        if (code == 0 || std::find(codesTried.begin(), codesTried.end(), code) != codesTried.end())
            continue;
        codesTried.push_back(code);
        for (int y = 0; y < board.GetHeight(); ++y)
            for (int x = 0; x < board.GetWidth(); ++x)
                if (board.CanUseItem(x, y, code))
                    TryMove(puzzle, cMove{true, x, y, 0, slot}, children);
    }
}

bool cSearch::Search(const cPuzzle& puzzle, int depth)
{
    if (puzzle.IsCompleted())
    {
        result.solved = true;
        return true;
    }
    if (OverLimit() || Hopeless(puzzle))
        return false;
    std::vector<sChild> children;
    Expand(puzzle, children);
    if (limitHit)
        return false;
    // Fewest bricks left first: clearing moves are tried before the rest.
    std::stable_sort(children.begin(), children.end(),
                     [](const sChild& a, const sChild& b) { return a.score < b.score; });
    for (sChild& child : children)
    {
        if (!m_seen.insert(StateKey(child.puzzle)).second)
            continue;
        ++result.states;
        result.moves.push_back(child.move);
        if (Search(child.puzzle, depth + 1))
            return true;
        result.moves.pop_back();
        if (limitHit)
            return false;
    }
    return false;
}
} // namespace

namespace
{
cSolver::sResult SearchFrom(const cPuzzle& puzzle, const cSolver::sOptions& options)
{
    cSearch search(options);
    if (!puzzle.HasBoard() || !puzzle.IsSettled())
    {
        search.result.exhausted = true; // the start never comes to rest
        return search.result;
    }
    search.Search(puzzle, 0);
    search.result.exhausted = !search.result.solved && !search.limitHit;
    return search.result;
}
} // namespace

cSolver::sResult cSolver::Solve(const cLevel& level, const sOptions& options)
{
    cPuzzle puzzle({}, options.seed);
    puzzle.SetLevel(level);
    BeginReplay(puzzle);
    return SearchFrom(puzzle, options);
}

cSolver::sResult cSolver::SolveFrom(const cPuzzle& puzzle, const sOptions& options)
{
    cPuzzle copy = puzzle;
    copy.SetListener(nullptr);
    copy.ClearHistory();
    return SearchFrom(copy, options);
}
