#pragma once
// Window messages between the program's objects and threads.
//
// A CMsgTarget belongs to the thread that constructed it (the UI thread for
// every window). PostMessage may be called from any thread: the message
// waits in the target's own queue, guarded by a std::mutex, and the owner
// thread's event loop is only woken (CThreadWaker), then delivers the waiting
// messages in the order they were posted. SendMessage runs the handler at once on the
// calling thread, as controls do when they notify their parents.
// SendMessageToOwner delivers through the same queue from another thread and
// waits until the owner thread has run the handler.
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/core/Types.h"

class CCancelToken;
class CThreadWaker;

class CMsgTarget {
public:
    CMsgTarget();
    virtual ~CMsgTarget();
    CMsgTarget(const CMsgTarget&) = delete;
    CMsgTarget& operator=(const CMsgTarget&) = delete;

    // Handles one message; runs on the owner thread.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Delivers the messages waiting now, oldest first, and returns how many
    // were delivered. Owner thread only; the event loop calls it, and tests
    // without an event loop may call it themselves.
    int DeliverPosted();
    // Number of messages waiting.
    std::size_t PendingCount() const;

private:
    friend bool PostMessage(CMsgTarget*, UINT, WPARAM, LPARAM);
    friend LRESULT SendMessageToOwner(CMsgTarget*, UINT, WPARAM, LPARAM, const CCancelToken*, bool*);
    friend int DropPostedMessages(CMsgTarget*, UINT);
    struct SentCall;
    struct Posted {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        // Set for a message sent from another thread, whose sender waits.
        std::shared_ptr<SentCall> sent;
    };
    void Enqueue(const Posted& posted);
    // Runs a sent message unless its sender stopped waiting first.
    bool DeliverSent(const Posted& sent);

    const std::thread::id m_owner;
    mutable std::mutex m_mutex;
    std::deque<Posted> m_queue;
    bool m_bWakeScheduled = false;
    std::shared_ptr<CThreadWaker> m_pWaker;  // the owner thread's
};

// Posts a message to a target from any thread. FALSE when the target is
// null or already destroyed; the message is then dropped.
bool PostMessage(CMsgTarget* target, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the target's handler at once on the calling thread and returns its
// result; 0 for a null target.
LRESULT SendMessage(CMsgTarget* target, UINT message, WPARAM wParam, LPARAM lParam);

// True while the calling thread runs a handler that SendMessage called (and
// not a posted message that handler delivers in turn); lets a recorder tell
// sent messages from posted ones. A message that SendMessageToOwner brought
// from another thread counts as sent.
bool InSendMessage();

// Runs the target's handler on the target's owner thread and waits until it
// has run; returns its result, with *handled (when given) TRUE. Called on the
// owner thread itself, the handler runs at once. The message joins the
// target's queue behind the messages posted before it.
// The wait ends early when cancel is set or the target is destroyed: the call
// then returns 0 with *handled FALSE, and the owner thread drops the message
// unless its handler had already started. A null or destroyed target returns
// 0 at once. The caller must hold no lock that the owner thread may wait for.
LRESULT SendMessageToOwner(CMsgTarget* target, UINT message, WPARAM wParam, LPARAM lParam,
                           const CCancelToken* cancel, bool* handled = nullptr);

// Removes the messages with this id that were posted to the target and wait
// for delivery (a newer notice makes them stale); returns how many. Any
// thread.
int DropPostedMessages(CMsgTarget* target, UINT message);
