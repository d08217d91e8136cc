#pragma once

#include "game/Game/PuzzleTypes.h"

#include <vector>

class cBoard;
class cRandom;

// The queue of pieces the player puts in order, the current piece and its
// rotation, and the panel's drawing animations.
class cPiecePanel
{
public:
    void SetCount(int n);
    int GetCount() const { return static_cast<int>(m_pieces.size()); }
    void SetPiece(int i, const tPiece& piece);
    tPiece GetPiece(int i) const;
    // Turns `piece` by a random r in 0..6 (0 and 6 leave it as it is) before
    // storing it; the turn is remembered so replays can name a placement
    // relative to the level's own orientation.
    void SetPieceTurnedRandomly(int i, const tPiece& piece, cRandom& random);
    // The start turn of piece i, 0..5: stored slot k = level slot (k + turn).
    int GetStartTurn(int i) const;

    int GetCurrentIndex() const { return m_current; }
    void SetCurrentIndex(int i) { m_current = i; }
    bool HasPiecesLeft() const { return m_current < GetCount(); }

    bool IsActive() const { return m_active; }
    void SetActive(bool flag);
    int GetRotation() const { return m_rotation; }
    // For replays: the rotation to put the current piece with.
    void SetRotation(int rotation);
    void ResetRotation();
    void ResetPhases();
    void Rotate();

    // Screen pixel (mx, my) with the board drawn at (400 + ox, 250 + oy).
    bool TryPut(int mx, int my, int ox, int oy, cBoard& board);
    // The same for a board cell.
    bool PutAt(int x, int y, cBoard& board);

    void Update(float dt);

    float GetTurnProgress() const { return m_turnProgress; }
    float GetSelectProgress() const { return m_selectProgress; }
    float GetQueueSlide() const { return m_queueSlide; }
    float GetMultiPhase() const { return m_multiPhase; }
    float GetStarPhase() const { return m_starPhase; }

private:
    std::vector<tPiece> m_pieces;
    std::vector<int> m_startTurns;
    bool m_active = false;
    int m_current = 0;
    int m_rotation = 0;
    float m_turnProgress = 1.0f;
    float m_selectProgress = 1.0f;
    float m_queueSlide = 0.0f;
    float m_multiPhase = 0.0f;
    float m_starPhase = 0.0f;
};
