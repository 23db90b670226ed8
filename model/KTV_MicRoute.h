#pragma once
// The mic route: the one mic channel, "Mic 1".
#include "model/ChannelRoute.h"
#include "model/MIC_InData.h"

class CKTV_MicRoute : public CChannelRoute<CMIC_InData> {
public:
    CKTV_MicRoute();
    void CreateChannels();
    void LoadChannel(const BYTE* block, int i);
};
