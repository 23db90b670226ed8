// The input page: construction, set-up, refresh, painting, language and the
// keyboard. The band handlers live in InPutDlgBands.cpp, the kinds and
// sources in InPutDlgKinds.cpp.
#include "pages/input/InPutDlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "app/PopupMenus.h"
#include "graphs/NumEditValue.h"
#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// The page's places, in pixels of its 1280 x 665 background.
const QRect kInputGraph(90, 26, 1100, 242);
// Band column c (0 to 14) starts at x 96 + 72 c; the hidden columns 15 to
// 30 lie under the visible ones.
constexpr int kInputColumnX = 96, kInputColumnPitch = 72, kInputFieldW = 48;
constexpr int kInputLabelY = 272, kInputFreqY = 292, kInputBwY = 313, kInputGainY = 334;
constexpr int kInputFieldH = 18, kInputLabelH = 16;
constexpr int kInputFaderY = 356, kInputFaderDx = -5, kInputFaderW = 58, kInputFaderH = 80;
constexpr int kInputBypassY = 440, kInputBypassW = 26, kInputBypassH = 14;
// Where the bypass button stands right of its fader's left edge.
constexpr int kInputBypassDx = 17, kInputBypassDxTen = 18, kInputBypassDxFirst = 1;
const QRect kInputAllBypass(10, 360, 64, 18);
const QRect kInputEqMode(10, 384, 64, 18);
const QRect kInputResetEq(10, 408, 64, 18);
const QRect kInputGainLabel(60, 294, 30, 15);
const QRect kInputKindImage(120, 470, 60, 15);
constexpr int kInputKindX = 221, kInputKindPitch = 88, kInputKindY = 580, kInputKindW = 80, kInputKindH = 24;
constexpr int kInputSideX = 860, kInputSidePitch = 120, kInputSideY = 470, kInputSideRow = 30;
constexpr int kInputSideW = 100, kInputSideH = 24;

// Label colours: black, and red for the band being worked on.
const QColor kInputLabelBlack(0, 0, 0);
const QColor kInputLabelRed(255, 0, 0);

int InputColumnX(int band)
{
    return kInputColumnX + kInputColumnPitch * (band % CInPutDlg::VISIBLE_BANDS);
}

void PlaceInput(QWidget& control, const QRect& place, int id)
{
    control.setGeometry(place);
    SetDlgCtrlID(&control, id);
}

CRect InputRectOf(const QWidget& control)
{
    return CRect::FromQRect(control.geometry());
}
}  // namespace

CInPutDlg::CInPutDlg(QWidget* parent) : QWidget(parent)
{
    // Members only: the window is made by Create.
}

CInPutDlg::~CInPutDlg()
{
    // The level-and-delay page reaches this page through the pointer: it
    // must not outlive the page. Another page may have taken it since.
    if (g_pInPutDlg == this)
        g_pInPutDlg = nullptr;
    // The faders go with the page: no band may still point at one.
    if (m_pData != nullptr) {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int c = 0; c < MUSIC_COUNT; ++c) {
            CMusic_InData* music = m_pData->GetMusic(c);
            for (int b = 0; music != nullptr && b < BANDS; ++b) {
                CFilter* band = music->GetBand(b);
                for (CBitmapSlider& fader : m_sldGain)
                    if (band != nullptr && band->GetOwner() == &fader)
                        band->SetOwner(nullptr);
            }
        }
    }
    delete m_menuSource;
}

void CInPutDlg::AttachData(CKTV_Data* data)
{
    m_pData = data;
    // The graph's plot is laid out from its size, so it gets its place now.
    m_graph.setParent(this);
    PlaceInput(m_graph, kInputGraph, IDC_GRAPH);
    m_graph.SetOwnerWnd(this);
    m_graph.BindData(data, CFStatic::BIND_MUSIC);
    m_graph.ShowMusicChannel(0);
    m_graph.SetDrawMode(CFStatic::DRAW_MUSIC);
    m_pGraph = &m_graph;
}

