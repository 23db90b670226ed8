// What the grid paints, pixel by pixel: backgrounds, raised and sunken
// headers, focused, selected and coloured cells, grid lines, partial paints,
// the redraw switch and the system colours.
#include <gtest/gtest.h>

#include <QEvent>

#include "platform/gui/DrawText.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/SysColors.h"
#include "tests/common/gui/WidgetProbe.h"
#include "tests/controls/GridTestSupport.h"

namespace {

QColor Sys(int index)
{
    return GetSysColor(index);
}

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// Pixels that differ between two images of one size, as a bounding box.
QRect Changed(const QImage& before, const QImage& after)
{
    QRect box;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// One fixed row and one fixed column, five rows and three columns of 20 x 50
// empty cells: no bar, and the client area reaches past the cells.
class GridCtrlPaint : public ::testing::Test, public GridFixture {
protected:
    void SetUp() override { Make(6, 4, 1, 1, 20, 50, QSize(300, 200)); }
    void TearDown() override { SetSysColorHook(nullptr); }
};

TEST_F(GridCtrlPaint, AGridWithoutCellsIsTheWindowColourAndTheCellsEndWhereTheyEnd)
{
    GridFixture empty;
    empty.Make(0, 0, 0, 0, 20, 50, QSize(120, 80));
    const QImage nothing = Painted(empty.grid);
    EXPECT_EQ(CountPixels(nothing, Sys(COLOR_BTNSHADOW)), 120 * 80);

    const QImage image = Painted(grid);
    EXPECT_EQ(image.size(), QSize(300, 200));
    EXPECT_EQ(CountPixels(image, Sys(COLOR_BTNSHADOW), 0, QRect(200, 0, 100, 200)), 100 * 200);
    EXPECT_EQ(CountPixels(image, Sys(COLOR_BTNSHADOW), 0, QRect(0, 120, 200, 80)), 200 * 80);
    EXPECT_EQ(At(image, 199, 119), QColor(192, 192, 192));  // the last grid-line pixel
}

TEST_F(GridCtrlPaint, HeadersAreRaisedAndThoseOfTheFocusCellSunken)
{
    grid->SetFocusCell(2, 2);
    const QImage image = Painted(grid);
    const QColor face = Sys(COLOR_BTNFACE);
    const QColor white = Sys(COLOR_3DHILIGHT);
    const QColor dark = Sys(COLOR_3DDKSHADOW);
    const QColor light = Sys(COLOR_3DLIGHT);

    // Raised: header (0, 1) at (50, 0)-(99, 19).
    struct Pixel {
        int x;
        int y;
        QColor colour;
    };
    const Pixel raised[] = {
        {50, 0, white},  {51, 0, white},  {98, 0, white}, {50, 18, white}, {50, 19, face},  // corner left as filled
        {99, 0, dark},   {99, 18, dark},  {99, 19, dark}, {51, 19, dark},  {75, 10, face},
    };
    for (const Pixel& p : raised)
        EXPECT_EQ(At(image, p.x, p.y), p.colour) << "raised " << p.x << "," << p.y;

    // Sunken: header (0, 2) at (100, 0)-(149, 19), the focus cell's column,
    // and (2, 0) at (0, 40)-(49, 59), its row.
    const Pixel sunken[] = {
        {100, 0, dark}, {148, 0, dark}, {100, 18, dark}, {149, 0, light}, {149, 19, light},
        {100, 19, light}, {125, 19, light}, {125, 10, face},
        {0, 40, dark}, {49, 40, light}, {0, 59, light}, {48, 40, dark},
    };
    for (const Pixel& p : sunken)
        EXPECT_EQ(At(image, p.x, p.y), p.colour) << "sunken " << p.x << "," << p.y;

    grid->SetFocusCell(-1, -1);
    const QImage none = Painted(grid);
    EXPECT_EQ(At(none, 100, 0), white);
    EXPECT_EQ(At(none, 149, 19), dark);
    EXPECT_EQ(At(none, 49, 59), dark);
}

TEST_F(GridCtrlPaint, FocusedSelectedAndRedCellsFillExactlyTheirCells)
{
    const QColor line(192, 192, 192);
    const QColor black(0, 0, 0);
    const QColor red(255, 0, 0);
    const QColor white = Sys(COLOR_WINDOW);
    const QColor highlight = Sys(COLOR_HIGHLIGHT);
    grid->SetItemBkColor(2, 2, RGB(255, 0, 0));
    grid->SetItemBkColor(3, 2, RGB(255, 0, 0));
    grid->SetItemBkColor(4, 2, RGB(255, 0, 0));
    grid->SetFocusCell(2, 2);                          // red, focused, editable: frame
    grid->SetItemState(3, 2, GCS_SELECTED);           // red but selected: highlight
    grid->SetItemState(4, 1, GCS_SELECTED);           // white, selected
    grid->Invalidate();
    const QImage image = Painted(grid);

    // Focus cell (2, 2) covers (100, 40)-(149, 59).
    struct Pixel {
        int x;
        int y;
        QColor colour;
    };
    const Pixel pixels[] = {
        {100, 40, black}, {148, 40, black}, {100, 58, black}, {148, 58, black}, {101, 41, red}, {147, 57, red},
        {149, 40, line},  {149, 58, line},  {100, 59, line},  {149, 59, line},   {99, 45, line}, {125, 39, line},
        // Selected red cell (3, 2): (100, 60)-(149, 79).
        {100, 60, highlight}, {148, 78, highlight}, {149, 70, line}, {120, 79, line},
        // Red cell (4, 2), neither: (100, 80)-(149, 99).
        {100, 80, red}, {148, 98, red}, {149, 98, line}, {148, 99, line},
        // Selected white cell (4, 1): (50, 80)-(99, 99).
        {50, 80, highlight}, {98, 98, highlight}, {99, 80, line},
        // A plain cell (1, 3): (150, 20)-(199, 39).
        {150, 20, white}, {198, 38, white}, {199, 20, line}, {150, 39, line},
    };
    for (const Pixel& p : pixels)
        EXPECT_EQ(At(image, p.x, p.y), p.colour) << p.x << "," << p.y;
    // Every fill covers exactly width x height less its grid lines.
    EXPECT_EQ(CountPixels(image, red, 0, QRect(100, 80, 50, 20)), 49 * 19);
    EXPECT_EQ(CountPixels(image, highlight, 0, QRect(50, 80, 50, 20)), 49 * 19);
    EXPECT_EQ(CountPixels(image, red, 0, QRect(100, 40, 50, 20)), 47 * 17);

    // Not editable: the focus cell shows as selected, its red gone.
    grid->SetEditable(false);
    const QImage plain = Painted(grid);
    EXPECT_EQ(grid->GetItemState(2, 2), UINT(GCS_SELECTED));
    EXPECT_EQ(At(plain, 100, 40), highlight);
    EXPECT_EQ(At(plain, 148, 58), highlight);
}

TEST_F(GridCtrlPaint, GridLinesLieOnTheLastPixelsOfNormalCellsOnly)
{
    const QColor blue(0x33, 0x99, 0xFF);
    grid->SetGridLineColor(RGB(0x33, 0x99, 0xFF));
    grid->Invalidate();
    const QImage both = Painted(grid);
    // Vertical lines at x = 99, 149, 199 from y = 20; horizontal ones at
    // y = 39, 59, ..., 119 from x = 50.
    EXPECT_EQ(CountPixels(both, blue, 0, QRect(99, 0, 1, 200)), 100);
    EXPECT_EQ(CountPixels(both, blue, 0, QRect(0, 39, 300, 1)), 150);
    EXPECT_EQ(CountPixels(both, blue, 0, QRect(0, 0, 300, 200)), 3 * 100 + 5 * 150 - 15);
    EXPECT_EQ(CountPixels(both, blue, 0, QRect(0, 0, 50, 200)), 0);   // fixed column
    EXPECT_EQ(CountPixels(both, blue, 0, QRect(0, 0, 300, 20)), 0);   // fixed row

    grid->m_nGridLineMode = GRIDLINES_HORZ;
    grid->Invalidate();
    const QImage horizontal = Painted(grid);
    EXPECT_EQ(CountPixels(horizontal, blue, 0, QRect(99, 20, 1, 100)), 5);
    EXPECT_EQ(CountPixels(horizontal, blue), 5 * 150);
    grid->m_nGridLineMode = GRIDLINES_VERT;
    grid->Invalidate();
    EXPECT_EQ(CountPixels(Painted(grid), blue), 3 * 100);
    grid->m_nGridLineMode = GRIDLINES_NONE;
    grid->Invalidate();
    EXPECT_EQ(CountPixels(Painted(grid), blue), 0);
}

TEST_F(GridCtrlPaint, RedrawCellDrawsAtOnceAndOnlyItsCell)
{
    grid->SetItemText(2, 1, QStringLiteral("text"));
    const QImage before = Painted(grid);
    grid->draws.clear();
    grid->SetItemBkColor(2, 1, RGB(255, 0, 0));  // no redraw by itself
    ASSERT_TRUE(grid->RedrawCell(2, 1));
    EXPECT_TRUE(grid->draws.empty());  // drawn into the image, not by a paint
    const QImage after = grid->BackingImage().copy();
    EXPECT_EQ(Changed(before, after), QRect(50, 40, 49, 19));
    grid->Invalidate();
    EXPECT_TRUE(after == Painted(grid));

    // Headers redraw too; a cell out of sight does not.
    EXPECT_TRUE(grid->RedrawCell(0, 1));
    EXPECT_FALSE(grid->RedrawCell(9, 1));
    EXPECT_TRUE(grid->RedrawRow(3));
    EXPECT_TRUE(grid->RedrawColumn(2));
}

TEST_F(GridCtrlPaint, APaintOfARectangleChangesOnlyThatRectangle)
{
    const QImage before = Painted(grid);
    for (int r = 1; r < 6; ++r) {
        for (int c = 1; c < 4; ++c)
            grid->SetItemBkColor(r, c, RGB(0, 200, 0));
    }
    const CRect part(70, 30, 130, 90);
    grid->InvalidateRect(&part);
    const QImage after = Painted(grid);
    ASSERT_EQ(grid->draws.size(), 1u);
    EXPECT_EQ(grid->draws[0], part);
    const QRect changed = Changed(before, after);
    EXPECT_TRUE(part.ToQRect().contains(changed)) << changed.x() << "," << changed.y() << " " << changed.width();
    EXPECT_GT(CountPixels(after, QColor(0, 200, 0)), 40 * 40);
}

TEST_F(GridCtrlPaint, NothingIsDrawnWhileRedrawIsOff)
{
    grid->SetItemText(2, 2, QStringLiteral("shown"));
    grid->SetFocusCell(2, 2);
    const QImage before = Painted(grid);
    grid->SetRedraw(false);
    grid->SetItemBkColor(2, 2, RGB(255, 0, 0));
    EXPECT_FALSE(grid->RedrawCell(2, 2));
    EXPECT_FALSE(grid->InvalidateCellArea(CCellID(2, 2)));
    EXPECT_TRUE(before == Painted(grid));

    grid->SetRowCount(40);  // no scroll bar while off
    EXPECT_EQ(grid->GetVScrollRange(), 0);
    grid->SetItemText(1, 1, QStringLiteral("x"));  // invalidates anyway: only backgrounds come
    const QImage off = Painted(grid);
    EXPECT_EQ(At(off, 99, 0), Sys(COLOR_BTNFACE));  // no raised border
    EXPECT_EQ(CountPixels(off, QColor(255, 0, 0)), 0);

    grid->SetRedraw(true, true);
    EXPECT_GT(grid->GetVScrollRange(), 0);
    const QImage on = Painted(grid);
    EXPECT_EQ(At(on, 99, 0), Sys(COLOR_3DDKSHADOW));
    EXPECT_GT(CountPixels(on, QColor(255, 0, 0)), 300);
}

TEST_F(GridCtrlPaint, ColoursStillAtTheirSystemDefaultFollowASchemeChange)
{
    grid->SetCellTextColor(RGB(10, 20, 30));  // set by hand: stays
    Painted(grid);
    grid->draws.clear();
    SetSysColorHook([](int index) -> std::optional<QColor> {
        if (index == COLOR_WINDOW)
            return QColor(1, 2, 3);
        if (index == COLOR_BTNFACE)
            return QColor(4, 5, 6);
        return std::nullopt;
    });
    QEvent change(QEvent::ApplicationPaletteChange);
    QCoreApplication::sendEvent(grid, &change);
    EXPECT_EQ(grid->GetCellBkColor(), RGB(1, 2, 3));
    EXPECT_EQ(grid->GetFixedBkColor(), RGB(4, 5, 6));
    EXPECT_EQ(grid->GetCellTextColor(), RGB(10, 20, 30));
    EXPECT_EQ(grid->GetFixedTextColor(), ToColorRef(Sys(COLOR_WINDOWTEXT)));
    EXPECT_EQ(grid->GetWindowBkColor(), ToColorRef(Sys(COLOR_BTNSHADOW)));
    Painted(grid);
    EXPECT_TRUE(grid->draws.empty());  // nothing invalidated

    // A second change moves only what still follows the scheme.
    grid->SetFixedBkColor(RGB(9, 9, 9));
    SetSysColorHook([](int index) -> std::optional<QColor> {
        if (index == COLOR_WINDOW || index == COLOR_BTNFACE)
            return QColor(7, 7, 7);
        return std::nullopt;
    });
    grid->OnSettingChange();
    EXPECT_EQ(grid->GetCellBkColor(), RGB(7, 7, 7));
    EXPECT_EQ(grid->GetFixedBkColor(), RGB(9, 9, 9));
    grid->Invalidate();
    EXPECT_EQ(At(Painted(grid), 120, 110), QColor(7, 7, 7));
}

TEST_F(GridCtrlPaint, UnbufferedPaintingShowsTheSamePicture)
{
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 4; ++c)
            grid->SetItemText(r, c, QStringLiteral("%1%2").arg(r).arg(c));
    }
    grid->SetFocusCell(2, 2);
    grid->SetItemState(3, 3, GCS_SELECTED);
    grid->Invalidate();
    const QImage buffered = Painted(grid).convertToFormat(QImage::Format_RGB32);
    grid->SetBuffered(false);
    const QImage direct = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(direct == buffered);
    EXPECT_TRUE(grid->RedrawCell(2, 2));  // invalidates instead
    grid->SetBuffered(true);
    EXPECT_TRUE(buffered == Painted(grid).convertToFormat(QImage::Format_RGB32));
}

