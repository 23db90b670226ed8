// The main view's menus as the user opens them: where the popups stand,
// which items the connection enables (and that a disabled one still looks
// enabled), every item reaching its handler once, the language item's text,
// help with and without its file, and the dialogs of the settings menu and
// the dynamics button.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "app/INITDlg.h"
#include "app/MessageBox.h"
#include "app/PopupMenus.h"
#include "app/ViewPaths.h"
#include "link/DeviceLink.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/UrlOpener.h"
#include "tests/app/TransferViewFixture.h"

namespace {

class ViewMenusTest : public TransferViewTest {
protected:
    void SetUp() override
    {
        TransferViewTest::SetUp();
        DropPostedMessages(View(), WM_AUTO_CONNECT);
        m_savedHelp[0] = g_szChineseHelpPath;
        m_savedHelp[1] = g_szEnglishHelpPath;
        SetPopupMenuHandler([this](QMenu& menu, const QPoint& at, QWidget* owner) {
            Shown shown;
            shown.menu = &menu;
            shown.at = at;
            shown.owner = owner;
            for (QAction* item : menu.actions())
                shown.enabled.push_back(item->isSeparator() ? -1 : int(item->isEnabled()));
            if (m_fnOnMenu)
                m_fnOnMenu(menu);
            m_shown.push_back(shown);
            return m_nAnswer;
        });
        SetModalDialogHook([this](QDialog& dialog) {
            m_dialogs.push_back(dialog.metaObject()->className());
            m_titles.push_back(dialog.windowTitle());
            return m_fnDialog ? m_fnDialog(dialog) : int(QDialog::Rejected);
        });
        SetUrlOpenerHook([this](const QUrl& url) {
            m_opened.push_back(url);
            return m_bOpenerAnswer;
        });
    }
    void TearDown() override
    {
        SetPopupMenuHandler(nullptr);
        SetModalDialogHook(nullptr);
        SetUrlOpenerHook(nullptr);
        g_szChineseHelpPath = m_savedHelp[0];
        g_szEnglishHelpPath = m_savedHelp[1];
        TransferViewTest::TearDown();
    }

