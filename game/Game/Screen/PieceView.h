#pragma once

#include "engine/Display/AnimPlayer.h"
#include "game/Game/Screen/SpriteDrawing.h"

#include <memory>

class cBoard;
class cPiecePanel;

// Draws the piece panel: the queue at the top right and, in piece mode, the
// current piece following the pointer over the board. Reads the panel only.
class cPieceView
{
public:
    cPieceView();

    void Update(float dt);
    // The current piece and the next six, sliding up after a placement.
    void DrawQueue(const cPiecePanel& panel) const;
    // The current piece under the pointer (mx, my), snapped to the hovered
    // cell of the board drawn at (ox, oy), with invalid targets marked.
    void DrawPreview(const cPiecePanel& panel, const cBoard& board, int32_t mx, int32_t my,
                     int32_t ox, int32_t oy) const;

    // Where the k-th piece of the queue (0 = current) is centred now.
    static void QueuePosition(int k, float slide, int32_t& x, int32_t& y);
    // The pixel offset of slot position k (0..5 = directions 1..6) of a
    // ring turning into place, t in 0..1 (1 = arrived).
    static void TurningOffset(const cBoard& board, int k, float t, int32_t& dx, int32_t& dy);

private:
    cBrickLook Look(const cPiecePanel& panel) const;

    cBrickSprites m_large;
    cBrickSprites m_small;
    const Korva::cSprite* m_invalid;
    std::unique_ptr<Korva::cAnimPlayer> m_bomb;
    std::unique_ptr<Korva::cAnimPlayer> m_plasma;
};
