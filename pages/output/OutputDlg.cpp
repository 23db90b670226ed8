#include "pages/output/OutputDlg.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "app/LinkGroupTables.h"
#include "app/SpeakerTypeMenu.h"
#include "controls/SpinBtn.h"
#include "model/Filter.h"
#include "model/FrequencyTables.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerGroups.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "pages/MainView.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

const QColor COutputDlg::kLabelGrey(178, 177, 176);
const QColor COutputDlg::kLabelRed(255, 0, 0);

namespace {
// Dialog 136 and the controls it places, in dialog units of its font,
// Arial 7.
const CRect kOutputDialog(0, 0, 1037, 460);
const CRect kOutputGraph(90, 21, 976, 160);
// Band b stands 29 units right of band b - 1, band 1 at x 116.
constexpr int kOutputBandX = 116;
constexpr int kOutputBandPitch = 29;
constexpr int kOutputBandFieldW = 24, kOutputBandFieldH = 9;
constexpr int kOutputLabelY = 167, kOutputFreqY = 178, kOutputQY = 193, kOutputGainY = 207;
constexpr int kOutputFaderY = 220, kOutputBypassY = 286;
// Where the page puts the curve-visibility strip, in pixels.
const CRect kOutputCurveStrip(1223, 20, 1223 + 46, 20 + 222);

// Controls the template places where the page's user finds them: the
// high-pass selectors and field above the graph's low end, the low-pass
// ones above its high end; the three EQ toggles left of the band columns;
// the hidden level, delay, polarity and map controls in the right margin.
const CRect kOutputHpfFamily(92, 3, 152, 18);
const CRect kOutputHpfSlope(154, 3, 214, 18);
const CRect kOutputHpfFreq(216, 5, 256, 16);
const CRect kOutputLpfFreq(812, 5, 852, 16);
const CRect kOutputLpfFamily(854, 3, 914, 18);
const CRect kOutputLpfSlope(916, 3, 976, 18);
const CRect kOutputAllBypass(8, 176, 60, 191);
const CRect kOutputEqMode(8, 196, 60, 211);
const CRect kOutputResetEq(8, 216, 60, 231);
const CRect kOutputLevelEdit(982, 200, 1030, 211);
const CRect kOutputLevelFader(982, 214, 1006, 300);
const CRect kOutputPolarity(982, 302, 1030, 314);
const CRect kOutputDelayEdit(982, 316, 1030, 327);  // then 4011 and 4012 below, 14 units apart
const CRect kOutputMapButton(982, 360, 1030, 372);  // 4700 to 4704, 14 units apart
const CRect kOutputMark(982, 430, 1030, 440);
// Where the page puts the delay side panel, in pixels.
const QRect kOutputDelayPanel(5, 333, 93, 111);

// Speaker-position buttons: ids in member order and their position codes.
constexpr int kOutputSpeakerIds[COutputDlg::SPEAKER_BUTTON_COUNT] = {
    4621, 4623, 4622, 4617, 4618, 4620, 4615, 4616, 4619, 4611, 4610, 4609,
    4612, 4613, 4614, 4605, 4604, 4603, 4606, 4607, 4608, 4600, 4601, 4602};
struct OutputSpeakerButton {
    int id;
    int code;
    // Grid place left of the graph: column and row, in halves.
    int col2, row2;
    UINT normal, hover, down;
};
// Front left on the left, front right mirrored on the right, the centre
// between them, rear and subs below.
constexpr OutputSpeakerButton kOutputSpeakerButtons[] = {
    {4605, 1, 0, 0, 7100, 7101, 7102},   {4604, 2, 2, 0, 7103, 7104, 7105},   {4603, 3, 0, 2, 7106, 7107, 7108},
    {4606, 4, 2, 2, 7103, 7104, 7105},   {4607, 5, 0, 4, 7103, 7104, 7105},   {4608, 6, 2, 4, 7103, 7104, 7105},
    {4611, 7, 6, 0, 7110, 7111, 7112},   {4610, 8, 4, 0, 7113, 7114, 7115},   {4609, 9, 6, 2, 7116, 7117, 7118},
    {4612, 10, 4, 2, 7113, 7114, 7115},  {4613, 11, 6, 4, 7113, 7114, 7115},  {4614, 12, 4, 4, 7113, 7114, 7115},
    {4601, 19, 1, 6, 7120, 7121, 7122},  {4600, 20, 3, 6, 7123, 7124, 7125},  {4602, 21, 5, 6, 7123, 7124, 7125},
    {4616, 13, 0, 8, 7100, 7101, 7102},  {4615, 14, 2, 8, 7106, 7107, 7108},  {4619, 15, 0, 10, 7106, 7107, 7108},
    {4618, 16, 6, 8, 7110, 7111, 7112},  {4617, 17, 4, 8, 7116, 7117, 7118},  {4620, 18, 6, 10, 7116, 7117, 7118},
    {4621, 22, 2, 10, 585, 586, 587},    {4622, 23, 4, 10, 588, 589, 590},    {4623, 24, 3, 12, 582, 583, 584},
};
constexpr int kOutputSpeakerX = 4, kOutputSpeakerY = 24, kOutputSpeakerPitch = 21, kOutputSpeakerSize = 20;

const OutputSpeakerButton* OutputSpeakerOfId(int id)
{
    for (const OutputSpeakerButton& b : kOutputSpeakerButtons)
        if (b.id == id)
            return &b;
    return nullptr;
}

QFont OutputTemplateFont()
{
    return DialogFont(QStringLiteral("Arial"), 7);
}

QRect OutputPixels(const CRect& du)
{
    return MapDialogRect(du, OutputTemplateFont()).ToQRect();
}

void PlaceOutputControl(QWidget& control, const CRect& du, int id)
{
    control.setGeometry(OutputPixels(du));
    SetDlgCtrlID(&control, id);
}

// The band's place in dialog units at a row.
CRect OutputBandField(int band, int y)
{
    const int x = kOutputBandX + kOutputBandPitch * band;
    return CRect(x, y, x + kOutputBandFieldW, y + kOutputBandFieldH);
}

// Writes value into output's item through set only when get reads another
// value, so an unchanged item is not sent again.
template <typename T>
void OutputWriteIfChanged(CKTV_Data* data, int output, T (CKTV_OutData::*get)() const,
                          void (CKTV_OutData::*set)(T), T value)
{
    if (data == nullptr || output < 0 || output >= OUTPUT_COUNT)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    CKTV_OutData* channel = data->GetOutput(output);
    if ((channel->*get)() != value)
        (channel->*set)(value);
}

const char* const kOutputFamiliesCn[] = {"宁克-锐", "巴特沃斯", "贝塞尔"};
const char* const kOutputFamiliesEn[] = {"Link_Ril", "Butter_W", "Bessel"};
const char* const kOutputSlopes[] = {"6dB/Oct",  "12dB/Oct", "18dB/Oct", "24dB/Oct",
                                     "30dB/Oct", "36dB/Oct", "42dB/Oct", "48dB/Oct"};
}  // namespace

