#pragma once
// The network link's steps, as the I/O worker runs them: the normal write
// and read of one command over the TCP connection, and the write and read
// of one firmware-update command. All on the worker thread.
//
// Normal traffic. A command goes out in one send and is sent at most twice:
// a missing answer (the receive time-out, a closed or reset connection)
// reconnects while the device is still on a local subnet, and the third
// attempt of the same command ends the link with WM_LINK_FAILED (lParam 0).
// A device no longer on any local subnet ends the link at once. An 'R'
// answer ("send again") ends the read; the next write sends the same frame
// at once on the same connection, which is not counted as an attempt, and
// the third 'R' in a row for one command ends the link. A transaction still
// unanswered after NET_TRANSACTION_LIMIT_S whole seconds reconnects or ends
// the link with lParam 2. A command marked long-wait (a restore of the
// network module's defaults) is waited for up to NET_LONG_WAIT_MS; its
// outcome, failure when the module drops the connection, goes to the view
// once as WM_OPERATION_DONE and the command leaves the queue.
//
// Update traffic. Each command goes out as 65-byte reports, as over USB,
// at most twice; the sync pattern is repeated for 4 s and never answered;
// HEXEnd is not read. The read waits as long as the command needs; a reset
// connection (the device restarting after HEXApply) is reconnected.
#include <cstdint>
#include <memory>

#include "link/LinkTransport.h"
#include "link/ResendRun.h"

class CDeviceLink;
class CKTVCommand;
class CNet_Socket;
class CSendData;

enum : int {
    NET_MAX_SENDS = 2,           // attempts of one command before the link fails
    NET_UPDATE_MAX_SENDS = 2,    // attempts of one update command
    NET_RECONNECT_PAUSE_MS = 2000,
    NET_UPDATE_RESEND_PAUSE_MS = 1000,  // after a failed update send
    NET_TRANSACTION_LIMIT_S = 4,
    NET_LONG_WAIT_MS = 34000,
    NET_SYNC_DURATION_MS = 4000,
    NET_SYNC_PAUSE_MS = 5,
    NET_UPDATE_IDLE_MS = 100,    // update step while the device is unreachable
};

class CNetTransport : public ILinkTransport {
public:
    CNetTransport(CDeviceLink& link, CNet_Socket& net, CKTVCommand& command);
    CNetTransport(const CNetTransport&) = delete;
    CNetTransport& operator=(const CNetTransport&) = delete;

    // While the network link is up: the write step, and the read step when
    // the write sent a command.
    void Transaction(const CCancelToken& cancel) override;
    // While the network link is up and the device reachable: the update
    // write, and the update read when the write sent a command.
    void UpdateTransaction(const CCancelToken& cancel) override;

private:
    using Step = bool (CNetTransport::*)(const CCancelToken& cancel);
    // The network link is not up: pauses and says so.
    bool LinkDown(const CCancelToken& cancel);
    // One transaction: the write, and the read when the write sent.
    void Transact(Step write, Step read, const CCancelToken& cancel);

    // TRUE when the head went out and its reply must be read.
    bool NetWriteCommand(const CCancelToken& cancel);
    // TRUE when the reply ended the transaction (or the link failed).
    bool NetReadReply(const CCancelToken& cancel);
    bool ReadLongWaitReply(const CCancelToken& cancel);
    // The answer did not come: reconnect or end the link.
    bool ReplyLost(const CCancelToken& cancel);
    // The device answered 'R'.
    bool ResendRequested(const CCancelToken& cancel);

    bool NetUpdateWrite(const CCancelToken& cancel);
    bool SendSyncPattern(const CCancelToken& cancel);
    bool NetUpdateRead(const CCancelToken& cancel);

    // Closes the connection, drops a half-read reply, pauses and connects
    // again. FALSE when cancelled (nothing is done once the token is set)
    // or when the connect failed.
    bool Reconnect(int pauseMs, const CCancelToken& cancel);
    // One receive (at most NET_RX_SHORT_SIZE bytes with shortRead) into
    // g_byNetRxBuffer; *result gets the receive's result, *count the bytes
    // received. FALSE when cancelled: nothing received may be used then.
    bool ReceiveOnce(bool shortRead, int* result, int* count, const CCancelToken& cancel);
    // Clears the network link flags and posts WM_LINK_FAILED (0, who).
    void FailLink(int who);
    // Whole milliseconds since the transaction began.
    std::int64_t ElapsedMs() const;

    CDeviceLink& m_link;
    CNet_Socket& m_net;
    CKTVCommand& m_command;
    // The command this transaction sends; it lives on while the step holds
    // it even when the queue is cleared meanwhile.
    std::shared_ptr<CSendData> m_pHead;
    // The device's 'R' answers to one command in a row.
    CResendRun m_resend;
    std::int64_t m_nTransStart = 0;
};
