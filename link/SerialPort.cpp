#include "link/SerialPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include <QEventLoop>
#include <QSerialPort>

#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "link/LinkStatus.h"
#include "model/LinkState.h"
#include "model/SendData.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/MsgTarget.h"

namespace {
using Clock = std::chrono::steady_clock;

const char COMM_ERROR_CAPTION[] = "Application Error";

// The port settings as the settings text gives them.
struct CommSettings {
    int baud = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Reads "baud=%d parity=%c data=%d stop=%d" back; FALSE when a value is not
// one a port can take: parity other than N, O, E, M or S, data bits outside
// 5 to 8, stop bits other than 1 or 2, a baud rate of 0 or less.
bool BuildCommSettings(const QString& text, CommSettings* out)
{
    const QStringList fields = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() != 4)
        return false;
    QString values[4];
    const char* const keys[4] = {"baud=", "parity=", "data=", "stop="};
    for (int k = 0; k < 4; ++k) {
        if (!fields[k].startsWith(QLatin1String(keys[k]), Qt::CaseInsensitive))
            return false;
        values[k] = fields[k].mid(int(std::strlen(keys[k])));
    }
    bool ok = false;
    out->baud = values[0].toInt(&ok);
    if (!ok || out->baud <= 0 || values[1].size() != 1)
        return false;
    switch (values[1][0].toUpper().toLatin1()) {
    case 'N':
        out->parity = QSerialPort::NoParity;
        break;
    case 'O':
        out->parity = QSerialPort::OddParity;
        break;
    case 'E':
        out->parity = QSerialPort::EvenParity;
        break;
    case 'M':
        out->parity = QSerialPort::MarkParity;
        break;
    case 'S':
        out->parity = QSerialPort::SpaceParity;
        break;
    default:
        return false;
    }
    const int data = values[2].toInt(&ok);
    if (!ok || data < 5 || data > 8)
        return false;
    out->dataBits = QSerialPort::DataBits(data);
    const int stop = values[3].toInt(&ok);
    if (!ok || (stop != 1 && stop != 2))
        return false;
    out->stopBits = stop == 1 ? QSerialPort::OneStop : QSerialPort::TwoStop;
    return true;
}

// A line error other than a wait that ran out: the line is gone or broken.
bool IsLineError(const QSerialPort& port)
{
    return port.error() != QSerialPort::NoError && port.error() != QSerialPort::TimeoutError;
}

// The idle-read count kept in the link status bytes.
int IdleReads()
{
    return g_byLinkStatus[LINK_STATUS_IDLE_COUNT] | (g_byLinkStatus[LINK_STATUS_IDLE_COUNT + 1] << 8);
}

void SetIdleReads(int count)
{
    g_byLinkStatus[LINK_STATUS_IDLE_COUNT] = BYTE(count);
    g_byLinkStatus[LINK_STATUS_IDLE_COUNT + 1] = BYTE(count >> 8);
}
}  // namespace

struct CSerialPort::Settings {
    QString portName;
    QString text;
};

CSerialPort::CSerialPort(CKTVCommand& command) : m_command(command) {}

CSerialPort::~CSerialPort()
{
    ClosePort();
}

QString CSerialPort::CommErrorText(const QString& call, const QString& systemText, const QString& portName)
{
    return QStringLiteral("WARNING:  ") + call + QStringLiteral(" Failed with the following error: \n") + systemText +
           QStringLiteral("\nPort: ") + portName + QStringLiteral("\n");
}

void CSerialPort::ReportCommError(const QString& call, const QString& systemText) const
{
    SystemMessageBox(QString::fromLatin1(COMM_ERROR_CAPTION), CommErrorText(call, systemText, m_strPortName),
                     MB_OK | MB_ICONERROR);
}

void CSerialPort::SetFlag(bool CSerialPort::*flag, bool value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    this->*flag = value;
    m_condition.notify_all();
}

// ---- Open and close (UI thread) -------------------------------------------------

