#pragma once
// The displays that the reply parser updates, published by the windows that
// own them while they exist and empty otherwise.
#include "link/ProgressDisplay.h"
#include "link/StatusDisplay.h"
#include "platform/core/SharedSlot.h"

// The transfer popup's bar: the position of each answered command of a bulk
// transfer.
extern CSharedSlot<IProgressDisplay> g_pTransferProgress;
// The firmware update dialog's bar and its status line, while it is open.
extern CSharedSlot<IProgressDisplay> g_pUpdateProgress;
extern CSharedSlot<IStatusDisplay> m_pCurHexUpTip;
