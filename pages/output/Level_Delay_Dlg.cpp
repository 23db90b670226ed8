#include "pages/output/Level_Delay_Dlg.h"

#include <QPainter>
#include <QRegion>

#include "controls/SpinBtn.h"
#include "graphs/NumEditValue.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerGroups.h"
#include "model/SpeakerPosition.h"
#include "pages/LevelDelayLinks.h"
#include "platform/core/Language.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 522 in dialog units of its font, Arial 8.
const CRect kLevelDelayDialog(0, 0, 855, 382);

CRect LevelDelayDu(int x, int y, int cx, int cy)
{
    return CRect(x, y, x + cx, y + cy);
}

// The link toggles in member order, with their first unchecked and first
// checked picture (three each: normal, hover, down) and their place.
struct LevelDelayToggle {
    UINT id;
    UINT images;
    UINT checkedImages;
    int x, y;
};
const LevelDelayToggle kLevelDelayToggles[CLevel_Delay_Dlg::LINK_TOGGLES] = {
    {6810, 7330, 7333, 159, 181}, {6800, 7340, 7343, 85, 199},  {6803, 7410, 7413, 85, 221},
    {6802, 7390, 7393, 85, 199},  {6801, 7400, 7403, 85, 199},  {6804, 7350, 7353, 199, 199},
    {6807, 7440, 7443, 199, 221}, {6806, 7420, 7423, 199, 199}, {6805, 7430, 7433, 199, 199},
    {6808, 7360, 7363, 85, 273},  {6809, 7370, 7373, 199, 273}, {6811, 7380, 7383, 123, 317},
};

// Speaker position p (1 to 24) at entry p - 1: its delay field and spin
// (index 0 to 14) and its position button (index 0 to 23).
struct LevelDelayPlacement {
    int field;
    int button;
};
const LevelDelayPlacement kLevelDelayPlacement[CLevel_Delay_Dlg::POSITIONS] = {
    {0, 0},   {1, 1},   {2, 2},   {1, 3},   {1, 4},   {1, 5},   {3, 6},   {4, 7},
    {5, 8},   {4, 9},   {4, 10},  {4, 11},  {8, 15},  {9, 16},  {9, 17},  {10, 18},
    {11, 19}, {11, 20}, {6, 12},  {7, 13},  {7, 14},  {12, 21}, {13, 22}, {14, 23},
};

// The delay fields' places, by field index.
const QPoint kLevelDelayFieldAt[CLevel_Delay_Dlg::DELAY_FIELDS] = {
    {22, 193},  {22, 215},  {22, 236},  {230, 193}, {230, 215}, {230, 236}, {127, 150}, {127, 211},
    {22, 267},  {22, 289},  {230, 267}, {230, 289}, {98, 347},  {158, 347}, {127, 347},
};

// The position buttons' places and first pictures (normal, hover, down
// follow), by button index.
struct LevelDelayButton {
    int x, y, cy;
    UINT images;
};
const LevelDelayButton kLevelDelayButtons[CLevel_Delay_Dlg::POSITIONS] = {
    {69, 190, 10, 7100},  {69, 211, 10, 7103},  {69, 234, 10, 7106},  {69, 211, 10, 7103},
    {69, 211, 10, 7103},  {69, 211, 10, 7103},  {212, 190, 10, 7110}, {212, 211, 10, 7113},
    {212, 234, 10, 7116}, {212, 211, 10, 7113}, {212, 211, 10, 7113}, {212, 211, 10, 7113},
    {140, 174, 13, 7120}, {137, 192, 13, 7123}, {137, 194, 13, 7123}, {69, 264, 10, 7100},
    {69, 287, 10, 7106},  {69, 287, 10, 7106},  {212, 264, 10, 7110}, {212, 287, 10, 7116},
    {212, 287, 10, 7116}, {105, 327, 13, 585},  {166, 327, 13, 588},  {136, 327, 13, 582},
};

// Columns across the page.
const int kLevelDelayInputFaderX[CLevel_Delay_Dlg::INPUT_COLUMNS] = {354, 433, 512, 591, 670, 750};
const int kLevelDelayOutputFaderX[CLevel_Delay_Dlg::OUTPUT_COLUMNS] = {321, 383, 446, 509, 571, 634, 696, 759};
const int kLevelDelayOutputX[CLevel_Delay_Dlg::OUTPUT_COLUMNS] = {322, 384, 447, 510, 572, 635, 697, 760};
const int kLevelDelayButtonX[CLevel_Delay_Dlg::OUTPUT_COLUMNS] = {321, 384, 447, 510, 572, 635, 697, 760};
const int kLevelDelayLampX[CLevel_Delay_Dlg::OUTPUT_COLUMNS] = {323, 385, 448, 511, 573, 636, 698, 761};

