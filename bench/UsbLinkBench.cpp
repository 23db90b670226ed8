// The USB link against a simulated HID device paced like a full-speed one:
// 1 ms per 64-byte report each way (the host's write takes 1 ms, each reply
// report comes 1 ms after the previous).
//
// Single-preset send: the 19 frames of a preset written to the live set
// (the mute, the name, four music and twelve output blocks, the unmute),
// queued at once. Its floor is one ms per report written and per reply
// report, plus the worker's 5 ms pause after each of the 19 steps; the
// goal is within 1.2 times that. The report-only floor is printed too.
//
// Edit to acknowledgement: as over the network, a band gain edited at a
// random moment of the worker's cycle, timed until the device answers its
// frame; the median should stay within 1.5 idle cycles, the 99th
// percentile within 2.5.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "bench/LinkBenchSupport.h"
#include "link/DeviceLink.h"
#include "link/KTVCommand.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "model/LinkState.h"
#include "platform/core/AppSettings.h"
#include "platform/core/SendLock.h"
#include "tests/link/FakeHidBus.h"
#include "tests/link/FakeNetwork.h"
#include "tests/link/LinkTestLiveSet.h"

namespace {

constexpr int kPaceMs = 1;
constexpr int kSends = 10;
constexpr int kEdits = 300;

// The link up and synced with one paced device; the network is never
// reachable.
struct UsbBench {
    UsbBench()
    {
        CAppSettings::SetFolder(dir.path());
        PrepareLiveSetForLink();
        device.SetState(CSimState::FromModelGlobals());
        device.SetLogSink([this](const CSimLogEntry& entry) { watch.OnEntry(entry); });
        fake.SetAnswers(false);
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        g_pNotifyView = &view;
        link.EnableUsb(bus);
        bus.Plug();
        bus.SetPaceMs(kPaceMs);
        link.OnStartupConnect();
        up = link.IsConnected() && PumpUntil(link, view, [&] { return view.versions > 0; });
        g_bDeviceSynced = true;
    }
    ~UsbBench()
    {
        link.StopIoWorker(true);
        link.DisconnectUsb();
        net.StopPolling(true);
        g_pNotifyView = nullptr;
        g_bDeviceSynced = false;
        g_nLinkType = LINK_NONE;
        CAppSettings::SetFolder(QString());
    }

    QTemporaryDir dir;
    CSimDevice device;
    CDeviceWatch watch;
    CFakeHidBus bus{device};
    CCountingView view;
    FakeNetwork fake;
    CNet_Socket net{fake.Lister(), fake.Probe()};
    CKTVCommand command;
    CKTV_Data set;
    CDeviceLink link{command, &net, &set};
    bool up = false;
};

// The frames of a single preset written to the live set, without packing.
CSendDataList SinglePresetFrames()
{
    CSendDataList frames;
    frames.push_back(BuildSystemCommandFrame(SYSTEM_ITEM_LEVEL, 0));
    frames.push_back(BuildSystemCommandFrame(SYSTEM_ITEM_PRESET_NAME, 0));
    for (int k = 0; k < MUSIC_COUNT; ++k)
        frames.push_back(BuildBlockFrame(0, BLOCK_MUSIC, k, true, false));
    for (int k = 0; k < OUTPUT_COUNT; ++k)
        frames.push_back(BuildBlockFrame(0, BLOCK_OUTPUT, k, true, false));
    frames.push_back(BuildSystemCommandFrame(SYSTEM_ITEM_LEVEL, 0));
    // Counted as the view counts them; the reply to the last ends the transfer.
    for (size_t k = 0; k < frames.size(); ++k) {
        frames[k]->SetCounted(true);
        frames[k]->SetProgressPos(int(k) + 1);
    }
    frames.back()->SetLastWrite(true);
    return frames;
}

void BM_SinglePresetSend(benchmark::State& state)
{
    UsbBench bench;
    if (!bench.up) {
        state.SkipWithError("no link to the simulated device");
        return;
    }
    int reports = 0;
    int frameCount = 0;
    for (const std::unique_ptr<CSendData>& frame : SinglePresetFrames()) {
        reports += (frame->GetLength() + HID_REPORT_PAYLOAD - 1) / HID_REPORT_PAYLOAD;
        ++frameCount;
    }
    // Every acknowledgement is one report.
    const double reportFloor = double(reports + frameCount) * kPaceMs;
    const double floor = reportFloor + double(frameCount) * IO_STEP_PAUSE_MS;

    std::vector<double> times;
    for (auto _ : state) {
        for (int k = 0; k < kSends; ++k) {
            std::unique_lock<CCriticalSection> lock(g_csSendLock);
            if (!PumpUntil(bench.link, bench.view, [&] { return bench.command.GetCount() == 0; })) {
                state.SkipWithError("the link did not go quiet");
                return;
            }
            const int done = bench.view.transfersDone;
            for (std::unique_ptr<CSendData>& frame : SinglePresetFrames())
                bench.command.AddCommand(std::move(frame));
            const Clock::time_point start = Clock::now();
            lock.unlock();
            if (!PumpUntil(bench.link, bench.view, [&] { return bench.view.transfersDone > done; })) {
                state.SkipWithError("the transfer did not end");
                return;
            }
            times.push_back(Ms(Clock::now() - start));
        }
    }
    const double median = Percentile(times, 0.5);
    state.counters["frames"] = frameCount;
    state.counters["reports_out"] = reports;
    state.counters["report_floor_ms"] = reportFloor;
    state.counters["floor_ms"] = floor;
    state.counters["median_ms"] = median;
    state.counters["max_ms"] = *std::max_element(times.begin(), times.end());
    state.counters["median_over_floor"] = median / floor;
}

void BM_UsbEditToAcknowledgement(benchmark::State& state)
{
    UsbBench bench;
    if (!bench.up) {
        state.SkipWithError("no link to the simulated device");
        return;
    }
    double cycle = 0;
    std::vector<double> latencies;
    for (auto _ : state) {
        if (!MeasureIdleCycle(bench.link, bench.view, bench.watch, &cycle) ||
            !MeasureEdits(bench.set, bench.view, bench.watch, cycle, kEdits, &latencies)) {
            state.SkipWithError("an edit was not acknowledged");
            break;
        }
    }
    ReportLatencies(state, cycle, latencies);
}

}  // namespace

BENCHMARK(BM_SinglePresetSend)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UsbEditToAcknowledgement)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