    void Click(int id) { SendMessage(View(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    struct Shown {
        QMenu* menu = nullptr;
        QPoint at;
        QWidget* owner = nullptr;
        // Per position: 1 enabled, 0 disabled, -1 a separator.
        std::vector<int> enabled;
    };
    std::vector<Shown> m_shown;
    UINT m_nAnswer = 0;
    std::function<void(QMenu&)> m_fnOnMenu;
    std::function<int(QDialog&)> m_fnDialog;
    std::vector<std::string> m_dialogs;
    std::vector<QString> m_titles;
    std::vector<QUrl> m_opened;
    bool m_bOpenerAnswer = true;
    QString m_savedHelp[2];
};

TEST_F(ViewMenusTest, ThePresetMenusDeviceItemsFollowTheConnectionAndStillLookEnabled)
{
    // Not connected, then connected: positions 0, 1, 2, 7, 8 need the
    // device; the two file items (4, 5) never do.
    const std::vector<int> offline{0, 0, 0, -1, 1, 1, -1, 0, 0};
    const std::vector<int> online{1, 1, 1, -1, 1, 1, -1, 1, 1};
    QImage faces[2];
    m_fnOnMenu = [&](QMenu& menu) {
        if (m_shown.size() >= 2)
            return;
        menu.adjustSize();
        faces[m_shown.size()] = menu.grab().toImage();
    };
    Click(CBrelinView::IDC_PRESET_MENU);
    ConnectWithoutDevice();
    Click(CBrelinView::IDC_PRESET_MENU);
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown[0].enabled, offline);
    EXPECT_EQ(m_shown[1].enabled, online);
    for (const Shown& shown : m_shown) {
        EXPECT_EQ(shown.menu, View()->PresetsMenu());
        EXPECT_EQ(shown.owner, View());
        EXPECT_EQ(shown.at, View()->m_btnPresetMenu.mapToGlobal(QPoint(0, View()->m_btnPresetMenu.height() + 2)));
    }
    // Disabled items are drawn as enabled ones: the menu looks the same.
    ASSERT_FALSE(faces[0].isNull());
    EXPECT_EQ(faces[0], faces[1]);

    // The settings menu below its own button, nothing disabled.
    Click(CBrelinView::IDC_SETTINGS_MENU);
    ASSERT_EQ(m_shown.size(), 3u);
    EXPECT_EQ(m_shown[2].menu, View()->SettingsMenu());
    EXPECT_EQ(m_shown[2].at,
              View()->m_btnSettingsMenu.mapToGlobal(QPoint(0, View()->m_btnSettingsMenu.height() + 2)));
    EXPECT_EQ(m_shown[2].enabled, std::vector<int>(6, 1));
}

TEST_F(ViewMenusTest, EachItemReachesItsHandlerOnce)
{
    ConnectWithoutDevice();
    g_szEnglishHelpPath = FilePath(QStringLiteral("EN_Help.chm"));
    {
        QFile help(g_szEnglishHelpPath);
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    }
    AnswerFileDialog(QString());
    struct Case {
        int menuButton;
        UINT item;
        int fileDialogs;
        std::vector<std::string> dialogs;
        int urls;
        bool languageSwitched;
    };
    const int presets = CBrelinView::IDC_PRESET_MENU;
    const int settings = CBrelinView::IDC_SETTINGS_MENU;
    const Case cases[] = {
        {presets, ID_LOAD_MACHINE_PRESET, 0, {"CProgramDlg"}, 0, false},
        {presets, ID_SAVE_MACHINE_PRESET, 0, {"CProgramDlg"}, 0, false},
        {presets, ID_DELETE_MACHINE_PRESET, 0, {"CProgramDlg"}, 0, false},
        {presets, ID_LOAD_PRESET_FILE, 1, {}, 0, false},
        {presets, ID_SAVE_PRESET_FILE, 1, {}, 0, false},
        {presets, ID_LOAD_ALL_PRESETS, 1, {}, 0, false},
        {presets, ID_SAVE_ALL_PRESETS, 1, {}, 0, false},
        {settings, ID_LANGUAGE, 0, {}, 0, true},
        {settings, ID_ADVANCED, 0, {"CInputNoiseDlg"}, 0, false},
        {settings, ID_FIRMWARE_UPDATE, 0, {"CUpgradeDlg"}, 0, false},
        {settings, ID_HELP, 0, {}, 1, false},
        {settings, ID_ABOUT, 0, {"CVersionDlg"}, 0, false},
        {settings, ID_RESTORE_FACTORY, 0, {"CINITDlg"}, 0, false},
        // Dismissed: nothing.
        {settings, 0, 0, {}, 0, false},
    };
    for (const Case& c : cases) {
        m_requests.clear();
        m_dialogs.clear();
        m_opened.clear();
        g_bChinese = false;
        m_nAnswer = c.item;
        Click(c.menuButton);
        EXPECT_EQ(int(m_requests.size()), c.fileDialogs) << c.item;
        EXPECT_EQ(m_dialogs, c.dialogs) << c.item;
        EXPECT_EQ(int(m_opened.size()), c.urls) << c.item;
        EXPECT_EQ(g_bChinese, c.languageSwitched) << c.item;
        EXPECT_TRUE(m_boxes.shown.empty()) << c.item;
        m_boxes.shown.clear();
        DrainQueue();
    }
}

TEST_F(ViewMenusTest, TheDynamicsButtonRunsTheDynamicsDialogOnTheViewsSet)
{
    m_fnDialog = [](QDialog& dialog) {
        EXPECT_EQ(dialog.parentWidget(), nullptr);
        return int(QDialog::Accepted);
    };
    Click(CBrelinView::IDC_DYNAMICS);
    EXPECT_EQ(m_dialogs, std::vector<std::string>{"CCurSYSDlg"});
    // The advanced settings dialog is captioned in the language.
    for (const bool chinese : {false, true}) {
        g_bChinese = chinese;
        m_titles.clear();
        View()->OnAdvancedCommand();
        ASSERT_EQ(m_titles.size(), 1u);
        EXPECT_EQ(m_titles[0], chinese ? QStringLiteral("高级设置") : QStringLiteral("Advanced settings"));
    }
}

TEST_F(ViewMenusTest, TheLanguageItemNamesTheOtherLanguage)
{
    struct Case {
        bool chinese;
        bool chineseSystem;
        const char* text;
    };
    const Case cases[] = {
        {true, true, "English"},
        {true, false, "English"},
        {false, true, "中文"},
        {false, false, "Chinese"},
    };
    for (const Case& c : cases) {
        g_theApp.m_systemLocale = c.chineseSystem ? QLocale(QLocale::Chinese, QLocale::China)
                                                  : QLocale(QLocale::English, QLocale::UnitedStates);
        g_bChinese = c.chinese;
        View()->ApplyLanguage();
        const QAction* item = FindMenuItem(View()->SettingsMenu(), ID_LANGUAGE);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), QString::fromUtf8(c.text)) << c.chinese << c.chineseSystem;
    }
}

TEST_F(ViewMenusTest, HelpOpensTheLanguagesFileOrSaysItIsMissing)
{
    g_szChineseHelpPath = FilePath(QStringLiteral("CH_Help.chm"));
    g_szEnglishHelpPath = FilePath(QStringLiteral("EN_Help.chm"));
    struct Shown {
        QString title;
        QString text;
    };
    std::vector<Shown> boxes;
    m_fnDialog = [&](QDialog& dialog) {
        auto* box = qobject_cast<CMessageBox*>(&dialog);
        EXPECT_NE(box, nullptr);
        if (box != nullptr) {
            boxes.push_back({box->windowTitle(), box->TextControl()->text()});
        }
        return int(QDialog::Rejected);
    };
    struct Case {
        bool chinese;
        bool present;
        bool opens;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {false, false, true, "Help", "Not find help file!"},
        {true, false, true, "帮助", "没有发现帮助文件!"},
        {false, true, true, nullptr, nullptr},
        {true, true, true, nullptr, nullptr},
        // The desktop would not open it.
        {false, true, false, "Help", "Not find help file!"},
    };
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        const QString& path = c.chinese ? g_szChineseHelpPath : g_szEnglishHelpPath;
        QFile::remove(path);
        if (c.present) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        m_bOpenerAnswer = c.opens;
        m_opened.clear();
        boxes.clear();
        m_nAnswer = ID_HELP;
        Click(CBrelinView::IDC_SETTINGS_MENU);
        if (c.present)
            EXPECT_EQ(m_opened, std::vector<QUrl>{QUrl::fromLocalFile(path)});
        else
            EXPECT_TRUE(m_opened.empty());
        if (c.title == nullptr) {
            EXPECT_TRUE(boxes.empty());
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.text));
    }
}

