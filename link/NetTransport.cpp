#include "link/NetTransport.h"

#include <QString>

#include "link/DeviceLink.h"
#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "link/Net_Socket.h"
#include "model/LinkState.h"
#include "model/SendData.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"
#include "platform/core/Language.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/PerfCounter.h"

namespace {
// lParam of WM_LINK_FAILED: who failed.
constexpr LPARAM FAILED_WRITE = 0;
constexpr LPARAM FAILED_READ_LIMIT = 2;

// The sync pattern fills a report after its id: 0x43 at the odd bytes, 0x11
// at the even ones.
constexpr BYTE SYNC_ODD = 0x43;
constexpr BYTE SYNC_EVEN = 0x11;

// How long the update read waits for the answer to each command.
int UpdateReadTimeoutMs(int command)
{
    switch (command) {
    case HEXApply:
        return 10000;
    case HEXStart:
        return 8000;
    case HEXData:
        return 2000;
    case IAP_DSP_REQUEST_INFO:
        return 50000;
    case IAP_DSP_DATA:
        return 10000;
    case IAP_DSP_END_INF:
        return 8000;
    default:
        return NET_DEFAULT_TIMEOUT_MS;
    }
}

void PostToView(UINT message, LPARAM lParam)
{
    PostMessage(g_pNotifyView.load(), message, 0, lParam);
}
}  // namespace

CNetTransport::CNetTransport(CDeviceLink& link, CNet_Socket& net, CKTVCommand& command)
    : m_link(link), m_net(net), m_command(command)
{
}

std::int64_t CNetTransport::ElapsedMs() const
{
    return (QueryPerformanceCounter() - m_nTransStart) / (g_liPerfFreq / 1000);
}

void CNetTransport::FailLink(int who)
{
    ClearNetLinkFlags();
    PostToView(WM_LINK_FAILED, who);
}

bool CNetTransport::Reconnect(int pauseMs, const CCancelToken& cancel)
{
    if (cancel.IsSet())
        return false;
    m_net.Close();
    // A reply cut off with the old connection must not be continued by the
    // first bytes of the new one.
    m_command.ResetParser();
    if (CCancelToken::Sleep(&cancel, pauseMs))
        return false;
    return m_net.Connect(&cancel);
}

bool CNetTransport::ReceiveOnce(bool shortRead, int* result, int* count, const CCancelToken& cancel)
{
    *result = shortRead ? m_net.ReceiveShort(count, &cancel) : m_net.Receive(count, &cancel);
    return !cancel.IsSet();
}

// ---- Normal traffic -----------------------------------------------------------

bool CNetTransport::LinkDown(const CCancelToken& cancel)
{
    if (g_bNetLinkUp)
        return false;
    CCancelToken::Sleep(&cancel, IO_LINK_DOWN_PAUSE_MS);
    return true;
}

void CNetTransport::Transact(Step write, Step read, const CCancelToken& cancel)
{
    m_nTransStart = QueryPerformanceCounter();
    if ((this->*write)(cancel))
        (this->*read)(cancel);
    m_pHead.reset();
}

void CNetTransport::Transaction(const CCancelToken& cancel)
{
    if (!LinkDown(cancel))
        Transact(&CNetTransport::NetWriteCommand, &CNetTransport::NetReadReply, cancel);
}

bool CNetTransport::NetWriteCommand(const CCancelToken& cancel)
{
    if (cancel.IsSet())
        return false;
    m_pHead = m_link.TakeNormalHead();
    if (!m_pHead)
        return false;
    // The frame the device asked for again goes out at once; that is not a
    // new attempt.
    if (!m_resend.TakeResend(m_pHead)) {
        const int attempt = m_pHead->GetRetryCount() + 1;
        m_pHead->SetRetryCount(attempt);
        if (attempt > NET_MAX_SENDS) {
            if (attempt == NET_MAX_SENDS + 1)
                FailLink(FAILED_WRITE);
            return false;
        }
    }
    m_pHead->Rewind();
    if (!m_net.Send(reinterpret_cast<const char*>(m_pHead->GetData()), m_pHead->GetLength(), &cancel)) {
        // The next step sends the head again on the new connection.
        Reconnect(NET_RECONNECT_PAUSE_MS, cancel);
        return false;
    }
    return true;
}

bool CNetTransport::NetReadReply(const CCancelToken& cancel)
{
    if (m_pHead->IsLongWait())
        return ReadLongWaitReply(cancel);
    for (;;) {
        int result = 0;
        int count = 0;
        if (!ReceiveOnce(false, &result, &count, cancel))
            return false;
        // A time-out, or a count of 0 or less: the device closed or dropped
        // the connection, and no byte of it may reach the parser.
        if (result == NET_ERR_TIMEDOUT || count <= 0)
            return ReplyLost(cancel);
        if (m_command.FeedNetworkBytes(g_byNetRxBuffer, count, &cancel)) {
            m_resend.End();
            return true;
        }
        if (cancel.IsSet())
            return false;
        if (m_pHead->IsResendRequested())
            return ResendRequested(cancel);
        if (ElapsedMs() >= NET_TRANSACTION_LIMIT_S * 1000) {
            m_resend.End();
            if (m_link.IsConnected()) {
                if (m_net.IsDeviceReachable())
                    Reconnect(NET_RECONNECT_PAUSE_MS, cancel);
                else
                    FailLink(FAILED_READ_LIMIT);
            }
            return false;
        }
    }
}

bool CNetTransport::ReplyLost(const CCancelToken& cancel)
{
    m_resend.End();
    if (m_net.IsDeviceReachable()) {
        Reconnect(NET_RECONNECT_PAUSE_MS, cancel);
        return false;
    }
    FailLink(FAILED_WRITE);
    return true;
}

