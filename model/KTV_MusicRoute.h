#pragma once
// The music route: music channels "Music 1" to "Music 4".
#include "model/ChannelRoute.h"
#include "model/Music_InData.h"

class CKTV_MusicRoute : public CChannelRoute<CMusic_InData> {
public:
    CKTV_MusicRoute();
    void CreateChannels();
};
