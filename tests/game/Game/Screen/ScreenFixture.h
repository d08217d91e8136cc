#pragma once

// The game screen on a GUI fed by the real SDL input device, with a test
// host that keeps its own options and progress file.

#include "game/Game/Screen/Game.h"
#include "game/Options.h"
#include "game/Progress.h"

#include "game/ScreenWorld.h"
#include "game/TempFolder.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace ScreenTest
{
using namespace Korva;
using ScreenWorld::cSoundLog;

// A flower of seven plain cells and `pieces` pieces of seven bricks of one
// colour: each piece put on the flower is removed again by a match.
inline cLevel FlowerLevel(int pieces)
{
    cLevel level;
    level.SetName("flower");
    level.SetDescription("a test level");
    level.SetWidth(3);
    level.SetHeight(3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            level.SetCell(x, y, (x != 1 && y == 0) ? 0 : 1);
    level.SetPieceCount(pieces);
    tPiece piece;
    piece.fill(11);
    for (int i = 0; i < pieces; ++i)
        level.SetPiece(i, piece);
    level.SetItem(9, kItemPushFirst);
    return level;
}

inline cLevel PlainLevel(int width, int height)
{
    cLevel level;
    level.SetWidth(width);
    level.SetHeight(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            level.SetCell(x, y, 1);
    level.SetPieceCount(1);
    level.SetPiece(0, tPiece{11, 0, 0, 0, 0, 0, 0});
    return level;
}

// A description long enough for the level info's text to scroll.
inline std::string LongDescription()
{
    std::string description;
    for (int i = 0; i < 60; ++i)
        description += "line " + std::to_string(i) + "\n";
    return description;
}

class cTestHost : public cGameHost
{
public:
    explicit cTestHost(cTempFolder& folder) : m_folder(folder) {}
    cOptions& GetOptions() override { return options; }
    void ToggleFullScreen() override { options.SetFullScreen(!options.IsFullScreen()); }
    void MarkLevelCompleted(const std::string& alias) override
    {
        progress.Add(alias);
        progress.Save(m_folder.FileSystem(), ProgressPath());
    }
    bool IsLevelCompleted(const std::string& alias) const override
    {
        return allCompleted || progress.IsLevelCompleted(alias);
    }
    void RequestLevelSelector() override { requests.push_back("selector"); }
    void RequestMenu() override { requests.push_back("menu"); }
    void RequestEditor() override { requests.push_back("editor"); }
    void OpenHomepage() override { requests.push_back("homepage"); }
    void SelectCampaignLevel(int index) override { selected.push_back(index); }
    std::string ProgressPath() const { return m_folder.File("CompletedLevels.dat"); }

    cOptions options;
    cProgress progress;
    bool allCompleted = false;
    std::vector<std::string> requests;
    std::vector<int> selected;

private:
    cTempFolder& m_folder;
};

// `withDisplay`: a real window and OpenGL device (skipped without X), and
// the game's generated data loaded from the program folder.
class ScreenHarness : public ::testing::Test, protected ScreenWorld::cScreenWorld
{
protected:
    explicit ScreenHarness(bool withDisplay) : m_wantDisplay(withDisplay) {}

    void SetUp() override
    {
        if (!CreateWorld(m_wantDisplay))
            GTEST_SKIP() << "no X display";
        game = std::make_unique<cGame>(*gui, host);
        game->SetSoundListener(&sounds);
        game->GetRandom().Seed(7);
        gui->GetRoot().AddChild(cPoint(0, 0), game.get());
        game->Activate();
    }

    void TearDown() override
    {
        if (game)
            gui->GetRoot().RemoveChild(game.get());
        game.reset();
        DestroyWorld();
    }

    // Runs frames until the board has come to rest (or ten seconds).
    bool RunToRest()
    {
        for (int i = 0; i < 600; ++i)
        {
            Frame();
            if (game->GetPuzzle().IsSettled() || game->GetPuzzle().IsCompleted())
                return true;
        }
        return false;
    }
    // Screen pixel of a cell's centre as the board is drawn now.
    cPoint CellPixel(int x, int y) const
    {
        int32_t cx = 0, cy = 0;
        game->GetPuzzle().GetBoard().CellCentre(x, y, cx, cy);
        return cPoint(game->GetOriginX() + cx, game->GetOriginY() + cy);
    }

    bool m_wantDisplay;
    cTempFolder folder{"screen"};
    cTestHost host{folder};
    std::unique_ptr<cGame> game;
};

} // namespace ScreenTest
