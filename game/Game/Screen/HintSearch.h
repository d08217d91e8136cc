#pragma once

#include "game/Game/KnownSolution.h"
#include "game/Game/MoveLog.h"
#include "game/Game/Solver.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

class cPuzzle;

// Looks for the next move of a solution on a worker thread, so the frame
// loop never waits for the solver. The worker searches its own copy of the
// puzzle; the main thread collects the answer with Poll. A search that is
// cancelled (the player moved, undid, restarted or left) is never reported.
// One worker serves every search and lives as long as this object, so the
// main thread never joins a thread (which could wait for a busy machine to
// schedule it) except on destruction.
class cHintSearch
{
public:
    // What the worker runs: a search from `puzzle` that gives up when `stop`
    // becomes true. Tests put a solver here that waits for them.
    using tSolve =
        std::function<cSolver::sResult(const cPuzzle& puzzle, const std::atomic<bool>& stop)>;

    enum class eOutcome
    {
        kIdle,     // nothing asked, or the answer was already collected
        kRunning,  // the worker is still searching
        kFound,    // `move` is the next move of a solution
        kNoneLeft, // the whole search space holds no solution
        kTimedOut, // the time ran out before an answer
    };

    // About a second of searching on a desktop machine, counted in boards so
    // a hint does not depend on how busy the machine is; the time limit
    // only keeps a slow machine from waiting much longer.
    static constexpr size_t kBoardLimit = 1000000;
    static constexpr double kTimeLimit = 2.0;

    // The game's solver with those limits, taking the level's recorded
    // solution where the board lies on it.
    static cSolver::sResult DefaultSolve(const cPuzzle& puzzle, const std::atomic<bool>& stop,
                                         const cKnownSolution* known = nullptr);

    explicit cHintSearch(tSolve solve = {});
    // Asks a running search to stop and waits for the worker to end.
    ~cHintSearch();
    cHintSearch(const cHintSearch&) = delete;
    cHintSearch& operator=(const cHintSearch&) = delete;

    // Used by the searches started from now on.
    void SetSolve(tSolve solve) { m_solve = std::move(solve); }
    // The recorded solution of the level being played (null for levels
    // without one); the default search uses it from the next Start.
    void SetKnownSolution(std::shared_ptr<const cKnownSolution> known)
    {
        m_known = std::move(known);
    }

    // Starts searching from a copy of `puzzle` (taken now, on the caller's
    // thread); a search already running is cancelled first.
    void Start(const cPuzzle& puzzle);
    void Cancel();
    bool IsRunning() const { return m_job != nullptr; }

    // Main thread, once per frame: the outcome of the current search. A
    // finished search is reported once, then the search is idle again.
    eOutcome Poll(cMove& move);

    // The worker is running a search, perhaps one already cancelled (it
    // ends at its next check of the stop flag).
    bool IsWorkerBusy() const { return m_busy.load(); }

private:
    struct sJob;

    void Work();

    tSolve m_solve; // empty: DefaultSolve with m_known
    std::shared_ptr<const cKnownSolution> m_known;
    std::shared_ptr<sJob> m_job; // the search the main thread waits for
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::shared_ptr<sJob> m_pending; // handed to the worker, guarded
    bool m_quit = false;             // guarded
    std::atomic<bool> m_busy{false};
    std::jthread m_worker; // last: started after everything it uses
};
