// How a connection comes about and what the link says first: the connect
// button's decision in every situation, the popup's commands, the version
// check's three outcomes, the system commands the view submits, and the
// report of a long operation.
#include "link/FirmwareUpdate.h"
#include "model/SharedTexts.h"
#include "tests/link/UsbLinkFixture.h"

namespace {

using ConnectLogic = UsbLinkTest;
using VersionCheck = UsbLinkTest;
using Kind = CConnectDecision::Kind;

std::vector<int> Ids(const CConnectDecision& d)
{
    std::vector<int> ids;
    for (const CConnectDecision::Item& item : d.menu)
        ids.push_back(item.id);
    return ids;
}
std::vector<QString> Texts(const CConnectDecision& d)
{
    std::vector<QString> texts;
    for (const CConnectDecision::Item& item : d.menu)
        texts.push_back(item.text);
    return texts;
}

TEST_F(ConnectLogic, TheButtonDecidesByFreeDevicesAndTheNetwork)
{
    struct Case {
        const char* name;
        int devices;
        int claimedByOthers;
        bool reachable;
        Kind kind;
        std::vector<QString> menu;
    };
    const Case cases[] = {
        {"one device, network", 1, 0, true, Kind::ShowMenu, {QStringLiteral("USB"), QStringLiteral("WIFI")}},
        {"one device", 1, 0, false, Kind::Connected, {}},
        {"two devices, network",
         2,
         0,
         true,
         Kind::ShowMenu,
         {QStringLiteral("USB1"), QStringLiteral("USB2"), QStringLiteral("127.0.0.1")}},
        {"two devices", 2, 0, false, Kind::ShowMenu, {QStringLiteral("USB1"), QStringLiteral("USB2")}},
        {"three devices, one claimed elsewhere", 3, 1, false, Kind::ShowMenu,
         {QStringLiteral("USB1"), QStringLiteral("USB2")}},
        {"the only device claimed elsewhere", 1, 1, false, Kind::NothingToOpen, {}},
        {"no device, network", 0, 0, true, Kind::NetworkConnecting, {}},
        {"nothing", 0, 0, false, Kind::NothingToOpen, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<QString> paths;
        for (int k = 0; k < c.devices; ++k)
            paths.push_back(m_bus.Plug());
        CUsbClaims otherCopy;
        for (int k = 0; k < c.claimedByOthers; ++k)
            ASSERT_TRUE(otherCopy.Claim(paths[size_t(k)]));
        DrainNotices();  // arrivals are not connected here
        m_net.SetReachable(c.reachable);
        CMessageBoxSpy boxes;

        const CConnectDecision d = m_link->OnConnectButton();
        EXPECT_EQ(d.kind, c.kind);
        EXPECT_EQ(Texts(d), c.menu);
        const int free = c.devices - c.claimedByOthers;
        EXPECT_EQ(int(g_astrHidItems.size()), free);
        if (c.kind == Kind::ShowMenu && free == 1) {
            EXPECT_EQ(Ids(d), (std::vector<int>{ID_CONNECT_USB, ID_CONNECT_NETWORK}));
        }
        if (c.kind == Kind::ShowMenu && free > 1) {
            EXPECT_EQ(d.menu[0].id, ID_USB_DEVICE_FIRST);
            EXPECT_EQ(d.menu[1].id, ID_USB_DEVICE_FIRST + 1);
            // The free devices in discovery order, the claimed one left out.
            EXPECT_EQ(g_astrHidItems[0], paths[size_t(c.claimedByOthers)]);
        }
        if (c.kind == Kind::Connected) {
            EXPECT_TRUE(m_link->IsConnected());
            EXPECT_EQ(g_nLinkType, LINK_USB);
        }
        if (c.kind == Kind::NothingToOpen) {
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, QStringLiteral("No connection can be opened"));
            EXPECT_EQ(boxes.shown[0].helpId, 2000);
        } else {
            EXPECT_TRUE(boxes.shown.empty());
        }

        // Back to nothing for the next case.
        m_link->Disconnect();
        m_link->DisconnectNetwork();
        PumpFor(20);
        for (const QString& path : paths)
            m_bus.Unplug(path);
        DrainNotices();
        g_strUsbDevicePath.clear();
    }
    // The network was never tried for real: nothing answers its probe.
    EXPECT_FALSE(m_net.IsOpen());
}

TEST_F(ConnectLogic, ThePopupsItemsConnectTheirWay)
{
    const QString first = m_bus.Plug();
    const QString second = m_bus.Plug();
    DrainNotices();
    const CConnectDecision d = m_link->OnConnectButton();
    ASSERT_EQ(d.kind, Kind::ShowMenu);
    // USB2 chosen.
    m_link->OnUsbDeviceItem(1);
    EXPECT_TRUE(m_link->IsConnected());
    EXPECT_EQ(m_link->Usb()->DevicePath(), second);
    ASSERT_TRUE(Pump([&] { return g_bDeviceSynced.load(); }));

    // The button disconnects: at once the worker, the link a moment later;
    // clicks meanwhile change nothing.
    EXPECT_EQ(m_link->OnConnectButton().kind, Kind::Disconnecting);
    EXPECT_FALSE(m_link->IsConnected());
    EXPECT_FALSE(m_link->IsIoWorkerRunning());
    EXPECT_TRUE(m_link->IsDisconnecting());
    EXPECT_EQ(m_link->OnConnectButton().kind, Kind::Ignored);
    EXPECT_EQ(g_nLinkType, LINK_USB);
    ASSERT_TRUE(Pump([&] { return !m_link->IsDisconnecting(); }));
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_FALSE(m_link->Usb()->IsOpen());
    EXPECT_TRUE(m_link->Usb()->IsUsbPathFree(second));

    // "USB" from the menu: the remembered device again.
    m_link->OnConnectUsbCommand();
    EXPECT_TRUE(m_link->IsConnected());
    EXPECT_EQ(m_link->Usb()->DevicePath(), second);
    (void)first;
}

TEST_F(ConnectLogic, AFailedUsbMenuConnectLeavesNoLinkKind)
{
    CMessageBoxSpy boxes;
    m_link->OnConnectUsbCommand();
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Connection failure!"));
    // An arrival still connects.
    m_bus.Plug();
    ASSERT_TRUE(Pump([&] { return m_link->IsConnected(); }));
    // A device item out of range does nothing.
    m_link->OnUsbDeviceItem(7);
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(ConnectLogic, CommandsNeedALinkAndTheFactoryDefaultsWaitForTheirAnswer)
{
    // Not connected: nothing queued, nothing changed.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byCurrentPreset = 4;
    }
    m_link->QueueCommand(2, 0);
    m_link->SendPresetDeleted(3);
    EXPECT_EQ(m_command.GetCount(), 0);
    EXPECT_EQ(g_byCurrentPreset, 4);
    CMessageBoxSpy boxes;
    m_link->RestoreFactorySettings();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("No connection can be opened"));
    m_link->RecallPreset(2);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("Connection failure!"));
    EXPECT_EQ(m_command.GetCount(), 0);

    m_bus.Plug();
    ConnectAndReadBack();
    std::vector<std::pair<bool, bool>> popups;
    CLinkViewHooks hooks;
    hooks.popupShown = [&](bool arg, bool factory) { popups.push_back({arg, factory}); };
    m_link->SetViewHooks(hooks);
    long long from = 0;
    WhenQuiet([&](long long next) {
        from = next;
        m_link->SendPresetDeleted(3);
        m_link->QueueCommand(SYSTEM_COMMAND_WIFI_DEFAULTS, 0);
        EXPECT_EQ(m_command.GetCount(), 3);
    });
    EXPECT_TRUE(g_bTransferBusy);
    EXPECT_EQ(popups, (std::vector<std::pair<bool, bool>>{{true, true}}));
    EXPECT_EQ(g_byCurrentPreset, 0);
    // Over USB the module's answer ends the wait and is reported.
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_OPERATION_DONE).empty(); }));
    EXPECT_FALSE(g_bTransferBusy);
    const std::vector<CSimLogEntry> sent = FramesFrom(from);
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[0].frame.item, 0);
    EXPECT_EQ(sent[0].frame.slot, 3);
    EXPECT_EQ(sent[1].frame.item, 52);
    EXPECT_EQ(sent[2].frame.item, SYSTEM_COMMAND_WIFI_DEFAULTS);
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[2].text, g_strWifiResetOkEn);
}

