// The network link end to end against the simulated device on 127.0.0.1:
// the device found reachable, the connect off the UI thread, the handshake
// and the version reply, an edit that travels as its exact frame and is
// acknowledged, the status poll of an idle link, and a firmware update.
#include <QTemporaryDir>

#include "link/FirmwareUpdate.h"
#include "link/LinkDisplays.h"
#include "model/Filter.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/link/SimLinkFixture.h"

namespace {

using NetLink = SimLinkTest;

TEST_F(NetLink, AReachableDeviceIsConnectedAndAnEditReachesItAsItsFrame)
{
    // The poll finds the device; the view connects and stops the poll.
    m_net.StartPolling();
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_NET_REACHABLE).empty(); }));
    m_link->OnNetReachable();
    EXPECT_EQ(g_nLinkType, LINK_NETWORK);
    ASSERT_TRUE(Pump([&] { return m_link->IsConnected(); }));
    EXPECT_TRUE(g_bNetLinkUp);
    EXPECT_EQ(m_command.GetOwner(), &m_view);
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_STOP_NET_POLL).empty(); }));
    m_link->OnStopNetPoll();

    // The handshake goes first, then the version request; nothing else
    // before the version reply has come.
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_DEVICE_VERSION).empty(); }));
    EXPECT_FALSE(g_bHandshakePending);
    EXPECT_EQ(QByteArray(g_szDeviceVersion), QByteArray(CSimDevice::kDefaultVersionTag));
    const std::vector<CSimLogEntry> first = FramesFrom(1);
    ASSERT_GE(first.size(), 2u);
    EXPECT_EQ(first[0].frame.item, SYSTEM_ITEM_HANDSHAKE);
    EXPECT_EQ(first[1].frame.item, SYSTEM_ITEM_VERSION);
    g_bDeviceSynced = true;

    // A band gain edited in the parameter set goes out as exactly its record
    // frame and is acknowledged.
    ExpectEditTravelsAsItsFrame(3, 5, 250);
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
}

TEST_F(NetLink, AnIdleLinkPollsTheStatusContinuously)
{
    ConnectAndSync();
    const long long from = m_device.FrameCount() + 1;
    m_view.Clear();
    ASSERT_TRUE(Pump([&] { return Posted(WM_DEVICE_STATUS).size() >= 3; }));
    const std::vector<CSimLogEntry> polls = FramesFrom(from);
    ASSERT_GE(polls.size(), 3u);
    for (const CSimLogEntry& entry : polls) {
        EXPECT_TRUE(IsStatusPoll(entry)) << entry.Describe(true);
        EXPECT_EQ(entry.reply, 'S');
    }
    EXPECT_EQ(Posted(WM_DEVICE_STATUS).back().lParam, m_device.State().statusLength);
    EXPECT_EQ(m_server.AcceptedCount(), 1);
}

TEST_F(NetLink, AConnectRunsOffTheUiThreadAndCompletesOnIt)
{
    m_net.SetReachable(true);
    m_fake.Hold(true);  // the ping takes its time
    ASSERT_TRUE(m_link->ConnectNetwork());
    EXPECT_TRUE(m_link->IsConnecting());
    EXPECT_EQ(g_nLinkType, LINK_NETWORK);
    EXPECT_FALSE(m_link->IsConnected());
    // While connecting no other link is opened, not even a second network one.
    EXPECT_FALSE(m_link->ConnectNetwork());
    m_link->OnNetReachable();
    EXPECT_TRUE(Eventually([&] { return m_fake.ProbeCount() == 1; }));

    m_fake.Hold(false);
    ASSERT_TRUE(Pump([&] { return m_link->IsConnected(); }));
    EXPECT_FALSE(m_link->IsConnecting());
    EXPECT_EQ(m_fake.ProbeCount(), 1);
    EXPECT_TRUE(g_bNetLinkUp);
    EXPECT_TRUE(m_link->IsIoWorkerRunning());
    // Connected from a menu, not from the poll: the poll goes on.
    PumpFor(100);
    EXPECT_TRUE(Posted(WM_STOP_NET_POLL).empty());
}

