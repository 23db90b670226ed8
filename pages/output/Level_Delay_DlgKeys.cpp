// The level-and-delay page's keyboard: Enter becomes a Tab, a Tab in a
// field walks the page's own focus order, Escape commits by focusing the
// page. Qt's own focus chain never moves and no key closes anything.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "model/WindowMessages.h"
#include "pages/output/Level_Delay_Dlg.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/WindowAttributes.h"

bool CLevel_Delay_Dlg::PreTranslateMessage(QObject*, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    QWidget* focus = QApplication::focusWidget();
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Comes back as a Tab to the same control: a field moves on.
        if (focus != nullptr)
            QCoreApplication::postEvent(focus, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return true;
    case Qt::Key_Tab:
        if (auto* edit = qobject_cast<QLineEdit*>(focus))
            PostMessage(this, WM_FOCUS_NEIGHBOUR, WPARAM(GetDlgCtrlID(edit)), VK_RIGHT);
        return false;
    case Qt::Key_Escape:
        // The field loses the focus and commits.
        setFocus(Qt::OtherFocusReason);
        return false;
    default: return false;
    }
}

bool CLevel_Delay_Dlg::eventFilter(QObject* watched, QEvent* event)
{
    // A key a control passes on reaches its parents too: it is judged once,
    // where it was delivered to the focused control.
    if (watched != this && watched == QApplication::focusWidget() && PreTranslateMessage(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool CLevel_Delay_Dlg::focusNextPrevChild(bool)
{
    return false;
}

void CLevel_Delay_Dlg::keyPressEvent(QKeyEvent* event)
{
    if (!EndNavigationKey(event))
        QWidget::keyPressEvent(event);
}

void CLevel_Delay_Dlg::OnFocusNeighbour(WPARAM id, LPARAM key)
{
    if (key == VK_LEFT)
        FocusPrevious(int(id));
    else if (key == VK_RIGHT)
        FocusNext(int(id));
}

int CLevel_Delay_Dlg::FocusIndexOf(int id) const
{
    for (int i = 0; i < FOCUS_ORDER; ++i)
        if (m_anFocusOrder[i] == id)
            return i;
    return 0;
}

void CLevel_Delay_Dlg::FocusNext(int id)
{
    const int i = FocusIndexOf(id);
    QWidget* next = nullptr;
    if (i == FOCUS_ORDER - 1) {
        // From the last field straight back to the master, shown or not.
        next = GetDlgItem(this, m_anFocusOrder[0]);
    } else {
        for (int j = i + 1; j < FOCUS_ORDER && next == nullptr; ++j) {
            QWidget* control = GetDlgItem(this, m_anFocusOrder[j]);
            if (control != nullptr && control->isVisible())
                next = control;
        }
        if (next == nullptr)
            next = GetDlgItem(this, m_anFocusOrder[0]);
    }
    if (next == nullptr)
        return;
    next->setFocus(Qt::OtherFocusReason);
    OnFocusMoved(GetDlgCtrlID(next));
}

void CLevel_Delay_Dlg::FocusPrevious(int id)
{
    const int i = FocusIndexOf(id);
    const int from = i == 0 ? FOCUS_ORDER - 1 : i - 1;
    for (int j = from; j >= 0; --j) {
        QWidget* control = GetDlgItem(this, m_anFocusOrder[j]);
        if (control != nullptr && control->isVisible()) {
            control->setFocus(Qt::OtherFocusReason);
            OnFocusMoved(m_anFocusOrder[j]);
            return;
        }
    }
}

void CLevel_Delay_Dlg::OnFocusMoved(int id)
{
    const int column = IndexIn(id, IDC_OUTPUT_EDIT0, OUTPUT_COLUMNS);
    const int field = IndexIn(id, IDC_DELAY_EDIT0, DELAY_FIELDS);
    if (column >= 0) {
        ShowLinkedLevels(column);
        SelectOutputIfNew(column);
        CheckOutputPositionButton(column, true);
    } else if (field >= 0) {
        SelectOutput(m_spinDelay[field].GetUserData());
    } else {
        SelectOutput(-1);
    }
}

void CLevel_Delay_Dlg::EnsureEditFocus()
{
    if (qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr)
        return;
    m_editMaster.setFocus(Qt::OtherFocusReason);
    SelectOutput(-1);
}
