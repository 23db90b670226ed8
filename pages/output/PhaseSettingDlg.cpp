#include "pages/output/PhaseSettingDlg.h"

#include <QKeyEvent>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "graphs/NumEditValue.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/DialogKeys.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ListFonts.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Dialog 1137 in dialog units of its font, Arial 7.
const CRect kPhaseDialog(0, 0, 542, 239);

CRect PhaseDu(int x, int y, int cx, int cy)
{
    return CRect(x, y, x + cx, y + cy);
}

const QColor kPhaseHeadingColour(156, 156, 156);
}  // namespace

CPhaseSettingDlg::CPhaseSettingDlg(QWidget* parent) : QDialog(parent)
{
    m_bmpBackCN = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_CN);
    m_bmpBackEN = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK_EN);
}

CPhaseSettingDlg::~CPhaseSettingDlg()
{
    if (m_bCreated)
        OnDestroy();
}

void CPhaseSettingDlg::OnDestroy()
{
    for (CBitmapSlider* fader : {&m_sliderFreq, &m_sliderSwitch, &m_sliderAngle})
        fader->SetThumbBitmaps(0, 0, false, CLR_DEFAULT, 0, 0);
}

bool CPhaseSettingDlg::Create(QWidget* parent)
{
    if (m_bCreated)
        return false;
    setParent(parent, windowFlags() | Qt::Dialog);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    LayOutControls();
    m_bCreated = true;
    return OnInitDialog();
}

void CPhaseSettingDlg::Place(QWidget* control, int id, const CRect& dialogUnits)
{
    PlaceDialogControl(control, this, dialogUnits, font(), id);
}

