// The defaults written at start-up, byte for byte against a fixture derived
// by hand from the image layout.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/DataDefine.h"
#include "model/InputSourceTable.h"
#include "model/OutputFlagSet.h"
#include "model/SpeakerPosition.h"

namespace {

// One default band record: 1000 Hz (E8 03), gain code 600 (58 02), rest 0.
const BYTE kBand[8] = {0xE8, 0x03, 0x58, 0x02, 0, 0, 0, 0};

void PutBands(std::vector<BYTE>& image, int at, int count)
{
    for (int k = 0; k < count; ++k)
        std::memcpy(&image[at + 8 * k], kBand, 8);
}

std::vector<BYTE> ExpectedLiveImage()
{
    std::vector<BYTE> image(5000, 0);
    // Effect region at 32: records 0-7 are bands.
    PutBands(image, 32, 8);
    // Mic block at 184: bands 0-8.
    PutBands(image, 184, 9);
    // Music blocks at 296 + 288 n: bands 0-30, EQ mode (record 31 byte 2) = 1.
    for (int n = 0; n < 4; ++n) {
        int block = 296 + 288 * n;
        PutBands(image, block, 31);
        image[block + 248 + 2] = 1;
    }
    // Output blocks at 1448 + 296 n: bands 0-8 only, the mix of the position.
    const int mix[12][8] = {
        {1, 11, 13, 15}, {2, 12, 14, 16}, {3, 11, 13, 15}, {4, 12, 14, 16},
        {}, {}, {}, {}, {}, {},
        {1, 11, 13, 15}, {2, 12, 14, 16},
    };
    for (int n = 0; n < 12; ++n) {
        int block = 1448 + 296 * n;
        PutBands(image, block, 9);
        for (int source : mix[n]) {
            if (source != 0)
                image[block + 264 + source - 1] = 100;
        }
    }
    return image;
}

TEST(DefaultImage, LiveImageMatchesFixtureByteForByte)
{
    std::memset(&g_CurrentImage, 0xCD, sizeof g_CurrentImage);  // defaults must not rely on zeros
    InitDefaultDeviceData();
    std::vector<BYTE> expected = ExpectedLiveImage();
    for (int i = 0; i < IMAGE_SIZE; ++i)
        ASSERT_EQ(g_CurrentImage.bytes[i], expected[i]) << "image byte " << i;
}

TEST(DefaultImage, MachinePresetsHoldBlankNamesAndZeros)
{
    InitDefaultDeviceData();
    for (const DeviceImage& preset : g_MachinePresets) {
        for (int i = 0; i < IMAGE_SIZE; ++i)
            ASSERT_EQ(preset.bytes[i], i < 15 ? ' ' : 0) << "preset byte " << i;
        EXPECT_EQ(FixedFieldToString(reinterpret_cast<const char*>(preset.bytes), 16), QString());
    }
    EXPECT_EQ(FixedFieldToString(reinterpret_cast<const char*>(g_CurrentImage.bytes), 16), QString());
}

TEST(DefaultImage, SystemBytesModeGainsAndGlobals)
{
    std::memset(g_ModeGains, 0x55, sizeof g_ModeGains);
    InitDefaultDeviceData();
    const BYTE expected[48] = {
        1, 0, 60, 60, 60, 60, 60, 60,                 // 0-7 input mode, table, master volumes
        60, 0, 0, 55, 0, 0, 1, 0,                     // 8-15 level word, noise threshold, master on
        6, 12, 15, 18, 0, 0, 0, 0, 0, 0, 22, 23,      // 16-27 output map
        0, 0, 0, 0, 0, 0, 0, 3, 255, 0, 0, 2, 0,      // 28-40
        0, 0, 0, 0, 0, 0, 0,                          // 41-47 unused
    };
    for (int i = 0; i < SYSTEM_BYTE_COUNT; ++i)
        EXPECT_EQ(g_SystemBytes[i], expected[i]) << "system byte " << i;
    for (BYTE b : g_ModeGains)
        ASSERT_EQ(b, 0);
    const int sync[7] = {0, 52, 2, 5, 6, 7, 4};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(g_SyncItemCodes[i], sync[i]);
    for (int status : g_nDeviceStatus)
        EXPECT_EQ(status, 0);
    const BYTE preamble[4] = {0x82, 0x82, 0x82, 0xEE};
    EXPECT_EQ(std::memcmp(g_FrameHeader, preamble, 4), 0);
    EXPECT_EQ(g_nUiMode, 1);
    EXPECT_EQ(g_nCurOutput, 0);
    EXPECT_EQ(g_InputSourceTable.m_nCurrentSource, 6);
    const int row0[7] = {0, 1, 1, 1, 1, 1, 1};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(g_InputSourceTable.m_anEnabled[i], row0[i]);
    EXPECT_EQ(g_OutputFlagSet.m_nFlag, -1);
}

TEST(DefaultImage, PositionTableAndItsCopy)
{
    InitDefaultDeviceData();
    // Codes 0-24: state 0 taken; fronts full-range taken, the rest blocked;
    // rear full taken; centre free; the two subs taken, the mono sub blocked.
    const BYTE states[25] = {2, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1, 1, 2, 1, 1, 2, 1, 1, 2, 3, 3, 3, 2, 2, 1};
    for (int code = 0; code < 25; ++code)
        EXPECT_EQ(g_SpeakerPositionTable[code], states[code]) << "code " << code;
    const BYTE positions[12] = {6, 12, 15, 18, 0, 0, 0, 0, 0, 0, 22, 23};
    EXPECT_EQ(std::memcmp(g_byOutputPosition, positions, 12), 0);
    // The copy is taken before the positions are applied: every state free.
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(g_DefaultSpeakerPositions[i], 3) << "entry " << i;
    EXPECT_EQ(std::memcmp(g_DefaultSpeakerPositions + 26, positions, 12), 0);
}

}  // namespace
