#pragma once

#include "engine/Display/AnimPlayer.h"
#include "game/Game/Screen/SpriteDrawing.h"

#include <array>
#include <memory>
#include <vector>

class cBoard;
class cItemPanel;

// Draws the ten item slots along the bottom and, in item mode, the selected
// item under the pointer with the cells that would make its use fail.
class cItemBarView
{
public:
    cItemBarView();

    void Update(float dt);
    void DrawBar(const cItemPanel& panel) const;
    void DrawPreview(const cItemPanel& panel, const cBoard& board, int32_t mx, int32_t my,
                     int32_t ox, int32_t oy) const;

    // The cells that would make using `code` on (x, y) fail, as the preview
    // marks them.
    static std::vector<std::pair<int, int>> InvalidCells(const cBoard& board, int x, int y,
                                                         int code);

private:
    cBrickLook Look(const cItemPanel& panel) const;
    void DrawArrows(int code, int32_t x, int32_t y) const;

    cBrickSprites m_large;
    const Korva::cSprite* m_invalid;
    const Korva::cSprite* m_itemCells;
    const Korva::cSprite* m_arrows;
    std::array<std::unique_ptr<Korva::cAnimPlayer>, 8> m_arrowPlayers;
    std::unique_ptr<Korva::cAnimPlayer> m_bomb;
    std::unique_ptr<Korva::cAnimPlayer> m_plasma;
};
