// The level-and-delay page brought into line with the model: the whole-page
// refresh, the input columns by the optional inputs and the AUX mode, the
// output columns by speaker position, the delay unit, and a delay word
// beyond what the page's fields hold.
#include <QTest>

#include "graphs/NumEditValue.h"
#include "model/ParameterSetLock.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/pages/output/LevelDelayFixture.h"

namespace {

class LevelDelayRefresh : public LevelDelayFixture {};

TEST_F(LevelDelayRefresh, RefreshAllShowsThePreparedSet)
{
    SetPositions({{0, 1}, {1, 2}, {2, 3}, {3, 7}, {4, 0}, {5, 13}, {6, 22}, {7, 0}, {8, 19}, {11, 24}});
    const struct {
        int gain, on, polarity;
    } outputs[8] = {
        {600, 1, 0}, {0, 0, 1}, {350, 1, 1}, {599, 1, 0}, {120, 0, 0}, {1, 1, 0}, {480, 1, 1}, {300, 0, 0},
    };
    const int musicGains[4] = {600, 0, 250, 33};
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_wMasterLevel = 55;
        g_byMasterOn = 0;
        for (int k = 0; k < 8; ++k) {
            CKTV_OutData* o = data->GetOutput(k);
            o->SetGain(short(outputs[k].gain));
            o->SetOn(BYTE(outputs[k].on));
            o->SetPolarity(BYTE(outputs[k].polarity));
        }
        for (int k = 0; k < 4; ++k)
            data->GetMusic(k)->SetGain(musicGains[k]);
    }
    g_bOutputLinkOn = true;
    for (bool chinese : {false, true}) {
        SCOPED_TRACE(chinese);
        g_bChinese = chinese;
        CLevel_Delay_Dlg& dlg = CreatePage();
        CMessageBoxSpy boxes;
        dlg.RefreshAll();
        EXPECT_TRUE(boxes.shown.empty());

        EXPECT_EQ(dlg.m_spinMaster.GetPos(), 55);
        EXPECT_EQ(dlg.m_sliderMaster.GetValue(), 55);
        EXPECT_EQ(dlg.m_editMaster.text(), QStringLiteral("-5dB"));
        EXPECT_FALSE(dlg.m_btnMasterOn.GetCheck());
        EXPECT_FALSE(dlg.m_picLinkOn.isHidden());
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(dlg.m_spinInputLevel[k].GetPos(), musicGains[k]) << k;
            EXPECT_EQ(dlg.m_sliderInput[k].GetValue(), musicGains[k]) << k;
            EXPECT_TRUE(dlg.m_sliderInput[k].IsEnable()) << k;
        }
        for (int k = 0; k < 8; ++k) {
            SCOPED_TRACE(k);
            const bool placed = g_byOutputPosition[k] != 0;
            EXPECT_EQ(dlg.m_spinOutputLevel[k].GetPos(), outputs[k].gain);
            EXPECT_EQ(dlg.m_sliderOutput[k].GetValue(), outputs[k].gain);
            EXPECT_EQ(dlg.m_btnOutputOn[k].GetCheck(), outputs[k].on != 0);
            EXPECT_EQ(dlg.m_btnPolarity[k].GetCheck(), outputs[k].polarity != 0);
            EXPECT_EQ(dlg.m_editOutputLevel[k].isHidden(), !placed);
            EXPECT_EQ(dlg.m_sliderOutput[k].isHidden(), !placed);
            EXPECT_EQ(dlg.m_btnOutputOn[k].isHidden(), !placed);
            EXPECT_EQ(dlg.m_btnPolarity[k].isHidden(), !placed);
            EXPECT_EQ(dlg.m_lamp[k].isHidden(), !placed);
            EXPECT_EQ(dlg.m_btnNoSpeaker[k].isHidden(), placed);
            EXPECT_EQ(dlg.m_btnPositionName[k].CurrentBitmapId(),
                      UINT((chinese ? 4230 : 4200) + g_byOutputPosition[k]));
        }
        // The last output's on value is the page's last on value.
        EXPECT_EQ(dlg.LastOnValue(), 0);
        // Outputs 8 and 11 are on the car plan only.
        EXPECT_EQ(dlg.OutputRecord(8).edit, &dlg.m_editDelay[6]);
        EXPECT_EQ(dlg.OutputRecord(11).edit, &dlg.m_editDelay[14]);
        EXPECT_TRUE(dlg.m_btnUnit[0].GetCheck());
        page.reset();
    }
}

TEST_F(LevelDelayRefresh, SourceColumnsFollowTheAuxMode)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    const struct {
        int mode;
        bool four, five;
    } cases[] = {{0, true, true}, {1, true, false}, {2, false, false}, {3, false, false}, {0, true, true},
                 {-1, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        g_nSourceTable = c.mode;
        dlg.ShowSourceColumns();
        EXPECT_EQ(!dlg.m_sliderInput[4].isHidden(), c.four);
        EXPECT_EQ(!dlg.m_editInputLevel[4].isHidden(), c.four);
        EXPECT_EQ(!dlg.m_btnKind[4].isHidden(), c.four);
        EXPECT_EQ(!dlg.m_sliderInput[5].isHidden(), c.five);
        EXPECT_EQ(!dlg.m_editInputLevel[5].isHidden(), c.five);
        EXPECT_EQ(!dlg.m_btnKind[5].isHidden(), c.five);
    }
    g_nSourceTable = 0;
}

