#pragma once
// Text drawing with the old platform's format flags, so that every caption
// rule of the controls can be written as it is meant.
#include <QColor>
#include <QString>

#include "platform/core/Rect.h"
#include "platform/core/Types.h"

class QPainter;

enum : UINT {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
    DT_WORD_ELLIPSIS = 0x40000,
};

// Draws text into rect with the painter's font and pen. Vertical centring and
// bottom alignment apply to single-line text only; without DT_SINGLELINE the
// text starts at the top edge and breaks at line ends (and at word
// boundaries with DT_WORDBREAK). A line ends at a carriage return and line
// feed pair, or at either alone; a line end at the very end of the text
// starts no further line. Without DT_NOPREFIX an ampersand underlines the
// next character and "&&" shows one ampersand. Text is clipped to rect
// unless DT_NOCLIP is given. Every measure is taken in the painter's device
// (a printer measures in its own pixels).
void DrawText(QPainter& painter, const QString& text, const CRect& rect, UINT format);

// The same, returning the height of the text. With DT_CALCRECT it draws
// nothing and sets *rect to the text's extent from its top-left corner: the
// width of the widest line (wrapped within rect's width with DT_WORDBREAK;
// a word wider than that widens it) and the height of all lines.
int DrawText(QPainter& painter, const QString& text, CRect* rect, UINT format);

// GDI's TextOut in the opaque background mode, with the painter's font: (x,
// y) is the top-left corner of the text's cell (advance x font height), which
// is filled with background before the text is drawn in textColour.
void TextOut(QPainter& painter, int x, int y, const QString& text, const QColor& textColour, const QColor& background);
