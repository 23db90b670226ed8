#pragma once
// What every end-to-end link test shares, whatever carries the frames: the
// simulated device (CSimDevice), the queue and reply parser, the parameter
// set with its change scan, and the view played by a recording target. The
// fixtures of the network and the serial link add their own transport.
//
// The test plays the view (CLinkViewHarness): it records what is posted to
// it and, given the link, hands the link's messages to it.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "link/DeviceLink.h"
#include "link/KTVCommand.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/SendLock.h"
#include "tests/common/Eventually.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/LinkViewHarness.h"
#include "tests/link/LinkTestLiveSet.h"
#include "tests/link/ReplyTestSupport.h"
#include "tools/simulator/SimDevice.h"

class SimLinkBase : public ::testing::Test {
protected:
    using Clock = std::chrono::steady_clock;

    // The common start: the view, the live set, the device's state.
    void StartSimLink(int linkType)
    {
        StartLinkTest(m_command, m_view, linkType);
        g_bDeviceSynced = false;
        g_bUpdating = false;
        g_bUsbActive = false;
        g_bTransferBusy = false;
        ClearNetLinkFlags();
        PrepareLiveSetForLink();
        m_device.SetState(CSimState::FromModelGlobals());
        m_set = std::make_unique<CKTV_Data>();
    }

    // The common end; the link must be gone already.
    void EndSimLink()
    {
        m_set.reset();
        EndLinkTest();
        g_bDeviceSynced = false;
        g_bUpdating = false;
        g_bUsbActive = false;
        g_bTransferBusy = false;
        g_bTrackPresetName = false;
        ClearNetLinkFlags();
    }

    // The UI thread's part: runs its event loop (notifiers, timers) and
    // delivers what waits for the view and for the link until cond holds. A
    // wide bound that catches a hang.
    template <class Cond>
    bool Pump(Cond cond, int ms = 30000)
    {
        return Eventually(
            [&] {
                QCoreApplication::processEvents();
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

    // Holds the worker's own frames back (as a UI sequence does, with the
    // send lock) until every frame sent has been answered (the view's part
    // goes on meanwhile), then runs f with the number the next frame the
    // device receives will have. What f queues or edits goes out first once
    // the lock is let go.
    template <class F>
    void WhenQuiet(F f)
    {
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        ASSERT_TRUE(Pump([&] { return m_command.GetCount() == 0; }));
        f(m_device.FrameCount() + 1);
    }

    static CSimFault Fault(CSimFault::Kind kind, long long frame, int delayMs = 0)
    {
        CSimFault fault;
        fault.kind = kind;
        fault.frame = frame;
        fault.delayMs = delayMs;
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

    // The device has received a frame with this item, and the link has had
    // time to take its answer (or to start waiting for it).
    bool Received(int item, long long from) const
    {
        for (const CSimLogEntry& entry : FramesFrom(from)) {
            if (entry.frame.item == item) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                return true;
            }
        }
        return false;
    }

    static bool IsStatusPoll(const CSimLogEntry& entry)
    {
        return entry.frame.cls == FRAME_CLASS_REQUEST && entry.frame.type == BLOCK_SYSTEM &&
               entry.frame.item == SYSTEM_ITEM_STATUS;
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

    // A band gain edited in the parameter set goes out as exactly its record
    // frame, first of all, and the device acknowledges and takes it.
    void ExpectEditTravelsAsItsFrame(int output, int band, int gainIndex)
    {
        long long from = 0;
        WhenQuiet([&](long long next) {
            from = next;
            EditBandGain(output, band, gainIndex);
        });
        ASSERT_TRUE(Pump([&] {
            for (const CSimLogEntry& entry : FramesFrom(from)) {
                if (entry.frame.type == BLOCK_OUTPUT)
                    return true;
            }
            return false;
        }));
        const std::vector<CSimLogEntry> sent = FramesFrom(from);
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent[0].frame.bytes, ExpectedRecordFrame(output, band));
        EXPECT_EQ(GetWord(sent[0].frame.payload.data() + 2), gainIndex + 400);
        EXPECT_EQ(sent[0].reply, 'Q');
        EXPECT_TRUE(sent[0].handled);
        EXPECT_TRUE(DeviceHoldsRecord(output, band));
    }

    // The device holds the live image's copy of this output record.
    bool DeviceHoldsRecord(int output, int record) const
    {
        const int at = OutputBlockOffset(output) + RECORD_SIZE * record;
        return std::memcmp(m_device.State().live.bytes + at, g_CurrentImage.bytes + at, RECORD_SIZE) == 0;
    }

    // Stops the worker in full, as the view does, and says how long it took.
    Clock::duration TimedStop()
    {
        const Clock::time_point start = Clock::now();
        m_link->StopIoWorker(true);
        return Clock::now() - start;
    }

    CSimDevice m_device;
    CLinkViewHarness m_view;
    CKTVCommand m_command;
    std::unique_ptr<CKTV_Data> m_set;
    std::unique_ptr<CDeviceLink> m_link;
};
