#include "game/Editor/CellSelector.h"

#include "engine/Display/Sprite.h"
#include "game/Editor/BrickPalette.h"
#include "game/Editor/EditorPanelsHost.h"
#include "game/Game/BoardMetrics.h"
#include "game/SoundPlayer.h"

using namespace Korva;

namespace
{
constexpr int32_t kGridX = 20;
constexpr int32_t kGridY = 45;
constexpr int32_t kSquare = 60;
} // namespace

cCellSelector::cCellSelector(cGUI& gui, cEditorPanelsHost& host)
    : cEditorChooser(gui, host, cPoint(kWidth, kHeight), "change cell", cPoint(100, 240)),
      m_cells(FindSprite("SprCells")), m_metrics(BoardMetricsFromResources()),
      m_squares(FindSprite("SprItemSquares"))
{
    for (size_t kind = 0; kind < m_players.size(); ++kind)
    {
        m_players[kind] = std::make_unique<cAnimPlayer>(m_cells);
        if (m_cells && static_cast<int32_t>(kind) < m_cells->GetAnimCount())
            m_players[kind]->Play(static_cast<int32_t>(kind));
    }
}

cCellSelector::~cCellSelector() = default;

void cCellSelector::OnPress(const cPoint& point, int32_t button)
{
    (void)button;
    if (point.x < kGridX || point.y < kGridY || point.x >= kGridX + 4 * kSquare ||
        point.y >= kGridY + 3 * kSquare)
        return;
    const int square = 4 * ((point.y - kGridY) / kSquare) + (point.x - kGridX) / kSquare;
    m_kind = square + 1;
    m_host.SetCurrentCellKind(m_kind);
    m_host.PlaySound(kSndButtonPressed);
}

void cCellSelector::Update(float dt)
{
    cEditorChooser::Update(dt);
    for (auto& player : m_players)
        player->Update(dt);
}

void cCellSelector::Draw(int x, int y, bool drawChildren)
{
    cPopup::Draw(x, y, false);
    const cPoint origin = Origin(x, y);
    for (int square = 0; square < 12; ++square)
    {
        const int32_t sx = origin.x + kGridX + kSquare * (square % 4);
        const int32_t sy = origin.y + kGridY + kSquare * (square / 4);
        DrawItemSquare(m_squares, sx, sy, m_kind == square + 1);
        // Cell frames have their origin at the cell's top-left corner.
        const int32_t frame = m_players[static_cast<size_t>(square + 1)]->GetFrame();
        if (m_cells && frame >= 0)
            m_cells->DrawFrame(sx + (kSquare - m_metrics.cellWidth) / 2,
                               sy + (kSquare - m_metrics.cellHeight) / 2, frame);
    }
    if (drawChildren)
        DrawChildren(x, y);
}
