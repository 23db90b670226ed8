#pragma once
// The I/O worker's four manual-reset events: quit, suspend, update step and
// normal step. One mutex and one condition variable guard the four flags; a
// set flag stays set until it is reset, so a set step event keeps the
// worker stepping. The worker's suspension is a wait on the same condition,
// so a resume given before the worker parks itself is never lost.
#include <condition_variable>
#include <mutex>

class CCancelToken;

enum : int {
    IO_EVENT_QUIT = 0,
    IO_EVENT_SUSPEND = 1,
    IO_EVENT_UPDATE_STEP = 2,
    IO_EVENT_NORMAL_STEP = 3,
    IO_EVENT_COUNT = 4,
    // Results of CIoEvents::WaitAny besides an event index.
    IO_WAIT_TIMEOUT = -1,
    IO_WAIT_CANCELLED = -2,
    // How long an idle worker sleeps between two looks at its events.
    IO_IDLE_WAIT_MS = 5000,
};

class CIoEvents {
public:
    CIoEvents() = default;
    CIoEvents(const CIoEvents&) = delete;
    CIoEvents& operator=(const CIoEvents&) = delete;

    // Out-of-range indexes are ignored (IsSet answers false).
    void Set(int index);
    void Reset(int index);
    bool IsSet(int index) const;
    // Resets all four and drops a resume not yet taken.
    void ResetAll();

    // Waits at most timeoutMs for any event; returns the lowest set index,
    // IO_WAIT_TIMEOUT, or IO_WAIT_CANCELLED when cancel was set first. An
    // event already set returns at once.
    int WaitAny(int timeoutMs, const CCancelToken* cancel = nullptr) const;

    // Parks the calling thread until Resume() (taking that resume), until
    // the quit event is set, or until cancel is set. True when resumed. A
    // Resume() given before the call lets it return at once.
    bool WaitForResume(const CCancelToken* cancel = nullptr);
    void Resume();
    // A thread is parked in WaitForResume now.
    bool IsParked() const;

private:
    int LowestSet() const;  // under m_mutex

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_condition;
    bool m_abSet[IO_EVENT_COUNT] = {};
    bool m_bResumePending = false;
    int m_nParked = 0;
};
