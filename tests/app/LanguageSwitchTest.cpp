// The language switch of the settings menu: each language's skins, menu
// texts and labels on the whole window, two switches back to the start
// (down to the pixels), and the language stored at every switch.
#include <gtest/gtest.h>

#include <vector>

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "app/PopupMenus.h"
#include "model/WindowMessages.h"
#include "platform/core/AppSettings.h"
#include "platform/core/SettingsNames.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/PopupMenu.h"
#include "tests/app/AppStartFixture.h"

namespace {

// What the language decides on the window, as the user sees it.
struct LanguageLook {
    std::vector<UINT> skins;
    std::vector<QString> texts;
    QImage picture;

    bool operator==(const LanguageLook& other) const
    {
        return skins == other.skins && texts == other.texts && picture == other.picture;
    }
};

class LanguageSwitchTest : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        ASSERT_TRUE(StartApp());
        DropPostedMessages(View(), WM_AUTO_CONNECT);
        SetPopupMenuHandler([this](QMenu&, const QPoint&, QWidget*) { return m_nAnswer; });
    }
    void TearDown() override
    {
        SetPopupMenuHandler(nullptr);
        AppStartTest::TearDown();
    }

    // Item 729 through the settings menu, as the user chooses it.
    void ChooseLanguageItem()
    {
        m_nAnswer = ID_LANGUAGE;
        SendMessage(View(), WM_COMMAND, MAKEWPARAM(CBrelinView::IDC_SETTINGS_MENU, BN_CLICKED), 0);
        m_nAnswer = 0;
        QApplication::processEvents();
    }

    LanguageLook Look() const
    {
        CBrelinView& v = *View();
        LanguageLook look;
        for (const CBitButton* button : {&v.m_btnMixer, &v.m_btnResetMap, &v.m_btnSwitch31, &v.m_btnLock,
                                         &v.m_btnLRLink, &v.m_btnMode0, &v.m_btnMode2})
            look.skins.push_back(button->CurrentBitmapId());
        for (const CXPButton* button : {&v.m_btnPresetMenu, &v.m_btnSettingsMenu, &v.m_btnConnect})
            look.skins.push_back(button->CurrentBitmapId());
        for (const COutRouteDlg& strip : v.m_strips) {
            look.skins.push_back(strip.m_btnLink.CurrentBitmapId());
            look.texts.push_back(strip.m_btnSpeakerType.text());
        }
        for (const QMenu* menu : {v.PresetsMenu(), v.SettingsMenu(), v.LinkMenu()}) {
            for (const QAction* item : menu->actions())
                look.texts.push_back(item->text());
        }
        look.texts.push_back(v.m_btnInputSource.text());
        look.texts.push_back(v.m_btnPresetName.text());
        look.picture = v.grab().toImage();
        return look;
    }

    UINT m_nAnswer = 0;
};

TEST_F(LanguageSwitchTest, EachLanguageSkinsTheButtonsAndNamesTheMenus)
{
    struct Case {
        bool chinese;
        // Mixer, reset map, switch 31, lock, left/right link (unchecked
        // faces), preset menu, settings menu, connect (not connected; these
        // three show their first face).
        std::vector<UINT> skins;
        const char* loadPresetFile;
        const char* help;
        const char* factory;
    };
    const Case cases[] = {
        {true, {1011, 4403, 4310, 1125, 1138, 8701, 8702, 8751}, "加载 电脑上场景文件(&O)", "帮助(&F)", "恢复出厂设置"},
        {false, {1013, 4407, 4300, 1129, 1142, 8720, 8721, 8753}, "Load PC Presets File(&O)", "Help(&F)",
         "Restore factory settings"},
    };
    for (const Case& c : cases) {
        g_bChinese = !c.chinese;
        ChooseLanguageItem();
        ASSERT_EQ(g_bChinese, c.chinese);
        CBrelinView& v = *View();
        const std::vector<UINT> skins{v.m_btnMixer.CurrentBitmapId(),       v.m_btnResetMap.CurrentBitmapId(),
                                      v.m_btnSwitch31.CurrentBitmapId(),    v.m_btnLock.CurrentBitmapId(),
                                      v.m_btnLRLink.CurrentBitmapId(),      v.m_btnPresetMenu.CurrentBitmapId(),
                                      v.m_btnSettingsMenu.CurrentBitmapId(), v.m_btnConnect.CurrentBitmapId()};
        EXPECT_EQ(skins, c.skins) << c.chinese;
        EXPECT_EQ(FindMenuItem(v.PresetsMenu(), ID_LOAD_PRESET_FILE)->text(), QString::fromUtf8(c.loadPresetFile));
        EXPECT_EQ(FindMenuItem(v.SettingsMenu(), ID_HELP)->text(), QString::fromUtf8(c.help));
        EXPECT_EQ(FindMenuItem(v.SettingsMenu(), ID_RESTORE_FACTORY)->text(), QString::fromUtf8(c.factory));
        EXPECT_EQ(v.m_strips[0].m_btnSpeakerType.text(), COutRouteDlg::SpeakerTypeText(g_byOutputPosition[0], c.chinese));
        // The UI-mode buttons and the link lamp never show.
        EXPECT_FALSE(v.m_btnMode0.isVisible());
        EXPECT_FALSE(v.m_btnMode2.isVisible());
        EXPECT_FALSE(v.m_lampLink.isVisible());
    }
}

TEST_F(LanguageSwitchTest, TwoSwitchesBringBackTheWindowAndEachIsStored)
{
    for (const bool chinese : {false, true}) {
        g_bChinese = chinese;
        View()->SwitchLanguage(false);
        QApplication::processEvents();
        const LanguageLook first = Look();

        ChooseLanguageItem();
        EXPECT_EQ(g_bChinese, !chinese);
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE),
                  chinese ? QStringLiteral("English") : QStringLiteral("Chinese"));
        const LanguageLook other = Look();
        // The other language looks different: skins, texts and pixels.
        EXPECT_NE(other.skins, first.skins);
        EXPECT_NE(other.texts, first.texts);
        EXPECT_NE(other.picture, first.picture);

        ChooseLanguageItem();
        EXPECT_EQ(g_bChinese, chinese);
        EXPECT_EQ(CAppSettings::GetString(SETTINGS_DSP_MCU, SETTINGS_LANGUAGE),
                  chinese ? QStringLiteral("Chinese") : QStringLiteral("English"));
        const LanguageLook back = Look();
        EXPECT_EQ(back.skins, first.skins);
        EXPECT_EQ(back.texts, first.texts);
        EXPECT_TRUE(back.picture == first.picture) << "chinese " << chinese;
    }
}

}  // namespace
