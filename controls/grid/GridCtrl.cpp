// The grid's data: construction and its window, counts, rows and columns,
// cells and their attributes, the modified flag and the owner's
// notifications.
#include "controls/grid/GridCtrl.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include "platform/core/Language.h"
#include "platform/gui/ControlStyles.h"
#include "platform/gui/DataExchange.h"
#include "platform/gui/ResourceStore.h"
#include "platform/gui/SysColors.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/WindowAttributes.h"

namespace {
// Context-menu texts of the string table, Chinese and English.
enum : UINT {
    IDS_LOAD_PRESET_CN = 6100,
    IDS_SAVE_PRESET_CN = 6101,
    IDS_LOAD_PRESET_EN = 6120,
    IDS_SAVE_PRESET_EN = 6121,
};

// One attribute of a cell, written or read; without a cell the write fails
// and the read gives `none`.
template <class T>
bool Store(CGridCell* cell, T CGridCell::*field, const T& value)
{
    if (cell == nullptr)
        return false;
    cell->*field = value;
    return true;
}

template <class T>
T Read(const CGridCell* cell, T CGridCell::*field, const T& none)
{
    return cell ? cell->*field : none;
}

QAction* AddCommand(QMenu& menu, UINT id, const QString& text)
{
    QAction* action = menu.addAction(text);
    action->setData(int(id));
    return action;
}
}  // namespace

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols) : m_backing(viewport(), QImage::Format_RGB32)
{
    ReadSysColors();
    m_crGridLine = RGB(192, 192, 192);
    m_nWheelLines = ReadWheelScrollLines();
    m_GridLogFont = SystemFontLogFont();

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);

    m_crCellText = m_crSysText;
    m_crCellBk = m_crSysWindow;
    m_crWindowBk = m_crSysShadow;
    m_crFixedText = m_crSysText;
    m_crFixedBk = m_crSysFace;
    m_SelectedCells.clear();
    m_PrevSelectedCells.clear();

    // The language of the two first items is fixed here; the delete item
    // gets its text when the menu opens.
    const bool chinese = g_bChinese;
    AddCommand(m_ContextMenu, ID_GRID_LOAD_PRESET, CResourceStore::Text(chinese ? IDS_LOAD_PRESET_CN : IDS_LOAD_PRESET_EN));
    AddCommand(m_ContextMenu, ID_GRID_SAVE_PRESET, CResourceStore::Text(chinese ? IDS_SAVE_PRESET_CN : IDS_SAVE_PRESET_EN));
    AddCommand(m_ContextMenu, ID_GRID_DELETE_PRESET, QString());

    // Qt's side: no frame unless the style asks, every pixel of the client
    // area painted by the grid, bars hidden until a range needs them, and
    // the bars' requests turned into SB_ codes.
    setFrameShape(QFrame::NoFrame);
    // Tab brings the focus; a click takes it in the button handlers, so they
    // can tell whether the grid had it before.
    setFocusPolicy(Qt::TabFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);  // every move reaches the grid, buttons or not
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollBarAction(SB_HORZ, action); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollBarAction(SB_VERT, action); });
}

CGridCtrl::~CGridCtrl()
{
    // The window goes first: nobody is notified or drawn for from here on,
    // and an editor still open ends without reaching the grid.
    m_bHasWindow = false;
    m_DropTarget.Revoke();
    DetachEditors();
    m_ContextMenu.clear();
    DeleteAllItems();
    m_GridFont.reset();
}

CGridCtrl* CGridCtrl::CreateObject()
{
    return new CGridCtrl();
}

int CGridCtrl::ReadWheelScrollLines()
{
    return QApplication::wheelScrollLines();
}

// ---- The window -------------------------------------------------------------------

bool CGridCtrl::Create(const CRect& rect, QWidget* pParent, UINT nID, DWORD dwStyle)
{
    if (pParent == nullptr || m_bHasWindow)
        return false;
    setParent(pParent);
    setGeometry(rect.ToQRect());
    SetDlgCtrlID(this, int(nID));
    SetWindowStyle(this, dwStyle);
    if (dwStyle & WS_BORDER)
        setFrameStyle(QFrame::Box | QFrame::Plain);
    m_bHasWindow = true;
    PreSubclassWindow();
    m_DropTarget.Register(this);
    if (m_bTitleTipsEnabled)
        m_TitleTip.Create(this);

    std::fill(m_RowHeights.begin(), m_RowHeights.end(), UINT(m_nDefaultRowHeight));
    std::fill(m_ColWidths.begin(), m_ColWidths.end(), UINT(m_nDefaultColWidth));
    UpdateScrollBars();
    setVisible((dwStyle & WS_VISIBLE) != 0);
    return true;
}

