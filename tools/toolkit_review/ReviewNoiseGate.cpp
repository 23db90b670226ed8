// The "noise-gate" sheet: the advanced settings dialog's gate switch, on
// and off, in English and Chinese; then the noise threshold dialog, on and
// off, in both languages.
#include "model/DataDefine.h"
#include "pages/input/InputNoise.h"
#include "pages/input/InputNoiseDlg.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

QImage RenderNoiseGate(bool chinese, bool on)
{
    g_bChinese = chinese;
    const BYTE before = g_SystemBytes[11];
    g_SystemBytes[11] = on ? 55 : 0;
    CInputNoiseDlg dialog;
    dialog.OnInitDialog();
    const QImage image = ReviewShot(dialog);
    g_SystemBytes[11] = before;
    g_bChinese = false;
    return image;
}

QImage RenderNoiseThreshold(bool chinese, bool on)
{
    g_bChinese = chinese;
    const BYTE before = g_SystemBytes[11];
    g_SystemBytes[11] = on ? 55 : 0;
    CInputNoise dialog;
    dialog.OnInitDialog();
    const QImage image = ReviewShot(dialog);
    g_SystemBytes[11] = before;
    g_bChinese = false;
    return image;
}

QImage RenderNoiseGates()
{
    return ReviewSideBySide({RenderNoiseGate(false, true), RenderNoiseGate(false, false), RenderNoiseGate(true, true),
                             RenderNoiseGate(true, false), RenderNoiseThreshold(false, true),
                             RenderNoiseThreshold(false, false), RenderNoiseThreshold(true, true),
                             RenderNoiseThreshold(true, false)});
}
}  // namespace

ORVANE_REVIEW_SHEET("noise-gate", RenderNoiseGates);
