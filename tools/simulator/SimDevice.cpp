#include "tools/simulator/SimDevice.h"

#include <algorithm>
#include <cstring>

const char* const CSimDevice::kDefaultVersionTag = "KRVA-BV1.00";

namespace {
// Firmware command codes (the item byte of a system write).
enum : BYTE {
    kFwApply = '6',
    kFwStart = '7',
    kFwData = '8',
    kFwEnd = '9',
    kFwRequestInfo = ':',
    kFwDspData = ';',
    kFwDspEnd = '<',
};
// System items.
enum : BYTE {
    kItemName = 0,
    kItemInputBlock = 2,
    kItemStatus = 3,
    kItemVersion = 4,
    kItemMasterBlock = 5,
    kItemMapLow = 6,
    kItemMapHigh = 7,
    kItemCurrentPreset = 52,
    kItemModeGains = 64,
    kItemNetworkDefaults = 65,
    kItemFactoryReset = 96,
    kItemHandshake = 0xCC,
};
const int kCurrentPresetByte = 40;
const int kSystemGroupSize = 8;

bool IsFirmwareCode(BYTE item)
{
    return item == kFwApply || item == kFwStart || item == kFwData || item == kFwEnd || item == kFwRequestInfo
           || item == kFwDspData || item == kFwDspEnd;
}

// Offset of the 8 system bytes that items 2, 5, 6 and 7 carry; -1 for others.
int SystemGroupOffset(BYTE item)
{
    switch (item) {
    case kItemInputBlock:
        return 0;
    case kItemMasterBlock:
        return 8;
    case kItemMapLow:
        return 16;
    case kItemMapHigh:
        return 24;
    default:
        return -1;
    }
}

// Where block type `type`, channel `channel` lies in an image, how many bytes
// a record may address, and how many a whole-block frame carries.
struct BlockPlace {
    int offset;
    int size;
    int frameSize;
};
bool FindBlock(BYTE type, BYTE channel, BlockPlace* place)
{
    switch (type) {
    case BLOCK_MIC:
        *place = {MIC_OFFSET, MIC_BLOCK_SIZE, MIC_BLOCK_SIZE};
        return channel == 0;
    case BLOCK_EFFECT:
        *place = {EFFECT_OFFSET, EFFECT_SIZE, EFFECT_FRAME_SIZE};
        return channel == 0;
    case BLOCK_MUSIC:
        *place = {MusicBlockOffset(channel), MUSIC_BLOCK_SIZE, MUSIC_BLOCK_SIZE};
        return channel < MUSIC_COUNT;
    case BLOCK_OUTPUT:
        *place = {OutputBlockOffset(channel), OUTPUT_BLOCK_SIZE, OUTPUT_BLOCK_SIZE};
        return channel < OUTPUT_COUNT;
    default:
        return false;
    }
}

bool HasHit(const std::vector<CSimFault>& hits, CSimFault::Kind kind)
{
    return std::any_of(hits.begin(), hits.end(), [kind](const CSimFault& f) { return f.kind == kind; });
}
}  // namespace

CSimDevice::CSimDevice(const CSimState& factory)
    : m_factory(factory), m_state(factory)
{
    std::memcpy(m_version, kDefaultVersionTag, kVersionSize);
}

int CSimDevice::OpenSession(CSimPath path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int id = m_nNextSession++;
    m_sessions[id].path = path;
    return id;
}

void CSimDevice::CloseSession(int session)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sessions.erase(session);
}

std::vector<CSimReply> CSimDevice::Feed(int session, const BYTE* data, size_t n)
{
    return FeedBytes(session, data, n, false);
}

std::vector<CSimReply> CSimDevice::FeedReport(int session, const BYTE* report)
{
    return FeedBytes(session, report + 1, kReportSize - 1, true);
}

