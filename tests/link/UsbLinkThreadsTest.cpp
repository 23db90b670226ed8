// The USB link end to end against simulated HID devices: the start-up
// connect, the handshake, the version check and the read-back, an edit that
// travels as its exact frame and is acknowledged, the idle status poll, the
// report steps and their limits, a firmware update with the device's
// restart, and stopping the worker in every state.
#include <QTemporaryDir>

#include "link/FirmwareUpdate.h"
#include "link/LinkDisplays.h"
#include "model/Filter.h"
#include "model/KTV_OutData.h"
#include "tests/link/UsbLinkFixture.h"
#include "tests/link/QueueTestSupport.h"

namespace {

using UsbLink = UsbLinkTest;
using std::chrono::milliseconds;

// Device data that differs from the program's defaults everywhere the
// read-back reaches.
CSimState DistinctDeviceState()
{
    CSimState state = CSimState::FromModelGlobals();
    for (int k = MUSIC_OFFSET; k < IMAGE_SIZE; ++k)
        state.live.bytes[k] = BYTE(k * 13 + 5);
    const char name[] = "Device Live";
    std::memcpy(state.live.bytes, name, sizeof name);
    for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot) {
        const std::string preset = "Hall " + std::to_string(slot);
        std::memset(state.presets[slot - 1].bytes, 0, PRESET_NAME_SIZE);
        std::memcpy(state.presets[slot - 1].bytes, preset.c_str(), preset.size());
    }
    for (int k = 0; k < 32; ++k)
        state.system[k] = BYTE(3 * k + 1);
    state.system[40] = 0;
    return state;
}

TEST_F(UsbLink, StartUpConnectsChecksTheVersionAndReadsTheDeviceBack)
{
    m_device.SetState(DistinctDeviceState());
    const QString path = m_bus.Plug();
    int range = -1;
    std::vector<bool> popups;
    CLinkViewHooks hooks;
    hooks.transferRange = [&](int upper) { range = upper; };
    hooks.popupShown = [&](bool arg, bool factory) {
        popups.push_back(arg);
        EXPECT_FALSE(factory);
    };
    int opened = 0;
    hooks.linkOpened = [&] { ++opened; };
    m_link->SetViewHooks(hooks);

    // The view posts itself WM_AUTO_CONNECT once it is set up.
    PostMessage(&m_view, WM_AUTO_CONNECT, 0, 0);
    m_view.DeliverPosted();
    ASSERT_TRUE(m_link->IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_USB);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(m_link->Usb()->DevicePath(), path);
    EXPECT_EQ(CAppSettings::ValueNames(QStringLiteral("USB")), QStringList{CUsbClaims::EncodePath(path)});
    // The network is looked for as well.
    EXPECT_TRUE(Eventually([&] { return m_fake.ListCount() > 0; }));

    // The handshake, the version, and once the version passed the 28
    // counted requests of the read-back.
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_PRESET_RECEIVED).empty(); }));
    EXPECT_TRUE(g_bDeviceSynced);
    EXPECT_EQ(Posted(WM_PRESET_RECEIVED)[0].wParam, 0u);
    // The worker polls the status between the version reply and the
    // read-back; the polls are left out here.
    std::vector<CSimLogEntry> frames;
    for (const CSimLogEntry& entry : FramesFrom(1)) {
        if (!IsStatusPoll(entry))
            frames.push_back(entry);
    }
    ASSERT_GE(frames.size(), 30u);
    EXPECT_EQ(frames[0].frame.item, SYSTEM_ITEM_HANDSHAKE);
    EXPECT_EQ(frames[1].frame.item, SYSTEM_ITEM_VERSION);
    for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot) {
        EXPECT_EQ(frames[size_t(1 + slot)].frame.item, SYSTEM_ITEM_PRESET_NAME);
        EXPECT_EQ(frames[size_t(1 + slot)].frame.slot, slot);
    }
    const int items[] = {0, 52, 2, 5, 6, 7};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(frames[size_t(8 + k)].frame.item, items[k]);
    for (int k = 0; k < 16; ++k) {
        const CSimLogEntry& request = frames[size_t(14 + k)];
        EXPECT_EQ(request.frame.type, k < 4 ? BLOCK_MUSIC : BLOCK_OUTPUT);
        EXPECT_EQ(request.frame.item, k < 4 ? k : k - 4);
        EXPECT_EQ(request.frame.slot, 0);
        EXPECT_EQ(request.reply, 'S');
    }
    EXPECT_EQ(m_link->ProgressCount(), 27);
    EXPECT_EQ(range, 27);
    EXPECT_EQ(popups, std::vector<bool>{false});
    ASSERT_TRUE(Pump([&] { return !g_bTransferBusy; }));

    // What came back is the device's.
    const CSimState device = m_device.State();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        EXPECT_EQ(std::memcmp(g_CurrentImage.bytes + MUSIC_OFFSET, device.live.bytes + MUSIC_OFFSET,
                              IMAGE_SIZE - MUSIC_OFFSET),
                  0);
        EXPECT_EQ(std::memcmp(g_CurrentImage.bytes, "Device Live", 12), 0);
        for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot)
            EXPECT_EQ(std::memcmp(g_MachinePresets[slot - 1].bytes, device.presets[slot - 1].bytes, 13), 0);
        EXPECT_EQ(std::memcmp(g_SystemBytes, device.system, 32), 0);
    }
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
}

