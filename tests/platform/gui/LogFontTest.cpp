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

TEST(LogFontTest, FontsTellTheDescriptionTheyWereMadeFrom)
{
    LOGFONT arial;
    arial.lfHeight = 16;
    arial.lfWeight = 400;
    arial.lfFaceName = QStringLiteral("Arial");
    LOGFONT italic = SystemFontLogFont();
    italic.lfItalic = 1;
    for (const LOGFONT& lf : {SystemFontLogFont(), DefaultGuiFontLogFont(), arial, italic}) {
        const std::optional<QFont> font = CreateFontIndirect(lf);
        ASSERT_TRUE(font);
        EXPECT_EQ(LogFontFromFont(*font), lf) << lf.lfHeight << " " << lf.lfFaceName.toStdString();
        EXPECT_EQ(CreateFontIndirect(LogFontFromFont(*font))->pixelSize(), font->pixelSize());
    }
    // A font made from a character height makes the same font again (it may
    // be told as the cell height of an equal font).
    LOGFONT pixels = DefaultGuiFontLogFont();
    pixels.lfHeight = -11;
    EXPECT_EQ(CreateFontIndirect(LogFontFromFont(*CreateFontIndirect(pixels)))->pixelSize(), 11);
    // A font made elsewhere: its pixel size, as a character height.
    QFont plain(QStringLiteral("Liberation Sans"));
    plain.setPixelSize(13);
    EXPECT_EQ(LogFontFromFont(plain).lfHeight, -13);
}

TEST(LogFontTest, PointFontsTakeTheirCharacterHeightAt96Dpi)
{
    struct Case {
        LONG tenths;
        int pixels;
    };
    const Case cases[] = {{100, 13}, {80, 11}, {90, 12}, {120, 16}};
    for (const Case& c : cases) {
        LOGFONT lf;
        lf.lfHeight = c.tenths;
        lf.lfWeight = 700;
        lf.lfFaceName = QStringLiteral("Arial");
        std::optional<QFont> font = CreatePointFontIndirect(lf);
        ASSERT_TRUE(font) << c.tenths;
        EXPECT_EQ(font->pixelSize(), c.pixels) << c.tenths;
        EXPECT_EQ(font->weight(), QFont::Bold);
    }
}
