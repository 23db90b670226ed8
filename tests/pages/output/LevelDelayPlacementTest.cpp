// The car plan of the level-and-delay page: every speaker position's field,
// spin and button, shared fields, the centre places, the highlight of the
// selected output and its link group, and the speaker groups' link toggles
// with the step-only fields they bring.
#include <QTest>

#include "controls/SpinBtn.h"
#include "model/ParameterSetLock.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/pages/output/LevelDelayFixture.h"

namespace {

class LevelDelayPlacement : public LevelDelayFixture {};
class LevelDelayGroups : public LevelDelayFixture {};

// Speaker position p at entry p - 1: its field index and button index.
const std::pair<int, int> kPlacementTable[24] = {
    {0, 0},   {1, 1},   {2, 2},   {1, 3},   {1, 4},   {1, 5},   {3, 6},   {4, 7},
    {5, 8},   {4, 9},   {4, 10},  {4, 11},  {8, 15},  {9, 16},  {9, 17},  {10, 18},
    {11, 19}, {11, 20}, {6, 12},  {7, 13},  {7, 14},  {12, 21}, {13, 22}, {14, 23},
};

TEST_F(LevelDelayPlacement, EveryPositionShowsItsFieldSpinAndButton)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    for (int position = 0; position <= 24; ++position) {
        SCOPED_TRACE(position);
        const int output = position % 12;
        SetPositions({{output, position}});
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            data->GetOutput(output)->SetDelay(short(position * 10));
        }
        dlg.RefreshAll();
        const CLevel_Delay_Dlg::DelayRecord& record = dlg.OutputRecord(output);
        int shownFields = 0, shownButtons = 0;
        for (const CNumEdit& edit : dlg.m_editDelay)
            shownFields += edit.isHidden() ? 0 : 1;
        for (const CBtnPng& button : dlg.m_btnPosition)
            shownButtons += button.isHidden() ? 0 : 1;
        if (position == 0) {
            EXPECT_EQ(record.edit, nullptr);
            EXPECT_EQ(record.spin, nullptr);
            EXPECT_EQ(record.button, nullptr);
            EXPECT_EQ(shownFields, 0);
            EXPECT_EQ(shownButtons, 0);
            EXPECT_FALSE(dlg.m_btnNoSpeaker[output].isHidden());
            EXPECT_TRUE(dlg.m_editOutputLevel[output].isHidden());
            continue;
        }
        const auto [field, button] = kPlacementTable[position - 1];
        EXPECT_EQ(record.edit, &dlg.m_editDelay[field]);
        EXPECT_EQ(record.spin, &dlg.m_spinDelay[field]);
        EXPECT_EQ(record.button, &dlg.m_btnPosition[button]);
        EXPECT_EQ(dlg.m_spinDelay[field].GetUserData(), output);
        EXPECT_EQ(dlg.m_spinDelay[field].GetPos(), position * 10);
        EXPECT_FALSE(dlg.m_editDelay[field].isHidden());
        EXPECT_FALSE(dlg.m_btnPosition[button].isHidden());
        EXPECT_EQ(shownFields, 1);
        EXPECT_EQ(shownButtons, 1);
        if (output < 8) {
            EXPECT_TRUE(dlg.m_btnNoSpeaker[output].isHidden());
        }
        // Every other output has no place.
        for (int other = 0; other < 12; ++other)
            if (other != output) {
                EXPECT_EQ(dlg.OutputRecord(other).edit, nullptr) << other;
            }
    }
    // Codes outside 0-24 change nothing.
    dlg.PlaceOutputDelay(25, 3);
    dlg.PlaceOutputDelay(-1, 3);
    EXPECT_EQ(dlg.OutputRecord(3).edit, nullptr);
}

TEST_F(LevelDelayPlacement, TheHigherOutputOwnsASharedField)
{
    SetPositions({{2, 2}, {5, 4}});
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        data->GetOutput(2)->SetDelay(100);
        data->GetOutput(5)->SetDelay(200);
    }
    CLevel_Delay_Dlg& dlg = CreatePage();
    dlg.RefreshAll();
    EXPECT_EQ(dlg.OutputRecord(2).edit, &dlg.m_editDelay[1]);
    EXPECT_EQ(dlg.OutputRecord(5).edit, &dlg.m_editDelay[1]);
    EXPECT_EQ(dlg.m_spinDelay[1].GetUserData(), 5);
    EXPECT_EQ(dlg.m_spinDelay[1].GetPos(), 200);
    EXPECT_EQ(dlg.OutputRecord(2).button, &dlg.m_btnPosition[1]);
    EXPECT_EQ(dlg.OutputRecord(5).button, &dlg.m_btnPosition[3]);
}

