#include "controls/grid/ComboGridCtrl.h"

#include "controls/grid/InPlaceList.h"
#include "platform/gui/ControlStyles.h"

CComboGridCtrl::CComboGridCtrl() : CGridCtrl(0, 0, 0, 0), m_dwComboStyle(CBS_DROPDOWN)
{
}

bool CComboGridCtrl::SetColumnList(int col, const QStringList& list)
{
    if (col < m_nFixedCols)
        return false;
    const int index = FindColumnList(col);
    if (index >= 0)
        m_ColumnLists[size_t(index)].list = list;
    else
        m_ColumnLists.push_back({col, list});
    return true;
}

int CComboGridCtrl::FindColumnList(int col) const
{
    for (size_t i = 0; i < m_ColumnLists.size(); ++i) {
        if (m_ColumnLists[i].column == col)
            return int(i);
    }
    return -1;
}

bool CComboGridCtrl::IsAcceptable(int row, int col, const QString& text) const
{
    const int index = FindColumnList(col);
    return index < 0 || row < m_nFixedRows || m_ColumnLists[size_t(index)].list.contains(text, Qt::CaseSensitive);
}

bool CComboGridCtrl::SetItemText(int row, int col, const QString& text)
{
    if (!IsAcceptable(row, col, text))
        return false;
    return CGridCtrl::SetItemText(row, col, text);
}

bool CComboGridCtrl::SetItemFromList(const GRIDITEM* item)
{
    if (item == nullptr)
        return false;
    CGridCell* cell = GetCell(item->row, item->col);
    if (cell == nullptr)
        return false;
    if (item->mask & GIM_TEXT) {
        if (!IsAcceptable(item->row, item->col, item->text))
            return false;
        cell->text = item->text;
    }
    // Every other field as the grid's SetItem applies it.
    GRIDITEM rest = *item;
    rest.mask &= ~UINT(GIM_TEXT);
    return CGridCtrl::SetItem(&rest);
}

bool CComboGridCtrl::SetItemTextFromList(int row, int col, int index)
{
    const int list = FindColumnList(col);
    if (list < 0 || index < 0 || index >= m_ColumnLists[size_t(list)].list.size())
        return false;
    return CGridCtrl::SetItemText(row, col, m_ColumnLists[size_t(list)].list.at(index));
}

void CComboGridCtrl::CreateCellEditor(const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                                      const QString& szText, UINT nChar)
{
    const int list = FindColumnList(nCol);
    if (list < 0) {
        CGridCtrl::CreateCellEditor(rect, dwStyle, nID, nRow, nCol, szText, nChar);
        return;
    }
    // The alignment style is the edit's; the list editor takes the combo type.
    new CInPlaceList(this, rect, m_dwComboStyle, nID, nRow, nCol, m_ColumnLists[size_t(list)].list, szText,
                     nChar);  // deletes itself
}