// The delay fields' value type for a unit; -1 leaves the type.
int LevelDelayUnitType(int unit)
{
    switch (unit) {
    case 1:
        return CNumEditValue::TYPE_DELAY_MS;
    case 2:
        return CNumEditValue::TYPE_DELAY_CM;
    case 3:
        return CNumEditValue::TYPE_DELAY_INCH;
    default:
        return -1;
    }
}

QImage LevelDelayBitmap(UINT id)
{
    return CResourceStore::Image(QStringLiteral("BMP"), id);
}
}  // namespace

CLevel_Delay_Dlg::CLevel_Delay_Dlg(QWidget* parent) : QWidget(parent)
{
}

CLevel_Delay_Dlg::~CLevel_Delay_Dlg()
{
    // Another page may have taken the slot since; only this page's entry goes.
    if (g_pLevelDelayDlg == this)
        g_pLevelDelayDlg = nullptr;
}

bool CLevel_Delay_Dlg::Create(QWidget* parent)
{
    setParent(parent);
    LayOutControls();
    return OnInitDialog();
}

void CLevel_Delay_Dlg::Place(QWidget* control, int id, const CRect& dialogUnits)
{
    control->setParent(this);
    control->setGeometry(MapDialogRect(dialogUnits, font()).ToQRect());
    SetDlgCtrlID(control, id);
}

void CLevel_Delay_Dlg::LayOutControls()
{
    setFont(DialogFont(QStringLiteral("Arial"), 8));
    resize(MapDialogRect(kLevelDelayDialog, font()).Size());

    for (int i = 0; i < LINK_TOGGLES; ++i) {
        const LevelDelayToggle& t = kLevelDelayToggles[i];
        Place(&m_btnLink[i], int(t.id), LevelDelayDu(t.x, t.y, 10, 10));
    }
    for (int k = 0; k < OUTPUT_COLUMNS; ++k) {
        Place(&m_btnNoSpeaker[k], IDC_NO_SPEAKER0 + k, LevelDelayDu(kLevelDelayButtonX[k], 315, 40, 14));
        m_btnNoSpeaker[k].setEnabled(false);
    }
    Place(&m_picLinkOn, IDC_LINK_ON, LevelDelayDu(355, 134, 20, 7));
    m_picLinkOn.setPixmap(QPixmap::fromImage(CResourceStore::Image(QStringLiteral("PNG"), 710)));
    Place(&m_btnMasterOn, IDC_MASTER_ON, LevelDelayDu(216, 105, 19, 10));
    for (int k = 0; k < INPUT_COLUMNS; ++k)
        Place(&m_btnKind[k], IDC_KIND0 + k, LevelDelayDu(335 + 80 * k, 105, k == 5 ? 63 : 42, 10));
    // The kinds without a column set-up keep their template captions.
    m_btnKind[4].setText(QStringLiteral("AUX2"));
    m_btnKind[5].setText(QStringLiteral("AUX3"));
    for (int k = 0; k < OUTPUT_COLUMNS; ++k) {
        Place(&m_btnPositionName[k], IDC_POSITION_NAME0 + k, LevelDelayDu(kLevelDelayButtonX[k], 325, 40, 14));
        m_btnPositionName[k].setEnabled(false);
    }
    for (int k = 0; k < OUTPUT_COLUMNS; ++k)
        Place(&m_lamp[k], IDC_LAMP0 + k, LevelDelayDu(kLevelDelayLampX[k], 349, 40, 8));
    for (int u = 0; u < UNITS; ++u)
        Place(&m_btnUnit[u], IDC_UNIT_MS + u, LevelDelayDu(231, 323 + 12 * u, 50, 9));
    for (int f = 0; f < DELAY_FIELDS; ++f) {
        Place(&m_spinDelay[f], IDC_DELAY_SPIN0 + f, LevelDelayDu(0, 0, 10, 10));
        m_spinDelay[f].hide();
    }
    for (int f = 0; f < DELAY_FIELDS; ++f) {
        const QPoint at = kLevelDelayFieldAt[f];
        Place(&m_editDelay[f], IDC_DELAY_EDIT0 + f, LevelDelayDu(at.x(), at.y(), 44, 10));
        m_editDelay[f].setAlignment(Qt::AlignCenter);
    }
    for (int b = 0; b < POSITIONS; ++b) {
        const LevelDelayButton& p = kLevelDelayButtons[b];
        Place(&m_btnPosition[b], IDC_POSITION0 + b, LevelDelayDu(p.x, p.y, 10, p.cy));
    }
    for (int k = 0; k < OUTPUT_COLUMNS; ++k)
        Place(&m_btnOutputOn[k], IDC_OUTPUT_ON0 + k, LevelDelayDu(kLevelDelayButtonX[k], 279, 40, 14));
    for (int k = 0; k < OUTPUT_COLUMNS; ++k)
        Place(&m_btnPolarity[k], IDC_POLARITY0 + k, LevelDelayDu(kLevelDelayButtonX[k], 297, 40, 14));
    for (int k = 0; k < OUTPUT_COLUMNS; ++k) {
        Place(&m_editOutputLevel[k], IDC_OUTPUT_EDIT0 + k, LevelDelayDu(kLevelDelayOutputX[k], 264, 40, 10));
        m_editOutputLevel[k].setAlignment(Qt::AlignCenter);
    }
    for (int k = 0; k < OUTPUT_COLUMNS; ++k) {
        Place(&m_spinOutputLevel[k], IDC_OUTPUT_SPIN0 + k, LevelDelayDu(0, 0, 10, 10));
        m_spinOutputLevel[k].hide();
    }
    for (int k = 0; k < OUTPUT_COLUMNS; ++k)
        Place(&m_sliderOutput[k], IDC_OUTPUT_SLIDER0 + k, LevelDelayDu(kLevelDelayOutputFaderX[k], 147, 40, 84));
    for (int k = 0; k < INPUT_COLUMNS; ++k) {
        Place(&m_editInputLevel[k], IDC_INPUT_EDIT0 + k, LevelDelayDu(352 + 79 * k, 91, 42, 10));
        m_editInputLevel[k].setAlignment(Qt::AlignCenter);
    }
    for (int k = 0; k < INPUT_SPINS; ++k) {
        Place(&m_spinInputLevel[k], IDC_INPUT_SPIN0 + k, LevelDelayDu(0, 0, 10, 10));
        m_spinInputLevel[k].hide();
    }
    for (int k = 0; k < INPUT_COLUMNS; ++k)
        Place(&m_sliderInput[k], IDC_INPUT_SLIDER0 + k, LevelDelayDu(kLevelDelayInputFaderX[k], 12, 20, 20));
    Place(&m_editMaster, IDC_MASTER_EDIT, LevelDelayDu(231, 91, 42, 10));
    m_editMaster.setAlignment(Qt::AlignCenter);
    Place(&m_spinMaster, IDC_MASTER_SPIN, LevelDelayDu(0, 0, 10, 10));
    m_spinMaster.hide();
    Place(&m_sliderMaster, IDC_MASTER_SLIDER, LevelDelayDu(234, 12, 15, 12));
}

