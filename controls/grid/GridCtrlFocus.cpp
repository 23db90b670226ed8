// The grid's focus cell and selection, and the helpers that draw cells at
// once.
#include <QDebug>
#include <QPainter>

#include "controls/grid/GridCtrl.h"
#include "platform/gui/Lines.h"

// ---- Focus and selection -----------------------------------------------------------------

void CGridCtrl::ApplyFocusState(const CCellID& cell)
{
    // An editable grid marks its focus cell; one that is not shows it as
    // the only state of a selected cell.
    if (m_bEditable)
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_FOCUSED);
    else
        SetItemState(cell.row, cell.col, GCS_SELECTED);
}

CCellID CGridCtrl::SetFocusCell(int row, int col)
{
    return SetFocusCell(CCellID(row, col));
}

CCellID CGridCtrl::SetFocusCell(CCellID cell)
{
    if (cell == m_cellFocus) {
        if (IsValid(m_cellFocus)) {
            ApplyFocusState(m_cellFocus);
            RedrawCell(m_cellFocus);
            RedrawFixedRowCells(m_cellFocus.col);
            RedrawFixedColumnCells(m_cellFocus.row);
        }
        return m_cellFocus;
    }

    const CCellID prev = m_cellFocus;
    m_cellFocus = cell;
    if (IsValid(prev)) {
        NotifyOwner(prev.row, prev.col, LVN_ITEMCHANGING);
        SetItemState(prev.row, prev.col, GetItemState(prev.row, prev.col) & ~UINT(GCS_FOCUSED));
        RedrawCell(prev);
        if (prev.col != cell.col)
            RedrawFixedRowCells(prev.col);
        if (prev.row != cell.row)
            RedrawFixedColumnCells(prev.row);
    }
    if (IsValid(cell)) {
        ApplyFocusState(cell);
        RedrawCell(cell);
        if (prev.col != cell.col)
            RedrawFixedRowCells(cell.col);
        if (prev.row != cell.row)
            RedrawFixedColumnCells(cell.row);
        NotifyOwner(cell.row, cell.col, LVN_ITEMCHANGED);
    }
    return prev;
}

void CGridCtrl::RedrawFixedRowCells(int col)
{
    for (int row = 0; row < m_nFixedRows; ++row)
        RedrawCell(row, col);
}

void CGridCtrl::RedrawFixedColumnCells(int row)
{
    for (int col = 0; col < m_nFixedCols; ++col)
        RedrawCell(row, col);
}

void CGridCtrl::SetSelectedRange(const CCellRange& range, bool bForceRepaint)
{
    SetSelectedRange(range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(), bForceRepaint);
}

void CGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, bool bForceRepaint)
{
    if (!m_bSelectionEnabled)
        return;
    std::unique_ptr<QPainter> dc = bForceRepaint ? GetDC() : nullptr;
    CRect drawn;
    // Draws a changed cell now through the context, or invalidates it.
    auto show = [&](const CCellID& cell) {
        if (dc)
            DrawNow(cell, dc.get(), &drawn);
        else
            InvalidateCellArea(cell);
    };
    const CCellRange range(nMinRow, nMinCol, nMaxRow, nMaxCol);
    auto inRange = [&](const CCellID& cell) {
        return cell.row >= nMinRow && cell.row <= nMaxRow && cell.col >= nMinCol && cell.col <= nMaxCol;
    };

    // A copy: clearing a bit removes the cell from the map.
    const CellMap selected = m_SelectedCells;
    for (const auto& entry : selected) {
        const CCellID& cell = entry.second;
        if (!IsValid(cell))
            continue;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~UINT(GCS_SELECTED));
        if (!inRange(cell))
            show(cell);
    }
    if (!m_bSingleRowSelect) {
        for (const auto& entry : m_PrevSelectedCells) {
            const CCellID& cell = entry.second;
            if (!IsValid(cell))
                continue;
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_SELECTED);
            show(cell);
        }
    }
    if (IsValid(range)) {
        for (int row = nMinRow; row <= nMaxRow; ++row) {
            for (int col = nMinCol; col <= nMaxCol; ++col) {
                const UINT state = GetItemState(row, col);
                if (state & GCS_SELECTED)
                    continue;
                SetItemState(row, col, state | GCS_SELECTED);
                show(CCellID(row, col));
            }
        }
    }
    if (dc)
        ReleaseDC(std::move(dc), drawn);
}

// ---- Redraw --------------------------------------------------------------------------------

bool CGridCtrl::RedrawCell(int row, int col, QPainter* pDC)
{
    CRect rect;
    if (!m_bRedrawEnabled || !IsCellVisible(row, col) || !GetCellBounds(row, col, &rect))
        return false;
    std::unique_ptr<QPainter> own;
    if (pDC == nullptr) {
        own = GetDC();
        pDC = own.get();
    }
    if (pDC == nullptr) {
        CRect area(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        InvalidateRect(&area);
        return true;
    }
    bool drawn;
    if (IsCellFixed(row, col)) {
        drawn = DrawFixedCell(pDC, row, col, rect, true);
    } else {
        drawn = DrawCell(pDC, row, col, rect, true);
        // The cell's own grid lines, on its last row and column.
        const QColor line = ToQColor(m_crGridLine);
        if (m_nGridLineMode == GRIDLINES_HORZ || m_nGridLineMode == GRIDLINES_BOTH)
            DrawLine(*pDC, QPoint(rect.left, rect.bottom), QPoint(rect.right + 1, rect.bottom), line);
        if (m_nGridLineMode == GRIDLINES_VERT || m_nGridLineMode == GRIDLINES_BOTH)
            DrawLine(*pDC, QPoint(rect.right, rect.top), QPoint(rect.right, rect.bottom + 1), line);
    }
    if (own)
        ReleaseDC(std::move(own), CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
    return drawn;
}

bool CGridCtrl::DrawNow(const CCellID& cell, QPainter* dc, CRect* drawn)
{
    if (dc == nullptr)
        return RedrawCell(cell);
    CRect bounds;
    const bool done = RedrawCell(cell, dc);
    if (done && GetCellBounds(cell, &bounds))
        drawn->UnionRect(*drawn, CRect(bounds.left, bounds.top, bounds.right + 1, bounds.bottom + 1));
    return done;
}

bool CGridCtrl::RedrawRow(int row)
{
    return RedrawRange(CCellRange(row, 0, row, m_nCols - 1));
}

bool CGridCtrl::RedrawColumn(int col)
{
    return RedrawRange(CCellRange(0, col, m_nRows - 1, col));
}

bool CGridCtrl::RedrawRange(const CCellRange& range)
{
    std::unique_ptr<QPainter> dc = GetDC();
    bool all = true;
    CRect drawn;
    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); ++row) {
        for (int col = range.GetMinCol(); col <= range.GetMaxCol(); ++col)
            all = DrawNow(CCellID(row, col), dc.get(), &drawn) && all;
    }
    if (dc)
        ReleaseDC(std::move(dc), drawn);
    return all;
}

void CGridCtrl::SetRedraw(bool bAllowDraw, bool bResetScrollBars)
{
    qDebug("%s: Setting redraw to %s", GetRuntimeClassName(), bAllowDraw ? "TRUE" : "FALSE");
    if (bAllowDraw && !m_bRedrawEnabled)
        Invalidate();
    m_bRedrawEnabled = bAllowDraw;
    if (bResetScrollBars)
        UpdateScrollBars();
}
