// The serial link end to end against the simulated device over a
// pseudo-terminal: the handshake, the version, an edit that travels as its
// exact frame and is acknowledged, the idle status poll; the device's faults
// (silence, a bad checksum, 'R', a hang-up mid-command) and the pause after
// HEXApply; and closing the port or stopping the worker in every state the
// line can be in, each bounded.
#include <poll.h>

#include "link/FirmwareUpdate.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/link/SerialLinkFixture.h"
#include "tests/link/QueueTestSupport.h"

namespace {

using std::chrono::milliseconds;
using SerialLink = SerialLinkTest;

TEST_F(SerialLink, TheDialogueRunsWholeOverTheLine)
{
    ConnectAndSync();
    // The handshake first, then the version request, both over the line.
    const std::vector<CSimLogEntry> first = FramesFrom(1);
    ASSERT_GE(first.size(), 2u);
    EXPECT_EQ(first[0].frame.item, SYSTEM_ITEM_HANDSHAKE);
    EXPECT_EQ(first[1].frame.item, SYSTEM_ITEM_VERSION);
    EXPECT_EQ(first[0].path, CSimPath::Serial);
    EXPECT_FALSE(g_bHandshakePending);
    EXPECT_EQ(QByteArray(g_szDeviceVersion), QByteArray(CSimDevice::kDefaultVersionTag));

    // A band gain edit goes out as exactly its record frame and is
    // acknowledged.
    long long from = 0;
    WhenQuiet([&](long long next) {
        from = next;
        EditBandGain(2, 7, 230);
    });
    ASSERT_TRUE(Pump([&] { return FirstOutputFrame(from) >= 0; }));
    const CSimLogEntry sent = FramesFrom(from)[size_t(FirstOutputFrame(from))];
    EXPECT_EQ(sent.frame.bytes, ExpectedRecordFrame(2, 7));
    EXPECT_EQ(sent.reply, 'Q');
    EXPECT_TRUE(DeviceHoldsRecord(2, 7));

    // An idle line polls the device's status again and again.
    m_view.Clear();
    const long long polls = m_device.FrameCount() + 1;
    ASSERT_TRUE(Pump([&] { return Posted(WM_DEVICE_STATUS).size() >= 3; }));
    for (const CSimLogEntry& entry : FramesFrom(polls)) {
        EXPECT_TRUE(IsStatusPoll(entry)) << entry.Describe(true);
        EXPECT_EQ(entry.reply, 'S');
    }
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
    EXPECT_FALSE(m_port->IsFailed());
}

TEST_F(SerialLink, ASilentDeviceGetsTwoWritesThenTheLinkFailsOnce)
{
    ConnectAndSync();
    CMessageBoxSpy spy;
    std::memset(g_szDeviceVersion, 0, sizeof g_szDeviceVersion);
    long long from = 0;
    WhenQuiet([&](long long next) {
        from = next;
        m_device.SetFaults({Fault(CSimFault::Kind::NoReply, 0)});
        m_command.AddCommand(BuildSystemRequestFrame(SYSTEM_ITEM_VERSION, 0));
    });
    ASSERT_TRUE(Pump([&] { return !FramesFrom(from).empty(); }));
    const Clock::time_point firstWrite = Clock::now();
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_LINK_FAILED).empty(); }));
    // Four waits of half a second each after the first write.
    EXPECT_GE(Clock::now() - firstWrite, milliseconds(1500));
    PumpFor(300);
    const auto failed = Posted(WM_LINK_FAILED);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].wParam, 0u);
    EXPECT_EQ(failed[0].lParam, SERIAL_LINK_FAILED);
    EXPECT_TRUE(m_port->IsFailed());

    const std::vector<CSimLogEntry> sent = FramesFrom(from);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].frame.bytes, sent[1].frame.bytes);
    EXPECT_EQ(sent[0].frame.item, SYSTEM_ITEM_VERSION);
    // Nothing came, nothing is stored; the command waits for the next link.
    EXPECT_EQ(g_szDeviceVersion[0], 0);
    ASSERT_EQ(m_command.GetCount(), 1);
    EXPECT_EQ(m_command.GetHead()->GetRetryCount(), 3);
    EXPECT_TRUE(spy.system.empty());
    EXPECT_TRUE(spy.shown.empty());
}

