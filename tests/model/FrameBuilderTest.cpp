#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <numeric>

#include "tests/common/MessageBoxSpy.h"
#include "tests/model/FrameTestSupport.h"

namespace {

class FrameBuilderTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFrameState(); }
    void TearDown() override { ResetFrameState(); }

    static void PutRecord(int offset, const std::string& hex)
    {
        const std::vector<BYTE> bytes = Hex(hex);
        std::memcpy(g_CurrentImage.bytes + offset, bytes.data(), bytes.size());
    }
    static void LinkOutputs(int a, int b) { g_nLinkGroup[b] = g_nLinkGroup[a]; }
};

// Fills the live image, the machine presets, the system bytes and the mode
// gains with patterns that differ from block to block.
void FillImages()
{
    for (int k = 0; k < IMAGE_SIZE; ++k)
        g_CurrentImage.bytes[k] = BYTE(k * 7 + 3);
    for (int slot = 0; slot < MACHINE_PRESET_COUNT; ++slot) {
        for (int k = 0; k < IMAGE_SIZE; ++k)
            g_MachinePresets[slot].bytes[k] = BYTE(k * 5 + 11 * (slot + 1));
    }
    for (int k = 0; k < SYSTEM_BYTE_COUNT; ++k)
        g_SystemBytes[k] = BYTE(0x10 + k);
    for (int k = 0; k < MODE_GAINS_SIZE; ++k)
        g_ModeGains[k] = BYTE(0xC0 ^ k);
}

// The whole frame a builder must produce, from its header bytes 4 to 11 and
// its payload; the check byte is worked out here byte by byte.
std::vector<BYTE> Expected(const std::string& header4to11, const BYTE* payload, int length)
{
    std::vector<BYTE> frame = Hex("82 82 82 EE " + header4to11);
    frame.push_back(BYTE(length & 0xFF));
    frame.push_back(BYTE(length >> 8));
    frame.insert(frame.end(), payload, payload + length);
    frame.push_back(std::accumulate(frame.begin() + 4, frame.end(), BYTE(0),
                                    [](BYTE x, BYTE b) { return BYTE(x ^ b); }));
    frame.push_back(0xAA);
    return frame;
}

std::vector<BYTE> Built(std::unique_ptr<CSendData> command)
{
    return command ? BytesOf(*command) : std::vector<BYTE>();
}

// ---- Exact bytes of the short frames --------------------------------------