std::vector<CSimReply> CSimDevice::FeedBytes(int session, const BYTE* data, size_t n, bool wholeReport)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    Pending out;
    auto it = m_sessions.find(session);
    if (it != m_sessions.end()) {
        // In update mode every command fits one report: a report starts afresh.
        if (wholeReport && m_bUpdateMode)
            it->second.decoder.Reset();
        bool closed = false;
        for (size_t k = 0; k < n && !closed; ++k)
            FeedByte(session, it->second, data[k], out, closed);
    }
    return Flush(out, lock);
}

std::vector<std::vector<BYTE>> CSimDevice::ToReports(const std::vector<BYTE>& frame)
{
    std::vector<std::vector<BYTE>> reports;
    for (size_t at = 0; at < frame.size(); at += kReportSize - 1) {
        std::vector<BYTE> report(kReportSize, 0);
        const size_t n = std::min(frame.size() - at, size_t(kReportSize - 1));
        std::copy(frame.begin() + at, frame.begin() + at + n, report.begin() + 1);
        reports.push_back(std::move(report));
    }
    return reports;
}

std::vector<CSimReply> CSimDevice::Flush(Pending& out, std::unique_lock<std::mutex>& lock)
{
    std::function<void(const CSimLogEntry&)> sink = m_sink;
    lock.unlock();
    if (sink) {
        for (const CSimLogEntry& e : out.entries)
            sink(e);
    }
    return std::move(out.replies);
}

void CSimDevice::FeedByte(int id, CSimSession& s, BYTE b, Pending& out, bool& closed)
{
    if (s.path == CSimPath::Network && m_bUpdateMode) {
        const int pos = s.chunkPos;
        s.chunkPos = (pos + 1) % kReportSize;
        if (pos == 0) {
            // The report id; a command never spans two chunks.
            s.decoder.Reset();
            return;
        }
    }
    switch (s.decoder.Feed(b)) {
    case CSimFrameDecoder::Event::None:
        return;
    case CSimFrameDecoder::Event::Sync:
        ++m_nSyncs;
        if (!m_bUpdateMode) {
            SetUpdateMode(true);
            CSimLogEntry entry;
            entry.session = id;
            entry.path = s.path;
            entry.sync = true;
            AddLog(entry, out);
        }
        return;
    case CSimFrameDecoder::Event::Frame: {
        CSimLogEntry entry;
        CSimReply reply = HandleFrame(id, s, s.decoder.LastFrame(), entry);
        AddLog(entry, out);
        closed = reply.close;
        out.replies.push_back(std::move(reply));
        return;
    }
    }
}

void CSimDevice::SetUpdateMode(bool on)
{
    m_bUpdateMode = on;
    for (auto& session : m_sessions)
        session.second.chunkPos = 0;
}

CSimReply CSimDevice::HandleFrame(int id, CSimSession& s, const CSimFrame& frame, CSimLogEntry& entry)
{
    entry.number = ++m_nFrames;
    entry.session = id;
    entry.path = s.path;
    entry.frame = frame;

    std::vector<CSimFault> hits;
    for (const CSimFault& f : m_faults) {
        if (f.Hits(entry.number))
            hits.push_back(f);
    }
    CSimReply out;
    if (HasHit(hits, CSimFault::Kind::Close)) {
        entry.faults.push_back(CSimFault::Kind::Close);
        out.close = true;
        return out;
    }

    const bool resend = HasHit(hits, CSimFault::Kind::Resend);
    bool answer = true;
    CSimFrame reply;
    if (!frame.valid) {
        reply = frame.ReplyWith(CSimFrame::kResend);
    } else if (frame.cls == CSimFrame::kRequest && HasHit(hits, CSimFault::Kind::Refuse)) {
        reply = frame.ReplyWith(CSimFrame::kAck);
        entry.faults.push_back(CSimFault::Kind::Refuse);
    } else if (frame.cls == CSimFrame::kRequest) {
        std::vector<BYTE> payload;
        entry.handled = AnswerRequest(frame, hits, payload, entry.faults);
        reply = frame.ReplyWith(entry.handled ? CSimFrame::kData : CSimFrame::kAck, std::move(payload));
    } else if (resend) {
        // A resend request: the write is not taken.
        reply = frame.ReplyWith(CSimFrame::kAck);
    } else if (frame.cls == CSimFrame::kWrite && frame.type == BLOCK_SYSTEM && IsFirmwareCode(frame.item)) {
        entry.handled = HandleFirmware(s.path, frame, answer, out.reset);
        reply = frame.ReplyWith(CSimFrame::kAck);
    } else {
        entry.handled = frame.cls == CSimFrame::kWrite && ApplyWrite(frame);
        reply = frame.ReplyWith(CSimFrame::kAck);
    }
    if (resend && reply.cls == CSimFrame::kAck) {
        reply.cls = CSimFrame::kResend;
        answer = true;
        entry.faults.push_back(CSimFault::Kind::Resend);
    }

    if (answer && HasHit(hits, CSimFault::Kind::NoReply)) {
        answer = false;
        entry.faults.push_back(CSimFault::Kind::NoReply);
    }
    if (!answer)
        return out;
    out.bytes = reply.Encode();
    entry.reply = reply.cls;
    if (HasHit(hits, CSimFault::Kind::BadXor)) {
        out.bytes[out.bytes.size() - 2] ^= 0xFF;
        entry.faults.push_back(CSimFault::Kind::BadXor);
    }
    for (const CSimFault& f : hits) {
        if (f.kind == CSimFault::Kind::Delay)
            out.delayMs = std::max(out.delayMs, f.delayMs);
    }
    if (out.delayMs > 0)
        entry.faults.push_back(CSimFault::Kind::Delay);
    return out;
}

