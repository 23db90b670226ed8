// The output page's channel handlers and messages: level, polarity, delay in
// three units, EQ mode and reset, what the response graph and the faders
// report, the focus ring of the page's fields, and the small operations the
// view calls. Like the EQ handlers they write the model only (the change
// scan sends it), under one ParameterSetGuard per handler that spans no
// question, queue call or redraw; the EQ mode and reset go through the view,
// which queues whole blocks.
#include <algorithm>

#include <QApplication>
#include <QLineEdit>

#include "app/LinkGroupTables.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/OutputLinkTable.h"
#include "model/ParameterSetLock.h"
#include "model/SharedTexts.h"
#include "model/SpeakerGroups.h"
#include "model/SpeakerPosition.h"
#include "model/Units.h"
#include "model/WindowMessages.h"
#include "pages/MainView.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"

namespace {
constexpr int kChannelHighPassItem = COutputDlg::BAND_COUNT;
constexpr int kChannelLowPassItem = COutputDlg::BAND_COUNT + 1;
constexpr int kChannelDelayMax = 960;
constexpr int kChannelFreqEdit = COutputDlg::IDC_BAND_FREQ_EDIT;
constexpr int kChannelQEdit = COutputDlg::IDC_BAND_Q_EDIT;
constexpr int kChannelGainEdit = COutputDlg::IDC_BAND_GAIN_EDIT;
constexpr int kChannelBands = COutputDlg::BAND_COUNT;

// id is one of the band fields that start at first.
bool ChannelFieldIn(int id, int first)
{
    return id >= first && id < first + kChannelBands;
}

// The speaker group of a position code with its pairing state and member
// list; null members for codes outside every group.
struct ChannelSpeakerGroup {
    int state = -1;
    const int* members = nullptr;
};

ChannelSpeakerGroup ChannelGroupOfCode(int code)
{
    CSpeakerGroups& g = g_SpeakerGroups;
    if (code >= 1 && code <= 5)
        return {g.m_nFrontLeftState, g.m_anFrontLeftMembers};
    if (code >= 7 && code <= 11)
        return {g.m_nFrontRightState, g.m_anFrontRightMembers};
    if (code == 13 || code == 14)
        return {g.m_nRearLeftState, g.m_anRearLeftMembers};
    if (code == 16 || code == 17)
        return {g.m_nRearRightState, g.m_anRearRightMembers};
    if (code == 19 || code == 20)
        return {g.m_nCenterState, g.m_anCenterMembers};
    if (code == 22 || code == 23)
        return {g.m_nSubState, g.m_anSubMembers};
    return {};
}

bool ChannelIsBandField(int id)
{
    return ChannelFieldIn(id, kChannelFreqEdit) || ChannelFieldIn(id, kChannelQEdit) ||
           ChannelFieldIn(id, kChannelGainEdit);
}

int ChannelBandOfField(int id)
{
    for (int first : {int(COutputDlg::IDC_BAND_FREQ_EDIT), int(COutputDlg::IDC_BAND_Q_EDIT),
                      int(COutputDlg::IDC_BAND_GAIN_EDIT)}) {
        if (id >= first && id < first + COutputDlg::BAND_COUNT)
            return id - first;
    }
    return -1;
}

// The ring of fields in order; gainOnly leaves the frequency and Q fields
// out.
int ChannelRing(bool gainOnly, int* ids)
{
    int n = 0;
    for (int id : {int(COutputDlg::IDC_LEVEL_EDIT), int(COutputDlg::IDC_HPF_FREQ_EDIT),
                   int(COutputDlg::IDC_LPF_FREQ_EDIT), int(COutputDlg::IDC_DELAY_MS_EDIT),
                   int(COutputDlg::IDC_DELAY_CM_EDIT), int(COutputDlg::IDC_DELAY_INCH_EDIT)})
        ids[n++] = id;
    if (!gainOnly) {
        for (int b = 0; b < COutputDlg::BAND_COUNT; ++b)
            ids[n++] = COutputDlg::IDC_BAND_FREQ_EDIT + b;
        for (int b = 0; b < COutputDlg::BAND_COUNT; ++b)
            ids[n++] = COutputDlg::IDC_BAND_Q_EDIT + b;
    }
    for (int b = 0; b < COutputDlg::BAND_COUNT; ++b)
        ids[n++] = COutputDlg::IDC_BAND_GAIN_EDIT + b;
    return n;
}
constexpr int kChannelRingMax = 6 + 3 * COutputDlg::BAND_COUNT;
}  // namespace

