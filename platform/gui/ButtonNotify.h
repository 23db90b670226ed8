#pragma once
// A push button tells its parent of a click as the old platform's buttons
// do: WM_COMMAND (wParam = the control id with BN_CLICKED in the high word,
// lParam = the button), sent at once.
class QAbstractButton;

void NotifyClicksToParent(QAbstractButton* button);
