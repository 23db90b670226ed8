#include <gtest/gtest.h>

#include "model/TextFormat.h"
#include "platform/core/PerfCounter.h"

namespace {

TEST(TextFormatTest, DelayTextIsSecondsWithSixDecimalsAndABlank)
{
    EXPECT_EQ(FormatDelayText(g_liPerfFreq / 4), QStringLiteral("延时(秒)=0.250000 "));
    EXPECT_EQ(FormatDelayText(g_liPerfFreq * 3 / 2), QStringLiteral("延时(秒)=1.500000 "));
    EXPECT_EQ(FormatDelayText(-g_liPerfFreq), QStringLiteral("延时(秒)=-1.000000 "));
}

TEST(TextFormatTest, RadixStrings)
{
    struct Case {
        int value;
        int radix;
        const char* text;
    };
    const Case cases[] = {
        {10, 16, "000A"},
        {0x1F3, 16, "01F3"},
        {65535, 16, "FFFF"},
        {65536, 16, "10000"},
        {-1, 16, "FFFFFFFF"},
        {0, 16, "0000"},
        {255, 10, "255"},
        {-255, 10, "-255"},
        {-1, 8, "37777777777"},
        {5, 2, "101"},
        {-1, 2, "11111111111111111111111111111111"},
        {35, 36, "Z"},
        {-2147483647 - 1, 10, "-2147483648"},
        {100, 1, ""},
        {100, 37, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToRadixString(c.value, c.radix), QString::fromLatin1(c.text)) << c.value << " radix " << c.radix;
}

}  // namespace
