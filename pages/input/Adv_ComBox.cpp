#include "pages/input/Adv_ComBox.h"

#include <QMouseEvent>

#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"

CAdv_ComBox::CAdv_ComBox(QWidget* parent) : QComboBox(parent) {}

void CAdv_ComBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QComboBox::mousePressEvent(event);
        return;
    }
    // Sent, not posted: the menu opens before the press returns. The press
    // goes no further, so the list never drops down.
    event->accept();
    SendMessage(GetParentTarget(this), WM_COMMAND, MAKEWPARAM(ID_SOURCE_COMMAND, 0), reinterpret_cast<LPARAM>(this));
}
