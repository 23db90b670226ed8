// Editing on the output page hosted by the running view: the band fields,
// the flat toggles and the all-bypass, the crossover filters. After each
// action three things are read: the model, the frames the page queued, and
// the frames the change scan yields.
#include <gtest/gtest.h>

#include <functional>

#include <QCursor>
#include <QString>
#include <QStringList>

#include "model/FrameBuilder.h"
#include "model/Geometry.h"
#include "model/WindowMessages.h"
#include "platform/core/SendLock.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/app/OutputEditFixture.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/pages/RecordingMainView.h"

namespace {

class OutputEditTest : public OutputEditFixture {};

// The frame's 16-bit payload word at byte at.
int PayloadWord(const EditFrame& frame, int at)
{
    return frame[FRAME_HEADER_SIZE + at] | (frame[FRAME_HEADER_SIZE + at + 1] << 8);
}

TEST_F(OutputEditTest, TypedBandValuesReachTheLinkedOutputsOnlyAndTheStoredValueStillMarks)
{
    Link({0, 3, 5});
    enum Field { FREQ, Q, GAIN };
    struct Case {
        Field field;
        int band;
        const char* text;
        int (CFilter::*get)() const;
    };
    const Case cases[] = {
        {FREQ, 4, "1234", &CFilter::GetFrequency},
        {Q, 9, "2.5", &CFilter::GetBandwidthIndex},
        {GAIN, 17, "3", &CFilter::GetGainIndex},
        {GAIN, 30, "-4.5", &CFilter::GetGainIndex},
    };
    for (const Case& c : cases) {
        CNumEdit* fields[] = {&m_pPage->m_editBandFreq[c.band], &m_pPage->m_editBandQ[c.band],
                              &m_pPage->m_editBandGain[c.band]};
        CNumEdit& field = *fields[c.field];
        const int before = (Band(1, c.band)->*c.get)();
        Type(field, QString::fromLatin1(c.text));
        const int value = (Band(0, c.band)->*c.get)();
        EXPECT_NE(value, before) << c.text;
        for (int output : {3, 5})
            EXPECT_EQ((Band(output, c.band)->*c.get)(), value) << c.text << " output " << output;
        EXPECT_EQ((Band(1, c.band)->*c.get)(), before) << c.text << ": an unlinked output";
        EXPECT_EQ(m_pPage->m_stcBandLabel[c.band].TextColor(), COutputDlg::kLabelRed) << c.text;
        EXPECT_EQ(m_pPage->m_pActiveEdit, &field) << c.text;
        EXPECT_TRUE(field.IsActiveLook()) << c.text;
        EXPECT_EQ(g_abOutputEdited[0], 1) << c.text;
        EXPECT_EQ(g_abOutputEdited[3] + g_abOutputEdited[5], 0) << c.text;
        EXPECT_TRUE(Queued().empty()) << c.text;
        // The three linked outputs' band records, in output order (a
        // frequency goes out an octave per frame).
        std::vector<int> outputs;
        for (const EditFrame& frame : Scanned()) {
            EXPECT_EQ(frame[FRAME_RECORD_BYTE], c.band) << c.text;
            if (outputs.empty() || outputs.back() != frame[FRAME_ITEM_BYTE])
                outputs.push_back(frame[FRAME_ITEM_BYTE]);
        }
        EXPECT_EQ(outputs, (std::vector<int>{0, 3, 5})) << c.text;

        // The stored value typed again: no change, still lit and marked.
        g_abOutputEdited[0] = 0;
        m_pPage->HighlightBandLabel(0, false);
        Type(field, field.text());
        EXPECT_EQ((Band(0, c.band)->*c.get)(), value) << c.text;
        EXPECT_TRUE(Scanned().empty()) << c.text;
        EXPECT_EQ(m_pPage->m_stcBandLabel[c.band].TextColor(), COutputDlg::kLabelRed) << c.text;
        EXPECT_EQ(g_abOutputEdited[0], 1) << c.text;
    }
}

TEST_F(OutputEditTest, ATypedGainGoesOutAsItsRecordAndALinkedOutputsFollows)
{
    Type(m_pPage->m_editBandGain[17], QStringLiteral("3"));
    EXPECT_TRUE(Queued().empty());
    EXPECT_EQ(Scanned(), std::vector<EditFrame>{WriteFrame("04 00 11 00 00 08 00 E8 03 76 02 3C 00 02 00 1C AA")});

    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(0, 17)->SetGainIndex(200);
    }
    StartFromSyncedDefaults();
    Link({0, 1});
    Type(m_pPage->m_editBandGain[17], QStringLiteral("3"));
    EXPECT_TRUE(Queued().empty());
    EXPECT_EQ(Scanned(), (std::vector<EditFrame>{WriteFrame("04 00 11 01 00 08 00 E8 03 76 02 3C 00 02 00 1D AA"),
                                                 WriteFrame("04 01 11 01 00 08 00 E8 03 76 02 3C 00 02 00 1C AA")}));
}

