#include "game/Game/Screen/HintSearch.h"

#include "game/Game/Puzzle.h"

#include <utility>

// One search: the worker owns the puzzle copy and writes the result; the
// main thread reads the result only after `done` is set.
struct cHintSearch::sJob
{
    explicit sJob(const cPuzzle& original) : puzzle(original)
    {
        // The copy must never reach the game's sound player from the worker.
        puzzle.SetListener(nullptr);
        puzzle.ClearHistory();
    }

    cPuzzle puzzle;
    std::atomic<bool> stop{false};
    std::atomic<bool> done{false};
    cSolver::sResult result;
};

cSolver::sResult cHintSearch::DefaultSolve(const cPuzzle& puzzle, const std::atomic<bool>& stop)
{
    cSolver::sOptions options;
    options.maxSeconds = kTimeLimit;
    options.stop = &stop;
    return cSolver::SolveFrom(puzzle, options);
}

cHintSearch::cHintSearch(tSolve solve) : m_solve(std::move(solve)) {}

cHintSearch::~cHintSearch()
{
    // Every worker is told first, so they wind down together; the threads'
    // destructors then join them.
    if (m_job)
        m_job->stop.store(true);
    for (sWorker& worker : m_retired)
        worker.job->stop.store(true);
}

void cHintSearch::Start(const cPuzzle& puzzle)
{
    Cancel();
    auto job = std::make_shared<sJob>(puzzle);
    m_job = job;
    m_thread = std::jthread(
        [job, solve = m_solve]
        {
            try
            {
                job->result = solve(job->puzzle, job->stop);
            }
            catch (...)
            {
                // Reported like a search that ran out of time.
                job->result = cSolver::sResult{};
            }
            job->done.store(true, std::memory_order_release);
        });
}

void cHintSearch::Cancel()
{
    if (m_job)
    {
        m_job->stop.store(true);
        m_retired.push_back(sWorker{std::move(m_job), std::move(m_thread)});
        m_job.reset();
    }
    JoinFinishedRetired();
}

void cHintSearch::JoinFinishedRetired()
{
    // Only workers that have finished are joined, which takes no time.
    std::erase_if(m_retired, [](const sWorker& worker)
                  { return worker.job->done.load(std::memory_order_acquire); });
}

cHintSearch::eOutcome cHintSearch::Poll(cMove& move)
{
    JoinFinishedRetired();
    if (!m_job)
        return eOutcome::kIdle;
    if (!m_job->done.load(std::memory_order_acquire))
        return eOutcome::kRunning;
    if (m_thread.joinable())
        m_thread.join();
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
