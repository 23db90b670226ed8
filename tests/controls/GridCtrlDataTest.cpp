// The grid's data: counts, cells, items, selection map, modified flag and
// the owner's notifications, with and without a window.
#include <gtest/gtest.h>

#include <QMenu>

#include "platform/core/Language.h"
#include "platform/gui/DataExchange.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/controls/GridTestSupport.h"

namespace {

COLORREF Sys(int index)
{
    return ToColorRef(GetSysColor(index));
}

// A grid with a window in a dialog that records its notifications.
class GridCtrlData : public ::testing::Test {
protected:
    CProbeGrid* MakeGrid(int rows, int cols, int fixedRows = 0, int fixedCols = 0)
    {
        auto* grid = new CProbeGrid(rows, cols, fixedRows, fixedCols);
        grid->Create(CRect(0, 0, 300, 200), &owner, 77, WS_CHILD);
        return grid;
    }
    CGridOwner owner;
};

TEST_F(GridCtrlData, ConstructionDefaultsAndTheMenuInTheLanguageOfTheMoment)
{
    for (bool chinese : {false, true}) {
        g_bChinese = chinese;
        CGridCtrl grid(0, 0, 0, 0);
        g_bChinese = false;
        EXPECT_FALSE(grid.HasWindow());
        EXPECT_EQ(grid.GetRowCount(), 0);
        EXPECT_EQ(grid.GetItemText(0, 0), QString());
        EXPECT_EQ(grid.GetCellTextColor(), Sys(COLOR_WINDOWTEXT));
        EXPECT_EQ(grid.GetCellBkColor(), Sys(COLOR_WINDOW));
        EXPECT_EQ(grid.GetWindowBkColor(), Sys(COLOR_BTNSHADOW));
        EXPECT_EQ(grid.GetFixedTextColor(), Sys(COLOR_WINDOWTEXT));
        EXPECT_EQ(grid.GetFixedBkColor(), Sys(COLOR_BTNFACE));
        EXPECT_EQ(grid.GetGridLineColor(), RGB(192, 192, 192));
        EXPECT_EQ(grid.GetDefaultRowHeight(), 10);
        EXPECT_EQ(grid.GetDefaultColumnWidth(), 30);
        EXPECT_EQ(grid.GetTextMargin(), 0);
        EXPECT_EQ(grid.GetGridLogFont(), SystemFontLogFont());
        EXPECT_EQ(grid.GetFocusCell(), CCellID(-1, -1));
        EXPECT_TRUE(grid.IsEditable());

        const QList<QAction*> items = grid.ContextMenu()->actions();
        ASSERT_EQ(items.size(), 3);
        EXPECT_EQ(items[0]->data().toInt(), 714);
        EXPECT_EQ(items[1]->data().toInt(), 713);
        EXPECT_EQ(items[2]->data().toInt(), 715);
        EXPECT_EQ(items[0]->text(), chinese ? QStringLiteral("加载 机器预置场景(&E)") : QStringLiteral("Load Machine Preset(&E)"));
        EXPECT_EQ(items[1]->text(),
                  chinese ? QStringLiteral("另存为 机器预置场景(&I)") : QStringLiteral("Save As Machine Preset(&I)"));
        EXPECT_TRUE(items[2]->text().isEmpty());
    }
    std::unique_ptr<CGridCtrl> made(CGridCtrl::CreateObject());
    EXPECT_EQ(made->GetRowCount() + made->GetColumnCount(), 0);
    EXPECT_STREQ(made->GetRuntimeClassName(), "CGridCtrl");
}

TEST_F(GridCtrlData, GrowingMakesCellsThatTakeTheFormatAbove)
{
    CGridCtrl grid(1, 3);
    for (int c = 0; c < 3; ++c)
        grid.SetItemFormat(0, c, DT_CENTER + c);
    ASSERT_TRUE(grid.SetRowCount(5));
    int cells = 0;
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(grid.GetRowHeight(r), 10);
        for (int c = 0; c < 3; ++c) {
            cells += grid.GetCell(r, c) != nullptr;
            EXPECT_EQ(grid.GetItemFormat(r, c), UINT(DT_CENTER + c)) << r << "," << c;
            EXPECT_EQ(*grid.GetItemFont(r, c), SystemFontLogFont());
        }
    }
    EXPECT_EQ(cells, 15);
    EXPECT_EQ(grid.GetCell(5, 0), nullptr);
    ASSERT_TRUE(grid.SetColumnCount(4));
    EXPECT_EQ(grid.GetColumnWidth(3), 30);
    EXPECT_EQ(grid.GetItemFormat(4, 3), 0u);
}

