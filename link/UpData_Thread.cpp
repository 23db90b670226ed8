#include "link/UpData_Thread.h"

#include <QTimer>

#include "link/DeviceLink.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"

namespace {
// This object's own message: the blocking part of an attempt is over
// (wParam the session, lParam TRUE when connected).
constexpr UINT POLL_ATTEMPT_DONE = 0x7F02;
}  // namespace

CUpData_Thread::CUpData_Thread(CDeviceLink& link, CMsgTarget* dlg) : m_link(link), m_pDlg(dlg)
{
    m_pTimer = std::make_unique<QTimer>();
    m_pTimer->setSingleShot(true);
    QObject::connect(m_pTimer.get(), &QTimer::timeout, [this] { OnTimer(); });
    m_thread = std::thread([this] { ThreadMain(); });
}

CUpData_Thread::~CUpData_Thread()
{
    StopPollTimer();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bQuit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void CUpData_Thread::StartPollTimer(UINT elapse)
{
    StopPollTimer();
    ++m_nSession;
    m_bPolling = true;
    m_nTicks = 0;
    m_bLinked = false;
    m_nElapse = elapse;
    m_pTimer->start(int(elapse));
}

void CUpData_Thread::StopPollTimer()
{
    m_bPolling = false;
    m_bAttemptOut = false;
    m_pTimer->stop();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bJob = false;
    if (m_pCancel)
        m_pCancel->Set();
}

void CUpData_Thread::OnTimer()
{
    if (!m_bPolling || m_bAttemptOut)
        return;
    // Ticks 0 to 19 try quietly; tick 20 is the last attempt.
    const bool retry = m_nTicks != POLL_QUIET_ATTEMPTS;
    ++m_nTicks;
    if (g_nLinkType != LINK_NETWORK) {
        FinishAttempt(retry, m_link.ReconnectForUpdate(retry));
        return;
    }
    // The connect may take seconds: the thread runs it.
    m_bAttemptRetry = retry;
    m_bAttemptOut = true;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bJob = true;
        m_nJobSession = m_nSession;
        m_pCancel = std::make_shared<CCancelToken>();
    }
    m_wake.notify_all();
}

LRESULT CUpData_Thread::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != POLL_ATTEMPT_DONE || !m_bPolling || !m_bAttemptOut || wParam != m_nSession)
        return 0;
    m_bAttemptOut = false;
    FinishAttempt(m_bAttemptRetry, m_link.ReconnectForUpdate(m_bAttemptRetry, lParam != 0));
    return 0;
}

void CUpData_Thread::FinishAttempt(bool retry, bool linked)
{
    m_bLinked = linked;
    if (linked || !retry) {
        const WPARAM session = m_nSession;
        StopPollTimer();
        PostMessage(m_pDlg, WM_UPDATE_LINK_RESULT, session, linked ? 1 : 0);
        return;
    }
    m_pTimer->start(int(m_nElapse));
}

void CUpData_Thread::ThreadMain()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_bQuit || m_bJob; });
        if (m_bQuit)
            return;
        m_bJob = false;
        const WPARAM session = m_nJobSession;
        const std::shared_ptr<CCancelToken> cancel = m_pCancel;
        lock.unlock();
        const bool connected = m_link.ConnectNetworkBlocking(cancel.get());
        if (!cancel->IsSet())
            PostMessage(this, POLL_ATTEMPT_DONE, session, connected ? 1 : 0);
        lock.lock();
    }
}
