// Whole firmware updates through the update dialog against the simulated
// device, over the network (127.0.0.1) and over simulated HID devices; the
// failures, Quit and its question, the reconnect poll, and the outcome
// handlers. A 20 ms heartbeat on the UI thread checks that the window never
// freezes meanwhile (a wide bound, not a speed test).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/PopupMenus.h"
#include "link/Net_Socket.h"
#include "model/SharedTexts.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ModalDialog.h"
#include "tests/app/UpdateDialogFixture.h"
#include "tools/simulator/SimFault.h"

namespace {

const QString kSucceeded = QStringLiteral("Update successfully");
const QString kFailed = QStringLiteral("The firmware update failed");
const QString kAborted = QStringLiteral("The firmware update failed!");
const QString kQuitQuestion =
    QStringLiteral("Update is not completed, will be forced to exit the damaged equipment, whether to exit?");

// The order in which the step texts appear on the status line.
const std::vector<QString> kStepTexts = {
    QStringLiteral("Connected NetWork"),
    QStringLiteral("Connected Usb"),
    QStringLiteral("Firmware update begins Do not interrupt"),
    QStringLiteral("Erasing......"),
    QStringLiteral("Programming Do not interrupt"),
    QStringLiteral("Update successfully"),
};

class FirmwareUpdateSim : public UpdateDialogTest {
protected:
    void SetUp() override
    {
        UpdateDialogTest::SetUp();
        m_device.SetLogLimit(40000);
    }

    // What the dialog shows while the update runs, read on the UI thread.
    struct Watch {
        std::vector<QString> texts;  // each new status text
        std::vector<int> bar;        // each new bar position
    };
    void Sample(CUpgradeDlg& dialog, Watch& watch)
    {
        const QString text = dialog.StatusLine()->text();
        if (!text.isEmpty() && (watch.texts.empty() || watch.texts.back() != text))
            watch.texts.push_back(text);
        const int pos = dialog.ProgressBar()->GetPos();
        if (watch.bar.empty() || watch.bar.back() != pos)
            watch.bar.push_back(pos);
    }
    // Runs the UI thread until the success box (or a failure) has come.
    bool RunUpdate(CUpgradeDlg& dialog, Watch& watch, int ms = 180000)
    {
        return PumpUntil(
            [&] {
                Sample(dialog, watch);
                return CountBoxes(kSucceeded) > 0 || CountBoxes(kFailed) > 0 || CountBoxes(kAborted) > 0;
            },
            ms);
    }

    // The device's log as one character a command: 'S' the sync, else the
    // command code; consecutive repeats other than data chunks collapsed.
    std::string UpdateItems() const
    {
        std::string items;
        for (const CSimLogEntry& entry : m_device.Log()) {
            const char item = entry.sync ? 'S' : char(entry.frame.item);
            const bool chunk = item == IAP_DSP_DATA || item == HEXData;
            if (!items.empty() && items.back() == item && !chunk)
                continue;
            items += item;
        }
        return items;
    }

    // A whole update ended well: one success box, the link closed, the bar
    // at its top showing "100 %", the texts in their order.
    void ExpectSucceeded(CUpgradeDlg& dialog, const Watch& watch)
    {
        EXPECT_EQ(CountBoxes(kSucceeded), 1);
        EXPECT_EQ(CountBoxes(kFailed) + CountBoxes(kAborted), 0);
        EXPECT_FALSE(Link().IsConnected());
        EXPECT_EQ(g_nLinkType, LINK_NONE);
        EXPECT_FALSE(g_bUpdating);
        EXPECT_EQ(dialog.ProgressBar()->GetRangeUpper(), g_nUpdateProgressTotal.load());
        EXPECT_EQ(dialog.ProgressBar()->GetPos(), g_nUpdateProgressTotal.load());
        EXPECT_EQ(dialog.ProgressBar()->PercentText(), QStringLiteral("100 %"));
        EXPECT_TRUE(std::is_sorted(watch.bar.begin(), watch.bar.end()));
        ASSERT_FALSE(watch.texts.empty());
        EXPECT_EQ(watch.texts.back(), kSucceeded);
        size_t at = 0;
        for (const QString& text : watch.texts) {
            while (at < kStepTexts.size() && kStepTexts[at] != text)
                ++at;
            EXPECT_LT(at, kStepTexts.size()) << "out of order: " << text.toStdString();
        }
    }