TEST_F(GridCtrlData, ShrinkingPastTheFocusCellClearsItAndTheFixedCountFollows)
{
    CProbeGrid* grid = MakeGrid(5, 3, 1, 0);
    grid->SetFocusCell(3, 2);
    grid->SetSelectedRange(3, 0, 4, 2);
    owner.notices.clear();
    ASSERT_TRUE(grid->SetRowCount(2));
    ASSERT_EQ(owner.notices.size(), 1u);
    EXPECT_EQ(owner.notices[0].code, LVN_ITEMCHANGING);
    EXPECT_EQ(owner.notices[0].row, 3);
    EXPECT_EQ(owner.notices[0].column, 2);
    EXPECT_EQ(grid->GetFocusCell(), CCellID());
    EXPECT_EQ(grid->GetFixedRowCount(), 1);
    EXPECT_TRUE(grid->m_SelectedCells.empty());  // destroyed cells leave the map
    EXPECT_EQ(grid->GetRowCount(), 2);
    ASSERT_TRUE(grid->SetRowCount(0));
    EXPECT_EQ(grid->GetFixedRowCount(), 0);

    ASSERT_TRUE(grid->SetRowCount(2));
    ASSERT_TRUE(grid->SetFixedRowCount(4));
    EXPECT_EQ(grid->GetRowCount(), 4);
    EXPECT_EQ(grid->GetFixedRowCount(), 4);
}

TEST_F(GridCtrlData, ANegativeCountChangesNothing)
{
    using Setter = bool (CGridCtrl::*)(int);
    const Setter setters[] = {&CGridCtrl::SetRowCount, &CGridCtrl::SetColumnCount, &CGridCtrl::SetFixedRowCount,
                              &CGridCtrl::SetFixedColumnCount};
    for (Setter setter : setters) {
        CGridCtrl grid(4, 3, 1, 1);
        EXPECT_FALSE((grid.*setter)(-1));
        EXPECT_EQ(grid.GetRowCount(), 4);
        EXPECT_EQ(grid.GetColumnCount(), 3);
        EXPECT_EQ(grid.GetFixedRowCount(), 1);
        EXPECT_EQ(grid.GetFixedColumnCount(), 1);
        EXPECT_NE(grid.GetCell(3, 2), nullptr);
    }
    CGridCtrl grid(2, 2);
    EXPECT_FALSE(grid.SetRowHeight(0, -1));
    EXPECT_FALSE(grid.SetColumnWidth(0, -1));
    EXPECT_FALSE(grid.SetRowHeight(2, 5));
    EXPECT_TRUE(grid.SetColumnWidth(1, 0));
    EXPECT_EQ(grid.GetColumnWidth(1), 0);
}

TEST_F(GridCtrlData, InsertColumnOnAnEmptyGridMeasuresItsHeading)
{
    CProbeGrid* grid = MakeGrid(0, 0);
    EXPECT_EQ(grid->InsertColumn(QStringLiteral("Name"), 0x25), 0);
    EXPECT_EQ(grid->GetRowCount(), 1);
    EXPECT_EQ(grid->GetColumnCount(), 1);
    EXPECT_EQ(grid->GetItemText(0, 0), QStringLiteral("Name"));
    EXPECT_EQ(grid->GetItemFormat(0, 0), 0x25u);
    EXPECT_EQ(grid->GetColumnWidth(0), grid->MeasureText(QStringLiteral("Name")).width());
    EXPECT_GT(grid->GetColumnWidth(0), 2 * grid->GetTextMargin());
    EXPECT_EQ(grid->InsertColumn(QStringLiteral("Late"), 0, 1), -1);
    EXPECT_EQ(grid->InsertColumn(QStringLiteral("First"), 0, 0), 0);
    EXPECT_EQ(grid->GetItemText(0, 1), QStringLiteral("Name"));

    EXPECT_EQ(grid->InsertRow(QStringLiteral("row"), 5), -1);
    EXPECT_EQ(grid->InsertRow(QStringLiteral("row")), 1);
    EXPECT_EQ(grid->GetRowHeight(1), grid->MeasureText(QStringLiteral("row")).height());
    EXPECT_EQ(grid->GetItemFormat(1, 1), 0x25u);  // the new row takes the formats above
}