bool CInPutDlg::Create(QWidget* parent)
{
    setParent(parent);
    resize(PAGE_WIDTH, PAGE_HEIGHT);
    PlaceControls();
    return OnInitDialog();
}

void CInPutDlg::PlaceControls()
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             &m_btnHiLevel1Way, &m_btnHiLevel2Way, &m_btnGainLabel, &m_btnEqMode, &m_btnResetEq, &m_btnAllBypass,
             &m_btnSource, &m_btnKindImage, &m_graph})
        control->setParent(this);
    for (CBitButton& button : m_btnAuxMode)
        button.setParent(this);
    for (CBitButton& button : m_btnKind)
        button.setParent(this);
    PlaceInput(m_graph, kInputGraph, IDC_GRAPH);
    PlaceInput(m_btnAllBypass, kInputAllBypass, IDC_ALL_BYPASS);
    PlaceInput(m_btnEqMode, kInputEqMode, IDC_EQ_MODE);
    PlaceInput(m_btnResetEq, kInputResetEq, IDC_RESET_EQ);
    PlaceInput(m_btnGainLabel, kInputGainLabel, IDC_GAIN_LABEL);
    m_btnGainLabel.setEnabled(false);
    PlaceInput(m_btnKindImage, kInputKindImage, IDC_KIND_IMAGE);
    m_btnKindImage.setEnabled(false);
    for (int k = 0; k < KINDS; ++k)
        PlaceInput(m_btnKind[size_t(k)],
                   QRect(kInputKindX + kInputKindPitch * k, kInputKindY, kInputKindW, kInputKindH), IDC_KIND0 + k);
    for (int m = 0; m < AUX_MODES; ++m)
        PlaceInput(m_btnAuxMode[size_t(m)],
                   QRect(kInputSideX, kInputSideY + kInputSideRow * m, kInputSideW, kInputSideH), IDC_AUX_MODE0 + m);
    PlaceInput(m_btnHiLevel1Way, QRect(kInputSideX + kInputSidePitch, kInputSideY, kInputSideW, kInputSideH),
               IDC_HI_LEVEL_1WAY);
    PlaceInput(m_btnHiLevel2Way,
               QRect(kInputSideX + kInputSidePitch, kInputSideY + kInputSideRow, kInputSideW, kInputSideH),
               IDC_HI_LEVEL_2WAY);
    PlaceInput(m_btnSource, QRect(kInputSideX + 2 * kInputSidePitch, kInputSideY, kInputSideW, kInputSideH),
               IDC_SOURCE);

    for (int b = 0; b < BANDS; ++b) {
        const int x = InputColumnX(b);
        const size_t i = size_t(b);
        for (QWidget* control : std::initializer_list<QWidget*>{&m_stcLabel[i], &m_btnBypass[i], &m_sldGain[i],
                                                                &m_editGain[i], &m_spinGain[i], &m_editBw[i],
                                                                &m_spinBw[i], &m_editFreq[i], &m_spinFreq[i]})
            control->setParent(this);
        PlaceInput(m_stcLabel[i], QRect(x, kInputLabelY, kInputFieldW, kInputLabelH), IDC_LABEL0 + b);
        m_stcLabel[i].setText(QString::number(b + 1));
        PlaceInput(m_editFreq[i], QRect(x, kInputFreqY, kInputFieldW, kInputFieldH), IDC_FREQ_EDIT0 + b);
        PlaceInput(m_editBw[i], QRect(x, kInputBwY, kInputFieldW, kInputFieldH), IDC_BW_EDIT0 + b);
        PlaceInput(m_editGain[i], QRect(x, kInputGainY, kInputFieldW, kInputFieldH), IDC_GAIN_EDIT0 + b);
        for (CNumEdit* edit : {&m_editFreq[i], &m_editBw[i], &m_editGain[i]})
            edit->setAlignment(Qt::AlignCenter);
        PlaceInput(m_spinFreq[i], QRect(x, kInputFreqY, kInputFieldW, kInputFieldH), IDC_FREQ_SPIN0 + b);
        PlaceInput(m_spinBw[i], QRect(x, kInputBwY, kInputFieldW, kInputFieldH), IDC_BW_SPIN0 + b);
        PlaceInput(m_spinGain[i], QRect(x, kInputGainY, kInputFieldW, kInputFieldH), IDC_GAIN_SPIN0 + b);
        const int faderX = x + kInputFaderDx;
        PlaceInput(m_sldGain[i], QRect(faderX, kInputFaderY, kInputFaderW, kInputFaderH), IDC_FADER0 + b);
        const int bypassDx = b == 0 ? kInputBypassDxFirst : kInputBypassDx;
        PlaceInput(m_btnBypass[i], QRect(faderX + bypassDx, kInputBypassY, kInputBypassW, kInputBypassH),
                   IDC_BYPASS0 + b);
        // All spins hide; the columns beyond the fifteenth have no visible
        // style and their labels and buttons are disabled.
        m_spinFreq[i].hide();
        m_spinBw[i].hide();
        m_spinGain[i].hide();
        if (b >= VISIBLE_BANDS) {
            for (QWidget* control : std::initializer_list<QWidget*>{&m_stcLabel[i], &m_btnBypass[i], &m_sldGain[i],
                                                                    &m_editGain[i], &m_editBw[i], &m_editFreq[i]})
                control->hide();
            m_stcLabel[i].setEnabled(false);
            m_btnBypass[i].setEnabled(false);
        }
    }
}

