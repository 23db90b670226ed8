// The advanced settings dialog over the real view: its controls as set up,
// the channel list's marks, the limiter, the noise threshold, the source
// menu, the WiFi defaults, the network settings and the keys; and the view's
// calls once the dialog is gone.
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include "app/DisplayDlg.h"
#include "link/NetAddress.h"
#include "model/InputSourceTable.h"
#include "model/KTV_OutData.h"
#include "pages/input/Adv_Seting.h"
#include "platform/core/AppSettings.h"
#include "platform/core/Language.h"
#include "platform/core/SettingsNames.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/WindowAttributes.h"
#include "app/LineSetting.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/pages/input/DialogTestSupport.h"

namespace {

class AdvSetingTest : public DialogAppTest {
protected:
    void SetUp() override
    {
        DialogAppTest::SetUp();
        m_savedSource = g_InputSourceTable;
        m_savedLinkOn = g_bOutputLinkOn;
        OpenDialog();
    }
    void TearDown() override
    {
        delete m_pDialog.data();
        g_InputSourceTable = m_savedSource;
        g_bOutputLinkOn = m_savedLinkOn;
        SetPopupMenuHandler(nullptr);
        DialogAppTest::TearDown();
    }

    void OpenDialog()
    {
        m_pDialog = new CAdv_Seting(m_pView);
        m_pDialog->m_pView = m_pView;
        m_pDialog->m_pData = m_pData;
        ASSERT_TRUE(m_pDialog->Create());
        m_pDialog->show();
        QCoreApplication::processEvents();
    }
    // The user's text in a numeric field, committed as the focus leaves.
    static void Commit(CNumEdit& edit, const QString& text)
    {
        edit.setText(text);
        edit.SetModified(true);
        SendMessage(&edit, WM_KILLFOCUS, 0, 0);
    }
    void Command(int id) { SendMessage(m_pDialog.data(), WM_COMMAND, MAKEWPARAM(UINT(id), 0), 0); }
    void ClickRow(int row)
    {
        CListCtrlCl& list = m_pDialog->m_listChannels;
        QPoint at(5, list.viewport()->height() - 2);
        if (row >= 0) {
            CRect cell;
            ASSERT_TRUE(list.GetSubItemRect(row, 0, LVIR_BOUNDS, cell));
            at = QPoint(cell.left + 3, cell.top + 3);
        }
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    QWidget* Focused() const { return QApplication::focusWidget(); }
    // Typed key by key into whichever field holds the focus.
    static void TypeIntoFocus(const QString& text)
    {
        for (QChar c : text)
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }
    // The output records among the scan's next frames.
    std::vector<BYTE> NextScannedOutputRecord()
    {
        for (int i = 0; i < 8; ++i) {
            std::vector<BYTE> frame = NextScanned();
            if (frame.empty() || frame[7] == 0x04)
                return frame;
        }
        return {};
    }

    QPointer<CAdv_Seting> m_pDialog;
    CInputSourceTable m_savedSource;
    bool m_savedLinkOn = false;
};

TEST_F(AdvSetingTest, NumericControlsAreSetUpAsTheTemplateAsks)
{
    struct Row {
        CNumEdit* edit;
        int type, min, max;
        bool shown;
        const char* text;
    };
    CAdv_Seting& d = *m_pDialog;
    const Row rows[] = {
        {&d.m_editLevelA, 26, 0, 120, false, "-120dBu"},  {&d.m_editLevelB, 26, 0, 120, false, "-120dB"},
        {&d.m_editTime, 14, 0, 100, false, "0.00s"},      {&d.m_editLongTime, 20, 2, 30, false, "2s"},
        {&d.m_editNoise, 23, 0, 100, true, "-65dBu"},     {&d.m_editPort, 20, 1, 65535, true, "8899"},
        {&d.m_editThreshold, 30, 0, 420, true, "OFF"},    {&d.m_editVpp, 32, 0, 420, true, "OFF"},
        {&d.m_editAttack, 5, 0, 206, true, "14ms"},       {&d.m_editRelease, 6, 50, 5000, true, "70ms"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(GetDlgCtrlID(row.edit));
        EXPECT_EQ(row.edit->GetValueType(), row.type);
        EXPECT_EQ(row.edit->Value().Min(), row.min);
        EXPECT_EQ(row.edit->Value().Max(), row.max);
        EXPECT_EQ(row.edit->isVisible(), row.shown);
        EXPECT_EQ(row.edit->text(), QString::fromUtf8(row.text));
    }
    // Hidden controls stay hidden; the visible ones show.
    EXPECT_FALSE(d.m_btnSource.isVisible());
    EXPECT_FALSE(d.m_spinThreshold.isVisible());
    EXPECT_FALSE(d.m_stcDescription.isVisible());
    EXPECT_TRUE(d.m_ipAddress.isVisible());
    EXPECT_EQ(d.m_ipAddress.GetAddressText(), QStringLiteral("127.0.0.1"));
    EXPECT_FALSE(d.m_btnApply.isEnabled());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Advanced Setting"));
    EXPECT_EQ(d.size(), QSize(888, 311));
    EXPECT_EQ(d.m_listChannels.GetItemCount(), 8);
    EXPECT_EQ(d.m_listChannels.GetItemText(0, 1), QStringLiteral("FL-Full"));
    EXPECT_EQ(g_pAdvSetingDlg, m_pDialog.data());

    // In Chinese: the title, the markers, the map and "关闭".
    delete m_pDialog.data();
    EXPECT_EQ(g_pAdvSetingDlg, nullptr);
    g_bChinese = true;
    OpenDialog();
    EXPECT_EQ(m_pDialog->windowTitle(), QStringLiteral("高级"));
    EXPECT_EQ(m_pDialog->m_listChannels.GetItemText(0, 2), QStringLiteral("编辑"));
    EXPECT_EQ(m_pDialog->m_listChannels.GetItemText(0, 1), QStringLiteral("前置左全频"));
    EXPECT_EQ(m_pDialog->m_editThreshold.text(), QStringLiteral("关闭"));
}

TEST_F(AdvSetingTest, TheListMarksTheCurrentRowAndItsLinkGroup)
{
    CListCtrlCl& list = m_pDialog->m_listChannels;
    // Linking off: one row marked.
    ClickRow(2);
    EXPECT_EQ(m_pDialog->m_nCurRow, 2);
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(list.GetItemText(row, 2), row == 2 ? QStringLiteral("Edit") : QString()) << row;
    EXPECT_EQ(m_pDialog->m_curve.GetChannel(), 2);

    // Linking on: outputs 2, 4 and 6 in one group get the markers on red.
    g_bOutputLinkOn = true;
    g_nLinkGroup[4] = g_nLinkGroup[6] = g_nLinkGroup[2];
    ClickRow(4);
    COLORREF colour = 0;
    for (int row : {2, 6}) {
        EXPECT_EQ(list.GetItemText(row, 3), QStringLiteral("Link")) << row;
        EXPECT_EQ(list.GetItemText(row, 2), QStringLiteral("Edit")) << row;
    }
    ASSERT_TRUE(list.GetCellBkColor(3, 6, &colour));
    EXPECT_EQ(colour, RGB(255, 0, 0));
    // Another row of no group: the marks go first.
    ClickRow(7);
    for (int row : {2, 4, 6})
        EXPECT_EQ(list.GetItemText(row, 3), QString()) << row;
    EXPECT_EQ(list.GetItemText(7, 2), QStringLiteral("Edit"));
    // Empty space and the current row change nothing.
    m_pDialog->m_editThreshold.SetActiveLook(true);
    ClickRow(-1);
    ClickRow(7);
    EXPECT_EQ(m_pDialog->m_nCurRow, 7);
    EXPECT_EQ(list.GetItemText(7, 2), QStringLiteral("Edit"));
    EXPECT_FALSE(m_pDialog->m_editThreshold.IsActiveLook());
}

TEST_F(AdvSetingTest, LimiterEditsReachTheOutputTheCurveAndTheScan)
{
    Commit(m_pDialog->m_editThreshold, QStringLiteral("10.0"));
    EXPECT_EQ(m_pDialog->m_spinVpp.GetPos(), 400);
    EXPECT_EQ(m_pDialog->m_curve.GetThresholdCopy(), 400);
    EXPECT_EQ(NextScannedOutputRecord(), DialogFrame("04 00 23 00 00 08 00 90 01 14 00 14 00 00 00 1E AA"));
    Commit(m_pDialog->m_editThreshold, QStringLiteral("12.0"));
    Commit(m_pDialog->m_editRelease, QStringLiteral("100"));
    EXPECT_EQ(m_pData->GetOutput(0)->GetRelease(), 50);
    EXPECT_EQ(NextScannedOutputRecord(), DialogFrame("04 00 23 00 00 08 00 A4 01 14 00 32 00 00 00 0C AA"));

    // A drag of the curve's point moves both threshold fields.
    CCOM_EXT_LIMStatic& curve = m_pDialog->m_curve;
    const QPoint point = curve.GetPointRect().ToQRect().center();
    SendMouse(&curve, QEvent::MouseMove, point);
    SendMouse(&curve, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&curve, QEvent::MouseMove, point + QPoint(0, 40), Qt::NoButton, Qt::LeftButton);
    SendMouse(&curve, QEvent::MouseButtonRelease, point + QPoint(0, 40), Qt::LeftButton);
    const int dragged = m_pData->GetOutput(0)->GetLimitThreshold();
    EXPECT_LT(dragged, 420);
    EXPECT_EQ(m_pDialog->m_spinThreshold.GetPos(), dragged);
    EXPECT_EQ(m_pDialog->m_spinVpp.GetPos(), dragged);
    // Editing the attack afterwards keeps the dragged threshold.
    Commit(m_pDialog->m_editAttack, QStringLiteral("20ms"));
    EXPECT_EQ(m_pData->GetOutput(0)->GetLimitThreshold(), dragged);
}

TEST_F(AdvSetingTest, TheNoiseThresholdGoesWithSystemItemFive)
{
    ConnectWithoutTransport();
    Commit(m_pDialog->m_editNoise, QStringLiteral("-80"));
    EXPECT_EQ(g_SystemBytes[11], 40);
    EXPECT_EQ(g_SystemBytes[15], 40);
    EXPECT_TRUE(g_bSendSysItem5);
    EXPECT_EQ(NextScanned(), DialogFrame("09 05 00 00 00 08 00 3C 00 00 28 00 00 01 28 99 AA"));
    // "OFF" at 20; the same value again flags nothing.
    Commit(m_pDialog->m_editNoise, QStringLiteral("-100"));
    EXPECT_EQ(m_pDialog->m_editNoise.text(), QStringLiteral("OFF"));
    g_bSendSysItem5 = false;
    Commit(m_pDialog->m_editNoise, QStringLiteral("OFF"));
    EXPECT_FALSE(g_bSendSysItem5);
}

TEST_F(AdvSetingTest, TheSourceMenuFollowsItsFlagsAndQueuesItemTwo)
{
    ConnectWithoutTransport();
    g_InputSourceTable.m_nCurrentSource = 0;
    const int flags[7] = {1, 0, 1, 1, 0, 0, 1};
    std::copy(std::begin(flags), std::end(flags), std::begin(g_InputSourceTable.m_anEnabled));
    UINT answer = 176;
    std::vector<bool> enabled;
    SetPopupMenuHandler([&](QMenu& menu, const QPoint&, QWidget*) {
        enabled.clear();
        for (QAction* action : menu.actions())
            enabled.push_back(action->isEnabled());
        return answer;
    });
    // A press on the source box opens the menu.
    QTest::mouseClick(&m_pDialog->m_cbSource, Qt::LeftButton);
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, true, false, false, true}));
    EXPECT_EQ(g_InputSourceTable.m_nCurrentSource, 2);
    EXPECT_EQ(g_byInputSource, 2);
    EXPECT_EQ(m_pDialog->m_btnSource.CurrentBitmapId(), 3222u);
    const auto queued = TakeQueued();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0], DialogFrame("09 02 00 00 00 08 00 01 00 3C 3C 3C 3C 3C 3C A2 AA"));
    // The current source again: nothing; OFF stores 255.
    Command(CAdv_Seting::IDC_SOURCE);
    EXPECT_TRUE(TakeQueued().empty());
    answer = 180;
    Command(CAdv_Seting::IDC_SOURCE);
    EXPECT_EQ(g_byInputSource, 255);
    EXPECT_EQ(TakeQueued().size(), 1u);

    // Line_Set toggles and is stored.
    const int before = g_nLineSet;
    Command(CAdv_Seting::IDC_LINE_SET);
    EXPECT_EQ(g_nLineSet, before ? 0 : 1);
    EXPECT_EQ(m_pDialog->m_btnLineSet.GetCheck(), g_nLineSet != 0);
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_LINE_SET, SETTINGS_LINE_SET), QString::number(g_nLineSet));
    g_nLineSet = before;
}