TEST_F(GridCtrlPaint, ThePresetListSetUpShowsItsFirstRowSelected)
{
    // The machine-preset dialog's set-up of its grid, on a fresh one.
    CGridOwner dialog;
    auto* list = new CProbeGrid;
    list->Create(CRect(10, 10, 430, 200), &dialog, 2724, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    SetUpPresetList(list);
    dialog.show();
    const QImage image = Painted(list);

    EXPECT_EQ(list->GetItemState(1, 1), UINT(GCS_SELECTED));
    EXPECT_EQ(list->GetItemState(1, 0), UINT(GCS_SELECTED));
    EXPECT_EQ(list->GetSelectionBounds(), CCellRange(1, 0, 1, 1));
    CRect name;
    ASSERT_TRUE(list->GetCellBounds(1, 1, &name));
    EXPECT_EQ(name.Width(), 261);
    EXPECT_EQ(At(image, name.left + 1, name.top + 1), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(At(image, name.right, name.top + 1), QColor(0x33, 0x99, 0xFF));
    EXPECT_GT(CountPixels(image, Sys(COLOR_HIGHLIGHTTEXT), 60, name.ToQRect()), 10);  // its text
    CRect number;
    ASSERT_TRUE(list->GetCellBounds(1, 0, &number));
    EXPECT_EQ(At(image, number.left, number.top), Sys(COLOR_3DDKSHADOW));  // the focus row's header, sunken
}

}  // namespace
