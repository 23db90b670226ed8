#include <gtest/gtest.h>

#include <QByteArray>
#include <cstring>
#include <vector>

#include "model/Filter.h"
#include "model/LinkState.h"
#include "platform/core/Archive.h"
#include "platform/core/Language.h"
#include "tests/model/RecordingFader.h"

namespace {
// Every test starts unsynchronised and in English, and leaves it so.
class FilterTest : public ::testing::Test {
protected:
    void SetUp() override { g_bDeviceSynced = false; g_bChinese = false; }
    void TearDown() override { g_bDeviceSynced = false; g_bChinese = false; }
};

TEST_F(FilterTest, NewBandDefaults)
{
    CFilter band;
    EXPECT_EQ(band.GetKind(), FILTER_PEAKING);
    EXPECT_EQ(band.GetFrequency(), 1000);
    EXPECT_EQ(band.GetSentFrequency(), 20);
    EXPECT_EQ(band.GetGainIndex(), 200);
    EXPECT_EQ(band.GetBandwidthIndex(), 60);
    EXPECT_EQ(band.GetSlope(), 2);
    EXPECT_EQ(band.GetFamily(), FAMILY_LINKWITZ_RILEY);
    EXPECT_TRUE(band.IsFlat());
    EXPECT_TRUE(band.IsEqBand());
    EXPECT_FALSE(band.IsChanged());
    EXPECT_EQ(band.GetOwner(), nullptr);
    EXPECT_EQ(band.FormatFrequency(), "1000Hz");
    EXPECT_EQ(band.FormatGain(), "0.0dB");
    EXPECT_EQ(band.FormatBandwidth(), "0.65Oct");
    EXPECT_EQ(band.FormatQ(), "2.201");
}

TEST_F(FilterTest, GainIndexAndFlat)
{
    CFilter band;
    band.SetAllBypass(true);
    band.SetGainIndex(200);
    EXPECT_EQ(band.GetGain(), 0.0);
    EXPECT_TRUE(band.IsFlat());
    EXPECT_TRUE(band.IsBypassed());  // a 0 dB gain leaves bypass alone
    band.SetGainIndex(260);
    EXPECT_DOUBLE_EQ(band.GetGain(), 6.0);
    EXPECT_FALSE(band.IsFlat());
    EXPECT_FALSE(band.IsBypassed());
    EXPECT_EQ(band.GetGainIndex(), 260);
    for (int index : {0, 1, 199, 201, 399, 400}) {
        band.SetGainIndex(index);
        EXPECT_EQ(band.GetGainIndex(), index);
    }
}

TEST_F(FilterTest, SetFlatRules)
{
    CFilter zero;  // gain 0.0
    zero.SetFlat(false);
    EXPECT_TRUE(zero.IsFlat());
    zero.SetAllBypass(true);
    zero.SetFlat(false);
    EXPECT_FALSE(zero.IsBypassed());
    EXPECT_TRUE(zero.IsFlat());

    g_bDeviceSynced = true;
    CFilter band;
    band.SetGainIndex(260);
    band.SetFlat(true);
    EXPECT_TRUE(band.IsFlat());
    EXPECT_EQ(band.GetGainIndex(), 200);
    EXPECT_DOUBLE_EQ(band.GetGain(), 6.0);  // the gain stays
    EXPECT_TRUE(band.IsChanged());
    band.SetFlat(false);
    EXPECT_EQ(band.GetGainIndex(), 260);
}

TEST_F(FilterTest, AllBypassSavesAndRestores)
{
    CFilter band;
    band.SetGainIndex(300);
    band.SetAllBypass(true);
    EXPECT_TRUE(band.IsBypassedOrFlat());
    EXPECT_EQ(band.GetResponse()[136], 0.0);
    band.SetAllBypass(false);
    EXPECT_FALSE(band.IsBypassed());
    EXPECT_NEAR(band.GetResponse()[136], 10.0, 1e-9);
    EXPECT_FALSE(band.IsChanged());
}

TEST_F(FilterTest, MarkingFollowsDeviceSync)
{
    struct Setter { const char* name; void (*apply)(CFilter&); } setters[] = {
        {"gain", [](CFilter& f) { f.SetGainIndex(250); }},
        {"bandwidth", [](CFilter& f) { f.SetBandwidthIndex(100); }},
        {"slope", [](CFilter& f) { f.SetSlope(3, true); }},
        {"family", [](CFilter& f) { f.SetFamily(1, true); }},
        {"kind", [](CFilter& f) { f.SetKind(FILTER_LOW_SHELF); }},
        {"frequency", [](CFilter& f) { f.SetFrequency(1500, true); }},
    };
    for (const Setter& s : setters) {
        SCOPED_TRACE(s.name);
        CFilter band;
        g_bDeviceSynced = false;
        s.apply(band);
        EXPECT_FALSE(band.IsChanged());
        g_bDeviceSynced = true;
        s.apply(band);
        EXPECT_TRUE(band.IsChanged());
        g_bDeviceSynced = false;  // an edit while unsynced clears a pending mark
        s.apply(band);
        EXPECT_FALSE(band.IsChanged());
    }
    CFilter band;
    g_bDeviceSynced = true;
    band.SetSlope(3, false);
    band.SetFamily(1, false);
    band.SetFrequency(1500, false);
    band.SetAllBypass(true);
    band.Reset(500);
    EXPECT_FALSE(band.IsChanged());
}

TEST_F(FilterTest, SetKindLowPassResetsSentFrequency)
{
    CFilter band;
    band.SetFrequency(300, false);
    band.SetKind(FILTER_LOW_PASS);
    EXPECT_EQ(band.GetSentFrequency(), 20000);
    EXPECT_EQ(band.GetFrequency(), 300);
}

// The frequencies the change scan sends for one user move: each pass runs a
// follower step and sends the sent frequency; the pass that finds the two
// equal clears the mark and still sends.
std::vector<int> SentSequence(CFilter& band, int to)
{
    std::vector<int> sent;
    band.SetFrequency(to, true);
    for (int pass = 0; pass < 40 && band.IsChanged(); ++pass) {
        band.AdvanceSentFrequency(false);
        sent.push_back(band.GetSentFrequency());
    }
    return sent;
}

TEST_F(FilterTest, FollowerSequences)
{
    struct Case { int from; int to; bool eqBand; std::vector<int> sent; } cases[] = {
        {100, 1000, true, {200, 400, 800, 1000, 1000}},
        {1000, 90, true, {500, 250, 125, 90, 90}},
        {1000, 1999, true, {1999}},                 // within an octave: at once
        {1000, 2000, true, {2000, 2000}},           // exactly an octave: two frames
        {1000, 501, true, {501}},
        {1000, 500, true, {500}},
        {1000, 499, true, {500, 499, 499}},
        {1000, 5000, true, {2000, 4000, 5000, 5000}},
        {1000, 1000, true, {1000}},
        {300, 3000, false, {600, 1200, 2400, 3000, 3000}},
        {300, 500, false, {500}},                   // a filter passes upward moves within an octave
        {3000, 2900, false, {2900, 2900}},         // even a small downward move takes a pass
        {3000, 300, false, {1500, 750, 375, 300, 300}},  // and walks every downward move
        {1000, 10, true, {500, 250, 125, 62, 31, 20, 20}},  // a user value is at least 20 Hz
        {80, 0, false, {40, 20, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << (c.eqBand ? " band" : " filter"));
        CFilter band;
        band.SetEqBand(c.eqBand);
        if (!c.eqBand)
            band.SetKind(FILTER_HIGH_PASS);
        band.SetFrequency(c.from, false);
        g_bDeviceSynced = true;
        EXPECT_EQ(SentSequence(band, c.to), c.sent);
        EXPECT_FALSE(band.IsChanged());
        g_bDeviceSynced = false;
    }
}

TEST_F(FilterTest, FollowerWhileUnsyncedAndOneStepInTransit)
{
    CFilter band;
    band.SetFrequency(5000, true);
    EXPECT_EQ(band.GetSentFrequency(), 5000);  // unsynced: at once
    EXPECT_FALSE(band.IsChanged());

    g_bDeviceSynced = true;
    band.SetFrequency(1000, false);
    band.SetFrequency(5000, true);
    EXPECT_EQ(band.GetSentFrequency(), 1000);
    EXPECT_TRUE(band.IsChanged());
    const int expected[] = {2000, 4000, 5000};
    for (int hz : expected) {
        band.AdvanceSentFrequency(false);
        EXPECT_EQ(band.GetSentFrequency(), hz);
        EXPECT_TRUE(band.IsChanged());
    }
    band.AdvanceSentFrequency(false);
    EXPECT_FALSE(band.IsChanged());
    band.AdvanceSentFrequency(true);  // set-all-changed
    EXPECT_TRUE(band.IsChanged());
}

TEST_F(FilterTest, FollowerNeverDividesByZero)
{
    // A file may hold any sent frequency; the follower must neither divide
    // by zero nor walk forever.
    struct Case { int frequency; int sent; } cases[] = {
        {1000, 0}, {1000, -40}, {-5, 20}, {0, 20}, {-32768, 0}, {5, 0}, {1, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frequency << " from " << c.sent);
        CFilter band;
        band.SetFrequency(c.frequency, false);
        band.SetSentFrequency(c.sent);
        int passes = 0;
        do {
            band.AdvanceSentFrequency(false);
        } while (band.IsChanged() && ++passes < 64);
        EXPECT_LT(passes, 64);
        EXPECT_EQ(band.GetSentFrequency(), c.frequency);
    }
    CFilter filter;
    filter.SetEqBand(false);
    filter.SetSentFrequency(0);
    filter.SetFrequency(50, true);  // the zero is replaced by 20 first
    EXPECT_EQ(filter.GetSentFrequency(), 50);
}

TEST_F(FilterTest, FilterTellsItsOwnerOfUserFrequencies)
{
    CRecordingFader fader;
    CFilter filter;
    filter.SetEqBand(false);
    filter.SetKind(FILTER_HIGH_PASS);
    filter.SetOwner(&fader);
    filter.SetFrequency(150, true);
    filter.SetFrequency(300, false);
    filter.SetFrequency(5, true);
    EXPECT_EQ(fader.frequencies, (std::vector<int>{150, 20}));
    CFilter band;
    band.SetOwner(&fader);
    band.SetFrequency(700, true);
    EXPECT_EQ(fader.frequencies.size(), 2u);  // EQ bands do not
}

TEST_F(FilterTest, ResetAndCopy)
{
    g_bDeviceSynced = true;
    CFilter src;
    src.SetKind(FILTER_HIGH_SHELF);
    src.SetSlope(1, true);
    src.SetFamily(2, true);
    src.SetGainIndex(150);
    src.SetBandwidthIndex(10);
    src.SetFrequency(4000, false);
    src.SetSentFrequency(2000);
    src.SetBandNumber(7);

    CFilter dst;
    dst.SetBandNumber(3);
    dst.CopyFrom(&src);
    EXPECT_EQ(dst.GetKind(), FILTER_HIGH_SHELF);
    EXPECT_EQ(dst.GetSlope(), 1);
    EXPECT_EQ(dst.GetFamily(), 2);
    EXPECT_EQ(dst.GetGainIndex(), 150);
    EXPECT_EQ(dst.GetBandwidthIndex(), 10);
    EXPECT_EQ(dst.GetFrequency(), 4000);
    EXPECT_EQ(dst.GetSentFrequency(), 4000);  // src's frequency, not its sent one
    EXPECT_EQ(dst.GetBandNumber(), 3);
    EXPECT_FALSE(dst.IsChanged());
    for (int i = 0; i < GRID_POINTS; ++i)
        ASSERT_EQ(dst.GetResponse()[i], src.GetResponse()[i]);

    dst.SetAllBypass(true);
    dst.Reset(630);
    EXPECT_EQ(dst.GetFrequency(), 630);
    EXPECT_EQ(dst.GetSentFrequency(), 630);
    EXPECT_EQ(dst.GetBandwidthIndex(), 60);
    EXPECT_EQ(dst.GetGain(), 0.0);
    EXPECT_TRUE(dst.IsFlat());
    EXPECT_TRUE(dst.IsBypassed());  // bypass untouched
    EXPECT_FALSE(dst.IsChanged());
}

TEST_F(FilterTest, BandTypeCodesAndShelfRule)
{
    struct Case { int code; int kind; int slope; int startHz; int hz; } cases[] = {
        {0, FILTER_PEAKING, 2, 5000, 5000},
        {1, FILTER_LOW_SHELF, 0, 5000, 2000},
        {2, FILTER_LOW_SHELF, 1, 1500, 1500},
        {3, FILTER_HIGH_SHELF, 0, 500, 2000},
        {4, FILTER_HIGH_SHELF, 1, 8000, 8000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CFilter band;
        band.SetFrequency(c.startHz, false);
        band.SetBandTypeCode(c.code);
        EXPECT_EQ(band.GetKind(), c.kind);
        EXPECT_EQ(band.GetSlope(), c.slope);
        EXPECT_EQ(band.GetFrequency(), c.hz);
        EXPECT_EQ(band.GetSentFrequency(), c.startHz);
        EXPECT_EQ(band.GetBandTypeCode(), c.code);
    }
    CFilter band;
    band.SetLowShelf(2);  // no such slope: nothing changes
    EXPECT_EQ(band.GetKind(), FILTER_PEAKING);
    band.SetHighShelf(1);
    EXPECT_EQ(band.GetKind(), FILTER_HIGH_SHELF);
    EXPECT_EQ(band.GetFrequency(), 2000);  // a high shelf stays above 2000 Hz
    band.SetKind(FILTER_HIGH_PASS);
    EXPECT_EQ(band.GetBandTypeCode(), -1);
}

TEST_F(FilterTest, Texts)
{
    CFilter band;
    band.SetBandwidthIndex(0);
    EXPECT_EQ(band.FormatQ(), "28.85");
    band.SetBandwidthIndex(9);
    EXPECT_EQ(band.FormatQ(), "10.30");
    band.SetBandwidthIndex(10);
    EXPECT_EQ(band.FormatQ(), "9.614");
    band.SetBandwidthIndex(295);
    EXPECT_EQ(band.FormatBandwidth(), "3.00Oct");
    band.SetGainIndex(145);
    EXPECT_EQ(band.FormatGain(), "-5.5dB");

    const char* slopes[] = {"6dB/Oct", "12dB/Oct", "18dB/Oct", "24dB/Oct", "30dB/Oct",
                            "36dB/Oct", "42dB/Oct", "48dB/Oct", "OFF", ""};
    for (int code = 0; code <= 9; ++code) {
        band.SetSlope(code, false);
        EXPECT_EQ(band.FormatSlope(), slopes[code]) << code;
    }
    band.SetSlopeStep(true);
    const char* stepped[] = {"", "12dB/Oct", "24dB/Oct", ""};
    for (int code = 0; code <= 3; ++code) {
        band.SetSlope(code, false);
        EXPECT_EQ(band.FormatSlope(), stepped[code]) << code;
    }
    band.SetSlope(1, false);
    EXPECT_EQ(band.FormatShelfSlope(), "12dB/Oct");
    band.SetSlope(2, false);
    EXPECT_EQ(band.FormatShelfSlope(), "");

    const char* families[] = {"Link_Ril", "Butter_W", "Bessel", ""};
    const char* familiesZh[] = {"宁克", "巴特沃斯", "贝塞尔", ""};
    const char* kinds[] = {"PEQ", "Lo_Shf", "Hi_Shf", ""};
    const char* kindsZh[] = {"参量均衡", "低架", "高架", ""};
    for (int k = 0; k <= 3; ++k) {
        band.SetFamily(k, false);
        band.SetKind(k);
        g_bChinese = false;
        EXPECT_EQ(band.FormatFamily(), QString::fromUtf8(families[k]));
        EXPECT_EQ(band.FormatKind(), QString::fromUtf8(kinds[k]));
        g_bChinese = true;
        EXPECT_EQ(band.FormatFamily(), QString::fromUtf8(familiesZh[k]));
        EXPECT_EQ(band.FormatKind(), QString::fromUtf8(kindsZh[k]));
    }
}

TEST_F(FilterTest, Captions)
{
    struct Case { const char* label; int kind; int hz; int gainIndex; int bw; int slope; bool gainOnly; bool chinese;
                  const char* caption; } cases[] = {
        {"peaking", FILTER_PEAKING, 1000, 200, 60, 2, false, false, "1000Hz 2.201Q 0.0dB"},
        {"narrow", FILTER_PEAKING, 63, 315, 0, 2, false, false, "63Hz 28.85Q 11.5dB"},
        {"gain only", FILTER_PEAKING, 1000, 170, 60, 2, true, false, "-3.0dB"},
        {"low shelf", FILTER_LOW_SHELF, 100, 230, 60, 0, false, false, "Lo 100Hz 6dB/Oct 3.0dB"},
        {"high shelf", FILTER_HIGH_SHELF, 8000, 120, 60, 1, false, false, "Hi 8000Hz 12dB/Oct -8.0dB"},
        {"high-pass", FILTER_HIGH_PASS, 80, 200, 60, 3, false, false, "80Hz "},
        {"low-pass off", FILTER_LOW_PASS, 5000, 200, 60, SLOPE_OFF, false, false, "OFF"},
        {"low-pass off zh", FILTER_LOW_PASS, 5000, 200, 60, SLOPE_OFF, false, true, "关闭"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        g_bChinese = c.chinese;
        CFilter band;
        band.SetKind(c.kind);
        band.SetFrequency(c.hz, false);
        band.SetGainIndex(c.gainIndex);
        band.SetBandwidthIndex(c.bw);
        band.SetSlope(c.slope, false);
        band.SetGainOnlyCaption(c.gainOnly);
        EXPECT_EQ(band.BuildCaption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(band.GetCaption(), QString::fromUtf8(c.caption));
    }
}

QByteArray Store(CFilter& band)
{
    QByteArray bytes;
    CArchive ar(&bytes);
    band.Serialize(ar);
    return bytes;
}

TEST_F(FilterTest, ArchiveBytesOfOneBand)
{
    CFilter band;
    band.SetKind(FILTER_LOW_SHELF);
    band.SetFrequency(120, false);
    band.SetSentFrequency(60);
    band.SetGainIndex(230);   // +3.0 dB
    band.SetBandwidthIndex(0);
    band.SetFamily(1, false);
    band.SetSlope(1, false);
    band.SetBandNumber(8);
    const QByteArray bytes = Store(band);
    ASSERT_EQ(bytes.size(), FILTER_ARCHIVE_SIZE);
    double gain = 0, bandwidth = 0;
    std::memcpy(&gain, bytes.constData() + 12, 8);
    std::memcpy(&bandwidth, bytes.constData() + 28, 8);
    EXPECT_DOUBLE_EQ(gain, 3.0);
    EXPECT_DOUBLE_EQ(bandwidth, 0.05);
    const unsigned char ints[] = {1, 0, 0, 0, 120, 0, 0, 0, 60, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(bytes.constData(), ints, 12));
    const unsigned char flags[] = {0, 0, 0, 0, 0, 0, 0, 0};  // bypass, flat
    EXPECT_EQ(0, std::memcmp(bytes.constData() + 20, flags, 8));
    const unsigned char tail[] = {1, 0, 0, 0, 1, 0, 0, 0, 8, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(bytes.constData() + 36, tail, 12));

    // Two fresh bands give the same bytes: nothing archived is left unset.
    CFilter a, b;
    EXPECT_EQ(Store(a), Store(b));
}

TEST_F(FilterTest, ArchiveRoundTrip)
{
    g_bDeviceSynced = true;
    CFilter band;
    band.SetGraphSize(Rect{0, 0, 600, 240});
    band.SetKind(FILTER_HIGH_SHELF);
    band.SetFrequency(6300, false);
    band.SetSentFrequency(3150);
    band.SetGainIndex(95);
    band.SetAllBypass(true);
    band.SetBandwidthIndex(77);
    band.SetSlope(1, false);
    band.SetBandNumber(30);
    const QByteArray bytes = Store(band);

    CFilter loaded;
    loaded.SetGraphSize(Rect{0, 0, 600, 240});
    CArchive in(bytes);
    loaded.Serialize(in);
    EXPECT_FALSE(in.HasError());
    EXPECT_EQ(loaded.GetKind(), FILTER_HIGH_SHELF);
    EXPECT_EQ(loaded.GetFrequency(), 6300);
    EXPECT_EQ(loaded.GetSentFrequency(), 3150);
    EXPECT_EQ(loaded.GetGain(), band.GetGain());
    EXPECT_TRUE(loaded.IsBypassed());
    EXPECT_EQ(loaded.GetBandwidthIndex(), 77);
    EXPECT_EQ(loaded.GetSlope(), 1);
    EXPECT_EQ(loaded.GetBandNumber(), 30);
    EXPECT_FALSE(loaded.IsChanged());
    EXPECT_EQ(loaded.GetHandleRect(), band.GetHandleRect());
    for (int i = 0; i < GRID_POINTS; ++i)
        ASSERT_EQ(loaded.GetResponse()[i], band.GetResponse()[i]);
    EXPECT_EQ(Store(loaded), bytes);
}

TEST_F(FilterTest, ShortArchiveLeavesTheBandAsItWas)
{
    CFilter band;
    band.SetFrequency(4000, false);
    band.SetGainIndex(250);
    CFilter other;
    QByteArray bytes = Store(other).left(30);
    CArchive in(bytes);
    band.Serialize(in);
    EXPECT_TRUE(in.HasError());
    EXPECT_EQ(band.GetFrequency(), 4000);
    EXPECT_EQ(band.GetGainIndex(), 250);
}
}  // namespace
