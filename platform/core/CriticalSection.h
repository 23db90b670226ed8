#pragma once
// A recursive lock that also tells, without blocking, whether any thread
// holds it. The owner of a command sequence holds it while it appends; a
// thread that must not wait (the I/O worker) only asks IsLocked and never
// takes it.
//
// Built on std::recursive_mutex and an atomic hold count, so that
// ThreadSanitizer sees every hand-over. lock(), unlock() and try_lock()
// make it usable with std::lock_guard and std::unique_lock.
#include <atomic>
#include <mutex>

class CCriticalSection {
public:
    CCriticalSection() = default;
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void lock();
    bool try_lock();
    void unlock();

    // TRUE while some thread holds the lock (at any depth). A snapshot: the
    // answer may change as soon as it is read, so callers use it only to
    // decide what to do next, never as a guard of shared data.
    bool IsLocked() const;

private:
    std::recursive_mutex m_mutex;
    // Number of nested holds of the owning thread; changed only by the
    // owner, inside the mutex.
    std::atomic<int> m_nDepth{0};
};