    // Expected commands of a file with a whole DSP image and MCU data.
    static std::string CombinedItems(int mcuChunks)
    {
        return "S6:" + std::string(5958, IAP_DSP_DATA) + "7" + std::string(size_t(mcuChunks), HEXData) + "9";
    }
};

TEST_F(FirmwareUpdateSim, ACombinedFileOverTheNetworkThroughTheViewsCommand)
{
    StartSimulator();
    m_device.SetRestartAfterApply(true);
    MakeNetworkReachable();
    const QString path = UseFirmware(CombinedFirmware(100));
    g_strUpdateFilePath = QStringLiteral("not-this-one.bin");
    CHeartbeat heartbeat;
    Watch watch;

    const ModalDialogHook previous = SetModalDialogHook([&](QDialog& shown) {
        auto& dialog = static_cast<CUpgradeDlg&>(shown);
        dialog.show();
        // A typed path is the one used.
        dialog.PathEdit()->setText(path);
        QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
        EXPECT_TRUE(RunUpdate(dialog, watch));
        ExpectSucceeded(dialog, watch);
        EXPECT_EQ(g_strUpdateFilePath, path);
        // Success leaves the dialog open; Quit closes it without a question.
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.QuitButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        return dialog.result();
    });
    SendMessage(m_pView, WM_COMMAND, ID_FIRMWARE_UPDATE, 0);
    SetModalDialogHook(previous);

    EXPECT_EQ(UpdateItems(), CombinedItems(3));
    EXPECT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_pCurHexUpTip.Get(), nullptr);
    EXPECT_EQ(g_pUpdateProgress.Get(), nullptr);
    EXPECT_LT(heartbeat.MaxGapMs(), CHeartbeat::kLongestGapMs);
}

TEST_F(FirmwareUpdateSim, ACombinedFileOverUsbComesBackUnderANewPath)
{
    const QString first = m_hidBus.Plug();
    m_hidBus.SetRestartAfterApply(true, true);
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(CombinedFirmware(100));
    CHeartbeat heartbeat;
    Watch watch;
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.IsLinkOpened());
    ASSERT_TRUE(RunUpdate(dialog, watch));
    ExpectSucceeded(dialog, watch);
    EXPECT_NE(m_hidBus.CurrentPath(), first);
    EXPECT_EQ(UpdateItems(), CombinedItems(3));
    EXPECT_LT(heartbeat.MaxGapMs(), CHeartbeat::kLongestGapMs);
}

TEST_F(FirmwareUpdateSim, AnMcuFileOverUsb)
{
    m_hidBus.Plug();
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(100));
    Watch watch;
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(RunUpdate(dialog, watch));
    ExpectSucceeded(dialog, watch);
    EXPECT_EQ(UpdateItems(), "S67" + std::string(3, HEXData) + "9");
}

TEST_F(FirmwareUpdateSim, UnansweredDataFailsTheUpdateOnce)
{
    m_hidBus.Plug();
    // HEXApply, HEXStart, then both sends of the first chunk go unanswered.
    m_device.SetFaults({{CSimFault::Kind::NoReply, 3}, {CSimFault::Kind::NoReply, 4}});
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(100));
    Watch watch;
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(RunUpdate(dialog, watch, 60000));
    PumpFor(200);
    EXPECT_EQ(BoxTexts(), (std::vector<QString>{kFailed, g_strUsbFailEn}));
    EXPECT_EQ(dialog.StatusLine()->text(), kFailed);
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_FALSE(g_bUpdating);
}

