#pragma once

// Holding the left button still for half a second opens a chooser, like a
// right click. A press arms the timer; a release or any pointer move disarms
// it, so only a still pointer gets there.
class cHoldTimer
{
public:
    static constexpr float kHoldTime = 0.5f;

    void Arm()
    {
        m_armed = true;
        m_time = 0.0f;
    }
    void Disarm() { m_armed = false; }
    bool IsArmed() const { return m_armed; }
    float GetTime() const { return m_time; }

    // True only in the update that reaches the hold time; nothing more
    // happens until the timer is armed again.
    bool Update(float dt)
    {
        if (!m_armed || m_time >= kHoldTime)
            return false;
        m_time += dt;
        return m_time >= kHoldTime;
    }

private:
    bool m_armed = false;
    float m_time = 0.0f;
};
