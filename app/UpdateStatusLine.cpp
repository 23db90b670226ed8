#include "app/UpdateStatusLine.h"

#include "platform/core/MsgTarget.h"

CUpdateStatusLine::CUpdateStatusLine(CMsgTarget* owner, UINT message) : m_pOwner(owner), m_nMessage(message) {}

void CUpdateStatusLine::SetText(const QString& text)
{
    // Posted under the lock: once Detach has returned, nothing reaches the
    // owner any more. Posting only queues; it never waits for the owner.
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strText = text;
    PostMessage(m_pOwner, m_nMessage, 0, 0);
}

QString CUpdateStatusLine::Text() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strText;
}

void CUpdateStatusLine::Detach()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pOwner = nullptr;
}