TEST_F(FrameBuilderTest, ShortFramesMatchTheirBytesExactly)
{
    // Output 2 record 5 of the worked example, outputs 2 and 5 linked.
    PutRecord(OutputBlockOffset(2) + 5 * 8, "10 27 58 02 34 00 00 00");
    PutRecord(OutputBlockOffset(2) + 31 * 8, "01 00 58 02 10 00 00 06");
    PutRecord(MIC_OFFSET + 9 * 8, "64 01 00 01 20 00 58 02");
    PutRecord(EFFECT_OFFSET + 15 * 8, "14 00 01 02 20 4E 01 02");
    PutRecord(MusicBlockOffset(3) + 31 * 8, "00 01 01 01 00 00 58 02");
    PutRecord(PRESET_NAME_OFFSET, "41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50");
    std::memcpy(g_MachinePresets[2].bytes, "Hall           ", 16);
    for (int k = 0; k < SYSTEM_BYTE_COUNT; ++k)
        g_SystemBytes[k] = BYTE(0x10 + k);
    g_byCurrentPreset = 3;
    LinkOutputs(2, 5);

    struct Case {
        const char* name;
        std::function<std::unique_ptr<CSendData>()> build;
        const char* bytes;
    };
    const Case cases[] = {
        {"worked example", [] { return BuildParameterFrame(4, 2, 5); },
         "82 82 82 EE A1 01 00 04 02 05 01 00 08 00 10 27 58 02 34 00 00 00 F3 AA"},
        {"output basic record, never linked", [] { return BuildParameterFrame(4, 2, 31); },
         "82 82 82 EE A1 01 00 04 02 1F 00 00 08 00 01 00 58 02 10 00 00 06 FC AA"},
        {"mic record", [] { return BuildParameterFrame(1, 0, 9); },
         "82 82 82 EE A1 01 00 01 00 09 00 00 08 00 64 01 00 01 20 00 58 02 BE AA"},
        {"effect record", [] { return BuildParameterFrame(2, 0, 15); },
         "82 82 82 EE A1 01 00 02 00 0F 00 00 08 00 14 00 01 02 20 4E 01 02 DF AA"},
        {"music record", [] { return BuildParameterFrame(3, 3, 31); },
         "82 82 82 EE A1 01 00 03 03 1F 00 00 08 00 00 01 01 01 00 00 58 02 EC AA"},
        {"status poll", [] { return BuildParameterFrame(7, 0, 0); },
         "82 82 82 EE A2 01 00 09 03 00 00 00 08 00 00 00 00 00 00 00 00 00 A1 AA"},
        {"block request, recall of preset 2", [] { return BuildBlockRequestFrame(2, 4, 11, true); },
         "82 82 82 EE A2 01 02 04 0B 00 00 00 08 00 00 00 00 00 00 00 00 00 A6 AA"},
        {"block request, recall of the live set", [] { return BuildBlockRequestFrame(0, 3, 1, true); },
         "82 82 82 EE A2 01 00 03 01 77 00 00 08 00 00 00 00 00 00 00 00 00 DE AA"},
        {"block request, read-back of preset 6", [] { return BuildBlockRequestFrame(6, 1, 0, false, true); },
         "82 82 82 EE A2 01 06 01 00 77 00 00 08 00 00 00 00 00 00 00 00 00 DB AA"},
        {"handshake request", [] { return BuildSystemRequestFrame(204, 0); },
         "82 82 82 EE A2 01 00 09 CC 00 00 00 08 00 00 00 00 00 00 00 00 00 6E AA"},
        {"version request", [] { return BuildSystemRequestFrame(4, 0); },
         "82 82 82 EE A2 01 00 09 04 00 00 00 08 00 00 00 00 00 00 00 00 00 A6 AA"},
        {"system item 2", [] { return BuildSystemCommandFrame(2, 0); },
         "82 82 82 EE A1 01 00 09 02 00 00 00 08 00 10 11 12 13 14 15 16 17 A3 AA"},
        {"system item 5", [] { return BuildSystemCommandFrame(5, 0); },
         "82 82 82 EE A1 01 00 09 05 00 00 00 08 00 18 19 1A 1B 1C 1D 1E 1F A4 AA"},
        {"system item 6", [] { return BuildSystemCommandFrame(6, 0); },
         "82 82 82 EE A1 01 00 09 06 00 00 00 08 00 20 21 22 23 24 25 26 27 A7 AA"},
        {"system item 7", [] { return BuildSystemCommandFrame(7, 0); },
         "82 82 82 EE A1 01 00 09 07 00 00 00 08 00 28 29 2A 2B 2C 2D 2E 2F A6 AA"},
        {"current preset, one byte", [] { return BuildSystemCommandFrame(52, 0); },
         "82 82 82 EE A1 01 00 09 34 00 00 00 01 00 03 9F AA"},
        {"network defaults", [] { return BuildSystemCommandFrame(65, 0); },
         "82 82 82 EE A1 01 00 09 41 00 00 00 08 00 00 00 00 00 00 00 00 00 E0 AA"},
        {"factory reset", [] { return BuildSystemCommandFrame(96, 0); },
         "82 82 82 EE A1 01 00 09 60 00 00 00 08 00 00 00 00 00 00 00 00 00 C1 AA"},
        {"live name, full field: byte 15 forced to 0", [] { return BuildSystemCommandFrame(0, 0); },
         "82 82 82 EE A1 01 00 09 00 00 00 00 10 00 "
         "41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 00 F9 AA"},
        {"name of machine preset 3", [] { return BuildSystemCommandFrame(0, 3); },
         "82 82 82 EE A1 01 03 09 00 00 00 00 10 00 "
         "48 61 6C 6C 20 20 20 20 20 20 20 20 20 20 20 00 B3 AA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Built(c.build()), Hex(c.bytes));
    }
}

TEST_F(FrameBuilderTest, OnlyTheOutputRecordsThatCarryItGetTheLinkFlag)
{
    LinkOutputs(4, 9);
    for (int record = 0; record <= 36; ++record) {
        SCOPED_TRACE(record);
        const bool carries = record <= 30 || record == 32 || record == 33;
        EXPECT_EQ(Built(BuildParameterFrame(4, 9, record))[10], carries ? 1 : 0);
        // An output of its own group never carries it.
        EXPECT_EQ(Built(BuildParameterFrame(4, 0, record))[10], 0);
    }
}

// ---- Mended: nothing of one frame leaks into the next ----------------------

TEST_F(FrameBuilderTest, FramesAfterALinkedOutputRecordCarryNoLinkFlagNorItsBytes)
{
    FillImages();
    LinkOutputs(0, 1);
    ASSERT_EQ(Built(BuildParameterFrame(4, 1, 0))[10], 1);

    const std::vector<BYTE> music = Built(BuildParameterFrame(3, 0, 31));
    EXPECT_EQ(music[10], 0);
    const std::vector<BYTE> mic = Built(BuildParameterFrame(1, 0, 9));
    EXPECT_EQ(mic[10], 0);
    ASSERT_EQ(Built(BuildBlockFrame(0, 4, 1, true, false))[10], 1);
    EXPECT_EQ(Built(BuildBlockFrame(0, 3, 2, true, false))[10], 0);

    // The status poll repeats nothing of the frame before it.
    const std::vector<BYTE> poll = Built(BuildParameterFrame(7, 0, 0));
    EXPECT_EQ(poll, Hex("82 82 82 EE A2 01 00 09 03 00 00 00 08 00 00 00 00 00 00 00 00 00 A1 AA"));
}

// ---- Long frames -------------------------------------------------------------

TEST_F(FrameBuilderTest, BlockFramesCarryTheWholeBlockOfTheirSource)
{
    FillImages();
    LinkOutputs(7, 3);
    const BYTE* live = g_CurrentImage.bytes;
    const BYTE* preset4 = g_MachinePresets[3].bytes;
    struct Case {
        const char* name;
        std::unique_ptr<CSendData> frame;
        std::vector<BYTE> expected;
    };
    Case cases[] = {
        {"mic, live", BuildBlockFrame(0, 1, 0, true, false),
         Expected("A1 01 00 01 00 00 00 00", live + MIC_OFFSET, 112)},
        {"effect, first 96 bytes", BuildBlockFrame(0, 2, 0, true, false),
         Expected("A1 01 00 02 00 00 00 00", live + EFFECT_OFFSET, 96)},
        {"music 2, live into slot 5", BuildBlockFrame(5, 3, 2, true, true),
         Expected("A1 01 05 03 02 00 00 00", live + MusicBlockOffset(2), 288)},
        {"output 7, live, linked", BuildBlockFrame(0, 4, 7, true, false),
         Expected("A1 01 00 04 07 00 01 00", live + OutputBlockOffset(7), 296)},
        {"output 11 of machine preset 4", BuildBlockFrame(4, 4, 11, false, true),
         Expected("A1 01 04 04 0B 00 00 00", preset4 + OutputBlockOffset(11), 296)},
        {"mic of machine preset 4", BuildBlockFrame(4, 1, 0, false, true),
         Expected("A1 01 04 01 00 00 00 00", preset4 + MIC_OFFSET, 112)},
        {"mode gains", BuildSystemCommandFrame(64, 0), Expected("A1 01 00 09 40 00 00 00", g_ModeGains, 98)},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.frame);
        EXPECT_EQ(BytesOf(*c.frame), c.expected);
    }
    EXPECT_EQ(cases[0].frame->GetLength(), 128);
    EXPECT_EQ(cases[1].frame->GetLength(), 112);
    EXPECT_EQ(cases[2].frame->GetLength(), 304);
    EXPECT_EQ(cases[3].frame->GetLength(), 312);
    EXPECT_EQ(cases[6].frame->GetLength(), 114);
    // The 296-byte payload's length field reads 28 01.
    EXPECT_EQ(cases[3].frame->GetData()[12], 0x28);
    EXPECT_EQ(cases[3].frame->GetData()[13], 0x01);
}

