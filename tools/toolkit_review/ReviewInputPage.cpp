// The "input-page-en" and "input-page-cn" sheets: the input page hosted as
// an owner hosts it, on the default set. English: Hi.Level in PEQ mode, AUX
// mode 0, every optional kind. Chinese: AUX1 in GEQ mode, AUX mode 2, the
// lock byte set, no optional kinds.
#include <QWidget>

#include "model/DataDefine.h"
#include "model/InputSourceTable.h"
#include "model/KTV_Data.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "pages/input/InPutDlg.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

QImage RenderInputPage(bool chinese)
{
    InitDefaultDeviceData();
    g_bChinese = chinese;
    const int kind = chinese ? 3 : 1;
    const int table = chinese ? 2 : 0;
    CKTV_Data data;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_nInputMode = kind;
        g_byInputMode = BYTE(kind);
        g_nSourceTable = table;
        g_SystemBytes[1] = BYTE(table);
        g_SystemBytes[CInPutDlg::LOCK_BYTE] = chinese ? 1 : 0;
        g_byInputButtonMask = chinese ? 0 : 3;
        g_InputSourceTable.SelectMode(kind, table);
        data.GetMusic(kind)->SetEqMode(chinese ? 1 : 0);
    }

    QWidget host;
    CInPutDlg page;
    page.AttachData(&data);
    page.Create(&host);
    host.resize(page.size());
    page.ApplyLanguage();
    page.ResetModeLayout();
    page.RefreshModeButtons();
    const QImage image = ReviewShot(host);

    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_SystemBytes[CInPutDlg::LOCK_BYTE] = 0;
    }
    g_bChinese = false;
    InitDefaultDeviceData();
    return image;
}

QImage RenderInputPageEn()
{
    return RenderInputPage(false);
}

QImage RenderInputPageCn()
{
    return RenderInputPage(true);
}
}  // namespace

ORVANE_REVIEW_SHEET("input-page-en", RenderInputPageEn);
ORVANE_REVIEW_SHEET("input-page-cn", RenderInputPageCn);