TEST_F(NetLink, AFailedConnectShowsTheBoxAndLeavesNoLinkKind)
{
    struct Case {
        const char* name;
        std::vector<LocalAdapter> adapters;
        bool pingAnswers;
    };
    const Case cases[] = {
        {"no local subnet", {{QStringLiteral("127.7.7.5"), QStringLiteral("255.255.255.0")}}, true},
        {"no ping answer", {{QStringLiteral("127.0.0.1"), QStringLiteral("255.0.0.0")}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_fake.SetAdapters(c.adapters);
        m_fake.SetAnswers(c.pingAnswers);
        m_net.SetReachable(true);
        CMessageBoxSpy spy;
        m_view.Clear();
        m_link->OnNetReachable();
        ASSERT_TRUE(Pump([&] { return !m_link->IsConnecting(); }));
        EXPECT_EQ(g_nLinkType, LINK_NONE);
        EXPECT_FALSE(m_link->IsConnected());
        EXPECT_FALSE(m_link->IsIoWorkerRunning());
        ASSERT_EQ(spy.shown.size(), 1u);
        EXPECT_EQ(spy.shown[0].text, QStringLiteral("Connection failure!"));
        EXPECT_EQ(spy.shown[0].helpId, 2000);
        PumpFor(50);
        EXPECT_TRUE(Posted(WM_STOP_NET_POLL).empty());
    }
    EXPECT_EQ(m_server.AcceptedCount(), 0);
}

TEST_F(NetLink, GivingUpAConnectIsBoundedAndLeavesNoLink)
{
    m_net.SetReachable(true);
    m_fake.Hold(true);
    ASSERT_TRUE(m_link->ConnectNetwork());
    ASSERT_TRUE(Eventually([&] { return m_fake.ProbeCount() == 1; }));
    const Clock::time_point start = Clock::now();
    m_link->DisconnectNetwork();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_FALSE(m_link->IsConnecting());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    m_fake.Hold(false);
    PumpFor(100);
    EXPECT_FALSE(m_link->IsConnected());
    EXPECT_FALSE(m_net.IsOpen());
    EXPECT_EQ(m_server.AcceptedCount(), 0);
}

TEST_F(NetLink, DisconnectClosesTheLinkAndClearsItsState)
{
    ConnectAndSync();
    int closed = 0;
    CLinkViewHooks hooks;
    hooks.linkClosed = [&] { ++closed; };
    m_link->SetViewHooks(hooks);
    g_bTransferBusy = true;
    EXPECT_TRUE(m_link->StopIoWorker(true));
    m_link->DisconnectNetwork();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(m_net.IsOpen());
    EXPECT_FALSE(m_link->IsConnected());
    EXPECT_FALSE(g_bNetLinkUp);
    EXPECT_FALSE(g_bDeviceSynced);
    EXPECT_FALSE(g_bTransferBusy);
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    // The reachable flag stays: the connect button offers the network again.
    EXPECT_TRUE(m_net.IsReachable());
    // An edit made now raises no change flag: nothing is waiting to be sent.
    EditBandGain(0, 0, 300);
    auto frame = m_set->NextChangedItem();
    EXPECT_EQ(frame->GetData()[FRAME_ITEM_BYTE], SYSTEM_ITEM_STATUS);
}

// A firmware update over the network with a device that resets the
// connection after HEXApply, as a real one restarts: the link reconnects and
// the update ends.
TEST_F(NetLink, AnUpdateSurvivesTheResetAfterApply)
{
    ConnectAndSync();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Bytes file = {'W', 'M', 'C', 'U'};
    for (int k = 0; k < MCU_START_SIZE + 2 * MCU_CHUNK_SIZE; ++k)
        file.push_back(BYTE(k * 7 + 3));
    ASSERT_TRUE(UseUpdateFile(dir.filePath(QStringLiteral("mcu.bin")), file));
    auto status = std::make_shared<CRecordingStatus>();
    m_pCurHexUpTip.Set(status);
    m_device.SetRestartAfterApply(true);

    long long from = 0;
    WhenQuiet([&](long long next) {
        from = next;
        // The update dialog stops the normal traffic and starts the update.
        ASSERT_TRUE(m_link->StopIoWorker(true));
        ASSERT_TRUE(m_link->LoadUpdateFile());
        g_bUpdating = true;
        m_link->StartIoWorker(true);
    });
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_UPDATE_SUCCEEDED).empty(); }, 60000));
    EXPECT_TRUE(g_bUpdateDone);
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
    EXPECT_EQ(m_server.AcceptedCount(), 2);
    EXPECT_TRUE(Eventually([&] { return !m_device.InUpdateMode(); }));

    std::string items;
    for (const CSimLogEntry& entry : m_device.Log()) {
        if (entry.sync)
            items += 'S';
        else if (entry.number >= from)
            items += char(entry.frame.item);
    }
    // The device entered update mode once; HEXStart may have gone twice when
    // the reset came before its answer.
    EXPECT_TRUE(items == "S6788" "9" || items == "S67788" "9") << items;
    EXPECT_GT(m_device.SyncCount(), 1);
    const std::vector<QString> texts = status->Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), QStringLiteral("Connected NetWork")), texts.end());
    EXPECT_EQ(texts.back(), QStringLiteral("Update successfully"));
    EXPECT_EQ(g_nLastUpdateCommand, HEXEnd);

    // The update is over: the worker idles and sends nothing more.
    const long long frames = m_device.FrameCount();
    PumpFor(300);
    EXPECT_EQ(m_device.FrameCount(), frames);
    EXPECT_TRUE(m_link->IsIoWorkerRunning());
}

}  // namespace
