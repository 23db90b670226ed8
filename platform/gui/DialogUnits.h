#pragma once
// Dialog units and the fixed 96-DPI policy. Dialog layouts are given in
// dialog units of their font: a horizontal unit is a quarter of the font's
// average letter width, a vertical unit an eighth of its cell height. Every
// window is laid out in pixels at 96 dots per inch; nothing is scaled for
// high-DPI screens.
#include <QFont>
#include <QSize>
#include <QString>

#include "platform/core/Rect.h"

class QWidget;

// a * b / c rounded half away from zero (c must not be 0): how every size
// is scaled to 96 DPI.
int MulDiv(int a, int b, int c);

// (average width of the 52 letters, rounded; cell height) of the font.
QSize DialogBaseUnits(const QFont& font);
// The pixel rectangle of a rectangle in dialog units of a dialog whose font
// is font (edges rounded to the nearest pixel).
CRect MapDialogRect(const CRect& dialogUnits, const QFont& font);
// A dialog's control as its template places it: child of parent, in the
// dialog's font, at the pixels of its dialog-unit rectangle, with its id.
// Returns control.
QWidget* PlaceDialogControl(QWidget* control, QWidget* parent, const CRect& dialogUnits, const QFont& font, int id);
template <class T>
T* PlaceDialogControl(T* control, QWidget* parent, const CRect& dialogUnits, const QFont& font, int id)
{
    PlaceDialogControl(static_cast<QWidget*>(control), parent, dialogUnits, font, id);
    return control;
}
// The font of a dialog template, given in points, at 96 DPI.
QFont DialogFont(const QString& face, int points);

// Call before the application object exists: pixels are device pixels and
// points convert at 96 DPI, whatever the screen says.
void ApplyFixedDpiPolicy();
