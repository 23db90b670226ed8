#include "platform/gui/DialogKeys.h"

#include <QKeyEvent>
#include <QWidget>

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
