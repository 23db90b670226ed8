#include <gtest/gtest.h>

#include "platform/gui/SysColors.h"

namespace {

TEST(SysColorsTest, FixedTableWhateverTheStyle)
{
    struct Case {
        int index;
        QColor colour;
    };
    const Case cases[] = {
        {COLOR_BTNFACE, QColor(240, 240, 240)},    {COLOR_WINDOW, QColor(255, 255, 255)},
        {COLOR_HIGHLIGHT, QColor(51, 153, 255)},   {COLOR_3DSHADOW, QColor(160, 160, 160)},
        {COLOR_3DHILIGHT, QColor(255, 255, 255)},  {COLOR_3DDKSHADOW, QColor(105, 105, 105)},
        {COLOR_3DLIGHT, QColor(227, 227, 227)},    {COLOR_BTNTEXT, QColor(0, 0, 0)},
        {-1, QColor(0, 0, 0)},                     {SYS_COLOR_COUNT, QColor(0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetSysColor(c.index), c.colour) << c.index;
}

TEST(SysColorsTest, AHookStandsForAnotherScheme)
{
    SysColorHook previous = SetSysColorHook([](int index) -> std::optional<QColor> {
        if (index == COLOR_WINDOW)
            return QColor(1, 2, 3);
        return std::nullopt;
    });
    EXPECT_FALSE(previous);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), QColor(1, 2, 3));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), QColor(240, 240, 240));
    EXPECT_TRUE(SetSysColorHook(nullptr));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), QColor(255, 255, 255));
}

}  // namespace
