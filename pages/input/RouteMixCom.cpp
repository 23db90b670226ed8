#include "pages/input/RouteMixCom.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "graphs/NumEditValue.h"
#include "model/DataDefine.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "pages/input/MixInPutCom.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 966 in dialog units of its font, Arial 7.
const CRect kColumnDialog(0, 0, 114, 300);
const int kColumnPixelHeight = 441;

// One row of dialog 966: ids, then the places (x, y) of its edit (22 x 9),
// fader (11 x 11 until its skin sizes it) and button (16 x 9); the hidden
// spin sits at the edit's right.
struct MixColumnRow {
    UINT edit, slider, spin, button;
    int editX, editY, sliderX, sliderY, buttonX, buttonY;
};
const MixColumnRow kMixColumnRows[CRouteMixCom::ROW_COUNT] = {
    {2818, 2837, 2838, 2819, 3, 3, 27, 3, 95, 10},         {2820, 2839, 2840, 2821, 3, 20, 27, 20, 95, 28},
    {2822, 2841, 2842, 2823, 3, 40, 27, 39, 95, 47},       {2824, 2843, 2844, 2825, 3, 56, 27, 56, 95, 64},
    {2826, 2845, 2846, 2827, 3, 76, 27, 74, 94, 83},       {2828, 2847, 2848, 2829, 3, 93, 27, 92, 93, 101},
    {2830, 2849, 2850, 2831, 3, 111, 27, 110, 93, 119},    {2832, 2851, 2852, 2833, 3, 128, 27, 128, 93, 136},
    {2834, 2853, 2854, 2835, 3, 149, 27, 147, 94, 153},    {2836, 2855, 2856, 2857, 3, 167, 27, 166, 93, 173},
    {2860, 2858, 2859, 2861, 3, 187, 27, 185, 93, 191},    {2864, 2862, 2863, 2865, 3, 203, 27, 201, 94, 208},
    {2868, 2866, 2867, 2869, 3, 223, 27, 222, 94, 225},    {2872, 2870, 2871, 2873, 3, 241, 27, 240, 94, 242},
    {2876, 2874, 2875, 2877, 3, 262, 27, 261, 95, 259},    {2880, 2878, 2879, 2881, 2, 279, 27, 278, 94, 274},
};

struct MixRowNames {
    const char* english;
    const char* chinese;
};
const MixRowNames kMixRowNames[CRouteMixCom::ROW_COUNT] = {
    {"Hi.Level1", "高电平1"}, {"Hi.Level2", "高电平2"},   {"Hi.Level3", "高电平3"}, {"Hi.Level4", "高电平4"},
    {"Hi.Level5", "高电平5"}, {"Hi.Level6", "高电平6"},   {"Hi.Level7", "高电平7"}, {"Hi.Level8", "高电平8"},
    {"Hi.Level9", "高电平9"}, {"Hi.Level10", "高电平10"}, {"AUX-L", "低电平左"},    {"AUX-R", "低电平右"},
    {"SPDIF-L", "数字左"},    {"SPDIF-R", "数字右"},      {"Bluetooth-L", "蓝牙左"}, {"Bluetooth-R", "蓝牙右"},
};

// Fader channels by row pair (rows 1-10 share one), for the current
// output's column and the others; thumbs normal and active.
UINT MixChannelBitmap(int row, bool current)
{
    if (row <= 10)
        return current ? 1182 : 1096;
    if (row <= 12)
        return current ? 1183 : 1095;
    if (row <= 14)
        return current ? 1184 : 1097;
    return current ? 1185 : 1098;
}

QFont MixColumnTemplateFont()
{
    return DialogFont(QStringLiteral("Arial"), 7);
}

// Whether row 1..16 (odd rows the left sources) sounds at 100 on a speaker
// of position code 0..24.
bool MixRowOnForSpeaker(int code, int row)
{
    const bool left = row % 2 == 1;
    if (code == 0)
        return false;
    if (code <= 6 || (code >= 13 && code <= 15) || code == 22)
        return left;
    if (code <= 12 || (code >= 16 && code <= 18) || code == 23)
        return !left;
    return true;
}
constexpr int kMixSpeakerCodes = 25;
constexpr int kMixDefaultLevel = 100;

