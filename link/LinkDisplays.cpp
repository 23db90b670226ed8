#include "link/LinkDisplays.h"

#include <QString>

#include "platform/core/Language.h"

CSharedSlot<IProgressDisplay> g_pTransferProgress;
CSharedSlot<IProgressDisplay> g_pUpdateProgress;
CSharedSlot<IStatusDisplay> m_pCurHexUpTip;

void ShowUpdateStatus(const QString& text)
{
    if (std::shared_ptr<IStatusDisplay> status = m_pCurHexUpTip.Get())
        status->SetText(text);
}

QString UpdateConnectingText(bool network)
{
    if (network)
        return g_bChinese ? QStringLiteral("连接网络") : QStringLiteral("Connected NetWork");
    return g_bChinese ? QStringLiteral("连接Usb") : QStringLiteral("Connected Usb");
}

QString UpdateFailedText()
{
    return g_bChinese ? QStringLiteral("固件更新失败") : QStringLiteral("The firmware update failed");
}
