#pragma once
// The coloured report list: it draws every cell itself, with background and
// text colours set per column, per row or per cell, a fixed row height and
// the application's list fonts, under its own gradient header
// (CHeaderCtrlCl). Column dividers cannot be dragged, and the keys that
// would move through the rows (Page Down, Home, End, the arrows) and Delete
// do nothing; Tab moves on to the next control, Page Up scrolls.
//
// Colours are kept as records in the order they were set; a lookup takes
// the first record that matches. A cell's own background or text colour
// replaces every earlier cell record of its kind, so at most one cell has
// one.
#include <vector>

#include "controls/ListCtrl.h"
#include "platform/gui/DrawItemStruct.h"

class CHeaderCtrlCl;

struct LISTCELLCOLOR {
    int row = 0;  // not set in column records
    int column = 0;
    COLORREF colour = 0;
};

class CListCtrlCl : public CListCtrl {
    Q_OBJECT
public:
    explicit CListCtrlCl(QWidget* parent = nullptr);
    ~CListCtrlCl() override;

    // Copies the heading and an alignment code into the header (at the end,
    // whatever col is), then inserts the column.
    int InsertColumn(int col, const QString& heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1) override;
    // Empties the header's copied headings (the alignment codes stay).
    bool ClearHeaderTexts();
    void SetHeaderBkColor(int r, int g, int b, int step);
    // Takes effect at the header's next layout.
    void SetHeaderHeight(float scale);
    void SetHeaderTextColor(COLORREF colour);
    bool SetTextColor(COLORREF colour);
    // 0 keeps the list's own item height.
    void SetRowHeight(int height);

    void SetColBkColor(int col, COLORREF colour);
    void SetColTextColor(int col, COLORREF colour);
    void SetCellBkColor(int col, int row, COLORREF colour);
    void SetCellTextColor(int col, int row, COLORREF colour);
    // One cell record for each column the header has now.
    void SetRowBkColor(int row, COLORREF colour);
    void SetRowTextColor(int row, COLORREF colour);
    bool GetColBkColor(int col, COLORREF* out) const;
    bool GetColTextColor(int col, COLORREF* out) const;
    bool GetCellBkColor(int col, int row, COLORREF* out) const;
    bool GetCellTextColor(int col, int row, COLORREF* out) const;

    // Draws every cell of the row that dis->itemID names.
    void DrawItem(LPDRAWITEMSTRUCT dis);
    // Draws one cell: steps 1 to 7 of DrawItem for one column.
    void DrawSubItem(QPainter& painter, int row, int col, bool selected);
    void MeasureItem(LPMEASUREITEMSTRUCT mis);
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DrawCell(QPainter* painter, const QStyleOptionViewItem& option, int item, int subItem) override;

    CHeaderCtrlCl* m_Header;
    int m_nRowHeight = 0;
    std::vector<LISTCELLCOLOR> m_ColBkColors;
    std::vector<LISTCELLCOLOR> m_CellBkColors;
    std::vector<LISTCELLCOLOR> m_ColTextColors;
    std::vector<LISTCELLCOLOR> m_CellTextColors;
    COLORREF m_crText = 0;

private:
    void PreSubclassWindow();
};
