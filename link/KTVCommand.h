#pragma once
// The command queue: every frame for the device goes through it, first in,
// first out, and only the head is ever sent, so exactly one command is in
// flight and the queue order is the wire order.
//
// Threads. The UI thread appends command sequences while it holds
// g_csSendLock and clears the queue on every connect; the I/O worker sends
// the head, appends its own frames and, through the reply parser, removes
// or rewinds the head. One std::mutex guards the queue, held only for the
// operation itself: never across a device write, a read or a wait.
//
// The worker's rules:
// - It sends the command BeginSendHead gives it. That command stays alive
//   for as long as the worker holds it, even when the UI thread clears the
//   queue meanwhile.
// - The reply operations (RemoveHead, RewindHead, MarkHeadResend,
//   ReportLongOperation) act only while the head is still the command in
//   flight, so a late reply never touches a command that was not sent.
//   With no command in flight they act on the head.
// - It adds frames of its own only through AppendWhenIdle, never while the
//   UI thread holds the send lock, so each UI sequence stays together.
// - Lock order: send lock, then the queue mutex, then the parameter set's
//   lock. No queue operation is called while holding the parameter set's
//   lock.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "link/SendDataQueue.h"

class CMsgTarget;

class CKTVCommand {
public:
    CKTVCommand() = default;
    CKTVCommand(const CKTVCommand&) = delete;
    CKTVCommand& operator=(const CKTVCommand&) = delete;

    // The window that receives the reply parser's notifications.
    void SetOwner(CMsgTarget* owner) { m_pOwner.store(owner); }
    CMsgTarget* GetOwner() const { return m_pOwner.load(); }

    // Appends at the tail; the queue owns the command from now on. Takes no
    // lock but the queue's: UI callers hold g_csSendLock around a sequence.
    // A null command is ignored.
    void AddCommand(std::unique_ptr<CSendData> command);
    int GetCount() const;
    // The first command, or null when the queue is empty.
    std::shared_ptr<CSendData> GetHead() const;

    // Worker: the head, made the command in flight (g_pSendingCommand names
    // it); null when the queue is empty.
    std::shared_ptr<CSendData> BeginSendHead();
    // The command in flight, or null.
    std::shared_ptr<CSendData> GetInFlight() const;
    // Worker, when it has nothing queued to send: when the queue is empty
    // and the send lock is free, runs produce and appends what it hands out,
    // all under the queue mutex, so nothing the UI thread appends can come
    // between. produce must not call this object (the change scan or the
    // firmware step builds frames and returns them). Returns how many
    // commands were appended.
    int AppendWhenIdle(const std::function<void(CSendDataList& out)>& produce);

    // Deletes the head (see the worker's rules), then clears the link status
    // bytes and g_pSendingCommand. An empty queue changes nothing.
    void RemoveHead();
    // Deletes every queued command, then resets the reply parser. The
    // command in flight lives on as long as the worker holds it.
    void ClearQueue();
    // The head goes out again from its first byte.
    void RewindHead();
    // Marks the head: the device asked for it again.
    void MarkHeadResend();
    // When the head waits long for its reply: removes it when ok is FALSE,
    // posts WM_OPERATION_DONE (0, ok) to the view and returns TRUE.
    // Otherwise does nothing and returns FALSE.
    bool ReportLongOperation(bool ok);

    // Drops a half-collected reply.
    void ResetParser();

private:
    // Under m_mutex: may a reply act on the head now?
    bool HeadIsReplyTarget() const;
    // Under m_mutex: takes the head out of the queue; the caller clears the
    // status after unlocking and lets the command go.
    std::shared_ptr<CSendData> TakeHead();
    static void AfterRemoval();

    std::atomic<CMsgTarget*> m_pOwner{nullptr};
    mutable std::mutex m_mutex;
    CSendDataQueue m_queue;
    std::shared_ptr<CSendData> m_pInFlight;
};
