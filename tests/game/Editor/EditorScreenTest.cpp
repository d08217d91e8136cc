// The editor screen driven by synthetic mouse and key events, as a person
// uses it: painting strokes, resizing, the item bar, the hold timer, the
// piece buttons, the keys, and a test play there and back.
#include "EditorFixture.h"

#include "game/Editor/CellSelector.h"
#include "game/Editor/EditorPopups.h"
#include "game/Editor/LevelFileDialog.h"
#include "game/Editor/PieceSelector.h"
#include "game/Editor/PiecesPanel.h"
#include "game/Editor/UserLevelFiles.h"
#include "game/Game/Screen/Game.h"
#include "game/GameApplication.h"

namespace EditorTest
{
namespace
{
const tPiece kPieceA{11, 22, 0, 0, 0, 0, 0};
const tPiece kPieceB{0, 0, 0, 33, 0, 0, 44};

const cPoint kCellSelectorAt(50, 315);
const cPoint kBrickSelectorAt(50, 435);
cPoint ItemSlotAt(int slot)
{
    return cPoint(130 + 60 * slot, 560);
}
cPoint ButtonAt(const cEditor& editor, int button)
{
    const cRect r = editor.GetButton(button)->GetRect();
    return cPoint(r.x + r.width / 2, r.y + r.height / 2);
}
} // namespace

TEST_F(EditorScreenTest, PaintingChangesOnlyDifferingCellsWithOneSoundEach)
{
    EXPECT_EQ(editor->GetMode(), cEditor::kModeCell);
    // Nothing to put a brick on yet.
    Click(kBrickSelectorAt.x, kBrickSelectorAt.y);
    ASSERT_EQ(editor->GetMode(), cEditor::kModeBrick);
    Paint(4, 3);
    EXPECT_EQ(Board().GetBrickCode(4, 3), 0);
    EXPECT_EQ(sounds.Count(kSndPutPiece), 0);

    Click(kCellSelectorAt.x, kCellSelectorAt.y);
    Paint(4, 3);
    EXPECT_EQ(Board().GetCellKind(4, 3), kCellPlain);
    EXPECT_EQ(sounds.Count(kSndPutPiece), 1);
    Paint(4, 3); // the same kind again: no change, no sound
    EXPECT_EQ(sounds.Count(kSndPutPiece), 1);

    // A stroke over three cells paints each once.
    const cPoint a = CellPixel(1, 1), b = CellPixel(1, 2), c = CellPixel(1, 3);
    MoveTo(a.x, a.y);
    Button(true, a.x, a.y);
    for (const cPoint& p : {a, b, c})
    {
        MoveTo(p.x, p.y);
        Frame();
        Frame();
    }
    Button(false, c.x, c.y);
    for (int y = 1; y <= 3; ++y)
        EXPECT_EQ(Board().GetCellKind(1, y), kCellPlain);
    EXPECT_EQ(sounds.Count(kSndPutPiece), 4);

    // A brick, then the right button clears it.
    Click(kBrickSelectorAt.x, kBrickSelectorAt.y);
    Paint(4, 3);
    EXPECT_EQ(Board().GetBrickCode(4, 3), 11);
    EXPECT_EQ(sounds.Count(kSndPutPiece), 5);
    const cPoint p = CellPixel(4, 3);
    Button(true, p.x, p.y, SDL_BUTTON_RIGHT);
    Frame();
    Button(false, p.x, p.y, SDL_BUTTON_RIGHT);
    EXPECT_EQ(Board().GetBrickCode(4, 3), 0);
    EXPECT_EQ(sounds.Count(kSndPutPiece), 6);
}

TEST_F(EditorScreenTest, AClickReleasedBeforeTheNextUpdateStillPaintsOnce)
{
    const cPoint p = CellPixel(5, 2);
    Click(p.x, p.y); // press and release with no update between them
    EXPECT_EQ(Board().GetCellKind(5, 2), kCellPlain);
    EXPECT_EQ(sounds.Count(kSndPutPiece), 1);
    Frame();
    EXPECT_EQ(sounds.Count(kSndPutPiece), 1);
}

TEST_F(EditorScreenTest, ShiftPicksTheKindUnderThePointer)
{
    editor->GetEditedLevel().PutCell(2, 2, kCellVortex);
    KeyEvent(true, SDLK_LSHIFT);
    Paint(2, 2);
    Paint(3, 3); // a hole is not picked
    KeyEvent(false, SDLK_LSHIFT);
    EXPECT_EQ(editor->GetCurrentCellKind(), kCellVortex);
    EXPECT_EQ(Board().GetCellKind(3, 3), kCellHole);
    EXPECT_EQ(sounds.Count(kSndPutPiece), 0);
}

TEST_F(EditorScreenTest, ResizeButtonsKeepTheirEdgeAndStayUnderThePointer)
{
    const int rightEdge = editor->GetOriginX() + Board().PixelWidth();
    const cPoint add = Centre(editor->GetResizeButtonRect(3));
    Click(add.x, add.y);
    EXPECT_EQ(Board().GetWidth(), 10);
    EXPECT_EQ(editor->GetOriginX() + Board().PixelWidth(), rightEdge);
    EXPECT_TRUE(editor->GetResizeButtonRect(3).Contains(add));
    Click(add.x, add.y);
    EXPECT_EQ(Board().GetWidth(), 11);

    // Left side: the left edge stays and the parity flips.
    const int leftEdge = editor->GetOriginX();
    const cPoint remove = Centre(editor->GetResizeButtonRect(2));
    Click(remove.x, remove.y);
    EXPECT_EQ(Board().GetWidth(), 10);
    EXPECT_EQ(Board().GetAdjustIndexX(), 1);
    EXPECT_EQ(editor->GetOriginX(), leftEdge);

    // Rows at the bottom down to one; the last one stays, the sound plays.
    const int before = sounds.Count(kSndButtonPressed);
    for (int i = 0; i < 8; ++i)
    {
        const cPoint bottom = Centre(editor->GetResizeButtonRect(8));
        Click(bottom.x, bottom.y);
    }
    EXPECT_EQ(Board().GetHeight(), 1);
    EXPECT_EQ(sounds.Count(kSndButtonPressed), before + 8);
}

TEST_F(EditorScreenTest, ShiftClickSwapsItemSlotsOnlyInItemMode)
{
    editor->SetItem(2, 201);
    editor->SetItem(5, kBrickBomb);
    Click(ItemSlotAt(2).x, ItemSlotAt(2).y);
    ASSERT_EQ(editor->GetMode(), cEditor::kModeItem);
    ASSERT_EQ(editor->GetSelectedItemSlot(), 2);

    KeyEvent(true, SDLK_LSHIFT);
    Click(ItemSlotAt(5).x, ItemSlotAt(5).y);
    EXPECT_EQ(editor->GetItem(5), 201);
    EXPECT_EQ(editor->GetItem(2), kBrickBomb);
    EXPECT_EQ(editor->GetSelectedItemSlot(), 5);

    // Outside item mode the same click only selects.
    Click(kCellSelectorAt.x, kCellSelectorAt.y);
    Click(ItemSlotAt(2).x, ItemSlotAt(2).y);
    KeyEvent(false, SDLK_LSHIFT);
    EXPECT_EQ(editor->GetItem(5), 201);
    EXPECT_EQ(editor->GetItem(2), kBrickBomb);
    EXPECT_EQ(editor->GetSelectedItemSlot(), 2);
    EXPECT_EQ(editor->GetMode(), cEditor::kModeItem);
}

TEST_F(EditorScreenTest, HoldingStillOpensTheChooserMovingOrLettingGoDoesNot)
{
    MoveTo(kCellSelectorAt.x, kCellSelectorAt.y);
    Button(true, kCellSelectorAt.x, kCellSelectorAt.y);
    Frames(0.4f);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupNone);
    Frames(0.2f);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupCell);
    // Shown centred on (400, 250), with the current kind marked.
    auto* chooser = dynamic_cast<cCellSelector*>(editor->GetPopupWidget());
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->GetParent(), editor.get());
    EXPECT_EQ(chooser->GetPosition(), cPoint(400 - 140, 250 - 142));
    EXPECT_EQ(chooser->GetCellKind(), 1);
    Button(false, kCellSelectorAt.x, kCellSelectorAt.y);
    Key(SDLK_ESCAPE);
    ASSERT_EQ(editor->GetPopup(), cEditor::kPopupNone);

    // Let go early.
    Button(true, kBrickSelectorAt.x, kBrickSelectorAt.y);
    Frames(0.3f);
    Button(false, kBrickSelectorAt.x, kBrickSelectorAt.y);
    Frames(0.5f);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupNone);

    // The pointer moved while held.
    MoveTo(ItemSlotAt(3).x, ItemSlotAt(3).y);
    Button(true, ItemSlotAt(3).x, ItemSlotAt(3).y);
    Frames(0.2f);
    MoveTo(ItemSlotAt(3).x + 1, ItemSlotAt(3).y);
    Frames(0.5f);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupNone);
    Button(false, ItemSlotAt(3).x + 1, ItemSlotAt(3).y);

    // A right click opens it at once, for the slot it selects.
    Click(ItemSlotAt(6).x, ItemSlotAt(6).y, SDL_BUTTON_RIGHT);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupItem);
    EXPECT_EQ(editor->GetSelectedItemSlot(), 6);
}

