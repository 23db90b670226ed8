// The output page's output links: the left/right link of mirrored speaker
// positions, the copy of one output onto its link group, and the helpers
// that show a link group on the strips and the position buttons.
#include <mutex>

#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "platform/core/SendLock.h"
#include "model/SharedTexts.h"
#include "model/SpeakerPosition.h"
#include "pages/MainView.h"
#include "pages/output/All_Link_Dlg.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/Language.h"
#include "platform/core/MessageBoxHook.h"

void COutputDlg::ShowLinkToggles(bool linked)
{
    m_btnLRLink.SetCheck(linked);
    m_dlgDelay.m_btnLink.SetCheck(linked);
}

bool COutputDlg::SetupLRLink()
{
    if (g_bOutputLinkOn) {
        ShowLinkToggles(false);
        g_bOutputLinkOn = false;
        g_bOutputMapLocked = false;
        ShowMapLockToggles(false);
        ApplyOutputMapLock();
        if (m_pView != nullptr)
            m_pView->ClearOutputLinks();
        return true;
    }
    bool paired = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        paired = FindMirroredPairs();
    }
    if (!paired) {
        AskPrompt(g_bChinese ? QStringLiteral("没有左右通道可以联调!") : QStringLiteral("No link L&R output !"), MB_OK,
                  g_bChinese ? g_strPromptCaptionCn : g_strPromptCaptionEn);
        return false;
    }
    int direction = 0;
    {
        CAll_Link_Dlg dialog(this);
        if (dialog.DoModal() != IDOK)
            return false;
        direction = dialog.m_nDirection;
    }
    if (!g_bOutputMapLocked) {
        g_bOutputMapLocked = true;
        ShowMapLockToggles(true);
        ApplyOutputMapLock();
    }
    bool pairs = false;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        pairs = BuildLeftRightPairs();
    }
    if (pairs && m_pView != nullptr) {
        if (m_pView->SyncLinkedOutputPairs(direction))
            m_pView->RefreshOutputStrips();
        else
            RefreshPairedStripsOn(direction);
    }
    g_bOutputLinkOn = true;
    ShowLinkToggles(true);
    SelectLinkedStrips(g_nCurOutput);
    return true;
}

void COutputDlg::RefreshPairedStripsOn(int direction)
{
    if (m_pData == nullptr)
        return;
    for (const SpeakerPair& pair : g_LeftRightPairs) {
        if (!pair.bUsed)
            continue;
        const int source = direction == 0 ? pair.nFirst : pair.nSecond;
        const int destination = direction == 0 ? pair.nSecond : pair.nFirst;
        if (source < 0 || source >= OUTPUT_COUNT || destination < 0 || destination >= OUTPUT_COUNT)
            continue;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            m_bOn = m_pData->GetOutput(source)->GetOn();
        }
        m_strips[destination].SetOutputOn(m_bOn);
        m_strips[destination].m_btnMute.SetCheck(m_bOn != 0);
    }
}

void COutputDlg::OnLinkGroupCopy(int source)
{
    if (source < 0 || source >= OUTPUT_COUNT)
        return;
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        g_nLinkGroup[i] = m_strips[i].m_nLinkMask;
    const int mask = m_strips[source].m_nLinkMask;
    {
        // The worker sends nothing of another UI sequence in between: the
        // muting, the copies and the restoring go out unbroken.
        std::lock_guard<CCriticalSection> lock(g_csSendLock);
        MuteLinkGroup(source, true);
        CopyToLinkGroup(source, mask);
        MuteLinkGroup(source, false);
        RefreshLinkedStrips(source, mask);
    }
}

void COutputDlg::MuteLinkGroup(int source, bool mute)
{
    if (!g_bDeviceSynced || m_pData == nullptr || source < 0 || source >= OUTPUT_COUNT)
        return;
    const int mask = m_strips[source].m_nLinkMask;
    for (int j = 0; j < OUTPUT_COUNT; ++j) {
        if ((mask & (1 << j)) == 0)
            continue;
        std::unique_ptr<CSendData> frame;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            CKTV_OutData* output = m_pData->GetOutput(j);
            if (mute) {
                m_nSavedOn[j] = output->GetOn();
                output->SetOn(0);
            } else {
                output->SetOn(BYTE(m_nSavedOn[j]));
            }
            // Sent here: the change scan must not send it again.
            output->SetBasicDirty(false);
            frame = output->StoreBasicRecord(true);
        }
        if (m_pView != nullptr)
            m_pView->AddCommand(std::move(frame));
    }
}

void COutputDlg::CopyToLinkGroup(int source, int)
{
    if (source < 0 || source >= OUTPUT_COUNT)
        return;
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (i == source || g_nLinkGroup[i] != g_nLinkGroup[source])
            continue;
        if (m_pView != nullptr)
            m_pView->CopyOutputChannel(source, i);
        g_bOutputLinkOn = true;
    }
}

void COutputDlg::RefreshLinkedStrips(int source, int mask)
{
    if (m_pData == nullptr || source < 0 || source >= OUTPUT_COUNT)
        return;
    bool selected = false;
    for (int j = 0; j < OUTPUT_COUNT; ++j)
        if ((mask & (1 << j)) != 0 && m_strips[j].m_btnSelect.GetCheck())
            selected = true;
    int level = 0, delay = 0, on = 0, polarity = 0;
    int sources[6] = {};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const CKTV_OutData* output = m_pData->GetOutput(source);
        level = output->GetGain();
        delay = output->GetDelay() / 2;
        on = output->GetOn();
        polarity = output->GetPolarity();
        for (int k = 0; k < 6; ++k)
            sources[k] = output->GetMixLevel(k + 1) & 0xFF;
    }
    for (int j = 0; j < OUTPUT_COUNT; ++j) {
        if ((mask & (1 << j)) == 0)
            continue;
        COutRouteDlg& record = m_strips[j];
        record.m_btnSelect.SetCheck(selected);
        if (j == source)
            continue;
        record.SetLevel(level);
        record.SetDelay(delay);
        record.SetOutputOn(on);
        record.SetPolarity(polarity);
        record.SetSource1(sources[0]);
        record.SetSource2(sources[1]);
        record.SetSource3(sources[2]);
        record.SetSource4(sources[3]);
        record.SetSource5(sources[4]);
        record.SetSource6(sources[5]);
    }
}

void COutputDlg::SelectLinkedStrips(int output)
{
    if (output < 0 || output >= OUTPUT_COUNT)
        return;
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        if (i == output || g_nLinkGroup[i] != g_nLinkGroup[output])
            continue;
        if (m_pView != nullptr)
            if (COutRouteDlg* strip = m_pView->OutputStrip(i))
                strip->SetSelected(true);
        m_graph.RedrawByMode(-1);
        HighlightSpeakerButton(g_byOutputPosition[i], true);
    }
}

bool COutputDlg::HasLinkedOutputs(int output) const
{
    if (output < 0 || output >= OUTPUT_COUNT)
        return false;
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        if (i != output && (m_strips[output].m_nLinkMask & (1 << i)) != 0)
            return true;
    return false;
}

int COutputDlg::LinkMask(int output) const
{
    return output >= 0 && output < OUTPUT_COUNT ? m_strips[output].m_nLinkMask : 0;
}

void COutputDlg::SetLinkMask(int output, int mask)
{
    if (output < 0 || output >= OUTPUT_COUNT)
        return;
    m_strips[output].m_nLinkMask = mask;
    if (m_pView != nullptr)
        if (COutRouteDlg* strip = m_pView->OutputStrip(output))
            strip->m_nLinkMask = mask;
}
