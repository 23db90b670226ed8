// The main view's language: the switch and the re-labelling and re-skinning
// of the view, its menus, its panel and its strips.
#include <QMenu>

#include "app/BrelinApp.h"
#include "app/BrelinView.h"
#include "app/PopupMenus.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/WorkingStrings.h"
#include "platform/core/Language.h"
#include "platform/gui/ResourceStore.h"

namespace {
struct SkinSix {
    UINT ids[6];
};
void ApplySkinSix(CBitButton& button, const SkinSix& skin)
{
    const UINT* b = skin.ids;
    button.SetBitmaps(b[0], b[1], b[2], b[3], b[4], b[5]);
}

// The menu items whose text is a string of the table: command id, Chinese
// string, English string.
struct LanguageMenuText {
    int id;
    UINT chinese;
    UINT english;
};
const LanguageMenuText kPresetTexts[] = {
    {ID_LOAD_MACHINE_PRESET, 6100, 6120}, {ID_SAVE_MACHINE_PRESET, 6101, 6121},
    {ID_DELETE_MACHINE_PRESET, 6102, 6122}, {ID_LOAD_PRESET_FILE, 6103, 6123},
    {ID_LOAD_ALL_PRESETS, 6104, 6124},     {ID_SAVE_PRESET_FILE, 6105, 6125},
    {ID_SAVE_ALL_PRESETS, 6106, 6126},
};
const LanguageMenuText kSettingsTexts[] = {
    {ID_FIRMWARE_UPDATE, 6110, 6130}, {ID_ADVANCED, 6111, 6131}, {ID_HELP, 6113, 6133},
    {ID_ABOUT, 6114, 6134},           {ID_RESTORE_FACTORY, 61446, 61447},
};
constexpr UINT IDS_LANGUAGE_ENGLISH = 6112;
constexpr UINT IDS_LANGUAGE_CHINESE = 6132;

void SetLanguageMenuText(QMenu* menu, int id, const QString& text)
{
    if (QAction* item = FindMenuItem(menu, id))
        item->setText(text);
}
}  // namespace

void CBrelinView::SwitchLanguage(bool toggle)
{
    if (toggle)
        g_bChinese = !g_bChinese;
    ApplyLanguage();
    update();
}

void CBrelinView::ApplyLanguage()
{
    const bool chineseSystem = g_theApp.IsChineseSystemLocale();
    const bool chinese = g_bChinese;

    // The UI-mode buttons and the link lamp never show.
    m_btnMode0.hide();
    m_btnMode2.hide();
    m_lampLink.hide();
    g_strLanguage = chinese ? QStringLiteral("Chinese") : QStringLiteral("English");

    if (chinese) {
        ApplySkinSix(m_btnMixer, {{1011, 1010, 1012, 1012, 1016, 1011}});
        ApplySkinSix(m_btnResetMap, {{4403, 4402, 4402, 0, 0, 0}});
        ApplySkinSix(m_btnSwitch31, {{4310, 4311, 4311, 4312, 4312, 4312}});
        ApplySkinSix(m_btnMode0, {{4313, 4314, 4315, 4315, 4315, 4315}});
        ApplySkinSix(m_btnMode2, {{4316, 4317, 4318, 4318, 4318, 4318}});
        ApplySkinSix(m_btnLock, {{1125, 1126, 1126, 1127, 1128, 1128}});
        ApplySkinSix(m_btnLRLink, {{1138, 1139, 1140, 1140, 1141, 1138}});
    } else {
        ApplySkinSix(m_btnMixer, {{1013, 1014, 1015, 1015, 1017, 1013}});
        ApplySkinSix(m_btnResetMap, {{4407, 4406, 4406, 0, 0, 0}});
        ApplySkinSix(m_btnSwitch31, {{4300, 4301, 4302, 4302, 4302, 4302}});
        ApplySkinSix(m_btnMode0, {{4303, 4304, 4305, 4305, 4305, 4305}});
        ApplySkinSix(m_btnMode2, {{4306, 4307, 4308, 4308, 4308, 4308}});
        ApplySkinSix(m_btnLock, {{1129, 1130, 1130, 1131, 1210, 1210}});
        ApplySkinSix(m_btnLRLink, {{1142, 1143, 1144, 1144, 1145, 1142}});
    }
    // The menu buttons: their checked normal face, then one face for the
    // rest.
    const UINT menuFace = chinese ? 8701 : 8720;
    const UINT menuHover = chinese ? 8710 : 8730;
    for (const auto& [button, k] : {std::pair<CXPButton*, UINT>(&m_btnPresetMenu, 0), {&m_btnSettingsMenu, 1}})
        button->SetBitmaps(menuFace + k, menuHover + k, menuHover + k, menuHover + k, menuHover + k, menuHover + k);
    ShowLinkState(g_bDeviceSynced);
    m_masterPanel.SetBackgroundBitmap(chinese ? CGainDlg::IDB_BACK_CN : CGainDlg::IDB_BACK_EN);
    const UINT stripBack = chinese ? 1151 : 1152;
    const UINT linkFace = chinese ? 1018 : 1019;
    for (COutRouteDlg& strip : m_strips) {
        strip.SetBackgroundBitmap(stripBack);
        strip.m_btnLink.SetBitmaps(linkFace, linkFace, linkFace, linkFace, linkFace, linkFace);
    }

    // The input-source list in the language, the input mode selected.
    FillInputSourceList(chinese);
    int mode = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        mode = g_byInputMode;
    }
    m_btnInputSource.SetCurSel(InputSourceItem(mode));

    // Menus: the item of the other language, then the table's strings.
    SetLanguageMenuText(m_menuSettings.get(), ID_LANGUAGE,
                chinese         ? CResourceStore::Text(IDS_LANGUAGE_ENGLISH)
                : chineseSystem ? QStringLiteral("中文")
                                : CResourceStore::Text(IDS_LANGUAGE_CHINESE));
    for (const LanguageMenuText& t : kPresetTexts)
        SetLanguageMenuText(m_menuPresets.get(), t.id, CResourceStore::Text(chinese ? t.chinese : t.english));
    for (const LanguageMenuText& t : kSettingsTexts)
        SetLanguageMenuText(m_menuSettings.get(), t.id, CResourceStore::Text(chinese ? t.chinese : t.english));

    // The preset-name label of the live set follows the language.
    bool live = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        live = g_bDeviceSynced && g_byCurrentPreset == 0;
    }
    if (live) {
        const QString label = m_btnPresetName.text();
        if (chinese && label == g_strCustomName)
            m_btnPresetName.setText(QStringLiteral("自定义"));
        else if (!chinese && label == QStringLiteral("自定义"))
            m_btnPresetName.setText(g_strCustomName);
    }

    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        COutRouteDlg& strip = m_strips[i];
        const int group = g_nLinkGroup[i];
        UINT checked = linkFace;
        if (group >= 1 && group <= OUTPUT_COUNT)
            checked = UINT(chinese ? strip.m_anLinkBitmapCN[group - 1] : strip.m_anLinkBitmapEN[group - 1]);
        strip.m_btnLink.SetCheckedBitmap(checked);
        strip.SetLanguage(chinese);
        strip.ShowSpeakerType();
    }

    // The language is stored at once.
    SaveDspMcuSettings();
    m_outputPage.OnLanguageChanged();
    m_mixPage.RefreshLanguage();
    m_masterPanel.m_editVolume.RefreshLanguage();
    m_masterPanel.UpdateMixerButtonSkin();
    m_masterPanel.update();
}