TEST_F(FirmwareUpdateSim, UnpluggingDuringTheDataFailsTheUpdateOnce)
{
    const QString path = m_hidBus.Plug();
    m_hidBus.SetPaceMs(1);
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(48 * 500));
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(PumpUntil([] { return g_nLastUpdateCommand == HEXData; }));
    m_hidBus.Unplug(path);
    DeviceInterfaceNotice notice;
    notice.path = Link().Usb()->DevicePath();
    SendMessage(m_pView, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, LPARAM(&notice));
    ASSERT_TRUE(PumpUntil([&] { return CountBoxes(kFailed) > 0; }));
    PumpFor(300);
    EXPECT_EQ(CountBoxes(kFailed), 1);
    EXPECT_EQ(CountBoxes(kSucceeded), 0);
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_FALSE(g_bUpdating);
}

TEST_F(FirmwareUpdateSim, QuitAsksNoGoesOnYesStopsTheDevicesTraffic)
{
    m_hidBus.Plug();
    m_hidBus.SetPaceMs(1);
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(48 * 2000));
    CHeartbeat heartbeat;
    int answer = IDNO;
    const MessageBoxHandler previous = SetMessageBoxHandler([&](const QString& text, unsigned type, int helpId) {
        m_boxes.shown.push_back({text, type, helpId});
        return text == kQuitQuestion ? answer : IDOK;
    });
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(PumpUntil([] { return g_nLastUpdateCommand == HEXData; }));

    QTest::mouseClick(dialog.QuitButton(), Qt::LeftButton);
    ASSERT_EQ(BoxTexts(), std::vector<QString>{kQuitQuestion});
    EXPECT_EQ(m_boxes.shown[0].type & MB_TYPEMASK, unsigned(MB_YESNO));
    EXPECT_EQ(m_boxes.shown[0].helpId, -4);
    const long long before = m_device.FrameCount();
    ASSERT_TRUE(PumpUntil([&] { return m_device.FrameCount() > before + 20; }));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(g_bUpdating);

    answer = IDYES;
    const auto start = std::chrono::steady_clock::now();
    QTest::mouseClick(dialog.QuitButton(), Qt::LeftButton);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(BoxTexts(), (std::vector<QString>{kQuitQuestion, kQuitQuestion, kAborted}));
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_FALSE(g_bUpdating);
    const long long after = m_device.FrameCount();
    PumpFor(300);
    EXPECT_EQ(m_device.FrameCount(), after);
    EXPECT_LT(heartbeat.MaxGapMs(), CHeartbeat::kLongestGapMs);
    SetMessageBoxHandler(previous);
}

TEST_F(FirmwareUpdateSim, AnOutcomeDuringOrAfterTheQuestionIsReportedOnce)
{
    for (const bool duringQuestion : {true, false}) {
        SCOPED_TRACE(duringQuestion ? "success while the question is open" : "success after Yes");
        m_boxes.shown.clear();
        m_device.ClearLog();
        m_hidBus.Plug();
        CUpgradeDlg& dialog = OpenDialog();
        UseFirmware(McuFirmware(100));
        const MessageBoxHandler previous = SetMessageBoxHandler([&](const QString& text, unsigned type, int helpId) {
            m_boxes.shown.push_back({text, type, helpId});
            // The update ends while the question waits for its answer.
            if (text == kQuitQuestion && duringQuestion) {
                EXPECT_TRUE(PumpUntil([&] { return CountBoxes(kSucceeded) > 0; }));
            }
            return IDYES;
        });
        QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
        ASSERT_TRUE(g_bUpdating);
        QTest::mouseClick(dialog.QuitButton(), Qt::LeftButton);
        // A success that comes after the cancel is not reported.
        PostMessage(m_pView, WM_UPDATE_SUCCEEDED, 0, HEXEnd);
        PumpFor(300);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(CountBoxes(kSucceeded) + CountBoxes(kAborted), 1);
        EXPECT_EQ(CountBoxes(duringQuestion ? kSucceeded : kAborted), 1);
        EXPECT_EQ(g_nLinkType, LINK_NONE);
        SetMessageBoxHandler(previous);
        m_pDialog.reset();
        Link().Usb()->ReleaseUsbPath();
        m_hidBus.Unplug(m_hidBus.CurrentPath());
    }
}

