// The "dynamics-dialog" sheet: the output dynamics dialog in Chinese and in
// English over a set whose eight outputs each have another limiter (level,
// attack, release) and whose noise gate is off; the eight curves in their
// colours. The "phase-dialog" sheet: the phase dialog of an output in both
// languages, with the polarity normal and inverted.
#include <QPainter>

#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "pages/output/CurSYSDlg.h"
#include "pages/output/PhaseSettingDlg.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

// A top-level window as it shows.
QImage GrabDialogWindow(QWidget& window)
{
    const QImage image = ReviewShot(window);
    window.hide();
    return image;
}

QImage RenderDynamicsDialog()
{
    InitDefaultDeviceData();
    CKTV_Data data;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        const int thresholds[8] = {420, 300, 240, 180, 120, 60, 0, 350};
        for (int n = 0; n < 8; ++n) {
            CKTV_OutData* output = data.GetOutput(n);
            output->SetLimitThreshold(short(thresholds[n]));
            output->SetAttack(short(3 + 20 * n));
            output->SetRelease(short(100 * n));
        }
        data.GetMusic(0)->SetNoiseGate(20);
    }
    QImage halves[2];
    for (int language = 0; language < 2; ++language) {
        g_bChinese = language == 0;
        CCurSYSDlg dialog;
        dialog.m_pData = &data;
        dialog.OnInitDialog();
        halves[language] = GrabDialogWindow(dialog);
    }
    g_bChinese = false;

    QWidget sheet;
    const QSize size = halves[0].size();
    SetUpReviewSheet(&sheet, size.width() + 20, 2 * size.height() + 70);
    ReviewCaption(&sheet, QStringLiteral("系统 (中文)"), 10, 6);
    ReviewCaption(&sheet, QStringLiteral("System (English)"), 10, size.height() + 36);
    QImage image = ReviewShot(sheet);
    QPainter painter(&image);
    painter.drawImage(10, 28, halves[0]);
    painter.drawImage(10, size.height() + 58, halves[1]);
    painter.end();
    InitDefaultDeviceData();
    return image;
}

QImage RenderPhaseDialog()
{
    InitDefaultDeviceData();
    CKTV_Data data;
    QImage panels[4];
    for (int k = 0; k < 4; ++k) {
        const bool chinese = k < 2;
        const int polarity = k % 2;
        g_bChinese = chinese;
        CKTV_OutData* output = data.GetOutput(2);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            output->SetPolarity(BYTE(polarity));
            output->SetAttack(short(polarity != 0 ? 110 : 65));
            output->SetRelease(short(polarity != 0 ? 12000 : 1000));
        }
        CPhaseSettingDlg dialog;
        dialog.m_pOutput = output;
        dialog.m_nChannel = 2;
        dialog.m_strName = chinese ? QStringLiteral("中置") : QStringLiteral("Centre");
        dialog.Create(nullptr);
        panels[k] = GrabDialogWindow(dialog);
    }
    g_bChinese = false;

    QWidget sheet;
    const QSize size = panels[0].size();
    SetUpReviewSheet(&sheet, 2 * size.width() + 30, 2 * size.height() + 70);
    const QString captions[4] = {QStringLiteral("相位设置, 极性 0"), QStringLiteral("相位设置, 极性 1 (反相)"),
                                 QStringLiteral("Sets of Phase, polarity 0"),
                                 QStringLiteral("Sets of Phase, polarity 1 (inverted)")};
    for (int k = 0; k < 4; ++k)
        ReviewCaption(&sheet, captions[k], 10 + (k % 2) * (size.width() + 10), 6 + (k / 2) * (size.height() + 30));
    QImage image = ReviewShot(sheet);
    QPainter painter(&image);
    for (int k = 0; k < 4; ++k)
        painter.drawImage(10 + (k % 2) * (size.width() + 10), 28 + (k / 2) * (size.height() + 30), panels[k]);
    painter.end();
    InitDefaultDeviceData();
    return image;
}
}  // namespace

ORVANE_REVIEW_SHEET("dynamics-dialog", RenderDynamicsDialog);
ORVANE_REVIEW_SHEET("phase-dialog", RenderPhaseDialog);