// ---- Commands -----------------------------------------------------------------------------------

void COutputDlg::OnCommand(int id, int code)
{
    auto in = [id](UINT first) { return id >= int(first) && id < int(first) + BAND_COUNT; };
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case IDC_HPF_FAMILY: OnHpfFamilyChanged(); break;
        case IDC_HPF_SLOPE: OnHpfSlopeChanged(); break;
        case IDC_LPF_FAMILY: OnLpfFamilyChanged(); break;
        case IDC_LPF_SLOPE: OnLpfSlopeChanged(); break;
        default: break;
        }
        return;
    }
    if (code != BN_CLICKED)
        return;
    if (in(IDC_BAND_FREQ_EDIT))
        OnBandFreqChanged(id - IDC_BAND_FREQ_EDIT);
    else if (in(IDC_BAND_FREQ_SPIN))
        OnBandFreqChanged(id - IDC_BAND_FREQ_SPIN);
    else if (in(IDC_BAND_Q_EDIT))
        OnBandQChanged(id - IDC_BAND_Q_EDIT);
    else if (in(IDC_BAND_Q_SPIN))
        OnBandQChanged(id - IDC_BAND_Q_SPIN);
    else if (in(IDC_BAND_GAIN_EDIT))
        OnBandGainChanged(id - IDC_BAND_GAIN_EDIT);
    else if (in(IDC_BAND_GAIN_SPIN))
        OnBandGainChanged(id - IDC_BAND_GAIN_SPIN);
    else if (in(IDC_BAND_BYPASS))
        OnBandBypass(id - IDC_BAND_BYPASS);
    else {
        switch (id) {
        case IDC_ALL_BYPASS: ToggleAllBypass(); break;
        case IDC_HPF_FREQ_EDIT:
        case IDC_HPF_FREQ_SPIN: OnHpfFreqChanged(); break;
        case IDC_LPF_FREQ_EDIT:
        case IDC_LPF_FREQ_SPIN: OnLpfFreqChanged(); break;
        case IDC_LEVEL_EDIT:
        case IDC_LEVEL_SPIN: OnLevelChanged(); break;
        case IDC_POLARITY: OnPolarityButton(); break;
        case IDC_DELAY_MS_EDIT:
        case IDC_DELAY_MS_SPIN: OnDelayMsChanged(); break;
        case IDC_DELAY_CM_EDIT:
        case IDC_DELAY_CM_SPIN: OnDelayCmChanged(); break;
        case IDC_DELAY_INCH_EDIT:
        case IDC_DELAY_INCH_SPIN: OnDelayInchChanged(); break;
        case IDC_EQ_MODE: OnEqModeButton(); break;
        case IDC_RESET_EQ: OnResetEqButton(); break;
        case IDC_UI_MODE2: OnUiModeButton(); break;
        default: OnMapCommand(id); break;
        }
    }
}

// ---- Level and polarity -----------------------------------------------------------------------

void COutputDlg::OnLevelChanged()
{
    if (m_pData == nullptr)
        return;
    const int word = m_spinLevel.GetPos();
    bool switchedOn = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CKTV_OutData* output = CurrentOutputLocked();
        if (output->GetGain() == word)
            return;
        // The linked outputs take on, polarity, level, delay, EQ mode and
        // speaker position with it.
        output->SetGain(short(word));
        if (output->GetOn() == 0) {
            output->SetOn(1);
            switchedOn = true;
        }
    }
    m_nLevel = word;
    if (switchedOn) {
        m_bOn = 1;
        m_strips[g_nCurOutput].SetOutputOn(1);
    }
    m_sldLevel.SetValue(word);
}

void COutputDlg::OnPolarityButton()
{
    if (m_pData == nullptr)
        return;
    m_nPolarity = m_btnPolarity.GetCheck() ? 0 : 1;
    m_btnPolarity.SetCheck(m_nPolarity != 0);
    ParameterSetGuard guard(g_ParameterSetLock);
    CurrentOutputLocked()->SetPolarity(BYTE(m_nPolarity));
}

// ---- Delay -------------------------------------------------------------------------------------

void COutputDlg::OnDelayChanged(CNumSpin& spin)
{
    if (m_pData == nullptr)
        return;
    m_nDelayValue = spin.GetPos();
    // The other two fields show the same word in their own units.
    for (CNumSpin* other : {&m_spinDelayMs, &m_spinDelayCm, &m_spinDelayInch}) {
        if (other != &spin)
            other->SetPos(m_nDelayValue);
    }
    ParameterSetGuard guard(g_ParameterSetLock);
    CKTV_OutData* output = CurrentOutputLocked();
    if (output->GetDelay() != m_nDelayValue)
        output->SetDelay(short(m_nDelayValue));
}

