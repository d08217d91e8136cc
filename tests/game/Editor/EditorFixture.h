#pragma once

// The editor screen on a GUI fed by the real SDL input device, with a test
// host that records what the editor asks of the application.

#include "engine/Core/Core.h"
#include "engine/Display/GL/RenderDeviceGL.h"
#include "engine/Display/GL/RenderSystemGL.h"
#include "engine/Display/SDL/DisplaySDL.h"
#include "engine/File/FileSystemManager.h"
#include "engine/File/POSIX/FileSystemPOSIX.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/SDL/InputDeviceSDL.h"
#include "engine/Resource/BuiltIn/BuiltInResourceHandler.h"
#include "engine/Resource/ResManager.h"
#include "game/Editor/Editor.h"
#include "game/Game/GameResourceHandler.h"
#include "game/Options.h"
#include "game/SoundPlayer.h"

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

// Records the effects the editor plays.
class cSoundLog : public cBoardSoundListener
{
public:
    void PlaySound(int effect) override { played.push_back(effect); }
    int Count(int effect) const
    {
        int n = 0;
        for (int e : played)
            n += e == effect;
        return n;
    }
    std::vector<int> played;
};

// `withDisplay`: a real window and OpenGL device (skipped without X), and
// the game's generated data loaded from the program folder.
class EditorHarness : public ::testing::Test
{
protected:
    explicit EditorHarness(bool withDisplay) : m_withDisplay(withDisplay) {}

    void SetUp() override
    {
        if (m_withDisplay)
        {
            if (!std::getenv("DISPLAY"))
                GTEST_SKIP() << "no X display";
            display = std::make_unique<cDisplaySDL>();
            cDisplayMode mode;
            mode.width = 800;
            mode.height = 600;
            display->Create(mode, false);
            cRenderSystemGL system;
            device = system.CreateRenderDevice(*display);
            input = std::make_unique<cInputDeviceSDL>(display.get());
            LoadData();
        }
        else
        {
            ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
            input = std::make_unique<cInputDeviceSDL>();
        }
        gui = std::make_unique<cGUI>(display.get(), device.get(), input.get());
        gui->SetUpdateEnabled(false); // the tests advance time themselves
        if (!m_withDisplay)
            gui->GetRoot().SetSize(cPoint(800, 600));
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
        gui.reset();
        input.reset();
        if (cResManager* manager = cResManager::GetIfExists())
            manager->ReleaseAll();
        cResManager::Destroy();
        if (programFolder)
            cFileSystemManager::Get().SetCurrent(cFileSystemManager::Get().GetDefault());
        programFolder.reset();
        device.reset();
        display.reset();
        if (!m_withDisplay)
            SDL_Quit();
    }

    void LoadData()
    {
        programFolder = std::make_unique<cFileSystemPOSIX>(ZELTRA_TEST_PROGRAM_DIR);
        cFileSystemManager::Get().SetCurrent(*programFolder);
        cResManager& manager = cResManager::Get();
        manager.AddTypeHandler(std::make_unique<cBuiltInResourceHandler>());
        manager.AddTypeHandler(std::make_unique<cGameResourceHandler>());
        for (const char* list : {"Images", "Sprites", "Sounds", "Campaigns", "Levels"})
            manager.LoadList(std::string("/Resources/") + list + ".res");
    }

    void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
    void Pump() { cCore::Get().Update(); }
    void MoveTo(int x, int y)
    {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        Push(e);
        Pump();
    }
    void Button(bool down, int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.x = x;
        e.button.y = y;
        e.button.button = button;
        Push(e);
        Pump();
    }
    void Click(int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        MoveTo(x, y);
        Button(true, x, y, button);
        Button(false, x, y, button);
    }
    void KeyEvent(bool down, SDL_Keycode sym)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
        Push(e);
        Pump();
    }
    void Key(SDL_Keycode sym)
    {
        KeyEvent(true, sym);
        KeyEvent(false, sym);
    }
    // One frame of the main loop: update, and draw when there is a device.
    void Frame(float dt = 1.0f / 60.0f)
    {
        Pump();
        gui->Update(dt);
        if (device)
        {
            device->Clear(cColor(0, 0, 0));
            gui->Draw();
        }
    }
    void Frames(float seconds)
    {
        for (float t = 0.0f; t < seconds; t += 1.0f / 60.0f)
            Frame();
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

    bool m_withDisplay;
    cTempFolder folder{"editor"};
    cTestEditorHost host{folder.Path().string()};
    cSoundLog sounds;
    std::unique_ptr<cFileSystemPOSIX> programFolder;
    std::unique_ptr<cDisplaySDL> display;
    std::unique_ptr<cRenderDeviceGL> device;
    std::unique_ptr<cInputDeviceSDL> input;
    std::unique_ptr<cGUI> gui;
    std::unique_ptr<cEditor> editor;
};

class EditorScreenTest : public EditorHarness
{
protected:
    EditorScreenTest() : EditorHarness(false) {}
};

} // namespace EditorTest
