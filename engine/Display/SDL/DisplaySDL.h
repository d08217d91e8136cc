#pragma once

#include "engine/Core/SDL/PlatformMessageHandler.h"
#include "engine/Display/Display.h"

struct SDL_Window;

namespace Korva
{

// The display on Linux: one SDL window with an OpenGL surface. SDL's window
// events arrive through the core's message pump and become display events.
// Full screen asks for a real mode change to the wanted size and falls back
// to the desktop's own mode where the system refuses; the render device
// scales its frame to whatever the window gives it.
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

    void OnPlatformMessage(const SDL_Event& message) override;

private:
    void ApplyWindowState();
    void HandleWindowEvent(const SDL_Event& message);

    SDL_Window* m_window = nullptr;
    uint32_t m_windowId = 0;
    bool m_videoStarted = false;
    bool m_registered = false;
};

} // namespace Korva
