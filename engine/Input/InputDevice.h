#pragma once

#include "engine/Core/Event.h"
#include "engine/Input/InputDeviceEvent.h"
#include "engine/Input/KeyCodes.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

namespace Korva
{

// Turns the platform's mouse and keyboard input into engine input events,
// makes key repeats itself, keeps the key-state table and hands the events to
// its listeners at the next application tick. Platform variants feed it
// through the protected Key/Mouse helpers.
class cInputDevice : public cEventListener
{
public:
    using TimeSource = double (*)();

    cInputDevice();
    ~cInputDevice() override;
    cInputDevice(const cInputDevice&) = delete;
    cInputDevice& operator=(const cInputDevice&) = delete;

    void AddListener(cInputListener* listener);
    void RemoveListener(cInputListener* listener);
    // Queues a copy of a mouse or keyboard event for the next tick.
    void QueueEvent(const cInputEvent& event);

    bool IsKeyDown(int32_t key) const;
    // The modifier bits of the keys held now.
    int32_t GetModifiers() const;

    void SetRepeatDelay(float seconds) { m_repeatDelay = seconds; }
    void SetRepeatRate(float perSecond) { m_repeatRate = perSecond > 0.0f ? perSecond : 1.0f; }
    float GetRepeatDelay() const { return m_repeatDelay; }
    float GetRepeatRate() const { return m_repeatRate; }

    // Where tick times come from (seconds); the steady clock by default.
    void SetTimeSource(TimeSource source);

    // The application tick: key repeats, then delivery of every queued event.
    void OnEvent(const cEvent& event) override;
    void Tick(double now);

protected:
    // A key went down or up; `key` is the engine code, `platformKey` the
    // platform's own.
    void KeyPressed(int32_t key, int32_t platformKey);
    void KeyReleased(int32_t key, int32_t platformKey);
    // Platform variants poll whatever they need at the start of each tick.
    virtual void PollKeyboard() {}

private:
    struct Queued
    {
        cMouseEvent mouse;
        cKeyboardEvent keyboard;
        bool isMouse = false;
        const cInputEvent& Get() const
        {
            return isMouse ? static_cast<const cInputEvent&>(mouse) : keyboard;
        }
    };

    void Deliver();
    bool IsListener(cInputListener* listener) const;

    float m_repeatDelay = 0.5f;
    float m_repeatRate = 10.0f;
    float m_repeatCountdown = 0.0f;
    bool m_repeating = false;
    // Set by a press, so the tick that delivers it does not already count
    // time towards the first repeat.
    bool m_repeatFresh = false;
    cKeyboardEvent m_lastPressed;
    std::array<uint8_t, kKeyCount> m_keyState{};
    double m_previousTick = 0.0;
    bool m_ticked = false;
    TimeSource m_timeSource;

    mutable std::recursive_mutex m_lock;
    std::vector<cInputListener*> m_listeners;
    // Events wait here; delivery swaps the buffers so neither allocates once
    // it has grown to the busiest tick seen.
    std::vector<Queued> m_queue;
    std::vector<Queued> m_delivering;
    std::vector<cInputListener*> m_snapshot;
};

} // namespace Korva
