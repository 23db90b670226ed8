// Edit-to-acknowledgement latency of the whole network link over loopback,
// against the simulated device on 127.0.0.1: a band gain is changed in the
// parameter set at a random moment of the worker's cycle, the change scan
// picks it up, the worker sends it and the device acknowledges it. The
// figure is taken when the device answers the edit's frame with 'Q' (the
// answer then crosses loopback in microseconds).
//
// Printed beside it: the worker's idle cycle, one status-poll round (the
// pass that queues the poll, the pass that sends it and reads its answer,
// with their 5 ms pauses). An edit waits at most for the round in progress
// and one more pass, so the median should stay within 1.5 idle cycles and
// the 99th percentile within 2.5; more points at a wait or a lock in the
// wrong place.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "link/DeviceLink.h"
#include "link/KTVCommand.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/MsgTarget.h"
#include "tests/common/Eventually.h"
#include "tests/link/FakeNetwork.h"
#include "tests/link/LinkTestLiveSet.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimTcpServer.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kEdits = 300;
constexpr int kIdleRoundsMeasured = 200;

// The view: only counts the version replies.
class CCountingView : public CMsgTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_DEVICE_VERSION)
            ++versions;
        return 0;
    }
    int versions = 0;
};

// What the device has received, as its log sink sees it.
class CDeviceWatch {
public:
    void OnEntry(const CSimLogEntry& entry)
    {
        const Clock::time_point now = Clock::now();
        std::lock_guard<std::mutex> lock(m_mutex);
        const CSimFrame& f = entry.frame;
        if (f.cls == FRAME_CLASS_REQUEST && f.type == BLOCK_SYSTEM && f.item == SYSTEM_ITEM_STATUS)
            m_polls.push_back(now);
        if (f.cls == FRAME_CLASS_WRITE && f.type == BLOCK_OUTPUT && entry.reply == 'Q' && f.payload.size() >= 4) {
            m_lastAck = {f.item, f.record, GetWord(f.payload.data() + 2), now};
            m_changed.notify_all();
        }
    }
    // Waits for the acknowledgement of this record with this gain code.
    bool WaitForAck(int output, int record, int gainCode, Clock::time_point* when)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const bool seen = m_changed.wait_for(lock, std::chrono::seconds(10), [&] {
            return m_lastAck.output == output && m_lastAck.record == record && m_lastAck.gainCode == gainCode;
        });
        *when = m_lastAck.when;
        return seen;
    }
    std::vector<Clock::time_point> Polls()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_polls;
    }

private:
    struct Ack {
        int output = -1;
        int record = -1;
        int gainCode = -1;
        Clock::time_point when;
    };
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Clock::time_point> m_polls;
    Ack m_lastAck;
};

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
    return values[at];
}

// Delivers what waits for both targets until cond holds, for 10 s at most.
template <class Cond>
bool PumpUntil(CMsgTarget& a, CMsgTarget& b, Cond cond)
{
    return Eventually(
        [&] {
            a.DeliverPosted();
            b.DeliverPosted();
            return cond();
        },
        10000);
}

void BM_EditToAcknowledgement(benchmark::State& state)
{
    PrepareLiveSetForLink();

    CSimDevice device(CSimState::FromModelGlobals());
    CDeviceWatch watch;
    device.SetLogSink([&](const CSimLogEntry& entry) { watch.OnEntry(entry); });
    CSimTcpServer server(device);
    std::string error;
    if (!server.Start(0, 600000, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
    g_nDevicePort = server.Port();

    CCountingView view;
    g_pNotifyView = &view;
    FakeNetwork fake;
    CNet_Socket net(fake.Lister(), fake.Probe());
    CKTVCommand command;
    CKTV_Data set;
    CDeviceLink link(command, &net, &set);

    net.SetReachable(true);
    if (!link.ConnectNetwork() || !PumpUntil(link, view, [&] { return view.versions > 0; })) {
        state.SkipWithError("no link to the simulated device");
        return;
    }
    g_bDeviceSynced = true;

    // The idle cycle: the time between two status polls of an idle link.
    PumpUntil(link, view, [&] { return int(watch.Polls().size()) > kIdleRoundsMeasured + 10; });
    const std::vector<Clock::time_point> polls = watch.Polls();
    const double cycle = Ms(polls.back() - polls[polls.size() - 1 - kIdleRoundsMeasured]) / kIdleRoundsMeasured;

    std::vector<double> latencies;
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> moment(0.0, 2.0 * cycle);
    for (auto _ : state) {
        for (int k = 0; k < kEdits; ++k) {
            std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(moment(random)));
            view.DeliverPosted();
            const int output = k % OUTPUT_COUNT;
            const int band = (k / OUTPUT_COUNT) % OUTPUT_PEQ_BANDS;
            const int gainIndex = 201 + k % 199;
            const Clock::time_point edited = Clock::now();
            {
                ParameterSetGuard guard(g_ParameterSetLock);
                set.GetOutput(output)->GetBand(band)->SetGainIndex(gainIndex);
            }
            Clock::time_point acked;
            if (!watch.WaitForAck(output, band, gainIndex + 400, &acked)) {
                state.SkipWithError("an edit was not acknowledged");
                break;
            }
            latencies.push_back(Ms(acked - edited));
        }
    }
    link.StopIoWorker(false);
    g_pNotifyView = nullptr;
    g_bDeviceSynced = false;
    g_nLinkType = 0;
    ClearNetLinkFlags();
    if (latencies.empty())
        return;

    const double median = Percentile(latencies, 0.5);
    const double p99 = Percentile(latencies, 0.99);
    state.counters["idle_cycle_ms"] = cycle;
    state.counters["median_ms"] = median;
    state.counters["p99_ms"] = p99;
    state.counters["median_cycles"] = median / cycle;
    state.counters["p99_cycles"] = p99 / cycle;
    state.counters["edits"] = double(latencies.size());
}

}  // namespace

BENCHMARK(BM_EditToAcknowledgement)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
