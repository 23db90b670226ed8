// The output channel: its records and frames, the setters with their
// marking and link rules, the speaker-position crossover defaults, the name
// under the data lock, the archive and the texts.
#include <gtest/gtest.h>

#include <functional>

#include "model/DefaultOutputBlocks.h"
#include "model/Filter.h"
#include "platform/core/Archive.h"
#include "platform/core/Language.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

class OutputChannelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        m_pSet = std::make_unique<CKTV_Data>();
    }
    void TearDown() override { g_bChinese = false; }

    CKTV_OutData& Out(int i) { return *m_pSet->GetOutput(i); }
    BYTE* Block(int i) { return g_CurrentImage.bytes + OutputBlockOffset(i); }

    std::unique_ptr<CKTV_Data> m_pSet;
};

TEST_F(OutputChannelTest, FreshOutputZeroRecordsGoOutAsExactFrames)
{
    // Output 0 sits at position 6 (front left full): 70 Hz to 20 kHz,
    // Bessel, 12 dB/Oct; gain 0 dB, every mix level 100, limiter 12 dBu.
    struct Case {
        std::function<std::unique_ptr<CSendData>()> store;
        const char* frame;
    } cases[] = {
        {[&] { return Out(0).StoreBasicRecord(true); },
         "82 82 82 EE A1 01 00 04 00 1F 00 00 08 00 01 00 58 02 00 00 00 06 EE AA"},
        {[&] { return Out(0).StoreCrossoverRecord(true); },
         "82 82 82 EE A1 01 00 04 00 20 00 00 08 00 46 00 02 01 20 4E 02 01 A4 AA"},
        {[&] { return Out(0).StoreMixLowRecord(true); },
         "82 82 82 EE A1 01 00 04 00 21 00 00 08 00 64 64 64 64 64 64 64 64 8D AA"},
        {[&] { return Out(0).StoreLimiterRecord(true); },
         "82 82 82 EE A1 01 00 04 00 23 00 00 08 00 A4 01 14 00 14 00 00 00 2A AA"},
    };
    for (const Case& c : cases) {
        auto frame = c.store();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(BytesOf(*frame), Hex(c.frame)) << c.frame;
        // The record went into the live image first.
        const std::vector<BYTE> payload = PayloadOf(*frame);
        const int record = frame->GetData()[FRAME_RECORD_BYTE];
        EXPECT_EQ(ImageBytes(OutputBlockOffset(0) + 8 * record, 8), payload);
    }
    EXPECT_EQ(Out(0).StoreBasicRecord(false), nullptr);
}

TEST_F(OutputChannelTest, WritersTouchOnlyTheirBytes)
{
    std::memset(Block(4) + 280, 0xEE, 16);  // records 35 and 36
    Out(4).StoreLimiterRecord(false);
    EXPECT_EQ(Block(4)[286], 0xEE);
    EXPECT_EQ(Block(4)[287], 0xEE);
    // The name record goes out as the image holds it, whatever the name.
    Out(4).SetName(QStringLiteral("Other"));
    auto frame = Out(4).SendName();
    EXPECT_EQ(PayloadOf(*frame), std::vector<BYTE>(8, 0xEE));
    Out(4).StoreToRaw();
    EXPECT_EQ(ImageBytes(OutputBlockOffset(4) + 288, 8), std::vector<BYTE>(8, 0xEE));
    // With the gain-zero flag the basic record carries gain 0.
    Out(4).SetGainZero(true);
    Out(4).StoreBasicRecord(false);
    EXPECT_EQ(GetWord(Block(4) + 250), 0);
}

// ---- Setters -----------------------------------------------------------------

constexpr unsigned NAME = 1, DYNAMICS = 2, BASIC = 4, LIMITER = 8, MIX_HIGH = 16, MIX_LOW = 32, CROSSOVER = 64;

unsigned FlagsOf(const CKTV_OutData& o)
{
    return (o.IsNameDirty() ? NAME : 0) | (o.IsDynamicsDirty() ? DYNAMICS : 0) | (o.IsBasicDirty() ? BASIC : 0) |
           (o.IsLimiterDirty() ? LIMITER : 0) | (o.IsMixHighDirty() ? MIX_HIGH : 0) |
           (o.IsMixLowDirty() ? MIX_LOW : 0) |
           (o.GetHighPass()->IsChanged() || o.GetLowPass()->IsChanged() ? CROSSOVER : 0);
}

