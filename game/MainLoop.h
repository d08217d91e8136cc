#pragma once

#include "game/ScreenTransition.h"

#include <cstdint>

// The four screens of the game, in the order in which a pending request is
// served.
enum class eScreen
{
    None,
    Menu,
    LevelSelector,
    Game,
    Editor,
};

// What the main loop asks of the world around it: the GUI, the screens, the
// sound and the core. The application implements it with the real
// subsystems; a subsystem that does not exist simply makes its part a no-op.
class cMainLoopHost
{
public:
    virtual ~cMainLoopHost() = default;

    // The GUI's time step of the current tick, in seconds.
    virtual float GetFrameTime() { return 0.0f; }
    // Start of a frame: the sound player's once-per-frame flags are cleared.
    virtual void BeginFrame() {}
    // Makes the screen the GUI root at (0, 0) and activates it.
    virtual void ActivateScreen(eScreen screen) { (void)screen; }
    // Deactivates the screen and clears the GUI root.
    virtual void DeactivateScreen(eScreen screen) { (void)screen; }
    // Draws the GUI, the shutter when asked, and presents the frame.
    virtual void DrawFrame(const cScreenTransition* shutter) { (void)shutter; }
    virtual void SetGuiUpdates(bool enabled) { (void)enabled; }
    virtual void PauseSound() {}
    virtual void ResumeSound() {}
    // Reloads the level-0 resources after the render device came back.
    virtual void RunLoader() {}
    virtual void CoreUpdate() {}
    virtual void Sleep(int milliseconds) { (void)milliseconds; }
};

// The main loop and the state it runs on: which screen is shown, which one
// is wanted next, the shutter between them, the window's focus and quitting.
// It holds no subsystem itself, so it runs in tests without a window.
class cMainLoop
{
public:
    // Asks for the next screen. A request while a switch is already under way
    // only changes its target; otherwise the shutter starts closing.
    void Request(eScreen screen);
    // Asks to end the game once the shutter has closed.
    void RequestQuit();

    // Shows the first screen behind an opening shutter.
    void ShowFirstScreen(eScreen screen, cMainLoopHost& host);

    // Runs passes until quitting is complete; logs the frame rate.
    void Run(cMainLoopHost& host);
    // One frame's state update: advances the shutter and swaps the screens
    // once it is fully closed.
    void FrameUpdate(cMainLoopHost& host);

    void OnFocusLost(cMainLoopHost& host);
    void OnFocusGained(cMainLoopHost& host);
    // The window needs repainting outside the regular frame.
    void OnRepaint(cMainLoopHost& host);
    // The render device was restored: the next pass reloads resources. A
    // screen (or quit) asked for before still comes once they are loaded.
    void OnDeviceRestored() { m_loaderPending = true; }

    // Start-up is over; from now on the loader only runs after a device loss.
    void SetLoading(bool loading) { m_loading = loading; }
    void SetLoaderPending(bool pending) { m_loaderPending = pending; }

    bool IsActive() const { return m_active; }
    bool IsInMainLoop() const { return m_inMainLoop; }
    bool IsQuitRequested() const { return m_quitRequested; }
    bool IsQuitNow() const { return m_quitNow; }
    bool IsLoaderPending() const { return m_loaderPending; }
    bool IsLoading() const { return m_loading; }
    bool IsSwitchPending() const { return m_switchPending; }
    bool IsOpening() const { return m_opening; }
    eScreen GetActiveScreen() const { return m_activeScreen; }
    eScreen GetRequestedScreen() const { return m_requested; }
    cScreenTransition& GetShutter() { return m_shutter; }
    const cScreenTransition& GetShutter() const { return m_shutter; }
    // The shutter is drawn while it closes for a switch or opens after one.
    bool IsShutterVisible() const { return m_switchPending || m_opening; }

    int64_t GetFrameCount() const { return m_frameCount; }
    double GetFrameTimeSum() const { return m_frameTimeSum; }

private:
    void StartSwitch();
    void FinishLoader();

    bool m_active = true;
    bool m_inMainLoop = false;
    bool m_quitRequested = false;
    bool m_quitNow = false;
    bool m_loaderPending = true;
    bool m_loading = true;
    eScreen m_activeScreen = eScreen::None;
    eScreen m_requested = eScreen::None;
    bool m_switchPending = false;
    bool m_opening = false;
    cScreenTransition m_shutter;
    int64_t m_frameCount = 0;
    double m_frameTimeSum = 0.0;
};
