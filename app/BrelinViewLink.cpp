// The main view's side of the device link: the link's messages, the view's
// parts of a connect and a disconnect, the status hold, the mode-gain rows
// and the clean-up of the link when the window ends.
#include "app/BrelinView.h"

#include <QAction>
#include <QMenu>

#include "app/DisplayDlg.h"
#include "app/LockDataDlg.h"
#include "app/PopupMenus.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/SharedTexts.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/PopupMenu.h"

namespace {
// The byte of g_ModeGains that holds the selected row (0 to 3).
constexpr int MODE_GAINS_ROW_BYTE = 96;
// Pixels between the connect button's bottom edge and its popup.
constexpr int LINK_MENU_GAP = 2;
}  // namespace

CLinkViewHooks CBrelinView::LinkHooks()
{
    CLinkViewHooks hooks;
    hooks.linkOpened = [this] { ShowLinkState(true); };
    hooks.linkClosed = [this] {
        m_progress.SetPos(0);
        m_editPresetName.setText(QString());
        m_btnPresetName.setText(QString());
        m_btnPresetName.SetCheck(false);
        ShowLinkState(false);
        DropPendingAllPresetsSaves();
    };
    // The popup's bar; the sequences set the view's own bar themselves (a
    // recall leaves it alone).
    hooks.transferRange = [](int upper) {
        if (g_pDisplayDlg != nullptr) {
            g_pDisplayDlg->Progress().SetRange(0, upper);
            g_pDisplayDlg->Progress().SetPos(0);
        }
    };
    hooks.popupShown = [](bool fromDialog, bool factoryReset) {
        if (g_pDisplayDlg == nullptr)
            return;
        if (factoryReset)
            g_pDisplayDlg->SetFactoryResetMode();
        g_pDisplayDlg->ShowPopup(fromDialog);
    };
    hooks.popupHidden = [] {
        if (g_pDisplayDlg != nullptr)
            g_pDisplayDlg->HidePopup();
    };
    AddAdvancedDialogHooks(hooks);
    return hooks;
}

LRESULT CBrelinView::LinkWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (TransferWindowProc(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_AUTO_CONNECT:
        m_deviceLink.OnStartupConnect();
        break;
    case WM_NET_REACHABLE:
        m_deviceLink.OnNetReachable();
        break;
    case WM_STOP_NET_POLL:
        m_deviceLink.OnStopNetPoll();
        break;
    case WM_LINK_FAILED:
        m_deviceLink.OnLinkLost();
        break;
    case WM_DEVICECHANGE:
        return m_deviceLink.OnDeviceChange(wParam, lParam);
    case WM_DEVICE_VERSION:
        m_deviceLink.CheckDeviceVersion();
        break;
    case WM_TRANSFER_DONE:
        m_deviceLink.OnTransferDone();
        break;
    case WM_OPERATION_DONE:
        m_deviceLink.OnOperationDone(lParam);
        break;
    case WM_UPDATE_SUCCEEDED:
        m_deviceLink.OnUpdateSucceeded(lParam);
        break;
    case WM_UPDATE_FAILED:
        m_deviceLink.OnUpdateFailed();
        break;
    case WM_FIRMWARE_REQUIRED:
        m_deviceLink.OnFirmwareRequired();
        break;
    default:
        break;
    }
    return 0;
}

CConnectDecision CBrelinView::OnConnectButton()
{
    const CConnectDecision decision = m_deviceLink.OnConnectButton();
    if (decision.kind == CConnectDecision::Kind::ShowMenu) {
        const UINT id = TrackConnectMenu(decision);
        if (id != 0)
            OnConnectMenuCommand(id);
    }
    return decision;
}

UINT CBrelinView::TrackConnectMenu(const CConnectDecision& decision)
{
    const QPoint at = m_btnConnect.mapToGlobal(QPoint(0, m_btnConnect.height() + LINK_MENU_GAP));
    // "USB" and the network item are menu 114's own popup, its network
    // item named as the link says; any other choice is a popup of its own,
    // gone after the choice.
    const bool twoItemMenu = decision.menu.size() == 2 && decision.menu[0].id == ID_CONNECT_USB &&
                             decision.menu[1].id == ID_CONNECT_NETWORK;
    if (twoItemMenu && m_menuLink) {
        if (QAction* network = FindMenuItem(m_menuLink.get(), ID_CONNECT_NETWORK))
            network->setText(decision.menu[1].text);
        return TrackPopupMenu(*m_menuLink, at, this);
    }
    QMenu menu;
    for (const CConnectDecision::Item& item : decision.menu)
        menu.addAction(item.text)->setData(item.id);
    return TrackPopupMenu(menu, at, this);
}

