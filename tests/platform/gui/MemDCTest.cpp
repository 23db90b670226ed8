#include <gtest/gtest.h>

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "platform/gui/MemDC.h"

namespace {

QImage Target(const QColor& fill)
{
    QImage image(100, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

TEST(MemDCTest, CoveredAreaStartsInTheTargetsBackgroundColour)
{
    QImage image = Target(Qt::black);
    QPainter target(&image);
    const CRect rect(10, 10, 30, 20);
    { CMemDC dc(&target, &rect, false); }  // every user paints it over; this one does not
    target.end();
    EXPECT_EQ(QColor(image.pixel(10, 10)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(29, 19)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(30, 19)), QColor(Qt::black));  // right edge outside
    EXPECT_EQ(QColor(image.pixel(9, 10)), QColor(Qt::black));
}

TEST(MemDCTest, DrawsAtTheTargetsLogicalCoordinates)
{
    struct Case {
        QTransform transform;
        const char* what;
    };
    const Case cases[] = {
        {QTransform(), "no transformation"},
        {QTransform::fromTranslate(7, 3), "moved"},
        {QTransform::fromScale(2, 2), "scaled"},
    };
    for (const Case& c : cases) {
        QImage image = Target(Qt::black);
        QPainter target(&image);
        target.setTransform(c.transform);
        const CRect rect(20, 15, 30, 25);  // not at the origin
        {
            CMemDC dc(&target, &rect, false);
            dc->fillRect(QRect(22, 17, 2, 2), Qt::red);
        }
        target.end();
        const QPoint p = c.transform.map(QPoint(22, 17));
        EXPECT_EQ(QColor(image.pixel(p)), QColor(Qt::red)) << c.what;
        const QPoint q = c.transform.map(QPoint(21, 17));
        EXPECT_EQ(QColor(image.pixel(q)), QColor(Qt::white)) << c.what;
    }
}

TEST(MemDCTest, CopyFirstKeepsTheTargetsPixels)
{
    QImage image = Target(Qt::blue);
    QPainter target(&image);
    const CRect rect(0, 0, 50, 50);
    {
        CMemDC dc(&target, &rect, true);
        dc->fillRect(QRect(0, 0, 5, 5), Qt::green);
    }
    target.end();
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(Qt::green));
    EXPECT_EQ(QColor(image.pixel(40, 40)), QColor(Qt::blue));
}

// A see-through background: what is not drawn keeps the target's pixels,
// what is drawn half-transparent blends over them.
TEST(MemDCTest, TransparentBackgroundLaysTheImageOverTheTarget)
{
    QImage image = Target(Qt::blue);
    QPainter target(&image);
    target.setBackground(Qt::transparent);
    const CRect rect(0, 0, 50, 50);
    {
        CMemDC dc(&target, &rect, false);
        dc->fillRect(QRect(0, 0, 5, 5), Qt::green);
        dc->fillRect(QRect(10, 10, 5, 5), QColor(255, 0, 0, 128));
    }
    target.end();
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(Qt::green));
    EXPECT_EQ(QColor(image.pixel(40, 40)), QColor(Qt::blue));
    const QColor blended(image.pixel(12, 12));
    EXPECT_NEAR(blended.red(), 128, 2);
    EXPECT_NEAR(blended.blue(), 127, 2);
}

TEST(MemDCTest, NullRectCoversTheClipBox)
{
    QImage image = Target(Qt::black);
    QPainter target(&image);
    target.setClipRect(QRect(5, 6, 10, 10));
    { CMemDC dc(&target, nullptr, false); EXPECT_EQ(dc.Rect(), CRect(5, 6, 15, 16)); }
    target.end();
    EXPECT_EQ(QColor(image.pixel(5, 6)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(15, 16)), QColor(Qt::black));
}

TEST(MemDCTest, AfterAFlushTheDestructorCopiesNothingMore)
{
    QImage image = Target(Qt::black);
    QPainter target(&image);
    const CRect rect(0, 0, 20, 20);
    {
        CMemDC dc(&target, &rect, false);
        dc->fillRect(QRect(0, 0, 20, 20), Qt::red);
        dc.Flush();
        target.fillRect(QRect(0, 0, 5, 5), Qt::yellow);  // the owner draws on
    }
    target.end();
    EXPECT_EQ(QColor(image.pixel(10, 10)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(2, 2)), QColor(Qt::yellow));
}

TEST(MemDCTest, PrinterTargetReceivesEveryCallAndLivesOn)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
    QPainter target(&printer);
    const CRect rect(0, 0, 100, 100);
    {
        CMemDC dc(&target, &rect, false);
        EXPECT_FALSE(dc.IsMemDC());
        EXPECT_EQ(static_cast<QPainter*>(dc), &target);
        dc->drawLine(0, 0, 50, 50);
    }
    EXPECT_TRUE(target.isActive());
    EXPECT_TRUE(target.end());
}

}  // namespace
