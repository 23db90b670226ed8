// The gradient progress bar: one paint of a full-width bar, and one position
// step from the worker's side (store, post, deliver on the UI thread), the
// path of every answered command of a firmware update.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "controls/GradientProgressCtrl.h"

static void BM_ProgressPaint(benchmark::State& state)
{
    CGradientProgressCtrl bar;
    bar.resize(510, 20);
    bar.SetPos(55);
    QImage target(510, 20, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        bar.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_ProgressPaint);

static void BM_ProgressWorkerStep(benchmark::State& state)
{
    CGradientProgressCtrl bar;
    bar.SetRange(0, 1 << 30);
    const std::shared_ptr<IProgressDisplay> display = bar.Display();
    int pos = 0;
    for (auto _ : state) {
        display->SetPos(++pos);
        bar.DeliverPosted();
    }
}
BENCHMARK(BM_ProgressWorkerStep);