int MixRowIndexOf(UINT id, UINT MixColumnRow::*member)
{
    for (int r = 0; r < CRouteMixCom::ROW_COUNT; ++r) {
        if (kMixColumnRows[r].*member == id)
            return r + 1;
    }
    return 0;
}
}  // namespace

CRouteMixCom::CRouteMixCom(QWidget* parent) : QWidget(parent) {}

CRouteMixCom::~CRouteMixCom() = default;

UINT CRouteMixCom::EditId(int row)
{
    return kMixColumnRows[row - 1].edit;
}

UINT CRouteMixCom::SliderId(int row)
{
    return kMixColumnRows[row - 1].slider;
}

UINT CRouteMixCom::SpinId(int row)
{
    return kMixColumnRows[row - 1].spin;
}

UINT CRouteMixCom::ButtonId(int row)
{
    return kMixColumnRows[row - 1].button;
}

int CRouteMixCom::RowOfSlider(UINT id)
{
    return MixRowIndexOf(id, &MixColumnRow::slider);
}

QString CRouteMixCom::RowLabel(int row)
{
    const MixRowNames& names = kMixRowNames[row - 1];
    return QString::fromUtf8(g_bChinese ? names.chinese : names.english);
}

bool CRouteMixCom::Create(QWidget* parent)
{
    setParent(parent);
    const QFont font = MixColumnTemplateFont();
    resize(MapDialogRect(kColumnDialog, font).Size());
    // Across, the template's font places the controls; down, the rows
    // spread over the page's 441 pixels as the labels beside them do.
    const auto place = [&](QWidget& control, UINT id, int x, int y, int cx, int cy) {
        control.setParent(this);
        const CRect across = MapDialogRect(CRect(x, 0, x + cx, 1), font);
        const int top = y * kColumnPixelHeight / kColumnDialog.bottom;
        const int height = std::max(1, cy * kColumnPixelHeight / kColumnDialog.bottom);
        control.setGeometry(across.left, top, across.Width(), height);
        SetDlgCtrlID(&control, int(id));
    };
    for (int r = 0; r < ROW_COUNT; ++r) {
        const MixColumnRow& row = kMixColumnRows[r];
        place(m_edit[r], row.edit, row.editX, row.editY, 22, 9);
        m_edit[r].setAlignment(Qt::AlignCenter);
        place(m_slider[r], row.slider, row.sliderX, row.sliderY, 11, 11);
        place(m_spin[r], row.spin, row.editX + 22, row.editY, 7, 10);
        m_spin[r].hide();
        place(m_btnSource[r], row.button, row.buttonX, row.buttonY, 16, 9);
        // Only the last row's button is shown; no code shows the others.
        m_btnSource[r].setVisible(r == ROW_COUNT - 1);
    }
    // Every press and key of the column and its controls passes the
    // column first.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    setFocusPolicy(Qt::ClickFocus);
    return true;
}

void CRouteMixCom::SetUpControls()
{
    m_bmpNormal = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK);
    m_bmpCurrent = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CURRENT);
    // The first four buttons start Chinese; the language switch, which runs
    // at start-up, gives every button its language.
    for (int row = 1; row <= 4; ++row)
        ApplyButtonSkin(row, true);
    RefreshLanguage();
    ApplySliderSkins();
    for (int r = 0; r < ROW_COUNT; ++r) {
        m_spin[r].SetBuddy(&m_edit[r]);
        m_spin[r].SetRange(0, LEVEL_MAX);
        m_edit[r].SetStep(1.0);
        m_edit[r].SetValueType(CNumEditValue::TYPE_CLAMPED, QString());
        m_edit[r].SetBuddySlider(&m_slider[r]);
        m_edit[r].setFont(g_fontArial14);
        m_slider[r].SetScaleType(CNumEditValue::TYPE_CLAMPED);
        m_slider[r].SetVertical(false);
        m_slider[r].SetRange(0, LEVEL_MAX, false);
        m_slider[r].EnableMoveNotify(true);
        m_slider[r].SetMargin(2, 2, 1, 2);
        m_slider[r].SetBuddyEdit(&m_edit[r]);
    }
    m_Notify = {m_nOutput, 0};
    int code = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        code = g_byOutputPosition[m_nOutput];
    }
    if (code < kMixSpeakerCodes) {
        for (int row = 1; row <= ROW_COUNT; ++row)
            m_nLevel[row - 1] = MixRowOnForSpeaker(code, row) ? kMixDefaultLevel : 0;
    }
    for (int row = 1; row <= ROW_COUNT; ++row)
        SetRowLevel(row, m_nLevel[row - 1]);
}

