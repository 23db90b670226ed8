#include <gtest/gtest.h>

#include <QPainter>

#include "platform/gui/DrawEdge.h"
#include "platform/gui/Lines.h"
#include "platform/gui/SysColors.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

QImage Blank()
{
    QImage image(12, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

TEST(LinesTest, LinesLeaveOutTheirEndAndFramesEndBeforeRightAndBottom)
{
    QImage image = Blank();
    {
        QPainter painter(&image);
        DrawLine(painter, QPoint(2, 1), QPoint(6, 1), Qt::black);   // 2..5
        DrawLine(painter, QPoint(6, 3), QPoint(2, 3), Qt::black);   // 6..3
        DrawLine(painter, QPoint(9, 2), QPoint(9, 6), Qt::black);   // rows 2..5
        DrawLine(painter, QPoint(0, 9), QPoint(3, 6), Qt::black);   // slanted: (0,9)..(2,7)
    }
    EXPECT_EQ(CountPixels(image, Qt::black, 0, QRect(0, 1, 12, 1)), 4);
    EXPECT_EQ(QColor(image.pixel(6, 1)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(6, 3)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(2, 3)), QColor(Qt::white));
    EXPECT_EQ(CountPixels(image, Qt::black, 0, QRect(9, 0, 1, 10)), 4);
    EXPECT_EQ(QColor(image.pixel(9, 6)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(2, 7)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(3, 6)), QColor(Qt::white));

    QImage framed = Blank();
    {
        QPainter painter(&framed);
        DrawFrame(painter, CRect(1, 1, 6, 5), Qt::black);
        DrawFrame(painter, CRect(8, 8, 8, 9), Qt::black);  // empty: nothing
    }
    EXPECT_EQ(CountPixels(framed, Qt::black), 5 + 5 + 2 + 2);
    EXPECT_EQ(QColor(framed.pixel(5, 4)), QColor(Qt::black));
    EXPECT_EQ(QColor(framed.pixel(6, 4)), QColor(Qt::white));
    EXPECT_EQ(QColor(framed.pixel(3, 2)), QColor(Qt::white));
}

TEST(LinesTest, RectanglesFillInsideTheirOutlineAndFocusFramesInvertEveryOtherPixel)
{
    QImage image = Blank();
    {
        QPainter painter(&image);
        DrawRectangle(painter, CRect(1, 1, 6, 5), Qt::black, Qt::red);
        DrawRectangle(painter, CRect(8, 8, 8, 9), Qt::black, Qt::red);  // empty: nothing
    }
    EXPECT_EQ(CountPixels(image, Qt::black), 14);
    EXPECT_EQ(CountPixels(image, Qt::red), 3 * 2);
    EXPECT_EQ(QColor(image.pixel(6, 5)), QColor(Qt::white));

    QImage focus = Blank();
    const CRect frame(2, 2, 10, 8);  // 8 x 6: 24 frame pixels, half of them inverted
    {
        QPainter painter(&focus);
        DrawFocusRect(painter, frame);
    }
    EXPECT_EQ(CountPixels(focus, Qt::black), 12);
    EXPECT_EQ(QColor(focus.pixel(2, 2)), QColor(Qt::black));
    EXPECT_EQ(QColor(focus.pixel(3, 2)), QColor(Qt::white));
    EXPECT_EQ(QColor(focus.pixel(9, 7)), QColor(Qt::black));
    EXPECT_EQ(QColor(focus.pixel(10, 8)), QColor(Qt::white)) << "right and bottom edges lie outside";
    EXPECT_EQ(CountPixels(focus, Qt::black, 0, QRect(3, 3, 6, 4)), 0) << "the inside stays";
    {
        QPainter painter(&focus);
        DrawFocusRect(painter, frame);
    }
    EXPECT_EQ(CountPixels(focus, Qt::white), focus.width() * focus.height()) << "twice takes it away";
}

TEST(DrawEdgeTest, SunkenAndRaisedBordersInTheSystemColours)
{
    struct Case {
        UINT edge;
        int topLeft;
        int bottomRight;
    };
    const Case cases[] = {
        {BDR_SUNKENINNER, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
        {BDR_RAISEDINNER, COLOR_3DHILIGHT, COLOR_3DSHADOW},
        {BDR_SUNKENOUTER, COLOR_3DSHADOW, COLOR_3DHILIGHT},
        {BDR_RAISEDOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW},
    };
    for (const Case& c : cases) {
        QImage image = Blank();
        CRect rect(2, 1, 8, 7);
        {
            QPainter painter(&image);
            ASSERT_TRUE(DrawEdge(painter, &rect, c.edge, BF_RECT));
        }
        const QColor tl = GetSysColor(c.topLeft);
        const QColor br = GetSysColor(c.bottomRight);
        EXPECT_EQ(QColor(image.pixel(2, 1)), tl) << c.edge;
        EXPECT_EQ(QColor(image.pixel(6, 1)), tl) << c.edge;
        EXPECT_EQ(QColor(image.pixel(2, 5)), tl) << c.edge;
        EXPECT_EQ(QColor(image.pixel(7, 1)), br) << c.edge;  // the corners the last lines own
        EXPECT_EQ(QColor(image.pixel(2, 6)), br) << c.edge;
        EXPECT_EQ(QColor(image.pixel(7, 6)), br) << c.edge;
        EXPECT_EQ(QColor(image.pixel(4, 3)), QColor(Qt::white)) << c.edge;
        EXPECT_EQ(QColor(image.pixel(8, 3)), QColor(Qt::white)) << c.edge;
        EXPECT_EQ(rect, CRect(2, 1, 8, 7));
    }

    QImage image = Blank();
    CRect rect(1, 1, 9, 9);
    {
        QPainter painter(&image);
        ASSERT_TRUE(DrawEdge(painter, &rect, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST));
        CRect empty(3, 3, 3, 6);
        EXPECT_FALSE(DrawEdge(painter, &empty, EDGE_SUNKEN, BF_RECT));
        EXPECT_FALSE(DrawEdge(painter, &rect, 0, BF_RECT));
    }
    EXPECT_EQ(rect, CRect(3, 3, 7, 7));
    EXPECT_EQ(QColor(image.pixel(1, 1)), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(QColor(image.pixel(2, 2)), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(QColor(image.pixel(5, 5)), GetSysColor(COLOR_3DFACE));
}

}  // namespace