// What a link copy may change on another output.
struct LinkedValues {
    short gain;
    BYTE eqMode, inL, inR, percent5;
    short threshold;
    bool operator==(const LinkedValues& o) const
    {
        return gain == o.gain && eqMode == o.eqMode && inL == o.inL && inR == o.inR && percent5 == o.percent5 &&
               threshold == o.threshold;
    }
};
LinkedValues ValuesOf(const CKTV_OutData& o)
{
    return {o.GetGain(), o.GetEqMode(), o.GetInL(), o.GetInR(), o.GetPercent5(), o.GetLimitThreshold()};
}

TEST(OutputSetters, MarkTheirRecordAndCopyToTheLinkGroupOneLevelDeep)
{
    struct Row {
        const char* what;
        std::function<void(CKTV_OutData&)> edit;
        bool synced;
        unsigned flags;
        bool linkedChange;
    } rows[] = {
        {"SetGain", [](CKTV_OutData& o) { o.SetGain(300); }, true, BASIC, true},
        {"SetGain unsynced", [](CKTV_OutData& o) { o.SetGain(300); }, false, 0, true},
        {"SetEqMode", [](CKTV_OutData& o) { o.SetEqMode(1); }, true, BASIC, true},
        {"SetGainZero", [](CKTV_OutData& o) { o.SetGainZero(true); }, true, BASIC, false},
        {"SetDelay", [](CKTV_OutData& o) { o.SetDelay(48); }, true, BASIC, false},
        {"SetOn", [](CKTV_OutData& o) { o.SetOn(0); }, true, BASIC, false},
        {"SetPolarity", [](CKTV_OutData& o) { o.SetPolarity(1); }, true, BASIC, false},
        {"SetSpeakerPosition", [](CKTV_OutData& o) { o.SetSpeakerPosition(22); }, true, CROSSOVER, false},
        {"SetSpeakerPositionOnly", [](CKTV_OutData& o) { o.SetSpeakerPositionOnly(13); }, true, 0, false},
        {"SetSpeakerPositionDirty unsynced", [](CKTV_OutData& o) { o.SetSpeakerPositionDirty(3); }, false, BASIC,
         false},
        {"SetLimitThreshold", [](CKTV_OutData& o) { o.SetLimitThreshold(300); }, true, LIMITER, false},
        {"SetLimitThreshold same", [](CKTV_OutData& o) { o.SetLimitThreshold(420); }, true, 0, false},
        {"SetAttack", [](CKTV_OutData& o) { o.SetAttack(5); }, true, LIMITER, false},
        {"SetAttack same", [](CKTV_OutData& o) { o.SetAttack(20); }, true, 0, false},
        {"SetRelease", [](CKTV_OutData& o) { o.SetRelease(3); }, true, LIMITER, false},
        {"SetMixLevel 1", [](CKTV_OutData& o) { o.SetMixLevel(1, 50); }, true, MIX_LOW, false},
        {"SetMixLevel 8", [](CKTV_OutData& o) { o.SetMixLevel(8, 0); }, true, MIX_LOW, false},
        {"SetMixLevel 9", [](CKTV_OutData& o) { o.SetMixLevel(9, 50); }, true, MIX_HIGH, false},
        {"SetMixLevel 16 same", [](CKTV_OutData& o) { o.SetMixLevel(16, 100); }, true, 0, false},
        {"SetMixLevel 17 ignored", [](CKTV_OutData& o) { o.SetMixLevel(17, 5); }, true, 0, false},
        {"SetInLOff", [](CKTV_OutData& o) { o.SetInLOff(true); }, true, DYNAMICS, false},
        {"SetInL", [](CKTV_OutData& o) { o.SetInL(7); }, true, DYNAMICS, true},
        {"SetPercent3", [](CKTV_OutData& o) { o.SetPercent3(0); }, true, DYNAMICS, true},
        {"SetPercent5", [](CKTV_OutData& o) { o.SetPercent5(9); }, true, DYNAMICS, true},
        {"SetBalance", [](CKTV_OutData& o) { o.SetBalance(20); }, true, DYNAMICS, false},
        {"SetName", [](CKTV_OutData& o) { o.SetName(QStringLiteral("Sub")); }, true, NAME, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ResetParameterSetState();
        CKTV_Data set;
        // Outputs 2, 5 and 7 form one link group.
        g_nLinkGroup[5] = g_nLinkGroup[7] = 2;
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            set.GetOutput(i)->SetNameDirty(false);
        const LinkedValues before[3] = {ValuesOf(*set.GetOutput(5)), ValuesOf(*set.GetOutput(7)),
                                        ValuesOf(*set.GetOutput(3))};

        g_bDeviceSynced = row.synced;
        row.edit(*set.GetOutput(2));

        EXPECT_EQ(FlagsOf(*set.GetOutput(2)), row.flags);
        for (int k : {0, 1}) {
            const CKTV_OutData& linked = *set.GetOutput(k == 0 ? 5 : 7);
            EXPECT_EQ(!(ValuesOf(linked) == before[k]), row.linkedChange) << "output " << linked.GetIndex();
            const unsigned linkedFlags = row.linkedChange && row.synced ? FlagsOf(*set.GetOutput(2)) : 0;
            EXPECT_EQ(FlagsOf(linked), linkedFlags) << "output " << linked.GetIndex();
        }
        EXPECT_EQ(ValuesOf(*set.GetOutput(3)), before[2]);
        EXPECT_EQ(FlagsOf(*set.GetOutput(3)), 0u);
    }
}

TEST_F(OutputChannelTest, GainZeroFlagFollowsTheGain)
{
    Out(1).SetGain(0);
    EXPECT_TRUE(Out(1).GetGainZero());
    EXPECT_EQ(Out(1).GetGain(), 0);
    EXPECT_EQ(Out(1).FormatGain(), QStringLiteral("-60.0dB"));
    Out(1).SetGain(600);
    EXPECT_FALSE(Out(1).GetGainZero());
    EXPECT_EQ(Out(1).GetGain(), 600);
}

TEST_F(OutputChannelTest, UnchangedValueKeepsAPendingFlagAndAnUnsyncedEditClearsIt)
{
    g_bDeviceSynced = true;
    Out(3).SetLimitThreshold(100);
    Out(3).SetMixLevel(2, 1);
    g_bDeviceSynced = false;
    Out(3).SetLimitThreshold(100);  // same value: nothing happens
    Out(3).SetMixLevel(2, 1);
    EXPECT_TRUE(Out(3).IsLimiterDirty());
    EXPECT_TRUE(Out(3).IsMixLowDirty());
    Out(3).SetAttack(1);  // another value while unsynced clears the pending flag
    EXPECT_FALSE(Out(3).IsLimiterDirty());
}

TEST_F(OutputChannelTest, EqModeMakesOnlyTheParametricBandsGainOnly)
{
    Out(0).SetEqMode(1);
    for (int i = 0; i < OUTPUT_PEQ_BANDS; ++i)
        EXPECT_TRUE(Out(0).GetBand(i)->GetGainOnlyCaption()) << i;
    EXPECT_FALSE(Out(0).GetHighPass()->GetGainOnlyCaption());
    EXPECT_FALSE(Out(0).GetLowPass()->GetGainOnlyCaption());
}

TEST_F(OutputChannelTest, SetIndexChoosesTheDynamicsSource)
{
    // The route already set every index.
    EXPECT_EQ(Out(2).GetInL(), 1);
    EXPECT_FALSE(Out(2).GetInLOff());
    EXPECT_EQ(Out(2).GetInR(), 50);
    EXPECT_EQ(Out(3).GetInR(), 1);
    EXPECT_FALSE(Out(3).GetInROff());
    EXPECT_EQ(Out(7).GetInL(), 50);
    EXPECT_EQ(Out(7).GetInR(), 50);
    EXPECT_TRUE(Out(7).GetInLOff());
    EXPECT_TRUE(Out(7).GetInROff());
    Out(7).SetIndex(12);  // no such output
    EXPECT_EQ(Out(7).GetIndex(), 7);
}

TEST_F(OutputChannelTest, SetAllDirtyLeavesTheNameFlag)
{
    Out(6).SetNameDirty(true);
    Out(6).SetAllDirty(true);
    EXPECT_EQ(FlagsOf(Out(6)), unsigned(NAME | DYNAMICS | BASIC | LIMITER | MIX_HIGH | MIX_LOW | CROSSOVER));
    Out(6).SetAllDirty(false);
    EXPECT_EQ(FlagsOf(Out(6)), unsigned(NAME));
}

// ---- Speaker positions ---------------------------------------------------------

TEST_F(OutputChannelTest, SpeakerPositionAppliesItsCrossoverDefaults)
{
    struct Row {
        int code;
        int highPass;
        int lowPass;
        int dragKind;
    } rows[] = {
        {0, 20, 20000, 12},   {1, 3400, 20000, 11}, {2, 600, 1900, 12},   {3, 70, 320, 12},
        {4, 600, 20000, 12},  {5, 70, 1900, 12},    {6, 70, 20000, 12},   {7, 3400, 20000, 11},
        {8, 600, 1900, 12},   {9, 70, 320, 12},     {10, 600, 20000, 12}, {11, 70, 1900, 12},
        {12, 70, 20000, 12},  {13, 3400, 20000, 11}, {14, 70, 320, 12},   {15, 70, 20000, 12},
        {16, 3400, 20000, 11}, {17, 70, 320, 12},   {18, 70, 20000, 12},  {19, 3400, 20000, 11},
        {20, 70, 320, 12},    {21, 70, 20000, 12},  {22, 30, 50, 12},     {23, 30, 50, 12},
        {24, 30, 50, 12},     {25, 20, 20000, 12},  {255, 20, 20000, 12},  // no position
    };
    g_bDeviceSynced = true;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        CKTV_OutData& out = Out(8);
        out.SetAllDirty(false);
        out.SetSpeakerPosition(BYTE(row.code));
        EXPECT_EQ(out.GetSpeakerPosition(), row.code);
        for (const CFilter* f : {out.GetHighPass(), out.GetLowPass()}) {
            EXPECT_EQ(f->GetFamily(), FAMILY_BESSEL);
            EXPECT_EQ(f->GetSlope(), 1);
            EXPECT_TRUE(f->IsChanged());
        }
        EXPECT_EQ(out.GetHighPass()->GetFrequency(), row.highPass);
        EXPECT_EQ(out.GetLowPass()->GetFrequency(), row.lowPass);
        EXPECT_EQ(out.GetHighPass()->GetDragLimitKind(), row.dragKind);
        EXPECT_FALSE(out.IsBasicDirty());
    }
}

