#include "link/KTVCommand.h"

#include <algorithm>
#include <cstring>

#include "link/LinkDisplays.h"
#include "link/LinkStatus.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SendLock.h"

std::atomic<CKTVCommand*> g_pCommand{nullptr};

void CKTVCommand::AddCommand(std::unique_ptr<CSendData> command)
{
    if (!command)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queue.push_back(std::move(command));
}

int CKTVCommand::GetCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_queue.size());
}

std::shared_ptr<CSendData> CKTVCommand::GetHead() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_queue.empty() ? nullptr : m_queue.front();
}

std::shared_ptr<CSendData> CKTVCommand::BeginSendHead()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_queue.empty())
        return nullptr;
    m_pInFlight = m_queue.front();
    g_pSendingCommand.store(m_pInFlight.get());
    return m_pInFlight;
}

std::shared_ptr<CSendData> CKTVCommand::GetInFlight() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pInFlight;
}

int CKTVCommand::AppendWhenIdle(const std::function<void(CSendDataList& out)>& produce)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // The send lock is only asked, never taken: while the UI thread appends
    // a sequence, the worker's frame waits for the next pass.
    if (!m_queue.empty() || g_csSendLock.IsLocked())
        return 0;
    CSendDataList produced;
    produce(produced);
    int appended = 0;
    for (std::unique_ptr<CSendData>& command : produced) {
        if (command) {
            m_queue.push_back(std::move(command));
            ++appended;
        }
    }
    return appended;
}

bool CKTVCommand::HeadIsReplyTarget() const
{
    return !m_queue.empty() && (!m_pInFlight || m_queue.front() == m_pInFlight);
}

std::shared_ptr<CSendData> CKTVCommand::TakeHead()
{
    std::shared_ptr<CSendData> head = std::move(m_queue.front());
    m_queue.pop_front();
    if (head == m_pInFlight)
        m_pInFlight.reset();
    return head;
}

void CKTVCommand::AfterRemoval()
{
    ClearStatusBytes();
    g_pSendingCommand.store(nullptr);
}

void CKTVCommand::RemoveHead()
{
    std::shared_ptr<CSendData> removed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!HeadIsReplyTarget())
            return;
        removed = TakeHead();
    }
    AfterRemoval();
}

void CKTVCommand::ClearQueue()
{
    CSendDataQueue dropped;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        dropped.swap(m_queue);
    }
    // The commands are deleted here, first to last, outside the lock.
    dropped.clear();
    ResetParser();
}

void CKTVCommand::RewindHead()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (HeadIsReplyTarget())
        m_queue.front()->Rewind();
}

void CKTVCommand::MarkHeadResend()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (HeadIsReplyTarget())
        m_queue.front()->SetResendRequested(true);
}

bool CKTVCommand::ReportLongOperation(bool ok)
{
    std::shared_ptr<CSendData> removed;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!HeadIsReplyTarget() || !m_queue.front()->IsLongWait())
            return false;
        if (!ok)
            removed = TakeHead();
    }
    if (removed)
        AfterRemoval();
    PostMessage(g_pNotifyView.load(), WM_OPERATION_DONE, 0, ok ? 1 : 0);
    return true;
}

void CKTVCommand::ResetParser()
{
    m_collector.Reset();
}

// ---- Reply parser -----------------------------------------------------------

