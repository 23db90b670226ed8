#pragma once
// The whole USB link against simulated devices: the I/O worker, the USB
// transport, the claims (in a settings folder of the test's own), the
// hot-plug monitor, the queue, the reply parser and the change scan on one
// side; CSimDevice behind simulated HID devices (CFakeHidBus) on the other.
// The network link holder is there with adapters and ping answers of the
// test's own (the device is never found reachable unless a test says so),
// so nothing is ever contacted.
//
// The view (CLinkViewHarness) hands every link message to the link, as the
// main view does.
#include <QTemporaryDir>

#include "link/HotPlugMonitor.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "link/UsbLink.h"
#include "link/UsbTransport.h"
#include "model/ParameterSetLock.h"
#include "model/WorkingStrings.h"
#include "platform/core/AppSettings.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/link/FakeHidBus.h"
#include "tests/link/FakeHotPlugSource.h"
#include "tests/link/FakeNetwork.h"
#include "tests/link/SimLinkBase.h"

class UsbLinkTest : public SimLinkBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CAppSettings::SetFolder(m_dir.path());
        StartSimLink(LINK_NONE);
        ResetUsbGlobals();
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        m_net.SetPollPauses(0, 0);
        m_fake.SetAnswers(false);

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
        EndSimLink();
        ResetUsbGlobals();
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
        g_nDevicePort = DEFAULT_DEVICE_PORT;
        CAppSettings::SetFolder(QString());
    }

    static void ResetUsbGlobals()
    {
        g_bUpdateRetrying = false;
        g_nLastUpdateCommand = 0;
        g_strUsbDevicePath.clear();
        g_astrHidPaths.clear();
        g_astrHidItems.clear();
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
    // Lets hot-plug notices be read without acting on them.
    void DrainNotices()
    {
        m_view.m_bDispatch = false;
        PumpFor(20);
        m_view.m_bDispatch = true;
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
    CFakeHotPlugSource m_hotPlug;
    CFakeHidBus m_bus{m_device, &m_hotPlug};
    FakeNetwork m_fake;
    CNet_Socket m_net{m_fake.Lister(), m_fake.Probe()};
};
