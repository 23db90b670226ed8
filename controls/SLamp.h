#pragma once
// A row of twelve level segments set from one level code: nine green ones
// counted from the left, then an amber, an orange and a red one switched by
// single bits. Each segment is a thirteenth of the width wide, one pixel
// apart, under a one-pixel grey line.
//
// The lamp draws "at once" into a backing image, and only when a segment
// changed or a redraw is pending; the paint event copies the image.
#include <array>

#include <QWidget>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"
#include "platform/gui/BackingImage.h"

class CSLamp : public QWidget {
    Q_OBJECT
public:
    enum : int { SEGMENT_COUNT = 12 };

    explicit CSLamp(QWidget* parent = nullptr);

    // Takes the client size: the segment size and the first segment's
    // place. Call once the lamp has its size.
    void CalcLayout();
    // Segment 11 (red) lights with bit 0x10, 10 (orange) with 0x20, 9
    // (amber) with 0x40; n = code & 0x0F lights the green segments 0 to n-1
    // and darkens n to 8 when n is 0 to 9, and leaves them as they are for
    // 10 to 15. Draws when a segment changed or a redraw is pending.
    void SetLevel(BYTE code);
    // Every segment off, drawn at once; the next SetLevel draws too.
    void Reset();

    // Whether a segment is shown lit.
    bool IsLit(int segment) const;
    // The place segment takes (after CalcLayout).
    CRect SegmentRect(int segment) const;
    // How many times the lamp has drawn.
    int DrawCount() const { return m_nDrawCount; }
    // The lamp as last drawn.
    const QImage& BackingImage() const { return m_backing.Image(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Render();
    void DrawNow();

    CRect m_rcClient;
    CRect m_rcSegment;  // the first segment
    std::array<bool, SEGMENT_COUNT> m_abWanted;
    std::array<bool, SEGMENT_COUNT> m_abShown;
    bool m_bRedraw = true;
    int m_nDrawCount = 0;
    CBackingImage m_backing;
};