TEST_F(GridCtrlData, RowAndColumnChangesClearTheFocusWithOneNotice)
{
    struct Case {
        const char* name;
        std::function<void(CGridCtrl*)> change;
    };
    const Case cases[] = {
        {"InsertRow", [](CGridCtrl* g) { g->InsertRow(QStringLiteral("x"), 0); }},
        {"InsertColumn", [](CGridCtrl* g) { g->InsertColumn(QStringLiteral("x"), 0, 0); }},
        {"DeleteRow", [](CGridCtrl* g) { g->DeleteRow(3); }},
        {"DeleteColumn", [](CGridCtrl* g) { g->DeleteColumn(0); }},
    };
    for (const Case& c : cases) {
        CProbeGrid* grid = MakeGrid(5, 3, 1, 1);
        grid->SetFocusCell(2, 1);
        grid->SetSelectedRange(1, 1, 2, 2);
        owner.notices.clear();
        c.change(grid);
        ASSERT_EQ(owner.notices.size(), 1u) << c.name;
        EXPECT_EQ(owner.notices[0].code, LVN_ITEMCHANGING) << c.name;
        EXPECT_EQ(owner.notices[0].row, 2) << c.name;
        EXPECT_EQ(owner.notices[0].column, 1) << c.name;
        EXPECT_EQ(grid->GetFocusCell(), CCellID()) << c.name;
        EXPECT_TRUE(grid->m_SelectedCells.empty()) << c.name;
        delete grid;
    }
    CProbeGrid* grid = MakeGrid(5, 3, 1, 1);
    EXPECT_TRUE(grid->DeleteColumn(0));
    EXPECT_EQ(grid->GetFixedColumnCount(), 0);
    EXPECT_TRUE(grid->DeleteRow(0));
    EXPECT_EQ(grid->GetFixedRowCount(), 0);
    EXPECT_FALSE(grid->DeleteRow(4));
    EXPECT_FALSE(grid->DeleteColumn(-1));
    grid->SetFixedRowCount(1);
    EXPECT_TRUE(grid->DeleteNonFixedRows());
    EXPECT_EQ(grid->GetRowCount(), 1);
    EXPECT_TRUE(grid->DeleteAllItems());
    EXPECT_EQ(grid->GetRowCount() + grid->GetColumnCount() + grid->GetFixedRowCount() + grid->GetFixedColumnCount(), 0);
}

TEST_F(GridCtrlData, TheSelectionMapFollowsTheStateBitsExceptThroughSetItem)
{
    CProbeGrid* grid = MakeGrid(6, 5);
    EXPECT_EQ(grid->GetSelectionBounds(), CCellRange(6, 5, -1, -1));
    ASSERT_TRUE(grid->SetItemState(2, 3, GCS_SELECTED | GCS_READONLY));
    EXPECT_EQ(grid->GetSelectionBounds(), CCellRange(2, 3, 2, 3));
    grid->SetItemState(4, 1, GCS_SELECTED);
    EXPECT_EQ(grid->GetSelectionBounds(), CCellRange(2, 1, 4, 3));
    grid->SetItemState(2, 3, GCS_READONLY);
    EXPECT_EQ(grid->GetSelectionBounds(), CCellRange(4, 1, 4, 1));
    EXPECT_FALSE(grid->SetItemState(6, 0, GCS_SELECTED));

    GRIDITEM item;
    item.row = 1;
    item.col = 1;
    item.mask = GIM_STATE;
    item.state = GCS_SELECTED;
    ASSERT_TRUE(grid->SetItem(&item));
    EXPECT_EQ(grid->GetItemState(1, 1), UINT(GCS_SELECTED));
    EXPECT_EQ(grid->m_SelectedCells.count({1, 1}), 0u);
    EXPECT_EQ(grid->GetSelectionBounds(), CCellRange(4, 1, 4, 1));
}

