#pragma once
// USB HID devices simulated behind the HID layer's interface: each device of
// the processor's identity is a USB session of the in-process simulated
// device (CSimDevice), which takes the output reports and answers with input
// reports; other devices (a security key, a mouse) are present but answer
// nothing. Arrivals and removals are announced through a fake hot-plug
// source, so they reach the program as udev's would.
//
// Knobs: opens fail; a device vanishes after the k-th report it received
// (I/O fails from then on, its removal is announced); the device restarts
// after HEXApply under another path, with or without answering it; a pace
// of n ms per report each way (the host's write takes n ms, each reply
// report comes n ms after the previous one); a hook called with every
// report number, on the writing thread. The simulator's reply delay, close
// (the device goes away) and reset (the restart) are honoured.
//
// Thread-safe: one mutex, never held across a wait's sleep or a hook. No
// test framework here: the benchmarks use it too.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "link/HidBus.h"
#include "link/HidHandle.h"
#include "link/UsbLink.h"
#include "tests/link/FakeHotPlugSource.h"
#include "tools/simulator/SimDevice.h"

class CFakeHidBus : public IHidBus {
public:
    using Clock = std::chrono::steady_clock;
    enum : int { kForeignVendor = 0x1050, kForeignProduct = 0x0407 };

    explicit CFakeHidBus(CSimDevice& sim, CFakeHotPlugSource* hotPlug = nullptr) : m_sim(sim), m_pHotPlug(hotPlug) {}

    // ---- Devices ---------------------------------------------------------------
    // Plugs in a device of the processor's identity (or the given one) and
    // announces it; its path is /dev/hidraw<n> with the next free n unless
    // given. Returns the path.
    QString Plug(const QString& path = QString(), int vendorId = USB_VENDOR_ID, int productId = USB_PRODUCT_ID,
                 int release = USB_RELEASE)
    {
        QString at;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            at = path.isEmpty() ? QStringLiteral("/dev/hidraw%1").arg(m_nNextNumber++) : path;
            PlugLocked(at, vendorId, productId, release);
        }
        Announce(true, at);
        return at;
    }
    // A foreign device: present, opened by path, never answering.
    QString PlugForeign(const QString& path = QString())
    {
        return Plug(path, kForeignVendor, kForeignProduct, 0x0100);
    }
    // Pulls the device out: its handles fail from now on; announced.
    void Unplug(const QString& path)
    {
        bool was = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            was = VanishLocked(path);
        }
        if (was)
            Announce(false, path);
    }
    bool IsPresent(const QString& path) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_devices.find(path);
        return it != m_devices.end() && it->second.present;
    }
    // The path of the processor device present now (the last plugged).
    QString CurrentPath() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_strCurrent;
    }

    // ---- Knobs -----------------------------------------------------------------
    void SetOpenFails(bool fails) { Locked([&] { m_bOpenFails = fails; }); }
    // The device vanishes once it has received its k-th report (0: never).
    void SetVanishAfter(long long k) { Locked([&] { m_nVanishAfter = k; }); }
    // After HEXApply the device restarts under a new path; answered: its
    // answer still reaches the host first.
    void SetRestartAfterApply(bool on, bool answered)
    {
        m_sim.SetRestartAfterApply(on);
        Locked([&] { m_bRestartAnswered = answered; });
    }
    void SetPaceMs(int ms) { Locked([&] { m_nPaceMs = ms; }); }
    void SetReportHook(std::function<void(long long)> hook) { Locked([&] { m_hook = std::move(hook); }); }
    // The reports of the next reply come at these gaps in ms (the first after
    // the write), in place of the pace; the last gap repeats.
    void SetNextReplyGaps(std::vector<int> gaps) { Locked([&] { m_nextGaps = std::move(gaps); }); }
    // A frame the device sends unasked, as input reports ready now.
    void Inject(const QString& path, const std::vector<BYTE>& frame)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_devices.find(path);
        if (it == m_devices.end())
            return;
        for (std::vector<BYTE>& bytes : CSimDevice::ToReports(frame))
            it->second.inbox.push_back({Clock::now(), std::move(bytes)});
        m_changed.notify_all();
    }

    long long ReportsWritten() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nReports;
    }
    int OpenCount() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nOpens;
    }
    int OpenHandles() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_nOpenHandles;
    }

    // ---- IHidBus -----------------------------------------------------------------
    std::vector<HidDeviceInfo> Enumerate(int vendorId, int productId) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<HidDeviceInfo> found;
        for (const QString& path : m_order) {
            const Device& d = m_devices.at(path);
            if (d.present && (vendorId == 0 || d.info.vendorId == vendorId) &&
                (productId == 0 || d.info.productId == productId))
                found.push_back(d.info);
        }
        return found;
    }
    std::unique_ptr<IHidHandle> Open(const QString& path) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_nOpens;
        auto it = m_devices.find(path);
        if (m_bOpenFails || it == m_devices.end() || !it->second.present)
            return nullptr;
        ++m_nOpenHandles;
        return std::make_unique<Handle>(*this, path, it->second.generation);
    }

