#include "game/Editor/PieceSelector.h"
#include "tests/game/Editor/EditorHarness.h"

namespace
{
constexpr tPiece kPieceA{11, 0, 22, 0, 0, 0, 0};
} // namespace

class PieceSelectorTest : public EditorHarness
{
protected:
    void SetUp() override
    {
        EditorHarness::SetUp();
        host.pieces = {kPieceA, tPiece{}};
        selector = std::make_unique<cPieceSelector>(*gui, host);
        Show(*selector);
    }
    void TearDown() override
    {
        Hide(*selector);
        selector.reset();
        EditorHarness::TearDown();
    }
    int PutSounds() const
    {
        return static_cast<int>(std::count(host.sounds.begin(), host.sounds.end(), kSndPutPiece));
    }

    std::unique_ptr<cPieceSelector> selector;
};

TEST_F(PieceSelectorTest, SlotsLieAroundTheCentreOneCellApart)
{
    // The default cell is 40 x 36: column pitch 32, half a cell 18.
    EXPECT_EQ(selector->SlotCentre(0), Korva::cPoint(170, 145));
    EXPECT_EQ(selector->SlotCentre(1), Korva::cPoint(170, 109));
    EXPECT_EQ(selector->SlotCentre(2), Korva::cPoint(202, 127));
    EXPECT_EQ(selector->SlotCentre(3), Korva::cPoint(202, 163));
    EXPECT_EQ(selector->SlotCentre(4), Korva::cPoint(170, 181));
    EXPECT_EQ(selector->SlotCentre(5), Korva::cPoint(138, 163));
    EXPECT_EQ(selector->SlotCentre(6), Korva::cPoint(138, 127));
}

TEST_F(PieceSelectorTest, PaintingTheLastPieceStoresItAndGrowsTheList)
{
    selector->Load(1, host.pieces[1]);
    PressAt(172, 147); // near the centre slot
    gui->Update(0.02f);
    gui->Update(0.02f); // held still: nothing new to paint
    ReleaseAt(172, 147);
    const tPiece expected{11, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(selector->GetPiece(), expected);
    ASSERT_EQ(host.pieces.size(), 3u);
    EXPECT_EQ(host.pieces[1], expected);
    EXPECT_EQ(host.pieces[2], tPiece{});
    EXPECT_EQ(PutSounds(), 1);

    // A stroke paints every slot it passes over.
    selector->SetPen(55);
    PressAt(170, 145);
    gui->Update(0.02f);
    MoveTo(EditorHarness::kLeft + 202, EditorHarness::kTop + 127);
    gui->Update(0.02f);
    ReleaseAt(202, 127);
    EXPECT_EQ(host.pieces[1], (tPiece{55, 0, 55, 0, 0, 0, 0}));
    EXPECT_EQ(PutSounds(), 3);
    ASSERT_EQ(host.pieces.size(), 3u);
}

TEST_F(PieceSelectorTest, APressBetweenSlotsChangesNothing)
{
    selector->Load(0, host.pieces[0]);
    // 20 px from the centre slot, 21.6 px from slots 2 and 3.
    PressAt(190, 145);
    gui->Update(0.02f);
    ReleaseAt(190, 145);
    EXPECT_EQ(host.pieces[0], kPieceA);
    EXPECT_EQ(PutSounds(), 0);
    EXPECT_EQ(host.pieces.size(), 2u);
}

TEST_F(PieceSelectorTest, ShiftPicksThePenAndRightButtonOrSpaceClears)
{
    selector->Load(0, host.pieces[0]);
    Shift(true);
    PressAt(202, 127); // slot 2 holds 22
    gui->Update(0.02f);
    ReleaseAt(202, 127);
    Shift(false);
    EXPECT_EQ(selector->GetPen(), 22);
    EXPECT_EQ(host.pieces[0], kPieceA); // picking paints nothing

    PressAt(170, 145, SDL_BUTTON_RIGHT);
    gui->Update(0.02f);
    ReleaseAt(170, 145, SDL_BUTTON_RIGHT);
    EXPECT_EQ(host.pieces[0], (tPiece{0, 0, 22, 0, 0, 0, 0}));

    MoveTo(EditorHarness::kLeft + 202, EditorHarness::kTop + 127);
    KeyState(SDLK_SPACE, SDL_SCANCODE_SPACE, true);
    gui->Update(0.02f);
    KeyState(SDLK_SPACE, SDL_SCANCODE_SPACE, false);
    EXPECT_EQ(host.pieces[0], tPiece{});
    EXPECT_EQ(PutSounds(), 2);
}

TEST_F(PieceSelectorTest, PalettesSetOnlyThePen)
{
    selector->Load(0, host.pieces[0]);
    ClickAt(20 + 60 * 4 + 5, 325 + 5); // plasma
    gui->Update(0.02f);
    EXPECT_EQ(selector->GetPen(), 104);
    ClickAt(80 + 30 * 5 + 5, 255 + 5); // first colour 6
    gui->Update(0.02f);
    EXPECT_EQ(selector->GetPen(), 61);
    EXPECT_EQ(host.pieces[0], kPieceA);
    EXPECT_EQ(Presses(), 2);
}
