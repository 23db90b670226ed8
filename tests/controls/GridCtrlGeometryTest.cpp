// The grid's layout: hit tests, bounds and visible ranges, the scroll bars,
// every scroll request with what it repaints, and sizing to text and window.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "platform/gui/Fonts.h"
#include "tests/controls/GridTestSupport.h"

namespace {

// Two fixed rows 20 pixels high, one fixed column 50 wide, every cell
// 20 x 50 and labelled with its place.
class GridCtrlGeometry : public ::testing::Test, public GridFixture {
protected:
    void MakeGrid(int rows, int cols, const QSize& size = QSize(300, 190))
    {
        Make(rows, cols, 2, 1, 20, 50, size);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c)
                grid->SetItemText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
        }
        Painted(grid);
        grid->draws.clear();
    }
    void Send(UINT message, UINT code)
    {
        SendMessage(grid, message, MAKEWPARAM(code, 0), 0);
    }
    // The picture after every pending change equals a full repaint.
    void ExpectWholePicture(const char* what)
    {
        const QImage shown = Painted(grid);
        grid->Invalidate();
        const QImage full = Painted(grid);
        EXPECT_TRUE(shown == full) << what;
        grid->draws.clear();
    }
};

using GridCtrlScroll = GridCtrlGeometry;
using GridCtrlSizes = GridCtrlGeometry;

TEST_F(GridCtrlGeometry, CellsUnderPointsScrolledAndNot)
{
    MakeGrid(30, 3);
    struct Case {
        QPoint point;
        bool allowFixed;
        CCellID cell;
    };
    const Case unscrolled[] = {
        {{5, 25}, true, {1, 0}},   {{5, 45}, true, {2, 0}},    {{5, 25}, false, {-1, -1}},
        {{55, 45}, true, {2, 1}},  {{99, 59}, true, {2, 1}},   {{100, 60}, true, {3, 2}},
        {{-1, 5}, true, {0, -1}},  {{5, -1}, true, {-1, 0}},   {{160, 45}, true, {2, -1}},
        {{55, 5}, false, {-1, 1}},
    };
    for (const Case& c : unscrolled)
        EXPECT_EQ(grid->GetCellFromPoint(c.point, c.allowFixed), c.cell) << c.point.x() << "," << c.point.y();

    for (int i = 0; i < 3; ++i)
        Send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(grid->GetTopLeftScrollCell(), CCellID(5, 1));
    const Case scrolled[] = {
        {{5, 25}, true, {1, 0}}, {{5, 45}, true, {5, 0}}, {{55, 5}, true, {0, 1}}, {{55, 61}, true, {6, 1}},
    };
    for (const Case& c : scrolled)
        EXPECT_EQ(grid->GetCellFromPoint(c.point, c.allowFixed), c.cell) << c.point.x() << "," << c.point.y();
}

TEST_F(GridCtrlGeometry, BoundsAreInclusiveAndScrolledOutCellsHaveNone)
{
    MakeGrid(30, 3);
    struct Case {
        CCellID cell;
        CRect bounds;
    };
    const Case cases[] = {
        {{0, 0}, {0, 0, 49, 19}}, {{1, 2}, {100, 20, 149, 39}}, {{2, 1}, {50, 40, 99, 59}}, {{4, 0}, {0, 80, 49, 99}}};
    for (const Case& c : cases) {
        CRect bounds;
        ASSERT_TRUE(grid->GetCellBounds(c.cell, &bounds));
        EXPECT_EQ(bounds, c.bounds) << c.cell.row << "," << c.cell.col;
        CRect text;
        ASSERT_TRUE(grid->GetCellTextRect(c.cell, &text));
        EXPECT_EQ(text, c.bounds);
    }
    CRect range;
    ASSERT_TRUE(grid->GetCellRangeBounds(CCellRange(2, 1, 3, 2), &range));
    EXPECT_EQ(range, CRect(50, 40, 149, 79));

    Send(WM_VSCROLL, SB_LINEDOWN);
    CRect bounds;
    EXPECT_FALSE(grid->GetCellBounds(2, 1, &bounds));
    EXPECT_FALSE(grid->IsCellVisible(2, 1));
    EXPECT_FALSE(grid->GetCellRangeBounds(CCellRange(2, 1, 3, 2), &range));
    ASSERT_TRUE(grid->GetCellBounds(3, 1, &bounds));
    EXPECT_EQ(bounds, CRect(50, 40, 99, 59));
    ASSERT_TRUE(grid->GetCellBounds(1, 1, &bounds));  // fixed rows never scroll
    EXPECT_EQ(bounds, CRect(50, 20, 99, 39));
    EXPECT_FALSE(grid->GetCellBounds(30, 0, &bounds));
    EXPECT_TRUE(grid->IsCellVisible(10, 2));
    EXPECT_FALSE(grid->IsCellVisible(11, 2));  // starts below the client area
}

