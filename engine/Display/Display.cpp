#include "engine/Display/Display.h"

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"

#include <algorithm>

namespace Korva
{

cDisplay::cDisplay() = default;

cDisplay::~cDisplay() = default;

cPoint cDisplay::GetWindowSize() const
{
    return m_windowSize.x > 0 && m_windowSize.y > 0 ? m_windowSize : GetFrameSize();
}

void cDisplay::AttachRenderDevice(cRenderDevice* device)
{
    if (m_device && m_device != device)
        KORVA_THROW(cException, "A render device has already been attached.");
    m_device = device;
}

void cDisplay::DetachRenderDevice(cRenderDevice* device)
{
    if (m_device == device)
        m_device = nullptr;
}

void cDisplay::AddListener(cDisplayListener* listener)
{
    std::lock_guard lock(m_lock);
    if (listener &&
        std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void cDisplay::RemoveListener(cDisplayListener* listener)
{
    std::lock_guard lock(m_lock);
    std::erase(m_listeners, listener);
}

void cDisplay::AddInputDevice(cPlatformMessageHandler* device)
{
    std::lock_guard lock(m_lock);
    if (device &&
        std::find(m_inputDevices.begin(), m_inputDevices.end(), device) == m_inputDevices.end())
        m_inputDevices.push_back(device);
}

void cDisplay::RemoveInputDevice(cPlatformMessageHandler* device)
{
    std::lock_guard lock(m_lock);
    std::erase(m_inputDevices, device);
}

std::vector<cPlatformMessageHandler*> cDisplay::GetInputDevices() const
{
    std::lock_guard lock(m_lock);
    return m_inputDevices;
}

void cDisplay::SendEvent(const cEvent& event)
{
    std::lock_guard lock(m_lock);
    // A listener may remove itself or another one while it is called.
    const std::vector<cDisplayListener*> snapshot = m_listeners;
    for (cDisplayListener* listener : snapshot)
        if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end())
            listener->OnDisplayEvent(event);
}

void cDisplay::WriteModeToLog(const cDisplayMode& mode) const
{
    cLog& log = cLog::Get();
    log.WriteDefault("Width: " + std::to_string(mode.width) + "\n");
    log.WriteDefault("Height: " + std::to_string(mode.height) + "\n");
    log.WriteDefault(std::string("Fullscreen: ") + (mode.fullScreen ? "True" : "False") + "\n");
    log.WriteDefault(std::string("Resizable: ") + (mode.resizable ? "True" : "False") + "\n");
}

} // namespace Korva
