#include "link/DeviceLink.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <QByteArray>
#include <QFileInfo>
#include <QTimer>

#include "link/FirmwareUpdate.h"
#include "link/HotPlugMonitor.h"
#include "link/KTVCommand.h"
#include "link/NetTransport.h"
#include "link/Net_Socket.h"
#include "link/SerialPort.h"
#include "link/SerialTransport.h"
#include "link/UsbLink.h"
#include "link/UsbTransport.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/SharedTexts.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"
#include "platform/core/FileIO.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SendLock.h"

namespace {
enum : int {
    // Payload sizes of the update commands.
    SYNC_PAYLOAD_SIZE = 48,
    APPLY_PAYLOAD_SIZE = 16,
    DSP_OFFSET_SIZE = 4,
    DSP_DATA_PAYLOAD_SIZE = DSP_OFFSET_SIZE + DSP_CHUNK_SIZE,
    END_PAYLOAD_SIZE = 1,
    // Full DSP chunks of a whole DSP image: the progress estimate counts them.
    DSP_FULL_CHUNKS = FIRMWARE_DSP_IMAGE_SIZE / DSP_CHUNK_SIZE,
    // What the progress bar holds beyond the chunks.
    PROGRESS_EXTRA_STEPS = 6,
    // A combined file's size counts five bytes less for the estimate.
    COMBINED_ESTIMATE_TRIM = 5,
    // Fill of the last MCU chunk, as erased flash reads.
    MCU_FILL_BYTE = 0xFF,
};
const BYTE SYNC_PAIR[2] = {0x43, 0x11};
const char DSP_TAG[] = "WDSP";
const char MCU_TAG[] = "WMCU";
const char BIN_EXTENSION[] = "bin";

// One update command: a write of system block type 9 whose item is the
// command code, built in its own buffer like every frame.
std::unique_ptr<CSendData> UpdateCommand(int code, const BYTE* payload, int length, int progressPos)
{
    std::unique_ptr<CSendData> command = BuildFrame({FRAME_CLASS_WRITE, 0, BLOCK_SYSTEM, code, 0, 0}, payload, length);
    command->SetCommandCode(code);
    command->SetProgressPos(progressPos);
    return command;
}

// Moves up to n bytes from the front of image into out; returns how many.
int TakeFront(std::deque<BYTE>& image, BYTE* out, int n)
{
    const int taken = std::min<int>(n, int(image.size()));
    std::copy_n(image.begin(), taken, out);
    image.erase(image.begin(), image.begin() + taken);
    return taken;
}

void ShowUpdateFileError()
{
    AppNoticeBox(QStringLiteral("更新文件错误!"), QStringLiteral("Update file error!"));
}

// What a firmware file holds, read apart from the live update state.
struct FirmwareFile {
    std::deque<BYTE> dsp;
    std::deque<BYTE> mcu;
    bool hasDsp = false;
    bool hasMcu = false;
    // File size the progress estimate starts from.
    unsigned estimateSize = 0;
};

// The reader's position in the file bytes; reads past the end come short.
class FileCursor {
public:
    explicit FileCursor(const QByteArray& bytes) : m_bytes(bytes) {}
    // The next four bytes are exactly `tag`.
    bool ReadTag(const char* tag)
    {
        const bool whole = m_pos + FIRMWARE_TAG_SIZE <= size_t(m_bytes.size());
        const bool match = whole && std::memcmp(m_bytes.constData() + m_pos, tag, FIRMWARE_TAG_SIZE) == 0;
        m_pos = std::min(m_pos + FIRMWARE_TAG_SIZE, size_t(m_bytes.size()));
        return match;
    }
    void Append(std::deque<BYTE>& image, size_t n)
    {
        const size_t count = std::min(n, size_t(m_bytes.size()) - m_pos);
        const BYTE* from = reinterpret_cast<const BYTE*>(m_bytes.constData()) + m_pos;
        image.insert(image.end(), from, from + count);
        m_pos += count;
    }
    void Seek(size_t pos) { m_pos = std::min(pos, size_t(m_bytes.size())); }

private:
    const QByteArray& m_bytes;
    size_t m_pos = 0;
};

// Reads the sections of a firmware file; FALSE when its tags do not match.
bool ReadFirmware(const QByteArray& bytes, FirmwareFile& file)
{
    const size_t size = size_t(bytes.size());
    FileCursor cursor(bytes);
    file.estimateSize = unsigned(size);
    if (size < FIRMWARE_COMBINED_MIN) {
        if (!cursor.ReadTag(MCU_TAG))
            return false;
        cursor.Append(file.mcu, size);
        file.hasMcu = true;
    } else {
        if (cursor.ReadTag(DSP_TAG)) {
            // The byte behind the DSP image is never read.
            cursor.Append(file.dsp, FIRMWARE_DSP_IMAGE_SIZE);
            file.hasDsp = true;
            cursor.Seek(FIRMWARE_MCU_TAG_OFFSET);
        }
        if (cursor.ReadTag(MCU_TAG)) {
            cursor.Append(file.mcu, size - FIRMWARE_MCU_IMAGE_OFFSET);
            file.hasMcu = true;
        } else if (!file.hasDsp) {
            return false;
        }
        file.estimateSize = unsigned(size - COMBINED_ESTIMATE_TRIM);
    }
    // An MCU image must at least hold its start bytes: HEXStart sends them.
    return !file.hasMcu || file.mcu.size() >= MCU_START_SIZE;
}

BYTE McuChecksum(const std::deque<BYTE>& mcu)
{
    BYTE sum = MCU_CHECKSUM_SEED;
    for (size_t k = MCU_START_SIZE; k < mcu.size(); ++k)
        sum ^= mcu[k];
    return sum;
}

int ProgressTotal(const FirmwareFile& file)
{
    const unsigned chunks = file.hasDsp
                                ? (file.estimateSize - FIRMWARE_DSP_IMAGE_SIZE) / MCU_CHUNK_SIZE + DSP_FULL_CHUNKS
                                : file.estimateSize / MCU_CHUNK_SIZE;
    return int(chunks) + PROGRESS_EXTRA_STEPS;
}
}  // namespace