bool CSimDevice::HandleFirmware(CSimPath path, const CSimFrame& frame, bool& answer, bool& reset)
{
    if (frame.item == kFwEnd) {
        // The last command: the new firmware runs.
        SetUpdateMode(false);
        answer = path == CSimPath::Usb;
    } else if (frame.item == kFwApply) {
        reset = m_bRestartAfterApply;
    }
    return true;
}

bool CSimDevice::ApplyWrite(const CSimFrame& frame)
{
    const size_t n = frame.payload.size();
    const BYTE* p = frame.payload.data();
    DeviceImage* image = m_state.Image(frame.slot);

    if (frame.type != BLOCK_SYSTEM) {
        BlockPlace place;
        if (!image || !FindBlock(frame.type, frame.item, &place))
            return false;
        BYTE* block = image->bytes + place.offset;
        if (n == RECORD_SIZE && (frame.record + 1) * RECORD_SIZE <= place.size) {
            std::memcpy(block + frame.record * RECORD_SIZE, p, n);
            return true;
        }
        if (n == size_t(place.frameSize)) {
            std::memcpy(block, p, n);
            return true;
        }
        return false;
    }

    const int group = SystemGroupOffset(frame.item);
    if (group >= 0) {
        if (n != size_t(kSystemGroupSize))
            return false;
        std::memcpy(m_state.system + group, p, n);
        return true;
    }
    switch (frame.item) {
    case kItemName:
        if (!image || n != size_t(PRESET_NAME_SIZE))
            return false;
        std::memcpy(image->bytes + PRESET_NAME_OFFSET, p, n);
        return true;
    case kItemCurrentPreset:
        if (n != 1 || p[0] > MACHINE_PRESET_COUNT)
            return false;
        m_state.system[kCurrentPresetByte] = p[0];
        return true;
    case kItemModeGains:
        if (n != size_t(MODE_GAINS_SIZE))
            return false;
        std::memcpy(m_state.modeGains, p, n);
        return true;
    case kItemNetworkDefaults:
        // The WiFi module's own settings: nothing the simulator keeps.
        return true;
    case kItemFactoryReset: {
        CSimState reset = m_factory;
        std::memcpy(reset.status, m_state.status, sizeof reset.status);
        reset.statusLength = m_state.statusLength;
        m_state = reset;
        return true;
    }
    default:
        return false;
    }
}