COutputDlg::COutputDlg(QWidget* parent)
    : QWidget(parent), m_stcMark(this), m_stcPictureB(this), m_stcPictureA(this), m_btnLanguageMark(this),
      m_btnMap4702(this), m_btnLRLink(this), m_btnMapLock(this), m_btnMapRead(this), m_btnMapSave(this),
      m_btnUiMode2(this), m_btnInputModeMark(this), m_btnPolarity(this), m_spinDelayMs(this), m_spinDelayCm(this),
      m_spinDelayInch(this), m_editDelayMs(this), m_editDelayCm(this), m_editDelayInch(this), m_spinLevel(this),
      m_editLevel(this), m_sldLevel(this), m_graph(this), m_btnResetEq(this), m_btnEqMode(this),
      m_btnAllBypass(this), m_cbLpfFamily(this), m_cbLpfSlope(this), m_cbHpfFamily(this), m_cbHpfSlope(this),
      m_spinHpfFreq(this), m_editHpfFreq(this), m_spinLpfFreq(this), m_editLpfFreq(this)
{
    for (CBtnPng& button : m_btnSpeaker)
        button.setParent(this);
    for (int b = 0; b < BAND_COUNT; ++b) {
        for (QWidget* control :
             std::initializer_list<QWidget*>{&m_spinBandFreq[b], &m_editBandFreq[b], &m_btnBandBypass[b],
                                             &m_sldBandGain[b], &m_stcBandLabel[b], &m_spinBandGain[b],
                                             &m_spinBandQ[b], &m_editBandGain[b], &m_editBandQ[b]})
            control->setParent(this);
    }
    // Each output's record starts as its own link group, as the view's
    // strips do, so that switching outputs takes every output along.
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        m_strips[i].m_nChannel = i;
        m_strips[i].m_nLinkMask = 1 << i;
        m_strips[i].SetUpFields();
    }
}

COutputDlg::~COutputDlg()
{
    ClearBandOwners();
}

void COutputDlg::ClearBandOwners()
{
    // The faders go with the page: no band may still point at one.
    if (m_pData == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        CKTV_OutData* output = m_pData->GetOutput(i);
        if (output == nullptr)
            continue;
        for (int b = 0; b < BAND_COUNT; ++b)
            if (CFilter* band = output->GetBand(b))
                band->SetOwner(nullptr);
    }
}

int COutputDlg::SpeakerButtonId(int index)
{
    return index >= 0 && index < SPEAKER_BUTTON_COUNT ? kOutputSpeakerIds[index] : 0;
}

int COutputDlg::SpeakerButtonCode(int index)
{
    const OutputSpeakerButton* b = OutputSpeakerOfId(SpeakerButtonId(index));
    return b != nullptr ? b->code : 0;
}

CBtnPng* COutputDlg::SpeakerButton(int code)
{
    for (int i = 0; i < SPEAKER_BUTTON_COUNT; ++i)
        if (code >= 1 && SpeakerButtonCode(i) == code)
            return &m_btnSpeaker[i];
    return nullptr;
}

// ---- Window and set-up ---------------------------------------------------------------

bool COutputDlg::Create(QWidget* parent)
{
    setParent(parent);
    resize(OutputPixels(kOutputDialog).size());
    PlaceControls();
    return OnInitDialog();
}

