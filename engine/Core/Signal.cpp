#include "engine/Core/Signal.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace Korva
{

namespace
{
// All signals share one lock and one condition: a thread waiting for any of
// several signals then needs no per-signal bookkeeping. A program has only a
// handful of signals, so waking every waiter on a Set costs nothing.
std::mutex& Mutex()
{
    static std::mutex mutex;
    return mutex;
}

std::condition_variable& Condition()
{
    static std::condition_variable condition;
    return condition;
}
} // namespace

void cSignal::Set()
{
    {
        std::lock_guard lock(Mutex());
        m_set = true;
    }
    Condition().notify_all();
}

void cSignal::Reset()
{
    std::lock_guard lock(Mutex());
    m_set = false;
}

bool cSignal::IsSet() const
{
    std::lock_guard lock(Mutex());
    return m_set;
}

bool cSignal::Wait(int timeoutMs)
{
    return WaitAny({this}, timeoutMs) == 0;
}

int cSignal::WaitAny(std::initializer_list<cSignal*> signals, int timeoutMs)
{
    int found = -1;
    const auto anySet = [&]
    {
        int index = 0;
        for (cSignal* signal : signals)
        {
            if (signal->m_set)
            {
                found = index;
                if (!signal->m_manualReset)
                    signal->m_set = false;
                return true;
            }
            ++index;
        }
        return false;
    };

    std::unique_lock lock(Mutex());
    if (timeoutMs < 0)
        Condition().wait(lock, anySet);
    else
        Condition().wait_for(lock, std::chrono::milliseconds(timeoutMs), anySet);
    return found;
}

} // namespace Korva
