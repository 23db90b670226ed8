#pragma once
// The whole network link against the simulated device on 127.0.0.1: the I/O
// worker, the network transport, the queue, the reply parser and the change
// scan on one side, CSimDevice behind CSimTcpServer (an ephemeral port) on
// the other. Adapters and ping answers are the test's own, so nothing but
// 127.0.0.1 is contacted.
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "tests/link/NetTestSupport.h"
#include "tests/link/SimLinkBase.h"
#include "tools/simulator/SimTcpServer.h"

class SimLinkTest : public SimLinkBase {
protected:
    void SetUp() override
    {
        StartSimLink(0);
        std::string error;
        ASSERT_TRUE(m_server.Start(0, 300000, &error)) << error;
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        g_nDevicePort = m_server.Port();
        m_net.SetPollPauses(0, 0);

        m_link = std::make_unique<CDeviceLink>(m_command, &m_net, m_set.get());
    }

    void TearDown() override
    {
        m_link.reset();
        m_net.StopPolling(true);
        m_net.Close();
        m_server.Stop();
        EndSimLink();
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
        g_nDevicePort = DEFAULT_DEVICE_PORT;
    }

    // Connects with the device marked reachable, as the connect button does,
    // and waits for the version reply; the device counts as synced then.
    void ConnectAndSync()
    {
        m_net.SetReachable(true);
        ASSERT_TRUE(m_link->ConnectNetwork());
        ASSERT_TRUE(Pump([&] { return m_link->IsConnected(); }));
        ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_DEVICE_VERSION).empty(); }));
        g_bDeviceSynced = true;
    }

    CSimTcpServer m_server{m_device};
    FakeNetwork m_fake;
    CNet_Socket m_net{m_fake.Lister(), m_fake.Probe()};
};
