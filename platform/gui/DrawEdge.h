#pragma once
// Three-dimensional edges around a rectangle, in the system colours: an
// outer and an inner one-pixel border, each raised or sunken. A raised outer
// border is light at the top and left and dark-shadowed at the bottom and
// right; a raised inner one white and shadowed; the sunken ones swap each
// pair. The bottom and right lines are drawn last, so they own the corners
// they share with the top and left ones.
#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class QPainter;

enum : UINT {
    BDR_RAISEDOUTER = 0x0001,
    BDR_SUNKENOUTER = 0x0002,
    BDR_RAISEDINNER = 0x0004,
    BDR_SUNKENINNER = 0x0008,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

enum : UINT {
    BF_LEFT = 0x0001,
    BF_TOP = 0x0002,
    BF_RIGHT = 0x0004,
    BF_BOTTOM = 0x0008,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_MIDDLE = 0x0800,  // fills the inside with the button face
    BF_ADJUST = 0x2000,  // leaves *rect as the inside
};

// Draws the edges named by edge on the sides named by flags, inside *rect.
// False when rect is empty or edge names no border.
bool DrawEdge(QPainter& painter, CRect* rect, UINT edge, UINT flags);
