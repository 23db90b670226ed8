// The effect block: its region bytes, loading them back, the texts and the
// archive.
#include <gtest/gtest.h>

#include "model/Effect_Data.h"
#include "model/Filter.h"
#include "platform/core/Archive.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

class EffectDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        std::memset(&g_CurrentImage, 0, sizeof g_CurrentImage);
    }
    BYTE* Region() { return g_CurrentImage.bytes + EFFECT_OFFSET; }
};

TEST_F(EffectDataTest, NewBlockWritesItsRegionIntoAZeroedImage)
{
    CEffect_Data effect;
    effect.StoreToImage();
    const std::vector<BYTE> expected = Hex(
        // tone bands at 100, 1000 and 10000 Hz: flat, 0.65 octave, slope 2
        "64 00 58 02 3C 00 02 00  E8 03 58 02 3C 00 02 00  10 27 58 02 3C 00 02 00");
    EXPECT_EQ(ImageBytes(EFFECT_OFFSET, 24), expected);
    EXPECT_EQ(ImageBytes(EFFECT_OFFSET + 24, 96), std::vector<BYTE>(96, 0));
    EXPECT_EQ(ImageBytes(EFFECT_OFFSET + 120, 8), Hex("14 00 02 02 20 4E 02 02"));
    EXPECT_EQ(ImageBytes(EFFECT_OFFSET + 128, 16), Hex("14 54 32 44 00 00 00 00 12 32 00 28 32 00 00 00"));
    EXPECT_EQ(ImageBytes(EFFECT_OFFSET + 144, 8), FixedText("Effect", 8));
}

TEST_F(EffectDataTest, StoreLeavesTheBytesItDoesNotOwn)
{
    for (int offset : {24, 119, 132, 133, 135, 141, 142})
        Region()[offset] = 0xEE;
    CEffect_Data effect;
    effect.StoreToImage();
    for (int offset : {24, 119, 132, 133, 135, 141, 142})
        EXPECT_EQ(Region()[offset], 0xEE) << offset;
}

TEST_F(EffectDataTest, RegionLoadsBackUnmarked)
{
    CEffect_Data source;
    source.SetParam(128, 150);
    source.SetParam(143, 7);
    source.SetName(QStringLiteral("Hall"));
    source.GetBand(1)->SetGainIndex(260);
    source.GetLowPass()->SetFrequency(8000, false);
    source.StoreToImage();

    g_bDeviceSynced = true;
    CEffect_Data loaded;
    loaded.LoadFromImage(Region());
    EXPECT_EQ(loaded.GetName(), QStringLiteral("Hall"));
    EXPECT_EQ(loaded.GetParam(128), 150);
    EXPECT_EQ(loaded.GetParam(143), 7);
    EXPECT_EQ(loaded.GetBand(1)->GetGainIndex(), 260);
    EXPECT_EQ(loaded.GetLowPass()->GetFrequency(), 8000);
    for (int i = 0; i < loaded.GetBandCount(); ++i)
        EXPECT_FALSE(loaded.GetBand(i)->IsChanged()) << i;
    EXPECT_FALSE(loaded.IsNameChanged());
    EXPECT_FALSE(loaded.IsGroup1Changed());
}

TEST_F(EffectDataTest, NameOfEightCharactersIsNotStored)
{
    std::memcpy(Region() + 144, "Old\0\0\0\0\0", 8);
    CEffect_Data effect;
    effect.SetName(QStringLiteral("Cathedra"));
    CMessageBoxSpy spy;
    effect.StoreToImage();
    EXPECT_EQ(spy.shown.size(), 1u);
    EXPECT_EQ(ImageBytes(EFFECT_OFFSET + 144, 8), FixedText("Old", 8));
}

