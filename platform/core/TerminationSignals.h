#pragma once
// Turns SIGINT and SIGTERM into a call on the thread that owns this object,
// from its event loop: the signal handler only writes a byte to a pipe,
// which a socket notifier reads. While the object lives it replaces the two
// signals' handlers; its end puts the previous handlers back.
#include <functional>
#include <memory>

class QSocketNotifier;

class CTerminationSignals {
public:
    // onSignal runs on the constructing thread, once per signal received.
    explicit CTerminationSignals(std::function<void(int signal)> onSignal);
    ~CTerminationSignals();
    CTerminationSignals(const CTerminationSignals&) = delete;
    CTerminationSignals& operator=(const CTerminationSignals&) = delete;

    // The pipe and the handlers are in place.
    bool IsInstalled() const { return m_bInstalled; }

private:
    void OnReadable();

    std::function<void(int)> m_fnOnSignal;
    int m_fds[2] = {-1, -1};
    bool m_bInstalled = false;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
};
