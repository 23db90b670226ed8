// The output page's EQ handlers: the band fields and their spins, the flat
// toggles, the all-bypass toggle, and the high-pass and low-pass filters
// (family, slope, frequency). Each writes the current output's filters and
// repeats the change on the outputs of its link group, in ascending order,
// in the model only; the change scan sends what changed. The all-bypass is
// the one that queues frames itself, through the view.
//
// Locks: the I/O worker's change scan reads the same filters, so each
// handler's model writes (the current output's and the linked outputs')
// run under one ParameterSetGuard, which spans no question, no queue call
// and no redraw.
#include <mutex>

#include "app/LinkGroupTables.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/OutputLinkTable.h"
#include "model/ParameterSetLock.h"
#include "model/SharedTexts.h"
#include "model/SpeakerPosition.h"
#include "pages/MainView.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SendLock.h"

namespace {
// Items of the graph beyond the bands: the high-pass, then the low-pass.
constexpr int kEqHighPassItem = COutputDlg::BAND_COUNT;
constexpr int kEqLowPassItem = COutputDlg::BAND_COUNT + 1;
// A tweeter's high-pass never goes below this.
constexpr int kEqTweeterHighPassMin = 20;
}  // namespace

CKTV_OutData* COutputDlg::CurrentOutputLocked()
{
    m_pCurOut = m_pData->GetOutput(g_nCurOutput);
    return m_pCurOut;
}

void COutputDlg::ForEachLinkedOutput(const std::function<void(CKTV_OutData*)>& fn)
{
    const int current = g_nCurOutput;
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (i == current || g_nLinkGroup[i] != g_nLinkGroup[current])
            continue;
        if (CKTV_OutData* output = g_pOutputData[i])
            fn(output);
    }
}

// ---- Band fields ---------------------------------------------------------------------------

void COutputDlg::OnBandFreqChanged(int band)
{
    if (m_pData == nullptr || band < 0 || band >= BAND_COUNT)
        return;
    m_nBandFreq = m_spinBandFreq[band].GetPos();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurBand = CurrentOutputLocked()->GetBand(band);
        if (m_pCurBand->GetFrequency() != m_nBandFreq) {
            m_pCurBand->SetFrequency(m_nBandFreq, true);
            PropagateBandFreq(band);
        }
    }
    m_graph.RedrawByMode(band);
    HighlightBandLabel(band, true);
    FocusBandField(band, 0, true);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::OnBandQChanged(int band)
{
    if (m_pData == nullptr || band < 0 || band >= BAND_COUNT)
        return;
    m_nBandBw = m_spinBandQ[band].GetPos();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurBand = CurrentOutputLocked()->GetBand(band);
        if (m_pCurBand->GetBandwidthIndex() != m_nBandBw) {
            m_pCurBand->SetBandwidthIndex(m_nBandBw);
            PropagateBandQ(band);
        }
    }
    m_graph.RedrawByMode(band);
    HighlightBandLabel(band, true);
    FocusBandField(band, 1, true);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::OnBandGainChanged(int band)
{
    if (m_pData == nullptr || band < 0 || band >= BAND_COUNT)
        return;
    m_nBandGain = m_spinBandGain[band].GetPos();
    m_sldBandGain[band].SetValue(m_nBandGain);
    StoreBandGain(band);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::StoreBandGain(int band)
{
    bool changed = false;
    int flat = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurBand = CurrentOutputLocked()->GetBand(band);
        if (m_pCurBand->GetGainIndex() != m_nBandGain) {
            // 0 dB makes the band flat; any other gain clears flat and bypass.
            m_pCurBand->SetGainIndex(m_nBandGain);
            flat = m_pCurBand->IsBypassedOrFlat() ? 1 : 0;
            PropagateBandGain(band);
            changed = true;
        }
    }
    if (changed) {
        ShowBandState(flat, band);
        RefreshAllBypassButton();
    }
    m_graph.RedrawByMode(band);
    HighlightBandLabel(band, true);
    FocusBandField(band, 2, true);
}

