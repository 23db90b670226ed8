#include "tests/common/gui/WidgetProbe.h"

#include <cstdlib>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include "tests/common/Eventually.h"

bool Near(QRgb pixel, const QColor& colour, int tolerance)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance && std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

int CountPixels(const QImage& image, const QColor& colour, int tolerance, const QRect& area)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRect r = area.isEmpty() ? argb.rect() : area.intersected(argb.rect());
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = argb.pixel(x, y);
            if (qAlpha(p) == 255 && Near(p, colour, tolerance))
                ++count;
        }
    }
    return count;
}

int CountTransparent(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            count += qAlpha(argb.pixel(x, y)) == 0;
    return count;
}

QRect PixelBounds(const QImage& image, const std::function<bool(QRgb)>& matches)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QRect bounds;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (matches(argb.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

void SetFlatBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QImage Render(QWidget* widget)
{
    return widget->grab().toImage();
}

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), widget->mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    return Eventually(
        [&] {
            QCoreApplication::processEvents();
            return done();
        },
        timeoutMs);
}
