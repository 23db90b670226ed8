#pragma once
// The thread of the reachability poll. While polling, it runs one poll step
// of its link (CNet_Socket::PollReachability) and then waits a full
// interval before the next, like a single-shot timer re-armed after every
// step: a slow step never leaves a backlog of steps behind it. Stopping
// cancels a running step and waits the few milliseconds it needs to end.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/core/Types.h"

class CCancelToken;
class CNet_Socket;

enum : int { NET_POLL_INTERVAL_MS = 500 };

class CPing_Net_Thread {
public:
    // Starts the thread; it idles until StartTimer.
    CPing_Net_Thread();
    // Stops the timer and ends the thread.
    ~CPing_Net_Thread();
    CPing_Net_Thread(const CPing_Net_Thread&) = delete;
    CPing_Net_Thread& operator=(const CPing_Net_Thread&) = delete;

    // The link whose poll step runs; null runs nothing.
    void SetLink(CNet_Socket* link);
    // Polling on: the first step ms after now, each next one ms after the end
    // of the step before. A start while polling only re-arms the one timer.
    // Returns the timer's id (never 0); each start from stopped gets a new one.
    UINT StartTimer(int ms);
    // Polling off. A running step is cancelled and has ended on return; it
    // posts and changes nothing.
    void StopTimer();
    // Ends the thread (stopping the timer first); later starts poll nothing.
    void Quit();

    bool IsPolling() const;
    // A poll step runs now.
    bool IsBusy() const;
    UINT TimerId() const;

private:
    void Run();

    mutable std::mutex m_mutex;
    std::condition_variable m_condition;
    CNet_Socket* m_pLink = nullptr;
    bool m_bPolling = false;
    bool m_bBusy = false;
    bool m_bQuit = false;
    UINT m_nTimerId = 0;
    UINT m_nLastTimerId = 0;
    int m_nIntervalMs = NET_POLL_INTERVAL_MS;
    std::chrono::steady_clock::time_point m_due;
    // The running poll's token; a stop sets it, a new start makes a new one.
    std::shared_ptr<CCancelToken> m_pRunning;
    std::thread m_thread;
};
