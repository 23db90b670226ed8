// The main view's own parts of the link, with the whole program started: a
// serial connect made by the view over a pseudo-terminal that the simulated
// device serves, that link ended by a link failure, by the connect button
// and by the window's end (the port let go each time), and the connect
// button's popup of ways to connect, its items reaching their connects.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include "app/LockDataDlg.h"
#include "app/PopupMenus.h"
#include "link/SerialPort.h"
#include "link/UsbLink.h"
#include "model/FrameBuilder.h"
#include "model/SharedTexts.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/PopupMenu.h"
#include "tests/app/AppStartFixture.h"
#include "tests/common/Eventually.h"
#include "tests/link/PtyDevice.h"

namespace {

// The connect button's faces in English, linked and not.
constexpr UINT kConnectedFace = 8743;
constexpr UINT kDisconnectedFace = 8753;

class ViewLinkTest : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        m_device.SetState(DefaultDeviceState());
        Start();
    }
    void TearDown() override
    {
        SetPopupMenuHandler(m_previousPopup);
        // The program (and its port) ends before the line does.
        EndApp();
        m_pty.reset();
        AppStartTest::TearDown();
    }

    void Start()
    {
        m_pView = StartAppWithoutAutoConnect();
        ASSERT_NE(m_pView, nullptr);
    }

    // The view connects over the line and takes the device over.
    void ConnectSerialAndSync()
    {
        m_pty = std::make_unique<CPtyDevice>(m_device);
        ASSERT_TRUE(m_pView->ConnectSerial(m_pty->SlavePath()));
        EXPECT_EQ(g_nLinkType, LINK_SERIAL);
        EXPECT_TRUE(m_pView->IsConnected());
        EXPECT_EQ(m_pView->m_btnConnect.CurrentBitmapId(), kConnectedFace);
        ASSERT_TRUE(WaitFor([] { return g_bDeviceSynced.load(); }, 30000));
        // The read-back after the connect disables the view until it ends.
        ASSERT_TRUE(WaitFor([&] { return ReadBackEnded(); }, 30000));
    }

    // The view's port has let the line go: another port opens it.
    bool LineIsFree() const
    {
        CKTVCommand queue;
        CSerialPort other(queue);
        const bool opened = other.OpenPort(nullptr, m_pty->SlavePath(), 57600, 'N', 8, 1, 9, 512);
        other.ClosePort();
        return opened;
    }

    // Nothing linked, and the view shows it.
    void ExpectLinkDown() const
    {
        EXPECT_FALSE(m_pView->IsConnected());
        EXPECT_EQ(g_nLinkType, LINK_NONE);
        EXPECT_FALSE(m_pView->m_serialPort.IsMonitorRunning());
        EXPECT_EQ(m_pView->m_btnConnect.CurrentBitmapId(), kDisconnectedFace);
        EXPECT_TRUE(m_pView->m_lampLink.IsBlinking());
    }

    // Popups are answered with m_nAnswer and recorded.
    void AnswerPopups()
    {
        m_previousPopup = SetPopupMenuHandler([this](QMenu& menu, const QPoint& at, QWidget* owner) {
            m_pShownMenu = &menu;
            m_ptShown = at;
            m_pPopupOwner = owner;
            m_shownItems.clear();
            for (const QAction* action : menu.actions())
                m_shownItems.push_back({CommandOf(action), action->text()});
            return m_nAnswer;
        });
    }

    CBrelinView* m_pView = nullptr;
    std::unique_ptr<CPtyDevice> m_pty;
    PopupMenuHandler m_previousPopup;
    UINT m_nAnswer = 0;
    const QMenu* m_pShownMenu = nullptr;
    QPoint m_ptShown;
    QWidget* m_pPopupOwner = nullptr;
    std::vector<std::pair<UINT, QString>> m_shownItems;
};

TEST_F(ViewLinkTest, ASerialConnectShakesHandsReadsBackAndLeavesTheLogAlone)
{
    ConnectSerialAndSync();
    // The handshake and the version request went first.
    std::vector<int> requests;
    for (const CSimLogEntry& entry : m_device.Log()) {
        if (!entry.sync && entry.frame.cls == CSimFrame::kRequest && entry.frame.type == BLOCK_SYSTEM)
            requests.push_back(entry.frame.item);
    }
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[0], SYSTEM_ITEM_HANDSHAKE);
    EXPECT_EQ(requests[1], SYSTEM_ITEM_VERSION);
    // A second connect leaves the open link as it is.
    EXPECT_FALSE(m_pView->ConnectSerial(m_pty->SlavePath()));
    EXPECT_EQ(g_nLinkType, LINK_SERIAL);
    EXPECT_TRUE(m_pView->IsConnected());
    // The communication log is never written nor shown.
    ASSERT_NE(g_pCommLogDlg, nullptr);
    EXPECT_TRUE(g_pCommLogDlg->isHidden());
    EXPECT_TRUE(g_pCommLogDlg->SentPane()->toPlainText().isEmpty());
    EXPECT_TRUE(g_pCommLogDlg->ReceivedPane()->toPlainText().isEmpty());
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(ViewLinkTest, ASerialPortThatCannotOpenLeavesNoLink)
{
    EXPECT_FALSE(m_pView->ConnectSerial(g_strNullPort));
    EXPECT_FALSE(m_pView->DeviceLink().IsIoWorkerRunning());
    ExpectLinkDown();
}

