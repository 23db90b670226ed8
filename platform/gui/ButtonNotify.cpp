#include "platform/gui/ButtonNotify.h"

#include <QAbstractButton>

#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"

void NotifyClicksToParent(QAbstractButton* button)
{
    QObject::connect(button, &QAbstractButton::clicked, button, [button] {
        SendMessage(GetParentTarget(button), WM_COMMAND, MAKEWPARAM(UINT(GetDlgCtrlID(button)), BN_CLICKED),
                    reinterpret_cast<LPARAM>(button));
    });
}
