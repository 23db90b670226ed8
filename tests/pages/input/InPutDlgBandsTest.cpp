// The input page's EQ bands: typed values, fader and graph messages, the
// band bypass, and the all-bypass, reset and PEQ/GEQ buttons, checked on
// the model, the queued frames and the frames the change scan yields.
#include "model/Filter.h"
#include "model/SharedTexts.h"
#include "tests/pages/input/InPutDlgFixture.h"

namespace {

using Frames = std::vector<std::vector<BYTE>>;

TEST_F(InPutDlgTest, TypedGainReachesTheScanAsOneBandRecord)
{
    SetKind(1);
    CInPutDlg& p = Open();
    Type(p.m_editGain[7], QStringLiteral("3"));
    Key(Qt::Key_Return);
    EXPECT_TRUE(TakeQueued().empty());
    const Frames frames = Scan();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Head(frames[0], 14), Frame("03 01 07 00 00 08 00"));
    ASSERT_GE(frames[0].size(), 18u);
    EXPECT_EQ(frames[0][16], 0x76);
    EXPECT_EQ(frames[0][17], 0x02);
    EXPECT_EQ(Band(1, 7).GetGainIndex(), 230);
    EXPECT_FALSE(p.m_btnBypass[7].GetCheck());
    // Enter walked on to the next gain field (the channel is in GEQ mode).
    EXPECT_EQ(FocusId(), CInPutDlg::IDC_GAIN_EDIT0 + 8);
}

TEST_F(InPutDlgTest, BandFieldsWriteTheirBand)
{
    SetKind(3);
    SetPeq(3);
    CInPutDlg& p = Open();
    struct Case {
        int band;
        bool typed;  // else the field's WM_COMMAND after a set value
    };
    for (const Case c : {Case{0, true}, Case{14, true}, Case{30, false}}) {
        SCOPED_TRACE(c.band);
        const size_t i = size_t(c.band);
        if (c.typed) {
            Type(p.m_editFreq[i], QStringLiteral("2500"));
            Type(p.m_editBw[i], QStringLiteral("2"));
            Type(p.m_editGain[i], QStringLiteral("-4.5"));
            p.setFocus(Qt::OtherFocusReason);
            Pump();
        } else {
            p.m_editFreq[i].SetValue(2500);
            Command(CInPutDlg::IDC_FREQ_EDIT0 + c.band);
            p.m_spinBw[i].SetPos(140);
            Command(CInPutDlg::IDC_BW_SPIN0 + c.band);
            p.m_editGain[i].SetValue(155);
            Command(CInPutDlg::IDC_GAIN_EDIT0 + c.band);
        }
        EXPECT_EQ(Band(3, c.band).GetFrequency(), 2500);
        EXPECT_EQ(Band(3, c.band).GetGainIndex(), 155);
        EXPECT_EQ(Band(3, c.band).GetBandwidthIndex(), p.m_spinBw[i].GetPos());
        EXPECT_EQ(p.m_sldGain[i].GetValue(), 155);
        EXPECT_EQ(RedBand(), c.band);
        EXPECT_EQ(p.Graph().GetSelection(), c.band);
        // Three band records, nothing queued.
        EXPECT_FALSE(Scan().empty());
        EXPECT_TRUE(TakeQueued().empty());
    }
}

TEST_F(InPutDlgTest, AnEqualValueChangesNothingButLightsTheBand)
{
    SetKind(1);
    CInPutDlg& p = Open();
    const int frequency = Band(1, 4).GetFrequency();
    p.m_editFreq[4].SetValue(frequency);
    Command(CInPutDlg::IDC_FREQ_EDIT0 + 4);
    EXPECT_TRUE(Scan().empty());
    EXPECT_EQ(RedBand(), 4);
    EXPECT_EQ(p.ActiveEdit(), &p.m_editFreq[4]);
    Command(CInPutDlg::IDC_GAIN_SPIN0 + 6);
    EXPECT_TRUE(Scan().empty());
    EXPECT_EQ(RedBand(), 6);
    EXPECT_EQ(p.ActiveEdit(), &p.m_editGain[6]);
    EXPECT_FALSE(p.m_editFreq[4].IsActiveLook());
}

