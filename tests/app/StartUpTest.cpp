// Start-up of the whole program: the order that matters to the user (the
// window is up before anything is contacted, the connect is the first thing
// the message loop does), the language, the command line and the message
// boxes.
#include <gtest/gtest.h>

#include <vector>

#include <QApplication>
#include <QLabel>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/AboutDlg.h"
#include "app/LinkGroupTables.h"
#include "app/LineSetting.h"
#include "app/MessageBox.h"
#include "app/ViewPaths.h"
#include "model/WindowMessages.h"
#include "platform/gui/ResourceStore.h"
#include "tests/app/AppStartFixture.h"

namespace {

using StartUpTest = AppStartTest;

TEST_F(StartUpTest, TheWindowIsUpAndNothingIsContactedBeforeTheLoop)
{
    StartSimulator();
    std::vector<UINT> handled;
    ASSERT_TRUE(StartApp());
    CBrelinView* view = View();
    ASSERT_NE(view, nullptr);
    view->SetMessageObserver([&](UINT message) { handled.push_back(message); });

    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(g_pView, view);
    EXPECT_EQ(g_pNotifyView.load(), view);
    EXPECT_EQ(g_pCommand.load(), &view->Command());
    // No adapter was read, no probe ran, no connection was made.
    EXPECT_EQ(m_net.ListCount(), 0);
    EXPECT_EQ(m_net.ProbeCount(), 0);
    EXPECT_EQ(m_pServer->AcceptedCount(), 0);
    EXPECT_FALSE(view->IsConnected());

    // The set-up's last act: one WM_AUTO_CONNECT, after everything else it
    // posted to the view.
    view->DeliverPosted();
    ASSERT_FALSE(handled.empty());
    EXPECT_EQ(handled.back(), UINT(WM_AUTO_CONNECT));
    EXPECT_EQ(std::count(handled.begin(), handled.end(), UINT(WM_AUTO_CONNECT)), 1);
}

TEST_F(StartUpTest, TheLanguageFollowsTheSystemLocaleOnlyForChineseInChina)
{
    struct Case {
        QLocale locale;
        bool chinese;
    };
    const Case cases[] = {
        {QLocale(QLocale::Chinese, QLocale::China), true},
        {QLocale(QLocale::Chinese, QLocale::Taiwan), false},
        {QLocale(QLocale::English, QLocale::UnitedStates), false},
        {QLocale(QLocale::German, QLocale::Germany), false},
    };
    for (const Case& c : cases) {
        // The first start: no language stored yet.
        UseNewSettings();
        g_theApp.m_systemLocale = c.locale;
        ASSERT_TRUE(StartApp());
        EXPECT_EQ(bool(g_bChinese), c.chinese) << c.locale.name().toStdString();
        // It is stored at once.
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE),
                  c.chinese ? QStringLiteral("Chinese") : QStringLiteral("English"));
        EndApp();
    }
}

TEST_F(StartUpTest, TheFirstStartStoresItsSettings)
{
    UseNewSettings();
    ASSERT_TRUE(StartApp());
    const QString documents = DocumentsFolder();
    for (const QString& name : {SETTINGS_FILE_PATH, SETTINGS_ALL_FILE_PATH, SETTINGS_MAP_PATH, SETTINGS_HEX})
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_PC_FILE, name), documents) << name.toStdString();
    EXPECT_EQ(View()->FileFolder(), documents);
    EXPECT_TRUE(CAppSettings::HasValue(SETTINGS_DSP_MCU, SETTINGS_NAME));
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_NAME), QString());
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_PATH), documents);
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE), QStringLiteral("English"));
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_LINE_SET, SETTINGS_LINE_SET), QStringLiteral("1"));
    EXPECT_TRUE(CAppSettings::GroupExists(SETTINGS_USB));
    // The network module's own address, written and used; not contacted:
    // it is on no local subnet here.
    EXPECT_EQ(CAppSettings::GetString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP), QString::fromLatin1(DEFAULT_DEVICE_IP));
    EXPECT_EQ(g_strDeviceIp.Get(), QString::fromLatin1(DEFAULT_DEVICE_IP));
    EXPECT_EQ(View()->DeviceLink().UpdateFolder(), documents);
}