void COutputDlg::OnDelayMsChanged()
{
    OnDelayChanged(m_spinDelayMs);
}

void COutputDlg::OnDelayCmChanged()
{
    OnDelayChanged(m_spinDelayCm);
}

void COutputDlg::OnDelayInchChanged()
{
    OnDelayChanged(m_spinDelayInch);
}

void COutputDlg::OnSpinDelayStep(WPARAM spinId, LPARAM delta)
{
    if (m_pData == nullptr || g_nCurOutput < 0 || g_nCurOutput >= OUTPUT_COUNT)
        return;
    // Only a group whose pairing is on steps with the current output; the
    // speaker groups' rebuild never sets it.
    const ChannelSpeakerGroup group = ChannelGroupOfCode(g_byOutputPosition[g_nCurOutput]);
    if (group.members == nullptr || group.state != 1)
        return;
    for (int k = 0; k < CSpeakerGroups::OUTPUTS; ++k) {
        const int output = group.members[k];
        if (output >= 0 && output < OUTPUT_COUNT && output != g_nCurOutput)
            StepLinkedDelay(output, int(delta), int(spinId));
    }
}

void COutputDlg::StepLinkedDelay(int output, int delta, int spinId)
{
    if (m_pData == nullptr || output < 0 || output >= OUTPUT_COUNT)
        return;
    ParameterSetGuard guard(g_ParameterSetLock);
    CKTV_OutData* channel = m_pData->GetOutput(output);
    const int old = channel->GetDelay();
    int stepped = old;
    if (spinId == int(IDC_DELAY_MS_SPIN))
        stepped = old + delta;
    else if (spinId == int(IDC_DELAY_CM_SPIN))
        stepped = StepDelayByCentimetre(old, delta);
    else if (spinId == int(IDC_DELAY_INCH_SPIN))
        stepped = StepDelayByInch(old, delta);
    stepped = std::clamp(stepped, 0, kChannelDelayMax);
    if (stepped != old)
        channel->SetDelay(short(stepped));
}

// ---- EQ mode and reset ----------------------------------------------------------------------------

void COutputDlg::OnEqModeButton()
{
    if (m_pData == nullptr)
        return;
    const int mode = m_btnEqMode.GetCheck() ? 0 : 1;
    m_nEqMode = mode;
    const QString& text = g_bChinese ? (mode ? g_strPeqToGeqCn : g_strGeqToPeqCn)
                                     : (mode ? g_strPeqToGeqEn : g_strGeqToPeqEn);
    if (AppMessageBox(text, MB_YESNO, g_bChinese ? -2 : -3) != IDYES)
        return;
    m_btnEqMode.SetCheck(mode != 0);
    ApplyEqModeLook(mode != 0);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CurrentOutputLocked()->SetEqMode(BYTE(mode));
    }
    MarkBandsOutsideCrossover();
    if (m_pView != nullptr)
        m_pView->SendOutputEqGroup();
    m_graph.RedrawByMode(-1);
}

void COutputDlg::OnResetEqButton()
{
    if (AppMessageBox(g_bChinese ? g_strResetEqCn : g_strResetEqEn, MB_YESNO, g_bChinese ? -2 : -3) != IDYES)
        return;
    if (m_pView != nullptr)
        m_pView->SendOutputEqGroup();
    m_graph.RedrawByMode(-1);
}

void COutputDlg::OnUiModeButton()
{
    // The view is a message target as well as the page's view.
    PostMessage(dynamic_cast<CMsgTarget*>(m_pView), WM_SELECT_UI_MODE2, 0, 0);
}

// ---- Graph and faders -----------------------------------------------------------------------------

void COutputDlg::OnGraphChanged(WPARAM item, LPARAM)
{
    ShowBandFromGraph(int(item));
    // Handled: the graph's repeated notice of a release ends.
    if (m_pGraph != nullptr)
        m_pGraph->m_bReleased = false;
}