bool CLevel_Delay_Dlg::OnInitDialog()
{
    // Both backgrounds are kept for the page's lifetime; a paint only draws.
    m_bmpBackEn = LevelDelayBitmap(IDB_BACK_EN);
    m_bmpBackCn = LevelDelayBitmap(IDB_BACK_CN);
    g_pLevelDelayDlg = this;
    // Enter, Tab and Escape of every control pass the page first.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    SetUpControls();
    ResetMeters();
    m_editMaster.setFocus(Qt::OtherFocusReason);
    return true;
}

CRect CLevel_Delay_Dlg::ClientRectOf(const QWidget* control)
{
    return CRect::FromQRect(control->geometry());
}

void CLevel_Delay_Dlg::SetUpLevelColumn(CNumSpin& spin, CNumEdit& edit, CBitmapSlider& fader, UINT channel,
                                        UINT thumb)
{
    // Steps x 0.1 - 60 dB (600 = 0 dB); the fader's thumb keyed by its
    // top-left pixel.
    spin.SetBuddy(&edit);
    spin.SetRange(0, LEVEL_MAX);
    edit.SetStep(0.1);
    edit.SetOffset(60.0);
    edit.SetValueType(CNumEditValue::TYPE_LEVEL_DB, QString());
    edit.LimitText(6);
    edit.SetBuddySlider(&fader);
    fader.SetChannelBitmaps(channel, channel, false, CLR_DEFAULT, 0, 0);
    fader.SetThumbBitmaps(thumb, 282, true, CLR_DEFAULT, 0, 0);
    fader.SetRange(0, LEVEL_MAX, false);
    fader.SetBuddyEdit(&edit);
    fader.EnableMoveNotify(true);
}

