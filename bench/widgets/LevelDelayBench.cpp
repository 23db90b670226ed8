// The level-and-delay page on a shown host: the whole-page refresh of a set
// with every output placed and repainted, and a repaint alone (the
// background blitted whole, every control over it).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerGroups.h"
#include "model/SpeakerPosition.h"
#include "pages/output/Level_Delay_Dlg.h"

namespace {
struct CLevelDelayBenchPage {
    CLevelDelayBenchPage()
    {
        InitDefaultDeviceData();
        const int positions[OUTPUT_COUNT] = {1, 2, 3, 7, 9, 13, 14, 16, 17, 19, 20, 24};
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            for (int i = 0; i < OUTPUT_COUNT; ++i) {
                g_byOutputPosition[i] = BYTE(positions[i]);
                data.GetOutput(i)->SetDelay(short(40 + 73 * i));
                data.GetOutput(i)->SetGain(short(600 - 37 * i));
            }
        }
        g_SpeakerGroups.Update();
        g_SpeakerGroups.m_nFrontLeftState = 1;
        page.m_pData = &data;
        page.Create(&host);
        host.resize(page.size());
        page.ApplyLanguage();
        host.show();
        QCoreApplication::processEvents();
    }
    ~CLevelDelayBenchPage() { InitDefaultDeviceData(); }
    CKTV_Data data;
    QWidget host;
    CLevel_Delay_Dlg page;
};

void BM_LevelDelayRefreshAll(benchmark::State& state)
{
    CLevelDelayBenchPage bench;
    for (auto _ : state) {
        bench.page.RefreshAll();
        bench.page.repaint();
        QCoreApplication::processEvents();
    }
    state.SetLabel("goal: median <= 16.7 ms (one frame)");
}
BENCHMARK(BM_LevelDelayRefreshAll)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_LevelDelayRepaint(benchmark::State& state)
{
    CLevelDelayBenchPage bench;
    for (auto _ : state) {
        bench.page.repaint();
        QCoreApplication::processEvents();
    }
    state.SetLabel("goal: median <= 5 ms");
}
BENCHMARK(BM_LevelDelayRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
}  // namespace
