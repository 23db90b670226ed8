// CDeviceLink: how a connection comes about (start-up, the connect button
// and its popup), the version check, and the system commands the view
// submits.
#include "link/DeviceLink.h"

#include <algorithm>
#include <cstring>

#include <QTimer>

#include "link/KTVCommand.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "link/UsbLink.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/SharedTexts.h"
#include "model/SpeakerPosition.h"
#include "model/WorkingStrings.h"
#include "platform/core/AppSettings.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SendLock.h"
#include "platform/core/SettingsNames.h"

const char* const g_szFirmwareTag = "KRVA-BV1.00";

namespace {
enum : int {
    // Characters of a firmware tag: the family, and the family with the
    // major version digit.
    TAG_FAMILY_CHARS = 7,
    TAG_MAJOR_CHARS = 8,
    TAG_MAJOR_INDEX = 7,
    // Help ids of the version box, by language.
    VERSION_BOX_HELP_CN = -4,
    VERSION_BOX_HELP_EN = -5,
    // System commands the submissions use.
    COMMAND_PRESET_NAME = 0,
    COMMAND_LEVEL = 5,
    COMMAND_SPEAKERS_LOW = 6,
    COMMAND_SPEAKERS_HIGH = 7,
    COMMAND_CURRENT_PRESET = 52,
};


void ShowNothingToOpen()
{
    AppMessageBox(g_bChinese ? QStringLiteral("没有连接可以打开") : QStringLiteral("No connection can be opened"), MB_OK,
                  LINK_PROMPT_HELP_ID);
}

void ShowUsbFailure()
{
    AppMessageBox(g_bChinese ? g_strUsbFailCn : g_strUsbFailEn, MB_OK, LINK_PROMPT_HELP_ID);
}
}  // namespace

// ---- Connecting ----------------------------------------------------------------------

void CDeviceLink::OnStartupConnect()
{
    if (m_pUsb && m_pUsb->ConnectUsb())
        LinkStart(LINK_USB);
    // A device on the network is looked for as well.
    if (m_pNet != nullptr)
        m_pNet->StartPolling();
}

bool CDeviceLink::IsDisconnecting() const
{
    return m_pDisconnectTimer && m_pDisconnectTimer->isActive();
}

CConnectDecision CDeviceLink::OnConnectButton()
{
    CConnectDecision decision;
    g_bHandshakePending = false;
    if (IsDisconnecting() || m_bConnecting)
        return decision;
    if (m_bConnected) {
        StopIoWorker(true);
        // The device is given a moment before the link closes; the UI
        // thread does not wait for it.
        if (!m_pDisconnectTimer) {
            m_pDisconnectTimer = std::make_unique<QTimer>();
            m_pDisconnectTimer->setSingleShot(true);
            m_pDisconnectTimer->setInterval(LINK_DISCONNECT_PAUSE_MS);
            QObject::connect(m_pDisconnectTimer.get(), &QTimer::timeout, [this] { DisconnectLink(); });
        }
        m_pDisconnectTimer->start();
        decision.kind = CConnectDecision::Kind::Disconnecting;
        return decision;
    }

    g_astrHidItems.clear();
    if (m_pUsb && m_pUsb->FindHidDevices()) {
        for (const QString& path : m_pUsb->FoundPaths()) {
            if (m_pUsb->IsUsbPathFree(path))
                g_astrHidItems.append(path);
        }
    }
    const int free = int(g_astrHidItems.size());
    const bool reachable = m_pNet != nullptr && m_pNet->IsReachable();
    if (free == 0) {
        if (reachable && ConnectNetwork()) {
            decision.kind = CConnectDecision::Kind::NetworkConnecting;
        } else {
            ShowNothingToOpen();
            decision.kind = CConnectDecision::Kind::NothingToOpen;
        }
        return decision;
    }
    if (free == 1 && reachable) {
        decision.kind = CConnectDecision::Kind::ShowMenu;
        decision.menu = {{ID_CONNECT_USB, QStringLiteral("USB")}, {ID_CONNECT_NETWORK, g_strWifiItem}};
        return decision;
    }
    if (free == 1) {
        if (ConnectUsbPath(g_astrHidItems[0])) {
            decision.kind = CConnectDecision::Kind::Connected;
        } else {
            ShowUsbFailure();
            decision.kind = CConnectDecision::Kind::ConnectFailed;
        }
        return decision;
    }
    decision.kind = CConnectDecision::Kind::ShowMenu;
    const int items = std::min(free, ID_USB_DEVICE_LAST - ID_USB_DEVICE_FIRST + 1);
    for (int i = 0; i < items; ++i)
        decision.menu.push_back({ID_USB_DEVICE_FIRST + i, QStringLiteral("USB%1").arg(i + 1)});
    if (reachable)
        decision.menu.push_back({ID_CONNECT_NETWORK, g_strDeviceIp.Get()});
    return decision;
}