TEST_F(GridCtrlData, ItemsCopyTheFieldsTheirMaskNames)
{
    CProbeGrid* grid = MakeGrid(3, 3);
    LOGFONT bold = SystemFontLogFont();
    bold.lfHeight = 22;
    GRIDITEM in;
    in.row = 1;
    in.col = 2;
    in.mask = GIM_TEXT | GIM_IMAGE | GIM_PARAM | GIM_BKCOLOR | GIM_TEXTCOLOR | GIM_FORMAT | GIM_FONT;
    in.text = QStringLiteral("abc");
    in.image = 4;
    in.lParam = 99;
    in.bkColor = RGB(255, 0, 0);
    in.textColor = RGB(0, 0, 255);
    in.format = 0x25;
    in.logFont = bold;
    ASSERT_TRUE(grid->SetItem(&in));
    EXPECT_EQ(grid->GetItemText(1, 2), QStringLiteral("abc"));
    EXPECT_EQ(grid->GetItemOriginalText(1, 2), QString());  // SetItem writes the text only
    EXPECT_EQ(grid->GetItemImage(1, 2), 4);
    EXPECT_EQ(grid->GetItemData(1, 2), 99);
    EXPECT_EQ(grid->GetItemBkColor(1, 2), RGB(255, 0, 0));
    EXPECT_EQ(grid->GetItemTextColor(1, 2), RGB(0, 0, 255));
    EXPECT_EQ(grid->GetItemFormat(1, 2), 0x25u);
    EXPECT_EQ(grid->GetItemFont(1, 2)->lfHeight, 22);

    GRIDITEM out;
    out.row = 1;
    out.col = 2;
    out.mask = GIM_TEXT | GIM_BKCOLOR;
    ASSERT_TRUE(grid->GetItem(&out));
    EXPECT_EQ(out.text, QStringLiteral("abc"));
    EXPECT_EQ(out.bkColor, RGB(255, 0, 0));
    EXPECT_EQ(out.image, -1);  // not asked for
    EXPECT_FALSE(grid->SetItem(nullptr));
    out.row = 3;
    EXPECT_FALSE(grid->GetItem(&out));

    ASSERT_TRUE(grid->SetItemText(0, 0, QStringLiteral("both")));
    EXPECT_EQ(grid->GetItemOriginalText(0, 0), QStringLiteral("both"));
    ASSERT_TRUE(grid->SetItemOriginalText(0, 0, QStringLiteral("kept")));
    EXPECT_EQ(grid->GetItemText(0, 0), QStringLiteral("both"));
    EXPECT_EQ(grid->GetItemOriginalText(0, 0), QStringLiteral("kept"));
}

TEST_F(GridCtrlData, OutOfRangeGivesTheNeutralValues)
{
    CProbeGrid* grid = MakeGrid(2, 2);
    const CCellID outside[] = {{-1, 0}, {0, -1}, {2, 0}, {0, 2}};
    for (const CCellID& at : outside) {
        const int r = at.row;
        const int c = at.col;
        EXPECT_EQ(grid->GetCell(r, c), nullptr);
        EXPECT_EQ(grid->GetItemText(r, c), QString());
        EXPECT_EQ(grid->GetItemData(r, c), 0);
        EXPECT_EQ(grid->GetItemImage(r, c), -1);
        EXPECT_EQ(grid->GetItemState(r, c), 0u);
        EXPECT_EQ(grid->GetItemFormat(r, c), 0u);
        EXPECT_EQ(grid->GetItemBkColor(r, c), 0u);
        EXPECT_EQ(grid->GetItemTextColor(r, c), 0u);
        EXPECT_EQ(grid->GetItemFont(r, c), &grid->GetGridLogFont());
        EXPECT_EQ(grid->GetItemOriginalText(r, c), QString());
        EXPECT_FALSE(grid->SetItemText(r, c, QStringLiteral("x")));
        EXPECT_FALSE(grid->SetItemData(r, c, 1));
        EXPECT_FALSE(grid->SetItemBkColor(r, c, 1));
        EXPECT_FALSE(grid->SetCell(r, c, nullptr));
        EXPECT_FALSE(grid->IsValid(at));
        EXPECT_EQ(grid->GetRowHeight(r < 0 || r > 1 ? r : 5), -1);
    }
    EXPECT_TRUE(grid->IsValid(CCellRange(0, 0, 1, 1)));
    EXPECT_FALSE(grid->IsValid(CCellRange(1, 0, 0, 1)));
    EXPECT_FALSE(grid->IsValid(CCellRange(0, 0, 2, 1)));
    EXPECT_FALSE(grid->IsValid(CCellRange()));
    EXPECT_EQ(grid->GetWholeRange(), CCellRange(0, 0, 1, 1));
}