bool CBrelinView::OnConnectMenuCommand(UINT id)
{
    if (id == ID_CONNECT_USB) {
        m_deviceLink.OnConnectUsbCommand();
        return true;
    }
    if (id == ID_CONNECT_NETWORK) {
        m_deviceLink.OnConnectNetworkCommand();
        return true;
    }
    if (id >= UINT(ID_USB_DEVICE_FIRST) && id <= UINT(ID_USB_DEVICE_LAST)) {
        m_deviceLink.OnUsbDeviceItem(int(id) - ID_USB_DEVICE_FIRST);
        return true;
    }
    return false;
}

bool CBrelinView::ConnectSerial(const QString& portName)
{
    return m_deviceLink.ConnectSerial(portName);
}

void CBrelinView::QueueCommand(int kind, int slot)
{
    m_deviceLink.QueueCommand(kind, slot);
}

void CBrelinView::HoldStatusUpdates()
{
    m_bHoldStatus = true;
    m_timers.SetTimer(TIMER_HOLD_STATUS, HOLD_STATUS_MS);
}

void CBrelinView::OnTimer(UINT id)
{
    if (id == TIMER_HOLD_STATUS) {
        m_timers.KillTimer(TIMER_HOLD_STATUS);
        m_bHoldStatus = false;
    }
}

void CBrelinView::SelectModeButton(int mode, bool set)
{
    int selected = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        selected = g_ModeGains[MODE_GAINS_ROW_BYTE];
        if (set) {
            if (mode == selected)
                return;
            g_ModeGains[MODE_GAINS_ROW_BYTE] = BYTE(mode);
        }
    }
    if (selected >= 0 && selected < 4)
        ModeGainButton(selected).SetCheck(false);
}

CXPButton& CBrelinView::ModeGainButton(int row)
{
    // Declared in the order of controls 2069, 2068, 2067, 2066.
    return m_btnModeGain[3 - row];
}

void CBrelinView::ShowLinkState(bool connected)
{
    struct Faces {
        UINT normal, hover;
    };
    // Connected or not, Chinese or English.
    static const Faces kFaces[2][2] = {{{8753, 8742}, {8743, 8752}}, {{8751, 8740}, {8741, 8750}}};
    const bool chinese = g_bChinese;
    const Faces& f = kFaces[chinese ? 1 : 0][connected ? 1 : 0];
    m_btnConnect.SetBitmaps(f.normal, f.hover, f.hover, 0, 0, 0);
    // The lamp blinks while nothing is connected.
    if (connected)
        m_lampLink.StopBlink();
    else
        m_lampLink.StartBlink();
    m_lampLink.SetText(connected ? (chinese ? g_strConnectedCn : g_strConnectedEn)
                                 : (chinese ? g_strNotConnectedCn : g_strNotConnectedEn));
}

void CBrelinView::CleanUpLink()
{
    if (m_bCleanedUp)
        return;
    m_bCleanedUp = true;
    m_timers.KillTimer(TIMER_HOLD_STATUS);
    m_deviceLink.StopIoWorker(false);
    // The serial port's monitor ends with the window, the worker first.
    m_serialPort.ClosePort();
    // A connect under way is given up; no link was open yet.
    if (m_deviceLink.IsConnecting())
        m_deviceLink.DisconnectNetwork();
    m_deviceLink.ReleaseUsbPath();
    m_netLink.StopPolling(false);
    if (g_pView == this)
        g_pView = nullptr;
    g_pCommLogDlg = nullptr;
    CMsgTarget* self = this;
    g_pNotifyView.compare_exchange_strong(self, nullptr);
    CKTVCommand* command = &m_command;
    g_pCommand.compare_exchange_strong(command, nullptr);
}
