#pragma once
// A control tells its parent of a click or a new value as the old
// platform's controls do: WM_COMMAND (wParam = the control id with the
// notification code in the high word, lParam = the control), sent at once.
#include "platform/core/Types.h"

class QAbstractButton;
class QWidget;

// Sends WM_COMMAND (id, code) to the control's parent when the parent is a
// message target; nothing otherwise.
void SendCommandToParent(QWidget* control, UINT code = 0);

// Every click of the button: WM_COMMAND with BN_CLICKED.
void NotifyClicksToParent(QAbstractButton* button);
