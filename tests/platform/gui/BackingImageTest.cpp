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

}  // namespace
