#pragma once
// Window messages between the program's objects and threads.
//
// A CMsgTarget belongs to the thread that constructed it (the UI thread for
// every window). PostMessage may be called from any thread: the message
// waits in the target's own queue, guarded by a std::mutex, and the owner
// thread's event loop is only woken (CThreadWaker), then delivers the waiting
// messages in the order they were posted. SendMessage runs the handler at once on the
// calling thread, as controls do when they notify their parents.
#include <deque>
#include <memory>
#include <mutex>

#include "platform/core/Types.h"

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
    struct Posted {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    void Enqueue(const Posted& posted);

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
// sent messages from posted ones.
bool InSendMessage();