TEST_F(OutputEditTest, ZeroGainFlattensAndTheFlatToggleGivesTheKeptGainBack)
{
    // 0.0 dB makes the band flat: "BY" checked.
    Type(m_pPage->m_editBandGain[2], QStringLiteral("0"));
    Type(m_pPage->m_editBandGain[2], QStringLiteral("2"));
    EXPECT_FALSE(m_pPage->m_btnBandBypass[2].GetCheck());
    Type(m_pPage->m_editBandGain[2], QStringLiteral("0.0"));
    EXPECT_TRUE(m_pPage->m_btnBandBypass[2].GetCheck());
    EXPECT_TRUE(Band(0, 2)->IsBypassedOrFlat());

    // "BY" on a band at 0 dB leaves it flat.
    Scanned();
    Click(m_pPage->m_btnBandBypass[2]);
    EXPECT_TRUE(Band(0, 2)->IsBypassedOrFlat());
    EXPECT_TRUE(m_pPage->m_btnBandBypass[2].GetCheck());
    EXPECT_TRUE(Scanned().empty());

    // A flat band that keeps +3.0 dB: "BY" brings it back everywhere.
    Link({0, 6});
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        for (int output : {0, 6}) {
            Band(output, 8)->SetGainIndex(230);
            Band(output, 8)->SetFlat(true);
        }
    }
    m_pPage->RefreshChannel();
    ASSERT_TRUE(m_pPage->m_btnBandBypass[8].GetCheck());
    ASSERT_EQ(m_pPage->m_editBandGain[8].text(), QStringLiteral("0.0"));
    Scanned();
    Click(m_pPage->m_btnBandBypass[8]);
    EXPECT_FALSE(m_pPage->m_btnBandBypass[8].GetCheck());
    EXPECT_EQ(Band(0, 8)->GetGainIndex(), 230);
    EXPECT_EQ(Band(6, 8)->GetGainIndex(), 230) << "the linked output follows";
    EXPECT_EQ(m_pPage->m_editBandGain[8].text(), QStringLiteral("3.0"));
    EXPECT_EQ(m_pPage->m_spinBandGain[8].GetPos(), 230);
    EXPECT_EQ(m_pPage->m_sldBandGain[8].GetValue(), 230);
    EXPECT_TRUE(m_pPage->m_editBandGain[8].hasFocus());
    EXPECT_EQ(Scanned().size(), 2u);
}

