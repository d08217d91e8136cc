// A level made from nothing in the editor, by pointer and keys on the real
// window: cells and bricks painted, a piece and a name given, test-played to
// completion, saved, and then played from the selector's user levels.
#include "E2EFixture.h"

#include "engine/File/FileSystemManager.h"

namespace
{

// The flower the test paints: seven cells around (4, 3) of the new 9 x 7
// board, a ring of six red bricks, and one red brick as the only piece.
struct sFlower
{
    static constexpr int kX = 4;
    static constexpr int kY = 3;

    explicit sFlower(const cBoardMetrics& metrics) : board(9, 7, false, metrics)
    {
        for (int d = 1; d <= 6; ++d)
        {
            int x = kX, y = kY;
            board.Neighbour(kX, kY, d, x, y);
            ring.emplace_back(x, y);
        }
    }

    cLevel Level(const std::string& name) const
    {
        cLevel level;
        level.SetName(name);
        level.SetWidth(9);
        level.SetHeight(7);
        level.SetAdjustIndexX(false);
        level.SetCell(kX, kY, 1);
        for (const auto& [x, y] : ring)
        {
            level.SetCell(x, y, 1);
            level.SetBrick(x, y, 11);
        }
        level.SetPieceCount(1);
        level.SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
        return level;
    }

    cBoard board;
    std::vector<std::pair<int, int>> ring;
};

std::string LevelText(const cLevel& level, const std::string& path)
{
    Korva::cFileSystem* files = Korva::cFileSystemManager::Get().CreateFileSystem(1);
    level.Save(*files, path);
    Korva::cFileSystemManager::Get().RemoveFileSystem(files);
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(cE2ETest, ALevelBuiltInTheEditorIsTestPlayedSavedAndPlayedFromTheSelector)
{
    const sFlower flower(game.GetMetrics());
    const cLevel expected = flower.Level("flower");
    cMoveLog solution;
    solution.moves.push_back(cMove{false, sFlower::kX, sFlower::kY, 0, 0});

    E2E_STEP(StartGame());
    E2E_STEP(game.SkipIntro());
    game.PressMenuButton(cGameDriver::kMenuEditor);
    E2E_STEP(game.WaitForEditor());

    // Cells (the editor starts in cell mode with kind 1), then the bricks.
    E2E_STEP(game.EditorPaint(flower.board, sFlower::kX, sFlower::kY));
    for (const auto& [cx, cy] : flower.ring)
        E2E_STEP(game.EditorPaint(flower.board, cx, cy));
    game.EditorBrickMode();
    for (const auto& [cx, cy] : flower.ring)
        E2E_STEP(game.EditorPaint(flower.board, cx, cy));
    game.EditorSetFirstPieceCentre(1, 1);
    x.SaveGrab((Folder() / "editor-painted.png").string());
    game.EditorSetName("flower");

    // Test play: the game screen with the editor's level, then back.
    x.MoveTo(400, 470);
    x.Key("t");
    E2E_STEP(game.PlayLevel(expected, solution));
    E2E_STEP(game.WaitForEditor(60.0));

    E2E_STEP(game.EditorSave("flower"));
    const std::string saved = ReadFile(UserFile("UserLevels/flower.lvl"));
    EXPECT_EQ(saved, LevelText(expected, (Folder() / "expected.lvl").string()));

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