bool CGridCtrl::SubclassWindow(QWidget* item)
{
    if (item == nullptr || m_bHasWindow || item == this)
        return false;
    const DWORD style = GetWindowStyle(item);
    setParent(item->parentWidget());
    setGeometry(item->geometry());
    stackUnder(item);
    SetDlgCtrlID(this, GetDlgCtrlID(item));
    SetWindowStyle(this, style);
    // The template's item stays with its dialog, hidden and without its id.
    const bool shown = !item->isHidden();
    item->hide();
    SetDlgCtrlID(item, 0);
    if (style & WS_BORDER)
        setFrameStyle(QFrame::Box | QFrame::Plain);
    m_bHasWindow = true;
    PreSubclassWindow();
    m_DropTarget.Register(this);
    if (m_bTitleTipsEnabled && !m_TitleTip.HasWindow())
        m_TitleTip.Create(this);
    setVisible(shown);
    return true;
}

bool DDX_GridCtrl(CDataExchange* pDX, int nIDC, CGridCtrl& grid)
{
    if (grid.HasWindow())
        return true;
    if (pDX == nullptr || pDX->m_bSaveAndValidate)
        return false;
    return grid.SubclassWindow(GetDlgItem(pDX->m_pDlgWnd, nIDC));
}

void CGridCtrl::PreSubclassWindow()
{
    // Applied as if the font had been sent; the created font is the grid's
    // to copy, not to keep.
    if (std::optional<QFont> font = CreateFontIndirect(m_GridLogFont))
        OnSetFont(&*font, false);
    UpdateScrollBars();
}

QWidget* CGridCtrl::GetOwner() const
{
    return m_pOwner ? m_pOwner.data() : parentWidget();
}

UINT CGridCtrl::OnGetDlgCode(Qt::KeyboardModifiers modifiers) const
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bWantTab && !(modifiers & Qt::ControlModifier))
        code |= DLGC_WANTTAB;
    return code;
}

LRESULT CGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_SETFONT:
        OnSetFont(reinterpret_cast<const QFont*>(wParam), lParam != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(OnGetFont());
    case WM_GETDLGCODE:
        return LRESULT(OnGetDlgCode());
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        OnKeyDown(UINT(wParam), UINT(lParam & 0xFFFF), UINT(HIWORD(WPARAM(lParam))));
        return 0;
    case WM_CHAR:
        OnChar(UINT(wParam), UINT(lParam & 0xFFFF), UINT(HIWORD(WPARAM(lParam))));
        return 0;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_COMMAND:
        // The edit commands routed to the grid; the virtuals, so a derived
        // grid's own apply.
        switch (LOWORD(wParam)) {
        case ID_EDIT_CUT:
            OnEditCut();
            return 0;
        case ID_EDIT_COPY:
            OnEditCopy();
            return 0;
        case ID_EDIT_PASTE:
            OnEditPaste();
            return 0;
        case ID_EDIT_SELECT_ALL:
            OnEditSelectAll();
            return 0;
        default:
            return 0;
        }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT result = 0;
        if (header && header->idFrom == IDC_GRID_INPLACE && header->code == LVN_ENDLABELEDITA)
            OnEndInPlaceEdit(header, &result);
        return result;
    }
    default:
        return 0;
    }
}

bool CGridCtrl::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Tab reaches the grid only while it asks for it; otherwise it moves
        // the focus as in any dialog.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (OnGetDlgCode(key->modifiers()) & DLGC_WANTTAB)
                keyPressEvent(key);
            else
                focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        break;
    }
    case QEvent::ApplicationPaletteChange:
        OnSysColorChange();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::event(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event)
{
    // Enter and Escape stay the dialog's.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    const LPARAM flags = 1 | (event->isAutoRepeat() ? (1 << 30) : 0);
    if (const UINT vk = VirtualKeyFromQtKey(key))
        SendMessage(this, (event->modifiers() & Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, flags);
    // Tab is a tab character with or without Shift, whatever text the
    // system gives it.
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    for (const QChar ch : tab ? QStringLiteral("\t") : event->text())
        SendMessage(this, WM_CHAR, ch.unicode(), flags);
    event->accept();
}

// ---- Counts and sizes ----------------------------------------------------------------

bool CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return false;
    if (nRows == m_nRows)
        return true;
    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_cellFocus.row >= nRows)
        SetFocusCell(-1, -1);

    for (int row = m_nRows - 1; row >= nRows; --row)
        DestroyRow(row);
    const int oldRows = m_nRows;
    m_nRows = nRows;
    m_RowCells.resize(size_t(nRows));
    m_RowHeights.resize(size_t(nRows));
    for (int row = oldRows; row < nRows; ++row) {
        m_RowHeights[size_t(row)] = UINT(m_nDefaultRowHeight);
        m_RowCells[size_t(row)].assign(size_t(m_nCols), nullptr);
        for (int col = 0; col < m_nCols; ++col)
            m_RowCells[size_t(row)][size_t(col)] = CreateCell(row, col);
    }
    if (m_bHasWindow && m_bRedrawEnabled) {
        UpdateScrollBars();
        Invalidate();
    }
    return true;
}

