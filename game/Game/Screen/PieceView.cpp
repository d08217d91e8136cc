#include "game/Game/Screen/PieceView.h"

#include "engine/Display/Sprite.h"
#include "game/Game/Board.h"
#include "game/Game/PiecePanel.h"

#include <cmath>
#include <numbers>

using namespace Korva;

namespace
{
// Slots are drawn so that the ones lower on screen overlap the higher ones.
constexpr int kSlotOrder[7] = {1, 6, 2, 0, 5, 3, 4};

// Offset of a neighbour's centre for directions 1..6 (index 0..5).
void NeighbourOffset(const cBoard& board, int index, int32_t& dx, int32_t& dy)
{
    const int32_t pitch = board.ColumnPitch();
    const int32_t ch = board.GetCellHeight();
    static constexpr int kX[6] = {0, 1, 1, 0, -1, -1};
    static constexpr int kY[6] = {-2, -1, 1, 2, 1, -1};
    dx = kX[index] * pitch;
    dy = kY[index] * ch / 2;
}
} // namespace

cPieceView::cPieceView()
    : m_large(cBrickSprites::Find("")), m_small(cBrickSprites::Find("Small")),
      m_invalid(FindSprite("SprInvalidCell")), m_bomb(std::make_unique<cAnimPlayer>(m_large.bomb)),
      m_plasma(std::make_unique<cAnimPlayer>(m_large.plasma))
{
    m_bomb->Play(0);
    m_plasma->Play(0);
}

void cPieceView::Update(float dt)
{
    m_bomb->Update(dt);
    m_plasma->Update(dt);
}

cBrickLook cPieceView::Look(const cPiecePanel& panel) const
{
    cBrickLook look;
    look.multiPhase = panel.GetMultiPhase();
    look.starPhase = panel.GetStarPhase();
    look.bombFrame = m_bomb->GetFrame();
    look.plasmaFrame = m_plasma->GetFrame();
    return look;
}

void cPieceView::QueuePosition(int k, float slide, int32_t& x, int32_t& y)
{
    x = 750;
    y = k == 0 ? 77 : 194 + static_cast<int32_t>(76.0f * (static_cast<float>(k - 1) + slide));
}

void cPieceView::DrawQueue(const cPiecePanel& panel) const
{
    const cBrickLook look = Look(panel);
    for (int k = 0; k < 7; ++k)
    {
        const int index = panel.GetCurrentIndex() + k;
        if (index >= panel.GetCount())
            break;
        int32_t cx = 0, cy = 0;
        QueuePosition(k, panel.GetQueueSlide(), cx, cy);
        const tPiece piece = panel.GetPiece(index);
        for (int s : kSlotOrder)
        {
            const int code = static_cast<int8_t>(piece[static_cast<size_t>(s)]);
            if (code <= 0)
                continue;
            int32_t x = cx, y = cy;
            if (s > 0)
            {
                const double a = (s - 1) * std::numbers::pi / 3.0;
                x += static_cast<int32_t>(28.0 * std::sin(a));
                y -= static_cast<int32_t>(25.0 * std::cos(a));
            }
            DrawBrick(m_small, look, code, x, y);
        }
    }
}

void cPieceView::TurningOffset(const cBoard& board, int k, float t, int32_t& dx, int32_t& dy)
{
    if (t >= 1.0f)
    {
        NeighbourOffset(board, k, dx, dy);
        return;
    }
    // Catmull-Rom through the neighbour offsets k - 2 .. k + 1, from the
    // position before the turn (k - 1) to the one after it (k).
    int32_t px[4], py[4];
    for (int i = 0; i < 4; ++i)
        NeighbourOffset(board, (k - 2 + i + 6) % 6, px[i], py[i]);
    const auto spline = [t](float p0, float p1, float p2, float p3)
    {
        return 0.5f *
               (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t * t +
                (3.0f * p1 - 3.0f * p2 - p0 + p3) * t * t * t);
    };
    dx = static_cast<int32_t>(spline(static_cast<float>(px[0]), static_cast<float>(px[1]),
                                     static_cast<float>(px[2]), static_cast<float>(px[3])));
    dy = static_cast<int32_t>(spline(static_cast<float>(py[0]), static_cast<float>(py[1]),
                                     static_cast<float>(py[2]), static_cast<float>(py[3])));
}

void cPieceView::DrawPreview(const cPiecePanel& panel, const cBoard& board, int32_t mx, int32_t my,
                             int32_t ox, int32_t oy) const
{
    if (!panel.IsActive() || !panel.HasPiecesLeft())
        return;
    const tPiece placed =
        cBoard::RotatedPiece(panel.GetPiece(panel.GetCurrentIndex()), panel.GetRotation());
    int32_t cx = mx, cy = my;
    int x = 0, y = 0;
    const bool snapped = board.CellAtPixel(mx - ox, my - oy, x, y);
    if (snapped)
    {
        board.CellCentre(x, y, cx, cy);
        cx += ox;
        cy += oy;
        for (int s = 0; s < 7 && m_invalid; ++s)
        {
            if (static_cast<int8_t>(placed[static_cast<size_t>(s)]) <= 0)
                continue;
            int tx = x, ty = y;
            if (s > 0)
                board.Neighbour(x, y, s, tx, ty);
            if (board.IsFree(tx, ty))
                continue;
            int32_t dx = 0, dy = 0;
            if (s > 0)
                NeighbourOffset(board, s - 1, dx, dy);
            m_invalid->DrawFrame(cx + dx, cy + dy, 0);
        }
    }
    const cBrickLook look = Look(panel);
    const auto alpha = static_cast<int32_t>(panel.GetSelectProgress() * 255.0f);
    for (int s : kSlotOrder)
    {
        const int code = static_cast<int8_t>(placed[static_cast<size_t>(s)]);
        if (code <= 0)
            continue;
        int32_t dx = 0, dy = 0;
        if (s > 0)
            TurningOffset(board, s - 1, panel.GetTurnProgress(), dx, dy);
        DrawBrick(m_large, look, code, cx + dx, cy + dy, alpha);
    }
}
