#include "game/MainLoop.h"

#include "engine/Core/Log.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
// Records what the loop asks of the world; `onCoreUpdate` lets a test act
// between passes the way events would.
class cRecordingHost : public cMainLoopHost
{
public:
    float dt = 1.0f / 64.0f;
    std::vector<std::string> calls;
    int draws = 0;
    int shutterDraws = 0;
    int passes = 0;
    std::function<void(int pass)> onCoreUpdate;

    float GetFrameTime() override { return dt; }
    void ActivateScreen(eScreen screen) override { calls.push_back("activate " + Name(screen)); }
    void DeactivateScreen(eScreen screen) override
    {
        calls.push_back("deactivate " + Name(screen));
    }
    void DrawFrame(const cScreenTransition* shutter) override
    {
        ++draws;
        if (shutter)
            ++shutterDraws;
    }
    void SetGuiUpdates(bool enabled) override { calls.push_back(enabled ? "gui on" : "gui off"); }
    void PauseSound() override { calls.push_back("pause"); }
    void ResumeSound() override { calls.push_back("resume"); }
    void RunLoader() override { calls.push_back("loader"); }
    void Sleep(int ms) override { calls.push_back("sleep " + std::to_string(ms)); }
    void CoreUpdate() override
    {
        ++passes;
        ASSERT_LT(passes, 10000) << "the loop does not end";
        if (onCoreUpdate)
            onCoreUpdate(passes);
    }

    static std::string Name(eScreen screen)
    {
        switch (screen)
        {
        case eScreen::Menu:
            return "menu";
        case eScreen::LevelSelector:
            return "selector";
        case eScreen::Game:
            return "game";
        case eScreen::Editor:
            return "editor";
        default:
            return "none";
        }
    }
};

// A loop past its start-up, showing the menu with the shutter open.
cMainLoop StartedLoop(cRecordingHost& host)
{
    cMainLoop loop;
    loop.SetLoaderPending(false);
    loop.SetLoading(false);
    loop.ShowFirstScreen(eScreen::Menu, host);
    host.calls.clear();
    return loop;
}

bool LogHas(size_t from, const std::string& text)
{
    const auto history = Korva::cLog::Get().GetHistory();
    for (size_t i = from; i < history.size(); ++i)
        if (history[i].find(text) != std::string::npos)
            return true;
    return false;
}
} // namespace

TEST(MainLoop, SecondRequestWhileClosingOnlyChangesTheTarget)
{
    cRecordingHost host;
    cMainLoop loop = StartedLoop(host);
    loop.Request(eScreen::LevelSelector);
    EXPECT_TRUE(loop.IsSwitchPending());
    EXPECT_TRUE(loop.GetShutter().IsClosing());
    for (int i = 0; i < 10; ++i)
        loop.FrameUpdate(host);
    const float halfHeight = loop.GetShutter().GetHalfHeight(0);

    loop.Request(eScreen::Game);
    // The shutter keeps closing where it was instead of starting over.
    EXPECT_FLOAT_EQ(loop.GetShutter().GetHalfHeight(0), halfHeight);
    EXPECT_EQ(loop.GetRequestedScreen(), eScreen::Game);
    // The old screen stays until the shutter is fully closed.
    EXPECT_TRUE(host.calls.empty());

    while (loop.IsSwitchPending())
        loop.FrameUpdate(host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"deactivate menu", "activate game"}));
    EXPECT_EQ(loop.GetActiveScreen(), eScreen::Game);
    EXPECT_EQ(loop.GetRequestedScreen(), eScreen::None);
    EXPECT_TRUE(loop.IsOpening());
    EXPECT_TRUE(loop.GetShutter().IsOpening());

    while (loop.IsOpening())
        loop.FrameUpdate(host);
    EXPECT_FALSE(loop.IsShutterVisible());
    EXPECT_FALSE(loop.IsQuitNow());
}

TEST(MainLoop, QuitClosesTheShutterEndsTheLoopAndReportsTheFrameRate)
{
    cRecordingHost host;
    cMainLoop loop = StartedLoop(host);
    const size_t logStart = Korva::cLog::Get().GetHistory().size();
    host.onCoreUpdate = [&](int pass)
    {
        if (pass == 5)
            loop.RequestQuit();
    };
    loop.Run(host);

    EXPECT_TRUE(loop.IsQuitNow());
    EXPECT_EQ(loop.GetActiveScreen(), eScreen::None);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"deactivate menu"}));
    // Closing takes 0.55 s at 1/64 s per frame: 36 frames after the request.
    EXPECT_EQ(host.draws, host.passes);
    EXPECT_GE(host.passes, 5 + 35);
    EXPECT_LE(host.passes, 5 + 37);
    EXPECT_EQ(loop.GetFrameCount(), host.draws);
    EXPECT_TRUE(LogHas(logStart, "--- Entering main loop ---\n"));
    EXPECT_TRUE(LogHas(logStart, "--- Exiting main loop ---\n"));
    EXPECT_TRUE(LogHas(logStart, "Average FPS: 64\n"));
}

TEST(MainLoop, QuitThenScreenRequestShowsTheScreenAndKeepsRunning)
{
    cRecordingHost host;
    cMainLoop loop = StartedLoop(host);
    loop.RequestQuit();
    loop.Request(eScreen::Editor);
    while (loop.IsSwitchPending())
        loop.FrameUpdate(host);
    EXPECT_EQ(loop.GetActiveScreen(), eScreen::Editor);
    EXPECT_FALSE(loop.IsQuitNow());
}

