#pragma once

#include <cstdint>
#include <memory>

namespace Korva
{

// Core event types.
enum : int32_t
{
    kEventTick = 1,
    kEventQuitRequest = 2,
    kEventShutdown = 3,
};

// An engine event. Events are cloned into the core's queue when posted and
// delivered on the main thread in the next core update.
class cEvent
{
public:
    explicit cEvent(int32_t type) : m_type(type) {}
    virtual ~cEvent() = default;
    virtual std::unique_ptr<cEvent> Clone() const { return std::make_unique<cEvent>(*this); }
    int32_t GetType() const { return m_type; }

private:
    int32_t m_type;
};

// An event with two integer arguments.
class cEventParams : public cEvent
{
public:
    cEventParams(int32_t type, int32_t param1, int32_t param2)
        : cEvent(type), m_param1(param1), m_param2(param2)
    {
    }
    std::unique_ptr<cEvent> Clone() const override { return std::make_unique<cEventParams>(*this); }
    int32_t GetParam1() const { return m_param1; }
    int32_t GetParam2() const { return m_param2; }

private:
    int32_t m_param1;
    int32_t m_param2;
};

class cEventListener
{
public:
    virtual ~cEventListener() = default;
    virtual void OnEvent(const cEvent& event) { (void)event; }
};

} // namespace Korva
