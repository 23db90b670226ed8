#pragma once
// The serial link's port: a COM port (a tty) carrying the same frames as the
// USB and network links, at 57600 baud, 8 data bits, no parity, 1 stop bit.
//
// Threads. The port lives on its own monitor thread from the open to the
// close: the QSerialPort is made, opened, configured, used and destroyed
// there, with no event loop (every wait is a waitForReadyRead or
// waitForBytesWritten of at most SERIAL_WAIT_SLICE_MS). OpenPort, run on the
// UI thread, waits only for the open's outcome. The monitor writes the
// command in flight, reads the answer byte by byte into the reply parser and
// writes again on a bad or missing answer; the I/O worker hands it each
// command (HandOver) and waits for the answer (WaitForReply).
//
// The two sides meet in five flags under one mutex and condition variable:
// stop (the monitor ends), send (write the command in flight), packet (a
// command is being worked on; the monitor sleeps while it is clear), reply
// (the answer has come) and start (StartMonitor was called); besides stop
// and send, the monitor waits for input on the line. Every wait of the monitor
// ends when stop is set, and the parser is fed with the monitor's own cancel
// token, which ClosePort sets first, so a synchronous delivery to the view
// never holds a close: ClosePort returns within a second in every state.
//
// A failing link (a hang-up, any line error but a time-out, an answer that
// never comes or keeps coming back bad) posts WM_LINK_FAILED (0, 3) to the
// view once; the monitor then only waits for ClosePort.
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <QString>

#include "platform/core/Types.h"

class CCancelToken;
class CKTVCommand;
class CMsgTarget;
class CSendData;
class QSerialPort;

enum : int {
    // The longest single wait on the port; stop is looked at between two.
    SERIAL_WAIT_SLICE_MS = 20,
    // How long the monitor waits for an answer, by the command.
    SERIAL_ANSWER_WAIT_MS = 500,
    SERIAL_LAST_OF_TRANSFER_WAIT_MS = 2000,
    SERIAL_UPDATE_ANSWER_WAIT_MS = 5000,
    // After a write: the device needs time to act on HEXApply.
    SERIAL_APPLY_PAUSE_MS = 4000,
    SERIAL_WRITE_PAUSE_MS = 10,
    SERIAL_READ_PAUSE_MS = 5,
    SERIAL_RETRY_READ_PAUSE_MS = 10,
    // Sends of one command before a missing or bad answer ends the link.
    SERIAL_MAX_SENDS = 4,
    // Reads that found nothing before the command is written again.
    SERIAL_IDLE_READ_LIMIT = 50,
    // 'R' answers in a row for one command that end the link.
    SERIAL_MAX_RESENDS = 3,
    // The port's input and output buffers.
    SERIAL_QUEUE_SIZE = 10000,
    // lParam of WM_LINK_FAILED from the serial link.
    SERIAL_LINK_FAILED = 3,
};

class CSerialPort {
public:
    // command: the view's queue and reply parser, which outlives the port.
    explicit CSerialPort(CKTVCommand& command);
    // Closes the port and ends the monitor.
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // UI thread. Ends a monitor still running, then opens the port (a path,
    // or a name under /dev) for reading and writing, held by this program
    // alone, and configures it from the settings text "baud=%d parity=%c
    // data=%d stop=%d": a text that does not check out is reported as
    // "BuildCommDCB()" and a setting the port refuses as "SetCommState()",
    // each in the system's message box, and the open goes on. RTS is raised
    // where the line has it. FALSE when the port cannot be opened; nothing
    // is reported then. owner, eventMask and writeBufferSize are kept as
    // given.
    bool OpenPort(CMsgTarget* owner, const QString& portName, int baud, char parity, int dataBits, int stopBits,
                  DWORD eventMask, int writeBufferSize);
    // UI thread, after a successful open: the monitor starts its passes.
    void StartMonitor();
    // UI thread: ends the monitor (its token first, then stop) and closes
    // the port. TRUE, also when it was never opened.
    bool ClosePort();

