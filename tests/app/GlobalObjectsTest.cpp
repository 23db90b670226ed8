#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QMenu>

#include "app/GlobalObjects.h"
#include "app/SpeakerTypeMenu.h"

namespace {

class GlobalObjectsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CreateGlobalObjects(); }
    static void TearDownTestSuite() { ReleaseGlobalObjects(); }
};

TEST_F(GlobalObjectsTest, CurveColours)
{
    struct Case {
        const QColor* colour;
        int a, r, g, b;
    };
    const Case cases[] = {
        {&g_clrEffectCurve, 220, 255, 0, 0},  {&g_clrMic1, 255, 255, 128, 51},
        {&g_clrMusic3, 255, 2, 123, 192},     {&g_clrOutput1, 255, 255, 0, 0},
        {&g_clrOutput7, 255, 125, 128, 0},    {&g_clrOutput9, 255, 125, 128, 0},
        {&g_clrOutput10, 255, 0, 0, 255},     {&g_clrOutput11, 150, 50, 0, 255},
        {&g_clrOutput12, 100, 0, 50, 255},    {&g_clrCurveLine, 255, 58, 130, 255},
        {&g_clrCurveGrey, 255, 100, 100, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.colour->rgba(), qRgba(c.r, c.g, c.b, c.a)) << c.r << "," << c.g << "," << c.b;
    // Outputs 9 and 10 repeat 7 and 8.
    EXPECT_EQ(g_clrOutput9, g_clrOutput7);
    EXPECT_EQ(g_clrOutput10, g_clrOutput8);
}

TEST_F(GlobalObjectsTest, BrushAndFonts)
{
    EXPECT_EQ(g_brBackground.color(), QColor(227, 228, 238));
    EXPECT_EQ(g_brBackground.style(), Qt::SolidPattern);
    struct Case {
        const QFont* font;
        int cell;
        int weight;
    };
    const Case cases[] = {
        {&g_fontGrid16, 16, QFont::Normal},    {&g_fontArial108, 108, QFont::Normal},
        {&g_fontArial14, 14, QFont::Normal},   {&g_fontArial12, 12, QFont::Normal},
        {&g_fontArial15, 15, QFont::Normal},   {&g_fontArial16Bold, 16, QFont::Bold},
        {&g_fontArial24Bold, 24, QFont::Bold}, {&g_fontList16, 16, QFont::Normal},
        {&g_fontArial16Heavy, 16, QFont::Black},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.font->family(), QStringLiteral("Arial"));
        EXPECT_EQ(c.font->weight(), c.weight) << c.cell;
        EXPECT_LE(QFontMetrics(*c.font).height(), c.cell);
        EXPECT_GE(QFontMetrics(*c.font).height(), c.cell - 2);
    }
}

TEST_F(GlobalObjectsTest, SpeakerTypeMenuHoldsEveryCodeWhereThePagesLookForIt)
{
    ASSERT_NE(g_menuSpeakerType, nullptr);
    for (int code = 0; code <= 24; ++code) {
        QAction* item = FindSpeakerTypeItem(g_menuSpeakerType, code);
        ASSERT_NE(item, nullptr) << code;
        EXPECT_EQ(item->data().toInt(), 4100 + code);
    }
    EXPECT_EQ(FindSpeakerTypeItem(g_menuSpeakerType, 25), nullptr);
    // "none" first, then front, rear, centre, subwoofers.
    const QList<QAction*> top = g_menuSpeakerType->actions();
    ASSERT_EQ(top.size(), 5);
    EXPECT_EQ(top[0]->data().toInt(), 4100);
    const QMenu* frontRight = top[1]->menu()->actions()[1]->menu();
    EXPECT_EQ(frontRight->actions()[2]->data().toInt(), 4100 + 9);  // front right woofer
    EXPECT_EQ(top[4]->menu()->actions()[2]->data().toInt(), 4100 + 24);

    LoadSpeakerTypeMenu(MENU_SPEAKER_TYPE_EN);
    EXPECT_EQ(FindSpeakerTypeItem(g_menuSpeakerType, 0)->text(), QStringLiteral("NULL"));
    EXPECT_EQ(FindSpeakerTypeItem(g_menuSpeakerType, 22)->text(), QStringLiteral("L-Subwoofer"));
    EXPECT_EQ(FindSpeakerTypeItem(g_menuSpeakerType, 10)->text(), QStringLiteral("Midrange Tweeter"));
    LoadSpeakerTypeMenu(MENU_SPEAKER_TYPE_CN);
    EXPECT_EQ(BuildSpeakerTypeMenu(105), nullptr);
}

TEST_F(GlobalObjectsTest, LoadImageResourceLeavesTheOutputAloneWhenMissing)
{
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_FALSE(LoadImageResource(12345, QStringLiteral("png"), &image));
    EXPECT_EQ(image.size(), QSize(3, 3));
    EXPECT_EQ(QColor(image.pixel(1, 1)), QColor(Qt::red));
    EXPECT_TRUE(LoadImageResource(654, QStringLiteral("png"), &image));
    EXPECT_EQ(image.size(), QSize(610, 100));
}

}  // namespace