// ---- Construction ---------------------------------------------------------------

namespace {
// This object's own message: the connect thread's outcome (wParam the
// attempt, lParam TRUE when connected).
constexpr UINT NET_CONNECT_DONE = 0x7F01;
}  // namespace

CDeviceLink::CDeviceLink(CKTVCommand& command, CNet_Socket* net, CKTV_Data* set, CSerialPort* serial)
    : m_command(command), m_pNet(net), m_pSet(set), m_pSerial(serial)
{
    if (m_pNet != nullptr) {
        m_pNetTransport = std::make_unique<CNetTransport>(*this, *m_pNet, m_command);
        m_transports[LINK_NETWORK] = m_pNetTransport.get();
    }
    if (m_pSerial != nullptr) {
        m_pSerialTransport = std::make_unique<CSerialTransport>(*this, *m_pSerial, m_command);
        m_transports[LINK_SERIAL] = m_pSerialTransport.get();
    }
}

CDeviceLink::~CDeviceLink()
{
    m_pDisconnectTimer.reset();
    CancelNetConnect();
    EndIoWorker();
}

void CDeviceLink::SetViewHooks(CLinkViewHooks hooks)
{
    m_hooks = std::move(hooks);
}

void CDeviceLink::SetTransport(int linkType, ILinkTransport* transport)
{
    if (linkType > LINK_NONE && linkType < LINK_KIND_COUNT)
        m_transports[size_t(linkType)] = transport;
}

// ---- I/O worker -------------------------------------------------------------------

void CDeviceLink::CreateIoWorker()
{
    m_events.ResetAll();
    m_pIoCancel = std::make_shared<CCancelToken>();
    m_bIoWorkerRunning = true;
    m_bIoWorkerAwake = false;
    // The thread holds its own reference to its token.
    std::shared_ptr<CCancelToken> cancel = m_pIoCancel;
    m_pIoWorker = std::make_unique<std::thread>([this, cancel] { IoWorkerThread(*cancel); });
}

void CDeviceLink::ResumeIoWorker()
{
    if (!m_bIoWorkerAwake)
        m_events.Resume();
}

