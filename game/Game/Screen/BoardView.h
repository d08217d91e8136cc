#pragma once

#include "engine/Display/AnimPlayer.h"
#include "engine/Display/Rect.h"
#include "game/Game/Screen/SpriteDrawing.h"

#include <array>
#include <memory>

namespace Korva
{
class cImage;
class cRenderDevice;
} // namespace Korva

class cBoard;

// Draws a board in play: cells, crumbling cells, fading bricks, bricks,
// moving bricks, explosions and plasma bolts, in that order. It reads the
// board and never changes it; the animations that only decorate (the cells,
// the idle bomb, plasma) run on its own players. Only what meets the device's
// clip rectangle is drawn, so a board far larger than the screen costs about
// what the part of it on screen does.
class cBoardView
{
public:
    cBoardView();

    void Update(float dt);
    // The board's origin at (ox, oy); holes are drawn only for the editor.
    void Draw(Korva::cRenderDevice& device, const cBoard& board, int32_t ox, int32_t oy,
              bool showHoles = false) const;

    // The bomb frame every bomb on the board shows now.
    int32_t GetBombFrame(const cBoard& board) const;
    // The explosion frame a particle shows; -1 while its delay runs.
    int32_t GetParticleFrame(const cBoard& board, size_t particle) const;

    // How far pictures reach from the point they are drawn at.
    struct sReach
    {
        int32_t left = 0, right = 0, up = 0, down = 0;
    };

    // The columns and rows whose pictures may reach into `area` (screen
    // pixels) with the board's origin at (ox, oy); empty ranges when none.
    struct sCellRange
    {
        int firstX = 0, lastX = -1, firstY = 0, lastY = -1;
    };
    sCellRange VisibleCells(const cBoard& board, const Korva::cRect& area, int32_t ox,
                            int32_t oy) const;

private:
    // The area a picture drawn at a point inside it may reach into.
    Korva::cRect Reach(const cBoard& board, const Korva::cRect& area) const;
    void DrawCells(const cBoard& board, const sCellRange& range, const Korva::cRect& reach,
                   int32_t ox, int32_t oy, bool showHoles) const;
    void DrawBricks(const cBoard& board, const sCellRange& range, const Korva::cRect& reach,
                    const cBrickLook& look, int32_t ox, int32_t oy) const;
    void DrawBolts(Korva::cRenderDevice& device, const cBoard& board, int32_t ox, int32_t oy) const;

    const Korva::cSprite* m_cells;
    const Korva::cSprite* m_explosion;
    Korva::cImage* m_bolt = nullptr;
    cBrickSprites m_bricks;
    std::array<std::unique_ptr<Korva::cAnimPlayer>, 13> m_cellPlayers;
    std::unique_ptr<Korva::cAnimPlayer> m_plasma;
    float m_time = 0.0f;
    // How far any frame of the cells' and of the bricks' and effects'
    // sprites reaches from the point it is drawn at.
    sReach m_cellReach;
    sReach m_brickReach;
};
