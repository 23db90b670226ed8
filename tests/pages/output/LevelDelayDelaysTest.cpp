// The level-and-delay page's car plan: typed and stepped delays, the steps
// repeated on a linked speaker group, the unit buttons and the position
// buttons; and delay edits that name no output or a member not yet placed.
#include "model/Units.h"
#include "tests/pages/output/LevelDelayEditFixture.h"

namespace {

class LevelDelayDelays : public LevelDelayEditFixture {
protected:
    // One step of the spin an output stands on, as its step button does.
    void Step(int output, int delta)
    {
        CNumSpin* spin = page->OutputRecord(output).spin;
        ASSERT_NE(spin, nullptr);
        spin->StepBy(delta);
        Pump();
    }
    void SetDelays(std::initializer_list<std::pair<int, int>> delays)
    {
        for (const auto& [output, delay] : delays)
            Output(output).SetDelay(short(delay));
        Scan();
    }
    void Link(UINT toggle) { SendMessage(page.get(), WM_COMMAND, toggle, 0); }
};

TEST_F(LevelDelayDelays, ATypedDelayStaysOnItsOutput)
{
    CLevel_Delay_Dlg& p = Open();
    g_nLinkGroup[1] = 0;
    CNumEdit* edit = p.OutputRecord(0).edit;
    ASSERT_NE(edit, nullptr);
    Type(*edit, QStringLiteral("2"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(Output(0).GetDelay(), 96);
    for (int i = 1; i < OUTPUT_COUNT; ++i)
        EXPECT_EQ(Output(i).GetDelay(), 0) << i;
    EXPECT_EQ(p.SelectedOutput(), 0);
    EXPECT_EQ(Scan(), std::vector<std::vector<BYTE>>{Frame("04 00 1F 00 00 08 00 01 00 58 02 60 00 00 06 8E AA")});
}

TEST_F(LevelDelayDelays, ALinkedFrontGroupStepsEveryMemberByTheUnit)
{
    SetPositions({{0, 1}, {1, 2}, {2, 3}});
    SetDelays({{0, 100}, {1, 960}, {2, 200}});
    CLevel_Delay_Dlg& p = Open();
    Link(CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_3);
    ASSERT_EQ(g_SpeakerGroups.m_nFrontLeftState, 1);
    EXPECT_TRUE(p.OutputRecord(2).edit->isReadOnly());

    // ms: the woofer steps, the tweeter follows by one count, the
    // midrange at the top stays.
    Step(2, +1);
    EXPECT_EQ(Output(2).GetDelay(), 201);
    EXPECT_EQ(Output(0).GetDelay(), 101);
    EXPECT_EQ(Output(1).GetDelay(), 960);
    EXPECT_EQ(p.OutputRecord(0).spin->GetPos(), 101);
    EXPECT_EQ(p.OutputRecord(1).spin->GetPos(), 960);
    EXPECT_EQ(Scan().size(), 2u);

    // cm: each member to its own next whole centimetre.
    SendMessage(&p, WM_COMMAND, CLevel_Delay_Dlg::IDC_UNIT_CM, 0);
    SetDelays({{0, 130}, {1, 400}});
    p.OutputRecord(0).spin->SetPos(130);
    p.OutputRecord(1).spin->SetPos(400);
    Step(2, -1);
    EXPECT_EQ(Output(2).GetDelay(), StepDelayByCentimetre(201, -1));
    EXPECT_EQ(Output(0).GetDelay(), StepDelayByCentimetre(130, -1));
    EXPECT_EQ(Output(1).GetDelay(), StepDelayByCentimetre(400, -1));
    EXPECT_NE(130 - Output(0).GetDelay(), 400 - Output(1).GetDelay()) << "the counts differ";
    // inch likewise.
    SendMessage(&p, WM_COMMAND, CLevel_Delay_Dlg::IDC_UNIT_INCH, 0);
    const int before0 = Output(0).GetDelay();
    Step(2, +1);
    EXPECT_EQ(Output(0).GetDelay(), StepDelayByInch(before0, +1));
}

TEST_F(LevelDelayDelays, FullRangeAndTheSingleSubNeverRepeatAndAnUnlinkedGroupKeepsItsSteps)
{
    SetPositions({{0, 6}, {1, 24}, {2, 1}, {3, 3}});
    CLevel_Delay_Dlg& p = Open();
    Link(CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_2);
    ASSERT_EQ(g_SpeakerGroups.m_nFrontLeftState, 1);
    Step(0, +1);
    Step(1, +1);
    EXPECT_EQ(Output(0).GetDelay(), 1);
    EXPECT_EQ(Output(1).GetDelay(), 1);
    EXPECT_EQ(Output(2).GetDelay(), 0);
    EXPECT_EQ(Output(3).GetDelay(), 0);
    Step(2, +1);
    EXPECT_EQ(Output(3).GetDelay(), 1) << "linked";
    // Unlinked: the steps stay on their output.
    Link(CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_2);
    ASSERT_EQ(g_SpeakerGroups.m_nFrontLeftState, 0);
    EXPECT_FALSE(p.OutputRecord(2).edit->isReadOnly());
    Step(2, +1);
    EXPECT_EQ(Output(2).GetDelay(), 2);
    EXPECT_EQ(Output(3).GetDelay(), 1);
}

TEST_F(LevelDelayDelays, TheUnitInForceChangesNothingAndAnotherSwitchesEveryField)
{
    SetPositions({{0, 1}, {1, 7}});
    CLevel_Delay_Dlg& p = Open();
    for (int unit = 1; unit <= 3; ++unit) {
        SCOPED_TRACE(unit);
        p.SetDelayUnit(unit);
        const int type = p.m_editDelay[0].GetValueType();
        p.SelectOutput(0);
        SendMessage(&p, WM_COMMAND, CLevel_Delay_Dlg::IDC_UNIT_MS + unit - 1, 0);
        EXPECT_EQ(g_nLevelDelayUnit, unit);
        EXPECT_EQ(p.m_editDelay[0].GetValueType(), type);
        EXPECT_TRUE(p.ButtonOfPosition(1)->GetCheck()) << "the highlight stays";

        const int other = unit % 3 + 1;
        SendMessage(&p, WM_COMMAND, CLevel_Delay_Dlg::IDC_UNIT_MS + other - 1, 0);
        EXPECT_EQ(g_nLevelDelayUnit, other);
        for (const CNumEdit& edit : p.m_editDelay)
            EXPECT_EQ(edit.GetValueType(), other - 1);
        EXPECT_TRUE(p.m_btnUnit[other - 1].GetCheck());
        EXPECT_FALSE(p.m_btnUnit[unit - 1].GetCheck());
        EXPECT_FALSE(p.ButtonOfPosition(1)->GetCheck()) << "the highlight goes";
    }
}

TEST_F(LevelDelayDelays, EitherPositionButtonOfASharedFieldSelectsTheTagsOutput)
{
    SetPositions({{0, 2}, {1, 4}});
    CLevel_Delay_Dlg& p = Open();
    ASSERT_EQ(p.OutputRecord(0).edit, p.OutputRecord(1).edit);
    for (int position : {2, 4}) {
        SCOPED_TRACE(position);
        p.SelectOutput(-1);
        p.m_editMaster.setFocus(Qt::OtherFocusReason);
        Pump();
        CBtnPng* button = p.ButtonOfPosition(position);
        SendMessage(&p, WM_COMMAND, UINT(GetDlgCtrlID(button)), 0);
        EXPECT_EQ(p.SelectedOutput(), 1);
        EXPECT_EQ(QApplication::focusWidget(), p.OutputRecord(0).edit);
    }
}

TEST_F(LevelDelayDelays, DelayEditsWithoutAnOutputChangeNothing)
{
    // Before RefreshAll every field shows and no spin names an output.
    CLevel_Delay_Dlg& p = CreatePage();
    p.m_pView = &view;
    QApplication::setActiveWindow(&host);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    Scan();
    for (int f = 0; f < CLevel_Delay_Dlg::DELAY_FIELDS; ++f) {
        ASSERT_TRUE(p.m_editDelay[f].isVisible());
        ASSERT_EQ(p.m_spinDelay[f].GetUserData(), -1);
    }
    Type(p.m_editDelay[0], QStringLiteral("2"));
    Key(Qt::Key_Escape);
    p.m_spinDelay[3].StepBy(+1);
    Pump();
    // Tags outside the outputs are ignored too.
    p.m_spinDelay[4].SetUserData(12);
    p.m_spinDelay[4].StepBy(+1);
    Pump();
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_EQ(Output(i).GetDelay(), 0) << i;
    EXPECT_TRUE(Scan().empty());
}

TEST_F(LevelDelayDelays, AMemberPlacedSinceTheRefreshIsSkipped)
{
    SetPositions({{0, 1}, {1, 2}});
    CLevel_Delay_Dlg& p = Open();
    // Output 2 joins the group after the refresh: it has no field yet.
    g_byOutputPosition[2] = 3;
    g_SpeakerGroups.Update();
    g_SpeakerGroups.m_nFrontLeftState = 1;
    ASSERT_EQ(p.OutputRecord(2).spin, nullptr);
    Step(0, +1);
    EXPECT_EQ(Output(0).GetDelay(), 1);
    EXPECT_EQ(Output(1).GetDelay(), 1);
    EXPECT_EQ(Output(2).GetDelay(), 0);
}

}  // namespace
