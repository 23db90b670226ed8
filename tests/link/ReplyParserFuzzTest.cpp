// Hostile input: the parser is the one place where outside bytes enter the
// program. Hundreds of thousands of random, well-formed and mutated frames,
// in every way the transports deliver them, must change nothing but what a
// reply may write, and leave every stored value in its bounds. The
// sanitizer build runs the same and must stay silent.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "link/LinkStatus.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "model/SpeakerPosition.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/ReplyTestSupport.h"

namespace {

// What lies around and beside the parser's stores and must never change.
struct Untouchable {
    int syncItems[SYNC_ITEM_COUNT];
    BYTE frameHeader[FRAME_HEADER_SIZE];
    int linkGroups[OUTPUT_COUNT];
    bool showCurve[OUTPUT_COUNT];
    BYTE defaultPositions[sizeof g_DefaultSpeakerPositions];
    BYTE positionTable[POSITION_TABLE_SIZE];
    int uiMode, curOutput, inputMode, sourceTable;

    static Untouchable Capture()
    {
        Untouchable u;
        std::memset(&u, 0, sizeof u);  // padding too, for the comparison
        std::memcpy(u.syncItems, g_SyncItemCodes, sizeof u.syncItems);
        std::memcpy(u.frameHeader, g_FrameHeader, sizeof u.frameHeader);
        std::memcpy(u.linkGroups, g_nLinkGroup, sizeof u.linkGroups);
        std::memcpy(u.showCurve, g_abShowCurve, sizeof u.showCurve);
        std::memcpy(u.defaultPositions, g_DefaultSpeakerPositions, sizeof u.defaultPositions);
        std::memcpy(u.positionTable, g_SpeakerPositionTable, sizeof u.positionTable);
        u.uiMode = g_nUiMode;
        u.curOutput = g_nCurOutput;
        u.inputMode = g_nInputMode;
        u.sourceTable = g_nSourceTable;
        return u;
    }
    bool operator==(const Untouchable& o) const { return std::memcmp(this, &o, sizeof o) == 0; }
};

// A progress bar that only keeps its position.
class CPlainProgress : public IProgressDisplay {
public:
    void SetPos(int pos) override { m_nPos = pos; }
    int GetPos() const override { return m_nPos; }
    int GetRangeUpper() const override { return 50; }

private:
    std::atomic<int> m_nPos{0};
};
class CIgnoredStatus : public IStatusDisplay {
public:
    void SetText(const QString&) override {}
};

class ReplyParserFuzzTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartLinkTest(m_command, m_view, 2);
        g_pTransferProgress.Set(std::make_shared<CPlainProgress>());
        g_pUpdateProgress.Set(std::make_shared<CPlainProgress>());
        m_pCurHexUpTip.Set(std::make_shared<CIgnoredStatus>());
        m_untouchable = Untouchable::Capture();
        std::memcpy(m_systemBefore, g_SystemBytes, sizeof m_systemBefore);
        for (int k = 0; k < MACHINE_PRESET_COUNT; ++k)
            m_nameEnd[k] = g_MachinePresets[k].bytes[PRESET_NAME_SIZE - 1];
        m_nameEnd[MACHINE_PRESET_COUNT] = g_CurrentImage.bytes[PRESET_NAME_SIZE - 1];
    }
    void TearDown() override { EndLinkTest(); }

    int Pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(m_random); }
    template <class T, size_t N>
    T PickOf(const T (&choices)[N])
    {
        return choices[size_t(Pick(0, int(N) - 1))];
    }

    // Keeps a few commands queued, with the flags the parser acts on.
    void Refill()
    {
        static const int kCodes[] = {0, 0, 0, HEXApply, HEXStart, HEXData, HEXEnd, IAP_DSP_REQUEST_INFO,
                                     IAP_DSP_DATA, IAP_DSP_END_INF, HEXSync, 77};
        while (m_command.GetCount() < 3) {
            auto command = std::make_unique<CSendData>();
            command->SetData(Bytes(size_t(Pick(16, 64)), 0x55));
            command->SetProgressPos(Pick(0, 3));
            command->SetLastWrite(Pick(0, 7) == 0);
            command->SetLastRequest(Pick(0, 7) == 0);
            command->SetEndTransfer(Pick(0, 15) == 0);
            command->SetLongWait(Pick(0, 31) == 0);
            command->SetCommandCode(PickOf(kCodes));
            m_command.AddCommand(std::move(command));
        }
    }

    Bytes RandomBytes(int n)
    {
        Bytes b(static_cast<size_t>(n), 0);
        for (BYTE& x : b)
            x = BYTE(Pick(0, 255));
        return b;
    }

    // A frame with a valid XOR and fields that reach every store and check.
    Bytes WellFormed()
    {
        static const int kClasses[] = {'Q', 'R', 'S', 'S', 'S', 'S', 0, 0xA1, 'T'};
        static const int kBlocks[] = {1, 2, 3, 3, 4, 4, 9, 9, 9, 9, 0, 5, 8, 10, 255};
        static const int kItems[] = {0, 1, 2, 3, 4, 5, 6, 7, 11, 12, 52, 64, 0xCC, 99, 255};
        static const int kSlots[] = {0, 0, 1, 3, 6, 7, 200, 255};
        static const int kRecords[] = {0, 0x77, 0x77, 1, 255};
        static const int kLengths[] = {0, 1, 7, 8, 10, 11, 14, 15, 16, 35, 36, 97, 98, 99, 287, 288,
                                       289, 295, 296, 297, 387};
        ReplyHeader h;
        h.frameClass = PickOf(kClasses);
        h.block = PickOf(kBlocks);
        h.item = PickOf(kItems);
        h.slot = PickOf(kSlots);
        h.record = PickOf(kRecords);
        const int length = Pick(0, 3) == 0 ? Pick(0, 387) : PickOf(kLengths);
        Bytes payload = RandomBytes(length);
        if (h.block == 9 && h.item == 52 && !payload.empty() && Pick(0, 1) == 0)
            payload[0] = BYTE(Pick(0, 8));
        return EncodeReply(h, payload);
    }

    Bytes Mutated()
    {
        Bytes f = WellFormed();
        switch (Pick(0, 5)) {
        case 0:  // a few flipped bytes
            for (int n = Pick(1, 4); n > 0; --n)
                f[size_t(Pick(0, int(f.size()) - 1))] ^= BYTE(Pick(1, 255));
            break;
        case 1:  // cut short
            f.resize(size_t(Pick(0, int(f.size()) - 1)));
            break;
        case 2: {  // a declared length the buffer cannot hold, or just wrong
            static const int kLengths[] = {387, 388, 389, 400, 1000, 65535, 0, 1};
            const int length = PickOf(kLengths);
            f[12] = BYTE(length & 0xFF);
            f[13] = BYTE(length >> 8);
            break;
        }
        case 3:  // a second frame start inside the payload
            if (f.size() > 20)
                std::memcpy(f.data() + 16, "\x82\x82\x82\xEE", 4);
            break;
        case 4: {  // glued to the next frame
            const Bytes next = WellFormed();
            f.insert(f.end(), next.begin(), next.end());
            break;
        }
        default: {  // noise first
            Bytes noise = RandomBytes(Pick(1, 40));
            noise.insert(noise.end(), f.begin(), f.end());
            f.swap(noise);
            break;
        }
        }
        return f;
    }

    // Delivers the bytes the way one of the transports would.
    void Deliver(const Bytes& wire)
    {
        switch (Pick(0, 3)) {
        case 0:
            for (const std::vector<BYTE>& r : ToReports(wire)) {
                BYTE report[HID_REPORT_SIZE];
                std::copy(r.begin(), r.end(), report);
                m_command.FeedHidReport(report, HID_REPORT_SIZE);
            }
            break;
        case 1: {
            Bytes copy = wire;
            if (!copy.empty())
                m_command.FeedNetworkBytes(copy.data(), int(copy.size()));
            break;
        }
        case 2:
            for (BYTE b : wire)
                m_command.FeedSerialByte(b);
            break;
        default:
            for (size_t at = 0; at < wire.size();) {
                const size_t n = std::min(wire.size() - at, size_t(Pick(1, 97)));
                m_command.FeedBytes(wire.data() + at, int(n));
                at += n;
            }
            break;
        }
    }

    void CheckBounds()
    {
        EXPECT_TRUE(Untouchable::Capture() == m_untouchable);
        // System bytes beyond the items' and the current preset's are never
        // written.
        for (int k = 32; k < SYSTEM_BYTE_COUNT; ++k) {
            if (k != 40) {
                ASSERT_EQ(g_SystemBytes[k], m_systemBefore[k]) << "system byte " << k;
            }
        }
        ASSERT_LE(g_byCurrentPreset, MACHINE_PRESET_COUNT);
        for (int status : g_nDeviceStatus) {
            ASSERT_GE(status, 0);
            ASSERT_LE(status, 255);
        }
        ASSERT_EQ(g_szDeviceVersion[DEVICE_VERSION_SIZE - 1], 0);
        for (int k = 0; k <= MACHINE_PRESET_COUNT; ++k) {
            const BYTE* name = k < MACHINE_PRESET_COUNT ? g_MachinePresets[k].bytes : g_CurrentImage.bytes;
            ASSERT_EQ(name[PRESET_NAME_SIZE - 1], m_nameEnd[k]) << "name " << k;
        }
        for (const std::atomic<BYTE>& status : g_byLinkStatus)
            ASSERT_LE(status.load(), 1);
        ASSERT_LE(m_command.Collector().CollectedCount(), FRAME_BUFFER_SIZE);
    }

    std::mt19937 m_random{20240611};
    CRecordingTarget m_view;
    CKTVCommand m_command;
    Untouchable m_untouchable;
    BYTE m_systemBefore[SYSTEM_BYTE_COUNT];
    BYTE m_nameEnd[MACHINE_PRESET_COUNT + 1];
};

