#pragma once
// The whole program in a test: g_theApp started with the test's own
// locale, settings folder (its device address 127.0.0.1), adapters and
// reachability answers (nothing but 127.0.0.1 is ever contacted, no ping
// program runs) and simulated HID devices (none plugged in unless a test
// plugs one), its message boxes recorded instead of shown, and ended again
// by the fixture. The simulated device can serve on 127.0.0.1 (an ephemeral
// port) for the tests that connect.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>
#include <QThreadPool>

#include "app/BrelinApp.h"
#include "app/BrelinView.h"
#include "app/ChildFrm.h"
#include "app/DisplayDlg.h"
#include "app/MainFrm.h"
#include "link/NetAddress.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "platform/core/AppSettings.h"
#include "platform/core/Language.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SettingsNames.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/link/FakeHidBus.h"
#include "tests/link/FakeHotPlugSource.h"
#include "tests/link/FakeNetwork.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimState.h"
#include "tools/simulator/SimTcpServer.h"

// Threads of this process now. Qt's painter hands large fills to Qt's own
// thread pool, whose threads linger; they are ended first, so that only
// threads the program itself keeps count.
inline int ThreadCount()
{
    // Under ThreadSanitizer the first thread a process starts also starts
    // the sanitizer's own background thread, which stays: start one first,
    // so that it is part of every count.
    static const bool s_bPrimed = [] {
        std::thread([] {}).join();
        return true;
    }();
    (void)s_bPrimed;
    QThreadPool::globalInstance()->waitForDone();
    int count = 0;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.')
                ++count;
        }
        closedir(dir);
    }
    return count;
}

class AppStartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_theApp.m_bRouteMessageBoxes = false;
        g_theApp.m_bCloseOnSignals = false;
        g_theApp.m_systemLocale = QLocale(QLocale::English, QLocale::UnitedStates);
        g_theApp.m_fnSocketsAvailable = [] { return true; };
        g_theApp.m_adapterLister = m_net.Lister();
        g_theApp.m_reachabilityProbe = m_net.Probe();
        g_theApp.m_pHidBus = &m_hidBus;
        g_theApp.m_fnHotPlugSource = [] { return std::make_unique<CFakeHotPlugSource>(); };
        UseNewSettings();
        CAppSettings::PutString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP, QStringLiteral("127.0.0.1"));
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        g_nDevicePort = DEFAULT_DEVICE_PORT;
        std::copy(std::begin(g_nLinkGroup), std::end(g_nLinkGroup), std::begin(m_savedLinkGroups));
    }

    void TearDown() override
    {
        EndApp();
        g_theApp.m_bRouteMessageBoxes = true;
        g_theApp.m_bCloseOnSignals = true;
        g_theApp.m_systemLocale = QLocale::system();
        g_theApp.m_adapterLister = ReadLocalAdapters;
        g_theApp.m_reachabilityProbe = PingDevice;
        g_theApp.m_pHidBus = nullptr;
        g_theApp.m_fnHotPlugSource = nullptr;
        CAppSettings::SetFolder(QString());
        if (m_pServer)
            m_pServer->Stop();
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
        g_nDevicePort = DEFAULT_DEVICE_PORT;
        g_bChinese = false;
        // The view makes every output its own link group; other tests of
        // this program start from the groups they found.
        std::copy(std::begin(m_savedLinkGroups), std::end(m_savedLinkGroups), std::begin(g_nLinkGroup));
        g_nUiMode = 1;
    }

    // An empty settings folder of the test's own from now on.
    void UseNewSettings()
    {
        m_pSettings = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_pSettings->isValid());
        CAppSettings::SetFolder(m_pSettings->path());
    }

    // Starts the program with these arguments after the program's name.
    bool StartApp(const QStringList& arguments = {})
    {
        // The program's own threads are those it adds from here on.
        m_nThreadsBefore = ThreadCount();
        m_bStarted = g_theApp.InitInstance(QStringList{QStringLiteral("orvane-editor")} + arguments);
        return m_bStarted;
    }
    // Starts the program and answers its view, with the connect that
    // start-up posts dropped: a test that wants a link makes it itself. Null
    // when the program did not start or has no view.
    CBrelinView* StartAppWithoutAutoConnect()
    {
        if (!StartApp())
            return nullptr;
        CBrelinView* view = View();
        if (view != nullptr)
            DropPostedMessages(view, WM_AUTO_CONNECT);
        return view;
    }
    void EndApp()
    {
        if (m_bStarted || g_theApp.GetMainWnd() != nullptr)
            g_theApp.ExitInstance(0);
        m_bStarted = false;
    }

    // The device's state as the program's defaults make it (the program's
    // own start makes them again): what a device read back holds then.
    static CSimState DefaultDeviceState()
    {
        InitDefaultDeviceData();
        // The channels' defaults reach the image through a parameter set.
        CKTV_Data().StoreToRaw();
        return CSimState::FromModelGlobals();
    }

    // The simulated device on 127.0.0.1, the link pointed at it.
    void StartSimulator()
    {
        m_device.SetState(DefaultDeviceState());
        m_pServer = std::make_unique<CSimTcpServer>(m_device);
        std::string error;
        ASSERT_TRUE(m_pServer->Start(0, 300000, &error)) << error;
        g_nDevicePort = m_pServer->Port();
    }

    // Links view over the network to the simulator (StartSimulator first)
    // as a user's connect does: true once the device is synced and the
    // connect's read-back has ended, so its replies no longer overwrite
    // what a test edits.
    bool LinkToSimulator(CBrelinView* view)
    {
        {
            std::lock_guard<std::mutex> lock(m_net.mutex);
            m_net.adapters = {{QStringLiteral("127.0.0.1"), QStringLiteral("255.0.0.0")}};
        }
        view->NetLink().SetReachable(true);
        return view->DeviceLink().ConnectNetwork() && WaitFor([] { return g_bDeviceSynced.load(); }, 30000) &&
               WaitFor([&] { return ReadBackEnded(); }, 30000);
    }

    // The simulator started, the program started without its own connect
    // and linked to the simulator: the view, or null when a step failed.
    CBrelinView* StartAppLinkedToSimulator()
    {
        StartSimulator();
        if (HasFatalFailure())
            return nullptr;
        CBrelinView* view = StartAppWithoutAutoConnect();
        return view != nullptr && LinkToSimulator(view) ? view : nullptr;
    }

    CBrelinView* View() const { return g_theApp.GetView(); }
    // No transfer runs and its popup is gone: the view takes clicks again.
    bool ReadBackEnded() const
    {
        return !g_bTransferBusy && (g_pDisplayDlg == nullptr || !g_pDisplayDlg->IsShown()) && View() != nullptr &&
               View()->isEnabled();
    }
    CMainFrame* Frame() const { return g_theApp.GetMainWnd(); }

    FakeNetwork m_net;
    CMessageBoxSpy m_boxes;
    CSimDevice m_device;
    CFakeHidBus m_hidBus{m_device};
    std::unique_ptr<QTemporaryDir> m_pSettings;
    std::unique_ptr<CSimTcpServer> m_pServer;
    int m_nThreadsBefore = 0;
    int m_savedLinkGroups[OUTPUT_COUNT] = {};
    bool m_bStarted = false;
};
