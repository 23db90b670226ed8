#include "model/KTV_MicRoute.h"

#include "model/ChannelColors.h"

CKTV_MicRoute::CKTV_MicRoute()
{
    CreateChannels();
}

void CKTV_MicRoute::CreateChannels()
{
    CMIC_InData* mic = Append();
    mic->BuildEQ(MIC_EQ_BANDS - 1, MIC_CROSSOVER_RECORD);
    mic->SetName(QStringLiteral("Mic 1"));
    mic->SetColor(kMicColour.rgb);
    mic->SetCurveColor(kMicColour.curveArgb);
    mic->SetIndex(0);
}

void CKTV_MicRoute::LoadChannel(const BYTE* block, int i)
{
    if (CMIC_InData* mic = GetAt(i))
        mic->LoadFromDevice(block);
}
