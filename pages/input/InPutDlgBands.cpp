// The input page's EQ: the band fields, faders and bypass buttons, the
// graph's notices, and the all-bypass, reset and PEQ/GEQ buttons. The band
// setters only mark the bands; the change scan sends them.
#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "model/SharedTexts.h"
#include "pages/MainView.h"
#include "pages/input/InPutDlg.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/ControlStyles.h"

namespace {
const QColor kInputBandBlack(0, 0, 0);
const QColor kInputBandRed(255, 0, 0);

// A yes/no question with the prompt caption of the language.
bool InputBandsAsk(const QString& chinese, const QString& english)
{
    return AppMessageBox(g_bChinese ? chinese : english, MB_YESNO, g_bChinese ? -2 : -3) == IDYES;
}

int InputBandsKind()
{
    ParameterSetGuard guard(g_ParameterSetLock);
    return g_nInputMode;
}
}  // namespace

// ---- Shared steps ------------------------------------------------------------------------------

void CInPutDlg::SetBandBypassLook(bool bypassed, int band)
{
    if (band < 0 || band >= BANDS)
        return;
    const size_t i = size_t(band);
    m_btnBypass[i].SetCheck(bypassed);
    if (!bypassed)
        return;
    m_editGain[i].setText(QStringLiteral("0.0"));
    m_spinGain[i].SetPos(GAIN_FLAT);
    m_sldGain[i].SetValue(GAIN_FLAT);
}

void CInPutDlg::RefreshAllBypassButton()
{
    if (m_pMusic == nullptr)
        return;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_bAllBypass = m_pMusic->IsAllBypass();
    }
    m_btnAllBypass.SetCheck(m_bAllBypass);
}

void CInPutDlg::HighlightBandLabel(int band, bool on)
{
    if (m_pHighlightLabel != nullptr)
        m_pHighlightLabel->SetFontStyle(QString(), 14, kInputBandBlack, 1);
    m_pHighlightLabel = nullptr;
    if (!on || band < 0 || band >= BANDS)
        return;
    m_pHighlightLabel = &m_stcLabel[size_t(band)];
    m_pHighlightLabel->SetFontStyle(QString(), 14, kInputBandRed, 1);
}

void CInPutDlg::SetActiveEdit(int band, int row, bool on)
{
    if (m_pActiveEdit != nullptr)
        m_pActiveEdit->SetActiveLook(false);
    m_pActiveEdit = nullptr;
    if (!on || band < 0 || band >= BANDS || row < 0 || row > 2)
        return;
    CNumEdit* rows[] = {&m_editFreq[size_t(band)], &m_editBw[size_t(band)], &m_editGain[size_t(band)]};
    m_pActiveEdit = rows[row];
    m_pActiveEdit->SetActiveLook(true);
}

void CInPutDlg::FinishBandChange(int band, int row)
{
    m_graph.RedrawByMode(band);
    HighlightBandLabel(band, true);
    SetActiveEdit(band, row, true);
}

// ---- Band fields, faders, bypass ------------------------------------------------------------

void CInPutDlg::OnFrequencyCommit(int band)
{
    CFilter* filter = BandOf(band);
    if (filter == nullptr)
        return;
    m_nFrequency = m_spinFreq[size_t(band)].GetPos();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pBand = filter;
        if (m_nFrequency != filter->GetFrequency())
            filter->SetFrequency(m_nFrequency, true);
    }
    FinishBandChange(band, 0);
}

void CInPutDlg::OnBandwidthCommit(int band)
{
    CFilter* filter = BandOf(band);
    if (filter == nullptr)
        return;
    m_nBandwidth = m_spinBw[size_t(band)].GetPos();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pBand = filter;
        if (m_nBandwidth != filter->GetBandwidthIndex())
            filter->SetBandwidthIndex(m_nBandwidth);
    }
    FinishBandChange(band, 1);
}

void CInPutDlg::OnGainCommit(int band)
{
    CFilter* filter = BandOf(band);
    if (filter == nullptr)
        return;
    const size_t i = size_t(band);
    m_nGain = m_spinGain[i].GetPos();
    m_sldGain[i].SetValue(m_nGain);
    bool changed = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pBand = filter;
        if (m_nGain != filter->GetGainIndex()) {
            // 0 dB makes the band flat.
            filter->SetGainIndex(m_nGain);
            m_bBandFlat = filter->IsBypassedOrFlat();
            changed = true;
        }
    }
    if (changed) {
        SetBandBypassLook(m_bBandFlat, band);
        RefreshAllBypassButton();
    }
    FinishBandChange(band, 2);
}

