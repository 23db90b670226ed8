#pragma once
// Output strips on a review sheet, set up as the view sets up its own.
class CKTV_Data;
class COutRouteDlg;
class QRect;
class QWidget;

// The grey surface the strips stand on, width x height.
void SetUpReviewStripSurface(QWidget& surface, int width, int height);
// Strip i created on surface at place, skinned for g_bChinese, showing
// output i of data with a level 4 dB lower per output; not yet shown.
void SetUpReviewStrip(COutRouteDlg& strip, QWidget& surface, int i, CKTV_Data& data, const QRect& place);
