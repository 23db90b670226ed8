#include "platform/core/IoEvents.h"

#include <algorithm>
#include <chrono>

#include "platform/core/CancelToken.h"

namespace {
bool ValidIndex(int index) { return index >= 0 && index < IO_EVENT_COUNT; }
}  // namespace

void CIoEvents::Set(int index)
{
    if (!ValidIndex(index))
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_abSet[index] = true;
    m_condition.notify_all();
}

void CIoEvents::Reset(int index)
{
    if (!ValidIndex(index))
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_abSet[index] = false;
}

bool CIoEvents::IsSet(int index) const
{
    if (!ValidIndex(index))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_abSet[index];
}

void CIoEvents::ResetAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::fill(std::begin(m_abSet), std::end(m_abSet), false);
    m_bResumePending = false;
}

int CIoEvents::LowestSet() const
{
    for (int i = 0; i < IO_EVENT_COUNT; ++i) {
        if (m_abSet[i])
            return i;
    }
    return IO_WAIT_TIMEOUT;
}

int CIoEvents::WaitAny(int timeoutMs, const CCancelToken* cancel) const
{
    CCancelToken::CWakeLink link(cancel, m_mutex, m_condition);
    std::unique_lock<std::mutex> lock(m_mutex);
    int result = IO_WAIT_TIMEOUT;
    m_condition.wait_for(lock, std::chrono::milliseconds(std::max(timeoutMs, 0)), [&] {
        result = LowestSet();
        if (result == IO_WAIT_TIMEOUT && CCancelToken::IsSet(cancel))
            result = IO_WAIT_CANCELLED;
        return result != IO_WAIT_TIMEOUT;
    });
    return result;
}

bool CIoEvents::WaitForResume(const CCancelToken* cancel)
{
    CCancelToken::CWakeLink link(cancel, m_mutex, m_condition);
    std::unique_lock<std::mutex> lock(m_mutex);
    ++m_nParked;
    m_condition.wait(lock, [&] {
        return m_bResumePending || m_abSet[IO_EVENT_QUIT] || CCancelToken::IsSet(cancel);
    });
    --m_nParked;
    const bool resumed = m_bResumePending;
    m_bResumePending = false;
    return resumed;
}

void CIoEvents::Resume()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bResumePending = true;
    m_condition.notify_all();
}

bool CIoEvents::IsParked() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nParked > 0;
}