TEST_F(OutputEditTest, AllBypassAsksQueuesTheOutputTwiceAndItsGroupOnceOnlyOnYes)
{
    // Every filter flat: nothing to ask, the toggle stays checked.
    ASSERT_TRUE(m_pPage->m_btnAllBypass.GetCheck());
    Click(m_pPage->m_btnAllBypass);
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_TRUE(m_pPage->m_btnAllBypass.GetCheck());
    EXPECT_TRUE(Queued().empty());
    EXPECT_TRUE(Scanned().empty());
    EXPECT_EQ(g_abOutputEdited[0], 0);

    Type(m_pPage->m_editBandGain[5], QStringLiteral("3"));
    Scanned();
    ASSERT_FALSE(m_pPage->m_btnAllBypass.GetCheck());

    // No: everything stays.
    {
        CMessageBoxSpy no(IDNO);
        Click(m_pPage->m_btnAllBypass);
        ASSERT_EQ(no.shown.size(), 1u);
    }
    EXPECT_FALSE(m_pPage->m_btnAllBypass.GetCheck());
    EXPECT_FALSE(Band(0, 5)->IsBypassedOrFlat());
    EXPECT_TRUE(Queued().empty());
    EXPECT_TRUE(Scanned().empty());

    // Yes: the output off, its block, on; then once more with its group.
    const EditFrame off = WriteFrame("04 00 1F 00 00 08 00 00 00 58 02 00 00 00 06 EF AA");
    const EditFrame on = WriteFrame("04 00 1F 00 00 08 00 01 00 58 02 00 00 00 06 EE AA");
    {
        CMessageBoxSpy yes(IDYES);
        Click(m_pPage->m_btnAllBypass);
        ASSERT_EQ(yes.shown.size(), 1u);
        EXPECT_EQ(yes.shown[0].text, QStringLiteral("Whether ByPass All EQ?"));
        EXPECT_EQ(yes.shown[0].type, unsigned(MB_YESNO));
        EXPECT_EQ(yes.shown[0].helpId, -3);
    }
    std::vector<EditFrame> frames = Queued();
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_EQ(frames[0], off);
    EXPECT_EQ(frames[1], off);
    EXPECT_EQ(frames[3], on);
    EXPECT_EQ(frames[4], off);
    EXPECT_EQ(frames[6], on);
    for (int k : {2, 5}) {
        const EditFrame head(frames[k].begin(), frames[k].begin() + FRAME_HEADER_SIZE);
        EXPECT_EQ(head, WriteFrame("04 00 00 00 00 28 01")) << k;
        EXPECT_EQ(frames[k][FRAME_HEADER_SIZE + 31 * RECORD_SIZE], 0) << "switched off in the block";
        EXPECT_EQ(PayloadWord(frames[k], 5 * RECORD_SIZE + 2), 600) << "band 5 bypassed";
    }
    EXPECT_TRUE(m_pPage->m_btnAllBypass.GetCheck());
    EXPECT_TRUE(m_pPage->m_btnBandBypass[5].GetCheck());
    EXPECT_EQ(m_pPage->m_editBandGain[5].text(), QStringLiteral("0.0"));
    EXPECT_EQ(g_abOutputEdited[0], 1);
    EXPECT_TRUE(Scanned().empty()) << "the blocks leave the scan nothing";

    // Restored in Chinese, with a linked output: its three frames follow.
    g_bChinese = true;
    Link({0, 2});
    {
        CMessageBoxSpy yes(IDYES);
        Click(m_pPage->m_btnAllBypass);
        ASSERT_EQ(yes.shown.size(), 1u);
        EXPECT_EQ(yes.shown[0].text, QStringLiteral("是否恢复所有均衡?"));
        EXPECT_EQ(yes.shown[0].helpId, -2);
    }
    frames = Queued();
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames[0], off);
    for (int k = 7; k < 10; ++k)
        EXPECT_EQ(frames[k][FRAME_ITEM_BYTE], 2) << k;
    EXPECT_EQ(frames[8][FRAME_LENGTH_BYTE], 0x28);
    EXPECT_EQ(PayloadWord(frames[5], 5 * RECORD_SIZE + 2), 630) << "band 5 at +3.0 dB again";
    EXPECT_FALSE(Band(0, 5)->IsBypassedOrFlat());
    EXPECT_EQ(m_pPage->m_editBandGain[5].text(), QStringLiteral("3.0"));
    EXPECT_EQ(m_pPage->m_sldBandGain[5].GetValue(), 230);
    EXPECT_FALSE(m_pPage->m_btnAllBypass.GetCheck());
}

// The view's senders as the page calls them, each noting whether the send
// lock is held: while it is, the worker's change scan adds no frame between.
class CLockWatchingView : public CRecordingMainView {
public:
    void SendOutputOff(int channel) override { Note("off", channel); }
    void SendOutputChannelBlockNoLock(int channel) override { Note("block no lock", channel); }
    void SendOutputChannelBlock(int channel) override { Note("block", channel); }
    void Note(const char* what, int channel)
    {
        calls.push_back(QStringLiteral("%1 %2%3")
                            .arg(QString::fromLatin1(what))
                            .arg(channel)
                            .arg(g_csSendLock.IsLocked() ? QString() : QStringLiteral(" unlocked")));
    }
    QStringList calls;
};

