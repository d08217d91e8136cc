#pragma once

#include "engine/Display/AnimPlayer.h"
#include "engine/Gui/Scrollbar.h"
#include "engine/Gui/Widget.h"
#include "game/Game/Screen/SpriteDrawing.h"

#include <memory>

class cEditorPanelsHost;

// The editor's list of pieces at the right edge: one 78-pixel entry per
// piece record, scrolled by a small scrollbar. A press selects a piece
// (piece mode), below the last entry it first grows the list; shift swaps
// with the selected piece; holding the left button or releasing the right
// one opens the piece chooser.
class cPiecesPanel : public Korva::cWidget,
                     public Korva::cWidgetListener,
                     public Korva::cScrollbarListener
{
public:
    static constexpr int32_t kWidth = 90;
    static constexpr int32_t kHeight = 392;
    static constexpr int32_t kEntryHeight = 78;
    static constexpr float kScrollSpeed = 300.0f;
    static constexpr float kHoldTime = 0.5f;
    static constexpr const char* kHint =
        "left button to select piece, right button or hold to change";

    cPiecesPanel(Korva::cGUI& gui, cEditorPanelsHost& host);
    ~cPiecesPanel() override;

    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    // Any press on the panel, its scrollbar too, first closes an open popup.
    void OnMouseDown(const Korva::cMouseEvent& event, bool handled) override;
    // One entry a notch, over the entries and the bar alike.
    bool OnMouseWheel(const Korva::cMouseEvent& event) override;

    // cWidgetListener, of the panel itself
    void OnMouseMove(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseLeave(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseDown(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    void OnMouseUp(const Korva::cMouseEvent& event, Korva::cWidget* widget) override;
    // cScrollbarListener
    void OnBackPressed(Korva::cScrollbar* scrollbar) override;
    void OnForwardPressed(Korva::cScrollbar* scrollbar) override;
    void OnBackReleased(Korva::cScrollbar* scrollbar) override;
    void OnForwardReleased(Korva::cScrollbar* scrollbar) override;
    void OnValueChanged(float value, Korva::cScrollbar* scrollbar) override;

    using cWidget::OnMouseLeave;
    using cWidget::OnMouseMove;
    using cWidget::OnMouseUp;

    float GetScrollOffset() const { return m_offset; }
    int32_t GetContentHeight() const { return m_contentHeight; }
    bool IsHoldArmed() const { return m_holdArmed; }
    Korva::cScrollbar& GetScrollbar() { return *m_scrollbar; }
    // Visible height of the entries (the panel less its one-pixel frame).
    static constexpr int32_t VisibleHeight() { return kHeight - 2; }

private:
    bool ShiftHeld() const;
    // Follows the piece count: content height, offset limit, thumb size.
    void Refresh();
    void SetOffset(float offset);
    float MaxOffset() const;

    cEditorPanelsHost& m_host;
    std::unique_ptr<Korva::cScrollbar> m_scrollbar;
    const Korva::cSprite* m_panels;
    cBrickSprites m_bricks;
    std::unique_ptr<Korva::cAnimPlayer> m_bomb;
    std::unique_ptr<Korva::cAnimPlayer> m_plasma;
    int32_t m_contentHeight = -1;
    float m_offset = 0.0f;
    bool m_upHeld = false;
    bool m_downHeld = false;
    bool m_holdArmed = false;
    float m_holdTime = 0.0f;
};
