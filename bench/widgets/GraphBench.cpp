// The response graph at the output page's size (plot about 1057 x 144):
// a full repaint, one drag step from the mouse move to the repainted
// pixels, and a corner drag over the outlined bypass text; each with the
// other eleven outputs overlaid in grey (argument 1) and without (0).
#include <benchmark/benchmark.h>

#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "graphs/FStatic.h"
#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "platform/gui/DialogUnits.h"

namespace {

void Mouse(QWidget* widget, QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), widget->mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A shown graph bound to a parameter set whose outputs have curves of their
// own; output `shown` is drawn, the others overlaid when asked.
struct GraphRig {
    GraphRig(bool overlays, bool shapedShown)
    {
        InitDefaultDeviceData();
        data = std::make_unique<CKTV_Data>();
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            for (int n = 1; n < OUTPUT_COUNT; ++n) {
                data->GetOutput(n)->GetBand((n * 3) % 31)->SetGainIndex(n % 2 ? 290 : 120);
                data->GetOutput(n)->GetBand((n * 5 + 7) % 31)->SetGainIndex(n % 2 ? 130 : 280);
            }
            if (shapedShown) {
                data->GetOutput(0)->GetBand(6)->SetGainIndex(260);
                data->GetOutput(0)->GetBand(24)->SetGainIndex(150);
            }
        }
        for (int n = 0; n < OUTPUT_COUNT; ++n)
            g_abShowCurve[n] = overlays && n != 0;
        window.resize(1200, 220);
        graph = new CFStatic(&window);
        graph->setGeometry(QRect(QPoint(0, 0), MapDialogRect(CRect(90, 21, 976, 160),
                                                               DialogFont(QStringLiteral("Arial"), 7)).Size()));
        window.show();
        // Exposed, so that a repaint paints at once.
        for (int k = 0; k < 1000 && !(window.windowHandle() && window.windowHandle()->isExposed()); ++k)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        graph->BindData(data.get(), CFStatic::BIND_OUTPUT);
        graph->ShowOutputChannel(0);
        graph->SetDrawMode(CFStatic::DRAW_OUTPUT);
    }
    ~GraphRig()
    {
        delete graph;
        for (bool& shown : g_abShowCurve)
            shown = false;
    }
    QPoint HandleCentre(int item) const
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const Point c = CenterOf(data->GetOutput(0)->GetBand(item)->GetHandleRect());
        return QPoint(c.x, c.y);
    }

    std::unique_ptr<CKTV_Data> data;
    QWidget window;
    CFStatic* graph = nullptr;
};

// The shown output is flat, so the bypass text shows; cold_ms is the first
// repaint with nothing cached.
void BM_GraphRepaint(benchmark::State& state)
{
    GraphRig rig(state.range(0) != 0, false);
    rig.graph->SetDrawCaching(true);
    QElapsedTimer cold;
    cold.start();
    rig.graph->repaint();
    state.counters["cold_ms"] = double(cold.nsecsElapsed()) / 1e6;
    for (auto _ : state)
        rig.graph->repaint();
    if (!rig.window.windowHandle() || !rig.window.windowHandle()->isExposed())
        state.SkipWithError("the graph is not on screen");
}
BENCHMARK(BM_GraphRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_GraphDragStep(benchmark::State& state)
{
    GraphRig rig(state.range(0) != 0, true);
    const QPoint c = rig.HandleCentre(15);
    Mouse(rig.graph, QEvent::MouseMove, c, Qt::NoButton);
    Mouse(rig.graph, QEvent::MouseMove, c, Qt::NoButton);
    Mouse(rig.graph, QEvent::MouseButtonPress, c, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        Mouse(rig.graph, QEvent::MouseMove, c + QPoint(step % 2 ? 6 : 0, step % 2 ? -14 : -30), Qt::LeftButton);
        ++step;
    }
    Mouse(rig.graph, QEvent::MouseButtonRelease, c, Qt::NoButton);
    if (!rig.graph->GetLastDragResult())
        state.SkipWithError("the drag steps changed nothing");
}
BENCHMARK(BM_GraphDragStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_GraphBypassDrag(benchmark::State& state)
{
    GraphRig rig(state.range(0) != 0, false);
    const int lowPass = rig.data->GetOutput(0)->GetLowPassIndex();
    const QPoint c = rig.HandleCentre(lowPass);
    Mouse(rig.graph, QEvent::MouseMove, c, Qt::NoButton);
    Mouse(rig.graph, QEvent::MouseMove, c, Qt::NoButton);
    Mouse(rig.graph, QEvent::MouseButtonPress, c, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        Mouse(rig.graph, QEvent::MouseMove, c - QPoint(step % 2 ? 40 : 80, 0), Qt::LeftButton);
        ++step;
    }
    Mouse(rig.graph, QEvent::MouseButtonRelease, c, Qt::NoButton);
    if (!rig.data->GetOutput(0)->IsAllBypass())
        state.SkipWithError("the output is not all bypass");
}
BENCHMARK(BM_GraphBypassDrag)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
