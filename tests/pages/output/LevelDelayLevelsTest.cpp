// The level-and-delay page's level handlers: the master level and on/off,
// the output levels with their linked columns, the input columns, the
// faders' notices and the hover focus; checked in the model, the flags the
// view is asked for and the frames the change scan yields.
#include "tests/pages/output/LevelDelayEditFixture.h"

namespace {

class LevelDelayLevels : public LevelDelayEditFixture {};

TEST_F(LevelDelayLevels, ATypedMasterLevelAndEnterStoreFlagAndMoveOn)
{
    CLevel_Delay_Dlg& p = Open();
    Type(p.m_editMaster, QStringLiteral("-10"));
    Key(Qt::Key_Return);
    EXPECT_EQ(int(g_wMasterLevel), 50);
    EXPECT_EQ(p.m_sliderMaster.GetValue(), 50);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_INPUT_EDIT0));
    EXPECT_EQ(view.m_item5Calls, std::vector<bool>{true});
    EXPECT_TRUE(view.m_queued.empty());
    EXPECT_EQ(Scan(), std::vector<std::vector<BYTE>>{Frame("09 05 00 00 00 08 00 32 00 00 37 00 00 01 00 A0 AA")});
}

TEST_F(LevelDelayLevels, AMasterThatIsOffComesOnAndTheStoredValueFlagsNothing)
{
    g_byMasterOn = 0;
    CLevel_Delay_Dlg& p = Open();
    ASSERT_FALSE(p.m_btnMasterOn.GetCheck());
    Type(p.m_editMaster, QStringLiteral("-20"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), &p) << "Escape focuses the page";
    EXPECT_EQ(int(g_wMasterLevel), 40);
    EXPECT_EQ(g_byMasterOn, 1);
    EXPECT_TRUE(p.m_btnMasterOn.GetCheck());
    EXPECT_EQ(Scan().size(), 1u);

    // The fader brought back to the stored value: nothing to send.
    view.m_item5Calls.clear();
    p.m_sliderMaster.SetValue(40);
    SendMessage(&p, WM_SLIDER_MOVED, CLevel_Delay_Dlg::IDC_MASTER_SLIDER, 0);
    EXPECT_TRUE(view.m_item5Calls.empty());
    EXPECT_TRUE(Scan().empty());
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_MASTER_EDIT));
    // Another value from the fader: stored, the field follows.
    p.m_sliderMaster.SetValue(30);
    SendMessage(&p, WM_SLIDER_MOVING, CLevel_Delay_Dlg::IDC_MASTER_SLIDER, 0);
    EXPECT_EQ(int(g_wMasterLevel), 30);
    EXPECT_EQ(p.m_spinMaster.GetPos(), 30);
    EXPECT_EQ(view.m_item5Calls, std::vector<bool>{true});
}

TEST_F(LevelDelayLevels, TheMasterButtonTurnsTheMasterOff)
{
    CLevel_Delay_Dlg& p = Open();
    ASSERT_TRUE(p.m_btnMasterOn.GetCheck());
    QTest::mouseClick(&p.m_btnMasterOn, Qt::LeftButton);
    EXPECT_EQ(g_byMasterOn, 0);
    EXPECT_FALSE(p.m_btnMasterOn.GetCheck());
    EXPECT_EQ(p.LastOnValue(), 0);
    EXPECT_EQ(Scan(), std::vector<std::vector<BYTE>>{Frame("09 05 00 00 00 08 00 3C 00 00 37 00 00 00 00 AF AA")});
    // Without a link nothing is flagged.
    view.m_bConnected = false;
    QTest::mouseClick(&p.m_btnMasterOn, Qt::LeftButton);
    EXPECT_EQ(g_byMasterOn, 1);
    EXPECT_TRUE(Scan().empty());
}

