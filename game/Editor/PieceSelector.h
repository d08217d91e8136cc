#pragma once

#include "game/Editor/BrickPalette.h"
#include "game/Editor/EditorChooser.h"
#include "game/Game/PuzzleTypes.h"

#include <vector>

namespace Korva
{
class cSprite;
}

// "change piece": one piece of the editor's list drawn large; the left
// button paints its slots with the pen brick (shift: picks the pen from a
// slot), the right button or Space clears them. Every change is stored in
// the editor at once.
class cPieceSelector : public cEditorChooser
{
public:
    static constexpr int32_t kWidth = 340;
    static constexpr int32_t kHeight = 445;
    // Centre of the large piece and the area in which the pointer paints.
    static constexpr int32_t kCentreX = 170;
    static constexpr int32_t kCentreY = 145;
    static constexpr float kSlotRadius = 18.0f;

    cPieceSelector(Korva::cGUI& gui, cEditorPanelsHost& host);
    ~cPieceSelector() override;

    // The piece being changed: its index in the editor's list and bricks.
    void Load(int index, const tPiece& piece);
    // Points the chooser at another index, keeping the bricks shown.
    void SetIndex(int index) { m_index = index; }
    int GetIndex() const { return m_index; }
    const tPiece& GetPiece() const { return m_piece; }
    int GetPen() const { return m_pen; }
    void SetPen(int code);

    // Centre of slot k (0 = centre, 1..6 = directions) in popup coordinates.
    Korva::cPoint SlotCentre(int slot) const;

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnMouseMove(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseUp(const Korva::cMouseEvent& event, bool handled) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, bool handled) override;

    using Korva::cWidgetListener::OnMouseLeave;
    using Korva::cWidgetListener::OnMouseMove;
    using Korva::cWidgetListener::OnMouseUp;

protected:
    void OnPress(const Korva::cPoint& point, int32_t button) override;

private:
    struct sBubble
    {
        float y = 0.0f;
        float speed = 0.0f;
        float size = 1.0f;
        float width = 10.0f;
        float angle = 0.0f;
        float spin = 0.0f;
    };

    bool KeyDown(int32_t key) const;
    bool InPaintArea() const;
    // Sets every slot near the pointer to `code`; true when one changed.
    bool PaintAtPointer(int code);
    // The slot nearest the pointer within the slot radius, -1 for none.
    int SlotAtPointer() const;
    void UpdateBubbles(float dt);

    int m_index = 0;
    tPiece m_piece{};
    int m_pen = 11;
    bool m_leftHeld = false;
    bool m_rightHeld = false;
    Korva::cPoint m_pointer{-1, -1};
    cBrickPalette m_palette;
    cBoardMetrics m_metrics;
    const Korva::cSprite* m_cells;
    std::vector<sBubble> m_bubbles;
};
