// The response graph drags and redraws on the UI thread while the I/O
// worker runs the change scan and the reply parser loads bands into the
// same outputs: every band access of the graph runs under the parameter
// set's lock, so the ThreadSanitizer build finds no race, and every curve
// the graph draws stays finite.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "graphs/FStatic.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "tests/common/gui/RecordingWidget.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

bool CurvesFinite(CKTV_Data& set)
{
    ParameterSetGuard guard(g_ParameterSetLock);
    for (int n = 0; n < OUTPUT_COUNT; ++n) {
        const PointF* points = set.GetOutput(n)->GetCurveFloat();
        for (int i = 0; i < GRID_POINTS; ++i)
            if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y))
                return false;
    }
    return true;
}

TEST(FStaticThreadsTest, DragsAndRedrawsWhileTheWorkerScansAndLoadsBands)
{
    ResetParameterSetState();
    CKTV_Data set;
    g_bDeviceSynced = true;
    CRecordingWidget owner;
    auto* graph = new CFStatic(&owner);
    graph->resize(1107, 174);
    graph->SetOwnerWnd(&owner);
    graph->BindData(&set, CFStatic::BIND_OUTPUT);
    graph->ShowOutputChannel(0);
    graph->SetDrawMode(CFStatic::DRAW_OUTPUT);
    for (int n = 0; n < OUTPUT_COUNT; ++n)
        g_abShowCurve[n] = true;

    // Output blocks the parser stores: every band of output 0 raised.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int b = 0; b < OUTPUT_PEQ_BANDS; ++b)
            set.GetOutput(0)->GetBand(b)->SetGainIndex(240 + b);
    }
    set.StoreToRaw();
    const std::vector<BYTE> block(g_CurrentImage.bytes + OutputBlockOffset(0),
                                  g_CurrentImage.bytes + OutputBlockOffset(0) + OUTPUT_BLOCK_SIZE);

    std::atomic<bool> stop{false};
    std::atomic<int> scans{0};
    std::thread worker([&] {
        int k = 0;
        while (!stop.load()) {
            set.NextChangedItem();
            if (++k % 8 == 0)
                set.GetOutput(k / 8 % 3)->LoadFromRaw(block.data());
            ++scans;
        }
    });

    const CRect plot = graph->GetPlotRect();
    for (int round = 0; round < 60; ++round) {
        const int band = (round * 7) % OUTPUT_PEQ_BANDS;
        QPoint start;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            const Point c = CenterOf(set.GetOutput(0)->GetBand(band)->GetHandleRect());
            start = QPoint(c.x, c.y);
        }
        SendMouse(graph, QEvent::MouseMove, start);
        SendMouse(graph, QEvent::MouseMove, start);
        SendMouse(graph, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        for (int step = 1; step <= 4; ++step)
            SendMouse(graph, QEvent::MouseMove, start + QPoint(9 * step, (round % 2 ? -7 : 7) * step), Qt::NoButton,
                      Qt::LeftButton);
        SendMouse(graph, QEvent::MouseButtonRelease, start + QPoint(36, 0), Qt::LeftButton, Qt::NoButton);
        graph->RedrawByMode(round % 34 - 1);
        graph->ShowOutputChannel(round % 3);
        graph->OnTimer(CFStatic::TIMER_NOTIFY);
        owner.DeliverPosted();
        ASSERT_TRUE(CurvesFinite(set)) << round;
    }
    // A drag across the plot's corners, and the worker keeps up.
    SendMouse(graph, QEvent::MouseButtonPress, QPoint(plot.left, plot.top), Qt::LeftButton, Qt::LeftButton);
    SendMouse(graph, QEvent::MouseMove, QPoint(plot.right + 50, plot.bottom + 50), Qt::NoButton, Qt::LeftButton);
    SendMouse(graph, QEvent::MouseButtonRelease, QPoint(plot.right + 50, plot.bottom + 50), Qt::LeftButton);
    while (scans.load() < 200)
        std::this_thread::yield();
    stop = true;
    worker.join();
    EXPECT_TRUE(CurvesFinite(set));
    EXPECT_FALSE(graph->GetImage().isNull());
    delete graph;
    g_bDeviceSynced = false;
    for (int n = 0; n < OUTPUT_COUNT; ++n)
        g_abShowCurve[n] = false;
}

}  // namespace