void CInPutDlg::OnGainFaderChanged(int band)
{
    CFilter* filter = BandOf(band);
    if (filter == nullptr)
        return;
    const size_t i = size_t(band);
    const int value = m_sldGain[i].GetValue();
    bool changed = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pBand = filter;
        if (value != filter->GetGainIndex()) {
            filter->SetGainIndex(value);
            m_bBandFlat = filter->IsBypassedOrFlat();
            changed = true;
        }
    }
    if (changed) {
        m_nGain = value;
        m_spinGain[i].SetPos(value);
        SetBandBypassLook(m_bBandFlat, band);
        RefreshAllBypassButton();
    }
    FinishBandChange(band, 2);
}

void CInPutDlg::OnBandBypass(int band)
{
    CFilter* filter = BandOf(band);
    if (filter == nullptr)
        return;
    const size_t i = size_t(band);
    // 1.-2. The button's check is the shown state; a click asks for the other.
    const bool flat = !m_btnBypass[i].GetCheck();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pBand = filter;
        // A band at 0 dB stays flat.
        filter->SetFlat(flat);
        m_bBandFlat = filter->IsBypassedOrFlat();
        m_nGain = filter->GetGainIndex();
    }
    // 3.
    if (m_bBandFlat) {
        SetBandBypassLook(true, band);
    } else {
        m_spinGain[i].SetPos(m_nGain);
        m_sldGain[i].SetValue(m_nGain);
        m_btnBypass[i].SetCheck(false);
    }
    // 4.
    RefreshAllBypassButton();
    FinishBandChange(band, 2);
    m_editGain[i].setFocus(Qt::OtherFocusReason);
}

// ---- The graph's notices ------------------------------------------------------------------------

void CInPutDlg::OnGraphBandChanged(int band)
{
    // The graph's high-pass and low-pass codes (31, 32) are not this page's.
    CFilter* filter = BandOf(band);
    if (filter == nullptr)
        return;
    const size_t i = size_t(band);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pBand = filter;
        m_nFrequency = filter->GetFrequency();
        m_nBandwidth = filter->GetBandwidthIndex();
        m_nGain = filter->GetGainIndex();
        m_bBandFlat = filter->IsBypassedOrFlat();
    }
    m_spinFreq[i].SetPos(m_nFrequency);
    m_spinBw[i].SetPos(m_nBandwidth);
    m_spinGain[i].SetPos(m_nGain);
    m_sldGain[i].SetValue(m_nGain);
    SetBandBypassLook(m_bBandFlat, band);
    RefreshAllBypassButton();
    HighlightBandLabel(band, true);
    SetActiveEdit(band, 2, true);
    if (m_pGraph != nullptr && m_pGraph->m_bReleased) {
        // A drag ended with the button released: the gain field takes over.
        m_pGraph->m_bReleased = false;
        m_editGain[i].setFocus(Qt::OtherFocusReason);
    }
}

void CInPutDlg::OnGraphFocusBand(int band)
{
    if (m_pMusic == nullptr || band < 0 || band >= BANDS)
        return;
    HighlightBandLabel(band, true);
    SetActiveEdit(band, 2, true);
    m_editGain[size_t(band)].setFocus(Qt::OtherFocusReason);
}

// ---- EQ buttons ---------------------------------------------------------------------------------------

