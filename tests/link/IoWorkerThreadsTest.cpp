// The I/O worker with a transport of the test's own: which step its events
// choose, how it idles, parks and ends, and what starting and stopping do
// to its events and flags.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "link/DeviceLink.h"
#include "link/KTVCommand.h"
#include "link/LinkTransport.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"
#include "tests/common/Eventually.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/FakeNetwork.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Counts the steps it is given; while `block` is set a step waits for the
// worker's token, as a step waiting on the device does.
class CCountingTransport : public ILinkTransport {
public:
    void Transaction(const CCancelToken& cancel) override
    {
        ++normal;
        Wait(cancel);
    }
    void UpdateTransaction(const CCancelToken& cancel) override
    {
        ++update;
        Wait(cancel);
    }

    std::atomic<int> normal{0};
    std::atomic<int> update{0};
    std::atomic<bool> block{false};
    std::atomic<bool> inStep{false};
    std::atomic<bool> sawCancel{false};

private:
    void Wait(const CCancelToken& cancel)
    {
        if (!block)
            return;
        inStep = true;
        // Far longer than any test: only the token ends it.
        sawCancel = cancel.WaitFor(60000);
        inStep = false;
    }
};

class IoWorker : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_nLinkType = LINK_USB;
        g_bUpdating = false;
        g_bUpdateDone = false;
        g_bUpdateCancelled = false;
        g_bFirmwareRequested = false;
        g_bUsbActive = false;
        g_pNotifyView = &m_view;
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        m_link.SetTransport(LINK_USB, &m_transport);
    }
    void TearDown() override
    {
        m_link.StopIoWorker(false);
        g_nLinkType = LINK_NONE;
        g_bUpdating = false;
        g_bUpdateDone = false;
        g_bFirmwareRequested = false;
        g_bUsbActive = false;
        g_pNotifyView = nullptr;
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
    }

    // The worker has taken at least n more steps of the kind.
    bool MoreSteps(const std::atomic<int>& counter, int n = 3)
    {
        const int from = counter;
        return Eventually([&] { return counter >= from + n; });
    }
    // No step of the kind for a while.
    bool NoSteps(const std::atomic<int>& counter, int ms = 100)
    {
        const int from = counter;
        std::this_thread::sleep_for(milliseconds(ms));
        return counter == from;
    }

    CRecordingTarget m_view;
    CCountingTransport m_transport;
    FakeNetwork m_fake;
    CNet_Socket m_net{m_fake.Lister(), m_fake.Probe()};
    CKTVCommand m_command;
    CDeviceLink m_link{m_command, &m_net};
};

TEST_F(IoWorker, ASetStepEventKeepsTheWorkerStepping)
{
    EXPECT_FALSE(m_link.IsIoWorkerRunning());
    EXPECT_TRUE(m_link.IsIoWorkerAwake());
    EXPECT_TRUE(m_link.StartIoWorker(true));
    EXPECT_TRUE(m_link.IsConnected());
    EXPECT_TRUE(g_bUsbActive);
    EXPECT_TRUE(MoreSteps(m_transport.normal));
    EXPECT_TRUE(m_link.IsIoWorkerRunning());
    EXPECT_TRUE(m_link.IsIoWorkerAwake());
    EXPECT_EQ(m_transport.update, 0);
    EXPECT_TRUE(m_link.IoEvents().IsSet(IO_EVENT_NORMAL_STEP));
}

TEST_F(IoWorker, TheUpdateStepWinsUntilTheUpdateIsDone)
{
    g_bUpdating = true;
    m_link.StartIoWorker(true);
    EXPECT_TRUE(MoreSteps(m_transport.update));
    // With both step events set, the lower index wins.
    m_link.IoEvents().Set(IO_EVENT_NORMAL_STEP);
    EXPECT_TRUE(MoreSteps(m_transport.update));
    EXPECT_EQ(m_transport.normal, 0);
    // The update is over: its event is reset and the normal steps follow.
    g_bUpdateDone = true;
    EXPECT_TRUE(MoreSteps(m_transport.normal));
    EXPECT_FALSE(m_link.IoEvents().IsSet(IO_EVENT_UPDATE_STEP));
    EXPECT_TRUE(NoSteps(m_transport.update));
}

TEST_F(IoWorker, NoLinkKindRunsNoStep)
{
    for (int kind : {LINK_NONE, LINK_NETWORK, LINK_SERIAL}) {
        SCOPED_TRACE(kind);
        // No transport for the kind: the worker only pauses between loops.
        // (The network's own transport runs nothing while its link is down.)
        g_nLinkType = kind;
        g_bNetLinkUp = false;
        m_link.StartIoWorker(true);
        EXPECT_TRUE(NoSteps(m_transport.normal));
        EXPECT_TRUE(m_link.IsIoWorkerRunning());
        EXPECT_TRUE(m_link.StopIoWorker(true));
    }
}

