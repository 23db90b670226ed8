// Archive loads of the whole parameter set, a channel and a band: a short,
// foreign or out-of-range archive is refused whole and leaves every byte
// of what it was loaded into as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>

#include "model/Filter.h"
#include "platform/core/Archive.h"
#include "tests/common/ArchiveBytes.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

// Where each channel and each of its bands lie in a whole-set archive.
struct ChannelSpan {
    int start = 0;  // the channel's name prefix
    int bands = 0;  // its first band
};

struct SetLayout {
    ChannelSpan effect, mic;
    ChannelSpan music[MUSIC_COUNT];
    ChannelSpan output[OUTPUT_COUNT];
};

// Band fields by their place in a band's 48 bytes.
enum BandField : int {
    BAND_KIND = 0,
    BAND_FREQUENCY = 4,
    BAND_SENT = 8,
    BAND_GAIN = 12,
    BAND_BYPASS = 20,
    BAND_FLAT = 24,
    BAND_BANDWIDTH = 28,
    BAND_FAMILY = 36,
    BAND_SLOPE = 40,
    BAND_NUMBER = 44,
};

template <class T>
ChannelSpan Span(T& channel, int& at)
{
    const int size = int(ArchiveOf(channel).size());
    ChannelSpan span{at, at + size - FILTER_ARCHIVE_SIZE * channel.GetEQ()->GetSize()};
    at += size;
    return span;
}

SetLayout LayoutOf(CKTV_Data& set)
{
    SetLayout layout;
    int at = 0;
    layout.effect = Span(*set.GetEffect(), at);
    layout.mic = Span(*set.GetMic(0), at);
    for (int i = 0; i < MUSIC_COUNT; ++i)
        layout.music[i] = Span(*set.GetMusic(i), at);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        layout.output[i] = Span(*set.GetOutput(i), at);
    return layout;
}

void PutInt(QByteArray& bytes, int at, std::int32_t value)
{
    ASSERT_LE(at + 4, bytes.size());
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((quint32(value) >> (8 * i)) & 0xFF);
}

void PutDouble(QByteArray& bytes, int at, double value)
{
    ASSERT_LE(at + 8, bytes.size());
    std::memcpy(bytes.data() + at, &value, 8);
}

int BandAt(const ChannelSpan& channel, int band, BandField field)
{
    return channel.bands + FILTER_ARCHIVE_SIZE * band + field;
}

// First byte after a channel's name (each name here is below 255 bytes,
// so its prefix is one byte).
int AfterName(const QByteArray& bytes, const ChannelSpan& channel)
{
    return channel.start + 1 + BYTE(bytes[channel.start]);
}

class ArchiveLoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        // The live set and the archive's source differ everywhere a load
        // could reach, so that any partial load shows.
        live.GetEffect()->SetParam(137, 12);
        live.GetMic(0)->SetMode(2);
        live.GetMusic(1)->SetDelay(30);
        live.GetOutput(0)->GetHighPass()->SetFrequency(120, false);
        live.GetOutput(11)->GetBand(4)->SetGainIndex(150);
        source.GetEffect()->SetParam(137, 61);
        source.GetMic(0)->SetMode(4);
        source.GetMusic(2)->SetDelay(7);
        source.GetOutput(0)->GetHighPass()->SetFrequency(80, false);
        source.GetOutput(11)->SetPolarity(1);
        source.GetOutput(11)->GetBand(4)->SetGainIndex(260);
        good = ArchiveOf(source);
        layout = LayoutOf(source);
    }

    CKTV_Data live;
    CKTV_Data source;
    QByteArray good;
    SetLayout layout;
};

TEST_F(ArchiveLoadTest, AWholeValidArchiveLoadsEveryChannel)
{
    CArchive in(good);
    live.Serialize(in);
    EXPECT_FALSE(in.HasError());
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_EQ(ArchiveOf(live), good);
}

