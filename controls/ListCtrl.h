#pragma once
// A report-style list control: rows of items with a text in every column
// (column 0 is the item, the others its sub-items) under a header control
// that names and aligns the columns. Nothing in it is edited in place.
//
// The list is also the header's parent for messages: the header's WM_NOTIFY
// reaches OnNotify, whose default hands it on to the list's own parent, as
// the system list does, so a dialog may answer its list's header. Each cell
// is drawn through DrawCell; its default asks OnCustomDraw (the reflected
// NM_CUSTOMDRAW) for the cell's colours, then fills the cell with the text
// background colour and draws the text in the text colour, aligned as its
// column. Keys go through OnKeyDown, whose default is the list's own
// handling.
#include <QString>
#include <QTableWidget>

#include "controls/HeaderCtrl.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Rect.h"
#include "platform/core/SystemMessages.h"
#include "platform/core/Types.h"

class QKeyEvent;
class QPainter;
class QStyleOptionViewItem;

// Column formats (alignment of a column's texts).
enum : int {
    LVCFMT_LEFT = 0,
    LVCFMT_RIGHT = 1,
    LVCFMT_CENTER = 2,
};

// Extended styles.
enum : DWORD {
    LVS_EX_GRIDLINES = 0x00000001,
    LVS_EX_FULLROWSELECT = 0x00000020,
};

// Parts of an item's rectangle (GetSubItemRect).
enum : int {
    LVIR_BOUNDS = 0,
    LVIR_ICON = 1,
    LVIR_LABEL = 2,
};

// Custom draw stages and answers.
enum : DWORD {
    CDDS_PREPAINT = 0x00000001,
    CDDS_ITEM = 0x00010000,
    CDDS_SUBITEM = 0x00020000,
    CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT,
};
enum : LRESULT {
    CDRF_DODEFAULT = 0x00,
    CDRF_NOTIFYITEMDRAW = 0x20,
    CDRF_NOTIFYSUBITEMDRAW = 0x20,
};

// Item states (SetItemState).
enum : UINT {
    LVIS_FOCUSED = 0x0001,
    LVIS_SELECTED = 0x0002,
};

// NM_CLICK: the row clicked (-1 on space without a row) and its column.
struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
};

struct NMCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage = 0;
    QPainter* hdc = nullptr;
    CRect rc;
    std::uintptr_t dwItemSpec = 0;
    UINT uItemState = 0;
    LPARAM lItemlParam = 0;
};

struct NMLVCUSTOMDRAW {
    NMCUSTOMDRAW nmcd;
    COLORREF clrText = 0;
    COLORREF clrTextBk = 0;
    int iSubItem = 0;
};

class CListCtrl : public QTableWidget, public CMsgTarget {
    Q_OBJECT
public:
    explicit CListCtrl(QWidget* parent = nullptr);
    ~CListCtrl() override;

    // ---- Columns --------------------------------------------------------------
    // Inserts a column before col (at the end when col is beyond the last)
    // with its heading, LVCFMT_ format and width (-1 keeps the default);
    // returns its index, or -1.
    virtual int InsertColumn(int col, const QString& heading, int format = LVCFMT_LEFT, int width = -1,
                             int subItem = -1);
    CHeaderCtrl* GetHeaderCtrl() const { return m_pHeader; }

    // ---- Items --------------------------------------------------------------------
    int GetItemCount() const;
    // Inserts an item with its text in column 0 before item (at the end when
    // beyond the last); returns its index, or -1.
    int InsertItem(int item, const QString& text);
    // False for an item or column that does not exist.
    bool SetItemText(int item, int subItem, const QString& text);
    // Empty for a cell that does not exist.
    QString GetItemText(int item, int subItem) const;
    virtual bool DeleteItem(int item);
    virtual bool DeleteAllItems();

    // ---- Look ------------------------------------------------------------------------
    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const { return m_dwExStyle; }
    // The list's background, beneath and beside the items.
    bool SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return m_crBk; }
    bool SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_crTextColour; }
    bool SetTextBkColor(COLORREF colour);
    COLORREF GetTextBkColor() const { return m_crTextBk; }
    int GetItemHeight() const;
    // Every row's height in pixels (at least 1).
    void SetItemHeight(int height);
    // The cell's rectangle (LVIR_BOUNDS or LVIR_LABEL: the whole cell, its
    // grid lines included) in the client area of the items; false for a
    // cell that does not exist.
    bool GetSubItemRect(int item, int subItem, int area, CRect& rect) const;
    // Whether item is selected.
    bool IsItemSelected(int item) const;
    // Sets the LVIS_SELECTED and LVIS_FOCUSED states of item that mask
    // names to those of state; false for an item that does not exist.
    bool SetItemState(int item, UINT state, UINT mask);
    // Scrolls the list so that item shows; false for an item that does not
    // exist.
    bool EnsureVisible(int item, bool partialOk);

    // ---- Messages ----------------------------------------------------------------------
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // WM_NOTIFY from a child (the header); true when handled, with *result
    // the answer. The default hands the header's notices to the parent.
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A key pressed on the list; the default is the list's own handling.
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    // The reflected NM_CUSTOMDRAW: a handler may set the colours of the
    // record; the default draws as usual (CDRF_DODEFAULT).
    virtual void OnCustomDraw(NMHDR* notice, LRESULT* result);
    // Paints one cell; the delegate calls it with the cell's option.
    virtual void DrawCell(QPainter* painter, const QStyleOptionViewItem& option, int item, int subItem);

protected:
    // For a list with a header control of its own kind.
    CListCtrl(CHeaderCtrl* header, QWidget* parent);
    void keyPressEvent(QKeyEvent* event) override;
    // A left click tells the parent NM_CLICK (WM_NOTIFY) once the list has
    // handled it.
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The colours custom draw gives the cell (text, background).
    void CustomDrawColours(int item, int subItem, COLORREF* text, COLORREF* background);
    // The column's LVCFMT_ format.
    int ColumnFormat(int col) const;
    // The item height the list's font asks for.
    int NaturalItemHeight() const;

private:
    void SetUp(CHeaderCtrl* header);

    CHeaderCtrl* m_pHeader = nullptr;
    DWORD m_dwExStyle = 0;
    COLORREF m_crBk;
    COLORREF m_crTextColour;
    COLORREF m_crTextBk;
    // The key being handled, for the default handling of OnKeyDown.
    QKeyEvent* m_pKeyEvent = nullptr;
};
