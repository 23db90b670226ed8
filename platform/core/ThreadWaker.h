#pragma once
// Wakes one thread's Qt event loop when messages were posted to targets that
// the thread owns. Only an eventfd crosses the threads: the messages
// themselves wait in the targets' own queues under std::mutex, so every
// hand-over between threads is visible to the thread sanitizer, which cannot
// see inside Qt.
#include <deque>
#include <memory>
#include <mutex>

class CMsgTarget;
class QSocketNotifier;

class CThreadWaker {
public:
    // The waker of the calling thread, shared by the targets it owns; made
    // on first use. Without a Qt event dispatcher on the thread it never
    // wakes anything, and the owner delivers by itself.
    static std::shared_ptr<CThreadWaker> ForCurrentThread();

    ~CThreadWaker();
    CThreadWaker(const CThreadWaker&) = delete;
    CThreadWaker& operator=(const CThreadWaker&) = delete;

    // Any thread: target has messages waiting; the owner thread will run
    // its DeliverPosted from the event loop.
    void Schedule(CMsgTarget* target);
    // Owner thread: the target is being destroyed.
    void Forget(CMsgTarget* target);

private:
    CThreadWaker();
    void Deliver();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
    std::mutex m_mutex;
    std::deque<CMsgTarget*> m_pending;
};