TEST_F(FrameBuilderTest, OnlyLiveMusicAndOutputBlocksTrackThePresetName)
{
    struct Case {
        int slot, type, channel;
        bool current, fromSlot, tracks;
    };
    const Case cases[] = {
        {0, 3, 0, true, false, true},  {2, 4, 5, true, true, true},   {0, 1, 0, true, false, false},
        {0, 2, 0, true, false, false}, {3, 3, 1, false, true, false}, {3, 4, 1, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " current " << c.current);
        g_bTrackPresetName = false;
        ASSERT_TRUE(BuildBlockFrame(c.slot, c.type, c.channel, c.current, c.fromSlot));
        EXPECT_EQ(g_bTrackPresetName.load(), c.tracks);
    }
}

// ---- The data lock in output 0's frame --------------------------------------

TEST_F(FrameBuilderTest, LockFieldsGoIntoOutputZerosFrameButNeverIntoTheImage)
{
    FillImages();
    const DeviceImage liveBefore = g_CurrentImage;
    const BYTE* block0 = liveBefore.bytes + OutputBlockOffset(0);
    g_strLockPassword = QStringLiteral("123456");

    std::vector<BYTE> unchanged(block0, block0 + OUTPUT_BLOCK_SIZE);

    g_bDataLocked = true;
    std::vector<BYTE> locked = unchanged;
    locked[288] = '!';
    std::memcpy(locked.data() + 290, "123456", 6);
    EXPECT_EQ(PayloadOf(*BuildBlockFrame(0, 4, 0, true, false)), locked);
    // Also when the live set goes into a machine preset.
    EXPECT_EQ(PayloadOf(*BuildBlockFrame(2, 4, 0, true, true)), locked);
    // Other outputs and a machine preset's own block go out unchanged.
    EXPECT_EQ(PayloadOf(*BuildBlockFrame(0, 4, 1, true, false)),
              std::vector<BYTE>(liveBefore.bytes + OutputBlockOffset(1),
                                liveBefore.bytes + OutputBlockOffset(1) + OUTPUT_BLOCK_SIZE));
    const BYTE* preset1 = g_MachinePresets[0].bytes + OutputBlockOffset(0);
    EXPECT_EQ(PayloadOf(*BuildBlockFrame(1, 4, 0, false, true)),
              std::vector<BYTE>(preset1, preset1 + OUTPUT_BLOCK_SIZE));
    // A record frame of the name record carries the image as it is.
    EXPECT_EQ(PayloadOf(*BuildParameterFrame(4, 0, 36)), std::vector<BYTE>(block0 + 288, block0 + 296));

    g_bDataLocked = false;
    g_bClearLockMarker = true;
    std::vector<BYTE> cleared = unchanged;
    cleared[288] = ' ';
    EXPECT_EQ(PayloadOf(*BuildBlockFrame(0, 4, 0, true, false)), cleared);

    g_bClearLockMarker = false;
    EXPECT_EQ(PayloadOf(*BuildBlockFrame(0, 4, 0, true, false)), unchanged);

    EXPECT_EQ(std::memcmp(g_CurrentImage.bytes, liveBefore.bytes, IMAGE_SIZE), 0);
}