bool CDeviceLink::StartIoWorker(bool)
{
    g_bFirmwareRequested = false;
    if (!m_pIoWorker) {
        CreateIoWorker();
        m_events.Set(g_bUpdating ? IO_EVENT_UPDATE_STEP : IO_EVENT_NORMAL_STEP);
        ResumeIoWorker();
    }
    g_bUsbActive = true;
    m_bConnected = true;
    if (m_hooks.ioWorkerStarted)
        m_hooks.ioWorkerStarted();
    return true;
}

void CDeviceLink::EndIoWorker()
{
    // The token first: every wait of the step in progress ends at once, a
    // synchronous delivery to this (UI) thread among them.
    if (m_pIoCancel)
        m_pIoCancel->Set();
    if (!m_bIoWorkerAwake)
        m_events.Resume();
    m_events.Set(IO_EVENT_QUIT);
    if (m_pIoWorker && m_pIoWorker->joinable())
        m_pIoWorker->join();
}

bool CDeviceLink::StopIoWorker(bool full)
{
    EndIoWorker();
    if (!full)
        return false;
    m_pIoWorker.reset();
    m_pIoCancel.reset();
    m_bIoWorkerRunning = false;
    m_bIoWorkerAwake = true;
    m_events.ResetAll();
    g_bUsbActive = false;
    m_bConnected = false;
    // With no link up, a reachable device is looked for again.
    if (m_pNet != nullptr)
        m_pNet->StartPolling();
    if (m_hooks.ioWorkerStopped)
        m_hooks.ioWorkerStopped();
    return true;
}

void CDeviceLink::IoWorkerThread(const CCancelToken& cancel)
{
    // Created suspended: the first resume lets it run.
    if (!m_events.WaitForResume(&cancel)) {
        m_bIoWorkerRunning = false;
        return;
    }
    for (;;) {
        m_bIoWorkerRunning = true;
        m_bIoWorkerAwake = true;
        const int event = cancel.IsSet() ? IO_WAIT_CANCELLED : m_events.WaitAny(IO_IDLE_WAIT_MS, &cancel);
        switch (event) {
        case IO_WAIT_TIMEOUT:
            break;
        case IO_EVENT_QUIT:
        case IO_WAIT_CANCELLED:
            m_bIoWorkerRunning = false;
            return;
        case IO_EVENT_SUSPEND:
            m_bIoWorkerAwake = false;
            m_events.WaitForResume(&cancel);
            break;
        case IO_EVENT_UPDATE_STEP:
            UpdateStep(cancel);
            break;
        case IO_EVENT_NORMAL_STEP:
            NormalStep(cancel);
            break;
        default:
            break;
        }
    }
}

ILinkTransport* CDeviceLink::Transport() const
{
    const int kind = g_nLinkType;
    return (kind > LINK_NONE && kind < LINK_KIND_COUNT) ? m_transports[size_t(kind)].load() : nullptr;
}

void CDeviceLink::UpdateStep(const CCancelToken& cancel)
{
    if (g_bUpdateDone) {
        // The update is over; the worker idles.
        m_events.Reset(IO_EVENT_UPDATE_STEP);
        return;
    }
    if (ILinkTransport* transport = Transport())
        transport->UpdateTransaction(cancel);
}

void CDeviceLink::NormalStep(const CCancelToken& cancel)
{
    if (g_bUpdateCancelled || g_bFirmwareRequested) {
        // No normal traffic until the worker is started again.
        m_events.Reset(IO_EVENT_NORMAL_STEP);
        return;
    }
    if (ILinkTransport* transport = Transport())
        transport->Transaction(cancel);
    CCancelToken::Sleep(&cancel, IO_STEP_PAUSE_MS);
}

std::shared_ptr<CSendData> CDeviceLink::TakeNormalHead()
{
    std::shared_ptr<CSendData> head = m_command.BeginSendHead();
    if (!head) {
        AppendChangedItem();
        return nullptr;
    }
    return head->GetCommandCode() == 0 ? head : nullptr;
}