TEST(MainLoop, FocusLossStopsDrawingUpdatesAndSound)
{
    cRecordingHost host;
    cMainLoop loop = StartedLoop(host);
    int drawsWhileInactive = -1;
    host.onCoreUpdate = [&](int pass)
    {
        if (pass == 2)
            loop.OnFocusLost(host);
        if (pass == 5)
        {
            drawsWhileInactive = host.draws;
            loop.OnFocusGained(host);
        }
        if (pass == 6)
            loop.RequestQuit();
    };
    loop.Run(host);

    // Passes 3, 4 and 5 ran without focus: nothing drawn, 100 ms sleeps.
    EXPECT_EQ(drawsWhileInactive, 2);
    EXPECT_EQ(host.draws, host.passes - 3);
    const std::vector<std::string> expected = {"gui off",   "pause",          "sleep 100",
                                               "sleep 100", "sleep 100",      "gui on",
                                               "resume",    "deactivate menu"};
    EXPECT_EQ(host.calls, expected);
}

TEST(MainLoop, QuitWithoutFocusStillEndsTheLoop)
{
    cRecordingHost host;
    cMainLoop loop = StartedLoop(host);
    host.onCoreUpdate = [&](int pass)
    {
        if (pass == 2)
            loop.OnFocusLost(host);
        if (pass == 4)
            loop.RequestQuit();
    };
    loop.Run(host);
    EXPECT_TRUE(loop.IsQuitNow());
    EXPECT_EQ(host.passes, 4);
    EXPECT_EQ(host.draws, 2);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"gui off", "pause", "sleep 100", "sleep 100",
                                                    "deactivate menu"}));
}

namespace
{
// Loses and regains the focus while the loader runs.
class cLoaderHost : public cRecordingHost
{
public:
    cMainLoop* loop = nullptr;
    void RunLoader() override
    {
        cRecordingHost::RunLoader();
        EXPECT_TRUE(loop->IsLoading());
        loop->OnFocusLost(*this);
        loop->OnFocusGained(*this);
    }
};
} // namespace

TEST(MainLoop, FocusChangesWhileLoadingLeaveGuiUpdatesAlone)
{
    cLoaderHost host;
    cMainLoop loop;
    host.loop = &loop;
    // Before the main loop only the flag changes.
    loop.OnFocusLost(host);
    EXPECT_FALSE(loop.IsActive());
    EXPECT_TRUE(host.calls.empty());
    loop.OnFocusGained(host);

    loop.SetLoaderPending(false);
    loop.SetLoading(false);
    loop.ShowFirstScreen(eScreen::Menu, host);
    host.calls.clear();
    // The render device came back: the next pass reloads, sound pauses
    // without the GUI being touched, and the shutter opens again.
    loop.OnDeviceRestored();
    host.onCoreUpdate = [&](int pass)
    {
        if (pass == 1)
        {
            EXPECT_FALSE(loop.IsLoading());
            EXPECT_FALSE(loop.IsLoaderPending());
            EXPECT_TRUE(loop.IsOpening());
            loop.RequestQuit();
        }
    };
    loop.Run(host);
    const std::vector<std::string> expected = {"loader", "pause", "resume", "deactivate menu"};
    EXPECT_EQ(host.calls, expected);
}

TEST(MainLoop, AScreenAskedForBeforeADeviceResetStillComes)
{
    // Alt+Enter resets the display while the shutter closes for a switch:
    // the loader runs, and the screen asked for is shown all the same.
    cRecordingHost host;
    cMainLoop loop = StartedLoop(host);
    host.onCoreUpdate = [&](int pass)
    {
        if (pass == 3)
            loop.Request(eScreen::Editor);
        if (pass == 6)
            loop.OnDeviceRestored();
        if (pass == 200)
            loop.RequestQuit();
    };
    loop.Run(host);
    const std::vector<std::string> expected = {"loader", "deactivate menu", "activate editor",
                                               "deactivate editor"};
    EXPECT_EQ(host.calls, expected);

    // A quit asked for before the reset still ends the game.
    cRecordingHost quitting;
    cMainLoop loop2 = StartedLoop(quitting);
    quitting.onCoreUpdate = [&](int pass)
    {
        if (pass == 3)
            loop2.RequestQuit();
        if (pass == 6)
            loop2.OnDeviceRestored();
    };
    loop2.Run(quitting);
    EXPECT_TRUE(loop2.IsQuitNow());
    EXPECT_LT(quitting.passes, 100);
}

TEST(MainLoop, RepaintDrawsOnlyInsideTheLoop)
{
    cRecordingHost host;
    cMainLoop loop = StartedLoop(host);
    loop.OnRepaint(host);
    EXPECT_EQ(host.draws, 0);

    host.onCoreUpdate = [&](int pass)
    {
        if (pass == 1)
        {
            const int before = host.draws;
            loop.OnRepaint(host);
            EXPECT_EQ(host.draws, before + 1);
            loop.RequestQuit();
        }
    };
    loop.Run(host);
    const int after = host.draws;
    loop.OnRepaint(host);
    EXPECT_EQ(host.draws, after) << "no repaint once quitting is complete";
}