TEST_F(InPutDlgTest, ZeroGainShowsBypassedAndUnbypassingKeepsIt)
{
    SetKind(1);
    CInPutDlg& p = Open();
    p.m_editGain[2].SetValue(240);
    Command(CInPutDlg::IDC_GAIN_EDIT0 + 2);
    EXPECT_FALSE(p.m_btnBypass[2].GetCheck());
    EXPECT_FALSE(p.m_btnAllBypass.GetCheck());
    p.m_editGain[2].SetValue(200);
    Command(CInPutDlg::IDC_GAIN_EDIT0 + 2);
    EXPECT_TRUE(Band(1, 2).IsBypassedOrFlat());
    EXPECT_TRUE(p.m_btnBypass[2].GetCheck());
    EXPECT_EQ(p.m_editGain[2].text(), QStringLiteral("0.0"));
    // Every band flat again: the all-bypass shows it.
    EXPECT_EQ(p.m_btnAllBypass.GetCheck(), Music(1).IsAllBypass());
    // A click asks to un-bypass; a band at 0 dB stays flat.
    Command(CInPutDlg::IDC_BYPASS0 + 2);
    EXPECT_TRUE(Band(1, 2).IsBypassedOrFlat());
    EXPECT_TRUE(p.m_btnBypass[2].GetCheck());
    EXPECT_EQ(FocusId(), CInPutDlg::IDC_GAIN_EDIT0 + 2);
}

TEST_F(InPutDlgTest, BypassButtonTogglesABandWithGain)
{
    SetKind(0);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(0, 5).SetGainIndex(260);
    }
    CInPutDlg& p = Open();
    Settle();
    Command(CInPutDlg::IDC_BYPASS0 + 5);
    EXPECT_TRUE(Band(0, 5).IsBypassedOrFlat());
    EXPECT_TRUE(p.m_btnBypass[5].GetCheck());
    EXPECT_EQ(p.m_sldGain[5].GetValue(), 200);
    EXPECT_EQ(Scan().size(), 1u);
    Command(CInPutDlg::IDC_BYPASS0 + 5);
    EXPECT_FALSE(Band(0, 5).IsBypassedOrFlat());
    EXPECT_FALSE(p.m_btnBypass[5].GetCheck());
    EXPECT_EQ(p.m_sldGain[5].GetValue(), 260);
    EXPECT_EQ(p.m_spinGain[5].GetPos(), 260);
}

TEST_F(InPutDlgTest, FaderMessagesWriteTheGainAndOthersAreIgnored)
{
    SetKind(1);
    CInPutDlg& p = Open();
    p.m_sldGain[3].SetValue(280);
    EXPECT_EQ(SendMessage(&p, WM_SLIDER_MOVING, CInPutDlg::IDC_FADER0 + 3, 0), 1);
    EXPECT_EQ(Band(1, 3).GetGainIndex(), 280);
    EXPECT_EQ(p.m_spinGain[3].GetPos(), 280);
    EXPECT_EQ(p.m_editGain[3].text(), QStringLiteral("8.0"));
    p.m_sldGain[3].SetValue(120);
    EXPECT_EQ(SendMessage(&p, WM_SLIDER_MOVED, CInPutDlg::IDC_FADER0 + 3, 0), 1);
    Pump();
    EXPECT_EQ(Band(1, 3).GetGainIndex(), 120);
    EXPECT_EQ(FocusId(), CInPutDlg::IDC_GAIN_EDIT0 + 3);
    Scan();
    // Another control's id: nothing, still answered 1.
    EXPECT_EQ(SendMessage(&p, WM_SLIDER_MOVED, CInPutDlg::IDC_FADER0 + 31, 0), 1);
    EXPECT_EQ(SendMessage(&p, WM_SLIDER_MOVING, 3020, 0), 1);
    EXPECT_TRUE(Scan().empty());
}

