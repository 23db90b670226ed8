#pragma once
// The firmware update dialog's reconnect poll: when the link of an update
// does not open at once, it is tried again every POLL_INTERVAL_MS, up to
// POLL_QUIET_ATTEMPTS times quietly and then a last time that reports the
// failure; the dialog learns the outcome from WM_UPDATE_LINK_RESULT
// (wParam the poll's session, lParam 1 connected, 0 failed).
//
// Threads. The poll's timer, its ticks and every part of an attempt that
// touches the link's state (queue, flags, worker, status, boxes) run on the
// UI thread. Only the blocking part of a network attempt (the connect to
// the device) runs on this object's own thread, cancellable; its outcome
// comes back to the UI thread as a posted message. The timer is a
// single-shot one armed again once an attempt is over, so attempts never
// overlap. Stopping the poll starts a new session: an outcome of an older
// one is dropped (here and by the dialog). The thread ends with this object.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CCancelToken;
class CDeviceLink;
class QTimer;

class CUpData_Thread : public CMsgTarget {
public:
    enum : int {
        POLL_INTERVAL_MS = 500,
        // Attempts that fail quietly before the last one.
        POLL_QUIET_ATTEMPTS = 20,
    };

    // dlg receives the outcomes. Starts the thread, idle until an attempt
    // needs it.
    CUpData_Thread(CDeviceLink& link, CMsgTarget* dlg);
    // Stops the poll, cancels a blocking attempt and ends the thread.
    ~CUpData_Thread() override;
    CUpData_Thread(const CUpData_Thread&) = delete;
    CUpData_Thread& operator=(const CUpData_Thread&) = delete;

    // Starts the poll: no ticks yet, the first attempt after elapse ms.
    void StartPollTimer(UINT elapse);
    // Stops the poll; an attempt under way is cancelled and its outcome
    // dropped.
    void StopPollTimer();
    bool IsPolling() const { return m_bPolling; }
    // The session of the poll that runs (or ran last).
    WPARAM Session() const { return m_nSession; }
    // Attempts made in this session.
    int Ticks() const { return m_nTicks; }
    // The outcome of the last attempt.
    bool IsLinked() const { return m_bLinked; }

    // The blocking part's outcome (this object's own message).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // A tick of the timer: one attempt.
    void OnTimer();
    // The rest of an attempt once its link outcome is known.
    void FinishAttempt(bool retry, bool linked);
    void ThreadMain();

    CDeviceLink& m_link;
    CMsgTarget* const m_pDlg;
    bool m_bPolling = false;
    int m_nTicks = 0;
    bool m_bLinked = false;
    WPARAM m_nSession = 0;
    UINT m_nElapse = POLL_INTERVAL_MS;
    std::unique_ptr<QTimer> m_pTimer;
    // The attempt waiting for its blocking part: its retry flag.
    bool m_bAttemptRetry = true;
    bool m_bAttemptOut = false;

    // Shared with the thread.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_bQuit = false;
    bool m_bJob = false;
    WPARAM m_nJobSession = 0;
    std::shared_ptr<CCancelToken> m_pCancel;
    std::thread m_thread;
};
