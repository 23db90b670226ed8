#include "controls/MuteStatic.h"

#include <QPainter>

#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"

CMuteStatic::CMuteStatic(QWidget* parent) : QLabel(parent), m_fontNotice(this)
{
    SetWindowStyle(this, GetWindowStyle(this) | SS_NOTIFY);
    setCursor(Qt::PointingHandCursor);
}

void CMuteStatic::RedrawNow()
{
    repaint();
}

void CMuteStatic::SetState(bool on)
{
    m_bOn = on;
    RedrawNow();
}

void CMuteStatic::SetTexts(const QString& on, const QString& off)
{
    m_strOn = on;
    m_strOff = off;
    RedrawNow();
}

void CMuteStatic::SetTextColors(COLORREF on, COLORREF off)
{
    m_clrOnText = on;
    m_clrOffText = off;
    RedrawNow();
}

void CMuteStatic::SetFillColors(COLORREF on, COLORREF off)
{
    m_clrOnFill = on;
    m_clrOffFill = off;
    RedrawNow();
}

void CMuteStatic::SetTextFont(int height, int weight)
{
    m_nFontHeight = height;
    m_nFontWeight = weight;
    RedrawNow();
}

void CMuteStatic::SetLanguage(bool)
{
    m_strOn = QStringLiteral("On");
    m_strOff = QStringLiteral("OFF");
}

void CMuteStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const CRect client(0, 0, width(), height());
    painter.fillRect(client.ToQRect(), ToQColor(m_bOn ? m_clrOnFill : m_clrOffFill));

    const std::optional<QFont> font = CreateFont(m_nFontHeight, m_nFontWeight, QStringLiteral("Arial"));
    if (!font) {
        m_fontNotice.Failed();
        return;
    }
    m_fontNotice.Succeeded();
    painter.setFont(*font);
    painter.setPen(ToQColor(m_bOn ? m_clrOnText : m_clrOffText));
    DrawText(painter, m_bOn ? m_strOn : m_strOff, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}
