#include "link/FrameCollector.h"

#include <algorithm>
#include <cstring>

#include "model/DataDefine.h"

namespace {
enum : int {
    // The length word, as collected; the bytes up to and including it.
    LENGTH_AT = FRAME_LENGTH_BYTE - FRAME_PREAMBLE_SIZE,
    LENGTH_KNOWN = LENGTH_AT + 2,
};
}  // namespace

int CFrameCollector::Feed(const BYTE* data, int count, BYTE* frame)
{
    if (data == nullptr || count <= 0)
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    return FeedLocked(data, count, frame);
}

void CFrameCollector::Hunt(BYTE byte)
{
    if (byte == FRAME_PREAMBLE_BYTE) {
        // Any run longer than three is as wrong as four; the count stops
        // there, so an endless run cannot overflow it.
        if (m_nPreambleCount <= FRAME_PREAMBLE_SIZE)
            ++m_nPreambleCount;
    } else if (byte == FRAME_START_BYTE && m_nPreambleCount == FRAME_PREAMBLE_SIZE) {
        m_nPreambleCount = 0;
        m_bCollecting = true;
        m_frame[0] = byte;
        m_nCollected = 1;
    } else {
        // Four 0x82 bytes before the 0xEE are no start either.
        m_nPreambleCount = 0;
    }
}

int CFrameCollector::DeclaredPayload() const
{
    return GetWord(m_frame + LENGTH_AT);
}

int CFrameCollector::Take(const BYTE* data, int count, int wanted)
{
    const int take = std::min(wanted - m_nCollected, count);
    std::memcpy(m_frame + m_nCollected, data, size_t(take));
    m_nCollected += take;
    return take;
}

int CFrameCollector::FeedLocked(const BYTE* data, int count, BYTE* frame)
{
    int i = 0;
    while (i < count) {
        if (!m_bCollecting) {
            Hunt(data[i++]);
            continue;
        }
        if (m_nCollected < LENGTH_KNOWN) {
            i += Take(data + i, count - i, LENGTH_KNOWN);
            if (m_nCollected < LENGTH_KNOWN)
                continue;
            if (DeclaredPayload() > FRAME_COLLECT_MAX_PAYLOAD) {
                // Refused: a real frame may start inside the header taken so
                // far, so hunt through it again. Those ten bytes cannot
                // complete a header, so this goes one level deep only.
                BYTE header[LENGTH_KNOWN - 1];
                std::memcpy(header, m_frame + 1, sizeof header);
                m_bCollecting = false;
                m_nCollected = 0;
                FeedLocked(header, int(sizeof header), frame);
                continue;
            }
        }
        const int size = DeclaredPayload() + FRAME_COLLECT_MIN;
        i += Take(data + i, count - i, size);
        if (m_nCollected == size) {
            std::memcpy(frame, m_frame, size_t(size));
            m_bCollecting = false;
            m_nCollected = 0;
            return size;
        }
    }
    return 0;
}

void CFrameCollector::Reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nCollected = 0;
    m_bCollecting = false;
    std::memset(m_frame, 0, FRAME_RESET_CLEARED);
}

int CFrameCollector::CollectedCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nCollected;
}

bool CFrameCollector::IsCollecting() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bCollecting;
}

int CFrameCollector::PreambleCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nPreambleCount;
}