TEST_F(OutputEditTest, TheAllBypassHoldsTheSendLockFromTheFirstMutingRecordToTheLast)
{
    CLockWatchingView watch;
    m_pPage->m_pView = &watch;
    Link({0, 2});
    Type(m_pPage->m_editBandGain[5], QStringLiteral("3"));
    {
        CMessageBoxSpy yes(IDYES);
        Click(m_pPage->m_btnAllBypass);
    }
    m_pPage->m_pView = View();
    EXPECT_EQ(watch.calls, (QStringList{QStringLiteral("off 0"), QStringLiteral("block no lock 0"),
                                        QStringLiteral("block 0"), QStringLiteral("block 2")}));
    EXPECT_FALSE(g_csSendLock.IsLocked());
    EXPECT_TRUE(Band(2, 5)->IsBypassed());
}

TEST_F(OutputEditTest, CrossoverLimitsApplyToTheCurrentOutputOnlyAndOnlyToAChangedValue)
{
    struct Case {
        const char* what;
        bool highPass;
        int otherHz;  // the other filter's frequency first
        const char* typed;
        int stored;
    };
    const Case cases[] = {
        {"high-pass above the low-pass", true, 3000, "5000", 3000},
        {"low-pass below the high-pass", false, 200, "100", 200},
        {"equal frequencies", true, 3000, "3000", 3000},
        {"in range", false, 200, "8000", 8000},
    };
    for (const Case& c : cases) {
        StartFromSyncedDefaults();
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            (c.highPass ? Output(0)->GetLowPass() : Output(0)->GetHighPass())->SetFrequency(c.otherHz, false);
        }
        m_pPage->RefreshChannel();
        Type(c.highPass ? m_pPage->m_editHpfFreq : m_pPage->m_editLpfFreq, QString::fromLatin1(c.typed));
        CFilter* filter = c.highPass ? Output(0)->GetHighPass() : Output(0)->GetLowPass();
        EXPECT_EQ(filter->GetFrequency(), c.stored) << c.what;
        EXPECT_EQ((c.highPass ? m_pPage->m_spinHpfFreq : m_pPage->m_spinLpfFreq).GetPos(), c.stored) << c.what;
        EXPECT_EQ(m_pPage->Graph().GetSelection(), c.highPass ? 31 : 32) << c.what;
        EXPECT_EQ(g_abOutputEdited[0], 1) << c.what;
        // The crossover record goes out, its last frame at the new value.
        const std::vector<EditFrame> scanned = Scanned();
        ASSERT_FALSE(scanned.empty()) << c.what;
        EXPECT_EQ(scanned.back()[FRAME_RECORD_BYTE], 32) << c.what;
        EXPECT_EQ(PayloadWord(scanned.back(), c.highPass ? 0 : 4), c.stored) << c.what;
        EXPECT_TRUE(Queued().empty()) << c.what;
    }

    // A linked output takes the value past its own low-pass.
    StartFromSyncedDefaults();
    Link({0, 4});
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(4)->GetLowPass()->SetFrequency(1000, false);
    }
    Type(m_pPage->m_editHpfFreq, QStringLiteral("5000"));
    EXPECT_EQ(Output(0)->GetHighPass()->GetFrequency(), 5000);
    EXPECT_EQ(Output(4)->GetHighPass()->GetFrequency(), 5000);
}

