#pragma once

#include <functional>
#include <thread>

namespace Korva
{

// A thread that runs one function. It starts on construction and is joined
// when the object dies, so its owner cannot outlive the work by accident; the
// function must therefore return once its owner asks it to (for example via a
// cSignal).
class cThread
{
public:
    explicit cThread(std::function<void()> body);
    ~cThread();
    cThread(const cThread&) = delete;
    cThread& operator=(const cThread&) = delete;

    // Waits for the function to return. Further calls do nothing.
    void Join();

    // Asks the system to run this thread ahead of normal threads (for work
    // that must never starve, like refilling a sound buffer). Needs a
    // privilege most desktop users lack, so failure is normal and only
    // reported by the result.
    bool RaisePriority();

private:
    std::thread m_thread;
};

// Puts the calling thread to sleep for at least the given time.
void Sleep(int milliseconds);

} // namespace Korva
