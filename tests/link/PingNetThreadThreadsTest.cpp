// The reachability poll on its thread: one step at a time with a full
// interval after each, bounded stop and restart, one report per rising
// edge. Adapters and probe are injected; the probe of the last test runs a
// stand-in program. Nothing is pinged.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "link/Ping_Net_Thread.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"
#include "tests/common/Eventually.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/FakeNetwork.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class PingThread : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        g_pNotifyView = &m_view;
        g_bUpdateDone = false;
    }
    void TearDown() override
    {
        m_link.StopPolling(false);
        g_pNotifyView = nullptr;
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
    }
    size_t Reports()
    {
        m_view.DeliverPosted();
        return m_view.Messages(WM_NET_REACHABLE).size();
    }

    FakeNetwork m_net;
    CRecordingTarget m_view;
    CNet_Socket m_link{m_net.Lister(), m_net.Probe()};
};

TEST_F(PingThread, StepsNeverPileUp)
{
    // Each step lasts 300 ms, longer than the 500 ms timer would need to
    // queue ticks behind it if it kept running during the step.
    m_net.SetAdapters({});
    m_link.SetPollPauses(300, 0);
    const Clock::time_point start = Clock::now();
    m_link.StartPolling();
    std::this_thread::sleep_for(milliseconds(2300));
    m_link.StopPolling(true);
    const std::vector<Clock::time_point> steps = m_net.ListTimes();
    // At 0.5 s, 1.3 s, 2.1 s: the next step starts a full interval after the
    // end of the one before.
    ASSERT_GE(steps.size(), 2u);
    EXPECT_LE(steps.size(), 3u);
    EXPECT_GE(steps[0] - start, milliseconds(NET_POLL_INTERVAL_MS - 20));
    for (size_t i = 1; i < steps.size(); ++i)
        EXPECT_GE(steps[i] - steps[i - 1], milliseconds(NET_POLL_INTERVAL_MS + 300 - 20)) << i;
    // Stopped means stopped: no step afterwards.
    std::this_thread::sleep_for(milliseconds(700));
    EXPECT_EQ(m_net.ListCount(), int(steps.size()));
    EXPECT_FALSE(m_link.IsReachable());
    EXPECT_EQ(m_net.ProbeCount(), 0);  // never on the subnet: never pinged
}

TEST_F(PingThread, ReportsOnceWhileTheDeviceStaysReachable)
{
    m_link.SetPollPauses(10, 0);
    m_link.StartPolling();
    ASSERT_TRUE(Eventually([&] { return m_net.ListCount() >= 4; }));
    m_link.StopPolling(true);
    EXPECT_TRUE(m_link.IsReachable());
    EXPECT_EQ(m_net.ProbeCount(), 1);
    EXPECT_EQ(Reports(), 1u);
    EXPECT_EQ(m_view.Messages(WM_NET_REACHABLE)[0].thread, std::this_thread::get_id());
}

TEST_F(PingThread, StopDuringAStepIsBoundedAndSilent)
{
    m_net.Hold(true);
    m_link.StartPolling();
    ASSERT_TRUE(Eventually([&] { return m_net.ProbeCount() == 1; }));
    Clock::time_point start = Clock::now();
    m_link.StopPolling(true);
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_EQ(m_net.CancelledProbeCount(), 1);  // ended by the stop; has returned
    EXPECT_FALSE(m_link.IsReachable());
    EXPECT_EQ(Reports(), 0u);

    // Restarted at once, the poll runs again and can be stopped again, also
    // in the long pause after a step.
    m_net.Hold(false);
    m_link.SetPollPauses(20000, 0);
    start = Clock::now();
    m_link.StartPolling();
    ASSERT_TRUE(Eventually([&] { return Reports() == 1; }));
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    start = Clock::now();
    m_link.StopPolling(true);
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_TRUE(m_link.IsReachable());
}

TEST_F(PingThread, StartWhilePollingKeepsOneTimerAndQuitEndsThePoll)
{
    CPing_Net_Thread thread;
    thread.SetLink(&m_link);
    const UINT first = thread.StartTimer(NET_POLL_INTERVAL_MS);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(thread.StartTimer(NET_POLL_INTERVAL_MS), first);
    EXPECT_TRUE(thread.IsPolling());
    thread.StopTimer();
    EXPECT_FALSE(thread.IsPolling());
    EXPECT_EQ(thread.TimerId(), 0u);
    const UINT second = thread.StartTimer(NET_POLL_INTERVAL_MS);
    EXPECT_NE(second, first);
    thread.StopTimer();

    // After the thread has ended, a start polls nothing.
    m_link.SetPollPauses(10, 0);
    m_link.StopPolling(false);
    m_link.StartPolling();
    std::this_thread::sleep_for(milliseconds(NET_POLL_INTERVAL_MS + 300));
    EXPECT_EQ(m_net.ListCount(), 0);
}

TEST_F(PingThread, DestroyingAPollingLinkIsBounded)
{
    FakeNetwork net;
    net.Hold(true);
    Clock::time_point start;
    {
        CNet_Socket link(net.Lister(), net.Probe());
        link.StartPolling();
        ASSERT_TRUE(Eventually([&] { return net.ProbeCount() == 1; }));
        start = Clock::now();
    }
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
}

TEST(PingProbeThreads, CancelEndsARunningPingProgram)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("slowping"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho ttl=64\nexec sleep 20\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray program = QFile::encodeName(path);

    CCancelToken cancel;
    std::thread canceller([&] {
        std::this_thread::sleep_for(milliseconds(100));
        cancel.Set();
    });
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(RunPing(QStringLiteral("127.0.0.1"), &cancel, program.constData(), PING_WAIT_MS));
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    canceller.join();
}

}  // namespace