TEST_F(AdvSetingTest, WifiDefaultsAreQueuedOnlyWhileConnected)
{
    Command(CAdv_Seting::IDC_WIFI_DEFAULTS);
    EXPECT_TRUE(TakeQueued().empty());
    EXPECT_FALSE(g_bTransferBusy);
    ConnectWithoutTransport();
    EXPECT_TRUE(m_pDialog->m_btnWifiDefaults.isEnabled());
    Command(CAdv_Seting::IDC_WIFI_DEFAULTS);
    const auto queued = TakeQueued();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0], DialogFrame("09 41 00 00 00 08 00 00 00 00 00 00 00 00 00 E0 AA"));
    EXPECT_TRUE(g_bTransferBusy);
    // The worker's full stop disables the button.
    m_pView->DeviceLink().StopIoWorker(true);
    EXPECT_FALSE(m_pDialog->m_btnWifiDefaults.isEnabled());
}

TEST_F(AdvSetingTest, TheFactoryResetPopupDisablesTheDialogUntilItHides)
{
    ConnectWithoutTransport();
    ASSERT_NE(g_pDisplayDlg, nullptr);
    Command(CAdv_Seting::IDC_WIFI_DEFAULTS);
    ASSERT_EQ(TakeQueued().size(), 1u);
    EXPECT_TRUE(g_pDisplayDlg->IsShown());
    EXPECT_TRUE(g_pDisplayDlg->IsFactoryMode());
    EXPECT_FALSE(m_pDialog->isEnabled());
    // The view stays usable; only the dialog that started it waits.
    EXPECT_TRUE(m_pView->isEnabled());
    // The device answers; the bar fills and the popup closes 13 ticks on.
    g_bTransferBusy = false;
    int ticks = 0;
    while (g_pDisplayDlg->IsShown() && ticks < 40) {
        g_pDisplayDlg->OnTimer(CDisplayDlg::TIMER_BLINK);
        ++ticks;
        if (g_pDisplayDlg->IsShown()) {
            EXPECT_FALSE(m_pDialog->isEnabled()) << ticks;
        }
    }
    EXPECT_EQ(ticks, 13);
    EXPECT_TRUE(m_pDialog->isEnabled());

    // Closed while the popup shows: the hide enables nothing that is gone.
    Command(CAdv_Seting::IDC_WIFI_DEFAULTS);
    TakeQueued();
    EXPECT_FALSE(m_pDialog->isEnabled());
    delete m_pDialog.data();
    EXPECT_EQ(g_pAdvSetingDlg, nullptr);
    g_pDisplayDlg->HidePopup();
    EXPECT_TRUE(m_pView->isEnabled());
    // With no dialog open a factory reset disables nothing.
    g_pDisplayDlg->SetFactoryResetMode();
    g_pDisplayDlg->ShowPopup(true);
    EXPECT_TRUE(m_pView->isEnabled());
    g_pDisplayDlg->HidePopup();
}