TEST_F(FrameBuilderTest, ATooLongLockPasswordIsReportedAndSendsZeros)
{
    FillImages();
    g_bDataLocked = true;
    g_strLockPassword = QStringLiteral("1234567");
    CMessageBoxSpy spy;
    std::vector<BYTE> frame = Built(BuildBlockFrame(0, 4, 0, true, false));
    ASSERT_EQ(spy.shown.size(), 1u);
    EXPECT_EQ(spy.shown[0].text, QStringLiteral("Char len error!"));
    EXPECT_EQ(frame[14 + 288], '!');
    EXPECT_EQ(std::vector<BYTE>(frame.begin() + 14 + 290, frame.begin() + 14 + 296), std::vector<BYTE>(6, 0));
}

// ---- Arguments that name nothing build nothing -------------------------------

TEST_F(FrameBuilderTest, ArgumentsOutsideTheImageBuildNoFrame)
{
    const std::function<std::unique_ptr<CSendData>()> builds[] = {
        [] { return BuildParameterFrame(5, 0, 0); },   [] { return BuildParameterFrame(1, 1, 0); },
        [] { return BuildParameterFrame(1, 0, 14); },  [] { return BuildParameterFrame(2, 0, 19); },
        [] { return BuildParameterFrame(3, 4, 0); },   [] { return BuildParameterFrame(3, 0, 36); },
        [] { return BuildParameterFrame(4, 12, 0); },  [] { return BuildParameterFrame(4, 0, 37); },
        [] { return BuildParameterFrame(4, -1, 0); },  [] { return BuildParameterFrame(4, 0, -1); },
        [] { return BuildBlockFrame(0, 5, 0, true, false); },
        [] { return BuildBlockFrame(0, 4, 12, true, false); },
        [] { return BuildBlockFrame(7, 4, 0, false, true); },
        [] { return BuildBlockFrame(0, 4, 0, false, true); },
        [] { return BuildBlockFrame(3, 4, 0, false, false); },
        [] { return BuildSystemCommandFrame(1, 0); },  [] { return BuildSystemCommandFrame(3, 0); },
        [] { return BuildSystemCommandFrame(0, 7); },  [] { return BuildSystemCommandFrame(0, -1); },
    };
    int index = 0;
    for (const auto& build : builds) {
        SCOPED_TRACE(index++);
        EXPECT_FALSE(build());
    }
}

