// The whole parameter set: packing and unpacking the image, images with
// every field at an extreme, the load modes, the link table, clearing the
// change flags and the crossover table of the output-map file.
#include <gtest/gtest.h>

#include <cmath>

#include "model/Filter.h"
#include "model/OutputLinkTable.h"
#include "model/SpeakerPosition.h"
#include "platform/core/Archive.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

std::vector<BYTE> LiveImage()
{
    return ImageBytes(0, IMAGE_SIZE);
}

class ParameterSetTest : public ::testing::Test {
protected:
    void SetUp() override { ResetParameterSetState(); }
};

TEST_F(ParameterSetTest, FreshSetStoredLoadedAndStoredAgainGivesTheSameBytes)
{
    CKTV_Data fresh;
    fresh.StoreToRaw();
    const std::vector<BYTE> stored = LiveImage();

    // A set that holds other values first, so that the load has work to do.
    CKTV_Data other;
    std::vector<BYTE> busy(IMAGE_SIZE, 0x33);
    other.LoadFromRaw(busy.data(), 0);
    other.LoadFromRaw(stored.data(), 0);
    other.StoreToRaw();
    EXPECT_EQ(LiveImage(), stored);
}

// Every curve point and every band response is a finite number.
void ExpectFiniteCurves(CKTV_Data& set)
{
    const Rect rc{0, 0, 600, 240};
    set.SetOutputGraphRect(rc);
    set.SetMusicGraphRect(rc);
    set.GetMic(0)->SetGraphRect(rc);
    set.GetEffect()->SetGraphRect(rc);
    std::vector<const CChannelData*> channels = {set.GetMic(0), set.GetEffect()};
    for (int i = 0; i < MUSIC_COUNT; ++i)
        channels.push_back(set.GetMusic(i));
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        channels.push_back(set.GetOutput(i));
    for (const CChannelData* channel : channels) {
        for (int p = 0; p < GRID_POINTS; ++p)
            ASSERT_TRUE(std::isfinite(channel->GetCurveFloat()[p].y)) << "point " << p;
        for (int b = 0; b < channel->GetEQ()->GetSize(); ++b) {
            for (int p = 0; p < GRID_POINTS; ++p)
                ASSERT_TRUE(std::isfinite(channel->GetBand(b)->GetResponse()[p])) << "band " << b << " point " << p;
        }
    }
}

TEST_F(ParameterSetTest, ImagesWithEveryFieldAtAnExtremeLoadDrawAndStoreBack)
{
    struct Case {
        const char* what;
        BYTE fill;
    } cases[] = {
        {"all zero (the default image's empty band records)", 0x00},
        {"all 0xFF (16-bit fields -1, bytes 255)", 0xFF},
        {"all 0x80 (16-bit fields -32640, bytes 128)", 0x80},
        {"all 0x7F (16-bit fields 32639)", 0x7F},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetParameterSetState();
        CMessageBoxSpy spy;  // a full mic name does not fit its record
        std::vector<BYTE> image(IMAGE_SIZE, c.fill);
        CKTV_Data set;
        set.LoadFromRaw(image.data(), 0);
        ExpectFiniteCurves(set);

        std::memcpy(g_CurrentImage.bytes, image.data(), IMAGE_SIZE);
        set.StoreToRaw();
        std::vector<BYTE> expected = image;
        // Only the texts the channels keep themselves differ: the music
        // names (not loaded) and the effect name (stored as text).
        for (int i = 0; i < MUSIC_COUNT; ++i) {
            const std::vector<BYTE> name = FixedText(QStringLiteral("Music %1").arg(i + 1).toLatin1().constData(), 8);
            std::memcpy(&expected[size_t(MusicBlockOffset(i) + 280)], name.data(), 8);
        }
        std::memcpy(&expected[EFFECT_OFFSET + 144], g_CurrentImage.bytes + EFFECT_OFFSET + 144, 8);
        EXPECT_EQ(LiveImage(), expected);

        // What went in once comes back the same every time.
        CKTV_Data second;
        const std::vector<BYTE> first = LiveImage();
        second.LoadFromRaw(first.data(), 0);
        second.StoreToRaw();
        EXPECT_EQ(LiveImage(), first);
    }
}

TEST_F(ParameterSetTest, LoadModeDecidesAboutTheEffectBlock)
{
    CKTV_Data set;
    std::vector<BYTE> image(IMAGE_SIZE, 0);
    image[EFFECT_OFFSET + 129] = 9;
    for (int mode : {-1, 1, 5})
        set.LoadFromRaw(image.data(), mode);
    EXPECT_EQ(set.GetEffect()->GetParam(129), 84);
    set.LoadFromRaw(image.data(), 6);
    EXPECT_EQ(set.GetEffect()->GetParam(129), 9);
    image[EFFECT_OFFSET + 129] = 10;
    set.LoadFromRaw(image.data(), 0);
    EXPECT_EQ(set.GetEffect()->GetParam(129), 10);
}

