#include "link/Ping_Net_Thread.h"

#include <algorithm>

#include "link/Net_Socket.h"
#include "platform/core/CancelToken.h"

CPing_Net_Thread::CPing_Net_Thread() : m_thread([this] { Run(); }) {}

CPing_Net_Thread::~CPing_Net_Thread()
{
    Quit();
}

void CPing_Net_Thread::SetLink(CNet_Socket* link)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pLink = link;
}

UINT CPing_Net_Thread::StartTimer(int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bPolling) {
        m_bPolling = true;
        m_pRunning = std::make_shared<CCancelToken>();
        m_nTimerId = ++m_nLastTimerId;
        if (m_nTimerId == 0)
            m_nTimerId = ++m_nLastTimerId;
    }
    m_nIntervalMs = std::max(ms, 1);
    m_due = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_nIntervalMs);
    m_condition.notify_all();
    return m_nTimerId;
}

void CPing_Net_Thread::StopTimer()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_bPolling)
        return;
    m_bPolling = false;
    m_nTimerId = 0;
    if (m_pRunning)
        m_pRunning->Set();
    m_condition.notify_all();
    // The step's waits end on the token within a few milliseconds.
    if (std::this_thread::get_id() != m_thread.get_id())
        m_condition.wait(lock, [this] { return !m_bBusy; });
}

void CPing_Net_Thread::Quit()
{
    StopTimer();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bQuit = true;
        m_condition.notify_all();
    }
    if (m_thread.joinable() && std::this_thread::get_id() != m_thread.get_id())
        m_thread.join();
}

bool CPing_Net_Thread::IsPolling() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bPolling;
}

bool CPing_Net_Thread::IsBusy() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bBusy;
}

UINT CPing_Net_Thread::TimerId() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nTimerId;
}

void CPing_Net_Thread::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_bQuit) {
        if (!m_bPolling) {
            m_condition.wait(lock, [this] { return m_bQuit || m_bPolling; });
            continue;
        }
        const auto due = m_due;
        if (std::chrono::steady_clock::now() < due) {
            m_condition.wait_until(lock, due, [this, due] { return m_bQuit || !m_bPolling || m_due != due; });
            continue;
        }
        std::shared_ptr<CCancelToken> running = m_pRunning;
        CNet_Socket* link = m_pLink;
        m_bBusy = true;
        lock.unlock();
        if (link != nullptr)
            link->PollReachability(*running);
        lock.lock();
        m_bBusy = false;
        m_condition.notify_all();
        // Re-armed only now, after the step: ticks never queue up.
        if (m_bPolling)
            m_due = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_nIntervalMs);
    }
}