TEST_F(SerialLink, BadOrRefusedAnswersAreWrittenAgainUntilTheLinkGivesUp)
{
    struct Case {
        const char* name;
        CSimFault::Kind kind;
        bool always;
        int sends;     // frames the device receives
        BYTE lastReply;
        bool fails;
    };
    const Case cases[] = {
        // A bad checksum once: written again, acknowledged.
        {"bad xor once", CSimFault::Kind::BadXor, false, 2, 'Q', false},
        // Always: every write counts; the fourth bad answer ends the link.
        {"bad xor always", CSimFault::Kind::BadXor, true, SERIAL_MAX_SENDS, 'Q', true},
        // 'R' once: written again, nothing lost.
        {"resend once", CSimFault::Kind::Resend, false, 2, 'Q', false},
        // Always: the third 'R' in a row ends the link.
        {"resend always", CSimFault::Kind::Resend, true, SERIAL_MAX_RESENDS, 'R', true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_view.Clear();
        ConnectAndSync();
        m_view.Clear();
        long long from = 0;
        WhenQuiet([&](long long next) {
            from = next;
            m_device.SetFaults({Fault(c.kind, c.always ? 0 : next)});
            EditBandGain(4, 9, 190);
        });
        if (c.fails)
            ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_LINK_FAILED).empty(); }));
        else
            ASSERT_TRUE(Pump([&] { return FramesFrom(from).size() >= size_t(c.sends) + 1; }));
        PumpFor(200);
        std::vector<CSimLogEntry> sent = FramesFrom(from);
        if (!c.fails)
            sent.resize(size_t(c.sends));  // the polls that follow
        ASSERT_EQ(sent.size(), size_t(c.sends));
        for (const CSimLogEntry& entry : sent)
            EXPECT_EQ(entry.frame.bytes, ExpectedRecordFrame(4, 9));
        EXPECT_EQ(sent.back().reply, c.lastReply);
        if (c.fails) {
            EXPECT_EQ(Posted(WM_LINK_FAILED).size(), 1u);
            EXPECT_TRUE(m_port->IsFailed());
        } else {
            EXPECT_TRUE(DeviceHoldsRecord(4, 9));
            EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
        }
        // Ready for the next case: the link closed as the view closes it.
        m_link->StopIoWorker(true);
        m_link->CloseSerialLink();
        m_device.SetFaults({});
    }
}

TEST_F(SerialLink, AHangUpMidCommandFailsTheLinkOnceWithoutABox)
{
    ConnectAndSync();
    CMessageBoxSpy spy;
    long long from = 0;
    WhenQuiet([&](long long next) {
        from = next;
        m_device.SetFaults({Fault(CSimFault::Kind::NoReply, next)});
        EditBandGain(0, 3, 210);
    });
    ASSERT_TRUE(Pump([&] { return !FramesFrom(from).empty(); }));
    m_pty->HangUp();
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_LINK_FAILED).empty(); }));
    PumpFor(300);
    ASSERT_EQ(Posted(WM_LINK_FAILED).size(), 1u);
    EXPECT_EQ(Posted(WM_LINK_FAILED)[0].lParam, SERIAL_LINK_FAILED);
    EXPECT_TRUE(spy.system.empty());
    EXPECT_TRUE(spy.shown.empty());

    // The view closes the link; the line is gone, so it cannot open again.
    m_link->StopIoWorker(true);
    m_link->CloseSerialLink();
    g_nLinkType = LINK_SERIAL;
    EXPECT_FALSE(m_link->OpenSerialLink(m_pty->SlavePath()));
    EXPECT_FALSE(m_link->IsConnected());
    EXPECT_FALSE(m_port->IsMonitorRunning());
    EXPECT_TRUE(spy.system.empty());
}

TEST_F(SerialLink, TheAnswerToHexApplyIsReadAfterTheDevicesPause)
{
    ConnectAndSync();
    m_link->StopIoWorker(true);
    g_bUpdating = true;
    const long long from = m_device.FrameCount() + 1;
    m_command.AddCommand(UpdateCommand(HEXApply));
    m_link->StartIoWorker(true);
    ASSERT_TRUE(Pump([&] { return !FramesFrom(from).empty(); }));
    const Clock::time_point written = Clock::now();
    EXPECT_EQ(FramesFrom(from)[0].frame.item, HEXApply);
    EXPECT_EQ(FramesFrom(from)[0].reply, 'Q');
    ASSERT_TRUE(Pump([&] { return m_command.GetCount() == 0; }));
    EXPECT_GE(Clock::now() - written, milliseconds(SERIAL_APPLY_PAUSE_MS - 500));
    // Sent once: the pause is no time-out.
    EXPECT_EQ(FramesFrom(from).size(), 1u);
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
}

// ---- Bounded closes ------------------------------------------------------------