TEST_F(ViewLinkTest, TheDeviceGoneFromTheLineEndsTheSerialLinkWithOneBox)
{
    ConnectSerialAndSync();
    m_pty->HangUp();
    ASSERT_TRUE(WaitFor([&] { return !m_pView->IsConnected(); }, 30000));
    // Later failures of the same end come to nothing.
    QTest::qWait(100);
    ExpectLinkDown();
    EXPECT_FALSE(m_pView->DeviceLink().IsIoWorkerRunning());
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, g_strUsbFailEn);
    EXPECT_EQ(m_pView->m_command.GetCount(), 0);
}

TEST_F(ViewLinkTest, TheConnectButtonEndsASerialLinkAndLetsTheLineGo)
{
    ConnectSerialAndSync();
    QTest::mouseClick(&m_pView->m_btnConnect, Qt::LeftButton);
    EXPECT_FALSE(m_pView->DeviceLink().IsIoWorkerRunning());
    ASSERT_TRUE(WaitFor([&] { return !m_pView->DeviceLink().IsDisconnecting(); }, 5000));
    ExpectLinkDown();
    EXPECT_TRUE(LineIsFree());
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(ViewLinkTest, EveryWayOfClosingTheWindowLetsTheLineGo)
{
    struct Way {
        const char* name;
        void (*close)(CBrelinView* view, CMainFrame* frame);
    };
    const Way ways[] = {
        {"exit button", [](CBrelinView* view, CMainFrame*) { view->OnExitButton(); }},
        {"window closed", [](CBrelinView*, CMainFrame* frame) { frame->close(); }},
    };
    bool first = true;
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        if (!first) {
            EndApp();
            m_pty.reset();
            Start();
        }
        first = false;
        ConnectSerialAndSync();
        way.close(m_pView, Frame());
        EXPECT_TRUE(m_pView->IsCleanedUp());
        EXPECT_FALSE(m_pView->DeviceLink().IsIoWorkerRunning());
        EXPECT_FALSE(m_pView->m_serialPort.IsMonitorRunning());
        EXPECT_TRUE(LineIsFree());
    }
}

TEST_F(ViewLinkTest, TheConnectPopupShowsBelowTheButtonAndItsItemsConnect)
{
    AnswerPopups();
    m_pView->NetLink().SetReachable(true);
    const QString first = m_hidBus.Plug();
    const QString second = m_hidBus.Plug();
    const QPoint below = m_pView->m_btnConnect.mapToGlobal(QPoint(0, m_pView->m_btnConnect.height() + 2));

    // Two devices and the network: a popup of its own; USB2 chosen.
    m_nAnswer = ID_USB_DEVICE_FIRST + 1;
    EXPECT_EQ(m_pView->OnConnectButton().kind, CConnectDecision::Kind::ShowMenu);
    EXPECT_EQ(m_ptShown, below);
    EXPECT_EQ(m_pPopupOwner, m_pView);
    const std::vector<std::pair<UINT, QString>> devices{{ID_USB_DEVICE_FIRST, QStringLiteral("USB1")},
                                                        {ID_USB_DEVICE_FIRST + 1, QStringLiteral("USB2")},
                                                        {ID_CONNECT_NETWORK, QStringLiteral("127.0.0.1")}};
    EXPECT_EQ(m_shownItems, devices);
    ASSERT_TRUE(m_pView->IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_USB);
    EXPECT_EQ(m_pView->DeviceLink().Usb()->DevicePath(), second);
    ASSERT_TRUE(WaitFor([] { return g_bDeviceSynced.load(); }, 30000));
    m_pView->DeviceLink().Disconnect();

    // One device and the network: menu 114, its network item "WIFI";
    // dismissed, nothing connects.
    m_hidBus.Unplug(first);
    m_nAnswer = 0;
    EXPECT_EQ(m_pView->OnConnectButton().kind, CConnectDecision::Kind::ShowMenu);
    EXPECT_EQ(m_pShownMenu, m_pView->LinkMenu());
    EXPECT_EQ(m_ptShown, below);
    const std::vector<std::pair<UINT, QString>> usbOrWifi{{ID_CONNECT_USB, QStringLiteral("USB")},
                                                          {ID_CONNECT_NETWORK, g_strWifiItem}};
    EXPECT_EQ(m_shownItems, usbOrWifi);
    EXPECT_FALSE(m_pView->IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_NONE);

    // "USB" chosen: the device.
    m_nAnswer = ID_CONNECT_USB;
    m_pView->OnConnectButton();
    ASSERT_TRUE(m_pView->IsConnected());
    EXPECT_EQ(m_pView->DeviceLink().Usb()->DevicePath(), second);
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(ViewLinkTest, ThePopupsCommandsReachTheirConnectsAsCommands)
{
    StartSimulator();
    m_pView->NetLink().SetReachable(true);
    // 733: the network, to the simulated device on 127.0.0.1.
    SendMessage(m_pView, WM_COMMAND, ID_CONNECT_NETWORK, 0);
    ASSERT_TRUE(WaitFor([&] { return m_pView->IsConnected(); }, 30000));
    EXPECT_EQ(g_nLinkType, LINK_NETWORK);
    ASSERT_TRUE(WaitFor([] { return g_bDeviceSynced.load(); }, 30000));
    m_pView->DeviceLink().Disconnect();
    ASSERT_EQ(g_nLinkType, LINK_NONE);

    // 6600: the first free device.
    m_pView->NetLink().SetReachable(false);
    const QString device = m_hidBus.Plug();
    ASSERT_TRUE(m_pView->DeviceLink().Usb()->FindHidDevices());
    g_astrHidItems = QStringList{device};
    SendMessage(m_pView, WM_COMMAND, ID_USB_DEVICE_FIRST, 0);
    ASSERT_TRUE(m_pView->IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_USB);
    EXPECT_EQ(m_pView->DeviceLink().Usb()->DevicePath(), device);
    EXPECT_TRUE(m_boxes.shown.empty());
}

}  // namespace
