#pragma once
// One outgoing frame with its send state and command flags.
//
// A frame builder creates it and owns it until the caller appends it to the
// command queue; from then on the queue owns it, and the I/O worker is the
// only thread that touches its fields (the reply parser runs on the worker,
// or on the serial monitor while the worker waits for it). Flags are set by
// the sender before the command is appended.
#include <vector>

#include "platform/core/Types.h"

enum : int {
    // A HID output report: report id 0, then 64 frame bytes.
    HID_REPORT_SIZE = 65,
    HID_REPORT_PAYLOAD = HID_REPORT_SIZE - 1,
};

class CSendData {
public:
    CSendData() = default;
    CSendData(const CSendData&) = delete;
    CSendData& operator=(const CSendData&) = delete;

    // Takes the complete frame, from the preamble to the end byte; the
    // length becomes its size.
    void SetData(std::vector<BYTE> frame);
    // The frame bytes, or null when there are none.
    const BYTE* GetData() const;
    // The number of frame bytes to send; never more than the frame holds,
    // so a wrong length cannot make a send read past the buffer.
    void SetLength(int length);
    int GetLength() const { return m_nLength; }

    // How many times a write step has started sending this frame.
    void SetRetryCount(int count) { m_nRetryCount = count; }
    int GetRetryCount() const { return m_nRetryCount; }
    // Set on the commands of the bulk transfers.
    void SetCounted(bool counted) { m_bCounted = counted; }
    bool IsCounted() const { return m_bCounted; }
    // Transfer progress shown when the reply arrives; 0 = none.
    void SetProgressPos(int pos) { m_nProgressPos = pos; }
    int GetProgressPos() const { return m_nProgressPos; }
    // Last request of a read-back / last write of a download sequence. With
    // no link kind set they count only once the frame has been sent whole:
    // the last request while the cursor stands at the length, the last write
    // while it stands at or past it.
    void SetLastRequest(bool last) { m_bLastRequest = last; }
    bool IsLastRequest() const;
    void SetLastWrite(bool last) { m_bLastWrite = last; }
    bool IsLastWrite() const;
    // Any reply to this command ends the transfer shown by the popup.
    void SetEndTransfer(bool end) { m_bEndTransfer = end; }
    bool IsEndTransfer() const { return m_bEndTransfer; }
    // The reply may take long; its outcome is reported to the view.
    void SetLongWait(bool longWait) { m_bLongWait = longWait; }
    bool IsLongWait() const { return m_bLongWait; }
    // 0 for ordinary commands, else the firmware-update command's code.
    void SetCommandCode(int code) { m_nCommandCode = code; }
    int GetCommandCode() const { return m_nCommandCode; }
    // The device asked for this frame again.
    void SetResendRequested(bool resend) { m_bResendRequested = resend; }
    bool IsResendRequested() const { return m_bResendRequested; }

    // The whole frame goes out again from its first byte.
    void Rewind() { m_nSendCursor = 0; }
    // Packs the next HID report: report id 0, up to 64 frame bytes from the
    // send cursor, zeros behind the last one. FALSE, with the report left as
    // it was, when the whole frame has been packed already.
    bool NextReport(BYTE (&report)[HID_REPORT_SIZE]);

private:
    std::vector<BYTE> m_data;
    int m_nLength = 0;
    int m_nRetryCount = 0;
    bool m_bCounted = false;
    int m_nProgressPos = 0;
    bool m_bLastRequest = false;
    bool m_bLastWrite = false;
    int m_nSendCursor = 0;
    int m_nCommandCode = 0;
    bool m_bEndTransfer = false;
    bool m_bLongWait = false;
    bool m_bResendRequested = false;
};
