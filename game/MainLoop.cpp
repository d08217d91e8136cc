#include "game/MainLoop.h"

#include "engine/Core/Log.h"

#include <string>

void cMainLoop::Request(eScreen screen)
{
    m_requested = screen;
    StartSwitch();
}

void cMainLoop::RequestQuit()
{
    m_requested = eScreen::None;
    m_quitRequested = true;
    StartSwitch();
}

void cMainLoop::StartSwitch()
{
    if (m_switchPending)
        return;
    m_switchPending = true;
    m_opening = false;
    m_shutter.StartClosing();
}

void cMainLoop::ShowFirstScreen(eScreen screen, cMainLoopHost& host)
{
    host.ActivateScreen(screen);
    m_activeScreen = screen;
    m_opening = true;
    m_shutter.StartOpening();
}

void cMainLoop::FrameUpdate(cMainLoopHost& host)
{
    const float dt = host.GetFrameTime();
    host.BeginFrame();
    m_shutter.Update(dt);

    if (m_switchPending && m_shutter.IsDone())
    {
        // The old screen stayed visible under the closing shutter; only now,
        // fully covered, is it swapped.
        if (m_activeScreen != eScreen::None)
            host.DeactivateScreen(m_activeScreen);
        m_activeScreen = eScreen::None;
        if (m_requested != eScreen::None)
        {
            host.ActivateScreen(m_requested);
            m_activeScreen = m_requested;
        }
        else if (m_quitRequested)
        {
            m_quitNow = true;
        }
        m_requested = eScreen::None;
        m_switchPending = false;
        m_opening = true;
        m_shutter.StartOpening();
    }
    else if (m_opening && m_shutter.IsDone())
    {
        m_opening = false;
    }
}

void cMainLoop::FinishLoader()
{
    m_loaderPending = false;
    m_loading = false;
    if (m_switchPending)
    {
        // The reset came while the shutter closed for a switch (Alt+Enter on
        // a confirm popup) or a quit: it still happens, behind a shutter as
        // closed as the loader's screen was.
        m_shutter.ShowClosed();
        return;
    }
    m_opening = true;
    m_shutter.StartOpening();
}

void cMainLoop::Run(cMainLoopHost& host)
{
    m_inMainLoop = true;
    Korva::cLog::Get().WriteDefault("--- Entering main loop ---\n");
    while (!m_quitNow)
    {
        if (m_loaderPending)
        {
            m_loading = true;
            host.RunLoader();
            FinishLoader();
        }
        if (!m_loaderPending && m_active)
        {
            FrameUpdate(host);
            host.DrawFrame(IsShutterVisible() ? &m_shutter : nullptr);
            ++m_frameCount;
            m_frameTimeSum += host.GetFrameTime();
        }
        host.CoreUpdate();
        if (!m_active)
        {
            // Without the focus no frame runs and the shutter never closes;
            // a quit asked for meanwhile (a signal, the window's close
            // button) must still end the game.
            if (m_quitRequested && m_requested == eScreen::None)
            {
                if (m_activeScreen != eScreen::None)
                    host.DeactivateScreen(m_activeScreen);
                m_activeScreen = eScreen::None;
                m_quitNow = true;
            }
            else
                host.Sleep(100);
        }
    }
    Korva::cLog::Get().WriteDefault("--- Exiting main loop ---\n");
    // Frames with a zero time step add nothing to the sum; without any
    // measured time there is no rate to report.
    if (m_frameCount > 0 && m_frameTimeSum > 0.0)
    {
        const auto fps = static_cast<int64_t>(static_cast<double>(m_frameCount) / m_frameTimeSum);
        Korva::cLog::Get().WriteDefault("Average FPS: " + std::to_string(fps) + "\n");
    }
}

void cMainLoop::OnFocusLost(cMainLoopHost& host)
{
    Korva::cLog::Get().WriteDefault("Display lost focus.\n");
    m_active = false;
    if (m_inMainLoop && !m_quitNow)
    {
        if (!m_loading)
            host.SetGuiUpdates(false);
        host.PauseSound();
    }
}

void cMainLoop::OnFocusGained(cMainLoopHost& host)
{
    Korva::cLog::Get().WriteDefault("Display gained focus.\n");
    m_active = true;
    if (m_inMainLoop && !m_quitNow)
    {
        if (!m_loading)
            host.SetGuiUpdates(true);
        host.ResumeSound();
    }
}

void cMainLoop::OnRepaint(cMainLoopHost& host)
{
    if (m_inMainLoop && !m_quitNow)
        host.DrawFrame(IsShutterVisible() ? &m_shutter : nullptr);
}
