// The grid's input: the selection shapes, the mouse buttons and the wheel,
// the context menu, the auto-scroll timer and the keyboard.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include "controls/grid/GridCtrl.h"
#include "platform/core/Language.h"
#include "platform/gui/CursorPos.h"
#include "platform/gui/MouseKeyFlags.h"
#include "platform/gui/PopupMenu.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// One notch of the wheel.
constexpr int WHEEL_DELTA = 120;

// The key state as the key being handled left it.
bool IsKeyDown(Qt::KeyboardModifier modifier)
{
    return (QGuiApplication::keyboardModifiers() & modifier) != 0;
}
}  // namespace

// ---- Selection shapes ------------------------------------------------------------------------

void CGridCtrl::SelectAllCells()
{
    if (!m_bSelectionEnabled)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void CGridCtrl::SelectColumns(CCellID cell)
{
    if (!m_bSelectionEnabled || !IsValid(cell) || cell.col < m_nFixedCols)
        return;
    SetSelectedRange(m_nFixedRows, std::min(m_cellSelectionStart.col, cell.col), m_nRows - 1,
                     std::max(m_cellSelectionStart.col, cell.col));
}

void CGridCtrl::SelectRows(CCellID cell)
{
    if (!m_bSelectionEnabled || !IsValid(cell) || cell.row < m_nFixedRows)
        return;
    if (m_bListMode && m_bSingleRowSelect)
        SetSelectedRange(cell.row, m_nFixedCols, cell.row, m_nCols - 1);
    else
        SetSelectedRange(std::min(m_cellSelectionStart.row, cell.row), m_nFixedCols,
                         std::max(m_cellSelectionStart.row, cell.row), m_nCols - 1);
}

void CGridCtrl::SelectCells(CCellID cell)
{
    if (!m_bSelectionEnabled || !IsValid(cell) || cell.row < m_nFixedRows || cell.col < m_nFixedCols)
        return;
    SetSelectedRange(std::min(m_cellSelectionStart.row, cell.row), std::min(m_cellSelectionStart.col, cell.col),
                     std::max(m_cellSelectionStart.row, cell.row), std::max(m_cellSelectionStart.col, cell.col));
}

void CGridCtrl::OnSelecting(const CCellID& cell)
{
    if (!m_bSelectionEnabled)
        return;
    switch (m_nMouseMode) {
    case MouseSelectAll:
        SelectAllCells();
        break;
    case MouseSelectColumns:
        SelectColumns(cell);
        break;
    case MouseSelectRows:
        SelectRows(cell);
        break;
    case MouseSelectCells:
        SelectCells(cell);
        break;
    default:
        break;
    }
}

// ---- Clicks on fixed cells ---------------------------------------------------------------------

void CGridCtrl::OnFixedColumnClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    m_nMouseMode = cell.row < GetFixedRowCount() ? MouseSelectAll : MouseSelectRows;
    OnSelecting(cell);
}

void CGridCtrl::OnFixedRowClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bListMode) {
        if (!m_bSortOnHeaderClick)
            return;
        // The wait cursor goes however the sort ends, a throwing override of
        // the text or the comparison included.
        struct WaitCursor {
            WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
            ~WaitCursor() { QApplication::restoreOverrideCursor(); }
            WaitCursor(const WaitCursor&) = delete;
            WaitCursor& operator=(const WaitCursor&) = delete;
        } waitCursor;
        // The same column again turns the order round; a new one starts
        // ascending.
        if (cell.col == m_nSortColumn) {
            m_bSortAscending = !m_bSortAscending;
        } else {
            m_bSortAscending = true;
            m_nSortColumn = cell.col;
        }
        SortTextItems(m_nSortColumn, m_bSortAscending);
        Invalidate();
        return;
    }
    m_nMouseMode = cell.col < GetFixedColumnCount() ? MouseSelectAll : MouseSelectColumns;
    OnSelecting(cell);
}

// ---- The mouse ---------------------------------------------------------------------------------

void CGridCtrl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(UINT(MouseKeyFlags(event)), event->position().toPoint());
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(UINT(MouseKeyFlags(event)), event->position().toPoint());
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(UINT(MouseKeyFlags(event)), event->position().toPoint());
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt's default would press again: the old window had press, release,
    // double click, release.
    event->accept();
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(UINT(MouseKeyFlags(event)), event->position().toPoint());
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    OnMouseMove(UINT(MouseKeyFlags(event)), event->position().toPoint());
}

void CGridCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    // The right button opens the menu itself.
    event->accept();
}

