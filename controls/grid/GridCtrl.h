#pragma once
// The grid control: a table of text cells with a band of fixed (header) rows
// at the top and fixed columns at the left that never scroll, per-row heights
// and per-column widths, per-cell text, colours, font, format and state, a
// focus cell and a selection. The machine-preset list is one.
//
// The grid is a scroll area whose viewport is its client area, and a message
// target: its owner hears of focus changes as WM_NOTIFY records (NMGRIDCELL)
// sent at once; the scroll bars reach OnHScroll/OnVScroll as SB_ codes
// (WM_HSCROLL/WM_VSCROLL), and the grid sends itself the same codes to move.
// The display always starts at a whole non-fixed row and column; a line step
// moves exactly one row or column.
//
// Pixel rule: a cell's rectangle is inclusive (right = left + width - 1) and
// every drawing step has the old platform's meaning, which CRect keeps (a
// fill or an invalidation ends before right and bottom, a line leaves its end
// point out). The last pixel row and column of each normal cell carry the grid
// lines.
//
// Painting goes through a persistent image (m_bBuffered, the default): the
// paint event draws what was invalidated into the image (OnDraw) and copies
// what it exposes in one step; RedrawCell draws into the image and shows the
// cell at once; a line step moves the image's pixels and draws only the strip
// it uncovers. With m_bBuffered clear, OnDraw draws straight onto the widget.
//
// "Has a window": from Create, or from the first DDX_GridCtrl or
// SubclassWindow, until the grid is destroyed. Without one the grid keeps its
// data but draws nothing, updates no scroll bar, measures text as (0, 0) and
// notifies nobody.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QRegion>
#include <QSize>

#include "controls/grid/CellID.h"
#include "controls/grid/CellRange.h"
#include "controls/grid/GridCell.h"
#include "controls/grid/GridDropTarget.h"
#include "controls/grid/TitleTip.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Rect.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/BackingImage.h"
#include "platform/gui/LogFont.h"
#include "platform/gui/TimerMap.h"

class CCmdUI;
class CDataExchange;
class CPrintInfo;
class QMimeData;
class QPainter;
class QPixmap;

// The record of the grid's WM_NOTIFY: which cell.
struct NMGRIDCELL {
    NMHDR hdr;
    int row = -1;
    int column = -1;
};

// Grid-line modes.
enum : int {
    GRIDLINES_NONE = 0,
    GRIDLINES_HORZ = 1,  // a line under each row
    GRIDLINES_VERT = 2,  // a line right of each column
    GRIDLINES_BOTH = 3,
};

// FindNextCell's directions, combined with the state bits to look for.
enum : int {
    GFN_ABOVE = 0x100,
    GFN_BELOW = 0x200,
    GFN_TOLEFT = 0x400,
    GFN_TORIGHT = 0x800,
    GFN_AREA = GFN_BELOW | GFN_TORIGHT,
    GFN_ALL = GFN_BELOW | GFN_TOLEFT | GFN_TORIGHT,
};

// The auto-scroll timer.
enum : UINT { GRID_TIMER_AUTOSCROLL = 513 };

// Context-menu commands (posted to the grid's parent as WM_COMMAND).
enum : UINT {
    ID_GRID_SAVE_PRESET = 713,
    ID_GRID_LOAD_PRESET = 714,
    ID_GRID_DELETE_PRESET = 715,
};

class CGridCtrl : public QAbstractScrollArea, public CMsgTarget {
    Q_OBJECT
public:
    // Mouse modes. 5 is not used.
    enum MouseMode : int {
        MouseIdle = 0,
        MouseSelectAll = 1,
        MouseSelectColumns = 2,
        MouseSelectRows = 3,
        MouseSelectCells = 4,
        MouseOverRowDivider = 6,
        MouseSizingRow = 7,
        MouseOverColumnDivider = 8,
        MouseSizingColumn = 9,
        MousePrepareEdit = 10,
        MousePrepareDrag = 11,
        MouseDragging = 12,
    };

