// The grid's input: clicks, double clicks and right clicks with the context
// menu, the keys that move the focus, Delete, Ctrl+A, the wheel and the
// auto-scroll timer, on the machine-preset list and on plain grids, as the
// notices the owner hears, what is posted and what ends up selected.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>

#include "platform/core/Language.h"
#include "platform/gui/CursorPos.h"
#include "platform/gui/PopupMenu.h"
#include "tests/controls/GridTestSupport.h"

namespace {

using CellList = std::vector<CCellID>;

CellList SelectedCells(const CProbeGrid* grid)
{
    CellList cells;
    for (const auto& entry : grid->m_SelectedCells)
        cells.push_back(entry.second);
    return cells;
}

// Every cell of a rectangle, row by row.
CellList CellRectangle(int minRow, int minCol, int maxRow, int maxCol)
{
    CellList cells;
    for (int r = minRow; r <= maxRow; ++r) {
        for (int c = minCol; c <= maxCol; ++c)
            cells.emplace_back(r, c);
    }
    return cells;
}

std::string CellName(const CCellID& cell)
{
    return "(" + std::to_string(cell.row) + "," + std::to_string(cell.col) + ")";
}

// A shown, active window, so that the grid really takes the focus.
void ActivateWindow(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The machine-preset list in its dialog.
class GridInputPresetList : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = new CProbeGrid;
        grid->Create(CRect(10, 10, 430, 200), &owner, 2724, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
        SetUpPresetList(grid);
        ActivateWindow(owner);
        QApplication::processEvents();
        owner.notices.clear();
        owner.commands.clear();
    }
    void TearDown() override
    {
        SetPopupMenuHandler(nullptr);
        g_bChinese = 0;
    }

    CGridOwner owner;
    CProbeGrid* grid = nullptr;
};

TEST_F(GridInputPresetList, AClickOnTheNumberSelectsTheNameAndTheReleaseIsPostedAsAClick)
{
    GridMouse(grid, QEvent::MouseButtonPress, CellPoint(grid, 3, 0));

    EXPECT_EQ(owner.Codes(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED}));
    EXPECT_EQ(owner.notices[0].row, 1);
    EXPECT_EQ(owner.notices[0].column, 1);
    EXPECT_EQ(owner.notices[1].row, 3);
    EXPECT_EQ(owner.notices[1].column, 1);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 1));
    EXPECT_EQ(grid->GetItemState(3, 1), UINT(GCS_SELECTED));
    EXPECT_EQ(SelectedCells(grid), CellList{CCellID(3, 1)});
    EXPECT_TRUE(grid->hasFocus());

    GridMouse(grid, QEvent::MouseButtonRelease, CellPoint(grid, 3, 0));
    EXPECT_TRUE(owner.commands.empty());  // posted, not sent
    owner.DeliverPosted();
    ASSERT_EQ(owner.commands.size(), 1u);
    EXPECT_EQ(owner.commands[0].wParam, MAKEWPARAM(2724, BN_CLICKED));
    EXPECT_EQ(owner.commands[0].lParam, reinterpret_cast<LPARAM>(static_cast<QWidget*>(grid)));
    EXPECT_FALSE(owner.commands[0].bSent);
    EXPECT_EQ(grid->GetMouseMode(), CGridCtrl::MouseIdle);
}

TEST_F(GridInputPresetList, AClickInTheHeaderRowOnlyRemembersWhereItWas)
{
    const QPoint point = CellPoint(grid, 0, 1);
    GridMouse(grid, QEvent::MouseButtonPress, point);
    EXPECT_TRUE(owner.notices.empty());
    EXPECT_EQ(grid->m_cellButtonDown, CCellID(0, 1));
    EXPECT_EQ(grid->GetMouseMode(), CGridCtrl::MouseSelectRows);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(1, 1));
    EXPECT_EQ(SelectedCells(grid), CellRectangle(1, 0, 1, 1));

    // Row 0 is a cell: the release is still a click.
    GridMouse(grid, QEvent::MouseButtonRelease, point);
    owner.DeliverPosted();
    EXPECT_EQ(owner.commands.size(), 1u);
    EXPECT_EQ(grid->GetMouseMode(), CGridCtrl::MouseIdle);
}

