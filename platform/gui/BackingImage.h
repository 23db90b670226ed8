#pragma once
// A persistent image behind a control that draws "at once", outside a paint
// event: the control draws into the image and presents the rectangle it
// changed, which repaints synchronously; its paint event only copies the
// image. Pixels the control leaves transparent show the parent behind it,
// so a transparent control keeps its skinned background.
#include <QImage>

#include "platform/core/Rect.h"

class QPainter;
class QWidget;

class CBackingImage {
public:
    // A control that paints every pixel itself may keep an opaque image
    // (QImage::Format_RGB32), which the paint event copies fastest.
    explicit CBackingImage(QWidget* widget, QImage::Format format = QImage::Format_ARGB32_Premultiplied)
        : m_pWidget(widget), m_format(format)
    {
    }

    // The image at the widget's present size; a size change starts a new,
    // fully transparent (or, opaque, black) image.
    QImage& Surface();
    // The image as last drawn (may be of an older size).
    const QImage& Image() const { return m_image; }
    // True when the image has the widget's present size.
    bool FitsWidget() const;

    // Moves the image's pixels inside rect by (dx, dy), as a window scrolls
    // what it shows: what moves out of rect is lost, and the strip it
    // uncovers keeps its old pixels until the caller draws it. Nothing is
    // repainted.
    void Scroll(int dx, int dy, const CRect& rect);

    // Repaints rect of the widget from the image now; an empty rect means
    // the whole widget.
    void Present(const CRect& rect = CRect());
    // For the paint event: copies the exposed part onto the widget.
    void PaintTo(QPainter& painter, const QRect& exposed) const;

private:
    QWidget* m_pWidget;
    QImage::Format m_format;
    QImage m_image;
};
