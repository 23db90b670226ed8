// Editing on the output page hosted by the running view: the band fields,
// the flat toggles and the all-bypass, the crossover filters. After each
// action three things are read: the model, the frames the page queued, and
// the frames the change scan yields.
#include <gtest/gtest.h>

#include <QString>

#include "model/FrameBuilder.h"
#include "model/WindowMessages.h"
#include "tests/app/OutputEditFixture.h"

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

}  // namespace
