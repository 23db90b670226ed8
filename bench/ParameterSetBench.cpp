// Cost of the parameter set's hot paths. The I/O worker asks the change
// scan for the next frame every few milliseconds (budget 10 us with nothing
// pending); a file save packs the whole set (budget 100 us); a preset switch
// unpacks it and redraws every curve (budget 10 ms).
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"

namespace {

// The live name is tracked once anything was sent, so an idle scan also
// checks the preset name on every call.
void BM_NextChangedItemIdle(benchmark::State& state)
{
    InitDefaultDeviceData();
    CKTV_Data set;
    g_bTrackPresetName = state.range(0) != 0;
    g_strEmptyName = g_strCustomName;
    StringToFixedField(reinterpret_cast<char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE, g_strCustomName);
    for (auto _ : state) {
        auto frame = set.NextChangedItem();
        benchmark::DoNotOptimize(frame->GetData());
    }
    g_bTrackPresetName = false;
}
BENCHMARK(BM_NextChangedItemIdle)->Arg(0)->Arg(1)->ArgName("nameTracked");

void BM_StoreToRaw(benchmark::State& state)
{
    InitDefaultDeviceData();
    CKTV_Data set;
    for (auto _ : state) {
        set.StoreToRaw();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StoreToRaw);

// Every band away from flat, so that no response takes a shortcut.
void BM_LoadFromRawWithCurves(benchmark::State& state)
{
    InitDefaultDeviceData();
    CKTV_Data set;
    const Rect rc{0, 0, 600, 240};
    set.SetOutputGraphRect(rc);
    set.SetMusicGraphRect(rc);
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        for (int b = 0; b < OUTPUT_PEQ_BANDS; ++b)
            WriteBandRecord(g_CurrentImage.bytes + OutputBlockOffset(i) + 8 * b, 25 + 600 * b, 500 + b, 40 + b, 0, 0);
    }
    DeviceImage image = g_CurrentImage;
    for (auto _ : state) {
        set.LoadFromRaw(image.bytes, 0);
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            set.GetOutput(i)->RecomputeCurve();
        for (int i = 0; i < MUSIC_COUNT; ++i)
            set.GetMusic(i)->RecomputeCurve();
        benchmark::DoNotOptimize(set.GetOutput(11)->GetCurveFloat());
    }
    state.SetLabel("12 outputs, 4 music, mic, effect");
}
BENCHMARK(BM_LoadFromRawWithCurves)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