TEST_F(ArchiveLoadTest, ShortForeignAndOutOfRangeArchivesChangeNothing)
{
    using Mutation = std::function<void(QByteArray&)>;
    const SetLayout& at = layout;
    const ChannelSpan& out0 = at.output[0];
    const ChannelSpan& out11 = at.output[11];
    const int outBands = source.GetOutput(0)->GetBandCount();
    const int highPass = outBands - 2;
    const int micBands = source.GetMic(0)->GetEQ()->GetSize();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        Mutation mutate;
    };
    const Case cases[] = {
        // Cut short anywhere: before a band, inside one, in the last output.
        {"empty", [](QByteArray& b) { b.clear(); }},
        {"one byte", [](QByteArray& b) { b.truncate(1); }},
        {"the effect only", [&](QByteArray& b) { b.truncate(at.mic.start); }},
        {"inside the mic's bands", [&](QByteArray& b) { b.truncate(at.mic.bands + 100); }},
        {"output 0's header only", [&](QByteArray& b) { b.truncate(out0.bands); }},
        {"half of output 6", [&](QByteArray& b) { b.truncate((at.output[6].start + at.output[7].start) / 2); }},
        {"one byte short", [](QByteArray& b) { b.chop(1); }},
        // Foreign: another object's archive, zeros, noise.
        {"an output's archive", [&](QByteArray& b) { b = ArchiveOf(*source.GetOutput(3)); }},
        {"the set from output 0 on", [&](QByteArray& b) { b = b.mid(out0.start) + b.left(out0.start); }},
        {"zeros", [](QByteArray& b) { b.fill('\0'); }},
        {"0xFF", [](QByteArray& b) { b.fill(char(0xFF)); }},
        {"noise",
         [](QByteArray& b) {
             std::mt19937 random(7);
             for (char& c : b)
                 c = char(random());
         }},
        // Kinds: a crossover slot holds only its own kind; five kinds exist.
        {"output 0 high-pass as a peaking band", [&](QByteArray& b) { PutInt(b, BandAt(out0, highPass, BAND_KIND), FILTER_PEAKING); }},
        {"output 0 low-pass as a high-pass", [&](QByteArray& b) { PutInt(b, BandAt(out0, outBands - 1, BAND_KIND), FILTER_HIGH_PASS); }},
        {"mic low-pass as a shelf", [&](QByteArray& b) { PutInt(b, BandAt(at.mic, micBands - 1, BAND_KIND), FILTER_LOW_SHELF); }},
        {"an EQ band of kind 5", [&](QByteArray& b) { PutInt(b, BandAt(out11, 4, BAND_KIND), 5); }},
        {"an EQ band of kind -1", [&](QByteArray& b) { PutInt(b, BandAt(at.music[2], 0, BAND_KIND), -1); }},
        // Codes and values of a band.
        {"family 3", [&](QByteArray& b) { PutInt(b, BandAt(out0, highPass, BAND_FAMILY), 3); }},
        {"slope 9", [&](QByteArray& b) { PutInt(b, BandAt(out0, highPass, BAND_SLOPE), 9); }},
        {"slope -1", [&](QByteArray& b) { PutInt(b, BandAt(at.effect, 0, BAND_SLOPE), -1); }},
        {"frequency 70000", [&](QByteArray& b) { PutInt(b, BandAt(out11, 4, BAND_FREQUENCY), 70000); }},
        {"sent frequency -40000", [&](QByteArray& b) { PutInt(b, BandAt(out11, 4, BAND_SENT), -40000); }},
        {"gain NaN", [&](QByteArray& b) { PutDouble(b, BandAt(out11, 4, BAND_GAIN), nan); }},
        {"gain infinite", [&](QByteArray& b) { PutDouble(b, BandAt(out11, 4, BAND_GAIN), inf); }},
        {"gain 1e300", [&](QByteArray& b) { PutDouble(b, BandAt(out11, 4, BAND_GAIN), 1e300); }},
        {"bandwidth NaN", [&](QByteArray& b) { PutDouble(b, BandAt(at.mic, 1, BAND_BANDWIDTH), nan); }},
        {"bandwidth -1e9", [&](QByteArray& b) { PutDouble(b, BandAt(at.mic, 1, BAND_BANDWIDTH), -1e9); }},
        {"bypass 2", [&](QByteArray& b) { PutInt(b, BandAt(out11, 4, BAND_BYPASS), 2); }},
        {"flat -1", [&](QByteArray& b) { PutInt(b, BandAt(out11, 4, BAND_FLAT), -1); }},
        // A band number is the record the change scan writes.
        {"band number of another band", [&](QByteArray& b) { PutInt(b, BandAt(out11, 4, BAND_NUMBER), 5); }},
        {"band number 200", [&](QByteArray& b) { PutInt(b, BandAt(out0, highPass, BAND_NUMBER), 200); }},
        // Channel fields that do not fit their record, and flags.
        {"effect parameter 300", [&](QByteArray& b) { PutInt(b, AfterName(b, at.effect), 300); }},
        {"effect all-bypass 2", [&](QByteArray& b) { PutInt(b, AfterName(b, at.effect) + 40, 2); }},
        {"mic level 256", [&](QByteArray& b) { PutInt(b, AfterName(b, at.mic), 256); }},
        {"mic gain 70000", [&](QByteArray& b) { PutInt(b, AfterName(b, at.mic) + 16, 70000); }},
        {"mic all-bypass 7", [&](QByteArray& b) { PutInt(b, AfterName(b, at.mic) + 38, 7); }},
        {"music delay 70000", [&](QByteArray& b) { PutInt(b, AfterName(b, at.music[2]) + 12, 70000); }},
        {"music noise gate -1", [&](QByteArray& b) { PutInt(b, AfterName(b, at.music[0]) + 16, -1); }},
        {"output all-bypass 2", [&](QByteArray& b) { PutInt(b, AfterName(b, out11) + 17, 2); }},
        {"a name longer than its archive allows",
         [&](QByteArray& b) { b = b.left(at.effect.start) + char(0xFF) + char(0xFF) + char(0x01) + b.mid(1); }},
    };
    const QByteArray before = ArchiveOf(live);
    ASSERT_NE(before, good);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes = good;
        c.mutate(bytes);
        CArchive in(bytes);
        live.Serialize(in);
        EXPECT_TRUE(in.HasError());
        EXPECT_EQ(ArchiveOf(live), before);
        // The crossover slots still hold their own kinds.
        EXPECT_EQ(live.GetOutput(0)->GetHighPass()->GetKind(), FILTER_HIGH_PASS);
        EXPECT_EQ(live.GetOutput(0)->GetLowPass()->GetKind(), FILTER_LOW_PASS);
    }
}