TEST_F(GridCtrlData, TheModifiedFlagOfTheGridAndOfItsCells)
{
    struct Step {
        bool modified;
        int row;
        int col;
        bool grid;        // GetModified() afterwards
        bool cell23;      // GetModified(2, 3) afterwards
    };
    const Step steps[] = {
        {true, 0, 3, true, false},   // row 0: only the grid's flag
        {false, -1, -1, false, false},
        {true, 2, 3, true, true},    // a cell, and the grid
        {false, 2, 3, true, false},  // the cell loses its bit, the grid keeps its flag
        {true, 2, 3, true, true},
        {false, -1, -1, false, false},  // clearing the grid clears every cell
    };
    CProbeGrid* grid = MakeGrid(4, 4);
    for (const Step& s : steps) {
        grid->SetModified(s.modified, s.row, s.col);
        EXPECT_EQ(grid->GetModified(), s.grid) << s.modified << s.row << s.col;
        EXPECT_EQ(grid->GetModified(2, 3), s.cell23) << s.modified << s.row << s.col;
    }
    EXPECT_EQ(grid->GetItemState(2, 3), 0u);
}

TEST_F(GridCtrlData, FocusChangesNotifyTheOwnerDuringTheSend)
{
    CProbeGrid* grid = MakeGrid(5, 4, 1, 1);
    grid->SetFocusCell(2, 2);
    ASSERT_EQ(owner.notices.size(), 1u);
    EXPECT_EQ(owner.notices[0].code, LVN_ITEMCHANGED);
    EXPECT_EQ(owner.notices[0].id, 77u);
    EXPECT_EQ(owner.notices[0].from, grid);
    EXPECT_EQ(owner.notices[0].focusDuringSend, CCellID(2, 2));
    EXPECT_EQ(grid->GetItemState(2, 2), UINT(GCS_FOCUSED));  // editable: the focus bit

    owner.notices.clear();
    EXPECT_EQ(grid->SetFocusCell(3, 1), CCellID(2, 2));
    ASSERT_EQ(owner.notices.size(), 2u);
    // The old cell's notice comes after the focus has moved.
    EXPECT_EQ(owner.notices[0].code, LVN_ITEMCHANGING);
    EXPECT_EQ(owner.notices[0].row, 2);
    EXPECT_EQ(owner.notices[0].focusDuringSend, CCellID(3, 1));
    EXPECT_EQ(owner.notices[1].code, LVN_ITEMCHANGED);
    EXPECT_EQ(owner.notices[1].row, 3);
    EXPECT_EQ(grid->GetItemState(2, 2), 0u);

    owner.notices.clear();
    grid->SetItemState(3, 1, GCS_FOCUSED | GCS_READONLY | GCS_MODIFIED);
    grid->SetEditable(false);  // re-applies the rule: exactly selected, no notice
    EXPECT_TRUE(owner.notices.empty());
    EXPECT_EQ(grid->GetItemState(3, 1), UINT(GCS_SELECTED));
    EXPECT_EQ(grid->m_SelectedCells.count({3, 1}), 1u);

    grid->SetFocusCell(-1, -1);
    ASSERT_EQ(owner.notices.size(), 1u);
    EXPECT_EQ(owner.notices[0].code, LVN_ITEMCHANGING);
    EXPECT_EQ(grid->GetItemState(3, 1), UINT(GCS_SELECTED));  // losing the focus keeps other bits
}

