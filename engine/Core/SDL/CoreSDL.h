#pragma once

#include "engine/Core/Core.h"

#include <vector>

namespace Korva
{

class cPlatformMessageHandler;

// The core on Linux. SDL is initialised lazily: the core itself only borrows
// the video subsystem for a moment to learn the desktop size; the display
// layer initialises video (and with it SDL's event queue) when it opens a
// window. Until then there are no platform messages and pumping does nothing.
class cCoreSDL : public cCore
{
public:
    cCoreSDL();
    ~cCoreSDL() override;

    // The core as its Linux variant, for the layers that talk to SDL.
    static cCoreSDL& Get();

    // Handlers are not owned; main thread only. A handler removed while
    // messages are being pumped receives nothing more.
    void AddPlatformMessageHandler(cPlatformMessageHandler* handler);
    void RemovePlatformMessageHandler(cPlatformMessageHandler* handler);

    void OpenURL(const std::string& url) override;

protected:
    void PumpMessages() override;
    void ShowPlatformMessage(const std::string& title, const std::string& text) override;

private:
    void QueryDesktopSize();

    std::vector<cPlatformMessageHandler*> m_handlers;
};

} // namespace Korva
