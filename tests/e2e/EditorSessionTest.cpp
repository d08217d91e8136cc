// A level made from nothing in the editor, by pointer and keys on the real
// window: cells and bricks painted, a piece and a name given, test-played to
// completion, saved, and then played from the selector's user levels.
#include "E2EFixture.h"
#include "Flower.h"

namespace
{

TEST_F(EndToEnd, ALevelBuiltInTheEditorIsTestPlayedSavedAndPlayedFromTheSelector)
{
    const sFlower flower(game.GetMetrics());
    const cLevel expected = flower.Level("flower");
    cMoveLog solution;
    solution.moves.push_back(cMove{false, sFlower::kX, sFlower::kY, 0, 0});

    E2E_STEP(StartGame());
    E2E_STEP(game.SkipIntro());
    game.PressMenuButton(cGameDriver::kMenuEditor);
    E2E_STEP(game.WaitForEditor());

    // Cells (the editor starts in cell mode with kind 1), bricks, piece, name.
    E2E_STEP(PaintFlower(game, flower, "flower"));
    x.SaveGrab((Folder() / "editor-painted.png").string());

    // Test play: the game screen with the editor's level, then back.
    x.MoveTo(400, 470);
    x.Key("t");
    E2E_STEP(game.PlayLevel(expected, solution));
    E2E_STEP(game.WaitForEditor(60.0));

    E2E_STEP(game.EditorSave("flower"));
    const std::string saved = ReadFile(UserFile("UserLevels/flower.lvl"));
    EXPECT_EQ(saved, LevelText(expected, (Folder() / "expected.lvl").string()));

    // A new level, then the saved one loaded back and saved again under
    // another name: the same text.
    const auto ringBrickShown = [&](const Korva::cPixelBuffer& f)
    {
        const auto [rx, ry] = flower.ring[0];
        const Korva::cPoint p = game.EditorCellPixel(flower.board, rx, ry);
        const auto c = x.PixelAt(f, p.x, p.y);
        return c.r > 150 && c.g < 110 && c.b < 110; // red
    };
    game.EditorNewLevel();
    x.MoveTo(400, 515);
    ASSERT_TRUE(
        x.WaitForFrame([&](const Korva::cPixelBuffer& f) { return !ringBrickShown(f); }, 10.0))
        << "n and Enter did not start a new level";
    game.EditorLoadFirst();
    x.MoveTo(400, 515);
    ASSERT_TRUE(x.WaitForFrame(ringBrickShown, 10.0))
        << "the loaded level does not show its bricks";
    E2E_STEP(game.EditorSave("flowercopy"));
    EXPECT_EQ(ReadFile(UserFile("UserLevels/flowercopy.lvl")), saved);

    // Esc asks before leaving the editor; Enter answers yes.
    x.Key("Escape");
    x.Sleep(0.5);
    x.Key("Return");
    E2E_STEP(game.WaitForMenu());
    game.PressMenuButton(cGameDriver::kMenuPlay);
    E2E_STEP(game.WaitForSelector());
    E2E_STEP(game.StartUserLevel(0));
    E2E_STEP(game.PlayLevel(expected, solution));
    // A completed user level leads back to the selector.
    E2E_STEP(game.WaitForSelector(60.0));
    x.Key("Escape");
    E2E_STEP(game.WaitForMenu());
    E2E_STEP(QuitFromMenu());
    EXPECT_EQ(ReadFile(UserFile("UserLevels/flower.lvl")), saved) << "playing changed the file";
}

} // namespace
