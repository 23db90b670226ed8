// The "output-graph" sheet: the top of the output page as a user sees it,
// the response graph beside the curve-visibility strip, in English and in
// Chinese: a band selected with its area, markers and caption over three
// flagged outputs in grey; then a flat output with its bypass text and the
// high-pass filter selected.
#include <memory>

#include <QApplication>
#include <QPainter>

#include "controls/BitButton.h"
#include "graphs/FStatic.h"
#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "pages/output/OutputDlg.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

void Shape(CKTV_Data& data)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    const struct {
        int output, band, gain;
    } bands[] = {
        {0, 4, 270},  {0, 10, 160}, {0, 16, 245}, {0, 23, 130}, {0, 27, 255}, {2, 8, 300},
        {2, 20, 110}, {5, 2, 150},  {5, 14, 290}, {11, 18, 260}, {11, 29, 100},
    };
    for (const auto& b : bands)
        data.GetOutput(b.output)->GetBand(b.band)->SetGainIndex(b.gain);
    data.GetOutput(0)->GetBand(16)->SetBandwidthIndex(120);
    data.GetOutput(0)->GetHighPass()->SetFrequency(60, false);
    data.GetOutput(0)->GetLowPass()->SetFrequency(12000, false);
}

// The page's top band (graph and strip) as drawn.
QImage PageTop(COutputDlg& page)
{
    QCoreApplication::processEvents();
    const QRect top(0, 0, page.width(), page.CurveStrip().geometry().bottom() + 12);
    return page.grab(top).toImage();
}

QImage RenderOutputGraph()
{
    InitDefaultDeviceData();
    CKTV_Data data;
    Shape(data);
    QWidget view;
    COutputDlg page;
    page.Create(&view);
    page.AttachData(&data);
    view.resize(page.size());
    view.show();
    for (int n : {2, 5, 11})
        page.CurveStrip().OnCurveButton(page.CurveStrip().kButtons[n].id);

    // Output 1 with band 17 selected; flat output 8 with its high-pass.
    const struct {
        int output, selection;
    } views[] = {{0, 16}, {7, 31}};
    std::vector<QImage> rows;
    for (const auto& shown : views) {
        for (int chinese = 0; chinese < 2; ++chinese) {
            g_bChinese = chinese == 1;
            page.OnLanguageChanged();
            g_nCurOutput = shown.output;
            page.RefreshChannel();
            page.Graph().RedrawByMode(shown.selection);
            rows.push_back(PageTop(page));
        }
    }
    g_bChinese = false;
    g_nCurOutput = 0;
    for (bool& shown : g_abShowCurve)
        shown = false;

    return StackReviewRows(rows, 6, QColor(255, 255, 255));
}

}  // namespace

ORVANE_REVIEW_SHEET("output-graph", RenderOutputGraph);
