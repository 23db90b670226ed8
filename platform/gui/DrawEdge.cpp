#include "platform/gui/DrawEdge.h"

#include <QPainter>

#include "platform/gui/Lines.h"
#include "platform/gui/SysColors.h"

namespace {
struct Border {
    int topLeft;      // system colour of the top and left lines
    int bottomRight;  // of the bottom and right lines
};

// One one-pixel border on the outermost pixels of r.
void DrawBorder(QPainter& painter, const CRect& r, const Border& border, UINT flags)
{
    const QColor light = GetSysColor(border.topLeft);
    const QColor dark = GetSysColor(border.bottomRight);
    if (flags & BF_LEFT)
        DrawLine(painter, QPoint(r.left, r.top), QPoint(r.left, r.bottom), light);
    if (flags & BF_TOP)
        DrawLine(painter, QPoint(r.left, r.top), QPoint(r.right, r.top), light);
    if (flags & BF_RIGHT)
        DrawLine(painter, QPoint(r.right - 1, r.top), QPoint(r.right - 1, r.bottom), dark);
    if (flags & BF_BOTTOM)
        DrawLine(painter, QPoint(r.left, r.bottom - 1), QPoint(r.right, r.bottom - 1), dark);
}

// Moves the sides named by flags one pixel inwards.
void Shrink(CRect& r, UINT flags)
{
    if (flags & BF_LEFT)
        ++r.left;
    if (flags & BF_TOP)
        ++r.top;
    if (flags & BF_RIGHT)
        --r.right;
    if (flags & BF_BOTTOM)
        --r.bottom;
}
}  // namespace

bool DrawEdge(QPainter& painter, CRect* rect, UINT edge, UINT flags)
{
    if (rect == nullptr || rect->IsRectEmpty() || (edge & 0xF) == 0)
        return false;
    CRect inside = *rect;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        const Border outer = (edge & BDR_RAISEDOUTER) ? Border{COLOR_3DLIGHT, COLOR_3DDKSHADOW}
                                                       : Border{COLOR_3DSHADOW, COLOR_3DHILIGHT};
        DrawBorder(painter, inside, outer, flags);
        Shrink(inside, flags);
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        const Border inner = (edge & BDR_RAISEDINNER) ? Border{COLOR_3DHILIGHT, COLOR_3DSHADOW}
                                                       : Border{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
        DrawBorder(painter, inside, inner, flags);
        Shrink(inside, flags);
    }
    if ((flags & BF_MIDDLE) && !inside.IsRectEmpty())
        painter.fillRect(inside.ToQRect(), GetSysColor(COLOR_3DFACE));
    if (flags & BF_ADJUST)
        *rect = inside;
    return true;
}
