// Preset files and bulk transfers end to end: the whole program against the
// simulated device on 127.0.0.1, over the network and over a simulated HID
// device. A preset file and an all-presets file loaded into the device, all
// presets read back into a file, and the link lost in the middle of a load,
// of a read-back and of the read-back after connecting.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <random>
#include <string>

#include <QTest>

#include "app/PopupMenus.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "tests/app/TransferViewFixture.h"
#include "tools/simulator/SimFault.h"

namespace {

enum class TransfersWay { Network, Usb };

// What a link fault does and when.
enum class TransfersPhase { Load, ReadBack, Connect };
enum class TransfersFault { Close, NoReply, Unplug };

// The all-presets file: its header, the six slots, the live set, the
// trailer of system bytes.
constexpr int kTransfersAllHeader = 20;
constexpr int kTransfersSlotsSize = MACHINE_PRESET_COUNT * IMAGE_SIZE;
constexpr int kTransfersNameChars = 13;

class TransfersSimLinkThreadsTest : public TransferViewTest, public ::testing::WithParamInterface<TransfersWay> {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        ASSERT_TRUE(m_files.isValid());
        {
            std::lock_guard<std::mutex> lock(m_net.mutex);
            m_net.adapters = {{QStringLiteral("127.0.0.1"), QStringLiteral("255.0.0.0")}};
        }
        StartSimulator();
        // The device's status polls report what it holds: the input mode,
        // the master volumes and the master on.
        CSimState state = m_device.State();
        state.status[0] = state.system[0];
        for (int k = 2; k <= 7; ++k)
            state.status[k] = state.system[k];
        state.status[14] = state.system[14];
        m_device.SetState(state);
        ASSERT_TRUE(StartApp());
        DropPostedMessages(View(), WM_AUTO_CONNECT);
        View()->SetMessageObserver([this](UINT message) {
            if (message == WM_LINK_FAILED)
                ++m_nLinkFailed;
        });
    }
    void TearDown() override
    {
        m_device.SetLogSink(nullptr);
        m_device.SetFaults({});
        m_hidBus.SetVanishAfter(0);
        if (View() != nullptr) {
            View()->SetMessageObserver(nullptr);
            View()->DeviceLink().Disconnect();
        }
        g_bDataLocked = false;
        g_strLockPassword.clear();
        TransferViewTest::TearDown();
    }

    CDeviceLink& Link() { return View()->DeviceLink(); }
    CBrelinDoc& Doc() { return *g_theApp.GetDocument(); }
    void Command(int id) { View()->WindowProc(WM_COMMAND, WPARAM(id), 0); }

    // Starts the connect the way of the test asks for; a device that has
    // gone is plugged in again first.
    bool StartConnect()
    {
        if (GetParam() == TransfersWay::Network) {
            View()->NetLink().SetReachable(true);
            return Link().ConnectNetwork();
        }
        if (m_usbPath.isEmpty() || !m_hidBus.IsPresent(m_usbPath))
            m_usbPath = m_hidBus.Plug();
        return Link().ConnectUsbPath(m_usbPath);
    }
    // Connected, the device read back, its popup gone.
    void Connect()
    {
        ASSERT_TRUE(StartConnect());
        ASSERT_TRUE(WaitFor([] { return g_bDeviceSynced.load(); }, 30000));
        ASSERT_TRUE(WaitFor([&] { return ReadBackEnded(); }, 30000));
    }
    // The transfer the view started has ended and its popup is gone.
    bool TransferEnds() { return WaitFor([&] { return ReadBackEnded() && View()->Command().GetCount() == 0; }, 60000); }

    // The bar of the popup stands at the last counted command's position.
    void ExpectBarAtEnd(int range, int last)
    {
        ASSERT_NE(g_pDisplayDlg, nullptr);
        EXPECT_EQ(g_pDisplayDlg->Progress().GetRangeUpper(), range);
        EXPECT_EQ(g_pDisplayDlg->Progress().GetPos(), last);
        EXPECT_FALSE(PopupShown());
        EXPECT_TRUE(View()->isEnabled());
    }

