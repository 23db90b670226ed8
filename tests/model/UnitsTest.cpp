#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/FrequencyTables.h"
#include "model/Units.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(UnitsTest, GainAxisTable)
{
    struct Case { double dB; int height; int y; double exact; } cases[] = {
        {0, 240, 120, 120.0},
        {12, 240, 0, 0.0},
        {-12, 240, 240, 240.0},
        {6.05, 240, 60, 59.5},        // 59.5 + 0.5 = 60
        {6.06, 240, 59, 59.4},        // 59.4 + 0.5 truncates to 59
        {13, 240, -9, -10.0},         // -9.5 truncates toward zero
        {12.02, 240, 0, -0.2},        // -0.2 + 0.5 = 0.3
        {3, 100, 38, 37.5},           // 37.5 + 0.5 = 38
        {0, 0, 0, 0.0},               // no height
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dB);
        EXPECT_EQ(GainToY(c.dB, c.height), c.y);
        EXPECT_NEAR(GainToYExact(c.dB, c.height), c.exact, 1e-9);
    }
}

TEST(UnitsTest, YToGainTable)
{
    struct Case { int y; int height; double dB; } cases[] = {
        {0, 240, 12.5},
        {120, 240, -0.5},    // 0 counts as not above zero
        {119, 240, 0.6},
        {121, 240, -0.6},
        {240, 240, -12.5},
        {250, 240, -13.5},
        {60, 120, 0.0 - 0.5},
        {5, 0, 0.0},         // a graph without height: 0 dB, not NaN
        {-3, 0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        EXPECT_NEAR(YToGain(c.y, c.height), c.dB, 1e-9);
    }
}

TEST(UnitsTest, FrequencyAxisTable)
{
    struct Case { double hz; int width; int x; double exact; } cases[] = {
        {20, 600, 0, 0.0},
        {200, 600, 200, 200.0},
        {20000, 600, 600, 600.0},
        {1000, 600, 339, 339.794000867},   // truncated
        {10, 600, -60, -60.205999133},     // below 20 Hz: negative, truncated toward zero
        {1000, 602, 339, 339.794000867},   // width / 3 is an integer division
        {1000, 2, 0, 0.0},                 // narrower than 3 pixels
        {0, 600, -260, -260.205999133},    // 0 Hz is taken as 1 Hz
        {-5, 600, -260, -260.205999133},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hz);
        EXPECT_EQ(FrequencyToX(c.hz, c.width), c.x);
        EXPECT_NEAR(FrequencyToXExact(c.hz, c.width), c.exact, 1e-6);
    }
    EXPECT_EQ(FrequencyToX(kNaN, 600), -260);
    EXPECT_EQ(FrequencyToX(kInf, 600), 1 << 30);
}

TEST(UnitsTest, XToFrequencyTable)
{
    struct Case { int x; int width; int hz; } cases[] = {
        {0, 600, 20},
        {-50, 600, 20},
        {600, 600, 20000},
        {900, 600, 20000},     // beyond the width
        {339, 600, 990},       // 20 x 10^1.695 = 990.8, truncated
        {340, 600, 1002},
        {200, 600, 200},
        {0, 2, 20},            // width / 3 = 0: no division by zero
        {-4, 1, 20},
        {1, 2, 20000},
        {0, 0, 20},
        {100000, 3, 20000},    // huge exponent: clamped, not converted from infinity
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " " << c.width);
        EXPECT_EQ(XToFrequency(c.x, c.width), c.hz);
    }
}

TEST(UnitsTest, FrequencyToGridIndexTable)
{
    struct Case { double hz; int index; } cases[] = {
        {1000, 136}, {1015, 137},  // a tie goes to the upper entry
        {1014.9, 136}, {10, 0}, {19.7, 0}, {20.0, 1} /* tie */, {19.9, 0}, {25000, 240}, {20000, 240},
        {179, 76}, {180, 76}, {180.5, 77},  // around the table's 179 at entry 76
        {0, 0}, {-100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hz);
        EXPECT_EQ(FrequencyToGridIndex(c.hz), c.index);
    }
}

