#include <gtest/gtest.h>

#include "controls/GradientProgressCtrl.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/PaintCounter.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

const QColor kBackground(128, 128, 128);

// The ramp's colour of band i, red to blue.
QColor Band(int i)
{
    return QColor(255 - i, 0, i);
}

class GradientProgressCtrlTest : public ::testing::Test {
protected:
    GradientProgressCtrlTest()
    {
        bar.resize(510, 12);
        bar.SetBkColor(RGB(128, 128, 128));
    }
    QImage Drawn() { return Render(&bar).convertToFormat(QImage::Format_RGB32); }
    CGradientProgressCtrl bar;
};

TEST_F(GradientProgressCtrlTest, TheRampEndsOnTheFirstBandEdgeBeyondTheExtent)
{
    // 510 pixels: bands 2 pixels wide; 20 of 100 is 102 pixels, the ramp
    // ends after band 51 at pixel 104.
    bar.SetPos(20);
    EXPECT_EQ(bar.FilledExtent(510), 102);
    const QImage image = Drawn();
    EXPECT_EQ(QColor(image.pixel(0, 5)), Band(0));
    EXPECT_EQ(QColor(image.pixel(101, 5)), Band(50));
    EXPECT_EQ(QColor(image.pixel(102, 5)), Band(51));
    EXPECT_EQ(QColor(image.pixel(103, 11)), Band(51));
    EXPECT_EQ(QColor(image.pixel(104, 5)), kBackground);
    EXPECT_EQ(QColor(image.pixel(509, 11)), kBackground);
}

TEST_F(GradientProgressCtrlTest, FullEmptyAndOutOfRange)
{
    bar.SetPos(100);
    QImage image = Drawn();
    EXPECT_EQ(QColor(image.pixel(0, 0)), Band(0));
    EXPECT_EQ(QColor(image.pixel(508, 6)), QColor(1, 0, 254)) << "the last band";
    EXPECT_EQ(QColor(image.pixel(509, 11)), QColor(1, 0, 254));

    bar.SetPos(0);
    image = Drawn();
    EXPECT_EQ(CountPixels(image, kBackground), 510 * 12) << "position 0 shows the background";

    // StepIt is not held to the range: beyond the upper bound the bar shows
    // the background, as at or below the lower one.
    bar.SetPos(95);
    bar.SetStep(10);
    bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 105);
    EXPECT_EQ(CountPixels(Drawn(), kBackground), 510 * 12);
}

TEST_F(GradientProgressCtrlTest, ARangeOtherThanFromZero)
{
    // A lower bound other than 0 counts from it; equal bounds show the
    // background.
    bar.SetRange(50, 150);
    EXPECT_EQ(bar.GetPos(), 50);
    bar.SetPos(70);
    EXPECT_EQ(bar.FilledExtent(510), 102);
    EXPECT_EQ(QColor(Drawn().pixel(104, 5)), kBackground);
    EXPECT_EQ(QColor(Drawn().pixel(103, 5)), Band(51));
    bar.SetRange(5, 5);
    bar.SetPos(5);
    EXPECT_EQ(bar.FilledExtent(510), -1);
    EXPECT_EQ(CountPixels(Drawn(), kBackground), 510 * 12);
}

TEST_F(GradientProgressCtrlTest, PositionIsHeldToTheUpperBoundAndRangeResetsIt)
{
    bar.SetPos(150);
    EXPECT_EQ(bar.GetPos(), 100);
    bar.SetRange(0, 110);
    EXPECT_EQ(bar.GetPos(), 0);
    EXPECT_EQ(bar.GetRangeUpper(), 110);
    EXPECT_EQ(bar.GetRangeLower(), 0);
    bar.SetPos(-5);
    EXPECT_EQ(bar.GetPos(), -5) << "no lower clamp";
}

TEST_F(GradientProgressCtrlTest, AVerticalBarFillsFromTheTop)
{
    SetWindowStyle(&bar, PBS_VERTICAL);
    bar.resize(12, 510);
    bar.SetPos(20);
    const QImage image = Drawn();
    EXPECT_EQ(QColor(image.pixel(5, 0)), Band(0));
    EXPECT_EQ(QColor(image.pixel(11, 103)), Band(51));
    EXPECT_EQ(QColor(image.pixel(5, 104)), kBackground);
    EXPECT_EQ(QColor(image.pixel(5, 509)), kBackground);
}

TEST_F(GradientProgressCtrlTest, PercentTexts)
{
    struct Case {
        int lower, upper, pos;
        const char* text;
    };
    const Case cases[] = {
        {0, 100, 20, "20.00 %"}, {0, 100, 100, "100 %"}, {0, 100, 0, "0.00 %"},
        {0, 110, 37, "33.64 %"}, {0, 110, 110, "100 %"}, {0, 100, 5, "5.00 %"},
    };
    for (const Case& c : cases) {
        bar.SetRange(c.lower, c.upper);
        bar.SetPos(c.pos);
        EXPECT_EQ(bar.PercentText(), QString::fromLatin1(c.text)) << c.pos << " of " << c.upper;
    }
    // Shown centred over the bar.
    bar.resize(200, 24);
    bar.SetRange(0, 100);
    bar.SetPos(100);
    bar.ShowPercent(true);
    const QRect ink = PixelBounds(Drawn(), [](QRgb p) { return qRed(p) < 40 && qGreen(p) < 40 && qBlue(p) < 40; });
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), 100, 4);
    EXPECT_NEAR(ink.center().y(), 12, 3);
}

TEST(GradientProgressCtrlMessages, SetPosPostsARepaintToTheBar)
{
    CPaintCounter<CGradientProgressCtrl> bar;
    bar.resize(100, 10);
    bar.show();
    ASSERT_TRUE(WaitFor([&] { return bar.paints > 0; }));
    const int before = bar.paints;
    EXPECT_TRUE(bar.SetPos(40));
    EXPECT_EQ(bar.PendingCount(), 1u) << "PBM_SETPOS waits for the UI thread";
    EXPECT_TRUE(WaitFor([&] { return bar.paints > before; }));
    EXPECT_EQ(bar.PendingCount(), 0u);

    // The shared numbers reach the same bar.
    bar.Display()->SetPos(60);
    EXPECT_EQ(bar.GetPos(), 60);
    EXPECT_EQ(bar.Display()->GetRangeUpper(), 100);
    EXPECT_EQ(bar.PendingCount(), 1u);
}

TEST(GradientProgressCtrlMessages, TheSharedNumbersOutliveTheBar)
{
    std::shared_ptr<IProgressDisplay> display;
    {
        CGradientProgressCtrl bar;
        bar.SetRange(0, 50);
        display = bar.Display();
    }
    display->SetPos(70);  // only stores
    EXPECT_EQ(display->GetPos(), 50);
    EXPECT_EQ(display->GetRangeUpper(), 50);
}

}  // namespace
