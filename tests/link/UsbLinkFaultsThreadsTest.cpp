// USB link faults and hot-plug notices, end to end: a "send again" answer is
// sent again at once and only the third in a row ends the link; a missing
// or damaged answer, a device pulled out mid-frame and a failed open end the
// link once (one report, one box) and leave nothing behind; removals and
// arrivals of this device, of other devices and of foreign ones.
#include "tests/link/UsbLinkFixture.h"

namespace {

using UsbLinkFaults = UsbLinkTest;
using HotPlugLink = UsbLinkTest;

TEST_F(UsbLinkFaults, ASendAgainIsSentAtOnceAndTheThirdInARowEndsTheLink)
{
    m_bus.Plug();
    ConnectAndReadBack();
    // One 'R': the write goes out again and is taken.
    long long from = 0;
    WhenQuiet([&](long long next) {
        from = next;
        m_device.SetFaults({Fault(CSimFault::Kind::Resend, next)});
        EditBandGain(2, 7, 260);
    });
    ASSERT_TRUE(Pump([&] { return FramesFrom(from).size() >= 2u; }));
    PumpFor(50);
    const std::vector<CSimLogEntry> sent = FramesFrom(from);
    EXPECT_EQ(sent[0].reply, 'R');
    EXPECT_EQ(sent[1].frame.bytes, sent[0].frame.bytes);
    EXPECT_EQ(sent[1].reply, 'Q');
    EXPECT_TRUE(DeviceHoldsRecord(2, 7));
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
    EXPECT_TRUE(m_link->IsConnected());

    // Three in a row: the link ends, once.
    CMessageBoxSpy boxes;
    const QString path = m_link->Usb()->DevicePath();
    WhenQuiet([&](long long next) {
        from = next;
        m_device.SetFaults({Fault(CSimFault::Kind::Resend, next), Fault(CSimFault::Kind::Resend, next + 1),
                            Fault(CSimFault::Kind::Resend, next + 2)});
        EditBandGain(2, 8, 270);
    });
    ASSERT_TRUE(Pump([&] { return !m_link->IsConnected(); }));
    PumpFor(50);
    EXPECT_EQ(FramesFrom(from).size(), 3u);
    EXPECT_EQ(Posted(WM_LINK_FAILED).size(), 1u);
    EXPECT_EQ(boxes.shown.size(), 1u);
    ExpectClosedAndReleased(path);
}

TEST_F(UsbLinkFaults, ALostLinkIsReportedOnceAndLeavesNothingBehind)
{
    // Faults on the version request, the link's second frame: nothing of it
    // may be stored.
    const CSimFault::Kind versionFaults[] = {CSimFault::Kind::NoReply, CSimFault::Kind::BadXor,
                                             CSimFault::Kind::Close};
    for (const CSimFault::Kind kind : versionFaults) {
        SCOPED_TRACE(CSimFault::Name(kind));
        const QString path = m_bus.Plug();
        m_device.SetFaults({Fault(kind, m_device.FrameCount() + 2)});
        CMessageBoxSpy boxes;
        m_view.Clear();
        std::memset(g_szDeviceVersion, 0, sizeof g_szDeviceVersion);
        m_link->OnStartupConnect();
        ASSERT_TRUE(m_link->IsConnected());
        ASSERT_TRUE(Pump([&] { return !m_link->IsConnected(); }));
        PumpFor(100);
        EXPECT_LE(Posted(WM_LINK_FAILED).size(), 1u);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Connection failure!"));
        EXPECT_TRUE(Posted(WM_DEVICE_VERSION).empty());
        EXPECT_EQ(g_szDeviceVersion[0], 0);
        ExpectClosedAndReleased(path);
        m_device.SetFaults({});
        m_bus.Unplug(path);
        PumpFor(20);
    }

    // Pulled out after two of the five reports of a block: the device takes
    // nothing of it.
    const QString path = m_bus.Plug();
    ConnectAndReadBack();
    const CSimState before = m_device.State();
    CMessageBoxSpy boxes;
    m_view.Clear();
    WhenQuiet([&](long long) {
        m_bus.SetVanishAfter(m_bus.ReportsWritten() + 2);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_CurrentImage.bytes[OutputBlockOffset(5) + 3] ^= 0x5A;
        }
        m_command.AddCommand(BuildBlockFrame(0, BLOCK_OUTPUT, 5, true, false));
    });
    ASSERT_TRUE(Pump([&] { return !m_link->IsConnected(); }));
    PumpFor(100);
    EXPECT_LE(Posted(WM_LINK_FAILED).size(), 1u);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(std::memcmp(m_device.State().live.bytes, before.live.bytes, IMAGE_SIZE), 0);
    m_bus.SetVanishAfter(0);
    ExpectClosedAndReleased(path);
}

