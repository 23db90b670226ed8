#pragma once
// What the link benchmarks share: the device's log watched for status polls
// and acknowledged edits, and the figures' arithmetic.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/MsgTarget.h"
#include "tests/common/Eventually.h"
#include "tools/simulator/SimLogEntry.h"

using Clock = std::chrono::steady_clock;

// The view: counts the version replies and the ends of transfers.
class CCountingView : public CMsgTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_DEVICE_VERSION)
            ++versions;
        if (message == WM_TRANSFER_DONE)
            ++transfersDone;
        return 0;
    }
    int versions = 0;
    int transfersDone = 0;
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

inline double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double Percentile(std::vector<double> values, double p)
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

// The worker's idle cycle: the time between two status polls of an idle
// link, over `rounds` polls.
inline bool MeasureIdleCycle(CMsgTarget& link, CMsgTarget& view, CDeviceWatch& watch, double* cycle,
                             int rounds = 200)
{
    if (!PumpUntil(link, view, [&] { return int(watch.Polls().size()) > rounds + 10; }))
        return false;
    const std::vector<Clock::time_point> polls = watch.Polls();
    *cycle = Ms(polls.back() - polls[polls.size() - 1 - size_t(rounds)]) / rounds;
    return true;
}

// Band gains edited in the parameter set at random moments of the worker's
// cycle; each latency runs from the edit to the device's acknowledgement of
// its frame. FALSE when an edit was not acknowledged.
inline bool MeasureEdits(CKTV_Data& set, CMsgTarget& view, CDeviceWatch& watch, double cycle, int edits,
                         std::vector<double>* latencies)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> moment(0.0, 2.0 * cycle);
    for (int k = 0; k < edits; ++k) {
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
        if (!watch.WaitForAck(output, band, gainIndex + 400, &acked))
            return false;
        latencies->push_back(Ms(acked - edited));
    }
    return true;
}

// The figures: the idle cycle, the median and the 99th percentile in ms
// and in idle cycles.
inline void ReportLatencies(benchmark::State& state, double cycle, const std::vector<double>& latencies)
{
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