bool CSerialPort::OpenPort(CMsgTarget* owner, const QString& portName, int baud, char parity, int dataBits,
                           int stopBits, DWORD eventMask, int writeBufferSize)
{
    ClosePort();
    m_pOwner = owner;
    m_strPortName = portName;
    m_dwEventMask = eventMask;
    m_nWriteBufferSize = writeBufferSize;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopFlag = m_bSend = m_bPacket = m_bReply = m_bStart = false;
        m_bOpenDone = m_bOpened = false;
        m_astrOpenErrors.clear();
    }
    m_bStop = false;
    m_bFailed = false;
    m_pMonitorCancel = std::make_shared<CCancelToken>();

    Settings settings;
    settings.portName = portName;
    settings.text = QString::asprintf("baud=%d parity=%c data=%d stop=%d", baud, parity, dataBits, stopBits);
    m_pMonitor = std::make_unique<std::thread>([this, settings] { PortThread(settings); });

    std::vector<std::pair<QString, QString>> errors;
    bool opened = false;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_condition.wait(lock, [this] { return m_bOpenDone; });
        opened = m_bOpened;
        errors.swap(m_astrOpenErrors);
    }
    if (!opened) {
        ClosePort();
        return false;
    }
    // The monitor waits for its start meanwhile; no lock is held here.
    for (const std::pair<QString, QString>& error : errors)
        ReportCommError(error.first, error.second);
    return true;
}

void CSerialPort::StartMonitor()
{
    SetFlag(&CSerialPort::m_bStart, true);
}

bool CSerialPort::ClosePort()
{
    if (!m_pMonitor)
        return true;
    // The token first: a delivery to the view that the monitor waits for
    // ends at once.
    if (m_pMonitorCancel)
        m_pMonitorCancel->Set();
    m_bStop = true;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopFlag = true;
        m_condition.notify_all();
    }
    m_pMonitor->join();
    m_pMonitor.reset();
    m_bMonitorRunning = false;
    return true;
}

// ---- Monitor thread ----------------------------------------------------------------

void CSerialPort::PortThread(const Settings& settings)
{
    // The port's notifiers want an event dispatcher on their thread, though
    // nothing here runs an event loop: making a loop gives the thread one.
    { QEventLoop dispatcher; }
    bool opened = false;
    {
        QSerialPort port;
        std::vector<std::pair<QString, QString>> errors;
        opened = OpenAndConfigure(port, settings, &errors);
        bool start = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_bOpened = opened;
            m_astrOpenErrors = std::move(errors);
            m_bOpenDone = true;
            m_condition.notify_all();
            if (opened) {
                m_condition.wait(lock, [this] { return m_bStart || m_bStopFlag; });
                start = m_bStart && !m_bStopFlag;
            }
        }
        if (start) {
            m_pPort = &port;
            MonitorThread();
            m_pPort = nullptr;
        }
        // The port closes here, on its own thread.
    }
}

bool CSerialPort::OpenAndConfigure(QSerialPort& port, const Settings& settings,
                                   std::vector<std::pair<QString, QString>>* errors)
{
    port.setPortName(settings.portName);
    // The lock file of QSerialPort keeps the port to one holder.
    if (!port.open(QIODevice::ReadWrite))
        return false;
    const auto report = [errors](const char* call, const QString& text) {
        errors->emplace_back(QString::fromLatin1(call), text);
    };
    CommSettings comm;
    if (!BuildCommSettings(settings.text, &comm)) {
        report("BuildCommDCB()", qt_error_string(EINVAL));
    } else {
        const bool set = port.setBaudRate(comm.baud) && port.setDataBits(comm.dataBits) &&
                         port.setParity(comm.parity) && port.setStopBits(comm.stopBits) &&
                         port.setFlowControl(QSerialPort::NoFlowControl);
        if (!set)
            report("SetCommState()", port.errorString());
        port.clearError();
    }
    // A pseudo-terminal has no RTS line; its refusal is no error.
    if (!port.setRequestToSend(true) && port.error() != QSerialPort::UnsupportedOperationError)
        report("SetCommState()", port.errorString());
    port.clearError();
    port.setReadBufferSize(SERIAL_QUEUE_SIZE);
    port.clear();
    return true;
}