TEST_F(AdvSetingTest, AReceivedPresetRefreshesTheDialog)
{
    Commit(m_pDialog->m_editNoise, QStringLiteral("-80"));
    const QString noiseText = m_pDialog->m_editNoise.text();
    ClickRow(3);
    m_pDialog->m_ipAddress.SetAddressText(QString());
    m_pDialog->m_editPort.setText(QStringLiteral("1234"));
    {
        // The device's set: its own noise threshold.
        ParameterSetGuard guard(g_ParameterSetLock);
        g_SystemBytes[11] = 20;
    }
    m_pView->OnPresetReceived(0);
    EXPECT_EQ(m_pDialog->m_editNoise.text(), QStringLiteral("OFF"));
    EXPECT_EQ(m_pDialog->m_nNoise, 20);
    EXPECT_EQ(m_pDialog->m_ipAddress.GetAddressText(), g_strDeviceIp.Get());
    EXPECT_EQ(m_pDialog->m_editPort.text(), QString::number(g_nDevicePort));
    // The selection starts again at the first row.
    EXPECT_EQ(m_pDialog->m_nCurRow, 0);
    EXPECT_EQ(m_pDialog->m_listChannels.GetItemText(0, 2), QStringLiteral("Edit"));
    EXPECT_EQ(m_pDialog->m_listChannels.GetItemText(3, 2), QString());
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_SystemBytes[11] = 40;
    }
    m_pView->OnPresetReceived(0);
    EXPECT_EQ(m_pDialog->m_editNoise.text(), noiseText);
}