    // Builds the data (and cells when the counts ask for them); no window.
    explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    // Dynamic creation: a grid without rows or columns.
    static CGridCtrl* CreateObject();
    // The grid class's run-time name; derived grids without a record of
    // their own answer the grid's.
    virtual const char* GetRuntimeClassName() const { return "CGridCtrl"; }

    // ---- The window ---------------------------------------------------------
    // Gives the grid its window as pParent's child at rect with control id
    // nID and window style dwStyle (WS_VISIBLE shows it, WS_BORDER frames it).
    // False without a parent or when the grid has a window already.
    bool Create(const CRect& rect, QWidget* pParent, UINT nID, DWORD dwStyle);
    // Takes the place of a dialog item: its parent, geometry, id, style and
    // visibility; the item stays with its dialog, hidden and without an id.
    // False for a null item or when the grid has a window already.
    bool SubclassWindow(QWidget* item);
    bool HasWindow() const { return m_bHasWindow; }
    // The window that receives the notifications: the one named here, or the
    // parent while none is named.
    void SetOwner(QWidget* owner) { m_pOwner = owner; }
    QWidget* GetOwner() const;
    // The keys the grid takes from its dialog: arrows and characters, and Tab
    // (unless Ctrl is down) while m_bWantTab is set.
    UINT OnGetDlgCode(Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers()) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- Counts and sizes -----------------------------------------------------
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    // False (nothing changes) for a negative count.
    bool SetRowCount(int nRows = 10);
    bool SetColumnCount(int nCols = 10);
    bool SetFixedRowCount(int nFixedRows = 1);
    bool SetFixedColumnCount(int nFixedCols = 1);

    // -1 out of range.
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;
    // False out of range or for a negative size. Neither redraws nor updates
    // the scroll bars.
    bool SetRowHeight(int row, int height);
    bool SetColumnWidth(int col, int width);
    int GetFixedRowsHeight() const;
    int GetFixedColumnsWidth() const;
    int GetTotalHeight() const;
    int GetTotalWidth() const;

    // ---- Rows and columns -----------------------------------------------------
    // Insert before col (append when negative); the new index, -1 when col is
    // not below the count. The focus cell and the selection are cleared.
    int InsertColumn(const QString& heading, UINT format = 0, int col = -1);
    int InsertRow(const QString& heading, int row = -1);
    bool DeleteColumn(int col);
    bool DeleteRow(int row);
    bool DeleteNonFixedRows();
    bool DeleteAllItems();

    // ---- Cells and items ------------------------------------------------------
    // Null out of range.
    CGridCell* GetCell(int row, int col) const;
    // Puts cell at the place without deleting the one there.
    bool SetCell(int row, int col, CGridCell* cell);
    virtual bool SetItem(const GRIDITEM* item);
    bool GetItem(GRIDITEM* item) const;
    virtual bool SetItemText(int row, int col, const QString& text);
    virtual QString GetItemText(int row, int col) const;
    bool SetItemData(int row, int col, LPARAM lParam);
    LPARAM GetItemData(int row, int col) const;
    bool SetItemImage(int row, int col, int image);
    int GetItemImage(int row, int col) const;
    // Keeps the selection map equal to the cells' GCS_SELECTED bits.
    bool SetItemState(int row, int col, UINT state);
    UINT GetItemState(int row, int col) const;
    bool SetItemFormat(int row, int col, UINT format);
    UINT GetItemFormat(int row, int col) const;
    bool SetItemBkColor(int row, int col, COLORREF colour = CLR_DEFAULT);
    COLORREF GetItemBkColor(int row, int col) const;
    bool SetItemTextColor(int row, int col, COLORREF colour = CLR_DEFAULT);
    COLORREF GetItemTextColor(int row, int col) const;
    bool SetItemFont(int row, int col, const LOGFONT* lf);
    // The grid's LOGFONT without a cell.
    const LOGFONT* GetItemFont(int row, int col) const;
    bool SetItemOriginalText(int row, int col, const QString& text);
    QString GetItemOriginalText(int row, int col) const;

