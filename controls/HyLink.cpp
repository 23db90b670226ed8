#include "controls/HyLink.h"

#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "controls/TransparentStatic.h"
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

void CHyLink::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor field = ToQColor(kFieldColour);
    painter.fillRect(rect(), field);
    painter.setFont(font());
    painter.setPen(ToQColor(m_bHover ? kHoverColour : kTextColour));
    DrawText(painter, m_strText, CRect(0, 0, width(), height()), CTransparentStatic::DrawFormatForStyle(GetWindowStyle(this)));
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