bool CInPutDlg::OnInitDialog()
{
    m_bmpBackEn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_EN);
    m_bmpBackCn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CN);
    m_pHighlightLabel = nullptr;
    m_pActiveEdit = nullptr;
    g_pInPutDlg = this;
    SetupControls();
    // The page takes the focus so that a field being typed in commits; the
    // controls' Enter, Tab and Escape pass the page first.
    setFocusPolicy(Qt::ClickFocus);
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != &m_modeBar)
            child->installEventFilter(this);
    return true;
}

void CInPutDlg::SetupControls()
{
    // 1. The source menu and the source button's font.
    delete m_menuSource;
    m_menuSource = LoadPopupMenu(IDR_SOURCE_MENU).release();
    m_btnSource.setFont(g_fontArial16Heavy);

    // 2. The band columns.
    for (int b = 0; b < BANDS; ++b) {
        const size_t i = size_t(b);
        m_editFreq[i].LimitText(5);
        m_spinFreq[i].SetBuddy(&m_editFreq[i]);
        m_spinFreq[i].SetRange(20, 20000);
        m_editFreq[i].SetValueType(CNumEditValue::TYPE_INTEGER, QString());
        m_rcFreqEdit[i] = InputRectOf(m_editFreq[i]);

        m_editBw[i].LimitText(5);
        m_spinBw[i].SetBuddy(&m_editBw[i]);
        m_editBw[i].SetValueType(CNumEditValue::TYPE_Q, QString());
        m_spinBw[i].SetRange(0, 295);

        m_editGain[i].LimitText(5);
        m_spinGain[i].SetBuddy(&m_editGain[i]);
        m_spinGain[i].SetRange(GAIN_MIN, GAIN_MAX);
        m_editGain[i].SetStep(0.1);
        m_editGain[i].SetOffset(20.0);
        m_editGain[i].SetValueType(CNumEditValue::TYPE_GAIN, QString());
        m_rcGainEdit[i] = InputRectOf(m_editGain[i]);

        CBitmapSlider& fader = m_sldGain[i];
        fader.SetChannelBitmaps(610, 610, false, CLR_DEFAULT, 0, 0);
        fader.SetThumbBitmaps(626, 627, true, CLR_DEFAULT, 0, 0);
        fader.SetDisabledThumbBitmap(628);
        fader.SetRange(0, 240, false);
        fader.EnableMoveNotify(true);
        fader.SetMargin(b == 0 ? 0 : 15, 1, 1, 1);
        fader.SetScaleType(CBitmapSlider::SCALE_GAIN);
        fader.SetBuddyEdit(&m_editGain[i]);
        m_editGain[i].SetBuddySlider(&fader);
        m_rcFader[i] = InputRectOf(fader);
        m_rcColumn[i] = m_rcFader[i];
        m_rcColumn[i].top = m_editBw[i].geometry().top();

        m_stcLabel[i].SetFontStyle(QString(), 14, kInputLabelBlack, 1);

        CXPButton& bypass = m_btnBypass[i];
        bypass.SetBitmaps(8832, 8833, 8833, 8830, 8831, 8831);
        bypass.EnableMoveNotify(true);
        if (b > 1) {
            const int dx = b == 10 ? kInputBypassDxTen : kInputBypassDx;
            bypass.move(m_rcFader[i].left + dx, bypass.y());
        }
    }

    // 3. Image buttons and the source button's first faces.
    m_btnGainLabel.SetDisabledBitmaps(797, 796);
    m_btnSource.SetBitmaps(722, 723, 723, 0, 0, 0);
    m_btnKindImage.SetDisabledBitmaps(452, 452);

    // 4. Kind buttons 0 to 3; the fifth and sixth kinds get their faces
    // from the language and lock refreshes.
    for (int k = 0; k < 4; ++k)
        m_btnKind[size_t(k)].SetBitmaps(8100 + UINT(k), 8110 + UINT(k), 8120 + UINT(k), 8120 + UINT(k),
                                        8120 + UINT(k), 8120 + UINT(k));

    // 5. The kind buttons' slots.
    for (int k = 0; k < KINDS; ++k)
        m_rcKind[size_t(k)] = InputRectOf(m_btnKind[size_t(k)]);

    // 6. The input-mode bar.
    m_modeBar.Create(this);
    m_modeBar.m_pOwner = this;
    m_modeBar.move(BAR_X, BAR_Y);
    m_modeBar.show();

    // 7.
    ArrangeModeButtons();
}

