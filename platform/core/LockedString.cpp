#include "platform/core/LockedString.h"

QString CLockedString::Get() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // A deep copy: the reader's string shares no reference count with ours.
    return QString(m_text.constData(), m_text.size());
}

void CLockedString::Set(const QString& text)
{
    QString copy(text.constData(), text.size());
    std::lock_guard<std::mutex> lock(m_mutex);
    m_text.swap(copy);
}
