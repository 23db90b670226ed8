// Stopping the worker of a network link is bounded in every state it can be
// in: idling in its long wait, parked, waiting for an answer, pausing before
// a reconnect, waiting for a long operation, delivering a speaker map to the
// view synchronously, sending the update's sync pattern and waiting for an
// update answer. The step it was in ends early and leaves no trace: nothing
// posted, no reconnect, the queue as it was.
#include <QTemporaryDir>

#include "link/FirmwareUpdate.h"
#include "tests/link/SimLinkFixture.h"

namespace {

using std::chrono::milliseconds;

class NetLinkStop : public SimLinkTest {
protected:
    // Connects, lets `enter` bring the worker into the state, waits until
    // `reached` holds (without delivering anything to the view), then stops
    // the worker and checks that the stop was bounded and silent. answered:
    // commands whose answer had come before the stop (the parser handles it
    // all the same and removes them).
    template <class Enter, class Reached>
    void ExpectBoundedStop(Enter enter, Reached reached, int answered = 0)
    {
        ConnectAndSync();
        m_view.DeliverPosted();
        m_view.Clear();
        WhenQuiet([&](long long) { enter(); });
        ASSERT_TRUE(Eventually(reached, 20000));
        const int queued = m_command.GetCount();
        const int accepted = m_server.AcceptedCount();
        const long long frames = m_device.FrameCount();

        EXPECT_LT(TimedStop(), milliseconds(1000));
        EXPECT_FALSE(m_link->IsIoWorkerRunning());
        EXPECT_FALSE(m_link->IsConnected());
        PumpFor(200);
        EXPECT_TRUE(m_view.Messages(WM_LINK_FAILED).empty());
        EXPECT_TRUE(m_view.Messages(WM_OPERATION_DONE).empty());
        EXPECT_TRUE(m_view.Messages(WM_SPEAKER_TYPES_RECEIVED).empty());
        EXPECT_EQ(m_command.GetCount(), queued - answered);
        EXPECT_EQ(m_server.AcceptedCount(), accepted);
        EXPECT_EQ(m_device.FrameCount(), frames);
    }

    // An MCU firmware file of one data chunk, loaded for the update.
    void LoadSmallUpdate()
    {
        ASSERT_TRUE(m_dir.isValid());
        const char text[] = "WMCU" "\x01\x02\x03\x04" "0123456789";
        const Bytes content(text, text + sizeof text - 1);
        ASSERT_TRUE(UseUpdateFile(m_dir.filePath(QStringLiteral("mcu.bin")), content));
        ASSERT_TRUE(m_link->LoadUpdateFile());
    }
    void StartUpdate()
    {
        m_link->StopIoWorker(true);
        LoadSmallUpdate();
        g_bUpdating = true;
        m_link->StartIoWorker(true);
    }

    QTemporaryDir m_dir;
    long long m_nFrom = 0;
};

TEST_F(NetLinkStop, InTheIdleWait)
{
    // A firmware request stops the normal steps: the worker waits 5000 ms at
    // a time for an event.
    ExpectBoundedStop([] { g_bFirmwareRequested = true; },
                      [&] { return !m_link->IoEvents().IsSet(IO_EVENT_NORMAL_STEP); });
}

TEST_F(NetLinkStop, WhileParked)
{
    ExpectBoundedStop([&] { m_link->IoEvents().Set(IO_EVENT_SUSPEND); },
                      [&] { return m_link->IoEvents().IsParked(); });
}

TEST_F(NetLinkStop, WhileWaitingForAnAnswer)
{
    ExpectBoundedStop(
        [&] {
            m_nFrom = m_device.FrameCount() + 1;
            m_device.SetFaults({Fault(CSimFault::Kind::NoReply, m_nFrom)});
        },
        [&] { return !FramesFrom(m_nFrom).empty(); });
}

TEST_F(NetLinkStop, InTheReconnectPause)
{
    // No answer: after the receive time-out the link closes and pauses 2 s
    // before it connects again.
    ExpectBoundedStop(
        [&] {
            m_nFrom = m_device.FrameCount() + 1;
            m_device.SetFaults({Fault(CSimFault::Kind::NoReply, m_nFrom)});
        },
        [&] { return !FramesFrom(m_nFrom).empty() && !m_net.IsOpen(); });
}

TEST_F(NetLinkStop, WhileALongOperationWaits)
{
    ExpectBoundedStop(
        [&] {
            m_nFrom = m_device.FrameCount() + 1;
            m_device.SetFaults({Fault(CSimFault::Kind::NoReply, m_nFrom)});
            std::unique_ptr<CSendData> reset = BuildSystemCommandFrame(65, 0);
            reset->SetLongWait(true);
            m_command.AddCommand(std::move(reset));
        },
        [&] { return Received(65, m_nFrom); });
}

TEST_F(NetLinkStop, WhileTheViewIsHandedTheSpeakerMap)
{
    // The answer to item 6 is delivered to the view synchronously; the view
    // (this thread) does not deliver it before it stops the worker.
    ExpectBoundedStop(
        [&] {
            CSimState state = m_device.State();
            std::memset(state.system + 16, 5, 8);
            m_device.SetState(state);
            m_nFrom = m_device.FrameCount() + 1;
            m_command.AddCommand(BuildSystemRequestFrame(SYSTEM_ITEM_SPEAKERS_LOW, 0));
        },
        [&] { return Received(SYSTEM_ITEM_SPEAKERS_LOW, m_nFrom) && m_view.PendingCount() > 0; }, 1);
    // The answer had come: it is stored, only its delivery is dropped.
    EXPECT_EQ(g_SystemBytes[16], 5);
    EXPECT_EQ(g_SystemBytes[23], 5);
}

TEST_F(NetLinkStop, WhileTheUpdateSendsItsSyncPattern)
{
    ExpectBoundedStop([&] { StartUpdate(); }, [&] { return m_device.InUpdateMode(); });
}

TEST_F(NetLinkStop, WhileTheUpdateWaitsForAnAnswer)
{
    // HEXApply is not answered: the update read waits up to 10 s.
    ExpectBoundedStop(
        [&] {
            m_device.SetFaults({Fault(CSimFault::Kind::NoReply, 0)});
            m_nFrom = m_device.FrameCount() + 1;
            StartUpdate();
        },
        [&] { return Received(HEXApply, m_nFrom); });
}

TEST_F(NetLinkStop, WithNoWorkerAtAll)
{
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(m_link->StopIoWorker(true));
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_FALSE(m_link->IsConnected());
}

}  // namespace