TEST_F(EditorScreenTest, PieceButtonsWorkOnlyInPieceModeAndKeepTheEmptyRecord)
{
    editor->SetPiece(0, kPieceA);
    ASSERT_EQ(editor->GetPieceCount(), 2);
    const cPoint down = ButtonAt(*editor, cEditor::kButtonPieceDown);
    const cPoint up = ButtonAt(*editor, cEditor::kButtonPieceUp);
    const cPoint del = ButtonAt(*editor, cEditor::kButtonPieceDelete);
    const cPoint ins = ButtonAt(*editor, cEditor::kButtonPieceInsert);

    Click(down.x, down.y); // cell mode: nothing
    EXPECT_EQ(editor->GetPieceCount(), 2);
    EXPECT_EQ(editor->GetPiece(0), kPieceA);

    editor->SelectPiece(0);
    Click(up.x, up.y); // already first
    EXPECT_EQ(editor->GetSelectedPiece(), 0);
    Click(down.x, down.y);
    Click(down.x, down.y); // moving the last one down appends a record
    EXPECT_EQ(editor->GetPieceCount(), 3);
    EXPECT_EQ(editor->GetSelectedPiece(), 2);
    EXPECT_EQ(editor->GetPiece(2), kPieceA);

    Click(ins.x, ins.y);
    EXPECT_EQ(editor->GetPieceCount(), 4);
    EXPECT_TRUE(cEditedLevel::IsEmptyPiece(editor->GetPiece(2)));
    EXPECT_EQ(editor->GetPiece(3), kPieceA);
    Click(del.x, del.y); // not the last: removed
    EXPECT_EQ(editor->GetPieceCount(), 3);
    EXPECT_EQ(editor->GetPiece(2), kPieceA);
    Click(del.x, del.y); // the last: cleared, the length stays
    EXPECT_EQ(editor->GetPieceCount(), 3);
    EXPECT_TRUE(cEditedLevel::IsEmptyPiece(editor->GetPiece(2)));
}