TEST_F(ArchiveLoadTest, AChannelTakesItsArchiveWholeOrNotAtAll)
{
    CKTV_OutData& target = *live.GetOutput(11);
    const QByteArray before = ArchiveOf(target);
    const QByteArray bytes = ArchiveOf(*source.GetOutput(11));
    const int headerEnd = int(bytes.size()) - FILTER_ARCHIVE_SIZE * target.GetBandCount();
    // Cut after the header and after every band: the header was once
    // taken before the bands were read.
    for (int cut = headerEnd; cut < bytes.size(); cut += FILTER_ARCHIVE_SIZE) {
        SCOPED_TRACE(cut);
        CArchive in(bytes.left(cut));
        target.Serialize(in);
        EXPECT_TRUE(in.HasError());
        EXPECT_EQ(ArchiveOf(target), before);
    }
    CArchive whole(bytes);
    target.Serialize(whole);
    EXPECT_FALSE(whole.HasError());
    EXPECT_EQ(ArchiveOf(target), bytes);
}

TEST_F(ArchiveLoadTest, ABandRefusesCodesItCannotHoldAndAcceptsEveryKindWhenFree)
{
    // A crossover filter keeps its kind; a free band takes any of the five.
    CFilter* highPass = live.GetOutput(2)->GetHighPass();
    const QByteArray before = ArchiveOf(*highPass);
    CFilter shelf;
    shelf.SetKind(FILTER_LOW_SHELF);
    const QByteArray shelfBytes = ArchiveOf(shelf);
    CArchive refused(shelfBytes);
    highPass->Serialize(refused);
    EXPECT_TRUE(refused.HasError());
    EXPECT_EQ(ArchiveOf(*highPass), before);

    CFilter fresh;
    CArchive taken(before);
    fresh.Serialize(taken);
    EXPECT_FALSE(taken.HasError());
    EXPECT_EQ(fresh.GetKind(), FILTER_HIGH_PASS);
    EXPECT_EQ(ArchiveOf(fresh), before);
}

}  // namespace
