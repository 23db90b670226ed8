// The grid's painting: the persistent image and the paint event, the
// background, fixed and normal cells and grid lines; the grid font, the
// cursor and the system colours.
#include <algorithm>

#include <QDebug>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include "controls/grid/GridCtrl.h"
#include "platform/gui/DrawEdge.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/Lines.h"
#include "platform/gui/SysColors.h"

namespace {
COLORREF SysColor(int index)
{
    return ToColorRef(GetSysColor(index));
}

bool IsPrinting(const QPainter* dc)
{
    return dc->device() && dc->device()->devType() == QInternal::Printer;
}

// The painter's clip box: the bounding rectangle of what it may paint.
bool GetClipBox(const QPainter* dc, CRect* box)
{
    const QPaintDevice* device = dc->device();
    if (device == nullptr)
        return false;
    if (dc->hasClipping())
        *box = CRect::FromQRect(dc->clipBoundingRect().toAlignedRect());
    else
        *box = CRect(0, 0, device->width(), device->height());
    return true;
}
}  // namespace

// ---- The image and the paint event ---------------------------------------------------------

void CGridCtrl::InvalidateRect(const CRect* rect)
{
    if (!m_bHasWindow)
        return;
    const CRect client = GetClientRect();
    CRect area = client;
    if (rect && !area.IntersectRect(*rect, client))
        return;
    m_dirty += area.ToQRect();
    viewport()->update(area.ToQRect());
}

void CGridCtrl::ScrollWindow(int dx, int dy, const CRect& rect)
{
    if (!m_bHasWindow)
        return;
    if (!m_bBuffered) {
        viewport()->scroll(dx, dy, rect.ToQRect());
        return;
    }
    if (!m_backing.FitsWidget())
        return;  // nothing drawn yet: everything is invalid already
    m_backing.Scroll(dx, dy, rect);
    // What was waiting to be drawn moves with the pixels.
    const QRegion area(rect.ToQRect());
    m_dirty = (m_dirty - area) + ((m_dirty & area).translated(dx, dy) & area);
    viewport()->update(rect.ToQRect());
}

std::unique_ptr<QPainter> CGridCtrl::GetDC()
{
    if (!m_bHasWindow || !m_bBuffered || !viewport()->isVisible())
        return nullptr;
    if (!m_backing.FitsWidget())
        m_dirty = QRegion(viewport()->rect());
    return std::make_unique<QPainter>(&m_backing.Surface());
}

void CGridCtrl::ReleaseDC(std::unique_ptr<QPainter> dc, const CRect& shown)
{
    dc.reset();
    if (!shown.IsRectEmpty())
        m_backing.Present(shown);
}

bool CGridCtrl::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter:
        OnSetCursor();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CGridCtrl::paintEvent(QPaintEvent* event)
{
    QPainter screen(viewport());
    if (!m_bBuffered) {
        screen.setClipRegion(event->region());
        OnDraw(&screen);
        // The image missed this drawing.
        m_dirty = QRegion(viewport()->rect());
        return;
    }
    if (!m_backing.FitsWidget())
        m_dirty = QRegion(viewport()->rect());
    const QRegion todo = m_dirty & event->region();
    if (!todo.isEmpty()) {
        QPainter image(&m_backing.Surface());
        image.setClipRegion(todo);
        OnDraw(&image);
        m_dirty -= todo;
    }
    m_backing.PaintTo(screen, event->rect());
}

void CGridCtrl::SetBuffered(bool bBuffered)
{
    m_bBuffered = bBuffered;
    Invalidate();
}

// ---- Drawing ----------------------------------------------------------------------------------

