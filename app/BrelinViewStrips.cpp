// The main view's handlers of what the output strips, the mix page and the
// master-volume panel post, its own buttons of the page area, and the
// output links and mix defaults the pages ask for. Each handler writes the
// model through the channel setters (the change scan sends the change) and
// keeps the other windows that show the value in step; only where stated
// does it queue a command.
#include <mutex>

#include "app/BrelinView.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "platform/core/SendLock.h"

namespace {
bool StripsIsOutput(int output)
{
    return output >= 0 && output < OUTPUT_COUNT;
}
}  // namespace

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

void CBrelinView::ApplyDefaultMixForSpeakerType(int output, int code)
{
    if (StripsIsOutput(output))
        m_mixPage.m_Column[output].ApplySpeakerTypeMix(code);
}

void CBrelinView::ApplyMixSpeakerDefaults(int output, int code)
{
    ApplyDefaultMixForSpeakerType(output, code);
}
