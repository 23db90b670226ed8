// The "transfer-popup" sheet: the popup that a transfer shows, in Chinese
// and in English: a transfer under way (its bar part-way, the text in its
// blue and in its blink red) and the factory-reset mode with its creeping
// bar. The window's caption is written above each shot (a grab holds only
// the client area).
#include <QCoreApplication>
#include <QPainter>
#include <QWidget>

#include "app/DisplayDlg.h"
#include "model/LinkState.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
struct TransferPopupShot {
    QString caption;
    QImage image;
};

TransferPopupShot TransferPopupTake(CDisplayDlg& popup)
{
    return {popup.windowTitle(), popup.grab().toImage()};
}

QImage RenderTransferPopup()
{
    QWidget parent;
    parent.resize(600, 400);
    std::vector<TransferPopupShot> shots;
    for (int chinese = 1; chinese >= 0; --chinese) {
        g_bChinese = chinese;
        CDisplayDlg popup(&parent);
        g_bTransferBusy = true;
        popup.Progress().SetRange(0, 16);
        popup.Progress().SetPos(0);
        popup.ShowPopup(true);
        popup.Progress().SetPos(7);
        QCoreApplication::processEvents();
        shots.push_back(TransferPopupTake(popup));
        // Half a blink later: the text in red.
        popup.OnTimer(CDisplayDlg::TIMER_BLINK);
        QCoreApplication::processEvents();
        shots.push_back(TransferPopupTake(popup));
        popup.HidePopup();
        // The factory reset, its bar creeping.
        popup.SetFactoryResetMode();
        popup.ShowPopup(true);
        for (int tick = 0; tick < 40; ++tick)
            popup.OnTimer(CDisplayDlg::TIMER_BLINK);
        QCoreApplication::processEvents();
        shots.push_back(TransferPopupTake(popup));
        popup.HidePopup();
        g_bTransferBusy = false;
    }
    g_bChinese = false;

    const int captionHeight = 22;
    int width = 10, height = 0;
    for (const TransferPopupShot& shot : shots) {
        width += shot.image.width() + 10;
        height = std::max(height, shot.image.height());
    }
    QImage sheet(width, height + captionHeight + 20, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setPen(Qt::black);
    int x = 10;
    for (const TransferPopupShot& shot : shots) {
        painter.drawText(QRect(x, 4, shot.image.width(), captionHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         shot.caption);
        painter.drawImage(x, captionHeight + 10, shot.image);
        x += shot.image.width() + 10;
    }
    return sheet;
}
}  // namespace

ORVANE_REVIEW_SHEET("transfer-popup", RenderTransferPopup);