bool CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return false;
    if (nCols == m_nCols)
        return true;
    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_cellFocus.col >= nCols)
        SetFocusCell(-1, -1);

    for (int row = 0; row < m_nRows; ++row) {
        for (int col = m_nCols - 1; col >= nCols; --col) {
            CGridCell*& cell = m_RowCells[size_t(row)][size_t(col)];
            DestroyCell(cell, row, col);
            delete cell;
            cell = nullptr;
        }
    }
    const int oldCols = m_nCols;
    m_nCols = nCols;
    m_ColWidths.resize(size_t(nCols));
    for (auto& cells : m_RowCells)
        cells.resize(size_t(nCols), nullptr);
    for (int col = oldCols; col < nCols; ++col)
        m_ColWidths[size_t(col)] = UINT(m_nDefaultColWidth);
    for (int row = 0; row < m_nRows; ++row) {
        for (int col = oldCols; col < nCols; ++col)
            m_RowCells[size_t(row)][size_t(col)] = CreateCell(row, col);
    }
    if (m_bHasWindow && m_bRedrawEnabled) {
        UpdateScrollBars();
        Invalidate();
    }
    return true;
}

bool CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return false;
    if (m_nRows < nFixedRows && !SetRowCount(nFixedRows))
        return false;
    if (m_cellFocus.row >= 0 && m_cellFocus.row < nFixedRows)
        SetFocusCell(-1, -1);
    m_nFixedRows = nFixedRows;
    if (m_bHasWindow && m_bRedrawEnabled)
        Invalidate();
    return true;
}

bool CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return false;
    if (m_nCols < nFixedCols && !SetColumnCount(nFixedCols))
        return false;
    if (m_cellFocus.col >= 0 && m_cellFocus.col < nFixedCols)
        SetFocusCell(-1, -1);
    m_nFixedCols = nFixedCols;
    if (m_bHasWindow && m_bRedrawEnabled)
        Invalidate();
    return true;
}

int CGridCtrl::GetRowHeight(int row) const
{
    if (row < 0 || row >= m_nRows)
        return -1;
    return int(m_RowHeights[size_t(row)]);
}

int CGridCtrl::GetColumnWidth(int col) const
{
    if (col < 0 || col >= m_nCols)
        return -1;
    return int(m_ColWidths[size_t(col)]);
}

bool CGridCtrl::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_nRows || height < 0)
        return false;
    m_RowHeights[size_t(row)] = UINT(height);
    return true;
}

bool CGridCtrl::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_nCols || width < 0)
        return false;
    m_ColWidths[size_t(col)] = UINT(width);
    return true;
}

int CGridCtrl::GetFixedRowsHeight() const
{
    int height = 0;
    for (int row = 0; row < m_nFixedRows; ++row)
        height += GetRowHeight(row);
    return height;
}

int CGridCtrl::GetFixedColumnsWidth() const
{
    int width = 0;
    for (int col = 0; col < m_nFixedCols; ++col)
        width += GetColumnWidth(col);
    return width;
}

int CGridCtrl::GetTotalHeight() const
{
    int height = 0;
    for (int row = 0; row < m_nRows; ++row)
        height += GetRowHeight(row);
    return height;
}

int CGridCtrl::GetTotalWidth() const
{
    int width = 0;
    for (int col = 0; col < m_nCols; ++col)
        width += GetColumnWidth(col);
    return width;
}

// ---- Rows and columns ------------------------------------------------------------------

