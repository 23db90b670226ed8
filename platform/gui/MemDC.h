#pragma once
// A short-lived off-screen drawing surface: constructed over a target painter
// and a rectangle, it takes every drawing call in an image of the
// rectangle's size and copies the image to the target in one block at the
// end (Flush or destruction). Drawing uses the target's own logical
// coordinates. Over a printer it draws straight through to the target.
#include <QImage>
#include <QPainter>
#include <QRect>

#include "platform/core/Rect.h"

class CMemDC {
public:
    // target must not be null. A null rect covers the target's clip box (the
    // whole device when it has no clip). With bCopyFirst the target's pixels
    // are copied in first, when the target is an image or a pixmap; otherwise
    // the rectangle starts filled with the target's background colour. A
    // background that is not opaque (Qt::transparent) leaves the image's
    // untouched pixels see-through: the image is then laid over the target,
    // so that a widget without a background of its own shows its parent.
    CMemDC(QPainter* target, const CRect* rect = nullptr, bool bCopyFirst = false);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // Copies the image to the target now; nothing may be drawn afterwards,
    // and the destructor copies nothing more.
    void Flush();

    // The painter to draw with: the off-screen one, or the target when
    // printing.
    QPainter* operator->() { return m_pDraw; }
    operator QPainter*() { return m_pDraw; }

    // False when the target is a printer and drawing goes straight to it.
    bool IsMemDC() const { return m_bMemDC; }
    const CRect& Rect() const { return m_rect; }

private:
    QImage m_bitmap;
    QPainter m_memPainter;
    QPainter* m_pDC;
    CRect m_rect;
    bool m_bMemDC;
    QPainter* m_pDraw;
    QRect m_deviceRect;
    bool m_bFlushed = false;
    bool m_bBlend = false;  // laid over the target, not copied onto it
};
