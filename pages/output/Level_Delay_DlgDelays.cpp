// The level-and-delay page's car plan: a delay typed or stepped on a
// speaker position, each step repeated on the other speakers of a linked
// group, the delay unit, the position buttons and the groups' link toggles.
// The delays go into the parameter set; the change scan sends them.
#include <algorithm>

#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerGroups.h"
#include "model/Units.h"
#include "pages/output/Level_Delay_Dlg.h"

namespace {
// A speaker group as the handlers see it: its state and its member table.
struct LevelDelayGroup {
    int* state = nullptr;
    const int* members = nullptr;
    int* pairing = nullptr;
};

// The group whose delay steps a speaker position shares; none for the
// full-range positions (6, 12, 15, 18, 21) and the single sub (24).
LevelDelayGroup LevelDelayGroupOfPosition(int position)
{
    CSpeakerGroups& g = g_SpeakerGroups;
    if (position >= 1 && position <= 5)
        return {&g.m_nFrontLeftState, g.m_anFrontLeftMembers, &g.m_nFrontLeftType};
    if (position >= 7 && position <= 11)
        return {&g.m_nFrontRightState, g.m_anFrontRightMembers, &g.m_nFrontRightType};
    if (position == 13 || position == 14)
        return {&g.m_nRearLeftState, g.m_anRearLeftMembers, nullptr};
    if (position == 16 || position == 17)
        return {&g.m_nRearRightState, g.m_anRearRightMembers, nullptr};
    if (position == 19 || position == 20)
        return {&g.m_nCenterState, g.m_anCenterMembers, nullptr};
    if (position == 22 || position == 23)
        return {&g.m_nSubState, g.m_anSubMembers, nullptr};
    return {};
}

// The group of a link toggle, with the toggles its pairing types check
// (1 to 4) when it is a front group.
struct LevelDelayToggleGroup {
    int position;  // any position of the group
    std::array<UINT, 4> byPairing;
};

bool LevelDelayToggleGroupOf(UINT id, LevelDelayToggleGroup& out)
{
    const std::array<UINT, 4> none = {0, 0, 0, 0};
    const std::array<UINT, 4> frontLeft = {CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_1,
                                           CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_2,
                                           CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_NO_TWEETER,
                                           CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_3};
    const std::array<UINT, 4> frontRight = {CLevel_Delay_Dlg::IDC_LINK_FRONT_RIGHT_1,
                                            CLevel_Delay_Dlg::IDC_LINK_FRONT_RIGHT_2,
                                            CLevel_Delay_Dlg::IDC_LINK_FRONT_RIGHT_NO_TWEETER,
                                            CLevel_Delay_Dlg::IDC_LINK_FRONT_RIGHT_3};
    switch (id) {
    case CLevel_Delay_Dlg::IDC_LINK_CENTRE: out = {19, none}; return true;
    case CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_3:
    case CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_1:
    case CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_2:
    case CLevel_Delay_Dlg::IDC_LINK_FRONT_LEFT_NO_TWEETER: out = {1, frontLeft}; return true;
    case CLevel_Delay_Dlg::IDC_LINK_FRONT_RIGHT_3:
    case CLevel_Delay_Dlg::IDC_LINK_FRONT_RIGHT_1:
    case CLevel_Delay_Dlg::IDC_LINK_FRONT_RIGHT_2:
    case CLevel_Delay_Dlg::IDC_LINK_FRONT_RIGHT_NO_TWEETER: out = {7, frontRight}; return true;
    case CLevel_Delay_Dlg::IDC_LINK_REAR_LEFT: out = {13, none}; return true;
    case CLevel_Delay_Dlg::IDC_LINK_REAR_RIGHT: out = {16, none}; return true;
    case CLevel_Delay_Dlg::IDC_LINK_SUBS: out = {22, none}; return true;
    default: return false;
    }
}
}  // namespace

