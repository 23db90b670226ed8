#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "model/DefaultOutputBlocks.h"
#include "model/FrequencyTables.h"

namespace {
TEST(FrequencyTablesTest, GridKeepsTheDeviceValues)
{
    struct Entry { int index; double hz; } entries[] = {
        {0, 19.7}, {11, 27}, {19, 34.1}, {39, 60.7}, {56, 99.2}, {57, 102}, {75, 172}, {76, 179},
        {77, 182}, {112, 500}, {136, 1000}, {140, 1123}, {160, 2000}, {184, 4000}, {192, 5000},
        {216, 10079}, {232, 16000}, {239, 19585}, {240, 20000},
    };
    for (const Entry& e : entries)
        EXPECT_EQ(g_FrequencyGrid[e.index], e.hz) << e.index;
    // Rising everywhere, and within 1.5% of the 1/24-octave series.
    for (int i = 1; i < GRID_POINTS; ++i)
        EXPECT_GT(g_FrequencyGrid[i], g_FrequencyGrid[i - 1]) << i;
    for (int i = 0; i < GRID_POINTS; ++i) {
        const double nominal = 1000 * std::pow(2.0, (i - 136) / 24.0);
        EXPECT_NEAR(g_FrequencyGrid[i] / nominal, 1.0, 0.025) << i;
    }
}

TEST(FrequencyTablesTest, OctaveToQTableMatchesEveryGivenValue)
{
    EXPECT_DOUBLE_EQ(g_OctaveToQTable[0], 28.852);
    EXPECT_DOUBLE_EQ(g_OctaveToQTable[1], 24.043);
    EXPECT_DOUBLE_EQ(g_OctaveToQTable[52], 2.515);
    EXPECT_DOUBLE_EQ(g_OctaveToQTable[60], 2.201);
    EXPECT_DOUBLE_EQ(g_OctaveToQTable[295], 0.404);
    for (int i = 1; i < OCTAVE_Q_COUNT; ++i)
        EXPECT_LT(g_OctaveToQTable[size_t(i)], g_OctaveToQTable[size_t(i - 1)]) << i;
}

TEST(FrequencyTablesTest, BandCentreTables)
{
    EXPECT_EQ(g_ThirdOctaveFreqs[0], 20);
    EXPECT_EQ(g_ThirdOctaveFreqs[17], 1000);
    EXPECT_EQ(g_ThirdOctaveFreqs[30], 20000);
    EXPECT_EQ(g_LogBandFreqs[0], 20);
    EXPECT_EQ(g_LogBandFreqs[8], 1035);
    EXPECT_EQ(g_LogBandFreqs[14], 20000);
    EXPECT_EQ(g_ToneBandFreqs[0], 100);
    EXPECT_EQ(g_ToneBandFreqs[2], 10000);
}

TEST(FrequencyTablesTest, DefaultOutputBlocks)
{
    const BYTE positions[OUTPUT_COUNT] = {1, 5, 7, 11, 15, 18, 21, 24, 1, 5, 7, 11};
    for (int output = 0; output < OUTPUT_COUNT; ++output) {
        SCOPED_TRACE(output);
        const BYTE* b = g_DefaultOutputBlocks[size_t(output)].data();
        for (int band = 0; band < 31; ++band) {
            const BYTE* r = b + 8 * band;
            EXPECT_EQ(GetWord(r), g_ThirdOctaveFreqs[band]);
            EXPECT_EQ(GetWord(r + 2), 600);
            EXPECT_EQ(GetWord(r + 4), 52);
            EXPECT_EQ(r[6], 0);
            EXPECT_EQ(r[7], 0);
        }
        const BYTE basic[8] = {1, 0, 0x58, 0x02, 0, 0, 0, positions[output]};
        EXPECT_EQ(0, std::memcmp(b + 248, basic, 8));
        const BYTE crossover[8] = {20, 0, 1, 6, 0x20, 0x4E, 1, 6};
        EXPECT_EQ(0, std::memcmp(b + 256, crossover, 8));
        for (int source = 1; source <= 16; ++source) {
            const bool odd = source % 2 == 1;
            EXPECT_EQ(b[264 + source - 1], odd == (output % 2 == 0) ? 100 : 0) << source;
        }
        const BYTE limiter[8] = {0xA4, 0x01, 20, 0, 20, 0, 0, 0};
        EXPECT_EQ(0, std::memcmp(b + 280, limiter, 8));
        const BYTE name[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', 0};
        EXPECT_EQ(0, std::memcmp(b + 288, name, 8));
    }
}
}  // namespace