void CGridCtrl::OnDraw(QPainter* pDC)
{
    CRect clip;
    if (!GetClipBox(pDC, &clip))
        return;
    FillBackground(pDC);

    const int fixedHeight = GetFixedRowsHeight();
    const int fixedWidth = GetFixedColumnsWidth();
    const CCellID topLeft = GetTopLeftScrollCell();
    const int minRow = topLeft.row;
    const int minCol = topLeft.col;
    CRect visible;
    const CCellRange range = GetVisibleScrollRange(&visible);
    const int maxRow = range.GetMaxRow();
    const int maxCol = range.GetMaxCol();

    // The corner: every fixed row in every fixed column.
    CRect rect;
    rect.bottom = -1;
    for (int row = 0; row < m_nFixedRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < m_nFixedCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            DrawFixedCell(pDC, row, col, rect);
        }
    }

    // Walks rows first..last from y and columns from x, skipping cells
    // outside the clip box; a row below it ends the walk.
    auto walk = [&](int firstRow, int lastRow, int y, int firstCol, int lastCol, int x, auto draw) {
        CRect cell;
        cell.bottom = y - 1;
        for (int row = firstRow; row <= lastRow; ++row) {
            cell.top = cell.bottom + 1;
            cell.bottom = cell.top + GetRowHeight(row) - 1;
            if (cell.top >= clip.bottom)
                break;
            if (cell.bottom < clip.top)
                continue;
            cell.right = x - 1;
            for (int col = firstCol; col <= lastCol; ++col) {
                cell.left = cell.right + 1;
                cell.right = cell.left + GetColumnWidth(col) - 1;
                if (cell.left >= clip.right)
                    break;
                if (cell.right < clip.left)
                    continue;
                draw(row, col, cell);
            }
        }
    };
    auto fixed = [&](int row, int col, const CRect& cell) { DrawFixedCell(pDC, row, col, cell); };
    walk(minRow, maxRow, fixedHeight, 0, m_nFixedCols - 1, 0, fixed);
    walk(0, m_nFixedRows - 1, 0, minCol, maxCol, fixedWidth, fixed);
    walk(minRow, maxRow, fixedHeight, minCol, maxCol, fixedWidth,
         [&](int row, int col, const CRect& cell) { DrawCell(pDC, row, col, cell); });

    // Grid lines on the last pixel column and row of each normal cell.
    const QColor line = ToQColor(m_crGridLine);
    if (m_nGridLineMode == GRIDLINES_VERT || m_nGridLineMode == GRIDLINES_BOTH) {
        int x = fixedWidth;
        for (int col = minCol; col <= maxCol; ++col) {
            x += GetColumnWidth(col);
            DrawLine(*pDC, QPoint(x - 1, fixedHeight), QPoint(x - 1, visible.bottom), line);
        }
    }
    if (m_nGridLineMode == GRIDLINES_HORZ || m_nGridLineMode == GRIDLINES_BOTH) {
        int y = fixedHeight;
        for (int row = minRow; row <= maxRow; ++row) {
            y += GetRowHeight(row);
            DrawLine(*pDC, QPoint(fixedWidth, y - 1), QPoint(visible.right, y - 1), line);
        }
    }
}

void CGridCtrl::FillBackground(QPainter* pDC)
{
    const QColor fixedBk = ToQColor(m_crFixedBk);
    const QColor cellBk = ToQColor(m_crCellBk);
    const QColor windowBk = ToQColor(m_crWindowBk);
    CRect clip;
    if (!GetClipBox(pDC, &clip))
        return;
    const int fixedWidth = GetFixedColumnsWidth();
    const int fixedHeight = GetFixedRowsHeight();
    CRect visible;
    GetVisibleScrollRange(&visible);
    auto fill = [&](const CRect& r, const QColor& colour) {
        if (!r.IsRectEmpty())
            pDC->fillRect(r.ToQRect(), colour);
    };

    if (clip.left < fixedWidth && clip.top < visible.bottom)
        fill(CRect(clip.left, clip.top, fixedWidth, visible.bottom), fixedBk);
    if (clip.top < fixedHeight && clip.right > fixedWidth && clip.left < visible.right)
        fill(CRect(fixedWidth - 1, clip.top, visible.right, fixedHeight), fixedBk);
    CRect cells;
    if (cells.IntersectRect(visible, clip))
        fill(CRect(std::max(fixedWidth, cells.left), std::max(fixedHeight, cells.top), cells.right, cells.bottom),
             cellBk);
    if (visible.right < clip.right)
        fill(CRect(visible.right, clip.top, clip.right, clip.bottom), windowBk);
    if (visible.bottom < clip.bottom && clip.left < visible.right)
        fill(CRect(clip.left, visible.bottom, visible.right, clip.bottom), windowBk);
}