void CLevel_Delay_Dlg::SetUpControls()
{
    // 1. The link indicator shows only while output linking is on.
    m_picLinkOn.hide();

    // 2. Master: steps - 60 dB, "OFF" at 0.
    m_spinMaster.SetBuddy(&m_editMaster);
    m_spinMaster.SetRange(0, MASTER_MAX);
    m_editMaster.SetStep(1.0);
    m_editMaster.SetOffset(60.0);
    m_editMaster.SetValueType(CNumEditValue::TYPE_LEVEL_OFF_BOTTOM, QString());
    m_editMaster.LimitText(6);
    m_editMaster.SetBuddySlider(&m_sliderMaster);
    m_btnMasterOn.EnableMoveNotify(true);
    m_sliderMaster.SetChannelBitmaps(357, 357, false, CLR_DEFAULT, 0, 0);
    m_sliderMaster.SetThumbBitmaps(358, 282, true, CLR_DEFAULT, 0, 0);
    m_sliderMaster.SetRange(0, MASTER_MAX, false);
    m_sliderMaster.SetMargin(33, 10, 1, 7);
    m_sliderMaster.SetBuddyEdit(&m_editMaster);
    m_sliderMaster.EnableMoveNotify(true);

    // 3. Input columns of the four music channels: steps x 0.1 - 60 dB.
    for (int k = 0; k < MUSIC_COLUMNS; ++k) {
        SetUpLevelColumn(m_spinInputLevel[k], m_editInputLevel[k], m_sliderInput[k], 388, 387);
        m_sliderInput[k].SetMargin(38, 0, 1, 2);
        m_btnKind[k].SetBitmaps(4810 + k, 4820 + k, 4830 + k, 4830 + k, 4830 + k, 4830 + k);
        m_btnKind[k].EnableMoveNotify(true);
    }

    // 4. The slots the input columns are packed into.
    for (int k = 0; k < INPUT_COLUMNS; ++k) {
        m_aColumn[k].edit = ClientRectOf(&m_editInputLevel[k]);
        m_aColumn[k].fader = ClientRectOf(&m_sliderInput[k]);
        m_aColumn[k].kind = ClientRectOf(&m_btnKind[k]);
    }

    // 5. Output columns.
    for (int k = 0; k < OUTPUT_COLUMNS; ++k) {
        SetUpLevelColumn(m_spinOutputLevel[k], m_editOutputLevel[k], m_sliderOutput[k], 539, 538);
        m_sliderOutput[k].SetMargin(35, 4, 1, 4);
        m_btnOutputOn[k].SetBitmaps(529, 530, 531, 526, 527, 528);
        m_btnOutputOn[k].SetDisabledBitmaps(4376, 4377);
        m_btnOutputOn[k].EnableMoveNotify(true);
        m_btnPolarity[k].SetBitmaps(4370, 4371, 4372, 4373, 4374, 4375);
        m_btnPolarity[k].SetDisabledBitmaps(4378, 4379);
        m_btnPolarity[k].EnableMoveNotify(true);
        m_lamp[k].CalcLayout();
        m_btnNoSpeaker[k].SetDisabledBitmaps(4200, 4200);
    }

    // 6. Position buttons; the centre places are taken as the template has
    // them, for one and for two centre speakers.
    for (int b = 0; b < POSITIONS; ++b) {
        const UINT first = kLevelDelayButtons[b].images;
        CBtnPng& button = m_btnPosition[b];
        button.SetImages(first, first + 1, first + 2);
        button.SetCheckedImages(first + 2, first + 2, first + 2);
        button.EnableMoveNotify(true);
        if (b == 13) {  // 6053
            m_rcCentre[2] = m_rcCentre[3] = ClientRectOf(&button);
            m_rcCentre[6] = ClientRectOf(&m_editDelay[7]);
            m_rcCentre[7] = m_rcCentre[6];
        } else if (b == 12) {  // 6052
            m_rcCentre[0] = m_rcCentre[1] = ClientRectOf(&button);
            m_rcCentre[4] = ClientRectOf(&m_editDelay[6]);
            m_rcCentre[5] = m_rcCentre[4];
        }
    }

    // 7. Link toggles.
    for (int i = 0; i < LINK_TOGGLES; ++i) {
        const LevelDelayToggle& t = kLevelDelayToggles[i];
        m_btnLink[i].SetImages(t.images, t.images + 1, t.images + 2);
        m_btnLink[i].SetCheckedImages(t.checkedImages, t.checkedImages + 1, t.checkedImages + 2);
    }

    // 8. Delay fields: 1/48 ms steps 0 to 960 shown in the page's unit, with a
    // step button for the step-only state.
    const int type = LevelDelayUnitType(g_nLevelDelayUnit);
    for (int f = 0; f < DELAY_FIELDS; ++f) {
        CNumEdit& edit = m_editDelay[f];
        CNumSpin& spin = m_spinDelay[f];
        edit.CreateStepButton(IDC_STEP_BUTTON0 + f);
        edit.StepButton()->SetBitmaps(800, 801, 802, 803);
        edit.BindStepButton(IDC_DELAY_SPIN0 + f, &spin);
        spin.SetBuddy(&edit);
        spin.SetRange(0, DELAY_MAX);
        spin.SetStepMode(CNumSpin::MODE_DELAY);
        if (type >= 0)
            edit.SetValueType(type, QString());
        edit.LimitText(10);
        edit.SetValue(0);
    }

    // 9. The order Enter and Tab walk.
    int n = 0;
    m_anFocusOrder[n++] = IDC_MASTER_EDIT;
    for (int k = 0; k < INPUT_COLUMNS; ++k)
        m_anFocusOrder[n++] = IDC_INPUT_EDIT0 + k;
    for (int f = 0; f < DELAY_FIELDS; ++f)
        m_anFocusOrder[n++] = IDC_DELAY_EDIT0 + f;
    for (int k = 0; k < OUTPUT_COLUMNS; ++k)
        m_anFocusOrder[n++] = IDC_OUTPUT_EDIT0 + k;
}

