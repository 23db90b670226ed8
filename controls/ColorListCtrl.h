#pragma once
// A report list whose cells may have their own text and background colours.
// It keeps the coloured cells as records in the order they were set (the
// last record of a cell counts) and hands them to the list's drawing
// through custom draw; a cell without a record is drawn in the system's
// window text colour on the window colour. Deleting items deletes their
// records; the records of later rows keep their row numbers. Column
// dividers cannot be dragged.
#include <vector>

#include "controls/ListCtrl.h"

struct CELLCOLOR {
    int row = -1;
    int column = -1;
    COLORREF textColor;
    COLORREF bkColor;
    CELLCOLOR();
    CELLCOLOR(int r, int c, COLORREF text, COLORREF bk) : row(r), column(c), textColor(text), bkColor(bk) {}
};

class CColorListCtrl : public CListCtrl {
    Q_OBJECT
public:
    explicit CColorListCtrl(QWidget* parent = nullptr);
    ~CColorListCtrl() override;

    // Appends the record and repaints the list at once.
    void SetCellColor(int row, int col, COLORREF text, COLORREF bk);
    // SetCellColor for every column the header has.
    void SetRowColor(int row, COLORREF text, COLORREF bk);
    void ClearCellColors();
    bool DeleteAllItems() override;
    bool DeleteItem(int item) override;

    void OnCustomDraw(NMHDR* notice, LRESULT* result) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    std::vector<CELLCOLOR> m_CellColors;
};
