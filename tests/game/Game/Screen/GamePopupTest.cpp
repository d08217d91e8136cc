// The game screen's popups and keys as a player meets them: presses inside a
// popup, Alt+Enter on a question, the game-completed popup, and keyboards
// that are not laid out as the US one.
#include "ScreenFixture.h"

#include "engine/Input/KeyCodes.h"
#include "game/Game/Screen/GamePopups.h"
#include "game/SoundPlayer.h"

namespace ScreenTest
{
namespace
{

cLevel OneCellLevel()
{
    cLevel level = PlainLevel(3, 3);
    level.SetName("one");
    level.SetDescription(LongDescription());
    return level;
}

class GamePopupTest : public ScreenHarness
{
protected:
    GamePopupTest() : ScreenHarness(false) {}
    void Letter(SDL_Keycode sym, SDL_Scancode scancode) { Key(sym, scancode); }
};

TEST_F(GamePopupTest, KeysKeepWorkingAfterAPressInsideAPopup)
{
    game->StartEditorTest(OneCellLevel());
    ASSERT_EQ(game->GetPopup(), cGame::kPopupLevelInfo);
    const cPoint at = game->GetPopupWidget()->GetPosition();
    // The title bar, the frame beside the text, the text box's scrollbar.
    const cPoint presses[] = {
        {at.x + 200, at.y + 15}, {at.x + 5, at.y + 200}, {at.x + 20 + 360 - 7, at.y + 45 + 200}};
    for (const cPoint& p : presses)
    {
        if (game->GetPopup() != cGame::kPopupLevelInfo)
            Letter(SDLK_i, SDL_SCANCODE_I);
        Click(p.x, p.y);
        ASSERT_EQ(game->GetPopup(), cGame::kPopupLevelInfo) << p.x << "," << p.y;
        // A hot key, then Esc.
        const bool music = host.options.IsMusicEnabled();
        Letter(SDLK_m, SDL_SCANCODE_M);
        EXPECT_NE(host.options.IsMusicEnabled(), music) << p.x << "," << p.y;
        Letter(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
        EXPECT_EQ(game->GetPopup(), cGame::kPopupNone) << p.x << "," << p.y;
    }
    // And Enter on the questions.
    Letter(SDLK_q, SDL_SCANCODE_Q);
    ASSERT_EQ(game->GetPopup(), cGame::kPopupQuitToMenu);
    const cPoint question = game->GetPopupWidget()->GetPosition();
    Click(question.x + 100, question.y + 15);
    Letter(SDLK_RETURN, SDL_SCANCODE_RETURN);
    EXPECT_EQ(host.requests, std::vector<std::string>{"menu"});
}

TEST_F(GamePopupTest, AltEnterOnAQuestionOnlySwitchesTheDisplay)
{
    game->StartEditorTest(OneCellLevel());
    Letter(SDLK_RETURN, SDL_SCANCODE_RETURN);
    for (SDL_Keycode question : {SDLK_q, SDLK_ESCAPE})
    {
        Letter(question, SDL_GetScancodeFromKey(question));
        ASSERT_NE(game->GetPopup(), cGame::kPopupNone);
        const int shown = game->GetPopup();
        KeyDown(SDLK_LALT, SDL_SCANCODE_LALT);
        Letter(SDLK_RETURN, SDL_SCANCODE_RETURN);
        KeyUp(SDLK_LALT, SDL_SCANCODE_LALT);
        EXPECT_EQ(game->GetPopup(), shown);
        EXPECT_TRUE(host.requests.empty());
        Letter(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    }
}

TEST_F(GamePopupTest, TheGameCompletedPopupAlwaysGoesOn)
{
    game->StartEditorTest(OneCellLevel());
    Letter(SDLK_RETURN, SDL_SCANCODE_RETURN);
    game->ShowPopup(cGame::kPopupGameCompleted);
    // i does not take its place...
    Letter(SDLK_i, SDL_SCANCODE_I);
    EXPECT_EQ(game->GetPopup(), cGame::kPopupGameCompleted);
    EXPECT_TRUE(host.requests.empty());
    // ...and whatever closes it, the game goes on (a test play: to the editor).
    Letter(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(game->GetPopup(), cGame::kPopupNone);
    EXPECT_EQ(host.requests, std::vector<std::string>{"editor"});
    // Another popup put in its place runs that step too.
    game->ShowPopup(cGame::kPopupGameCompleted);
    game->ShowPopup(cGame::kPopupRestart);
    EXPECT_EQ(host.requests, (std::vector<std::string>{"editor", "editor"}));
}

TEST_F(GamePopupTest, AFrenchKeyboardsDigitRowSelectsTheItemSlots)
{
    game->StartEditorTest(OneCellLevel());
    Letter(SDLK_RETURN, SDL_SCANCODE_RETURN);
    // Without Shift the row types "&", "é", '"', "'", "(", "-", "è", "_", "ç", "à".
    const SDL_Keycode french[10] = {'&', 0xE9, '"', '\'', '(', '-', 0xE8, '_', 0xE7, 0xE0};
    for (int i = 0; i < 10; ++i)
    {
        Letter(french[i], static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i));
        EXPECT_TRUE(game->GetPuzzle().IsItemMode()) << i;
        EXPECT_EQ(game->GetPuzzle().GetSelectedSlot(), i) << i;
    }
    // Letters go by what they type: AZERTY's "p" is where QWERTY's is, its
    // "q" where QWERTY has "a".
    Letter(SDLK_p, SDL_SCANCODE_P);
    EXPECT_TRUE(game->GetPuzzle().IsPieceMode());
    Letter(SDLK_q, SDL_SCANCODE_A);
    EXPECT_EQ(game->GetPopup(), cGame::kPopupQuitToMenu);
}

} // namespace
} // namespace ScreenTest