TEST_F(EffectDataTest, ParameterSettersMarkTheirGroup)
{
    CEffect_Data effect;
    g_bDeviceSynced = true;
    effect.SetParam(134, 1);
    EXPECT_TRUE(effect.IsGroup1Changed());
    EXPECT_FALSE(effect.IsGroup2Changed());
    effect.SetParam(136, 1);
    EXPECT_TRUE(effect.IsGroup2Changed());
    effect.SetParam(132, 5);  // holds no parameter
    EXPECT_EQ(effect.GetParam(132), -1);
    effect.SetAllChanged(false);
    EXPECT_FALSE(effect.IsGroup1Changed() || effect.IsGroup2Changed() || effect.IsNameChanged());
}

TEST_F(EffectDataTest, Texts)
{
    CEffect_Data effect;
    struct Row {
        int value;
        const char* text;
    } byte128[] = {{20, "R_80%"}, {99, "R_1%"}, {100, "OFF"}, {150, "L_50%"}, {195, "L_95%"}, {196, ""}};
    for (const Row& row : byte128) {
        effect.SetParam(128, row.value);
        EXPECT_EQ(effect.FormatByte128(), QString::fromLatin1(row.text)) << row.value;
    }
    EXPECT_EQ(effect.FormatByte129(), QStringLiteral("168ms"));
    EXPECT_EQ(effect.FormatByte130(), QStringLiteral("50%"));
    EXPECT_EQ(effect.FormatByte134(), QStringLiteral("0"));
    EXPECT_EQ(effect.FormatByte136(), QStringLiteral("1.8s"));
    EXPECT_EQ(effect.FormatByte139(), QStringLiteral("40%"));
    EXPECT_EQ(effect.FormatByte143(), QStringLiteral("0ms"));
}

TEST_F(EffectDataTest, ArchiveRestoresAllButParameter140)
{
    CEffect_Data source;
    source.SetName(QStringLiteral("Room"));
    for (int k = 0; k < EFFECT_PARAM_COUNT; ++k)
        source.SetParam(CEffect_Data::kParamBytes[k], 200 + k);
    source.GetBand(2)->SetGainIndex(150);
    QByteArray bytes;
    CArchive out(&bytes);
    source.Serialize(out);
    EXPECT_EQ(bytes.size(), 1 + 4 + 11 * 4 + 5 * FILTER_ARCHIVE_SIZE);

    CEffect_Data loaded;
    CArchive in(bytes);
    loaded.Serialize(in);
    ASSERT_FALSE(in.HasError());
    EXPECT_EQ(loaded.GetName(), QStringLiteral("Room"));
    for (int k = 0; k < EFFECT_PARAM_COUNT; ++k) {
        const int regionByte = CEffect_Data::kParamBytes[k];
        EXPECT_EQ(loaded.GetParam(regionByte), regionByte == 140 ? 50 : 200 + k) << regionByte;
    }
    EXPECT_EQ(loaded.GetBand(2)->GetGainIndex(), 150);
}

TEST_F(EffectDataTest, SendersWriteTheirBytesAndNameTheirRecords)
{
    CEffect_Data effect;
    effect.SetParam(129, 77);
    auto frame = effect.SendParamGroup1();
    EXPECT_EQ(HeadOf(*frame), (FrameHead{FRAME_CLASS_WRITE, 0, BLOCK_EFFECT, 0, 9, 0}));
    EXPECT_EQ(Region()[129], 77);
    EXPECT_EQ(Region()[136], 0);  // the other group stays
    frame = effect.SendName();
    EXPECT_EQ(HeadOf(*frame).record, 11);
    EXPECT_EQ(ImageBytes(EFFECT_OFFSET + 144, 8), FixedText("Effect", 8));
    frame = effect.BuildBlock(0);
    EXPECT_EQ(frame->GetLength(), EFFECT_FRAME_SIZE + 16);
    EXPECT_EQ(PayloadOf(*frame), ImageBytes(EFFECT_OFFSET, EFFECT_FRAME_SIZE));
}

}  // namespace
