// The main view: its form, the user-interface build, the UI modes, the
// strips and the master volume, the input source and the preset name.
#include <algorithm>
#include <string>

#include <QMenu>

#include "app/BrelinView.h"
#include "app/PopupMenus.h"
#include "model/ChangeScanFlags.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SharedTexts.h"
#include "model/SpeakerGroups.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "platform/core/AppMode.h"
#include "platform/core/Language.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 101: 853 x 400 dialog units of Arial 8 points.
struct FormControl {
    int id;
    CRect du;  // dialog units
    bool hidden;
    bool disabled;
};
constexpr CRect Du(int x, int y, int w, int h)
{
    return CRect(x, y, x + w, y + h);
}
const FormControl kForm[] = {
    {CBrelinView::IDC_CONNECT, Du(796, 20, 38, 12), false, false},
    {CBrelinView::IDC_TAB, Du(0, 37, 852, 255), false, false},
    {CBrelinView::IDC_PRESET_MENU, Du(107, 3, 38, 12), false, false},
    {CBrelinView::IDC_DYNAMICS, Du(663, 71, 38, 12), true, false},
    {CBrelinView::IDC_REPORT, Du(590, 72, 48, 17), true, false},
    {CBrelinView::IDC_PROGRESS, Du(761, 20, 9, 13), true, false},
    {CBrelinView::IDC_PRESET_NAME_EDIT, Du(765, 19, 6, 12), true, false},
    {CBrelinView::IDC_SETTINGS_MENU, Du(151, 3, 38, 12), false, false},
    {CBrelinView::IDC_MODE_GAIN_1, Du(753, 56, 8, 8), true, false},
    {CBrelinView::IDC_MODE_GAIN_2, Du(763, 56, 8, 8), true, false},
    {CBrelinView::IDC_MODE_GAIN_3, Du(748, 58, 8, 8), true, false},
    {CBrelinView::IDC_MODE_GAIN_4, Du(760, 57, 8, 8), true, false},
    {CBrelinView::IDC_SWITCH31, Du(259, 19, 55, 12), false, false},
    {CBrelinView::IDC_MODE0, Du(369, 0, 80, 14), false, false},
    {CBrelinView::IDC_MODE2, Du(449, 0, 80, 14), false, false},
    {CBrelinView::IDC_PRESET_NAME, Du(46, 2, 50, 11), true, true},
    {CBrelinView::IDC_MINIMIZE, Du(810, 3, 13, 10), false, false},
    {CBrelinView::IDC_EXIT, Du(830, 3, 13, 10), false, false},
    {CBrelinView::IDC_LINK_LAMP, Du(526, 7, 130, 14), false, true},
    {CBrelinView::IDC_PAGE_SWAP, Du(311, 0, 28, 10), true, true},
    {CBrelinView::IDC_INPUT_SOURCE, Du(401, 21, 53, 12), false, false},
    {CBrelinView::IDC_LOCK, Du(56, 20, 38, 12), false, false},
    {CBrelinView::IDC_MIXER, Du(9, 20, 38, 12), false, false},
    {CBrelinView::IDC_LR_LINK, Du(103, 20, 38, 12), false, false},
    {CBrelinView::IDC_RESET_MAP, Du(150, 20, 39, 12), false, false},
};

const QFont& FormFont()
{
    static const QFont font = DialogFont(QStringLiteral("Arial"), 8);
    return font;
}


// System byte 12: system item 5 waits to be sent.
constexpr int SYSTEM_BYTE_ITEM5_PENDING = 12;
// System byte 31: the switch of button 2561.
constexpr int SYSTEM_BYTE_SWITCH31 = 31;
// System bytes 8-9: a level word that never exceeds 66.
constexpr int SYSTEM_BYTE_LEVEL_WORD = 8;
constexpr int LEVEL_WORD_MAX = 66;
constexpr int LEVEL_WORD_RESET = 60;
// The input-source list: items high level, low level, digital, Bluetooth.
constexpr int kItemOfType[4] = {2, 0, 3, 1};
constexpr int kTypeOfItem[4] = {1, 3, 0, 2};
// A preset name taken from a file title: at most this many characters.
constexpr int PRESET_TITLE_MAX = 13;
}  // namespace

// ---- The form ---------------------------------------------------------------

