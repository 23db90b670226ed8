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
//
// The reply parser. The transports hand it what they receive, on their own
// thread (the I/O worker; the serial monitor for a serial link). It collects
// one reply frame, checks its end byte and XOR and acts on its class: 'Q'
// (acknowledged) removes the head, 'R' (send again) rewinds it, 'S' (data)
// stores the payload into the image, the machine presets or the system bytes
// and removes the head. Stores are made under g_ParameterSetLock, released
// before anything is posted or delivered. Every value from the device is
// checked against the place it goes to: a reply that does not fit (a block
// of the wrong size, a slot or channel out of range, a fixed-size item that
// came short, a table that would overflow) stores nothing and is otherwise
// handled as a stored one, so the transaction ends and the head goes.
// The progress of a transfer (and of a firmware update) is counted only when
// a reply removes the head.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "link/FrameCollector.h"
#include "link/SendDataQueue.h"
#include "link/UpdateProgress.h"

class CCancelToken;
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

    // ---- Reply parser --------------------------------------------------------
    // Each feed returns TRUE when a reply completed and ends the read step
    // ('Q', 'S' and unknown classes), FALSE when the step must read on
    // (nothing complete yet, a frame that failed its checks, or 'R').
    // cancel is the feeding worker's token: it ends the one wait the parser
    // has, the synchronous delivery of system items 6 and 7 to the owner.
    //
    // One USB input report: report id in byte 0, frame bytes 1 to 64; count
    // is the report's size (65). The frame bytes are zeroed in the report as
    // they are taken. A count of 0 returns TRUE at once. (The USB read step
    // tests its device handle itself before it feeds.)
    bool FeedHidReport(BYTE (&report)[HID_REPORT_SIZE], int count, const CCancelToken* cancel = nullptr);
    // count bytes of one network receive, zeroed in buffer as they are taken.
    bool FeedNetworkBytes(BYTE* buffer, int count, const CCancelToken* cancel = nullptr);
    // One byte from the serial line.
    bool FeedSerialByte(BYTE byte, const CCancelToken* cancel = nullptr);
    // One delivery of count bytes: hunts and collects; the dispatch's result
    // when a frame completed, FALSE otherwise.
    bool FeedBytes(const BYTE* data, int count, const CCancelToken* cancel = nullptr);

    // The network update read step's end of an update: HEXEnd is not
    // answered over the network, so sending it finishes the update.
    void FinishUpgrade();
    // Drops a half-collected reply. Any thread.
    void ResetParser();

    // For tests: the hunter's state and the update bookkeeping.
    const CFrameCollector& Collector() const { return m_collector; }
    const CUpdateProgress& UpdateProgress() const { return m_updateProgress; }

private:
    struct Reply;
    // Checks and dispatches one complete frame.
    bool CmdCallback(const BYTE* frame, int length, const CCancelToken* cancel);
    // Progress of the head, counted when the reply removes it.
    void UpDataPGRange();
    void HandleDataReply(const Reply& reply, const CCancelToken* cancel);
    // Each store answers whether it stored; a refused reply stores nothing.
    bool StoreInputChannel(const Reply& reply);
    bool StoreOutputChannel(const Reply& reply);
    bool StoreSystemItem(const Reply& reply, const CCancelToken* cancel);
    bool StoreStatusReply(const Reply& reply);
    // The command a reply answers now (the head, while it is the command in
    // flight or none is), or null.
    std::shared_ptr<CSendData> ReplyTarget() const;

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
    CFrameCollector m_collector;
    CUpdateProgress m_updateProgress;
};

// The main view's queue and parser while the view exists, null otherwise:
// the serial monitor feeds it and resets its parser.
extern std::atomic<CKTVCommand*> g_pCommand;
