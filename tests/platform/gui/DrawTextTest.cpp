#include <gtest/gtest.h>

#include <QPainter>

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

}  // namespace
