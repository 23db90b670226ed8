#pragma once
// The USB link's steps, as the I/O worker runs them: the normal write and
// read of one command as 65-byte HID reports, and the write and read of one
// firmware-update command. All on the worker thread; every wait is cut in
// slices of at most USB_READ_SLICE_MS and ends soon after the worker's token
// is set or g_bUsbActive is cleared (the UI thread's brake).
//
// Normal traffic. The head goes out report by report (each write returns
// once the system has taken it); the reply is read report by report, each
// within USB_REPLY_WAIT_MS (USB_LONG_WAIT_MS for a long-wait head). A report
// that leaves the reply incomplete more than USB_TRANSACTION_LIMIT_MS after
// the write began, or a read that times out, ends the link with
// WM_LINK_FAILED. An 'R' answer ends the read: the next write sends the
// rewound head at once, and the third 'R' in a row ends the link. An I/O
// error (the device has gone) ends the step and the link.
//
// Update traffic. Each command is one report. The sync pattern is written
// for USB_SYNC_DURATION_MS and never answered. The erase is written at most
// four times, every other command twice (a rewrite follows an 'R'). Only a
// report whose item byte is the command's code is parsed. After HEXApply the
// device restarts into its loader: once HEXApply is answered, or the device
// goes away or fails I/O while it is awaited, the step pauses
// USB_RESTART_PAUSE_MS, lets go of the claim and opens the device again
// after a fresh discovery (it may come back under another path); a failed
// reopen ends the link, a reopened device goes on with the next command. Every failure of an update step also parks the
// worker (the suspend event) until the view stops it.
//
// A failure is reported once per link (WM_LINK_FAILED (0, 0) to the view),
// however many steps find the link broken before the view stops the worker.
#include <atomic>
#include <cstdint>
#include <memory>

#include "link/LinkTransport.h"
#include "link/ResendRun.h"

class CDeviceLink;
class CKTVCommand;
class CSendData;
class CUsbLink;

enum : int {
    USB_READ_SLICE_MS = 20,
    USB_REPLY_WAIT_MS = 2000,
    USB_LONG_WAIT_MS = 50000,
    USB_TRANSACTION_LIMIT_MS = 3000,
    USB_FAIL_PAUSE_MS = 10,
    USB_SYNC_DURATION_MS = 1000,
    USB_SYNC_PAUSE_MS = 5,
    USB_RESTART_PAUSE_MS = 5000,
    USB_ERASE_MAX_WRITES = 4,
    USB_UPDATE_MAX_WRITES = 2,
};

class CUsbTransport : public ILinkTransport {
public:
    CUsbTransport(CDeviceLink& link, CUsbLink& usb, CKTVCommand& command);
    CUsbTransport(const CUsbTransport&) = delete;
    CUsbTransport& operator=(const CUsbTransport&) = delete;

    // While g_bUsbActive: the write step, and the read step when the write
    // sent the whole head.
    void Transaction(const CCancelToken& cancel) override;
    // While g_bUsbActive: the update write, and the update read when the
    // write sent a report.
    void UpdateTransaction(const CCancelToken& cancel) override;

    // A USB link has started: its first failure will be reported.
    void LinkStarted();
    // The pause before reopening the device after HEXApply; tests shorten it.
    void SetRestartPause(int ms) { m_nRestartPauseMs = ms; }

private:
    enum : int { READ_STOPPED = -2, READ_ERROR = -1, READ_TIMEOUT = 0 };
    using Step = bool (CUsbTransport::*)(const CCancelToken& cancel);
    void Transact(Step write, Step read, const CCancelToken& cancel);

    // TRUE when the head was written whole, so the read follows.
    bool UsbWriteCommand(const CCancelToken& cancel);
    // TRUE when the reply (or a reported failure) ended the transaction.
    bool UsbReadReply(const CCancelToken& cancel);
    bool UsbUpdateWrite(const CCancelToken& cancel);
    bool WriteSyncPattern(const CCancelToken& cancel);
    bool UsbUpdateRead(const CCancelToken& cancel);
    // The device restarts after HEXApply: pause, let go, reopen.
    bool RestartAfterApply(const CCancelToken& cancel);

    // One input report into g_byHidInReport within ms: its size, or
    // READ_TIMEOUT, READ_ERROR, READ_STOPPED (cancelled, or g_bUsbActive
    // cleared).
    int ReadReport(int ms, const CCancelToken& cancel);
    // The report in g_byHidInReport to the reply parser; TRUE when a reply
    // completed.
    bool ParseUsbReport(const CCancelToken& cancel);
    // Ends the USB steps and reports the failure (once per link); with park,
    // the worker parks itself too.
    void FailLink(bool park);
    std::int64_t ElapsedMs() const;

    CDeviceLink& m_link;
    CUsbLink& m_usb;
    CKTVCommand& m_command;
    std::shared_ptr<CSendData> m_pHead;
    CResendRun m_resend;
    std::int64_t m_nTransStart = 0;
    // The firmware command being written (and read).
    int m_nUpdateCommand = 0;
    std::atomic<bool> m_bFailReported{false};
    std::atomic<int> m_nRestartPauseMs{USB_RESTART_PAUSE_MS};
};
