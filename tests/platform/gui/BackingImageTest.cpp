#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "platform/gui/BackingImage.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

// Draws a red square at once; leaves the rest transparent.
class CInstantWidget : public QWidget {
public:
    explicit CInstantWidget(QWidget* parent) : QWidget(parent), backing(this) {}
    void DrawNow()
    {
        QImage& image = backing.Surface();
        image.fill(Qt::transparent);
        QPainter(&image).fillRect(0, 0, 10, 10, Qt::red);
        backing.Present();
    }
    CBackingImage backing;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        QPainter painter(this);
        backing.PaintTo(painter, event->rect());
    }
};

TEST(BackingImageTest, SurfaceFollowsTheWidgetSizeAndStartsTransparent)
{
    QWidget parent;
    CInstantWidget widget(&parent);
    widget.resize(30, 20);
    EXPECT_FALSE(widget.backing.FitsWidget());
    QImage& image = widget.backing.Surface();
    EXPECT_EQ(image.size(), QSize(30, 20));
    EXPECT_EQ(CountTransparent(image), 30 * 20);
    widget.resize(40, 20);
    EXPECT_FALSE(widget.backing.FitsWidget());
    EXPECT_EQ(widget.backing.Surface().size(), QSize(40, 20));
}

TEST(BackingImageTest, PresentRepaintsAtOnceAndTheParentShowsThrough)
{
    QWidget parent;
    parent.resize(60, 40);
    SetFlatBackground(&parent, QColor(227, 228, 238));
    CInstantWidget widget(&parent);
    widget.setGeometry(5, 5, 30, 20);
    parent.show();
    WaitFor([&] { return widget.paints > 0; }, 2000);

    const int before = widget.paints;
    widget.DrawNow();
    EXPECT_EQ(widget.paints, before + 1);  // synchronously, no event loop

    const QImage shown = Render(&parent);
    EXPECT_EQ(CountPixels(shown, Qt::red, 0, QRect(5, 5, 10, 10)), 100);
    EXPECT_EQ(QColor(shown.pixel(30, 20)), QColor(227, 228, 238));  // inside the child, not drawn
}

TEST(BackingImageTest, ScrollMovesThePixelsInsideTheRectangleOnly)
{
    QWidget widget;
    widget.resize(8, 6);
    CBackingImage backing(&widget);
    QImage& image = backing.Surface();
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, qRgb(x, y, 0));
    }
    const QImage before = image.copy();
    struct Case {
        int dx;
        int dy;
    };
    for (const Case& c : {Case{0, -2}, Case{0, 2}, Case{-3, 0}, Case{2, 1}}) {
        image = before.copy();
        const CRect area(1, 1, 7, 5);
        backing.Scroll(c.dx, c.dy, area);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const QPoint from(x - c.dx, y - c.dy);
                // A pixel of the area shows what lay dx, dy before it when
                // that lay in the area; everything else keeps its pixel.
                const bool moved = area.PtInRect(QPoint(x, y)) && area.PtInRect(from);
                const QRgb expected = moved ? before.pixel(from) : before.pixel(x, y);
                EXPECT_EQ(image.pixel(x, y), expected) << c.dx << "," << c.dy << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
