// The grid's side of in-place editing: opening an editor over a cell,
// storing what it reports, and moving on to the next cell.
#include "controls/grid/GridCtrl.h"
#include "controls/grid/InPlaceEdit.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DrawText.h"

void CGridCtrl::BeginCellEdit(int nRow, int nCol, UINT nChar)
{
    // Scrolled into view first, whether or not an edit opens.
    EnsureVisible(nRow, nCol);
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol) || !IsCellVisible(nRow, nCol))
        return;
    CRect rect;
    if (!GetCellBounds(nRow, nCol, &rect))
        return;
    NotifyOwner(nRow, nCol, LVN_BEGINLABELEDITA);

    GRIDITEM item;
    item.row = nRow;
    item.col = nCol;
    item.mask = GIM_TEXT | GIM_FORMAT;
    if (!GetItem(&item))
        return;
    DWORD style = ES_LEFT;
    if (item.format & DT_RIGHT)
        style = ES_RIGHT;
    else if (item.format & DT_CENTER)
        style = ES_CENTER;
    CreateCellEditor(rect, style, IDC_GRID_INPLACE, nRow, nCol, item.text, nChar);
}

void CGridCtrl::CreateCellEditor(const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                                 const QString& szText, UINT nChar)
{
    new CInPlaceEdit(this, rect, dwStyle, nID, nRow, nCol, szText, nChar);  // deletes itself
}

void CGridCtrl::EndCellEdit(int nRow, int nCol, const QString& str)
{
    if (GetItemText(nRow, nCol) == str)
        return;
    SetModified(true, nRow, nCol);
    SetItemText(nRow, nCol, str);
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!m_bHasWindow)
        return;
    const GRIDITEM& item = reinterpret_cast<NMGRIDITEM*>(pNMHDR)->item;
    EndCellEdit(item.row, item.col, item.text);
    InvalidateCellArea(CCellID(item.row, item.col));
    NotifyOwner(item.row, item.col, LVN_ENDLABELEDITA);

    // Tab and the arrow and page keys go on to the next cell's edit.
    const UINT key = UINT(item.lParam);
    if (key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN)) {
        OnKeyDown(key, 0, 0);
        BeginCellEdit(m_cellFocus.row, m_cellFocus.col, key);
    }
    *pResult = 0;
}

void CGridCtrl::DetachEditors()
{
    const QList<QWidget*> children = viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (auto* editor = dynamic_cast<CInPlaceEditing*>(child)) {
            editor->Detach();
            delete child;
        }
    }
}
