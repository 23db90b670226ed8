#include "platform/core/MsgTarget.h"

#include <algorithm>
#include <condition_variable>
#include <unordered_set>

#include "platform/core/CancelToken.h"
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

// One message sent from another thread. The sender waits on it; the owner
// thread runs it only while it is still Waiting, so a sender that stopped
// waiting (cancelled) is never answered late. Lock order: the target's
// queue, then this.
struct CMsgTarget::SentCall {
    enum State { Waiting, Running, Done, Dropped };
    std::mutex mutex;
    std::condition_variable changed;
    State state = Waiting;
    LRESULT result = 0;

    // Waiting -> to; false when the call has left Waiting already.
    bool Leave(State to)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (state != Waiting)
            return false;
        state = to;
        changed.notify_all();
        return true;
    }
};

CMsgTarget::CMsgTarget() : m_owner(std::this_thread::get_id()), m_pWaker(CThreadWaker::ForCurrentThread())
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    Registry().insert(this);
}

CMsgTarget::~CMsgTarget()
{
    std::lock_guard<std::mutex> lock(g_registryMutex);
    Registry().erase(this);
    m_pWaker->Forget(this);
    // Senders still waiting are let go: their messages will never run.
    std::lock_guard<std::mutex> queueLock(m_mutex);
    for (const Posted& posted : m_queue) {
        if (posted.sent)
            posted.sent->Leave(SentCall::Dropped);
    }
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
        if (next.sent) {
            if (DeliverSent(next))
                ++delivered;
            continue;
        }
        CSendScope posted(false);
        WindowProc(next.message, next.wParam, next.lParam);
        ++delivered;
    }
}

bool CMsgTarget::DeliverSent(const Posted& sent)
{
    SentCall& call = *sent.sent;
    if (!call.Leave(SentCall::Running))
        return false;
    CSendScope inSend(true);
    const LRESULT result = WindowProc(sent.message, sent.wParam, sent.lParam);
    std::lock_guard<std::mutex> lock(call.mutex);
    call.result = result;
    call.state = SentCall::Done;
    call.changed.notify_all();
    return true;
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
    target->Enqueue({message, wParam, lParam, nullptr});
    return true;
}

LRESULT SendMessage(CMsgTarget* target, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (target == nullptr)
        return 0;
    CSendScope sent(true);
    return target->WindowProc(message, wParam, lParam);
}

LRESULT SendMessageToOwner(CMsgTarget* target, UINT message, WPARAM wParam, LPARAM lParam,
                           const CCancelToken* cancel, bool* handled)
{
    if (handled != nullptr)
        *handled = false;
    if (target == nullptr)
        return 0;
    std::shared_ptr<CMsgTarget::SentCall> call;
    {
        std::lock_guard<std::mutex> lock(g_registryMutex);
        if (Registry().count(target) == 0)
            return 0;
        if (target->m_owner != std::this_thread::get_id()) {
            call = std::make_shared<CMsgTarget::SentCall>();
            target->Enqueue({message, wParam, lParam, call});
        }
    }
    if (!call) {
        // On the owner thread: at once, as a plain send. The registry lock is
        // not held, since the handler may post.
        if (handled != nullptr)
            *handled = true;
        return SendMessage(target, message, wParam, lParam);
    }

    // The link to the token is made before the call's mutex is taken, as the
    // token requires.
    using State = CMsgTarget::SentCall::State;
    CCancelToken::CWakeLink link(cancel, call->mutex, call->changed);
    std::unique_lock<std::mutex> lock(call->mutex);
    call->changed.wait(lock, [&] {
        return call->state == State::Done || call->state == State::Dropped || CCancelToken::IsSet(cancel);
    });
    if (call->state == State::Done) {
        if (handled != nullptr)
            *handled = true;
        return call->result;
    }
    // Cancelled: a message not yet started is dropped by the owner thread; a
    // handler already running ends on its own, unwatched.
    if (call->state == State::Waiting)
        call->state = State::Dropped;
    return 0;
}

int DropPostedMessages(CMsgTarget* target, UINT message)
{
    if (target == nullptr)
        return 0;
    std::lock_guard<std::mutex> lock(g_registryMutex);
    if (Registry().count(target) == 0)
        return 0;
    std::lock_guard<std::mutex> queueLock(target->m_mutex);
    std::deque<CMsgTarget::Posted>& queue = target->m_queue;
    const auto stale = [message](const CMsgTarget::Posted& p) { return !p.sent && p.message == message; };
    const auto end = std::remove_if(queue.begin(), queue.end(), stale);
    const int dropped = int(queue.end() - end);
    queue.erase(end, queue.end());
    return dropped;
}
