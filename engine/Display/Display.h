#pragma once

#include "engine/Core/Event.h"
#include "engine/Display/DisplayMode.h"
#include "engine/Display/Letterbox.h"
#include "engine/Display/Point.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace Korva
{

class cPlatformMessageHandler;
class cRenderDevice;

// Display events, by event type.
enum : int32_t
{
    kDisplayEventClose = 1,     // the user asked to close the window
    kDisplayEventFocusLost = 2, //
    kDisplayEventFocusGained = 3,
    kDisplayEventSize = 4,      // cEventParams: new client width, height (window pixels)
    kDisplayEventSizing = 5,    // cEventParams: width, height while dragging the frame
    kDisplayEventPaint = 6,     // the window needs repainting
    kDisplayEventDestroyed = 7, // the display is going away
};

class cDisplayListener
{
public:
    virtual ~cDisplayListener() = default;
    virtual void OnDisplayEvent(const cEvent& event) { (void)event; }
};

// The program's window: its wanted size, bit depth and window/full-screen
// state, and the events it raises. Platform variants open the window.
//
// The mode's width and height are the frame the game draws (800 x 600);
// the window's client area may have any size, and the frame is shown in it
// letterboxed (see cLetterbox). Mouse positions are mapped back to frame
// pixels with WindowToFrame, so nothing above the display sees the window's
// real size.
class cDisplay
{
public:
    cDisplay();
    virtual ~cDisplay();
    cDisplay(const cDisplay&) = delete;
    cDisplay& operator=(const cDisplay&) = delete;

    const cDisplayMode& GetMode() const { return m_mode; }
    cPoint GetFrameSize() const { return cPoint(m_mode.width, m_mode.height); }
    virtual void Create(const cDisplayMode& mode, bool resizable) = 0;
    // Switches to another size, bit depth or window/full-screen state at run
    // time; ends by sending the size event, which resets the render device.
    virtual void Reset(const cDisplayMode& mode, bool resizable) = 0;
    // The platform's window (an SDL_Window* on Linux).
    virtual void* GetWindowHandle() const = 0;

    // Raises "A render device has already been attached." for a second one.
    void AttachRenderDevice(cRenderDevice* device);
    void DetachRenderDevice(cRenderDevice* device);
    cRenderDevice* GetRenderDevice() const { return m_device; }

    void AddListener(cDisplayListener* listener);
    void RemoveListener(cDisplayListener* listener);
    // Input devices see each of the window's platform messages before the
    // display handles it.
    void AddInputDevice(cPlatformMessageHandler* device);
    void RemoveInputDevice(cPlatformMessageHandler* device);

    // The system cursor over the client area; hidden by default because the
    // GUI draws its own.
    virtual void ShowSystemCursor(bool show) { m_systemCursorVisible = show; }
    bool IsSystemCursorVisible() const { return m_systemCursorVisible; }
    bool IsActive() const { return m_active; }
    const std::string& GetTitle() const { return m_title; }

    // The client area's size now, in window coordinates (the frame's size
    // until a window exists).
    virtual cPoint GetWindowSize() const;
    // Where the frame is shown in the client area now.
    cLetterbox GetLetterbox() const { return cLetterbox(GetFrameSize(), GetWindowSize()); }
    // The frame pixel under a position in the client area, clamped to the
    // frame (positions on the black bars give the nearest edge pixel).
    cPoint WindowToFrame(cPoint windowPosition) const
    {
        return GetLetterbox().ToFrame(windowPosition);
    }
    // The client size in window mode: asked for before `Create` (a size
    // that does not fit the desktop is not taken), then whatever the player
    // resizes the window to; full screen keeps it for the way back.
    void SetWindowedSize(cPoint size) { m_windowedSize = size; }
    cPoint GetWindowedSize() const { return m_windowedSize; }
    // The size a resizable window starts with when none was asked for.
    cPoint GetDefaultWindowedSize() const { return m_defaultWindowedSize; }
    virtual void SetTitle(const std::string& title) { m_title = title; }

protected:
    // Hands the event to every listener now, in order.
    void SendEvent(const cEvent& event);
    std::vector<cPlatformMessageHandler*> GetInputDevices() const;
    // Size events are suppressed while the window is made or reset and in
    // full screen.
    bool SizeEventsAllowed() const { return !m_creating && !m_resetting && !m_mode.fullScreen; }
    void WriteModeToLog(const cDisplayMode& mode) const;

    cDisplayMode m_mode;
    std::string m_title = "Zeltra";
    bool m_systemCursorVisible = false;
    bool m_active = false;
    bool m_creating = false;
    bool m_resetting = false;
    bool m_sizing = false;
    cPoint m_pendingSize;
    cPoint m_windowSize;
    cPoint m_windowedSize;
    cPoint m_defaultWindowedSize;

private:
    cRenderDevice* m_device = nullptr;
    mutable std::recursive_mutex m_lock;
    std::vector<cDisplayListener*> m_listeners;
    std::vector<cPlatformMessageHandler*> m_inputDevices;
};

} // namespace Korva