TEST_F(UsbLink, AnEditArrivesAsItsFrameAndAnIdleLinkPollsTheStatus)
{
    m_bus.Plug();
    ConnectAndReadBack();
    ExpectEditTravelsAsItsFrame(3, 5, 250);

    // Idle: the status poll, answered, again and again.
    const long long idle = m_device.FrameCount() + 1;
    m_view.Clear();
    ASSERT_TRUE(Pump([&] { return Posted(WM_DEVICE_STATUS).size() >= 3; }));
    const std::vector<CSimLogEntry> polls = FramesFrom(idle);
    ASSERT_GE(polls.size(), 3u);
    for (const CSimLogEntry& entry : polls) {
        EXPECT_TRUE(IsStatusPoll(entry)) << entry.Describe(true);
        EXPECT_EQ(entry.reply, 'S');
    }
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
}

TEST_F(UsbLink, AWriteStoppedAfterItsSecondReportKeepsItsPlace)
{
    m_bus.Plug();
    ConnectAndReadBack();
    std::unique_ptr<CSendData> block = BuildBlockFrame(0, BLOCK_OUTPUT, 2, true, false);
    ASSERT_EQ(block->GetLength(), 312);
    const Bytes bytes(block->GetData(), block->GetData() + block->GetLength());
    WhenQuiet([&](long long) {
        const long long first = m_bus.ReportsWritten() + 1;
        m_bus.SetReportHook([first](long long n) {
            if (n == first + 1)
                g_bUsbActive = false;
        });
        m_command.AddCommand(std::move(block));
    });
    ASSERT_TRUE(Eventually([&] { return !g_bUsbActive; }));
    PumpFor(50);
    m_bus.SetReportHook(nullptr);
    // Five reports make the frame; two went out, the head stands at 128.
    std::shared_ptr<CSendData> head = m_command.GetHead();
    ASSERT_TRUE(head);
    BYTE report[HID_REPORT_SIZE] = {};
    ASSERT_TRUE(head->NextReport(report));
    EXPECT_EQ(Bytes(report + 1, report + HID_REPORT_SIZE), Bytes(bytes.begin() + 128, bytes.begin() + 192));
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
}

TEST_F(UsbLink, AReplyMayCompleteAfterTheLimitButNotStayIncompletePastIt)
{
    m_bus.Plug();
    ConnectAndReadBack();
    // Two reports: the first at 1.6 s, the completing one at 3.1 s after the
    // write, each within 2 s of its read: accepted.
    WhenQuiet([&](long long) {
        m_view.Clear();
        m_bus.SetNextReplyGaps({1600, 1500});
        m_command.AddCommand(BuildSystemRequestFrame(SYSTEM_ITEM_MODE_GAINS, 0));
    });
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_SPEAKER_TYPES_RECEIVED).empty() && m_command.GetCount() <= 1; },
                     20000));
    PumpFor(100);
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
    EXPECT_TRUE(m_link->IsConnected());

    // Five reports (an output block): the second at 3.1 s leaves the reply
    // incomplete: the link fails.
    CMessageBoxSpy boxes;
    WhenQuiet([&](long long) {
        m_bus.SetNextReplyGaps({1600, 1500, 100});
        m_command.AddCommand(BuildBlockRequestFrame(0, BLOCK_OUTPUT, 4, false));
    });
    ASSERT_TRUE(Pump([&] { return !m_link->IsConnected() && !m_view.Messages(WM_LINK_FAILED).empty(); }, 20000));
    EXPECT_EQ(Posted(WM_LINK_FAILED).size(), 1u);
    EXPECT_EQ(boxes.shown.size(), 1u);
}