    // The I/O worker's hand-over: the answer flag cleared, then send and
    // packet set, so the monitor writes the command in flight.
    void HandOver();
    // Waits until the answer has come (TRUE), or the link failed, the port
    // was closed or cancel was set (FALSE).
    bool WaitForReply(const CCancelToken& cancel);

    // The monitor is making its passes (from StartMonitor until it ends).
    bool IsMonitorRunning() const { return m_bMonitorRunning.load(); }
    // The link failed; the monitor waits for ClosePort.
    bool IsFailed() const { return m_bFailed.load(); }
    // What the last open was given.
    QString GetPortName() const { return m_strPortName; }
    DWORD GetEventMask() const { return m_dwEventMask; }
    int GetWriteBufferSize() const { return m_nWriteBufferSize; }

    // The text of the system's message box for a failed configuration call.
    static QString CommErrorText(const QString& call, const QString& systemText, const QString& portName);

private:
    struct Settings;
    enum class Event { Stop, Send, Comm, LineError, Timeout };

    // The monitor thread: opens, waits for the start, makes its passes,
    // closes.
    void PortThread(const Settings& settings);
    // Opens the port; FALSE when it cannot. Each configuration call that
    // failed adds its name and the error's text to errors.
    bool OpenAndConfigure(QSerialPort& port, const Settings& settings,
                          std::vector<std::pair<QString, QString>>* errors);
    void MonitorThread();
    void ReportCommError(const QString& call, const QString& systemText) const;
    // Posts WM_LINK_FAILED (0, 3) once and wakes a waiting hand-over.
    void ReportLinkFailure();

    // Monitor: waits at most ms for stop, send or input on the line.
    Event WaitForEvent(int ms);
    // Monitor: waits until packet or stop is set; FALSE on stop.
    bool WaitForPacket();
    // Monitor: waits until stop is set.
    void WaitForStop();
    // Monitor: sleeps ms unless stop is set first; TRUE when stopped.
    bool SleepUnlessStopped(int ms);
    void OnTimeout(const std::shared_ptr<CSendData>& command);
    void WritePacket();
    void ReadReply();
    // The bytes waiting on the line; FALSE on a line error.
    bool QueueStatus(qint64* available);
    // The command is written again once more, or the link fails when it has
    // been sent SERIAL_MAX_SENDS times.
    void ResendOrFail(const std::shared_ptr<CSendData>& command);
    void ResendRequested(const std::shared_ptr<CSendData>& command);
    void AnswerArrived();
    void EndResendRun();

    void SetFlag(bool CSerialPort::*flag, bool value);
    bool StopSet() const { return m_bStop.load(); }

    CKTVCommand& m_command;

    // Guards the flags and the thread's state; the monitor is the only
    // thread that touches the port itself (m_pPort), so no lock guards it.
    mutable std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_bStopFlag = false;
    bool m_bSend = false;
    bool m_bPacket = false;
    bool m_bReply = false;
    bool m_bStart = false;
    // The open's outcome has come, and what it was.
    bool m_bOpenDone = false;
    bool m_bOpened = false;
    // The open's configuration errors (call, text), shown by OpenPort.
    std::vector<std::pair<QString, QString>> m_astrOpenErrors;

    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bFailed{false};
    std::atomic<bool> m_bMonitorRunning{false};
    std::unique_ptr<std::thread> m_pMonitor;
    std::shared_ptr<CCancelToken> m_pMonitorCancel;
    QSerialPort* m_pPort = nullptr;

    // The command the device last answered with 'R', and how many times in
    // a row (monitor only).
    std::weak_ptr<CSendData> m_pResendCommand;
    int m_nResendRun = 0;

    CMsgTarget* m_pOwner = nullptr;
    QString m_strPortName;
    DWORD m_dwEventMask = 0;
    int m_nWriteBufferSize = 0;
};
