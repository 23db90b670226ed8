// The main view's handlers of what the output strips, the mix page and the
// master-volume panel post, its own buttons of the page area, and the
// output links and mix defaults the pages ask for. Each handler writes the
// model through the channel setters (the change scan sends the change) and
// keeps the other windows that show the value in step; only where stated
// does it queue a command.
#include <algorithm>
#include <mutex>

#include "app/BrelinView.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "platform/core/SendLock.h"
#include "platform/core/SystemMessages.h"

namespace {
bool StripsIsOutput(int output)
{
    return output >= 0 && output < OUTPUT_COUNT;
}
// A source switched on whose remembered level is 0 comes on at this level.
constexpr int STRIPS_SOURCE_ON_LEVEL = 100;
// System byte 31, the switch of button 2561, travels in system item 7.
constexpr int STRIPS_SYSTEM_BYTE_SWITCH31 = 31;
constexpr int STRIPS_COMMAND_SWITCH31 = 7;
// The master volume goes with system items 5 (flagged) and 2 (queued).
constexpr int STRIPS_COMMAND_MASTER = 2;
// The output page's setters of mix sources 1 to 6.
constexpr int STRIPS_PAGE_SOURCES = 6;
}  // namespace

// ---- Routing ------------------------------------------------------------------------

bool CBrelinView::StripWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int output = int(wParam);
    if (message >= WM_STRIP_SOURCE1 && message <= WM_STRIP_SOURCE16) {
        OnStripSource(int(message - WM_STRIP_SOURCE1) + 1, output, lParam != 0);
        return true;
    }
    switch (message) {
    case WM_STRIP_MUTE:
        OnStripMute(output, int(lParam));
        return true;
    case WM_STRIP_SELECT:
    case WM_MIX_SELECT_OUTPUT:
        OnStripSelect(output);
        return true;
    case WM_STRIP_LEVEL:
        OnStripLevel(output, int(lParam));
        return true;
    case WM_STRIP_POLARITY:
        OnStripPolarity(output, int(lParam));
        return true;
    case WM_STRIP_DELAY:
        OnStripDelay(output, int(lParam));
        return true;
    case WM_STRIP_SPEAKER_TYPE:
        OnStripSpeakerType(output, int(lParam));
        return true;
    case WM_MIX_APPLY_SPEAKER_DEFAULTS:
        ApplyMixSpeakerDefaults(output, int(lParam));
        return true;
    case WM_MASTER_VOLUME_CHANGED:
        OnMasterVolumeChanged();
        return true;
    case WM_MIXER_TOGGLED:
        OnMixerToggled(int(lParam));
        return true;
    case WM_MIX_LEVEL_NOTIFY:
        OnMixLevelNotify(reinterpret_cast<const MixCellRef*>(wParam), int(lParam));
        return true;
    case WM_APPLY_LOCK_STATE:
        OnShowLockState();
        return true;
    default:
        return false;
    }
}

bool CBrelinView::OnStripAreaCommand(UINT id)
{
    switch (id) {
    case IDC_MIXER:
        OnMixerButton();
        return true;
    case IDC_PAGE_SWAP:
        OnPageSwapButton();
        return true;
    case IDC_SWITCH31:
        OnSwitch31Button();
        return true;
    case IDC_LOCK:
        OnLockButton();
        return true;
    default:
        return false;
    }
}

// ---- The strips' messages -----------------------------------------------------------

void CBrelinView::OnStripMute(int output, int on)
{
    if (StripsIsOutput(output))
        m_outputPage.SetChannelOn(output, on);
}

void CBrelinView::OnStripPolarity(int output, int polarity)
{
    if (StripsIsOutput(output))
        m_outputPage.SetChannelPolarity(output, polarity);
}

void CBrelinView::OnStripDelay(int output, int steps)
{
    if (StripsIsOutput(output))
        m_outputPage.SetChannelDelay(output, steps);
}