    // A live set of the program's own that differs from the defaults.
    void EditLiveSet()
    {
        CKTV_Data* data = View()->AttachDataSet();
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            CKTV_OutData* out = data->GetOutput(i);
            out->SetGain(short(420 + 9 * i));
            out->SetDelay(short(40 + 7 * i));
            out->SetPolarity(BYTE(i % 2));
        }
        for (int m = 0; m < MUSIC_COUNT; ++m) {
            data->GetMusic(m)->SetName(QStringLiteral("Mus %1").arg(m + 7));
            data->GetMusic(m)->SetAllBandsBypass(m % 2 == 0);
        }
    }
    // Slots with random music and output blocks and ASCII names.
    static void RandomSlots(DeviceImage* presets, unsigned seed)
    {
        std::mt19937 random(seed);
        for (int s = 0; s < MACHINE_PRESET_COUNT; ++s) {
            BYTE* bytes = presets[s].bytes;
            std::memset(bytes + PRESET_NAME_OFFSET, 0, PRESET_NAME_SIZE);
            // Names of the program's own length (13 characters at most).
            const int length = 1 + int(random() % kTransfersNameChars);
            for (int k = 0; k < length; ++k)
                bytes[PRESET_NAME_OFFSET + k] = BYTE(' ' + random() % 95);
            for (int at = MUSIC_OFFSET; at < IMAGE_SIZE; ++at)
                bytes[at] = BYTE(random());
        }
    }

    // The blocks the transfers carry: the music and output blocks.
    static QByteArray Blocks(const BYTE* image)
    {
        return QByteArray(reinterpret_cast<const char*>(image) + MUSIC_OFFSET, IMAGE_SIZE - MUSIC_OFFSET);
    }
    static QByteArray Name(const BYTE* image)
    {
        return QByteArray(reinterpret_cast<const char*>(image) + PRESET_NAME_OFFSET, PRESET_NAME_SIZE);
    }
    // The device's six slots, as the all-presets file lays them out: of
    // each name the program keeps 13 characters.
    QByteArray DeviceSlots() const
    {
        CSimState state = m_device.State();
        QByteArray bytes;
        for (DeviceImage& preset : state.presets) {
            std::memset(preset.bytes + PRESET_NAME_OFFSET + kTransfersNameChars, 0,
                        PRESET_NAME_SIZE - kTransfersNameChars);
            bytes.append(reinterpret_cast<const char*>(preset.bytes), IMAGE_SIZE);
        }
        return bytes;
    }
    ::testing::AssertionResult FileHoldsDeviceSlots(const QString& path) const
    {
        const QByteArray file = ReadAll(path);
        if (file.size() <= kTransfersAllHeader + kTransfersSlotsSize)
            return ::testing::AssertionFailure() << "file of " << file.size() << " bytes";
        const QByteArray saved = file.mid(kTransfersAllHeader, kTransfersSlotsSize);
        const QByteArray device = DeviceSlots();
        for (int at = 0; at < kTransfersSlotsSize; ++at) {
            if (saved[at] != device[at])
                return ::testing::AssertionFailure() << "slot " << at / IMAGE_SIZE + 1 << " differs at byte "
                                                     << at % IMAGE_SIZE << ": " << int(BYTE(saved[at])) << " "
                                                     << int(BYTE(device[at]));
        }
        return ::testing::AssertionSuccess();
    }
    int Boxes(const QString& text) const
    {
        int n = 0;
        for (const CMessageBoxSpy::Shown& box : m_boxes.shown)
            n += box.text == text ? 1 : 0;
        return n;
    }

    // The device fails from the k-th frame or report on (counted from now).
    void FailFrom(TransfersFault fault, int k)
    {
        if (fault == TransfersFault::Unplug) {
            m_hidBus.SetVanishAfter(m_hidBus.ReportsWritten() + k);
            return;
        }
        std::vector<CSimFault> faults;
        const long long from = m_device.FrameCount() + k;
        for (long long n = from; n < from + 40; ++n) {
            CSimFault f;
            f.kind = fault == TransfersFault::Close ? CSimFault::Kind::Close : CSimFault::Kind::NoReply;
            f.frame = n;
            faults.push_back(f);
        }
        m_device.SetFaults(faults);
    }

    QString m_usbPath;
    std::atomic<int> m_nLinkFailed{0};
};

const QString kTransfersSaveError = QStringLiteral("Save all presets file error!");

TEST_P(TransfersSimLinkThreadsTest, APresetFileReplacesTheDevicesLiveSet)
{
    // A file of another set, locked, made before the device is reached.
    const QString path = FilePath(QStringLiteral("Stage Left.kvas"));
    EditLiveSet();
    g_bDataLocked = true;
    g_strLockPassword = QStringLiteral("246810");
    ASSERT_EQ(Doc().SaveFile(PresetFileKind::Preset, path), 1);
    g_bDataLocked = false;
    g_strLockPassword.clear();
    const QByteArray file = ReadAll(path);
    ASSERT_GT(file.size(), IMAGE_SIZE);
    const QByteArray image = file.right(IMAGE_SIZE);

    Connect();
    const BYTE masterOn = m_device.State().system[14];
    ASSERT_NE(Blocks(m_device.State().live.bytes), Blocks(reinterpret_cast<const BYTE*>(image.constData())));

    AnswerFileDialog(path);
    Command(ID_LOAD_PRESET_FILE);
    EXPECT_TRUE(PopupShown());
    ASSERT_TRUE(TransferEnds());
    const CSimState device = m_device.State();
    // Every block as the file holds it, the lock fields too.
    EXPECT_EQ(Blocks(device.live.bytes), Blocks(reinterpret_cast<const BYTE*>(image.constData())));
    EXPECT_EQ(device.live.bytes[OutputBlockOffset(0) + LOCK_FLAG_BYTE], '!');
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(device.live.bytes) + OutputBlockOffset(0) + LOCK_PASSWORD_BYTE,
                         LOCK_PASSWORD_SIZE),
              QByteArray("246810"));
    // The name from the file's title; the master back on.
    EXPECT_EQ(FixedFieldToString(reinterpret_cast<const char*>(device.live.bytes), PRESET_NAME_SIZE),
              QStringLiteral("Stage Left"));
    EXPECT_EQ(device.system[14], masterOn);
    ExpectBarAtEnd(16, 16);
    for (const auto& box : m_boxes.shown)
        ADD_FAILURE() << box.text.toStdString();
}

