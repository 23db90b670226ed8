// The dialogs of the device link: the connection dialog in both languages
// (linked over the network, so the WIFI radio is chosen and the port list
// off), and the communication log with a few lines in each pane.
#include <QCoreApplication>
#include <QPainter>

#include "app/ConnectDlg.h"
#include "app/LockDataDlg.h"
#include "model/LinkState.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"

namespace {
QImage RenderCommLog()
{
    CLockDataDlg dialog;
    dialog.AppendSentLog("82 82 82 EE A2 01 00 09 00 00 00 00 00 00 AB AA", false, true);
    dialog.AppendSentLog("82 82 82 EE A2 01 00 09 04 00 00 00 00 00 AE AA", true, true);
    dialog.AppendReceivedLog("82 82 82 EE 53 01 00 09 CC 00 00 00 01 00 00 ...", true, true);
    dialog.AppendReceivedLog("82 82 82 EE 51 01 00 04 03 05 00 00 00 00 ...", false, true);
    dialog.show();
    QCoreApplication::processEvents();
    return dialog.grab().toImage();
}

QImage RenderConnect()
{
    const int kind = g_nLinkType;
    g_nLinkType = LINK_NETWORK;
    QImage shots[2];
    for (int i = 0; i < 2; ++i) {
        g_bChinese = i == 0;
        CConnectDlg dialog;
        dialog.OnInitDialog();
        dialog.show();
        QCoreApplication::processEvents();
        shots[i] = dialog.grab().toImage();
    }
    g_nLinkType = kind;
    QImage sheet(shots[0].width() + shots[1].width() + 30, shots[0].height() + 20, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.drawImage(10, 10, shots[0]);
    painter.drawImage(shots[0].width() + 20, 10, shots[1]);
    return sheet;
}
}  // namespace

ORVANE_REVIEW_SHEET("comm-log", RenderCommLog);
ORVANE_REVIEW_SHEET("connect", RenderConnect);