CRect CBrelinView::FormControlRect(int id)
{
    for (const FormControl& c : kForm) {
        if (c.id == id)
            return MapDialogRect(c.du, FormFont());
    }
    return CRect();
}

void CBrelinView::BindFormControls()
{
    const std::pair<int, QWidget*> controls[] = {
        {IDC_RESET_MAP, &m_btnResetMap}, {IDC_MIXER, &m_btnMixer},     {IDC_LR_LINK, &m_btnLRLink},
        {IDC_LOCK, &m_btnLock},          {IDC_PAGE_SWAP, &m_btnPageSwap}, {IDC_LINK_LAMP, &m_lampLink},
        {IDC_MINIMIZE, &m_btnMinimize},
        {IDC_EXIT, &m_btnExit},          {IDC_PRESET_NAME, &m_btnPresetName}, {IDC_SWITCH31, &m_btnSwitch31},
        {IDC_MODE0, &m_btnMode0},        {IDC_MODE2, &m_btnMode2},     {IDC_MODE_GAIN_4, &m_btnModeGain[0]},
        {IDC_MODE_GAIN_3, &m_btnModeGain[1]}, {IDC_MODE_GAIN_2, &m_btnModeGain[2]},
        {IDC_MODE_GAIN_1, &m_btnModeGain[3]}, {IDC_PRESET_NAME_EDIT, &m_editPresetName},
        {IDC_PRESET_MENU, &m_btnPresetMenu}, {IDC_DYNAMICS, &m_btnDynamics}, {IDC_REPORT, &m_btnReport},
        {IDC_SETTINGS_MENU, &m_btnSettingsMenu}, {IDC_CONNECT, &m_btnConnect}, {IDC_PROGRESS, &m_progress},
        {IDC_TAB, &m_tab}, {IDC_INPUT_SOURCE, &m_btnInputSource},
    };
    for (CXPButton& button : m_btnModeGain)
        button.setParent(this);
    for (const auto& [id, control] : controls) {
        for (const FormControl& c : kForm) {
            if (c.id != id)
                continue;
            control->setGeometry(MapDialogRect(c.du, FormFont()).ToQRect());
            control->setVisible(!c.hidden);
            control->setEnabled(!c.disabled);
            SetDlgCtrlID(control, id);
        }
    }
    m_editPresetName.setReadOnly(true);
    m_editPresetName.setAlignment(Qt::AlignCenter);
}

QWidget* CBrelinView::GetDlgItem(int id) const
{
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (GetDlgCtrlID(child) == id)
            return child;
    }
    return nullptr;
}

// ---- The user-interface build ---------------------------------------------------