TEST_F(IoWorker, AFirmwareRequestStopsTheNormalStepsUntilTheNextStart)
{
    m_link.StartIoWorker(true);
    ASSERT_TRUE(MoreSteps(m_transport.normal));
    g_bFirmwareRequested = true;
    EXPECT_TRUE(Eventually([&] { return !m_link.IoEvents().IsSet(IO_EVENT_NORMAL_STEP); }));
    EXPECT_TRUE(NoSteps(m_transport.normal));
    // A start with the worker still there changes nothing.
    m_link.StartIoWorker(true);
    EXPECT_FALSE(g_bFirmwareRequested);
    EXPECT_TRUE(NoSteps(m_transport.normal));
    // Stopped and started again, it steps.
    m_link.StopIoWorker(true);
    g_bFirmwareRequested = true;
    m_link.StartIoWorker(true);
    EXPECT_FALSE(g_bFirmwareRequested);
    EXPECT_TRUE(MoreSteps(m_transport.normal));
}

TEST_F(IoWorker, AStartWhileRunningSetsTheFlagsButNoEvent)
{
    m_link.StartIoWorker(true);
    ASSERT_TRUE(MoreSteps(m_transport.normal));
    m_link.IoEvents().Reset(IO_EVENT_NORMAL_STEP);
    g_bUsbActive = false;
    g_bUpdating = true;
    EXPECT_TRUE(m_link.StartIoWorker(true));
    EXPECT_TRUE(g_bUsbActive);
    EXPECT_TRUE(m_link.IsConnected());
    EXPECT_FALSE(m_link.IoEvents().IsSet(IO_EVENT_NORMAL_STEP));
    EXPECT_FALSE(m_link.IoEvents().IsSet(IO_EVENT_UPDATE_STEP));
    EXPECT_TRUE(NoSteps(m_transport.normal));
    EXPECT_EQ(m_transport.update, 0);
}

TEST_F(IoWorker, AStopWithNoWorkerResetsTheEventsAndRestartsThePoll)
{
    for (int k = 0; k < IO_EVENT_COUNT; ++k)
        m_link.IoEvents().Set(k);
    g_bUsbActive = true;
    EXPECT_TRUE(m_link.StopIoWorker(true));
    for (int k = 0; k < IO_EVENT_COUNT; ++k)
        EXPECT_FALSE(m_link.IoEvents().IsSet(k)) << k;
    EXPECT_FALSE(g_bUsbActive);
    EXPECT_FALSE(m_link.IsConnected());
    EXPECT_TRUE(m_link.IsIoWorkerAwake());
    // The poll runs again and reports the (fake) device.
    EXPECT_TRUE(Eventually([&] {
        m_view.DeliverPosted();
        return !m_view.Messages(WM_NET_REACHABLE).empty();
    }));
    m_net.StopPolling(true);
}

TEST_F(IoWorker, ASuspendedWorkerParksUntilItIsStopped)
{
    m_link.StartIoWorker(true);
    ASSERT_TRUE(MoreSteps(m_transport.normal));
    m_link.IoEvents().Set(IO_EVENT_SUSPEND);
    EXPECT_TRUE(Eventually([&] { return !m_link.IsIoWorkerAwake(); }));
    EXPECT_TRUE(NoSteps(m_transport.normal));
    // A resume lets it look at its events again: the suspend event still
    // wins, so it parks again.
    m_link.ResumeIoWorker();
    EXPECT_TRUE(Eventually([&] { return !m_link.IsIoWorkerAwake() && m_link.IoEvents().IsParked(); }));
    EXPECT_TRUE(NoSteps(m_transport.normal));
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(m_link.StopIoWorker(true));
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_FALSE(m_link.IsIoWorkerRunning());
}

TEST_F(IoWorker, AStopEndsAStepInProgressThroughTheToken)
{
    m_transport.block = true;
    m_link.StartIoWorker(true);
    ASSERT_TRUE(Eventually([&] { return m_transport.inStep.load(); }));
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(m_link.StopIoWorker(true));
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_TRUE(m_transport.sawCancel);
    EXPECT_FALSE(m_transport.inStep);
    EXPECT_FALSE(m_link.IsIoWorkerRunning());
    // A new start gets a new token: its steps are not cancelled.
    m_transport.block = false;
    m_link.StartIoWorker(true);
    EXPECT_TRUE(MoreSteps(m_transport.normal));
}

TEST_F(IoWorker, AStopForShutDownLeavesQuitSetAndTheWorkerInPlace)
{
    m_link.StartIoWorker(true);
    ASSERT_TRUE(MoreSteps(m_transport.normal));
    EXPECT_FALSE(m_link.StopIoWorker(false));
    EXPECT_FALSE(m_link.IsIoWorkerRunning());
    EXPECT_TRUE(m_link.IoEvents().IsSet(IO_EVENT_QUIT));
    EXPECT_TRUE(m_link.IsConnected());
    EXPECT_TRUE(g_bUsbActive);
    // The worker still counts as there: a start makes no new one.
    m_link.StartIoWorker(true);
    EXPECT_TRUE(NoSteps(m_transport.normal));
}

}  // namespace