void CRouteMixCom::SetRowLevel(int row, int level)
{
    if (row < 1 || row > ROW_COUNT)
        return;
    // The spin guards its range (and tells of a level above it); the
    // fader takes the level as it is.
    m_spin[row - 1].SetPos(level);
    m_edit[row - 1].SetValue(level);
    m_slider[row - 1].SetValue(level);
}

int CRouteMixCom::RowLevel(int row) const
{
    return row >= 1 && row <= ROW_COUNT ? m_slider[row - 1].GetValue() : 0;
}

void CRouteMixCom::ReloadLevels()
{
    // The levels the device was last sent (or sent us): a level the change
    // scan has not written into the image yet shows its older value.
    int levels[ROW_COUNT] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const BYTE* block = g_CurrentImage.bytes + OutputBlockOffset(m_nOutput);
        for (int r = 0; r < ROW_COUNT; ++r)
            levels[r] = block[264 + r];
    }
    for (int row = 1; row <= ROW_COUNT; ++row) {
        m_nLevel[row - 1] = levels[row - 1];
        SetRowLevel(row, m_nLevel[row - 1]);
    }
    update();
}

void CRouteMixCom::ApplySpeakerTypeMix(int code)
{
    if (code >= 0 && code < kMixSpeakerCodes) {
        for (int row = 1; row <= ROW_COUNT; ++row)
            m_nLevel[row - 1] = MixRowOnForSpeaker(code, row) ? kMixDefaultLevel : 0;
    }
    for (int row = 1; row <= ROW_COUNT; ++row) {
        SetRowLevel(row, m_nLevel[row - 1]);
        WriteLevel(row, m_nLevel[row - 1]);
    }
}

void CRouteMixCom::ClearSliderSkins()
{
    for (CBitmapSlider& slider : m_slider) {
        slider.SetChannelBitmaps(0, 0, false, CLR_DEFAULT, 0, 0);
        slider.SetThumbBitmaps(0, 0, false, CLR_DEFAULT, 0, 0);
    }
    m_bSliderSkins = false;
}

void CRouteMixCom::ApplySliderSkins()
{
    const bool current = m_nOutput == g_nCurOutput;
    const UINT thumb = current ? 1099 : 1192;
    const UINT thumbActive = current ? 1100 : 1192;
    for (int row = 1; row <= ROW_COUNT; ++row) {
        const UINT channel = MixChannelBitmap(row, current);
        m_slider[row - 1].SetChannelBitmaps(channel, channel, false, CLR_DEFAULT, 0, 0);
        m_slider[row - 1].SetThumbBitmaps(thumb, thumbActive, false, CLR_DEFAULT, 0, 0);
    }
    m_bSliderSkins = true;
    // The fields' colour follows the current output too.
    update();
    for (CNumEdit& edit : m_edit)
        edit.update();
}

void CRouteMixCom::ApplyButtonSkin(int row, bool chinese)
{
    if (chinese)
        m_btnSource[row - 1].SetBitmaps(996, 997, 998, 998, 999, 996);
    else
        m_btnSource[row - 1].SetBitmaps(1000, 1001, 1002, 1002, 1003, 1000);
}

void CRouteMixCom::RefreshLanguage()
{
    // Each tool shows the label of the current language (set, not added).
    for (int row = 1; row <= ROW_COUNT; ++row) {
        const QString label = RowLabel(row);
        m_edit[row - 1].setToolTip(label);
        m_slider[row - 1].setToolTip(label);
    }
    const bool chinese = g_bChinese;
    for (int row = 1; row <= ROW_COUNT; ++row)
        ApplyButtonSkin(row, chinese);
}

void CRouteMixCom::WriteLevel(int row, int level)
{
    if (m_pOutData != nullptr)
        m_pOutData->SetMixLevel(row, BYTE(level));
}

void CRouteMixCom::CommitLevel(int row, int level)
{
    WriteLevel(row, level);
    m_nLevel[row - 1] = level;
    PostLevelChanged(row, level);
}

