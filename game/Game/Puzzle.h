#pragma once

#include "game/Game/Board.h"
#include "game/Game/ItemPanel.h"
#include "game/Game/Level.h"
#include "game/Game/PiecePanel.h"
#include "game/Game/Random.h"

#include <optional>
#include <vector>

// Told what the puzzle does: the sounds of moves and reactions, and the
// moment the level is completed.
class cPuzzleListener : public cBoardSoundListener
{
public:
    virtual void OnLevelCompleted() {}
};

// One attempt at a level: the private level copy, the live board, the piece
// and item panels, the undo history and the completion state. The game screen
// owns one; tests and tools play a whole level through its calls alone. With
// the same seed and the same calls it always ends on the same board.
class cPuzzle
{
public:
    // What one undo step restores.
    struct sUndoStep
    {
        std::vector<uint8_t> cells;
        std::vector<uint8_t> bricks;
        int pieceIndex = 0;
        std::array<int, kItemSlotCount> items{};
        bool pieceMode = true;
        bool itemMode = false;
        int selectedSlot = 0;
    };

    // The step the tools advance a reaction by; replays depend on it.
    static constexpr float kReplayStep = 1.0f / 60.0f;
    // Frames after which RunToRest gives up (10 minutes at kReplayStep).
    static constexpr int kMaxRestFrames = 36000;

    explicit cPuzzle(const cBoardMetrics& metrics = {}, uint32_t seed = cRandom::TimeSeed());

    void SetListener(cPuzzleListener* listener);
    // Keeps a deep copy; takes effect at the next StartLevel.
    void SetLevel(const cLevel& level) { m_level = level; }
    const cLevel& GetLevel() const { return m_level; }
    cRandom& GetRandom() { return m_random; }

    // Builds a new attempt from the level copy (also Restart): board, pieces
    // in new random orientations, items, empty history, piece mode.
    void StartLevel();
    void Restart() { StartLevel(); }
    // Removes the enclosures of the starting layout; the game screen calls it
    // when the level info popup closes, tools right after StartLevel.
    void RunStartMatches();

    // Moves, accepted only while the board has settled and the level is not
    // completed. Each records an undo step that a failed move discards, and
    // raises its sound (put, rotate or invalid).
    bool PutPiece(int x, int y);
    bool PutPieceAtPixel(int mx, int my, int ox, int oy);
    // Puts the current piece turned `rotation` sixths clockwise from its
    // orientation in the level file (independent of the random start turn).
    bool PutPieceTurned(int x, int y, int rotation);
    bool UseItem(int x, int y);
    bool UseItemAtPixel(int mx, int my, int ox, int oy);
    // Selects slot and uses it (item mode afterwards, as after a click).
    bool UseItemInSlot(int slot, int x, int y);
    bool RotatePiece();
    void SelectPieceMode();
    void SelectItemSlot(int slot);
    // Refused (false) with an empty history, while the board is not at rest
    // or after completion.
    bool Undo();
    // Brings back the board as it was before the last undo, under the same
    // conditions; any new move, StartLevel and ClearRedo forget what could
    // be redone.
    bool Redo();
    void ClearRedo() { m_redo.clear(); }
    size_t GetRedoSize() const { return m_redo.size(); }

    // One frame: the panels, the board, the settle and completion tests and
    // the completion timer. With active false (paused) only animations run.
    void Update(float dt, bool active = true);
    // Advances in steps of `step` until the board has settled; false when it
    // never comes to rest within `maxFrames`.
    bool RunToRest(float step = kReplayStep, int maxFrames = kMaxRestFrames);

    bool IsSettled() const { return m_settled; }
    bool IsCompleted() const { return m_completed; }
    float GetCompletionTimer() const { return m_completionTimer; }
    float GetBannerFade() const { return m_bannerFade; }
    bool IsPieceMode() const { return m_pieceMode; }
    bool IsItemMode() const { return m_itemMode; }
    int GetSelectedSlot() const { return m_selectedSlot; }
    // Board offset that centres the level's cells on screen point (400, 250).
    float GetStartOffsetX() const { return m_startOffsetX; }
    float GetStartOffsetY() const { return m_startOffsetY; }

    bool HasBoard() const { return m_board.has_value(); }
    cBoard& GetBoard() { return *m_board; }
    const cBoard& GetBoard() const { return *m_board; }
    cPiecePanel& GetPiecePanel() { return m_piecePanel; }
    const cPiecePanel& GetPiecePanel() const { return m_piecePanel; }
    cItemPanel& GetItemPanel() { return m_itemPanel; }
    const cItemPanel& GetItemPanel() const { return m_itemPanel; }
    size_t GetHistorySize() const { return m_history.size(); }

    void PushUndoStep();
    void PopUndoStepDiscard();
    bool FinishMove(bool done, int effect);
    void ClearHistory()
    {
        m_history.clear();
        m_redo.clear();
    }

private:
    bool CanMove() const { return m_board && m_settled && !m_completed; }
    void Play(int effect)
    {
        if (m_listener)
            m_listener->PlaySound(effect);
    }
    void LevelCompleted();
    sUndoStep CaptureStep() const;
    void RestoreStep(const sUndoStep& step);
    bool StepBack(std::vector<sUndoStep>& from, std::vector<sUndoStep>& to);

    cBoardMetrics m_metrics;
    cRandom m_random;
    cPuzzleListener* m_listener = nullptr;
    cLevel m_level;
    std::optional<cBoard> m_board;
    cPiecePanel m_piecePanel;
    cItemPanel m_itemPanel;
    std::vector<sUndoStep> m_history;
    // The states undone, the latest last.
    std::vector<sUndoStep> m_redo;

    bool m_settled = false;
    bool m_completed = false;
    float m_completionTimer = 2.5f;
    float m_bannerFade = 0.0f;
    bool m_pieceMode = true;
    bool m_itemMode = false;
    int m_selectedSlot = 0;
    float m_startOffsetX = 0.0f;
    float m_startOffsetY = 0.0f;
};