TEST_F(FirmwareUpdateSim, ARemovalRightAfterTheLastAnswerIsTheSuccessOnly)
{
    m_hidBus.Plug();
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(100));
    // The device restarts at once: its removal reaches the view before the
    // success does.
    m_pView->SetMessageObserver([&](UINT message) {
        if (message != WM_UPDATE_SUCCEEDED)
            return;
        DeviceInterfaceNotice notice;
        notice.path = Link().Usb()->DevicePath();
        Link().OnDeviceChange(DBT_DEVICEREMOVECOMPLETE, LPARAM(&notice));
    });
    Watch watch;
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(RunUpdate(dialog, watch));
    PumpFor(200);
    m_pView->SetMessageObserver(nullptr);
    EXPECT_EQ(BoxTexts(), std::vector<QString>{kSucceeded});
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
}

// ---- The reconnect poll --------------------------------------------------------------

using UpdatePoll = FirmwareUpdateSim;

TEST_F(UpdatePoll, AUsbDeviceThatNeverOpensIsTried21TimesThenReported)
{
    m_hidBus.Plug();
    m_hidBus.SetOpenFails(true);
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(100));
    CHeartbeat heartbeat;
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.IsLinkOpened());
    ASSERT_TRUE(g_bUpdateRetrying);
    ASSERT_TRUE(PumpUntil([&] { return dialog.StatusLine()->text() == QStringLiteral("Connected Usb"); }));
    EXPECT_TRUE(m_boxes.shown.empty());
    ASSERT_TRUE(PumpUntil([] { return !g_bUpdateRetrying; }, 60000));
    PumpFor(100);
    EXPECT_EQ(dialog.PollThread()->Ticks(), 21);
    EXPECT_EQ(BoxTexts(), (std::vector<QString>{g_strUsbFailEn, kAborted}));
    EXPECT_EQ(dialog.StatusLine()->text(), kFailed);
    // Arrivals and network connects work again.
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_FALSE(g_bUpdating);
    EXPECT_LT(heartbeat.MaxGapMs(), CHeartbeat::kLongestGapMs);
}

TEST_F(UpdatePoll, ANetworkThatNeverConnectsIsTried21TimesThenReported)
{
    // A port nobody listens on any more.
    StartSimulator();
    m_pServer->Stop();
    MakeNetworkReachable();
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(100));
    CHeartbeat heartbeat;
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(PumpUntil([] { return g_bUpdateRetrying.load(); }));
    ASSERT_TRUE(PumpUntil([&] { return dialog.StatusLine()->text() == QStringLiteral("Connected NetWork"); }));
    ASSERT_TRUE(PumpUntil([] { return !g_bUpdateRetrying; }, 60000));
    PumpFor(200);
    EXPECT_EQ(dialog.PollThread()->Ticks(), 21);
    EXPECT_EQ(BoxTexts(), (std::vector<QString>{g_strWifiFailEn, kFailed}));
    EXPECT_EQ(dialog.StatusLine()->text(), kFailed);
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_FALSE(m_pView->NetLink().IsOpen());
    EXPECT_LT(heartbeat.MaxGapMs(), CHeartbeat::kLongestGapMs);
}

TEST_F(UpdatePoll, ALateConnectResetsTheBarAndTheUpdateRuns)
{
    m_hidBus.Plug();
    m_hidBus.SetOpenFails(true);
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(100));
    dialog.ProgressBar()->SetRange(0, 10);
    dialog.ProgressBar()->SetPos(7);
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(PumpUntil([&] { return dialog.PollThread()->Ticks() >= 3; }));
    m_hidBus.SetOpenFails(false);
    ASSERT_TRUE(PumpUntil([] { return g_bUpdating && !g_bUpdateRetrying; }));
    Watch watch;
    ASSERT_TRUE(RunUpdate(dialog, watch));
    EXPECT_EQ(dialog.ProgressBar()->GetRangeUpper(), g_nUpdateProgressTotal.load());
    ASSERT_FALSE(watch.bar.empty());
    EXPECT_LT(watch.bar.front(), 7);
    ExpectSucceeded(dialog, watch);
    EXPECT_LT(dialog.PollThread()->Ticks(), 21);
}