TEST_F(GridCtrlGeometry, VisibleRangesEndAtTheClientEdges)
{
    MakeGrid(30, 8);
    const CRect client = grid->GetClientRect();
    EXPECT_EQ(client.ToQRect(), grid->viewport()->rect());
    // Row r (from 2) ends at 40 + 20 (r - 1); the last reached is the first
    // that ends at or beyond the bottom.
    const int lastRow = 1 + (client.bottom - 40 + 19) / 20;
    const int lastCol = (client.right - 50 + 49) / 50;
    CRect rect;
    EXPECT_EQ(grid->GetVisibleScrollRange(&rect), CCellRange(2, 1, lastRow, lastCol));
    EXPECT_EQ(rect, CRect(0, 0, client.right, client.bottom));
    const bool rowCut = (client.bottom - 40) % 20 != 0;
    const bool colCut = (client.right - 50) % 50 != 0;
    EXPECT_EQ(grid->GetFullyVisibleScrollRange(), CCellRange(2, 1, lastRow - rowCut, lastCol - colCut));

    // Few rows: the range stops at the last row and the rectangle at its end.
    GridFixture small;
    small.Make(4, 2, 2, 1, 20, 50, QSize(300, 190));
    EXPECT_EQ(small.grid->GetVisibleScrollRange(&rect), CCellRange(2, 1, 3, 1));
    EXPECT_EQ(rect, CRect(0, 0, 100, 80));
}

TEST_F(GridCtrlGeometry, RowAndColumnDividersUnderTheGrip)
{
    MakeGrid(30, 3);
    struct Case {
        QPoint point;
        bool row;
        bool col;
    };
    const Case cases[] = {
        {{5, 62}, true, false},   // 2 below the top of row 3, in the fixed column
        {{5, 2}, false, false},   // the same in row 0: no divider above it
        {{5, 18}, true, false},   // 2 above the bottom of row 0
        {{55, 62}, false, false},  // right of the fixed column: no row dividers
        {{52, 5}, false, true},   // 2 right of column 1's left edge, in the fixed rows
        {{2, 5}, false, false},   // column 0 has no divider on its left
        {{47, 30}, false, true},  // 3 left of column 0's right edge
        {{52, 45}, false, false},  // below the fixed rows
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid->IsOverRowDivider(c.point), c.row) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(grid->IsOverColumnDivider(c.point), c.col) << c.point.x() << "," << c.point.y();
    }
}

