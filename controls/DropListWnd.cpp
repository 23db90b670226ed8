#include "controls/DropListWnd.h"

#include <QScreen>

#include "controls/DropListBox.h"
#include "model/WindowMessages.h"
#include "platform/core/MsgTarget.h"
#include "platform/gui/CursorPos.h"

CDropListWnd::CDropListWnd(QWidget* ownerButton)
    : QWidget(ownerButton, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_pOwner(ownerButton)
{
    hide();
}

bool CDropListWnd::Create()
{
    if (m_pList)
        return true;
    m_pList = new CDropListBox(this);
    m_pList->setGeometry(rect());
    connect(m_pList, &CDropListBox::SelChange, this, &CDropListWnd::OnSelChange);
    connect(m_pList, &CDropListBox::FocusLost, this, &CDropListWnd::OnListFocusLost);
    return true;
}

QRect CDropListWnd::ShowUnder(const QRect& button, int width, int cap, bool openUpward)
{
    int h = cap;
    const int itemsHeight = m_pList->count() * m_pList->GetItemHeight();
    if (m_pList->count() > 0 && itemsHeight < h)
        h = itemsHeight;
    QRect drop(button.left(), button.top() + button.height() - 1, width, h);
    if (openUpward) {
        const QRect work = m_pOwner->screen()->availableGeometry();
        if (drop.top() + drop.height() > work.top() + work.height())
            drop.moveTop(button.top() - h);
    }
    setGeometry(drop);
    show();
    raise();
    activateWindow();
    m_pList->setFocus(Qt::OtherFocusReason);
    return drop;
}

void CDropListWnd::resizeEvent(QResizeEvent*)
{
    if (m_pList)
        m_pList->setGeometry(rect());
}

bool CDropListWnd::OwnerPressed()
{
    const bool closedByThisPress = m_bClosedOverOwner;
    m_bClosedOverOwner = false;
    if (isVisible()) {
        hide();
        return false;
    }
    return !closedByThisPress;
}

void CDropListWnd::OnSelChange()
{
    const int row = m_pList->currentRow();
    // A group header is no pick: the list stays open.
    if (row < 0 || m_pList->Record(row).header)
        return;
    const QRect where = geometry();
    hide();
    if (where.contains(GetCursorPos()))
        SendMessage(dynamic_cast<CMsgTarget*>(m_pOwner), WM_COMBOBTN_SELCHANGE, WPARAM(row), 0);
    else
        m_pList->SelectRow(m_pList->GetSelIndex());
}

void CDropListWnd::OnListFocusLost()
{
    if (!isVisible())
        return;
    const QRect owner(m_pOwner->mapToGlobal(QPoint(0, 0)), m_pOwner->size());
    m_bClosedOverOwner = owner.contains(GetCursorPos());
    hide();
}
