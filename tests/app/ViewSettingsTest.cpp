// The main view's stored settings: the remembered folders with their
// fallback to the documents folder, long paths kept whole, the reset of the
// USB claim list while a claim is live, and the change-scan flags that only
// a link sets.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/ViewPaths.h"
#include "link/UsbClaims.h"
#include "model/ChangeScanFlags.h"
#include "model/WindowMessages.h"
#include "model/WorkingStrings.h"
#include "platform/core/AppSettings.h"
#include "platform/core/SettingsNames.h"
#include "platform/core/SystemMessages.h"
#include "tests/app/TransferViewFixture.h"

namespace {

class ViewSettingsTest : public TransferViewTest {
protected:
    void SetUp() override
    {
        TransferViewTest::SetUp();
        DropPostedMessages(View(), WM_AUTO_CONNECT);
    }

    // The remembered folder which (1 to 4) as the view holds it.
    QString Folder(int which) const
    {
        switch (which) {
        case 1: return View()->FileFolder();
        case 2: return View()->AllFileFolder();
        case 3: return View()->MapFolder();
        default: return View()->UpdateFolder();
        }
    }

    // A folder whose path is about length bytes long, made.
    QString LongFolder(int length) const
    {
        QString path = m_files.path();
        int n = 0;
        while (path.size() < length - 12)
            path += QStringLiteral("/folder%1").arg(n++ % 10);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }
};

TEST_F(ViewSettingsTest, AFolderThatIsGoneFallsBackToDocumentsAndIsWrittenBack)
{
    const QString names[] = {SETTINGS_FILE_PATH, SETTINGS_ALL_FILE_PATH, SETTINGS_MAP_PATH, SETTINGS_HEX};
    const QString gone = FilePath(QStringLiteral("gone"));
    const QString kept = LongFolder(300);
    ASSERT_GE(kept.toUtf8().size(), 290);
    for (int which = 1; which <= 4; ++which) {
        const QString& name = names[which - 1];
        // A folder deleted since it was stored.
        CAppSettings::PutString(SETTINGS_PC_FILE, name, gone);
        EXPECT_EQ(View()->LoadPcFilePaths(which), 1);
        EXPECT_EQ(Folder(which), DocumentsFolder()) << which;
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_PC_FILE, name), DocumentsFolder()) << which;
        // A long one is read whole and kept.
        CAppSettings::PutString(SETTINGS_PC_FILE, name, kept);
        View()->LoadPcFilePaths(which);
        EXPECT_EQ(Folder(which), kept) << which;
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_PC_FILE, name), kept) << which;
    }
}

TEST_F(ViewSettingsTest, TheFirmwareFileAndItsFolderAreReadWhole)
{
    const QString folder = LongFolder(300);
    const QString file = folder + QStringLiteral("/firmware-with-a-long-name.bin");
    CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_NAME, file);
    CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_PATH, folder);
    EXPECT_EQ(View()->LoadDspMcuSettings(), 1);
    EXPECT_EQ(g_strUpdateFilePath, file);
    EXPECT_EQ(View()->UpdateFolder(), folder);
    // A folder that is gone is used as the documents folder, not written.
    CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_PATH, FilePath(QStringLiteral("gone")));
    View()->LoadDspMcuSettings();
    EXPECT_EQ(View()->UpdateFolder(), DocumentsFolder());
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_PATH), FilePath(QStringLiteral("gone")));
    g_strUpdateFilePath.clear();
}

TEST_F(ViewSettingsTest, TheFirstStartCreatesTheGroupsWithTheirDefaults)
{
    // The program started on an empty settings folder.
    for (const QString& name : {SETTINGS_FILE_PATH, SETTINGS_ALL_FILE_PATH, SETTINGS_MAP_PATH, SETTINGS_HEX})
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_PC_FILE, name), DocumentsFolder()) << name.toStdString();
    EXPECT_TRUE(CAppSettings::GroupExists(SETTINGS_DSP_MCU));
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE), QStringLiteral("English"));
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_LINE_SET, SETTINGS_LINE_SET), QStringLiteral("1"));
}

TEST_F(ViewSettingsTest, ResettingTheUsbClaimsEmptiesTheGroupButALiveClaimHolds)
{
    const QString path = QStringLiteral("/dev/hidraw7");
    CUsbClaims live;
    ASSERT_TRUE(live.Claim(path));
    CAppSettings::PutString(SETTINGS_USB, QStringLiteral("left-by-a-dead-copy"), QStringLiteral("0"));
    View()->ResetUsbInUseKey();
    EXPECT_TRUE(CAppSettings::GroupExists(SETTINGS_USB));
    EXPECT_TRUE(CAppSettings::ValueNames(SETTINGS_USB).isEmpty());
    EXPECT_TRUE(live.Holds(path));
    CUsbClaims other;
    EXPECT_FALSE(other.IsUsbPathFree(path));
    live.Release(path);
}

TEST_F(ViewSettingsTest, TheChangeScanFlagsAreSetOnlyWhileConnected)
{
    struct Case {
        bool connected;
        bool changed;
        bool flag;
    };
    const Case cases[] = {{false, true, false}, {false, false, false}, {true, true, true}, {true, false, false}};
    for (const Case& c : cases) {
        if (c.connected && !View()->IsConnected())
            ConnectWithoutDevice();
        g_bSendSysItem5 = !c.flag;
        g_bSendSysItem2 = !c.flag;
        View()->SetSendSysItem5(c.changed);
        View()->SetSendSysItem2(c.changed);
        EXPECT_EQ(bool(g_bSendSysItem5), c.flag) << c.connected << c.changed;
        EXPECT_EQ(bool(g_bSendSysItem2), c.flag) << c.connected << c.changed;
    }
    g_bSendSysItem5 = false;
    g_bSendSysItem2 = false;
}

}  // namespace
