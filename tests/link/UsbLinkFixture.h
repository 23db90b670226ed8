#pragma once
// The whole USB link against simulated devices: the I/O worker, the USB
// transport, the claims (in a settings folder of the test's own), the
// hot-plug monitor, the queue, the reply parser and the change scan on one
// side; CSimDevice behind simulated HID devices (CFakeHidBus) on the other.
// The network link holder is there with adapters and ping answers of the
// test's own (the device counts as unreachable unless a test says so), so
// nothing is ever contacted.
//
// The test plays the view (CLinkViewHarness): it records every message and
// hands each link message to the link's entry for it, as the view does.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <vector>

#include "link/DeviceLink.h"
#include "link/HotPlugMonitor.h"
#include "link/KTVCommand.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "link/UsbLink.h"
#include "link/UsbTransport.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "platform/core/AppSettings.h"
#include "platform/core/SendLock.h"
#include "platform/core/SystemMessages.h"
#include "tests/common/Eventually.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/FakeHidBus.h"
#include "tests/link/FakeHotPlugSource.h"
#include "tests/link/FakeNetwork.h"
#include "tests/link/LinkTestLiveSet.h"
#include "tests/link/ReplyTestSupport.h"
#include "tools/simulator/SimDevice.h"

// The view's part: every link message reaches the link's entry for it.
class CLinkViewHarness : public CRecordingTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT answer = CRecordingTarget::WindowProc(message, wParam, lParam);
        if (m_pLink == nullptr || !m_bDispatch)
            return answer;
        switch (message) {
        case WM_AUTO_CONNECT:
            m_pLink->OnStartupConnect();
            break;
        case WM_DEVICECHANGE:
            return m_pLink->OnDeviceChange(wParam, lParam);
        case WM_LINK_FAILED:
            m_pLink->OnLinkLost();
            break;
        case WM_DEVICE_VERSION:
            m_pLink->CheckDeviceVersion();
            break;
        case WM_TRANSFER_DONE:
            m_pLink->OnTransferDone();
            break;
        case WM_OPERATION_DONE:
            m_pLink->OnOperationDone(lParam);
            break;
        case WM_STOP_NET_POLL:
            m_pLink->OnStopNetPoll();
            break;
        default:
            break;
        }
        return answer;
    }

    CDeviceLink* m_pLink = nullptr;
    // Off: the messages are only recorded.
    bool m_bDispatch = true;
};

class UsbLinkTest : public ::testing::Test {
protected:
    using Clock = std::chrono::steady_clock;

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CAppSettings::SetFolder(m_dir.path());
        StartLinkTest(m_command, m_view, LINK_NONE);
        g_bDeviceSynced = false;
        g_bUpdating = false;
        g_bUsbActive = false;
        g_bTransferBusy = false;
        g_bUpdateRetrying = false;
        g_nLastUpdateCommand = 0;
        g_strUsbDevicePath.clear();
        g_astrHidPaths.clear();
        g_astrHidItems.clear();
        ClearNetLinkFlags();
        PrepareLiveSetForLink();
        m_device.SetState(CSimState::FromModelGlobals());
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        m_net.SetPollPauses(0, 0);
        m_fake.SetAnswers(false);

        m_set = std::make_unique<CKTV_Data>();
        m_link = std::make_unique<CDeviceLink>(m_command, &m_net, m_set.get());
        m_link->EnableUsb(m_bus);
        m_link->UsbTransport()->SetRestartPause(50);
        m_link->CreateUsbInUseKey();
        ASSERT_TRUE(m_link->RegisterHidNotification(&m_view, m_hotPlug.Borrow()));
        m_view.m_pLink = m_link.get();
    }

    void TearDown() override
    {
        m_view.m_pLink = nullptr;
        m_link.reset();
        m_net.StopPolling(true);
        m_set.reset();
        EndLinkTest();
        g_bDeviceSynced = false;
        g_bUpdating = false;
        g_bUsbActive = false;
        g_bTransferBusy = false;
        g_bTrackPresetName = false;
        g_nLastUpdateCommand = 0;
        g_strUsbDevicePath.clear();
        g_astrHidPaths.clear();
        g_astrHidItems.clear();
        ClearNetLinkFlags();
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
        g_nDevicePort = DEFAULT_DEVICE_PORT;
        CAppSettings::SetFolder(QString());
    }

    // The UI thread's part: runs its event loop (hot-plug notices, timers)
    // and delivers what waits for the view and the link until cond holds. A
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
    void PumpFor(int ms)
    {
        Pump([] { return false; }, ms);
    }
    std::vector<CRecordingTarget::Received> Posted(UINT message)
    {
        m_view.DeliverPosted();
        return m_view.Messages(message);
    }

    // Connects as at start-up and waits until the version check has run
    // (the device is then synced and its read-back queued).
    void ConnectAndSync()
    {
        m_link->OnStartupConnect();
        ASSERT_TRUE(m_link->IsConnected());
        ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_DEVICE_VERSION).empty(); }));
        ASSERT_TRUE(g_bDeviceSynced);
    }
    // Connects and waits until the read-back has arrived whole.
    void ConnectAndReadBack()
    {
        ConnectAndSync();
        ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_PRESET_RECEIVED).empty(); }));
        ASSERT_TRUE(Pump([&] { return m_command.GetCount() <= 1 && !g_bTransferBusy; }));
    }

    // Holds the worker's own frames back until everything sent has been
    // answered (the view's part goes on meanwhile), then runs f with the
    // number of the next frame the device will receive.
    template <class F>
    void WhenQuiet(F f)
    {
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        ASSERT_TRUE(Pump([&] { return m_command.GetCount() == 0; }));
        f(m_device.FrameCount() + 1);
    }

    std::vector<CSimLogEntry> FramesFrom(long long first) const
    {
        std::vector<CSimLogEntry> frames;
        for (const CSimLogEntry& entry : m_device.Log()) {
            if (!entry.sync && entry.number >= first)
                frames.push_back(entry);
        }
        return frames;
    }

    static CSimFault Fault(CSimFault::Kind kind, long long frame, int delayMs = 0)
    {
        CSimFault fault;
        fault.kind = kind;
        fault.frame = frame;
        fault.delayMs = delayMs;
        return fault;
    }

    void EditBandGain(int output, int band, int gainIndex)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_set->GetOutput(output)->GetBand(band)->SetGainIndex(gainIndex);
    }

    // The link after a failure: closed, its claim let go, nothing queued.
    void ExpectClosedAndReleased(const QString& path)
    {
        EXPECT_FALSE(m_link->IsConnected());
        EXPECT_EQ(g_nLinkType, LINK_NONE);
        EXPECT_FALSE(m_link->Usb()->IsOpen());
        EXPECT_EQ(m_command.GetCount(), 0);
        EXPECT_FALSE(g_bDeviceSynced);
        EXPECT_TRUE(CAppSettings::ValueNames(QStringLiteral("USB")).isEmpty());
        EXPECT_TRUE(m_link->Usb()->IsUsbPathFree(path));
    }

    QTemporaryDir m_dir;
    CSimDevice m_device;
    CFakeHotPlugSource m_hotPlug;
    CFakeHidBus m_bus{m_device, &m_hotPlug};
    FakeNetwork m_fake;
    CNet_Socket m_net{m_fake.Lister(), m_fake.Probe()};
    CLinkViewHarness m_view;
    CKTVCommand m_command;
    std::unique_ptr<CKTV_Data> m_set;
    std::unique_ptr<CDeviceLink> m_link;
};