void COutputDlg::PlaceControls()
{
    PlaceOutputControl(m_graph, kOutputGraph, IDC_GRAPH);
    for (int b = 0; b < BAND_COUNT; ++b) {
        PlaceOutputControl(m_stcBandLabel[b], OutputBandField(b, kOutputLabelY), IDC_BAND_LABEL + b);
        PlaceOutputControl(m_editBandFreq[b], OutputBandField(b, kOutputFreqY), IDC_BAND_FREQ_EDIT + b);
        PlaceOutputControl(m_editBandQ[b], OutputBandField(b, kOutputQY), IDC_BAND_Q_EDIT + b);
        PlaceOutputControl(m_editBandGain[b], OutputBandField(b, kOutputGainY), IDC_BAND_GAIN_EDIT + b);
        PlaceOutputControl(m_sldBandGain[b], OutputBandField(b, kOutputFaderY), IDC_BAND_FADER + b);
        PlaceOutputControl(m_btnBandBypass[b], OutputBandField(b, kOutputBypassY), IDC_BAND_BYPASS + b);
        // The spins work through their fields and show nothing.
        PlaceOutputControl(m_spinBandFreq[b], OutputBandField(b, kOutputFreqY), IDC_BAND_FREQ_SPIN + b);
        PlaceOutputControl(m_spinBandQ[b], OutputBandField(b, kOutputQY), IDC_BAND_Q_SPIN + b);
        PlaceOutputControl(m_spinBandGain[b], OutputBandField(b, kOutputGainY), IDC_BAND_GAIN_SPIN + b);
        m_stcBandLabel[b].setText(QString::number(b + 1));
        m_btnBandBypass[b].setText(QStringLiteral("BY"));
        for (QLineEdit* edit : {static_cast<QLineEdit*>(&m_editBandFreq[b]), static_cast<QLineEdit*>(&m_editBandQ[b]),
                                static_cast<QLineEdit*>(&m_editBandGain[b])})
            edit->setAlignment(Qt::AlignCenter);
    }
    PlaceOutputControl(m_cbHpfFamily, kOutputHpfFamily, IDC_HPF_FAMILY);
    PlaceOutputControl(m_cbHpfSlope, kOutputHpfSlope, IDC_HPF_SLOPE);
    PlaceOutputControl(m_editHpfFreq, kOutputHpfFreq, IDC_HPF_FREQ_EDIT);
    PlaceOutputControl(m_spinHpfFreq, kOutputHpfFreq, IDC_HPF_FREQ_SPIN);
    PlaceOutputControl(m_cbLpfFamily, kOutputLpfFamily, IDC_LPF_FAMILY);
    PlaceOutputControl(m_cbLpfSlope, kOutputLpfSlope, IDC_LPF_SLOPE);
    PlaceOutputControl(m_editLpfFreq, kOutputLpfFreq, IDC_LPF_FREQ_EDIT);
    PlaceOutputControl(m_spinLpfFreq, kOutputLpfFreq, IDC_LPF_FREQ_SPIN);
    m_editHpfFreq.setAlignment(Qt::AlignCenter);
    m_editLpfFreq.setAlignment(Qt::AlignCenter);
    PlaceOutputControl(m_btnAllBypass, kOutputAllBypass, IDC_ALL_BYPASS);
    PlaceOutputControl(m_btnEqMode, kOutputEqMode, IDC_EQ_MODE);
    PlaceOutputControl(m_btnResetEq, kOutputResetEq, IDC_RESET_EQ);
    m_btnAllBypass.setText(QStringLiteral("ALLBYPASS"));
    m_btnEqMode.setText(QStringLiteral("BY"));
    m_btnResetEq.setText(QStringLiteral("BY"));

    for (int i = 0; i < SPEAKER_BUTTON_COUNT; ++i) {
        const OutputSpeakerButton* b = OutputSpeakerOfId(kOutputSpeakerIds[i]);
        const int x = kOutputSpeakerX + kOutputSpeakerPitch * b->col2 / 2;
        const int y = kOutputSpeakerY + kOutputSpeakerPitch * b->row2 / 2;
        PlaceOutputControl(m_btnSpeaker[i], CRect(x, y, x + kOutputSpeakerSize, y + kOutputSpeakerSize), b->id);
    }

    // Hidden in the template.
    PlaceOutputControl(m_editLevel, kOutputLevelEdit, IDC_LEVEL_EDIT);
    PlaceOutputControl(m_spinLevel, kOutputLevelEdit, IDC_LEVEL_SPIN);
    PlaceOutputControl(m_sldLevel, kOutputLevelFader, IDC_LEVEL_SLIDER);
    PlaceOutputControl(m_btnPolarity, kOutputPolarity, IDC_POLARITY);
    CNumEdit* delayEdits[] = {&m_editDelayMs, &m_editDelayCm, &m_editDelayInch};
    CNumSpin* delaySpins[] = {&m_spinDelayMs, &m_spinDelayCm, &m_spinDelayInch};
    for (int u = 0; u < 3; ++u) {
        CRect place = kOutputDelayEdit;
        place.OffsetRect(0, 14 * u);
        PlaceOutputControl(*delayEdits[u], place, int(IDC_DELAY_MS_EDIT) + u);
        PlaceOutputControl(*delaySpins[u], place, int(IDC_DELAY_MS_SPIN) + u);
    }
    CBitButton* mapButtons[] = {&m_btnMapLock, &m_btnLRLink, &m_btnMap4702, &m_btnMapRead, &m_btnMapSave};
    for (int k = 0; k < 5; ++k) {
        CRect place = kOutputMapButton;
        place.OffsetRect(0, 14 * k);
        PlaceOutputControl(*mapButtons[k], place, int(IDC_MAP_LOCK) + k);
    }
    PlaceOutputControl(m_btnLanguageMark, kOutputMark, IDC_LANGUAGE_MARK);
    PlaceOutputControl(m_btnInputModeMark, kOutputMark, IDC_INPUT_MODE_MARK);
    PlaceOutputControl(m_btnUiMode2, kOutputMark, IDC_UI_MODE2);
    PlaceOutputControl(m_stcMark, kOutputMark, IDC_MARK);
    PlaceOutputControl(m_stcPictureA, kOutputMark, IDC_PICTURE_A);
    PlaceOutputControl(m_stcPictureB, kOutputMark, IDC_PICTURE_B);
    m_stcPictureA.setPixmap(QPixmap::fromImage(CResourceStore::Image(QStringLiteral("BMP"), 712)));
    m_stcPictureB.setPixmap(QPixmap::fromImage(CResourceStore::Image(QStringLiteral("BMP"), 713)));
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             &m_stcMark, &m_stcPictureB, &m_stcPictureA, &m_btnLanguageMark, &m_btnMap4702, &m_btnLRLink,
             &m_btnMapLock, &m_btnMapRead, &m_btnMapSave, &m_btnUiMode2, &m_btnInputModeMark, &m_btnPolarity,
             &m_spinDelayMs, &m_spinDelayCm, &m_spinDelayInch, &m_editDelayMs, &m_editDelayCm, &m_editDelayInch,
             &m_spinLevel, &m_editLevel, &m_sldLevel, &m_spinHpfFreq, &m_spinLpfFreq})
        hidden->hide();
    for (int b = 0; b < BAND_COUNT; ++b) {
        m_spinBandFreq[b].hide();
        m_spinBandQ[b].hide();
        m_spinBandGain[b].hide();
    }
    for (CBitButton* disabled : {&m_btnLanguageMark, &m_btnMap4702, &m_btnLRLink, &m_btnMapLock, &m_btnInputModeMark})
        disabled->setEnabled(false);
}

bool COutputDlg::OnInitDialog()
{
    m_bmpBackCn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CN);
    m_bmpBackEn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_EN);
    m_pHighlightLabel = nullptr;
    m_pActiveEdit = nullptr;
    m_pActiveSlider = nullptr;
    SetupControls();
    // The page takes the focus so that a field being typed in commits; its
    // controls' Enter, Tab and Escape go through the page first.
    setFocusPolicy(Qt::ClickFocus);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != &m_curveStrip && child != &m_dlgDelay)
            child->installEventFilter(this);
    return true;
}

void COutputDlg::FillFamilyList(CComBoxBtn& list)
{
    list.ResetContent();
    for (int f = 0; f < 3; ++f)
        list.AddString(QString::fromUtf8(g_bChinese ? kOutputFamiliesCn[f] : kOutputFamiliesEn[f]));
}