TEST_F(UpdatePoll, QuitWhilePollingOrConnectingLeavesNoLinkKind)
{
    // Polling.
    m_hidBus.Plug();
    m_hidBus.SetOpenFails(true);
    {
        CUpgradeDlg& dialog = OpenDialog();
        UseFirmware(McuFirmware(100));
        QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
        ASSERT_TRUE(g_bUpdateRetrying);
        QTest::mouseClick(dialog.QuitButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(g_bUpdateRetrying);
        EXPECT_EQ(g_nLinkType, LINK_NONE);
        m_pDialog.reset();
    }
    // Connecting: the device's ping hangs.
    m_hidBus.Unplug(m_hidBus.CurrentPath());
    StartSimulator();
    MakeNetworkReachable();
    m_net.Hold(true);
    CHeartbeat heartbeat;
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(100));
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(dialog.IsConnecting());
    PumpFor(300);
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.IsConnecting());
    QTest::mouseClick(dialog.QuitButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(Link().IsConnecting());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    m_net.Hold(false);
    PumpFor(200);
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(m_pServer->AcceptedCount(), 0);
    EXPECT_LT(heartbeat.MaxGapMs(), CHeartbeat::kLongestGapMs);
}

// ---- Outcome handlers -----------------------------------------------------------------

using UpdateOutcome = FirmwareUpdateSim;

TEST_F(UpdateOutcome, OnlyTheLastCommandsCodeWhileUpdatingIsASuccess)
{
    m_hidBus.Plug();
    ASSERT_TRUE(Link().ConnectUsbPath(m_hidBus.CurrentPath()));
    g_bUpdating = true;
    SendMessage(m_pView, WM_UPDATE_SUCCEEDED, 0, HEXData);
    EXPECT_TRUE(Link().IsConnected());
    EXPECT_TRUE(g_bUpdating);
    g_bUpdating = false;
    SendMessage(m_pView, WM_UPDATE_SUCCEEDED, 0, HEXEnd);
    EXPECT_TRUE(Link().IsConnected());
    EXPECT_TRUE(m_boxes.shown.empty());
    g_bUpdating = true;
    SendMessage(m_pView, WM_UPDATE_SUCCEEDED, 0, HEXEnd);
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_FALSE(g_bUpdating);
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_EQ(BoxTexts(), std::vector<QString>{kSucceeded});
}

TEST_F(UpdateOutcome, ASerialReconnectWithNoPortFailsQuietlyThenOnceWithNoLinkKindLeft)
{
    // The serial reconnect opens the remembered port, "NULL" here: none.
    g_nLinkType = LINK_SERIAL;
    g_bUpdating = true;
    EXPECT_FALSE(Link().ReconnectForUpdate(true));
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(g_nLinkType, LINK_SERIAL);
    EXPECT_FALSE(Link().ReconnectForUpdate(false));
    EXPECT_EQ(BoxTexts(), std::vector<QString>{g_strUsbFailEn});
    EXPECT_FALSE(g_bUpdating);
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
}

TEST_F(UpdateOutcome, FirmwareRequiredOverTheNetworkClosesTheNetworkLinkOnly)
{
    StartSimulator();
    MakeNetworkReachable();
    m_hidBus.Plug();
    ASSERT_TRUE(Link().ConnectNetwork());
    ASSERT_TRUE(PumpUntil([&] { return Link().IsConnected(); }));
    SendMessage(m_pView, WM_FIRMWARE_REQUIRED, 0, 0);
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_FALSE(m_pView->NetLink().IsOpen());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    // The USB device was never the link: nothing of it was opened.
    EXPECT_FALSE(Link().Usb()->IsOpen());
    EXPECT_EQ(BoxTexts(), std::vector<QString>{QStringLiteral("Please Update the Firmware!")});
}

}  // namespace