TEST_F(LevelDelayPlacement, CentreSpeakersStandOnTheirPlaces)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    CBtnPng& tweeter = dlg.m_btnPosition[12];
    CBtnPng& woofer = dlg.m_btnPosition[13];
    CNumEdit& tweeterDelay = dlg.m_editDelay[6];
    CNumEdit& wooferDelay = dlg.m_editDelay[7];
    const struct {
        const char* name;
        std::initializer_list<std::pair<int, int>> positions;
        int tweeterAt, wooferAt, tweeterDelayAt, wooferDelayAt;  // centre rectangle, -1 not moved
        QWidget* top;
    } cases[] = {
        {"19 and 20", {{0, 19}, {1, 20}}, 0, 2, 4, 6, &wooferDelay},
        {"19 alone", {{4, 19}}, 1, -1, 5, -1, &tweeterDelay},
        {"20 alone", {{4, 20}}, -1, 3, -1, 7, &wooferDelay},
        {"21", {{9, 21}}, 0, 2, -1, 7, &wooferDelay},
    };
    const QPoint away(1, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetPositions(c.positions);
        for (QWidget* w : std::initializer_list<QWidget*>{&tweeter, &woofer, &tweeterDelay, &wooferDelay})
            w->move(away);
        dlg.RefreshAll();
        const auto expectAt = [&](QWidget* w, int rect) {
            if (rect < 0) {
                EXPECT_EQ(w->pos(), away);
            } else {
                EXPECT_EQ(w->pos(), dlg.CentreRect(rect).ToQRect().topLeft());
                EXPECT_EQ(w->size(), dlg.CentreRect(rect).ToQRect().size());
            }
        };
        expectAt(&tweeter, c.tweeterAt);
        expectAt(&woofer, c.wooferAt);
        expectAt(&tweeterDelay, c.tweeterDelayAt);
        expectAt(&wooferDelay, c.wooferDelayAt);
        // The last control moved is raised above the others.
        EXPECT_EQ(dlg.children().last(), c.top);
    }
    // The places come from the template: even and odd ones of a pair agree.
    EXPECT_EQ(dlg.CentreRect(0), dlg.CentreRect(1));
    EXPECT_EQ(dlg.CentreRect(4), dlg.CentreRect(5));
}

TEST_F(LevelDelayPlacement, SelectionLightsAndClearsTheLinkGroupTogether)
{
    SetPositions({{0, 1}, {1, 2}, {2, 7}, {3, 8}, {4, 0}});
    g_nLinkGroup[1] = 0;  // outputs 0 and 1 linked
    CLevel_Delay_Dlg& dlg = CreatePage();
    dlg.RefreshAll();
    dlg.SelectOutput(0);
    EXPECT_EQ(dlg.SelectedOutput(), 0);
    EXPECT_TRUE(dlg.m_btnPosition[0].GetCheck());
    // The handlers light the linked output's button; the selection clears it.
    dlg.CheckOutputPositionButton(1, true);
    EXPECT_TRUE(dlg.m_btnPosition[1].GetCheck());
    dlg.SelectOutput(2);
    EXPECT_FALSE(dlg.m_btnPosition[0].GetCheck());
    EXPECT_FALSE(dlg.m_btnPosition[1].GetCheck());
    EXPECT_TRUE(dlg.m_btnPosition[6].GetCheck());

    // -1 clears and keeps the index: the same output again lights nothing.
    dlg.SelectOutput(-1);
    EXPECT_FALSE(dlg.m_btnPosition[6].GetCheck());
    EXPECT_EQ(dlg.SelectedOutput(), 2);
    dlg.SelectOutputIfNew(2);
    EXPECT_FALSE(dlg.m_btnPosition[6].GetCheck());
    dlg.SelectOutputIfNew(3);
    EXPECT_TRUE(dlg.m_btnPosition[7].GetCheck());

    // An output without a position has no button to light.
    dlg.SelectOutput(4);
    EXPECT_EQ(dlg.SelectedOutput(), 4);
    for (const CBtnPng& button : dlg.m_btnPosition)
        EXPECT_FALSE(button.GetCheck());
    dlg.CheckPositionButton(0, true);
    dlg.CheckPositionButton(25, true);
    // The refresh forgets the selection.
    dlg.RefreshAll();
    EXPECT_EQ(dlg.SelectedOutput(), -1);
}