void COutputDlg::OnBandBypass(int band)
{
    if (m_pData == nullptr || band < 0 || band >= BAND_COUNT)
        return;
    // The toggle shows the band's state until the page sets it: the press
    // asks for the opposite.
    m_bBandFlat = m_btnBandBypass[band].GetCheck() ? 0 : 1;
    int keptGain = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurBand = CurrentOutputLocked()->GetBand(band);
        // A band at 0 dB stays flat whatever is asked.
        m_pCurBand->SetFlat(m_bBandFlat != 0);
        m_bBandFlat = m_pCurBand->IsBypassedOrFlat() ? 1 : 0;
        keptGain = m_pCurBand->GetGainIndex();
        PropagateBandFlat(band);
    }
    if (m_bBandFlat != 0) {
        ShowBandState(m_bBandFlat, band);
    } else {
        // The band's kept gain comes back.
        m_spinBandGain[band].SetPos(keptGain);
        m_sldBandGain[band].SetValue(keptGain);
        m_btnBandBypass[band].SetCheck(false);
    }
    RefreshAllBypassButton();
    m_graph.RedrawByMode(band);
    HighlightBandLabel(band, true);
    FocusBandField(band, 2, true);
    if (m_pActiveEdit != nullptr)
        m_pActiveEdit->setFocus(Qt::OtherFocusReason);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::PropagateBandFreq(int band)
{
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetBand(band)->SetFrequency(m_nBandFreq, true); });
}

void COutputDlg::PropagateBandQ(int band)
{
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetBand(band)->SetBandwidthIndex(m_nBandBw); });
}

void COutputDlg::PropagateBandGain(int band)
{
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetBand(band)->SetGainIndex(m_nBandGain); });
}

void COutputDlg::PropagateBandFlat(int band)
{
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetBand(band)->SetFlat(m_bBandFlat != 0); });
}

// ---- All bypass -------------------------------------------------------------------------------

void COutputDlg::ToggleAllBypass()
{
    if (m_pData == nullptr)
        return;
    HighlightBandLabel(0, false);
    FocusBandField(0, 0, false);
    m_graph.ClearActiveBand();
    m_graph.RedrawByMode(-1);

    // The toggle shows the output's state: the press asks for the opposite.
    m_bAllBypass = m_btnAllBypass.GetCheck() ? 0 : 1;
    bool nothingToRestore = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CKTV_OutData* output = CurrentOutputLocked();
        output->SetAllBandsBypass(m_bAllBypass != 0);
        if (m_bAllBypass == 0 && output->IsAllBypass()) {
            // Every filter is bypassed or flat of its own: there is nothing
            // to give back.
            output->SetAllBandsBypass(true);
            nothingToRestore = true;
        } else {
            m_bAllBypass = output->IsAllBypass() ? 1 : 0;
        }
    }
    if (nothingToRestore) {
        m_btnAllBypass.SetCheck(true);
        return;
    }

    const QString& text = g_bChinese ? (m_bAllBypass ? g_strBypassEqCn : g_strRestoreEqCn)
                                     : (m_bAllBypass ? g_strBypassEqEn : g_strRestoreEqEn);
    if (AppMessageBox(text, MB_YESNO, g_bChinese ? -2 : -3) != IDYES) {
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            CurrentOutputLocked()->SetAllBandsBypass(m_bAllBypass == 0);
        }
        m_btnAllBypass.SetCheck(m_bAllBypass == 0);
        return;
    }

    // The bands as they are now: bypassed ones at 0 dB, given-back ones
    // with their own gain.
    int gains[BAND_COUNT] = {};
    int flats[BAND_COUNT] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CKTV_OutData* output = CurrentOutputLocked();
        for (int b = 0; b < BAND_COUNT; ++b) {
            gains[b] = output->GetBand(b)->GetGainIndex();
            flats[b] = output->GetBand(b)->IsBypassedOrFlat() ? 1 : 0;
        }
    }
    for (int b = 0; b < BAND_COUNT; ++b) {
        if (m_bAllBypass == 0) {
            m_nBandGain = gains[b];
            m_spinBandGain[b].SetPos(m_nBandGain);
            m_sldBandGain[b].SetValue(m_nBandGain);
        }
        ShowBandState(flats[b], b);
    }

    // The bypass setter marks nothing: the output goes to the device as a
    // block at once, then once more with the rest of its link group. The
    // send lock is held from the first muting record to the last restoring
    // one, so the change scan slips no frame of its own in between (it
    // would find the output's basic record changed and switch it on).
    {
        std::lock_guard<CCriticalSection> send(g_csSendLock);
        if (m_pView != nullptr) {
            m_pView->SendOutputOff(g_nCurOutput);
            m_pView->SendOutputChannelBlockNoLock(g_nCurOutput);
        }
        PropagateAllBypass();
    }

    m_btnAllBypass.SetCheck(m_bAllBypass != 0);
    m_graph.RedrawByMode(-1);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::PropagateAllBypass()
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        ForEachLinkedOutput([&](CKTV_OutData* output) { output->SetAllBandsBypass(m_bAllBypass != 0); });
    }
    if (m_pView == nullptr)
        return;
    // The current output's block goes a second time, with its group.
    const int current = g_nCurOutput;
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (g_nLinkGroup[i] == g_nLinkGroup[current])
            m_pView->SendOutputChannelBlock(i);
    }
}