void CDeviceLink::OnUsbDeviceItem(int index)
{
    if (index < 0 || index >= int(g_astrHidItems.size()))
        return;
    if (!ConnectUsbPath(g_astrHidItems[index]))
        ShowUsbFailure();
}

void CDeviceLink::OnConnectUsbCommand()
{
    if (!m_pUsb || m_bConnected || m_bConnecting || IsDisconnecting() || g_nLinkType != LINK_NONE)
        return;
    g_nLinkType = LINK_USB;
    if (m_pUsb->ConnectUsb()) {
        LinkStart(LINK_USB);
        return;
    }
    ShowUsbFailure();
    // Arrivals and the network connect need no link kind set.
    g_nLinkType = LINK_NONE;
}

void CDeviceLink::OnConnectNetworkCommand()
{
    ConnectNetwork();
}

// ---- Version check ---------------------------------------------------------------------

void CDeviceLink::CheckDeviceVersion()
{
    char version[DEVICE_VERSION_SIZE];
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        std::memcpy(version, g_szDeviceVersion, sizeof version);
    }
    if (std::memcmp(version, g_szFirmwareTag, TAG_MAJOR_CHARS) == 0) {
        {
            std::lock_guard<CCriticalSection> lock(g_csSendLock);
            RequestDeviceInfo(true);
            RecallPreset(0);
        }
        g_bDeviceSynced = true;
        return;
    }
    // Rejected: disconnected, with a word on the major version.
    OnConnectButton();
    m_command.ClearQueue();
    if (std::memcmp(version, g_szFirmwareTag, TAG_FAMILY_CHARS) == 0)
        ShowVersionWarning();
    ParameterSetGuard guard(g_ParameterSetLock);
    std::memset(g_szDeviceVersion, ' ', sizeof g_szDeviceVersion);
}

void CDeviceLink::ShowVersionWarning()
{
    char device = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        device = g_szDeviceVersion[TAG_MAJOR_INDEX];
    }
    const char program = g_szFirmwareTag[TAG_MAJOR_INDEX];
    const QString p = QString(QLatin1Char(program));
    const QString d = QString(QLatin1Char(device));
    QString text;
    if (program - '0' > device - '0') {
        text = g_bChinese ? QStringLiteral("设备版本比PC软件版本号低，只有版本号为“KRNT-MV%1.01到KRNT-MV%1.99”之间的设备才能和该版本的PC软件连接。").arg(p)
                          : QStringLiteral(" If device version is lower than the software version, only the device at "
                                           "version, KRNT-MV%1.01 to KRNT-MV%1.99, can be connected with this software.")
                                .arg(p);
    } else if (program - '0' < device - '0') {
        text = g_bChinese ? QStringLiteral("PC软件版本比设备版本号低，只有版本号为“SRNT-MV%1.01到SRNT-MV%1.99”之间的PC软件才能和该版本的设备连接。").arg(d)
                          : QStringLiteral(" If software version is lower than the device version, only the software "
                                           "at version, SRNT-MV%1.01 to SRNT-MV%1.99, can be connected with this device.")
                                .arg(d);
    }
    AppMessageBox(text, MB_OK, g_bChinese ? VERSION_BOX_HELP_CN : VERSION_BOX_HELP_EN);
}

