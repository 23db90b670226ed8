// Reading and writing an all-presets file (35047 bytes) in memory: the
// archive and the checks around it, without the disk.
#include <benchmark/benchmark.h>

#include "app/BrelinDoc.h"
#include "model/DataDefine.h"
#include "platform/core/Archive.h"

namespace {

const int kAllPresetsFileSize = 35047;

void BM_WriteAllPresetsFile(benchmark::State& state)
{
    InitDefaultDeviceData();
    CBrelinDoc doc;
    for (auto _ : state) {
        QByteArray bytes;
        bytes.reserve(kAllPresetsFileSize);
        CArchive ar(&bytes);
        benchmark::DoNotOptimize(doc.SerializeAllPresetsFile(ar));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * kAllPresetsFileSize);
}
BENCHMARK(BM_WriteAllPresetsFile)->Unit(benchmark::kMicrosecond);

void BM_ReadAllPresetsFile(benchmark::State& state)
{
    InitDefaultDeviceData();
    CBrelinDoc doc;
    QByteArray bytes;
    CArchive out(&bytes);
    doc.SerializeAllPresetsFile(out);
    for (auto _ : state) {
        CArchive ar(bytes);
        benchmark::DoNotOptimize(doc.SerializeAllPresetsFile(ar));
    }
    state.SetBytesProcessed(state.iterations() * kAllPresetsFileSize);
}
BENCHMARK(BM_ReadAllPresetsFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
