// The "mix-page" sheet: the input-mix page in English above Chinese, output
// 3 current, row 5 highlighted, the levels of the default set with a few
// changed (row 16 of output 3 off, some partial levels).
#include "app/GlobalObjects.h"
#include "model/DataDefine.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "pages/input/MixInPutCom.h"
#include "platform/core/Language.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {

QImage RenderMixPageIn(bool chinese)
{
    InitDefaultDeviceData();
    g_bChinese = chinese;
    const int currentBefore = g_nCurOutput;
    g_nCurOutput = 3;
    CKTV_Data data;
    data.StoreToRaw();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        BYTE* block = g_CurrentImage.bytes + OutputBlockOffset(3);
        block[263 + 16] = 0;
        block[263 + 5] = 40;
        g_CurrentImage.bytes[OutputBlockOffset(7) + 263 + 2] = 75;
    }
    QWidget sheet;
    CMixInPutCom page;
    page.Create(&sheet);
    page.m_pData = &data;
    page.SetUpColumns();
    page.RefreshLanguage();
    page.resize(1280, 449);
    sheet.resize(page.size());
    SendMessage(&page, WM_MIX_ROW_HIGHLIGHT, 5, 0);
    const QImage image = ReviewShot(sheet);
    g_nCurOutput = currentBefore;
    g_bChinese = false;
    InitDefaultDeviceData();
    return image;
}

QImage RenderMixPage()
{
    return StackReviewRows({RenderMixPageIn(false), RenderMixPageIn(true)}, 8, QColor(40, 40, 40));
}
}  // namespace

ORVANE_REVIEW_SHEET("mix-page", RenderMixPage);