TEST_F(InPutDlgTest, GraphMessagesOfTheShownChannelOnly)
{
    SetKind(2);
    CInPutDlg& p = Open();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(2, 6).SetFrequency(800, true);
        Band(2, 6).SetGainIndex(250);
    }
    struct Case {
        WPARAM band;
        LPARAM code;
    };
    // Another channel's code, the high-pass and the low-pass: nothing.
    for (const Case c : {Case{6, 1}, Case{6, 256 + 2}, Case{6, 768 + 2}, Case{31, 2}, Case{32, 2}}) {
        SendMessage(&p, WM_GRAPH_CHANGED, c.band, c.code);
        EXPECT_NE(p.m_spinGain[6].GetPos(), 250);
        EXPECT_EQ(RedBand(), -1);
    }
    p.Graph().m_bReleased = true;
    SendMessage(&p, WM_GRAPH_CHANGED, 6, 2);
    Pump();
    EXPECT_EQ(p.m_spinFreq[6].GetPos(), 800);
    EXPECT_EQ(p.m_spinGain[6].GetPos(), 250);
    EXPECT_EQ(p.m_sldGain[6].GetValue(), 250);
    EXPECT_EQ(RedBand(), 6);
    EXPECT_FALSE(p.Graph().m_bReleased);
    EXPECT_EQ(FocusId(), CInPutDlg::IDC_GAIN_EDIT0 + 6);
    // The graph's focus notice: only bands of the shown channel.
    SendMessage(&p, WM_GRAPH_FOCUS_BAND, 9, 1);
    EXPECT_EQ(RedBand(), 6);
    SendMessage(&p, WM_GRAPH_FOCUS_BAND, 9, 2);
    Pump();
    EXPECT_EQ(RedBand(), 9);
    EXPECT_EQ(p.ActiveEdit(), &p.m_editGain[9]);
    EXPECT_EQ(FocusId(), CInPutDlg::IDC_GAIN_EDIT0 + 9);
}

TEST_F(InPutDlgTest, AllBypassOfFlatBandsAsksNothing)
{
    SetKind(1);
    CInPutDlg& p = Open();
    ASSERT_TRUE(Music(1).IsAllBypass());
    ASSERT_TRUE(p.m_btnAllBypass.GetCheck());
    m_boxes.shown.clear();
    Command(CInPutDlg::IDC_ALL_BYPASS);
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_TRUE(p.m_btnAllBypass.GetCheck());
    EXPECT_TRUE(Music(1).IsAllBypass());
    EXPECT_TRUE(TakeQueued().empty());
}

TEST_F(InPutDlgTest, AllBypassAnsweredNoRestoresEveryBand)
{
    SetKind(1);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(1, 0).SetGainIndex(250);
        Band(1, 20).SetGainIndex(150);
    }
    CInPutDlg& p = Open();
    ASSERT_FALSE(p.m_btnAllBypass.GetCheck());
    CMessageBoxSpy no(IDNO);
    Command(CInPutDlg::IDC_ALL_BYPASS);
    ASSERT_EQ(no.shown.size(), 1u);
    EXPECT_EQ(no.shown[0].text, QStringLiteral("Whether ByPass All EQ?"));
    EXPECT_EQ(no.shown[0].helpId, -3);
    EXPECT_FALSE(p.m_btnAllBypass.GetCheck());
    EXPECT_FALSE(Band(1, 0).IsBypassedOrFlat());
    EXPECT_FALSE(Band(1, 20).IsBypassedOrFlat());
    EXPECT_EQ(Band(1, 0).GetGainIndex(), 250);
    EXPECT_FALSE(p.m_btnBypass[0].GetCheck());
    EXPECT_TRUE(TakeQueued().empty());
}

TEST_F(InPutDlgTest, AllBypassAnsweredYesSendsTheChannelBlock)
{
    for (bool chinese : {false, true}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        SetKind(1);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            Band(1, 4).SetGainIndex(250);
        }
        CInPutDlg& p = Open();
        CMessageBoxSpy yes(IDYES);
        Command(CInPutDlg::IDC_ALL_BYPASS);
        ASSERT_EQ(yes.shown.size(), 1u);
        EXPECT_EQ(yes.shown[0].helpId, chinese ? -2 : -3);
        EXPECT_TRUE(p.m_btnAllBypass.GetCheck());
        EXPECT_TRUE(p.m_btnBypass[4].GetCheck());
        EXPECT_EQ(p.m_sldGain[4].GetValue(), 200);
        const Frames queued = TakeQueued();
        ASSERT_EQ(queued.size(), 5u);
        EXPECT_EQ(queued[0], Frame("09 05 00 00 00 08 00 3C 00 00 37 00 00 00 00 AF AA"));
        EXPECT_EQ(Head(queued[1], 10), Frame("03 01 1F"));
        ASSERT_GE(queued[2].size(), 16u + 288u);
        EXPECT_EQ(Head(queued[2], 14), Frame("03 01 00 00 00 20 01"));
        // Every band's gain code in the block reads flat (600).
        for (int b = 0; b < 31; ++b) {
            EXPECT_EQ(queued[2][14 + 8 * b + 2], 0x58) << b;
            EXPECT_EQ(queued[2][14 + 8 * b + 3], 0x02) << b;
        }
        EXPECT_EQ(Head(queued[3], 10), Frame("03 01 1F"));
        EXPECT_EQ(Head(queued[4], 7), Frame(""));
        EXPECT_EQ(std::vector<BYTE>(queued[4].end() - 4, queued[4].end()), Hex("01 00 AE AA"));
        EXPECT_TRUE(Band(1, 4).IsBypassedOrFlat());
        // Restoring asks the other question and brings the gain back.
        Settle();
        Command(CInPutDlg::IDC_ALL_BYPASS);
        ASSERT_EQ(yes.shown.size(), 2u);
        EXPECT_EQ(yes.shown[1].text, chinese ? g_strRestoreEqCn : QStringLiteral("Whether Restore All EQ?"));
        EXPECT_FALSE(p.m_btnAllBypass.GetCheck());
        EXPECT_EQ(Band(1, 4).GetGainIndex(), 250);
        EXPECT_EQ(p.m_sldGain[4].GetValue(), 250);
        EXPECT_FALSE(p.m_btnBypass[4].GetCheck());
        EXPECT_EQ(TakeQueued().size(), 5u);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            Band(1, 4).SetGainIndex(200);
        }
    }
}

