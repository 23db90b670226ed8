#pragma once
// A rectangle with the old platform's meaning: left and top inside, right
// and bottom outside, so Width() = right - left and a point on the right
// edge is not in it. Every pixel rule of the windows is written against this
// type; it becomes a QRect only where a QPainter is called.
#include <QPoint>
#include <QRect>
#include <QSize>

class CRect {
public:
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(const QPoint& topLeft, const QSize& size)
        : left(topLeft.x()), top(topLeft.y()), right(topLeft.x() + size.width()), bottom(topLeft.y() + size.height())
    {
    }
    // A QRect's right() and bottom() are its last pixels; ours lie one beyond.
    static constexpr CRect FromQRect(const QRect& r) { return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr QSize Size() const { return QSize(Width(), Height()); }
    constexpr QPoint TopLeft() const { return QPoint(left, top); }
    constexpr QPoint BottomRight() const { return QPoint(right, bottom); }
    // Empty when it covers no pixel (zero or negative width or height).
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool PtInRect(const QPoint& p) const { return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom; }

    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void InflateRect(int dx, int dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    // Swaps the edges of a rectangle given the wrong way round.
    void NormalizeRect();
    // The common part of a and b; false (and an empty rectangle) when none.
    bool IntersectRect(const CRect& a, const CRect& b);
    // The smallest rectangle holding a and b (an empty one counts for
    // nothing); false (and an empty rectangle) when both are empty.
    bool UnionRect(const CRect& a, const CRect& b);

    constexpr QRect ToQRect() const { return QRect(left, top, Width(), Height()); }

    constexpr bool operator==(const CRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    constexpr bool operator!=(const CRect& o) const { return !(*this == o); }
};