void COutputDlg::ShowBandFromGraph(int item)
{
    if (m_pData == nullptr || m_pGraph == nullptr)
        return;
    const bool released = m_pGraph->m_bReleased;
    if (item >= 0 && item < BAND_COUNT) {
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            m_pCurBand = CurrentOutputLocked()->GetBand(item);
            m_nBandFreq = m_pCurBand->GetFrequency();
            m_nBandBw = m_pCurBand->GetBandwidthIndex();
            m_nBandGain = m_pCurBand->GetGainIndex();
            m_bBandFlat = m_pCurBand->IsBypassedOrFlat() ? 1 : 0;
        }
        m_spinBandFreq[item].SetPos(m_nBandFreq);
        m_spinBandQ[item].SetPos(m_nBandBw);
        m_spinBandGain[item].SetPos(m_nBandGain);
        m_sldBandGain[item].SetValue(m_nBandGain);
        ShowBandState(m_bBandFlat, item);
        PropagateGraphBand(item);
        RefreshAllBypassButton();
        HighlightBandLabel(item, true);
        FocusBandField(item, 2, true);
        if (released) {
            m_pGraph->m_bReleased = false;
            if (m_pActiveEdit != nullptr)
                m_pActiveEdit->setFocus(Qt::OtherFocusReason);
        }
        g_abOutputEdited[g_nCurOutput] = 1;
        return;
    }
    if (item != kChannelHighPassItem && item != kChannelLowPassItem)
        return;
    const bool high = item == kChannelHighPassItem;
    HighlightBandLabel(0, false);
    int hz = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CKTV_OutData* output = CurrentOutputLocked();
        hz = (high ? output->GetHighPass() : output->GetLowPass())->GetFrequency();
        if (high) {
            m_nHpfFreq = hz;
            PropagateHpfFreq();
        } else {
            m_nLpfFreq = hz;
            PropagateLpfFreq();
        }
    }
    (high ? m_spinHpfFreq : m_spinLpfFreq).SetPos(hz);
    MarkBandsOutsideCrossover();
    m_graph.RedrawByMode(item);
    // One field at a time has the being-edited look.
    if (m_pActiveEdit != nullptr)
        m_pActiveEdit->SetActiveLook(false);
    m_pActiveEdit = high ? &m_editHpfFreq : &m_editLpfFreq;
    m_pActiveEdit->SetActiveLook(true);
    if (released) {
        m_pGraph->m_bReleased = false;
        m_pActiveEdit->setFocus(Qt::OtherFocusReason);
    }
}

void COutputDlg::PropagateGraphBand(int band)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        ForEachLinkedOutput([&](CKTV_OutData* output) {
            CFilter* filter = output->GetBand(band);
            filter->SetFrequency(m_nBandFreq, true);
            filter->SetBandwidthIndex(m_nBandBw);
            filter->SetGainIndex(m_nBandGain);
        });
    }
    m_graph.RedrawByMode(-1);
}

void COutputDlg::OnGraphFocusBand(int item)
{
    if (item >= 0 && item < BAND_COUNT) {
        HighlightBandLabel(item, true);
        FocusBandField(item, 2, true);
        if (m_pActiveEdit != nullptr)
            m_pActiveEdit->setFocus(Qt::OtherFocusReason);
    } else if (item == kChannelHighPassItem || item == kChannelLowPassItem) {
        HighlightBandLabel(0, false);
        (item == kChannelHighPassItem ? m_editHpfFreq : m_editLpfFreq).setFocus(Qt::OtherFocusReason);
    }
}

void COutputDlg::OnBandFader(int band)
{
    if (m_pData == nullptr || band < 0 || band >= BAND_COUNT)
        return;
    m_nBandGain = m_sldBandGain[band].GetValue();
    m_spinBandGain[band].SetPos(m_nBandGain);
    StoreBandGain(band);
}

LRESULT COutputDlg::OnSliderMoving(WPARAM id, LPARAM)
{
    if (m_pData == nullptr)
        return 1;
    if (id == IDC_LEVEL_SLIDER) {
        const int word = m_sldLevel.GetValue();
        bool changed = false, switchedOn = false;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            CKTV_OutData* output = CurrentOutputLocked();
            if (output->GetGain() != word) {
                output->SetGain(short(word));
                changed = true;
                if (output->GetOn() == 0) {
                    output->SetOn(1);
                    switchedOn = true;
                }
            }
        }
        if (changed) {
            m_nLevel = word;
            m_spinLevel.SetPos(word);
        }
        if (switchedOn) {
            m_bOn = 1;
            m_strips[g_nCurOutput].SetOutputOn(1);
        }
    } else if (id >= IDC_BAND_FADER && id < IDC_BAND_FADER + BAND_COUNT) {
        OnBandFader(int(id) - IDC_BAND_FADER);
    }
    g_abOutputEdited[g_nCurOutput] = 1;
    return 1;
}

