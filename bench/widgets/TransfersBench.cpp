// Bulk transfers of the whole program against the simulated device on
// 127.0.0.1, over the network and over a simulated HID device paced like a
// full-speed one (1 ms per 64-byte report each way):
// - a preset written to the live set (19 frames), from the call to the
//   handled end of the transfer (the reply to the 18th, the last block);
// - the read-back of all presets for a file (96 block requests), from the
//   command to the written file.
// Floors: over the network, each frame costs the worker's 5 ms pause and
// its round trip when sent straight over a socket of its own; over USB, one
// ms per report written and per reply report, plus the 5 ms pause per
// frame. The goal is a median within 1.2 times the floor.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "app/BrelinApp.h"
#include "app/BrelinView.h"
#include "app/PopupMenus.h"
#include "link/NetAddress.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/SendData.h"
#include "model/WindowMessages.h"
#include "platform/core/AppSettings.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/core/SendLock.h"
#include "platform/core/SettingsNames.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/FileDialog.h"
#include "tests/link/FakeHidBus.h"
#include "tests/link/FakeHotPlugSource.h"
#include "tests/link/FakeNetwork.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimState.h"
#include "tools/simulator/SimTcpServer.h"

namespace {

using TransfersClock = std::chrono::steady_clock;
constexpr int kTransfersPaceMs = 1;
constexpr int kTransfersStepPauseMs = 5;

double TransfersMs(TransfersClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double TransfersMedian(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Runs the UI thread until done holds, for 30 s at most.
bool TransfersPump(const std::function<bool()>& done)
{
    const auto end = TransfersClock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (TransfersClock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// The frames of the two transfers, as the view builds them.
std::vector<std::vector<BYTE>> TransfersPresetFrames()
{
    std::vector<std::unique_ptr<CSendData>> frames;
    frames.push_back(BuildSystemCommandFrame(SYSTEM_ITEM_LEVEL, 0));
    frames.push_back(BuildSystemCommandFrame(SYSTEM_ITEM_PRESET_NAME, 0));
    for (int k = 0; k < MUSIC_COUNT; ++k)
        frames.push_back(BuildBlockFrame(0, BLOCK_MUSIC, k, true, false));
    for (int k = 0; k < OUTPUT_COUNT; ++k)
        frames.push_back(BuildBlockFrame(0, BLOCK_OUTPUT, k, true, false));
    frames.push_back(BuildSystemCommandFrame(SYSTEM_ITEM_LEVEL, 0));
    std::vector<std::vector<BYTE>> bytes;
    for (const std::unique_ptr<CSendData>& f : frames)
        bytes.emplace_back(f->GetData(), f->GetData() + f->GetLength());
    return bytes;
}

std::vector<std::vector<BYTE>> TransfersReadBackFrames()
{
    std::vector<std::vector<BYTE>> bytes;
    for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot) {
        for (int k = 0; k < MUSIC_COUNT + OUTPUT_COUNT; ++k) {
            const bool music = k < MUSIC_COUNT;
            const std::unique_ptr<CSendData> f = BuildBlockRequestFrame(
                slot, music ? BLOCK_MUSIC : BLOCK_OUTPUT, music ? k : k - MUSIC_COUNT, false);
            bytes.emplace_back(f->GetData(), f->GetData() + f->GetLength());
        }
    }
    return bytes;
}

// The replies the device gives these frames (a device of its own).
std::vector<std::vector<BYTE>> TransfersReplies(const std::vector<std::vector<BYTE>>& frames)
{
    CSimDevice scratch(CSimState::FromModelGlobals());
    scratch.SetState(CSimState::FromModelGlobals());
    const int session = scratch.OpenSession(CSimPath::Network);
    std::vector<std::vector<BYTE>> replies;
    for (const std::vector<BYTE>& frame : frames) {
        std::vector<CSimReply> r = scratch.Feed(session, frame.data(), frame.size());
        replies.push_back(r.empty() ? std::vector<BYTE>() : r.front().bytes);
    }
    return replies;
}

// Each frame sent straight over a socket of its own to the device on
// 127.0.0.1 and its whole reply read: the sum of the round trips in ms.
double TransfersStraightRoundTrips(int port, const std::vector<std::vector<BYTE>>& frames,
                                   const std::vector<std::vector<BYTE>>& replies)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    double total = 0;
    std::vector<BYTE> buffer(4096);
    for (size_t k = 0; k < frames.size(); ++k) {
        const TransfersClock::time_point start = TransfersClock::now();
        if (send(fd, frames[k].data(), frames[k].size(), MSG_NOSIGNAL) != ssize_t(frames[k].size()))
            break;
        size_t got = 0;
        while (got < replies[k].size()) {
            const ssize_t n = recv(fd, buffer.data(), buffer.size(), 0);
            if (n <= 0)
                break;
            got += size_t(n);
        }
        total += TransfersMs(TransfersClock::now() - start);
    }
    close(fd);
    return total;
}

int TransfersReports(const std::vector<BYTE>& bytes)
{
    return int((bytes.size() + HID_REPORT_PAYLOAD - 1) / HID_REPORT_PAYLOAD);
}

// The whole program, linked to the simulated device, its boxes silent and
// its file dialogs answered with one path.
class CTransfersBenchApp {
public:
    explicit CTransfersBenchApp(bool usb) : m_bUsb(usb)
    {
        CAppSettings::SetFolder(m_settings.path());
        CAppSettings::PutString(SETTINGS_NETWORK, SETTINGS_DEVICE_IP, QStringLiteral("127.0.0.1"));
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        m_previousBox = SetMessageBoxHandler([](const QString&, unsigned, int) { return IDOK; });
        InitDefaultDeviceData();
        CKTV_Data().StoreToRaw();
        m_device.SetState(CSimState::FromModelGlobals());
        std::string error;
        if (!m_server.Start(0, 3600000, &error))
            return;
        g_nDevicePort = m_server.Port();

        g_theApp.m_bRouteMessageBoxes = false;
        g_theApp.m_bCloseOnSignals = false;
        g_theApp.m_fnSocketsAvailable = [] { return true; };
        g_theApp.m_adapterLister = m_net.Lister();
        g_theApp.m_reachabilityProbe = m_net.Probe();
        g_theApp.m_pHidBus = &m_bus;
        g_theApp.m_fnHotPlugSource = [] { return std::make_unique<CFakeHotPlugSource>(); };
        if (!g_theApp.InitInstance(QStringList{QStringLiteral("orvane-editor")}))
            return;
        m_pView = g_theApp.GetView();
        if (m_pView == nullptr)
            return;
        DropPostedMessages(m_pView, WM_AUTO_CONNECT);
        SetFileDialogHook([this](const FileDialogRequest&) {
            FileDialogResult result;
            result.accepted = true;
            result.urls = {QUrl::fromLocalFile(FilePath())};
            return result;
        });
        bool started = false;
        if (m_bUsb) {
            const QString path = m_bus.Plug();
            m_bus.SetPaceMs(kTransfersPaceMs);
            started = m_pView->DeviceLink().ConnectUsbPath(path);
        } else {
            m_pView->NetLink().SetReachable(true);
            started = m_pView->DeviceLink().ConnectNetwork();
        }
        m_bUp = started && TransfersPump([] { return g_bDeviceSynced.load(); }) && Quiet();
    }
    ~CTransfersBenchApp()
    {
        SetFileDialogHook(nullptr);
        if (m_pView != nullptr) {
            m_pView->DeviceLink().Disconnect();
            g_theApp.ExitInstance(0);
        }
        m_server.Stop();
        g_theApp.m_bRouteMessageBoxes = true;
        g_theApp.m_bCloseOnSignals = true;
        g_theApp.m_adapterLister = ReadLocalAdapters;
        g_theApp.m_reachabilityProbe = PingDevice;
        g_theApp.m_pHidBus = nullptr;
        g_theApp.m_fnHotPlugSource = nullptr;
        SetMessageBoxHandler(m_previousBox);
        CAppSettings::SetFolder(QString());
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
        g_nDevicePort = DEFAULT_DEVICE_PORT;
    }

    bool Up() const { return m_bUp; }
    CBrelinView& View() { return *m_pView; }
    int Port() const { return m_server.Port(); }
    QString FilePath() const { return QDir(m_files.path()).filePath(QStringLiteral("bench.kvaa")); }
    // No transfer runs and nothing waits to be sent.
    bool Quiet()
    {
        return TransfersPump([this] { return !g_bTransferBusy && m_pView->Command().GetCount() == 0; });
    }

private:
    bool m_bUsb;
    bool m_bUp = false;
    QTemporaryDir m_settings;
    QTemporaryDir m_files;
    MessageBoxHandler m_previousBox;
    CSimDevice m_device;
    CSimTcpServer m_server{m_device};
    FakeNetwork m_net;
    CFakeHidBus m_bus{m_device};
    CBrelinView* m_pView = nullptr;
};

// The floor of a transfer over the way of the bench.
double TransfersFloor(bool usb, int port, const std::vector<std::vector<BYTE>>& frames, benchmark::State& state)
{
    const std::vector<std::vector<BYTE>> replies = TransfersReplies(frames);
    const double pauses = double(frames.size()) * kTransfersStepPauseMs;
    if (!usb) {
        const double trips = TransfersStraightRoundTrips(port, frames, replies);
        state.counters["straight_round_trips_ms"] = trips;
        return pauses + trips;
    }
    int out = 0;
    int back = 0;
    for (size_t k = 0; k < frames.size(); ++k) {
        out += TransfersReports(frames[k]);
        back += TransfersReports(replies[k]);
    }
    state.counters["reports_out"] = out;
    state.counters["reports_back"] = back;
    return double(out + back) * kTransfersPaceMs + pauses;
}

void TransfersReport(benchmark::State& state, const std::vector<double>& times, double floor, size_t frames)
{
    const double median = TransfersMedian(times);
    state.counters["frames"] = double(frames);
    state.counters["floor_ms"] = floor;
    state.counters["median_ms"] = median;
    state.counters["median_over_floor"] = floor > 0 ? median / floor : 0;
    state.SetLabel("goal: median_over_floor <= 1.2");
}

void BM_TransfersWritePreset(benchmark::State& state)
{
    const bool usb = state.range(0) != 0;
    CTransfersBenchApp app(usb);
    if (!app.Up()) {
        state.SkipWithError("no link to the simulated device");
        return;
    }
    const std::vector<std::vector<BYTE>> frames = TransfersPresetFrames();
    // The reply to the last output block ends the transfer; the unmute
    // behind it is not waited for.
    const std::vector<std::vector<BYTE>> timed(frames.begin(), frames.end() - 1);
    const double floor = TransfersFloor(usb, app.Port(), timed, state);
    std::vector<double> times;
    for (auto _ : state) {
        if (!app.Quiet()) {
            state.SkipWithError("the link did not go quiet");
            return;
        }
        const TransfersClock::time_point start = TransfersClock::now();
        {
            std::lock_guard<CCriticalSection> lock(g_csSendLock);
            app.View().WritePresetToDevice(0, false);
        }
        if (!TransfersPump([] { return !g_bTransferBusy; })) {
            state.SkipWithError("the transfer did not end");
            return;
        }
        times.push_back(TransfersMs(TransfersClock::now() - start));
    }
    TransfersReport(state, times, floor, frames.size());
    state.counters["frames_to_end"] = double(timed.size());
}
BENCHMARK(BM_TransfersWritePreset)
    ->ArgName("usb")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(9)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_TransfersSaveAllReadBack(benchmark::State& state)
{
    const bool usb = state.range(0) != 0;
    CTransfersBenchApp app(usb);
    if (!app.Up()) {
        state.SkipWithError("no link to the simulated device");
        return;
    }
    const std::vector<std::vector<BYTE>> frames = TransfersReadBackFrames();
    const double floor = TransfersFloor(usb, app.Port(), frames, state);
    std::vector<double> times;
    for (auto _ : state) {
        QFile::remove(app.FilePath());
        if (!app.Quiet()) {
            state.SkipWithError("the link did not go quiet");
            return;
        }
        const TransfersClock::time_point start = TransfersClock::now();
        app.View().WindowProc(WM_COMMAND, ID_SAVE_ALL_PRESETS, 0);
        if (!TransfersPump([&] { return QFile::exists(app.FilePath()); })) {
            state.SkipWithError("no file was written");
            return;
        }
        times.push_back(TransfersMs(TransfersClock::now() - start));
    }
    TransfersReport(state, times, floor, frames.size());
}
BENCHMARK(BM_TransfersSaveAllReadBack)
    ->ArgName("usb")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