TEST_F(GridCtrlData, NoWindowOrNoOwnerMeansNoNotice)
{
    CGridCtrl loose(300, 3);
    loose.SetFocusCell(1, 1);
    EXPECT_EQ(loose.NotifyOwner(1, 1, NM_DBLCLK), 0);
    EXPECT_EQ(loose.MeasureText(QStringLiteral("abc")), QSize(0, 0));
    EXPECT_FALSE(loose.FitColumnToText(0));
    EXPECT_EQ(loose.GetFocusCell(), CCellID(1, 1));
    EXPECT_FALSE(loose.RedrawCell(1, 1));
    EXPECT_FALSE(loose.InvalidateCellArea(CCellID(1, 1)));
    EXPECT_FALSE(loose.IsCellVisible(1, 1));
    loose.UpdateScrollBars();
    EXPECT_EQ(loose.GetVScrollRange(), 0);
    EXPECT_TRUE(loose.BackingImage().isNull());

    QWidget plain;
    CGridCtrl orphan(3, 3);
    orphan.Create(CRect(0, 0, 100, 100), &plain, 5, WS_CHILD);
    EXPECT_EQ(orphan.NotifyOwner(1, 1, NM_DBLCLK), 0);

    owner.answer = 42;
    orphan.SetOwner(&owner);
    EXPECT_EQ(orphan.GetOwner(), &owner);
    EXPECT_EQ(orphan.NotifyOwner(1, 2, NM_DBLCLK), 42);
    ASSERT_EQ(owner.notices.size(), 1u);
    EXPECT_EQ(owner.notices[0].code, UINT(-3));
    EXPECT_EQ(owner.notices[0].column, 2);
    EXPECT_EQ(owner.notices[0].id, 5u);
}

TEST_F(GridCtrlData, TheKeptCtrlSelectionComesBackUnlessSingleRowSelect)
{
    CProbeGrid* grid = MakeGrid(6, 4, 1, 1);
    grid->SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(grid->m_SelectedCells.size(), 4u);
    grid->m_PrevSelectedCells[{5, 3}] = CCellID(5, 3);
    grid->SetSelectedRange(3, 1, 3, 1);
    EXPECT_EQ(grid->GetSelectionBounds(), CCellRange(3, 1, 5, 3));
    EXPECT_EQ(grid->m_SelectedCells.size(), 2u);

    grid->SetSelectedRange(-1, -1, -1, -1);
    ASSERT_EQ(grid->m_SelectedCells.size(), 1u);
    EXPECT_EQ(grid->m_SelectedCells.begin()->second, CCellID(5, 3));

    grid->m_bSingleRowSelect = true;
    grid->SetSelectedRange(CCellRange(0, 0, 0, 3), true);  // fixed cells select like any other
    EXPECT_EQ(grid->GetSelectionBounds(), CCellRange(0, 0, 0, 3));
    grid->ClearSelection();
    EXPECT_TRUE(grid->m_SelectedCells.empty());
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 4; ++c)
            EXPECT_FALSE(grid->GetItemState(r, c) & GCS_SELECTED) << r << "," << c;
    }
}

TEST_F(GridCtrlData, TheKeysTheGridTakesFromItsDialog)
{
    CProbeGrid* grid = MakeGrid(2, 2);
    EXPECT_EQ(grid->OnGetDlgCode(Qt::NoModifier), 0x83u);
    EXPECT_EQ(grid->OnGetDlgCode(Qt::ControlModifier), 0x81u);
    grid->m_bWantTab = false;
    EXPECT_EQ(grid->OnGetDlgCode(Qt::NoModifier), 0x81u);
    EXPECT_EQ(SendMessage(grid, WM_GETDLGCODE, 0, 0), 0x81);
}

