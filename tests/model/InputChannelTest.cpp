// The mic and the music channels: their records and frames, loading and
// packing their blocks, the flags and the texts.
#include <gtest/gtest.h>

#include "model/Filter.h"
#include "platform/core/Archive.h"
#include "platform/core/Language.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

class InputChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        m_pSet = std::make_unique<CKTV_Data>();
    }
    void TearDown() override { g_bChinese = false; }

    CMIC_InData& Mic() { return *m_pSet->GetMic(0); }
    CMusic_InData& Music(int i) { return *m_pSet->GetMusic(i); }
    BYTE* MicBlock() { return g_CurrentImage.bytes + MIC_OFFSET; }
    BYTE* MusicBlock(int i) { return g_CurrentImage.bytes + MusicBlockOffset(i); }

    std::unique_ptr<CKTV_Data> m_pSet;
};

TEST_F(InputChannelTest, FreshMicRecordsGoOutAsExactFrames)
{
    struct Case {
        std::function<std::unique_ptr<CSendData>()> store;
        const char* frame;
    } cases[] = {
        {[&] { return Mic().StoreBasicRecord(true); },
         "82 82 82 EE A1 01 00 01 00 09 00 00 08 00 00 00 01 01 00 00 90 01 31 AA"},
        {[&] { return Mic().StoreCrossoverRecord(true); },
         "82 82 82 EE A1 01 00 01 00 0A 00 00 08 00 14 00 02 00 20 4E 02 00 D9 AA"},
        {[&] { return Mic().StoreItem12Record(true); },
         "82 82 82 EE A1 01 00 01 00 0C 00 00 08 00 F4 01 00 00 00 00 00 00 50 AA"},
        {[&] { return Mic().StoreNameRecord(true); },
         "82 82 82 EE A1 01 00 01 00 0D 00 00 08 00 4D 69 63 20 31 00 00 00 F2 AA"},
    };
    for (const Case& c : cases) {
        auto frame = c.store();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(BytesOf(*frame), Hex(c.frame)) << c.frame;
    }
}

TEST_F(InputChannelTest, MicWritersLeaveTheBytesTheyDoNotOwn)
{
    std::memset(MicBlock() + 88, 0xEE, 16);  // records 11 and 12
    Mic().SetItem12ByteA(3);
    Mic().SetItem12ByteB(7);
    Mic().StoreItem12Record(false);
    Mic().StoreNoiseGateRecord(false);
    EXPECT_EQ(ImageBytes(MIC_OFFSET + 88, 16), Hex("28 EE EE EE EE EE EE EE F4 01 03 07 EE EE EE EE"));
    Mic().SetGainZero(true);
    Mic().StoreBasicRecord(false);
    EXPECT_EQ(GetWord(MicBlock() + 78), 0);
}

TEST_F(InputChannelTest, MicBlockLoadsAndPacksBackAsItWas)
{
    std::vector<BYTE> block(MIC_BLOCK_SIZE);
    for (int k = 0; k < MIC_BLOCK_SIZE; ++k)
        block[size_t(k)] = BYTE(k * 37 + 11);
    // Sane bands and crossover, so that nothing but the bytes is tested.
    for (int band = 0; band < 9; ++band)
        WriteBandRecord(&block[size_t(8 * band)], 100 + 50 * band, 500 + band, 30 + band, 0, 0);
    std::memcpy(&block[80], Hex("50 00 01 03 10 27 02 05").data(), 8);
    std::memcpy(&block[104], "Vox\0junk", 8);
    g_bDeviceSynced = true;
    Mic().LoadFromDevice(block.data());
    EXPECT_FALSE(Mic().GetHighPass()->IsChanged());
    EXPECT_FALSE(Mic().GetLowPass()->IsChanged());
    EXPECT_FALSE(Mic().IsBasicDirty());
    EXPECT_EQ(Mic().GetNameText(), QStringLiteral("Vox"));

    std::memcpy(MicBlock(), block.data(), MIC_BLOCK_SIZE);
    Mic().StoreToRaw();
    std::vector<BYTE> expected = block;
    std::memset(&expected[108], 0, 4);  // after the name's end
    EXPECT_EQ(ImageBytes(MIC_OFFSET, MIC_BLOCK_SIZE), expected);
}

TEST_F(InputChannelTest, MicNameOfEightCharactersStaysButIsNotStored)
{
    Mic().SetName(QStringLiteral("Vocalist"));
    EXPECT_EQ(Mic().GetNameText(), QStringLiteral("Vocalist"));
    std::memcpy(MicBlock() + 104, "old\0\0\0\0\0", 8);
    CMessageBoxSpy spy;
    auto frame = Mic().StoreNameRecord(true);
    ASSERT_EQ(spy.shown.size(), 1u);
    EXPECT_EQ(spy.shown[0].text, QStringLiteral("Char len error!"));
    EXPECT_EQ(ImageBytes(MIC_OFFSET + 104, 8), FixedText("old", 8));
    EXPECT_EQ(PayloadOf(*frame), FixedText("old", 8));
}

