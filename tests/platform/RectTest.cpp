#include <gtest/gtest.h>

#include "platform/core/Rect.h"

namespace {

TEST(RectTest, RightAndBottomEdgesLieOutside)
{
    const CRect r(10, 20, 14, 23);
    EXPECT_EQ(r.Width(), 4);
    EXPECT_EQ(r.Height(), 3);
    struct Case {
        QPoint p;
        bool inside;
    };
    const Case cases[] = {
        {{10, 20}, true}, {{13, 22}, true},  {{14, 20}, false}, {{10, 23}, false},
        {{9, 20}, false}, {{10, 19}, false}, {{14, 23}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(r.PtInRect(c.p), c.inside) << c.p.x() << "," << c.p.y();
}

TEST(RectTest, QtRectCoversTheSamePixels)
{
    const CRect r(10, 20, 14, 23);
    const QRect q = r.ToQRect();
    EXPECT_EQ(q.left(), 10);
    EXPECT_EQ(q.right(), 13);  // Qt's right is the last pixel
    EXPECT_EQ(q.bottom(), 22);
    EXPECT_EQ(q.width(), 4);
    EXPECT_EQ(CRect::FromQRect(q), r);
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 9).IsRectEmpty());
}

TEST(RectTest, IntersectNormalizeAndMove)
{
    CRect common;
    EXPECT_TRUE(common.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(common, CRect(5, 5, 10, 10));
    // Touching edges share no pixel.
    EXPECT_FALSE(common.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_EQ(common, CRect());

    CRect r(10, 8, 2, 1);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(2, 1, 10, 8));
    r.OffsetRect(3, -1);
    EXPECT_EQ(r, CRect(5, 0, 13, 7));
    r.DeflateRect(1, 2);
    EXPECT_EQ(r, CRect(6, 2, 12, 5));
}

TEST(RectTest, UnionIgnoresEmptyRectangles)
{
    CRect all;
    EXPECT_TRUE(all.UnionRect(CRect(0, 5, 10, 10), CRect(20, 0, 30, 8)));
    EXPECT_EQ(all, CRect(0, 0, 30, 10));
    EXPECT_TRUE(all.UnionRect(CRect(), CRect(2, 2, 4, 4)));
    EXPECT_EQ(all, CRect(2, 2, 4, 4));
    EXPECT_TRUE(all.UnionRect(CRect(2, 2, 4, 4), CRect(50, 50, 50, 60)));
    EXPECT_EQ(all, CRect(2, 2, 4, 4));
    EXPECT_FALSE(all.UnionRect(CRect(), CRect(1, 1, 1, 1)));
    EXPECT_EQ(all, CRect());
}

}  // namespace
