#include <gtest/gtest.h>

#include "controls/SLamp.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

const QColor kGreen(0, 200, 51);
const QColor kDark(102, 102, 102);

class SLampTest : public ::testing::Test {
protected:
    SLampTest()
    {
        lamp.resize(130, 12);
        lamp.CalcLayout();
    }
    // "L" lit, "." dark, one character per segment.
    std::string Shown() const
    {
        std::string s;
        for (int i = 0; i < CSLamp::SEGMENT_COUNT; ++i)
            s += lamp.IsLit(i) ? 'L' : '.';
        return s;
    }
    CSLamp lamp;
};

TEST_F(SLampTest, LevelCodes)
{
    struct Case {
        BYTE code;
        const char* shown;
    };
    // In order: each code starts from the state the one before left.
    const Case cases[] = {
        {0x79, "LLLLLLLLLLLL"}, {0x0A, "LLLLLLLLL..."},  // 10 to 15 keep the green ones
        {0x69, "LLLLLLLLLLL."}, {0x05, "LLLLL......."}, {0x1F, "LLLLL......L"},
        {0x00, "............"}, {0x49, "LLLLLLLLLL.."}, {0x30, "..........LL"},
    };
    for (const Case& c : cases) {
        lamp.SetLevel(c.code);
        EXPECT_EQ(Shown(), c.shown) << int(c.code);
    }
}

TEST_F(SLampTest, DrawsOnlyWhenSomethingChangedOrARedrawIsPending)
{
    EXPECT_EQ(Shown(), "LLLLLLLLLLLL") << "lit at construction";
    lamp.SetLevel(0x79);  // nothing changed, but the first call draws
    EXPECT_EQ(lamp.DrawCount(), 1);
    lamp.SetLevel(0x79);
    EXPECT_EQ(lamp.DrawCount(), 1);
    lamp.SetLevel(0x78);
    EXPECT_EQ(lamp.DrawCount(), 2);
    lamp.Reset();
    EXPECT_EQ(lamp.DrawCount(), 3);
    EXPECT_EQ(Shown(), "............");
    lamp.SetLevel(0x00);  // nothing changed, but a redraw is pending after Reset
    EXPECT_EQ(lamp.DrawCount(), 4);
    lamp.SetLevel(0x00);
    EXPECT_EQ(lamp.DrawCount(), 4);
}

TEST_F(SLampTest, SegmentsAThirteenthWideOnePixelApart)
{
    EXPECT_EQ(lamp.SegmentRect(0), CRect(0, 0, 10, 12));
    EXPECT_EQ(lamp.SegmentRect(11), CRect(121, 0, 131, 12));
    lamp.SetLevel(0x69);
    const QImage image = lamp.BackingImage().convertToFormat(QImage::Format_RGB32);
    const QColor grey(127, 127, 127);
    EXPECT_EQ(QColor(image.pixel(5, 0)), grey) << "the top line";
    EXPECT_EQ(QColor(image.pixel(0, 1)), kGreen);
    EXPECT_EQ(QColor(image.pixel(9, 11)), kGreen);
    EXPECT_EQ(QColor(image.pixel(10, 5)), grey) << "the gap";
    EXPECT_EQ(QColor(image.pixel(8 * 11 + 5, 5)), kGreen);
    EXPECT_EQ(QColor(image.pixel(9 * 11 + 5, 5)), QColor(255, 204, 74));
    EXPECT_EQ(QColor(image.pixel(10 * 11 + 5, 5)), QColor(255, 127, 39));
    EXPECT_EQ(QColor(image.pixel(121, 5)), kDark) << "the twelfth starts at 121";
    EXPECT_EQ(QColor(image.pixel(120, 5)), grey);
    lamp.SetLevel(0x79);
    EXPECT_EQ(QColor(lamp.BackingImage().pixel(129, 11)), QColor(237, 0, 0));
    EXPECT_EQ(QColor(Render(&lamp).pixel(125, 6)), QColor(237, 0, 0)) << "the paint copies the image";
}

}  // namespace
