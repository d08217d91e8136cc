#pragma once

// What the screen test fixtures share: a GUI fed by the real SDL input
// device, optionally with a window, an OpenGL device and the game's
// generated data, and synthetic SDL events to drive it.

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
#include "game/Game/PuzzleTypes.h"

#include "tests/SdlEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace ScreenWorld
{
using namespace Korva;

// Records the effects a screen plays.
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

class cScreenWorld
{
public:
    // `withDisplay`: a real window and OpenGL device and the game's data;
    // false when there is no X display to open them on.
    bool CreateWorld(bool withDisplay)
    {
        m_withDisplay = withDisplay;
        if (withDisplay)
        {
            if (!std::getenv("DISPLAY"))
                return false;
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
            EXPECT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
            input = std::make_unique<cInputDeviceSDL>();
        }
        gui = std::make_unique<cGUI>(display.get(), device.get(), input.get());
        gui->SetUpdateEnabled(false); // the tests advance time themselves
        if (!withDisplay)
            gui->GetRoot().SetSize(cPoint(800, 600));
        return true;
    }

    // After the screen itself is gone.
    void DestroyWorld()
    {
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
    // The wheel turned `y` notches away from the player (`x` to the right)
    // with the pointer at (px, py).
    void Wheel(int px, int py, float y, float x = 0.0f)
    {
        Push(WheelEvent(px, py, y, x));
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
    // Without a scan code, the one SDL gives the key.
    void KeyEvent(bool down, SDL_Keycode sym, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode =
            scancode == SDL_SCANCODE_UNKNOWN ? SDL_GetScancodeFromKey(sym) : scancode;
        Push(e);
        Pump();
    }
    void KeyDown(SDL_Keycode sym, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN)
    {
        KeyEvent(true, sym, scancode);
    }
    void KeyUp(SDL_Keycode sym, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN)
    {
        KeyEvent(false, sym, scancode);
    }
    void Key(SDL_Keycode sym, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN)
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

    bool m_withDisplay = false;
    cSoundLog sounds;
    std::unique_ptr<cFileSystemPOSIX> programFolder;
    std::unique_ptr<cDisplaySDL> display;
    std::unique_ptr<cRenderDeviceGL> device;
    std::unique_ptr<cInputDeviceSDL> input;
    std::unique_ptr<cGUI> gui;
};

} // namespace ScreenWorld