void CLevel_Delay_Dlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& back = g_bChinese ? m_bmpBackCn : m_bmpBackEn;
    // Both backgrounds have the size of the English one; what the page has
    // beyond it shows the dialogs' own background.
    const QRect area(QPoint(0, 0), m_bmpBackEn.size());
    const QRegion beyond = QRegion(rect()).subtracted(area);
    for (const QRect& part : beyond)
        painter.fillRect(part, GetSysColor(COLOR_BTNFACE));
    painter.drawImage(area, back, area);
}

void CLevel_Delay_Dlg::ApplyLanguage()
{
    const bool chinese = g_bChinese;
    m_editMaster.RefreshLanguage();
    for (int k = 0; k < MUSIC_COLUMNS; ++k)
        m_editInputLevel[k].RefreshLanguage();
    for (int k = 0; k < MUSIC_COLUMNS; ++k) {
        const UINT normal = (chinese ? 4850 : 4810) + k;
        m_btnKind[k].SetBitmaps(normal, normal + 10, normal + 20, normal + 20, normal + 20, normal + 20);
    }
    const UINT master = chinese ? 4900 : 4890;
    m_btnMasterOn.SetBitmaps(master, master + 1, master + 2, master + 3, master + 4, master + 5);

    BYTE positions[OUTPUT_COLUMNS];
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int k = 0; k < OUTPUT_COLUMNS; ++k)
            positions[k] = g_byOutputPosition[k];
    }
    for (int k = 0; k < OUTPUT_COLUMNS; ++k) {
        m_editOutputLevel[k].RefreshLanguage();
        const UINT name = (chinese ? 4230 : 4200) + PositionCodeOrNone(positions[k]);
        m_btnPositionName[k].SetDisabledBitmaps(name, name);
        const UINT polarity = chinese ? 4380 : 4370;
        m_btnPolarity[k].SetBitmaps(polarity, polarity + 1, polarity + 2, polarity + 3, polarity + 4, polarity + 5);
        m_btnPolarity[k].SetDisabledBitmaps(polarity + 8, polarity + 9);
    }
    for (int u = 0; u < UNITS; ++u) {
        const UINT normal = (chinese ? 4330 : 4320) + 3 * u;
        m_btnUnit[u].SetBitmaps(normal, normal + 1, normal + 2, normal + 2, normal + 2, normal + 2);
    }
    for (CNumEdit& edit : m_editDelay)
        edit.RefreshLanguage();
}

void CLevel_Delay_Dlg::UpdateMeters()
{
    int codes[OUTPUT_COLUMNS];
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int k = 0; k < OUTPUT_COLUMNS; ++k)
            codes[k] = g_nDeviceStatus[6 + k];
    }
    for (int k = 0; k < OUTPUT_COLUMNS; ++k)
        m_lamp[k].SetLevel(BYTE(codes[k]));
}

void CLevel_Delay_Dlg::ResetMeters()
{
    for (CSLamp& lamp : m_lamp)
        lamp.Reset();
}

