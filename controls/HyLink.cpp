#include "controls/HyLink.h"

#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/UrlOpener.h"
#include "platform/gui/WindowAttributes.h"

CHyLink::CHyLink(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void CHyLink::SetWindowText(const QString& text)
{
    m_strText = text;
    update();
}

UINT CHyLink::TextFormatOfStyle(DWORD style)
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
    if (style & SS_WORDELLIPSIS)
        format |= DT_WORD_ELLIPSIS;
    if (style & SS_ENDELLIPSIS)
        format |= DT_END_ELLIPSIS;
    if (style & SS_PATHELLIPSIS)
        format |= DT_PATH_ELLIPSIS;
    if (!(style & 0xC20C))
        format |= DT_WORDBREAK;
    return format;
}

void CHyLink::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor field = ToQColor(kFieldColour);
    painter.fillRect(rect(), field);
    painter.setFont(font());
    painter.setPen(ToQColor(m_bHover ? kHoverColour : kTextColour));
    DrawText(painter, m_strText, CRect(0, 0, width(), height()), TextFormatOfStyle(GetWindowStyle(this)));
}

void CHyLink::SetHover(bool hover)
{
    if (hover == m_bHover)
        return;
    m_bHover = hover;
    repaint();
}

void CHyLink::ResetHover()
{
    m_bHover = false;
    repaint();
}

void CHyLink::enterEvent(QEnterEvent* event)
{
    SetHover(true);
    QWidget::enterEvent(event);
}

void CHyLink::mouseMoveEvent(QMouseEvent* event)
{
    // While the button is held the label keeps the mouse: the look follows
    // the pointer in and out.
    SetHover(rect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void CHyLink::leaveEvent(QEvent* event)
{
    SetHover(false);
    QWidget::leaveEvent(event);
}

void CHyLink::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bPressed = true;
    QWidget::mousePressEvent(event);
}

void CHyLink::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_bPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_bPressed = false;
    if (click)
        OnClicked();
    QWidget::mouseReleaseEvent(event);
}

void CHyLink::OnClicked()
{
    repaint();
    // The text goes as it is; what the desktop makes of it is its affair.
    OpenUrl(QUrl::fromUserInput(m_strText));
}