bool CSimDevice::AnswerRequest(const CSimFrame& frame, const std::vector<CSimFault>& hits,
                               std::vector<BYTE>& payload, std::vector<CSimFault::Kind>& applied)
{
    if (frame.type != BLOCK_SYSTEM)
        return ReadBlock(frame, payload);

    const int group = SystemGroupOffset(frame.item);
    if (group >= 0) {
        payload.assign(m_state.system + group, m_state.system + group + kSystemGroupSize);
        return true;
    }
    switch (frame.item) {
    case kItemHandshake:
        payload.assign(1, 0);
        return true;
    case kItemVersion:
        payload.assign(m_version, m_version + kVersionSize);
        for (const CSimFault& f : hits) {
            if (f.kind == CSimFault::Kind::WrongVersion) {
                payload.assign(kVersionSize, 0);
                std::copy_n(f.versionTag.begin(), std::min(f.versionTag.size(), size_t(kVersionSize)),
                            payload.begin());
                applied.push_back(f.kind);
                break;
            }
        }
        return true;
    case kItemStatus: {
        // The poll's own payload means nothing to the device.
        const int count = std::clamp(m_state.statusLength, 1, int(DEVICE_STATUS_COUNT));
        payload.assign(m_state.status, m_state.status + count);
        if (HasHit(hits, CSimFault::Kind::EmptyStatus)) {
            payload.clear();
            applied.push_back(CSimFault::Kind::EmptyStatus);
        }
        return true;
    }
    case kItemName: {
        const DeviceImage* image = m_state.Image(frame.slot);
        if (!image)
            return false;
        payload.assign(image->bytes + PRESET_NAME_OFFSET, image->bytes + PRESET_NAME_OFFSET + PRESET_NAME_SIZE);
        return true;
    }
    case kItemCurrentPreset:
        payload.assign(1, m_state.system[kCurrentPresetByte]);
        return true;
    case kItemModeGains:
        payload.assign(m_state.modeGains, m_state.modeGains + MODE_GAINS_SIZE);
        return true;
    default:
        return false;
    }
}

bool CSimDevice::ReadBlock(const CSimFrame& frame, std::vector<BYTE>& payload)
{
    BlockPlace place;
    DeviceImage* image = m_state.Image(frame.slot);
    if (!image || !FindBlock(frame.type, frame.item, &place))
        return false;
    if (frame.record != CSimFrame::kReadRecord && frame.slot != 0) {
        // A recall: the machine preset's block becomes the live one.
        std::memcpy(m_state.live.bytes + place.offset, image->bytes + place.offset, place.frameSize);
        image = &m_state.live;
    }
    const BYTE* block = image->bytes + place.offset;
    payload.assign(block, block + place.frameSize);
    return true;
}

void CSimDevice::AddLog(const CSimLogEntry& entry, Pending& out)
{
    if (m_nLogLimit == 0)
        return;
    while (m_log.size() >= m_nLogLimit)
        m_log.pop_front();
    m_log.push_back(entry);
    if (m_sink)
        out.entries.push_back(entry);
}

void CSimDevice::SetFaults(std::vector<CSimFault> faults)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults = std::move(faults);
}

void CSimDevice::SetRestartAfterApply(bool on)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bRestartAfterApply = on;
}

void CSimDevice::SetVersionTag(const std::string& tag)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::memset(m_version, 0, sizeof m_version);
    std::memcpy(m_version, tag.data(), std::min(tag.size(), size_t(kVersionSize)));
}

CSimState CSimDevice::State() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_state;
}

void CSimDevice::SetState(const CSimState& state)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_state = state;
}

bool CSimDevice::InUpdateMode() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bUpdateMode;
}

long long CSimDevice::FrameCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nFrames;
}

long long CSimDevice::SyncCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nSyncs;
}

std::vector<CSimLogEntry> CSimDevice::Log() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::vector<CSimLogEntry>(m_log.begin(), m_log.end());
}

void CSimDevice::ClearLog()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log.clear();
}

void CSimDevice::SetLogLimit(size_t limit)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nLogLimit = limit;
    while (m_log.size() > m_nLogLimit)
        m_log.pop_front();
}

void CSimDevice::SetLogSink(std::function<void(const CSimLogEntry&)> sink)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sink = std::move(sink);
}