TEST_F(GridInputPresetList, ADoubleClickTellsTheDialogWithoutOpeningAnEditor)
{
    GridDoubleClick(grid, CellPoint(grid, 3, 0));
    // Press: the focus moves to (3, 1); the double click: -3 with column 0,
    // and no edit begins (-105) in a grid that is not editable.
    EXPECT_EQ(owner.Codes(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_DBLCLK}));
    EXPECT_EQ(owner.notices[2].row, 3);
    EXPECT_EQ(owner.notices[2].column, 0);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 1));
    EXPECT_EQ(grid->viewport()->findChildren<QLineEdit*>().size(), 0);

    // The name column counts too; nothing is told while the mouse is busy.
    owner.notices.clear();
    GridDoubleClick(grid, CellPoint(grid, 5, 1));
    EXPECT_EQ(owner.Codes().back(), NM_DBLCLK);
    grid->m_nMouseMode = CGridCtrl::MouseSelectRows;
    owner.notices.clear();
    GridMouse(grid, QEvent::MouseButtonDblClick, CellPoint(grid, 2, 1));
    EXPECT_TRUE(owner.notices.empty());
}

TEST_F(GridInputPresetList, TheDeleteKeyClearsTheFocusCellAndTellsTheOwnerUnlessReadOnly)
{
    grid->SetFocusCell(2, 1);
    owner.notices.clear();
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(grid->GetItemText(2, 1), QString());
    EXPECT_TRUE(grid->GetModified(2, 1));
    ASSERT_EQ(owner.Codes(), std::vector<UINT>{LVN_DELETEITEM});
    EXPECT_EQ(owner.notices[0].row, 2);
    EXPECT_EQ(owner.notices[0].column, 1);

    grid->SetFocusCell(3, 1);
    grid->SetItemState(3, 1, grid->GetItemState(3, 1) | GCS_READONLY);
    owner.notices.clear();
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(grid->GetItemText(3, 1), QStringLiteral("Preset 3"));
    EXPECT_TRUE(owner.notices.empty());
}

TEST_F(GridInputPresetList, ARightClickSelectsTheRowAndPostsTheChosenCommandToTheDialog)
{
    struct Shown {
        QStringList texts;
        QWidget* owner = nullptr;
        int calls = 0;
    } shown;
    UINT answer = ID_GRID_DELETE_PRESET;
    SetPopupMenuHandler([&](QMenu& menu, const QPoint&, QWidget* menuOwner) {
        ++shown.calls;
        shown.texts.clear();
        for (QAction* action : menu.actions())
            shown.texts << action->text();
        shown.owner = menuOwner;
        return answer;
    });

    GridMouse(grid, QEvent::MouseButtonPress, CellPoint(grid, 4, 1), Qt::RightButton);
    EXPECT_EQ(shown.calls, 1);
    EXPECT_EQ(shown.owner, &owner);
    ASSERT_EQ(shown.texts.size(), 3);
    EXPECT_EQ(shown.texts[2], QStringLiteral("Delete Machine Preset(&D)"));
    EXPECT_EQ(owner.Codes(), std::vector<UINT>{LVN_ITEMCHANGING});
    EXPECT_EQ(grid->GetFocusCell(), CCellID(-1, -1));
    EXPECT_EQ(SelectedCells(grid), CellList{CCellID(4, 1)});
    EXPECT_EQ(grid->GetRightClickCell(), CCellID(4, 1));
    EXPECT_EQ(grid->GetMouseMode(), CGridCtrl::MouseIdle);  // the menu has closed
    EXPECT_TRUE(owner.commands.empty());
    owner.DeliverPosted();
    ASSERT_EQ(owner.commands.size(), 1u);
    EXPECT_EQ(owner.commands[0].wParam, MAKEWPARAM(ID_GRID_DELETE_PRESET, 0));

    // The delete item follows the language at each click; a dismissed menu
    // posts nothing; the focus cell clicked again keeps its focus.
    g_bChinese = 1;
    answer = 0;
    owner.commands.clear();
    grid->SetFocusCell(2, 1);
    GridMouse(grid, QEvent::MouseButtonPress, CellPoint(grid, 2, 1), Qt::RightButton);
    EXPECT_EQ(shown.texts[2], QStringLiteral("删除 机器预置场景(&D)"));
    EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 1));
    EXPECT_EQ(grid->GetRightClickCell(), CCellID(2, 1));
    owner.DeliverPosted();
    EXPECT_TRUE(owner.commands.empty());

    // No menu for the header row or outside the cells.
    shown.calls = 0;
    GridMouse(grid, QEvent::MouseButtonPress, CellPoint(grid, 0, 1), Qt::RightButton);
    GridMouse(grid, QEvent::MouseButtonPress, QPoint(grid->GetTotalWidth() + 5, 40), Qt::RightButton);
    EXPECT_EQ(shown.calls, 0);
    EXPECT_EQ(grid->GetRightClickCell(), CCellID(2, 1));
}