namespace {
enum : int {
    REPLY_ACK = 'Q',
    REPLY_RESEND = 'R',
    REPLY_DATA = 'S',
    // Frame bytes as collected (from the 0xEE on).
    REPLY_CLASS_INDEX = FRAME_CLASS_BYTE - FRAME_PREAMBLE_SIZE,
    REPLY_SLOT_INDEX = FRAME_SLOT_BYTE - FRAME_PREAMBLE_SIZE,
    REPLY_BLOCK_INDEX = FRAME_BLOCK_BYTE - FRAME_PREAMBLE_SIZE,
    REPLY_ITEM_INDEX = FRAME_ITEM_BYTE - FRAME_PREAMBLE_SIZE,
    REPLY_RECORD_INDEX = FRAME_RECORD_BYTE - FRAME_PREAMBLE_SIZE,
    REPLY_PAYLOAD_INDEX = FRAME_HEADER_SIZE - FRAME_PREAMBLE_SIZE,
    // Preset names: bytes 0 to 14 come from the device, 13 and 14 as zeros.
    NAME_REPLY_SIZE = PRESET_NAME_SIZE - 1,
    NAME_KEPT_CHARS = 13,
    SYSTEM_ITEM_SIZE = 8,
    VERSION_REPLY_SIZE = DEVICE_VERSION_SIZE - 1,
};

// The frame ends with its end byte and, before it, the XOR of every byte
// from the class to the last payload byte.
bool FrameChecksOut(const BYTE* frame, int length)
{
    return frame[length - 1] == FRAME_END_BYTE &&
           frame[length - 2] == FrameCheckByte(frame + REPLY_CLASS_INDEX, length - 2 - REPLY_CLASS_INDEX);
}

// The flagged last request of a read-back of the machine presets: output
// 11 of the last slot, asked for as stored.
bool EndsAllPresetsReadBack(const std::shared_ptr<CSendData>& command)
{
    if (!command || !command->IsLastRequest() || command->GetLength() <= FRAME_RECORD_BYTE)
        return false;
    const BYTE* frame = command->GetData();
    return frame[FRAME_CLASS_BYTE] == FRAME_CLASS_REQUEST && frame[FRAME_SLOT_BYTE] == MACHINE_PRESET_COUNT &&
           frame[FRAME_BLOCK_BYTE] == BLOCK_OUTPUT && frame[FRAME_ITEM_BYTE] == OUTPUT_COUNT - 1 &&
           frame[FRAME_RECORD_BYTE] == FRAME_RECORD_STORED;
}

// The view hears of every end of such a read-back: lParam 0 after its
// data, 1 when its last request went without it (the file waiting for it
// is not written then).
constexpr LPARAM ALL_PRESETS_COMPLETE = 0;
constexpr LPARAM ALL_PRESETS_CUT_SHORT = 1;
}  // namespace

struct CKTVCommand::Reply {
    int frameClass;
    int slot;
    int subCommand;
    int item;
    int record;
    const BYTE* payload;
    int length;

    // The image a block or name of this reply belongs to: a machine preset
    // for data of a stored preset, else the live set; null for a slot that
    // names no preset.
    DeviceImage* BlockImage() const
    {
        if (slot > MACHINE_PRESET_COUNT)
            return nullptr;
        return (record == FRAME_RECORD_STORED && slot != 0) ? &g_MachinePresets[slot - 1] : &g_CurrentImage;
    }

    // Copies the payload over the whole block of this reply's channel;
    // FALSE, storing nothing, when the slot, the channel or the size does
    // not fit.
    bool StoreBlock(int channels, int blockSize, int (*offsetOf)(int)) const
    {
        DeviceImage* image = BlockImage();
        if (image == nullptr || item >= channels || length != blockSize)
            return false;
        ParameterSetGuard guard(g_ParameterSetLock);
        std::memcpy(image->bytes + offsetOf(item), payload, size_t(blockSize));
        return true;
    }
};

bool CKTVCommand::FeedHidReport(BYTE (&report)[HID_REPORT_SIZE], int count, const CCancelToken* cancel)
{
    if (count <= 0)
        return true;
    BYTE bytes[HID_REPORT_PAYLOAD];
    std::memcpy(bytes, report + 1, sizeof bytes);
    std::memset(report + 1, 0, sizeof bytes);
    return FeedBytes(bytes, std::min<int>(count, HID_REPORT_SIZE) - 1, cancel);
}

bool CKTVCommand::FeedNetworkBytes(BYTE* buffer, int count, const CCancelToken* cancel)
{
    if (buffer == nullptr || count <= 0)
        return false;
    const bool done = FeedBytes(buffer, count, cancel);
    std::memset(buffer, 0, size_t(count));
    return done;
}

bool CKTVCommand::FeedSerialByte(BYTE byte, const CCancelToken* cancel)
{
    return FeedBytes(&byte, 1, cancel);
}

bool CKTVCommand::FeedBytes(const BYTE* data, int count, const CCancelToken* cancel)
{
    // The frame is dispatched from this copy, with no lock held, so a reset
    // from the UI thread never waits for a dispatch.
    BYTE frame[FRAME_BUFFER_SIZE];
    const int length = m_collector.Feed(data, count, frame);
    if (length == 0)
        return false;
    g_byLinkStatus[LINK_STATUS_FRAME_DONE] = 1;
    return CmdCallback(frame, length, cancel);
}

