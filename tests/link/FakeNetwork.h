#pragma once
// Adapters and probe answers that a link test or benchmark controls, so that
// the subnet test passes or fails as it says and no ping program runs. Shared
// with the ping thread. No test framework here: the benchmarks use it too.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include <QString>

#include "link/LocalAdapters.h"
#include "link/PingProbe.h"
#include "platform/core/CancelToken.h"

struct FakeNetwork {
    using Clock = std::chrono::steady_clock;

    std::mutex mutex;
    std::vector<LocalAdapter> adapters{{QStringLiteral("127.0.0.1"), QStringLiteral("255.0.0.0")}};
    bool listReadable = true;
    bool answers = true;
    std::vector<QString> probed;
    // When each adapter list was read: once per subnet test (per poll step).
    std::vector<Clock::time_point> listed;
    // Probes that ended cancelled (they answer no).
    int cancelledProbes = 0;

    AdapterLister Lister()
    {
        return [this](std::vector<LocalAdapter>* out) {
            std::lock_guard<std::mutex> lock(mutex);
            listed.push_back(Clock::now());
            *out = adapters;
            return listReadable;
        };
    }
    // While held, a probe waits until it is let go or cancelled (a ping
    // that takes long).
    bool holding = false;
    std::condition_variable released;

    ReachabilityProbe Probe()
    {
        return [this](const QString& address, const CCancelToken* cancel) {
            CCancelToken::CWakeLink link(cancel, mutex, released);
            std::unique_lock<std::mutex> lock(mutex);
            probed.push_back(address);
            released.wait(lock, [&] { return !holding || CCancelToken::IsSet(cancel); });
            if (CCancelToken::IsSet(cancel)) {
                ++cancelledProbes;
                return false;
            }
            return answers;
        };
    }
    void Hold(bool on)
    {
        std::lock_guard<std::mutex> lock(mutex);
        holding = on;
        released.notify_all();
    }
    void SetAdapters(std::vector<LocalAdapter> list)
    {
        std::lock_guard<std::mutex> lock(mutex);
        adapters = std::move(list);
    }
    void SetAnswers(bool value)
    {
        std::lock_guard<std::mutex> lock(mutex);
        answers = value;
    }
    int ProbeCount()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return int(probed.size());
    }
    int CancelledProbeCount()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return cancelledProbes;
    }
    std::vector<Clock::time_point> ListTimes()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return listed;
    }
    int ListCount()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return int(listed.size());
    }
};