void CInPutDlg::OnAllBypass()
{
    CMusic_InData* music = m_pMusic;
    if (music == nullptr)
        return;
    // 1.
    HighlightBandLabel(0, false);
    SetActiveEdit(0, 0, false);
    m_graph.ClearActiveBand();
    m_graph.RedrawByMode(-1);
    // 2.-3.
    const bool bypass = !m_btnAllBypass.GetCheck();
    bool stillAll = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        music->SetAllBandsBypass(bypass);
        if (!bypass && music->IsAllBypass()) {
            // Every band is flat at 0 dB: there is nothing to restore.
            music->SetAllBandsBypass(true);
            stillAll = true;
        } else {
            m_bAllBypass = music->IsAllBypass();
        }
    }
    if (stillAll) {
        m_btnAllBypass.SetCheck(true);
        m_graph.RedrawByMode(-1);
        return;
    }
    // 4. No lock is held while the question waits.
    const bool yes = m_bAllBypass ? InputBandsAsk(g_strBypassEqCn, g_strBypassEqEn)
                                  : InputBandsAsk(g_strRestoreEqCn, g_strRestoreEqEn);
    // 5.
    if (!yes) {
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            music->SetAllBandsBypass(!m_bAllBypass);
        }
        m_btnAllBypass.SetCheck(!m_bAllBypass);
        m_graph.RedrawByMode(-1);
        return;
    }
    struct BandLook {
        bool flat;
        int gain;
    } looks[BANDS] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int b = 0; b < BANDS; ++b) {
            const CFilter* filter = music->GetBand(b);
            looks[b] = {filter->IsBypassedOrFlat(), filter->GetGainIndex()};
        }
    }
    for (int b = 0; b < BANDS; ++b) {
        if (!m_bAllBypass) {
            // Restored: the spins and faders show the gains again; a gain
            // outside the controls' range is left to the refresh.
            if (looks[b].gain >= GAIN_MIN && looks[b].gain <= GAIN_MAX) {
                m_spinGain[size_t(b)].SetPos(looks[b].gain);
                m_sldGain[size_t(b)].SetValue(looks[b].gain);
            }
        }
        SetBandBypassLook(looks[b].flat, b);
    }
    if (m_pView != nullptr)
        m_pView->SendInputChannelBlock(InputBandsKind());
    m_btnAllBypass.SetCheck(m_bAllBypass);
    m_graph.RedrawByMode(-1);
}

void CInPutDlg::OnResetEq()
{
    if (m_pMusic == nullptr)
        return;
    if (!InputBandsAsk(g_strResetEqCn, g_strResetEqEn))
        return;
    if (m_pView != nullptr)
        m_pView->ResetInputEq(InputBandsKind());
    // The reset values are shown at once.
    RefreshChannel();
}

void CInPutDlg::OnEqModeButton()
{
    CMusic_InData* music = m_pMusic;
    if (music == nullptr)
        return;
    // 1.
    const int geq = m_btnEqMode.GetCheck() ? 0 : 1;
    // 2.
    const bool yes =
        geq != 0 ? InputBandsAsk(g_strPeqToGeqCn, g_strPeqToGeqEn) : InputBandsAsk(g_strGeqToPeqCn, g_strGeqToPeqEn);
    if (!yes)
        return;
    // 3.
    m_btnEqMode.SetCheck(geq != 0);
    ApplyEqModeLayout(geq);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        music->SetEqMode(geq);
        m_nEqMode = geq;
    }
    if (m_pView != nullptr)
        m_pView->ResetInputEq(InputBandsKind());
    m_graph.RedrawByMode(-1);
    RefreshChannel();
}

void CInPutDlg::ApplyEqModeLayout(int geq)
{
    for (int b = 0; b < VISIBLE_BANDS; ++b) {
        const size_t i = size_t(b);
        CBitmapSlider& fader = m_sldGain[i];
        if (geq != 0) {
            m_editFreq[i].Show(SW_HIDE);
            m_editBw[i].Show(SW_HIDE);
            m_editGain[i].move(m_rcFreqEdit[i].left, m_rcFreqEdit[i].top);
            fader.move(m_rcColumn[i].left, m_rcColumn[i].top);
            fader.SetThumbBitmaps(626, 627, true, CLR_DEFAULT, 0, 0);
            const UINT channel = b == 0 ? 621 : (b == VISIBLE_BANDS - 1 ? 622 : 620);
            fader.SetChannelBitmaps(channel, channel, false, CLR_DEFAULT, 0, 0);
        } else {
            m_editFreq[i].Show(SW_SHOW);
            m_editBw[i].Show(SW_SHOW);
            m_editGain[i].move(m_rcGainEdit[i].left, m_rcGainEdit[i].top);
            fader.move(m_rcFader[i].left, m_rcFader[i].top);
            const UINT channel = b == 0 ? 624 : (b == VISIBLE_BANDS - 1 ? 625 : 623);
            fader.SetChannelBitmaps(channel, channel, false, CLR_DEFAULT, 0, 0);
        }
    }
    m_btnGainLabel.setVisible(geq != 0);
}