TEST_F(OutputEditTest, SlopeAndFamilyPicksShowTheFamilyByTheSlopeAndAlwaysMarkTheOutput)
{
    Link({0, 7});
    const auto pick = [&](CComBoxBtn& list, UINT listId, int item) {
        list.SetCurSel(item);
        PostMessage(m_pPage, WM_COMBOBTN_SELCHANGE, listId, item);
        m_pPage->DeliverPosted();
    };
    m_pPage->HighlightBandLabel(3, true);
    pick(m_pPage->m_cbHpfSlope, COutputDlg::IDC_HPF_SLOPE_LIST, 0);
    EXPECT_EQ(Output(0)->GetHighPass()->GetSlope(), 0);
    EXPECT_EQ(Output(7)->GetHighPass()->GetSlope(), 0);
    EXPECT_FALSE(m_pPage->m_cbHpfFamily.isVisible()) << "6 dB/Oct has no family";
    EXPECT_EQ(m_pPage->m_pHighlightLabel, nullptr);
    pick(m_pPage->m_cbLpfSlope, COutputDlg::IDC_LPF_SLOPE_LIST, 8);
    EXPECT_EQ(Output(7)->GetLowPass()->GetSlope(), 8);
    EXPECT_TRUE(m_pPage->m_cbLpfFamily.isVisible()) << "OFF shows the family";
    pick(m_pPage->m_cbLpfFamily, COutputDlg::IDC_LPF_FAMILY_LIST, 2);
    EXPECT_EQ(Output(0)->GetLowPass()->GetFamily(), 2);
    EXPECT_EQ(Output(7)->GetLowPass()->GetFamily(), 2);
    EXPECT_EQ(m_pPage->Graph().GetSelection(), 32);
    Scanned();

    // The family it has already: no change, a redraw and the mark all the
    // same.
    g_abOutputEdited[0] = 0;
    m_pPage->Graph().RedrawByMode(-1);
    pick(m_pPage->m_cbHpfFamily, COutputDlg::IDC_HPF_FAMILY_LIST, Output(0)->GetHighPass()->GetFamily());
    EXPECT_TRUE(Scanned().empty());
    EXPECT_EQ(m_pPage->Graph().GetSelection(), 31);
    EXPECT_EQ(g_abOutputEdited[0], 1);
}

// The basic record (31) of an output among the frames, null when absent.
const EditFrame* BasicRecordOf(const std::vector<EditFrame>& frames, int output)
{
    for (const EditFrame& f : frames) {
        if (f[FRAME_BLOCK_BYTE] == BLOCK_OUTPUT && f[FRAME_ITEM_BYTE] == output && f[FRAME_RECORD_BYTE] == 31 &&
            f[FRAME_LENGTH_BYTE] == RECORD_SIZE)
            return &f;
    }
    return nullptr;
}

TEST_F(OutputEditTest, ALevelChangeSwitchesTheOutputOnAndAnUnchangedOneDoesNothing)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(0)->SetOn(0);
        m_pData->ClearChangeFlags(false);
    }
    m_pPage->m_strips[0].SetOutputOn(0);
    Commit(m_pPage->m_spinLevel, 500);
    EXPECT_EQ(Output(0)->GetGain(), 500);
    EXPECT_EQ(Output(0)->GetOn(), 1);
    EXPECT_EQ(m_pPage->m_strips[0].m_bOn, 1);
    EXPECT_EQ(m_pPage->m_sldLevel.GetValue(), 500);
    std::vector<EditFrame> scanned = Scanned();
    ASSERT_EQ(scanned.size(), 1u);
    EXPECT_EQ(scanned[0], WriteFrame("04 00 1F 00 00 08 00 01 00 F4 01 00 00 00 06 41 AA"));

    // The same level again: an output that is off stays off.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(0)->SetOn(0);
        m_pData->ClearChangeFlags(false);
    }
    Commit(m_pPage->m_spinLevel, 500);
    EXPECT_EQ(Output(0)->GetOn(), 0);
    EXPECT_TRUE(Scanned().empty());

    // The fader: the level and its field follow, the output comes on.
    m_pPage->m_sldLevel.SetValue(420);
    SendMessage(m_pPage, WM_SLIDER_MOVING, COutputDlg::IDC_LEVEL_SLIDER, 0);
    EXPECT_EQ(Output(0)->GetGain(), 420);
    EXPECT_EQ(Output(0)->GetOn(), 1);
    EXPECT_EQ(m_pPage->m_spinLevel.GetPos(), 420);
    EXPECT_EQ(g_abOutputEdited[0], 1);
    EXPECT_TRUE(Queued().empty());
}