std::shared_ptr<CSendData> CDeviceLink::TakeUpdateHead(const CCancelToken& cancel)
{
    // Queues the next piece of the update only into an empty queue.
    NextUpdateStep();
    std::shared_ptr<CSendData> head = m_command.BeginSendHead();
    if (!head) {
        CCancelToken::Sleep(&cancel, IO_LINK_DOWN_PAUSE_MS);
        return nullptr;
    }
    g_nLastUpdateCommand = head->GetCommandCode();
    head->SetRetryCount(head->GetRetryCount() + 1);
    return head;
}

void CDeviceLink::AppendChangedItem()
{
    if (m_pSet == nullptr)
        return;
    m_command.AppendWhenIdle([this](CSendDataList& out) { out.push_back(m_pSet->NextChangedItem()); });
}

// ---- Network link -----------------------------------------------------------------

bool CDeviceLink::ConnectNetwork()
{
    return StartNetConnect(false);
}

void CDeviceLink::OnNetReachable()
{
    StartNetConnect(true);
}

void CDeviceLink::OnStopNetPoll()
{
    if (m_pNet != nullptr)
        m_pNet->StopPolling(true);
}

bool CDeviceLink::StartNetConnect(bool stopPollWhenConnected)
{
    if (g_nLinkType != LINK_NONE || m_bConnecting)
        return false;
    g_nLinkType = LINK_NETWORK;
    m_bStopPollWhenConnected = stopPollWhenConnected;
    RunConnectThread(false);
    return true;
}

void CDeviceLink::RunConnectThread(bool update)
{
    if (m_connectThread.joinable())
        m_connectThread.join();
    m_bConnecting = true;
    m_bUpdateConnect = update;
    const WPARAM attempt = ++m_nConnectAttempt;
    m_pConnectCancel = std::make_shared<CCancelToken>();
    std::shared_ptr<CCancelToken> cancel = m_pConnectCancel;
    CNet_Socket* net = m_pNet;
    // The subnet test, the ping and the connect may take seconds: never on
    // the UI thread. An update's connect needs the device found reachable
    // by the poll, as the connect itself does.
    m_connectThread = std::thread([this, net, cancel, attempt, update] {
        const bool connected =
            net != nullptr && (update || net->IsDeviceReachable()) && net->Connect(cancel.get());
        if (!cancel->IsSet())
            PostMessage(this, NET_CONNECT_DONE, attempt, connected ? 1 : 0);
    });
}

LRESULT CDeviceLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == NET_CONNECT_DONE && m_bConnecting && wParam == m_nConnectAttempt) {
        if (m_connectThread.joinable())
            m_connectThread.join();
        m_bConnecting = false;
        if (m_bUpdateConnect)
            CompleteUpdateConnect(lParam != 0);
        else
            CompleteNetConnect(lParam != 0);
    }
    return 0;
}

void CDeviceLink::CompleteNetConnect(bool connected)
{
    if (!connected) {
        ShowConnectionFailure();
        g_nLinkType = LINK_NONE;
        return;
    }
    LinkStart(LINK_NETWORK);
    if (m_bStopPollWhenConnected)
        PostMessage(g_pNotifyView.load(), WM_STOP_NET_POLL, 0, 0);
}

void CDeviceLink::LinkStart(int linkType)
{
    m_command.SetOwner(g_pNotifyView.load());
    m_command.ClearQueue();
    if (m_pSet != nullptr)
        m_pSet->ClearChangeFlags(false);
    m_nProgressCount = 0;
    m_bConnected = true;
    {
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        if (linkType == LINK_NETWORK)
            g_bNetLinkUp = true;
        RequestDeviceInfo(false);
    }
    if (linkType == LINK_USB)
        ResetUsbInput();
    StartIoWorker(true);
    if (m_hooks.linkOpened)
        m_hooks.linkOpened();
}


void CDeviceLink::CancelNetConnect()
{
    if (m_pConnectCancel)
        m_pConnectCancel->Set();
    if (m_connectThread.joinable())
        m_connectThread.join();
    m_bConnecting = false;
    m_bUpdateConnect = false;
    m_fnUpdateConnected = nullptr;
}

void CDeviceLink::DisconnectNetwork()
{
    CancelNetConnect();
    if (m_pNet != nullptr)
        m_pNet->Close();
    EndLink();
    ClearNetLinkFlags();
}

