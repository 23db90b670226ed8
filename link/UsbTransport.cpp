#include "link/UsbTransport.h"

#include <algorithm>

#include <QString>

#include "link/DeviceLink.h"
#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "link/UsbLink.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "model/SendData.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"
#include "platform/core/Language.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/PerfCounter.h"

namespace {
// The sync pattern fills a report after its id: 0x43 at the odd bytes, 0x11
// at the even ones.
constexpr BYTE SYNC_ODD = 0x43;
constexpr BYTE SYNC_EVEN = 0x11;
// Where an input report carries the frame's item byte (after the report id).
constexpr int REPORT_ITEM_BYTE = 1 + FRAME_ITEM_BYTE;

// How long the update read waits for the answer to each command.
int UpdateWaitMs(int command)
{
    switch (command) {
    case HEXApply:
        return 3000;
    case HEXStart:
        return 8000;
    case IAP_DSP_REQUEST_INFO:
        return 40000;
    case IAP_DSP_DATA:
        return 10000;
    case IAP_DSP_END_INF:
        return 20000;
    case HEXData:
    case HEXEnd:
    default:
        return 2000;
    }
}
}  // namespace

CUsbTransport::CUsbTransport(CDeviceLink& link, CUsbLink& usb, CKTVCommand& command)
    : m_link(link), m_usb(usb), m_command(command)
{
}

void CUsbTransport::LinkStarted()
{
    m_bFailReported = false;
}

std::int64_t CUsbTransport::ElapsedMs() const
{
    return (QueryPerformanceCounter() - m_nTransStart) / (g_liPerfFreq / 1000);
}

void CUsbTransport::FailLink(bool park)
{
    if (park)
        m_link.IoEvents().Set(IO_EVENT_SUSPEND);
    g_bUsbActive = false;
    if (!m_bFailReported.exchange(true))
        PostMessage(g_pNotifyView.load(), WM_LINK_FAILED, 0, 0);
}

void CUsbTransport::Transact(Step write, Step read, const CCancelToken& cancel)
{
    m_nTransStart = QueryPerformanceCounter();
    if ((this->*write)(cancel))
        (this->*read)(cancel);
    m_pHead.reset();
}

int CUsbTransport::ReadReport(int ms, const CCancelToken& cancel)
{
    const std::int64_t end = QueryPerformanceCounter() + std::int64_t(ms) * (g_liPerfFreq / 1000);
    for (;;) {
        if (cancel.IsSet() || !g_bUsbActive)
            return READ_STOPPED;
        const std::int64_t left = (end - QueryPerformanceCounter()) / (g_liPerfFreq / 1000);
        const int n = m_usb.Read(g_byHidInReport, int(std::clamp<std::int64_t>(left, 0, USB_READ_SLICE_MS)));
        if (n < 0)
            return READ_ERROR;
        if (n > 0)
            return n;
        if (left <= 0)
            return READ_TIMEOUT;
    }
}

bool CUsbTransport::ParseUsbReport(const CCancelToken& cancel)
{
    return m_command.FeedHidReport(g_byHidInReport, HID_REPORT_SIZE, &cancel);
}

// ---- Normal traffic ---------------------------------------------------------------

void CUsbTransport::Transaction(const CCancelToken& cancel)
{
    Transact(&CUsbTransport::UsbWriteCommand, &CUsbTransport::UsbReadReply, cancel);
}

bool CUsbTransport::UsbWriteCommand(const CCancelToken& cancel)
{
    if (cancel.IsSet() || m_bFailReported)
        return false;
    if (!m_usb.IsOpen()) {
        // Sent again from its first byte by the next step.
        if (m_usb.OpenHidDevice())
            m_command.RewindHead();
        else
            FailLink(false);
        return false;
    }
    if (!g_bUsbActive)
        return false;
    m_pHead = m_link.TakeNormalHead();
    if (!m_pHead)
        return false;
    // A frame the device asked for again goes out at once (the parser has
    // rewound it).
    m_resend.TakeResend(m_pHead);
    while (m_pHead->NextReport(g_byHidOutReport)) {
        if (m_usb.Write(g_byHidOutReport) < 0) {
            FailLink(false);
            return false;
        }
        if (!g_bUsbActive || cancel.IsSet())
            return false;
    }
    return true;
}

bool CUsbTransport::UsbReadReply(const CCancelToken& cancel)
{
    const bool longWait = m_pHead->IsLongWait();
    const int waitMs = longWait ? USB_LONG_WAIT_MS : USB_REPLY_WAIT_MS;
    const int limitMs = longWait ? USB_LONG_WAIT_MS : USB_TRANSACTION_LIMIT_MS;
    for (;;) {
        const int read = ReadReport(waitMs, cancel);
        if (read == READ_STOPPED)
            return false;
        if (read == READ_ERROR) {
            FailLink(false);
            return false;
        }
        if (read == READ_TIMEOUT) {
            m_usb.Purge();
            if (g_bUsbActive)
                FailLink(false);
            return true;
        }
        if (ParseUsbReport(cancel)) {
            m_resend.End();
            return true;
        }
        if (cancel.IsSet())
            return false;
        if (m_pHead->IsResendRequested()) {
            // Ends the read; the next write sends the head again.
            if (m_resend.Answered(m_pHead))
                FailLink(false);
            return true;
        }
        if (ElapsedMs() > limitMs) {
            CCancelToken::Sleep(&cancel, USB_FAIL_PAUSE_MS);
            if (g_bUsbActive && !cancel.IsSet())
                FailLink(false);
            return false;
        }
    }
}

