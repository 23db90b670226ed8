#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QWidget>

#include "platform/gui/DialogUnits.h"

namespace {

TEST(DialogUnitsTest, PointsConvertAtNinetySixDpi)
{
    QFont points(QStringLiteral("Arial"));
    points.setPointSize(9);
    EXPECT_EQ(QFontInfo(points).pixelSize(), 12);
    EXPECT_EQ(DialogFont(QStringLiteral("Arial"), 9).pixelSize(), 12);
    QWidget widget;
    EXPECT_EQ(widget.devicePixelRatio(), 1.0);
    EXPECT_EQ(widget.logicalDpiX(), 96);
}

TEST(DialogUnitsTest, RectanglesScaleByTheFontsBaseUnits)
{
    const QFont font = DialogFont(QStringLiteral("Arial"), 9);
    const QSize base = DialogBaseUnits(font);
    EXPECT_EQ(base.height(), QFontMetrics(font).height());
    EXPECT_GT(base.width(), 0);

    const CRect px = MapDialogRect(CRect(4, 8, 4 + 50, 8 + 14), font);
    EXPECT_EQ(px.left, base.width());
    EXPECT_EQ(px.top, base.height());
    EXPECT_EQ(px.Width(), (50 * base.width() + 2) / 4);
    EXPECT_EQ(px.Height(), (14 * base.height() + 4) / 8);
    // A negative edge rounds away from zero like a positive one.
    EXPECT_EQ(MapDialogRect(CRect(-1, 0, 0, 0), font).left, -((base.width() + 2) / 4));
}

}  // namespace