void CLevel_Delay_Dlg::RefreshAll()
{
    // Everything the page shows, read in one hold of the lock; the controls
    // are set after it is released (a value outside a spin's range asks for
    // a box).
    struct OutputValues {
        int gain, on, polarity, delay, position;
    };
    int masterLevel = 0, masterOn = 0;
    int musicGain[MUSIC_COLUMNS] = {};
    OutputValues outputs[OUTPUTS] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        masterLevel = g_wMasterLevel;
        masterOn = g_byMasterOn;
        for (int k = 0; k < MUSIC_COLUMNS; ++k)
            musicGain[k] = m_pData != nullptr ? m_pData->GetMusic(k)->GetGain() : 0;
        for (int i = 0; i < OUTPUTS; ++i) {
            OutputValues& v = outputs[i];
            if (m_pData != nullptr) {
                CKTV_OutData* output = m_pData->GetOutput(i);
                v.gain = output->GetGain();
                v.on = output->GetOn();
                v.polarity = output->GetPolarity();
                v.delay = output->GetDelay();
            }
            v.position = g_byOutputPosition[i];
        }
    }

    // 1. Master.
    m_spinMaster.SetPos(masterLevel);
    m_sliderMaster.SetValue(masterLevel);
    m_btnMasterOn.SetCheck(masterOn != 0);
    // 2. Link indicator.
    m_picLinkOn.setVisible(g_bOutputLinkOn);
    // 3. Input columns of the music channels.
    for (int k = 0; k < MUSIC_COLUMNS; ++k) {
        m_spinInputLevel[k].SetPos(musicGain[k]);
        m_sliderInput[k].SetValue(musicGain[k]);
        m_spinInputLevel[k].setEnabled(true);
        m_sliderInput[k].Enable(true);
    }
    // 4.
    ShowSourceColumns();
    // 5.
    m_nSelected = -1;
    // 6. Output columns.
    const bool chinese = g_bChinese;
    for (int k = 0; k < OUTPUT_COLUMNS; ++k) {
        const OutputValues& v = outputs[k];
        m_spinOutputLevel[k].SetPos(v.gain);
        m_sliderOutput[k].SetValue(v.gain);
        m_editOutputLevel[k].Show(SW_SHOW);
        m_sliderOutput[k].show();
        m_btnOutputOn[k].ShowWindow(SW_SHOW);
        m_btnOutputOn[k].SetCheck(v.on != 0);
        m_nLastOn = v.on;
        m_btnPolarity[k].ShowWindow(SW_SHOW);
        m_btnPolarity[k].SetCheck(v.polarity != 0);
        const UINT name = (chinese ? 4230 : 4200) + PositionCodeOrNone(v.position);
        m_btnPositionName[k].SetDisabledBitmaps(name, name);
    }
    // 7.
    ShowPositionedOutputs();
    // 8. The car plan empty.
    for (CNumEdit& edit : m_editDelay) {
        edit.Show(SW_HIDE);
        edit.SetReadOnly(false);
    }
    for (CBtnPng& button : m_btnPosition) {
        button.ShowWindow(SW_HIDE);
        button.SetCheck(false);
    }
    // 9. Every output on its place, with its delay.
    for (int i = 0; i < OUTPUTS; ++i) {
        PlaceOutputDelay(outputs[i].position, i);
        if (m_aDelayRecord[i].spin != nullptr)
            m_aDelayRecord[i].spin->SetPos(outputs[i].delay);
    }
    // 10., 11.
    RefreshGroupToggles();
    SetDelayUnit(g_nLevelDelayUnit);
}

void CLevel_Delay_Dlg::ShowInputColumn(int column, bool show)
{
    m_sliderInput[column].setVisible(show);
    m_editInputLevel[column].Show(show ? SW_SHOW : SW_HIDE);
    m_btnKind[column].ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CLevel_Delay_Dlg::MoveInputColumn(int column, int slot)
{
    const ColumnRects& place = m_aColumn[slot];
    m_sliderInput[column].setGeometry(place.fader.ToQRect());
    m_editInputLevel[column].setGeometry(place.edit.ToQRect());
    m_btnKind[column].setGeometry(place.kind.ToQRect());
    update();
}

void CLevel_Delay_Dlg::LayoutInputColumns()
{
    const int mask = g_byInputButtonMask;
    if (mask < 0 || mask > 3)
        return;
    const bool spdif = (mask & 2) != 0;
    const bool phone = (mask & 1) != 0;
    ShowInputColumn(0, spdif);
    ShowInputColumn(2, phone);
    // Column 0 never moves: the others close up behind what is present.
    int slot = spdif ? 1 : 0;
    for (int column = 1; column < INPUT_COLUMNS; ++column) {
        if (column == 2 && !phone)
            continue;
        MoveInputColumn(column, slot++);
    }
}

void CLevel_Delay_Dlg::ShowSourceColumns()
{
    switch (g_nSourceTable) {
    case 0:
        ShowInputColumn(4, true);
        ShowInputColumn(5, true);
        break;
    case 1:
        ShowInputColumn(4, true);
        ShowInputColumn(5, false);
        break;
    case 2:
        ShowInputColumn(4, false);
        ShowInputColumn(5, false);
        break;
    default:
        break;
    }
}

void CLevel_Delay_Dlg::ShowPositionedOutputs()
{
    BYTE positions[OUTPUT_COLUMNS];
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int k = 0; k < OUTPUT_COLUMNS; ++k)
            positions[k] = g_byOutputPosition[k];
    }
    for (int k = 0; k < OUTPUT_COLUMNS; ++k) {
        if (positions[k] == 0) {
            m_editOutputLevel[k].Show(SW_HIDE);
            m_sliderOutput[k].hide();
            m_btnOutputOn[k].ShowWindow(SW_HIDE);
            m_btnPolarity[k].ShowWindow(SW_HIDE);
            m_lamp[k].hide();
            m_btnNoSpeaker[k].ShowWindow(SW_SHOW);
        } else {
            m_lamp[k].show();
            m_btnNoSpeaker[k].ShowWindow(SW_HIDE);
        }
    }
}