TEST_F(InputChannelTest, MusicBasicRecordLeavesByte248)
{
    MusicBlock(0)[248] = 0xAB;
    auto frame = Music(0).StoreBasicRecord(true);
    EXPECT_EQ(BytesOf(*frame), Hex("82 82 82 EE A1 01 00 03 00 1F 00 00 08 00 AB 00 01 01 00 00 C2 01 DC AA"));
}

TEST_F(InputChannelTest, MusicGainZeroAndEqMode)
{
    g_bDeviceSynced = true;
    Music(2).SetGain(0);
    EXPECT_EQ(Music(2).GetGain(), 0);
    Music(2).StoreBasicRecord(false);
    EXPECT_EQ(GetWord(MusicBlock(2) + 254), 0);
    Music(2).SetGain(450);
    Music(2).StoreBasicRecord(false);
    EXPECT_EQ(GetWord(MusicBlock(2) + 254), 450);

    Music(2).SetBasicDirty(false);
    Music(2).SetEqMode(0);
    EXPECT_TRUE(Music(2).IsBasicDirty());
    for (int i = 0; i < MUSIC_PEQ_BANDS; ++i)
        EXPECT_FALSE(Music(2).GetBand(i)->GetGainOnlyCaption()) << i;
}

TEST_F(InputChannelTest, MusicLoadKeepsTheNameAndStoreWritesIt)
{
    std::memcpy(MusicBlock(1) + 280, "Other\0\0\0", 8);
    Music(1).LoadFromRaw(MusicBlock(1));
    EXPECT_EQ(Music(1).GetName(), QStringLiteral("Music 2"));
    Music(1).StoreToRaw();
    EXPECT_EQ(ImageBytes(MusicBlockOffset(1) + 280, 8), FixedText("Music 2", 8));
}

TEST_F(InputChannelTest, BandCountsAndBypass)
{
    EXPECT_EQ(Mic().GetBandCount(), 11);
    EXPECT_EQ(Music(0).GetBandCount(), 31);
    EXPECT_EQ(Music(0).GetBand(32), Music(0).GetLowPass());
    EXPECT_EQ(Music(0).GetBand(33), nullptr);

    // The music channel's all-bypass leaves its crossover filters out.
    Music(0).GetHighPass()->SetGainIndex(300);
    EXPECT_TRUE(Music(0).IsAllBypass());
    Music(0).GetBand(5)->SetGainIndex(300);
    EXPECT_FALSE(Music(0).IsAllBypass());
    Music(0).SetAllBandsBypass(true);
    EXPECT_TRUE(Music(0).IsAllBypass());
    EXPECT_FALSE(Music(0).GetHighPass()->IsBypassedOrFlat());
}

TEST_F(InputChannelTest, ArchivesRoundTrip)
{
    Mic().SetLevel(3);
    Mic().SetGain(0);
    Mic().SetItem12Word(WORD(-20));
    Music(3).SetNoiseGate(12);
    Music(3).SetItem34ByteB(9);
    Music(3).GetBand(30)->SetGainIndex(111);
    QByteArray bytes;
    CArchive out(&bytes);
    Mic().Serialize(out);
    Music(3).Serialize(out);

    CKTV_Data other;
    CArchive in(bytes);
    other.GetMic(0)->Serialize(in);
    other.GetMusic(3)->Serialize(in);
    ASSERT_FALSE(in.HasError());
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_EQ(other.GetMic(0)->GetLevel(), 3);
    EXPECT_TRUE(other.GetMic(0)->GetGainZero());
    EXPECT_EQ(other.GetMic(0)->GetItem12Word(), -20);
    EXPECT_EQ(other.GetMic(0)->GetNameText(), QStringLiteral("Mic 1"));
    EXPECT_EQ(other.GetMusic(3)->GetNoiseGate(), 12);
    EXPECT_EQ(other.GetMusic(3)->GetItem34ByteB(), 9);
    EXPECT_EQ(other.GetMusic(3)->GetBand(30)->GetGainIndex(), 111);
}

TEST_F(InputChannelTest, Texts)
{
    EXPECT_EQ(Mic().FormatLevel(), QStringLiteral(" OFF "));
    Mic().SetLevel(4);
    EXPECT_EQ(Mic().FormatLevel(), QStringLiteral(" 4Level"));
    EXPECT_EQ(Mic().FormatNoiseGate(), QStringLiteral("-80.0dBu"));
    EXPECT_EQ(Mic().FormatGain(), QStringLiteral("320dB"));
    EXPECT_EQ(Mic().FormatItem12Word(), QStringLiteral("20.0"));
    EXPECT_EQ(Music(0).FormatGain(), QStringLiteral("370dB"));
    Music(0).SetNoiseGate(0);
    EXPECT_EQ(Music(0).FormatNoiseGate(), QStringLiteral("OFF"));
    Music(0).SetDelay(105);
    EXPECT_EQ(Music(0).FormatDelay(), QStringLiteral("15.0ms"));
    g_bChinese = true;
    Mic().SetLevel(0);
    EXPECT_EQ(Mic().FormatLevel(), QString::fromUtf8(" 关 "));
    Mic().SetLevel(2);
    EXPECT_EQ(Mic().FormatLevel(), QString::fromUtf8(" 2级"));
    EXPECT_EQ(Music(1).FormatPolarity(), QString::fromUtf8("正相"));
}

}  // namespace
