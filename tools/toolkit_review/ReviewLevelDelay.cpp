// The "level-delay-cn" and "level-delay-en" sheets: the level-and-delay page
// after RefreshAll of a set with every speaker group (front left, rear left
// and the centre linked), levels and delays of every kind, output linking
// on, some lamps lit, delays in centimetres.
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerGroups.h"
#include "model/SpeakerPosition.h"
#include "pages/LevelDelayLinks.h"
#include "pages/output/Level_Delay_Dlg.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

QImage RenderLevelDelay(bool chinese)
{
    InitDefaultDeviceData();
    g_bChinese = chinese;
    const int unitBefore = g_nLevelDelayUnit;
    g_nLevelDelayUnit = 2;
    // Front left three ways, front right tweeter and woofer, both rears,
    // the centre pair and no sub pair: twelve outputs.
    const int positions[OUTPUT_COUNT] = {1, 2, 3, 7, 9, 13, 14, 16, 17, 19, 20, 24};
    CKTV_Data data;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            g_nLinkGroup[i] = i;
            g_byOutputPosition[i] = BYTE(positions[i]);
            CKTV_OutData* output = data.GetOutput(i);
            output->SetGain(short(600 - 37 * i));
            output->SetOn(i == 4 ? 0 : 1);
            output->SetPolarity(i % 3 == 1 ? 1 : 0);
            output->SetDelay(short(40 + 73 * i));
        }
        for (int k = 0; k < MUSIC_COUNT; ++k)
            data.GetMusic(k)->SetGain(600 - 90 * k);
        g_wMasterLevel = 56;
        for (int k = 0; k < 8; ++k)
            g_nDeviceStatus[6 + k] = k == 2 ? 0x79 : k + 1;
    }
    g_SpeakerGroups.Update();
    g_SpeakerGroups.m_nFrontLeftState = 1;
    g_SpeakerGroups.m_nRearLeftState = 1;
    g_SpeakerGroups.m_nCenterState = 1;
    g_bOutputLinkOn = true;
    g_byOutputPosition[6] = 0;  // output 7 lost its speaker: no-speaker picture

    QWidget sheet;
    CLevel_Delay_Dlg page;
    page.m_pData = &data;
    page.Create(&sheet);
    sheet.resize(page.size());
    page.ApplyLanguage();
    page.RefreshAll();
    page.RefreshInputArea();
    page.UpdateMeters();
    page.SelectOutput(3);
    const QImage image = ReviewShot(sheet);

    g_bOutputLinkOn = false;
    g_nLevelDelayUnit = unitBefore;
    g_bChinese = false;
    InitDefaultDeviceData();
    return image;
}

QImage RenderLevelDelayCn()
{
    return RenderLevelDelay(true);
}

QImage RenderLevelDelayEn()
{
    return RenderLevelDelay(false);
}
}  // namespace

ORVANE_REVIEW_SHEET("level-delay-cn", RenderLevelDelayCn);
ORVANE_REVIEW_SHEET("level-delay-en", RenderLevelDelayEn);