bool CGridCtrl::DrawFixedCell(QPainter* pDC, int row, int col, CRect rect, bool)
{
    if (!m_bRedrawEnabled)
        return false;
    GRIDITEM item;
    item.row = row;
    item.col = col;
    item.mask = GIM_TEXT | GIM_IMAGE | GIM_FORMAT | GIM_BKCOLOR | GIM_TEXTCOLOR;
    if (!GetItem(&item))
        return false;

    if (!IsPrinting(pDC)) {
        const COLORREF bk = item.bkColor == CLR_DEFAULT ? m_crFixedBk : item.bkColor;
        pDC->fillRect(rect.ToQRect(), ToQColor(bk));
    }
    const COLORREF text = item.textColor == CLR_DEFAULT ? m_crFixedText : item.textColor;
    pDC->save();
    // Headers draw in their own weight; only measuring makes them heavier.
    if (std::optional<QFont> cellFont = FontFor(*GetItemFont(row, col)))
        pDC->setFont(*cellFont);

    if (IsValid(m_cellFocus) && (m_cellFocus.row == row || m_cellFocus.col == col)) {
        // The headers of the focus cell's row and column look pressed.
        rect.right += 1;
        rect.bottom += 1;
        DrawEdge(*pDC, &rect, BDR_SUNKENINNER, BF_RECT);
        rect.DeflateRect(1, 1);
    } else {
        const QColor light = GetSysColor(COLOR_3DHILIGHT);
        const QColor dark = GetSysColor(COLOR_3DDKSHADOW);
        DrawLine(*pDC, QPoint(rect.right, rect.top), QPoint(rect.left, rect.top), light);
        DrawLine(*pDC, QPoint(rect.left, rect.top), QPoint(rect.left, rect.bottom), light);
        DrawLine(*pDC, QPoint(rect.right, rect.top), QPoint(rect.right, rect.bottom), dark);
        DrawLine(*pDC, QPoint(rect.right, rect.bottom), QPoint(rect.left, rect.bottom), dark);
        rect.DeflateRect(1, 1);
    }

    pDC->setPen(ToQColor(text));
    rect.DeflateRect(m_nTextMargin, 0);
    DrawText(*pDC, item.text, rect, item.format);
    pDC->restore();
    return true;
}