void COutputDlg::FillLowPassSlopeList()
{
    m_cbLpfSlope.ResetContent();
    for (const char* slope : kOutputSlopes)
        m_cbLpfSlope.AddString(QString::fromLatin1(slope));
    m_cbLpfSlope.AddString(g_bChinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
}

void COutputDlg::FillHighPassSlopeList()
{
    m_cbHpfSlope.ResetContent();
    for (const char* slope : kOutputSlopes)
        m_cbHpfSlope.AddString(QString::fromLatin1(slope));
    m_cbHpfSlope.AddString(g_bChinese ? QStringLiteral("关闭") : QStringLiteral("OFF"));
}

void COutputDlg::SetUpCrossoverSelectors(CComBoxBtn& family, UINT familyList, CComBoxBtn& slope, UINT slopeList)
{
    // The set-up's lists hold in both languages until the first switch.
    for (const auto& [selector, list] : {std::pair<CComBoxBtn*, UINT>(&family, familyList), {&slope, slopeList}}) {
        selector->SetBitmaps(701, 702);
        selector->CreateDropList(this, list);
        selector->ResetContent();
    }
    for (const char* name : kOutputFamiliesCn)
        family.AddString(QString::fromUtf8(name));
    for (const char* name : kOutputSlopes)
        slope.AddString(QString::fromLatin1(name));
    slope.AddString(QStringLiteral("OFF"));
    family.EnableMoveNotify(true);
    slope.EnableMoveNotify(true);
}

void COutputDlg::SetupControls()
{
    // 1. The output-map lock and L/R link toggles.
    m_btnMapLock.SetBitmaps(600, 599, 597, 597, 597, 597);
    m_btnLRLink.SetBitmaps(604, 603, 601, 601, 601, 601);

    // 2. Level.
    m_spinLevel.SetBuddy(&m_editLevel);
    m_spinLevel.SetRange(0, 600);
    m_editLevel.SetStep(0.1);
    m_editLevel.SetOffset(60);
    m_editLevel.SetValueType(CNumEditValue::TYPE_LEVEL_DB, QString());
    m_editLevel.LimitText(6);
    m_editLevel.setFont(g_fontArial14);
    m_editLevel.SetBuddySlider(&m_sldLevel);
    m_sldLevel.SetChannelBitmaps(281, 283, false, CLR_DEFAULT, 0, 0);
    m_sldLevel.SetThumbBitmaps(280, 282, true, CLR_DEFAULT, 0, 0);
    m_sldLevel.SetRange(0, 600, false);
    m_sldLevel.SetMargin(11, 4, 1, 4);
    m_sldLevel.SetBuddyEdit(&m_editLevel);
    m_sldLevel.EnableMoveNotify(true);

    // 3. Delay in milliseconds, centimetres and inches.
    struct DelayField {
        CNumSpin* spin;
        CNumEdit* edit;
        int type;
        const char* unit;
        UINT stepButton;
    };
    const DelayField delays[] = {
        {&m_spinDelayMs, &m_editDelayMs, CNumEditValue::TYPE_DELAY_MS, "MS", 4016},
        {&m_spinDelayCm, &m_editDelayCm, CNumEditValue::TYPE_DELAY_CM, "CM", 4017},
        {&m_spinDelayInch, &m_editDelayInch, CNumEditValue::TYPE_DELAY_INCH, "INCH", 4018},
    };
    for (const DelayField& d : delays) {
        d.spin->SetBuddy(d.edit);
        d.spin->SetRange(0, 960);
        d.spin->SetStepMode(CNumSpin::MODE_DELAY);
        d.edit->SetValueType(d.type, QString::fromLatin1(d.unit));
        d.edit->SetValue(0);
        d.edit->setFont(g_fontArial14);
        d.edit->LimitText(10);
        d.edit->CreateStepButton(d.stepButton);
        d.edit->StepButton()->SetBitmaps(804, 805, 806, 807);
        d.edit->BindStepButton(UINT(GetDlgCtrlID(d.spin)), d.spin);
    }

    // 4. High-pass family and slope.
    SetUpCrossoverSelectors(m_cbHpfFamily, IDC_HPF_FAMILY_LIST, m_cbHpfSlope, IDC_HPF_SLOPE_LIST);

    // 5. The crossover frequencies: the type first, so that the spins step
    // along the frequency grid.
    for (CNumEdit* edit : {&m_editLpfFreq, &m_editHpfFreq})
        edit->SetValueType(CNumEditValue::TYPE_FREQUENCY, QString());
    m_spinLpfFreq.SetBuddy(&m_editLpfFreq);
    m_spinLpfFreq.SetRange(20, 20000);
    m_spinHpfFreq.SetBuddy(&m_editHpfFreq);
    m_spinHpfFreq.SetRange(20, 20000);
    for (CNumEdit* edit : {&m_editLpfFreq, &m_editHpfFreq}) {
        edit->setFont(g_fontArial14);
        edit->LimitText(7);
    }

    // 6. Low-pass family and slope, then the four selectors' font.
    SetUpCrossoverSelectors(m_cbLpfFamily, IDC_LPF_FAMILY_LIST, m_cbLpfSlope, IDC_LPF_SLOPE_LIST);
    for (CComBoxBtn* selector : {&m_cbHpfFamily, &m_cbHpfSlope, &m_cbLpfFamily, &m_cbLpfSlope})
        selector->SetFonts(&g_fontArial14, &g_fontArial14);

    // 7. The bands. The frequency spins get their range before the field its
    // type, so they step by 1 Hz.
    for (int b = 0; b < BAND_COUNT; ++b) {
        m_spinBandFreq[b].SetBuddy(&m_editBandFreq[b]);
        m_spinBandFreq[b].SetRange(20, 20000);
        m_editBandFreq[b].SetValueType(CNumEditValue::TYPE_INTEGER, QString());
        m_editBandFreq[b].setFont(g_fontArial12);

        m_spinBandQ[b].SetBuddy(&m_editBandQ[b]);
        m_editBandQ[b].SetValueType(CNumEditValue::TYPE_Q, QString());
        m_spinBandQ[b].SetRange(0, 295);
        m_editBandQ[b].setFont(g_fontArial12);

        m_spinBandGain[b].SetBuddy(&m_editBandGain[b]);
        m_spinBandGain[b].SetRange(80, 320);
        m_editBandGain[b].SetStep(0.1);
        m_editBandGain[b].SetOffset(20);
        m_editBandGain[b].SetValueType(CNumEditValue::TYPE_GAIN, QString());
        m_editBandGain[b].setFont(g_fontArial12);

        CBitmapSlider& fader = m_sldBandGain[b];
        fader.SetChannelBitmaps(615, 610, false, CLR_DEFAULT, 0, 0);
        fader.SetThumbBitmaps(611, 613, false, CLR_DEFAULT, 0, 0);
        fader.SetRange(0, 240, false);
        fader.EnableMoveNotify(true);
        fader.SetMargin(4, 1, 1, 1);
        fader.SetScaleType(CBitmapSlider::SCALE_GAIN);
        fader.SetBuddyEdit(&m_editBandGain[b]);
        m_editBandGain[b].SetBuddySlider(&fader);

        m_stcBandLabel[b].SetFontStyle(QString(), 14, kLabelGrey, 1);

        m_btnBandBypass[b].SetBitmaps(8832, 8833, 8833, 8830, 8831, 8831);
        m_btnBandBypass[b].EnableMoveNotify(true);
    }

    // 8. The curve-visibility strip.
    m_curveStrip.Create(this);
    m_curveStrip.SetOwnerPage(this);
    m_curveStrip.setGeometry(kOutputCurveStrip.ToQRect());
    m_curveStrip.show();

    // 9. The language mark's disabled faces.
    m_btnLanguageMark.SetDisabledBitmaps(797, 796);

    // 10. The speaker-position buttons.
    for (int i = 0; i < SPEAKER_BUTTON_COUNT; ++i) {
        const OutputSpeakerButton* b = OutputSpeakerOfId(kOutputSpeakerIds[i]);
        m_btnSpeaker[i].SetImages(b->normal, b->hover, b->down);
        m_btnSpeaker[i].SetCheckedImages(b->down, b->down, b->down);
        if (b->id == 4601) {
            m_rcSpeaker[0] = m_rcSpeaker[1] = CRect(0, 0, m_btnSpeaker[i].width(), m_btnSpeaker[i].height());
        } else if (b->id == 4600) {
            m_rcSpeaker[2] = m_rcSpeaker[3] = CRect(0, 0, m_btnSpeaker[i].width(), m_btnSpeaker[i].height());
        }
    }
    // 11. The delay-unit side panel, milliseconds first.
    m_dlgDelay.Create(this);
    SetDlgCtrlID(&m_dlgDelay, CDelayDlg::IDD);
    m_dlgDelay.m_pPage = this;
    m_dlgDelay.setGeometry(kOutputDelayPanel);
    m_dlgDelay.show();
    m_dlgDelay.SetMsUnitState(true);
}

void COutputDlg::AttachData(CKTV_Data* data)
{
    m_pData = data;
    m_graph.SetOwnerWnd(this);
    m_graph.BindData(data, CFStatic::BIND_OUTPUT);
    m_graph.ShowOutputChannel(0);
    m_graph.SetDrawMode(CFStatic::DRAW_OUTPUT);
    m_pGraph = &m_graph;
}

// ---- Refresh --------------------------------------------------------------------------

void COutputDlg::RefreshEqState()
{
    // 1.-4.: read under the lock, shown after it, since a value outside a
    // spin's range shows a message box.
    struct BandValues {
        int freq, bw, gain, flat;
    } bands[BAND_COUNT] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurOut = m_pData->GetOutput(g_nCurOutput);
        m_bAllBypass = m_pCurOut->IsAllBypass() ? 1 : 0;
        m_nEqMode = m_pCurOut->GetEqMode();
        for (int b = 0; b < BAND_COUNT; ++b) {
            m_pCurBand = m_pCurOut->GetBand(b);
            bands[b] = {m_pCurBand->GetFrequency(), m_pCurBand->GetBandwidthIndex(), m_pCurBand->GetGainIndex(),
                        m_pCurBand->IsBypassedOrFlat() ? 1 : 0};
            // Graph drags of the band move its fader.
            m_pCurBand->SetOwner(&m_sldBandGain[b]);
        }
    }
    m_btnAllBypass.SetCheck(m_bAllBypass != 0);
    m_btnEqMode.SetCheck(m_nEqMode != 0);
    ApplyEqModeLook(m_nEqMode != 0);
    for (int b = 0; b < BAND_COUNT; ++b) {
        m_nBandFreq = bands[b].freq;
        m_nBandBw = bands[b].bw;
        m_nBandGain = bands[b].gain;
        m_spinBandFreq[b].SetPos(m_nBandFreq);
        m_spinBandQ[b].SetPos(m_nBandBw);
        m_spinBandGain[b].SetPos(m_nBandGain);
        m_sldBandGain[b].SetValue(m_nBandGain);
        ShowBandState(bands[b].flat, b);
    }
}