TEST_F(GridCtrlScroll, BarsComeWithRowsThatDoNotFitAndGoWhenTheWindowGrows)
{
    MakeGrid(9, 2);  // 7 non-fixed rows: 140 of the 150 visible pixels
    QScrollBar* bar = grid->verticalScrollBar();
    EXPECT_EQ(grid->GetVScrollRange(), 0);
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(grid->GetClientRect(), CRect(0, 0, 300, 190));

    grid->SetRowCount(10);  // a row of the default height: more than 150
    grid->SetRowHeight(9, 20);
    grid->UpdateScrollBars();  // 160 > 150
    EXPECT_EQ(grid->GetVScrollRange(), 159);
    EXPECT_EQ(bar->pageStep(), 150);
    EXPECT_EQ(bar->maximum(), 10);
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(grid->GetHScrollRange(), 0);
    QApplication::processEvents();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(grid->GetClientRect().ToQRect(), grid->viewport()->rect());

    Send(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(grid->GetScrollPosition(SB_VERT), 10);
    grid->resize(300, 230);  // now everything fits
    QApplication::processEvents();
    EXPECT_EQ(grid->GetVScrollRange(), 0);
    EXPECT_EQ(grid->GetScrollPosition(SB_VERT), 0);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(grid->GetClientRect(), CRect(0, 0, 300, 230));
    ExpectWholePicture("after growing");

    grid->resize(90, 120);  // both bars
    QApplication::processEvents();
    const CRect client = grid->GetClientRect();
    EXPECT_EQ(client.ToQRect(), grid->viewport()->rect());
    EXPECT_EQ(grid->GetHScrollRange(), 49);
    EXPECT_EQ(grid->horizontalScrollBar()->pageStep(), client.right - 50);
    EXPECT_EQ(grid->GetVScrollRange(), 159);
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 160 - (client.bottom - 40));
}

TEST_F(GridCtrlScroll, SizeSettersAndTheFixedCountLeaveTheBarsAlone)
{
    MakeGrid(9, 2);
    grid->SetRowHeight(5, 200);
    grid->SetFixedRowCount(1);
    EXPECT_EQ(grid->GetVScrollRange(), 0);
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    grid->UpdateScrollBars();
    EXPECT_EQ(grid->GetVScrollRange(), 7 * 20 + 200 - 1);
}

TEST_F(GridCtrlScroll, ColumnsWiderThanTheWindowStillGetTheirBar)
{
    // No non-fixed column ever shows whole beside the fixed one; the bar
    // still takes the user from column to column.
    MakeGrid(4, 4, QSize(200, 190));
    for (int c = 1; c < 4; ++c)
        grid->SetColumnWidth(c, 400);
    grid->UpdateScrollBars();
    EXPECT_EQ(grid->GetHScrollRange(), 1199);
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 1200 - 150);
    Send(WM_HSCROLL, SB_LINERIGHT);
    Send(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(grid->GetTopLeftScrollCell().col, 3);
    EXPECT_EQ(grid->GetCellFromPoint(QPoint(60, 45)), CCellID(2, 3));
    ExpectWholePicture("wide columns");
}

