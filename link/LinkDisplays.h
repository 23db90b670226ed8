#pragma once
// The displays that the reply parser and the update steps update, published by the windows that
// own them while they exist and empty otherwise.
#include "link/ProgressDisplay.h"
#include "link/StatusDisplay.h"
#include "platform/core/SharedSlot.h"

class QString;

// The transfer popup's bar: the position of each answered command of a bulk
// transfer.
extern CSharedSlot<IProgressDisplay> g_pTransferProgress;
// The firmware update dialog's bar and its status line, while it is open.
extern CSharedSlot<IProgressDisplay> g_pUpdateProgress;
extern CSharedSlot<IStatusDisplay> m_pCurHexUpTip;

// Shows text on the update dialog's status line, when the dialog is open.
void ShowUpdateStatus(const QString& text);

// The status text of an update's link being opened: "Connected Usb" over
// USB (and serial), "Connected NetWork" over the network, by language.
QString UpdateConnectingText(bool network);
// "The firmware update failed", by language: the status line's and the
// box's text of an update that failed.
QString UpdateFailedText();
