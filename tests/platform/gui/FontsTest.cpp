#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "platform/gui/Fonts.h"

namespace {

// A positive height is the cell (ascent + descent): the font is the largest
// whose rendered cell fits it.
TEST(FontsTest, PositiveHeightsMatchTheRenderedCell)
{
    for (int height : {12, 14, 15, 16, 18, 20, 24, 108}) {
        const QFont font = *CreateFont(height, FW_NORMAL);
        EXPECT_LE(QFontMetrics(font).height(), height) << height;
        QFont bigger = font;
        bigger.setPixelSize(font.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(bigger).height(), height) << height;
        EXPECT_LT(font.pixelSize(), height) << "the cell includes the internal leading";
    }
}

TEST(FontsTest, NegativeHeightIsTheCharacterHeight)
{
    EXPECT_EQ(CreateFont(-12, FW_NORMAL)->pixelSize(), 12);
}

TEST(FontsTest, WeightsAreClampedToTheHeaviest)
{
    EXPECT_EQ(CreateFont(16, 1200)->weight(), QFont::Black);
    EXPECT_EQ(CreateFont(16, FW_BOLD)->weight(), QFont::Bold);
    EXPECT_EQ(CreateFont(16, FW_DONTCARE)->weight(), QFont::Normal);
    EXPECT_EQ(QFontInfo(*CreateFont(16, FW_NORMAL)).family(), QFontInfo(QFont(QStringLiteral("Arial"))).family());
}

TEST(FontsTest, HookDecidesWhetherAFontCanBeMade)
{
    const FontCreationHook previous =
        SetFontCreationHook([](int height, int, const QString&) { return height != 14; });
    EXPECT_FALSE(CreateFont(14, FW_NORMAL).has_value());
    EXPECT_TRUE(CreateFont(16, FW_NORMAL).has_value());
    SetFontCreationHook(previous);
    EXPECT_TRUE(CreateFont(14, FW_NORMAL).has_value());
}

}  // namespace