TEST_F(EditorScreenTest, KeysWaitWhileAPopupIsOpenAndEscClosesItFirst)
{
    Key(SDLK_ESCAPE);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupQuitToMenu);
    const size_t sounded = sounds.played.size();
    for (SDL_Keycode key : {SDLK_t, SDLK_i, SDLK_s, SDLK_l, SDLK_n, SDLK_h, SDLK_m})
        Key(key);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupQuitToMenu);
    EXPECT_TRUE(host.requests.empty());
    EXPECT_TRUE(host.options.IsShowHints());
    EXPECT_EQ(sounds.played.size(), sounded);

    Key(SDLK_ESCAPE);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupNone);
    Key(SDLK_h);
    EXPECT_FALSE(host.options.IsShowHints());
    Key(SDLK_n);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupNewLevel);
    Key(SDLK_ESCAPE);
    Key(SDLK_ESCAPE);
    ASSERT_EQ(editor->GetPopup(), cEditor::kPopupQuitToMenu);
    // The popup answers Enter itself: back to the menu.
    Key(SDLK_RETURN);
    EXPECT_EQ(editor->GetPopup(), cEditor::kPopupNone);
    EXPECT_EQ(host.requests, std::vector<std::string>{"menu"});
}

TEST_F(EditorScreenTest, HintsFollowThePointerAndAResizeButtonSoundsOnce)
{
    MoveTo(kCellSelectorAt.x, kCellSelectorAt.y);
    EXPECT_STREQ(editor->GetHint().GetText(),
                 "left button to select cell, right button or hold to change");
    const cPoint p = CellPixel(4, 3);
    MoveTo(p.x, p.y);
    EXPECT_STREQ(editor->GetHint().GetText(),
                 "left button to put cell, right button or space to clear");
    const cRect button = editor->GetResizeButtonRect(5);
    MoveTo(button.x + 2, button.y + 2);
    MoveTo(button.x + 3, button.y + 3);
    EXPECT_STREQ(editor->GetHint().GetText(), "add an empty row to the top side");
    EXPECT_EQ(sounds.Count(kSndButtonHover), 1);
    MoveTo(button.x - 20, button.y + 3);
    EXPECT_FALSE(editor->GetHint().IsVisible());
    MoveTo(button.x + 2, button.y + 2);
    EXPECT_EQ(sounds.Count(kSndButtonHover), 2);
}

