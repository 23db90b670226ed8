#include <gtest/gtest.h>

#include "controls/Show_Link.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

const QColor kField(76, 76, 76);
const QColor kNearWhite(250, 250, 250);

class Show_LinkTest : public ::testing::Test {
protected:
    Show_LinkTest()
    {
        lamp.resize(200, 26);
        lamp.SetTextFont(&font);
        lamp.SetText(QStringLiteral("Not connected devices"));
    }
    int Ink(const QColor& colour) { return CountPixels(lamp.BackingImage(), colour, 0); }
    QFont font = *CreateFont(16, FW_BOLD);
    CShow_Link lamp;
};

TEST_F(Show_LinkTest, TextCentredOnTheFieldLess19PixelsAtTheRight)
{
    const QImage& image = lamp.BackingImage();
    ASSERT_EQ(image.size(), QSize(200, 26));
    EXPECT_EQ(QColor(image.pixel(0, 0)), kField);
    EXPECT_EQ(CountPixels(image, kField, 0, QRect(181, 0, 19, 26)), 19 * 26) << "the right 19 pixels stay field";
    const QRect ink = PixelBounds(image, [](QRgb p) { return Near(p, kNearWhite, 0); });
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), (200 - 19) / 2, 3);
    EXPECT_NEAR(ink.center().y(), 13, 3);
    EXPECT_EQ(GetWindowStyle(&lamp) & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
}

TEST_F(Show_LinkTest, BlinksRedAndNearWhiteThenStopsAtOnce)
{
    lamp.StartBlink();
    EXPECT_TRUE(lamp.IsTimerSet());
    EXPECT_EQ(lamp.TimerPeriod(), 1001);
    EXPECT_EQ(lamp.BlinkPhase(), 0);
    lamp.OnTimer(CShow_Link::TIMER_BLINK);  // phase 1: red
    EXPECT_GT(Ink(Qt::red), 10);
    EXPECT_EQ(Ink(kNearWhite), 0);
    lamp.OnTimer(CShow_Link::TIMER_BLINK);  // phase 0: near-white
    EXPECT_EQ(Ink(Qt::red), 0);
    EXPECT_GT(Ink(kNearWhite), 10);
    lamp.OnTimer(CShow_Link::TIMER_BLINK);
    lamp.OnTimer(7);  // another timer changes nothing
    EXPECT_EQ(lamp.BlinkPhase(), 1);

    lamp.StopBlink();  // drawn at once in the normal colour
    EXPECT_FALSE(lamp.IsBlinking());
    EXPECT_FALSE(lamp.IsTimerSet());
    EXPECT_EQ(lamp.BlinkPhase(), 0);
    EXPECT_EQ(Ink(Qt::red), 0);
    EXPECT_GT(Ink(kNearWhite), 10);
}

TEST_F(Show_LinkTest, TheButtonTypeDecidesHowItDraws)
{
    struct Case {
        DWORD type;
        int kind;
    };
    const Case cases[] = {{BS_PUSHBUTTON, DRAW_BY_CLASS},    {BS_DEFPUSHBUTTON, DRAW_BY_CLASS},
                          {BS_CHECKBOX, DRAW_BY_CLASS},      {BS_AUTOCHECKBOX, DRAW_AS_DEFAULT},
                          {BS_OWNERDRAW, DRAW_AS_DEFAULT},   {BS_AUTORADIOBUTTON, DRAW_NOTHING},
                          {BS_USERBUTTON, DRAW_BY_CLASS}};
    for (const Case& c : cases) {
        CShow_Link other;
        SetWindowStyle(&other, c.type);
        other.PreSubclassWindow();
        EXPECT_EQ(other.DrawKind(), c.kind) << c.type;
    }
    CShow_Link hidden;
    hidden.resize(100, 20);
    SetWindowStyle(&hidden, BS_AUTORADIOBUTTON);
    hidden.PreSubclassWindow();
    hidden.SetText(QStringLiteral("x"));
    EXPECT_EQ(CountPixels(Render(&hidden), kField), 0) << "not drawn";
}

}  // namespace
