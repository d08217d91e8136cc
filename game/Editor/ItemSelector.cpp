#include "game/Editor/ItemSelector.h"
#include "game/Game/Screen/SpriteDrawing.h"

#include "engine/Display/Sprite.h"
#include "game/Editor/EditorPanelsHost.h"
#include "game/Game/PuzzleTypes.h"
#include "game/SoundPlayer.h"

using namespace Korva;

namespace
{
constexpr int32_t kGridX = 20;
constexpr int32_t kGridY = 45;
constexpr int32_t kSquare = 60;
// Squares 0 (nothing) and 1..11 (items 201..211); 12..14 stay empty.
constexpr int kItemSquares = 12;

int ItemOfSquare(int square)
{
    return square == 0 ? 0 : kItemPushFirst - 1 + square;
}
} // namespace

cItemSelector::cItemSelector(cGUI& gui, cEditorPanelsHost& host)
    : cEditorChooser(gui, host, cPoint(kWidth, kHeight), "change item", cPoint(130, 380)),
      m_palette(235, 305), m_squares(FindSprite("SprItemSquares")),
      m_arrows(FindSprite("SprItemArrows"))
{
    for (size_t i = 0; i < m_arrowPlayers.size(); ++i)
    {
        m_arrowPlayers[i] = std::make_unique<cAnimPlayer>(m_arrows);
        if (m_arrows && static_cast<int32_t>(i) < m_arrows->GetAnimCount())
            m_arrowPlayers[i]->Play(static_cast<int32_t>(i));
    }
}

cItemSelector::~cItemSelector() = default;

void cItemSelector::Load(int slot, int item)
{
    m_slot = slot;
    m_item = IsValidItemCode(item) ? item : -1;
    m_palette.SetFromCode(item);
}

void cItemSelector::OnPress(const cPoint& point, int32_t button)
{
    (void)button;
    int chosen = -1;
    if (point.x >= kGridX && point.y >= kGridY && point.x < kGridX + 5 * kSquare &&
        point.y < kGridY + 3 * kSquare)
    {
        const int square = 5 * ((point.y - kGridY) / kSquare) + (point.x - kGridX) / kSquare;
        if (square < kItemSquares)
            chosen = ItemOfSquare(square);
    }
    else if (const int code = m_palette.Press(point); code != 0)
        chosen = code;
    if (chosen < 0)
        return;
    m_item = chosen;
    m_host.SetItem(m_slot, chosen);
    m_host.PlaySound(kSndButtonPressed);
}

void cItemSelector::Update(float dt)
{
    cEditorChooser::Update(dt);
    m_palette.Update(dt);
    for (auto& player : m_arrowPlayers)
        player->Update(dt);
}

void cItemSelector::DrawArrows(int code, int32_t x, int32_t y) const
{
    if (!m_arrows)
        return;
    std::array<int32_t, 8> frames{};
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i] = m_arrowPlayers[i]->GetFrame();
    DrawItemArrows(*m_arrows, frames, code, x, y);
}

void cItemSelector::Draw(int x, int y, bool drawChildren)
{
    cPopup::Draw(x, y, false);
    const cPoint origin = Origin(x, y);
    for (int square = 0; square < 15; ++square)
    {
        const int32_t sx = origin.x + kGridX + kSquare * (square % 5);
        const int32_t sy = origin.y + kGridY + kSquare * (square / 5);
        const bool hasItem = square < kItemSquares;
        DrawItemSquare(m_squares, sx, sy, hasItem && m_item == ItemOfSquare(square));
        if (hasItem)
            DrawArrows(ItemOfSquare(square), sx + kSquare / 2, sy + kSquare / 2);
    }
    // A brick in the slot marks its palette square; 0 marks only the grid.
    m_palette.Draw(origin.x, origin.y, m_item >= 1 && m_item <= kBrickLast ? m_item : -1);
    if (drawChildren)
        DrawChildren(x, y);
}