void CLevel_Delay_Dlg::OnDelayEdited(int output)
{
    // A spin carries no output before the first RefreshAll: nothing to edit.
    CKTV_OutData* data = OutputOf(output);
    CNumSpin* spin = data != nullptr ? m_aDelayRecord[output].spin : nullptr;
    if (spin == nullptr)
        return;
    const int v = spin->GetPos();
    int delay = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        delay = data->GetDelay();
    }
    if (delay != v)
        data->SetDelay(short(v));
    SelectOutput(output);
}

void CLevel_Delay_Dlg::OnSpinDelayStep(WPARAM spinId, LPARAM delta)
{
    const int field = int(spinId) - int(IDC_DELAY_SPIN0);
    if (field < 0 || field >= DELAY_FIELDS)
        return;
    const int output = m_spinDelay[field].GetUserData();
    if (output < 0 || output >= OUTPUTS)
        return;
    std::vector<int> members;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const LevelDelayGroup group = LevelDelayGroupOfPosition(g_byOutputPosition[output]);
        if (group.state == nullptr || *group.state != 1)
            return;
        for (int i = 0; i < OUTPUTS; ++i) {
            const int member = group.members[i];
            if (member >= 0 && member < OUTPUTS && member != output)
                members.push_back(member);
        }
    }
    std::sort(members.begin(), members.end());
    members.erase(std::unique(members.begin(), members.end()), members.end());
    for (int member : members)
        StepOutputDelay(member, int(delta));
}

void CLevel_Delay_Dlg::StepOutputDelay(int output, int delta)
{
    CKTV_OutData* data = OutputOf(output);
    // The groups follow every position change while the records wait for
    // the next RefreshAll: a member placed since has no spin yet.
    CNumSpin* spin = data != nullptr ? m_aDelayRecord[output].spin : nullptr;
    if (spin == nullptr)
        return;
    int v = spin->GetPos();
    switch (spin->GetBuddyValueType()) {
    case 0: v += delta; break;
    case 1: v = StepDelayByCentimetre(v, delta); break;
    case 2: v = StepDelayByInch(v, delta); break;
    default: break;
    }
    v = std::clamp(v, 0, int(DELAY_MAX));
    int delay = 0;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        delay = data->GetDelay();
    }
    if (delay == v)
        return;
    data->SetDelay(short(v));
    spin->SetPos(v);
}

void CLevel_Delay_Dlg::OnDelayUnitButton(int unit)
{
    if (unit == g_nLevelDelayUnit)
        return;
    SetDelayUnit(unit);
    SelectOutput(-1);
}

void CLevel_Delay_Dlg::OnPositionButton(CBtnPng* button)
{
    if (button == nullptr)
        return;
    for (int i = 0; i < OUTPUTS; ++i) {
        const DelayRecord& record = m_aDelayRecord[i];
        if (record.button != button || record.spin == nullptr)
            continue;
        SelectOutput(record.spin->GetUserData());
        if (record.edit != nullptr)
            record.edit->setFocus(Qt::OtherFocusReason);
    }
}

void CLevel_Delay_Dlg::OnGroupLink(UINT toggleId)
{
    LevelDelayToggleGroup which;
    if (!LevelDelayToggleGroupOf(toggleId, which))
        return;
    int state = 0, pairing = 0;
    int members[OUTPUTS];
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const LevelDelayGroup group = LevelDelayGroupOfPosition(which.position);
        *group.state = *group.state == 0 ? 1 : 0;
        state = *group.state;
        pairing = group.pairing != nullptr ? *group.pairing : 0;
        std::copy(group.members, group.members + OUTPUTS, members);
    }
    SetGroupStepOnly(members, state == 1);
    // A front group shows the toggle of its pairing type; the others their own.
    UINT checked = toggleId;
    if (which.byPairing[0] != 0)
        checked = pairing >= 1 && pairing <= 4 ? which.byPairing[pairing - 1] : 0;
    if (CBtnPng* toggle = checked != 0 ? LinkToggle(checked) : nullptr)
        toggle->SetCheck(state == 1);
    SelectOutput(-1);
}