void CPhaseSettingDlg::LayOutControls()
{
    setFont(DialogFont(QStringLiteral("Arial"), 7));
    setFixedSize(MapDialogRect(kPhaseDialog, font()).Size());

    Place(&m_btnPhase, IDC_PHASE, PhaseDu(90, 65, 34, 12));
    Place(&m_editAngle, IDC_ANGLE_EDIT, PhaseDu(253, 65, 40, 9));
    Place(&m_spinAngle, IDC_ANGLE_SPIN, PhaseDu(293, 65, 8, 9));
    Place(&m_editFreq, IDC_FREQ_EDIT, PhaseDu(465, 65, 40, 9));
    Place(&m_spinFreq, IDC_FREQ_SPIN, PhaseDu(505, 65, 8, 9));
    // The faders take their channel pictures' size at set-up.
    Place(&m_sliderAngle, IDC_ANGLE_SLIDER, PhaseDu(187, 88, 1, 1));
    Place(&m_sliderSwitch, IDC_SWITCH_SLIDER, PhaseDu(9, 88, 1, 1));
    Place(&m_sliderFreq, IDC_FREQ_SLIDER, PhaseDu(381, 89, 1, 1));
    for (QPushButton* button : {&m_btnOk, &m_btnCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    m_btnOk.setText(QStringLiteral("OK"));
    m_btnCancel.setText(QStringLiteral("Cancel"));
    Place(&m_btnOk, IDC_OK, PhaseDu(430, 210, 50, 14));
    Place(&m_btnCancel, IDC_CANCEL, PhaseDu(485, 210, 50, 14));
    m_btnOk.hide();
    m_btnCancel.hide();
    for (QWidget* field : {static_cast<QWidget*>(&m_editAngle), static_cast<QWidget*>(&m_editFreq)})
        field->setFont(g_fontArial14);
}

bool CPhaseSettingDlg::OnInitDialog()
{
    // Angle: the range before the type, so the spin steps plainly.
    m_spinAngle.SetBuddy(&m_editAngle);
    m_spinAngle.SetRange(ANGLE_MIN, ANGLE_MAX);
    m_editAngle.SetStep(1.0);
    m_editAngle.SetOffset(20.0);
    m_editAngle.SetValueType(CNumEditValue::TYPE_ANGLE);
    m_editAngle.LimitText(6);
    m_sliderAngle.SetChannelBitmaps(IDB_ANGLE_CHANNEL, IDB_ANGLE_CHANNEL, false, CLR_DEFAULT, 0, 0);
    m_sliderAngle.SetThumbBitmaps(IDB_THUMB, IDB_THUMB, true, CLR_DEFAULT, 0, 0);
    m_sliderAngle.SetRange(0, ANGLE_MAX - ANGLE_MIN, false);
    m_sliderAngle.SetScaleType(CBitmapSlider::SCALE_PLUS_20);
    m_sliderAngle.SetMargin(27, 62, 25, 0);
    m_sliderAngle.SetBuddyEdit(&m_editAngle);
    m_sliderAngle.SetVertical(false);
    m_sliderAngle.EnableMoveNotify(true);

    // Frequency: the same order, whole hertz.
    m_spinFreq.SetBuddy(&m_editFreq);
    m_spinFreq.SetRange(FREQ_MIN, FREQ_MAX);
    m_editFreq.SetStep(20.0);
    m_editFreq.SetOffset(20.0);
    m_editFreq.SetValueType(CNumEditValue::TYPE_FREQUENCY);
    m_editFreq.LimitText(6);
    m_sliderFreq.SetChannelBitmaps(IDB_CHANNEL, IDB_CHANNEL, false, CLR_DEFAULT, 0, 0);
    m_sliderFreq.SetThumbBitmaps(IDB_FREQ_THUMB, IDB_FREQ_THUMB, false, CLR_DEFAULT, 0, 0);
    m_sliderFreq.SetRange(0, FREQ_MAX - FREQ_MIN, false);
    m_sliderFreq.SetScaleType(CBitmapSlider::SCALE_PLUS_20);
    m_sliderFreq.SetMargin(27, 63, 28, 0);
    m_sliderFreq.SetBuddyEdit(&m_editFreq);
    m_sliderFreq.SetVertical(false);
    m_sliderFreq.EnableMoveNotify(true);

    // The switch picture.
    m_sliderSwitch.SetChannelBitmaps(IDB_CHANNEL, IDB_CHANNEL, false, CLR_DEFAULT, 0, 0);
    m_sliderSwitch.SetThumbBitmaps(IDB_THUMB, IDB_THUMB_ACTIVE, true, CLR_DEFAULT, 0, 0);
    m_sliderSwitch.SetVertical(false);
    m_sliderSwitch.SetMargin(27, 62, 15, 0);

    setWindowTitle(g_bChinese ? QStringLiteral("相位设置") : QStringLiteral("Sets of Phase"));
    int polarity = 0;
    if (m_pOutput != nullptr) {
        ParameterSetGuard guard(g_ParameterSetLock);
        polarity = m_pOutput->GetPolarity();
    }
    ShowPolarity(polarity);
    ShowAngleAndFrequency();
    return true;
}

void CPhaseSettingDlg::PhaseButtonBitmaps(int polarity, bool chinese, UINT faces[3])
{
    static const UINT kFaces[2][2][3] = {
        {{4370, 4371, 4373}, {4373, 4374, 4370}},  // English: polarity 0, 1
        {{4380, 4381, 4383}, {4383, 4384, 4380}},  // Chinese
    };
    const UINT* row = kFaces[chinese ? 1 : 0][polarity != 0 ? 1 : 0];
    for (int k = 0; k < 3; ++k)
        faces[k] = row[k];
}

void CPhaseSettingDlg::ShowPolarity(int polarity)
{
    UINT faces[3];
    PhaseButtonBitmaps(polarity, g_bChinese, faces);
    m_btnPhase.SetBitmaps(faces[0], faces[1], faces[2], 0, 0, 0);
    const UINT thumb = SwitchThumb(polarity);
    m_sliderSwitch.SetThumbBitmaps(thumb, thumb, true, CLR_DEFAULT, 0, 0);
}

void CPhaseSettingDlg::ShowAngleAndFrequency()
{
    if (m_pOutput == nullptr)
        return;
    int angle = 0, frequency = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        angle = m_pOutput->GetAttack();
        frequency = m_pOutput->GetRelease();
    }
    m_editAngle.SetValue(angle);
    m_spinAngle.SetPos(angle);
    m_sliderAngle.SetValue(angle);
    m_editFreq.SetValue(frequency);
    m_spinFreq.SetPos(frequency);
    m_sliderFreq.SetValue(frequency);
}

void CPhaseSettingDlg::RefreshFromOutput()
{
    ShowAngleAndFrequency();
}

void CPhaseSettingDlg::OnPhaseButton()
{
    if (m_pOutput == nullptr)
        return;
    int polarity = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        polarity = m_pOutput->GetPolarity();
    }
    const int inverted = polarity == 0 ? 1 : 0;
    // The thumb goes first, so the new one is taken even when it is the
    // picture already shown.
    m_sliderSwitch.SetThumbBitmaps(0, 0, false, CLR_DEFAULT, 0, 0);
    ShowPolarity(inverted);
    ParameterSetGuard guard(g_ParameterSetLock);
    m_pOutput->SetPolarity(BYTE(inverted));
}