TEST_F(StartUpTest, TheStoredLanguageWinsOverTheLocale)
{
    struct Case {
        const char* stored;
        QLocale locale;
        bool chinese;
    };
    const Case cases[] = {
        {"English", QLocale(QLocale::Chinese, QLocale::China), false},
        {"Chinese", QLocale(QLocale::English, QLocale::UnitedStates), true},
        // Only "Chinese" means Chinese.
        {"chinese", QLocale(QLocale::Chinese, QLocale::China), false},
        {"Deutsch", QLocale(QLocale::Chinese, QLocale::China), false},
    };
    for (const Case& c : cases) {
        CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE, QString::fromLatin1(c.stored));
        g_theApp.m_systemLocale = c.locale;
        ASSERT_TRUE(StartApp());
        EXPECT_EQ(bool(g_bChinese), c.chinese) << c.stored;
        // The language switch of the start stores what it shows.
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE),
                  c.chinese ? QStringLiteral("Chinese") : QStringLiteral("English"));
        EndApp();
    }
}

TEST_F(StartUpTest, StoredValuesAreReadAndAFolderThatIsGoneFallsBack)
{
    CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_NAME, QStringLiteral("/tmp/x/update.bin"));
    CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_PATH, QStringLiteral("/nonexistent/firmware"));
    CAppSettings::PutString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE, QStringLiteral("English"));
    CAppSettings::PutString(SETTINGS_LINE_SET, SETTINGS_LINE_SET, QStringLiteral("7abc"));
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(g_strUpdateFilePath, QStringLiteral("/tmp/x/update.bin"));
    EXPECT_EQ(View()->DeviceLink().UpdateFolder(), DocumentsFolder());
    EXPECT_EQ(g_nLineSet, 7);
    g_nLineSet = 1;
}

TEST_F(StartUpTest, AnAddressThatIsNoIpv4AddressIsKeptButTheDefaultIsUsed)
{
    for (const char* bad : {"10.10.100", "device.local", "127.0.0.01", "127.0.0.1 ", ""}) {
        CAppSettings::PutString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP, QString::fromLatin1(bad));
        testing::internal::CaptureStderr();
        ASSERT_TRUE(StartApp());
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(g_strDeviceIp.Get(), QString::fromLatin1(DEFAULT_DEVICE_IP)) << bad;
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP), QString::fromLatin1(bad));
        const std::string line = std::string("Network/Device_IP \"") + bad + "\"";
        EXPECT_NE(err.find(line), std::string::npos) << err;
        EndApp();
    }
    CAppSettings::PutString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP, QStringLiteral("127.0.0.1"));
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(g_strDeviceIp.Get(), QStringLiteral("127.0.0.1"));
}