// A firmware file of MCU data only: HEXApply, HEXStart, two chunks, HEXEnd.
void UseMcuUpdateFile(QTemporaryDir& dir)
{
    Bytes file = {'W', 'M', 'C', 'U'};
    for (int k = 0; k < MCU_START_SIZE + 2 * MCU_CHUNK_SIZE; ++k)
        file.push_back(BYTE(k * 7 + 3));
    ASSERT_TRUE(UseUpdateFile(dir.filePath(QStringLiteral("mcu.bin")), file));
}

TEST_F(UsbLink, AnUpdateReopensTheDeviceAfterItsRestartUnderANewPath)
{
    for (const bool answered : {true, false}) {
        SCOPED_TRACE(answered ? "HEXApply answered" : "HEXApply unanswered");
        m_device.ClearLog();
        const QString first = m_bus.Plug();
        ConnectAndSync();
        QTemporaryDir dir;
        UseMcuUpdateFile(dir);
        ASSERT_TRUE(m_link->LoadUpdateFile());
        m_bus.SetRestartAfterApply(true, answered);

        // The update dialog's part: the link stopped, the update started on
        // the device still open.
        m_link->StopIoWorker(true);
        m_command.ClearQueue();
        g_bUpdating = true;
        m_link->StartIoWorker(true);
        ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_UPDATE_SUCCEEDED).empty(); }));
        EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
        const QString second = m_link->Usb()->DevicePath();
        EXPECT_NE(second, first);
        EXPECT_EQ(second, m_bus.CurrentPath());
        EXPECT_EQ(CAppSettings::ValueNames(QStringLiteral("USB")), QStringList{CUsbClaims::EncodePath(second)});
        EXPECT_TRUE(m_link->IsConnected());
        EXPECT_GT(m_device.SyncCount(), 0);

        // The outcome handler's part.
        m_link->StopIoWorker(true);
        g_bUpdating = false;
        m_link->DisconnectUsb();
        m_bus.SetRestartAfterApply(false, true);
        m_bus.Unplug(second);
        PumpFor(20);
        m_view.Clear();
    }
}

TEST_F(UsbLink, AnUpdateWhoseDeviceNeverReturnsFailsOnce)
{
    const QString path = m_bus.Plug();
    ConnectAndSync();
    QTemporaryDir dir;
    UseMcuUpdateFile(dir);
    ASSERT_TRUE(m_link->LoadUpdateFile());
    // After HEXApply the device is gone for good.
    m_bus.SetReportHook([&](long long) {
        if (g_nLastUpdateCommand == HEXApply)
            m_bus.Unplug(path);
    });
    CMessageBoxSpy boxes;
    m_link->StopIoWorker(true);
    m_command.ClearQueue();
    g_bUpdating = true;
    m_link->StartIoWorker(true);
    ASSERT_TRUE(Pump([&] { return !m_link->IsConnected(); }));
    PumpFor(100);
    EXPECT_EQ(Posted(WM_LINK_FAILED).size(), 1u);
    EXPECT_FALSE(g_bUpdating);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("The firmware update failed"));
    EXPECT_EQ(boxes.shown[0].helpId, 2001);
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("Connection failure!"));
    m_bus.SetReportHook(nullptr);
    ExpectClosedAndReleased(path);
}

TEST_F(UsbLink, TheEraseIsWrittenAtMostFourTimes)
{
    for (const int refusals : {3, 4}) {
        SCOPED_TRACE(refusals);
        const QString path = m_bus.Plug();
        ConnectAndSync();
        m_link->StopIoWorker(true);
        m_command.ClearQueue();
        g_bUpdating = true;
        const long long next = m_device.FrameCount() + 1;
        std::vector<CSimFault> faults;
        for (int k = 0; k < refusals; ++k)
            faults.push_back(Fault(CSimFault::Kind::Resend, next + k));
        m_device.SetFaults(faults);
        m_command.AddCommand(UpdateCommand(IAP_DSP_REQUEST_INFO, 1));
        m_link->StartIoWorker(true);
        if (refusals < 4) {
            ASSERT_TRUE(Pump([&] { return m_command.GetCount() == 0 && FramesFrom(next).size() == 4u; }));
            EXPECT_EQ(FramesFrom(next).back().reply, 'Q');
            EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
            m_link->StopIoWorker(true);
            g_bUpdating = false;
            m_link->DisconnectUsb();
        } else {
            ASSERT_TRUE(Pump([&] { return !m_link->IsConnected(); }));
            EXPECT_EQ(FramesFrom(next).size(), 4u);
            EXPECT_EQ(Posted(WM_LINK_FAILED).size(), 1u);
        }
        m_device.SetFaults({});
        m_bus.Unplug(path);
        PumpFor(20);
        m_view.Clear();
    }
}