bool CKTVCommand::CmdCallback(const BYTE* frame, int length, const CCancelToken* cancel)
{
    if (!FrameChecksOut(frame, length)) {
        g_byLinkStatus[LINK_STATUS_FRAME_BAD] = 1;
        return false;
    }
    const Reply reply{frame[REPLY_CLASS_INDEX],  frame[REPLY_SLOT_INDEX],   frame[REPLY_BLOCK_INDEX],
                      frame[REPLY_ITEM_INDEX],   frame[REPLY_RECORD_INDEX], frame + REPLY_PAYLOAD_INDEX,
                      length - FRAME_COLLECT_MIN};
    switch (reply.frameClass) {
    case REPLY_ACK: {
        const bool endsReadBack = EndsAllPresetsReadBack(ReplyTarget());
        UpDataPGRange();
        ReportLongOperation(true);
        RemoveHead();
        if (endsReadBack)
            PostMessage(GetOwner(), WM_ALL_PRESETS_RECEIVED, MACHINE_PRESET_COUNT, ALL_PRESETS_CUT_SHORT);
        return true;
    }
    case REPLY_RESEND:
        // The same frame goes out again; nothing is counted.
        ResetParser();
        RewindHead();
        ReportLongOperation(false);
        MarkHeadResend();
        return false;
    case REPLY_DATA:
        HandleDataReply(reply, cancel);
        return true;
    default:
        return true;
    }
}

std::shared_ptr<CSendData> CKTVCommand::ReplyTarget() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return HeadIsReplyTarget() ? m_queue.front() : nullptr;
}

void CKTVCommand::UpDataPGRange()
{
    const std::shared_ptr<CSendData> head = ReplyTarget();
    if (!head)
        return;
    CMsgTarget* owner = GetOwner();
    if (head->IsEndTransfer()) {
        PostMessage(owner, WM_TRANSFER_DONE, 0, 0);
        return;
    }
    const int pos = head->GetProgressPos();
    if (pos == 0)
        return;
    if (head->GetCommandCode() != 0) {
        m_updateProgress.OnAnswered(head->GetCommandCode(), owner);
        return;
    }
    if (std::shared_ptr<IProgressDisplay> bar = g_pTransferProgress.Get())
        bar->SetPos(pos);
    if (head->IsLastWrite())
        PostMessage(owner, WM_TRANSFER_DONE, 0, 1);
    if (head->IsLastRequest())
        PostMessage(owner, WM_TRANSFER_DONE, 0, 0);
}

void CKTVCommand::HandleDataReply(const Reply& reply, const CCancelToken* cancel)
{
    if (g_bHandshakePending) {
        // Only the handshake's answer counts until it has come.
        const bool handshake = reply.subCommand == BLOCK_SYSTEM && reply.item == SYSTEM_ITEM_HANDSHAKE &&
                               reply.length == 1 && reply.payload[0] == 0;
        if (handshake) {
            UpDataPGRange();
            RemoveHead();
            g_bHandshakePending = false;
        }
        return;
    }
    if (reply.length == 0) {
        // The device wants new firmware; the head stays.
        PostMessage(GetOwner(), WM_FIRMWARE_REQUIRED, 0, 0);
        g_bFirmwareRequested = true;
        return;
    }
    const bool endsReadBack = EndsAllPresetsReadBack(ReplyTarget());
    bool readBackComplete = false;
    switch (reply.subCommand) {
    case BLOCK_MIC:
    case BLOCK_EFFECT:
        // Acknowledged; their data is not taken over.
        UpDataPGRange();
        break;
    case BLOCK_MUSIC:
        UpDataPGRange();
        StoreInputChannel(reply);
        break;
    case BLOCK_OUTPUT:
        UpDataPGRange();
        readBackComplete = StoreOutputChannel(reply) && reply.record == FRAME_RECORD_STORED &&
                           reply.slot == MACHINE_PRESET_COUNT && reply.item == OUTPUT_COUNT - 1;
        break;
    case BLOCK_SYSTEM:
        UpDataPGRange();
        StoreSystemItem(reply, cancel);
        break;
    default:
        // Not a reply of ours: the head waits for its own.
        return;
    }
    RemoveHead();
    if (endsReadBack && !readBackComplete)
        PostMessage(GetOwner(), WM_ALL_PRESETS_RECEIVED, MACHINE_PRESET_COUNT, ALL_PRESETS_CUT_SHORT);
}

bool CKTVCommand::StoreInputChannel(const Reply& reply)
{
    return reply.StoreBlock(MUSIC_COUNT, MUSIC_BLOCK_SIZE, MusicBlockOffset);
}

bool CKTVCommand::StoreOutputChannel(const Reply& reply)
{
    if (!reply.StoreBlock(OUTPUT_COUNT, OUTPUT_BLOCK_SIZE, OutputBlockOffset))
        return false;
    if (reply.item != OUTPUT_COUNT - 1)
        return true;
    // The last block of a preset read has come.
    CMsgTarget* owner = GetOwner();
    if (reply.record != FRAME_RECORD_STORED)
        PostMessage(owner, WM_PRESET_RECEIVED, WPARAM(reply.slot), 0);
    else if (reply.slot == MACHINE_PRESET_COUNT)
        PostMessage(owner, WM_ALL_PRESETS_RECEIVED, WPARAM(reply.slot), ALL_PRESETS_COMPLETE);
    else if (reply.slot == 0)
        PostMessage(owner, WM_PRESET_RECEIVED, 0, 0);
    return true;
}