// A plain grid, editable, 6 x 4 with one fixed row and column, 20 x 50
// cells, all of it showing.
class GridInput : public ::testing::Test, public GridFixture {
protected:
    void SetUp() override
    {
        Make(6, 4, 1, 1, 20, 50, QSize(300, 200));
        ActivateWindow(owner);
    }
    void Start(const CCellID& cell)
    {
        grid->SetFocusCell(cell);
        grid->SetSelectedRange(cell.row, cell.col, cell.row, cell.col);
        owner.notices.clear();
    }
};

TEST_F(GridInput, ClicksSelectACellARectangleOrAddToTheSelection)
{
    struct Case {
        const char* name;
        bool singleRow;
        CCellID start;
        Qt::KeyboardModifiers modifiers;
        CCellID clicked;
        CellList selected;
    };
    const Case cases[] = {
        {"plain", false, CCellID(2, 1), Qt::NoModifier, CCellID(3, 2), CellList{CCellID(3, 2)}},
        {"shift", false, CCellID(2, 1), Qt::ShiftModifier, CCellID(4, 3), CellRectangle(2, 1, 4, 3)},
        {"ctrl keeps", false, CCellID(2, 1), Qt::ControlModifier, CCellID(4, 3), CellList{CCellID(2, 1), CCellID(4, 3)}},
        {"ctrl, single row", true, CCellID(2, 1), Qt::ControlModifier, CCellID(4, 3), CellList{CCellID(4, 3)}},
        {"number column acts on column 1", false, CCellID(2, 2), Qt::NoModifier, CCellID(5, 0), CellList{CCellID(5, 1)}},
    };
    for (const Case& c : cases) {
        grid->SetSingleRowSelect(c.singleRow);
        Start(c.start);
        GridClick(grid, CellPoint(grid, c.clicked.row, c.clicked.col), c.modifiers);
        EXPECT_EQ(SelectedCells(grid), c.selected) << c.name;
        const CCellID focus(c.clicked.row, std::max(c.clicked.col, 1));
        EXPECT_EQ(grid->GetFocusCell(), focus) << c.name;
        // Editable or not, the clicked cell shows as selected, not focused.
        EXPECT_EQ(grid->GetItemState(focus.row, focus.col), UINT(GCS_SELECTED)) << c.name;
    }
}