TEST_F(OutputChannelTest, PositionOnlyChangesTheDragRule)
{
    Out(9).SetSpeakerPosition(22);
    Out(9).SetSpeakerPositionOnly(13);
    EXPECT_EQ(Out(9).GetSpeakerPosition(), 13);
    EXPECT_EQ(Out(9).GetHighPass()->GetDragLimitKind(), DRAG_LIMIT_KIND11);
    EXPECT_EQ(Out(9).GetHighPass()->GetFrequency(), 30);
    EXPECT_EQ(Out(9).GetLowPass()->GetFrequency(), 50);
    Out(9).SetSpeakerPositionOnly(2);
    EXPECT_EQ(Out(9).GetHighPass()->GetDragLimitKind(), DRAG_LIMIT_OUTPUT);
}

TEST_F(OutputChannelTest, CrossoverMoveGoesOutOneOctaveStepPerRecord)
{
    g_bDeviceSynced = true;
    Out(1).GetHighPass()->SetFrequency(1000, true);  // from 70 Hz
    std::vector<int> sent;
    while (Out(1).IsCrossoverChanged()) {
        Out(1).StoreCrossoverRecord(false);
        sent.push_back(GetWord(Block(1) + 256));
        ASSERT_LT(sent.size(), 20u);
    }
    EXPECT_EQ(sent, (std::vector<int>{140, 280, 560, 1000, 1000}));
}