TEST_F(ParameterSetTest, ChannelsAreCreatedAsTheRoutesSay)
{
    CKTV_Data set;
    EXPECT_EQ(set.GetMic(0)->GetNameText(), QStringLiteral("Mic 1"));
    EXPECT_EQ(set.GetMic(1), nullptr);
    EXPECT_EQ(set.GetMusic(3)->GetName(), QStringLiteral("Music 4"));
    EXPECT_EQ(set.GetMusic(3)->GetGain(), 450);
    EXPECT_EQ(set.GetMusic(2)->GetCurveColor(), 0xFF027BC0u);
    EXPECT_EQ(set.GetMusic(4), nullptr);
    EXPECT_EQ(set.GetOutput(4)->GetName(), QStringLiteral("Center"));
    EXPECT_EQ(set.GetOutput(6)->GetName(), QString());
    EXPECT_EQ(set.GetOutput(11)->GetColor(), 0x280096u);
    EXPECT_EQ(set.GetOutput(12), nullptr);
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        // No default position is a tweeter's, so every high-pass has the
        // output rule once its position is applied.
        EXPECT_EQ(set.GetOutput(i)->GetIndex(), i);
        EXPECT_EQ(set.GetOutput(i)->GetBandCount(), 33);
        EXPECT_EQ(set.GetOutput(i)->GetSpeakerPosition(), g_byOutputPosition[i]);
        EXPECT_EQ(set.GetOutput(i)->GetHighPass()->GetDragLimitKind(), DRAG_LIMIT_OUTPUT);
        EXPECT_EQ(g_pOutputData[i], set.GetOutput(i));
        EXPECT_EQ(g_nLinkGroup[i], i);
    }
}

TEST_F(ParameterSetTest, LinkTableForgetsASetThatIsGone)
{
    auto set = std::make_unique<CKTV_Data>();
    set.reset();
    for (CKTV_OutData* output : g_pOutputData)
        EXPECT_EQ(output, nullptr);
}

TEST_F(ParameterSetTest, ClearChangeFlagsClearsAllButABandOnItsWay)
{
    CKTV_Data set;
    g_bDeviceSynced = true;
    set.GetMusic(1)->SetNoiseGate(3);
    set.GetMic(0)->SetGain(3);
    set.GetOutput(2)->SetDelay(5);
    set.GetOutput(2)->GetBand(4)->SetGainIndex(250);
    set.GetOutput(5)->GetBand(6)->SetFrequency(10000, true);  // from 80 Hz
    set.GetEffect()->SetParam(128, 1);
    g_bSendSysItem2 = true;

    set.ClearChangeFlags(true);
    EXPECT_FALSE(set.GetMusic(1)->IsNoiseGateDirty());
    EXPECT_FALSE(set.GetMic(0)->IsBasicDirty());
    EXPECT_FALSE(set.GetOutput(2)->IsBasicDirty());
    EXPECT_FALSE(set.GetOutput(2)->GetBand(4)->IsChanged());
    EXPECT_FALSE(set.GetEffect()->IsGroup1Changed());
    EXPECT_TRUE(set.GetOutput(5)->GetBand(6)->IsChanged());
    EXPECT_TRUE(g_bSendSysItem5.load());
    EXPECT_FALSE(g_bSendSysItem2.load());
}

TEST_F(ParameterSetTest, CrossoversGoIntoTheMapTable)
{
    CKTV_Data set;
    set.GetOutput(3)->SetSpeakerPosition(2);
    set.CopyCrossoversToMapTable();
    EXPECT_EQ(std::vector<BYTE>(g_OutputMapCrossovers[3], g_OutputMapCrossovers[3] + 8),
              Hex("58 02 02 01 6C 07 02 01"));
    EXPECT_EQ(std::vector<BYTE>(g_OutputMapCrossovers[4], g_OutputMapCrossovers[4] + 8),
              Hex("14 00 02 01 20 4E 02 01"));
}

TEST_F(ParameterSetTest, ArchiveOfTheWholeSetRoundTrips)
{
    CKTV_Data source;
    source.GetEffect()->SetParam(137, 61);
    source.GetMic(0)->SetMode(4);
    source.GetMusic(2)->SetDelay(7);
    source.GetOutput(11)->SetPolarity(1);
    QByteArray bytes;
    CArchive out(&bytes);
    source.Serialize(out);

    CKTV_Data loaded;
    CArchive in(bytes);
    loaded.Serialize(in);
    ASSERT_FALSE(in.HasError());
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_EQ(loaded.GetEffect()->GetParam(137), 61);
    EXPECT_EQ(loaded.GetMic(0)->GetMode(), 4);
    EXPECT_EQ(loaded.GetMusic(2)->GetDelay(), 7);
    EXPECT_EQ(loaded.GetOutput(11)->GetPolarity(), 1);
}

}  // namespace