TEST_F(GridInput, KeysMoveTheFocusWithTheirWrapsAndSelectTheNewCellWithoutAFocusNotice)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        CCellID from;
        CCellID to;
    };
    const Case cases[] = {
        {Qt::Key_Down, Qt::NoModifier, CCellID(2, 2), CCellID(3, 2)},
        {Qt::Key_Down, Qt::NoModifier, CCellID(5, 2), CCellID(1, 2)},  // last row to row 1
        {Qt::Key_Up, Qt::NoModifier, CCellID(1, 2), CCellID(5, 2)},    // first row to the last
        {Qt::Key_Up, Qt::NoModifier, CCellID(3, 2), CCellID(2, 2)},
        {Qt::Key_Right, Qt::NoModifier, CCellID(2, 2), CCellID(2, 3)},
        {Qt::Key_Right, Qt::NoModifier, CCellID(2, 3), CCellID(2, 3)},  // stays
        {Qt::Key_Left, Qt::NoModifier, CCellID(2, 1), CCellID(2, 1)},   // stays
        {Qt::Key_Left, Qt::NoModifier, CCellID(2, 2), CCellID(2, 1)},
        {Qt::Key_Tab, Qt::NoModifier, CCellID(2, 1), CCellID(2, 2)},
        {Qt::Key_Tab, Qt::NoModifier, CCellID(2, 3), CCellID(3, 1)},
        {Qt::Key_Tab, Qt::NoModifier, CCellID(5, 3), CCellID(1, 1)},        // last cell to the first
        {Qt::Key_Backtab, Qt::ShiftModifier, CCellID(3, 2), CCellID(3, 1)},
        {Qt::Key_Backtab, Qt::ShiftModifier, CCellID(3, 1), CCellID(2, 3)},  // to the row above's end
        {Qt::Key_Backtab, Qt::ShiftModifier, CCellID(1, 1), CCellID(1, 1)},  // stays
        {Qt::Key_Home, Qt::NoModifier, CCellID(4, 2), CCellID(1, 2)},
        {Qt::Key_End, Qt::NoModifier, CCellID(2, 2), CCellID(5, 2)},
        {Qt::Key_PageDown, Qt::NoModifier, CCellID(2, 2), CCellID(5, 2)},  // nothing to scroll: the last row
        {Qt::Key_PageUp, Qt::NoModifier, CCellID(4, 2), CCellID(1, 2)},
    };
    for (const Case& c : cases) {
        const std::string name = QKeySequence(c.key).toString().toStdString() + " from " + CellName(c.from);
        Start(c.from);
        QTest::keyClick(grid, Qt::Key(c.key), c.modifiers);
        EXPECT_EQ(grid->GetFocusCell(), c.to) << name;
        if (c.to == c.from) {
            EXPECT_TRUE(owner.notices.empty()) << name;
            continue;
        }
        // The old cell hears it lose the focus; the new one gets no notice
        // and no focus bit, only the selection.
        ASSERT_EQ(owner.Codes(), std::vector<UINT>{LVN_ITEMCHANGING}) << name;
        EXPECT_EQ(owner.notices[0].row, c.from.row) << name;
        EXPECT_EQ(owner.notices[0].column, c.from.col) << name;
        EXPECT_EQ(grid->GetItemState(c.to.row, c.to.col), UINT(GCS_SELECTED)) << name;
        EXPECT_EQ(SelectedCells(grid), CellList{c.to}) << name;
        EXPECT_EQ(grid->GetMouseMode(), CGridCtrl::MouseIdle) << name;
    }
}

TEST_F(GridInput, KeysNeedAFocusCellAndAnIdleMouse)
{
    grid->SetFocusCell(-1, -1);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(-1, -1));

    // While a button is held the focus and the selection stay.
    Start(CCellID(2, 2));
    grid->m_nMouseMode = CGridCtrl::MouseSelectCells;
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 2));
    EXPECT_TRUE(owner.notices.empty());
    grid->m_nMouseMode = CGridCtrl::MouseIdle;
}

TEST_F(GridInput, CtrlASelectsEveryCellThatIsNotFixed)
{
    Start(CCellID(2, 2));
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedCells(grid), CellRectangle(1, 1, 5, 3));
    EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 2));
    EXPECT_EQ(grid->GetItemText(2, 2), QString());  // no edit began

    grid->m_bSelectionEnabled = false;
    grid->SetSelectedRange(-1, -1, -1, -1);
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedCells(grid).size(), 15u);  // nothing changes while selection is off
    grid->m_bSelectionEnabled = true;
}

