// The network link against the simulated device's fault knobs: a device
// that stays silent, asks for frames again, answers with a bad checksum,
// closes the connection instead of answering or halfway through an answer,
// and a long operation whose outcome must reach the view once.
#include "link/NetTransport.h"
#include "tests/link/SimLinkFixture.h"

namespace {

using NetLinkFaults = SimLinkTest;

TEST_F(NetLinkFaults, ASilentDeviceGetsTwoSendsAndTwoReconnectsThenTheLinkFails)
{
    ConnectAndSync();
    long long from = 0;
    WhenQuiet([&](long long next) {
        from = next;
        m_device.SetFaults({Fault(CSimFault::Kind::NoReply, 0)});
    });
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_LINK_FAILED).empty(); }));
    EXPECT_FALSE(g_bNetLinkUp);
    // Nothing more follows: the command's later steps post nothing again.
    PumpFor(300);
    const auto failed = Posted(WM_LINK_FAILED);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].wParam, 0u);
    EXPECT_EQ(failed[0].lParam, 0);
    const std::vector<CSimLogEntry> sent = FramesFrom(from);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].frame.bytes, sent[1].frame.bytes);
    EXPECT_NE(sent[0].session, sent[1].session);
    EXPECT_EQ(m_server.AcceptedCount(), 3);  // the connect and two reconnects
    EXPECT_EQ(m_command.GetHead()->GetRetryCount(), 3);
}

TEST_F(NetLinkFaults, ResendRequestsSendTheFrameAgainAtOnceUpToTwiceInARow)
{
    ConnectAndSync();
    for (int resends = 1; resends <= 3; ++resends) {
        SCOPED_TRACE(resends);
        m_view.Clear();
        long long from = 0;
        WhenQuiet([&](long long next) {
            from = next;
            std::vector<CSimFault> faults;
            for (int k = 0; k < resends; ++k)
                faults.push_back(Fault(CSimFault::Kind::Resend, next + k));
            m_device.SetFaults(faults);
            EditBandGain(1, resends, 200 + resends);
        });
        const int sends = resends < LINK_MAX_RESENDS ? resends + 1 : resends;
        ASSERT_TRUE(Pump([&] { return FramesFrom(from).size() >= size_t(sends) + 1 || !g_bNetLinkUp; }));
        const std::vector<CSimLogEntry> sent = FramesFrom(from);
        ASSERT_GE(sent.size(), size_t(sends));
        for (int k = 0; k < sends; ++k) {
            EXPECT_EQ(sent[size_t(k)].frame.bytes, ExpectedRecordFrame(1, resends)) << k;
            EXPECT_EQ(sent[size_t(k)].session, sent[0].session) << "no reconnect";
            EXPECT_EQ(sent[size_t(k)].reply, k < resends ? 'R' : 'Q') << k;
        }
        if (resends < LINK_MAX_RESENDS) {
            // Nothing lost: the device holds the record.
            EXPECT_TRUE(DeviceHoldsRecord(1, resends));
            EXPECT_TRUE(g_bNetLinkUp);
            EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
        } else {
            // The third 'R' in a row ends the link.
            ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_LINK_FAILED).empty(); }));
            EXPECT_EQ(Posted(WM_LINK_FAILED)[0].lParam, 0);
            EXPECT_FALSE(g_bNetLinkUp);
            EXPECT_EQ(sent.size(), size_t(sends));
        }
    }
    EXPECT_EQ(m_server.AcceptedCount(), 1);
}

TEST_F(NetLinkFaults, ALostAnswerCostsAReconnectAndOneMoreSend)
{
    ConnectAndSync();
    struct Case {
        const char* name;
        CSimFault::Kind kind;
    };
    // No answer and a bad checksum end the read at the receive time-out; a
    // closed connection ends it at once. Either way the link reconnects and
    // sends the frame once more.
    const Case cases[] = {
        {"no reply", CSimFault::Kind::NoReply},
        {"bad checksum", CSimFault::Kind::BadXor},
        {"connection closed", CSimFault::Kind::Close},
    };
    int record = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int accepted = m_server.AcceptedCount();
        long long from = 0;
        ++record;
        WhenQuiet([&](long long next) {
            from = next;
            m_device.SetFaults({Fault(c.kind, next)});
            EditBandGain(2, record, 100 + record);
        });
        ASSERT_TRUE(Pump([&] { return FramesFrom(from).size() >= 2; }));
        const std::vector<CSimLogEntry> sent = FramesFrom(from);
        EXPECT_EQ(sent[0].frame.bytes, ExpectedRecordFrame(2, record));
        EXPECT_EQ(sent[1].frame.bytes, sent[0].frame.bytes);
        EXPECT_EQ(sent[1].reply, 'Q');
        EXPECT_NE(sent[1].session, sent[0].session);
        EXPECT_EQ(m_server.AcceptedCount(), accepted + 1);
        PumpFor(50);
        EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
        EXPECT_TRUE(g_bNetLinkUp);
    }
}