void CInPutDlg::ArrangeModeButtons()
{
    int mask = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        mask = g_byInputButtonMask;
    }
    auto moveTo = [this](int kind, int slot) {
        const CRect& r = m_rcKind[size_t(slot)];
        m_btnKind[size_t(kind)].move(r.left, r.top);
        m_btnKind[size_t(kind)].update();
    };
    switch (mask) {
    case 0:
        m_btnKind[0].hide();
        m_btnKind[2].hide();
        m_modeBar.ShowSpdifButton(SW_HIDE);
        m_modeBar.ShowPhoneButton(SW_HIDE);
        moveTo(1, 0);
        moveTo(3, 1);
        moveTo(4, 2);
        moveTo(5, 3);
        break;
    case 1:
        m_btnKind[0].hide();
        m_btnKind[2].show();
        m_modeBar.ShowSpdifButton(SW_HIDE);
        m_modeBar.ShowPhoneButton(SW_SHOW);
        moveTo(1, 0);
        moveTo(2, 1);
        moveTo(3, 2);
        moveTo(4, 3);
        moveTo(5, 4);
        break;
    case 2:
        m_btnKind[0].show();
        m_btnKind[2].hide();
        m_modeBar.ShowSpdifButton(SW_SHOW);
        m_modeBar.ShowPhoneButton(SW_HIDE);
        moveTo(3, 2);
        moveTo(4, 3);
        moveTo(5, 4);
        break;
    case 3:
        m_btnKind[0].show();
        m_btnKind[2].show();
        m_modeBar.ShowSpdifButton(SW_SHOW);
        m_modeBar.ShowPhoneButton(SW_SHOW);
        break;
    default: break;
    }
}

// ---- Refresh -------------------------------------------------------------------------------

CMusic_InData* CInPutDlg::CurrentMusic() const
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return m_pData != nullptr ? m_pData->GetMusic(g_nInputMode) : nullptr;
}