void COutputDlg::ShowCrossoverFilters()
{
    int hpf[3] = {}, lpf[3] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurOut = m_pData->GetOutput(g_nCurOutput);
        m_pHpf = m_pCurOut->GetHighPass();
        m_pLpf = m_pCurOut->GetLowPass();
        hpf[0] = m_pHpf->GetFrequency(), hpf[1] = m_pHpf->GetFamily(), hpf[2] = m_pHpf->GetSlope();
        lpf[0] = m_pLpf->GetFrequency(), lpf[1] = m_pLpf->GetFamily(), lpf[2] = m_pLpf->GetSlope();
    }
    m_nHpfFreq = hpf[0], m_nHpfFamily = hpf[1], m_nHpfSlope = hpf[2];
    m_spinHpfFreq.SetPos(m_nHpfFreq);
    m_cbHpfFamily.SetCurSel(m_nHpfFamily);
    m_cbHpfSlope.SetCurSel(m_nHpfSlope);
    // At 6 dB/Oct the filter has no family to choose.
    m_cbHpfFamily.setVisible(m_nHpfSlope != 0);

    m_nLpfFreq = lpf[0], m_nLpfFamily = lpf[1], m_nLpfSlope = lpf[2];
    MarkBandsOutsideCrossover();
    m_spinLpfFreq.SetPos(m_nLpfFreq);
    m_cbLpfFamily.SetCurSel(m_nLpfFamily);
    m_cbLpfSlope.SetCurSel(m_nLpfSlope);
    m_cbLpfFamily.setVisible(m_nLpfSlope != 0);
}

