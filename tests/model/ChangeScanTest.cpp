// The change scan: one frame per call, in the order the device expects,
// the renaming of the live preset to "Custom", and the status poll when
// nothing is pending.
#include <gtest/gtest.h>

#include "model/Filter.h"
#include "model/WindowMessages.h"
#include "tests/common/RecordingTarget.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

class ChangeScanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetParameterSetState();
        m_pSet = std::make_unique<CKTV_Data>();
        g_pNotifyView = &m_View;
    }
    void TearDown() override { g_pNotifyView = nullptr; }

    // The live name already tracked: "Custom", no machine preset current.
    void NameAlreadyTracked()
    {
        StringToFixedField(reinterpret_cast<char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE, g_strCustomName);
        g_byCurrentPreset = 0;
        g_strEmptyName = g_strCustomName;
        g_bTrackPresetName = true;
    }

    FrameHead Next()
    {
        auto frame = m_pSet->NextChangedItem();
        EXPECT_NE(frame, nullptr);
        return frame ? HeadOf(*frame) : FrameHead{};
    }

    size_t NameNotices()
    {
        m_View.DeliverPosted();
        return m_View.Messages(WM_PRESET_NAME_CHANGED).size();
    }

    std::unique_ptr<CKTV_Data> m_pSet;
    CRecordingTarget m_View;
};

FrameHead Output(int channel, int record, int link = 0)
{
    return {FRAME_CLASS_WRITE, 0, BLOCK_OUTPUT, channel, record, link};
}
FrameHead Music(int channel, int record)
{
    return {FRAME_CLASS_WRITE, 0, BLOCK_MUSIC, channel, record, 0};
}
FrameHead SystemItem(int item)
{
    return {FRAME_CLASS_WRITE, 0, BLOCK_SYSTEM, item, 0, 0};
}

TEST_F(ChangeScanTest, NothingPendingGivesTheStatusPoll)
{
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(Next(), kStatusPoll);
    // A synced device does not change that, nor does a mic edit.
    g_bDeviceSynced = true;
    m_pSet->GetMic(0)->SetGain(10);
    m_pSet->GetMic(0)->GetBand(2)->SetGainIndex(300);
    m_pSet->GetEffect()->SetParam(128, 3);
    EXPECT_EQ(Next(), kStatusPoll);
    EXPECT_EQ(NameNotices(), 0u);
}

TEST_F(ChangeScanTest, PendingItemsGoOutOnePerCallInScanOrder)
{
    NameAlreadyTracked();
    g_bDeviceSynced = true;
    g_nLinkGroup[2] = 0;  // outputs 0 and 2 linked
    CKTV_Data& set = *m_pSet;
    // Marked in an order unlike the scan's.
    set.GetOutput(2)->GetBand(0)->SetGainIndex(210);
    set.GetOutput(0)->GetBand(5)->SetGainIndex(190);
    set.GetOutput(0)->SetMixLevel(3, 0);
    set.GetOutput(0)->SetLimitThreshold(300);
    set.GetOutput(0)->SetMixLevel(12, 0);
    set.GetOutput(0)->SetSpeakerPosition(12);  // same crossover as 6: one record
    set.GetOutput(0)->SetOn(0);
    set.GetOutput(0)->SetNameDirty(true);
    set.GetMusic(0)->GetBand(3)->SetGainIndex(230);
    set.GetMusic(1)->SetNoiseGate(70);
    set.GetMusic(1)->SetPolarity(1);
    g_bSendPresetName = true;
    g_bSendSysItem2 = true;
    g_bSendSysItem5 = true;
    g_byCurrentPreset = 4;

    const FrameHead expected[] = {
        SystemItem(5),
        SystemItem(2),
        SystemItem(0),  // the live name, with the preset number cleared
        Music(0, 3),
        Music(1, 31),
        Music(1, 33),
        Output(0, 36),
        Output(0, 31),
        Output(0, 32, 1),
        Output(0, 34),
        Output(0, 35),
        Output(0, 33, 1),
        Output(0, 5, 1),
        Output(2, 0, 1),
        kStatusPoll,
        kStatusPoll,
    };
    for (size_t k = 0; k < std::size(expected); ++k)
        EXPECT_EQ(Next(), expected[k]) << "call " << k;
    EXPECT_EQ(g_byCurrentPreset, 0);
    EXPECT_EQ(NameNotices(), 0u);
}