// A game host that hands the screen switches to the application.
// Back to the editor as the application goes there.
class cForwardingGameHost : public cQuietGameHost
{
public:
    void RequestEditor() override { cGameApplication::Get().RequestEditorWithLevel(); }
};

TEST_F(EditorScreenTest, ATestPlayComesBackToTheEditorAsItWas)
{
    cEditedLevel& edited = editor->GetEditedLevel();
    for (int x = 2; x <= 5; ++x)
        edited.PutCell(x, 3, kCellPlain);
    edited.PutBrick(2, 3, 11);
    editor->ResizePieceList(4);
    editor->SetPiece(0, kPieceA);
    editor->SetPiece(2, kPieceB);
    editor->SetLevelName("there and back");
    editor->SetItem(1, 210);
    Click(ItemSlotAt(1).x, ItemSlotAt(1).y);
    Key(SDLK_RIGHT);
    KeyEvent(true, SDLK_RIGHT);
    Frames(0.2f);
    KeyEvent(false, SDLK_RIGHT);
    const cLevel before = editor->GetLevel();
    const float offsetX = editor->GetOffsetX();
    const int pieces = editor->GetPieceCount();

    Key(SDLK_t);
    ASSERT_EQ(host.tested.size(), 1u);
    const cLevel& tested = host.tested[0];
    EXPECT_EQ(tested, before);
    ASSERT_EQ(tested.GetPieceCount(), 2);
    EXPECT_EQ(tested.GetPiece(0), kPieceA);
    EXPECT_EQ(tested.GetPiece(1), kPieceB);

    // The application starts it on the game screen...
    cForwardingGameHost gameHost;
    cGameApplication& app = cGameApplication::Get();
    {
        cGame game(*gui, gameHost);
        editor->Deactivate();
        gui->GetRoot().RemoveChild(editor.get());
        app.RequestTestPlay(tested);
        EXPECT_EQ(app.GetMainLoop().GetRequestedScreen(), eScreen::Game);
        gui->GetRoot().AddChild(cPoint(0, 0), &game);
        game.Activate();
        ASSERT_TRUE(game.IsEditorTestMode());
        EXPECT_EQ(game.GetPuzzle().GetLevel(), tested);
        // ...where Esc closes the level info and asks to go back.
        Key(SDLK_ESCAPE);
        Key(SDLK_ESCAPE);
        ASSERT_EQ(game.GetPopup(), cGame::kPopupBackToEditor);
        Key(SDLK_RETURN);
        EXPECT_EQ(app.GetMainLoop().GetRequestedScreen(), eScreen::Editor);
        gui->GetRoot().RemoveChild(&game);
    }
    gui->GetRoot().AddChild(cPoint(0, 0), editor.get());
    editor->Activate();
    EXPECT_EQ(editor->GetLevel(), before);
    EXPECT_EQ(editor->GetPieceCount(), pieces);
    EXPECT_EQ(editor->GetMode(), cEditor::kModeItem);
    EXPECT_EQ(editor->GetSelectedItemSlot(), 1);
    EXPECT_EQ(editor->GetOffsetX(), offsetX);
}