TEST_F(NetLinkFaults, AConnectionClosedWhenTheDeviceHasLeftTheSubnetFailsAtOnce)
{
    ConnectAndSync();
    // The device closes instead of answering and has left every local subnet
    // meanwhile: a count of 0 is a lost connection, so the link fails at
    // once (lParam 0); it does not wait for the transaction's limit.
    long long from = 0;
    WhenQuiet([&](long long next) {
        from = next;
        m_device.SetFaults({Fault(CSimFault::Kind::Close, next)});
        m_fake.SetAdapters({{QStringLiteral("127.7.7.5"), QStringLiteral("255.255.255.0")}});
        EditBandGain(4, 3, 334);
    });
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_LINK_FAILED).empty(); }));
    PumpFor(100);
    const auto failed = Posted(WM_LINK_FAILED);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].lParam, 0);
    EXPECT_FALSE(g_bNetLinkUp);
    EXPECT_EQ(FramesFrom(from).size(), 1u);
    EXPECT_EQ(m_server.AcceptedCount(), 1);
}

// A reply cut off by the device closing the connection is dropped with it:
// the first bytes of the next connection start a new reply.
TEST(NetLinkCutReply, AHalfReplyIsNotContinuedOnTheNextConnection)
{
    CLoopbackListener listener;
    FakeNetwork fake;
    CNet_Socket net(fake.Lister(), fake.Probe());
    CRecordingTarget view;
    CKTVCommand command;
    StartLinkTest(command, view, LINK_NETWORK);
    g_bUpdating = false;
    g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
    g_nDevicePort = listener.Port();
    net.SetReachable(true);
    ASSERT_TRUE(net.Connect());
    g_bNetLinkUp = true;
    {
        CDeviceLink link(command, &net);
        command.AddCommand(BuildParameterFrame(BLOCK_OUTPUT, 6, 4));
        const int length = command.GetHead()->GetLength();
        const Bytes ack = Ack();
        link.StartIoWorker(true);

        const int first = listener.Accept();
        ASSERT_GE(first, 0);
        EXPECT_EQ(ReadExactly(first, length).size(), length);
        // Half an answer, then the connection goes.
        ASSERT_EQ(send(first, ack.data(), ack.size() / 2, MSG_NOSIGNAL), ssize_t(ack.size() / 2));
        listener.Drop(first, false);

        const int second = listener.Accept(5000);
        ASSERT_GE(second, 0);
        EXPECT_EQ(ReadExactly(second, length).size(), length);
        ASSERT_EQ(send(second, ack.data(), ack.size(), MSG_NOSIGNAL), ssize_t(ack.size()));
        EXPECT_TRUE(Eventually([&] { return command.GetCount() == 0; }));
        link.StopIoWorker(false);
    }
    view.DeliverPosted();
    EXPECT_TRUE(view.Messages(WM_LINK_FAILED).empty());
    EndLinkTest();
    ClearNetLinkFlags();
    g_bUsbActive = false;
    g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
    g_nDevicePort = DEFAULT_DEVICE_PORT;
}

// A long operation (a restore of the network module's defaults) waits for
// its answer, and its outcome reaches the view once, with the command gone.
TEST_F(NetLinkFaults, ALongOperationReportsItsRealOutcomeOnce)
{
    ConnectAndSync();
    struct Case {
        const char* name;
        bool fault;
        CSimFault::Kind kind;
        LPARAM outcome;
    };
    const Case cases[] = {
        {"acknowledged", false, CSimFault::Kind::NoReply, 1},
        {"refused", true, CSimFault::Kind::Resend, 0},
        {"connection dropped", true, CSimFault::Kind::Close, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_view.Clear();
        g_bTransferBusy = true;
        long long from = 0;
        WhenQuiet([&](long long next) {
            from = next;
            m_device.SetFaults(c.fault ? std::vector<CSimFault>{Fault(c.kind, next)} : std::vector<CSimFault>{});
            std::unique_ptr<CSendData> reset = BuildSystemCommandFrame(65, 0);
            reset->SetLongWait(true);
            m_command.AddCommand(std::move(reset));
        });
        ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_OPERATION_DONE).empty(); }));
        PumpFor(200);
        const auto done = Posted(WM_OPERATION_DONE);
        ASSERT_EQ(done.size(), 1u);
        EXPECT_EQ(done[0].lParam, c.outcome);
        EXPECT_FALSE(g_bTransferBusy);
        // Sent once, never again.
        int sends = 0;
        for (const CSimLogEntry& entry : FramesFrom(from))
            sends += entry.frame.item == 65 ? 1 : 0;
        EXPECT_EQ(sends, 1);
        EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
    }
}

}  // namespace