void CBrelinView::BuildUserInterface()
{
    m_progress.SetBkColor(0x808080);
    m_btnPresetName.SetDisabledBitmaps(718, 716);
    m_btnPresetName.SetDisabledTextColor(ToQColor(0x8B0E0E));
    m_btnPresetName.SetDisabledTextFormat(DT_LEFT);
    m_btnPresetName.SetDisabledTextIndent(50);
    m_btnPresetName.setText(QString());

    m_btnInputSource.SetBitmaps(701, 702);
    m_btnInputSource.CreateDropList(this, IDC_INPUT_SOURCE);
    FillInputSourceList(true);
    m_btnInputSource.EnableMoveNotify(true);

    m_btnMixer.SetBitmaps(1011, 1010, 1012, 1012, 1016, 1011);
    m_btnLRLink.SetBitmaps(1138, 1139, 1140, 1140, 1141, 1138);
    if (g_bChinese)
        m_btnLock.SetBitmaps(1125, 1126, 1126, 1127, 1128, 1128);
    else
        m_btnLock.SetBitmaps(1129, 1130, 1130, 1131, 1210, 1210);

    m_lampLink.StartBlink();
    m_btnMinimize.SetBitmaps(4946, 4947, 4947, 0, 0, 0);
    m_btnExit.SetBitmaps(4948, 4949, 4949, 0, 0, 0);

    // The page area: painted whole by itself, no tab ever shows.
    m_tab.SetBkgndColor(RGB(227, 228, 238));
    m_tab.EnableDraw(2);
    CEnTabCtrl::SetLookFlags(true, 0x1F);
    m_tab.PreSubclassWindow();
    m_tab.update();
    m_tab.SetItemHeight(-20);

    // The pages share the page area.
    m_outputPage.Create(&m_tab);
    m_outputPage.AttachData(m_pData);
    m_lockCover.Create(&m_tab);
    m_mixPage.Create(&m_tab);
    const QRect pageArea = m_tab.rect();
    m_outputPage.Show(SW_HIDE);
    m_lockCover.hide();
    m_mixPage.hide();
    for (QWidget* page : {static_cast<QWidget*>(&m_outputPage), static_cast<QWidget*>(&m_lockCover),
                          static_cast<QWidget*>(&m_mixPage)})
        page->setGeometry(pageArea);

    m_fontName = CreateFont(20, FW_NORMAL).value_or(QFont());
    m_fontName500 = CreateFont(20, 500).value_or(QFont());
    m_editPresetName.setFont(m_fontName);
    m_btnPresetName.SetDisabledFont(&m_fontName);

    m_outputPage.m_pView = this;
    m_outputPage.Show(SW_HIDE);
    m_outputPage.RefreshPage();

    m_mixPage.m_pView = this;
    m_mixPage.hide();
    m_mixPage.m_pData = m_pData;
    m_mixPage.SetUpColumns();

    m_masterPanel.SetBackgroundBitmap(CGainDlg::IDB_BACK_CN);
    m_masterPanel.Create(this);
    m_masterPanel.m_pView = this;
    m_outputPage.m_gainPanel = &m_masterPanel;
    m_masterPanel.m_pData = m_pData;
    m_masterPanel.SetDropListBitmaps(1148, 1147);
    for (const char* unit : {"毫秒", "厘米", "英寸"})
        m_masterPanel.AddDropListItem(QString::fromUtf8(unit));
    m_masterPanel.SelectDropListItem(0);
    m_masterPanel.SetSliderChannelBitmaps(357, 357, false, CLR_DEFAULT, 0, 0);
    m_masterPanel.SetSliderThumbBitmaps(358, 282, false, CLR_DEFAULT, 0, 0);
    m_masterPanel.SetSliderRange(CGainDlg::VOLUME_MIN, CGainDlg::VOLUME_MAX, false);
    m_masterPanel.setGeometry(PANEL_X, PANEL_Y, PANEL_WIDTH, PANEL_HEIGHT);
    m_masterPanel.show();

    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        COutRouteDlg& strip = m_strips[i];
        strip.Create(this);
        strip.SetBackgroundBitmap(1151);
        strip.SetSelectButtonBitmaps(818 + 3 * i, 817 + 3 * i, 819 + 3 * i);
        strip.SetLevelSliderChannelBitmaps(281, 281, false, CLR_DEFAULT, 0, 0);
        strip.SetLevelSliderThumbBitmaps(358, 280, false, CLR_DEFAULT, 0, 0);
        strip.setGeometry(STRIP_X + STRIP_PITCH * i, STRIP_Y, STRIP_WIDTH, STRIP_HEIGHT);
        strip.show();
        strip.m_nChannel = i;
        strip.m_pOutput = m_pData != nullptr ? m_pData->GetOutput(i) : nullptr;
        strip.m_pOwner = this;
        strip.m_nLinkMask = 1 << i;
        strip.SetSelected(false);
        strip.ShowSpeakerType();
    }
    if (g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_COUNT)
        m_strips[g_nCurOutput].SetSelected(true);
    RefreshMasterVolume();
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        FillStrip(i);
    // A map locked before the window was built keeps the strips' speaker
    // types fixed.
    if (g_bOutputMapLocked) {
        m_outputPage.ShowMapLockToggles(true);
        m_outputPage.ApplyOutputMapLock();
    }

    // The transfer popup, hidden until a transfer runs; the link moves its bar.
    RenewTransferPopup();

    m_menuPresets = LoadPopupMenu(IDR_MENU_PRESETS);
    m_menuSettings = LoadPopupMenu(IDR_MENU_SETTINGS);
    m_menuLink = LoadPopupMenu(IDR_MENU_LINK);
}