TEST_F(EditorScreenTest, TheMenuEntryStartsANewLevel)
{
    editor->GetEditedLevel().PutCell(0, 0, kCellIce);
    editor->SetLevelName("old");
    editor->SetPiece(0, kPieceA);
    Click(kBrickSelectorAt.x, kBrickSelectorAt.y);
    cGameApplication::Get().RequestEditor();
    EXPECT_EQ(cGameApplication::Get().GetMainLoop().GetRequestedScreen(), eScreen::Editor);
    EXPECT_EQ(Board().GetCellKind(0, 0), kCellHole);
    EXPECT_EQ(editor->GetLevelName(), "");
    EXPECT_EQ(editor->GetPieceCount(), 1);
    EXPECT_EQ(editor->GetMode(), cEditor::kModeCell);
    EXPECT_EQ(editor->GetCurrentBrickCode(), 11);
    // The board is centred on (400, 250).
    EXPECT_EQ(editor->GetOriginX(), 400 - Board().PixelWidth() / 2);
    EXPECT_EQ(editor->GetOriginY(), 250 - Board().PixelHeight() / 2);
}

TEST_F(EditorScreenTest, ThePiecesPanelSelectsAndItsChooserFollowsThePieceButtons)
{
    editor->SetPiece(0, kPieceA);
    editor->SetPiece(1, kPieceB);
    ASSERT_EQ(editor->GetPieceCount(), 3);
    // The second entry of the panel at (710, 37).
    const cPoint second(710 + 40, 37 + 1 + 78 + 39);
    MoveTo(second.x, second.y);
    Button(true, second.x, second.y);
    Frames(0.6f);
    Button(false, second.x, second.y);
    EXPECT_TRUE(editor->IsPieceMode());
    EXPECT_EQ(editor->GetSelectedPiece(), 1);
    ASSERT_EQ(editor->GetPopup(), cEditor::kPopupPiece);
    cPieceSelector& chooser = editor->GetPopups().GetPieceSelector();
    EXPECT_EQ(chooser.GetIndex(), 1);

    const cPoint up = ButtonAt(*editor, cEditor::kButtonPieceUp);
    Click(up.x, up.y); // the popup stays open and follows the piece
    EXPECT_EQ(editor->GetPiece(0), kPieceB);
    EXPECT_EQ(editor->GetSelectedPiece(), 0);
    EXPECT_EQ(chooser.GetIndex(), 0);
}

TEST_F(EditorScreenTest, ALevelSavedFromTheEditorLoadsBackIntoIt)
{
    cEditedLevel& edited = editor->GetEditedLevel();
    for (int x = 0; x < 4; ++x)
        edited.PutCell(x, 2, kCellIce);
    edited.PutBrick(1, 2, 56);
    editor->SetPiece(0, kPieceA);
    editor->SetItem(3, 207);
    editor->SetLevelName("round trip");
    const cLevel built = editor->GetLevel();

    Key(SDLK_s);
    ASSERT_EQ(editor->GetPopup(), cEditor::kPopupSaveLevel);
    cSaveLevelDialog* save = editor->GetPopups().GetSaveDialog();
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(save->Save("mine")) << save->GetMessage();

    editor->NewLevel();
    if (editor->IsPopupOpen())
        Key(SDLK_ESCAPE);
    Key(SDLK_l);
    ASSERT_EQ(editor->GetPopup(), cEditor::kPopupLoadLevel);
    cLoadLevelDialog* load = editor->GetPopups().GetLoadDialog();
    ASSERT_NE(load, nullptr);
    ASSERT_TRUE(load->Load(UserLevelFiles::FileNameOf("mine"))) << load->GetMessage();
    EXPECT_EQ(editor->GetLevel(), built);
    EXPECT_EQ(editor->GetPieceCount(), 2);
    EXPECT_EQ(editor->GetOriginX(), 400 - Board().PixelWidth() / 2);
}

TEST_F(EditorScreenTest, OnlyOneEditorMayExist)
{
    EXPECT_THROW({ cEditor second(*gui, host); }, cException);
}

} // namespace EditorTest
