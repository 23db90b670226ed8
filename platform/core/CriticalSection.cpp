#include "platform/core/CriticalSection.h"

void CCriticalSection::lock()
{
    m_mutex.lock();
    m_nDepth.fetch_add(1);
}

bool CCriticalSection::try_lock()
{
    if (!m_mutex.try_lock())
        return false;
    m_nDepth.fetch_add(1);
    return true;
}

void CCriticalSection::unlock()
{
    m_nDepth.fetch_sub(1);
    m_mutex.unlock();
}

bool CCriticalSection::IsLocked() const
{
    return m_nDepth.load() > 0;
}
