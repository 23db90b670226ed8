#pragma once
// A grid whose columns may each be given a list of permitted texts. In such
// a column a text reaches a non-fixed cell only when the list holds it
// exactly (case and spaces count), and the in-place editor is a drop-down
// list editor (CInPlaceList) filled with the list. Columns without a list,
// and the fixed rows of every column, behave as in the plain grid. The
// machine-preset list is one; no column of it has a list.
#include <QString>
#include <QStringList>
#include <vector>

#include "controls/grid/GridCtrl.h"

// One column's list.
struct GRIDCOLUMNLIST {
    int column = 0;
    QStringList list;  // the permitted texts, in the order given
};

class CComboGridCtrl : public CGridCtrl {
    Q_OBJECT
public:
    CComboGridCtrl();

    // Gives column col its list (a copy); a second list for the same column
    // replaces the first. False for a fixed column, where nothing is stored.
    bool SetColumnList(int col, const QStringList& list);
    // Index in the lists of column col's list, -1 when it has none.
    int FindColumnList(int col) const;
    // Stores the text when the cell accepts it (see above); false otherwise,
    // the cell keeping its text.
    bool SetItemText(int row, int col, const QString& text) override;
    // The grid's SetItem under the same rule: a refused text returns false
    // before any other field of the item is applied. An accepted text goes
    // into the cell's text only (its original text stays) and nothing is
    // redrawn.
    virtual bool SetItemFromList(const GRIDITEM* item);
    // Sets the cell's text to entry index of its column's list; false when
    // the column has no list or the index is outside it.
    bool SetItemTextFromList(int row, int col, int index);
    // The combo type given to the list editor (CBS_DROPDOWN at first).
    void SetComboStyle(DWORD style) { m_dwComboStyle = style; }
    DWORD GetComboStyle() const { return m_dwComboStyle; }

    // In a list column the editor is a CInPlaceList of the list.
    void CreateCellEditor(const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol, const QString& szText,
                          UINT nChar) override;

private:
    bool IsAcceptable(int row, int col, const QString& text) const;

    std::vector<GRIDCOLUMNLIST> m_ColumnLists;
    DWORD m_dwComboStyle;
};
