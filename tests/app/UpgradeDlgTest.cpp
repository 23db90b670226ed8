// The firmware update dialog as the user meets it before anything is sent:
// its texts, size and colours, the keys that never close it, Browse and
// its file dialog, Update's choice of link, a failed load, Update while
// busy, and the hidden serial port list.
#include <gtest/gtest.h>

#include <stdexcept>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "controls/SxGroupBox.h"
#include "link/SerialPortList.h"
#include "platform/core/AppSettings.h"
#include "platform/core/SettingsNames.h"
#include "platform/gui/FileDialog.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/app/UpdateDialogFixture.h"

namespace {

using UpgradeDlg = UpdateDialogTest;

TEST_F(UpgradeDlg, TextsSizeAndColoursInBothLanguages)
{
    struct Case {
        bool chinese;
        const char* title;
        const char* group;
        const char* browse;
        const char* update;
        const char* quit;
    };
    const Case cases[] = {
        {false, "Device Firmware Update", "Update File", "Browse file", "Update", "Quit"},
        {true, "设备固件更新", "Hex文件", "浏览文件", "更新", "退出"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        g_bChinese = c.chinese;
        CUpgradeDlg& dialog = OpenDialog();
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        const auto* group = static_cast<CSxGroupBox*>(GetDlgItem(&dialog, CUpgradeDlg::IDC_FILE_GROUP));
        EXPECT_EQ(group->GetText(), QString::fromUtf8(c.group));
        EXPECT_EQ(dialog.BrowseButton()->text(), QString::fromUtf8(c.browse));
        EXPECT_EQ(dialog.UpdateButton()->text(), QString::fromUtf8(c.update));
        EXPECT_EQ(dialog.QuitButton()->text(), QString::fromUtf8(c.quit));
        EXPECT_EQ(dialog.size(), QSize(397, 160));
        EXPECT_TRUE(dialog.ProgressBar()->PercentText().contains(QLatin1Char('%')));

        // The status line paints red on the application's background.
        ShowUpdateStatus(QStringLiteral("Erasing......"));
        ASSERT_TRUE(PumpUntil([&] { return dialog.StatusLine()->text() == QStringLiteral("Erasing......"); }));
        const QImage shot = Render(&dialog);
        EXPECT_GT(CountPixels(shot, QColor(255, 0, 0), 40, dialog.StatusLine()->geometry()), 10);
        EXPECT_TRUE(Near(shot.pixel(2, shot.height() - 3), QColor(227, 228, 238), 2));
        m_pDialog.reset();
        EXPECT_EQ(m_pCurHexUpTip.Get(), nullptr);
        EXPECT_EQ(g_pUpdateProgress.Get(), nullptr);
    }
}

TEST_F(UpgradeDlg, EnterAndEscapeKeepItOpenAndTheCloseBoxIsQuit)
{
    CUpgradeDlg& dialog = OpenDialog();
    dialog.PathEdit()->setFocus();
    for (QWidget* target : {static_cast<QWidget*>(dialog.PathEdit()), static_cast<QWidget*>(&dialog)}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
            PumpFor(20);
            EXPECT_TRUE(dialog.isVisible()) << key;
        }
    }
    EXPECT_TRUE(m_boxes.shown.empty());
    // The close box runs Quit, which closes a dialog with nothing running.
    dialog.close();
    ASSERT_TRUE(PumpUntil([&] { return !dialog.isVisible(); }, 5000));
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
    EXPECT_EQ(m_pCurHexUpTip.Get(), nullptr);
}

TEST_F(UpgradeDlg, BrowseStoresTheChoiceAndSavesItOnlyForBin)
{
    Link().SetUpdateFolder(m_files.path());
    const QString capital = UseFirmware(McuFirmware(10), QStringLiteral("UPPER.BIN"));
    UseFirmware(McuFirmware(10), QStringLiteral("lower.bin"));
    const QString settingsName = CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_NAME);
    CUpgradeDlg& dialog = OpenDialog();
    dialog.PathEdit()->setText(QStringLiteral("typed.bin"));
    g_strUpdateFilePath = QStringLiteral("typed.bin");

    std::vector<FileDialogRequest> requests;
    QString answer;
    const FileDialogHook previous = SetFileDialogHook([&](const FileDialogRequest& request) {
        requests.push_back(request);
        FileDialogResult result;
        result.accepted = !answer.isEmpty();
        if (result.accepted)
            result.urls = {QUrl::fromLocalFile(answer)};
        return result;
    });

    // Cancel: nothing changes.
    QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].mode, FileDialogRequest::OPEN);
    EXPECT_EQ(requests[0].filters, QStringList{QStringLiteral(".bin (*.bin)")});
    EXPECT_EQ(requests[0].defaultSuffix, QStringLiteral("bin"));
    EXPECT_TRUE(requests[0].existingOnly);
    EXPECT_EQ(requests[0].directory, m_files.path());
    EXPECT_EQ(requests[0].parent, &dialog);
    EXPECT_EQ(dialog.PathEdit()->text(), QStringLiteral("typed.bin"));

    // "BIN": the path is taken, neither the folder nor the settings.
    answer = capital;
    QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.PathEdit()->text(), capital);
    EXPECT_EQ(g_strUpdateFilePath, capital);
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_NAME), settingsName);
    EXPECT_EQ(Link().UpdateFolder(), m_files.path());

    // "bin": path, folder and language are written.
    answer = m_files.filePath(QStringLiteral("lower.bin"));
    QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.PathEdit()->text(), answer);
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_NAME), answer);
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_PATH), m_files.path());
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE), g_strLanguage);
    SetFileDialogHook(previous);
}

