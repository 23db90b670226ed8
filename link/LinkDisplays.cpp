#include "link/LinkDisplays.h"

CSharedSlot<IProgressDisplay> g_pTransferProgress;
CSharedSlot<IProgressDisplay> g_pUpdateProgress;
CSharedSlot<IStatusDisplay> m_pCurHexUpTip;