void COutputDlg::RefreshChannel()
{
    if (m_pData == nullptr || g_nCurOutput < 0 || g_nCurOutput >= OUTPUT_COUNT)
        return;
    RefreshEqState();
    FillHighPassSlopeList();
    ShowCrossoverFilters();
    HighlightBandLabel(0, false);
    FocusBandField(0, 0, false);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_nPolarity = m_pCurOut->GetPolarity();
    }
    m_btnPolarity.SetCheck(m_nPolarity != 0);
    m_graph.ShowOutputChannel(g_nCurOutput);
    ShowInputModeMark();
    RefreshGroupPairing();
}

void COutputDlg::RefreshBands()
{
    if (m_pData == nullptr || g_nCurOutput < 0 || g_nCurOutput >= OUTPUT_COUNT)
        return;
    RefreshEqState();
    HighlightBandLabel(0, false);
    FocusBandField(0, 0, false);
}

void COutputDlg::RefreshPage()
{
    RefreshChannel();
    ClearSpeakerButtons();
    ShowLinkToggles(g_bOutputLinkOn);
    ShowMapLockToggles(g_bOutputMapLocked);
}

void COutputDlg::RefreshCrossover()
{
    if (m_pData == nullptr || g_nCurOutput < 0 || g_nCurOutput >= OUTPUT_COUNT)
        return;
    FillHighPassSlopeList();
    ShowCrossoverFilters();
    m_graph.ClearActiveBand();
    m_graph.RedrawByMode(-1);
}

// ---- Helpers ------------------------------------------------------------------------------

void COutputDlg::ShowBandState(int flag, int band)
{
    if (band < 0 || band >= BAND_COUNT)
        return;
    if (flag == 0) {
        m_btnBandBypass[band].SetCheck(false);
        return;
    }
    m_btnBandBypass[band].SetCheck(true);
    m_editBandGain[band].setText(QStringLiteral("0.0"));
    m_spinBandGain[band].SetPos(200);
    m_sldBandGain[band].SetValue(200);
}

void COutputDlg::HighlightBandLabel(int band, bool on)
{
    if (m_pHighlightLabel != nullptr)
        m_pHighlightLabel->SetFontStyle(QString(), 14, kLabelGrey, 1);
    m_pHighlightLabel = nullptr;
    if (!on || band < 0 || band >= BAND_COUNT)
        return;
    m_pHighlightLabel = &m_stcBandLabel[band];
    m_pHighlightLabel->SetFontStyle(QString(), 14, kLabelRed, 1);
}

void COutputDlg::HighlightBand(int band)
{
    HighlightBandLabel(band, true);
    m_graph.RedrawByMode(band);
}

void COutputDlg::FocusBandField(int band, int field, bool on)
{
    if (!on) {
        if (m_pActiveEdit != nullptr)
            m_pActiveEdit->SetActiveLook(false);
        if (m_pActiveSlider != nullptr)
            m_pActiveSlider->SetFocusLook(false);
        m_pActiveEdit = nullptr;
        m_pActiveSlider = nullptr;
        return;
    }
    if (band < 0 || band >= BAND_COUNT || field < 0 || field > 2)
        return;
    if (m_pActiveEdit != nullptr)
        m_pActiveEdit->SetActiveLook(false);
    CNumEdit* fields[] = {&m_editBandFreq[band], &m_editBandQ[band], &m_editBandGain[band]};
    m_pActiveEdit = fields[field];
    m_pActiveEdit->SetActiveLook(true);
}

void COutputDlg::ClearBandFocus()
{
    HighlightBandLabel(0, false);
    FocusBandField(0, 0, false);
    m_graph.ClearActiveBand();
    m_graph.RedrawByMode(-1);
}

void COutputDlg::RefreshAllBypassButton()
{
    if (m_pData == nullptr)
        return;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurOut = m_pData->GetOutput(g_nCurOutput);
        m_bAllBypass = m_pCurOut->IsAllBypass() ? 1 : 0;
    }
    m_btnAllBypass.SetCheck(m_bAllBypass != 0);
}

void COutputDlg::ApplyEqModeLook(bool gainOnly)
{
    for (int b = 0; b < BAND_COUNT; ++b) {
        m_editBandFreq[b].Enable(!gainOnly);
        m_editBandQ[b].Enable(!gainOnly);
        m_bQEditShown = m_editBandQ[b].IsShowChanged() ? 1 : 0;
        if (m_bQEditShown == 0)
            continue;
        CBitmapSlider& fader = m_sldBandGain[b];
        if (gainOnly) {
            const UINT channel = b == 0 ? 616 : 614;
            fader.SetChannelBitmaps(channel, channel, false, CLR_DEFAULT, 0, 0);
            m_btnLanguageMark.show();
        } else {
            fader.SetThumbBitmaps(611, 613, true, CLR_DEFAULT, 0, 0);
            const UINT channel = b == 0 ? 615 : 610;
            fader.SetChannelBitmaps(channel, channel, false, CLR_DEFAULT, 0, 0);
            m_btnLanguageMark.hide();
        }
    }
}

void COutputDlg::MarkBandsOutsideCrossover()
{
    if (m_pData == nullptr)
        return;
    int mode = 0, hpf = 0, lpf = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurOut = m_pData->GetOutput(g_nCurOutput);
        mode = m_pCurOut->GetEqMode();
        hpf = m_pCurOut->GetHighPass()->GetFrequency();
        lpf = m_pCurOut->GetLowPass()->GetFrequency();
    }
    for (int b = 0; b < BAND_COUNT; ++b) {
        const int nominal = g_ThirdOctaveFreqs[b];
        if (mode == 0 || (hpf <= nominal && nominal <= lpf))
            m_sldBandGain[b].SetThumbBitmaps(611, 613, true, CLR_DEFAULT, 0, 0);
        else
            m_sldBandGain[b].SetThumbBitmaps(612, 612, true, CLR_DEFAULT, 0, 0);
    }
}

