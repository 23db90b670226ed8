#include "platform/core/ThreadWaker.h"

#include <algorithm>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include "platform/core/MsgTarget.h"

std::shared_ptr<CThreadWaker> CThreadWaker::ForCurrentThread()
{
    // Alive while any target of this thread is: the targets hold it.
    thread_local std::weak_ptr<CThreadWaker> current;
    std::shared_ptr<CThreadWaker> waker = current.lock();
    if (!waker) {
        waker.reset(new CThreadWaker);
        current = waker;
    }
    return waker;
}

CThreadWaker::CThreadWaker() : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_fd >= 0 && QAbstractEventDispatcher::instance() != nullptr) {
        m_pNotifier.reset(new QSocketNotifier(m_fd, QSocketNotifier::Read));
        QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated, [this] { Deliver(); });
    }
}

CThreadWaker::~CThreadWaker()
{
    m_pNotifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

void CThreadWaker::Schedule(CMsgTarget* target)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.push_back(target);
    }
    if (m_fd >= 0) {
        const std::uint64_t one = 1;
        ssize_t written = ::write(m_fd, &one, sizeof one);
        (void)written;  // a full counter still reads as readable
    }
}

void CThreadWaker::Forget(CMsgTarget* target)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pending.erase(std::remove(m_pending.begin(), m_pending.end(), target), m_pending.end());
}

void CThreadWaker::Deliver()
{
    std::uint64_t count = 0;
    ssize_t got = ::read(m_fd, &count, sizeof count);
    (void)got;
    // One target at a time: a handler may destroy a target still listed.
    for (;;) {
        CMsgTarget* target = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_pending.empty())
                return;
            target = m_pending.front();
            m_pending.pop_front();
        }
        target->DeliverPosted();
    }
}
