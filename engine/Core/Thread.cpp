#include "engine/Core/Thread.h"

#include <chrono>
#include <pthread.h>
#include <sched.h>

namespace Korva
{

cThread::cThread(std::function<void()> body) : m_thread(std::move(body)) {}

cThread::~cThread()
{
    Join();
}

void cThread::Join()
{
    if (!m_thread.joinable())
        return;
    // A thread cannot wait for itself; if it ends its own object, let it go.
    if (m_thread.get_id() == std::this_thread::get_id())
        m_thread.detach();
    else
        m_thread.join();
}

bool cThread::RaisePriority()
{
    if (!m_thread.joinable())
        return false;
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_RR);
    return pthread_setschedparam(m_thread.native_handle(), SCHED_RR, &param) == 0;
}

void Sleep(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace Korva
