#pragma once
// Which outputs together form one multi-way speaker. Rebuilt from the
// outputs' position codes; the pages write the link states (0 or 1) only.
class QObject;

class CSpeakerGroups {
public:
    enum { OUTPUTS = 12, MAX_FRONT_MEMBERS = 3 };

    // Rebuilds the groups from g_byOutputPosition; hides the window, if any.
    // (Any widget: its hide slot is called by name, so the model needs no
    // widgets.)
    void Update(QObject* hide = nullptr);

    // A state is -1 no group, 0 grouped, 1 linked (written by pages). A
    // member entry holds the output's index when it belongs to the group,
    // else -1. Front groups also keep a crossover type (1 tweeter without
    // woofer, 2 tweeter and woofer, 3 no tweeter, 4 three members; -1 none)
    // and the codes of their first three members in the order found.
    int m_nCenterState;
    int m_anCenterMembers[OUTPUTS];
    int m_nFrontLeftState;
    int m_nFrontLeftType;
    int m_anFrontLeftCodes[MAX_FRONT_MEMBERS];
    int m_anFrontLeftMembers[OUTPUTS];
    int m_nFrontRightState;
    int m_nFrontRightType;
    int m_anFrontRightCodes[MAX_FRONT_MEMBERS];
    int m_anFrontRightMembers[OUTPUTS];
    int m_nRearLeftState;
    int m_anRearLeftMembers[OUTPUTS];
    int m_nRearRightState;
    int m_anRearRightMembers[OUTPUTS];
    int m_nSubState;
    int m_anSubMembers[OUTPUTS];
};

extern CSpeakerGroups g_SpeakerGroups;
