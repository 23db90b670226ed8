#include "platform/gui/MemDC.h"

#include <QPaintDevice>
#include <QPixmap>

namespace {
// The target's clip box in its logical coordinates.
CRect ClipBox(QPainter* target)
{
    if (target->hasClipping())
        return CRect::FromQRect(target->clipBoundingRect().toAlignedRect());
    const QPaintDevice* device = target->device();
    const QRect whole(0, 0, device->width(), device->height());
    return CRect::FromQRect(target->combinedTransform().inverted().mapRect(whole));
}

// The target's pixels of a device rectangle, when the target can be read.
QImage TargetPixels(QPainter* target, const QRect& deviceRect)
{
    QPaintDevice* device = target->device();
    if (device->devType() == QInternal::Image)
        return static_cast<QImage*>(device)->copy(deviceRect);
    if (device->devType() == QInternal::Pixmap)
        return static_cast<QPixmap*>(device)->copy(deviceRect).toImage();
    return QImage();
}
}  // namespace

CMemDC::CMemDC(QPainter* target, const CRect* rect, bool bCopyFirst)
    : m_pDC(target), m_bMemDC(target->device()->devType() != QInternal::Printer), m_pDraw(target)
{
    Q_ASSERT(target != nullptr);
    m_rect = rect ? *rect : ClipBox(target);

    if (m_bMemDC) {
        const QTransform toDevice = target->combinedTransform();
        m_deviceRect = toDevice.mapRect(m_rect.ToQRect());
        m_bitmap = QImage(m_deviceRect.size(), QImage::Format_ARGB32_Premultiplied);
        m_memPainter.begin(&m_bitmap);
        // The same logical coordinates as on the target: its transformation,
        // then the rectangle's corner moved to the image's origin.
        m_memPainter.setTransform(toDevice * QTransform::fromTranslate(-m_deviceRect.left(), -m_deviceRect.top()));
        m_pDraw = &m_memPainter;
    }

    const QImage pixels = bCopyFirst && m_bMemDC ? TargetPixels(target, m_deviceRect) : QImage();
    if (!pixels.isNull()) {
        m_memPainter.save();
        m_memPainter.resetTransform();
        m_memPainter.setCompositionMode(QPainter::CompositionMode_Source);
        m_memPainter.drawImage(0, 0, pixels);
        m_memPainter.restore();
    } else if (!bCopyFirst || m_bMemDC) {
        const QColor background = target->background().color();
        // A see-through background starts the image see-through; its
        // pixels are then laid over the target instead of replacing them.
        m_bBlend = m_bMemDC && background.alpha() != 255;
        m_pDraw->save();
        m_pDraw->setCompositionMode(QPainter::CompositionMode_Source);
        m_pDraw->fillRect(m_rect.ToQRect(), background);
        m_pDraw->restore();
    }
}

CMemDC::~CMemDC()
{
    Flush();
}

void CMemDC::Flush()
{
    if (!m_bMemDC || m_bFlushed)
        return;
    m_bFlushed = true;
    m_memPainter.end();
    m_pDC->save();
    m_pDC->setWorldMatrixEnabled(false);
    m_pDC->setViewTransformEnabled(false);
    m_pDC->setCompositionMode(m_bBlend ? QPainter::CompositionMode_SourceOver : QPainter::CompositionMode_Source);
    m_pDC->drawImage(m_deviceRect.topLeft(), m_bitmap);
    m_pDC->restore();
}