LRESULT COutputDlg::OnSliderMoved(WPARAM id, LPARAM position)
{
    OnSliderMoving(id, position);
    if (id == IDC_LEVEL_SLIDER)
        FocusRingField(IDC_LEVEL_EDIT);
    else if (id >= IDC_BAND_FADER && id < IDC_BAND_FADER + BAND_COUNT && m_pActiveEdit != nullptr)
        m_pActiveEdit->setFocus(Qt::OtherFocusReason);
    return 1;
}

// ---- Focus ring ------------------------------------------------------------------------------------

int COutputDlg::RingFocusId() const
{
    if (m_nRingHeldId != 0 && hasFocus())
        return m_nRingHeldId;
    const QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr || focused->parentWidget() != this)
        return 0;
    return GetDlgCtrlID(focused);
}

void COutputDlg::FocusRingField(int id)
{
    QWidget* field = GetDlgItem(this, id);
    if (field == nullptr)
        return;
    if (field->isVisible() && field->isEnabled()) {
        m_nRingHeldId = 0;
        field->setFocus(Qt::TabFocusReason);
        return;
    }
    // A hidden field cannot take the focus: the page takes it and holds the
    // field's turn, so that Tab and Enter move on from there.
    setFocus(Qt::TabFocusReason);
    m_nRingHeldId = id;
}

void COutputDlg::FocusNextField(int id)
{
    int ring[kChannelRingMax];
    const int n = ChannelRing(m_btnEqMode.GetCheck(), ring);
    int at = -1;
    for (int k = 0; k < n; ++k) {
        if (ring[k] == id)
            at = k;
    }
    int next = 0;
    bool light = true;
    if (at >= 0) {
        next = ring[(at + 1) % n];
    } else {
        // From just before a ring field (the view's first-field request):
        // the gain field lights its band, the frequency field does not.
        for (int k = 0; k < n; ++k) {
            if (ring[k] == id + 1)
                next = id + 1;
        }
        light = ChannelFieldIn(next, kChannelGainEdit);
    }
    if (next == 0)
        return;
    if (id == IDC_LPF_FREQ_EDIT)
        ClearBandFocus();
    FocusRingField(next);
    if (next == IDC_HPF_FREQ_EDIT || next == IDC_LPF_FREQ_EDIT)
        m_graph.RedrawByMode(next == IDC_HPF_FREQ_EDIT ? kChannelHighPassItem : kChannelLowPassItem);
    else if (ChannelIsBandField(next) && light)
        HighlightBand(ChannelBandOfField(next));
}

void COutputDlg::FocusPreviousField(int id)
{
    int ring[kChannelRingMax];
    const int n = ChannelRing(m_btnEqMode.GetCheck(), ring);
    int at = -1;
    for (int k = 0; k < n; ++k) {
        if (ring[k] == id)
            at = k;
    }
    if (at < 0)
        return;
    const int previous = ring[(at + n - 1) % n];
    if (id == IDC_HPF_FREQ_EDIT)
        ClearBandFocus();
    FocusRingField(previous);
    if (previous == IDC_HPF_FREQ_EDIT || previous == IDC_LPF_FREQ_EDIT)
        m_graph.RedrawByMode(previous == IDC_HPF_FREQ_EDIT ? kChannelHighPassItem : kChannelLowPassItem);
    else if (ChannelIsBandField(previous))
        HighlightBand(ChannelBandOfField(previous));
}

void COutputDlg::ParkPointer()
{
    m_graph.MovePointerOff(m_graph.GetPlotRect());
}

void COutputDlg::OnFocusNeighbour(WPARAM id, LPARAM key)
{
    if (key == VK_LEFT)
        FocusPreviousField(int(id));
    else if (key == VK_RIGHT)
        FocusNextField(int(id));
    else
        return;
    ParkPointer();
}

void COutputDlg::OnFocusNextInBand(WPARAM wParam)
{
    const int id = int(wParam);
    const int band = ChannelBandOfField(id);
    int next = 0;
    if (ChannelFieldIn(id, kChannelFreqEdit))
        next = kChannelQEdit + band;
    else if (ChannelFieldIn(id, kChannelQEdit))
        next = kChannelGainEdit + band;
    else if (ChannelFieldIn(id, kChannelGainEdit) && band < kChannelBands - 1)
        next = kChannelFreqEdit + band + 1;
    if (next == 0) {
        OnFocusNeighbour(wParam, VK_RIGHT);
        return;
    }
    FocusRingField(next);
    HighlightBand(ChannelBandOfField(next));
    ParkPointer();
}

