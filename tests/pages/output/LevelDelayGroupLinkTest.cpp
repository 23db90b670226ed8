// The link toggles of the speaker groups: each flips its group's state,
// makes its members' fields step-only or editable and checks the toggle
// its group's pairing type names.
#include "tests/pages/output/LevelDelayEditFixture.h"

namespace {

class LevelDelayGroupLink : public LevelDelayEditFixture {};

TEST_F(LevelDelayGroupLink, TogglesFlipTheStateAndCheckByThePairingType)
{
    using D = CLevel_Delay_Dlg;
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> positions;  // output, position
        UINT clicked;
        UINT checked;  // 0: none
        int* state;
    };
    CSpeakerGroups& g = g_SpeakerGroups;
    const Case cases[] = {
        {"centre", {{0, 19}, {1, 20}}, D::IDC_LINK_CENTRE, D::IDC_LINK_CENTRE, &g.m_nCenterState},
        {"front left, tweeter", {{0, 1}, {1, 2}}, D::IDC_LINK_FRONT_LEFT_1, D::IDC_LINK_FRONT_LEFT_1,
         &g.m_nFrontLeftState},
        {"front left, tweeter and woofer", {{0, 1}, {1, 3}}, D::IDC_LINK_FRONT_LEFT_2, D::IDC_LINK_FRONT_LEFT_2,
         &g.m_nFrontLeftState},
        {"front left, no tweeter", {{0, 2}, {1, 3}}, D::IDC_LINK_FRONT_LEFT_NO_TWEETER,
         D::IDC_LINK_FRONT_LEFT_NO_TWEETER, &g.m_nFrontLeftState},
        {"front left, three", {{0, 1}, {1, 2}, {2, 3}}, D::IDC_LINK_FRONT_LEFT_3, D::IDC_LINK_FRONT_LEFT_3,
         &g.m_nFrontLeftState},
        {"front left, another toggle of type 1", {{0, 1}, {1, 2}}, D::IDC_LINK_FRONT_LEFT_NO_TWEETER,
         D::IDC_LINK_FRONT_LEFT_1, &g.m_nFrontLeftState},
        {"front right, tweeter", {{0, 7}, {1, 8}}, D::IDC_LINK_FRONT_RIGHT_1, D::IDC_LINK_FRONT_RIGHT_1,
         &g.m_nFrontRightState},
        {"front right, tweeter and woofer", {{0, 7}, {1, 9}}, D::IDC_LINK_FRONT_RIGHT_3, D::IDC_LINK_FRONT_RIGHT_2,
         &g.m_nFrontRightState},
        {"front right, no tweeter", {{0, 8}, {1, 9}}, D::IDC_LINK_FRONT_RIGHT_NO_TWEETER,
         D::IDC_LINK_FRONT_RIGHT_NO_TWEETER, &g.m_nFrontRightState},
        {"front right, three", {{0, 7}, {1, 8}, {2, 9}}, D::IDC_LINK_FRONT_RIGHT_1, D::IDC_LINK_FRONT_RIGHT_3,
         &g.m_nFrontRightState},
        {"rear left", {{0, 13}, {1, 14}}, D::IDC_LINK_REAR_LEFT, D::IDC_LINK_REAR_LEFT, &g.m_nRearLeftState},
        {"rear right", {{0, 16}, {1, 17}}, D::IDC_LINK_REAR_RIGHT, D::IDC_LINK_REAR_RIGHT, &g.m_nRearRightState},
        {"subs", {{0, 22}, {1, 23}}, D::IDC_LINK_SUBS, D::IDC_LINK_SUBS, &g.m_nSubState},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetPositions({});
        for (const auto& [output, position] : c.positions)
            g_byOutputPosition[output] = BYTE(position);
        g_SpeakerGroups.Update();
        ASSERT_EQ(*c.state, 0);
        CLevel_Delay_Dlg& p = Open();
        p.SelectOutput(0);
        for (int expected : {1, 0}) {
            SendMessage(&p, WM_COMMAND, c.clicked, 0);
            EXPECT_EQ(*c.state, expected);
            for (const auto& member : c.positions)
                EXPECT_EQ(p.OutputRecord(member.first).edit->isReadOnly(), expected == 1);
            EXPECT_EQ(p.LinkToggle(c.checked)->GetCheck(), expected == 1);
            EXPECT_EQ(p.SelectedOutput(), 0);
            EXPECT_FALSE(p.ButtonOfPosition(c.positions[0].second)->GetCheck()) << "the highlight goes";
        }
        page.reset();
    }
}

TEST_F(LevelDelayGroupLink, AGroupWithoutMembersComesToStateZero)
{
    SetPositions({{0, 13}});
    CLevel_Delay_Dlg& p = Open();
    ASSERT_EQ(g_SpeakerGroups.m_nRearLeftState, -1);
    SendMessage(&p, WM_COMMAND, CLevel_Delay_Dlg::IDC_LINK_REAR_LEFT, 0);
    EXPECT_EQ(g_SpeakerGroups.m_nRearLeftState, 0);
    EXPECT_FALSE(p.OutputRecord(0).edit->isReadOnly());
    EXPECT_TRUE(Scan().empty());
}

}  // namespace