TEST_F(ReplyParserFuzzTest, HostileFramesStayInsideWhatARepliesMayWrite)
{
    constexpr int kFrames = 300000;
    for (int n = 0; n < kFrames; ++n) {
        Refill();
        if (Pick(0, 99) == 0)
            g_bHandshakePending = !g_bHandshakePending;
        const int kind = Pick(0, 9);
        Deliver(kind < 2 ? RandomBytes(Pick(1, 500)) : kind < 6 ? WellFormed() : Mutated());
        if (n % 1000 == 0) {
            CheckBounds();
            if (HasFatalFailure())
                return;
            m_view.DeliverPosted();
            m_view.Clear();
        }
    }
    CheckBounds();
    // The run reached the stores, not only the checks.
    EXPECT_NE(std::memcmp(g_CurrentImage.bytes + OUTPUT_OFFSET, g_MachinePresets[5].bytes + OUTPUT_OFFSET,
                          OUTPUT_BLOCK_SIZE),
              0);
}

TEST_F(ReplyParserFuzzTest, DeclaredLengthsAtAndBeyondTheBuffer)
{
    struct Case {
        int length;
        bool taken;
    };
    for (const Case c : {Case{387, true}, Case{388, false}, Case{65535, false}}) {
        Refill();
        const int before = m_command.GetCount();
        // An ignored block type, so the full payload is collected and
        // answered without being stored.
        Bytes frame = EncodeReply({'S', 0, 5, 0, 0}, Bytes(387, 0x82));
        frame[12] = BYTE(c.length & 0xFF);
        frame[13] = BYTE(c.length >> 8);
        if (c.length == 387) {
            EXPECT_TRUE(m_command.FeedBytes(frame.data(), int(frame.size()))) << c.length;
        } else {
            // Refused at the length: the rest, 0x82 bytes and all, is no frame.
            Bytes tail(100, 0x82);
            tail.push_back(0);
            frame.insert(frame.end(), tail.begin(), tail.end());
            EXPECT_FALSE(m_command.FeedBytes(frame.data(), int(frame.size()))) << c.length;
            EXPECT_EQ(g_byLinkStatus[LINK_STATUS_FRAME_DONE].load(), 0) << c.length;
        }
        EXPECT_EQ(m_command.GetCount(), before);
        EXPECT_LE(m_command.Collector().CollectedCount(), FRAME_BUFFER_SIZE);
        // Whatever came before, the next good reply is read.
        const Bytes ack = Ack();
        EXPECT_TRUE(m_command.FeedBytes(ack.data(), int(ack.size()))) << c.length;
    }
}

}  // namespace
