#pragma once

union SDL_Event;

namespace Korva
{

// Receives every SDL event that the core's message pump takes from the queue
// (window, mouse and keyboard events for the display and input layers).
// Called on the main thread inside cCore::Update, in registration order.
class cPlatformMessageHandler
{
public:
    virtual ~cPlatformMessageHandler() = default;
    virtual void OnPlatformMessage(const SDL_Event& message) = 0;
};

} // namespace Korva