CFilter* CInPutDlg::BandOf(int band) const
{
    if (m_pMusic == nullptr || band < 0 || band >= BANDS)
        return nullptr;
    return m_pMusic->GetBand(band);
}

void CInPutDlg::RefreshChannel()
{
    if (m_pData == nullptr)
        return;
    int kind = 0;
    bool locked = false;
    struct BandValues {
        int freq, bw, gain;
        bool flat;
    } bands[VISIBLE_BANDS] = {};
    // 1.-4.: read under the lock, shown after it, since a value outside a
    // spin's range shows a message box.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        kind = g_nInputMode;
        locked = g_SystemBytes[LOCK_BYTE] != 0;
        m_pMusic = m_pData->GetMusic(kind);
        if (m_pMusic != nullptr) {
            m_bAllBypass = m_pMusic->IsAllBypass();
            m_nEqMode = m_pMusic->GetEqMode();
            for (int b = 0; b < VISIBLE_BANDS; ++b) {
                m_pBand = m_pMusic->GetBand(b);
                bands[b] = {m_pBand->GetFrequency(), m_pBand->GetBandwidthIndex(), m_pBand->GetGainIndex(),
                            m_pBand->IsBypassedOrFlat()};
                // Graph drags of the band move its fader.
                m_pBand->SetOwner(&m_sldGain[size_t(b)]);
            }
        }
    }
    if (m_pMusic != nullptr) {
        m_btnAllBypass.SetCheck(m_bAllBypass);
        m_btnEqMode.SetCheck(m_nEqMode != 0);
        ApplyEqModeLayout(m_nEqMode);
        for (int b = 0; b < VISIBLE_BANDS; ++b) {
            const size_t i = size_t(b);
            m_nFrequency = bands[b].freq;
            m_nBandwidth = bands[b].bw;
            m_nGain = bands[b].gain;
            m_bBandFlat = bands[b].flat;
            m_spinFreq[i].SetPos(m_nFrequency);
            m_spinBw[i].SetPos(m_nBandwidth);
            m_spinGain[i].SetPos(m_nGain);
            m_sldGain[i].SetValue(m_nGain);
            SetBandBypassLook(m_bBandFlat, b);
        }
    }
    // 5.
    HighlightBandLabel(0, false);
    SetActiveEdit(0, 0, false);
    ShowKindImage();
    RefreshSourceButton();
    // 6. A kind without a channel draws nothing.
    if (m_pMusic != nullptr) {
        m_graph.ShowMusicChannel(kind);
        m_graph.SetDrawMode(CFStatic::DRAW_MUSIC);
    } else {
        m_graph.SetDrawMode(CFStatic::DRAW_NONE);
    }
    EnableEq(m_pMusic != nullptr && !locked);
}

void CInPutDlg::EnableEq(bool enable)
{
    m_btnAllBypass.setEnabled(enable);
    m_btnEqMode.setEnabled(enable);
    m_btnResetEq.setEnabled(enable);
    for (int b = 0; b < BANDS; ++b) {
        const size_t i = size_t(b);
        m_editFreq[i].Enable(enable);
        m_editBw[i].Enable(enable);
        m_editGain[i].Enable(enable);
        m_sldGain[i].Enable(enable);
        // The hidden columns' buttons stay disabled.
        m_btnBypass[i].setEnabled(enable && b < VISIBLE_BANDS);
    }
    if (!enable) {
        HighlightBandLabel(0, false);
        SetActiveEdit(0, 0, false);
    }
    if (m_graph.isEnabled() != enable)
        m_graph.EnableGraph(enable);
}

void CInPutDlg::ShowKindImage()
{
    int kind = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        kind = g_nInputMode;
    }
    const UINT id = UINT((g_bChinese ? 459 : 452) + kind);
    m_btnKindImage.SetDisabledBitmaps(id, id);
}

// ---- Painting and language -----------------------------------------------------------------

void CInPutDlg::paintEvent(QPaintEvent*)
{
    const QImage& background = g_bChinese ? m_bmpBackCn : m_bmpBackEn;
    QPainter painter(this);
    painter.drawImage(0, 0, background);
    // The bar blends its edges into what the page shows under it.
    m_modeBar.CaptureBackground(background);
}

