#include "controls/SkinButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "model/WindowMessages.h"
#include "platform/core/MsgTarget.h"
#include "platform/gui/ButtonNotify.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/MouseKeyFlags.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

void DrawDefaultButton(QPainter& painter, QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (button->isDown())
        option.state |= QStyle::State_Sunken;
    button->style()->drawControl(QStyle::CE_PushButton, &option, &painter, button);
}

void TakeBitmapSize(QWidget* window, unsigned id)
{
    const QImage image = id != 0 ? CResourceStore::Image(QStringLiteral("BMP"), id) : QImage();
    if (!image.isNull() && image.size() != window->size())
        window->resize(image.size());
}

CSkinButton::CSkinButton(QWidget* parent, HoverNotice notice, bool checked)
    : QAbstractButton(parent), m_bCheck(checked), m_notice(notice)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    NotifyClicksToParent(this);
}

void CSkinButton::SetPartners(CSkinButton* first, CSkinButton* second)
{
    m_pPartner1 = first;
    m_pPartner2 = second;
}

void CSkinButton::SetHover(bool hover)
{
    m_bHover = hover;
    FaceChanged();
}

void CSkinButton::ShowWindow(int nCmdShow)
{
    if (nCmdShow == SW_HIDE) {
        m_pPartner1 = nullptr;
        m_pPartner2 = nullptr;
    }
    setVisible(nCmdShow != SW_HIDE);
}

void CSkinButton::SetPartnersHover(bool hover)
{
    if (m_bCheck)
        return;
    if (m_pPartner1)
        m_pPartner1->SetHover(hover);
    if (m_pPartner2)
        m_pPartner2->SetHover(hover);
}

void CSkinButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    bool entered = false;
    if (!rect().contains(point)) {
        // Moving off while the button holds the mouse: the pointer has left.
        if (m_bHover)
            OnMouseLeave();
    } else if (!m_bHover) {
        m_bHover = true;
        entered = true;
        SetPartnersHover(true);
        FaceChanged();
        Entered();
    }
    const bool notice = m_notice == NOTICE_EVERY_MOVE || entered;
    if (m_bMoveNotify && notice && point != m_ptLastNotified) {
        m_ptLastNotified = point;
        SendMessage(GetParentTarget(this), WM_CONTROL_HOVER, MouseKeyFlags(event), GetDlgCtrlID(this));
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CSkinButton::leaveEvent(QEvent* event)
{
    OnMouseLeave();
    QAbstractButton::leaveEvent(event);
}

void CSkinButton::OnMouseLeave()
{
    m_bHover = false;
    FaceChanged();
    SetPartnersHover(false);
}

void CSkinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_bDown = true;
        FaceChanged();
    }
    QAbstractButton::mousePressEvent(event);
}

void CSkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bDown = false;
    QAbstractButton::mouseReleaseEvent(event);
    FaceChanged();
}