TEST_F(GridCtrlScroll, EveryCodeMovesAndRepaintsItsPart)
{
    MakeGrid(20, 8);
    const CRect client = grid->GetClientRect();
    const int vMax = grid->verticalScrollBar()->maximum();
    const int hMax = grid->horizontalScrollBar()->maximum();
    const int page = client.bottom - 40;
    const int pagedDown = std::min(vMax, 20 + page);
    const int pagedUp = std::max(0, pagedDown - page);
    ASSERT_EQ(pagedUp, 20);
    ASSERT_EQ(vMax, 360 - (client.bottom - 40));
    ASSERT_EQ(hMax, 350 - (client.right - 50));
    struct Case {
        UINT message;
        UINT code;
        int thumb;  // track position for thumb codes
        int position;
        CRect repainted;  // empty: nothing
    };
    const Case cases[] = {
        {WM_VSCROLL, SB_LINEDOWN, 0, 20, {0, client.bottom - 20, client.right, client.bottom}},
        {WM_VSCROLL, SB_LINEDOWN, 0, 40, {0, client.bottom - 20, client.right, client.bottom}},
        {WM_VSCROLL, SB_LINEUP, 0, 20, {0, 40, client.right, 60}},
        {WM_VSCROLL, SB_PAGEDOWN, 0, pagedDown, {0, 40, client.right, client.bottom}},
        {WM_VSCROLL, SB_PAGEUP, 0, pagedUp, {0, 40, client.right, client.bottom}},
        {WM_VSCROLL, SB_LINEUP, 0, 0, {0, 40, client.right, 60}},
        {WM_VSCROLL, SB_LINEUP, 0, 0, {}},
        {WM_VSCROLL, SB_BOTTOM, 0, vMax, {0, 0, client.right, client.bottom}},
        {WM_VSCROLL, SB_LINEDOWN, 0, vMax, {}},  // at the furthest reachable position
        {WM_VSCROLL, SB_TOP, 0, 0, {0, 0, client.right, client.bottom}},
        {WM_VSCROLL, SB_THUMBTRACK, 60, 60, {0, 40, client.right, client.bottom}},
        {WM_VSCROLL, SB_THUMBTRACK, 55, 55, {}},  // the same first row
        {WM_VSCROLL, SB_TOP, 0, 0, {0, 0, client.right, client.bottom}},
        {WM_HSCROLL, SB_LINERIGHT, 0, 50, {client.right - 50, 0, client.right, client.bottom}},
        {WM_HSCROLL, SB_LINELEFT, 0, 0, {50, 0, 100, client.bottom}},
        {WM_HSCROLL, SB_PAGERIGHT, 0, std::min(hMax, client.right - 50), {50, 0, client.right, client.bottom}},
        {WM_HSCROLL, SB_PAGELEFT, 0, 0, {50, 0, client.right, client.bottom}},
        {WM_HSCROLL, SB_RIGHT, 0, hMax, {0, 0, client.right, client.bottom}},
        {WM_HSCROLL, SB_THUMBPOSITION, 50, 50, {50, 0, client.right, client.bottom}},
        {WM_HSCROLL, SB_LEFT, 0, 0, {0, 0, client.right, client.bottom}},
        {WM_HSCROLL, SB_LEFT, 0, 0, {}},
    };
    for (const Case& c : cases) {
        const int bar = c.message == WM_HSCROLL ? SB_HORZ : SB_VERT;
        QScrollBar* scrollBar = bar == SB_HORZ ? grid->horizontalScrollBar() : grid->verticalScrollBar();
        if (c.code == SB_THUMBTRACK || c.code == SB_THUMBPOSITION)
            scrollBar->setSliderPosition(c.thumb);  // the bar sends the code itself
        else
            Send(c.message, c.code);
        const QImage shown = Painted(grid);
        const std::string what = std::to_string(c.message) + "/" + std::to_string(c.code);
        EXPECT_EQ(grid->GetScrollPosition(bar), c.position) << what;
        if (c.repainted.IsRectEmpty()) {
            EXPECT_TRUE(grid->draws.empty()) << what;
        } else {
            ASSERT_EQ(grid->draws.size(), 1u) << what;
            EXPECT_EQ(grid->draws[0], c.repainted) << what;
        }
        grid->draws.clear();
        ExpectWholePicture(what.c_str());
    }
}

TEST_F(GridCtrlScroll, ALineStepFromAPositionInsideARowDrawsTheRightCells)
{
    // Rows of 40 and 20 pixels; the thumb leaves the position inside a row.
    struct Case {
        int thumb;
        UINT code;
    };
    const Case cases[] = {{1, SB_LINEDOWN}, {21, SB_LINEUP}, {41, SB_LINEDOWN}, {61, SB_LINEUP}};
    for (const Case& c : cases) {
        MakeGrid(30, 3);
        for (int r = 2; r < 30; ++r)
            grid->SetRowHeight(r, r % 2 ? 40 : 20);
        grid->UpdateScrollBars();
        grid->Invalidate();
        Painted(grid);
        grid->verticalScrollBar()->setSliderPosition(c.thumb);
        Painted(grid);
        Send(WM_VSCROLL, c.code);
        ExpectWholePicture(std::to_string(c.thumb).c_str());
        delete grid;
    }
}

TEST_F(GridCtrlScroll, EnsureVisibleStepsUntilTheCellShows)
{
    MakeGrid(30, 3);  // the client's bottom cuts row 9
    ASSERT_EQ(grid->GetVisibleScrollRange().GetMaxRow(), 9);
    grid->EnsureVisible(12, 1);
    ASSERT_EQ(grid->scrolls.size(), 4u);
    for (const auto& s : grid->scrolls) {
        EXPECT_EQ(s.message, UINT(WM_VSCROLL));
        EXPECT_EQ(s.code, UINT(SB_LINEDOWN));
    }
    CRect bounds;
    ASSERT_TRUE(grid->GetCellBounds(12, 1, &bounds));
    EXPECT_LE(bounds.bottom, grid->GetClientRect().bottom);

    grid->scrolls.clear();
    grid->EnsureVisible(2, 1);
    EXPECT_EQ(grid->scrolls.size(), 4u);
    EXPECT_EQ(grid->GetTopLeftScrollCell(), CCellID(2, 1));
    ExpectWholePicture("ensure visible");

    grid->scrolls.clear();
    grid->EnsureVisible(5, 2);  // shows already
    EXPECT_TRUE(grid->scrolls.empty());
}

