#include "game/Game/Solver.h"

#include "game/Game/HashSet.h"
#include "game/Game/KnownSolution.h"
#include "game/Game/PlayState.h"
#include "game/Game/Puzzle.h"
#include "game/Game/SolverPruning.h"

#include <algorithm>
#include <chrono>

namespace
{
bool SharesColour(int a, int b)
{
    if (a == kBrickMulti || a == kBrickStar || b == kBrickMulti || b == kBrickStar)
        return true;
    if (!IsColourBrick(a) || !IsColourBrick(b))
        return false;
    return a / 10 == b / 10 || a / 10 == b % 10 || a % 10 == b / 10 || a % 10 == b % 10;
}

// How many bricks the bricks a move put or moved now touch with a colour
// they share: a brick laid against matching bricks is a step towards an
// enclosure, one left in open space rarely is. Counted after the reaction,
// so a brick an arrow carried counts where it came to rest.
int Contacts(const cBoard& before, const cBoard& after)
{
    int contacts = 0;
    const int width = after.GetWidth();
    const auto& old = before.GetBricks();
    const auto& now = after.GetBricks();
    for (size_t i = 0; i < now.size(); ++i)
    {
        const int code = now[i].code;
        if (code <= 0 || code == old[i].code)
            continue;
        const int x = static_cast<int>(i) % width;
        const int y = static_cast<int>(i) / width;
        for (int d = 1; d <= 6; ++d)
        {
            int nx = x, ny = y;
            after.Neighbour(x, y, d, nx, ny);
            contacts += SharesColour(code, after.GetBrickCode(nx, ny));
        }
    }
    return contacts;
}

class cSearch
{
public:
    explicit cSearch(const cSolver::sOptions& options)
        : m_options(options), m_start(std::chrono::steady_clock::now())
    {
    }

    // Depth first from `state`; true when a solution was found, its moves
    // in result.moves.
    bool Search(const cPlayState& state, size_t depth);

    // One level of children per move of the longest line.
    void Reserve(size_t depth) { m_levels.reserve(depth); }
    // A narrow search tries only moves that clear bricks or lay bricks
    // against matching ones, up to `maxStates` boards; a wide one every move.
    void Begin(bool narrow, size_t width, size_t maxStates)
    {
        m_narrow = narrow;
        m_width = width;
        m_passStates = maxStates;
        m_seen.Clear();
        limitHit = false;
        result.moves.clear();
    }

    cSolver::sResult result;
    bool limitHit = false;
    // The clock ran out or the search was stopped: no later pass may run.
    bool outOfTime = false;

private:
    struct sChild
    {
        size_t index; // into the depth's pool
        int score;
        cMove move;
    };
    // The children of one depth, kept between searches so their boards'
    // arrays are reused rather than allocated for every position.
    struct sLevel
    {
        std::vector<cPlayState> pool;
        std::vector<sChild> children;
        std::vector<cMove> moves;
    };

    bool OverLimit()
    {
        if (limitHit)
            return true;
        if (Stopped())
            limitHit = outOfTime = true;
        else if (result.states >= m_passStates)
            limitHit = true;
        else if ((result.states & 63) == 0)
        {
            // Now and then: expanding one board costs more than the clock.
            const std::chrono::duration<double> elapsed =
                std::chrono::steady_clock::now() - m_start;
            if (elapsed.count() > m_options.maxSeconds)
                limitHit = outOfTime = true;
        }
        return limitHit;
    }
    bool Stopped() const
    {
        return m_options.stop && m_options.stop->load(std::memory_order_relaxed);
    }
    void Expand(const cPlayState& state, sLevel& level);

