#include <gtest/gtest.h>

#include <QAction>
#include <QPainter>

#include "controls/ColorMenu.h"
#include "platform/gui/SysColors.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

TEST(ColorMenuTest, FlaggedItemsArePlainBlocksSelectedOrNot)
{
    CColorMenu menu;
    QAction* first = menu.addAction(QStringLiteral("first"));
    QAction* second = menu.addAction(QStringLiteral("second"));
    QAction* plain = menu.addAction(QStringLiteral("plain"));
    CColorMenu::SetOwnerDraw(first, true);
    CColorMenu::SetOwnerDraw(second, true);
    EXPECT_TRUE(CColorMenu::IsOwnerDraw(first));
    EXPECT_FALSE(CColorMenu::IsOwnerDraw(plain));
    menu.setActiveAction(first);
    menu.resize(menu.sizeHint());

    const QRect a = menu.actionGeometry(first);
    const QRect b = menu.actionGeometry(second);
    EXPECT_GE(a.width(), 150);
    EXPECT_EQ(a.height(), 20) << "a menu row";
    EXPECT_EQ(b.height(), 20);

    const QImage image = Render(&menu).convertToFormat(QImage::Format_RGB32);
    const QColor frame(10, 36, 106);
    const QColor fill(182, 189, 210);
    // Selected: framed in dark blue around a light blue-grey block, no text.
    EXPECT_EQ(QColor(image.pixel(a.left(), a.top())), frame);
    EXPECT_EQ(QColor(image.pixel(a.right(), a.bottom())), frame);
    EXPECT_EQ(QColor(image.pixel(a.left(), a.center().y())), frame);
    EXPECT_EQ(CountPixels(image, fill, 0, a.adjusted(1, 1, -1, -1)), (a.width() - 2) * (a.height() - 2));
    // Not selected: all in the menu colour.
    EXPECT_EQ(CountPixels(image, GetSysColor(COLOR_MENU), 0, b), b.width() * b.height());
    // A plain item keeps its text.
    const QRect c = menu.actionGeometry(plain);
    EXPECT_GT(c.width() * c.height() - CountPixels(image, GetSysColor(COLOR_MENU), 8, c), 0);
}

TEST(ColorMenuTest, AnItemDrawsItsBlockWhereverItIsAsked)
{
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    CColorMenu::DrawItem(painter, CRect(10, 5, 50, 25), true);
    painter.end();
    EXPECT_EQ(QColor(image.pixel(9, 5)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(10, 5)), QColor(10, 36, 106));
    EXPECT_EQ(QColor(image.pixel(49, 24)), QColor(10, 36, 106));
    EXPECT_EQ(QColor(image.pixel(50, 24)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(11, 6)), QColor(182, 189, 210));
    EXPECT_EQ(CColorMenu::MeasureItem(), QSize(150, 20));
}

}  // namespace
