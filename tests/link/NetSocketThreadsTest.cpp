// The network link holder against a listener of the test's own on
// 127.0.0.1 (an ephemeral port), and its poll step with injected adapters
// and probe. Nothing but 127.0.0.1 is ever contacted.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/NetTestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Every test points the device address at 127.0.0.1 and the view at a
// recording target, and puts both back afterwards.
class NetSocket : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        g_nDevicePort = m_listener.Port();
        g_pNotifyView = &m_view;
        g_bUpdateDone = false;
        m_link.SetPollPauses(0, 0);
    }
    void TearDown() override
    {
        g_pNotifyView = nullptr;
        g_bUpdateDone = false;
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
        g_nDevicePort = DEFAULT_DEVICE_PORT;
    }
    // Connects the link and returns the listener's side.
    int Open()
    {
        m_link.SetReachable(true);
        EXPECT_TRUE(m_link.Connect());
        return m_listener.Accept();
    }
    size_t Reports()
    {
        m_view.DeliverPosted();
        return m_view.Messages(WM_NET_REACHABLE).size();
    }

    CLoopbackListener m_listener;
    FakeNetwork m_net;
    CRecordingTarget m_view;
    CNet_Socket m_link{m_net.Lister(), m_net.Probe()};
};

TEST_F(NetSocket, ConnectNeedsTheReachableFlagAndAPingAnswer)
{
    EXPECT_FALSE(m_link.Connect());
    EXPECT_EQ(m_net.ProbeCount(), 0);  // not reachable: not even pinged

    m_link.SetReachable(true);
    m_net.SetAnswers(false);
    EXPECT_FALSE(m_link.Connect());
    EXPECT_FALSE(m_link.IsOpen());

    m_net.SetAnswers(true);
    ASSERT_TRUE(m_link.Connect());
    EXPECT_TRUE(m_link.IsOpen());
    EXPECT_GE(m_listener.Accept(), 0);
    EXPECT_EQ(m_net.probed.back(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(m_link.ReceiveTimeout(), NET_DEFAULT_TIMEOUT_MS);
}

TEST_F(NetSocket, ConnectRefusesBadSettingsAndAClosedPort)
{
    m_link.SetReachable(true);
    for (const char* address : {"127.0.0.1 ", "localhost", "127.1", ""}) {
        g_strDeviceIp.Set(QString::fromLatin1(address));
        EXPECT_FALSE(m_link.Connect()) << address;
    }
    g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
    for (int port : {0, -1, 65536}) {
        g_nDevicePort = port;
        EXPECT_FALSE(m_link.Connect()) << port;
    }
    int unused = 0;
    {
        CLoopbackListener closed;
        unused = closed.Port();
    }
    g_nDevicePort = unused;
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(m_link.Connect());  // refused at once, not after the time-out
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_FALSE(m_link.IsOpen());
}

TEST_F(NetSocket, SendAndReceiveWholeAndShort)
{
    const int peer = Open();
    ASSERT_GE(peer, 0);

    const QByteArray frame = QByteArray::fromHex("828282ee a1 00 00 04 00 01 00 00 0800 0102030405060708 5a aa");
    ASSERT_TRUE(m_link.Send(frame.constData(), int(frame.size())));
    EXPECT_EQ(ReadExactly(peer, int(frame.size())), frame);
    EXPECT_TRUE(m_link.Send(frame.constData(), 0));

    QByteArray reply(40, '\0');
    for (int i = 0; i < reply.size(); ++i)
        reply[i] = char(i + 1);
    ASSERT_EQ(send(peer, reply.constData(), size_t(reply.size()), 0), 40);
    int count = -5;
    std::this_thread::sleep_for(milliseconds(20));
    EXPECT_EQ(m_link.Receive(&count), 40);
    EXPECT_EQ(count, 40);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(g_byNetRxBuffer), 40), reply);

    // The short receive takes at most 16 bytes at a time.
    ASSERT_EQ(send(peer, reply.constData(), size_t(reply.size()), 0), 40);
    std::this_thread::sleep_for(milliseconds(20));
    int total = 0;
    for (int expected : {16, 16, 8}) {
        EXPECT_EQ(m_link.ReceiveShort(&count), expected);
        EXPECT_EQ(count, expected);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(g_byNetRxBuffer), count), reply.mid(total, count));
        total += count;
    }

    // More than the buffer: one receive takes 400 bytes at most.
    const QByteArray big(1000, 'b');
    ASSERT_EQ(send(peer, big.constData(), size_t(big.size()), 0), 1000);
    std::this_thread::sleep_for(milliseconds(20));
    EXPECT_EQ(m_link.Receive(&count), NET_RX_BUFFER_SIZE);
}