void CDeviceLink::EndLink()
{
    m_bConnected = false;
    g_bTransferBusy = false;
    g_bDeviceSynced = false;
    if (m_pSet != nullptr)
        m_pSet->ClearChangeFlags(false);
    if (m_hooks.popupHidden)
        m_hooks.popupHidden();
    if (m_hooks.linkClosed)
        m_hooks.linkClosed();
    g_nLinkType = LINK_NONE;
}

// ---- Serial link ------------------------------------------------------------------

namespace {
// The serial line's settings.
enum : int {
    SERIAL_BAUD = 57600,
    SERIAL_DATA_BITS = 8,
    SERIAL_STOP_BITS = 1,
    SERIAL_EVENT_MASK = 9,  // characters received, CTS changed
    SERIAL_WRITE_BUFFER_SIZE = 512,
};
constexpr char SERIAL_PARITY = 'N';
}  // namespace

bool CDeviceLink::OpenSerialLink(const QString& portName)
{
    if (m_pSerial == nullptr)
        return false;
    const QString path = portName.contains(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
    if (!m_pSerial->OpenPort(nullptr, path, SERIAL_BAUD, SERIAL_PARITY, SERIAL_DATA_BITS, SERIAL_STOP_BITS,
                             SERIAL_EVENT_MASK, SERIAL_WRITE_BUFFER_SIZE))
        return false;
    m_pSerial->StartMonitor();
    m_bConnected = true;
    return true;
}

bool CDeviceLink::ConnectSerial(const QString& portName)
{
    // Another link, or a connect under way, stays as it is.
    if (m_bConnected || m_bConnecting || g_nLinkType != LINK_NONE)
        return false;
    g_nLinkType = LINK_SERIAL;
    if (!OpenSerialLink(portName)) {
        g_nLinkType = LINK_NONE;
        return false;
    }
    LinkStart(LINK_SERIAL);
    return true;
}

bool CDeviceLink::CloseSerialLink()
{
    if (m_pSerial != nullptr)
        m_pSerial->ClosePort();
    // The link kind and the lamp go back to none, as after every other
    // close: another link can be opened, and no lamp shows a dead link.
    EndLink();
    return true;
}

// ---- Firmware file ------------------------------------------------------------------

bool CDeviceLink::SelectUpdateFile(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return false;
    g_strUpdateFilePath = chosenPath;
    const QFileInfo info(chosenPath);
    if (info.suffix() != QLatin1String(BIN_EXTENSION))
        return false;
    SetUpdateFolder(info.absolutePath());
    return true;
}

QString CDeviceLink::UpdateFolder() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_szUpdateFolder;
}

void CDeviceLink::SetUpdateFolder(const QString& folder)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_szUpdateFolder = folder;
}

bool CDeviceLink::LoadUpdateFile()
{
    QByteArray bytes;
    const FileReadResult read = ReadWholeFile(g_strUpdateFilePath, FIRMWARE_FILE_MAX, bytes);
    if (read == FileReadResult::CannotOpen) {
        ShowUpdateFileError();
        g_strUpdateFilePath.clear();
        return false;
    }

    FirmwareFile file;
    const bool ok = read == FileReadResult::Ok && ReadFirmware(bytes, file);
    if (!ok)
        file = FirmwareFile();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_arDspImage.swap(file.dsp);
        m_arMcuImage.swap(file.mcu);
        m_nDspUpdateStep = 0;
        // After a DSP image the DSP sequence has sent HEXApply already.
        m_nMcuUpdateStep = file.hasDsp ? 1 : 0;
        m_dwDspChunkOffset = 0;
        m_bUpdateSyncPending = true;
        // A file without an MCU image ends with the checksum of an empty one.
        m_byUpdateChecksum = McuChecksum(m_arMcuImage);
    }
    g_bUpdateHasMcu = file.hasMcu;
    g_nUpdateProgressTotal = ok ? ProgressTotal(file) : 0;
    g_bUpdateDone = false;
    if (!ok) {
        ShowUpdateFileError();
        return false;
    }
    return true;
}

BYTE CDeviceLink::UpdateChecksum() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_byUpdateChecksum;
}