// ---- Update traffic ------------------------------------------------------------------

void CUsbTransport::UpdateTransaction(const CCancelToken& cancel)
{
    if (!g_bUsbActive || m_bFailReported) {
        CCancelToken::Sleep(&cancel, IO_LINK_DOWN_PAUSE_MS);
        return;
    }
    Transact(&CUsbTransport::UsbUpdateWrite, &CUsbTransport::UsbUpdateRead, cancel);
}

bool CUsbTransport::UsbUpdateWrite(const CCancelToken& cancel)
{
    if (!m_usb.IsOpen() || !g_bUsbActive || cancel.IsSet())
        return false;
    m_pHead = m_link.TakeUpdateHead(cancel);
    if (!m_pHead)
        return false;
    const int code = m_pHead->GetCommandCode();
    m_nUpdateCommand = code;
    const int writes = m_pHead->GetRetryCount();
    if (writes > (code == IAP_DSP_REQUEST_INFO ? USB_ERASE_MAX_WRITES : USB_UPDATE_MAX_WRITES)) {
        FailLink(false);
        return false;
    }
    m_pHead->SetResendRequested(false);
    if (code == HEXSync)
        return WriteSyncPattern(cancel);
    if (!m_pHead->NextReport(g_byHidOutReport))
        return true;
    if (m_usb.Write(g_byHidOutReport) < 0) {
        FailLink(true);
        return false;
    }
    return g_bUsbActive && !cancel.IsSet();
}

bool CUsbTransport::WriteSyncPattern(const CCancelToken& cancel)
{
    g_byHidOutReport[0] = 0;
    for (int k = 1; k < HID_REPORT_SIZE; ++k)
        g_byHidOutReport[k] = (k % 2) ? SYNC_ODD : SYNC_EVEN;
    const QString status = UpdateConnectingText(false);
    for (;;) {
        // The device may leave while it switches over: a failed write of
        // the pattern is not a failure of the link.
        m_usb.Write(g_byHidOutReport);
        if (CCancelToken::Sleep(&cancel, USB_SYNC_PAUSE_MS))
            return false;
        ShowUpdateStatus(status);
        // The sync is never answered: after its time it simply goes.
        if (ElapsedMs() > USB_SYNC_DURATION_MS) {
            m_command.RemoveHead();
            return false;
        }
        if (!g_bUsbActive)
            return false;
    }
}

bool CUsbTransport::UsbUpdateRead(const CCancelToken& cancel)
{
    const int code = m_nUpdateCommand;
    const bool apply = code == HEXApply;
    const int waitMs = UpdateWaitMs(code);
    if (code == IAP_DSP_REQUEST_INFO)
        ShowUpdateStatus(g_bChinese ? QStringLiteral("擦除中......") : QStringLiteral("Erasing......"));
    for (;;) {
        const int read = ReadReport(waitMs, cancel);
        if (cancel.IsSet())
            return false;
        if (read == READ_STOPPED) {
            // g_bUsbActive was cleared: the device went away, which after
            // HEXApply is its restart.
            return apply ? RestartAfterApply(cancel) : true;
        }
        if (read == READ_ERROR) {
            if (apply)
                return RestartAfterApply(cancel);
            FailLink(true);
            return false;
        }
        if (read == READ_TIMEOUT) {
            // The device is still there and did not answer.
            if (g_bUsbActive)
                FailLink(true);
            return true;
        }
        if (g_bUpdateCancelled)
            return true;
        // A report for another command is not parsed.
        const bool completed = g_byHidInReport[REPORT_ITEM_BYTE] == code && ParseUsbReport(cancel);
        if (completed)
            return apply ? RestartAfterApply(cancel) : true;
        if (cancel.IsSet())
            return false;
        if (m_pHead->IsResendRequested()) {
            // The erase is written again by the next step.
            if (code != IAP_DSP_REQUEST_INFO)
                FailLink(true);
            return false;
        }
        if (ElapsedMs() > waitMs) {
            CCancelToken::Sleep(&cancel, USB_FAIL_PAUSE_MS);
            if (g_bUsbActive && !cancel.IsSet())
                FailLink(true);
            return false;
        }
    }
}

bool CUsbTransport::RestartAfterApply(const CCancelToken& cancel)
{
    if (CCancelToken::Sleep(&cancel, m_nRestartPauseMs))
        return false;
    m_usb.ReleaseUsbPath();
    if (!m_usb.ReopenUsb()) {
        FailLink(true);
        return true;
    }
    // The restart is what HEXApply asked for, answered or not: the update
    // goes on with the next command.
    if (m_command.GetInFlight() == m_pHead)
        m_command.RemoveHead();
    return true;
}
