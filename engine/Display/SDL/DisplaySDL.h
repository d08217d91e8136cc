#pragma once

#include "engine/Core/SDL/PlatformMessageHandler.h"
#include "engine/Display/Display.h"

struct SDL_Window;

namespace Korva
{

// The display on Linux: one SDL window with an OpenGL surface. SDL's window
// events arrive through the core's message pump and become display events.
// Full screen takes the desktop's own mode (no mode change, which is slow
// and refused by some desktops); the render device fits its frame into
// whatever the window gives it. A resizable window starts at the largest
// whole multiple of the frame that fits the desktop's usable area, unless a
// windowed size that still fits was asked for; a fixed one at the frame's
// size.
class cDisplaySDL : public cDisplay, public cPlatformMessageHandler
{
public:
    cDisplaySDL();
    ~cDisplaySDL() override;

    // Raises "Couldn't create window." when SDL has no video or no window.
    void Create(const cDisplayMode& mode, bool resizable) override;
    void Reset(const cDisplayMode& mode, bool resizable) override;
    void* GetWindowHandle() const override { return m_window; }
    SDL_Window* GetWindow() const { return m_window; }
    void ShowSystemCursor(bool show) override;
    void SetTitle(const std::string& title) override;
    cPoint GetWindowSize() const override;

    // The desktop's usable area (without panels and docks) of the window's
    // screen, or the first screen before the window exists; empty when SDL
    // cannot tell.
    cPoint GetUsableArea() const;

    void OnPlatformMessage(const SDL_Event& message) override;

private:
    void ApplyWindowState();
    void ChooseWindowedSize(bool resizable);
    void HandleWindowEvent(const SDL_Event& message);

    SDL_Window* m_window = nullptr;
    uint32_t m_windowId = 0;
    bool m_videoStarted = false;
    bool m_registered = false;
    // Full screen done by hand (no window manager), and where the window
    // was before it.
    bool m_placedByHand = false;
    cPoint m_windowedPosition;
};

} // namespace Korva
