// Redo by keys and the mouse wheel on the game screen, driven through the
// real SDL input device.
#include "ScreenFixture.h"

#include "engine/Input/KeyCodes.h"
#include "game/Game/Screen/GamePopups.h"

namespace ScreenTest
{
namespace
{

// A board larger than the board area, with a text to scroll.
cLevel LargeLevel()
{
    cLevel level = PlainLevel(40, 30);
    level.SetDescription(LongDescription());
    return level;
}

class GameRedoWheelTest : public ScreenHarness
{
protected:
    GameRedoWheelTest() : ScreenHarness(false) {}

    void Play(const cLevel& level)
    {
        game->StartEditorTest(level);
        Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
        ASSERT_EQ(game->GetPopup(), cGame::kPopupNone);
        ASSERT_TRUE(RunToRest());
    }
    // Synthetic key events carry their scancodes: without a window SDL
    // cannot look them up.
    static SDL_Scancode Place(SDL_Keycode key)
    {
        switch (key)
        {
        case SDLK_LCTRL:
            return SDL_SCANCODE_LCTRL;
        case SDLK_RCTRL:
            return SDL_SCANCODE_RCTRL;
        case SDLK_LSHIFT:
            return SDL_SCANCODE_LSHIFT;
        case SDLK_ESCAPE:
            return SDL_SCANCODE_ESCAPE;
        default:
            return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (key - SDLK_a));
        }
    }
    void Press(SDL_Keycode key) { Key(key, Place(key)); }
    void WithKeys(const std::vector<SDL_Keycode>& held, SDL_Keycode key)
    {
        for (SDL_Keycode k : held)
            KeyDown(k, Place(k));
        Press(key);
        for (SDL_Keycode k : held)
            KeyUp(k, Place(k));
    }
    std::vector<int> Bricks() const
    {
        std::vector<int> codes;
        for (const cBoard::sBrick& brick : game->GetPuzzle().GetBoard().GetBricks())
            codes.push_back(brick.code);
        return codes;
    }
    size_t History() const { return game->GetPuzzle().GetHistorySize(); }
};

TEST_F(GameRedoWheelTest, YAndCtrlYAndCtrlShiftZRedoTheUndoneMove)
{
    Play(FlowerLevel(4));
    const cPoint centre = CellPixel(1, 1);
    Click(centre.x, centre.y);
    ASSERT_TRUE(RunToRest());
    const std::vector<int> after = Bricks();
    const int index = game->GetPuzzle().GetPiecePanel().GetCurrentIndex();

    const std::vector<std::pair<std::vector<SDL_Keycode>, SDL_Keycode>> redoKeys = {
        {{}, SDLK_y}, {{SDLK_LCTRL}, SDLK_y}, {{SDLK_RCTRL, SDLK_LSHIFT}, SDLK_z}};
    for (const auto& [held, key] : redoKeys)
    {
        WithKeys({SDLK_LCTRL}, SDLK_z); // undo, Shift not held
        ASSERT_EQ(History(), 0u);
        WithKeys(held, key);
        EXPECT_EQ(History(), 1u);
        ASSERT_TRUE(RunToRest());
        EXPECT_EQ(Bricks(), after);
        EXPECT_EQ(game->GetPuzzle().GetPiecePanel().GetCurrentIndex(), index);
    }

    // No redo while a popup is open.
    Press(SDLK_u);
    Press(SDLK_q);
    Press(SDLK_y);
    EXPECT_EQ(History(), 0u);
    Press(SDLK_ESCAPE);
    // A new move forgets what could be redone.
    Click(centre.x, centre.y);
    ASSERT_TRUE(RunToRest());
    Press(SDLK_u);
    Click(centre.x, centre.y);
    ASSERT_TRUE(RunToRest());
    EXPECT_EQ(History(), 1u);
    Press(SDLK_y);
    EXPECT_EQ(History(), 1u);
    // So does leaving the level.
    Press(SDLK_u);
    game->Deactivate();
    game->Activate();
    Press(SDLK_y);
    EXPECT_EQ(History(), 0u);
}

TEST_F(GameRedoWheelTest, TheWheelScrollsALargeBoardWithinTheArrowKeysLimits)
{
    Play(LargeLevel());
    const cBoard& board = game->GetPuzzle().GetBoard();
    const float x = game->GetOffsetX(), y = game->GetOffsetY();
    Wheel(400, 250, -1.0f); // towards the player: down the board
    EXPECT_FLOAT_EQ(game->GetOffsetY(), y - cBoardScroller::kWheelStep);
    Wheel(400, 250, 0.5f);
    EXPECT_FLOAT_EQ(game->GetOffsetY(), y - cBoardScroller::kWheelStep / 2.0f);
    Wheel(400, 250, 0.0f, 1.0f); // a sideways wheel
    EXPECT_FLOAT_EQ(game->GetOffsetX(), x - cBoardScroller::kWheelStep);
    KeyDown(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    Wheel(400, 250, 1.0f); // Shift: away from the player is left
    KeyUp(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT);
    EXPECT_FLOAT_EQ(game->GetOffsetX(), x);
    Wheel(400, 250, -1000.0f);
    Wheel(40, 400, 0.0f, -1000.0f); // over the buttons' column too
    EXPECT_FLOAT_EQ(game->GetOffsetY(), -static_cast<float>(board.PixelHeight()));
    EXPECT_FLOAT_EQ(game->GetOffsetX(), 0.0f);

    // With a popup open the board stays.
    Press(SDLK_i);
    const float boardY = game->GetOffsetY();
    Wheel(400, 250, 1.0f);
    Wheel(700, 550, 1.0f);
    EXPECT_FLOAT_EQ(game->GetOffsetY(), boardY);
}

// With the game's fonts, so the level info has lines to scroll.
class GameWheelTextTest : public ScreenHarness
{
protected:
    GameWheelTextTest() : ScreenHarness(true) {}
};

TEST_F(GameWheelTextTest, TheLevelInfoScrollsThreeLinesANotch)
{
    game->StartEditorTest(LargeLevel());
    auto* info = dynamic_cast<cLevelInfoPopup*>(game->GetPopupWidget());
    ASSERT_NE(info, nullptr);
    Frame();
    const float boardY = game->GetOffsetY();
    const cPoint at = info->GetPosition();
    Wheel(at.x + 100, at.y + 100, -1.0f);
    const cTextBox& text = info->GetTextBox();
    ASSERT_GT(text.GetLineCount(), 20);
    EXPECT_GT(text.GetScrollY(), 0.0f);
    EXPECT_FLOAT_EQ(text.GetScrollY(), text.GetWheelStep());
    // Three lines: the content is one line height per line.
    EXPECT_FLOAT_EQ(text.GetWheelStep(),
                    3.0f * static_cast<float>(text.GetContentSize().y / text.GetLineCount()));
    EXPECT_FLOAT_EQ(game->GetOffsetY(), boardY);
}

TEST_F(GameRedoWheelTest, ABoardThatFitsTheAreaStaysPut)
{
    Play(FlowerLevel(1));
    const float x = game->GetOffsetX(), y = game->GetOffsetY();
    Wheel(400, 250, -3.0f);
    Wheel(400, 250, 0.0f, 3.0f);
    EXPECT_FLOAT_EQ(game->GetOffsetX(), x);
    EXPECT_FLOAT_EQ(game->GetOffsetY(), y);
}

} // namespace
} // namespace ScreenTest
