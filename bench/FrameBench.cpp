// Cost of building frames and packing them into HID reports. A full-speed
// USB link takes one report per millisecond, so a frame must cost well
// under 5 us for building never to matter.
#include <benchmark/benchmark.h>

#include <cstring>

#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/SendData.h"

namespace {

void FillImage()
{
    for (int k = 0; k < IMAGE_SIZE; ++k)
        g_CurrentImage.bytes[k] = BYTE(k * 7 + 3);
    for (int k = 0; k < OUTPUT_COUNT; ++k)
        g_nLinkGroup[k] = k;
}

void BM_ParameterFrame24(benchmark::State& state)
{
    FillImage();
    for (auto _ : state) {
        auto frame = BuildParameterFrame(BLOCK_OUTPUT, 2, 5);
        benchmark::DoNotOptimize(frame->GetData());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParameterFrame24);

void BM_OutputBlockFrame312(benchmark::State& state)
{
    FillImage();
    for (auto _ : state) {
        auto frame = BuildBlockFrame(0, BLOCK_OUTPUT, 7, true, false);
        benchmark::DoNotOptimize(frame->GetData());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OutputBlockFrame312);

void BM_NextReport312(benchmark::State& state)
{
    FillImage();
    auto frame = BuildBlockFrame(0, BLOCK_OUTPUT, 7, true, false);
    BYTE report[HID_REPORT_SIZE];
    for (auto _ : state) {
        frame->Rewind();
        while (frame->NextReport(report))
            benchmark::DoNotOptimize(report);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NextReport312);

}  // namespace

BENCHMARK_MAIN();