// ---- Command submission -------------------------------------------------------------------

void CDeviceLink::AddCounted(std::unique_ptr<CSendData> command)
{
    if (!command)
        return;
    command->SetCounted(true);
    command->SetProgressPos(m_nProgressCount++);
    m_command.AddCommand(std::move(command));
}

void CDeviceLink::QueueCommand(int kind, int slot)
{
    if (!m_bConnected)
        return;
    const bool wifiDefaults = kind == SYSTEM_COMMAND_WIFI_DEFAULTS;
    {
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        std::unique_ptr<CSendData> command = BuildSystemCommandFrame(kind, slot);
        if (!command)
            return;
        // The module restores its defaults and restarts: its answer takes
        // long, and its outcome is reported (WM_OPERATION_DONE).
        if (wifiDefaults)
            command->SetLongWait(true);
        m_command.AddCommand(std::move(command));
    }
    if (wifiDefaults) {
        g_bTransferBusy = true;
        if (m_hooks.popupShown)
            m_hooks.popupShown(true, true);
    }
}

void CDeviceLink::RequestDeviceInfo(bool all)
{
    if (!all) {
        g_bHandshakePending = true;
        m_command.AddCommand(BuildSystemRequestFrame(SYSTEM_ITEM_HANDSHAKE, 0));
        m_command.AddCommand(BuildSystemRequestFrame(g_SyncItemCodes[SYNC_ITEM_COUNT - 1], 0));
        return;
    }
    for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot)
        AddCounted(BuildSystemRequestFrame(SYSTEM_ITEM_PRESET_NAME, slot));
    for (int k = 0; k < SYNC_ITEM_COUNT - 1; ++k)
        AddCounted(BuildSystemRequestFrame(g_SyncItemCodes[k], 0));
}

void CDeviceLink::RecallPreset(int slot)
{
    if (slot < 0 || slot > MACHINE_PRESET_COUNT)
        return;
    g_bDeviceSynced = false;
    if (!m_bConnected) {
        ShowConnectionFailure();
        return;
    }
    g_bTrackPresetName = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byCurrentPreset = BYTE(slot);
    }
    // The live set's read-back continues the caller's count, under the
    // caller's lock.
    std::unique_lock<CCriticalSection> lock(g_csSendLock, std::defer_lock);
    if (slot != 0) {
        lock.lock();
        m_nProgressCount = 0;
        SetTransferMute(false);
    }
    for (int music = 0; music < MUSIC_COUNT; ++music)
        AddCounted(BuildBlockRequestFrame(slot, BLOCK_MUSIC, music, true));
    for (int output = 0; output < OUTPUT_COUNT - 1; ++output)
        AddCounted(BuildBlockRequestFrame(slot, BLOCK_OUTPUT, output, true));
    // The last request takes the position after output 10's without a
    // further count, so the bar ends with its reply.
    if (std::unique_ptr<CSendData> last = BuildBlockRequestFrame(slot, BLOCK_OUTPUT, OUTPUT_COUNT - 1, true)) {
        last->SetCounted(true);
        last->SetProgressPos(m_nProgressCount);
        last->SetLastRequest(true);
        m_command.AddCommand(std::move(last));
    }
    ResetTransferProgress();
    g_bTransferBusy = true;
    if (slot != 0) {
        AddCounted(BuildSystemCommandFrame(COMMAND_PRESET_NAME, 0));
        SetTransferMute(true);
        lock.unlock();
    }
    if (m_hooks.popupShown)
        m_hooks.popupShown(slot != 0, false);
    g_bTrackPresetName = false;
}