void COutputDlg::ShowInputModeMark()
{
    SetInputModeMark(g_nInputMode);
}

void COutputDlg::SetInputModeMark(int mode)
{
    const UINT id = UINT((g_bChinese ? 459 : 452) + mode);
    m_btnInputModeMark.SetDisabledBitmaps(id, id);
}

void COutputDlg::RefreshGroupPairing()
{
    int code = 0;
    if (g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_COUNT)
        code = g_byOutputPosition[g_nCurOutput];
    int state = -1;
    if (code >= 1 && code <= 5)
        state = g_SpeakerGroups.m_nFrontLeftState;
    else if (code >= 7 && code <= 11)
        state = g_SpeakerGroups.m_nFrontRightState;
    else if (code == 13 || code == 14)
        state = g_SpeakerGroups.m_nRearLeftState;
    else if (code == 16 || code == 17)
        state = g_SpeakerGroups.m_nRearRightState;
    else if (code == 19 || code == 20)
        state = g_SpeakerGroups.m_nCenterState;
    else if (code == 22 || code == 23)
        state = g_SpeakerGroups.m_nSubState;
    ApplyGroupPairing(state);
    UpdateDelayEditLock();
}

void COutputDlg::ApplyGroupPairing(int)
{
    // The pairing state changes nothing on this page.
}

void COutputDlg::UpdateDelayEditLock()
{
    const bool locked = m_stcMark.isVisibleTo(this);
    for (CNumEdit* edit : {&m_editDelayMs, &m_editDelayCm, &m_editDelayInch})
        edit->SetReadOnly(locked);
}

void COutputDlg::ClearSpeakerButtons()
{
    for (CBtnPng& button : m_btnSpeaker) {
        button.SetCheck(false);
        button.ShowWindow(SW_HIDE);
    }
}

void COutputDlg::HighlightSpeakerButton(int code, bool on)
{
    if (CBtnPng* button = SpeakerButton(code))
        button->SetCheck(on);
}

void COutputDlg::RedrawLinkedCurves(int output)
{
    if (output < 0 || output >= OUTPUT_COUNT)
        return;
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        if (i != output && g_nLinkGroup[i] == g_nLinkGroup[output])
            m_graph.RedrawByMode(-1);
}

void COutputDlg::SetChannelOn(int output, int on)
{
    OutputWriteIfChanged(m_pData, output, &CKTV_OutData::GetOn, &CKTV_OutData::SetOn, BYTE(on));
}

void COutputDlg::SetChannelPolarity(int output, int polarity)
{
    OutputWriteIfChanged(m_pData, output, &CKTV_OutData::GetPolarity, &CKTV_OutData::SetPolarity, BYTE(polarity));
}

void COutputDlg::SetChannelDelay(int output, int steps)
{
    // The strips count half steps.
    OutputWriteIfChanged(m_pData, output, &CKTV_OutData::GetDelay, &CKTV_OutData::SetDelay, short(2 * steps));
}

// ---- Members nothing calls ---------------------------------------------------------------

void COutputDlg::ShowPictures(bool show)
{
    m_stcPictureB.setVisible(show);
    m_stcPictureA.setVisible(!show);
}

void COutputDlg::RefreshStripMutes()
{
    if (m_pData == nullptr)
        return;
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            m_bOn = m_pData->GetOutput(i)->GetOn();
        }
        m_strips[i].SetOutputOn(m_bOn);
    }
}

void COutputDlg::LoadModeDelay()
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        // Four rows of twelve words, the selected row after them.
        constexpr int kRowSize = 2 * OUTPUT_COUNT, kRows = 4;
        m_nModeRow = g_ModeGains[kRowSize * kRows];
        const int row = m_nModeRow >= 0 && m_nModeRow < kRows ? m_nModeRow : 0;
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            m_ModeRowValues[i] = GetShort(g_ModeGains + kRowSize * row + 2 * i);
    }
    m_nDelayValue = g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_COUNT ? m_ModeRowValues[g_nCurOutput] : 0;
    for (CNumSpin* spin : {&m_spinDelayMs, &m_spinDelayCm, &m_spinDelayInch})
        spin->SetPos(m_nDelayValue);
}

void COutputDlg::MarkAllBasicDirty()
{
    if (m_pData == nullptr)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        m_pData->GetOutput(i)->SetBasicDirty(true);
}

// ---- Current output, language, paint -------------------------------------------------------

void COutputDlg::SwitchCurrentOutput(int output)
{
    if (output == g_nCurOutput || output < 0 || output >= OUTPUT_COUNT)
        return;
    // Link masks are eight bits wide: highlights and selection flags take
    // the first eight outputs only.
    constexpr int kMaskedOutputs = 8;
    if (g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_COUNT) {
        const int mask = m_strips[g_nCurOutput].m_nLinkMask;
        for (int i = 0; i < kMaskedOutputs; ++i) {
            if ((mask & (1 << i)) == 0)
                continue;
            m_strips[i].SetSelected(false);
            HighlightSpeakerButton(g_byOutputPosition[i], false);
            RedrawLinkedCurves(i);
        }
    }
    g_nCurOutput = output;
    const int mask = m_strips[output].m_nLinkMask;
    for (int i = 0; i < kMaskedOutputs; ++i) {
        if ((mask & (1 << i)) == 0)
            continue;
        HighlightSpeakerButton(g_byOutputPosition[i], true);
        m_strips[i].SetSelected(true);
    }
    // Whatever the masks hold, the page shows the output it now edits.
    RefreshChannel();
}