TEST_F(GridCtrlData, DataExchangeTakesTheDialogItemOnce)
{
    QWidget dialog;
    auto* item = new QWidget(&dialog);
    item->setGeometry(12, 34, 200, 150);
    SetDlgCtrlID(item, 2724);
    SetWindowStyle(item, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    CGridCtrl grid;
    grid.SetRowCount(3);  // made before the font: the stock defaults 10 and 30
    EXPECT_EQ(grid.GetRowHeight(2), 10);

    CDataExchange saving(&dialog, true);
    EXPECT_FALSE(DDX_GridCtrl(&saving, 2724, grid));
    CDataExchange loading(&dialog, false);
    CDataExchange missing(&dialog, false);
    CGridCtrl other;
    EXPECT_FALSE(DDX_GridCtrl(&missing, 9999, other));

    ASSERT_TRUE(DDX_GridCtrl(&loading, 2724, grid));
    EXPECT_TRUE(grid.HasWindow());
    EXPECT_EQ(grid.parentWidget(), &dialog);
    EXPECT_EQ(grid.geometry(), QRect(12, 34, 200, 150));
    EXPECT_EQ(GetDlgCtrlID(&grid), 2724);
    EXPECT_EQ(GetDlgItem(&dialog, 2724), &grid);
    EXPECT_TRUE(item->isHidden());
    EXPECT_EQ(GetWindowStyle(&grid), DWORD(WS_CHILD | WS_VISIBLE | WS_TABSTOP));
    EXPECT_TRUE(grid.TitleTip()->HasWindow());
    // The stock font was applied: its margin and defaults; rows made before
    // keep their height.
    EXPECT_GT(grid.GetTextMargin(), 0);
    EXPECT_GT(grid.GetDefaultRowHeight(), 10);
    EXPECT_EQ(grid.GetRowHeight(2), 10);
    EXPECT_EQ(grid.GetGridLogFont(), SystemFontLogFont());
    const int height = grid.GetDefaultRowHeight();
    ASSERT_TRUE(DDX_GridCtrl(&loading, 2724, grid));  // nothing the second time
    EXPECT_EQ(grid.GetDefaultRowHeight(), height);
    grid.setParent(nullptr);
}

TEST_F(GridCtrlData, CursorCaptureAndSettingsFollowTheMouseMode)
{
    CProbeGrid* grid = MakeGrid(3, 3);
    struct Case {
        int mode;
        Qt::CursorShape cursor;
    };
    const Case cases[] = {{CGridCtrl::MouseOverRowDivider, Qt::SizeVerCursor},
                          {CGridCtrl::MouseOverColumnDivider, Qt::SizeHorCursor},
                          {CGridCtrl::MouseDragging, Qt::SizeHorCursor},  // unchanged
                          {CGridCtrl::MouseIdle, Qt::ArrowCursor},
                          {CGridCtrl::MouseSelectCells, Qt::ArrowCursor}};
    for (const Case& c : cases) {
        grid->m_nMouseMode = c.mode;
        EXPECT_TRUE(grid->OnSetCursor());
        EXPECT_EQ(grid->viewport()->cursor().shape(), c.cursor) << c.mode;
    }

    grid->m_nMouseMode = CGridCtrl::MouseDragging;
    grid->m_nTimerId = 513;
    grid->OnCaptureChanged(grid);  // still the grid's
    EXPECT_EQ(grid->m_nTimerId, 513);
    EXPECT_EQ(grid->GetMouseMode(), CGridCtrl::MouseDragging);
    QWidget other;
    grid->OnCaptureChanged(&other);
    EXPECT_EQ(grid->m_nTimerId, 0);
    EXPECT_EQ(grid->GetMouseMode(), CGridCtrl::MouseIdle);

    grid->m_nWheelLines = 77;
    grid->OnSettingChange();
    EXPECT_EQ(grid->m_nWheelLines, QApplication::wheelScrollLines());
}

TEST_F(GridCtrlData, DestroyingAGridWithAFocusCellNotifiesNobody)
{
    CProbeGrid* grid = MakeGrid(4, 4);
    grid->SetFocusCell(1, 1);
    owner.notices.clear();
    delete grid;
    EXPECT_TRUE(owner.notices.empty());
}

}  // namespace