bool CKTVCommand::StoreSystemItem(const Reply& reply, const CCancelToken* cancel)
{
    CMsgTarget* owner = GetOwner();
    switch (reply.item) {
    case SYSTEM_ITEM_PRESET_NAME: {
        if (reply.length < NAME_REPLY_SIZE || reply.slot > MACHINE_PRESET_COUNT)
            return false;
        // Only printable characters are kept.
        BYTE name[NAME_REPLY_SIZE] = {};
        for (int k = 0; k < NAME_KEPT_CHARS; ++k) {
            const BYTE c = reply.payload[k];
            name[k] = (c >= 0x20 && c <= 0x7F) ? c : 0;
        }
        DeviceImage& image = reply.slot == 0 ? g_CurrentImage : g_MachinePresets[reply.slot - 1];
        ParameterSetGuard guard(g_ParameterSetLock);
        std::memcpy(image.bytes + PRESET_NAME_OFFSET, name, sizeof name);
        return true;
    }
    case SYSTEM_ITEM_INPUT:
    case SYSTEM_ITEM_LEVEL:
    case SYSTEM_ITEM_SPEAKERS_LOW:
    case SYSTEM_ITEM_SPEAKERS_HIGH: {
        if (reply.length < SYSTEM_ITEM_SIZE)
            return false;
        // Items 2, 5, 6 and 7 hold system bytes 0, 8, 16 and 24 onwards.
        const int first = reply.item == SYSTEM_ITEM_INPUT   ? 0
                          : reply.item == SYSTEM_ITEM_LEVEL ? SYSTEM_ITEM_SIZE
                                                            : SYSTEM_ITEM_SIZE * (reply.item - 4);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            std::memcpy(g_SystemBytes + first, reply.payload, SYSTEM_ITEM_SIZE);
        }
        if (reply.item == SYSTEM_ITEM_SPEAKERS_LOW || reply.item == SYSTEM_ITEM_SPEAKERS_HIGH) {
            // The view applies the positions (and queues what follows from
            // them) before this reply's transaction ends.
            const WPARAM which = reply.item == SYSTEM_ITEM_SPEAKERS_LOW ? 0 : 1;
            SendMessageToOwner(owner, WM_SPEAKER_TYPES_RECEIVED, which, 0, cancel);
        }
        return true;
    }
    case SYSTEM_ITEM_STATUS:
        return StoreStatusReply(reply);
    case SYSTEM_ITEM_VERSION: {
        if (reply.length < VERSION_REPLY_SIZE)
            return false;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            std::memcpy(g_szDeviceVersion, reply.payload, VERSION_REPLY_SIZE);
        }
        PostMessage(owner, WM_DEVICE_VERSION, 0, 0);
        return true;
    }
    case SYSTEM_ITEM_CURRENT_PRESET: {
        const int preset = reply.payload[0];  // the payload is never empty here
        if (preset > MACHINE_PRESET_COUNT)
            return false;
        ParameterSetGuard guard(g_ParameterSetLock);
        if (preset != 0) {
            std::memcpy(g_CurrentImage.bytes + PRESET_NAME_OFFSET,
                        g_MachinePresets[preset - 1].bytes + PRESET_NAME_OFFSET, NAME_REPLY_SIZE);
        }
        g_byCurrentPreset = BYTE(preset);
        return true;
    }
    case SYSTEM_ITEM_MODE_GAINS: {
        if (reply.length > MODE_GAINS_SIZE)
            return false;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            std::memcpy(g_ModeGains, reply.payload, size_t(reply.length));
        }
        PostMessage(owner, WM_SPEAKER_TYPES_RECEIVED, 0, 0);
        return true;
    }
    default:
        return false;
    }
}

bool CKTVCommand::StoreStatusReply(const Reply& reply)
{
    if (reply.length > DEVICE_STATUS_COUNT)
        return false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int k = 0; k < reply.length; ++k)
            g_nDeviceStatus[k] = reply.payload[k];
    }
    // Only the newest status is worth showing.
    CMsgTarget* owner = GetOwner();
    DropPostedMessages(owner, WM_DEVICE_STATUS);
    PostMessage(owner, WM_DEVICE_STATUS, 0, reply.length);
    return true;
}

void CKTVCommand::FinishUpgrade()
{
    m_updateProgress.Finish(GetOwner());
    RemoveHead();
}