// ---- The name and the data lock ---------------------------------------------------

TEST_F(OutputChannelTest, NameNeverShowsTheLockBytes)
{
    struct Row {
        int output;
        const char* record;  // the 8 bytes of record 36
        const char* name;
    } rows[] = {
        {0, "!!123456", ""},          // locked: flag, mark, password
        {0, "  123456", ""},          // unlocked, password left behind
        {5, " !     ", ""},           // another output's lock mark
        {5, "A Sub\0\0", "A Sub"},
        {5, "A!Sub\0\0", "A Sub"},  // the mark is no letter of the name
        {3, "\0       ", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.record);
        std::memcpy(Block(row.output) + 288, row.record, 8);
        const std::vector<BYTE> image = ImageBytes(0, IMAGE_SIZE);
        m_pSet->LoadFromRaw(g_CurrentImage.bytes, -1);
        EXPECT_EQ(Out(row.output).GetName(), QString::fromLatin1(row.name));
        EXPECT_EQ(ImageBytes(0, IMAGE_SIZE), image);
    }
}

TEST_F(OutputChannelTest, FactoryBlockLoadsWithAnEmptyNameAndNoFlag)
{
    g_bDeviceSynced = true;
    Out(2).LoadFromRaw(g_DefaultOutputBlocks[2].data());
    EXPECT_EQ(Out(2).GetName(), QString());
    EXPECT_EQ(FlagsOf(Out(2)), 0u);
    for (int i = 0; i < Out(2).GetBandCount(); ++i)
        EXPECT_FALSE(Out(2).GetBand(i)->IsChanged()) << i;
    EXPECT_EQ(Out(2).GetSpeakerPosition(), 7);
    EXPECT_EQ(Out(2).GetLimitThreshold(), 420);
    EXPECT_EQ(Out(2).GetBand(4)->GetFrequency(), 50);
}

