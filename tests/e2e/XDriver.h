#pragma once

#include "engine/Display/PixelBuffer.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

// Drives the real game executable as a person would: starts it with a
// per-user folder of the caller's choosing, finds its X window, and moves the
// pointer, clicks and types through the XTEST extension. Every position is in
// the game's logical 800 x 600 screen; the driver maps it to window pixels
// from the window's actual size (uniform scale, centred), so it keeps working
// when the window is larger or full screen. The child process is killed when
// the driver goes away, so a failed test never leaves a game running.
class cXDriver
{
public:
    static constexpr int kLogicalWidth = 800;
    static constexpr int kLogicalHeight = 600;

    struct sColor
    {
        int r = 0;
        int g = 0;
        int b = 0;
    };

    cXDriver();
    ~cXDriver();
    cXDriver(const cXDriver&) = delete;
    cXDriver& operator=(const cXDriver&) = delete;

    // False (with the reason in `error`) when there is no X display or XTEST.
    bool Connect(std::string& error);

    // Starts `executable` with XDG_DATA_HOME = dataHome and SDL's dummy audio
    // (plus `environment`, name/value pairs); its standard output and error
    // go to `outputFile`. Then waits for its window to be mapped and gives it
    // the keyboard focus. False with the reason in `error`.
    bool Start(const std::string& executable, const std::string& dataHome,
               const std::string& outputFile, std::string& error,
               const std::vector<std::pair<std::string, std::string>>& environment = {},
               const std::vector<std::string>& arguments = {}, double windowTimeout = 60.0);
    bool IsRunning();
    pid_t GetPid() const { return m_pid; }
    // Waits for the process to end by itself; its exit status (or -1 when it
    // was killed by a signal or is still running) in `status`.
    bool WaitForExit(double timeout, int& status);
    // SIGTERM, then SIGKILL if it lingers; always reaps the child.
    void Stop();

    // Game's log file and the per-user folder it lives in.
    std::string UserFolder() const;
    std::string LogPath() const { return UserFolder() + "/Zeltra.log"; }
    std::string ReadLog() const;
    // Waits until the log holds `text` at or after byte `from`.
    bool WaitForLog(const std::string& text, double timeout, size_t from = 0);

    // Pointer and keyboard, logical coordinates.
    void MoveTo(int x, int y);
    void Press(int button = 1);
    void Release(int button = 1);
    // `hold` seconds between press and release: the game's editor paints in
    // its frame update while the button is down, so a stroke must last a frame.
    void Click(int x, int y, int button = 1, double hold = 0.06);
    void DoubleClick(int x, int y);
    // Mouse wheel: positive notches turn away from the user (button 4).
    void Wheel(int notches);
    // `key` is an X key symbol name ("Escape", "Return", "space", "p", "F1").
    void KeyDown(const std::string& key);
    void KeyUp(const std::string& key);
    void Key(const std::string& key);
    // Types each character of `text` as its key (letters, digits, '.', '_', '-', ' ').
    void Type(const std::string& text);

    // The window's pixels, resampled to the logical 800 x 600 screen (nearest
    // window pixel to each logical pixel's centre). Empty when the window is
    // gone.
    Korva::cPixelBuffer Grab();
    sColor PixelAt(const Korva::cPixelBuffer& frame, int x, int y) const;
    // Waits until `test` holds for a grabbed frame; the last frame in `last`.
    bool WaitForFrame(const std::function<bool(const Korva::cPixelBuffer&)>& test, double timeout,
                      Korva::cPixelBuffer* last = nullptr);
    // Waits until two grabs `interval` seconds apart are identical within
    // `tolerance` per channel in the region (logical), e.g. a screen at rest.
    bool WaitForStill(double timeout, double interval = 0.3, int tolerance = 8);
    // Writes a grab (logical size) as PNG; for failure reports and pictures.
    bool SaveGrab(const std::string& path);

    // The window's size in pixels and the logical screen's place in it.
    void WindowGeometry(int& width, int& height, double& scale, double& left, double& top);

    // Sleeps while answering the game's window-manager requests.
    void Sleep(double seconds);

private:
    // No window manager runs under Xvfb, yet the game asks one for full
    // screen (the _NET_WM_STATE request every desktop honours). The driver
    // answers it as a window manager would, so the window gets the screen's
    // size and the game's idea of its window matches the real one.
    void PumpEvents();
    void SetFullScreen(unsigned long window, bool on);
    bool HasFullScreenState(unsigned long window);
    unsigned long FindWindow();
    void Focus();
    void Sync();
    void ToWindow(int x, int y, int& wx, int& wy);

    void* m_display = nullptr; // Display*
    unsigned long m_window = 0;
    pid_t m_pid = -1;
    std::string m_dataHome;
};
