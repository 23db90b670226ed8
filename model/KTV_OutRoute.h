#pragma once
// The output route: the twelve output channels, each created with its
// name, colours, band set, the speaker position of g_byOutputPosition and
// its index.
#include "model/ChannelRoute.h"
#include "model/KTV_OutData.h"

class CKTV_OutRoute : public CChannelRoute<CKTV_OutData> {
public:
    CKTV_OutRoute();
    void CreateChannels();
};
