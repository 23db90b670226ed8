// The dialogs of the device link: the connection dialog in both languages
// (linked over the network, so the WIFI radio is chosen and the port list
// off), and the communication log with a few lines in each pane.
#include "app/ConnectDlg.h"
#include "app/LockDataDlg.h"
#include "model/LinkState.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
QImage RenderCommLog()
{
    CLockDataDlg dialog;
    dialog.AppendSentLog("82 82 82 EE A2 01 00 09 00 00 00 00 00 00 AB AA", false, true);
    dialog.AppendSentLog("82 82 82 EE A2 01 00 09 04 00 00 00 00 00 AE AA", true, true);
    dialog.AppendReceivedLog("82 82 82 EE 53 01 00 09 CC 00 00 00 01 00 00 ...", true, true);
    dialog.AppendReceivedLog("82 82 82 EE 51 01 00 04 03 05 00 00 00 00 ...", false, true);
    return ReviewShot(dialog);
}

QImage RenderConnect()
{
    const int kind = g_nLinkType;
    g_nLinkType = LINK_NETWORK;
    std::vector<QImage> shots;
    for (const bool chinese : {true, false}) {
        g_bChinese = chinese;
        CConnectDlg dialog;
        dialog.OnInitDialog();
        shots.push_back(ReviewShot(dialog));
    }
    g_nLinkType = kind;
    return ReviewSideBySide(shots);
}
}  // namespace

ORVANE_REVIEW_SHEET("comm-log", RenderCommLog);
ORVANE_REVIEW_SHEET("connect", RenderConnect);