void CInPutDlg::ApplyLanguage()
{
    struct Skin {
        CBitButton* button;
        UINT cn[6];
        UINT en[6];
        UINT cnDisabled[2];
        UINT enDisabled[2];
    };
    const Skin skins[] = {
        {&m_btnResetEq, {7004, 7003, 7003, 7004, 7003, 7003}, {359, 360, 360, 359, 360, 360}, {7012, 7013},
         {7022, 7023}},
        {&m_btnAllBypass, {7000, 7005, 7005, 7002, 7001, 7001}, {8820, 8821, 8821, 8822, 8823, 8823}, {7010, 7011},
         {7020, 7021}},
        {&m_btnEqMode, {744, 747, 747, 746, 745, 745}, {740, 743, 743, 742, 741, 741}, {753, 755}, {749, 751}},
        {&m_btnAuxMode[0], {4420, 4421, 4422, 4422, 4422, 4422}, {679, 680, 681, 681, 681, 681}, {0, 0}, {0, 0}},
        {&m_btnAuxMode[1], {4423, 4424, 4425, 4425, 4425, 4425}, {682, 683, 684, 684, 684, 684}, {0, 0}, {0, 0}},
        {&m_btnAuxMode[2], {4426, 4427, 4428, 4428, 4428, 4428}, {685, 686, 687, 687, 687, 687}, {0, 0}, {0, 0}},
        {&m_btnHiLevel1Way, {3140, 3141, 3142, 3142, 3142, 3142}, {3150, 3151, 3152, 3152, 3152, 3152}, {0, 0},
         {0, 0}},
        {&m_btnHiLevel2Way, {3143, 3144, 3145, 3145, 3145, 3145}, {3153, 3154, 3155, 3155, 3155, 3155}, {0, 0},
         {0, 0}},
    };
    for (const Skin& skin : skins) {
        const UINT* f = g_bChinese ? skin.cn : skin.en;
        skin.button->SetBitmaps(f[0], f[1], f[2], f[3], f[4], f[5]);
        const UINT* d = g_bChinese ? skin.cnDisabled : skin.enDisabled;
        if (d[0] != 0)
            skin.button->SetDisabledBitmaps(d[0], d[1]);
    }
    bool locked = false;
    int source = CInputSourceTable::SOURCE_OFF;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        locked = g_SystemBytes[LOCK_BYTE] != 0;
        source = g_InputSourceTable.m_nCurrentSource;
    }
    SetKindButtonBitmaps(locked);
    SetSourceButtonBitmaps(source);
    m_btnGainLabel.SetCheck(g_bChinese);
    ShowKindImage();
    m_modeBar.RedrawButtons();
    for (int b = 0; b < BANDS; ++b)
        m_editGain[size_t(b)].RefreshLanguage();
    update();
}

void CInPutDlg::SetKindButtonBitmaps(bool locked)
{
    for (int k = 0; k < KINDS; ++k) {
        const UINT base = g_bChinese ? 8130 : 8100;
        const UINT checked = locked ? UINT((g_bChinese ? 8200 : 8210) + k) : base + 20 + UINT(k);
        m_btnKind[size_t(k)].SetBitmaps(base + UINT(k), base + 10 + UINT(k), base + 20 + UINT(k), checked, checked,
                                        checked);
    }
}

void CInPutDlg::SetSourceButtonBitmaps(int source)
{
    const int s = source >= 0 && source <= CInputSourceTable::SOURCE_OFF ? source : CInputSourceTable::SOURCE_OFF;
    const UINT base = g_bChinese ? 3100 : 3120;
    m_btnSource.SetBitmaps(base + UINT(s), base + 10 + UINT(s), base + 10 + UINT(s), 0, 0, 0);
}

// ---- Keyboard ----------------------------------------------------------------------------------