TEST_F(OutputChannelTest, StoreToRawKeepsTheLockFieldOfRecord36)
{
    std::memcpy(Block(0) + 288, "!!654321", 8);
    Block(7)[289] = '!';
    m_pSet->StoreToRaw();
    EXPECT_EQ(ImageBytes(OutputBlockOffset(0) + 288, 8), FixedText("!!654321", 8));
    EXPECT_EQ(Block(7)[289], '!');
}

// ---- Archive -----------------------------------------------------------------------

QByteArray Archived(CKTV_OutData& out)
{
    QByteArray bytes;
    CArchive ar(&bytes);
    out.Serialize(ar);
    return bytes;
}

TEST_F(OutputChannelTest, ArchiveOfAFreshOutputIsTheSameEveryTime)
{
    // The all-bypass flag follows the 13 items after the name "FL" (1 + 2).
    const int allBypassAt = 3 + 1 + 1 + 2 + 2 + 1 + 1 + 1 + 1 + 1 + 2 + 2 + 2;
    CKTV_Data other;
    const QByteArray a = Archived(Out(0));
    EXPECT_EQ(a, Archived(*other.GetOutput(0)));
    EXPECT_EQ(GetWord(reinterpret_cast<const BYTE*>(a.constData()) + allBypassAt), 0);
    Out(0).IsAllBypass();  // every band is flat
    const QByteArray b = Archived(Out(0));
    EXPECT_EQ(BYTE(b[allBypassAt]), 1);
}

TEST_F(OutputChannelTest, ArchiveRoundTripDerivesTheFlags)
{
    Out(4).SetGain(0);
    Out(4).SetInLOff(true);
    Out(4).SetBalance(50);
    Out(4).SetAttack(9);
    Out(4).GetBand(3)->SetGainIndex(260);
    const QByteArray bytes = Archived(Out(4));

    CKTV_Data other;
    CArchive in(bytes);
    other.GetOutput(4)->Serialize(in);
    ASSERT_FALSE(in.HasError());
    const CKTV_OutData& loaded = *other.GetOutput(4);
    EXPECT_EQ(loaded.GetName(), QStringLiteral("Center"));
    EXPECT_TRUE(loaded.GetGainZero());
    EXPECT_TRUE(loaded.GetInLOff());
    EXPECT_EQ(loaded.FormatInL(), QStringLiteral("0%"));
    EXPECT_EQ(loaded.GetAttack(), 9);
    EXPECT_EQ(loaded.GetBand(3)->GetGainIndex(), 260);

    // A short archive changes nothing.
    CKTV_Data third;
    CArchive shortIn(bytes.left(10));
    third.GetOutput(4)->Serialize(shortIn);
    EXPECT_TRUE(shortIn.HasError());
    EXPECT_EQ(third.GetOutput(4)->GetGain(), 600);
}

