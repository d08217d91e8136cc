#pragma once

#include "game/Game/PuzzleTypes.h"

#include <array>

class cBoard;

// The ten single-use item slots and which one is selected.
class cItemPanel
{
public:
    int GetSlot(int slot) const;
    void SetSlot(int slot, int code);
    void Select(bool on, int slot);
    bool IsSelected() const { return m_selected; }
    int GetSelectedSlot() const { return m_selectedSlot; }
    int GetSelectedCode() const { return GetSlot(m_selectedSlot); }
    // The key and on-screen label of a slot: 1..9, and 0 for the tenth.
    static int SlotLabel(int slot) { return slot == 9 ? 0 : slot + 1; }

    // Uses the selected item at screen pixel (mx, my), the board drawn at
    // (400 + ox, 250 + oy); on success the slot is emptied. `effect` gets the
    // sound to play (rotate for pushes and turns, put otherwise, invalid on
    // failure); it stays 0 when nothing was tried.
    bool TryUse(int mx, int my, int ox, int oy, cBoard& board, int& effect);
    bool UseAt(int x, int y, cBoard& board, int& effect);

    void Update(float dt);
    float GetMultiPhase() const { return m_multiPhase; }
    float GetStarPhase() const { return m_starPhase; }

private:
    std::array<int, kItemSlotCount> m_slots{};
    bool m_selected = false;
    int m_selectedSlot = 0;
    float m_multiPhase = 0.0f;
    float m_starPhase = 0.0f;
};
