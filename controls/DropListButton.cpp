#include "controls/DropListButton.h"

#include <QMouseEvent>

#include "controls/DropListBox.h"
#include "controls/DropListWnd.h"
#include "model/WindowMessages.h"
#include "platform/gui/WindowAttributes.h"

CDropListButton::CDropListButton(QWidget* parent, int dropHeight, bool openUpward)
    : QAbstractButton(parent), m_nDropHeight(dropHeight), m_bOpenUpward(openUpward)
{
}

CDropListBox* CDropListButton::List() const
{
    return m_pPopup ? m_pPopup->List() : nullptr;
}

bool CDropListButton::IsDropped() const
{
    return m_pPopup && m_pPopup->isVisible();
}

bool CDropListButton::MakeDropList(UINT nNotifyId, const LOGFONT& itemFont)
{
    m_nDropWidth = width();
    if (m_pPopup == nullptr) {
        auto* popup = new CDropListWnd(this);
        if (!popup->Create()) {
            delete popup;
            return false;
        }
        m_pPopup = popup;
    }
    m_pPopup->List()->SetItemFont(itemFont);
    m_nNotifyId = nNotifyId;
    return true;
}

void CDropListButton::ShowDropList()
{
    m_rcDrop = m_pPopup->ShowUnder(QRect(mapToGlobal(QPoint(0, 0)), size()), m_nDropWidth, m_nDropHeight,
                                   m_bOpenUpward);
}

void CDropListButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractButton::mousePressEvent(event);
        return;
    }
    m_bHover = false;
    // The button's own press first: it takes the focus.
    QAbstractButton::mousePressEvent(event);
    // A click opens a closed list and closes an open one.
    if (m_pPopup && m_pPopup->OwnerPressed())
        ShowDropList();
    ShowPressed();
}

LRESULT CDropListButton::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_COMBOBTN_SELCHANGE)
        return 0;
    const int index = int(wParam);
    CDropListBox* list = List();
    if (list != nullptr && list->item(index) != nullptr)
        setText(list->item(index)->text());
    ShowPicked();
    PostMessage(GetParentTarget(this), WM_COMBOBTN_SELCHANGE, m_nNotifyId, index);
    if (list != nullptr)
        list->SetSelIndex(index);
    return 1;
}