TEST_F(ViewMenusTest, TheFactoryResetAsksFirstAndOkResetsTheDevice)
{
    ConnectWithoutDevice();
    struct Texts {
        QString caption, title, message, ok, cancel;
        QColor titleColour;
    };
    std::vector<Texts> shown;
    int answer = QDialog::Rejected;
    m_fnDialog = [&](QDialog& dialog) {
        auto* init = qobject_cast<CINITDlg*>(&dialog);
        EXPECT_NE(init, nullptr);
        if (init != nullptr)
            shown.push_back({init->windowTitle(), init->m_stTitle->text(), init->m_stMessage->text(),
                             init->m_btnOk->text(), init->m_btnCancel->text(),
                             init->m_stTitle->palette().color(QPalette::WindowText)});
        return answer;
    };
    struct Case {
        bool chinese;
        int answer;
        Texts texts;
    };
    const Texts english{QStringLiteral("Restore factory settings"), QStringLiteral("Warning! "),
                        QStringLiteral("   This operation will restore factory Settings"), QStringLiteral("OK"),
                        QStringLiteral("Quit"), QColor(255, 0, 0)};
    const Texts chinese{QStringLiteral("恢复出厂设置"), QStringLiteral("警告!"),
                        QStringLiteral("   该操作将引起设备重启并恢复到出厂时的状态"), QStringLiteral("确定"),
                        QStringLiteral("取消"), QColor(255, 0, 0)};
    const Case cases[] = {
        {false, QDialog::Rejected, english},
        {true, QDialog::Rejected, chinese},
        {false, QDialog::Accepted, english},
    };
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        answer = c.answer;
        shown.clear();
        m_nAnswer = ID_RESTORE_FACTORY;
        Click(CBrelinView::IDC_SETTINGS_MENU);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].caption, c.texts.caption);
        EXPECT_EQ(shown[0].title, c.texts.title);
        EXPECT_EQ(shown[0].message, c.texts.message);
        EXPECT_EQ(shown[0].ok, c.texts.ok);
        EXPECT_EQ(shown[0].cancel, c.texts.cancel);
        EXPECT_EQ(shown[0].titleColour, c.texts.titleColour);
        const std::vector<QueuedFrame> frames = DrainQueue();
        if (c.answer == QDialog::Accepted) {
            ASSERT_EQ(frames.size(), 1u);
            EXPECT_TRUE(frames[0].IsSystemCommand(SYSTEM_COMMAND_FACTORY_RESET));
        } else {
            EXPECT_TRUE(frames.empty());
        }
    }
    EXPECT_TRUE(m_boxes.shown.empty());
}

}  // namespace
