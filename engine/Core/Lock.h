#pragma once

#include <mutex>

namespace Korva
{

// A re-entrant lock: the thread that holds it may take it again, so a locked
// operation can call another locked operation of the same object.
class cLock
{
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }
    bool TryLock() { return m_mutex.try_lock(); }

    // The standard names as well, so std::scoped_lock and
    // std::condition_variable_any accept a cLock.
    void lock() { Lock(); }
    void unlock() { Unlock(); }
    bool try_lock() { return TryLock(); }

private:
    std::recursive_mutex m_mutex;
};

// Holds a cLock for the lifetime of the guard.
class cLockGuard
{
public:
    explicit cLockGuard(cLock& lock) : m_lock(lock) { m_lock.Lock(); }
    ~cLockGuard() { m_lock.Unlock(); }
    cLockGuard(const cLockGuard&) = delete;
    cLockGuard& operator=(const cLockGuard&) = delete;

private:
    cLock& m_lock;
};

} // namespace Korva
