// The dialogs of the device link: the communication log with a few lines in
// each pane.
#include <QCoreApplication>

#include "app/LockDataDlg.h"
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
}  // namespace

ORVANE_REVIEW_SHEET("comm-log", RenderCommLog);
