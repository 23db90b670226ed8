#include "pages/input/MixInPutCom.h"

#include <QPainter>

#include "app/GlobalObjects.h"
#include "model/KTV_Data.h"
#include "model/WindowMessages.h"
#include "pages/MainView.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ResourceStore.h"

namespace {
// Dialog 965 in dialog units of its font, the system font at 10 points.
const CRect kMixPageDialog(0, 0, 559, 323);
const int kMixLabelX = 12;

struct MixRowLabel {
    const char* english;
    const char* chinese;
    int y;
};
const MixRowLabel kMixRows[CRouteMixCom::ROW_COUNT] = {
    {"Hi.Level1", "高电平1", 10},    {"Hi.Level2", "高电平2", 36},     {"Hi.Level3", "高电平3", 65},
    {"Hi.Level4", "高电平4", 92},    {"Hi.Level5", "高电平5", 120},    {"Hi.Level6", "高电平6", 144},
    {"Hi.Level7", "高电平7", 172},   {"Hi.Level8", "高电平8", 196},    {"Hi.Level9", "高电平9", 226},
    {"Hi.Level10", "高电平10", 250}, {"AUX-L", "低电平左", 280},       {"AUX-R", "低电平右", 308},
    {"SPDIF-L", "数字左", 337},      {"SPDIF-R", "数字右", 363},       {"Bluetooth-L", "蓝牙左", 398},
    {"Bluetooth-R", "蓝牙右", 422},
};
}  // namespace

CMixInPutCom::CMixInPutCom(QWidget* parent) : QWidget(parent) {}

CMixInPutCom::~CMixInPutCom() = default;

bool CMixInPutCom::Create(QWidget* parent)
{
    setParent(parent);
    resize(MapDialogRect(kMixPageDialog, DialogFont(QStringLiteral("System"), 10)).Size());
    return true;
}

int CMixInPutCom::ColumnLeft(int i)
{
    if (i < 2)
        return 98 * i + 107;
    if (i == 2)
        return 98 * i + 106;
    if (i < 5)
        return 97 * i + 109;
    if (i < 7)
        return 97 * i + 110;
    if (i < 9)
        return 97 * i + 111;
    return 97 * i + 112;
}

void CMixInPutCom::SetUpColumns()
{
    // Both languages show the same background.
    m_bmpBackCn = CResourceStore::Image(QStringLiteral("BMP"), IDB_BACK);
    m_bmpBackEn = m_bmpBackCn;
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        CRouteMixCom& column = m_Column[i];
        column.Create(this);
        column.m_pPage = this;
        column.m_nOutput = i;
        column.m_pOutData = m_pData != nullptr ? m_pData->GetOutput(i) : nullptr;
        column.SetUpControls();
        const int x = ColumnLeft(i);
        column.setGeometry(x, COLUMN_TOP, COLUMN_WIDTH, COLUMN_HEIGHT);
        column.update();
        column.show();
        if (m_pView != nullptr)
            m_pView->SetMixColumnRect(i, CRect(x, COLUMN_TOP, x + COLUMN_WIDTH, COLUMN_TOP + COLUMN_HEIGHT));
    }
    ReloadColumns();
}

void CMixInPutCom::ReloadColumns()
{
    for (CRouteMixCom& column : m_Column)
        column.ReloadLevels();
}

void CMixInPutCom::RefreshLanguage()
{
    for (CRouteMixCom& column : m_Column)
        column.RefreshLanguage();
    update();
}

LRESULT CMixInPutCom::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MIX_ROW_HIGHLIGHT:
        m_nHighlightRow = int(wParam);
        update(LabelStrip());
        return 0;
    case WM_MIX_COLUMN_SELECT:
        PostMessage(dynamic_cast<CMsgTarget*>(m_pView), WM_MIX_SELECT_OUTPUT, wParam, lParam);
        return 0;
    case WM_MIX_LEVEL_CHANGED:
        PostMessage(dynamic_cast<CMsgTarget*>(m_pView), WM_MIX_LEVEL_NOTIFY, wParam, lParam);
        return 0;
    default: return 0;
    }
}

void CMixInPutCom::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool chinese = g_bChinese;
    painter.drawImage(0, 0, chinese ? m_bmpBackCn : m_bmpBackEn);
    if (m_nHighlightRow > CRouteMixCom::ROW_COUNT)
        return;
    painter.setFont(chinese ? g_fontArial16Bold : g_fontArial15);
    const QFontMetrics metrics(painter.font());
    for (int row = 1; row <= CRouteMixCom::ROW_COUNT; ++row) {
        const MixRowLabel& label = kMixRows[row - 1];
        painter.setPen(row == m_nHighlightRow ? QColor(254, 0, 0) : QColor(156, 156, 156));
        // The label's cell starts at its y, as the old text output places it.
        painter.drawText(kMixLabelX, label.y + metrics.ascent(),
                         QString::fromUtf8(chinese ? label.chinese : label.english));
    }
}