TEST_P(TransfersSimLinkThreadsTest, AnAllPresetsFileReplacesTheLiveSetAndEverySlot)
{
    const QString path = FilePath(QStringLiteral("venue.kvaa"));
    EditLiveSet();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        RandomSlots(g_MachinePresets, 7);
    }
    ASSERT_EQ(Doc().SaveFile(PresetFileKind::AllPresets, path), 1);
    const QByteArray file = ReadAll(path);
    ASSERT_GE(file.size(), kTransfersAllHeader + kTransfersSlotsSize + IMAGE_SIZE);
    const auto fileImage = [&](int at) {
        return reinterpret_cast<const BYTE*>(file.constData()) + kTransfersAllHeader + at * IMAGE_SIZE;
    };

    Connect();
    AnswerFileDialog(path);
    Command(ID_LOAD_ALL_PRESETS);
    ASSERT_TRUE(TransferEnds());
    const CSimState device = m_device.State();
    EXPECT_EQ(Blocks(device.live.bytes), Blocks(fileImage(MACHINE_PRESET_COUNT)));
    for (int s = 0; s < MACHINE_PRESET_COUNT; ++s) {
        SCOPED_TRACE(s + 1);
        EXPECT_EQ(Name(device.presets[s].bytes), Name(fileImage(s)));
        EXPECT_EQ(Blocks(device.presets[s].bytes), Blocks(fileImage(s)));
    }
    ExpectBarAtEnd(118, 117);
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_P(TransfersSimLinkThreadsTest, SaveAllPresetsWritesTheDevicesSlots)
{
    CSimState state = m_device.State();
    RandomSlots(state.presets, 11);
    m_device.SetState(state);
    // The names come with the read-back after connecting, the blocks with
    // the save's own.
    Connect();
    const QString path = FilePath(QStringLiteral("backup.kvaa"));
    AnswerFileDialog(path);
    Command(ID_SAVE_ALL_PRESETS);
    EXPECT_TRUE(PopupShown());
    ASSERT_TRUE(TransferEnds());
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(path); }, 5000));
    EXPECT_TRUE(FileHoldsDeviceSlots(path));
    ExpectBarAtEnd(96, 95);
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_P(TransfersSimLinkThreadsTest, TwoSavesInARowWriteBothFilesAndARefusedEndDropsOnlyItsOwn)
{
    CSimState state = m_device.State();
    RandomSlots(state.presets, 13);
    m_device.SetState(state);
    Connect();

    const QString first = FilePath(QStringLiteral("first.kvaa"));
    const QString second = FilePath(QStringLiteral("second.kvaa"));
    AnswerFileDialog(first);
    Command(ID_SAVE_ALL_PRESETS);
    AnswerFileDialog(second);
    Command(ID_SAVE_ALL_PRESETS);
    ASSERT_TRUE(TransferEnds());
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(first) && QFile::exists(second); }, 5000));
    EXPECT_TRUE(FileHoldsDeviceSlots(first));
    EXPECT_TRUE(FileHoldsDeviceSlots(second));
    EXPECT_TRUE(m_boxes.shown.empty());

    // The device refuses the last request of the first read-back: that
    // save is dropped with its message, the second is written.
    const QString refused = FilePath(QStringLiteral("refused.kvaa"));
    const QString kept = FilePath(QStringLiteral("kept.kvaa"));
    std::atomic<bool> armed{true};
    m_device.SetLogSink([&](const CSimLogEntry& entry) {
        const CSimFrame& f = entry.frame;
        if (f.cls == CSimFrame::kRequest && f.type == BLOCK_OUTPUT && f.slot == MACHINE_PRESET_COUNT &&
            f.item == OUTPUT_COUNT - 2 && f.record == CSimFrame::kReadRecord && armed.exchange(false)) {
            CSimFault fault;
            fault.kind = CSimFault::Kind::Refuse;
            fault.frame = entry.number + 1;
            m_device.SetFaults({fault});
        }
    });
    AnswerFileDialog(refused);
    Command(ID_SAVE_ALL_PRESETS);
    AnswerFileDialog(kept);
    Command(ID_SAVE_ALL_PRESETS);
    ASSERT_TRUE(TransferEnds());
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(kept); }, 5000));
    QTest::qWait(100);
    m_device.SetLogSink(nullptr);
    EXPECT_FALSE(armed.load());
    EXPECT_FALSE(QFile::exists(refused));
    EXPECT_TRUE(FileHoldsDeviceSlots(kept));
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, kTransfersSaveError);
    EXPECT_TRUE(Link().IsConnected());
}