// Front-left members on outputs 0 to 2 (positions 1, 2, 3); the state and
// pairing type are then written as a table row says.
TEST_F(LevelDelayGroups, FrontTogglesFollowStateAndPairingType)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    const UINT leftByType[5] = {0, 6801, 6802, 6803, 6800};
    for (int state : {-1, 0, 1}) {
        for (int type = 0; type <= 4; ++type) {
            SCOPED_TRACE(testing::Message() << "state " << state << " type " << type);
            SetPositions({{0, 1}, {1, 2}, {2, 3}, {3, 8}});
            g_SpeakerGroups.m_nFrontLeftState = state;
            g_SpeakerGroups.m_nFrontLeftType = type;
            dlg.RefreshAll();
            for (UINT id : {6800u, 6801u, 6802u, 6803u}) {
                const bool shown = state >= 0 && id == leftByType[type];
                EXPECT_EQ(!dlg.LinkToggle(id)->isHidden(), shown) << id;
                if (shown) {
                    EXPECT_EQ(dlg.LinkToggle(id)->GetCheck(), state == 1) << id;
                }
            }
            for (int output : {0, 1, 2}) {
                CNumEdit* edit = dlg.OutputRecord(output).edit;
                ASSERT_NE(edit, nullptr);
                EXPECT_EQ(edit->isReadOnly(), state == 1) << output;
                EXPECT_EQ(!edit->StepButton()->isHidden(), state == 1) << output;
            }
            // Output 3 (front right, alone) stays editable.
            EXPECT_FALSE(dlg.OutputRecord(3).edit->isReadOnly());
        }
    }
}

TEST_F(LevelDelayGroups, TogglesOfTheGroupsTheOutputsForm)
{
    CLevel_Delay_Dlg& dlg = CreatePage();
    const struct {
        const char* name;
        std::initializer_list<std::pair<int, int>> positions;
        std::vector<UINT> shown;
    } cases[] = {
        {"three front left, tweeter and woofer right", {{0, 1}, {1, 2}, {2, 3}, {3, 7}, {4, 9}}, {6800, 6806}},
        {"two without a tweeter", {{0, 2}, {1, 3}, {2, 8}, {3, 9}}, {6803, 6807}},
        {"a tweeter without a woofer", {{0, 1}, {1, 2}, {2, 7}, {3, 8}}, {6801, 6805}},
        {"centre, rears and subs", {{0, 19}, {1, 20}, {2, 13}, {3, 14}, {4, 16}, {5, 17}, {6, 22}, {7, 23}},
         {6810, 6808, 6809, 6811}},
        {"full ranges form no group", {{0, 6}, {1, 12}, {2, 15}, {3, 18}, {4, 21}, {5, 24}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetPositions(c.positions);
        dlg.RefreshAll();
        for (UINT id = 6800; id <= 6811; ++id) {
            const bool shown = std::find(c.shown.begin(), c.shown.end(), id) != c.shown.end();
            EXPECT_EQ(!dlg.LinkToggle(id)->isHidden(), shown) << id;
            EXPECT_FALSE(dlg.LinkToggle(id)->GetCheck()) << id;
        }
    }
    // Linked: the toggle checked and the members' fields step-only.
    SetPositions({{0, 13}, {1, 14}, {2, 22}, {3, 23}});
    g_SpeakerGroups.m_nRearLeftState = 1;
    dlg.RefreshAll();
    EXPECT_TRUE(dlg.LinkToggle(6808)->GetCheck());
    EXPECT_FALSE(dlg.LinkToggle(6811)->GetCheck());
    EXPECT_TRUE(dlg.OutputRecord(0).edit->isReadOnly());
    EXPECT_TRUE(dlg.OutputRecord(1).edit->isReadOnly());
    EXPECT_FALSE(dlg.OutputRecord(2).edit->isReadOnly());
    // The next refresh makes every field editable before the toggles.
    g_SpeakerGroups.m_nRearLeftState = 0;
    dlg.RefreshAll();
    EXPECT_FALSE(dlg.OutputRecord(0).edit->isReadOnly());
}

TEST_F(LevelDelayGroups, AMemberPlacedSinceTheRefreshIsSkipped)
{
    SetPositions({{0, 13}, {1, 0}});
    CLevel_Delay_Dlg& dlg = CreatePage();
    dlg.RefreshAll();
    ASSERT_EQ(dlg.OutputRecord(1).edit, nullptr);
    // Output 1 joins the rear left group; its record waits for RefreshAll.
    g_byOutputPosition[1] = 14;
    g_SpeakerGroups.Update();
    ASSERT_EQ(g_SpeakerGroups.m_nRearLeftState, 0);
    dlg.SetGroupStepOnly(g_SpeakerGroups.m_anRearLeftMembers, true);
    EXPECT_TRUE(dlg.OutputRecord(0).edit->isReadOnly());
    EXPECT_EQ(dlg.OutputRecord(1).edit, nullptr);
    EXPECT_FALSE(dlg.m_editDelay[9].isReadOnly());
    dlg.SetGroupStepOnly(g_SpeakerGroups.m_anRearLeftMembers, false);
    EXPECT_FALSE(dlg.OutputRecord(0).edit->isReadOnly());
}

}  // namespace