TEST_F(StartUpTest, OnlyAWholeLastArgumentIsARegistrationSwitch)
{
    struct Case {
        QStringList arguments;
        bool starts;
    };
    const Case cases[] = {
        {{QStringLiteral("/RegServer")}, false},
        {{QStringLiteral("-regserver")}, false},
        {{QStringLiteral("/UNREGSERVER")}, false},
        {{QStringLiteral("room.kvas"), QStringLiteral("-UnregServer")}, false},
        // A path that merely ends in the word is a file name.
        {{QStringLiteral("/home/u/RegServer")}, true},
        {{QStringLiteral("x-RegServer")}, true},
        {{QStringLiteral("/RegServer"), QStringLiteral("room.kvas")}, true},
        {{QStringLiteral("/RegServerX")}, true},
        {{QStringLiteral("room.kvas")}, true},
        {{}, true},
    };
    for (const Case& c : cases) {
        const bool started = StartApp(c.arguments);
        EXPECT_EQ(started, c.starts) << c.arguments.join(QLatin1Char(' ')).toStdString();
        // A switch ends the start before any window exists.
        EXPECT_EQ(Frame() != nullptr, c.starts);
        EXPECT_EQ(g_theApp.ExitInstance(0), 0);
        m_bStarted = false;
    }
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST(EditorProgramTest, ARegistrationSwitchEndsTheProgramAtOnceWithoutAWindow)
{
    for (const char* aSwitch : {"/RegServer", "-unregserver"}) {
        QProcess editor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Whatever it did, it would do it in a folder of the test's own.
        QTemporaryDir config;
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        editor.setProcessEnvironment(env);
        editor.start(QString::fromUtf8(ORVANE_EDITOR_PATH), {QString::fromLatin1(aSwitch)});
        ASSERT_TRUE(editor.waitForFinished(60000)) << aSwitch;
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(editor.exitCode(), 0) << aSwitch;
        // Nothing was stored: no window, no view, no settings.
        EXPECT_TRUE(QDir(config.path()).isEmpty()) << aSwitch;
    }
}

TEST_F(StartUpTest, NoSocketShowsItsWarningAndStartsNothing)
{
    g_theApp.m_fnSocketsAvailable = [] { return false; };
    EXPECT_FALSE(StartApp());
    EXPECT_EQ(Frame(), nullptr);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, CResourceStore::Text(CBrelinApp::IDS_SOCKETS_FAILED));
    EXPECT_FALSE(m_boxes.shown[0].text.isEmpty());
    EXPECT_EQ(m_boxes.shown[0].type, unsigned(MB_OK));
    EXPECT_EQ(m_boxes.shown[0].helpId, -4);
    EXPECT_NE(g_theApp.ExitInstance(0), 0);
    m_bStarted = false;
}

TEST_F(StartUpTest, ASecondStartInOneProcessWorks)
{
    ASSERT_TRUE(StartApp());
    CMainFrame* first = Frame();
    g_abLinkGroupUsed[3] = 1;
    Frame()->close();
    EndApp();
    EXPECT_EQ(g_pView, nullptr);

    ASSERT_TRUE(StartApp());
    EXPECT_NE(Frame(), nullptr);
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(g_pView, View());
    // The link-group tables start empty again.
    EXPECT_EQ(g_abLinkGroupUsed[3], 0);
    (void)first;
}

TEST(LinkGroupTablesTest, TheFirstFreeGroupAndZeroWhenAllAreUsed)
{
    ClearLinkGroupTables();
    EXPECT_EQ(g_theApp.FindFreeLinkGroup(), 0);
    for (int used : {0, 1, 2})
        g_abLinkGroupUsed[used] = 1;
    EXPECT_EQ(g_theApp.FindFreeLinkGroup(), 3);
    for (int& used : g_abLinkGroupUsed)
        used = 1;
    EXPECT_EQ(g_theApp.FindFreeLinkGroup(), 0);
    ClearLinkGroupTables();
}

// A box of the program comes up captioned with the application's name, and
// the call answers what the box stored.
TEST(AppMessageBoxTest, EveryBoxIsTheOwnBoxWithTheApplicationsName)
{
    QString caption;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->TextControl()->text();
        box->Button(IDCANCEL)->click();
    });
    EXPECT_EQ(g_theApp.DoMessageBox(QStringLiteral("Question?"), MB_OKCANCEL, 0), IDCANCEL);
    EXPECT_EQ(caption, QStringLiteral("Orvane 7734"));
    EXPECT_EQ(text, QStringLiteral("Question?"));
}

TEST(AppMessageBoxTest, ShowAppMessageBoxIgnoresOwnerAndCaption)
{
    CMessageBoxSpy spy(IDYES);
    QWidget owner;
    EXPECT_EQ(ShowAppMessageBox(&owner, QStringLiteral("t"), QStringLiteral("ignored"), MB_YESNO, 0, 2000), IDYES);
    ASSERT_EQ(spy.shown.size(), 1u);
    EXPECT_EQ(spy.shown[0].text, QStringLiteral("t"));
    EXPECT_EQ(spy.shown[0].helpId, 2000);
}

TEST(AboutDlgTest, ShowsTheProgramsName)
{
    CAboutDlg dlg;
    EXPECT_TRUE(dlg.m_stVersion->text().startsWith(QStringLiteral("Orvane 7734")));
}

}  // namespace
