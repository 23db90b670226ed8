#include "tests/common/RecordingTarget.h"

LRESULT CRecordingTarget::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_received.push_back({message, wParam, lParam, std::this_thread::get_id(), InSendMessage()});
    return m_nAnswer;
}

std::vector<CRecordingTarget::Received> CRecordingTarget::Messages() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

std::vector<CRecordingTarget::Received> CRecordingTarget::Messages(UINT message) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<Received> out;
    for (const Received& r : m_received) {
        if (r.message == message)
            out.push_back(r);
    }
    return out;
}

void CRecordingTarget::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_received.clear();
}
