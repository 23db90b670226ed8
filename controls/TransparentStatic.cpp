#include "controls/TransparentStatic.h"

#include <QPainter>

#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/WindowAttributes.h"

CTransparentStatic::CTransparentStatic(QWidget* parent) : QLabel(parent) {}

void CTransparentStatic::SetText(const QString& text)
{
    if (text == m_strText)
        return;
    m_strText = text;
    setText(text);
}

void CTransparentStatic::SetTextColor(const QColor& colour)
{
    m_clrText = colour;
    update();
}

UINT CTransparentStatic::DrawFormatForStyle(DWORD style)
{
    UINT format = 0;
    if (style & SS_RIGHT)
        format |= DT_RIGHT;
    if (style & SS_CENTER)
        format |= DT_CENTER;
    if (style & SS_CENTERIMAGE)
        format |= DT_VCENTER | DT_SINGLELINE;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & 0xC000)
        format |= DT_WORD_ELLIPSIS;
    if (style & 0x4000)
        format |= DT_END_ELLIPSIS;
    if (style & 0x8000)
        format |= DT_PATH_ELLIPSIS;
    if ((style & 0xC20C) == 0)
        format |= DT_WORDBREAK;
    return format;
}

void CTransparentStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(m_clrText);
    DrawText(painter, text(), CRect(0, 0, width(), height()), DrawFormatForStyle(GetWindowStyle(this)));
}
