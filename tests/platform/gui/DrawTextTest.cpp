#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// Draws text black on white into a w x h image and returns the bounding box
// of the dark pixels.
QRect Ink(const QString& text, UINT format, int w = 120, int h = 60, const CRect& rect = CRect())
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(*CreateFont(14, 400));
    painter.setPen(Qt::black);
    DrawText(painter, text, rect.IsRectEmpty() ? CRect(0, 0, w, h) : rect, format);
    painter.end();
    return PixelBounds(image, [](QRgb p) { return qGray(p) < 128; });
}

TEST(DrawTextTest, SingleLinePlacement)
{
    const QRect top = Ink(QStringLiteral("Hg"), DT_LEFT | DT_SINGLELINE);
    const QRect centre = Ink(QStringLiteral("Hg"), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const QRect right = Ink(QStringLiteral("Hg"), DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    EXPECT_LT(top.top(), 8);
    EXPECT_LT(top.left(), 4);
    EXPECT_NEAR(centre.center().y(), 30, 4);
    EXPECT_NEAR(centre.center().x(), 60, 4);
    EXPECT_GT(right.bottom(), 50);
    EXPECT_GT(right.right(), 114);
    // Vertical centring needs a single line: without it the text sits at the top.
    EXPECT_LT(Ink(QStringLiteral("Hg"), DT_VCENTER).top(), 8);
}

TEST(DrawTextTest, WordBreakWrapsAndSingleLineDoesNot)
{
    const QString text = QStringLiteral("Load WIFI factory default failure");
    const QRect wrapped = Ink(text, DT_WORDBREAK, 80, 80);
    const QRect oneLine = Ink(text, DT_SINGLELINE, 80, 80);
    EXPECT_GT(wrapped.height(), 2 * oneLine.height());
}

TEST(DrawTextTest, ClippedUnlessNoClip)
{
    const CRect small(10, 10, 30, 30);
    const QRect clipped = Ink(QStringLiteral("WWWWWWWW"), DT_LEFT | DT_SINGLELINE, 120, 60, small);
    const QRect free = Ink(QStringLiteral("WWWWWWWW"), DT_LEFT | DT_SINGLELINE | DT_NOCLIP, 120, 60, small);
    EXPECT_LE(clipped.right(), 29);
    EXPECT_GT(free.right(), 40);
}

TEST(DrawTextTest, AmpersandIsAPrefixUnlessNoPrefix)
{
    const QRect prefixed = Ink(QStringLiteral("A&&B"), DT_LEFT | DT_SINGLELINE);
    const QRect plain = Ink(QStringLiteral("A&B"), DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    const QRect underlined = Ink(QStringLiteral("A&B"), DT_LEFT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.width(), plain.width());   // "&&" shows one ampersand
    EXPECT_LT(underlined.width(), plain.width());  // "&B" shows B underlined
}

// Measures text with DT_CALCRECT on an image painter, from a rectangle at
// (5, 7) of the given width and no height.
CRect Measure(const QString& text, UINT format, int width = 200, int* height = nullptr)
{
    QImage image(10, 10, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.setFont(*CreateFont(14, 400));
    CRect rect(5, 7, 5 + width, 7);
    const int h = DrawText(painter, text, &rect, format | DT_CALCRECT);
    if (height != nullptr)
        *height = h;
    return rect;
}

TEST(DrawTextTest, CalcRectMeasuresWithoutDrawing)
{
    QImage image(120, 60, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(*CreateFont(14, 400));
    CRect rect(0, 0, 120, 60);
    EXPECT_GT(DrawText(painter, QStringLiteral("Hg"), &rect, DT_SINGLELINE | DT_CALCRECT), 0);
    painter.end();
    EXPECT_EQ(CountPixels(image, Qt::white), 120 * 60);

    // One line: as wide as the text, one line high, from the same corner.
    int height = 0;
    const CRect line = Measure(QStringLiteral("Page 2 of 3"), DT_RIGHT | DT_WORDBREAK, 200, &height);
    EXPECT_EQ(line.left, 5);
    EXPECT_EQ(line.top, 7);
    EXPECT_GT(line.Width(), 40);
    EXPECT_LT(line.Width(), 200);
    EXPECT_EQ(line.Height(), height);
    EXPECT_EQ(line.Height(), Measure(QStringLiteral("Hg"), DT_SINGLELINE).Height());

    // Wrapped within the width: more lines, no wider than the width.
    const CRect wrapped = Measure(QStringLiteral("Load WIFI factory default failure"), DT_WORDBREAK, 80);
    EXPECT_LE(wrapped.Width(), 80);
    EXPECT_GE(wrapped.Height(), 3 * line.Height());
    // A word wider than the width widens the rectangle.
    EXPECT_GT(Measure(QStringLiteral("Wwwwwwwwwwwwwwwwwww"), DT_WORDBREAK, 30).Width(), 30);
    // Nothing to draw measures nothing.
    EXPECT_EQ(Measure(QString(), DT_WORDBREAK).Height(), 0);
}

TEST(DrawTextTest, CarriageReturnAndLineFeedAreOneBreak)
{
    const int one = Measure(QStringLiteral("Multiline!"), DT_WORDBREAK).Height();
    struct Case {
        const char* text;
        int lines;
    } cases[] = {
        {"This is the report of the file\r\nMultiline!\r\n", 2},
        {"a\r\nb", 2},
        {"a\nb", 2},
        {"a\rb", 2},
        {"a\r\n\r\nb", 3},
        {"a\n", 1},
    };
    for (const Case& c : cases) {
        const int height = Measure(QString::fromLatin1(c.text), DT_WORDBREAK, 400).Height();
        EXPECT_NEAR(height, c.lines * one, c.lines) << c.text;
    }
}

TEST(DrawTextTest, MeasuresInThePaintersDevice)
{
    // A printer's pixels are finer than the screen's: the same font measures
    // in them, 1200 / 96 times as many.
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(QStringLiteral("m.pdf")));
    pdf.setResolution(1200);
    QPainter printer(&pdf);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    printer.setFont(font);
    CRect onPaper(0, 0, 100000, 0);
    DrawText(printer, QStringLiteral("Page 2 of 3"), &onPaper, DT_CALCRECT | DT_WORDBREAK);
    printer.end();

    QImage image(10, 10, QImage::Format_ARGB32);
    QPainter screen(&image);
    screen.setFont(font);
    CRect onScreen(0, 0, 100000, 0);
    DrawText(screen, QStringLiteral("Page 2 of 3"), &onScreen, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_NEAR(double(onPaper.Width()) / onScreen.Width(), 12.5, 1.0);
    EXPECT_NEAR(double(onPaper.Height()) / onScreen.Height(), 12.5, 1.5);
}

}  // namespace
