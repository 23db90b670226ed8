#pragma once
// The pens of the response graph's curves: the shown channel's curve and
// the grey curves of the other outputs laid under it. Opaque colours.
#include <QColor>

// RGB(58,130,255): the curve of the channel being edited.
extern const QColor g_clrCurveLine;
// RGB(100,100,100): the curves of the other outputs shown for comparison.
extern const QColor g_clrCurveGrey;