void CInPutDlg::FocusFirstBandField()
{
    if (qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr)
        return;
    PostMessage(this, WM_FOCUS_NEIGHBOUR, WPARAM(m_nEqMode != 0 ? 3649 : 3549), VK_RIGHT);
    SetActiveEdit(0, 0, false);
    SelectBandLabel(0);
}

void CInPutDlg::SelectBandLabel(int band)
{
    if (band < 0 || band >= BANDS)
        return;
    HighlightBandLabel(band, true);
    m_graph.RedrawByMode(band);
}

bool CInPutDlg::PreTranslateMessage(QObject*, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const int id = edit != nullptr ? GetDlgCtrlID(edit) : 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (edit != nullptr) {
            if (m_btnEqMode.GetCheck())
                PostMessage(this, WM_FOCUS_NEIGHBOUR, WPARAM(id), VK_RIGHT);
            else
                PostMessage(this, WM_FOCUS_NEXT_IN_BAND, WPARAM(id), 0);
        }
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (edit != nullptr)
            PostMessage(this, WM_FOCUS_NEIGHBOUR, WPARAM(id), VK_RIGHT);
        return true;
    case Qt::Key_Escape:
        // The field loses the focus and commits.
        setFocus(Qt::OtherFocusReason);
        return true;
    default: return false;
    }
}