TEST_F(AdvSetingTest, ThePortAndTheAddressAreCheckedBeforeApplyStoresThem)
{
    CNumEdit& port = m_pDialog->m_editPort;
    port.setFocus();
    port.selectAll();
    QTest::keyClicks(&port, QStringLiteral("7a0000"));
    EXPECT_EQ(port.text(), QStringLiteral("65535"));
    EXPECT_TRUE(m_pDialog->m_btnApply.isEnabled());
    port.selectAll();
    QTest::keyClick(&port, Qt::Key_Backspace);
    m_pDialog->m_ipAddress.SetFieldFocus(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(port.text(), QStringLiteral("1"));

    // An address equal to the device's leaves Apply as it was.
    m_pDialog->ShowNetworkSettings();
    QLineEdit* last = m_pDialog->m_ipAddress.Field(3);
    last->selectAll();
    QTest::keyClicks(last, QStringLiteral("1"));
    EXPECT_FALSE(m_pDialog->m_btnApply.isEnabled());

    // From the factory address to 127.0.0.1 with a port: stored.
    g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
    m_pDialog->ShowNetworkSettings();
    for (int i = 0; i < 4; ++i)
        m_pDialog->m_ipAddress.Field(i)->clear();
    m_pDialog->m_ipAddress.SetFieldFocus(0);
    TypeIntoFocus(QStringLiteral("127.0.0.1"));
    EXPECT_EQ(m_pDialog->m_ipAddress.GetAddressText(), QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(m_pDialog->m_btnApply.isEnabled());
    port.setText(QStringLiteral("9001"));
    Command(CAdv_Seting::IDC_APPLY);
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(g_strDeviceIp.Get(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(g_nDevicePort, 9001);
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP), QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(m_pDialog->m_btnApply.isEnabled());

    // Refused: nothing changes, a box says why.
    struct Bad {
        const char* address;
        const char* port;
        const char* words;
    };
    const Bad bad[] = {{"127.0..1", "9002", "IP address"}, {"256.0.0.1", "9002", "IP address"},
                       {"127.0.0.1", "0", "between 1 and 65535"}};
    for (const Bad& b : bad) {
        SCOPED_TRACE(b.address);
        m_boxes.shown.clear();
        m_pDialog->m_ipAddress.SetAddressText(QString::fromLatin1(b.address));
        if (QString::fromLatin1(b.address) == QStringLiteral("256.0.0.1"))
            m_pDialog->m_ipAddress.Field(0)->setText(QStringLiteral("256"));
        port.setText(QString::fromLatin1(b.port));
        Command(CAdv_Seting::IDC_APPLY);
        ASSERT_EQ(m_boxes.shown.size(), 1u);
        EXPECT_TRUE(m_boxes.shown[0].text.contains(QString::fromLatin1(b.words)));
        EXPECT_EQ(g_strDeviceIp.Get(), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(g_nDevicePort, 9001);
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP), QStringLiteral("127.0.0.1"));
    }
    // The field itself never holds more than 255.
    m_pDialog->m_ipAddress.Field(0)->clear();
    m_pDialog->m_ipAddress.SetFieldFocus(0);
    QTest::keyClicks(m_pDialog->m_ipAddress.Field(0), QStringLiteral("999"));
    EXPECT_EQ(m_pDialog->m_ipAddress.Field(0)->text(), QStringLiteral("255"));
}

TEST_F(AdvSetingTest, EnterAndTabWalkTheFieldOrderAndEscapeClosesNothing)
{
    m_pDialog->activateWindow();
    m_pDialog->m_editNoise.setFocus();
    QTest::keyClick(&m_pDialog->m_editNoise, Qt::Key_Return);
    EXPECT_EQ(m_pDialog->m_ipAddress.FocusedField(), 0);
    QTest::keyClick(m_pDialog->m_ipAddress.Field(0), Qt::Key_Tab);
    m_pDialog->DeliverPosted();
    EXPECT_EQ(Focused(), &m_pDialog->m_editPort);
    QTest::keyClick(&m_pDialog->m_editPort, Qt::Key_Tab);
    m_pDialog->DeliverPosted();
    EXPECT_EQ(Focused(), &m_pDialog->m_editAttack);
    // The last field goes on to the hidden 2731: the dialog holds the focus
    // and the next key goes on from there, through the hidden fields.
    m_pDialog->m_editVpp.setFocus();
    QTest::keyClick(&m_pDialog->m_editVpp, Qt::Key_Tab);
    m_pDialog->DeliverPosted();
    EXPECT_EQ(m_pDialog->PendingFocusId(), CAdv_Seting::IDC_LEVEL_A);
    EXPECT_EQ(Focused(), m_pDialog.data());
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(m_pDialog.data(), Qt::Key_Tab);
        m_pDialog->DeliverPosted();
    }
    EXPECT_EQ(Focused(), &m_pDialog->m_editNoise);
    QTest::keyClick(&m_pDialog->m_editNoise, Qt::Key_Escape);
    QTest::keyClick(m_pDialog.data(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    ASSERT_FALSE(m_pDialog.isNull());
    EXPECT_TRUE(m_pDialog->isVisible());
}

TEST_F(AdvSetingTest, TheViewNeverReachesADialogThatIsGone)
{
    // Open, the view reaches it.
    ConnectWithoutTransport();
    EXPECT_TRUE(m_pDialog->m_btnWifiDefaults.isEnabled());
    m_pView->DeviceLink().RestoreNetworkDefaults();
    EXPECT_EQ(m_pDialog->m_ipAddress.GetAddressText(), QString::fromLatin1(DEFAULT_DEVICE_IP));
    EXPECT_EQ(m_pDialog->m_editPort.text(), QStringLiteral("8899"));
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP), QString::fromLatin1(DEFAULT_DEVICE_IP));
    m_pView->DeviceLink().StopIoWorker(true);

    // Its close button closes and deletes it; the pointer goes with it.
    Command(CAdv_Seting::IDC_CLOSE);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_pDialog.isNull());
    EXPECT_EQ(g_pAdvSetingDlg, nullptr);
    // The view's calls after that touch nothing freed.
    ConnectWithoutTransport();
    m_pView->OnPresetReceived(0);
    g_pDisplayDlg->SetFactoryResetMode();
    g_pDisplayDlg->ShowPopup(true);
    g_pDisplayDlg->HidePopup();
    m_pView->DeviceLink().StopIoWorker(true);
    m_pView->DeviceLink().RestoreNetworkDefaults();
    g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
}

}  // namespace