    cSolver::sOptions m_options;
    std::chrono::steady_clock::time_point m_start;
    cHashSet m_seen;
    // Set when a child lies on the recorded solution: the moves after it.
    std::optional<std::vector<cMove>> m_knownRest;
    std::vector<sLevel> m_levels;
    bool m_narrow = false;
    size_t m_width = 0; // children searched below each board, best first
    size_t m_passStates = 0;
};

// Removable bricks a move puts on the board.
int NewBricks(const cPlayState& state, const cMove& move)
{
    if (move.item)
        return IsRemovableBrick(state.GetItem(move.slot));
    int count = 0;
    for (uint8_t code : state.GetPiece(state.GetPieceIndex()))
        count += IsRemovableBrick(static_cast<int8_t>(code));
    return count;
}

void cSearch::Expand(const cPlayState& state, sLevel& level)
{
    state.LegalMoves(level.moves, m_options.useItems);
    level.children.clear();
    size_t used = 0;
    const int before = state.RemovableBricks();
    for (const cMove& move : level.moves)
    {
        // A wide board has hundreds of moves, each run to rest: a stop
        // request is honoured between them rather than after all of them.
        if (Stopped())
        {
            limitHit = outOfTime = true;
            return;
        }
        if (used == level.pool.size())
            level.pool.push_back(state);
        else
            level.pool[used] = state;
        cPlayState& child = level.pool[used];
        if (!child.Play(move))
            continue;
        const int left = child.RemovableBricks();
        // A narrow pass keeps only moves that clear bricks or lay them
        // against matching ones; elsewhere the contacts only order the
        // children, so boards seen before need not count them.
        int contacts = -1;
        if (m_narrow)
        {
            contacts = Contacts(state.GetBoard(), child.GetBoard());
            if (contacts < 2 && left >= before + NewBricks(state, move))
                continue;
        }
        // A board reached before, in another order or on another branch, was
        // searched to the end there (or is being searched above us).
        const uint64_t hash = child.Hash();
        if (!m_seen.Insert(hash))
            continue;
        ++result.states;
        if (m_options.known)
        {
            if (std::optional<std::vector<cMove>> rest = m_options.known->From(hash))
            {
                // Back on the recorded solution: it finishes the level.
                level.children.clear();
                level.children.push_back(sChild{used, 0, move});
                m_knownRest = std::move(*rest);
                return;
            }
        }
        if (child.IsCompleted())
        {
            // Nothing beats a win: the rest need not be played.
            level.children.clear();
            level.children.push_back(sChild{used, 0, move});
            return;
        }
        // Fewest bricks left first; among equals, pieces that lean on
        // bricks of their colours before pieces put anywhere.
        if (contacts < 0)
            contacts = Contacts(state.GetBoard(), child.GetBoard());
        const int score = left * 64 - contacts;
        level.children.push_back(sChild{used, score, move});
        ++used;
    }
}

bool cSearch::Search(const cPlayState& state, size_t depth)
{
    if (state.IsCompleted())
    {
        result.solved = true;
        return true;
    }
    if (m_knownRest)
    {
        result.moves.insert(result.moves.end(), m_knownRest->begin(), m_knownRest->end());
        result.solved = true;
        return true;
    }
    if (OverLimit() || IsHopeless(state, m_options.useItems))
        return false;
    if (m_levels.size() <= depth)
        m_levels.resize(depth + 1);
    Expand(state, m_levels[depth]);
    if (limitHit)
        return false;
    // Fewest bricks left first: clearing moves are tried before the rest.
    // m_levels may grow below, so the level is looked up again each time.
    std::stable_sort(m_levels[depth].children.begin(), m_levels[depth].children.end(),
                     [](const sChild& a, const sChild& b) { return a.score < b.score; });
    const size_t searched = std::min(m_levels[depth].children.size(), m_width);
    for (size_t i = 0; i < searched; ++i)
    {
        const sChild child = m_levels[depth].children[i];
        result.moves.push_back(child.move);
        if (Search(m_levels[depth].pool[child.index], depth + 1))
            return true;
        result.moves.pop_back();
        if (OverLimit())
            return false;
    }
    return false;
}

cSolver::sResult SearchFrom(const cPlayState& state, bool settled, const cSolver::sOptions& options)
{
    cSearch search(options);
    if (!settled)
    {
        search.result.exhausted = true; // the start never comes to rest
        return search.result;
    }
    const auto start = std::chrono::steady_clock::now();
    if (options.known)
    {
        if (std::optional<std::vector<cMove>> rest = options.known->From(state.Hash()))
        {
            search.result.solved = true;
            search.result.moves = std::move(*rest);
            return search.result;
        }
    }
    search.Reserve(static_cast<size_t>(state.GetPieceCount() + kItemSlotCount + 2));
    // A solution seldom strays far from the best-looking moves: passes that
    // follow only the few best children of each board, among the moves that
    // build towards an enclosure, come first and widen in turn; the last
    // pass searches every move (and alone can show there is none).
    constexpr size_t kAll = static_cast<size_t>(-1);
    const struct
    {
        bool narrow;
        size_t width;
        size_t share; // of the budget, in tenths, used up by the end of the pass
    } passes[] = {{true, 2, 1}, {true, 4, 3}, {true, 8, 5}, {false, kAll, 10}};
    for (const auto& pass : passes)
    {
        // In tenths without overflow; the last pass has the whole budget.
        const size_t budget = pass.share == 10 ? options.maxStates
                                               : options.maxStates / 10 * pass.share +
                                                     options.maxStates % 10 * pass.share / 10;
        search.Begin(pass.narrow, pass.width, budget);
        if (search.Search(state, 0) || search.outOfTime)
            break;
    }
    search.result.exhausted = !search.result.solved && !search.limitHit;
    search.result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return search.result;
}
} // namespace

cSolver::sResult cSolver::Solve(const cLevel& level, const sOptions& options)
{
    const cPlayState state = cPlayState::FromLevel(level, options.seed);
    return SearchFrom(state, state.GetBoard().IsIdle(), options);
}

cSolver::sResult cSolver::SolveFrom(const cPuzzle& puzzle, const sOptions& options)
{
    if (!puzzle.HasBoard())
        return SearchFrom(cPlayState::FromLevel(puzzle.GetLevel(), 1), false, options);
    return SearchFrom(cPlayState::FromPuzzle(puzzle), puzzle.IsSettled(), options);
}

cSolver::sResult cSolver::SolveFrom(const cPlayState& state, const sOptions& options)
{
    return SearchFrom(state, state.GetBoard().IsIdle(), options);
}
