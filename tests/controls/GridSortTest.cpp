// The grid's sorts and cell search: header clicks in list mode (ascending,
// descending, another column) with the wait cursor, rows moving whole with
// their heights, fixed rows staying, no selection or focus after, GBK
// order, a callback sort, the bounds, and FindNextCell in every direction.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/controls/GridTestSupport.h"

namespace {

QStringList SortColumn(const CGridCtrl* grid, int col)
{
    QStringList texts;
    for (int r = 0; r < grid->GetRowCount(); ++r)
        texts << grid->GetItemText(r, col);
    return texts;
}

class GridSort : public ::testing::Test, public GridFixture {
protected:
    void SetUp() override
    {
        // Two fixed rows; rows 2-4 hold B, A, C in column 0 and z, y, x in
        // column 1, each row its own height.
        Make(5, 2, 2, 0, 20, 60, QSize(300, 200));
        const QStringList first{"H0", "H1", "B", "A", "C"};
        const QStringList second{"h0", "h1", "z", "x", "y"};
        for (int r = 0; r < 5; ++r) {
            grid->SetItemText(r, 0, first[r]);
            grid->SetItemText(r, 1, second[r]);
            grid->SetRowHeight(r, 20 + r);
        }
        grid->SetListMode(true);
    }
    void HeaderClick(int col)
    {
        CCellID cell(1, col);  // the second fixed row
        grid->OnFixedRowClick(cell);
    }
};

TEST_F(GridSort, HeaderClicksSortAscendingThenDescendingAndAnotherColumnStartsAscending)
{
    grid->SetFocusCell(3, 1);
    grid->SetSelectedRange(3, 0, 3, 1);
    HeaderClick(0);
    EXPECT_EQ(SortColumn(grid, 0), (QStringList{"H0", "H1", "A", "B", "C"}));
    EXPECT_EQ(SortColumn(grid, 1), (QStringList{"h0", "h1", "x", "z", "y"}));  // rows move whole
    EXPECT_EQ(grid->GetRowHeight(2), 23);                                      // A's height came along
    EXPECT_EQ(grid->GetRowHeight(0), 20);
    EXPECT_EQ(grid->GetRowHeight(1), 21);
    EXPECT_FALSE(grid->IsValid(grid->GetFocusCell()));
    EXPECT_TRUE(grid->m_SelectedCells.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    HeaderClick(0);
    EXPECT_EQ(SortColumn(grid, 0), (QStringList{"H0", "H1", "C", "B", "A"}));
    EXPECT_FALSE(grid->GetSortAscending());
    HeaderClick(1);
    EXPECT_EQ(SortColumn(grid, 1), (QStringList{"h0", "h1", "x", "y", "z"}));
    EXPECT_EQ(grid->GetSortColumn(), 1);
    EXPECT_TRUE(grid->GetSortAscending());

    // Off: a header click sorts nothing.
    grid->SetHeaderSort(false);
    HeaderClick(0);
    EXPECT_EQ(SortColumn(grid, 1), (QStringList{"h0", "h1", "x", "y", "z"}));
}

// A text that throws while the sort reads it.
class CThrowingGrid : public CProbeGrid {
public:
    using CProbeGrid::CProbeGrid;
    using CGridCtrl::OnFixedRowClick;
    QString GetItemText(int row, int col) const override
    {
        if (bThrow && row >= 2)
            throw std::runtime_error("text unavailable");
        return CProbeGrid::GetItemText(row, col);
    }
    bool bThrow = false;
};

TEST(GridSortCursor, TheWaitCursorGoesHoweverTheSortEnds)
{
    CGridOwner owner;
    auto* grid = new CThrowingGrid(5, 2, 1, 0);
    grid->Create(CRect(0, 0, 200, 200), &owner, 1, WS_CHILD | WS_VISIBLE);
    grid->SetListMode(true);
    grid->bThrow = true;
    CCellID cell(0, 0);
    EXPECT_THROW(grid->OnFixedRowClick(cell), std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GridSort, TheBoundsAndBadRangesMoveNothing)
{
    const QStringList before = SortColumn(grid, 0);
    struct Case {
        const char* name;
        int col, low, high;
    };
    for (const Case& c : {Case{"one row", 0, 3, 3}, Case{"low below zero", 0, -1, 4}, Case{"high past the end", 0, 2, 5},
                          Case{"column out of range", 2, 2, -1}, Case{"inverted", 0, 4, 2}}) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(grid->SortTextItems(c.col, true, c.low, c.high));
        EXPECT_EQ(SortColumn(grid, 0), before);
    }
    EXPECT_FALSE(grid->SortTextItems(5, true));
    // Part of the rows: rows 3-4 only.
    EXPECT_TRUE(grid->SortTextItems(0, true, 3, -1));
    EXPECT_EQ(SortColumn(grid, 0), (QStringList{"H0", "H1", "B", "A", "C"}));
    EXPECT_TRUE(grid->SortTextItems(0, false, 2, 4));
    EXPECT_EQ(SortColumn(grid, 0), (QStringList{"H0", "H1", "C", "B", "A"}));
}

TEST_F(GridSort, TextsOrderAsGbkBytesAndEqualTextsKeepTheirCells)
{
    // GBK: 阿 B0A2 < 安 B0B2 < 中 D6D0; Unicode puts 中 (4E2D) before 安 (5B89).
    const QStringList texts{"中", "安", "B", "阿", "a", "B"};
    grid->SetRowCount(2 + int(texts.size()));
    for (int i = 0; i < texts.size(); ++i) {
        grid->SetItemText(2 + i, 0, texts[i]);
        grid->SetItemData(2 + i, 1, LPARAM(i));
    }
    CGridCell* firstB = grid->GetCell(4, 0);
    CGridCell* secondB = grid->GetCell(7, 0);
    ASSERT_TRUE(grid->SortTextItems(0, true));
    EXPECT_EQ(SortColumn(grid, 0).mid(2), (QStringList{"B", "B", "a", "阿", "安", "中"}));
    // Both B cells are still in the grid, whichever order they took.
    EXPECT_TRUE((grid->GetCell(2, 0) == firstB && grid->GetCell(3, 0) == secondB) ||
                (grid->GetCell(2, 0) == secondB && grid->GetCell(3, 0) == firstB));
}

int CompareItemData(LPARAM a, LPARAM b, LPARAM sort)
{
    // sort 1 compares the values' remainders modulo 3.
    const LPARAM x = sort == 1 ? a % 3 : a;
    const LPARAM y = sort == 1 ? b % 3 : b;
    return x < y ? -1 : (x > y ? 1 : 0);
}

TEST_F(GridSort, TheCallbackSortOrdersByItemData)
{
    const std::vector<LPARAM> values{0, 0, 40, 10, 30};
    for (int r = 0; r < 5; ++r)
        grid->SetItemData(r, 1, values[size_t(r)]);
    grid->SetFocusCell(2, 0);
    ASSERT_TRUE(grid->SortItems(CompareItemData, 1, true, 0));
    EXPECT_EQ(SortColumn(grid, 0), (QStringList{"H0", "H1", "A", "C", "B"}));
    EXPECT_FALSE(grid->IsValid(grid->GetFocusCell()));
    ASSERT_TRUE(grid->SortItems(CompareItemData, 1, false, 0));
    EXPECT_EQ(SortColumn(grid, 0), (QStringList{"H0", "H1", "B", "C", "A"}));
    // 40 % 3 = 1, 10 % 3 = 1, 30 % 3 = 0.
    ASSERT_TRUE(grid->SortItems(CompareItemData, 1, true, 1));
    EXPECT_EQ(grid->GetItemText(2, 0), QStringLiteral("C"));
    EXPECT_FALSE(grid->SortItems(CompareItemData, 1, true, 0, 3, 3));
    EXPECT_FALSE(grid->SortItems(CompareItemData, 1, true, 0, 2, 9));
    EXPECT_FALSE(grid->SortItems(nullptr, 1, true, 0));
}

TEST(GridFindNextCell, EveryDirectionFindsTheNearestCellWithAnAskedStateBit)
{
    CProbeGrid grid(6, 5, 1, 1);
    grid.SetItemState(1, 1, GCS_SELECTED);
    grid.SetItemState(4, 1, GCS_SELECTED);
    grid.SetItemState(2, 4, GCS_MODIFIED);
    grid.SetItemState(3, 2, GCS_MODIFIED | GCS_READONLY);
    grid.SetItemState(0, 2, GCS_MODIFIED);  // fixed: never searched by ALL
    struct Case {
        const char* name;
        CCellID from;
        int flags;
        CCellID found;
    };
    const std::vector<Case> cases = {
        {"below", {2, 1}, GFN_BELOW | GCS_SELECTED, {4, 1}},
        {"above", {2, 1}, GFN_ABOVE | GCS_SELECTED, {1, 1}},
        {"above stops at the fixed rows", {1, 2}, GFN_ABOVE | GCS_MODIFIED, {-1, -1}},
        {"the start cell is never found", {4, 1}, GFN_BELOW | GCS_SELECTED, {-1, -1}},
        {"to the right", {2, 1}, GFN_TORIGHT | GCS_MODIFIED, {2, 4}},
        {"to the left", {3, 4}, GFN_TOLEFT | GCS_READONLY, {3, 2}},
        {"to the left stops at the fixed columns", {1, 1}, GFN_TOLEFT | GCS_SELECTED, {-1, -1}},
        {"all from nowhere", {-1, -1}, GFN_ALL | GCS_MODIFIED, {2, 4}},
        {"all goes on in later rows", {2, 4}, GFN_ALL | GCS_MODIFIED, {3, 2}},
        {"all, nothing after", {3, 2}, GFN_ALL | GCS_MODIFIED, {-1, -1}},
        {"area keeps right of the start column", {1, 2}, GFN_AREA | GCS_MODIFIED, {2, 4}},
        {"area skips columns left of it", {1, 2}, GFN_AREA | GCS_SELECTED, {-1, -1}},
        {"area from nowhere", {-1, -1}, GFN_AREA | GCS_SELECTED, {1, 1}},
        {"no state bit", {-1, -1}, GFN_ALL, {-1, -1}},
        {"no direction", {1, 1}, GCS_SELECTED, {-1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CCellID found = grid.FindNextCell(c.from, c.flags);
        EXPECT_EQ(found.row, c.found.row);
        EXPECT_EQ(found.col, c.found.col);
    }
}

}  // namespace
