// A level file may hold cell kinds, brick codes and item codes the rules
// have no meaning for; the reader keeps them as stored. The game screen
// plays and draws such a level with the game's own data without reading or
// drawing out of bounds (the sanitizer run checks).
#include "ScreenFixture.h"

#include "game/OutOfRangeLevel.h"

namespace ScreenTest
{
namespace
{

class OutOfRangeLevelTest : public ScreenHarness
{
protected:
    OutOfRangeLevelTest() : ScreenHarness(true) {}

    // The pointer over every cell of the board, a few frames at each.
    template <class tCellPixel> void Sweep(int width, int height, tCellPixel cellPixel, bool click)
    {
        for (int y = 0; y < height; y += 3)
            for (int x = 0; x < width; x += 3)
            {
                const cPoint p = cellPixel(x, y);
                MoveTo(p.x, p.y);
                Frame();
                if (click)
                    Click(p.x, p.y);
                Frame();
            }
    }
};

TEST_F(OutOfRangeLevelTest, IsPlayedAndDrawnByTheGameScreen)
{
    const std::string path = folder.Write("odd.lvl", OutOfRangeLevelText());
    game->StartFromFile(folder.FileSystem(), path);
    Frames(0.5f);
    Key(SDLK_RETURN, SDL_SCANCODE_RETURN); // the level's info popup
    ASSERT_EQ(game->GetPopup(), cGame::kPopupNone);
    ASSERT_TRUE(RunToRest());
    const cBoard& board = game->GetPuzzle().GetBoard();
    EXPECT_EQ(board.GetWidth(), 16);
    Sweep(
        16, 16, [this](int x, int y) { return CellPixel(x, y); }, true);
    // Each item slot in turn, used on the board.
    for (char slot = '1'; slot <= '9'; ++slot)
    {
        Key(static_cast<SDL_Keycode>(slot),
            static_cast<SDL_Scancode>(SDL_SCANCODE_1 + (slot - '1')));
        RunToRest();
        const cPoint p = CellPixel(7, 7);
        MoveTo(p.x, p.y);
        Frame();
        Click(p.x, p.y);
        RunToRest();
    }
    Key(SDLK_u, SDL_SCANCODE_U); // undo
    Frames(0.5f);
}

} // namespace
} // namespace ScreenTest
