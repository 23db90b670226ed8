// The wall clock: the hook fixes the moment and is given back; the text is
// strftime's "%c" of the local time.
#include <gtest/gtest.h>

#include "platform/core/WallClock.h"

TEST(WallClockTest, TheHookFixesTheMomentAndTheTextIsTheLocalCFormat)
{
    const WallClockHook previous = SetWallClockHook([] { return std::time_t(1800000000); });
    EXPECT_EQ(WallClockNow(), std::time_t(1800000000));
    const std::time_t when = 1800000000;
    std::tm local{};
    ASSERT_NE(localtime_r(&when, &local), nullptr);
    char expected[128];
    std::strftime(expected, sizeof expected, "%c", &local);
    EXPECT_EQ(WallClockText(when), QString::fromLocal8Bit(expected));
    EXPECT_TRUE(WallClockText(when).contains(QString::number(1900 + local.tm_year)));
    SetWallClockHook(previous);
    const std::time_t now = std::time(nullptr);
    EXPECT_LE(std::abs(double(WallClockNow() - now)), 60.0);
}