private:
    struct Report {
        Clock::time_point ready;
        std::vector<BYTE> bytes;  // 65 bytes, id first
    };
    struct Device {
        HidDeviceInfo info;
        bool present = true;
        bool answers = false;
        int session = 0;
        int generation = 0;
        std::deque<Report> inbox;
    };

    class Handle : public IHidHandle {
    public:
        Handle(CFakeHidBus& bus, const QString& path, int generation)
            : m_bus(bus), m_path(path), m_nGeneration(generation)
        {
        }
        ~Handle() override { m_bus.Locked([&] { --m_bus.m_nOpenHandles; }); }
        bool GetInfo(HidDeviceInfo* info) override { return m_bus.Info(m_path, m_nGeneration, info); }
        int Write(const BYTE* report, int length) override
        {
            return m_bus.HostWrite(m_path, m_nGeneration, report, length);
        }
        int Read(BYTE* data, int length, int timeoutMs) override
        {
            return m_bus.HostRead(m_path, m_nGeneration, data, length, timeoutMs);
        }

    private:
        CFakeHidBus& m_bus;
        const QString m_path;
        const int m_nGeneration;
    };

    template <class F>
    void Locked(F f)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        f();
    }

    void Announce(bool added, const QString& path)
    {
        if (m_pHotPlug != nullptr)
            m_pHotPlug->Announce(added, path);
    }

    void PlugLocked(const QString& path, int vendorId, int productId, int release)
    {
        Device& d = m_devices[path];
        if (std::find(m_order.begin(), m_order.end(), path) == m_order.end())
            m_order.push_back(path);
        d.info = {path, vendorId, productId, release};
        d.present = true;
        d.inbox.clear();
        ++d.generation;
        d.answers = vendorId == USB_VENDOR_ID && productId == USB_PRODUCT_ID;
        if (d.answers) {
            d.session = m_sim.OpenSession(CSimPath::Usb);
            m_strCurrent = path;
        }
        m_changed.notify_all();
    }

    bool VanishLocked(const QString& path)
    {
        auto it = m_devices.find(path);
        if (it == m_devices.end() || !it->second.present)
            return false;
        Device& d = it->second;
        d.present = false;
        ++d.generation;
        d.inbox.clear();
        if (d.answers)
            m_sim.CloseSession(d.session);
        m_changed.notify_all();
        return true;
    }

    Device* Live(const QString& path, int generation)
    {
        auto it = m_devices.find(path);
        if (it == m_devices.end() || !it->second.present || it->second.generation != generation)
            return nullptr;
        return &it->second;
    }

    bool Info(const QString& path, int generation, HidDeviceInfo* info)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const Device* d = Live(path, generation);
        if (d == nullptr)
            return false;
        *info = d->info;
        return true;
    }

    int HostWrite(const QString& path, int generation, const BYTE* report, int length)
    {
        int pace = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (Live(path, generation) == nullptr)
                return -1;
            pace = m_nPaceMs;
        }
        if (pace > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(pace));

        std::function<void(long long)> hook;
        long long number = 0;
        std::vector<QString> gone;
        QString arrived;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            Device* d = Live(path, generation);
            if (d == nullptr)
                return -1;
            number = ++m_nReports;
            hook = m_hook;
            if (d->answers && length >= CSimDevice::kReportSize) {
                BYTE whole[CSimDevice::kReportSize];
                std::memcpy(whole, report, sizeof whole);
                const std::vector<CSimReply> replies = m_sim.FeedReport(d->session, whole);
                Clock::time_point at = Clock::now();
                for (const CSimReply& reply : replies) {
                    if (reply.close) {
                        gone.push_back(path);
                        break;
                    }
                    at += std::chrono::milliseconds(reply.delayMs);
                    const bool restart = reply.reset;
                    if (!restart || m_bRestartAnswered) {
                        size_t k = 0;
                        for (std::vector<BYTE>& bytes : CSimDevice::ToReports(reply.bytes)) {
                            const int gap = m_nextGaps.empty() ? m_nPaceMs : m_nextGaps[std::min(k, m_nextGaps.size() - 1)];
                            ++k;
                            at += std::chrono::milliseconds(gap);
                            d->inbox.push_back({at, std::move(bytes)});
                        }
                        if (!reply.bytes.empty())
                            m_nextGaps.clear();
                    }
                    if (restart) {
                        m_restartPath = path;
                        break;
                    }
                }
            }
            if (m_nVanishAfter > 0 && number == m_nVanishAfter)
                gone.push_back(path);
            m_changed.notify_all();
        }
        if (hook)
            hook(number);
        for (const QString& p : gone)
            Unplug(p);
        return length;
    }

    int HostRead(const QString& path, int generation, BYTE* data, int length, int timeoutMs)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            Device* d = Live(path, generation);
            if (d == nullptr)
                return -1;
            const Clock::time_point now = Clock::now();
            if (!d->inbox.empty() && d->inbox.front().ready <= now) {
                Report report = std::move(d->inbox.front());
                d->inbox.pop_front();
                const int n = std::min<int>(length, int(report.bytes.size()) - 1);
                std::memcpy(data, report.bytes.data() + 1, size_t(n));
                const bool restart = d->inbox.empty() && m_restartPath == path;
                lock.unlock();
                if (restart)
                    Restart();
                return n;
            }
            if (d->inbox.empty() && m_restartPath == path) {
                // The restart whose answer was not sent.
                lock.unlock();
                Restart();
                return -1;
            }
            if (now >= deadline)
                return 0;
            Clock::time_point until = deadline;
            if (!d->inbox.empty())
                until = std::min(until, d->inbox.front().ready);
            m_changed.wait_until(lock, until);
        }
    }

    // The device that answered HEXApply goes away and comes back as a new
    // one under the next path.
    void Restart()
    {
        QString old;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            old = m_restartPath;
            m_restartPath.clear();
        }
        if (old.isEmpty())
            return;
        Unplug(old);
        Plug();
    }

    CSimDevice& m_sim;
    CFakeHotPlugSource* const m_pHotPlug;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<QString, Device> m_devices;
    std::vector<QString> m_order;
    QString m_strCurrent;
    int m_nNextNumber = 0;
    bool m_bOpenFails = false;
    long long m_nVanishAfter = 0;
    bool m_bRestartAnswered = true;
    QString m_restartPath;
    int m_nPaceMs = 0;
    std::vector<int> m_nextGaps;
    std::function<void(long long)> m_hook;
    long long m_nReports = 0;
    int m_nOpens = 0;
    int m_nOpenHandles = 0;
};
