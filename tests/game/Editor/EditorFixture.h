#pragma once

// The editor screen on a GUI fed by the real SDL input device, with a test
// host that records what the editor asks of the application.

#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "game/Editor/Editor.h"
#include "game/Game/Screen/GameHost.h"
#include "game/Options.h"
#include "game/SoundPlayer.h"

#include "game/ScreenWorld.h"
#include "game/TempFolder.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace EditorTest
{
using namespace Korva;
using ScreenWorld::cSoundLog;

class cTestEditorHost : public cEditorHost
{
public:
    explicit cTestEditorHost(const std::string& userFolder) : userFiles(userFolder) {}
    cOptions& GetOptions() override { return options; }
    void RequestTestPlay(const cLevel& level) override
    {
        requests.push_back("test");
        tested.push_back(level);
    }
    void RequestMenu() override { requests.push_back("menu"); }
    void OpenHomepage() override { requests.push_back("homepage"); }
    cFileSystem* GetUserFileSystem() override { return &userFiles; }

    cFileSystemPOSIX userFiles;
    cOptions options;
    std::vector<std::string> requests;
    std::vector<cLevel> tested;
};

// A game screen's host that records the screens asked for.
class cQuietGameHost : public cGameHost
{
public:
    cOptions& GetOptions() override { return options; }
    void ToggleFullScreen() override {}
    void MarkLevelCompleted(const std::string&) override {}
    bool IsLevelCompleted(const std::string&) const override { return false; }
    void RequestLevelSelector() override {}
    void RequestMenu() override { requests.push_back("menu"); }
    void RequestEditor() override { requests.push_back("editor"); }
    void OpenHomepage() override {}
    void SelectCampaignLevel(int) override {}
    cOptions options;
    std::vector<std::string> requests;
};

// `withDisplay`: a real window and OpenGL device (skipped without X), and
// the game's generated data loaded from the program folder.
class EditorHarness : public ::testing::Test, protected ScreenWorld::cScreenWorld
{
protected:
    explicit EditorHarness(bool withDisplay) : m_wantDisplay(withDisplay) {}

    void SetUp() override
    {
        if (!CreateWorld(m_wantDisplay))
            GTEST_SKIP() << "no X display";
        editor = std::make_unique<cEditor>(*gui, host);
        editor->SetSoundListener(&sounds);
        gui->GetRoot().AddChild(cPoint(0, 0), editor.get());
        editor->Activate();
    }

    void TearDown() override
    {
        if (editor)
        {
            editor->Deactivate();
            gui->GetRoot().RemoveChild(editor.get());
        }
        editor.reset();
        DestroyWorld();
    }

    // Screen pixel of a cell's centre as the board is drawn now.
    cPoint CellPixel(int x, int y) const
    {
        int32_t cx = 0, cy = 0;
        editor->GetEditedLevel().GetBoard().CellCentre(x, y, cx, cy);
        return cPoint(editor->GetOriginX() + cx, editor->GetOriginY() + cy);
    }
    cPoint Centre(const cRect& r) const { return cPoint(r.x + r.width / 2, r.y + r.height / 2); }
    // Paints with the left button held over the cell for a few frames.
    void Paint(int x, int y)
    {
        const cPoint p = CellPixel(x, y);
        MoveTo(p.x, p.y);
        Button(true, p.x, p.y);
        Frame();
        Frame();
        Button(false, p.x, p.y);
    }
    const cBoard& Board() const { return editor->GetEditedLevel().GetBoard(); }

    bool m_wantDisplay;
    cTempFolder folder{"editor"};
    cTestEditorHost host{folder.Path().string()};
    std::unique_ptr<cEditor> editor;
};

class EditorScreenTest : public EditorHarness
{
protected:
    EditorScreenTest() : EditorHarness(false) {}
};

} // namespace EditorTest