int CGridCtrl::InsertColumn(const QString& heading, UINT format, int col)
{
    if (col >= 0 && col >= m_nCols)
        return -1;
    ClearSelection();
    if (m_nRows < 1)
        SetRowCount(1);

    if (col < 0) {
        col = m_nCols;
        m_ColWidths.push_back(0);
        for (int row = 0; row < m_nRows; ++row)
            m_RowCells[size_t(row)].push_back(CreateCell(row, col));
    } else {
        m_ColWidths.insert(m_ColWidths.begin() + col, 0);
        for (int row = 0; row < m_nRows; ++row) {
            auto& cells = m_RowCells[size_t(row)];
            cells.insert(cells.begin() + col, nullptr);
            cells[size_t(col)] = CreateCell(row, col);
        }
    }
    ++m_nCols;
    SetItemText(0, col, heading);
    for (int row = 0; row < m_nRows; ++row)
        SetItemFormat(row, col, format);
    m_ColWidths[size_t(col)] = UINT(MeasureText(heading).width());
    UpdateScrollBars();
    return col;
}

int CGridCtrl::InsertRow(const QString& heading, int row)
{
    if (row >= 0 && row >= m_nRows)
        return -1;
    ClearSelection();
    if (m_nCols < 1)
        SetColumnCount(1);

    if (row < 0) {
        row = m_nRows;
        m_RowHeights.push_back(0);
        m_RowCells.emplace_back(size_t(m_nCols), nullptr);
    } else {
        m_RowHeights.insert(m_RowHeights.begin() + row, 0);
        m_RowCells.insert(m_RowCells.begin() + row, std::vector<CGridCell*>(size_t(m_nCols), nullptr));
    }
    ++m_nRows;
    for (int col = 0; col < m_nCols; ++col)
        m_RowCells[size_t(row)][size_t(col)] = CreateCell(row, col);
    SetItemText(row, 0, heading);
    m_RowHeights[size_t(row)] = UINT(MeasureText(heading).height());
    UpdateScrollBars();
    return row;
}

bool CGridCtrl::DeleteColumn(int col)
{
    if (col < 0 || col >= m_nCols)
        return false;
    ClearSelection();
    for (int row = 0; row < m_nRows; ++row) {
        auto& cells = m_RowCells[size_t(row)];
        DestroyCell(cells[size_t(col)], row, col);
        delete cells[size_t(col)];
        cells.erase(cells.begin() + col);
    }
    m_ColWidths.erase(m_ColWidths.begin() + col);
    --m_nCols;
    if (col < m_nFixedCols)
        --m_nFixedCols;
    UpdateScrollBars();
    return true;
}

bool CGridCtrl::DeleteRow(int row)
{
    if (row < 0 || row >= m_nRows)
        return false;
    ClearSelection();
    DestroyRow(row);
    m_RowCells.erase(m_RowCells.begin() + row);
    m_RowHeights.erase(m_RowHeights.begin() + row);
    --m_nRows;
    if (row < m_nFixedRows)
        --m_nFixedRows;
    UpdateScrollBars();
    return true;
}

void CGridCtrl::DestroyRow(int row)
{
    auto& cells = m_RowCells[size_t(row)];
    for (int col = 0; col < int(cells.size()); ++col) {
        DestroyCell(cells[size_t(col)], row, col);
        delete cells[size_t(col)];
        cells[size_t(col)] = nullptr;
    }
}

bool CGridCtrl::DeleteNonFixedRows()
{
    for (int row = m_nRows; row >= m_nFixedRows; --row)
        DeleteRow(row);
    return true;
}

bool CGridCtrl::DeleteAllItems()
{
    ClearSelection();
    m_RowHeights.clear();
    m_ColWidths.clear();
    for (int row = 0; row < int(m_RowCells.size()); ++row)
        DestroyRow(row);
    m_RowCells.clear();
    m_cellFocus = CCellID();
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    UpdateScrollBars();
    return true;
}

// ---- Cells and items ---------------------------------------------------------------------

CGridCell* CGridCtrl::GetCell(int row, int col) const
{
    if (!IsValid(row, col) || size_t(row) >= m_RowCells.size() || size_t(col) >= m_RowCells[size_t(row)].size())
        return nullptr;
    return m_RowCells[size_t(row)][size_t(col)];
}

bool CGridCtrl::SetCell(int row, int col, CGridCell* cell)
{
    if (!IsValid(row, col))
        return false;
    m_RowCells[size_t(row)][size_t(col)] = cell;
    return true;
}