bool CNetTransport::ResendRequested(const CCancelToken& cancel)
{
    if (m_resend.Answered(m_pHead) && !cancel.IsSet())
        FailLink(FAILED_WRITE);
    return true;
}

bool CNetTransport::ReadLongWaitReply(const CCancelToken& cancel)
{
    for (;;) {
        int result = 0;
        int count = 0;
        if (!ReceiveOnce(false, &result, &count, cancel))
            return false;
        if (count > 0) {
            const bool completed = m_command.FeedNetworkBytes(g_byNetRxBuffer, count, &cancel);
            if (cancel.IsSet())
                return false;
            // The parser has reported the outcome and removed the command
            // ('Q' or 'R').
            if (completed || m_command.GetInFlight() != m_pHead) {
                g_bTransferBusy = false;
                return true;
            }
        } else if (result != NET_ERR_TIMEDOUT) {
            break;  // the module dropped the connection
        }
        if (ElapsedMs() >= NET_LONG_WAIT_MS)
            break;
    }
    g_bTransferBusy = false;
    m_command.ReportLongOperation(false);
    return true;
}

// ---- Update traffic -------------------------------------------------------------

void CNetTransport::UpdateTransaction(const CCancelToken& cancel)
{
    if (LinkDown(cancel))
        return;
    if (!m_net.IsReachable()) {
        CCancelToken::Sleep(&cancel, NET_UPDATE_IDLE_MS);
        return;
    }
    Transact(&CNetTransport::NetUpdateWrite, &CNetTransport::NetUpdateRead, cancel);
}

bool CNetTransport::NetUpdateWrite(const CCancelToken& cancel)
{
    if (!m_net.IsReachable() || cancel.IsSet())
        return false;
    m_pHead = m_link.TakeUpdateHead(cancel);
    if (!m_pHead)
        return false;
    const int code = m_pHead->GetCommandCode();
    if (m_pHead->GetRetryCount() > NET_UPDATE_MAX_SENDS) {
        PostToView(WM_LINK_FAILED, FAILED_WRITE);
        return false;
    }
    m_pHead->Rewind();
    if (code == HEXSync)
        return SendSyncPattern(cancel);

    BYTE report[HID_REPORT_SIZE];
    while (m_pHead->NextReport(report)) {
        if (!m_net.Send(reinterpret_cast<const char*>(report), HID_REPORT_SIZE, &cancel)) {
            if (cancel.IsSet())
                return false;
            m_net.Close();
            if (CCancelToken::Sleep(&cancel, NET_UPDATE_RESEND_PAUSE_MS))
                return false;
            if (!m_net.IsReachable()) {
                PostToView(WM_LINK_FAILED, FAILED_WRITE);
                return false;
            }
            // The frame starts again on the new connection.
            Reconnect(0, cancel);
            m_pHead->Rewind();
            continue;
        }
        if (!m_net.IsReachable())
            return false;
    }
    return true;
}

bool CNetTransport::SendSyncPattern(const CCancelToken& cancel)
{
    BYTE report[HID_REPORT_SIZE] = {};
    for (int k = 1; k < HID_REPORT_SIZE; ++k)
        report[k] = (k % 2) ? SYNC_ODD : SYNC_EVEN;
    const QString status = UpdateConnectingText(true);
    for (;;) {
        if (!m_net.Send(reinterpret_cast<const char*>(report), HID_REPORT_SIZE, &cancel)) {
            Reconnect(NET_RECONNECT_PAUSE_MS, cancel);
            if (cancel.IsSet())
                return false;
        }
        ShowUpdateStatus(status);
        // The sync is never answered: after its time it simply goes.
        if (ElapsedMs() > NET_SYNC_DURATION_MS) {
            m_command.RemoveHead();
            return false;
        }
        if (!m_net.IsReachable())
            return false;
        // A pause between two patterns, as over USB, so the device is not
        // flooded for the whole time.
        if (CCancelToken::Sleep(&cancel, NET_SYNC_PAUSE_MS))
            return false;
    }
}

bool CNetTransport::NetUpdateRead(const CCancelToken& cancel)
{
    const int code = m_pHead->GetCommandCode();
    // HEXEnd is not answered over the network: sending it ends the update.
    if (code == HEXEnd) {
        m_command.FinishUpgrade();
        return true;
    }
    for (;;) {
        if (code == IAP_DSP_REQUEST_INFO)
            ShowUpdateStatus(g_bChinese ? QStringLiteral("擦除中......") : QStringLiteral("Erasing......"));
        m_net.SetReceiveTimeout(UpdateReadTimeoutMs(code));
        if (!m_net.IsReachable())
            return false;
        int result = 0;
        int count = 0;
        if (!ReceiveOnce(true, &result, &count, cancel))
            return false;
        if (result == NET_ERR_RESET) {
            // The device restarts (after HEXApply): connect to it again.
            if (CCancelToken::Sleep(&cancel, NET_RECONNECT_PAUSE_MS))
                return false;
            if (m_net.IsReachable())
                Reconnect(0, cancel);
            else
                PostToView(WM_LINK_FAILED, FAILED_WRITE);
            return true;
        }
        if (result == NET_ERR_TIMEDOUT) {
            if (m_net.IsReachable())
                Reconnect(0, cancel);
            else
                PostToView(WM_LINK_FAILED, FAILED_WRITE);
            return true;
        }
        // Closed by the device, or another error: nothing to parse.
        if (count <= 0)
            return false;
        if (m_command.FeedNetworkBytes(g_byNetRxBuffer, count, &cancel))
            return true;
    }
}
