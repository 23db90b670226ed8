#include "platform/gui/CurveColors.h"

const QColor g_clrCurveLine(58, 130, 255, 255);
const QColor g_clrCurveGrey(100, 100, 100, 255);
