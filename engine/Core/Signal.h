#pragma once

#include <initializer_list>

namespace Korva
{

// A signal one thread sets and another waits for (an "event" object in the
// usual threading sense; the name avoids a clash with engine events).
// A manual-reset signal stays set until Reset; an automatic one is cleared
// by the wait that it ends, so it wakes exactly one waiter per Set.
class cSignal
{
public:
    explicit cSignal(bool manualReset = true) : m_manualReset(manualReset) {}
    cSignal(const cSignal&) = delete;
    cSignal& operator=(const cSignal&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;

    // Waits until the signal is set; false when timeoutMs (if not negative)
    // passed first.
    bool Wait(int timeoutMs = -1);

    // Waits until any of the signals is set and returns the index of the
    // first set one in list order, or -1 after timeoutMs (if not negative).
    static int WaitAny(std::initializer_list<cSignal*> signals, int timeoutMs = -1);

private:
    const bool m_manualReset;
    bool m_set = false;
};

} // namespace Korva