// ---- Header writer and FinishFrame on a caller's buffer ------------------------

TEST_F(FrameBuilderTest, CallersBufferFinishesLikeABuiltFrame)
{
    PutRecord(OutputBlockOffset(2) + 5 * 8, "10 27 58 02 34 00 00 00");
    LinkOutputs(2, 5);
    BYTE buffer[24];
    std::memset(buffer, 0xEE, sizeof buffer);
    WriteFrameHeader(buffer, {FRAME_CLASS_WRITE, 0, 4, 2, 5, 1}, 8);
    std::memcpy(buffer + 14, g_CurrentImage.bytes + OutputBlockOffset(2) + 40, 8);
    ASSERT_TRUE(FinishFrame(buffer, sizeof buffer));
    EXPECT_EQ(std::vector<BYTE>(buffer, buffer + 24), Built(BuildParameterFrame(4, 2, 5)));

    // A length that does not match the header is refused and writes nothing.
    BYTE copy[24];
    std::memcpy(copy, buffer, sizeof copy);
    copy[22] = 0x5A;
    EXPECT_FALSE(FinishFrame(copy, 23));
    EXPECT_FALSE(FinishFrame(copy, 25));
    EXPECT_EQ(copy[22], 0x5A);
    EXPECT_FALSE(FinishFrame(nullptr, 24));
    EXPECT_FALSE(BuildFrame({}, nullptr, FRAME_MAX_PAYLOAD + 1));
    EXPECT_FALSE(BuildFrame({}, nullptr, -1));
}

TEST_F(FrameBuilderTest, TheLastBuiltFrameIsNamedAndTheDeviceAddressIsItsLowByte)
{
    g_nDeviceAddress = 0x1203;
    auto first = BuildSystemRequestFrame(4, 0);
    EXPECT_EQ(g_pSendData.load(), first.get());
    EXPECT_EQ(first->GetData()[5], 0x03);
    auto second = BuildParameterFrame(7, 0, 0);
    EXPECT_EQ(g_pSendData.load(), second.get());
    EXPECT_EQ(BuildParameterFrame(9, 0, 0), nullptr);
    EXPECT_EQ(g_pSendData.load(), second.get());
}

}  // namespace