void CGridCtrl::OnLButtonDown(UINT nFlags, const QPoint& point)
{
    QWidget* hadFocus = QApplication::focusWidget();
    m_nMouseMode = MouseSelectRows;
    m_ptButtonDown = point;
    m_cellButtonDown = GetCellFromPoint(point, true);

    // Row 0 takes no click; a click on the number column acts on the first
    // column after it.
    if (m_cellButtonDown.row == 0)
        return;
    if (m_cellButtonDown.col == 0)
        m_cellButtonDown.col = 1;
    if (!IsValid(m_cellButtonDown))
        return;

    m_cellSelectionStart = (nFlags & MK_SHIFT) ? m_cellFocus : m_cellButtonDown;
    setFocus(Qt::MouseFocusReason);
    SetFocusCell(-1, -1);
    SetFocusCell(m_cellButtonDown);
    SetItemState(m_cellButtonDown.row, m_cellButtonDown.col, GCS_SELECTED);
    Invalidate();

    if (m_bDragDropEnabled && hadFocus == this &&
        (GetItemState(m_cellButtonDown.row, m_cellButtonDown.col) & GCS_SELECTED)) {
        m_nMouseMode = MousePrepareDrag;
        return;
    }
    SetCapture();

    m_PrevSelectedCells.clear();
    if (nFlags & MK_CONTROL)
        m_PrevSelectedCells = m_SelectedCells;

    if (m_cellButtonDown.row < GetFixedRowCount()) {
        OnFixedRowClick(m_cellButtonDown);
        return;
    }
    if (m_cellButtonDown.col < GetFixedColumnCount())
        return;
    m_nMouseMode = m_bListMode ? MouseSelectRows : MouseSelectCells;
    OnSelecting(m_cellButtonDown);
}

void CGridCtrl::ReleaseCapture()
{
    if (!m_bCaptured)
        return;
    m_bCaptured = false;
    if (m_nTimerId != 0) {
        m_Timers.KillTimer(UINT(m_nTimerId));
        m_nTimerId = 0;
    }
    OnCaptureChanged(nullptr);
}

void CGridCtrl::OnLButtonUp(UINT, const QPoint&)
{
    ReleaseCapture();
    if (m_nMouseMode == MousePrepareEdit)
        BeginCellEdit(m_cellFocus.row, m_cellFocus.col, VK_LBUTTON);
    else if (m_nMouseMode == MousePrepareDrag)
        ClearSelection();
    m_nMouseMode = MouseIdle;
    viewport()->setCursor(Qt::ArrowCursor);

    // Every release over a cell is a click for the owner (BN_CLICKED).
    if (IsValid(m_cellButtonDown)) {
        if (auto* owner = dynamic_cast<CMsgTarget*>(GetOwner()))
            PostMessage(owner, WM_COMMAND, MAKEWPARAM(UINT(GetDlgCtrlID(this)), BN_CLICKED),
                        reinterpret_cast<LPARAM>(static_cast<QWidget*>(this)));
    }
}