QRect SubControl(QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

TEST_F(GridCtrlScroll, AThousandRowsThroughTheBarsOwnArrowAndThumb)
{
    Make(1000, 6, 1, 1, 20, 60, QSize(400, 300));
    for (int r = 0; r < 1000; ++r)
        grid->SetItemText(r, 1, QStringLiteral("row %1").arg(r));
    Painted(grid);
    QScrollBar* bar = grid->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(grid->GetVScrollRange(), 999 * 20 - 1);

    const QRect arrow = SubControl(bar, QStyle::SC_ScrollBarAddLine);
    ASSERT_FALSE(arrow.isEmpty());
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, arrow.center());
    EXPECT_EQ(grid->GetScrollPosition(SB_VERT), 20);  // one row, not Qt's own step
    EXPECT_EQ(grid->GetTopLeftScrollCell().row, 2);
    ExpectWholePicture("arrow");

    const QRect thumb = SubControl(bar, QStyle::SC_ScrollBarSlider);
    const QRect groove = SubControl(bar, QStyle::SC_ScrollBarGroove);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, thumb.center());
    QTest::mouseMove(bar, thumb.center() + QPoint(0, groove.height() / 2));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, thumb.center() + QPoint(0, groove.height() / 2));
    const int position = grid->GetScrollPosition(SB_VERT);
    EXPECT_GT(position, 5000);
    EXPECT_LT(position, 15000);
    EXPECT_EQ(bar->value(), position);
    // The first row shown is the first whose start is not before the position.
    EXPECT_EQ(grid->GetTopLeftScrollCell().row, 1 + (position + 19) / 20);
    EXPECT_EQ(grid->GetItemText(grid->GetTopLeftScrollCell().row, 1),
              QStringLiteral("row %1").arg(1 + (position + 19) / 20));
    ExpectWholePicture("thumb");
}

TEST_F(GridCtrlSizes, MeasuredTextAgainstTheCellExtent)
{
    MakeGrid(4, 3);
    const int margin = grid->GetTextMargin();
    ASSERT_GT(margin, 0);
    const QFontMetrics metrics(*grid->OnGetFont());
    const QString ab = QStringLiteral("ab");
    EXPECT_EQ(grid->MeasureText(ab), QSize(metrics.horizontalAdvance(ab) + 2 * margin, metrics.height() + 2 * margin));

    grid->SetItemText(0, 1, ab);  // a heading: measured in weight 600
    grid->SetItemText(3, 1, ab);
    LOGFONT heavy = *grid->GetItemFont(0, 1);
    heavy.lfWeight = 600;
    const QFontMetrics heavyMetrics(*CreateFontIndirect(heavy));
    const QSize fixedExtent = grid->GetCellExtent(0, 1, nullptr);
    EXPECT_EQ(fixedExtent, QSize(heavyMetrics.horizontalAdvance(ab) + 4 * margin, heavyMetrics.height() + 2 * margin));
    EXPECT_GT(fixedExtent.width(), grid->MeasureText(ab).width());
    const QFontMetrics cellMetrics(*CreateFontIndirect(*grid->GetItemFont(3, 1)));
    EXPECT_EQ(grid->GetCellExtent(3, 1, nullptr).width(), cellMetrics.horizontalAdvance(ab) + 4 * margin);
}