void CSerialPort::MonitorThread()
{
    m_bMonitorRunning = true;
    m_bFailed = false;
    m_pPort->clear();
    for (;;) {
        if (m_bFailed) {
            WaitForStop();
            break;
        }
        // A line that has hung up or broken fails the link.
        qint64 available = 0;
        if (!QueueStatus(&available)) {
            ReportLinkFailure();
            continue;
        }
        const std::shared_ptr<CSendData> command = m_command.GetInFlight();
        if (!command) {
            if (StopSet())
                break;
            // Nothing in flight and no hand-over waiting: whatever was worked
            // on is over, and nothing more is until the next hand-over.
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_bSend) {
                m_bPacket = false;
                m_bReply = true;
                m_condition.notify_all();
            }
        } else {
            const int waitMs = g_bUpdating                                           ? SERIAL_UPDATE_ANSWER_WAIT_MS
                               : (command->IsLastWrite() || command->IsLastRequest()) ? SERIAL_LAST_OF_TRANSFER_WAIT_MS
                                                                                      : SERIAL_ANSWER_WAIT_MS;
            const Event event = WaitForEvent(waitMs);
            if (event == Event::Stop)
                break;
            switch (event) {
            case Event::Send:
                WritePacket();
                break;
            case Event::Comm:
                if (g_byLinkStatus[LINK_STATUS_AWAITING]) {
                    ReadReply();
                    SleepUnlessStopped(SERIAL_READ_PAUSE_MS);
                } else {
                    // Nothing asked for: stray bytes go.
                    m_pPort->clear(QSerialPort::Input);
                }
                break;
            case Event::LineError:
                ReportLinkFailure();
                break;
            case Event::Timeout:
                OnTimeout(command);
                break;
            default:
                break;
            }
        }
        if (!WaitForPacket())
            break;
    }
    m_bMonitorRunning = false;
}

CSerialPort::Event CSerialPort::WaitForEvent(int ms)
{
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_bStopFlag)
                return Event::Stop;
            if (m_bSend)
                return Event::Send;
        }
        if (m_pPort->bytesAvailable() > 0)
            return Event::Comm;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0)
            return Event::Timeout;
        if (m_pPort->waitForReadyRead(int(std::min<long long>(left, SERIAL_WAIT_SLICE_MS))))
            return Event::Comm;
        if (IsLineError(*m_pPort))
            return Event::LineError;
        m_pPort->clearError();
    }
}

bool CSerialPort::WaitForPacket()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_condition.wait(lock, [this] { return m_bPacket || m_bStopFlag; });
    return !m_bStopFlag;
}

void CSerialPort::WaitForStop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_condition.wait(lock, [this] { return m_bStopFlag; });
}

bool CSerialPort::SleepUnlessStopped(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_condition.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_bStopFlag; });
}

bool CSerialPort::QueueStatus(qint64* available)
{
    if (m_pPort->bytesAvailable() == 0 && !m_pPort->waitForReadyRead(0) && IsLineError(*m_pPort))
        return false;
    m_pPort->clearError();
    *available = m_pPort->bytesAvailable();
    return true;
}

void CSerialPort::OnTimeout(const std::shared_ptr<CSendData>& command)
{
    EndResendRun();
    if (g_byLinkStatus[LINK_STATUS_AWAITING]) {
        // No answer yet: look again, write once more, look again, give up.
        const int count = command->GetRetryCount() + 1;
        if (count >= SERIAL_MAX_SENDS) {
            ReportLinkFailure();
            return;
        }
        command->SetRetryCount(count);
        if (count == 2) {
            m_command.ResetParser();
            WritePacket();
        } else if (!SleepUnlessStopped(SERIAL_RETRY_READ_PAUSE_MS)) {
            ReadReply();
        }
    } else if (command->GetRetryCount() == 0) {
        // Handed over but never written: the command in flight goes out.
        WritePacket();
        command->SetRetryCount(1);
    }
}

void CSerialPort::WritePacket()
{
    SetFlag(&CSerialPort::m_bSend, false);
    const std::shared_ptr<CSendData> command = m_command.GetInFlight();
    if (!command)
        return;
    // Whatever came before belongs to no answer of this command.
    m_pPort->clear();
    const qint64 length = command->GetLength();
    if (length <= 0)
        return;
    if (m_pPort->write(reinterpret_cast<const char*>(command->GetData()), length) != length) {
        ReportLinkFailure();
        return;
    }
    while (m_pPort->bytesToWrite() > 0) {
        if (StopSet())
            return;
        if (!m_pPort->waitForBytesWritten(SERIAL_WAIT_SLICE_MS)) {
            if (IsLineError(*m_pPort)) {
                ReportLinkFailure();
                return;
            }
            m_pPort->clearError();
        }
    }
    g_byLinkStatus[LINK_STATUS_AWAITING] = 1;
    SleepUnlessStopped(command->GetCommandCode() == HEXApply ? SERIAL_APPLY_PAUSE_MS : SERIAL_WRITE_PAUSE_MS);
}

