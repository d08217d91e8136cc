#include "game/Game/ItemPanel.h"

#include "game/Game/Board.h"

int cItemPanel::GetSlot(int slot) const
{
    return slot >= 0 && slot < kItemSlotCount ? m_slots[static_cast<size_t>(slot)] : 0;
}

void cItemPanel::SetSlot(int slot, int code)
{
    if (slot >= 0 && slot < kItemSlotCount)
        m_slots[static_cast<size_t>(slot)] = code;
}

void cItemPanel::Select(bool on, int slot)
{
    m_selected = on;
    if (slot >= 0 && slot < kItemSlotCount)
        m_selectedSlot = slot;
}

bool cItemPanel::TryUse(int mx, int my, int ox, int oy, cBoard& board, int& effect)
{
    effect = 0;
    if (!m_selected || GetSelectedCode() == 0)
        return false;
    int x = 0, y = 0;
    if (!board.CellAtPixel(mx - ox - 400, my - oy - 250, x, y))
        return false;
    return UseAt(x, y, board, effect);
}

bool cItemPanel::UseAt(int x, int y, cBoard& board, int& effect)
{
    effect = 0;
    const int code = GetSelectedCode();
    if (!m_selected || code == 0)
        return false;
    if (!board.UseItem(x, y, code))
    {
        effect = kSndInvalid;
        return false;
    }
    const bool tool = (code >= kItemPushFirst && code <= kItemPushLast) ||
                      code == kItemTurnClockwise || code == kItemTurnAnticlockwise;
    effect = tool ? kSndRotatePiece : kSndPutPiece;
    SetSlot(m_selectedSlot, 0);
    return true;
}

void cItemPanel::Update(float dt)
{
    m_multiPhase += 0.5f * dt;
    if (m_multiPhase >= 1.0f)
        m_multiPhase -= 1.0f;
    m_starPhase += 1.5f * dt;
    if (m_starPhase >= 1.0f)
        m_starPhase -= 1.0f;
}
