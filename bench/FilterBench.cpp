// Response-curve costs on the paths a user feels: one mouse-move step of a
// band drag on the output page, and redrawing all twelve outputs after a
// preset load. Budgets: a drag step well under 160 us (1% of a 60 Hz
// frame), the twelve outputs under 5 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "model/DataDefine.h"
#include "model/KTVEQ.h"
#include "model/LinkState.h"

namespace {
const Rect kPlot{0, 0, 600, 240};

std::unique_ptr<CKTVEQ> MakeOutputSet()
{
    auto set = std::make_unique<CKTVEQ>();
    set->BuildIsoBands(30, 32, 11, 20, 20000);
    set->SetGraphRect(kPlot);
    return set;
}

// A busy output: every band boosted or cut, both filters at 48 dB/Oct.
void FillBusyRecords(std::vector<BYTE>& block, int output)
{
    block.assign(OUTPUT_BLOCK_SIZE, 0);
    for (int band = 0; band < 31; ++band) {
        const int gainIndex = 80 + (band * 37 + output * 11) % 240;  // -12 .. +12 dB
        WriteBandRecord(block.data() + 8 * band, 20 + band * 640 + output, gainIndex + 400,
                        (band * 13 + output) % 296, 0, 0);
    }
}

void BM_DragStepOfAnOutputBand(benchmark::State& state)
{
    g_bDeviceSynced = true;
    auto set = MakeOutputSet();
    CFilter* band = set->GetAt(17);
    band->SetGainIndex(260);
    for (int i = 0; i < 31; i += 3)
        set->GetAt(i)->SetGainIndex(150 + i * 3);
    set->GetHighPass()->SetFrequency(80, false);
    set->GetLowPass()->SetFrequency(12000, false);
    set->ComputeCurve();
    band->m_bHandleDrag = true;
    const Point start = CenterOf(band->GetHandleRect());
    band->SetGrabOffset(start);
    int step = 0;
    for (auto _ : state) {
        // A diagonal wiggle: frequency and gain change on every step.
        const int dx = (step % 40) - 20, dy = (step % 30) - 15;
        ++step;
        benchmark::DoNotOptimize(band->DragBandPoint(Point{start.x + dx, start.y + dy}));
        set->ComputeCurve();
        benchmark::ClobberMemory();
    }
    g_bDeviceSynced = false;
}
BENCHMARK(BM_DragStepOfAnOutputBand)->Unit(benchmark::kMicrosecond);

void BM_TwelveOutputsAfterPresetLoad(benchmark::State& state)
{
    std::vector<std::unique_ptr<CKTVEQ>> outputs;
    std::vector<std::vector<BYTE>> blocks(OUTPUT_COUNT);
    for (int k = 0; k < OUTPUT_COUNT; ++k) {
        outputs.push_back(MakeOutputSet());
        FillBusyRecords(blocks[size_t(k)], k);
    }
    for (auto _ : state) {
        for (int k = 0; k < OUTPUT_COUNT; ++k) {
            CKTVEQ& set = *outputs[size_t(k)];
            const BYTE* block = blocks[size_t(k)].data();
            for (int band = 0; band < 31; ++band)
                set.SetBandRecord(block + 8 * band, band);
            // The crossover record unpacks through the filters' setters.
            CFilter* hp = set.GetHighPass();
            CFilter* lp = set.GetLowPass();
            hp->SetFrequency(60 + k, false);
            hp->SetFamily(k % 3, false);
            hp->SetSlope(7, false);
            lp->SetFrequency(9000 + k, false);
            lp->SetFamily((k + 1) % 3, false);
            lp->SetSlope(7, false);
            set.ComputeCurve();
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TwelveOutputsAfterPresetLoad)->Unit(benchmark::kMillisecond);

void BM_PeakingResponse(benchmark::State& state)
{
    CFilter band;
    band.SetGraphSize(kPlot);
    band.SetGainIndex(300);
    for (auto _ : state) {
        band.ComputeResponse();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PeakingResponse)->Unit(benchmark::kMicrosecond);

void BM_LowPass48Response(benchmark::State& state)
{
    CFilter filter;
    filter.SetEqBand(false);
    filter.SetKind(FILTER_LOW_PASS);
    filter.SetFamily(FAMILY_BUTTERWORTH, false);
    filter.SetSlope(7, false);
    filter.SetFrequency(2000, false);
    filter.SetGraphSize(kPlot);
    for (auto _ : state) {
        filter.ComputeResponse();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LowPass48Response)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