TEST_F(UsbLink, AnUpdateReadParsesOnlyTheAnswerToItsCommand)
{
    const QString path = m_bus.Plug();
    ConnectAndSync();
    m_link->StopIoWorker(true);
    m_command.ClearQueue();
    g_bUpdating = true;
    // A stray "send again" for another command waits before the answer.
    m_bus.Inject(path, EncodeReply({'R', 0, BLOCK_SYSTEM, IAP_DSP_REQUEST_INFO, 0}, {}));
    const long long next = m_device.FrameCount() + 1;
    m_command.AddCommand(UpdateCommand(HEXData, 1));
    m_link->StartIoWorker(true);
    ASSERT_TRUE(Pump([&] { return m_command.GetCount() == 0; }));
    PumpFor(50);
    EXPECT_EQ(FramesFrom(next).size(), 1u);
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
    EXPECT_TRUE(m_link->IsConnected());
}

TEST_F(UsbLink, TheSyncPatternGoesForItsSecondUnansweredThenTheUpdateGoesOn)
{
    m_bus.Plug();
    ConnectAndSync();
    QTemporaryDir dir;
    UseMcuUpdateFile(dir);
    ASSERT_TRUE(m_link->LoadUpdateFile());
    m_link->StopIoWorker(true);
    m_command.ClearQueue();
    const long long next = m_device.FrameCount() + 1;
    g_bUpdating = true;
    m_link->StartIoWorker(true);
    ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_UPDATE_SUCCEEDED).empty(); }));
    EXPECT_GT(m_device.SyncCount(), 0);
    const std::vector<CSimLogEntry> frames = FramesFrom(next);
    ASSERT_EQ(frames.size(), 5u);
    const int codes[] = {HEXApply, HEXStart, HEXData, HEXData, HEXEnd};
    for (size_t k = 0; k < frames.size(); ++k) {
        EXPECT_EQ(frames[k].frame.item, codes[k]);
        EXPECT_EQ(frames[k].reply, 'Q');
    }
    EXPECT_TRUE(Posted(WM_LINK_FAILED).empty());
}

TEST_F(UsbLink, StoppingTheWorkerIsBoundedInEveryState)
{
    struct Case {
        const char* name;
        std::function<void()> enter;
        std::function<bool()> entered;
    };
    std::atomic<bool> reached{false};
    const Case cases[] = {
        {"idle polling", [] {}, [] { return true; }},
        {"waiting for a delayed reply",
         [&] {
             m_device.SetFaults({Fault(CSimFault::Kind::Delay, 0, 60000)});
             m_bus.SetReportHook([&](long long) { reached = true; });
         },
         [&] { return reached.load(); }},
        {"waiting for a long operation",
         [&] {
             m_device.SetFaults({Fault(CSimFault::Kind::NoReply, 0)});
             m_bus.SetReportHook([&](long long) { reached = true; });
             m_link->QueueCommand(SYSTEM_COMMAND_WIFI_DEFAULTS, 0);
         },
         [&] { return reached.load(); }},
        {"pausing after HEXApply",
         [&] {
             m_link->UsbTransport()->SetRestartPause(60000);
             m_link->StopIoWorker(true);
             m_command.ClearQueue();
             g_bUpdating = true;
             m_command.AddCommand(UpdateCommand(HEXApply, 1));
             m_link->StartIoWorker(true);
         },
         [&] { return m_command.GetCount() == 0; }},
        {"writing the sync pattern",
         [&] {
             m_link->StopIoWorker(true);
             m_command.ClearQueue();
             g_bUpdating = true;
             m_command.AddCommand(UpdateCommand(HEXSync, 1));
             m_link->StartIoWorker(true);
         },
         [&] { return m_device.SyncCount() > 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = m_bus.Plug();
        ConnectAndSync();
        reached = false;
        WhenQuiet([&](long long) { c.enter(); });
        ASSERT_TRUE(Pump(c.entered));
        PumpFor(30);
        const Clock::time_point start = Clock::now();
        m_link->StopIoWorker(true);
        EXPECT_LT(Clock::now() - start, milliseconds(1000));
        EXPECT_FALSE(m_link->IsIoWorkerRunning());
        m_bus.SetReportHook(nullptr);
        m_device.SetFaults({});
        g_bUpdating = false;
        m_link->UsbTransport()->SetRestartPause(50);
        m_link->DisconnectUsb();
        m_bus.Unplug(path);
        PumpFor(20);
        m_view.Clear();
    }
}

}  // namespace
