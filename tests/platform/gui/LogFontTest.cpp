#include <gtest/gtest.h>

#include <QFontMetrics>

#include "platform/gui/LogFont.h"

TEST(LogFontTest, DescriptionsMakeTheFontsTheyDescribe)
{
    LOGFONT lf = SystemFontLogFont();
    EXPECT_EQ(lf.lfHeight, 16);
    EXPECT_EQ(lf.lfWeight, 700);
    std::optional<QFont> system = CreateFontIndirect(lf);
    ASSERT_TRUE(system);
    EXPECT_LE(QFontMetrics(*system).height(), 16);
    EXPECT_EQ(system->weight(), QFont::Bold);

    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    EXPECT_NE(lf, SystemFontLogFont());
    std::optional<QFont> italic = CreateFontIndirect(lf);
    ASSERT_TRUE(italic);
    EXPECT_TRUE(italic->italic());
    EXPECT_TRUE(italic->underline());
    EXPECT_FALSE(italic->strikeOut());

    EXPECT_EQ(DefaultGuiFontLogFont().lfWeight, 400);
    EXPECT_EQ(DefaultGuiFontLogFont().lfHeight, 13);
}

TEST(LogFontTest, ColourReferencesHoldRedInTheLowByte)
{
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
    EXPECT_EQ(ToQColor(RGB(227, 228, 238)), QColor(227, 228, 238));
    EXPECT_EQ(ToColorRef(QColor(13, 133, 138)), RGB(13, 133, 138));
}
