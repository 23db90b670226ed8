// The two output dialogs: the twelve phase dialogs the strips hold (made
// with the strips, never shown), the dynamics dialog's set-up, and one
// limiter row edit with its graph redrawn and a linked row re-read.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "pages/output/CurSYSDlg.h"
#include "pages/output/PhaseSettingDlg.h"
#include "platform/core/SystemMessages.h"

namespace {

void BM_PhaseDialogsOfTwelveStrips(benchmark::State& state)
{
    for (auto _ : state) {
        auto dialogs = std::make_unique<CPhaseSettingDlg[]>(OUTPUT_COUNT);
        benchmark::DoNotOptimize(dialogs.get());
    }
    state.SetLabel("goal: median <= 5 ms (part of the view's start)");
}
BENCHMARK(BM_PhaseDialogsOfTwelveStrips)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DynamicsDialogOpen(benchmark::State& state)
{
    InitDefaultDeviceData();
    CKTV_Data data;
    for (auto _ : state) {
        CCurSYSDlg dialog;
        dialog.m_pData = &data;
        dialog.OnInitDialog();
        dialog.show();
        QCoreApplication::processEvents();
    }
    state.SetLabel("goal: median <= 100 ms");
}
BENCHMARK(BM_DynamicsDialogOpen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DynamicsLimiterStep(benchmark::State& state)
{
    InitDefaultDeviceData();
    CKTV_Data data;
    g_nLinkGroup[4] = 0;  // CH1 and CH5 linked: a row re-read, a graph redrawn
    CCurSYSDlg dialog;
    dialog.m_pData = &data;
    dialog.OnInitDialog();
    dialog.show();
    QCoreApplication::processEvents();
    int pos = 200;
    for (auto _ : state) {
        pos = pos == 200 ? 201 : 200;
        dialog.m_spinLimit[0].SetPos(pos);
        SendMessage(&dialog, WM_COMMAND, MAKEWPARAM(CCurSYSDlg::IDC_LIMIT_SPIN0, 0), 0);
    }
    g_nLinkGroup[4] = 4;
    state.SetLabel("goal: median <= 16.7 ms (one frame)");
}
BENCHMARK(BM_DynamicsLimiterStep)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}  // namespace
