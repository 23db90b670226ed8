#include "controls/grid/InPlaceListEdit.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>

#include "controls/grid/InPlaceSupport.h"
#include "controls/grid/InPlaceList.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WindowAttributes.h"

CInPlaceListEdit::CInPlaceListEdit(CInPlaceList* owner) : QLineEdit(owner), m_pList(owner)
{
    SetDlgCtrlID(this, IDC_COMBO_EDIT);
}

bool CInPlaceListEdit::event(QEvent* event)
{
    return HandleEditorKeys(event, [this](QKeyEvent* key) { keyPressEvent(key); }) || QLineEdit::event(event);
}

void CInPlaceListEdit::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    // Alt with a character is swallowed (no menu, no mnemonic); Alt+Down
    // still opens the list.
    if ((event->modifiers() & Qt::AltModifier) && !event->text().isEmpty())
        return;
    const UINT vk = VirtualKeyFromQtKey(event->key());
    if (IsArrowOrPageKey(vk) && (event->modifiers() & Qt::ControlModifier) && GetDlgCtrlID(this) == IDC_COMBO_EDIT) {
        m_pList->OnKeyDown(vk);
        return;
    }
    // Tab, Enter and Escape act when released.
    if (vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE)
        return;
    // What the field does not use (the plain arrows and page keys) goes on
    // to the list editor.
    QLineEdit::keyPressEvent(event);
}

void CInPlaceListEdit::keyReleaseEvent(QKeyEvent* event)
{
    const UINT vk = VirtualKeyFromQtKey(event->key());
    if (vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) {
        event->accept();
        m_pList->OnKeyUp(vk);
        return;
    }
    QLineEdit::keyReleaseEvent(event);
}

void CInPlaceListEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && !m_pList->HoldsFocus())
        m_pList->EndEdit();
}