TEST_F(GridCtrlSizes, FittingColumnsAndRowsToTheirText)
{
    MakeGrid(4, 3);
    grid->SetItemText(0, 2, QStringLiteral("A much longer heading"));
    grid->SetItemText(3, 2, QStringLiteral("short"));
    ASSERT_TRUE(grid->FitColumnToText(2));
    EXPECT_EQ(grid->GetColumnWidth(2), grid->GetCellExtent(0, 2, nullptr).width());
    EXPECT_FALSE(grid->FitColumnToText(3));
    ASSERT_TRUE(grid->FitRowToText(3));
    EXPECT_EQ(grid->GetRowHeight(3), std::max(grid->GetCellExtent(3, 0, nullptr).height(),
                                              grid->GetCellExtent(3, 2, nullptr).height()));

    grid->FitAllToText();
    for (int c = 0; c < 3; ++c) {
        int widest = 0;
        for (int r = 0; r < 4; ++r)
            widest = std::max(widest, grid->GetCellExtent(r, c, nullptr).width());
        EXPECT_EQ(grid->GetColumnWidth(c), widest) << c;
    }
}

TEST_F(GridCtrlSizes, StretchingSpreadsTheSpareAndNeverGoesBelowZero)
{
    struct Case {
        int clientWidth;
        std::vector<int> widths;
        std::vector<int> stretched;
    };
    const Case cases[] = {
        {210, {50, 50, 50, 50}, {53, 53, 52, 52}},
        {190, {50, 50, 50, 50}, {47, 47, 48, 48}},
        {200, {50, 50, 50, 50}, {50, 50, 50, 50}},
        {100, {250, 250, 450, 50}, {25, 25, 225, 0}},  // the last would be -175
    };
    for (const Case& c : cases) {
        GridFixture f;
        f.Make(3, 4, 1, 1, 20, 50, QSize(c.clientWidth, 100));
        for (int i = 0; i < 4; ++i)
            f.grid->SetColumnWidth(i, c.widths[size_t(i)]);
        f.grid->StretchColumnsToWindow();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(f.grid->GetColumnWidth(i), c.stretched[size_t(i)]) << c.clientWidth << " column " << i;
    }
    GridFixture rows;
    rows.Make(4, 2, 1, 1, 20, 50, QSize(200, 90));
    rows.grid->StretchRowsToWindow();
    EXPECT_EQ(rows.grid->GetRowHeight(0), 23);
    EXPECT_EQ(rows.grid->GetRowHeight(1), 23);
    EXPECT_EQ(rows.grid->GetRowHeight(2), 22);
    EXPECT_EQ(rows.grid->GetRowHeight(3), 22);
}

TEST_F(GridCtrlSizes, ANewFontSetsTheDefaultsAndKeepsTheRowsThatExist)
{
    MakeGrid(4, 3);
    const std::optional<QFont> arial = CreateFont(16, 400);
    ASSERT_TRUE(arial);
    grid->SetFont(&*arial);
    const QFontMetrics metrics(*arial);
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    EXPECT_EQ(grid->GetTextMargin(), space);
    EXPECT_EQ(grid->GetDefaultRowHeight(), metrics.height() + metrics.leading() + 2 * space);
    EXPECT_EQ(grid->GetDefaultColumnWidth(), 12 * metrics.averageCharWidth() + 2 * space);
    EXPECT_EQ(grid->GetGridLogFont().lfHeight, 16);
    EXPECT_EQ(grid->GetGridLogFont().lfWeight, 400);
    EXPECT_EQ(*grid->GetItemFont(3, 2), grid->GetGridLogFont());
    EXPECT_EQ(reinterpret_cast<const QFont*>(SendMessage(grid, WM_GETFONT, 0, 0)), grid->OnGetFont());
    EXPECT_EQ(grid->GetRowHeight(3), 20);
    grid->SetRowCount(6);
    EXPECT_EQ(grid->GetRowHeight(5), grid->GetDefaultRowHeight());

    CGridCtrl loose(2, 2);  // no window: the cells take the font, the sizes stay
    loose.SetFont(&*arial);
    EXPECT_EQ(loose.GetItemFont(1, 1)->lfHeight, 16);
    EXPECT_EQ(loose.GetDefaultRowHeight(), 10);
    EXPECT_EQ(loose.OnGetFont(), nullptr);
}

}  // namespace