void CDeviceLink::NextUpdateStep()
{
    m_command.AppendWhenIdle([this](CSendDataList& out) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bUpdateSyncPending) {
            BuildUpdateSyncPacket(out);
            m_bUpdateSyncPending = false;
        } else if (!m_arDspImage.empty()) {
            BuildDspUpdateStep(out);
        } else if (!m_arMcuImage.empty()) {
            BuildMcuUpdateStep(out);
        }
    });
}

void CDeviceLink::BuildUpdateSyncPacket(CSendDataList& out)
{
    BYTE payload[SYNC_PAYLOAD_SIZE];
    for (int k = 0; k < SYNC_PAYLOAD_SIZE; ++k)
        payload[k] = SYNC_PAIR[k % 2];
    // The transports send the sync pattern in place of this frame.
    out.push_back(UpdateCommand(HEXSync, payload, SYNC_PAYLOAD_SIZE, 0));
}

void CDeviceLink::BuildDspUpdateStep(CSendDataList& out)
{
    int n = 0;
    const BYTE empty[APPLY_PAYLOAD_SIZE] = {};
    if (m_nDspUpdateStep == 0) {
        out.push_back(UpdateCommand(HEXApply, empty, APPLY_PAYLOAD_SIZE, ++n));
        out.push_back(UpdateCommand(IAP_DSP_REQUEST_INFO, empty, APPLY_PAYLOAD_SIZE, ++n));
        m_nDspUpdateStep = 1;
    }
    if (m_nDspUpdateStep == 1 && !m_arDspImage.empty()) {
        BYTE payload[DSP_DATA_PAYLOAD_SIZE] = {};
        payload[0] = BYTE(m_dwDspChunkOffset);
        payload[1] = BYTE(m_dwDspChunkOffset >> 8);
        payload[2] = BYTE(m_dwDspChunkOffset >> 16);
        payload[3] = BYTE(m_dwDspChunkOffset >> 24);
        const bool last = m_arDspImage.size() <= DSP_CHUNK_SIZE;
        // The last chunk is filled up with zeros.
        TakeFront(m_arDspImage, payload + DSP_OFFSET_SIZE, DSP_CHUNK_SIZE);
        out.push_back(UpdateCommand(IAP_DSP_DATA, payload, DSP_DATA_PAYLOAD_SIZE, ++n));
        if (!last)
            m_dwDspChunkOffset += DSP_CHUNK_SIZE;
        else
            m_nDspUpdateStep = m_arMcuImage.empty() ? 2 : 3;
    }
    if (m_nDspUpdateStep == 2) {
        // HEXEnd goes with the last chunk and takes its number.
        out.push_back(UpdateCommand(HEXEnd, &m_byUpdateChecksum, END_PAYLOAD_SIZE, n));
        m_nDspUpdateStep = 4;
    }
}

void CDeviceLink::BuildMcuUpdateStep(CSendDataList& out)
{
    int n = 0;
    if (m_nMcuUpdateStep == 0) {
        const BYTE empty[APPLY_PAYLOAD_SIZE] = {};
        out.push_back(UpdateCommand(HEXApply, empty, APPLY_PAYLOAD_SIZE, ++n));
        m_nMcuUpdateStep = 1;
    }
    if (m_nMcuUpdateStep == 1) {
        BYTE start[MCU_START_SIZE] = {};
        TakeFront(m_arMcuImage, start, MCU_START_SIZE);
        out.push_back(UpdateCommand(HEXStart, start, MCU_START_SIZE, ++n));
        m_nMcuUpdateStep = 2;
    }
    if (m_nMcuUpdateStep == 2) {
        BYTE payload[MCU_CHUNK_SIZE];
        std::memset(payload, MCU_FILL_BYTE, sizeof payload);
        const bool last = m_arMcuImage.size() <= MCU_CHUNK_SIZE;
        TakeFront(m_arMcuImage, payload, MCU_CHUNK_SIZE);
        out.push_back(UpdateCommand(HEXData, payload, MCU_CHUNK_SIZE, ++n));
        if (last)
            m_nMcuUpdateStep = 3;
    }
    if (m_nMcuUpdateStep == 3) {
        out.push_back(UpdateCommand(HEXEnd, &m_byUpdateChecksum, END_PAYLOAD_SIZE, n));
        m_nMcuUpdateStep = 4;
    }
}
