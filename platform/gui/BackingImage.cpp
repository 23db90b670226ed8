#include "platform/gui/BackingImage.h"

#include <cstring>

#include <QPainter>
#include <QWidget>

QImage& CBackingImage::Surface()
{
    if (!FitsWidget()) {
        m_image = QImage(m_pWidget->size(), m_format);
        m_image.fill(Qt::transparent);
    }
    return m_image;
}

bool CBackingImage::FitsWidget() const
{
    return !m_image.isNull() && m_image.size() == m_pWidget->size();
}

void CBackingImage::Scroll(int dx, int dy, const CRect& rect)
{
    if (m_image.isNull() || (dx == 0 && dy == 0))
        return;
    CRect area;
    if (!area.IntersectRect(rect, CRect(0, 0, m_image.width(), m_image.height())))
        return;
    // The pixels that stay inside the area after the move, where they land.
    CRect target = area;
    target.OffsetRect(dx, dy);
    if (!target.IntersectRect(target, area))
        return;
    const int bytesPerPixel = m_image.depth() / 8;
    const int rowBytes = target.Width() * bytesPerPixel;
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    auto moveRow = [&](int y) {
        uchar* to = bits + y * stride + target.left * bytesPerPixel;
        const uchar* from = bits + (y - dy) * stride + (target.left - dx) * bytesPerPixel;
        std::memmove(to, from, size_t(rowBytes));
    };
    // Rows are copied away from the direction of the move, so no source row
    // is overwritten before it is read.
    if (dy > 0) {
        for (int y = target.bottom - 1; y >= target.top; --y)
            moveRow(y);
    } else {
        for (int y = target.top; y < target.bottom; ++y)
            moveRow(y);
    }
}

void CBackingImage::Present(const CRect& rect)
{
    if (rect.IsRectEmpty())
        m_pWidget->repaint();
    else
        m_pWidget->repaint(rect.ToQRect());
}

void CBackingImage::PaintTo(QPainter& painter, const QRect& exposed) const
{
    if (m_image.isNull())
        return;
    painter.drawImage(exposed, m_image, exposed);
}
