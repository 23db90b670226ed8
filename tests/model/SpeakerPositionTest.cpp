// Take and release rules of the speaker positions, pairs, duplicates and
// speaker groups.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/DataDefine.h"
#include "model/SpeakerGroups.h"
#include "model/SpeakerPosition.h"

namespace {

// States of codes 0 to 24 as a string of digits.
std::string States()
{
    std::string out;
    for (int code = 0; code < POSITION_CODE_COUNT; ++code)
        out += char('0' + g_SpeakerPositionTable[code]);
    return out;
}

void EmptyTable()
{
    ResetSpeakerPositions();
    std::memset(g_byOutputPosition, 0, OUTPUT_COUNT);
}

struct Step {
    bool take;
    int code;
};

struct SequenceCase {
    const char* name;
    std::vector<Step> steps;
    const char* states;  // codes 0..24 after the steps
};

TEST(SpeakerPosition, TakeAndReleaseSequences)
{
    //                             0 1-6    7-12   13-18  19-24
    const SequenceCase cases[] = {
        {"tweeter left", {{true, 1}}, "3" "233131" "333131" "333333" "333333"},
        {"tweeter then midwoofer", {{true, 1}, {true, 5}}, "3" "211121" "311131" "333333" "333333"},
        {"woofer left", {{true, 3}}, "3" "332311" "333311" "333333" "333333"},
        {"woofer then tweeter", {{true, 3}, {true, 1}}, "3" "232111" "333111" "333333" "333333"},
        {"midrange right", {{true, 8}}, "3" "333111" "323111" "333333" "333333"},
        {"midrange then release", {{true, 2}, {false, 2}}, "3" "333333" "333333" "333333" "333333"},
        {"rear tweeter", {{true, 13}}, "3" "333333" "333333" "231331" "333333"},
        {"rear tweeter released", {{true, 13}, {false, 13}}, "3" "333333" "333333" "333333" "333333"},
        {"rear full left", {{true, 15}}, "3" "333333" "333333" "112113" "333333"},
        {"centre pair", {{true, 19}, {true, 20}}, "3" "333333" "333333" "333333" "221333"},
        {"centre pair release one", {{true, 19}, {true, 20}, {false, 19}}, "3" "333333" "333333" "333333" "321333"},
        {"centre full", {{true, 21}}, "3" "333333" "333333" "333333" "112333"},
        {"sub left", {{true, 22}}, "3" "333333" "333333" "333333" "333231"},
        {"none", {{true, 0}}, "2" "333333" "333333" "333333" "333333"},
    };
    for (const SequenceCase& c : cases) {
        EmptyTable();
        for (const Step& step : c.steps) {
            if (step.take)
                TakeSpeakerPosition(step.code, 0);
            else
                ReleaseSpeakerPosition(step.code, 0);
        }
        EXPECT_EQ(States(), c.states) << c.name;
    }
}

TEST(SpeakerPosition, TakeThenReleaseOnAnEmptyTableFreesEverything)
{
    for (int code = 1; code <= 24; ++code) {
        EmptyTable();
        TakeSpeakerPosition(code, 0);
        EXPECT_EQ(g_SpeakerPositionTable[code], POSITION_TAKEN) << code;
        ReleaseSpeakerPosition(code, 0);
        EXPECT_EQ(States(), std::string(25, '3')) << "code " << code;
    }
}

TEST(SpeakerPosition, ReleasesFromTheDefaults)
{
    InitDefaultDeviceData();
    // Releasing 6 while 12 is taken keeps the left's other codes blocked.
    ReleaseSpeakerPosition(6, 0);
    EXPECT_EQ(States(), "2" "111113" "111112" "112112" "333221");
    // Code 0 stays taken while another output still has no position.
    ReleaseSpeakerPosition(0, 4);
    EXPECT_EQ(g_SpeakerPositionTable[0], POSITION_TAKEN);
    std::memset(g_byOutputPosition + 4, 7, 6);
    g_byOutputPosition[4] = 0;
    ReleaseSpeakerPosition(0, 4);
    EXPECT_EQ(g_SpeakerPositionTable[0], POSITION_FREE);
    // Stray codes change nothing.
    std::string before = States();
    TakeSpeakerPosition(25, 0);
    ReleaseSpeakerPosition(200, 0);
    TakeSpeakerPosition(-1, 0);
    EXPECT_EQ(States(), before);
}

TEST(SpeakerPosition, ApplySkipsStrayCodes)
{
    ResetSpeakerPositions();
    const BYTE positions[12] = {1, 3, 99, 7, 9, 0, 0, 0, 0, 0, 0, 0};
    std::memcpy(g_byOutputPosition, positions, 12);
    ApplyOutputPositions();
    EXPECT_EQ(States(), "2" "232111" "232111" "333333" "333333");
}

struct PairCase {
    std::vector<int> positions;  // outputs 0..n-1, the rest 0
    std::vector<std::pair<int, int>> mirrored;
    std::vector<std::pair<int, int>> leftRight;
};

TEST(SpeakerPosition, PairSearchOrder)
{
    const PairCase cases[] = {
        {{3, 9}, {{0, 1}}, {{0, 1}}},
        {{0, 0, 9, 0, 0, 3}, {{2, 5}}, {{5, 2}}},
        {{6, 12, 15, 18, 0, 0, 0, 0, 0, 0, 22, 23}, {{0, 1}, {2, 3}, {10, 11}}, {{0, 1}, {2, 3}, {10, 11}}},
        {{23, 22, 16, 13}, {{0, 1}, {2, 3}}, {{1, 0}, {3, 2}}},
        {{1, 7, 7}, {{0, 1}}, {{0, 1}}},  // first match only
        {{19, 20, 21, 24, 0}, {}, {}},      // centre and sub have no mirror
        {{30, 30}, {}, {}},
    };
    for (const PairCase& c : cases) {
        std::memset(g_byOutputPosition, 0, OUTPUT_COUNT);
        for (size_t i = 0; i < c.positions.size(); ++i)
            g_byOutputPosition[i] = BYTE(c.positions[i]);
        EXPECT_EQ(FindMirroredPairs(), !c.mirrored.empty());
        EXPECT_EQ(BuildLeftRightPairs(), !c.leftRight.empty());
        for (size_t k = 0; k < SPEAKER_PAIR_COUNT; ++k) {
            if (k < c.mirrored.size()) {
                EXPECT_EQ(g_MirroredPairs[k].bUsed, 1);
                EXPECT_EQ(g_MirroredPairs[k].nFirst, c.mirrored[k].first);
                EXPECT_EQ(g_MirroredPairs[k].nSecond, c.mirrored[k].second);
                EXPECT_EQ(g_LeftRightPairs[k].nFirst, c.leftRight[k].first);
                EXPECT_EQ(g_LeftRightPairs[k].nSecond, c.leftRight[k].second);
            } else {
                EXPECT_EQ(g_MirroredPairs[k].bUsed, 0);
                EXPECT_EQ(g_LeftRightPairs[k].bUsed, 0);
            }
        }
    }
}

TEST(SpeakerPosition, DuplicatesAndFirstEightOutputs)
{
    const BYTE positions[12] = {6, 6, 12, 6, 0, 0, 0, 0, 24, 24, 0, 0};
    std::memcpy(g_byOutputPosition, positions, 12);
    EXPECT_TRUE(ClearDuplicatePositions());
    const BYTE expected[12] = {6, 0, 12, 0, 0, 0, 0, 0, 24, 0, 0, 0};
    EXPECT_EQ(std::memcmp(g_byOutputPosition, expected, 12), 0);
    EXPECT_FALSE(ClearDuplicatePositions());

    std::memset(g_byOutputPosition, 0, 12);
    g_byOutputPosition[8] = 6;
    EXPECT_FALSE(AnyOfOutputs1To8Positioned());
    g_byOutputPosition[7] = 60;  // stray code: no position
    EXPECT_FALSE(AnyOfOutputs1To8Positioned());
    g_byOutputPosition[7] = 1;
    EXPECT_TRUE(AnyOfOutputs1To8Positioned());
}

struct GroupCase {
    std::vector<int> positions;
    int frontLeftState, frontLeftType, frontRightState, frontRightType;
    int rearLeftState, centerState, subState;
};

TEST(SpeakerGroups, StatesAndCrossoverTypes)
{
    const GroupCase cases[] = {
        {{1, 3}, 0, 2, -1, -1, -1, -1, -1},
        {{2, 3}, 0, 3, -1, -1, -1, -1, -1},
        {{1, 2}, 0, 1, -1, -1, -1, -1, -1},
        {{1, 2, 3}, 0, 4, -1, -1, -1, -1, -1},
        {{1}, -1, -1, -1, -1, -1, -1, -1},
        {{7, 9, 13, 14, 19, 20, 22, 23}, -1, -1, 0, 2, 0, 0, 0},
        {{10, 11}, -1, -1, 0, 3, -1, -1, -1},
        {{6, 12, 15, 21, 24}, -1, -1, -1, -1, -1, -1, -1},
        // Four or more members form no group and overrun nothing.
        {{1, 2, 3, 4, 5}, -1, -1, -1, -1, -1, -1, -1},
        {{13, 14, 13, 14}, -1, -1, -1, -1, -1, -1, -1},
    };
    for (const GroupCase& c : cases) {
        std::memset(g_byOutputPosition, 0, OUTPUT_COUNT);
        for (size_t i = 0; i < c.positions.size(); ++i)
            g_byOutputPosition[i] = BYTE(c.positions[i]);
        g_SpeakerGroups.Update();
        const CSpeakerGroups& g = g_SpeakerGroups;
        EXPECT_EQ(g.m_nFrontLeftState, c.frontLeftState);
        EXPECT_EQ(g.m_nFrontLeftType, c.frontLeftType);
        EXPECT_EQ(g.m_nFrontRightState, c.frontRightState);
        EXPECT_EQ(g.m_nFrontRightType, c.frontRightType);
        EXPECT_EQ(g.m_nRearLeftState, c.rearLeftState);
        EXPECT_EQ(g.m_nCenterState, c.centerState);
        EXPECT_EQ(g.m_nSubState, c.subState);
    }
    // Members and the codes in the order found; at most three codes kept.
    const BYTE positions[12] = {0, 3, 0, 1, 0, 2, 0, 4, 0, 0, 0, 0};
    std::memcpy(g_byOutputPosition, positions, 12);
    g_SpeakerGroups.Update();
    const int members[12] = {-1, 1, -1, 3, -1, 5, -1, 7, -1, -1, -1, -1};
    EXPECT_EQ(std::memcmp(g_SpeakerGroups.m_anFrontLeftMembers, members, sizeof members), 0);
    const int codes[3] = {3, 1, 2};
    EXPECT_EQ(std::memcmp(g_SpeakerGroups.m_anFrontLeftCodes, codes, sizeof codes), 0);
    EXPECT_EQ(g_SpeakerGroups.m_nFrontRightState, -1);
}

}  // namespace