void CBrelinView::FillStrip(int i)
{
    COutRouteDlg& strip = m_strips[i];
    const CKTV_OutData* output = strip.m_pOutput;
    if (output == nullptr)
        return;
    strip.SetLevel(output->GetGain());
    m_nDelayTemp = output->GetDelay();
    strip.SetDelay(m_nDelayTemp / 2);
    strip.m_bOn = 1;
    strip.SetOutputOn(output->GetOn());
    for (int source = 1; source <= COutRouteDlg::SOURCE_COUNT; ++source)
        strip.SetSource(source, output->GetMixLevel(source) & 0xFF);
}

// ---- UI modes ----------------------------------------------------------------

void CBrelinView::SetUiMode(int mode, bool leave)
{
    if (leave) {
        switch (g_nUiMode) {
        case UI_MODE_0: m_btnMode0.SetCheck(false); break;
        case UI_MODE_OUTPUT_PAGE: m_outputPage.Show(SW_HIDE); break;
        case UI_MODE_2: m_btnMode2.SetCheck(false); break;
        default: break;
        }
        g_nUiMode = mode;
    }
    switch (g_nUiMode) {
    case UI_MODE_0: m_btnMode0.SetCheck(true); break;
    case UI_MODE_OUTPUT_PAGE:
        m_outputPage.Show(SW_SHOW);
        m_outputPage.RefreshChannel();
        break;
    case UI_MODE_2: m_btnMode2.SetCheck(true); break;
    default: break;
    }
}

void CBrelinView::OnUiMode0Button()
{
    if (g_nUiMode != UI_MODE_0)
        SetUiMode(UI_MODE_0, true);
}

void CBrelinView::OnUiMode2Button()
{
    if (g_nUiMode != UI_MODE_2)
        SetUiMode(UI_MODE_2, true);
}

void CBrelinView::OnSelectUiMode2()
{
    SetUiMode(UI_MODE_2, true);
}

// ---- Strips and master volume ---------------------------------------------------

int CBrelinView::MasterVolumeByte(int mode)
{
    switch (mode) {
    case 0: return 2;
    case 1: return 3;
    case 2: return 4;
    case 3: return 5;
    case 5: return 7;
    default: return -1;
    }
}

void CBrelinView::RefreshMasterVolume()
{
    int volume = -1;
    bool muted = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const int byte = MasterVolumeByte(g_byInputMode);
        if (byte >= 0)
            volume = g_SystemBytes[byte];
        muted = g_byMasterOn == 0;
    }
    // A mode without a volume byte leaves the panel as it is.
    if (volume >= 0)
        m_masterPanel.SetVolume(volume);
    m_masterPanel.m_btnMute.SetCheck(muted);
}

void CBrelinView::RefreshOutputStrips()
{
    g_SpeakerGroups.Update();
    bool switch31 = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        switch31 = g_SystemBytes[SYSTEM_BYTE_SWITCH31] != 0;
        if (GetShort(g_SystemBytes + SYSTEM_BYTE_LEVEL_WORD) > LEVEL_WORD_MAX)
            PutWord(g_SystemBytes + SYSTEM_BYTE_LEVEL_WORD, LEVEL_WORD_RESET);
    }
    m_btnSwitch31.SetCheck(switch31);
    m_outputPage.RefreshPage();
    m_mixPage.ReloadColumns();
    RefreshMasterVolume();
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        m_strips[i].ShowSpeakerType();
        FillStrip(i);
    }
}

// ---- Input source ----------------------------------------------------------------

int CBrelinView::InputSourceItem(int type)
{
    return type >= 0 && type < 4 ? kItemOfType[type] : -1;
}

int CBrelinView::InputSourceType(int item)
{
    return item >= 0 && item < 4 ? kTypeOfItem[item] : -1;
}

void CBrelinView::FillInputSourceList(bool chinese)
{
    static const char* const kChinese[4] = {"高电平", "低电平", "数字", "蓝牙"};
    static const char* const kEnglish[4] = {"Hi.level", "AUX", "SPDIF", "Phone"};
    m_btnInputSource.ResetContent();
    for (const char* item : chinese ? kChinese : kEnglish)
        m_btnInputSource.AddString(QString::fromUtf8(item));
}

void CBrelinView::SetInputSource(int type, bool send)
{
    // Selected without a notice.
    m_btnInputSource.SetCurSel(InputSourceItem(type));
    if (send) {
        bool item5Pending = false;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_byInputMode = BYTE(type);
            item5Pending = g_SystemBytes[SYSTEM_BYTE_ITEM5_PENDING] != 0;
            if (item5Pending)
                g_SystemBytes[SYSTEM_BYTE_ITEM5_PENDING] = 0;
        }
        if (item5Pending)
            QueueCommand(5, 0);
        QueueCommand(2, 0);
    }
    RefreshMasterVolume();
}

