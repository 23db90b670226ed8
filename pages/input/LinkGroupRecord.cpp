#include "pages/input/LinkGroupRecord.h"

#include "platform/core/Language.h"

void LinkGroupRecord::Clear()
{
    for (int& member : m_bMember)
        member = 0;
    m_strName.clear();
}

void LinkGroupRecord::SetMember(int i)
{
    if (i >= 0 && i < CHANNELS)
        m_bMember[i] = 1;
}

bool LinkGroupRecord::GetMember(int i) const
{
    return i >= 0 && i < CHANNELS && m_bMember[i] != 0;
}

void LinkGroupRecord::BuildName()
{
    const QString word = g_bChinese ? QStringLiteral("通道") : QStringLiteral("channel");
    m_strName.clear();
    for (int i = 0; i < CHANNELS; ++i)
        if (m_bMember[i] != 0)
            m_strName += word + QString::number(i + 1) + QLatin1Char(' ');
}