TEST_F(ConnectLogic, TheLongOperationsReportByLinkKind)
{
    CMessageBoxSpy boxes;
    // USB: the outcome, and the popup's transfer ends.
    g_nLinkType = LINK_USB;
    g_bTransferBusy = true;
    m_link->OnOperationDone(0);
    EXPECT_FALSE(g_bTransferBusy);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, g_strWifiResetFailEn);
    EXPECT_EQ(boxes.shown[0].helpId, 2000);

    // Other kinds: nothing.
    g_nLinkType = LINK_SERIAL;
    m_link->OnOperationDone(1);
    g_nLinkType = LINK_NONE;
    m_link->OnOperationDone(1);
    EXPECT_EQ(boxes.shown.size(), 1u);

    // Network: the module is back at its factory address, and so is the
    // setting; the link closes and the device counts as unreachable.
    g_nLinkType = LINK_NETWORK;
    g_nDevicePort = 9000;
    m_net.SetReachable(true);
    m_link->OnOperationDone(1);
    EXPECT_EQ(g_strDeviceIp.Get(), QString::fromLatin1(DEFAULT_DEVICE_IP));
    EXPECT_EQ(g_nDevicePort, DEFAULT_DEVICE_PORT);
    EXPECT_EQ(CAppSettings::GetString(QStringLiteral("Network"), QStringLiteral("Device_IP")),
              QString::fromLatin1(DEFAULT_DEVICE_IP));
    EXPECT_FALSE(m_net.IsReachable());
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, g_strWifiFailEn);
    // The poll runs again, but the factory address is on no local subnet
    // here: it is never probed.
    PumpFor(200);
    for (const QString& probed : m_fake.probed)
        EXPECT_NE(probed, QString::fromLatin1(DEFAULT_DEVICE_IP));
    g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
}

