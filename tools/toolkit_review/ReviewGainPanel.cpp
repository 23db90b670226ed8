// The "master-panel" sheet: the master-volume panel in English and Chinese,
// at -10 dB, muted at OFF, and while the data are locked.
#include "app/GlobalObjects.h"
#include "model/DataLockState.h"
#include "pages/input/GainDlg.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

QImage RenderGainPanel(bool chinese, int steps, bool muted, bool locked)
{
    g_bChinese = chinese;
    g_bDataLocked = locked;
    QWidget sheet;
    CGainDlg panel;
    panel.SetBackgroundBitmap(chinese ? CGainDlg::IDB_BACK_CN : CGainDlg::IDB_BACK_EN);
    panel.Create(&sheet);
    panel.SetSliderChannelBitmaps(357, 357, false, CLR_DEFAULT, 0, 0);
    panel.SetSliderThumbBitmaps(358, 282, false, CLR_DEFAULT, 0, 0);
    panel.SetSliderRange(0, 66, false);
    panel.setGeometry(0, 0, 94, 203);
    panel.m_editVolume.RefreshLanguage();
    panel.SetVolume(steps);
    panel.m_btnMute.SetCheck(muted);
    sheet.resize(94, 203);
    const QImage image = ReviewShot(sheet);
    g_bChinese = false;
    g_bDataLocked = false;
    return image;
}

QImage RenderGainPanels()
{
    std::vector<QImage> shots;
    for (bool chinese : {false, true}) {
        shots.push_back(RenderGainPanel(chinese, 50, false, false));
        shots.push_back(RenderGainPanel(chinese, 0, true, false));
        shots.push_back(RenderGainPanel(chinese, 66, false, true));
    }
    return ReviewSideBySide(shots);
}
}  // namespace

ORVANE_REVIEW_SHEET("master-panel", RenderGainPanels);