TEST_F(OutputEditTest, PolarityDelayAndMixSourcesWriteTheirValuesOnce)
{
    Command(COutputDlg::IDC_POLARITY);
    EXPECT_EQ(Output(0)->GetPolarity(), 1);
    EXPECT_TRUE(m_pPage->m_btnPolarity.GetCheck());
    Scanned();

    // A delay typed in centimetres shows at once in ms and inches.
    m_pPage->m_editDelayCm.selectAll();
    QTest::keyClicks(&m_pPage->m_editDelayCm, QStringLiteral("100"));
    Command(COutputDlg::IDC_DELAY_CM_EDIT);
    const int word = Output(0)->GetDelay();
    EXPECT_GT(word, 0);
    EXPECT_EQ(m_pPage->m_spinDelayCm.GetPos(), word);
    EXPECT_EQ(m_pPage->m_spinDelayMs.GetPos(), word);
    EXPECT_EQ(m_pPage->m_spinDelayInch.GetPos(), word);
    EXPECT_EQ(m_pPage->m_editDelayMs.text(), QString::asprintf("%0.3fMS", word / 48.0));
    const std::vector<EditFrame> scanned = Scanned();
    ASSERT_EQ(scanned.size(), 1u) << "the output gets the delay once";
    EXPECT_EQ(PayloadWord(scanned[0], 4), word);

    // The kept levels of sources 1 to 6 come from entries 0 to 5; off
    // stores 0 whatever is kept.
    static_assert(sizeof(m_pPage->m_nMixLevel) / sizeof(int) == MIX_SOURCE_COUNT, "one entry per source");
    COutputDlg* page = m_pPage;
    const std::function<void()> setters[] = {
        [page] { page->SetMixSource1(4, true); }, [page] { page->SetMixSource2(4, true); },
        [page] { page->SetMixSource3(4, true); }, [page] { page->SetMixSource4(4, true); },
        [page] { page->SetMixSource5(4, true); }, [page] { page->SetMixSource6(4, true); }};
    for (int n = 1; n <= 6; ++n) {
        page->m_nMixLevel[n - 1] = 10 + n;
        setters[n - 1]();
        EXPECT_EQ(Output(4)->GetMixLevel(n), 10 + n) << n;
    }
    m_pPage->SetMixSource3(4, false);
    EXPECT_EQ(Output(4)->GetMixLevel(3), 0);
}

TEST_F(OutputEditTest, EqModeAndResetActOnYesOnlyAndSendTheGroupsBlocks)
{
    Link({0, 9});
    {
        CMessageBoxSpy no(IDNO);
        Click(m_pPage->m_btnEqMode);
        ASSERT_EQ(no.shown.size(), 1u);
        EXPECT_EQ(no.shown[0].text, QStringLiteral("Whether the PEQ Mode convert to GEQ Mode?"));
        Click(m_pPage->m_btnResetEq);
        ASSERT_EQ(no.shown.size(), 2u);
        EXPECT_EQ(no.shown[1].text, QStringLiteral("Whether the reset All EQ?"));
    }
    EXPECT_FALSE(m_pPage->m_btnEqMode.GetCheck());
    EXPECT_EQ(Output(0)->GetEqMode(), 0);
    EXPECT_TRUE(Queued().empty());
    EXPECT_TRUE(Scanned().empty());

    for (bool reset : {false, true}) {
        {
            CMessageBoxSpy yes(IDYES);
            Click(reset ? m_pPage->m_btnResetEq : m_pPage->m_btnEqMode);
            ASSERT_EQ(yes.shown.size(), 1u) << reset;
        }
        // Item 5 (muted), the group's blocks, item 5 again.
        const std::vector<EditFrame> frames = Queued();
        ASSERT_EQ(frames.size(), 4u) << reset;
        for (int k : {0, 3}) {
            EXPECT_EQ(frames[k][FRAME_BLOCK_BYTE], BLOCK_SYSTEM) << reset;
            EXPECT_EQ(frames[k][FRAME_ITEM_BYTE], 5) << reset;
        }
        EXPECT_EQ(frames[1][FRAME_ITEM_BYTE], 0) << reset;
        EXPECT_EQ(frames[2][FRAME_ITEM_BYTE], 9) << reset;
        const std::vector<EditFrame> scanned = Scanned();
        if (reset) {
            EXPECT_TRUE(scanned.empty());
            continue;
        }
        EXPECT_TRUE(m_pPage->m_btnEqMode.GetCheck());
        EXPECT_FALSE(m_pPage->m_editBandFreq[3].isEnabled());
        for (int output : {0, 9}) {
            const EditFrame* basic = BasicRecordOf(scanned, output);
            ASSERT_NE(basic, nullptr) << output;
            EXPECT_EQ((*basic)[FRAME_HEADER_SIZE + 6], 1) << "GEQ on output " << output;
        }
    }
}

