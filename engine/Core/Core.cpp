#include "engine/Core/Core.h"

#include "engine/Core/Log.h"
#include "engine/Core/Thread.h"

#include <algorithm>

namespace Korva
{

namespace
{
// Constant-initialised, so they outlive every object with a dynamic
// initialiser, such as a global application that unregisters when it dies.
constinit std::mutex g_instanceMutex;
constinit std::unique_ptr<cCore> g_instance;

std::mutex& InstanceMutex()
{
    return g_instanceMutex;
}

std::unique_ptr<cCore>& Instance()
{
    return g_instance;
}

cCore::tMessageSink& MessageSink()
{
    static cCore::tMessageSink sink;
    return sink;
}
} // namespace

cCore& cCore::Get()
{
    std::lock_guard lock(InstanceMutex());
    auto& instance = Instance();
    if (!instance)
        instance = CreatePlatformCore();
    return *instance;
}

void cCore::Destroy()
{
    cCore* core = nullptr;
    {
        std::lock_guard lock(InstanceMutex());
        core = Instance().get();
    }
    if (core)
    {
        // Delivered while the core is still registered, so listeners may
        // still use cCore::Get when they hear of the shutdown.
        core->PostEvent(cEvent(kEventShutdown));
        core->DeliverEvents();
        std::unique_ptr<cCore> ending;
        {
            std::lock_guard lock(InstanceMutex());
            ending = std::move(Instance());
        }
    }
    cLog::Destroy();
}

bool cCore::Exists()
{
    std::lock_guard lock(InstanceMutex());
    return Instance() != nullptr;
}

cCore::~cCore() = default;

void cCore::AddListener(cEventListener* listener)
{
    std::lock_guard lock(m_lock);
    if (listener &&
        std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void cCore::RemoveListener(cEventListener* listener)
{
    std::lock_guard lock(m_lock);
    std::erase(m_listeners, listener);
}

bool cCore::IsListener(cEventListener* listener) const
{
    std::lock_guard lock(m_lock);
    return std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end();
}

void cCore::PostEvent(const cEvent& event)
{
    auto copy = event.Clone();
    std::lock_guard lock(m_lock);
    m_queue.push_back(std::move(copy));
}

void cCore::Update()
{
    PumpMessages();
    Sleep(1);
    PostEvent(cEvent(kEventTick));
    DeliverEvents();
}

void cCore::DeliverEvents()
{
    std::vector<cEventListener*> listeners;
    std::vector<std::unique_ptr<cEvent>> events;
    {
        std::lock_guard lock(m_lock);
        if (m_queue.empty())
            return;
        listeners = m_listeners;
        events.swap(m_queue);
    }
    for (const auto& event : events)
    {
        for (cEventListener* listener : listeners)
        {
            // The snapshot lets listeners post and register freely; skipping
            // the ones removed since keeps a destroyed listener from being
            // called.
            if (IsListener(listener))
                listener->OnEvent(*event);
        }
    }
}

void cCore::SetArguments(int argc, char** argv)
{
    m_arguments.clear();
    std::string line;
    for (int i = 0; i < argc && argv && argv[i]; ++i)
    {
        m_arguments.emplace_back(argv[i]);
        if (i > 0)
            line += ' ';
        line += argv[i];
    }
    cLog::Get().Write(3, "Command line: " + line + "\n");
}

void cCore::ShowMessage(const std::string& title, const std::string& text)
{
    if (const auto& sink = MessageSink())
        sink(title, text);
    else
        ShowPlatformMessage(title, text);
}

void cCore::SetMessageSink(tMessageSink sink)
{
    MessageSink() = std::move(sink);
}

void cCore::WriteSystemReport() const
{
    cLog& log = cLog::Get();
    log.Write(3, "Operating system: " + m_osDescription + "\n");
    log.Write(3, "Working directory: " + m_workingDirectory + "\n");
    log.Write(3, "Desktop resolution: " + std::to_string(m_desktopWidth) + "x" +
                     std::to_string(m_desktopHeight) + "\n");
}

} // namespace Korva