    bool IsValid(int row, int col) const;
    bool IsValid(const CCellID& cell) const { return IsValid(cell.row, cell.col); }
    bool IsValid(const CCellRange& range) const;
    bool IsCellFixed(int row, int col) const;
    bool IsEditable() const { return m_bEditable; }
    // Also applies the focus-state rule to the focus cell again.
    void SetEditable(bool bEditable = true);
    bool IsCellEditable(int row, int col) const;
    bool IsCellEditable(const CCellID& cell) const { return IsCellEditable(cell.row, cell.col); }
    void SetModified(bool bModified = true, int row = -1, int col = -1);
    bool GetModified(int row = -1, int col = -1) const;

    // ---- Colours (none redraws) ---------------------------------------------------
    void SetCellTextColor(COLORREF colour) { m_crCellText = colour; }
    COLORREF GetCellTextColor() const { return m_crCellText; }
    void SetCellBkColor(COLORREF colour) { m_crCellBk = colour; }
    COLORREF GetCellBkColor() const { return m_crCellBk; }
    void SetWindowBkColor(COLORREF colour) { m_crWindowBk = colour; }
    COLORREF GetWindowBkColor() const { return m_crWindowBk; }
    void SetFixedTextColor(COLORREF colour) { m_crFixedText = colour; }
    COLORREF GetFixedTextColor() const { return m_crFixedText; }
    void SetFixedBkColor(COLORREF colour) { m_crFixedBk = colour; }
    COLORREF GetFixedBkColor() const { return m_crFixedBk; }
    void SetGridLineColor(COLORREF colour) { m_crGridLine = colour; }
    COLORREF GetGridLineColor() const { return m_crGridLine; }

