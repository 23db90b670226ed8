#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "controls/FontStatic.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/controls/FontFailureCheck.h"

namespace {

class FontStaticTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.resize(300, 100);
        label = new CFontStatic(&parent);
        label->setGeometry(10, 10, 200, 24);
        label->SetText(QStringLiteral("MMM"));
    }
    // The label drawn now, as its backing image.
    QImage Drawn()
    {
        Render(label);
        return label->BackingImage();
    }
    QRect Ink(const QColor& colour)
    {
        return PixelBounds(Drawn(), [&](QRgb p) { return qAlpha(p) > 128 && Near(p, colour, 80); });
    }
    QWidget parent;
    CFontStatic* label = nullptr;
};

TEST_F(FontStaticTest, TextPixelsOverATransparentBackground)
{
    label->SetTextColor(QColor(0, 0, 128));
    const QImage image = Drawn();
    EXPECT_GT(CountPixels(image, QColor(0, 0, 128), 10), 10);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_GT(CountTransparent(image), image.width() * image.height() / 2);

    label->SetBkColor(QColor(230, 230, 230));
    const QImage filled = Drawn();
    EXPECT_EQ(CountTransparent(filled), 0);
    EXPECT_EQ(QColor(filled.pixel(0, 0)), QColor(230, 230, 230));
}

TEST_F(FontStaticTest, AlignmentByStyleBits)
{
    struct Case {
        DWORD style;
        int where;  // -1 left, 0 centre, 1 right
    };
    const Case cases[] = {{0x20, 0}, {0x40, -1}, {0x80, 1}, {0x01, 0}, {0xE0, 0}, {0xC0, 1}};
    int colour = 1;
    for (const Case& c : cases) {
        // A new colour each time, so the style is applied.
        const QColor text(colour++, 0, 0);
        label->SetFontStyle(QStringLiteral("Courier"), 14, text, c.style);
        const QRect ink = Ink(text);
        ASSERT_FALSE(ink.isEmpty()) << c.style;
        if (c.where < 0)
            EXPECT_LT(ink.left(), 10) << c.style;
        else if (c.where > 0)
            EXPECT_GT(ink.right(), 189) << c.style;
        else
            EXPECT_NEAR(ink.center().x(), 100, 4) << c.style;
    }
}

TEST_F(FontStaticTest, LeftWinsOverRight)
{
    label->SetAlignRight(true);
    label->SetAlignLeft(true);
    EXPECT_LT(Ink(QColor(0, 0, 0)).left(), 10);
}

TEST_F(FontStaticTest, SameColourKeepsTheStyleButTakesTheHeight)
{
    label->SetFontStyle(QStringLiteral("Arial"), 14, QColor(255, 0, 0), 0x40);  // left
    const QRect small = Ink(QColor(255, 0, 0));
    label->SetFontStyle(QStringLiteral("Arial"), 24, QColor(255, 0, 0), 0x80);  // same colour: right is lost
    EXPECT_EQ(label->FontHeight(), 24);
    const QRect large = Ink(QColor(255, 0, 0));
    EXPECT_LT(large.left(), 10);
    EXPECT_GT(large.height(), small.height() + 3);
}

TEST_F(FontStaticTest, ValueWithOffsetAndUnit)
{
    label->SetValueFormat(0, 600, 60, QStringLiteral("dB"));
    label->SetValue(55);
    EXPECT_EQ(label->text(), QStringLiteral("-5dB"));
}

TEST_F(FontStaticTest, BlinksBetweenRedAndNearWhiteEverySecond)
{
    label->SetTextColor(QColor(0, 0, 128));
    QElapsedTimer clock;
    clock.start();
    label->StartBlink();
    EXPECT_GT(CountPixels(Drawn(), Qt::red, 10), 10);
    ASSERT_TRUE(WaitFor([&] { return CountPixels(label->BackingImage(), QColor(250, 250, 250), 4) > 10; }, 5000));
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_EQ(CountPixels(label->BackingImage(), Qt::red, 10), 0);
    label->StopBlink();
    EXPECT_FALSE(label->IsBlinking());
    EXPECT_GT(CountPixels(label->BackingImage(), QColor(0, 0, 128), 10), 10);  // redrawn at once
}

TEST(FontStaticFailure, FontFailureIsReportedOnceOutsideThePaint)
{
    ExpectFontFailureReportedOnce<CFontStatic>(
        [](int height, int, const QString&) { return height != 14; },
        [](CFontStatic& label) {
            label.setGeometry(0, 0, 100, 20);
            label.SetText(QStringLiteral("MMM"));
        },
        [](CFontStatic& label) { return CountTransparent(label.BackingImage()) == 100 * 20; });
}

}  // namespace