TEST_F(GridInput, TheSelectionShapesAndTheFixedCellClicks)
{
    grid->m_cellSelectionStart = CCellID(2, 2);
    grid->SelectColumns(CCellID(4, 3));
    EXPECT_EQ(SelectedCells(grid), CellRectangle(1, 2, 5, 3));
    grid->SelectRows(CCellID(4, 3));
    EXPECT_EQ(SelectedCells(grid), CellRectangle(2, 1, 4, 3));
    grid->SelectCells(CCellID(4, 3));
    EXPECT_EQ(SelectedCells(grid), CellRectangle(2, 2, 4, 3));
    grid->SelectCells(CCellID(0, 3));  // a fixed row: nothing
    EXPECT_EQ(SelectedCells(grid), CellRectangle(2, 2, 4, 3));
    grid->m_bListMode = true;
    grid->SetSingleRowSelect(true);
    grid->SelectRows(CCellID(4, 3));
    EXPECT_EQ(SelectedCells(grid), CellRectangle(4, 1, 4, 3));
    grid->m_bListMode = false;
    grid->SetSingleRowSelect(false);

    CCellID corner(0, 0);
    grid->OnFixedColumnClick(corner);
    EXPECT_EQ(grid->GetMouseMode(), CGridCtrl::MouseSelectAll);
    EXPECT_EQ(SelectedCells(grid), CellRectangle(1, 1, 5, 3));
    CCellID number(3, 0);
    grid->OnFixedColumnClick(number);
    EXPECT_EQ(grid->GetMouseMode(), CGridCtrl::MouseSelectRows);
    EXPECT_EQ(SelectedCells(grid), CellRectangle(2, 1, 3, 3));
    grid->m_nMouseMode = CGridCtrl::MouseIdle;

    // With two fixed rows a click on the second selects its column.
    grid->SetFixedRowCount(2);
    GridClick(grid, CellPoint(grid, 1, 2));
    EXPECT_EQ(SelectedCells(grid), CellRectangle(2, 2, 5, 2));
}

TEST_F(GridInput, SetSelectedRangeWithNoRangeKeepsOnlyTheCtrlSelection)
{
    Start(CCellID(2, 2));
    GridClick(grid, CellPoint(grid, 4, 3), Qt::ControlModifier);
    EXPECT_EQ(SelectedCells(grid), (CellList{CCellID(2, 2), CCellID(4, 3)}));
    // The clicked cell was selected before the selection was kept aside.
    grid->SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(SelectedCells(grid), (CellList{CCellID(2, 2), CCellID(4, 3)}));
    grid->SetSingleRowSelect(true);
    grid->SetSelectedRange(-1, -1, -1, -1);
    EXPECT_TRUE(SelectedCells(grid).empty());
}

// 1,000 rows of 20 pixels under a 20-pixel header in a 200-pixel client
// area: nine rows show.
class GridInputLong : public ::testing::Test, public GridFixture {
protected:
    void SetUp() override { Make(1000, 5, 1, 1, 20, 50, QSize(300, 200)); }
};

TEST_F(GridInputLong, PageKeysMoveTheFocusAsFarAsTheRowsScrolled)
{
    grid->SetFocusCell(1, 2);
    QTest::keyClick(grid, Qt::Key_PageDown);
    const int first = grid->GetTopLeftScrollCell().row;
    EXPECT_GT(first, 1);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(1 + first - 1, 2));
    EXPECT_TRUE(grid->IsCellVisible(grid->GetFocusCell()));

    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(999, 2));
    EXPECT_TRUE(grid->IsCellVisible(999, 2));
    // Nothing left to scroll: the last row.
    grid->SetFocusCell(995, 2);
    QTest::keyClick(grid, Qt::Key_PageDown);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(999, 2));

    const int before = grid->GetTopLeftScrollCell().row;
    QTest::keyClick(grid, Qt::Key_PageUp);
    const int moved = grid->GetTopLeftScrollCell().row - before;
    EXPECT_LT(moved, 0);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(999 + moved, 2));
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(1, 2));
    EXPECT_EQ(grid->GetTopLeftScrollCell().row, 1);
}

