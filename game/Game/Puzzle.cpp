#include "game/Game/Puzzle.h"

#include <algorithm>

cPuzzle::cPuzzle(const cBoardMetrics& metrics, uint32_t seed) : m_metrics(metrics), m_random(seed)
{
}

void cPuzzle::SetListener(cPuzzleListener* listener)
{
    m_listener = listener;
    if (m_board)
        m_board->SetSoundListener(listener);
}

void cPuzzle::StartLevel()
{
    // The board draws its own numbers (explosions, bolts) from a generator
    // seeded here, so the whole attempt follows from the puzzle's seed.
    m_board.emplace(m_level, m_metrics,
                    static_cast<uint32_t>(m_random.Next()) * 32768u +
                        static_cast<uint32_t>(m_random.Next()));
    m_board->SetSoundListener(m_listener);

    m_piecePanel.SetCount(m_level.GetPieceCount());
    for (int i = 0; i < m_level.GetPieceCount(); ++i)
        m_piecePanel.SetPieceTurnedRandomly(i, m_level.GetPiece(i), m_random);
    m_piecePanel.SetActive(true);
    m_piecePanel.SetCurrentIndex(0);
    m_piecePanel.ResetRotation();
    m_piecePanel.ResetPhases();

    for (int slot = 0; slot < kItemSlotCount; ++slot)
        m_itemPanel.SetSlot(slot, m_level.GetItem(slot));
    ClearHistory();

    m_pieceMode = true;
    m_itemMode = false;
    m_selectedSlot = 0;
    m_itemPanel.Select(false, 0);

    m_startOffsetX = -static_cast<float>(m_board->ContentCentreX());
    m_startOffsetY = -static_cast<float>(m_board->ContentCentreY());
    m_settled = false;
    m_completed = false;
    m_completionTimer = 2.5f;
    m_bannerFade = 0.0f;
}

void cPuzzle::RunStartMatches()
{
    if (m_board)
        m_board->RunMatches();
}

void cPuzzle::PushUndoStep()
{
    m_history.push_back(CaptureStep());
}

cPuzzle::sUndoStep cPuzzle::CaptureStep() const
{
    sUndoStep step;
    const cBoard& board = *m_board;
    step.cells.reserve(board.GetCells().size());
    for (const cBoard::sCell& cell : board.GetCells())
        step.cells.push_back(cell.kind);
    step.bricks.reserve(board.GetBricks().size());
    for (const cBoard::sBrick& brick : board.GetBricks())
        step.bricks.push_back(static_cast<uint8_t>(brick.code));
    step.pieceIndex = m_piecePanel.GetCurrentIndex();
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        step.items[static_cast<size_t>(slot)] = m_itemPanel.GetSlot(slot);
    step.pieceMode = m_pieceMode;
    step.itemMode = m_itemMode;
    step.selectedSlot = m_selectedSlot;
    return step;
}

void cPuzzle::PopUndoStepDiscard()
{
    if (!m_history.empty())
        m_history.pop_back();
}

bool cPuzzle::Undo()
{
    return StepBack(m_history, m_redo);
}

bool cPuzzle::Redo()
{
    if (!StepBack(m_redo, m_history))
        return false;
    // As after a move: the settle and completion tests run again.
    m_settled = false;
    return true;
}

// Goes back to the newest state of `from`, keeping the present one in `to`.
bool cPuzzle::StepBack(std::vector<sUndoStep>& from, std::vector<sUndoStep>& to)
{
    if (!m_board || from.empty() || !m_board->IsIdle() || m_completed)
        return false;
    to.push_back(CaptureStep());
    RestoreStep(from.back());
    from.pop_back();
    return true;
}

void cPuzzle::RestoreStep(const sUndoStep& step)
{
    cBoard& board = *m_board;
    for (int y = 0; y < board.GetHeight(); ++y)
    {
        for (int x = 0; x < board.GetWidth(); ++x)
        {
            const size_t i = static_cast<size_t>(y) * board.GetWidth() + x;
            board.SetCell(x, y, step.cells[i]);
            board.SetBrick(x, y, step.bricks[i]);
        }
    }
    m_piecePanel.SetCurrentIndex(step.pieceIndex);
    for (int slot = 0; slot < kItemSlotCount; ++slot)
        m_itemPanel.SetSlot(slot, step.items[static_cast<size_t>(slot)]);
    m_pieceMode = step.pieceMode;
    m_itemMode = step.itemMode;
    m_selectedSlot = step.selectedSlot;
    m_piecePanel.SetActive(m_pieceMode);
    m_itemPanel.Select(m_itemMode, m_selectedSlot);
}

