#pragma once
// The parameter set as a link test or benchmark starts from: the default
// image, every output its own link group, no scan request pending, and the
// live preset already "Custom" with no machine preset current, so that an
// edit is followed by nothing but its own frame (no rename of the preset).
// No test framework here: the benchmarks use it too.
#include "model/ChangeScanFlags.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"

inline void PrepareLiveSetForLink()
{
    InitDefaultDeviceData();
    for (int k = 0; k < OUTPUT_COUNT; ++k)
        g_nLinkGroup[k] = k;
    StringToFixedField(reinterpret_cast<char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE, g_strCustomName);
    g_byCurrentPreset = 0;
    g_strEmptyName = g_strCustomName;
    g_bTrackPresetName = true;
    g_bSendSysItem5 = false;
    g_bSendSysItem2 = false;
    g_bSendPresetName = false;
}