void COutputDlg::FocusFirstBandField()
{
    // A field being typed in keeps the focus, and so does the page holding
    // a hidden field's turn.
    if (qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr || RingFocusId() != 0)
        return;
    const int before = m_btnEqMode.GetCheck() ? IDC_BAND_GAIN_EDIT - 1 : IDC_BAND_FREQ_EDIT - 1;
    PostMessage(this, WM_FOCUS_NEIGHBOUR, WPARAM(before), VK_RIGHT);
    FocusBandField(0, 0, false);
}

// ---- Side panel, strips, UI mode ------------------------------------------------------------------

void COutputDlg::OnDropListSelected(WPARAM, LPARAM unit)
{
    if (m_pView != nullptr)
        m_pView->SetStripsDelayUnit(int(unit));
}

void COutputDlg::OnStripPaste(WPARAM source, LPARAM destination)
{
    if (m_pView != nullptr)
        m_pView->CopyOutputChannelLocked(int(source), int(destination));
    RefreshChannel();
}

void COutputDlg::SetMixSource(int source, int output, bool on)
{
    if (m_pData != nullptr && source >= 1 && source <= 6 && output >= 0 && output < OUTPUT_COUNT)
        m_pData->GetOutput(output)->SetMixLevel(source, on ? BYTE(m_nMixLevel[source - 1] & 0xFF) : 0);
}

void COutputDlg::SetMixSource1(int output, bool on) { SetMixSource(1, output, on); }
void COutputDlg::SetMixSource2(int output, bool on) { SetMixSource(2, output, on); }
void COutputDlg::SetMixSource3(int output, bool on) { SetMixSource(3, output, on); }
void COutputDlg::SetMixSource4(int output, bool on) { SetMixSource(4, output, on); }
void COutputDlg::SetMixSource5(int output, bool on) { SetMixSource(5, output, on); }
void COutputDlg::SetMixSource6(int output, bool on) { SetMixSource(6, output, on); }

// ---- Members nothing calls -------------------------------------------------------------------------

void COutputDlg::ToggleChannelOn(int output)
{
    if (m_pData == nullptr || output < 0 || output >= OUTPUT_COUNT)
        return;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CKTV_OutData* channel = m_pData->GetOutput(output);
        channel->SetOn(channel->GetOn() ? 0 : 1);
        m_bOn = channel->GetOn();
    }
    m_strips[output].SetOutputOn(m_bOn);
}

void COutputDlg::PropagateChannelOn(int output)
{
    if (output < 0 || output >= OUTPUT_COUNT)
        return;
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (i == output || g_nLinkGroup[i] != g_nLinkGroup[output] || g_pOutputData[i] == nullptr)
            continue;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_pOutputData[i]->SetOn(BYTE(m_bOn));
        }
        m_strips[i].SetOutputOn(m_bOn);
    }
}

void COutputDlg::ShowLinkMarks(bool show)
{
    // The link pictures 5080 to 5082; the loop over the link group always
    // finds the current output itself, so showing shows them all.
    for (int id = 5080; id <= 5082; ++id) {
        if (QWidget* mark = GetDlgItem(this, id))
            mark->setVisible(show);
    }
}

void COutputDlg::SetChannelGain(int output, int word)
{
    if (m_pData == nullptr || output < 0 || output >= OUTPUT_COUNT)
        return;
    int levels[OUTPUT_COUNT] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CKTV_OutData* channel = m_pData->GetOutput(output);
        if (channel->GetGain() == word)
            return;
        channel->SetGain(short(word));
        channel->SetOn(1);
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            levels[i] = g_pOutputData[i] != nullptr ? g_pOutputData[i]->GetGain() : 0;
    }
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (i != output && g_nLinkGroup[i] == g_nLinkGroup[output])
            m_strips[i].SetLevel(levels[i]);
    }
}

void COutputDlg::ApplyEmbeddedMasterVolume()
{
    if (m_gainPanel == nullptr)
        return;
    const int volume = m_gainPanel->GetVolume();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        if (GetWord(g_SystemBytes + 8) == volume)
            return;
        PutWord(g_SystemBytes + 8, volume);
        if (g_byMasterOn == 0)
            g_byMasterOn = 1;
    }
    // Flagged once the lock is free.
    if (m_pView != nullptr)
        m_pView->SetSendSysItem5(true);
}
