#include "platform/gui/BackingImage.h"

#include <QPainter>
#include <QWidget>

QImage& CBackingImage::Surface()
{
    if (!FitsWidget()) {
        m_image = QImage(m_pWidget->size(), QImage::Format_ARGB32_Premultiplied);
        m_image.fill(Qt::transparent);
    }
    return m_image;
}

bool CBackingImage::FitsWidget() const
{
    return !m_image.isNull() && m_image.size() == m_pWidget->size();
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