void CBrelinView::OnComboBtnSelChange(WPARAM id)
{
    if (id != IDC_INPUT_SOURCE)
        return;
    const int type = InputSourceType(m_btnInputSource.GetCurSel());
    bool changed = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        changed = type >= 0 && type != g_byInputMode;
    }
    if (changed) {
        HoldStatusUpdates();
        SetInputSource(type, true);
    }
}

// ---- Preset name -----------------------------------------------------------------

namespace {
char* LivePresetNameField()
{
    return reinterpret_cast<char*>(g_CurrentImage.bytes);
}

QString LivePresetName()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return FixedFieldToString(LivePresetNameField(), PRESET_NAME_SIZE);
}
}  // namespace

void CBrelinView::SetPresetNameFromFile(const QString& title)
{
    // Cut in characters, never in bytes: a character is never split.
    const std::u32string characters = title.toStdU32String();
    const int n = std::min<int>(int(characters.size()), PRESET_TITLE_MAX);
    std::u32string ascii;
    std::u32string display;
    for (int i = 0; i < n; ++i) {
        const char32_t c = characters[size_t(i)];
        if (c < 0x80)
            ascii.push_back(c);
        if (n == PRESET_TITLE_MAX && i == PRESET_TITLE_MAX - 1 && characters[PRESET_TITLE_MAX - 2] < 0x80)
            continue;
        display.push_back(c);
    }
    const QString shown = QString::fromStdU32String(display);
    const QString stored = QString::fromStdU32String(ascii);
    m_editPresetName.setText(shown);
    m_btnPresetName.setText(shown);
    m_btnPresetName.SetCheck(!shown.isEmpty());
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        StringToFixedField(LivePresetNameField(), PRESET_NAME_SIZE, stored.isEmpty() ? g_strCustomName : stored);
        g_strEmptyName = shown;
    }
    g_bSendPresetName = true;
}

void CBrelinView::ShowPresetName(bool send)
{
    const QString name = LivePresetName();
    m_editPresetName.setText(name);
    m_btnPresetName.setText(name);
    m_btnPresetName.SetCheck(!name.isEmpty());
    g_bSendPresetName = send;
}

void CBrelinView::ShowLivePresetName()
{
    const QString name = LivePresetName();
    if (name.isEmpty()) {
        m_btnPresetName.SetCheck(false);
        m_editPresetName.setText(QString());
        m_btnPresetName.setText(QString());
        return;
    }
    m_btnPresetName.SetCheck(true);
    const bool custom = g_bChinese && g_byCurrentPreset == 0 && name == g_strCustomName;
    const QString shown = custom ? QStringLiteral("自定义") : name;
    m_editPresetName.setText(shown);
    m_btnPresetName.setText(shown);
}

void CBrelinView::ShowPresetNameAndSend()
{
    const QString name = LivePresetName();
    m_btnPresetName.SetCheck(!name.isEmpty());
    const QString shown = name == g_strCustomName ? (g_bChinese ? QStringLiteral("自定义") : g_strCustomName) : name;
    m_editPresetName.setText(shown);
    m_btnPresetName.setText(shown);
    g_bSendPresetName = true;
}

void CBrelinView::OnPresetNameChanged()
{
    // The notice of an edit that a preset load or transfer has overtaken
    // (they stop the tracking) would make the loaded preset "Custom" again.
    if (!g_bTrackPresetName.load())
        return;
    m_btnPresetName.SetCheck(true);
    const QString shown = g_bChinese ? QStringLiteral("自定义") : g_strCustomName;
    m_editPresetName.setText(shown);
    m_btnPresetName.setText(shown);
    g_bSendPresetName = true;
}

void CBrelinView::UpdateWindowTitle()
{
    if (g_nAppMode == 1 || g_nAppMode == 2)
        window()->setWindowTitle(g_strMainTitle);
}

void CBrelinView::SetMixColumnRect(int column, const CRect& rect)
{
    if (column >= 0 && column < OUTPUT_COUNT)
        m_rcMixColumns[column] = rect;
}