void CRouteMixCom::PostLevelChanged(int row, int level)
{
    // The view reads the source as 0..15.
    m_Notify.nRow = row - 1;
    PostMessage(m_pPage, WM_MIX_LEVEL_CHANGED, WPARAM(&m_Notify), LPARAM(level));
}

void CRouteMixCom::OnLevelEdit(int row)
{
    PostMessage(m_pPage, WM_MIX_ROW_HIGHLIGHT, WPARAM(row), 0);
    m_nValue = m_edit[row - 1].GetValue();
    m_spin[row - 1].SetPos(m_nValue);
    m_slider[row - 1].SetValue(m_nValue);
    CommitLevel(row, m_nValue);
}

void CRouteMixCom::OnLevelSpin(int row)
{
    m_nValue = m_spin[row - 1].GetPos();
    m_edit[row - 1].SetValue(m_nValue);
    m_slider[row - 1].SetValue(m_nValue);
    CommitLevel(row, m_nValue);
}

LRESULT CRouteMixCom::OnSlider(WPARAM wParam)
{
    const int row = RowOfSlider(UINT(wParam));
    if (row == 0)
        return 1;
    m_nValue = m_slider[row - 1].GetValue();
    m_edit[row - 1].SetValue(m_nValue);
    m_spin[row - 1].SetPos(m_nValue);
    CommitLevel(row, m_nValue);
    return 1;
}

void CRouteMixCom::OnSliderClicked(int row)
{
    PostMessage(m_pPage, WM_MIX_ROW_HIGHLIGHT, WPARAM(row), 0);
}

void CRouteMixCom::OnSourceButton(int row)
{
    // The only visible one is row 16's; it changes nothing but its look.
    CBitButton& button = m_btnSource[row - 1];
    button.SetCheck(!button.GetCheck());
}

void CRouteMixCom::OnLButtonDown()
{
    if (m_nOutput == g_nCurOutput)
        return;
    PostMessage(m_pPage, WM_MIX_COLUMN_SELECT, WPARAM(m_nOutput), 0);
    PostMessage(m_pPage, WM_MIX_ROW_HIGHLIGHT, 0, 0);
}

LRESULT CRouteMixCom::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND: {
        if (HIWORD(wParam) != 0)
            return 0;
        const UINT id = LOWORD(wParam);
        int row = 0;
        if ((row = MixRowIndexOf(id, &MixColumnRow::edit)) != 0)
            OnLevelEdit(row);
        else if ((row = MixRowIndexOf(id, &MixColumnRow::spin)) != 0)
            OnLevelSpin(row);
        else if ((row = MixRowIndexOf(id, &MixColumnRow::slider)) != 0)
            OnSliderClicked(row);
        else if ((row = MixRowIndexOf(id, &MixColumnRow::button)) != 0)
            OnSourceButton(row);
        return 0;
    }
    case WM_SLIDER_MOVING:
    case WM_SLIDER_MOVED: return OnSlider(wParam);
    // Copy and paste are posted to the column and end here.
    case WM_STRIP_COPY:
    case WM_STRIP_PASTE:
    default: return 0;
    }
}

bool CRouteMixCom::PreTranslate(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        OnLButtonDown();
        // A field being typed in commits; the press then reaches the
        // control under the mouse, and a clicked field takes the focus back.
        setFocus(Qt::MouseFocusReason);
        // A click on a fader tells the column, as its click notice would.
        for (int r = 0; r < ROW_COUNT; ++r) {
            if (watched == &m_slider[r])
                SendMessage(this, WM_COMMAND, MAKEWPARAM(SliderId(r + 1), 0), 0);
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    // The field commits; the column neither closes nor walks its controls.
    return TakeStripKey(this, this, static_cast<QKeyEvent*>(event), WM_STRIP_COPY, WM_STRIP_PASTE);
}

bool CRouteMixCom::eventFilter(QObject* watched, QEvent* event)
{
    if (PreTranslate(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void CRouteMixCom::mousePressEvent(QMouseEvent* event)
{
    // The press on the background itself: the pre-translation has already
    // run once, and the message map selects a second time.
    if (event->button() == Qt::LeftButton)
        OnLButtonDown();
    QWidget::mousePressEvent(event);
}

void CRouteMixCom::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_nOutput == g_nCurOutput ? m_bmpCurrent : m_bmpNormal);
}
