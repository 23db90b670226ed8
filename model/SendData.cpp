#include "model/SendData.h"

#include <algorithm>
#include <cstring>

#include "model/LinkState.h"

void CSendData::SetData(std::vector<BYTE> frame)
{
    m_data = std::move(frame);
    m_nLength = int(m_data.size());
    m_nSendCursor = 0;
}

const BYTE* CSendData::GetData() const
{
    return m_data.empty() ? nullptr : m_data.data();
}

void CSendData::SetLength(int length)
{
    m_nLength = std::clamp(length, 0, int(m_data.size()));
}

bool CSendData::IsLastRequest() const
{
    if (g_nLinkType.load() != 0)
        return m_bLastRequest;
    return m_bLastRequest && m_nSendCursor == m_nLength;
}

bool CSendData::IsLastWrite() const
{
    if (g_nLinkType.load() != 0)
        return m_bLastWrite;
    return m_bLastWrite && m_nSendCursor >= m_nLength;
}

bool CSendData::NextReport(BYTE (&report)[HID_REPORT_SIZE])
{
    if (m_nSendCursor >= m_nLength)
        return false;
    std::memset(report, 0, sizeof report);
    const int count = std::min<int>(HID_REPORT_PAYLOAD, m_nLength - m_nSendCursor);
    std::memcpy(report + 1, m_data.data() + m_nSendCursor, size_t(count));
    m_nSendCursor += count;
    return true;
}
