// The campaign played on the real screen, with the game's data, as a person
// plays it: the pointer moves to each target cell's centre, buttons and keys
// do the rest, following solutions the rules' solver records.
#include "ScreenFixture.h"

#include "engine/Display/ImageWriter.h"
#include "engine/Display/PixelBuffer.h"
#include "engine/File/FileSystemManager.h"
#include "engine/Resource/ResManager.h"
#include "game/Game/Campaign.h"
#include "game/Game/CampaignResource.h"
#include "game/Game/KnownSolution.h"
#include "game/Game/LevelResource.h"
#include "game/Game/Screen/BoardView.h"
#include "game/Game/Solver.h"

namespace ScreenTest
{
namespace
{

class PlayThroughTest : public ScreenHarness
{
protected:
    PlayThroughTest() : ScreenHarness(true) {}

    const cCampaign* Campaign()
    {
        auto* resource = dynamic_cast<cCampaignResource*>(cResManager::Get().Find("CmpZeltra"));
        return resource ? resource->GetCampaign() : nullptr;
    }

    void Enter() { Key(SDLK_RETURN, SDL_SCANCODE_RETURN); }

    // Scrolls with the arrow keys until the cell's centre is well inside
    // the board area.
    cPoint ScrollTo(int x, int y)
    {
        const cRect inner(cGame::kBoardArea.x + 20, cGame::kBoardArea.y + 20,
                          cGame::kBoardArea.width - 40, cGame::kBoardArea.height - 40);
        cPoint p = CellPixel(x, y);
        for (int i = 0; i < 4 && !inner.Contains(p); ++i)
        {
            const bool horizontal = p.x < inner.x || p.x >= inner.GetRight();
            const SDL_Keycode sym = horizontal ? (p.x < inner.x ? SDLK_LEFT : SDLK_RIGHT)
                                               : (p.y < inner.y ? SDLK_UP : SDLK_DOWN);
            const SDL_Scancode code = SDL_GetScancodeFromKey(sym);
            KeyDown(sym, code);
            for (int f = 0; f < 600 && !inner.Contains(CellPixel(x, y)); ++f)
            {
                const cPoint q = CellPixel(x, y);
                if (horizontal ? (q.x >= inner.x && q.x < inner.GetRight())
                               : (q.y >= inner.y && q.y < inner.GetBottom()))
                    break;
                Frame();
            }
            KeyUp(sym, code);
            p = CellPixel(x, y);
        }
        return p;
    }

    // Plays the recorded moves by pointer, mouse buttons and keys.
    void PlayMoves(const std::vector<cMove>& moves)
    {
        for (const cMove& move : moves)
        {
            SCOPED_TRACE(move.Describe());
            cPuzzle& puzzle = game->GetPuzzle();
            if (move.item)
            {
                const int label = cItemPanel::SlotLabel(move.slot);
                Key(SDLK_0 + label, label == 0
                                        ? SDL_SCANCODE_0
                                        : static_cast<SDL_Scancode>(SDL_SCANCODE_1 + label - 1));
                ASSERT_EQ(puzzle.GetSelectedSlot(), move.slot);
            }
            else
            {
                if (!puzzle.IsPieceMode())
                    Click(750, 77); // the piece panel
                ASSERT_TRUE(puzzle.IsPieceMode());
                cPiecePanel& panel = puzzle.GetPiecePanel();
                const int wanted =
                    (move.rotation + panel.GetStartTurn(panel.GetCurrentIndex())) % 6;
                // Turning by turns: right button or space.
                for (int turn = 0; panel.GetRotation() != wanted && turn < 6; ++turn)
                {
                    if (turn % 2 == 0)
                        Key(SDLK_SPACE, SDL_SCANCODE_SPACE);
                    else
                    {
                        const cPoint p = ScrollTo(move.x, move.y);
                        Click(p.x, p.y, SDL_BUTTON_RIGHT);
                    }
                    Frame();
                }
                ASSERT_EQ(panel.GetRotation(), wanted);
            }
            const size_t before = puzzle.GetHistorySize();
            const cPoint p = ScrollTo(move.x, move.y);
            MoveTo(p.x, p.y);
            Frame(); // the preview is drawn over the target
            Click(p.x, p.y);
            ASSERT_EQ(puzzle.GetHistorySize(), before + 1);
            ASSERT_TRUE(RunToRest());
        }
    }

