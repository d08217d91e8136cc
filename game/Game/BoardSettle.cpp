// Running a reaction to rest without drawing it: the solver's and the
// grading tools' way through a move, which must end exactly where the
// frame-by-frame Update ends.
#include "game/Game/Board.h"

void cBoard::RunMovePasses()
{
    const uint64_t before = m_changes;
    RunArrowsAndVortices();
    RunMatches();
    if (m_changes == before)
        m_quietMovePassesAt = m_changes;
}

// Passes that found nothing to do last time find nothing again on the same
// board. The bomb and plasma pass changes no brick code, so after it the
// match pass sees what it saw before.
void cBoard::RunPasses()
{
    if (!m_everyPass && m_changes == m_quietAt)
        return;
    const uint64_t before = m_changes;
    const bool movePassesQuiet = !m_everyPass && m_changes == m_quietMovePassesAt;
    if (!movePassesQuiet)
        RunArrowsAndVortices();
    RunBombsAndPlasma();
    if (m_movers.empty() && !movePassesQuiet)
        RunMatches();
    if (m_changes == before)
        m_quietAt = m_quietMovePassesAt = m_changes;
}

// One frame of a reaction in play, the same in Update and Settle.
void cBoard::StepReaction(float dt)
{
    UpdateFading(dt);
    UpdateMovers(dt);
    UpdateParticles(dt);
    UpdateBolts(dt);
    RunPasses();
}

int cBoard::Settle(float step, int maxFrames)
{
    for (int frame = 1; frame <= maxFrames; ++frame)
    {
        // Update's frame order, without the drawing phases.
        AdvanceTimers(step);
        StepReaction(step);
        // A headless board keeps no fading bricks, so "idle" alone could
        // come in the very frame a match removed bricks; the fragile pass
        // must wait, as it does behind the fades, until a frame's passes
        // found nothing to do.
        if (m_changes == m_quietAt && IsIdle())
        {
            RunFragileCells();
            if (IsIdle())
                return frame;
        }
    }
    return -1;
}