// ---- Crossover filters ----------------------------------------------------------------------

void COutputDlg::OnComboBtnSelChange(WPARAM listId)
{
    switch (listId) {
    case IDC_HPF_FAMILY_LIST: OnHpfFamilyChanged(); break;
    case IDC_HPF_SLOPE_LIST: OnHpfSlopeChanged(); break;
    case IDC_LPF_FAMILY_LIST: OnLpfFamilyChanged(); break;
    case IDC_LPF_SLOPE_LIST: OnLpfSlopeChanged(); break;
    default: break;
    }
    HighlightBandLabel(0, false);
}

void COutputDlg::OnHpfFamilyChanged()
{
    if (m_pData == nullptr)
        return;
    m_nHpfFamily = m_cbHpfFamily.GetCurSel();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurBand = CurrentOutputLocked()->GetHighPass();
        if (m_pCurBand->GetFamily() != m_nHpfFamily) {
            m_pCurBand->SetFamily(m_nHpfFamily, true);
            PropagateHpfFamily();
        }
    }
    m_graph.RedrawByMode(kEqHighPassItem);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::OnLpfFamilyChanged()
{
    if (m_pData == nullptr)
        return;
    m_nLpfFamily = m_cbLpfFamily.GetCurSel();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurBand = CurrentOutputLocked()->GetLowPass();
        if (m_pCurBand->GetFamily() != m_nLpfFamily) {
            m_pCurBand->SetFamily(m_nLpfFamily, true);
            PropagateLpfFamily();
        }
    }
    m_graph.RedrawByMode(kEqLowPassItem);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::OnHpfSlopeChanged()
{
    if (m_pData == nullptr)
        return;
    m_nHpfSlope = m_cbHpfSlope.GetCurSel();
    bool changed = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurBand = CurrentOutputLocked()->GetHighPass();
        if (m_pCurBand->GetSlope() != m_nHpfSlope) {
            m_pCurBand->SetSlope(m_nHpfSlope, true);
            PropagateHpfSlope();
            changed = true;
        }
    }
    // A 6 dB/Oct filter has no family to choose.
    if (changed)
        m_cbHpfFamily.setVisible(m_nHpfSlope != 0);
    m_graph.RedrawByMode(kEqHighPassItem);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::OnLpfSlopeChanged()
{
    if (m_pData == nullptr)
        return;
    m_nLpfSlope = m_cbLpfSlope.GetCurSel();
    bool changed = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pCurBand = CurrentOutputLocked()->GetLowPass();
        if (m_pCurBand->GetSlope() != m_nLpfSlope) {
            m_pCurBand->SetSlope(m_nLpfSlope, true);
            PropagateLpfSlope();
            changed = true;
        }
    }
    if (changed)
        m_cbLpfFamily.setVisible(m_nLpfSlope != 0);
    m_graph.RedrawByMode(kEqLowPassItem);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::OnHpfFreqChanged()
{
    if (m_pData == nullptr)
        return;
    m_nHpfFreq = m_spinHpfFreq.GetPos();
    // The field clamps to 20 Hz already; the rule stands for a tweeter all
    // the same.
    if (IsTweeterPosition(g_byOutputPosition[g_nCurOutput]) && m_nHpfFreq < kEqTweeterHighPassMin) {
        m_nHpfFreq = kEqTweeterHighPassMin;
        m_spinHpfFreq.SetPos(m_nHpfFreq);
    }
    bool changed = false, limited = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CKTV_OutData* output = CurrentOutputLocked();
        m_pCurBand = output->GetHighPass();
        const int lowPass = output->GetLowPass()->GetFrequency();
        // Only a changed value is held below the low-pass (equal is allowed).
        if (m_pCurBand->GetFrequency() != m_nHpfFreq) {
            if (m_nHpfFreq > lowPass) {
                m_nHpfFreq = lowPass;
                limited = true;
            }
            m_pCurBand->SetFrequency(m_nHpfFreq, true);
            PropagateHpfFreq();
            changed = true;
        }
    }
    if (limited)
        m_spinHpfFreq.SetPos(m_nHpfFreq);
    if (changed)
        MarkBandsOutsideCrossover();
    m_graph.RedrawByMode(kEqHighPassItem);
    HighlightBandLabel(0, false);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::OnLpfFreqChanged()
{
    if (m_pData == nullptr)
        return;
    m_nLpfFreq = m_spinLpfFreq.GetPos();
    bool changed = false, limited = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CKTV_OutData* output = CurrentOutputLocked();
        m_pCurBand = output->GetLowPass();
        const int highPass = output->GetHighPass()->GetFrequency();
        if (m_pCurBand->GetFrequency() != m_nLpfFreq) {
            if (m_nLpfFreq < highPass) {
                m_nLpfFreq = highPass;
                limited = true;
            }
            m_pCurBand->SetFrequency(m_nLpfFreq, true);
            PropagateLpfFreq();
            changed = true;
        }
    }
    if (limited)
        m_spinLpfFreq.SetPos(m_nLpfFreq);
    if (changed)
        MarkBandsOutsideCrossover();
    m_graph.RedrawByMode(kEqLowPassItem);
    HighlightBandLabel(0, false);
    g_abOutputEdited[g_nCurOutput] = 1;
}

void COutputDlg::PropagateHpfFamily()
{
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetHighPass()->SetFamily(m_nHpfFamily, true); });
}

void COutputDlg::PropagateHpfSlope()
{
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetHighPass()->SetSlope(m_nHpfSlope, true); });
}

void COutputDlg::PropagateHpfFreq()
{
    // Linked outputs take the value as it is, past their own low-pass too.
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetHighPass()->SetFrequency(m_nHpfFreq, true); });
}

void COutputDlg::PropagateLpfFamily()
{
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetLowPass()->SetFamily(m_nLpfFamily, true); });
}

void COutputDlg::PropagateLpfSlope()
{
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetLowPass()->SetSlope(m_nLpfSlope, true); });
}

void COutputDlg::PropagateLpfFreq()
{
    ForEachLinkedOutput([&](CKTV_OutData* output) { output->GetLowPass()->SetFrequency(m_nLpfFreq, true); });
}
