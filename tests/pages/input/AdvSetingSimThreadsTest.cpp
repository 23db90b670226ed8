// The advanced settings dialog over the whole program and the simulated
// device on 127.0.0.1: the address and port it applies are where the next
// connect goes, its limiter and noise edits reach the device, and the WiFi
// module's factory defaults, over the network and over a simulated HID
// device, leave the module's factory address everywhere the program keeps
// it. Adapters and probe answers are the test's own: nothing but 127.0.0.1
// is contacted or asked about.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include "app/DisplayDlg.h"
#include "link/NetAddress.h"
#include "model/DataDefine.h"
#include "model/SharedTexts.h"
#include "model/WindowMessages.h"
#include "pages/input/Adv_Seting.h"
#include "platform/core/AppSettings.h"
#include "platform/core/SettingsNames.h"
#include "platform/core/SystemMessages.h"
#include "tests/app/AppStartFixture.h"

namespace {

class AdvSetingSimThreadsTest : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        StartSimulator();
        // The device's status polls report what it holds.
        CSimState state = m_device.State();
        state.status[0] = state.system[0];
        for (int k = 2; k <= 7; ++k)
            state.status[k] = state.system[k];
        state.status[14] = state.system[14];
        m_device.SetState(state);
        m_pView = StartAppWithoutAutoConnect();
        ASSERT_NE(m_pView, nullptr);

        m_pDialog = new CAdv_Seting(m_pView);
        m_pDialog->m_pView = m_pView;
        m_pDialog->m_pData = m_pView->AttachDataSet();
        ASSERT_TRUE(m_pDialog->Create());
        m_pDialog->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        delete m_pDialog.data();
        if (m_pView != nullptr)
            m_pView->DeviceLink().Disconnect();
        AppStartTest::TearDown();
    }

    void Command(int id) { SendMessage(m_pDialog.data(), WM_COMMAND, MAKEWPARAM(UINT(id), 0), 0); }
    static void Commit(CNumEdit& edit, const QString& text)
    {
        edit.setText(text);
        edit.SetModified(true);
        SendMessage(&edit, WM_KILLFOCUS, 0, 0);
    }
    void ConnectNetwork()
    {
        m_pView->NetLink().SetReachable(true);
        ASSERT_TRUE(m_pView->DeviceLink().ConnectNetwork());
        ASSERT_TRUE(WaitFor([] { return g_bDeviceSynced.load(); }, 30000));
        ASSERT_TRUE(WaitFor([&] { return ReadBackEnded(); }, 30000));
    }
    void ConnectUsb()
    {
        ASSERT_TRUE(m_pView->DeviceLink().ConnectUsbPath(m_hidBus.Plug()));
        ASSERT_TRUE(WaitFor([] { return g_bDeviceSynced.load(); }, 30000));
        ASSERT_TRUE(WaitFor([&] { return ReadBackEnded(); }, 30000));
    }
    bool BoxShown(const QString& text) const
    {
        for (const CMessageBoxSpy::Shown& box : m_boxes.shown) {
            if (box.text == text)
                return true;
        }
        return false;
    }
    // The module's factory address and port in the dialog, the variables
    // and the setting.
    void ExpectFactoryAddress()
    {
        const QString factory = QString::fromLatin1(DEFAULT_DEVICE_IP);
        EXPECT_EQ(m_pDialog->m_ipAddress.GetAddressText(), factory);
        EXPECT_EQ(m_pDialog->m_editPort.text(), QStringLiteral("8899"));
        EXPECT_EQ(g_strDeviceIp.Get(), factory);
        EXPECT_EQ(g_nDevicePort, 8899);
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP), factory);
    }
    // Every address the reachability probe was asked about.
    void ExpectOnlyLoopbackProbed()
    {
        std::lock_guard<std::mutex> lock(m_net.mutex);
        for (const QString& address : m_net.probed)
            EXPECT_EQ(address, QStringLiteral("127.0.0.1"));
    }

    CBrelinView* m_pView = nullptr;
    QPointer<CAdv_Seting> m_pDialog;
};

TEST_F(AdvSetingSimThreadsTest, AppliedAddressAndPortTakeTheConnectAndTheEditsArrive)
{
    // From the factory address (stored only) to the simulator's.
    const int port = g_nDevicePort;
    g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
    g_nDevicePort = DEFAULT_DEVICE_PORT;
    m_pDialog->ShowNetworkSettings();
    for (int i = 0; i < 4; ++i)
        m_pDialog->m_ipAddress.Field(i)->clear();
    m_pDialog->m_ipAddress.SetFieldFocus(0);
    for (QChar c : QStringLiteral("127.0.0.1"))
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    m_pDialog->m_editPort.setText(QString::number(port));
    Command(CAdv_Seting::IDC_APPLY);
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(g_strDeviceIp.Get(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(g_nDevicePort, port);

    ConnectNetwork();
    EXPECT_GE(m_pServer->AcceptedCount(), 1);

    // The limiter of output 0 and the noise threshold reach the device.
    Commit(m_pDialog->m_editThreshold, QStringLiteral("10.0"));
    const int limiter = OutputBlockOffset(0) + OUTPUT_LIMITER_RECORD * RECORD_SIZE;
    EXPECT_TRUE(WaitFor([&] { return GetWord(m_device.State().live.bytes + limiter) == 400; }, 30000));
    Commit(m_pDialog->m_editNoise, QStringLiteral("-80"));
    EXPECT_TRUE(WaitFor(
        [&] {
            const CSimState state = m_device.State();
            return state.system[11] == 40 && state.system[15] == 40;
        },
        30000));
    EXPECT_TRUE(m_boxes.shown.empty());
    ExpectOnlyLoopbackProbed();
}

TEST_F(AdvSetingSimThreadsTest, WifiDefaultsOverTheNetworkCloseTheLinkAndKeepTheFactoryAddress)
{
    ConnectNetwork();
    Command(CAdv_Seting::IDC_WIFI_DEFAULTS);
    EXPECT_FALSE(m_pDialog->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return BoxShown(g_strWifiFailEn); }, 30000));
    ASSERT_TRUE(WaitFor([&] { return !m_pView->IsConnected() && !m_pView->DeviceLink().IsDisconnecting(); }, 30000));
    ExpectFactoryAddress();
    EXPECT_FALSE(g_bTransferBusy);
    EXPECT_TRUE(WaitFor([&] { return m_pDialog->isEnabled(); }, 10000));
    // The module's address is kept, never tried.
    QTest::qWait(200);
    ExpectOnlyLoopbackProbed();
}

TEST_F(AdvSetingSimThreadsTest, WifiDefaultsOverUsbSucceedAndKeepTheFactoryAddress)
{
    ConnectUsb();
    Command(CAdv_Seting::IDC_WIFI_DEFAULTS);
    EXPECT_FALSE(m_pDialog->isEnabled());
    ASSERT_NE(g_pDisplayDlg, nullptr);
    EXPECT_TRUE(g_pDisplayDlg->IsFactoryMode());
    ASSERT_TRUE(WaitFor([&] { return BoxShown(g_strWifiResetOkEn); }, 30000));
    EXPECT_TRUE(m_pView->IsConnected());
    ExpectFactoryAddress();
    // The popup closes after its bar has filled; the dialog is usable again.
    EXPECT_TRUE(WaitFor([&] { return !g_pDisplayDlg->IsShown(); }, 10000));
    EXPECT_TRUE(m_pDialog->isEnabled());
    EXPECT_EQ(m_boxes.shown.size(), 1u);
    ExpectOnlyLoopbackProbed();
}

}  // namespace