TEST_F(LevelDelayRefresh, InputColumnsPackIntoTheirSlotsByTheMask)
{
    const struct {
        int mask;
        bool column0, column2;
        int slotOf[6];  // slot of each column; -1 hidden or not moved
    } cases[] = {
        {0, false, false, {-1, 0, -1, 1, 2, 3}},
        {1, false, true, {-1, 0, 1, 2, 3, 4}},
        {2, true, false, {0, 1, -1, 2, 3, 4}},
        {3, true, true, {0, 1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        CLevel_Delay_Dlg& dlg = CreatePage();
        g_byInputButtonMask = BYTE(c.mask);
        dlg.LayoutInputColumns();
        EXPECT_EQ(!dlg.m_sliderInput[0].isHidden(), c.column0);
        EXPECT_EQ(!dlg.m_editInputLevel[0].isHidden(), c.column0);
        EXPECT_EQ(!dlg.m_btnKind[0].isHidden(), c.column0);
        EXPECT_EQ(!dlg.m_editInputLevel[2].isHidden(), c.column2);
        EXPECT_EQ(!dlg.m_btnKind[2].isHidden(), c.column2);
        for (int column = 0; column < 6; ++column) {
            const int slot = c.slotOf[column] >= 0 ? c.slotOf[column] : column;
            SCOPED_TRACE(column);
            EXPECT_EQ(dlg.m_sliderInput[column].geometry(), dlg.ColumnRect(slot).fader.ToQRect());
            EXPECT_EQ(dlg.m_editInputLevel[column].geometry(), dlg.ColumnRect(slot).edit.ToQRect());
            EXPECT_EQ(dlg.m_btnKind[column].geometry(), dlg.ColumnRect(slot).kind.ToQRect());
        }
        // Another mask changes nothing.
        std::vector<QRect> before;
        for (int column = 0; column < 6; ++column)
            before.push_back(dlg.m_editInputLevel[column].geometry());
        const bool shown0 = !dlg.m_editInputLevel[0].isHidden();
        g_byInputButtonMask = 4;
        dlg.LayoutInputColumns();
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(dlg.m_editInputLevel[column].geometry(), before[column]);
        EXPECT_EQ(!dlg.m_editInputLevel[0].isHidden(), shown0);
        page.reset();
    }
    g_byInputButtonMask = 3;
}

TEST_F(LevelDelayRefresh, TheDelayUnitSwitchesEveryField)
{
    SetPositions({{0, 1}, {1, 8}});
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(0)->SetDelay(480);
        data->GetOutput(1)->SetDelay(96);
    }
    CLevel_Delay_Dlg& dlg = CreatePage();
    dlg.RefreshAll();
    EXPECT_EQ(dlg.m_editDelay[0].text(), QStringLiteral("10.000"));
    dlg.SetDelayUnit(2);
    EXPECT_EQ(g_nLevelDelayUnit, 2);
    EXPECT_FALSE(dlg.m_btnUnit[0].GetCheck());
    EXPECT_TRUE(dlg.m_btnUnit[1].GetCheck());
    EXPECT_FALSE(dlg.m_btnUnit[2].GetCheck());
    for (CNumEdit& edit : dlg.m_editDelay)
        EXPECT_EQ(edit.GetValueType(), CNumEditValue::TYPE_DELAY_CM);
    // 10 ms and 2 ms at 346 m/s (the unit texts are empty).
    EXPECT_EQ(dlg.m_editDelay[0].text(), QStringLiteral("346"));
    EXPECT_EQ(dlg.m_editDelay[4].text(), QStringLiteral("69"));
    EXPECT_EQ(dlg.m_spinDelay[0].GetPos(), 480);
    // A unit outside 1-3 unchecks the present one and leaves the types.
    dlg.SetDelayUnit(9);
    EXPECT_FALSE(dlg.m_btnUnit[1].GetCheck());
    EXPECT_EQ(dlg.m_editDelay[0].GetValueType(), CNumEditValue::TYPE_DELAY_CM);
    // The refresh takes the unit in force.
    g_nLevelDelayUnit = 3;
    dlg.RefreshAll();
    EXPECT_TRUE(dlg.m_btnUnit[2].GetCheck());
    EXPECT_EQ(dlg.m_editDelay[4].GetValueType(), CNumEditValue::TYPE_DELAY_INCH);
}

TEST_F(LevelDelayRefresh, ADelayWordBeyondTheFieldsShowsOneBoxAndKeepsTheModel)
{
    SetPositions({{2, 3}});
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(2)->SetDelay(1200);
    }
    CLevel_Delay_Dlg& dlg = CreatePage();
    CMessageBoxSpy boxes;
    dlg.RefreshAll();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Set Pos Error!"));
    EXPECT_EQ(dlg.m_spinDelay[2].GetPos(), 960);
    EXPECT_EQ(dlg.m_editDelay[2].text(), QStringLiteral("20.000"));
    ParameterSetGuard guard(g_ParameterSetLock);
    EXPECT_EQ(data->GetOutput(2)->GetDelay(), 1200);
}

TEST_F(LevelDelayRefresh, TypeTwentyThreeShowsOffAtTwentySteps)
{
    SetPositions({{0, 1}});
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(0)->SetGain(20);
        data->GetOutput(1)->SetGain(21);
    }
    CLevel_Delay_Dlg& dlg = CreatePage();
    dlg.RefreshAll();
    EXPECT_EQ(dlg.m_editOutputLevel[0].text(), QStringLiteral("OFF"));
    EXPECT_EQ(dlg.m_editOutputLevel[1].text(), QStringLiteral("-57.9dB"));
}

}  // namespace