    // Plays the screen's current level from its info popup to completion.
    void PlayCurrentLevel()
    {
        ASSERT_EQ(game->GetPopup(), cGame::kPopupLevelInfo);
        // The answers a player gets from F1: the solver, taking the level's
        // recorded solution shipped beside it.
        cSolver::sOptions options;
        options.maxSeconds = 30.0;
        std::shared_ptr<const cKnownSolution> known;
        if (const cCampaign* campaign = Campaign())
        {
            const std::string& alias = campaign->GetLevelAlias(game->GetCampaignIndex());
            if (auto* resource = dynamic_cast<cLevelResource*>(cResManager::Get().Find(alias)))
                known = cKnownSolution::Load(cFileSystemManager::Get().GetCurrent(),
                                             resource->GetFile(), game->GetPuzzle().GetLevel());
        }
        options.known = known.get();
        const cSolver::sResult solution = cSolver::Solve(game->GetPuzzle().GetLevel(), options);
        ASSERT_TRUE(solution.solved);
        Enter(); // closes the level info popup
        ASSERT_EQ(game->GetPopup(), cGame::kPopupNone);
        ASSERT_TRUE(RunToRest());
        PlayMoves(solution.moves);
        for (int i = 0; i < 120 && !game->GetPuzzle().IsCompleted(); ++i)
            Frame();
        ASSERT_TRUE(game->GetPuzzle().IsCompleted());
    }