    // ---- Selection and focus ------------------------------------------------------
    // The smallest range holding every selected cell; (rows, cols, -1, -1)
    // when none is selected.
    CCellRange GetSelectionBounds() const;
    CCellRange GetWholeRange() const;
    // Deselects every cell (the Ctrl selection kept aside comes back) and
    // clears the focus cell.
    void ClearSelection();
    // Makes the cell the focus cell and returns the previous one; the owner
    // hears LVN_ITEMCHANGING for the old cell (after the focus moved) and
    // LVN_ITEMCHANGED for the new one. The same cell again only re-applies
    // the focus-state rule and redraws.
    CCellID SetFocusCell(int row, int col);
    CCellID SetFocusCell(CCellID cell);
    CCellID GetFocusCell() const { return m_cellFocus; }
    // Replaces the selection by the range, plus the Ctrl selection kept
    // aside unless single-row selection is on; bForceRepaint draws the
    // changed cells now instead of invalidating them.
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol, bool bForceRepaint = false);
    void SetSelectedRange(const CCellRange& range, bool bForceRepaint = false);
    // The four selection shapes, each from m_cellSelectionStart (the anchor)
    // to the cell; nothing while selection is disabled or for a cell that is
    // not valid. All non-fixed cells; whole columns; whole rows (in list mode
    // with single-row selection, the cell's row only); a rectangle.
    void SelectAllCells();
    void SelectColumns(CCellID cell);
    void SelectRows(CCellID cell);
    void SelectCells(CCellID cell);
    // The shape the mouse mode names; nothing in the other modes.
    void OnSelecting(const CCellID& cell);
    bool GetListMode() const { return m_bListMode; }
    void SetListMode(bool bListMode = true) { m_bListMode = bListMode; }
    bool GetSingleRowSelect() const { return m_bSingleRowSelect; }
    void SetSingleRowSelect(bool bSingle = true) { m_bSingleRowSelect = bSingle; }
    void SetRowResize(bool bResize = true) { m_bRowResize = bResize; }
    // The cell under the last right click that opened the context menu;
    // (-1, -1) before the first.
    CCellID GetRightClickCell() const { return m_cellRightClick; }

    // ---- In-place editing -----------------------------------------------------
    // Stores an edited text: when it differs from the cell's, the cell is
    // marked modified and SetItemText (a derived grid's rule) stores it.
    virtual void EndCellEdit(int nRow, int nCol, const QString& str);
    // Scrolls the cell into view, then, when it is editable and shows,
    // tells the owner (LVN_BEGINLABELEDITA) and lays an editor over it.
    // nChar is the key that started the edit: VK_LBUTTON for the mouse, else
    // the character or key code, which primes the editor.
    virtual void BeginCellEdit(int nRow, int nCol, UINT nChar);
    // Makes the editor over rect (client coordinates); it ends and deletes
    // itself. The grid's own is a CInPlaceEdit.
    virtual void CreateCellEditor(const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                                  const QString& szText, UINT nChar);

    // ---- Clipboard ---------------------------------------------------------------
    // Text on the clipboard and in drags is plain Unicode text: the rows of
    // the selection's bounding range joined by "\n", the cells of a row by
    // "\t"; a selected cell gives its text (" " when empty), a cell of the
    // range that is not selected gives nothing. A paste splits each line at
    // tabs and commas (runs of separators count as one) and trims each field.
    //
    // Empties every selected editable cell (-105 and -106 around each).
    virtual void ClearSelectedText();
    // The selection as new text data, owned by the caller; null when
    // nothing is selected.
    virtual QMimeData* CopySelectionToDataSource();
    // Writes the data's text with its first field at cell; false (nothing
    // changes) when cell is not valid or not editable or there is no text.
    // Fields whose cell lies outside the grid or is not editable are
    // skipped; each written cell is marked modified, loses its selection and
    // is announced to the owner by -105 before and -106 after.
    virtual bool PasteFromDataObject(const CCellID& cell, const QMimeData* pDataObject);
    // Ctrl+X, C, V and A and the commands ID_EDIT_CUT, _COPY, _PASTE and
    // _SELECT_ALL reach these. Copy works on a grid that is not editable;
    // cut and paste do nothing there.
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    // Whether each command may run now.
    void OnUpdateEditCut(CCmdUI* pCmdUI) const;
    void OnUpdateEditCopy(CCmdUI* pCmdUI) const;
    void OnUpdateEditPaste(CCmdUI* pCmdUI) const;
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI) const;
    // The update handler of pCmdUI's command; false for another command.
    bool OnUpdateCommand(CCmdUI* pCmdUI) const;

    // ---- Drag and drop -----------------------------------------------------------
    // An image of the focus cell for dragging: the cell as drawn, its
    // background transparent; *pHotSpot its bottom-right corner. Null
    // without a window or a focus cell.
    virtual QPixmap CreateDragImage(QPoint* pHotSpot);
    // Drags the selection out (copy or move) while drag and drop is on; the
    // owner hears LVN_BEGINDRAG first, and a move clears the cells after.
    void StartCellDrag();
    // The grid's side of a drop (through its CGridDropTarget): the cell under
    // the drag is highlighted while it can take the text (an editable
    // non-fixed cell, drag and drop on); the effect is copy with Ctrl held,
    // else move. A drop pastes at the last highlighted cell.
    unsigned OnDragEnter(const QMimeData* pDataObject, DWORD dwKeyState, const QPoint& point);
    unsigned OnDragOver(const QMimeData* pDataObject, DWORD dwKeyState, const QPoint& point);
    void OnDragLeave();
    bool OnDrop(const QMimeData* pDataObject, unsigned dropEffect, const QPoint& point);
    bool IsDragAndDropEnabled() const { return m_bDragDropEnabled; }
    void EnableDragAndDrop(bool bAllow = true) { m_bDragDropEnabled = bAllow; }
    CGridDropTarget* DropTarget() { return &m_DropTarget; }

    // ---- Sorting and search ------------------------------------------------------
    // Clear the selection and the focus, then sort the non-fixed rows by
    // the text of column nCol (compared as GBK bytes, case-sensitive) or by
    // pfnCompare applied to the cells' item data. Whole rows move with their
    // heights; equal rows are not exchanged (the order is not stable).
    // False for a column out of range or fewer than two rows.
    virtual bool SortTextItems(int nCol, bool bAscending);
    // Rows low to high (high -1: the last row); false, nothing moved, for a
    // range that does not lie inside the rows.
    bool SortTextItems(int nCol, bool bAscending, int low, int high);
    using PFNLVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    bool SortItems(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM lParamSort);
    bool SortItems(PFNLVCOMPARE pfnCompare, int nCol, bool bAscending, LPARAM lParamSort, int low, int high);
    // The first cell after from, in the direction nFlags names (GFN_), whose
    // state has one of nFlags' state bits; (-1, -1) when none.
    CCellID FindNextCell(const CCellID& from, int nFlags) const;
    int GetSortColumn() const { return m_nSortColumn; }
    bool GetSortAscending() const { return m_bSortAscending; }
    void SetHeaderSort(bool bSortOnClick = true) { m_bSortOnHeaderClick = bSortOnClick; }

    // ---- Printing ------------------------------------------------------------------
    // Asks for a printer and prints the whole table: scaled to the paper's
    // width, the fixed rows on every page, a header band (the application's
    // name, the nearest titled ancestor's title) and a footer band (the
    // page number and the date). Nothing without a window.
    void Print();
    // The steps of Print, each on the printer's painter (inactive when the
    // document could not start) and the job's record.
    virtual void OnBeginPrinting(QPainter* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(QPainter* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(QPainter* pDC, CPrintInfo* pInfo);
    virtual void PrintFixedRows(QPainter* pDC, CPrintInfo* pInfo);
    virtual void PrintHeader(QPainter* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(QPainter* pDC, CPrintInfo* pInfo);
    // Height in grid units left for the non-fixed rows of a page, and the
    // page each non-fixed row lands on, once OnBeginPrinting measured.
    int GetPrintPageHeight() const { return m_nPrintPageHeight; }
    const std::vector<int>& PrintPageFirstRows() const { return m_PrintPageFirstRows; }

    // ---- Files -----------------------------------------------------------------------
    // The texts as comma-separated lines in GBK, row 0 first, CR LF after
    // each; no quoting, so a comma or line break in a text splits on
    // reading. The old file stays when the write fails (a box says why).
    bool Save(const QString& path);
    // Replaces the whole content by the file's: row 0 the headings, no fixed
    // rows or columns, columns fitted to their texts. A file that cannot be
    // read or is refused (over 16 MiB, a zero byte) changes nothing: a box
    // says why, false.
    bool Load(const QString& path);

    // ---- Redraw -----------------------------------------------------------------
    // Draws one cell now, into pDC when given (the caller shows it), else
    // into the image, shown at once; without an image, invalidates it.
    bool RedrawCell(int row, int col, QPainter* pDC = nullptr);
    bool RedrawCell(const CCellID& cell, QPainter* pDC = nullptr) { return RedrawCell(cell.row, cell.col, pDC); }
    bool RedrawRow(int row);
    bool RedrawColumn(int col);
    // Drawing switch; turning it on repaints everything.
    void SetRedraw(bool bAllowDraw, bool bResetScrollBars = false);
    bool IsRedrawEnabled() const { return m_bRedrawEnabled; }

    // ---- Notifications ------------------------------------------------------------
    // Sends WM_NOTIFY with an NMGRIDCELL to the owner at once and returns its
    // answer; 0 without a window or without an owner that takes messages.
    LRESULT NotifyOwner(int row, int col, UINT code);

    // ---- Geometry -------------------------------------------------------------------
    // The client area (the viewport), from the grid's size and which scroll
    // bars show, so it holds before the widget is laid out.
    CRect GetClientRect() const;
    CCellID GetTopLeftScrollCell() const;
    CCellRange GetVisibleScrollRange(CRect* rect = nullptr) const;
    CCellRange GetFullyVisibleScrollRange() const;
    bool GetCellTopLeft(int row, int col, QPoint* point) const;
    bool GetCellTopLeft(const CCellID& cell, QPoint* point) const { return GetCellTopLeft(cell.row, cell.col, point); }
    // The inclusive rectangle: right = left + width - 1.
    bool GetCellBounds(int row, int col, CRect* rect) const;
    bool GetCellBounds(const CCellID& cell, CRect* rect) const { return GetCellBounds(cell.row, cell.col, rect); }
    bool GetCellTextRect(int row, int col, CRect* rect) const;
    bool GetCellTextRect(const CCellID& cell, CRect* rect) const { return GetCellTextRect(cell.row, cell.col, rect); }
    bool GetCellRangeBounds(const CCellRange& range, CRect* rect) const;
    CCellID GetCellFromPoint(const QPoint& point, bool bAllowFixed = true) const;
    bool IsOverRowDivider(const QPoint& point) const;
    bool IsOverColumnDivider(const QPoint& point) const;
    bool IsCellVisible(int row, int col) const;
    bool IsCellVisible(const CCellID& cell) const { return IsCellVisible(cell.row, cell.col); }
    bool InvalidateCellArea(const CCellID& cell);
    bool InvalidateRangeArea(const CCellRange& range);

    // ---- Scrolling ------------------------------------------------------------------
    // bar SB_HORZ or SB_VERT; bTrack reads the thumb's track position.
    int GetScrollPosition(int bar, bool bTrack = false) const;
    void SetScrollPosition(int bar, int pos, bool bRedraw = true);
    void UpdateScrollBars();
    // Scrolls by SB_ codes sent to the grid itself until the cell shows.
    void EnsureVisible(int row, int col);
    void EnsureVisible(const CCellID& cell) { EnsureVisible(cell.row, cell.col); }
    int GetHScrollRange() const { return m_nHScrollRange; }
    int GetVScrollRange() const { return m_nVScrollRange; }

    // ---- Sizing ----------------------------------------------------------------------
    // The text's extent in the grid font plus two margins each way; (0, 0)
    // without a window.
    QSize MeasureText(const QString& text) const;
    // The size a cell's text needs (fixed cells measured in weight 600 with
    // four margins across); pDC's device when given sets the metrics.
    virtual QSize GetCellExtent(int row, int col, QPainter* pDC);
    bool FitColumnToText(int col);
    bool FitRowToText(int row);
    void FitColumnsToText();
    void FitRowsToText();
    void FitAllToText();
    void StretchColumnsToWindow();
    void StretchRowsToWindow();
    void StretchToWindow();
    int GetTextMargin() const { return m_nTextMargin; }
    int GetDefaultRowHeight() const { return m_nDefaultRowHeight; }
    int GetDefaultColumnWidth() const { return m_nDefaultColWidth; }

    // ---- Painting ----------------------------------------------------------------------
    // Paints everything inside pDC's clip box.
    virtual void OnDraw(QPainter* pDC);
    void FillBackground(QPainter* pDC);
    virtual bool DrawFixedCell(QPainter* pDC, int row, int col, CRect rect, bool bEraseBk = false);
    virtual bool DrawCell(QPainter* pDC, int row, int col, CRect rect, bool bEraseBk = false);
    // The persistent image the grid draws into, as last drawn.
    const QImage& BackingImage() const { return m_backing.Image(); }
    bool IsBuffered() const { return m_bBuffered; }
    void SetBuffered(bool bBuffered);

    // ---- Fonts, cursor, colours -----------------------------------------------------
    // The grid font (WM_SETFONT: wParam a const QFont*); every cell takes it.
    // Rows and columns that exist keep their sizes; new ones get the font's
    // defaults.
    void SetFont(const QFont* font, bool bRedraw = true);
    void OnSetFont(const QFont* font, bool bRedraw);
    // The grid font (WM_GETFONT), null before one was set.
    const QFont* OnGetFont() const { return m_GridFont ? &*m_GridFont : nullptr; }
    const LOGFONT& GetGridLogFont() const { return m_GridLogFont; }
    // The cursor over the client area by mouse mode.
    bool OnSetCursor();
    // The mouse capture went to another window.
    void OnCaptureChanged(QWidget* pWnd);
    // Colours still equal to the system colour they came from follow a new
    // scheme; runs on the application's palette change.
    void OnSysColorChange();
    void OnSettingChange();
    int GetMouseMode() const { return m_nMouseMode; }

    // The context menu (items ID_GRID_LOAD_PRESET, ID_GRID_SAVE_PRESET,
    // ID_GRID_DELETE_PRESET, each carrying its command as data).
    QMenu* ContextMenu() { return &m_ContextMenu; }
    CTitleTip* TitleTip() { return &m_TitleTip; }

    // The wheel setting: rows per notch.
    static int ReadWheelScrollLines();

protected:
    // The window class's hook before the window is taken over: applies the
    // grid's font and updates the scroll bars. Runs once, from Create or
    // SubclassWindow.
    virtual void PreSubclassWindow();
    virtual CGridCell* CreateCell(int row, int col);
    virtual void DestroyCell(CGridCell* cell, int row, int col);

    // Clicks on fixed cells: select everything, whole rows or whole
    // columns; a header click in list mode sorts.
    virtual void OnFixedColumnClick(CCellID& cell);
    virtual void OnFixedRowClick(CCellID& cell);

    // Message handlers.
    virtual void OnHScroll(UINT nSBCode, UINT nPos);
    virtual void OnVScroll(UINT nSBCode, UINT nPos);
    virtual void OnSize(UINT nType, int cx, int cy);
    // Keys arrive here after the dialog took what it wants: the focus moves,
    // Delete clears the focus cell, Ctrl+letters run the edit commands, and
    // a character starts an edit.
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    // The mouse, in client coordinates, nFlags the MK_ bits.
    virtual void OnLButtonDown(UINT nFlags, const QPoint& point);
    virtual void OnLButtonUp(UINT nFlags, const QPoint& point);
    virtual void OnLButtonDblClk(UINT nFlags, const QPoint& point);
    virtual void OnRButtonDown(UINT nFlags, const QPoint& point);
    virtual void OnMouseMove(UINT nFlags, const QPoint& point);
    // Posts itself one line (or page) step per notch; zDelta in 1/120 notch.
    virtual bool OnMouseWheel(UINT nFlags, int zDelta, const QPoint& point);
    // Timer 513 scrolls a selection that the mouse drags past an edge.
    virtual void OnTimer(UINT nIDEvent);
    // The editor's end-of-edit notice: store, tell the owner, and for Tab or
    // an arrow or page key move on and edit the next cell.
    void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);

    // Qt's side of the window.
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

    // Invalidates a rectangle of the client area (all of it when null).
    void InvalidateRect(const CRect* rect);
    void Invalidate() { InvalidateRect(nullptr); }
    // Moves the pixels inside rect by (dx, dy); the caller invalidates the
    // strip that opens.
    void ScrollWindow(int dx, int dy, const CRect& rect);
    // A painter on the image for drawing outside a paint event, or null
    // when there is none (no window, not shown, or not buffered).
    std::unique_ptr<QPainter> GetDC();
    // Ends the painter and shows rect of the image.
    void ReleaseDC(std::unique_ptr<QPainter> dc, const CRect& shown);
    // The font a LOGFONT describes, made once per record.
    std::optional<QFont> FontFor(const LOGFONT& lf) const;
    // Redraws a cell through dc and adds what it covers to *drawn; without a
    // dc, RedrawCell on its own.
    bool DrawNow(const CCellID& cell, QPainter* dc, CRect* drawn);
    // RedrawCell for every cell of the range through one context.
    bool RedrawRange(const CCellRange& range);
    // The header cells of the focus cell's row and column.
    void RedrawFixedRowCells(int col);
    void RedrawFixedColumnCells(int row);
    // The focus-state rule applied to the focus cell.
    void ApplyFocusState(const CCellID& cell);
    // The system colours as they are now, into m_crSys...
    void ReadSysColors();

    // ---- Members, in the grid's order ----------------------------------------------
    COLORREF m_crCellText;
    COLORREF m_crCellBk;
    COLORREF m_crWindowBk;
    COLORREF m_crFixedText;
    COLORREF m_crFixedBk;
    COLORREF m_crGridLine;
    COLORREF m_crSysText;
    COLORREF m_crSysWindow;
    COLORREF m_crSysFace;
    COLORREF m_crSysShadow;
    int m_nGridLineMode = GRIDLINES_BOTH;
    bool m_bEditable = true;
    bool m_bModified = false;
    bool m_bDragDropEnabled = false;
    bool m_bListMode = false;
    bool m_bSingleRowSelect = false;
    bool m_bRedrawEnabled = true;
    bool m_bSelectionEnabled = true;
    bool m_bSortOnHeaderClick = true;
    bool m_bWantTab = true;
    bool m_bBuffered = true;
    bool m_bTitleTipsEnabled = true;
    QMenu m_ContextMenu;
    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    std::vector<UINT> m_RowHeights;
    std::vector<UINT> m_ColWidths;
    int m_nTextMargin = 0;
    int m_nDefaultColWidth = 30;
    int m_nDefaultRowHeight = 10;
    int m_nVScrollRange = 0;
    int m_nHScrollRange = 0;
    LOGFONT m_GridLogFont;
    std::optional<QFont> m_PrintFont;
    std::optional<QFont> m_GridFont;
    std::vector<std::vector<CGridCell*>> m_RowCells;  // owned
    int m_nMouseMode = MouseIdle;
    QPoint m_ptButtonDown;
    QPoint m_ptLastMouse;
    CCellID m_cellButtonDown;
    CCellID m_cellSelectionStart;
    CCellID m_cellRightClick;
    CCellID m_cellFocus;
    int m_nTimerId = 0;
    int m_nResizeGrip = 3;
    bool m_bRowResize = true;
    bool m_bColResize = true;
    int m_nWheelLines;
    using CellMap = std::map<std::pair<int, int>, CCellID>;  // keyed (row, column)
    CellMap m_SelectedCells;
    CellMap m_PrevSelectedCells;
    CTitleTip m_TitleTip;
    bool m_bOleInitialized = false;
    CCellID m_cellLastDragOver;
    CGridDropTarget m_DropTarget;
    bool m_bSortAscending = true;
    int m_nSortColumn = -1;
    QSize m_PrintCharSize;
    QSize m_PrintPaperSize;
    QSize m_PrintLogicalPage;
    int m_nPrintPageHeight = 0;
    // The first row of each printed page, computed once for the page count
    // and the pages themselves.
    std::vector<int> m_PrintPageFirstRows;

private:
    void OnScroll(int bar, UINT nSBCode);
    // A scroll bar's own request (arrow, page, thumb, keys) as an SB_ code.
    void OnScrollBarAction(int bar, int action);
    void ApplyScrollBar(int bar, int range, int page, int reach);
    void DestroyRow(int row);
    // Exchanges two rows' cells and heights.
    void SwapRows(int row1, int row2);
    // The quick sort of rows low to high (high -1: the last) that both sorts
    // share: againstPivot gives, for the pivot's row, each row's order
    // against the pivot (negative before it); differ says whether two rows
    // are worth exchanging.
    using RowOrder = std::function<int(int row)>;
    bool QuickSortRows(int low, int high, bool bAscending, const std::function<RowOrder(int pivotRow)>& againstPivot,
                       const std::function<bool(int, int)>& differ);
    // The printed rectangle of each column (left = previous right + 1).
    CRect PrintedCell(int left, int top, int col, int height) const;
    void PrintCellBorders(QPainter* pDC, const CRect& rect, int row, int col, int vOffset);
    // A file error's box: cause with the file name in it.
    static void ReportFileError(const QString& cause, const QString& path);
    // The window keeps the mouse until the button goes up; Qt holds it for
    // the grid anyway, this only tracks it.
    void SetCapture() { m_bCaptured = true; }
    void ReleaseCapture();
    // Lets the editors still open go without a word to the grid.
    void DetachEditors();

    bool m_bHasWindow = false;
    bool m_bInScrollBarUpdate = false;
    QPointer<QWidget> m_pOwner;
    CBackingImage m_backing;
    QRegion m_dirty;  // invalidated and not yet drawn into the image
    mutable std::vector<std::pair<LOGFONT, std::optional<QFont>>> m_fontCache;
    mutable std::size_t m_nLastFont = 0;
    bool m_bCaptured = false;
    int m_nWheelCarry = 0;  // the part of a wheel turn not yet scrolled
    CTimerMap m_Timers{this, [this](UINT id) { OnTimer(id); }};
};

// Binds a grid to the dialog's item nIDC the first time (the grid has no
// window yet); nothing afterwards. False when the item cannot be taken over.
bool DDX_GridCtrl(CDataExchange* pDX, int nIDC, CGridCtrl& grid);
