// The game screen's handling of keys, clicks, popups, hints and scrolling,
// driven through the real SDL input device without a window.
#include "ScreenFixture.h"

#include "engine/Input/KeyCodes.h"
#include "game/Game/Screen/ItemBarView.h"
#include "game/Game/Screen/PieceView.h"
#include "game/SoundPlayer.h"

namespace ScreenTest
{
namespace
{

class GameScreenTest : public ScreenHarness
{
protected:
    GameScreenTest() : ScreenHarness(false) {}

    void Enter() { Key(SDLK_RETURN, SDL_SCANCODE_RETURN); }
    void Escape() { Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE); }
    void Letter(char c)
    {
        Key(static_cast<SDL_Keycode>(c), static_cast<SDL_Scancode>(SDL_SCANCODE_A + (c - 'a')));
    }
    // Started, info popup closed, board at rest.
    void Play(const cLevel& level)
    {
        game->StartEditorTest(level);
        Enter();
        ASSERT_EQ(game->GetPopup(), cGame::kPopupNone);
        ASSERT_TRUE(RunToRest());
    }
    size_t History() const { return game->GetPuzzle().GetHistorySize(); }
};

TEST_F(GameScreenTest, KeysOpenAndClosePopupsOnlyWhereAllowed)
{
    game->StartEditorTest(FlowerLevel(2));
    EXPECT_EQ(game->GetPopup(), cGame::kPopupLevelInfo);
    EXPECT_EQ(game->GetPopupWidget()->GetPosition(), cPoint(200, 25));
    Enter();
    EXPECT_EQ(game->GetPopup(), cGame::kPopupNone);
    sounds.played.clear();

    const int children = game->GetChildCount();
    Letter('r');
    EXPECT_EQ(game->GetPopup(), cGame::kPopupRestart);
    EXPECT_EQ(game->GetPopupWidget()->GetPosition(), cPoint(295, 205));
    Letter('r'); // already open: not opened again
    Letter('q'); // no other popup over it either
    EXPECT_EQ(game->GetPopup(), cGame::kPopupRestart);
    EXPECT_EQ(game->GetChildCount(), children + 1);
    EXPECT_EQ(sounds.Count(kSndButtonPressed), 1);
    Escape();
    EXPECT_EQ(game->GetPopup(), cGame::kPopupNone);
    EXPECT_EQ(game->GetChildCount(), children);

    // In a test play Esc asks to go back to the editor; Yes by Enter does.
    Escape();
    EXPECT_EQ(game->GetPopup(), cGame::kPopupBackToEditor);
    Enter();
    EXPECT_EQ(game->GetPopup(), cGame::kPopupNone);
    EXPECT_EQ(host.requests, std::vector<std::string>{"editor"});

    // i replaces any open popup; a click into its text keeps Esc working.
    Letter('q');
    Letter('i');
    EXPECT_EQ(game->GetPopup(), cGame::kPopupLevelInfo);
    Click(200 + 100, 25 + 100);
    EXPECT_EQ(game->GetPopup(), cGame::kPopupLevelInfo);
    Escape();
    EXPECT_EQ(game->GetPopup(), cGame::kPopupNone);

    // Key 0 is the tenth slot; p goes back to the piece.
    Key(SDLK_0, SDL_SCANCODE_0);
    EXPECT_TRUE(game->GetPuzzle().IsItemMode());
    EXPECT_EQ(game->GetPuzzle().GetSelectedSlot(), 9);
    EXPECT_FALSE(game->GetPuzzle().GetPiecePanel().IsActive());
    Letter('p');
    EXPECT_TRUE(game->GetPuzzle().IsPieceMode());
    EXPECT_TRUE(game->GetPuzzle().GetPiecePanel().IsActive());
}

TEST_F(GameScreenTest, ClicksWaitForRestAndCtrlZUndoesLikeU)
{
    Play(FlowerLevel(3));
    const cPoint centre = CellPixel(1, 1);
    Click(centre.x, centre.y);
    EXPECT_EQ(History(), 1u);
    EXPECT_EQ(sounds.Count(kSndPutPiece), 1);
    ASSERT_FALSE(game->GetPuzzle().IsSettled()); // the match is still fading

    // While the bricks fade, presses on the board are dropped silently.
    Click(centre.x, centre.y);
    Click(centre.x, centre.y, SDL_BUTTON_RIGHT);
    Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
    EXPECT_EQ(History(), 1u);
    EXPECT_EQ(game->GetPuzzle().GetPiecePanel().GetRotation(), 0);
    EXPECT_EQ(sounds.Count(kSndInvalid), 0);
    EXPECT_EQ(sounds.Count(kSndRotatePiece), 0);

    // The queue slides up one place (76 pixels) over 0.2 s.
    int32_t x = 0, y = 0;
    cPieceView::QueuePosition(1, game->GetPuzzle().GetPiecePanel().GetQueueSlide(), x, y);
    EXPECT_EQ(y, 194 + 76);
    gui->Update(0.1f);
    cPieceView::QueuePosition(1, game->GetPuzzle().GetPiecePanel().GetQueueSlide(), x, y);
    EXPECT_EQ(y, 194 + 38);
    gui->Update(0.1f);
    cPieceView::QueuePosition(1, game->GetPuzzle().GetPiecePanel().GetQueueSlide(), x, y);
    EXPECT_EQ(y, 194);

    ASSERT_TRUE(RunToRest());
    Letter('z'); // z alone is no undo
    EXPECT_EQ(History(), 1u);
    KeyDown(SDLK_LCTRL, SDL_SCANCODE_LCTRL);
    Letter('z');
    KeyUp(SDLK_LCTRL, SDL_SCANCODE_LCTRL);
    EXPECT_EQ(History(), 0u);
    EXPECT_EQ(game->GetPuzzle().GetPiecePanel().GetCurrentIndex(), 0);

    Click(centre.x, centre.y);
    ASSERT_TRUE(RunToRest());
    EXPECT_EQ(History(), 1u);
    Letter('u');
    EXPECT_EQ(History(), 0u);

    // A press outside every cell is an invalid move and leaves no step.
    Click(110, 20);
    EXPECT_EQ(History(), 0u);
    EXPECT_EQ(sounds.Count(kSndInvalid), 1);
}

TEST_F(GameScreenTest, ScrollingKeepsTheScreenCentreOnTheBoard)
{
    Play(PlainLevel(12, 10));
    const cBoard& board = game->GetPuzzle().GetBoard();
    const float startX = game->GetOffsetX();
    const float startY = game->GetOffsetY();
    ASSERT_LT(startX, 0.0f);

    KeyDown(SDLK_RIGHT, SDL_SCANCODE_RIGHT);
    Frames(0.5f);
    EXPECT_NEAR(game->GetOffsetX(), startX - 100.0f, 4.0f);
    Frames(10.0f);
    KeyUp(SDLK_RIGHT, SDL_SCANCODE_RIGHT);
    EXPECT_FLOAT_EQ(game->GetOffsetX(), -static_cast<float>(board.PixelWidth()));
    KeyDown(SDLK_LEFT, SDL_SCANCODE_LEFT);
    Frames(10.0f);
    KeyUp(SDLK_LEFT, SDL_SCANCODE_LEFT);
    EXPECT_FLOAT_EQ(game->GetOffsetX(), 0.0f);
    KeyDown(SDLK_DOWN, SDL_SCANCODE_DOWN);
    Frames(10.0f);
    KeyUp(SDLK_DOWN, SDL_SCANCODE_DOWN);
    EXPECT_FLOAT_EQ(game->GetOffsetY(), -static_cast<float>(board.PixelHeight()));
    KeyDown(SDLK_UP, SDL_SCANCODE_UP);
    Frames(10.0f);
    KeyUp(SDLK_UP, SDL_SCANCODE_UP);
    EXPECT_FLOAT_EQ(game->GetOffsetY(), 0.0f);
    (void)startY;
}

TEST_F(GameScreenTest, EdgeScrollingOnlyInFullScreen)
{
    Play(PlainLevel(12, 10));
    const float startX = game->GetOffsetX();

    // In a window the screen's edge is no scroll area.
    MoveTo(0, 300);
    Button(true, 0, 300, SDL_BUTTON_LEFT);
    Frames(0.5f);
    Button(false, 0, 300, SDL_BUTTON_LEFT);
    EXPECT_FLOAT_EQ(game->GetOffsetX(), startX);
    EXPECT_EQ(game->GetPointerFrame(), 0);

    host.options.SetFullScreen(true);
    MoveTo(5, 300);
    MoveTo(0, 300);
    EXPECT_EQ(game->GetPointerFrame(), 4);
    Button(true, 0, 300, SDL_BUTTON_LEFT);
    Frames(0.25f);
    EXPECT_GT(game->GetOffsetX(), startX + 40.0f);
    Frames(10.0f);
    EXPECT_FLOAT_EQ(game->GetOffsetX(), 0.0f);
    // Releasing stops it; so does leaving the edge.
    Button(false, 0, 300, SDL_BUTTON_LEFT);
    MoveTo(799, 0);
    EXPECT_EQ(game->GetPointerFrame(), 1);
    Frames(0.5f);
    EXPECT_FLOAT_EQ(game->GetOffsetX(), 0.0f);
}

TEST_F(GameScreenTest, HintsFollowThePointer)
{
    Play(FlowerLevel(1));
    MoveTo(100 + 9 * 60 + 30, 560);
    EXPECT_STREQ(game->GetHint().GetText(), "press mouse button to select the item (0)");
    EXPECT_TRUE(game->GetHint().IsVisible());
    MoveTo(400, 250);
    EXPECT_STREQ(game->GetHint().GetText(),
                 "left button to put piece, right button or space to rotate");
    MoveTo(40, 110); // the undo button
    EXPECT_STREQ(game->GetHint().GetText(), "undo your last move (u) - redo it (y or ctrl+y)");
    MoveTo(40, 400); // the screen itself, no control
    EXPECT_FALSE(game->GetHint().IsVisible());

    // The item bar selects by slot: x 100..159 is slot 0.
    Click(159, 560);
    EXPECT_TRUE(game->GetPuzzle().IsItemMode());
    EXPECT_EQ(game->GetPuzzle().GetSelectedSlot(), 0);
    MoveTo(400, 250); // slot 0 is empty: no hint over the board
    EXPECT_FALSE(game->GetHint().IsVisible());
    Click(750, 77); // the piece panel
    EXPECT_TRUE(game->GetPuzzle().IsPieceMode());
}

TEST_F(GameScreenTest, ButtonsToggleOptionsAndGoToOtherScreens)
{
    Play(FlowerLevel(1));
    host.options.SetShowHints(true);
    Letter('h');
    EXPECT_FALSE(host.options.IsShowHints());
    Click(40, 330); // hints toggle
    EXPECT_TRUE(host.options.IsShowHints());
    gui->Update(0.0f);
    EXPECT_NE(game->GetButton(cGame::kButtonHints), nullptr);

    Click(40, 220); // quit
    EXPECT_EQ(game->GetPopup(), cGame::kPopupQuitToMenu);
    Click(295 + 20 + 40, 205 + 45 + 14); // Yes
    EXPECT_EQ(game->GetPopup(), cGame::kPopupNone);
    EXPECT_EQ(host.requests, std::vector<std::string>{"menu"});
}

TEST(PieceViewTest, TheRingTurnsFromTheOldPositionsToTheNewOnes)
{
    const cBoard board(3, 3, false);
    const int32_t pitch = board.ColumnPitch();
    const int32_t ch = board.GetCellHeight();
    const int32_t expected[6][2] = {{0, -ch}, {pitch, -ch / 2}, {pitch, ch / 2},
                                    {0, ch},  {-pitch, ch / 2}, {-pitch, -ch / 2}};
    for (int k = 0; k < 6; ++k)
    {
        int32_t dx = 0, dy = 0;
        cPieceView::TurningOffset(board, k, 0.0f, dx, dy);
        EXPECT_EQ(dx, expected[(k + 5) % 6][0]) << k;
        EXPECT_EQ(dy, expected[(k + 5) % 6][1]) << k;
        cPieceView::TurningOffset(board, k, 1.0f, dx, dy);
        EXPECT_EQ(dx, expected[k][0]) << k;
        EXPECT_EQ(dy, expected[k][1]) << k;
        // Half way the brick is between the two, off the straight line.
        cPieceView::TurningOffset(board, k, 0.5f, dx, dy);
        const int32_t mx = (expected[k][0] + expected[(k + 5) % 6][0]) / 2;
        const int32_t my = (expected[k][1] + expected[(k + 5) % 6][1]) / 2;
        EXPECT_GT(dx * dx + dy * dy, mx * mx + my * my) << k;
    }
}

TEST(ItemBarViewTest, MarksTheCellsThatMakeAUseFail)
{
    cBoard board(4, 4, false);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            board.SetCell(x, y, 1);
    board.SetBrick(1, 1, 11);
    board.SetBrick(1, 0, 12);
    // Push north from (1, 1): the target (1, 0) is taken.
    using tCells = std::vector<std::pair<int, int>>;
    EXPECT_EQ(cItemBarView::InvalidCells(board, 1, 1, kItemPushFirst), (tCells{{1, 0}}));
    // Push south from (1, 1) is free; from the empty (2, 2) it marks that cell.
    EXPECT_TRUE(cItemBarView::InvalidCells(board, 1, 1, kItemPushFirst + 3).empty());
    EXPECT_EQ(cItemBarView::InvalidCells(board, 2, 2, kItemPushFirst + 3), (tCells{{2, 2}}));
    // Swap north: both hold bricks.
    EXPECT_TRUE(cItemBarView::InvalidCells(board, 1, 1, kItemSwapNorth).empty());
    EXPECT_EQ(cItemBarView::InvalidCells(board, 2, 1, kItemSwapNorth).size(), 2u);
    // A loose brick needs a free cell.
    EXPECT_EQ(cItemBarView::InvalidCells(board, 1, 1, 23), (tCells{{1, 1}}));
    EXPECT_TRUE(cItemBarView::InvalidCells(board, 3, 3, 23).empty());
}

} // namespace
} // namespace ScreenTest