TEST_F(NetSocket, ReceiveTimeOutCloseAndResetAreToldApart)
{
    int peer = Open();
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(m_link.SetReceiveTimeout(150));
    int count = 0;
    Clock::time_point start = Clock::now();
    EXPECT_EQ(m_link.Receive(&count), NET_ERR_TIMEDOUT);
    EXPECT_EQ(count, -1);
    EXPECT_GE(Clock::now() - start, milliseconds(140));
    EXPECT_LT(Clock::now() - start, milliseconds(1500));

    // An orderly close: no bytes and no error; the caller decides.
    m_listener.Drop(peer, false);
    EXPECT_EQ(m_link.Receive(&count), 0);
    EXPECT_EQ(count, 0);

    // A reset by the device.
    peer = Open();
    ASSERT_GE(peer, 0);
    m_listener.Drop(peer, true);
    std::this_thread::sleep_for(milliseconds(20));
    EXPECT_EQ(m_link.Receive(&count), NET_ERR_RESET);
    EXPECT_EQ(count, -1);
}

TEST_F(NetSocket, SendToADroppedConnectionFailsWithoutSigpipe)
{
    const int peer = Open();
    ASSERT_GE(peer, 0);
    m_listener.Drop(peer, true);
    std::this_thread::sleep_for(milliseconds(20));
    // The first sends may still be buffered; a broken pipe must come back as
    // false (a SIGPIPE would end this test program).
    bool failed = false;
    for (int i = 0; i < 50 && !failed; ++i) {
        failed = !m_link.Send("12345678", 8);
        std::this_thread::sleep_for(milliseconds(5));
    }
    EXPECT_TRUE(failed);
}

TEST_F(NetSocket, ClosedSocketIsNeverUsedAgain)
{
    const int peer = Open();
    ASSERT_GE(peer, 0);
    EXPECT_TRUE(m_link.Close());
    EXPECT_FALSE(m_link.IsOpen());
    EXPECT_EQ(ReadExactly(peer, 1, 500).size(), 0);  // the device sees the close

    // A connection opened meanwhile gets the lowest free number, the old
    // one; the link must not touch it.
    CLoopbackListener other;
    const int stranger = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(other.Port()));
    ASSERT_EQ(connect(stranger, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const int strangerPeer = other.Accept();
    ASSERT_GE(strangerPeer, 0);
    ASSERT_EQ(send(strangerPeer, "zz", 2, 0), 2);

    EXPECT_FALSE(m_link.Send("x", 1));
    int count = 7;
    EXPECT_EQ(m_link.Receive(&count), 0);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(m_link.ReceiveShort(&count), 0);
    EXPECT_FALSE(m_link.SetReceiveTimeout(500));
    EXPECT_TRUE(m_link.Close());
    EXPECT_EQ(ReadExactly(strangerPeer, 1, 100).size(), 0);  // nothing written to it
    EXPECT_EQ(ReadExactly(stranger, 2), QByteArray("zz"));    // nothing read from it, still open
    close(stranger);
}

TEST_F(NetSocket, ReconnectClosesThePreviousConnection)
{
    const int first = Open();
    ASSERT_GE(first, 0);
    ASSERT_TRUE(m_link.Connect());
    const int second = m_listener.Accept();
    ASSERT_GE(second, 0);
    EXPECT_EQ(ReadExactly(first, 1, 500).size(), 0);  // closed, not leaked
    ASSERT_TRUE(m_link.Send("ab", 2));
    EXPECT_EQ(ReadExactly(second, 2), QByteArray("ab"));
}

TEST_F(NetSocket, CancelEndsAReceiveAndAPendingConnect)
{
    const int peer = Open();
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(m_link.SetReceiveTimeout(20000));
    CCancelToken cancel;
    std::thread canceller([&] {
        std::this_thread::sleep_for(milliseconds(50));
        cancel.Set();
    });
    int count = 0;
    Clock::time_point start = Clock::now();
    EXPECT_EQ(m_link.Receive(&count, &cancel), NET_ERR_CANCELLED);
    EXPECT_EQ(count, -1);
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    canceller.join();
    EXPECT_FALSE(m_link.Send("x", 1, &cancel));

    // A listener whose queue is full leaves further connects pending.
    CLoopbackListener full(0);
    std::vector<int> fillers;
    for (int i = 0; i < 8; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(quint16(full.Port()));
        connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers.push_back(fd);
    }
    g_nDevicePort = full.Port();
    CCancelToken stop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(milliseconds(100));
        stop.Set();
    });
    start = Clock::now();
    EXPECT_FALSE(m_link.Connect(&stop));
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    stopper.join();

    // Without a cancel, the connect gives up after its 3 s.
    start = Clock::now();
    EXPECT_FALSE(m_link.Connect());
    const Clock::duration took = Clock::now() - start;
    EXPECT_GE(took, milliseconds(NET_CONNECT_TIMEOUT_MS - 100));
    EXPECT_LT(took, milliseconds(NET_CONNECT_TIMEOUT_MS + 2000));
    for (int fd : fillers)
        close(fd);
}