// Ends a move whose undo step was just pushed: a refused move takes the step
// back and sounds invalid; a done move sounds its effect and sets the board going.
bool cPuzzle::FinishMove(bool done, int effect)
{
    if (!done)
    {
        PopUndoStepDiscard();
        Play(kSndInvalid);
        return false;
    }
    Play(effect);
    m_settled = false;
    // A new move leaves nothing to redo.
    m_redo.clear();
    return true;
}

bool cPuzzle::PutPiece(int x, int y)
{
    if (!CanMove() || !m_pieceMode || !m_piecePanel.HasPiecesLeft())
        return false;
    PushUndoStep();
    return FinishMove(m_piecePanel.PutAt(x, y, *m_board), kSndPutPiece);
}

bool cPuzzle::PutPieceAtPixel(int mx, int my, int ox, int oy)
{
    if (!CanMove() || !m_pieceMode || !m_piecePanel.HasPiecesLeft())
        return false;
    PushUndoStep();
    return FinishMove(m_piecePanel.TryPut(mx, my, ox, oy, *m_board), kSndPutPiece);
}

bool cPuzzle::PutPieceTurned(int x, int y, int rotation)
{
    if (!CanMove() || !m_piecePanel.HasPiecesLeft())
        return false;
    SelectPieceMode();
    m_piecePanel.SetRotation(rotation + m_piecePanel.GetStartTurn(m_piecePanel.GetCurrentIndex()));
    return PutPiece(x, y);
}

bool cPuzzle::UseItem(int x, int y)
{
    if (!CanMove() || !m_itemMode || m_itemPanel.GetSelectedCode() == 0)
        return false;
    PushUndoStep();
    int effect = 0;
    const bool used = m_itemPanel.UseAt(x, y, *m_board, effect);
    return FinishMove(used, effect);
}

bool cPuzzle::UseItemAtPixel(int mx, int my, int ox, int oy)
{
    if (!CanMove() || !m_itemMode || m_itemPanel.GetSelectedCode() == 0)
        return false;
    PushUndoStep();
    int effect = 0;
    const bool used = m_itemPanel.TryUse(mx, my, ox, oy, *m_board, effect);
    return FinishMove(used, effect);
}

bool cPuzzle::UseItemInSlot(int slot, int x, int y)
{
    if (!CanMove() || slot < 0 || slot >= kItemSlotCount)
        return false;
    SelectItemSlot(slot);
    return UseItem(x, y);
}

bool cPuzzle::RotatePiece()
{
    if (!m_board || !m_settled || !m_pieceMode)
        return false;
    m_piecePanel.Rotate();
    Play(kSndRotatePiece);
    return true;
}

void cPuzzle::SelectPieceMode()
{
    m_pieceMode = true;
    m_itemMode = false;
    m_piecePanel.SetActive(true);
    m_itemPanel.Select(false, m_selectedSlot);
}

void cPuzzle::SelectItemSlot(int slot)
{
    if (slot < 0 || slot >= kItemSlotCount)
        return;
    m_pieceMode = false;
    m_itemMode = true;
    m_selectedSlot = slot;
    m_piecePanel.SetActive(false);
    m_itemPanel.Select(true, slot);
}

void cPuzzle::Update(float dt, bool active)
{
    m_piecePanel.Update(dt);
    m_itemPanel.Update(dt);
    if (!m_board)
        return;
    m_board->Update(dt, active);
    if (!active)
        return;
    if (m_completed)
    {
        m_bannerFade = std::min(1.0f, m_bannerFade + 2.0f * dt);
        m_completionTimer -= dt;
        return;
    }
    if (!m_settled && m_board->IsIdle())
    {
        m_settled = true;
        if (m_pieceMode)
        {
            m_piecePanel.SetActive(true);
            m_itemPanel.Select(false, m_selectedSlot);
        }
    }
    if (!m_piecePanel.HasPiecesLeft() && m_board->IsCleared() && m_settled)
        LevelCompleted();
}

void cPuzzle::LevelCompleted()
{
    if (m_completed)
        return;
    m_completed = true;
    m_completionTimer = 2.5f;
    m_bannerFade = 0.0f;
    Play(kSndLevelCompleted);
    if (m_listener)
        m_listener->OnLevelCompleted();
}

bool cPuzzle::RunToRest(float step, int maxFrames)
{
    if (!m_board)
        return false;
    for (int frame = 0; frame < maxFrames; ++frame)
    {
        Update(step, true);
        if (m_settled || m_completed)
            return true;
    }
    return false;
}
