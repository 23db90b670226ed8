#include "platform/gui/Lines.h"

#include <cstdlib>

#include <QPainter>

void DrawLine(QPainter& painter, const QPoint& from, const QPoint& to, const QColor& colour)
{
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (dy == 0) {
        if (dx > 0)
            painter.fillRect(from.x(), from.y(), dx, 1, colour);
        else if (dx < 0)
            painter.fillRect(to.x() + 1, from.y(), -dx, 1, colour);
        return;
    }
    if (dx == 0) {
        if (dy > 0)
            painter.fillRect(from.x(), from.y(), 1, dy, colour);
        else
            painter.fillRect(from.x(), to.y() + 1, 1, -dy, colour);
        return;
    }
    // A slanted line, pixel by pixel (Bresenham), without its end point.
    const int sx = dx > 0 ? 1 : -1;
    const int sy = dy > 0 ? 1 : -1;
    const int ax = std::abs(dx);
    const int ay = std::abs(dy);
    int x = from.x();
    int y = from.y();
    int error = ax - ay;
    while (x != to.x() || y != to.y()) {
        painter.fillRect(x, y, 1, 1, colour);
        const int twice = 2 * error;
        if (twice > -ay) {
            error -= ay;
            x += sx;
        }
        if (twice < ax) {
            error += ax;
            y += sy;
        }
    }
}

void DrawFrame(QPainter& painter, const CRect& rect, const QColor& colour)
{
    if (rect.IsRectEmpty())
        return;
    const int w = rect.Width();
    const int h = rect.Height();
    painter.fillRect(rect.left, rect.top, w, 1, colour);
    painter.fillRect(rect.left, rect.bottom - 1, w, 1, colour);
    painter.fillRect(rect.left, rect.top, 1, h, colour);
    painter.fillRect(rect.right - 1, rect.top, 1, h, colour);
}

void DrawRectangle(QPainter& painter, const CRect& rect, const QColor& pen, const QColor& brush)
{
    if (rect.IsRectEmpty())
        return;
    painter.fillRect(rect.ToQRect(), pen);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    if (!inner.IsRectEmpty())
        painter.fillRect(inner.ToQRect(), brush);
}

void DrawFocusRect(QPainter& painter, const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    // Pixels whose coordinates add up to an even number, once each.
    const auto invert = [&painter](int x, int y) {
        if (((x + y) & 1) == 0)
            painter.fillRect(x, y, 1, 1, Qt::black);
    };
    const int right = rect.right - 1;
    const int bottom = rect.bottom - 1;
    for (int x = rect.left; x <= right; ++x) {
        invert(x, rect.top);
        if (bottom != rect.top)
            invert(x, bottom);
    }
    for (int y = rect.top + 1; y < bottom; ++y) {
        invert(rect.left, y);
        if (right != rect.left)
            invert(right, y);
    }
    painter.restore();
}
