#pragma once
// Pixel geometry of the response graphs, kept free of any window toolkit so
// that the parameter model can place handles and curves without widgets.

struct Point {
    int x = 0;
    int y = 0;
};

inline bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const Point& a, const Point& b) { return !(a == b); }

struct PointF {
    float x = 0.0f;
    float y = 0.0f;
};

// Left, top, right, bottom; right and bottom lie outside the rectangle.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Integer centre, as the graph hit-tests and grabs it.
    Point Center() const { return Point{(left + right) / 2, (top + bottom) / 2}; }
};

inline bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
