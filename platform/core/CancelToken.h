#pragma once
// A one-way "stop now" signal for work running on another thread. The owner
// of the work sets it; the work tests it between steps and waits on it
// instead of sleeping, so setting it ends every such wait at once. A token
// is never cleared: a new piece of work gets a new token.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

// Longest single wait on something that cannot wake on a token (a socket, a
// child's pipe): how soon a cancel is seen there.
constexpr int CANCEL_POLL_SLICE_MS = 20;

class CCancelToken {
public:
    CCancelToken() = default;
    CCancelToken(const CCancelToken&) = delete;
    CCancelToken& operator=(const CCancelToken&) = delete;

    // Sets the token and wakes every wait on it and every linked condition.
    void Set();
    bool IsSet() const { return m_bSet.load(std::memory_order_acquire); }

    // Waits at most ms milliseconds; true as soon as the token is set (at
    // once when it already is), false when the time ran out.
    bool WaitFor(int ms) const;

    // Sleeps ms milliseconds unless the token is set first; true when the
    // token ended (or prevented) the sleep. A null token sleeps the full time.
    static bool Sleep(const CCancelToken* token, int ms);
    static bool IsSet(const CCancelToken* token) { return token != nullptr && token->IsSet(); }

    // Lets a wait on some other condition variable end when the token is
    // set: while a link is alive, Set() locks the linked mutex and wakes the
    // linked condition. Create the link before locking that mutex, and make
    // the wait's predicate test IsSet(). A null token links nothing.
    class CWakeLink {
    public:
        CWakeLink(const CCancelToken* token, std::mutex& mutex, std::condition_variable& condition);
        ~CWakeLink();
        CWakeLink(const CWakeLink&) = delete;
        CWakeLink& operator=(const CWakeLink&) = delete;

    private:
        const CCancelToken* m_pToken;
    };

private:
    struct Link {
        const CWakeLink* owner;
        std::mutex* mutex;
        std::condition_variable* condition;
    };

    std::atomic<bool> m_bSet{false};
    // Guards m_links and orders Set() against the token's own waits. Lock
    // order: this mutex, then a linked one (a link is never made or removed
    // while its mutex is held, see CWakeLink).
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_condition;
    mutable std::vector<Link> m_links;
};