TEST_F(OutputChannelTest, CopyGainAndEqTakesBandsGainModeAndLimiterWithoutFlags)
{
    g_bDeviceSynced = true;
    Out(1).GetBand(10)->SetGainIndex(320);
    Out(1).SetGain(450);
    Out(1).SetEqMode(1);
    Out(1).SetLimitThreshold(111);
    Out(6).CopyGainAndEqFrom(&Out(1));
    EXPECT_EQ(Out(6).GetBand(10)->GetGainIndex(), 320);
    EXPECT_EQ(Out(6).GetGain(), 450);
    EXPECT_EQ(Out(6).GetEqMode(), 1);
    EXPECT_TRUE(Out(6).GetBand(0)->GetGainOnlyCaption());
    EXPECT_EQ(Out(6).GetLimitThreshold(), 111);
    EXPECT_EQ(FlagsOf(Out(6)), 0u);
    EXPECT_FALSE(Out(6).GetBand(10)->IsChanged());
}

// ---- Texts --------------------------------------------------------------------------

TEST_F(OutputChannelTest, Texts)
{
    CKTV_OutData& o = Out(10);
    struct Row {
        std::function<void()> set;
        std::function<QString()> text;
        const char* expected;
    } rows[] = {
        {[&] { o.SetDelay(0); }, [&] { return o.FormatDelay(); }, "0.0ms"},
        {[&] { o.SetDelay(99); }, [&] { return o.FormatDelay(); }, "9.9ms"},
        {[&] { o.SetDelay(100); }, [&] { return o.FormatDelay(); }, "10.0ms"},
        {[&] { o.SetAttack(6); }, [&] { return o.FormatAttack(); }, "0.9ms"},
        {[&] { o.SetAttack(7); }, [&] { return o.FormatAttack(); }, "1ms"},
        {[&] { o.SetAttack(20); }, [&] { return o.FormatAttack(); }, "14ms"},
        {[&] { o.SetRelease(20); }, [&] { return o.FormatRelease(); }, ""},
        {[&] { o.SetRelease(0); }, [&] { return o.FormatRelease(); }, "Atk * 2"},
        {[&] { o.SetRelease(5); }, [&] { return o.FormatRelease(); }, "Atk * 32"},
        {[&] { o.SetRelease(-1); }, [&] { return o.FormatRelease(); }, ""},
        {[&] { o.SetGain(600); }, [&] { return o.FormatGain(); }, "0.0dB"},
        {[&] { o.SetGain(355); }, [&] { return o.FormatGain(); }, "-24.5dB"},
        {[&] { o.SetLimitThreshold(420); }, [&] { return o.FormatLimitThreshold(); }, "12.0dBu"},
        {[&] { o.SetPolarity(1); }, [&] { return o.FormatPolarity(); }, "Pol-"},
        {[&] { o.SetOn(0); }, [&] { return o.FormatOn(); }, "OFF"},
        {[&] { o.SetBalance(30); }, [&] { return o.FormatBalance(); }, "30%:70%"},
        {[&] { o.SetPercent3(45); }, [&] { return o.FormatPercent3(); }, "45%"},
        {[&] { o.SetPercent5(0); }, [&] { return o.FormatPercent5(); }, "0%"},
        {[&] { o.SetFlagBits(16); }, [&] { return o.FormatFlagBit(4); }, "On"},
        {[&] { o.SetFlagBits(16); }, [&] { return o.FormatFlagBit(0); }, "OFF"},
        {[&] { o.SetInR(0); }, [&] { return o.FormatInRSwitch(); }, "OFF"},
        {[&] { o.SetInL(3); }, [&] { return o.FormatInLSwitch(); }, "ON"},
    };
    for (const Row& row : rows) {
        row.set();
        EXPECT_EQ(row.text(), QString::fromLatin1(row.expected));
    }
    g_bChinese = true;
    EXPECT_EQ(o.FormatPolarity(), QString::fromUtf8("反相"));
    o.SetPolarity(0);
    EXPECT_EQ(o.FormatPolarity(), QString::fromUtf8("正相"));
}

}  // namespace
