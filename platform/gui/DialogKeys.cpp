#include "platform/gui/DialogKeys.h"

#include <QKeyEvent>
#include <QWidget>

#include "platform/core/MsgTarget.h"

bool TakeFocusOnEnterOrEscape(QWidget* dialog, QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        dialog->setFocus(Qt::OtherFocusReason);
        event->accept();
        return true;
    default:
        return false;
    }
}

bool TakeStripKey(QWidget* owner, CMsgTarget* target, const QKeyEvent* key, UINT copyMessage, UINT pasteMessage)
{
    if (key->modifiers().testFlag(Qt::ControlModifier)) {
        if (key->key() == Qt::Key_C)
            PostMessage(target, copyMessage, 0, 0);
        else if (key->key() == Qt::Key_V)
            PostMessage(target, pasteMessage, 0, 0);
        return false;
    }
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        owner->setFocus(Qt::OtherFocusReason);
        return true;
    default:
        return false;
    }
}

bool EndNavigationKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return true;
    default:
        return false;
    }
}
