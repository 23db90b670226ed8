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
#include "bench/LinkBenchSupport.h"
#include "tests/common/Eventually.h"
#include "tests/link/FakeNetwork.h"
#include "tests/link/LinkTestLiveSet.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimTcpServer.h"

namespace {

constexpr int kEdits = 300;

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

    double cycle = 0;
    std::vector<double> latencies;
    for (auto _ : state) {
        if (!MeasureIdleCycle(link, view, watch, &cycle) || !MeasureEdits(set, view, watch, cycle, kEdits, &latencies)) {
            state.SkipWithError("an edit was not acknowledged");
            break;
        }
    }
    link.StopIoWorker(false);
    g_pNotifyView = nullptr;
    g_bDeviceSynced = false;
    g_nLinkType = 0;
    ClearNetLinkFlags();
    ReportLatencies(state, cycle, latencies);
}

}  // namespace

BENCHMARK(BM_EditToAcknowledgement)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