void COutputDlg::ApplyLanguageSkins()
{
    // Six faces each: normal, hover, down, then the checked three (the XP
    // buttons take their checked three first).
    struct LanguageSkin {
        CSkinButton* button;
        UINT cn[6];
        UINT en[6];
    };
    const LanguageSkin skins[] = {
        {&m_btnPolarity, {4360, 4361, 4362, 4363, 4364, 4365}, {4350, 4351, 4352, 4353, 4354, 4355}},
        {&m_btnResetEq, {7004, 7003, 7003, 7004, 7003, 7003}, {359, 360, 360, 359, 360, 360}},
        {&m_btnAllBypass, {7002, 7001, 7001, 7000, 7005, 7005}, {8822, 8823, 8823, 8820, 8821, 8821}},
        {&m_btnEqMode, {746, 745, 745, 744, 747, 747}, {742, 743, 743, 740, 741, 741}},
        {&m_btnMapLock, {4394, 4392, 4390, 4411, 4393, 4393}, {600, 599, 597, 4412, 607, 607}},
        {&m_btnLRLink, {4399, 4397, 4395, 4413, 4398, 4398}, {604, 603, 601, 4414, 608, 608}},
        {&m_btnMap4702, {4403, 4402, 4402, 0, 0, 0}, {4407, 4406, 4406, 0, 0, 0}},
        {&m_btnMapRead, {4930, 4931, 4932, 0, 0, 0}, {4940, 4941, 4942, 0, 0, 0}},
        {&m_btnMapSave, {4933, 4934, 4935, 0, 0, 0}, {4943, 4944, 4945, 0, 0, 0}},
    };
    for (const LanguageSkin& skin : skins) {
        const UINT* f = g_bChinese ? skin.cn : skin.en;
        if (auto* xp = qobject_cast<CXPButton*>(skin.button))
            xp->SetBitmaps(f[0], f[1], f[2], f[3], f[4], f[5]);
        else if (auto* bit = qobject_cast<CBitButton*>(skin.button))
            bit->SetBitmaps(f[0], f[1], f[2], f[3], f[4], f[5]);
    }
}

void COutputDlg::OnLanguageChanged()
{
    // 1. The lists in the language, each keeping its selection.
    m_nLpfFamily = m_cbLpfFamily.GetCurSel();
    FillFamilyList(m_cbLpfFamily);
    m_cbLpfFamily.SetCurSel(m_nLpfFamily);
    m_nLpfSlope = m_cbLpfSlope.GetCurSel();
    FillLowPassSlopeList();
    m_cbLpfSlope.SetCurSel(m_nLpfSlope);
    m_nHpfFamily = m_cbHpfFamily.GetCurSel();
    FillFamilyList(m_cbHpfFamily);
    m_cbHpfFamily.SetCurSel(m_nHpfFamily);
    m_nHpfSlope = m_cbHpfSlope.GetCurSel();
    FillHighPassSlopeList();
    m_cbHpfSlope.SetCurSel(m_nHpfSlope);
    // 2. The speaker-type menu.
    LoadSpeakerTypeMenu(g_bChinese ? MENU_SPEAKER_TYPE_CN : MENU_SPEAKER_TYPE_EN);
    // 3. Skins.
    ApplyLanguageSkins();
    // 4. The marks and the fields' texts.
    m_btnLanguageMark.SetCheck(g_bChinese);
    for (CNumEdit* edit : {&m_editDelayMs, &m_editDelayCm, &m_editDelayInch, &m_editLevel})
        edit->RefreshLanguage();
    ShowInputModeMark();
    // 5. The side panel in the language, keeping its unit.
    m_dlgDelay.RefreshLanguage(m_dlgDelay.m_bMsUnit != 0, m_dlgDelay.m_bCmUnit != 0, m_dlgDelay.m_bInchUnit != 0);
    update();
}

void COutputDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, g_bChinese ? m_bmpBackCn : m_bmpBackEn);
}

void COutputDlg::Show(int nCmdShow)
{
    setVisible(nCmdShow != SW_HIDE);
}


// ---- Keys -----------------------------------------------------------------------------------

bool COutputDlg::PreTranslateMessage(QObject* watched, QEvent* event)
{
    // A field taking the focus ends the turn the page held for a hidden one.
    if (event->type() == QEvent::FocusIn && watched != this)
        m_nRingHeldId = 0;
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* edit = qobject_cast<QLineEdit*>(watched);
    int id = edit != nullptr ? GetDlgCtrlID(edit) : 0;
    // The page holding a hidden field's turn moves on as the field would.
    const bool held = watched == this && m_nRingHeldId != 0;
    if (held)
        id = m_nRingHeldId;
    // The keys go on to the page's owner afterwards, which neither closes
    // nor walks the controls: the focus moves only by the posted messages.
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (edit != nullptr || held) {
            if (m_btnEqMode.GetCheck())
                PostMessage(this, WM_FOCUS_NEIGHBOUR, WPARAM(id), VK_RIGHT);
            else
                PostMessage(this, WM_FOCUS_NEXT_IN_BAND, WPARAM(id), 0);
        }
        return false;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (edit != nullptr || held)
            PostMessage(this, WM_FOCUS_NEIGHBOUR, WPARAM(id), VK_RIGHT);
        return false;
    case Qt::Key_Escape:
        // The field loses the focus and commits.
        m_nRingHeldId = 0;
        setFocus(Qt::OtherFocusReason);
        return false;
    default: return false;
    }
}

bool COutputDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (PreTranslateMessage(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

// ---- Messages ---------------------------------------------------------------------------------

LRESULT COutputDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: OnCommand(int(LOWORD(wParam)), int(HIWORD(wParam))); break;
    case WM_COMBOBTN_SELCHANGE: OnComboBtnSelChange(wParam); break;
    case WM_GRAPH_CHANGED: OnGraphChanged(wParam, lParam); break;
    case WM_GRAPH_KILLFOCUS: OnGraphKillFocus(); break;
    case WM_GRAPH_FOCUS_BAND: OnGraphFocusBand(int(wParam)); break;
    case WM_SLIDER_MOVING: return OnSliderMoving(wParam, lParam);
    case WM_SLIDER_MOVED: return OnSliderMoved(wParam, lParam);
    case WM_SPIN_DELAY_STEP: OnSpinDelayStep(wParam, lParam); break;
    case WM_FOCUS_NEIGHBOUR: OnFocusNeighbour(wParam, lParam); break;
    case WM_FOCUS_NEXT_IN_BAND: OnFocusNextInBand(wParam); break;
    case WM_DROPLIST_SELECTED: OnDropListSelected(wParam, lParam); break;
    case WM_STRIP_PASTE: OnStripPaste(wParam, lParam); break;
    case WM_CONTROL_HOVER: OnControlHover(); break;
    case WM_LINK_GROUP_COPY: OnLinkGroupCopy(int(wParam)); break;
    default: break;
    }
    return 0;
}
