#include "model/KTV_OutRoute.h"

#include "model/ChannelColors.h"
#include "model/Filter.h"
#include "model/SpeakerPosition.h"

namespace {
const char* const kOutputNames[OUTPUT_COUNT] = {"FL", "FR", "SL", "SR", "Center", "ULF"};
// Drag rule of each output's high-pass filter as built.
const int kHighPassDragKinds[OUTPUT_COUNT] = {
    DRAG_LIMIT_KIND11, DRAG_LIMIT_KIND10, DRAG_LIMIT_KIND9, DRAG_LIMIT_KIND11, DRAG_LIMIT_KIND10, DRAG_LIMIT_KIND9,
    DRAG_LIMIT_KIND9,  DRAG_LIMIT_KIND9,  DRAG_LIMIT_KIND9, DRAG_LIMIT_KIND9,  DRAG_LIMIT_KIND9,  DRAG_LIMIT_KIND9,
};
}  // namespace

CKTV_OutRoute::CKTV_OutRoute()
{
    CreateChannels();
}

void CKTV_OutRoute::CreateChannels()
{
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        CKTV_OutData* output = Append();
        output->BuildEQ(OUTPUT_PEQ_BANDS - 1, OUTPUT_CROSSOVER_RECORD, kHighPassDragKinds[i], 20, 20000);
        if (kOutputNames[i] != nullptr)
            output->SetName(QString::fromLatin1(kOutputNames[i]));
        output->SetColor(kOutputColours[i].rgb);
        output->SetCurveColor(kOutputColours[i].curveArgb);
        output->SetSpeakerPosition(g_byOutputPosition[i]);
        output->SetIndex(BYTE(i));
    }
}