TEST_P(TransfersSimLinkThreadsTest, ALinkLostMidTransferLeavesNothingHalfDone)
{
    struct Case {
        TransfersWay way;
        const char* name;
        TransfersPhase phase;
        TransfersFault fault;
        int at;  // frames (reports over USB) after the start
    };
    const TransfersWay net = TransfersWay::Network;
    const TransfersWay usb = TransfersWay::Usb;
    const Case cases[] = {
        {net, "closed mid-load", TransfersPhase::Load, TransfersFault::Close, 6},
        {net, "no reply mid-read-back", TransfersPhase::ReadBack, TransfersFault::NoReply, 30},
        {net, "closed in the connect read-back", TransfersPhase::Connect, TransfersFault::Close, 8},
        {usb, "unplugged mid-load", TransfersPhase::Load, TransfersFault::Unplug, 30},
        {usb, "unplugged mid-read-back", TransfersPhase::ReadBack, TransfersFault::Unplug, 30},
        {usb, "unplugged in the connect read-back", TransfersPhase::Connect, TransfersFault::Unplug, 10},
    };
    const QString preset = FilePath(QStringLiteral("room.kvas"));
    ASSERT_EQ(Doc().SaveFile(PresetFileKind::Preset, preset), 1);
    const QString path = FilePath(QStringLiteral("kept.kvaa"));
    const QByteArray old("an older file that stays as it is");
    WriteAll(path, old);

    for (const Case& c : cases) {
        if (c.way != GetParam())
            continue;
        SCOPED_TRACE(c.name);
        m_boxes.shown.clear();
        m_nLinkFailed = 0;
        if (c.phase == TransfersPhase::Connect) {
            FailFrom(c.fault, c.at);
            ASSERT_TRUE(StartConnect());
        } else {
            Connect();
            FailFrom(c.fault, c.at);
            if (c.phase == TransfersPhase::Load) {
                AnswerFileDialog(preset);
                Command(ID_LOAD_PRESET_FILE);
            } else {
                AnswerFileDialog(path);
                Command(ID_SAVE_ALL_PRESETS);
            }
        }
        ASSERT_TRUE(WaitFor([&] { return !Link().IsConnected() && m_nLinkFailed > 0 && ReadBackEnded(); }, 60000));
        // Whatever comes late of the same end has come.
        QTest::qWait(300);
        m_device.SetFaults({});
        m_hidBus.SetVanishAfter(0);

        EXPECT_EQ(m_nLinkFailed.load(), 1);
        const int saveErrors = Boxes(kTransfersSaveError);
        EXPECT_EQ(saveErrors, c.phase == TransfersPhase::ReadBack ? 1 : 0);
        ASSERT_EQ(m_boxes.shown.size(), size_t(1 + saveErrors));
        if (saveErrors > 0) {
            EXPECT_EQ(m_boxes.shown[1].text, kTransfersSaveError);
        }
        EXPECT_FALSE(PopupShown());
        EXPECT_TRUE(View()->isEnabled());
        EXPECT_FALSE(g_bTransferBusy);
        EXPECT_EQ(View()->Command().GetCount(), 0);
        EXPECT_FALSE(g_csSendLock.IsLocked());
        EXPECT_EQ(ReadAll(path), old);
    }

    // A later save works.
    m_boxes.shown.clear();
    Connect();
    AnswerFileDialog(path);
    Command(ID_SAVE_ALL_PRESETS);
    ASSERT_TRUE(TransferEnds());
    ASSERT_TRUE(WaitFor([&] { return ReadAll(path) != old; }, 5000));
    EXPECT_TRUE(FileHoldsDeviceSlots(path));
    EXPECT_TRUE(m_boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, TransfersSimLinkThreadsTest,
                         ::testing::Values(TransfersWay::Network, TransfersWay::Usb),
                         [](const ::testing::TestParamInfo<TransfersWay>& info) {
                             return std::string(info.param == TransfersWay::Network ? "Network" : "Usb");
                         });

}  // namespace
