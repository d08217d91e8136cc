#pragma once

#include "engine/Display/AnimPlayer.h"
#include "game/Editor/BrickPalette.h"
#include "game/Editor/EditorChooser.h"

#include <array>
#include <memory>

// "change item": what one item bar slot holds, an item (or nothing) from
// the grid or a brick from the palettes; a press writes the slot at once.
class cItemSelector : public cEditorChooser
{
public:
    static constexpr int32_t kWidth = 340;
    static constexpr int32_t kHeight = 425;

    cItemSelector(Korva::cGUI& gui, cEditorPanelsHost& host);
    ~cItemSelector() override;

    // The slot being changed and what it holds now. Values other than 0,
    // 1..104 and 201..211 are shown as nothing chosen.
    void Load(int slot, int item);
    int GetSlot() const { return m_slot; }
    int GetItem() const { return m_item; }

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;

protected:
    void OnPress(const Korva::cPoint& point, int32_t button) override;

private:
    void DrawArrows(int code, int32_t x, int32_t y) const;

    int m_slot = 0;
    int m_item = 0;
    cBrickPalette m_palette;
    const Korva::cSprite* m_squares;
    const Korva::cSprite* m_arrows;
    std::array<std::unique_ptr<Korva::cAnimPlayer>, 8> m_arrowPlayers;
};