// ---- The poll step ------------------------------------------------------------

TEST_F(NetSocket, PollDoesNothingUntilTheSubnetTestPasses)
{
    m_net.SetAdapters({{QStringLiteral("127.1.1.5"), QStringLiteral("255.255.255.0")},
                       {QStringLiteral("127.0.0.1"), QStringLiteral("0.0.0.0")}});
    CCancelToken running;
    m_link.SetReachable(true);
    EXPECT_FALSE(m_link.PollReachability(running));
    EXPECT_FALSE(m_link.IsReachable());  // off the subnet: cleared
    EXPECT_EQ(m_net.ProbeCount(), 0);     // and never pinged
    EXPECT_EQ(Reports(), 0u);

    // An unreadable adapter list counts as no subnet.
    m_net.SetAdapters({{QStringLiteral("127.0.0.1"), QStringLiteral("255.0.0.0")}});
    m_net.listReadable = false;
    EXPECT_FALSE(m_link.FindLocalAdapter());
    m_net.listReadable = true;
    // The adapters are tried in order; one match is enough.
    m_net.SetAdapters({{QStringLiteral("127.2.0.2"), QStringLiteral("255.255.255.0")},
                       {QStringLiteral("127.0.0.1"), QStringLiteral("255.0.0.0")}});
    EXPECT_TRUE(m_link.FindLocalAdapter());
    EXPECT_TRUE(m_link.IsDeviceReachable());
}

TEST_F(NetSocket, PollReportsOnlyTheRisingEdge)
{
    CCancelToken running;
    m_net.SetAnswers(false);
    EXPECT_FALSE(m_link.PollReachability(running));
    EXPECT_FALSE(m_link.IsReachable());
    EXPECT_EQ(Reports(), 0u);

    m_net.SetAnswers(true);
    EXPECT_TRUE(m_link.PollReachability(running));
    EXPECT_TRUE(m_link.IsReachable());
    ASSERT_EQ(Reports(), 1u);
    const CRecordingTarget::Received report = m_view.Messages(WM_NET_REACHABLE)[0];
    EXPECT_EQ(report.wParam, 0u);
    EXPECT_EQ(report.lParam, 0);

    // Reachable stays reachable without further pings or reports.
    const int probes = m_net.ProbeCount();
    m_net.SetAnswers(false);
    EXPECT_TRUE(m_link.PollReachability(running));
    EXPECT_TRUE(m_link.PollReachability(running));
    EXPECT_EQ(m_net.ProbeCount(), probes);
    EXPECT_EQ(Reports(), 1u);

    // Gone from the subnet and back: reported again.
    m_net.SetAdapters({});
    EXPECT_FALSE(m_link.PollReachability(running));
    m_net.SetAdapters({{QStringLiteral("127.0.0.1"), QStringLiteral("255.0.0.0")}});
    m_net.SetAnswers(true);
    EXPECT_TRUE(m_link.PollReachability(running));
    EXPECT_EQ(Reports(), 2u);
}

TEST_F(NetSocket, PollWaitsForTheRestartAfterAnUpdate)
{
    m_link.SetPollPauses(0, 300);
    g_bUpdateDone = true;
    CCancelToken running;
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(m_link.PollReachability(running));
    EXPECT_GE(Clock::now() - start, milliseconds(290));
    EXPECT_FALSE(g_bUpdateDone);
    EXPECT_EQ(Reports(), 1u);
}

TEST_F(NetSocket, CancelledPollStepChangesAndPostsNothing)
{
    CCancelToken stopped;
    stopped.Set();
    EXPECT_FALSE(m_link.PollReachability(stopped));
    EXPECT_FALSE(m_link.IsReachable());
    m_link.SetReachable(true);
    m_net.SetAdapters({});
    EXPECT_FALSE(m_link.PollReachability(stopped));
    EXPECT_TRUE(m_link.IsReachable());  // left as it was
    m_link.SetReachable(false);
    m_net.SetAdapters({{QStringLiteral("127.0.0.1"), QStringLiteral("255.0.0.0")}});

    // Stopped while waiting for a device that restarts after an update.
    m_link.SetPollPauses(0, 20000);
    g_bUpdateDone = true;
    CCancelToken running;
    std::thread stopper([&] {
        std::this_thread::sleep_for(milliseconds(50));
        running.Set();
    });
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(m_link.PollReachability(running));
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    stopper.join();
    EXPECT_FALSE(m_link.IsReachable());
    EXPECT_TRUE(g_bUpdateDone);
    EXPECT_EQ(Reports(), 0u);
}

}  // namespace