void CBrelinView::OnStripSelect(int output)
{
    if (!StripsIsOutput(output) || output == g_nCurOutput)
        return;
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        m_strips[i].SetSelected(false);
        m_mixPage.m_Column[i].ClearSliderSkins();
    }
    const int old = g_nCurOutput;
    if (StripsIsOutput(old)) {
        m_mixPage.update(m_rcMixColumns[old].ToQRect());
        m_outputPage.RedrawLinkedCurves(old);
    }
    int groups[OUTPUT_COUNT] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_nCurOutput = output;
        std::copy(g_nLinkGroup, g_nLinkGroup + OUTPUT_COUNT, groups);
    }
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (groups[i] == groups[output])
            m_strips[i].SetSelected(true);
        m_mixPage.m_Column[i].ApplySliderSkins();
    }
    m_outputPage.RefreshChannel();
    m_mixPage.update(m_rcMixColumns[output].ToQRect());
}

void CBrelinView::OnStripLevel(int output, int gain)
{
    CKTV_OutData* channel = StripsIsOutput(output) && m_pData != nullptr ? m_pData->GetOutput(output) : nullptr;
    if (channel == nullptr)
        return;
    if (channel->GetGain() != gain) {
        // Moving the level of a muted output sounds it again.
        channel->SetGain(short(gain));
        channel->SetOn(1);
        if (m_strips[output].m_bOn == 0)
            m_strips[output].SetOutputOn(1);
    }
    int groups[OUTPUT_COUNT] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        std::copy(g_nLinkGroup, g_nLinkGroup + OUTPUT_COUNT, groups);
    }
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (i != output && groups[i] == groups[output])
            m_strips[i].SetLevel(m_pData->GetOutput(i)->GetGain());
    }
}

void CBrelinView::OnStripSource(int source, int output, bool on)
{
    if (!StripsIsOutput(output) || source < 1 || source > CRouteMixCom::ROW_COUNT)
        return;
    CRouteMixCom& column = m_mixPage.m_Column[output];
    int& remembered = column.m_nLevel[source - 1];
    if (on) {
        // Off and on again restores the level it had.
        if (remembered == 0)
            remembered = STRIPS_SOURCE_ON_LEVEL;
        column.SetRowLevel(source, remembered);
    } else {
        column.SetRowLevel(source, 0);
    }
    m_outputPage.m_nMixLevel[source - 1] = remembered;
    if (source <= STRIPS_PAGE_SOURCES) {
        m_outputPage.SetMixSource(source, output, on);
    } else if (CKTV_OutData* channel = m_pData != nullptr ? m_pData->GetOutput(output) : nullptr) {
        channel->SetMixLevel(source, on ? BYTE(remembered & 0xFF) : 0);
    }
}

void CBrelinView::OnStripSpeakerType(int output, int code)
{
    if (!StripsIsOutput(output) || code < 0 || code >= POSITION_CODE_COUNT)
        return;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        ReleaseSpeakerPosition(g_byOutputPosition[output], output);
        g_byOutputPosition[output] = BYTE(code);
        TakeSpeakerPosition(code, 0);
        g_OutputMap[output] = BYTE(code);
    }
    m_strips[output].ShowSpeakerType();
    // The crossover defaults of the position, and to the device when
    // connected.
    m_deviceLink.SendSpeakerAssignment(output, false);
    if (output == g_nCurOutput)
        m_outputPage.RefreshCrossover();
    m_outputPage.Graph().RedrawByMode(-1);
    ApplyMixSpeakerDefaults(output, code);
}

// ---- The mix page and the master-volume panel ------------------------------------------

void CBrelinView::OnMixLevelNotify(const MixCellRef* cell, int level)
{
    if (cell == nullptr)
        return;
    const int output = cell->nOutput;
    const int row = cell->nRow;
    if (!StripsIsOutput(output) || row < 0 || row >= CRouteMixCom::ROW_COUNT)
        return;
    m_strips[output].SetSource(row + 1, level != 0 ? 1 : 0);
}