void CPhaseSettingDlg::ApplyValue(int v, CNumEdit& edit, CNumSpin& spin, CBitmapSlider& fader,
                                  short (CKTV_OutData::*get)() const, void (CKTV_OutData::*set)(short))
{
    if (m_pOutput == nullptr)
        return;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if ((m_pOutput->*get)() == v)
            return;
    }
    edit.SetValue(v);
    spin.SetPos(v);
    fader.SetValue(v);
    ParameterSetGuard guard(g_ParameterSetLock);
    (m_pOutput->*set)(short(v));
}

void CPhaseSettingDlg::OnAngleChanged(int v)
{
    ApplyValue(v, m_editAngle, m_spinAngle, m_sliderAngle, &CKTV_OutData::GetAttack, &CKTV_OutData::SetAttack);
}

void CPhaseSettingDlg::OnFreqChanged(int v)
{
    ApplyValue(v, m_editFreq, m_spinFreq, m_sliderFreq, &CKTV_OutData::GetRelease, &CKTV_OutData::SetRelease);
}

LRESULT CPhaseSettingDlg::OnSliderMessage(WPARAM id)
{
    // The fader's value (its position + 20), not the raw position.
    if (id == IDC_ANGLE_SLIDER)
        OnAngleChanged(m_sliderAngle.GetValue());
    else if (id == IDC_FREQ_SLIDER)
        OnFreqChanged(m_sliderFreq.GetValue());
    return 1;
}

LRESULT CPhaseSettingDlg::WindowProc(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_SLIDER_MOVED:
    case WM_SLIDER_MOVING:
        return OnSliderMessage(wParam);
    case WM_COMMAND:
        if (HIWORD(wParam) != 0)
            return 0;
        switch (LOWORD(wParam)) {
        case IDC_PHASE:
            OnPhaseButton();
            break;
        case IDC_ANGLE_EDIT:
        case IDC_ANGLE_SPIN:
            OnAngleChanged(m_spinAngle.GetPos());
            break;
        case IDC_FREQ_EDIT:
        case IDC_FREQ_SPIN:
            OnFreqChanged(m_spinFreq.GetPos());
            break;
        default:
            break;
        }
        return 0;
    default:
        return 0;
    }
}

void CPhaseSettingDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& background = g_bChinese ? m_bmpBackCN : m_bmpBackEN;
    painter.drawImage(0, 0, background);
    painter.setFont(g_fontArial16Bold);
    painter.setPen(kPhaseHeadingColour);
    const QString heading = QString::asprintf("CH%d  ", m_nChannel + 1) + m_strName;
    // (x, y) is the top-left corner of the text's cell.
    painter.drawText(HEADING_X, HEADING_Y + QFontMetrics(g_fontArial16Bold).ascent(), heading);
}

void CPhaseSettingDlg::keyPressEvent(QKeyEvent* event)
{
    if (!TakeFocusOnEnterOrEscape(this, event))
        QDialog::keyPressEvent(event);
}