TEST(UnitsTest, QToBandwidthIndexTable)
{
    EXPECT_EQ(QToBandwidthIndex(30), 0);
    EXPECT_EQ(QToBandwidthIndex(0.3), 295);
    EXPECT_EQ(QToBandwidthIndex(0.404), 295);  // entry 295 is reached by running out
    for (int i : {0, 1, 52, 60, 200, 294})
        EXPECT_EQ(QToBandwidthIndex(g_OctaveToQTable[size_t(i)]), i) << i;
    EXPECT_EQ(QToBandwidthIndex(2.300), 58);   // between entries: the first one not above
    EXPECT_EQ(QToBandwidthIndex(kNaN), 295);
}

TEST(UnitsTest, BandwidthIndexToQClampsTheLookup)
{
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(60), 2.201);
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(-1), 28.852);
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(-32768), 28.852);
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(296), 0.404);
    EXPECT_DOUBLE_EQ(BandwidthIndexToQ(32767), 0.404);
}

TEST(UnitsTest, SafeConversions)
{
    EXPECT_EQ(TruncateToInt(kNaN), 0);
    EXPECT_EQ(TruncateToInt(kInf), 1 << 30);
    EXPECT_EQ(TruncateToInt(-kInf), -(1 << 30));
    EXPECT_EQ(TruncateToInt(-2.7), -2);
    EXPECT_EQ(TruncateToInt(2.7), 2);
    EXPECT_EQ(FloorToInt(-2.2), -3);
    EXPECT_EQ(FloorToInt(kNaN), 0);
    EXPECT_EQ(FloorToInt(1e300), 1 << 30);
}

TEST(UnitsTest, SnapRatioCodeTable)
{
    struct Case { int in; int out; } cases[] = {
        {1, 1}, {5, 5}, {11, 11}, {12, 16}, {15, 16}, {16, 16}, {17, 16}, {19, 16},
        {20, 26}, {21, 21}, {22, 26}, {25, 26}, {26, 26}, {27, 26}, {29, 26}, {30, 36}, {31, 31},
        {186, 186}, {190, 191}, {191, 191}, {192, 191}, {200, 191}, {0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnapRatioCode(c.in), c.out) << c.in;
        EXPECT_EQ(SnapRatioCodeForEdit(c.in), c.out) << c.in;
    }
}

TEST(UnitsTest, StepDelayByCentimetreTable)
{
    struct Case { int steps; int dir; int result; } cases[] = {
        {960, +1, 960}, {0, -1, 0}, {0, +1, 1},
        {958, +1, 960},  // 958 and 959 both show 691 cm: the walk runs into 960
        {950, +1, 951},
        {960, -1, 959},
        {1, -1, 0},
        {100, +1, 101},  // 72 cm, then 73 cm
        {100, -1, 99},
        {0, +5, 5},
        {500, 0, 500},   // no direction: nothing moves
        {-7, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.steps << " " << c.dir);
        EXPECT_EQ(StepDelayByCentimetre(c.steps, c.dir), c.result);
    }
}

TEST(UnitsTest, StepDelayByInchWalksWholeInches)
{
    EXPECT_EQ(StepDelayByInch(0, +1), 4);
    int steps = 0;
    const int expected[] = {4, 7, 11, 14, 18, 21, 25, 28};
    for (int want : expected) {
        steps = StepDelayByInch(steps, +1);
        EXPECT_EQ(steps, want);
    }
    EXPECT_EQ(StepDelayByInch(960, +1), 960);
    EXPECT_EQ(StepDelayByInch(0, -1), 0);
    EXPECT_EQ(StepDelayByInch(4, -1), 0);   // 1 inch down to 0
    EXPECT_EQ(StepDelayByInch(957, +1), 960);
    EXPECT_EQ(StepDelayByInch(300, 0), 300);
}

TEST(UnitsTest, SteppersStayInRangeFromEveryStart)
{
    for (int s = 0; s <= DELAY_STEPS_MAX; ++s) {
        for (int d : {-1, +1}) {
            const int cm = StepDelayByCentimetre(s, d);
            const int in = StepDelayByInch(s, d);
            ASSERT_GE(cm, 0);
            ASSERT_LE(cm, DELAY_STEPS_MAX);
            ASSERT_GE(in, 0);
            ASSERT_LE(in, DELAY_STEPS_MAX);
            if (d > 0 && s < DELAY_STEPS_MAX) {
                ASSERT_GT(cm, s) << s;
            }
            if (d < 0 && s > 0) {
                ASSERT_LT(cm, s) << s;
            }
        }
    }
}
}  // namespace
