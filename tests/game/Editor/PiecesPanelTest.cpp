#include "game/Editor/PiecesPanel.h"
#include "tests/game/Editor/EditorHarness.h"

namespace
{
constexpr tPiece kPieceA{11, 0, 22, 0, 0, 0, 0};
constexpr tPiece kPieceB{33, 0, 0, 0, 0, 0, 0};
} // namespace

class PiecesPanelTest : public EditorHarness
{
protected:
    void SetUp() override
    {
        EditorHarness::SetUp();
        host.pieces = {kPieceA, kPieceB, tPiece{}};
        panel = std::make_unique<cPiecesPanel>(*gui, host);
        gui->GetRoot().AddChild(Korva::cPoint(710, 37), panel.get());
    }
    void TearDown() override
    {
        gui->GetRoot().RemoveChild(panel.get());
        panel.reset();
        EditorHarness::TearDown();
    }
    // A point of the panel on screen.
    int X(int x) const { return 710 + x; }
    int Y(int y) const { return 37 + y; }
    void PressEntry(int entry, Uint8 button = SDL_BUTTON_LEFT)
    {
        MoveTo(X(40), Y(1 + 78 * entry + 39));
        Button(true, X(40), Y(1 + 78 * entry + 39), button);
    }
    void ReleaseEntry(int entry, Uint8 button = SDL_BUTTON_LEFT)
    {
        Button(false, X(40), Y(1 + 78 * entry + 39), button);
    }

    std::unique_ptr<cPiecesPanel> panel;
};

TEST_F(PiecesPanelTest, PressBelowTheLastEntryGrowsTheListAndSelects)
{
    PressEntry(4);
    ReleaseEntry(4);
    ASSERT_EQ(host.pieces.size(), 5u);
    EXPECT_EQ(host.pieces[3], tPiece{});
    EXPECT_EQ(host.pieces[4], tPiece{});
    EXPECT_TRUE(host.pieceMode);
    EXPECT_EQ(host.selectedPiece, 4);
    EXPECT_EQ(Presses(), 1);

    // The frame and the scrollbar column select nothing.
    Click(X(0), Y(40));
    Click(X(79), Y(40));
    EXPECT_EQ(host.selectedPiece, 4);
    EXPECT_EQ(Presses(), 1);
}

TEST_F(PiecesPanelTest, ShiftSwapsWithTheSelectedPieceOnlyInPieceMode)
{
    Shift(true);
    PressEntry(1); // not yet in piece mode: selects only
    ReleaseEntry(1);
    EXPECT_EQ(host.pieces[1], kPieceB);
    EXPECT_EQ(host.selectedPiece, 1);
    PressEntry(0);
    ReleaseEntry(0);
    Shift(false);
    EXPECT_EQ(host.pieces[0], kPieceB);
    EXPECT_EQ(host.pieces[1], kPieceA);
    EXPECT_EQ(host.selectedPiece, 0);
}

TEST_F(PiecesPanelTest, HoldingStillOpensThePieceChooserAndAMoveDisarms)
{
    PressEntry(1);
    gui->Update(0.3f);
    EXPECT_EQ(host.popup, cEditorPanelsHost::kPopupNone);
    gui->Update(0.25f);
    EXPECT_EQ(host.popup, cEditorPanelsHost::kPopupPiece);
    ReleaseEntry(1);

    host.ClosePopup();
    PressEntry(0);
    MoveTo(X(42), Y(45));
    gui->Update(0.6f);
    EXPECT_EQ(host.popup, cEditorPanelsHost::kPopupNone);
    EXPECT_FALSE(panel->IsHoldArmed());
    ReleaseEntry(0);

    // A release before the time opens nothing either.
    PressEntry(0);
    gui->Update(0.2f);
    ReleaseEntry(0);
    gui->Update(0.4f);
    EXPECT_EQ(host.popup, cEditorPanelsHost::kPopupNone);

    // The right button opens it on its release.
    PressEntry(1, SDL_BUTTON_RIGHT);
    EXPECT_EQ(host.popup, cEditorPanelsHost::kPopupNone);
    ReleaseEntry(1, SDL_BUTTON_RIGHT);
    EXPECT_EQ(host.popup, cEditorPanelsHost::kPopupPiece);
    EXPECT_EQ(host.selectedPiece, 1);

    // Any press first closes an open popup.
    const int closes = host.closes;
    PressEntry(0);
    EXPECT_EQ(host.closes, closes + 1);
    ReleaseEntry(0);
}

TEST_F(PiecesPanelTest, HintFollowsThePointer)
{
    MoveTo(X(40), Y(40));
    EXPECT_EQ(host.hint, cPiecesPanel::kHint);
    EXPECT_EQ(host.hintOwner, panel.get());
    MoveTo(300, 300);
    EXPECT_EQ(host.hint, "");

    host.OpenPopup(cEditorPanelsHost::kPopupCell);
    MoveTo(X(40), Y(40));
    EXPECT_EQ(host.hint, "");
}

TEST_F(PiecesPanelTest, ScrollingFollowsTheContent)
{
    host.pieces.assign(10, kPieceA); // 780 px of entries in 390
    gui->Update(0.01f);
    EXPECT_EQ(panel->GetContentHeight(), 780);
    EXPECT_FLOAT_EQ(panel->GetScrollbar().GetPageSize(), 0.5f);

    panel->OnForwardPressed(&panel->GetScrollbar());
    gui->Update(0.5f);
    EXPECT_FLOAT_EQ(panel->GetScrollOffset(), 150.0f);
    EXPECT_NEAR(panel->GetScrollbar().GetValue(), 150.0f / 390.0f, 1e-5f);
    gui->Update(5.0f);
    EXPECT_FLOAT_EQ(panel->GetScrollOffset(), 390.0f);
    panel->OnForwardReleased(&panel->GetScrollbar());

    // Entries are found through the offset: y = 1 shows entry 5.
    Click(X(40), Y(1));
    EXPECT_EQ(host.selectedPiece, 5);

    host.pieces.resize(6); // 468 px: the offset comes back within reach
    gui->Update(0.01f);
    EXPECT_FLOAT_EQ(panel->GetScrollOffset(), 78.0f);
    host.pieces.resize(2);
    gui->Update(0.01f);
    EXPECT_FLOAT_EQ(panel->GetScrollOffset(), 0.0f);
    EXPECT_FLOAT_EQ(panel->GetScrollbar().GetPageSize(), 1.0f);
}