    bool ProgressFileHas(const std::string& alias)
    {
        cProgress read;
        read.Load(folder.FileSystem(), host.ProgressPath());
        return read.IsLevelCompleted(alias);
    }
};

TEST_F(PlayThroughTest, TheCampaignIsPlayedToItsEndWithMouseAndKeys)
{
    const cCampaign* campaign = Campaign();
    ASSERT_NE(campaign, nullptr);
    // The last two levels: the game goes on from one to the next, and after
    // the last back to the selector.
    ASSERT_GE(campaign->GetLevelCount(), 2);
    const int first = campaign->GetLevelCount() - 2;
    ASSERT_TRUE(game->StartCampaignLevel(*campaign, first));
    for (int index = first; index < campaign->GetLevelCount(); ++index)
    {
        SCOPED_TRACE(campaign->GetLevelAlias(index));
        ASSERT_EQ(game->GetCampaignIndex(), index);
        const auto* info = dynamic_cast<const cPopup*>(game->GetPopupWidget());
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->GetTitle(), "Level " + std::to_string(index + 1) + " - " +
                                        game->GetPuzzle().GetLevel().GetName());
        PlayCurrentLevel();
        EXPECT_TRUE(ProgressFileHas(campaign->GetLevelAlias(index)));
        EXPECT_EQ(sounds.Count(kSndLevelCompleted), index - first + 1);

        // The banner shows for 2.5 s, then the game goes on, and the level
        // selector follows.
        Frames(2.0f);
        EXPECT_EQ(game->GetCampaignIndex(), index);
        Frames(0.6f);
        if (index + 1 < campaign->GetLevelCount())
        {
            EXPECT_EQ(host.selected, std::vector<int>{index + 1});
        }
        host.selected.clear();
    }
    // After the last level: back to the level selector.
    EXPECT_EQ(host.requests, std::vector<std::string>{"selector"});
}

TEST_F(PlayThroughTest, TheGameCompletedPopupComesWhenEveryLevelIsDone)
{
    const cCampaign* campaign = Campaign();
    ASSERT_NE(campaign, nullptr);
    host.allCompleted = true;
    ASSERT_TRUE(game->StartCampaignLevel(*campaign, 0));
    PlayCurrentLevel();
    Frames(2.6f);
    ASSERT_EQ(game->GetPopup(), cGame::kPopupGameCompleted);
    // Its close button (130, 400 in the 340 x 445 popup) goes on.
    const cPoint at = game->GetPopupWidget()->GetPosition();
    EXPECT_EQ(at, cPoint(230, 28));
    // i keeps it: taking its place would skip going on.
    Key(SDLK_i, SDL_SCANCODE_I);
    ASSERT_EQ(game->GetPopup(), cGame::kPopupGameCompleted);
    Click(at.x + 130 + 40, at.y + 400 + 14);
    EXPECT_EQ(game->GetCampaignIndex(), 1);
    EXPECT_EQ(game->GetPopup(), cGame::kPopupLevelInfo);
}

TEST_F(PlayThroughTest, ExplosionsWaitForTheirDelayAndBombsBurnTogether)
{
    cLevel level;
    level.SetWidth(5);
    level.SetHeight(5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            level.SetCell(x, y, 1);
    level.SetBrick(0, 1, kBrickBomb);
    level.SetBrick(4, 1, kBrickBomb);
    cBoard board(level);
    cBoardView view;

    board.CreateExplosion(2, 3, 0.2f, 0.3f);
    ASSERT_FALSE(board.GetParticles().empty());
    for (size_t i = 0; i < board.GetParticles().size(); ++i)
        EXPECT_EQ(view.GetParticleFrame(board, i), -1);
    for (int i = 0; i < 21; ++i)
        board.Update(1.0f / 60.0f, true);
    bool shown = false;
    for (size_t i = 0; i < board.GetParticles().size(); ++i)
        shown = shown || view.GetParticleFrame(board, i) >= 0;
    EXPECT_TRUE(shown);

    // Both bombs are drawn with one frame: their pictures are identical.
    const cBoard bombs(level);
    view.Update(0.3f);
    device->Clear(cColor(0, 0, 0));
    view.Draw(*device, bombs, 200, 100);
    cPixelBuffer frame;
    ASSERT_TRUE(device->ReadFrame(frame));
    int32_t ax = 0, ay = 0, bx = 0, by = 0;
    bombs.CellCentre(0, 1, ax, ay);
    bombs.CellCentre(4, 1, bx, by);
    int differing = 0, lit = 0;
    for (int dy = -12; dy <= 12; ++dy)
        for (int dx = -12; dx <= 12; ++dx)
        {
            const uint8_t* a = frame.At(200 + ax + dx, 100 + ay + dy);
            const uint8_t* b = frame.At(200 + bx + dx, 100 + by + dy);
            differing += a[0] != b[0] || a[1] != b[1] || a[2] != b[2];
            lit += a[0] + a[1] + a[2] > 0;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(lit, 50);
}

// Pictures for the README: ZELTRA_SCREENSHOTS=<folder> writes a level at
// rest (pointer preview over the board) and one in the middle of a reaction.
TEST_F(PlayThroughTest, Screenshots)
{
    const char* out = std::getenv("ZELTRA_SCREENSHOTS");
    if (!out)
        GTEST_SKIP() << "set ZELTRA_SCREENSHOTS to a folder to write the pictures";
    cLevel level;
    level.Load(folder.FileSystem(),
               std::string(ZELTRA_TEST_SOURCE_DIR) + "/docs/images/showcase.lvl");
    level.SetPieceCount(8);
    for (int i = 0; i < 8; ++i)
        level.SetPiece(i, tPiece{static_cast<uint8_t>(11 + 11 * (i % 7)), 12, 0, 34,
                                 static_cast<uint8_t>(i % 3 == 0 ? 100 : 45), 0, 23});
    const int items[10] = {88, 201, 203, 208, 210, 101, 0, 0, 0, 0};
    for (int slot = 0; slot < 10; ++slot)
        level.SetItem(slot, items[slot]);
    level.Save(folder.FileSystem(), folder.File("shot.lvl"));
    game->StartFromFile(folder.FileSystem(), folder.File("shot.lvl"));
    EXPECT_FALSE(game->IsCampaignMode());
    const auto shoot = [&](const std::string& name)
    {
        cPixelBuffer frame;
        ASSERT_TRUE(device->ReadFrame(frame));
        SaveImage(frame, std::string(out) + "/" + name);
    };
    Enter();
    ASSERT_TRUE(RunToRest());
    const cPoint target = CellPixel(5, 6);
    Frames(0.6f);
    MoveTo(target.x + 3, target.y + 2);
    Frame(0.0f);
    shoot("game-at-rest.png");

    // A reaction in full swing: a match fading, bricks moving, a bomb's
    // blast and a plasma bolt.
    cBoard& board = game->GetPuzzle().GetBoard();
    board.AddFading(3, 2, 11);
    board.AddFading(4, 2, 88);
    board.CreateExplosion(3, 5, 0.0f, 0.05f);
    board.CreateExplosion(4, 5, 0.0f, 0.05f);
    board.CreateMover(2, 3, 3, board.GetBrickCode(2, 3));
    board.CreateBolt(9, 3, 9, 6, 4);
    MoveTo(40, 400);
    Frames(0.12f);
    shoot("game-mid-reaction.png");
}

} // namespace
} // namespace ScreenTest