TEST_F(InPutDlgTest, ResetAndEqModeAskFirst)
{
    SetKind(2);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Band(2, 3).SetGainIndex(300);
    }
    SetPeq(2);
    CInPutDlg& p = Open();
    {
        CMessageBoxSpy no(IDNO);
        Command(CInPutDlg::IDC_RESET_EQ);
        Command(CInPutDlg::IDC_EQ_MODE);
        ASSERT_EQ(no.shown.size(), 2u);
        EXPECT_EQ(no.shown[0].text, QStringLiteral("Whether the reset All EQ?"));
        EXPECT_EQ(no.shown[1].text, QStringLiteral("Whether the PEQ Mode convert to GEQ Mode?"));
    }
    EXPECT_EQ(Band(2, 3).GetGainIndex(), 300);
    EXPECT_FALSE(p.m_btnEqMode.GetCheck());
    EXPECT_EQ(Music(2).GetEqMode(), 0);
    EXPECT_TRUE(p.m_editFreq[3].IsShown());
    EXPECT_TRUE(TakeQueued().empty());
    EXPECT_TRUE(Scan().empty());

    CMessageBoxSpy yes(IDYES);
    Command(CInPutDlg::IDC_RESET_EQ);
    EXPECT_EQ(Band(2, 3).GetGainIndex(), 200);
    EXPECT_EQ(p.m_sldGain[3].GetValue(), 200);
    EXPECT_TRUE(p.m_btnBypass[3].GetCheck());
    const Frames reset = TakeQueued();
    ASSERT_FALSE(reset.empty());
    bool block = false;
    for (const auto& f : reset)
        block = block || Head(f, 14) == Frame("03 02 00 00 00 20 01");
    EXPECT_TRUE(block);

    // PEQ to GEQ: laid out, the mode stored, the channel reset.
    Command(CInPutDlg::IDC_EQ_MODE);
    EXPECT_EQ(yes.shown.back().text, QStringLiteral("Whether the PEQ Mode convert to GEQ Mode?"));
    EXPECT_TRUE(p.m_btnEqMode.GetCheck());
    EXPECT_EQ(Music(2).GetEqMode(), 1);
    EXPECT_FALSE(p.m_editFreq[3].IsShown());
    EXPECT_FALSE(p.m_editBw[3].IsShown());
    EXPECT_EQ(p.m_editGain[3].pos(), p.m_editFreq[3].pos());
    EXPECT_EQ(p.m_sldGain[3].y(), p.m_editBw[3].y());
    EXPECT_TRUE(p.m_btnGainLabel.isVisibleTo(&p));
    EXPECT_FALSE(TakeQueued().empty());
    // And back.
    Command(CInPutDlg::IDC_EQ_MODE);
    EXPECT_EQ(yes.shown.back().text, QStringLiteral("Whether the GEQ Mode convert to PEQ Mode?"));
    EXPECT_FALSE(p.m_btnEqMode.GetCheck());
    EXPECT_EQ(Music(2).GetEqMode(), 0);
    EXPECT_TRUE(p.m_editFreq[3].IsShown());
    EXPECT_NE(p.m_editGain[3].pos(), p.m_editFreq[3].pos());
    EXPECT_FALSE(p.m_btnGainLabel.isVisibleTo(&p));
}

}  // namespace
