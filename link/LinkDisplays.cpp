#include "link/LinkDisplays.h"

#include <QString>

CSharedSlot<IProgressDisplay> g_pTransferProgress;
CSharedSlot<IProgressDisplay> g_pUpdateProgress;
CSharedSlot<IStatusDisplay> m_pCurHexUpTip;

void ShowUpdateStatus(const QString& text)
{
    if (std::shared_ptr<IStatusDisplay> status = m_pCurHexUpTip.Get())
        status->SetText(text);
}