class SerialLinkClose : public SerialLinkTest {
protected:
    // Connects, lets `enter` bring the line into the state, waits until
    // `reached` holds (delivering nothing to the view), then closes the port
    // with the worker still running and stops the worker: both bounded, and
    // the close posts nothing.
    template <class Enter, class Reached>
    void ExpectBoundedClose(Enter enter, Reached reached, bool stopWorkerFirst = false)
    {
        ConnectAndSync();
        m_view.DeliverPosted();
        m_view.Clear();
        WhenQuiet([&](long long next) { enter(next); });
        ASSERT_TRUE(Eventually(reached, 20000));
        const size_t failures = m_view.Messages(WM_LINK_FAILED).size();
        if (stopWorkerFirst) {
            EXPECT_LT(TimedStop(), milliseconds(1000));
        }
        const Clock::time_point start = Clock::now();
        EXPECT_TRUE(m_port->ClosePort());
        EXPECT_LT(Clock::now() - start, milliseconds(1000));
        EXPECT_FALSE(m_port->IsMonitorRunning());
        EXPECT_LT(TimedStop(), milliseconds(1000));
        PumpFor(200);
        EXPECT_EQ(m_view.Messages(WM_LINK_FAILED).size(), failures);
    }

    // A version request that the device never answers, written and waited
    // for when the port closes.
    void ExpectBoundedCloseAwaitingAnAnswer(bool stopWorkerFirst)
    {
        long long from = 0;
        ExpectBoundedClose(
            [&](long long next) {
                from = next;
                m_device.SetFaults({Fault(CSimFault::Kind::NoReply, 0)});
                m_command.AddCommand(BuildSystemRequestFrame(SYSTEM_ITEM_VERSION, 0));
            },
            [&] { return Received(SYSTEM_ITEM_VERSION, from); }, stopWorkerFirst);
    }
};

TEST_F(SerialLinkClose, WhenIdle)
{
    ExpectBoundedClose([](long long) {}, [] { return true; }, true);
}

TEST_F(SerialLinkClose, WhileAwaitingAnAnswer)
{
    ExpectBoundedCloseAwaitingAnAnswer(false);
}

TEST_F(SerialLinkClose, WhenTheWorkerIsStoppedInTheHandOver)
{
    ExpectBoundedCloseAwaitingAnAnswer(true);
}

TEST_F(SerialLinkClose, InThePauseAfterHexApply)
{
    long long from = 0;
    ExpectBoundedClose(
        [&](long long next) {
            from = next;
            m_command.AddCommand(UpdateCommand(HEXApply));
        },
        [&] { return Received(HEXApply, from); });
}

TEST_F(SerialLinkClose, AfterTheLinkFailed)
{
    ExpectBoundedClose([&](long long) { m_device.SetFaults({Fault(CSimFault::Kind::NoReply, 0)}); },
                       [&] {
                           m_view.DeliverPosted();
                           return !m_view.Messages(WM_LINK_FAILED).empty();
                       });
}

TEST_F(SerialLinkClose, MidFrame)
{
    // The test answers in place of the device: half of a reply, then nothing.
    ExpectBoundedClose(
        [&](long long) {
            m_pty->StopServing();
            m_command.AddCommand(BuildSystemRequestFrame(SYSTEM_ITEM_VERSION, 0));
        },
        [&] {
            pollfd p{m_pty->Master(), POLLIN, 0};
            if (poll(&p, 1, 10) <= 0)
                return false;
            BYTE request[64];
            if (read(m_pty->Master(), request, sizeof request) <= 0)
                return false;
            const Bytes reply = Data(BLOCK_SYSTEM, SYSTEM_ITEM_VERSION, Bytes(11, 'A'));
            if (write(m_pty->Master(), reply.data(), reply.size() / 2) <= 0)
                return false;
            std::this_thread::sleep_for(milliseconds(100));
            return true;
        });
    EXPECT_EQ(m_command.GetCount(), 1);
}

TEST_F(SerialLinkClose, WhileTheViewIsHandedTheSpeakerMap)
{
    // The answer to item 7 is delivered to the view synchronously; the view
    // (this thread) does not deliver it before it closes the port.
    long long from = 0;
    ExpectBoundedClose(
        [&](long long next) {
            from = next;
            CSimState state = m_device.State();
            std::memset(state.system + 24, 6, 8);
            m_device.SetState(state);
            m_command.AddCommand(BuildSystemRequestFrame(SYSTEM_ITEM_SPEAKERS_HIGH, 0));
        },
        [&] { return Received(SYSTEM_ITEM_SPEAKERS_HIGH, from) && m_view.PendingCount() > 0; });
    // The answer had come: it is stored, only its delivery is dropped.
    EXPECT_EQ(g_SystemBytes[24], 6);
    EXPECT_TRUE(m_view.Messages(WM_SPEAKER_TYPES_RECEIVED).empty());
}

}  // namespace