void CGridCtrl::OnLButtonDblClk(UINT, const QPoint& point)
{
    const CCellID cell = GetCellFromPoint(point, true);
    if (!IsValid(cell) || m_nMouseMode != MouseIdle)
        return;

    if (m_bEditable) {
        // The release that follows opens the editor.
        if (IsValid(m_cellButtonDown) && m_cellButtonDown.row >= m_nFixedRows && m_cellButtonDown.col >= m_nFixedCols) {
            setFocus(Qt::MouseFocusReason);
            SetCapture();
            SetFocusCell(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
            m_nMouseMode = MousePrepareEdit;
        }
        return;
    }
    if (cell.row >= m_nFixedRows && cell.col <= GetFixedColumnCount()) {
        BeginCellEdit(cell.row, cell.col, VK_LBUTTON);
        m_cellFocus = m_cellButtonDown;
        NotifyOwner(cell.row, cell.col, NM_DBLCLK);
    }
}

void CGridCtrl::OnRButtonDown(UINT nFlags, const QPoint& point)
{
    m_nMouseMode = MouseSelectRows;
    m_ptButtonDown = point;
    m_cellButtonDown = GetCellFromPoint(point, true);
    if (m_cellButtonDown.row == 0 || !IsValid(m_cellButtonDown))
        return;

    const CCellID cell = m_cellButtonDown;
    m_cellSelectionStart = (nFlags & MK_SHIFT) ? m_cellFocus : cell;
    setFocus(Qt::MouseFocusReason);
    if (cell == m_cellFocus) {
        m_nMouseMode = MousePrepareEdit;
    } else {
        SetFocusCell(-1, -1);
        OnSelecting(cell);
    }

    const QPoint cursor = GetCursorPos();
    m_cellRightClick = cell;
    for (QAction* action : m_ContextMenu.actions()) {
        if (CommandOf(action) == ID_GRID_DELETE_PRESET)
            action->setText(g_bChinese ? QStringLiteral("删除 机器预置场景(&D)") : QStringLiteral("Delete Machine Preset(&D)"));
    }
    QWidget* parent = parentWidget();
    const UINT command = TrackPopupMenu(m_ContextMenu, cursor, parent);
    // The menu took the button's release: the mouse is idle again.
    m_nMouseMode = MouseIdle;
    if (command != 0) {
        if (auto* target = dynamic_cast<CMsgTarget*>(parent))
            PostMessage(target, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
}

void CGridCtrl::OnMouseMove(UINT, const QPoint&)
{
    // Nothing follows the mouse: no drag selection, sizing, drag or tip.
}

void CGridCtrl::wheelEvent(QWheelEvent* event)
{
    const int zDelta = event->angleDelta().y();
    if (zDelta == 0) {
        event->ignore();  // a sideways turn is not the grid's
        return;
    }
    event->accept();
    UINT flags = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    OnMouseWheel(flags, zDelta, event->position().toPoint());
}

bool CGridCtrl::OnMouseWheel(UINT, int zDelta, const QPoint&)
{
    // A notch scrolls m_nWheelLines rows (a page at -1). What is left over
    // from a fraction of a notch waits for the next turn the same way, so a
    // touchpad's small steps add up; a turn the other way starts afresh.
    const bool pages = m_nWheelLines == -1;
    const int amount = pages ? zDelta : m_nWheelLines * zDelta;
    if ((amount > 0) != (m_nWheelCarry > 0))
        m_nWheelCarry = 0;
    const int total = amount + m_nWheelCarry;
    const int steps = total / WHEEL_DELTA;
    m_nWheelCarry = total % WHEEL_DELTA;

    const UINT up = pages ? SB_PAGEUP : SB_LINEUP;
    const UINT down = pages ? SB_PAGEDOWN : SB_LINEDOWN;
    for (int i = 0; i < std::abs(steps); ++i)
        PostMessage(this, WM_VSCROLL, MAKEWPARAM(steps > 0 ? up : down, 0), 0);
    return true;
}

// ---- The auto-scroll timer ------------------------------------------------------------------------

void CGridCtrl::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != GRID_TIMER_AUTOSCROLL)
        return;
    const QPoint origin = viewport()->mapFromGlobal(GetCursorPos());
    const CRect rect = GetClientRect();
    const int top = GetFixedRowsHeight();
    const int left = GetFixedColumnsWidth();

    // Past an edge the grid steps one cell that way (as the key would) and
    // the selection follows to the cell at the edge; the other coordinate
    // is kept inside the client area. Rows first, then columns.
    auto step = [&](UINT key, const QPoint& point) {
        SendMessage(this, WM_KEYDOWN, key, 0);
        OnSelecting(GetCellFromPoint(point));
    };
    const int x = std::clamp(origin.x(), rect.left, rect.right);
    const int y = std::clamp(origin.y(), rect.top, rect.bottom);
    if (origin.y() > rect.bottom)
        step(VK_DOWN, QPoint(x, rect.bottom));
    else if (origin.y() < top)
        step(VK_UP, QPoint(x, top + 1));
    if (origin.x() > rect.right)
        step(VK_RIGHT, QPoint(rect.right, y));
    else if (origin.x() < left)
        step(VK_LEFT, QPoint(left + 1, y));
}

// ---- The keyboard -------------------------------------------------------------------------------

void CGridCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (!IsValid(m_cellFocus))
        return;
    CCellID next = m_cellFocus;
    bool changeLine = false;
    const int lastRow = m_nRows - 1;
    const int lastCol = m_nCols - 1;
    const bool shift = IsKeyDown(Qt::ShiftModifier);

    if (IsKeyDown(Qt::ControlModifier)) {
        switch (nChar) {
        case 'A':
            OnEditSelectAll();
            break;
        case 'C':
            OnEditCopy();
            break;
        case 'V':
            OnEditPaste();
            break;
        case 'X':
            OnEditCut();
            break;
        default:
            break;
        }
    }

    // How far a page request moved the first row shown.
    auto pageStep = [this](UINT code) {
        const int before = GetTopLeftScrollCell().row;
        SendMessage(this, WM_VSCROLL, code, 0);
        return GetTopLeftScrollCell().row - before;
    };

    switch (nChar) {
    case VK_DOWN:
        next.row = next.row < lastRow ? next.row + 1 : 1;
        break;
    case VK_UP:
        next.row = next.row > m_nFixedRows ? next.row - 1 : lastRow;
        break;
    case VK_RIGHT:
        if (next.col < lastCol)
            ++next.col;
        break;
    case VK_LEFT:
        if (next.col > m_nFixedCols)
            --next.col;
        break;
    case VK_NEXT: {
        const int moved = pageStep(SB_PAGEDOWN);
        next.row = moved != 0 ? std::min(next.row + moved, lastRow) : lastRow;
        break;
    }
    case VK_PRIOR: {
        const int moved = pageStep(SB_PAGEUP);
        next.row = moved != 0 ? std::max(next.row + moved, m_nFixedRows) : m_nFixedRows;
        break;
    }
    case VK_HOME:
        SendMessage(this, WM_VSCROLL, SB_TOP, 0);
        next.row = m_nFixedRows;
        break;
    case VK_END:
        SendMessage(this, WM_VSCROLL, SB_BOTTOM, 0);
        next.row = lastRow;
        break;
    case VK_TAB:
        if (!shift) {
            if (next.col < lastCol) {
                ++next.col;
            } else {
                next.row = next.row < lastRow ? next.row + 1 : 1;
                next.col = m_nFixedCols;
                changeLine = true;
            }
        } else if (next.col > m_nFixedCols) {
            --next.col;
        } else if (next.row > m_nFixedRows) {
            --next.row;
            next.col = lastCol;
            changeLine = true;
        }
        break;
    case VK_DELETE:
        // The editable flag is not asked: only the cell's own read-only bit.
        if (!(GetItemState(m_cellFocus.row, m_cellFocus.col) & GCS_READONLY)) {
            SetItemText(m_cellFocus.row, m_cellFocus.col, QString());
            SetModified(true, m_cellFocus.row, m_cellFocus.col);
            NotifyOwner(m_cellFocus.row, m_cellFocus.col, LVN_DELETEITEM);
            RedrawCell(m_cellFocus);
        }
        break;
    default:
        break;
    }

    if (next == m_cellFocus)
        return;
    if (m_nMouseMode == MouseIdle) {
        // The old focus cell hears it lose the focus; the new one is
        // selected without a focus notice of its own.
        m_PrevSelectedCells.clear();
        m_nMouseMode = m_bListMode ? MouseSelectRows : MouseSelectCells;
        m_cellSelectionStart = next;
        SetFocusCell(-1, -1);
        m_cellFocus = next;
        OnSelecting(next);
        m_nMouseMode = MouseIdle;
    }

    if (IsCellVisible(next))
        return;
    EnsureVisible(next);
    switch (nChar) {
    case VK_LEFT:
        SendMessage(this, WM_HSCROLL, SB_LINELEFT, 0);
        break;
    case VK_RIGHT:
        SendMessage(this, WM_HSCROLL, SB_LINERIGHT, 0);
        break;
    case VK_UP:
        SendMessage(this, WM_VSCROLL, SB_LINEUP, 0);
        break;
    case VK_DOWN:
        SendMessage(this, WM_VSCROLL, SB_LINEDOWN, 0);
        break;
    case VK_TAB:
        if (shift) {
            if (changeLine) {
                SendMessage(this, WM_VSCROLL, SB_LINEUP, 0);
                SetScrollPosition(SB_HORZ, m_nHScrollRange, true);
            } else {
                SendMessage(this, WM_HSCROLL, SB_LINELEFT, 0);
            }
        } else if (changeLine) {
            SendMessage(this, WM_VSCROLL, SB_LINEDOWN, 0);
            SetScrollPosition(SB_HORZ, 0, true);
        } else {
            SendMessage(this, WM_HSCROLL, SB_LINERIGHT, 0);
        }
        break;
    default:
        break;
    }
    Invalidate();
}

void CGridCtrl::OnChar(UINT nChar, UINT, UINT)
{
    if (!IsKeyDown(Qt::ControlModifier) && m_nMouseMode == MouseIdle && !(m_bWantTab && nChar == VK_TAB))
        BeginCellEdit(m_cellFocus.row, m_cellFocus.col, nChar);
}
