#include "engine/Input/InputDevice.h"

#include <algorithm>
#include <chrono>

namespace Korva
{

namespace
{
double SteadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

cInputDevice::cInputDevice() : m_timeSource(&SteadySeconds)
{
    m_queue.reserve(64);
    m_delivering.reserve(64);
    m_snapshot.reserve(8);
}

cInputDevice::~cInputDevice() = default;

void cInputDevice::AddListener(cInputListener* listener)
{
    if (!listener)
        return;
    std::lock_guard lock(m_lock);
    m_listeners.push_back(listener);
}

void cInputDevice::RemoveListener(cInputListener* listener)
{
    std::lock_guard lock(m_lock);
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener),
                      m_listeners.end());
}

bool cInputDevice::IsListener(cInputListener* listener) const
{
    std::lock_guard lock(m_lock);
    return std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end();
}

void cInputDevice::QueueEvent(const cInputEvent& event)
{
    Queued entry;
    if (event.GetClass() == kInputClassMouse)
    {
        entry.mouse = AsMouseEvent(event);
        entry.isMouse = true;
    }
    else
    {
        entry.keyboard = AsKeyboardEvent(event);
    }
    std::lock_guard lock(m_lock);
    m_queue.push_back(entry);
}

bool cInputDevice::IsKeyDown(int32_t key) const
{
    if (key < 0 || key >= kKeyCount)
        return false;
    return (m_keyState[key] & 1) != 0;
}

int32_t cInputDevice::GetModifiers() const
{
    int32_t bits = 0;
    if (IsKeyDown(kKeyLeftShift) || IsKeyDown(kKeyRightShift))
        bits |= kModShift;
    if (IsKeyDown(kKeyLeftControl) || IsKeyDown(kKeyRightControl))
        bits |= kModControl;
    if (IsKeyDown(kKeyLeftAlt) || IsKeyDown(kKeyRightAlt))
        bits |= kModAlt;
    if (IsKeyDown(kKeyLeftWindows) || IsKeyDown(kKeyRightWindows))
        bits |= kModWindows;
    if (IsKeyDown(kKeyCapsLock))
        bits |= kModCapsLock;
    if (IsKeyDown(kKeyNumLock))
        bits |= kModNumLock;
    return bits;
}

void cInputDevice::SetTimeSource(TimeSource source)
{
    m_timeSource = source ? source : &SteadySeconds;
}

void cInputDevice::KeyPressed(int32_t key, int32_t platformKey)
{
    if (key >= 0 && key < kKeyCount)
        m_keyState[key] |= 1;
    const cKeyboardEvent event(kKeyPressed, key, platformKey, GetModifiers());
    m_lastPressed = event;
    m_repeating = true;
    m_repeatFresh = true;
    m_repeatCountdown = m_repeatDelay;
    QueueEvent(event);
}

void cInputDevice::KeyReleased(int32_t key, int32_t platformKey)
{
    if (key >= 0 && key < kKeyCount)
        m_keyState[key] &= ~1;
    QueueEvent(cKeyboardEvent(kKeyReleased, key, platformKey, GetModifiers()));
    // Only the key that repeats stops the repeat: letting go of Shift while
    // holding an arrow key keeps the arrow repeating.
    if (m_repeating && m_lastPressed.GetPlatformKey() == platformKey &&
        m_lastPressed.GetKey() == key)
        m_repeating = false;
}

void cInputDevice::OnEvent(const cEvent& event)
{
    if (event.GetType() == kEventTick)
        Tick(m_timeSource());
}

void cInputDevice::Tick(double now)
{
    PollKeyboard();
    const float dt = m_ticked ? static_cast<float>(now - m_previousTick) : 0.0f;
    m_previousTick = now;
    m_ticked = true;
    if (m_repeating)
    {
        if (m_repeatFresh)
            m_repeatFresh = false;
        else if (dt > 0.0f)
        {
            m_repeatCountdown -= dt;
            while (m_repeatCountdown < 0.0f)
            {
                m_repeatCountdown += 1.0f / m_repeatRate;
                cKeyboardEvent repeat = m_lastPressed;
                repeat.SetKind(kKeyRepeat);
                QueueEvent(repeat);
            }
        }
    }
    Deliver();
}

void cInputDevice::Deliver()
{
    {
        std::lock_guard lock(m_lock);
        if (m_queue.empty())
            return;
        m_snapshot.assign(m_listeners.begin(), m_listeners.end());
        m_delivering.swap(m_queue);
    }
    for (const Queued& entry : m_delivering)
        for (cInputListener* listener : m_snapshot)
        {
            // A listener removed by an earlier handler (a popup that closed)
            // may already be gone: it gets nothing more.
            if (IsListener(listener))
                listener->OnInputEvent(entry.Get());
        }
    m_delivering.clear();
}

} // namespace Korva
