#pragma once
// Pixel geometry of the response graphs, kept free of any window toolkit so
// that the parameter model can place handles and curves without widgets.
#include "platform/core/Rect.h"

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

// Rectangles are the platform's: left, top, right, bottom, with right and
// bottom outside the rectangle.
using Rect = CRect;

// Integer centre, as the graph hit-tests and grabs it.
inline Point CenterOf(const Rect& r) { return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
