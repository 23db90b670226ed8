#include "platform/gui/ButtonNotify.h"

#include <QAbstractButton>

#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"

void SendCommandToParent(QWidget* control, UINT code)
{
    SendMessage(GetParentTarget(control), WM_COMMAND, MAKEWPARAM(UINT(GetDlgCtrlID(control)), code),
                reinterpret_cast<LPARAM>(control));
}

void NotifyClicksToParent(QAbstractButton* button)
{
    QObject::connect(button, &QAbstractButton::clicked, button, [button] { SendCommandToParent(button, BN_CLICKED); });
}