TEST_F(GridInputLong, ADownKeyPastTheBottomScrollsTheNewCellIntoView)
{
    const int lastShown = grid->GetFullyVisibleScrollRange().GetMaxRow();
    grid->SetFocusCell(lastShown, 2);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(lastShown + 1, 2));
    EXPECT_TRUE(grid->IsCellVisible(lastShown + 1, 2));
    EXPECT_GT(grid->GetTopLeftScrollCell().row, 1);
}

void TurnWheel(CGridCtrl* grid, int delta)
{
    const QPoint pos(50, 50);
    QWheelEvent event(QPointF(pos), QPointF(grid->viewport()->mapToGlobal(pos)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(grid->viewport(), &event);
}

TEST_F(GridInputLong, TheWheelPostsLineOrPageStepsAndFractionsOfANotchAddUp)
{
    struct Case {
        const char* name;
        int lines;
        std::vector<int> deltas;
        std::vector<UINT> codes;
    };
    const UINT up = SB_LINEUP;
    const UINT down = SB_LINEDOWN;
    const Case cases[] = {
        {"a notch towards the user", 3, {-120}, {down, down, down}},
        {"pages", -1, {-120}, {SB_PAGEDOWN}},
        {"half a notch, three lines", 3, {60}, {up}},
        {"touchpad steps", 3, {15, 15, 15, 15, 15, 15, 15, 15}, {up, up, up}},
        {"two halves", 1, {60, 60}, {up}},
        {"a turn back starts afresh", 3, {60, -60}, {up, down}},
        {"pages by halves", -1, {-60, -60}, {SB_PAGEDOWN}},
    };
    for (const Case& c : cases) {
        grid->m_nWheelLines = c.lines;
        grid->DeliverPosted();
        TurnWheel(grid, 1);  // a step the other way empties what was carried
        TurnWheel(grid, -1);
        grid->scrolls.clear();
        std::size_t posted = 0;
        for (int delta : c.deltas) {
            TurnWheel(grid, delta);
            posted = grid->PendingCount();
        }
        EXPECT_TRUE(grid->scrolls.empty()) << c.name;  // nothing scrolls before the handler returns
        EXPECT_EQ(posted, c.codes.size()) << c.name;
        grid->DeliverPosted();
        std::vector<UINT> codes;
        for (const auto& scroll : grid->scrolls) {
            EXPECT_EQ(scroll.message, UINT(WM_VSCROLL)) << c.name;
            codes.push_back(scroll.code);
        }
        EXPECT_EQ(codes, c.codes) << c.name;
    }
}

TEST_F(GridInputLong, TheAutoScrollTimerStepsTowardsTheCursor)
{
    struct Case {
        QPoint cursor;
        std::vector<UINT> keys;
    };
    const CRect client = grid->GetClientRect();
    const Case cases[] = {
        {QPoint(100, client.bottom + 20), {VK_DOWN}},
        {QPoint(100, 5), {VK_UP}},  // inside the header row
        {QPoint(client.right + 20, 100), {VK_RIGHT}},
        {QPoint(10, client.bottom + 20), {VK_DOWN, VK_LEFT}},
        {QPoint(100, 100), {}},
    };
    grid->SetFocusCell(5, 2);
    QPoint cursor;
    SetCursorHook({[&] { return cursor; }, nullptr});
    for (const Case& c : cases) {
        cursor = grid->viewport()->mapToGlobal(c.cursor);
        grid->keys.clear();
        grid->OnTimer(GRID_TIMER_AUTOSCROLL);
        grid->OnTimer(GRID_TIMER_AUTOSCROLL + 1);  // not the grid's
        std::vector<UINT> keys;
        for (const auto& key : grid->keys)
            keys.push_back(key.code);
        EXPECT_EQ(keys, c.keys) << c.cursor.x() << "," << c.cursor.y();
    }
    SetCursorHook({});
}

}  // namespace