CNumEdit* CLevel_Delay_Dlg::DelayEditOfPosition(int position)
{
    if (position < 1 || position > POSITIONS)
        return nullptr;
    return &m_editDelay[kLevelDelayPlacement[position - 1].field];
}

CNumSpin* CLevel_Delay_Dlg::DelaySpinOfPosition(int position)
{
    if (position < 1 || position > POSITIONS)
        return nullptr;
    return &m_spinDelay[kLevelDelayPlacement[position - 1].field];
}

CBtnPng* CLevel_Delay_Dlg::ButtonOfPosition(int position)
{
    if (position < 1 || position > POSITIONS)
        return nullptr;
    return &m_btnPosition[kLevelDelayPlacement[position - 1].button];
}

CBtnPng* CLevel_Delay_Dlg::LinkToggle(UINT id)
{
    for (int i = 0; i < LINK_TOGGLES; ++i)
        if (kLevelDelayToggles[i].id == id)
            return &m_btnLink[i];
    return nullptr;
}

void CLevel_Delay_Dlg::MoveOnto(QWidget* control, const CRect& rect)
{
    control->move(rect.left, rect.top);
    control->raise();
}

void CLevel_Delay_Dlg::PlaceOutputDelay(int position, int output)
{
    if (output < 0 || output >= OUTPUTS)
        return;
    if (position == 0) {
        m_aDelayRecord[output] = DelayRecord();
        return;
    }
    if (position < 1 || position > POSITIONS)
        return;
    CNumEdit* edit = DelayEditOfPosition(position);
    CNumSpin* spin = DelaySpinOfPosition(position);
    CBtnPng* button = ButtonOfPosition(position);
    spin->SetUserData(output);
    edit->Show(SW_SHOW);

    // Two centre speakers stand side by side; one alone takes the middle.
    CBtnPng& tweeter = m_btnPosition[12];  // 6052
    CBtnPng& woofer = m_btnPosition[13];   // 6053
    CNumEdit& tweeterDelay = m_editDelay[6];
    CNumEdit& wooferDelay = m_editDelay[7];
    const auto bothCentres = [&] {
        MoveOnto(&tweeter, m_rcCentre[0]);
        MoveOnto(&woofer, m_rcCentre[2]);
        MoveOnto(&tweeterDelay, m_rcCentre[4]);
        MoveOnto(&wooferDelay, m_rcCentre[6]);
    };
    if (position == 19) {
        if (!woofer.isHidden()) {
            bothCentres();
        } else {
            MoveOnto(&tweeter, m_rcCentre[1]);
            MoveOnto(&tweeterDelay, m_rcCentre[5]);
        }
    } else if (position == 20) {
        if (!tweeter.isHidden()) {
            bothCentres();
        } else {
            MoveOnto(&woofer, m_rcCentre[3]);
            MoveOnto(&wooferDelay, m_rcCentre[7]);
        }
    } else if (position == 21) {
        MoveOnto(&tweeter, m_rcCentre[0]);
        MoveOnto(&woofer, m_rcCentre[2]);
        MoveOnto(&wooferDelay, m_rcCentre[7]);
    }
    button->ShowWindow(SW_SHOW);
    m_aDelayRecord[output] = DelayRecord{edit, spin, button};
}

void CLevel_Delay_Dlg::SetFrontToggle(const std::array<int, 4>& idsByType, int state, int type,
                                      const int members[OUTPUTS])
{
    for (int id : idsByType)
        LinkToggle(UINT(id))->ShowWindow(SW_HIDE);
    if (state != 0 && state != 1)
        return;
    CBtnPng* toggle = type >= 1 && type <= 4 ? LinkToggle(UINT(idsByType[type - 1])) : nullptr;
    if (toggle != nullptr) {
        toggle->SetCheck(state == 1);
        toggle->ShowWindow(SW_SHOW);
    }
    if (state == 1)
        SetGroupStepOnly(members, true);
}

