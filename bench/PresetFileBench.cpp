// Reading and writing an all-presets file (35047 bytes) in memory: the
// archive and the checks around it, without the disk. Then loading a
// preset file (5017 bytes) and an all-presets file from the disk beside a
// bare read of the same bytes, and the ratio of the two.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

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

// Both kinds of file as the program saves them, by their size.
struct SavedFiles {
    QTemporaryDir dir;
    std::map<int64_t, std::pair<PresetFileKind, QString>> bySize;
};

const SavedFiles& Files()
{
    static SavedFiles files;
    static const bool saved = [] {
        InitDefaultDeviceData();
        CBrelinDoc doc;
        for (PresetFileKind kind : {PresetFileKind::Preset, PresetFileKind::AllPresets}) {
            const QString path = files.dir.filePath(kind == PresetFileKind::Preset ? "p.kvas" : "a.kvaa");
            if (doc.SaveFile(kind, path) == 1)
                files.bySize[QFile(path).size()] = {kind, path};
        }
        return true;
    }();
    (void)saved;
    return files;
}

void BM_LoadFile(benchmark::State& state)
{
    const auto found = Files().bySize.find(state.range(0));
    if (found == Files().bySize.end()) {
        state.SkipWithError("no saved file of this size");
        return;
    }
    CBrelinDoc doc;
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.LoadFile(found->second.first, found->second.second));
}
BENCHMARK(BM_LoadFile)->Arg(5017)->Arg(kAllPresetsFileSize)->Unit(benchmark::kMicrosecond);

// Open, read the file's bytes into a buffer of their size, close.
void BM_BareRead(benchmark::State& state)
{
    const auto found = Files().bySize.find(state.range(0));
    if (found == Files().bySize.end()) {
        state.SkipWithError("no saved file of this size");
        return;
    }
    const QByteArray path = QFile::encodeName(found->second.second);
    std::vector<char> buffer(size_t(state.range(0)));
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
        ::close(fd);
    }
}
BENCHMARK(BM_BareRead)->Arg(5017)->Arg(kAllPresetsFileSize)->Unit(benchmark::kMicrosecond);

// The console report, then each file load's time over the bare read's.
class CLoadRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const char* size : {"5017", "35047"}) {
            const auto load = m_times.find(std::string("BM_LoadFile/") + size);
            const auto bare = m_times.find(std::string("BM_BareRead/") + size);
            if (load != m_times.end() && bare != m_times.end() && bare->second > 0)
                std::printf("load / bare read, %s bytes: %.1f\n", size, load->second / bare->second);
        }
    }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CLoadRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
