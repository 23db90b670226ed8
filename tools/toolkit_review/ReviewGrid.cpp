// The "grid" sheet: a grid scrolled a little, in Chinese and in English,
// with a focused and a coloured cell, headers and both scroll bars, and the
// title tip over a cell whose text is cut off. The machine-preset dialog's
// own list is on the "preset-dialogs" sheet.
#include <QApplication>
#include <QPainter>

#include "app/GlobalObjects.h"
#include "controls/grid/GridCtrl.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/WindowAttributes.h"
#include "tools/toolkit_review/ReviewSheet.h"
#include "tools/toolkit_review/ReviewWidgets.h"

namespace {
// A grid: headers, an editable focus cell, a selected and a red cell,
// long texts cut with an ellipsis, scrolled two rows and one column.
CGridCtrl* BuildReviewGrid(QWidget* parent, int x, int y, bool chinese)
{
    auto* grid = new CGridCtrl(40, 12, 1, 1);
    grid->Create(CRect(x, y, x + 420, y + 230), parent, 100, WS_CHILD | WS_VISIBLE | WS_BORDER);
    const std::optional<QFont> font = CreateFont(14, 400);
    grid->SetFont(&*font);
    for (int c = 0; c < 12; ++c) {
        grid->SetColumnWidth(c, c == 0 ? 44 : 76);
        grid->SetItemText(0, c, c == 0 ? QString() : QStringLiteral("%1 %2").arg(chinese ? "列" : "Col").arg(c));
        grid->SetItemFormat(0, c, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    for (int r = 1; r < 40; ++r) {
        grid->SetRowHeight(r, 22);
        grid->SetItemText(r, 0, QString::number(r));
        grid->SetItemFormat(r, 0, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        for (int c = 1; c < 12; ++c) {
            const bool longText = (r + c) % 5 == 0;
            grid->SetItemText(r, c, longText ? (chinese ? QStringLiteral("一段很长很长的文字") : QStringLiteral("A rather long text"))
                                             : QStringLiteral("%1.%2").arg(r).arg(c));
            grid->SetItemFormat(r, c, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        }
    }
    grid->SetRowHeight(0, 24);
    grid->UpdateScrollBars();
    SendMessage(grid, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessage(grid, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessage(grid, WM_HSCROLL, SB_LINERIGHT, 0);
    grid->SetItemBkColor(6, 4, RGB(255, 0, 0));
    grid->SetItemTextColor(6, 4, RGB(255, 255, 255));
    grid->SetSelectedRange(7, 3, 8, 5);
    grid->SetFocusCell(5, 3);
    return grid;
}

void BuildColumn(QWidget* sheet, int x, bool chinese)
{
    g_bChinese = chinese;
    ReviewCaption(sheet, chinese ? QStringLiteral("表格: 滚动、焦点、选择、颜色") : QStringLiteral("Grid: scrolled, focus, selection, colour"),
            x, 10);
    BuildReviewGrid(sheet, x, 34, chinese);
}

QImage RenderGrid()
{
    QWidget sheet;
    SetUpReviewSheet(&sheet, 900, 290);
    BuildColumn(&sheet, 10, true);
    BuildColumn(&sheet, 460, false);
    g_bChinese = false;
    QImage image = ReviewShot(sheet);

    // The title tip over a cut-off cell of the English grid, drawn where it
    // shows on screen.
    auto* grid = sheet.findChildren<CGridCtrl*>().last();
    sheet.activateWindow();
    grid->setFocus();
    QCoreApplication::processEvents();
    CRect cell;
    const CCellID target(5, 5);
    if (grid->GetCellBounds(target, &cell)) {
        cell.right += 1;
        cell.bottom += 1;
        const LOGFONT font = *grid->GetItemFont(target.row, target.col);
        grid->TitleTip()->Show(cell, grid->GetItemText(target.row, target.col), grid->GetTextMargin(), nullptr, &font);
        if (grid->TitleTip()->isVisible()) {
            QPainter painter(&image);
            painter.drawPixmap(sheet.mapFromGlobal(grid->TitleTip()->pos()), grid->TitleTip()->grab());
            grid->TitleTip()->Hide();
        }
    }
    return image;
}
}  // namespace

ORVANE_REVIEW_SHEET("grid", RenderGrid);
