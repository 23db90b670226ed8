#include "tools/simulator/SimFrameDecoder.h"

namespace {
// Indexes counted from the start byte (0xEE).
enum : size_t { kLengthIndex = 9, kPayloadIndex = 11, kFrameWithoutPayload = 13 };
const BYTE kSyncBytes[2] = {0x43, 0x11};
}  // namespace

void CSimFrameDecoder::Reset()
{
    m_nPreamble = 0;
    m_nPattern = 0;
    m_bCollecting = false;
    m_collected.clear();
}

CSimFrameDecoder::Event CSimFrameDecoder::Feed(BYTE b)
{
    return m_bCollecting ? Collect(b) : Hunt(b);
}

CSimFrameDecoder::Event CSimFrameDecoder::Hunt(BYTE b)
{
    if (b == kSyncBytes[m_nPattern % 2]) {
        if (++m_nPattern == kSyncPatternLength) {
            m_nPattern = 0;
            m_nPreamble = 0;
            return Event::Sync;
        }
    } else {
        m_nPattern = b == kSyncBytes[0] ? 1 : 0;
    }

    if (b == CSimFrame::kPreambleByte) {
        ++m_nPreamble;
    } else if (b == CSimFrame::kStartByte && m_nPreamble == CSimFrame::kPreambleSize) {
        m_bCollecting = true;
        m_collected.assign(1, b);
        m_nPreamble = 0;
        m_nPattern = 0;
    } else {
        m_nPreamble = 0;
    }
    return Event::None;
}

CSimFrameDecoder::Event CSimFrameDecoder::Collect(BYTE b)
{
    m_collected.push_back(b);
    if (m_collected.size() < kPayloadIndex)
        return Event::None;
    const size_t n = m_collected[kLengthIndex] | (m_collected[kLengthIndex + 1] << 8);
    if (n > size_t(CSimFrame::kMaxPayload)) {
        // No frame of ours is that long: hunt again from the byte after the
        // start byte, so that a preamble inside the header is not missed.
        std::vector<BYTE> rest(m_collected.begin() + 1, m_collected.end());
        Reset();
        for (BYTE r : rest)
            Feed(r);  // ten bytes at most: no frame can complete here
        return Event::None;
    }
    if (m_collected.size() < n + kFrameWithoutPayload)
        return Event::None;
    Complete();
    return Event::Frame;
}

void CSimFrameDecoder::Complete()
{
    const std::vector<BYTE>& c = m_collected;
    const size_t n = c.size() - kFrameWithoutPayload;
    CSimFrame f;
    f.cls = c[1];
    f.address = c[2];
    f.slot = c[3];
    f.type = c[4];
    f.item = c[5];
    f.record = c[6];
    f.link = c[7];
    f.spare = c[8];
    f.payload.assign(c.begin() + kPayloadIndex, c.begin() + kPayloadIndex + n);
    f.valid = c[kPayloadIndex + n + 1] == CSimFrame::kEndByte
              && CSimFrame::Checksum(c.data() + 1, kPayloadIndex - 1 + n) == c[kPayloadIndex + n];
    f.bytes.assign(CSimFrame::kPreambleSize, CSimFrame::kPreambleByte);
    f.bytes.insert(f.bytes.end(), c.begin(), c.end());
    m_frame = std::move(f);
    Reset();
}
