#include "pages/input/JodeListCtrl.h"

#include <QMouseEvent>

CJodeListCtrl::CJodeListCtrl(QWidget* parent)
    : CListCtrl(parent), m_clrText(0, 0, 0), m_clrTextBk(0, 0, 0), m_clrBk(0, 0, 0)
{
}

void CJodeListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        CListCtrl::mousePressEvent(event);
}

void CJodeListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        CListCtrl::mouseDoubleClickEvent(event);
}

void CJodeListCtrl::mouseMoveEvent(QMouseEvent*) {}

void CJodeListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        CListCtrl::mouseReleaseEvent(event);
}