bool CInPutDlg::eventFilter(QObject* watched, QEvent* event)
{
    // A key a control passes on reaches its parents too: it is judged once,
    // where it was delivered to the focused control.
    if (watched == QApplication::focusWidget() && PreTranslateMessage(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool CInPutDlg::focusNextPrevChild(bool)
{
    return false;
}

void CInPutDlg::keyPressEvent(QKeyEvent* event)
{
    if (!EndNavigationKey(event))
        QWidget::keyPressEvent(event);
}

void CInPutDlg::OnFocusNeighbour(WPARAM wParam, LPARAM key)
{
    const int id = int(wParam);
    const int last = VISIBLE_BANDS - 1;
    int target = 0;
    if (m_nEqMode != 0 || m_btnEqMode.GetCheck()) {
        // Only the gain row, wrapping.
        const int first = IDC_GAIN_EDIT0, end = IDC_GAIN_EDIT0 + last;
        if (key == VK_RIGHT)
            target = id >= end ? first : (id < first - 1 ? first : id + 1);
        else
            target = id <= first ? end : (id > end ? end : id - 1);
    } else {
        // Frequency row, bandwidth row, gain row, and round again.
        const int rows[] = {IDC_FREQ_EDIT0, IDC_BW_EDIT0, IDC_GAIN_EDIT0};
        int row = -1, band = -1;
        for (int r = 0; r < 3; ++r)
            if (id >= rows[r] - 1 && id <= rows[r] + last)
                row = r, band = id - rows[r];
        if (row < 0)
            return;
        if (key == VK_RIGHT) {
            if (band >= last)
                target = rows[(row + 1) % 3];
            else
                target = rows[row] + band + 1;
        } else {
            if (band <= 0)
                target = rows[(row + 2) % 3] + last;
            else
                target = rows[row] + band - 1;
        }
    }
    MoveFocusTo(target);
}

void CInPutDlg::OnFocusNextInBand(WPARAM wParam)
{
    const int id = int(wParam);
    const int last = VISIBLE_BANDS - 1;
    int target = 0;
    if (id >= IDC_FREQ_EDIT0 && id <= IDC_FREQ_EDIT0 + last)
        target = IDC_BW_EDIT0 + (id - IDC_FREQ_EDIT0);
    else if (id >= IDC_BW_EDIT0 && id <= IDC_BW_EDIT0 + last)
        target = IDC_GAIN_EDIT0 + (id - IDC_BW_EDIT0);
    else if (id >= IDC_GAIN_EDIT0 && id < IDC_GAIN_EDIT0 + last)
        target = IDC_FREQ_EDIT0 + (id - IDC_GAIN_EDIT0) + 1;
    else if (id == IDC_GAIN_EDIT0 + last)
        target = IDC_FREQ_EDIT0;
    else
        return;
    MoveFocusTo(target);
}

void CInPutDlg::MoveFocusTo(int id)
{
    QWidget* field = GetDlgItem(this, id);
    if (field == nullptr)
        return;
    field->setFocus(Qt::OtherFocusReason);
    SelectBandLabel((id - IDC_FREQ_EDIT0) % 50);
    m_graph.MovePointerOff(m_graph.GetClientRect());
}

// ---- The message map -------------------------------------------------------------------------

LRESULT CInPutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // Clicks and commits come with code 0; other notices are not commands.
        if (HIWORD(wParam) == 0)
            OnCommand(int(LOWORD(wParam)));
        return 0;
    case WM_SLIDER_MOVING:
    case WM_SLIDER_MOVED: OnSliderMessage(message, wParam); return 1;
    case WM_GRAPH_CHANGED:
        if (lParam >= 0 && int(lParam) == g_nInputMode)
            OnGraphBandChanged(int(wParam));
        return 0;
    case WM_GRAPH_FOCUS_BAND:
        if (lParam >= 0 && int(lParam) == g_nInputMode)
            OnGraphFocusBand(int(wParam));
        return 0;
    case WM_FOCUS_NEIGHBOUR: OnFocusNeighbour(wParam, lParam); return 0;
    case WM_FOCUS_NEXT_IN_BAND: OnFocusNextInBand(wParam); return 0;
    case WM_INPUT_KIND_SELECT: OnInputKindSelect(int(lParam)); return 0;
    case WM_INPUT_KIND_CHANGED: AdoptInputKind(int(lParam)); return 0;
    case WM_INPUT_KIND_SYNC: OnInputKindSync(wParam, lParam); return 0;
    case WM_CONTROL_HOVER:
    default: return 0;
    }
}

void CInPutDlg::OnCommand(int id)
{
    auto in = [id](int first, int count) { return id >= first && id < first + count ? id - first : -1; };
    int b = -1;
    if ((b = in(IDC_FREQ_EDIT0, BANDS)) >= 0 || (b = in(IDC_FREQ_SPIN0, BANDS)) >= 0)
        OnFrequencyCommit(b);
    else if ((b = in(IDC_BW_EDIT0, BANDS)) >= 0 || (b = in(IDC_BW_SPIN0, BANDS)) >= 0)
        OnBandwidthCommit(b);
    else if ((b = in(IDC_GAIN_EDIT0, BANDS)) >= 0 || (b = in(IDC_GAIN_SPIN0, BANDS)) >= 0)
        OnGainCommit(b);
    else if ((b = in(IDC_BYPASS0, BANDS)) >= 0)
        OnBandBypass(b);
    else if (id == IDC_ALL_BYPASS)
        OnAllBypass();
    else if (id == IDC_RESET_EQ)
        OnResetEq();
    else if (id == IDC_EQ_MODE)
        OnEqModeButton();
    else if ((b = in(IDC_KIND0, KINDS)) >= 0)
        OnKindButton(b);
    else if ((b = in(IDC_AUX_MODE0, AUX_MODES)) >= 0)
        SelectAuxMode(b);
    else if (id == IDC_HI_LEVEL_1WAY)
        OnHiLevel1Way();
    else if (id == IDC_HI_LEVEL_2WAY)
        OnHiLevel2Way();
    else if (id == IDC_SOURCE)
        OnSourceButton();
    else if ((b = in(ID_SOURCE_FIRST, CInputSourceTable::SOURCES)) >= 0)
        SelectMixerSource(b);
}

void CInPutDlg::OnSliderMessage(UINT message, WPARAM id)
{
    const int band = int(id) - IDC_FADER0;
    if (band < 0 || band >= BANDS)
        return;
    OnGainFaderChanged(band);
    if (message == WM_SLIDER_MOVED && m_pActiveEdit != nullptr)
        m_pActiveEdit->setFocus(Qt::OtherFocusReason);
}