TEST_F(UpgradeDlg, UpdateOffersTheWaysThereAre)
{
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(100));
    const QString noWay = QStringLiteral("No connection can be opened");

    // Nothing to open.
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    EXPECT_EQ(BoxTexts(), std::vector<QString>{noWay});
    EXPECT_TRUE(m_popups.empty());

    // One device and the network: "USB" and the device's address; the
    // popup dismissed leaves the link closed and starts nothing.
    m_hidBus.Plug();
    MakeNetworkReachable();
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_EQ(m_popups.size(), 1u);
    EXPECT_EQ(m_popups[0], (std::vector<QString>{QStringLiteral("USB"), QStringLiteral("127.0.0.1")}));

    // Two devices: numbered items, then the address; without the network
    // the numbered items alone.
    m_hidBus.Plug();
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_EQ(m_popups.size(), 2u);
    EXPECT_EQ(m_popups[1],
              (std::vector<QString>{QStringLiteral("USB1"), QStringLiteral("USB2"), QStringLiteral("127.0.0.1")}));
    m_pView->NetLink().SetReachable(false);
    {
        std::lock_guard<std::mutex> lock(m_net.mutex);
        m_net.adapters.clear();
    }
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_EQ(m_popups.size(), 3u);
    EXPECT_EQ(m_popups[2], (std::vector<QString>{QStringLiteral("USB1"), QStringLiteral("USB2")}));

    EXPECT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_FALSE(g_bUpdating);
    EXPECT_FALSE(g_bUpdateRetrying);
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_EQ(m_device.FrameCount(), 0);
}

TEST_F(UpgradeDlg, AFailedLoadShowsItsBoxAndStartsNothing)
{
    CUpgradeDlg& dialog = OpenDialog();
    m_hidBus.Plug();
    FirmwareBytes bad = McuFirmware(10);
    bad[0] = 'X';
    UseFirmware(bad);
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    EXPECT_EQ(BoxTexts(), std::vector<QString>{QStringLiteral("Update file error!")});
    PumpFor(600);
    EXPECT_FALSE(Link().IsConnected());
    EXPECT_FALSE(Link().Usb()->IsOpen());
    EXPECT_FALSE(g_bUpdating);
    EXPECT_FALSE(g_bUpdateRetrying);
    EXPECT_FALSE(dialog.PollThread()->IsPolling());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
}

TEST_F(UpgradeDlg, UpdateIsIgnoredWhileAnUpdateRunsPollsOrConnects)
{
    CUpgradeDlg& dialog = OpenDialog();
    UseFirmware(McuFirmware(100));
    m_hidBus.Plug();

    // Running.
    g_bUpdating = true;
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    EXPECT_FALSE(Link().Usb()->IsOpen());
    g_bUpdating = false;

    // Polling: the device does not open.
    m_hidBus.SetOpenFails(true);
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    ASSERT_TRUE(g_bUpdateRetrying);
    ASSERT_TRUE(dialog.PollThread()->IsPolling());
    const WPARAM session = dialog.PollThread()->Session();
    QTest::mouseClick(dialog.UpdateButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.PollThread()->Session(), session);
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_TRUE(m_popups.empty());
}

TEST_F(UpgradeDlg, TheHiddenPortListHoldsEveryPortOrNull)
{
    std::vector<SerialPortEntry> ports(2);
    ports[0].m_strDevicePath = QStringLiteral("/dev/ttyS0");
    ports[0].m_strPortName = QStringLiteral("ttyS0");
    ports[1].m_strDevicePath = QStringLiteral("/dev/ttyUSB0");
    ports[1].m_strPortName = QStringLiteral("ttyUSB0");
    ports[1].m_bUsbDevice = true;
    const SerialPortSource previous = SetSerialPortSource([&] { return ports; });
    {
        CUpgradeDlg& dialog = OpenDialog();
        EXPECT_FALSE(dialog.PortList()->isVisible());
        ASSERT_EQ(dialog.PortList()->count(), 2);
        EXPECT_EQ(dialog.PortList()->currentText(), QStringLiteral("ttyUSB0"));
        EXPECT_EQ(dialog.ComPort(), QStringLiteral("ttyUSB0"));
        for (int id : {CUpgradeDlg::IDC_USB, CUpgradeDlg::IDC_WIFI, CUpgradeDlg::IDC_COM, CUpgradeDlg::IDC_LINK_GROUP,
                       CUpgradeDlg::IDC_TOOL_LABEL, CUpgradeDlg::IDC_FILE_LABEL}) {
            QWidget* control = GetDlgItem(&dialog, id);
            ASSERT_NE(control, nullptr) << id;
            EXPECT_FALSE(control->isVisible()) << id;
        }
    }
    SetSerialPortSource([]() -> std::vector<SerialPortEntry> { throw std::runtime_error("no ports today"); });
    CUpgradeDlg& dialog = OpenDialog();
    ASSERT_EQ(dialog.PortList()->count(), 1);
    EXPECT_EQ(dialog.PortList()->currentText(), QStringLiteral("NULL"));
    EXPECT_EQ(dialog.ComPort(), QStringLiteral("NULL"));
    SetSerialPortSource(previous);
}

}  // namespace