TEST_F(LevelDelayLevels, AnOutputLevelTurnsTheOutputOnAndTheSameValueOnlyRefreshes)
{
    Output(1).SetOn(0);
    Scan();
    CLevel_Delay_Dlg& p = Open();
    ASSERT_FALSE(p.m_btnOutputOn[1].GetCheck());
    Type(p.m_editOutputLevel[1], QStringLiteral("-6.0"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(Output(1).GetGain(), 540);
    EXPECT_EQ(Output(1).GetOn(), 1);
    EXPECT_TRUE(p.m_btnOutputOn[1].GetCheck());
    EXPECT_EQ(p.LastOnValue(), 1);
    EXPECT_EQ(p.m_sliderOutput[1].GetValue(), 540);
    EXPECT_EQ(p.SelectedOutput(), 1);
    EXPECT_EQ(Scan(), std::vector<std::vector<BYTE>>{Frame("04 01 1F 00 00 08 00 01 00 1C 02 00 00 00 0C A1 AA")});

    // The same value again: nothing changes, but output 2, linked since,
    // shows its own level and lights, and the selection comes back.
    g_nLinkGroup[2] = g_nLinkGroup[1];
    p.m_spinOutputLevel[2].SetPos(100);
    p.SelectOutput(5);
    SendMessage(&p, WM_COMMAND, CLevel_Delay_Dlg::IDC_OUTPUT_SPIN0 + 1, 0);
    EXPECT_TRUE(Scan().empty());
    EXPECT_EQ(p.m_spinOutputLevel[2].GetPos(), Output(2).GetGain());
    EXPECT_EQ(p.SelectedOutput(), 1);
    EXPECT_TRUE(p.ButtonOfPosition(g_byOutputPosition[2])->GetCheck());
    EXPECT_TRUE(view.m_item5Calls.empty());
}

TEST_F(LevelDelayLevels, ALinkedColumnFollowsAndLights)
{
    g_nLinkGroup[2] = 1;
    g_nLinkGroup[9] = 1;
    CLevel_Delay_Dlg& p = Open();
    Type(p.m_editOutputLevel[1], QStringLiteral("-6.0"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(Output(2).GetGain(), 540);
    EXPECT_EQ(p.m_spinOutputLevel[2].GetPos(), 540);
    EXPECT_EQ(p.m_sliderOutput[2].GetValue(), 540);
    EXPECT_TRUE(p.ButtonOfPosition(g_byOutputPosition[2])->GetCheck());
    // Output 9 has no column: the model and its place on the plan only.
    EXPECT_EQ(Output(9).GetGain(), 540);
    if (CBtnPng* button = p.ButtonOfPosition(g_byOutputPosition[9])) {
        EXPECT_TRUE(button->GetCheck());
    }

    // The linked outputs take the last on value.
    QTest::mouseClick(&p.m_btnOutputOn[1], Qt::LeftButton);
    ASSERT_EQ(p.LastOnValue(), 0);
    p.SetLinkedOn(1, true);
    EXPECT_EQ(Output(2).GetOn(), 0);
    EXPECT_EQ(Output(9).GetOn(), 0);
    EXPECT_FALSE(p.m_btnOutputOn[2].GetCheck());
    EXPECT_EQ(Output(0).GetOn(), 1);
}

TEST_F(LevelDelayLevels, OnOffAndPolarityFlipTheirOutput)
{
    CLevel_Delay_Dlg& p = Open();
    QTest::mouseClick(&p.m_btnPolarity[3], Qt::LeftButton);
    EXPECT_EQ(Output(3).GetPolarity(), 1);
    EXPECT_TRUE(p.m_btnPolarity[3].GetCheck());
    EXPECT_EQ(p.SelectedOutput(), 3);
    QTest::mouseClick(&p.m_btnOutputOn[4], Qt::LeftButton);
    EXPECT_EQ(Output(4).GetOn(), 0);
    EXPECT_FALSE(p.m_btnOutputOn[4].GetCheck());
    EXPECT_EQ(p.SelectedOutput(), 4);
    EXPECT_EQ(Scan().size(), 2u);
}

TEST_F(LevelDelayLevels, InputColumnsEditTheMusicChannelsOnly)
{
    CLevel_Delay_Dlg& p = Open();
    int before[CLevel_Delay_Dlg::MUSIC_COLUMNS];
    for (int k = 0; k < CLevel_Delay_Dlg::MUSIC_COLUMNS; ++k)
        before[k] = data->GetMusic(k)->GetGain();

    Type(p.m_editInputLevel[0], QStringLiteral("-3.0"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(data->GetMusic(0)->GetGain(), 570);
    EXPECT_EQ(p.m_sliderInput[0].GetValue(), 570);
    EXPECT_EQ(Scan().size(), 1u);

    // Kinds 4 and 5 have no music channel: their commands and faders
    // leave the model alone.
    for (int column : {4, 5}) {
        SCOPED_TRACE(column);
        SendMessage(&p, WM_COMMAND, CLevel_Delay_Dlg::IDC_INPUT_EDIT0 + column, 0);
        SendMessage(&p, WM_COMMAND, CLevel_Delay_Dlg::IDC_INPUT_SPIN0 + column, 0);
        SendMessage(&p, WM_SLIDER_MOVING, CLevel_Delay_Dlg::IDC_INPUT_SLIDER0 + column, 0);
        SendMessage(&p, WM_SLIDER_MOVED, CLevel_Delay_Dlg::IDC_INPUT_SLIDER0 + column, 0);
    }
    for (int k = 1; k < CLevel_Delay_Dlg::MUSIC_COLUMNS; ++k)
        EXPECT_EQ(data->GetMusic(k)->GetGain(), before[k]);
    EXPECT_TRUE(Scan().empty());

    // The fader of column 1 reaches its channel and its field.
    p.m_sliderInput[1].SetValue(450);
    SendMessage(&p, WM_SLIDER_MOVED, CLevel_Delay_Dlg::IDC_INPUT_SLIDER0 + 1, 0);
    EXPECT_EQ(data->GetMusic(1)->GetGain(), 450);
    EXPECT_EQ(p.m_spinInputLevel[1].GetPos(), 450);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_INPUT_EDIT0 + 1));
}

TEST_F(LevelDelayLevels, OutputFaderMovingAndMovedAndTheHoverFocus)
{
    CLevel_Delay_Dlg& p = Open();
    p.m_editMaster.setFocus(Qt::OtherFocusReason);
    Pump();
    // Moving: the value goes in, the focus stays.
    p.m_sliderOutput[3].SetValue(500);
    SendMessage(&p, WM_SLIDER_MOVING, CLevel_Delay_Dlg::IDC_OUTPUT_SLIDER0 + 3, 500);
    EXPECT_EQ(Output(3).GetGain(), 500);
    EXPECT_EQ(p.m_spinOutputLevel[3].GetPos(), 500);
    EXPECT_EQ(p.SelectedOutput(), 3);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_MASTER_EDIT));
    // Moved: the field of the column takes the focus.
    p.m_sliderOutput[3].SetValue(480);
    SendMessage(&p, WM_SLIDER_MOVED, CLevel_Delay_Dlg::IDC_OUTPUT_SLIDER0 + 3, 480);
    EXPECT_EQ(Output(3).GetGain(), 480);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_OUTPUT_EDIT0 + 3));

    // The pointer on an on/off button: it takes the focus and selects.
    SendMouse(&p.m_btnOutputOn[2], QEvent::MouseMove, QPoint(5, 5));
    Pump();
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_OUTPUT_ON0 + 2));
    EXPECT_EQ(p.SelectedOutput(), 2);
    // Faders and the master button take nothing on a hover.
    SendMessage(&p, WM_CONTROL_HOVER, 0, CLevel_Delay_Dlg::IDC_OUTPUT_SLIDER0 + 1);
    SendMessage(&p, WM_CONTROL_HOVER, 0, CLevel_Delay_Dlg::IDC_MASTER_ON);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_OUTPUT_ON0 + 2));
    // A value being typed is committed when a polarity button takes the
    // focus; the committed column is selected last.
    Type(p.m_editOutputLevel[0], QStringLiteral("-1.0"));
    SendMouse(&p.m_btnPolarity[1], QEvent::MouseMove, QPoint(5, 5));
    Pump();
    EXPECT_EQ(Output(0).GetGain(), 590);
    EXPECT_EQ(FocusId(), int(CLevel_Delay_Dlg::IDC_POLARITY0 + 1));
    EXPECT_EQ(p.SelectedOutput(), 0);
}

}  // namespace
