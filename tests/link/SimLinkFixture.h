#pragma once
// The whole network link against the simulated device on 127.0.0.1: the I/O
// worker, the network transport, the queue, the reply parser and the change
// scan on one side, CSimDevice behind CSimTcpServer (an ephemeral port) on
// the other. Adapters and ping answers are the test's own, so nothing but
// 127.0.0.1 is contacted.
//
// The test plays the view: it records what is posted to it, queues the
// handshake and version requests when the link starts, and marks the device
// synced once the version has come.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "link/DeviceLink.h"
#include "link/KTVCommand.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/SendLock.h"
#include "tests/common/Eventually.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/LinkTestLiveSet.h"
#include "tests/link/NetTestSupport.h"
#include "tests/link/ReplyTestSupport.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimTcpServer.h"

class SimLinkTest : public ::testing::Test {
protected:
    using Clock = std::chrono::steady_clock;

    void SetUp() override
    {
        StartLinkTest(m_command, m_view, 0);
        g_bDeviceSynced = false;
        g_bUpdating = false;
        g_bUsbActive = false;
        g_bTransferBusy = false;
        ClearNetLinkFlags();
        PrepareLiveSetForLink();
        m_device.SetState(CSimState::FromModelGlobals());

        std::string error;
        ASSERT_TRUE(m_server.Start(0, 300000, &error)) << error;
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        g_nDevicePort = m_server.Port();
        m_net.SetPollPauses(0, 0);

        m_set = std::make_unique<CKTV_Data>();
        m_link = std::make_unique<CDeviceLink>(m_command, &m_net, m_set.get());
        m_link->SetViewHooks(DeviceInfoRequestHooks(m_command));
    }

    void TearDown() override
    {
        m_link.reset();
        m_net.StopPolling(true);
        m_net.Close();
        m_set.reset();
        m_server.Stop();
        EndLinkTest();
        g_bDeviceSynced = false;
        g_bUpdating = false;
        g_bUsbActive = false;
        g_bTransferBusy = false;
        g_bTrackPresetName = false;
        ClearNetLinkFlags();
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
        g_nDevicePort = DEFAULT_DEVICE_PORT;
    }

    // The UI thread's part: delivers what waits for the view and for the
    // link until cond holds. A wide bound that catches a hang.
    template <class Cond>
    bool Pump(Cond cond, int ms = 30000)
    {
        return Eventually(
            [&] {
                m_link->DeliverPosted();
                m_view.DeliverPosted();
                return cond();
            },
            ms);
    }
    // Lets the link's and the view's messages of the next ms run.
    void PumpFor(int ms)
    {
        Pump([] { return false; }, ms);
    }

    std::vector<CRecordingTarget::Received> Posted(UINT message)
    {
        m_view.DeliverPosted();
        return m_view.Messages(message);
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

    // Holds the worker's own frames back (as a UI sequence does, with the
    // send lock) until every frame sent has been answered, then runs f with
    // the number the next frame the device receives will have. What f
    // queues or edits goes out first once the lock is let go.
    template <class F>
    void WhenQuiet(F f)
    {
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        ASSERT_TRUE(Eventually([&] { return m_command.GetCount() == 0; }));
        f(m_device.FrameCount() + 1);
    }

    static CSimFault Fault(CSimFault::Kind kind, long long frame)
    {
        CSimFault fault;
        fault.kind = kind;
        fault.frame = frame;
        return fault;
    }

    // The frames the device received from number `first` on.
    std::vector<CSimLogEntry> FramesFrom(long long first) const
    {
        std::vector<CSimLogEntry> frames;
        for (const CSimLogEntry& entry : m_device.Log()) {
            if (!entry.sync && entry.number >= first)
                frames.push_back(entry);
        }
        return frames;
    }

    // Changes the gain of one EQ band as the output page does: the change
    // flag follows g_bDeviceSynced, the change scan sends it.
    void EditBandGain(int output, int band, int gainIndex)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_set->GetOutput(output)->GetBand(band)->SetGainIndex(gainIndex);
    }

    // The write frame of one output record as the device must receive it,
    // encoded here on its own from the live image's record.
    static Bytes ExpectedRecordFrame(int output, int record)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const BYTE* bytes = g_CurrentImage.bytes + OutputBlockOffset(output) + RECORD_SIZE * record;
        Bytes frame = EncodeReply({FRAME_CLASS_WRITE, 0, BLOCK_OUTPUT, output, record},
                                  Bytes(bytes, bytes + RECORD_SIZE));
        return frame;
    }

    // Stops the worker in full, as the view does, and says how long it took.
    Clock::duration TimedStop()
    {
        const Clock::time_point start = Clock::now();
        m_link->StopIoWorker(true);
        return Clock::now() - start;
    }

    CSimDevice m_device;
    CSimTcpServer m_server{m_device};
    FakeNetwork m_fake;
    CNet_Socket m_net{m_fake.Lister(), m_fake.Probe()};
    CRecordingTarget m_view;
    CKTVCommand m_command;
    std::unique_ptr<CKTV_Data> m_set;
    std::unique_ptr<CDeviceLink> m_link;
};