void CLevel_Delay_Dlg::RefreshGroupToggles()
{
    CSpeakerGroups groups;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        groups = g_SpeakerGroups;
    }
    const struct {
        UINT id;
        int state;
        const int* members;
    } single[] = {
        {IDC_LINK_CENTRE, groups.m_nCenterState, groups.m_anCenterMembers},
        {IDC_LINK_REAR_LEFT, groups.m_nRearLeftState, groups.m_anRearLeftMembers},
        {IDC_LINK_REAR_RIGHT, groups.m_nRearRightState, groups.m_anRearRightMembers},
        {IDC_LINK_SUBS, groups.m_nSubState, groups.m_anSubMembers},
    };
    for (const auto& g : single) {
        CBtnPng* toggle = LinkToggle(g.id);
        if (g.state == 0 || g.state == 1) {
            toggle->SetCheck(g.state == 1);
            toggle->ShowWindow(SW_SHOW);
            if (g.state == 1)
                SetGroupStepOnly(g.members, true);
        } else {
            toggle->ShowWindow(SW_HIDE);
        }
    }
    SetFrontToggle({IDC_LINK_FRONT_LEFT_1, IDC_LINK_FRONT_LEFT_2, IDC_LINK_FRONT_LEFT_NO_TWEETER,
                    IDC_LINK_FRONT_LEFT_3},
                   groups.m_nFrontLeftState, groups.m_nFrontLeftType, groups.m_anFrontLeftMembers);
    SetFrontToggle({IDC_LINK_FRONT_RIGHT_1, IDC_LINK_FRONT_RIGHT_2, IDC_LINK_FRONT_RIGHT_NO_TWEETER,
                    IDC_LINK_FRONT_RIGHT_3},
                   groups.m_nFrontRightState, groups.m_nFrontRightType, groups.m_anFrontRightMembers);
}

void CLevel_Delay_Dlg::SetGroupStepOnly(const int members[OUTPUTS], bool on)
{
    for (int i = 0; i < OUTPUTS; ++i) {
        const int output = members[i];
        if (output < 0 || output >= OUTPUTS)
            continue;
        // The groups follow every position change while the records wait for
        // the next RefreshAll: a member placed since has no field yet.
        CNumEdit* edit = m_aDelayRecord[output].edit;
        if (edit != nullptr)
            edit->SetReadOnly(on);
    }
}

void CLevel_Delay_Dlg::SetDelayUnit(int unit)
{
    if (g_nLevelDelayUnit >= 1 && g_nLevelDelayUnit <= UNITS)
        m_btnUnit[g_nLevelDelayUnit - 1].SetCheck(false);
    g_nLevelDelayUnit = unit;
    if (unit >= 1 && unit <= UNITS)
        m_btnUnit[unit - 1].SetCheck(true);
    const int type = LevelDelayUnitType(unit);
    if (type < 0)
        return;
    for (CNumEdit& edit : m_editDelay)
        edit.SetValueType(type, QString());
}

void CLevel_Delay_Dlg::CheckKindButtons(int kind)
{
    for (int k = 0; k < MUSIC_COLUMNS; ++k)
        m_btnKind[k].SetCheck(k == kind);
}

void CLevel_Delay_Dlg::RefreshKindBitmaps()
{
    const bool chinese = g_bChinese;
    BYTE lock = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        lock = g_SystemBytes[12];
    }
    for (int k = 0; k < MUSIC_COLUMNS; ++k) {
        const UINT normal = (chinese ? 4850 : 4810) + k;
        const UINT checked = lock == 0 ? normal + 20 : normal + 30;
        m_btnKind[k].SetBitmaps(normal, normal + 10, normal + 20, checked, checked, checked);
    }
}

void CLevel_Delay_Dlg::RefreshInputArea()
{
    LayoutInputColumns();
    RefreshKindBitmaps();
    CheckKindButtons(g_nInputMode);
}

void CLevel_Delay_Dlg::CheckPositionButton(int position, bool check)
{
    CBtnPng* button = ButtonOfPosition(position);
    if (button != nullptr)
        button->SetCheck(check);
}

void CLevel_Delay_Dlg::CheckOutputPositionButton(int output, bool check)
{
    if (output < 0 || output >= OUTPUTS)
        return;
    int position = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        position = g_byOutputPosition[output];
    }
    CheckPositionButton(position, check);
}

void CLevel_Delay_Dlg::CheckSelectedPositionButton(bool check)
{
    CheckOutputPositionButton(m_nSelected, check);
}

void CLevel_Delay_Dlg::SelectOutput(int output)
{
    if (m_nSelected >= 0 && m_nSelected < OUTPUTS) {
        CheckSelectedPositionButton(false);
        for (int i = 0; i < OUTPUTS; ++i)
            if (i != m_nSelected && g_nLinkGroup[i] == g_nLinkGroup[m_nSelected])
                CheckOutputPositionButton(i, false);
    }
    if (output >= 0 && output < OUTPUTS) {
        m_nSelected = output;
        CheckSelectedPositionButton(true);
    }
}

void CLevel_Delay_Dlg::SelectOutputIfNew(int output)
{
    if (output != m_nSelected)
        SelectOutput(output);
}
