#include "platform/core/Rect.h"

#include <algorithm>
#include <utility>

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

bool CRect::IntersectRect(const CRect& a, const CRect& b)
{
    SetRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
    if (IsRectEmpty()) {
        SetRect(0, 0, 0, 0);
        return false;
    }
    return true;
}

bool CRect::UnionRect(const CRect& a, const CRect& b)
{
    if (a.IsRectEmpty() && b.IsRectEmpty()) {
        SetRect(0, 0, 0, 0);
        return false;
    }
    if (a.IsRectEmpty()) {
        *this = b;
        return true;
    }
    if (b.IsRectEmpty()) {
        *this = a;
        return true;
    }
    SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom));
    return true;
}
