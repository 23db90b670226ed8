#include "model/KTV_MusicRoute.h"

#include "model/ChannelColors.h"

namespace {
// The gain word the music channels start with.
const int kMusicGain = 450;
}  // namespace

CKTV_MusicRoute::CKTV_MusicRoute()
{
    CreateChannels();
}

void CKTV_MusicRoute::CreateChannels()
{
    for (int i = 0; i < MUSIC_COUNT; ++i) {
        CMusic_InData* music = Append();
        music->BuildEQ(MUSIC_PEQ_BANDS - 1, MUSIC_CROSSOVER_RECORD);
        music->SetName(QStringLiteral("Music %1").arg(i + 1));
        music->SetColor(kMusicColours[i].rgb);
        music->SetCurveColor(kMusicColours[i].curveArgb);
        music->SetGain(kMusicGain);
        music->SetIndex(i);
    }
}