TEST_F(OutputEditTest, GraphNoticesShowTheBandAndGiveItToTheGroupOnce)
{
    Link({0, 2, 4});
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        CFilter* band = Band(0, 7);
        band->SetFrequency(140, true);
        band->SetBandwidthIndex(80);
        band->SetGainIndex(270);
    }
    m_pPage->Graph().m_bReleased = true;
    PostMessage(m_pPage, WM_GRAPH_CHANGED, 7, 768);
    m_pPage->DeliverPosted();
    for (int output : {2, 4}) {
        EXPECT_EQ(Band(output, 7)->GetFrequency(), 140) << output;
        EXPECT_EQ(Band(output, 7)->GetBandwidthIndex(), 80) << output;
        EXPECT_EQ(Band(output, 7)->GetGainIndex(), 270) << output;
    }
    EXPECT_EQ(Band(1, 7)->GetGainIndex(), 200);
    EXPECT_EQ(m_pPage->m_spinBandFreq[7].GetPos(), 140);
    EXPECT_EQ(m_pPage->m_sldBandGain[7].GetValue(), 270);
    EXPECT_EQ(g_abOutputEdited[0], 1);
    EXPECT_EQ(g_abOutputEdited[2] + g_abOutputEdited[4], 0);
    EXPECT_TRUE(m_pPage->m_editBandGain[7].hasFocus());
    EXPECT_FALSE(m_pPage->Graph().m_bReleased);

    // The filters: the field shows the frequency, the group gets it.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(0)->GetHighPass()->SetFrequency(90, true);
        Output(0)->GetLowPass()->SetFrequency(9000, true);
    }
    for (int item : {31, 32}) {
        PostMessage(m_pPage, WM_GRAPH_CHANGED, WPARAM(item), 768);
        m_pPage->DeliverPosted();
        const bool high = item == 31;
        EXPECT_EQ((high ? m_pPage->m_spinHpfFreq : m_pPage->m_spinLpfFreq).GetPos(), high ? 90 : 9000);
        EXPECT_EQ((high ? Output(4)->GetHighPass() : Output(4)->GetLowPass())->GetFrequency(), high ? 90 : 9000);
        EXPECT_EQ(m_pPage->m_pActiveEdit, high ? &m_pPage->m_editHpfFreq : &m_pPage->m_editLpfFreq);
        EXPECT_EQ(m_pPage->Graph().GetSelection(), item);
        EXPECT_EQ(m_pPage->m_pHighlightLabel, nullptr);
    }

    // A fader of a band moves the band and its spin.
    m_pPage->m_sldBandGain[7].SetValue(250);
    SendMessage(m_pPage, WM_SLIDER_MOVING, COutputDlg::IDC_BAND_FADER + 7, 0);
    EXPECT_EQ(Band(0, 7)->GetGainIndex(), 250);
    EXPECT_EQ(Band(2, 7)->GetGainIndex(), 250);
    EXPECT_EQ(m_pPage->m_spinBandGain[7].GetPos(), 250);
}

TEST_F(OutputEditTest, ADragAndReleaseEndInOneHandledNotice)
{
    CFStatic& graph = m_pPage->Graph();
    QPoint handle;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const Point c = CenterOf(Band(0, 17)->GetHandleRect());
        handle = QPoint(c.x, c.y);
    }
    SendMouse(&graph, QEvent::MouseMove, handle);
    SendMouse(&graph, QEvent::MouseMove, handle);
    SendMouse(&graph, QEvent::MouseButtonPress, handle, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&graph, QEvent::MouseMove, handle + QPoint(0, -30), Qt::NoButton, Qt::LeftButton);
    SendMouse(&graph, QEvent::MouseButtonRelease, handle + QPoint(0, -30), Qt::LeftButton, Qt::NoButton);
    // The graph's notices, 200 ms apart.
    int notices = 0;
    for (int tick = 0; tick < 5; ++tick) {
        graph.OnTimer(CFStatic::TIMER_NOTIFY);
        notices += m_pPage->PendingCount() > 0 ? 1 : 0;
        m_pPage->DeliverPosted();
    }
    EXPECT_EQ(notices, 1);
    EXPECT_GT(Band(0, 17)->GetGainIndex(), 200);
    EXPECT_EQ(m_pPage->m_spinBandGain[17].GetPos(), Band(0, 17)->GetGainIndex());
    EXPECT_TRUE(m_pPage->m_editBandGain[17].hasFocus());
    // The dragged band goes to the device through the scan.
    const std::vector<EditFrame> scanned = Scanned();
    ASSERT_FALSE(scanned.empty());
    EXPECT_EQ(scanned[0][FRAME_RECORD_BYTE], 17);
}

