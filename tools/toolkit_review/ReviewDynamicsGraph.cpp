// The "dynamics-graph" sheet: the limiter transfer graphs of outputs 1 to 8
// as the output dynamics dialog sets them up, each at another threshold
// (-30 to +12 dBu), with the channel captions in Chinese and in English.
#include "graphs/COM_EXT_LIMStatic.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
QImage RenderDynamicsGraph()
{
    InitDefaultDeviceData();
    CKTV_Data data;
    const int thresholds[8] = {420, 300, 240, 180, 120, 60, 0, 350};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int n = 0; n < 8; ++n)
            data.GetOutput(n)->SetLimitThreshold(short(thresholds[n]));
    }
    QWidget sheet;
    SetUpReviewSheet(&sheet, 4 * 200 + 20, 2 * 190 + 20);
    for (int n = 0; n < 8; ++n) {
        const int x = 14 + (n % 4) * 200;
        const int y = 10 + (n / 4) * 190;
        ReviewCaption(&sheet,
                      QStringLiteral("CH%1 限幅器 / Limiter  %2 dBu").arg(n + 1).arg(thresholds[n] / 10.0 - 30, 0, 'f', 1),
                      x, y);
        auto* graph = new CCOM_EXT_LIMStatic(&sheet);
        graph->setGeometry(x, y + 20, 186, 156);
        graph->InitLayout();
        graph->SetGraphType(CCOM_EXT_LIMStatic::TYPE_LIMITER);
        graph->SetChannelArray(&data);
        graph->SelectChannel(n);
    }
    return ReviewShot(sheet);
}
}  // namespace

ORVANE_REVIEW_SHEET("dynamics-graph", RenderDynamicsGraph);