void CSerialPort::ReadReply()
{
    for (;;) {
        if (StopSet())
            return;
        qint64 available = 0;
        if (!QueueStatus(&available)) {
            ReportLinkFailure();
            return;
        }
        const std::shared_ptr<CSendData> command = m_command.GetInFlight();
        if (available == 0) {
            if (command) {
                const int idle = IdleReads() + 1;
                SetIdleReads(idle < SERIAL_IDLE_READ_LIMIT ? idle : 0);
                if (idle >= SERIAL_IDLE_READ_LIMIT)
                    ResendOrFail(command);
            }
            return;
        }
        SetIdleReads(0);
        char byte = 0;
        if (m_pPort->read(&byte, 1) != 1) {
            ReportLinkFailure();
            return;
        }
        if (m_command.FeedSerialByte(BYTE(byte), m_pMonitorCancel.get())) {
            AnswerArrived();
            return;
        }
        if (!g_byLinkStatus[LINK_STATUS_FRAME_DONE])
            continue;
        if (g_byLinkStatus[LINK_STATUS_FRAME_BAD]) {
            m_command.ResetParser();
            g_byLinkStatus[LINK_STATUS_FRAME_DONE] = 0;
            g_byLinkStatus[LINK_STATUS_FRAME_BAD] = 0;
            EndResendRun();
            ResendOrFail(command);
        } else if (command && command->IsResendRequested()) {
            ResendRequested(command);
        } else {
            AnswerArrived();
        }
        return;
    }
}

void CSerialPort::ResendOrFail(const std::shared_ptr<CSendData>& command)
{
    if (!command) {
        AnswerArrived();
        return;
    }
    // Every write counts, so an answer that never comes right ends the link.
    const int count = command->GetRetryCount() + 1;
    command->SetRetryCount(count);
    if (count >= SERIAL_MAX_SENDS)
        ReportLinkFailure();
    else
        SetFlag(&CSerialPort::m_bSend, true);
}

void CSerialPort::ResendRequested(const std::shared_ptr<CSendData>& command)
{
    // The parser has rewound the command; it goes out again at once.
    command->SetResendRequested(false);
    g_byLinkStatus[LINK_STATUS_FRAME_DONE] = 0;
    if (m_pResendCommand.lock() == command) {
        ++m_nResendRun;
    } else {
        m_pResendCommand = command;
        m_nResendRun = 1;
    }
    if (m_nResendRun >= SERIAL_MAX_RESENDS) {
        EndResendRun();
        ReportLinkFailure();
        return;
    }
    SetFlag(&CSerialPort::m_bSend, true);
}

void CSerialPort::AnswerArrived()
{
    EndResendRun();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bPacket = false;
    m_bReply = true;
    m_condition.notify_all();
}

void CSerialPort::EndResendRun()
{
    m_pResendCommand.reset();
    m_nResendRun = 0;
}

void CSerialPort::ReportLinkFailure()
{
    if (m_bFailed.exchange(true))
        return;
    PostMessage(g_pNotifyView.load(), WM_LINK_FAILED, 0, SERIAL_LINK_FAILED);
    // A hand-over waiting for the answer gives up.
    std::lock_guard<std::mutex> lock(m_mutex);
    m_condition.notify_all();
}

// ---- Hand-over (I/O worker) ----------------------------------------------------

void CSerialPort::HandOver()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bReply = false;
    m_bSend = true;
    m_bPacket = true;
    m_condition.notify_all();
}

bool CSerialPort::WaitForReply(const CCancelToken& cancel)
{
    CCancelToken::CWakeLink wake(&cancel, m_mutex, m_condition);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_condition.wait(lock, [&] { return m_bReply || m_bFailed || m_bStopFlag || cancel.IsSet(); });
    return m_bReply;
}