void CDeviceLink::ResetTransferProgress()
{
    if (m_hooks.transferRange)
        m_hooks.transferRange(m_nProgressCount);
}

void CDeviceLink::SendSpeakerAssignment(int channel, bool all)
{
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    if (!all) {
        CKTV_OutData* output = (m_pSet != nullptr && channel >= 0 && channel < OUTPUT_COUNT)
                                   ? m_pSet->GetOutput(channel)
                                   : nullptr;
        if (output == nullptr)
            return;
        output->SetSpeakerPosition(g_byOutputPosition[channel]);
        if (!m_bConnected)
            return;
        m_command.AddCommand(BuildSystemCommandFrame(COMMAND_SPEAKERS_LOW, 0));
        m_command.AddCommand(BuildSystemCommandFrame(COMMAND_SPEAKERS_HIGH, 0));
        m_command.AddCommand(output->SendCrossoverNow());
        return;
    }
    if (!m_bConnected || m_pSet == nullptr)
        return;
    m_command.AddCommand(BuildSystemCommandFrame(COMMAND_SPEAKERS_LOW, 0));
    m_command.AddCommand(BuildSystemCommandFrame(COMMAND_SPEAKERS_HIGH, 0));
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
        if (CKTV_OutData* output = m_pSet->GetOutput(k))
            m_command.AddCommand(output->SendCrossoverNow());
    }
}

void CDeviceLink::SendPresetDeleted(int slot)
{
    if (!m_bConnected)
        return;
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    m_command.AddCommand(BuildSystemCommandFrame(COMMAND_PRESET_NAME, slot));
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byCurrentPreset = 0;
    }
    m_command.AddCommand(BuildSystemCommandFrame(COMMAND_CURRENT_PRESET, 0));
}

void CDeviceLink::SetTransferMute(bool restore)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (restore) {
            g_byMasterOn = m_bySavedMasterOn;
        } else {
            m_bySavedMasterOn = g_byMasterOn;
            g_byMasterOn = 0;
        }
    }
    m_command.AddCommand(BuildSystemCommandFrame(COMMAND_LEVEL, 0));
}

void CDeviceLink::RestoreFactorySettings()
{
    QueueCommand(SYSTEM_COMMAND_FACTORY_RESET, 0);
    if (!m_bConnected)
        ShowNothingToOpen();
}

void CDeviceLink::OnTransferDone()
{
    g_bTransferBusy = false;
}

void CDeviceLink::OnOperationDone(LPARAM ok)
{
    switch (g_nLinkType) {
    case LINK_USB:
        g_bTransferBusy = false;
        if (ok != 0) {
            AppMessageBox(g_bChinese ? g_strWifiResetOkCn : g_strWifiResetOkEn, MB_OK, LINK_PROMPT_HELP_ID);
            RestoreNetworkDefaults();
        } else {
            AppMessageBox(g_bChinese ? g_strWifiResetFailCn : g_strWifiResetFailEn, MB_OK, LINK_PROMPT_HELP_ID);
        }
        break;
    case LINK_NETWORK:
        RestoreNetworkDefaults();
        // The connect button's disconnect; a link already gone is not
        // opened again.
        if (m_bConnected)
            OnConnectButton();
        if (m_pNet != nullptr)
            m_pNet->SetReachable(false);
        RestoreNetworkDefaults();
        AppMessageBox(g_bChinese ? g_strWifiFailCn : g_strWifiFailEn, MB_OK, LINK_PROMPT_HELP_ID);
        break;
    default:
        break;
    }
}

void CDeviceLink::RestoreNetworkDefaults()
{
    // The module is back at its factory address: so is the setting.
    g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
    g_nDevicePort = DEFAULT_DEVICE_PORT;
    CAppSettings::PutString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP, QString::fromLatin1(DEFAULT_DEVICE_IP));
    if (m_hooks.networkDefaultsRestored)
        m_hooks.networkDefaultsRestored();
}