bool CGridCtrl::DrawCell(QPainter* pDC, int row, int col, CRect rect, bool)
{
    if (!m_bRedrawEnabled)
        return false;
    GRIDITEM item;
    item.row = row;
    item.col = col;
    item.mask = GIM_TEXT | GIM_IMAGE | GIM_STATE | GIM_BKCOLOR | GIM_TEXTCOLOR | GIM_FORMAT;
    if (!GetItem(&item))
        return false;

    const QColor bk = ToQColor(item.bkColor == CLR_DEFAULT ? m_crCellBk : item.bkColor);
    const QColor text = ToQColor(item.textColor == CLR_DEFAULT ? m_crCellText : item.textColor);
    const bool printing = IsPrinting(pDC);
    pDC->save();
    // Every fill covers the cell exactly: the inclusive rectangle grown by
    // one pixel right and down.
    const QRect cell(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1);
    if ((item.state & GCS_FOCUSED) && !printing) {
        pDC->fillRect(cell, bk);
        DrawFrame(*pDC, rect, QColor(0, 0, 0));  // leaves the last row and column to the grid line
        pDC->setPen(text);
        rect.DeflateRect(1, 1);
    } else if ((item.state & GCS_SELECTED) && !printing) {
        pDC->fillRect(cell, GetSysColor(COLOR_HIGHLIGHT));
        pDC->setPen(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        pDC->fillRect(cell, bk);
        pDC->setPen(text);
    }
    if ((item.state & GCS_DROPHILITED) && !printing)
        DrawFrame(*pDC, rect, QColor(0, 0, 0));

    if (std::optional<QFont> cellFont = FontFor(*GetItemFont(row, col)))
        pDC->setFont(*cellFont);
    rect.DeflateRect(m_nTextMargin, 0);
    DrawText(*pDC, item.text, rect, item.format);
    pDC->restore();
    return true;
}

std::optional<QFont> CGridCtrl::FontFor(const LOGFONT& lf) const
{
    if (m_nLastFont < m_fontCache.size() && m_fontCache[m_nLastFont].first == lf)
        return m_fontCache[m_nLastFont].second;
    for (std::size_t i = 0; i < m_fontCache.size(); ++i) {
        if (m_fontCache[i].first == lf) {
            m_nLastFont = i;
            return m_fontCache[i].second;
        }
    }
    m_fontCache.emplace_back(lf, CreateFontIndirect(lf));
    m_nLastFont = m_fontCache.size() - 1;
    return m_fontCache.back().second;
}

// ---- The font ---------------------------------------------------------------------------------

void CGridCtrl::SetFont(const QFont* font, bool bRedraw)
{
    SendMessage(this, WM_SETFONT, reinterpret_cast<WPARAM>(font), bRedraw ? 1 : 0);
}

void CGridCtrl::OnSetFont(const QFont* font, bool)
{
    if (font == nullptr)
        return;
    QWidget::setFont(*font);
    m_GridLogFont = LogFontFromFont(*font);
    for (int row = 0; row < m_nRows; ++row) {
        for (int col = 0; col < m_nCols; ++col)
            SetItemFont(row, col, &m_GridLogFont);
    }
    if (!m_bHasWindow)
        return;  // no context to measure with: the old font and sizes stay
    m_GridFont = CreateFontIndirect(m_GridLogFont);
    const QFontMetrics metrics(m_GridFont ? *m_GridFont : *font);
    m_nTextMargin = metrics.horizontalAdvance(QLatin1Char(' '));
    m_nDefaultRowHeight = metrics.height() + metrics.leading() + 2 * m_nTextMargin;
    m_nDefaultColWidth = 12 * metrics.averageCharWidth() + 2 * m_nTextMargin;
    Invalidate();
}

// ---- Cursor, capture, colours -----------------------------------------------------------------

bool CGridCtrl::OnSetCursor()
{
    switch (m_nMouseMode) {
    case MouseOverRowDivider:
        viewport()->setCursor(Qt::SizeVerCursor);
        break;
    case MouseOverColumnDivider:
        viewport()->setCursor(Qt::SizeHorCursor);
        break;
    case MouseDragging:
        break;
    default:
        viewport()->setCursor(Qt::ArrowCursor);
        break;
    }
    return true;
}

void CGridCtrl::OnCaptureChanged(QWidget* pWnd)
{
    if (pWnd == this || pWnd == viewport())
        return;
    if (m_nTimerId != 0)
        m_nTimerId = 0;  // no timer runs under this id yet
    if (m_nMouseMode == MouseDragging)
        m_nMouseMode = MouseIdle;
}

void CGridCtrl::ReadSysColors()
{
    m_crSysText = SysColor(COLOR_WINDOWTEXT);
    m_crSysWindow = SysColor(COLOR_WINDOW);
    m_crSysFace = SysColor(COLOR_BTNFACE);
    m_crSysShadow = SysColor(COLOR_BTNSHADOW);
}

void CGridCtrl::OnSysColorChange()
{
    const COLORREF oldText = m_crSysText;
    const COLORREF oldWindow = m_crSysWindow;
    const COLORREF oldFace = m_crSysFace;
    const COLORREF oldShadow = m_crSysShadow;
    ReadSysColors();
    // Only colours still equal to the system colour they came from follow.
    auto follow = [](COLORREF& colour, COLORREF old, COLORREF now) {
        if (colour == old)
            colour = now;
    };
    follow(m_crCellText, oldText, m_crSysText);
    follow(m_crCellBk, oldWindow, m_crSysWindow);
    follow(m_crWindowBk, oldShadow, m_crSysShadow);
    follow(m_crFixedText, oldText, m_crSysText);
    follow(m_crFixedBk, oldFace, m_crSysFace);
}

void CGridCtrl::OnSettingChange()
{
    OnSysColorChange();
    m_nWheelLines = ReadWheelScrollLines();
}