CGridCell* CGridCtrl::CreateCell(int row, int col)
{
    auto* cell = new CGridCell;
    if (row > 0 && col >= 0 && col < m_nCols)
        cell->format = GetItemFormat(row - 1, col);
    cell->logFont = m_GridLogFont;
    return cell;
}

void CGridCtrl::DestroyCell(CGridCell* cell, int row, int col)
{
    SetItemState(row, col, 0);
    if (cell)
        cell->text.clear();
}

bool CGridCtrl::SetItem(const GRIDITEM* item)
{
    CGridCell* cell = item ? GetCell(item->row, item->col) : nullptr;
    if (cell == nullptr)
        return false;
    if (item->mask & GIM_TEXT)
        cell->text = item->text;
    if (item->mask & GIM_PARAM)
        cell->lParam = item->lParam;
    if (item->mask & GIM_IMAGE)
        cell->image = item->image;
    if (item->mask & GIM_STATE)
        cell->state = item->state;  // the selection map is left as it is
    if (item->mask & GIM_FORMAT)
        cell->format = item->format;
    if (item->mask & GIM_BKCOLOR)
        cell->bkColor = item->bkColor;
    if (item->mask & GIM_TEXTCOLOR)
        cell->textColor = item->textColor;
    if (item->mask & GIM_FONT)
        cell->logFont = item->logFont;
    return true;
}

bool CGridCtrl::GetItem(GRIDITEM* item) const
{
    const CGridCell* cell = item ? GetCell(item->row, item->col) : nullptr;
    if (cell == nullptr)
        return false;
    if (item->mask & GIM_TEXT)
        item->text = GetItemText(item->row, item->col);
    if (item->mask & GIM_PARAM)
        item->lParam = cell->lParam;
    if (item->mask & GIM_IMAGE)
        item->image = cell->image;
    if (item->mask & GIM_STATE)
        item->state = cell->state;
    if (item->mask & GIM_FORMAT)
        item->format = cell->format;
    if (item->mask & GIM_BKCOLOR)
        item->bkColor = cell->bkColor;
    if (item->mask & GIM_TEXTCOLOR)
        item->textColor = cell->textColor;
    if (item->mask & GIM_FONT)
        item->logFont = cell->logFont;
    return true;
}

bool CGridCtrl::SetItemText(int row, int col, const QString& text)
{
    CGridCell* cell = GetCell(row, col);
    if (cell == nullptr)
        return false;
    cell->text = text;
    cell->originalText = text;
    Invalidate();
    return true;
}

QString CGridCtrl::GetItemText(int row, int col) const
{
    return Read(GetCell(row, col), &CGridCell::text, QString());
}

bool CGridCtrl::SetItemData(int row, int col, LPARAM lParam)
{
    return Store(GetCell(row, col), &CGridCell::lParam, lParam);
}

LPARAM CGridCtrl::GetItemData(int row, int col) const
{
    return Read(GetCell(row, col), &CGridCell::lParam, LPARAM(0));
}

bool CGridCtrl::SetItemImage(int row, int col, int image)
{
    return Store(GetCell(row, col), &CGridCell::image, image);
}

int CGridCtrl::GetItemImage(int row, int col) const
{
    return Read(GetCell(row, col), &CGridCell::image, -1);
}

bool CGridCtrl::SetItemState(int row, int col, UINT state)
{
    CGridCell* cell = GetCell(row, col);
    if (cell == nullptr)
        return false;
    const auto key = std::make_pair(row, col);
    if ((cell->state & GCS_SELECTED) && !(state & GCS_SELECTED))
        m_SelectedCells.erase(key);
    else if (!(cell->state & GCS_SELECTED) && (state & GCS_SELECTED))
        m_SelectedCells[key] = CCellID(row, col);
    cell->state = state;
    return true;
}

UINT CGridCtrl::GetItemState(int row, int col) const
{
    return Read(GetCell(row, col), &CGridCell::state, 0u);
}

bool CGridCtrl::SetItemFormat(int row, int col, UINT format)
{
    return Store(GetCell(row, col), &CGridCell::format, format);
}

UINT CGridCtrl::GetItemFormat(int row, int col) const
{
    return Read(GetCell(row, col), &CGridCell::format, 0u);
}

bool CGridCtrl::SetItemBkColor(int row, int col, COLORREF colour)
{
    return Store(GetCell(row, col), &CGridCell::bkColor, colour);
}

COLORREF CGridCtrl::GetItemBkColor(int row, int col) const
{
    return Read(GetCell(row, col), &CGridCell::bkColor, COLORREF(0));
}