void CBrelinView::OnMasterVolumeChanged()
{
    // The next status replies would move the fader back.
    HoldStatusUpdates();
    const int volume = m_masterPanel.GetVolume();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const int byte = MasterVolumeByte(g_byInputMode);
        const int stored = byte >= 0 ? g_SystemBytes[byte] : 0;
        if (volume == stored)
            return;
        if (byte >= 0)
            g_SystemBytes[byte] = BYTE(volume);
        if (g_byMasterOn == 0)
            g_byMasterOn = 1;
    }
    if (m_masterPanel.m_btnMute.GetCheck())
        m_masterPanel.m_btnMute.SetCheck(false);
    SetSendSysItem5(true);
    QueueCommand(STRIPS_COMMAND_MASTER, 0);
}

void CBrelinView::OnMixerToggled(int state)
{
    if (state == 1) {
        m_outputPage.Show(SW_HIDE);
        m_mixPage.show();
        m_mixPage.m_nHighlightRow = 0;
    } else if (state == 0) {
        m_outputPage.Show(SW_SHOW);
        m_mixPage.hide();
    }
    update();
}

// ---- The page-area buttons --------------------------------------------------------------

void CBrelinView::OnMixerButton()
{
    const bool mixer = !m_btnMixer.GetCheck();
    OnMixerToggled(mixer ? 1 : 0);
    m_btnMixer.SetCheck(mixer);
}

void CBrelinView::OnPageSwapButton()
{
    const bool mixer = !m_btnPageSwap.GetCheck();
    m_outputPage.Show(mixer ? SW_HIDE : SW_SHOW);
    m_mixPage.setVisible(mixer);
    m_btnPageSwap.SetCheck(mixer);
}

void CBrelinView::OnSwitch31Button()
{
    const bool on = !m_btnSwitch31.GetCheck();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_SystemBytes[STRIPS_SYSTEM_BYTE_SWITCH31] = on ? 1 : 0;
    }
    m_btnSwitch31.SetCheck(on);
    QueueCommand(STRIPS_COMMAND_SWITCH31, 0);
}

// ---- Methods the pages call ---------------------------------------------------------

void CBrelinView::SetStripsDelayUnit(int unit)
{
    for (COutRouteDlg& strip : m_strips)
        strip.SetDelayUnit(unit);
}

bool CBrelinView::SyncLinkedOutputPairs(int direction)
{
    std::lock_guard<CCriticalSection> lock(g_csSendLock);
    m_deviceLink.SetTransferMute(false);
    bool copied = false;
    for (int k = 0; k < SPEAKER_PAIR_COUNT; ++k) {
        SpeakerPair pair{};
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            pair = g_LeftRightPairs[k];
        }
        if (pair.bUsed == 0)
            continue;
        const int source = direction == 0 ? pair.nFirst : pair.nSecond;
        const int destination = direction == 0 ? pair.nSecond : pair.nFirst;
        if (!StripsIsOutput(source) || !StripsIsOutput(destination))
            continue;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_nLinkGroup[destination] = source;
        }
        CopyOutputChannel(source, destination);
        copied = true;
    }
    m_deviceLink.SetTransferMute(true);
    return copied;
}

void CBrelinView::SyncLinkGroupStrips(int output, int group)
{
    if (!StripsIsOutput(output))
        return;
    bool members[OUTPUT_COUNT] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            members[i] = g_nLinkGroup[i] == group;
    }
    bool anyChecked = false;
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        anyChecked = anyChecked || (members[i] && m_strips[i].m_btnLink.GetCheck());
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (members[i])
            m_strips[i].m_btnLink.SetCheck(anyChecked);
    }
    const CKTV_OutData* source = m_pData != nullptr ? m_pData->GetOutput(output) : nullptr;
    if (source == nullptr)
        return;
    const int gain = source->GetGain();
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (members[i] && i != output)
            m_strips[i].SetLevel(gain);
    }
}

void CBrelinView::RepaintView()
{
    update();
    for (COutRouteDlg& strip : m_strips)
        strip.update();
}

void CBrelinView::ApplyDefaultMixForSpeakerType(int output, int code)
{
    if (StripsIsOutput(output))
        m_mixPage.m_Column[output].ApplySpeakerTypeMix(code);
}

void CBrelinView::ApplyMixSpeakerDefaults(int output, int code)
{
    ApplyDefaultMixForSpeakerType(output, code);
}
