#include "platform/core/MsgTarget.h"

#include <unordered_set>

#include "platform/core/ThreadWaker.h"

namespace {
// Targets alive now. A post looks its target up here under the registry
// lock, so a post racing with the target's destruction is dropped instead of
// touching freed memory. Lock order: registry, then the target's queue.
std::mutex g_registryMutex;
std::unordered_set<const CMsgTarget*>& Registry()
{
    static std::unordered_set<const CMsgTarget*> live;
    return live;
}
}  // namespace

CMsgTarget::CMsgTarget() : m_pWaker(CThreadWaker::ForCurrentThread())
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    Registry().insert(this);
}

CMsgTarget::~CMsgTarget()
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    Registry().erase(this);
    m_pWaker->Forget(this);
}

void CMsgTarget::Enqueue(const Posted& posted)
{
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(posted);
        if (!m_bWakeScheduled) {
            m_bWakeScheduled = true;
            wake = true;
        }
    }
    if (wake)
        m_pWaker->Schedule(this);
}

namespace {
// Whether the current handler on this thread was called by SendMessage.
thread_local bool t_bInSend = false;

// Sets the flag for the handler it wraps and restores the outer value, so
// sends and deliveries nest.
class CSendScope {
public:
    explicit CSendScope(bool inSend) : m_bOuter(t_bInSend) { t_bInSend = inSend; }
    ~CSendScope() { t_bInSend = m_bOuter; }
    CSendScope(const CSendScope&) = delete;
    CSendScope& operator=(const CSendScope&) = delete;

private:
    bool m_bOuter;
};
}  // namespace

bool InSendMessage()
{
    return t_bInSend;
}

int CMsgTarget::DeliverPosted()
{
    int delivered = 0;
    for (;;) {
        Posted next;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_queue.empty()) {
                m_bWakeScheduled = false;
                return delivered;
            }
            next = m_queue.front();
            m_queue.pop_front();
        }
        // The handler runs without the queue lock: it may post again.
        CSendScope posted(false);
        WindowProc(next.message, next.wParam, next.lParam);
        ++delivered;
    }
}

std::size_t CMsgTarget::PendingCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_queue.size();
}

bool PostMessage(CMsgTarget* target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (target == nullptr)
        return false;
    std::lock_guard<std::mutex> lock(g_registryMutex);
    if (Registry().count(target) == 0)
        return false;
    target->Enqueue({message, wParam, lParam});
    return true;
}

LRESULT SendMessage(CMsgTarget* target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (target == nullptr)
        return 0;
    CSendScope sent(true);
    return target->WindowProc(message, wParam, lParam);
}