TEST_F(UsbLinkFaults, AFailedOpenShowsOneBoxAndLeavesNoLink)
{
    const QString path = m_bus.Plug();
    m_bus.SetOpenFails(true);
    CMessageBoxSpy boxes;
    EXPECT_EQ(m_link->OnConnectButton().kind, CConnectDecision::Kind::ConnectFailed);
    PumpFor(50);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Connection failure!"));
    EXPECT_EQ(boxes.shown[0].helpId, 2000);
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
    ExpectClosedAndReleased(path);
    // At start-up a failed open says nothing.
    m_link->OnStartupConnect();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(m_link->IsConnected());
}

TEST_F(HotPlugLink, AnArrivalConnectsWhenNoLinkIsUp)
{
    const QString path = m_bus.Plug();
    ASSERT_TRUE(Pump([&] { return m_link->IsConnected(); }));
    EXPECT_EQ(m_link->Usb()->DevicePath(), path);
    ASSERT_TRUE(Pump([&] { return g_bDeviceSynced.load(); }));
    // A second device arriving now is left alone.
    const QString second = m_bus.Plug();
    PumpFor(50);
    EXPECT_EQ(m_link->Usb()->DevicePath(), path);
    EXPECT_TRUE(m_link->Usb()->IsUsbPathFree(second));
}

TEST_F(HotPlugLink, AForeignDeviceIsNeverOpenedForTheLink)
{
    CMessageBoxSpy boxes;
    // A security key arrives.
    const QString key = m_bus.PlugForeign();
    PumpFor(50);
    EXPECT_FALSE(m_link->IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_EQ(m_bus.OpenHandles(), 0);
    EXPECT_TRUE(CAppSettings::ValueNames(QStringLiteral("USB")).isEmpty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(m_bus.ReportsWritten(), 0);

    // The remembered device's number now belongs to a foreign device.
    const QString path = m_bus.Plug();
    ASSERT_TRUE(Pump([&] { return g_bDeviceSynced.load(); }));
    m_link->Disconnect();
    m_bus.Unplug(path);
    PumpFor(50);
    m_bus.PlugForeign(path);
    PumpFor(50);
    m_link->OnConnectUsbCommand();
    EXPECT_FALSE(m_link->IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_EQ(m_bus.OpenHandles(), 0);
    EXPECT_TRUE(CAppSettings::ValueNames(QStringLiteral("USB")).isEmpty());
}

TEST_F(HotPlugLink, RemovingTheDeviceInUseEndsTheLinkAndAnotherDeviceDoesNot)
{
    const QString path = m_bus.Plug();
    const QString mouse = m_bus.PlugForeign();
    ASSERT_TRUE(Pump([&] { return g_bDeviceSynced.load(); }));
    // Another device goes: the link stays.
    m_bus.Unplug(mouse);
    PumpFor(100);
    EXPECT_TRUE(m_link->IsConnected());
    EXPECT_TRUE(m_link->Usb()->IsOpen());
    EXPECT_EQ(g_astrHidPaths, QStringList{path});

    // This one goes: closed, one box, the claim and the path let go.
    CMessageBoxSpy boxes;
    m_bus.Unplug(path);
    ASSERT_TRUE(Pump([&] { return !m_link->IsConnected(); }));
    PumpFor(100);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(m_link->Usb()->DevicePath().isEmpty());
    ExpectClosedAndReleased(path);
}

TEST_F(HotPlugLink, DuringAnUpdateTheDeviceMayLeave)
{
    const QString path = m_bus.Plug();
    ASSERT_TRUE(Pump([&] { return g_bDeviceSynced.load(); }));
    m_view.m_bDispatch = false;
    struct Case {
        const char* name;
        int lastCommand;
        bool staysActive;
    };
    const Case cases[] = {{"after HEXApply", HEXApply, false}, {"in the sync", HEXSync, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bUpdating = true;
        g_nLastUpdateCommand = c.lastCommand;
        g_bUsbActive = true;
        CMessageBoxSpy boxes;
        DeviceInterfaceNotice notice;
        notice.path = path.toUpper();  // compared without regard to case
        EXPECT_EQ(m_link->OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&notice)), 1);
        EXPECT_EQ(bool(g_bUsbActive), c.staysActive);
        EXPECT_TRUE(m_link->IsConnected());
        EXPECT_TRUE(boxes.shown.empty());
    }
    // Outside an update the same notice ends the link.
    g_bUpdating = false;
    g_bUsbActive = true;
    CMessageBoxSpy boxes;
    DeviceInterfaceNotice notice;
    notice.path = path;
    m_link->OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&notice));
    EXPECT_FALSE(m_link->IsConnected());
    EXPECT_EQ(boxes.shown.size(), 1u);
}

}  // namespace