struct VersionCase {
    const char* tag;
    bool accepted;
    const char* box;  // null: no box
};

TEST_F(VersionCheck, TheDevicesTagDecides)
{
    const VersionCase cases[] = {
        {"KRVA-BV1.23", true, nullptr},
        {"KRVA-BV2.00", false,
         " If software version is lower than the device version, only the software at version, SRNT-MV2.01 to "
         "SRNT-MV2.99, can be connected with this device."},
        {"KRVA-BV0.50", false,
         " If device version is lower than the software version, only the device at version, KRNT-MV1.01 to "
         "KRNT-MV1.99, can be connected with this software."},
        {"KRVA-CV1.00", false, nullptr},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.tag);
        m_device.SetVersionTag(c.tag);
        const QString path = m_bus.Plug();
        CMessageBoxSpy boxes;
        m_view.Clear();
        m_link->OnStartupConnect();
        ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_DEVICE_VERSION).empty(); }));
        if (c.accepted) {
            EXPECT_TRUE(g_bDeviceSynced);
            EXPECT_TRUE(m_link->IsConnected());
            EXPECT_EQ(m_link->ProgressCount(), 27);
            ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_PRESET_RECEIVED).empty(); }));
            m_link->Disconnect();
        } else {
            EXPECT_FALSE(g_bDeviceSynced);
            EXPECT_FALSE(m_link->IsConnected());
            EXPECT_EQ(m_command.GetCount(), 0);
            EXPECT_EQ(QByteArray(g_szDeviceVersion, 12), QByteArray(12, ' '));
            ASSERT_TRUE(Pump([&] { return !m_link->IsDisconnecting(); }));
            EXPECT_EQ(g_nLinkType, LINK_NONE);
            EXPECT_TRUE(m_link->Usb()->IsUsbPathFree(path));
            if (c.box == nullptr) {
                EXPECT_TRUE(boxes.shown.empty());
            } else {
                ASSERT_EQ(boxes.shown.size(), 1u);
                EXPECT_EQ(boxes.shown[0].text, QString::fromLatin1(c.box));
                EXPECT_EQ(boxes.shown[0].helpId, -5);
            }
        }
        m_bus.Unplug(path);
        DrainNotices();
        g_strUsbDevicePath.clear();
    }
}

TEST_F(VersionCheck, TheChineseWarningNamesTheDevicesVersion)
{
    g_bChinese = true;
    m_device.SetVersionTag("KRVA-BV3.10");
    m_bus.Plug();
    CMessageBoxSpy boxes;
    m_link->OnStartupConnect();
    ASSERT_TRUE(Pump([&] { return !boxes.shown.empty(); }));
    EXPECT_EQ(boxes.shown[0].text,
              QStringLiteral("PC软件版本比设备版本号低，只有版本号为“SRNT-MV3.01到SRNT-MV3.99”之间的PC软件才能和该版本的设备连接。"));
    EXPECT_EQ(boxes.shown[0].helpId, -4);
    g_bChinese = false;
}

}  // namespace
