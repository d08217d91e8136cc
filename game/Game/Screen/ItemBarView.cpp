#include "game/Game/Screen/ItemBarView.h"
#include "game/Game/Screen/SpriteDrawing.h"

#include "engine/Display/Sprite.h"
#include "game/Game/Board.h"
#include "game/Game/ItemPanel.h"

using namespace Korva;

namespace
{
constexpr int32_t kBarY = 560;
} // namespace

cItemBarView::cItemBarView()
    : m_large(cBrickSprites::Find("")), m_invalid(FindSprite("SprInvalidCell")),
      m_itemCells(FindSprite("SprItemCells")), m_arrows(FindSprite("SprItemArrows")),
      m_bomb(std::make_unique<cAnimPlayer>(m_large.bomb)),
      m_plasma(std::make_unique<cAnimPlayer>(m_large.plasma))
{
    for (size_t i = 0; i < m_arrowPlayers.size(); ++i)
    {
        m_arrowPlayers[i] = std::make_unique<cAnimPlayer>(m_arrows);
        m_arrowPlayers[i]->Play(static_cast<int32_t>(i));
    }
    m_bomb->Play(0);
    m_plasma->Play(0);
}

void cItemBarView::Update(float dt)
{
    for (auto& player : m_arrowPlayers)
        player->Update(dt);
    m_bomb->Update(dt);
    m_plasma->Update(dt);
}

cBrickLook cItemBarView::Look(const cItemPanel& panel) const
{
    cBrickLook look;
    look.multiPhase = panel.GetMultiPhase();
    look.starPhase = panel.GetStarPhase();
    look.bombFrame = m_bomb->GetFrame();
    look.plasmaFrame = m_plasma->GetFrame();
    return look;
}

void cItemBarView::DrawArrows(int code, int32_t x, int32_t y) const
{
    if (!m_arrows)
        return;
    std::array<int32_t, 8> frames{};
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i] = m_arrowPlayers[i]->GetFrame();
    DrawItemArrows(*m_arrows, frames, code, x, y);
}

void cItemBarView::DrawBar(const cItemPanel& panel) const
{
    const cBrickLook look = Look(panel);
    for (int slot = 0; slot < kItemSlotCount; ++slot)
    {
        const int code = panel.GetSlot(slot);
        const int32_t x = 130 + 60 * slot;
        if (code >= 1 && code <= kBrickLast)
            DrawBrick(m_large, look, code, x, kBarY);
        else
            DrawArrows(code, x, kBarY);
    }
}

std::vector<std::pair<int, int>> cItemBarView::InvalidCells(const cBoard& board, int x, int y,
                                                            int code)
{
    std::vector<std::pair<int, int>> cells;
    const auto mark = [&cells](int cx, int cy) { cells.emplace_back(cx, cy); };
    if (code >= 1 && code <= kBrickLast)
    {
        if (!board.IsFree(x, y))
            mark(x, y);
    }
    else if (code >= kItemPushFirst && code <= kItemPushLast)
    {
        if (board.GetBrickCode(x, y) <= 0)
            mark(x, y);
        int tx = x, ty = y;
        board.Neighbour(x, y, PushDirection(code), tx, ty);
        if (!board.IsFree(tx, ty))
            mark(tx, ty);
    }
    else if (code >= kItemSwapNorthWest && code <= kItemSwapNorthEast)
    {
        int px = x, py = y;
        board.Neighbour(x, y, SwapDirection(code), px, py);
        if (board.GetBrickCode(x, y) <= 0 || board.GetBrickCode(px, py) <= 0)
        {
            mark(x, y);
            mark(px, py);
        }
    }
    else if (code == kItemTurnClockwise || code == kItemTurnAnticlockwise)
    {
        const int step = code == kItemTurnClockwise ? 1 : 5;
        for (int d = 1; d <= 6; ++d)
        {
            int sx = x, sy = y;
            board.Neighbour(x, y, d, sx, sy);
            if (board.GetBrickCode(sx, sy) <= 0)
                continue;
            int tx = x, ty = y;
            board.Neighbour(x, y, (d - 1 + step) % 6 + 1, tx, ty);
            if (!IsPlaceableClass(board.GetCellClass(tx, ty)))
                mark(tx, ty);
        }
    }
    return cells;
}

void cItemBarView::DrawPreview(const cItemPanel& panel, const cBoard& board, int32_t mx, int32_t my,
                               int32_t ox, int32_t oy) const
{
    const int code = panel.GetSelectedCode();
    if (!panel.IsSelected() || code == 0)
        return;
    int32_t px = mx, py = my;
    int x = 0, y = 0;
    const bool hovered = board.CellAtPixel(mx - ox, my - oy, x, y);
    bool usable = false;
    if (hovered)
    {
        board.CellCentre(x, y, px, py);
        px += ox;
        py += oy;
        usable = board.CanUseItem(x, y, code);
        if (m_invalid)
        {
            for (const auto& [cx, cy] : InvalidCells(board, x, y, code))
            {
                int32_t ix = 0, iy = 0;
                board.CellCentre(cx, cy, ix, iy);
                m_invalid->DrawFrame(ox + ix, oy + iy, 0);
            }
        }
    }
    if (code >= 1 && code <= kBrickLast)
    {
        DrawBrick(m_large, Look(panel), code, px, py);
        return;
    }
    int32_t frame = 6;
    if (code >= kItemPushFirst && code <= kItemPushLast)
        frame = code - kItemPushFirst;
    else if (code >= kItemSwapNorthWest && code <= kItemSwapNorthEast)
        frame = SwapDirection(code) - 1;
    if (m_itemCells)
        m_itemCells->DrawFrame(px, py, frame,
                               usable ? cColor(255, 255, 0, 255) : cColor(255, 0, 0, 255));
    DrawArrows(code, px, py);
}