TEST_F(ChangeScanTest, EachFrameCarriesTheRecordJustWrittenIntoTheImage)
{
    NameAlreadyTracked();
    g_bDeviceSynced = true;
    CKTV_OutData& out = *m_pSet->GetOutput(9);
    out.GetBand(17)->SetGainIndex(333);
    out.SetMixLevel(10, 42);
    for (int record : {34, 17}) {
        auto frame = m_pSet->NextChangedItem();
        ASSERT_EQ(HeadOf(*frame), Output(9, record));
        EXPECT_EQ(PayloadOf(*frame), ImageBytes(OutputBlockOffset(9) + 8 * record, 8));
    }
    EXPECT_EQ(GetWord(g_CurrentImage.bytes + OutputBlockOffset(9) + 8 * 17 + 2), 333 + 400);
    EXPECT_EQ(g_CurrentImage.bytes[OutputBlockOffset(9) + 8 * 34 + 1], 42);
}

TEST_F(ChangeScanTest, BandMoveGoesOutInOctaveStepsAndOnceMore)
{
    NameAlreadyTracked();
    g_bDeviceSynced = true;
    CFilter* band = m_pSet->GetOutput(1)->GetBand(7);  // 100 Hz
    band->SetFrequency(1000, true);
    std::vector<int> sent;
    for (auto frame = m_pSet->NextChangedItem(); HeadOf(*frame) == Output(1, 7); frame = m_pSet->NextChangedItem())
        sent.push_back(GetWord(PayloadOf(*frame).data()));
    EXPECT_EQ(sent, (std::vector<int>{200, 400, 800, 1000, 1000}));
}

TEST_F(ChangeScanTest, LivePresetIsRenamedCustomUntilTheViewHasTakenIt)
{
    // Machine preset 3 is current and the live set is called "Hall".
    StringToFixedField(reinterpret_cast<char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE, QStringLiteral("Hall"));
    g_byCurrentPreset = 3;
    g_bDeviceSynced = true;
    m_pSet->GetOutput(4)->GetBand(7)->SetGainIndex(260);

    EXPECT_EQ(Next(), Output(4, 7));
    EXPECT_EQ(NameNotices(), 0u);

    auto frame = m_pSet->NextChangedItem();
    EXPECT_EQ(HeadOf(*frame), SystemItem(0));
    EXPECT_EQ(PayloadOf(*frame), FixedText("Custom", 16));
    EXPECT_EQ(ImageBytes(0, 16), FixedText("Custom", 16));
    EXPECT_EQ(NameNotices(), 1u);

    // Until the view answers, the name goes out again on every call.
    EXPECT_EQ(Next(), SystemItem(0));
    EXPECT_EQ(Next(), SystemItem(0));
    EXPECT_EQ(NameNotices(), 3u);

    // The view shows the name and asks for the preset number to go.
    g_bSendPresetName = true;
    EXPECT_EQ(Next(), SystemItem(0));
    EXPECT_EQ(g_byCurrentPreset, 0);
    EXPECT_EQ(NameNotices(), 3u);
    EXPECT_EQ(Next(), SystemItem(0));  // the empty name becomes "Custom"
    EXPECT_EQ(g_strEmptyName, QStringLiteral("Custom"));
    EXPECT_EQ(NameNotices(), 4u);

    EXPECT_EQ(Next(), kStatusPoll);
    EXPECT_EQ(Next(), kStatusPoll);
    EXPECT_EQ(NameNotices(), 4u);
    EXPECT_TRUE(g_bTrackPresetName.load());
}

TEST_F(ChangeScanTest, WholeBlockSentFromTheLiveSetStartsTheRenaming)
{
    BuildBlockFrame(0, BLOCK_OUTPUT, 3, true, false);
    EXPECT_EQ(Next(), SystemItem(0));
    EXPECT_EQ(NameNotices(), 1u);
}

TEST_F(ChangeScanTest, MusicNoiseGateOfZeroGoesOutAsRecord33)
{
    NameAlreadyTracked();
    g_bDeviceSynced = true;
    g_CurrentImage.bytes[MusicBlockOffset(0) + 264] = 40;
    m_pSet->GetMusic(0)->SetNoiseGate(0);
    auto frame = m_pSet->NextChangedItem();
    EXPECT_EQ(HeadOf(*frame), Music(0, 33));
    EXPECT_EQ(g_CurrentImage.bytes[MusicBlockOffset(0) + 264], 0);
    EXPECT_EQ(m_pSet->GetMusic(0)->FormatNoiseGate(), QStringLiteral("OFF"));
    // A crossover change of a music channel sends nothing by itself.
    m_pSet->GetMusic(0)->GetHighPass()->SetFrequency(200, true);
    EXPECT_EQ(Next(), kStatusPoll);
}

}  // namespace
