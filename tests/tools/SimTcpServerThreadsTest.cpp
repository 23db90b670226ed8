// The simulator over TCP on 127.0.0.1, driven by a small test client that
// writes hand-made frames. Ports are ephemeral, so parallel runs never meet.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/common/Eventually.h"
#include "tests/tools/SimTestFrames.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimTcpServer.h"

namespace {
using Clock = std::chrono::steady_clock;

// How long a test waits for anything before it calls it a hang.
const int kPatienceMs = 5000;

// The test's side of the connection.
class Client {
public:
    explicit Client(int port)
    {
        m_fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(uint16_t(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected = connect(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }
    ~Client() { close(m_fd); }
    bool Connected() const { return m_connected; }
    bool Send(const std::vector<BYTE>& bytes)
    {
        return send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
    }
    // The next reply frame, as it arrived; false after waitMs, or when the
    // connection ended (closed() tells which).
    bool Receive(CSimFrame* frame, int waitMs = kPatienceMs)
    {
        return ReceiveFrame(m_fd, m_decoder, frame, waitMs, &m_closed);
    }
    CSimFrame Ask(const std::vector<BYTE>& bytes)
    {
        CSimFrame reply;
        EXPECT_TRUE(Send(bytes));
        EXPECT_TRUE(Receive(&reply));
        return reply;
    }
    bool Closed() const { return m_closed; }

private:
    int m_fd = -1;
    bool m_connected = false;
    bool m_closed = false;
    CSimFrameDecoder m_decoder;
};

class SimTcpServerTest : public ::testing::Test {
protected:
    SimTcpServerTest()
        : server(device)
    {
    }
    void Start(long long lifetimeMs = 60000)
    {
        std::string error;
        ASSERT_TRUE(server.Start(0, lifetimeMs, &error)) << error;
        ASSERT_NE(server.Port(), 0);
    }
    void SetFault(CSimFault::Kind kind, long long frame, int delayMs = 0)
    {
        CSimFault f;
        f.kind = kind;
        f.frame = frame;
        f.delayMs = delayMs;
        device.SetFaults({f});
    }

    CSimDevice device;
    CSimTcpServer server;
};
}  // namespace

TEST_F(SimTcpServerTest, RoundTripOverLoopback)
{
    Start();
    Client client(server.Port());
    ASSERT_TRUE(client.Connected());

    CSimFrame r = client.Ask(kHandshake);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.bytes, std::vector<BYTE>({0x82, 0x82, 0x82, 0xEE, 'S', 0x01, 0x00, 0x09, 0xCC, 0x00, 0x00, 0x00,
                                          0x01, 0x00, 0x00, 0x96, 0xAA}));
    r = client.Ask(kVersionRequest);
    EXPECT_EQ(std::string(r.payload.begin(), r.payload.end()), "KRVA-BV1.00");
    r = client.Ask(kWorkedExample);
    EXPECT_EQ(r.bytes, std::vector<BYTE>({0x82, 0x82, 0x82, 0xEE, 'Q', 0x01, 0x00, 0x04, 0x02, 0x05, 0x00, 0x00,
                                          0x00, 0x00, 0x53, 0xAA}));
    r = client.Ask(kReadOutput2);
    EXPECT_EQ(r.cls, 'S');
    EXPECT_EQ(r.record, 0x77);
    ASSERT_EQ(r.payload.size(), 296u);
    EXPECT_EQ(std::vector<BYTE>(r.payload.begin() + 40, r.payload.begin() + 48), WorkedExampleRecord());

    const std::vector<CSimLogEntry> log = device.Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[2].frame.bytes, kWorkedExample);
    EXPECT_EQ(log[3].reply, 'S');
}

TEST_F(SimTcpServerTest, ListensOnLoopbackOnly)
{
    Start();
    // The kernel's own table of listening sockets: 0100007F is 127.0.0.1.
    char local[32];
    std::snprintf(local, sizeof local, "0100007F:%04X", server.Port());
    std::ifstream table("/proc/net/tcp");
    std::string line;
    bool found = false;
    while (std::getline(table, line)) {
        if (line.find(local) != std::string::npos)
            found = true;
        char any[32];
        std::snprintf(any, sizeof any, "00000000:%04X", server.Port());
        EXPECT_EQ(line.find(any), std::string::npos) << line;
    }
    EXPECT_TRUE(found);

    // A port in use is refused with a reason.
    CSimDevice other;
    CSimTcpServer second(other);
    std::string error;
    EXPECT_FALSE(second.Start(server.Port(), 1000, &error));
    EXPECT_NE(error.find("bind"), std::string::npos);
}

TEST_F(SimTcpServerTest, DelayedReplyArrivesLate)
{
    SetFault(CSimFault::Kind::Delay, 2, 300);
    Start();
    Client client(server.Port());
    client.Ask(kHandshake);
    const auto sent = Clock::now();
    EXPECT_EQ(client.Ask(kVersionRequest).item, 4);
    EXPECT_GE(Clock::now() - sent, std::chrono::milliseconds(300));
}

TEST_F(SimTcpServerTest, NoReplyLeavesTheClientWaiting)
{
    SetFault(CSimFault::Kind::NoReply, 1);
    Start();
    Client client(server.Port());
    ASSERT_TRUE(client.Send(kHandshake));
    CSimFrame r;
    EXPECT_FALSE(client.Receive(&r, 300));
    EXPECT_FALSE(client.Closed());
    EXPECT_EQ(client.Ask(kHandshake).item, 0xCC);
}

TEST_F(SimTcpServerTest, CloseKnobEndsTheConnection)
{
    SetFault(CSimFault::Kind::Close, 2);
    Start();
    {
        Client client(server.Port());
        client.Ask(kHandshake);
        ASSERT_TRUE(client.Send(kVersionRequest));
        CSimFrame r;
        EXPECT_FALSE(client.Receive(&r));
        EXPECT_TRUE(client.Closed());
    }
    // The device goes on: the next connection is served.
    Client again(server.Port());
    EXPECT_EQ(again.Ask(kVersionRequest).item, 4);
    EXPECT_EQ(server.AcceptedCount(), 2);
}

TEST_F(SimTcpServerTest, FirmwareUpdateWithARestartAfterApply)
{
    device.SetRestartAfterApply(true);
    Start();
    {
        Client client(server.Port());
        for (int k = 0; k < 20; ++k)
            ASSERT_TRUE(client.Send(SyncReport()));
        ASSERT_TRUE(Eventually([&] { return device.SyncCount() == 20; }));
        EXPECT_TRUE(device.InUpdateMode());
        // HEXApply is answered, then the connection is reset.
        CSimFrame r = client.Ask(FirmwareReport('6', 16));
        EXPECT_EQ(r.cls, 'Q');
        EXPECT_EQ(r.bytes[8], '6');
        EXPECT_FALSE(client.Receive(&r));
        EXPECT_TRUE(client.Closed());
    }
    // The program reconnects; the device is still updating.
    Client client(server.Port());
    EXPECT_EQ(client.Ask(FirmwareReport(':', 16)).item, ':');
    EXPECT_EQ(client.Ask(FirmwareReport(';', 16)).item, ';');
    // HEXEnd is not answered over the network; it ends update mode.
    ASSERT_TRUE(client.Send(FirmwareReport('9', 16)));
    ASSERT_TRUE(Eventually([&] { return !device.InUpdateMode(); }));
    EXPECT_EQ(client.Ask(kHandshake).item, 0xCC);
}

TEST_F(SimTcpServerTest, StopIsQuickEvenDuringALongDelay)
{
    SetFault(CSimFault::Kind::Delay, 1, 60000);
    Start();
    Client client(server.Port());
    ASSERT_TRUE(client.Send(kHandshake));
    ASSERT_TRUE(Eventually([&] { return device.FrameCount() == 1; }));
    const auto stopping = Clock::now();
    server.Stop();
    EXPECT_LT(Clock::now() - stopping, std::chrono::milliseconds(kPatienceMs));
    EXPECT_FALSE(server.IsRunning());
    CSimFrame r;
    EXPECT_FALSE(client.Receive(&r));
}

TEST_F(SimTcpServerTest, StopsByItselfWhenItsLifetimeIsOver)
{
    Start(200);
    Client client(server.Port());
    EXPECT_EQ(client.Ask(kHandshake).item, 0xCC);
    EXPECT_TRUE(Eventually([&] { return !server.IsRunning(); }));
    CSimFrame r;
    EXPECT_FALSE(client.Receive(&r));
    EXPECT_TRUE(client.Closed());
    // A stopped server can be started again.
    Start();
    Client next(server.Port());
    EXPECT_EQ(next.Ask(kHandshake).item, 0xCC);
}
