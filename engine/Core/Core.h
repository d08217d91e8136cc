#pragma once

#include "engine/Core/Clock.h"
#include "engine/Core/Event.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Korva
{

// The bottom of the engine: command line, clock, the event queue with its
// listeners, the platform's message pump, message boxes and opening web
// addresses. One instance, created by Get on first use and ended by Destroy
// at the end of the process.
class cCore
{
public:
    // Receives what ShowMessage would show; see SetMessageSink.
    using tMessageSink = std::function<void(const std::string& title, const std::string& text)>;

    static cCore& Get();
    // Posts and delivers the shutdown event, frees the core and closes the
    // log. Get afterwards creates a new core.
    static void Destroy();
    static bool Exists();

    virtual ~cCore();
    cCore(const cCore&) = delete;
    cCore& operator=(const cCore&) = delete;

    // Listeners are not owned and are called in the order they were added.
    // Any thread may add or remove one; a listener removed while events are
    // being delivered receives nothing more, so an object can unregister in
    // its destructor even if it dies during delivery.
    void AddListener(cEventListener* listener);
    void RemoveListener(cEventListener* listener);

    // Queues a copy of the event; callable from any thread. Delivered on the
    // main thread by the next Update.
    void PostEvent(const cEvent& event);

    // Once per main-loop pass: handles the platform's pending messages,
    // sleeps 1 ms, posts a tick and delivers every queued event to every
    // listener. Events posted during the delivery wait for the next Update.
    void Update();

    double GetTime() const { return m_clock.GetTime(); }

    // Keeps a copy of the command line and logs it.
    void SetArguments(int argc, char** argv);
    const std::vector<std::string>& GetArguments() const { return m_arguments; }

    // The program folder, where the game's data lives (the root of the
    // default file system), without a trailing '/'.
    const std::string& GetWorkingDirectory() const { return m_workingDirectory; }
    // For tools and tests whose executable lives apart from the data.
    void SetWorkingDirectory(const std::string& folder) { m_workingDirectory = folder; }

    // 0 x 0 when no display is available.
    int GetDesktopWidth() const { return m_desktopWidth; }
    int GetDesktopHeight() const { return m_desktopHeight; }
    const std::string& GetOSDescription() const { return m_osDescription; }

    // A modal box with a title, a text and OK. Without a display the text goes
    // to standard error and the log instead.
    void ShowMessage(const std::string& title, const std::string& text);
    // Opens the address in the user's web browser without waiting for it;
    // a failure is logged.
    virtual void OpenURL(const std::string& url) = 0;

    // Sends every ShowMessage to `sink` instead of the platform (tests and
    // unattended runs); an empty sink restores the platform's message box.
    // Independent of the core's lifetime.
    static void SetMessageSink(tMessageSink sink);

protected:
    cCore() = default;

    virtual void PumpMessages() = 0;
    virtual void ShowPlatformMessage(const std::string& title, const std::string& text) = 0;

    // Logs the operating system, working directory and desktop size; the
    // platform variant fills the values first.
    void WriteSystemReport() const;

    std::string m_osDescription;
    std::string m_workingDirectory;
    int m_desktopWidth = 0;
    int m_desktopHeight = 0;

private:
    void DeliverEvents();
    bool IsListener(cEventListener* listener) const;

    cClock m_clock;
    std::vector<std::string> m_arguments;
    mutable std::mutex m_lock; // guards the listener list and the queue
    std::vector<cEventListener*> m_listeners;
    std::vector<std::unique_ptr<cEvent>> m_queue;
};

// Made by the platform layer; cCore::Get calls it once.
std::unique_ptr<cCore> CreatePlatformCore();

} // namespace Korva
