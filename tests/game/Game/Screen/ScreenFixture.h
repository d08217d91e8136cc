#pragma once

// The game screen on a GUI fed by the real SDL input device, with a test
// host that keeps its own options and progress file.

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
#include "game/Game/GameResourceHandler.h"
#include "game/Game/Screen/Game.h"
#include "game/Options.h"
#include "game/Progress.h"

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
    std::string ProgressPath() const { return m_folder.File("CompletedLevels.dat"); }

    cOptions options;
    cProgress progress;
    bool allCompleted = false;
    std::vector<std::string> requests;

private:
    cTempFolder& m_folder;
};

// Records the effects the screen plays.
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
class ScreenHarness : public ::testing::Test
{
protected:
    explicit ScreenHarness(bool withDisplay) : m_withDisplay(withDisplay) {}

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
    void Button(bool down, int x, int y, Uint8 button)
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
    void KeyDown(SDL_Keycode sym, SDL_Scancode scancode)
    {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scancode;
        Push(e);
        Pump();
    }
    void KeyUp(SDL_Keycode sym, SDL_Scancode scancode)
    {
        SDL_Event e{};
        e.type = SDL_KEYUP;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scancode;
        Push(e);
        Pump();
    }
    void Key(SDL_Keycode sym, SDL_Scancode scancode)
    {
        KeyDown(sym, scancode);
        KeyUp(sym, scancode);
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

    bool m_withDisplay;
    cTempFolder folder{"screen"};
    cTestHost host{folder};
    cSoundLog sounds;
    std::unique_ptr<cFileSystemPOSIX> programFolder;
    std::unique_ptr<cDisplaySDL> display;
    std::unique_ptr<cRenderDeviceGL> device;
    std::unique_ptr<cInputDeviceSDL> input;
    std::unique_ptr<cGUI> gui;
    std::unique_ptr<cGame> game;
};

} // namespace ScreenTest