TEST_F(OutputEditTest, TheFocusRingMovesByIdAndLightsTheBandEntered)
{
    enum How { RIGHT, LEFT, ENTER, FIRST };
    struct Case {
        int from;
        How how;
        bool gainOnly;
        int to;
        int lit;  // -1 none
    };
    const Case cases[] = {
        {5030, RIGHT, false, 4002, 30},  // the band entered last stays lit
        {4002, LEFT, false, 5030, 30},   {4012, RIGHT, true, 5000, 0},  {5030, ENTER, false, 4002, 30},
        {5200, ENTER, false, 4500, 0},   {4500, ENTER, false, 5000, 0}, {5005, ENTER, false, 5206, 6},
        {1005, RIGHT, false, 4010, -1},  {1004, LEFT, false, 4002, -1}, {4002, RIGHT, false, 1004, -1},
        {4012, RIGHT, false, 5200, 0},   {0, FIRST, true, 5000, 0},     {0, FIRST, false, 5200, -1},
    };
    for (const Case& c : cases) {
        m_pPage->m_btnEqMode.SetCheck(c.gainOnly);
        m_pPage->ClearBandFocus();
        if (c.from >= 5000)
            m_pPage->HighlightBandLabel(c.from % 100 % 40, true);
        switch (c.how) {
        case RIGHT:
        case LEFT:
            PostMessage(m_pPage, WM_FOCUS_NEIGHBOUR, WPARAM(c.from), c.how == RIGHT ? VK_RIGHT : VK_LEFT);
            break;
        case ENTER: {
            auto* field = static_cast<CNumEdit*>(GetDlgItem(m_pPage, c.from));
            field->setFocus(Qt::TabFocusReason);
            QTest::keyClick(field, Qt::Key_Return);
            break;
        }
        case FIRST:
            m_pPage->setFocus();
            m_pPage->FocusFirstBandField();
            break;
        }
        m_pPage->DeliverPosted();
        EXPECT_EQ(m_pPage->RingFocusId(), c.to) << c.from << " " << c.how;
        const QWidget* lit = m_pPage->m_pHighlightLabel;
        EXPECT_EQ(lit, c.lit < 0 ? nullptr : &m_pPage->m_stcBandLabel[c.lit]) << c.from << " " << c.how;
    }

    // The page holding the hidden level field's turn: Tab moves on.
    m_pPage->m_btnEqMode.SetCheck(false);
    PostMessage(m_pPage, WM_FOCUS_NEIGHBOUR, COutputDlg::IDC_HPF_FREQ_EDIT, VK_LEFT);
    m_pPage->DeliverPosted();
    ASSERT_EQ(m_pPage->RingFocusId(), int(COutputDlg::IDC_LEVEL_EDIT));
    QTest::keyClick(m_pPage, Qt::Key_Tab);
    m_pPage->DeliverPosted();
    EXPECT_EQ(m_pPage->RingFocusId(), int(COutputDlg::IDC_HPF_FREQ_EDIT));
}

TEST_F(OutputEditTest, ThePointerParksOnlyFromInsideThePlot)
{
    CFStatic& graph = m_pPage->Graph();
    const CRect& plot = graph.GetPlotRect();
    const QPoint parking = graph.mapToGlobal(QPoint(0, graph.GetClientRect().bottom));
    const QPoint inside = graph.mapToGlobal(QPoint((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2));
    const QPoint outside = graph.mapToGlobal(QPoint(plot.left + 10, plot.bottom + 200));
    for (const QPoint& start : {inside, outside}) {
        QCursor::setPos(start);
        ASSERT_EQ(QCursor::pos(), start);
        PostMessage(m_pPage, WM_FOCUS_NEIGHBOUR, 5003, VK_RIGHT);
        m_pPage->DeliverPosted();
        EXPECT_EQ(QCursor::pos(), start == inside ? parking : outside);
    }
}

}  // namespace
