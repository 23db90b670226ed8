// CDeviceLink: the USB link, the hot-plug notices and the endings of every
// link (failure, disconnect, a failed update).
#include "link/DeviceLink.h"

#include <cstring>

#include <QTimer>

#include "link/FirmwareUpdate.h"
#include "link/HotPlugMonitor.h"
#include "link/HotPlugSource.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "link/UsbLink.h"
#include "link/UsbTransport.h"
#include "model/DataDefine.h"
#include "model/ChangeScanFlags.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/SharedTexts.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"

void CDeviceLink::EnableUsb(IHidBus& bus)
{
    if (m_pUsb)
        return;
    m_pUsb = std::make_unique<CUsbLink>(bus);
    m_pUsbTransport = std::make_unique<CUsbTransport>(*this, *m_pUsb, m_command);
    SetTransport(LINK_USB, m_pUsbTransport.get());
}

void CDeviceLink::CreateUsbInUseKey()
{
    if (m_pUsb)
        m_pUsb->CreateUsbInUseKey();
}

bool CDeviceLink::RegisterHidNotification(CMsgTarget* view, std::unique_ptr<IHotPlugSource> source)
{
    m_pHotPlug = std::make_unique<CHotPlugMonitor>(view);
    if (m_pHotPlug->Start(std::move(source)))
        return true;
    m_pHotPlug.reset();
    return false;
}

void CDeviceLink::ReleaseUsbPath()
{
    if (m_pUsb)
        m_pUsb->ReleaseUsbPath();
}

void CDeviceLink::ResetUsbInput()
{
    std::memset(g_byHidInReport, 0, sizeof g_byHidInReport);
    if (m_pUsbTransport)
        m_pUsbTransport->LinkStarted();
}

bool CDeviceLink::ConnectUsbPath(const QString& path)
{
    if (!m_pUsb || g_nLinkType != LINK_NONE || m_bConnected || m_bConnecting || IsDisconnecting())
        return false;
    if (!m_pUsb->IsUsbPathFree(path))
        return false;
    m_pUsb->SetDevicePath(path);
    if (!m_pUsb->OpenHidDevice())
        return false;
    g_nLinkType = LINK_USB;
    LinkStart(LINK_USB);
    return true;
}

void CDeviceLink::DisconnectUsb()
{
    if (m_pUsb)
        m_pUsb->CloseHidDevice();
    g_bSendSysItem5 = false;
    g_bSendSysItem2 = false;
    EndLink();
    ReleaseUsbPath();
}

LRESULT CDeviceLink::OnDeviceChange(WPARAM event, LPARAM data)
{
    const auto* notice = reinterpret_cast<const DeviceInterfaceNotice*>(data);
    if (!m_pUsb || notice == nullptr || notice->deviceType != DBT_DEVTYP_DEVICEINTERFACE)
        return 1;
    if (event == DBT_DEVICEARRIVAL) {
        // The open decides whether it is the device (and a free one).
        if (g_nLinkType == LINK_NONE && !m_bConnected && !g_bUpdateRetrying)
            ConnectUsbPath(notice->path);
        return 1;
    }
    if (event != DBT_DEVICEREMOVECOMPLETE)
        return 1;
    const bool ours = g_nLinkType == LINK_USB &&
                      notice->path.compare(m_pUsb->DevicePath(), Qt::CaseInsensitive) == 0;
    if (!ours) {
        // Another device went: the list is refreshed, the link stays. When
        // the read failed first, the link has already ended with the device
        // that now leaves: its path is forgotten as if the notice had come
        // first.
        if (g_nLinkType == LINK_NONE && !m_pUsb->DevicePath().isEmpty() &&
            notice->path.compare(m_pUsb->DevicePath(), Qt::CaseInsensitive) == 0)
            m_pUsb->SetDevicePath(QString());
        m_pUsb->FindHidDevices();
        return 1;
    }
    if (!g_bUsbActive || !m_bConnected)
        return 1;
    // The last command has been answered: the device restarts into its new
    // firmware, and the success that was posted closes the link.
    if (g_bUpdating && g_bUpdateDone) {
        g_bUsbActive = false;
        return 1;
    }
    // During an update the device leaves by itself: after HEXApply it
    // restarts into its loader (the update step opens it again), and the
    // sync switches it over.
    const int last = g_bUpdating ? g_nLastUpdateCommand.load() : 0;
    if (last == HEXApply) {
        g_bUsbActive = false;
        return 1;
    }
    if (last == HEXSync)
        return 1;
    g_bUsbActive = false;
    FailUpdateAndDisconnect();
    // Nothing queued for the device that went is sent to the next one.
    m_command.ClearQueue();
    ShowUsbLostMessage();
    m_pUsb->ReleaseUsbPath();
    m_pUsb->FindHidDevices();
    g_bUpdating = false;
    m_pUsb->SetDevicePath(QString());
    return 1;
}

// ---- Endings of every link -------------------------------------------------------------

void CDeviceLink::DisconnectLink()
{
    switch (g_nLinkType) {
    case LINK_USB:
        DisconnectUsb();
        break;
    case LINK_NETWORK:
        DisconnectNetwork();
        break;
    case LINK_SERIAL:
        CloseSerialLink();
        break;
    default:
        EndLink();
        break;
    }
}

void CDeviceLink::Disconnect()
{
    if (!m_bConnected)
        return;
    StopIoWorker(true);
    DisconnectLink();
}

void CDeviceLink::FailUpdateAndDisconnect()
{
    Disconnect();
    if (g_bUpdating)
        ShowUpdateFailed();
}

void CDeviceLink::OnLinkLost()
{
    if (!m_bConnected)
        return;
    StopIoWorker(true);
    if (g_bUpdating) {
        g_bUpdating = false;
        ShowUpdateFailed();
    }
    g_bUpdating = false;
    ShowConnectionFailure();
    DisconnectLink();
    m_command.ClearQueue();
}

void CDeviceLink::ShowConnectionFailure()
{
    ShowConnectionFailureOf(g_nLinkType);
}

void CDeviceLink::ShowUsbLostMessage()
{
    if (!g_bUpdating)
        AppMessageBox(g_bChinese ? g_strUsbFailCn : g_strUsbFailEn, MB_OK, LINK_PROMPT_HELP_ID);
}
