// CDeviceLink: the link side of a firmware update. Opening the link in
// update mode (USB at once, the network on the connect thread), one attempt
// of the update dialog's reconnect poll, giving an update's connect up, and
// the update's outcomes.
//
// Everything here runs on the UI thread but ConnectNetworkBlocking, which
// the poll's own thread runs while the UI thread leaves the socket alone.
#include "link/DeviceLink.h"

#include <QTimer>

#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "link/Net_Socket.h"
#include "link/UsbLink.h"
#include "link/UsbTransport.h"
#include "model/DataDefine.h"
#include "model/LinkState.h"
#include "model/SharedTexts.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"

namespace {
// The box of an update that was given up or could not be reopened.
void ShowUpdateAbortedBox()
{
    AppMessageBox(g_bChinese ? QStringLiteral("固件更新失败!") : QStringLiteral("The firmware update failed!"), MB_OK,
                  LINK_WARNING_HELP_ID);
}
}  // namespace

void CDeviceLink::ShowUpdateFailed()
{
    const QString text = UpdateFailedText();
    AppMessageBox(text, MB_OK, LINK_WARNING_HELP_ID);
    ShowUpdateStatus(text);
}

void CDeviceLink::ShowConnectionFailureOf(int linkType)
{
    const QString text = linkType == LINK_NETWORK ? (g_bChinese ? g_strWifiFailCn : g_strWifiFailEn)
                                                  : (g_bChinese ? g_strUsbFailCn : g_strUsbFailEn);
    AppMessageBox(text, MB_OK, LINK_PROMPT_HELP_ID);
}

// ---- Opening the link for an update ---------------------------------------------------

void CDeviceLink::CloseForUpdate()
{
    // The connect button's close must not come after the update's open.
    if (IsDisconnecting()) {
        m_pDisconnectTimer->stop();
        DisconnectLink();
    }
    Disconnect();
    if (m_bConnecting)
        DisconnectNetwork();
}

void CDeviceLink::StartUpdateLink()
{
    m_command.SetOwner(g_pNotifyView.load());
    m_command.ClearQueue();
    g_bUpdating = true;
    StartIoWorker(true);
}

bool CDeviceLink::ConnectUsbForUpdate(const QString& path)
{
    if (!m_pUsb || m_bConnected || !m_pUsb->IsUsbPathFree(path))
        return false;
    m_pUsb->SetDevicePath(path);
    if (!m_pUsb->OpenHidDevice())
        return false;
    ResetUsbInput();
    StartUpdateLink();
    return true;
}

bool CDeviceLink::ConnectNetworkForUpdate(std::function<void(bool connected)> done)
{
    if (m_pNet == nullptr || m_bConnecting || m_bConnected)
        return false;
    m_fnUpdateConnected = std::move(done);
    RunConnectThread(true);
    return true;
}

void CDeviceLink::CompleteUpdateConnect(bool connected)
{
    std::function<void(bool)> done = std::move(m_fnUpdateConnected);
    m_fnUpdateConnected = nullptr;
    m_bUpdateConnect = false;
    if (connected) {
        g_bNetLinkUp = true;
        StartUpdateLink();
    }
    if (done)
        done(connected);
}

bool CDeviceLink::ConnectNetworkBlocking(const CCancelToken* cancel)
{
    return m_pNet != nullptr && m_pNet->IsReachable() && m_pNet->Connect(cancel);
}

// ---- The reconnect poll's attempt -----------------------------------------------------

bool CDeviceLink::ReconnectForUpdate(bool retry, bool netConnected)
{
    const int kind = g_nLinkType;
    switch (kind) {
    case LINK_USB:
        if (m_pUsb && m_pUsb->ConnectUsb()) {
            ResetUsbInput();
            StartUpdateLink();
            return true;
        }
        if (retry) {
            ShowUpdateStatus(UpdateConnectingText(false));
            ReleaseUsbPath();
            return false;
        }
        g_bUpdating = false;
        ShowConnectionFailureOf(kind);
        m_command.ClearQueue();
        if (m_pCurHexUpTip.Get())
            ShowUpdateAbortedBox();
        break;
    case LINK_NETWORK:
        if (netConnected) {
            g_bNetLinkUp = true;
            StartUpdateLink();
            return true;
        }
        if (retry) {
            ShowUpdateStatus(UpdateConnectingText(true));
            return false;
        }
        g_bUpdating = false;
        m_command.ClearQueue();
        ShowUpdateStatus(UpdateFailedText());
        // The boxes come from the view's handler.
        PostMessage(g_pNotifyView.load(), WM_UPDATE_FAILED, 0, 0);
        break;
    case LINK_SERIAL:
        if (OpenSerialLink(g_strNullPort)) {
            StartUpdateLink();
            return true;
        }
        if (retry)
            return false;
        g_bUpdating = false;
        ShowConnectionFailureOf(kind);
        m_command.ClearQueue();
        break;
    default:
        return false;
    }
    // The last attempt failed: no link kind is left behind.
    AbandonUpdateConnect();
    return false;
}

void CDeviceLink::AbandonUpdateConnect()
{
    if (m_bConnecting) {
        // Another connect (the normal one) is not the update's to end.
        if (!m_bUpdateConnect)
            return;
        CancelNetConnect();
    }
    if (m_bConnected)
        return;
    switch (g_nLinkType) {
    case LINK_NETWORK:
        if (m_pNet != nullptr)
            m_pNet->Close();
        ClearNetLinkFlags();
        break;
    case LINK_USB:
        if (m_pUsb) {
            m_pUsb->CloseHidDevice();
            m_pUsb->ReleaseUsbPath();
        }
        break;
    default:
        break;
    }
    g_nLinkType = LINK_NONE;
}

// ---- Outcomes ---------------------------------------------------------------------------

void CDeviceLink::CancelUpdate()
{
    if (m_bConnected) {
        StopIoWorker(true);
        DisconnectLink();
    }
    g_bUpdating = false;
    ShowUpdateAbortedBox();
}

void CDeviceLink::OnUpdateSucceeded(LPARAM code)
{
    // An update that ended otherwise meanwhile (failed, cancelled) is not
    // reported twice.
    if (code != HEXEnd || !g_bUpdating)
        return;
    StopIoWorker(true);
    g_bUpdating = false;
    DisconnectLink();
    AppMessageBox(g_bChinese ? QStringLiteral("更新完成") : QStringLiteral("Update successfully"), MB_OK,
                  LINK_PROMPT_HELP_ID);
}

void CDeviceLink::OnUpdateFailed()
{
    ShowConnectionFailureOf(LINK_NETWORK);
    AppMessageBox(UpdateFailedText(), MB_OK, LINK_WARNING_HELP_ID);
}

void CDeviceLink::OnFirmwareRequired()
{
    if (m_bConnected) {
        StopIoWorker(true);
        DisconnectLink();
    }
    AppMessageBox(g_bChinese ? QStringLiteral("设备异常 请更新固件!") : QStringLiteral("Please Update the Firmware!"),
                  MB_OK, LINK_WARNING_HELP_ID);
}