bool CGridCtrl::SetItemTextColor(int row, int col, COLORREF colour)
{
    return Store(GetCell(row, col), &CGridCell::textColor, colour);
}

COLORREF CGridCtrl::GetItemTextColor(int row, int col) const
{
    return Read(GetCell(row, col), &CGridCell::textColor, COLORREF(0));
}

bool CGridCtrl::SetItemFont(int row, int col, const LOGFONT* lf)
{
    return lf != nullptr && Store(GetCell(row, col), &CGridCell::logFont, *lf);
}

const LOGFONT* CGridCtrl::GetItemFont(int row, int col) const
{
    const CGridCell* cell = GetCell(row, col);
    return cell ? &cell->logFont : &m_GridLogFont;
}

bool CGridCtrl::SetItemOriginalText(int row, int col, const QString& text)
{
    return Store(GetCell(row, col), &CGridCell::originalText, text);
}

QString CGridCtrl::GetItemOriginalText(int row, int col) const
{
    return Read(GetCell(row, col), &CGridCell::originalText, QString());
}

bool CGridCtrl::IsValid(int row, int col) const
{
    return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols;
}

bool CGridCtrl::IsValid(const CCellRange& range) const
{
    return range.GetMinRow() >= 0 && range.GetMinCol() >= 0 && range.GetMaxRow() >= 0 && range.GetMaxCol() >= 0 &&
           range.GetMaxRow() < m_nRows && range.GetMaxCol() < m_nCols && range.GetMinRow() <= range.GetMaxRow() &&
           range.GetMinCol() <= range.GetMaxCol();
}

bool CGridCtrl::IsCellFixed(int row, int col) const
{
    return row < m_nFixedRows || col < m_nFixedCols;
}

void CGridCtrl::SetEditable(bool bEditable)
{
    m_bEditable = bEditable;
    SetFocusCell(GetFocusCell());
}

bool CGridCtrl::IsCellEditable(int row, int col) const
{
    return m_bEditable && !(GetItemState(row, col) & GCS_READONLY);
}

void CGridCtrl::SetModified(bool bModified, int row, int col)
{
    if (row > 0 && col > 0) {
        if (bModified) {
            SetItemState(row, col, GetItemState(row, col) | GCS_MODIFIED);
            m_bModified = true;
        } else {
            SetItemState(row, col, GetItemState(row, col) & ~UINT(GCS_MODIFIED));
        }
    } else {
        m_bModified = bModified;
    }
    if (!m_bModified) {
        for (int r = 0; r < m_nRows; ++r) {
            for (int c = 0; c < m_nCols; ++c)
                SetItemState(r, c, GetItemState(r, c) & ~UINT(GCS_MODIFIED));
        }
    }
}

bool CGridCtrl::GetModified(int row, int col) const
{
    if (row > 0 && col > 0)
        return (GetItemState(row, col) & GCS_MODIFIED) != 0;
    return m_bModified;
}

CCellRange CGridCtrl::GetSelectionBounds() const
{
    CCellRange bounds(m_nRows, m_nCols, -1, -1);
    for (const auto& entry : m_SelectedCells) {
        const CCellID& cell = entry.second;
        bounds.SetMinRow(std::min(bounds.GetMinRow(), cell.row));
        bounds.SetMinCol(std::min(bounds.GetMinCol(), cell.col));
        bounds.SetMaxRow(std::max(bounds.GetMaxRow(), cell.row));
        bounds.SetMaxCol(std::max(bounds.GetMaxCol(), cell.col));
    }
    return bounds;
}

CCellRange CGridCtrl::GetWholeRange() const
{
    return CCellRange(0, 0, m_nRows - 1, m_nCols - 1);
}

void CGridCtrl::ClearSelection()
{
    SetSelectedRange(-1, -1, -1, -1, false);
    SetFocusCell(-1, -1);
}

LRESULT CGridCtrl::NotifyOwner(int row, int col, UINT code)
{
    if (!m_bHasWindow)
        return 0;
    NMGRIDCELL notice;
    notice.hdr.hwndFrom = this;
    notice.hdr.idFrom = std::uintptr_t(GetDlgCtrlID(this));
    notice.hdr.code = code;
    notice.row = row;
    notice.column = col;
    QWidget* owner = GetOwner();
    auto* target = dynamic_cast<CMsgTarget*>(owner);
    if (target == nullptr)
        return 0;
    return SendMessage(target, WM_NOTIFY, WPARAM(notice.hdr.idFrom), reinterpret_cast<LPARAM>(&notice));
}
