#pragma once
// One-pixel lines and frames with the old platform's pixel rule, which
// QPainter's own lines do not keep (they include their end point): a line
// from a to b leaves b out, and a frame lies on the outermost pixels of a
// rectangle whose right and bottom edges lie outside it.
#include <QColor>
#include <QPoint>

#include "platform/core/Rect.h"

class QPainter;

// The pixels from `from` up to, not including, `to`.
void DrawLine(QPainter& painter, const QPoint& from, const QPoint& to, const QColor& colour);
// A rectangle outline drawn with a one-pixel pen and no fill: columns left
// and right - 1, rows top and bottom - 1. Nothing for an empty rectangle.
void DrawFrame(QPainter& painter, const CRect& rect, const QColor& colour);
// GDI's Rectangle with a one-pixel pen: the outline on the outermost pixels
// of rect (right and bottom edges outside it) in pen, the inside filled with
// brush. Nothing for an empty rectangle.
void DrawRectangle(QPainter& painter, const CRect& rect, const QColor& pen, const QColor& brush);
// The dotted focus frame on the outermost pixels of rect: every other pixel
// inverted, so drawing it twice takes it away again. Nothing for an empty
// rectangle.
void DrawFocusRect(QPainter& painter, const CRect& rect);
