#include "game/Game/Screen/HintSearch.h"

#include "game/Game/Puzzle.h"

#include <utility>

// One search: the worker owns the puzzle copy and writes the result; the
// main thread reads the result only after `done` is set.
struct cHintSearch::sJob
{
    sJob(const cPuzzle& original, tSolve solver) : puzzle(original), solve(std::move(solver))
    {
        // The copy must never reach the game's sound player from the worker.
        puzzle.SetListener(nullptr);
        puzzle.ClearHistory();
    }

    cPuzzle puzzle;
    tSolve solve;
    std::atomic<bool> stop{false};
    std::atomic<bool> done{false};
    cSolver::sResult result;
};

cSolver::sResult cHintSearch::DefaultSolve(const cPuzzle& puzzle, const std::atomic<bool>& stop,
                                           const cKnownSolution* known)
{
    cSolver::sOptions options;
    options.maxStates = kBoardLimit;
    options.maxSeconds = kTimeLimit;
    options.stop = &stop;
    options.known = known;
    return cSolver::SolveFrom(puzzle, options);
}

cHintSearch::cHintSearch(tSolve solve) : m_solve(std::move(solve)), m_worker([this] { Work(); }) {}

cHintSearch::~cHintSearch()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        if (m_pending)
            m_pending->stop.store(true);
    }
    if (m_job)
        m_job->stop.store(true);
    m_wake.notify_all();
    // m_worker's destructor joins it.
}

void cHintSearch::Work()
{
    for (;;)
    {
        std::shared_ptr<sJob> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || m_pending; });
            if (m_quit)
                return;
            job = std::move(m_pending);
            m_busy.store(true);
        }
        try
        {
            job->result = job->solve(job->puzzle, job->stop);
        }
        catch (...)
        {
            // Reported like a search that ran out of time.
            job->result = cSolver::sResult{};
        }
        job->done.store(true, std::memory_order_release);
        m_busy.store(false);
    }
}

void cHintSearch::Start(const cPuzzle& puzzle)
{
    Cancel();
    tSolve solve = m_solve;
    if (!solve)
    {
        // The job keeps the recorded solution alive while it searches.
        solve = [known = m_known](const cPuzzle& copy, const std::atomic<bool>& stop)
        { return DefaultSolve(copy, stop, known.get()); };
    }
    auto job = std::make_shared<sJob>(puzzle, std::move(solve));
    m_job = job;
    {
        std::lock_guard lock(m_mutex);
        m_pending = std::move(job);
    }
    m_wake.notify_one();
}

void cHintSearch::Cancel()
{
    if (!m_job)
        return;
    m_job->stop.store(true);
    {
        // Not picked up yet: it never runs.
        std::lock_guard lock(m_mutex);
        if (m_pending == m_job)
            m_pending.reset();
    }
    m_job.reset();
}

cHintSearch::eOutcome cHintSearch::Poll(cMove& move)
{
    if (!m_job)
        return eOutcome::kIdle;
    if (!m_job->done.load(std::memory_order_acquire))
        return eOutcome::kRunning;
    const cSolver::sResult result = std::move(m_job->result);
    m_job.reset();
    if (result.solved && !result.moves.empty())
    {
        move = result.moves.front();
        return eOutcome::kFound;
    }
    if (result.solved || result.exhausted)
        return eOutcome::kNoneLeft;
    return eOutcome::kTimedOut;
}
