// The grid's layout: where cells lie, what shows at the scroll position,
// the scroll bars and the scroll requests, and sizing rows and columns to
// their text or to the window.
#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

#include "controls/grid/GridCtrl.h"

namespace {
// Shared by every grid: giving the focus and the window's own size handling
// can resize a grid again while it handles a resize.
bool s_bInOnSize = false;
}  // namespace

// ---- Geometry -----------------------------------------------------------------------------

CRect CGridCtrl::GetClientRect() const
{
    const QRect contents = contentsRect();
    int width = contents.width();
    int height = contents.height();
    if (verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        width -= verticalScrollBar()->sizeHint().width();
    if (horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        height -= horizontalScrollBar()->sizeHint().height();
    return CRect(0, 0, std::max(width, 0), std::max(height, 0));
}

CCellID CGridCtrl::GetTopLeftScrollCell() const
{
    const int hpos = GetScrollPosition(SB_HORZ);
    const int vpos = GetScrollPosition(SB_VERT);
    int col = m_nFixedCols;
    for (int sum = 0; sum < hpos && col < m_nCols - 1; ++col)
        sum += GetColumnWidth(col);
    int row = m_nFixedRows;
    for (int sum = 0; sum < vpos && row < m_nRows - 1; ++row)
        sum += GetRowHeight(row);
    return CCellID(row, col);
}

CCellRange CGridCtrl::GetVisibleScrollRange(CRect* rect) const
{
    const CRect client = GetClientRect();
    const CCellID topLeft = GetTopLeftScrollCell();

    int bottom = GetFixedRowsHeight();
    int row = topLeft.row;
    for (; row < m_nRows; ++row) {
        bottom += GetRowHeight(row);
        if (bottom >= client.bottom) {
            bottom = client.bottom;
            break;
        }
    }
    int right = GetFixedColumnsWidth();
    int col = topLeft.col;
    for (; col < m_nCols; ++col) {
        right += GetColumnWidth(col);
        if (right >= client.right) {
            right = client.right;
            break;
        }
    }
    if (rect)
        rect->SetRect(0, 0, right, bottom);
    return CCellRange(topLeft.row, topLeft.col, std::min(row, m_nRows - 1), std::min(col, m_nCols - 1));
}

CCellRange CGridCtrl::GetFullyVisibleScrollRange() const
{
    const CRect client = GetClientRect();
    const CCellID topLeft = GetTopLeftScrollCell();

    int bottom = GetFixedRowsHeight();
    int row = topLeft.row;
    for (; row < m_nRows; ++row) {
        bottom += GetRowHeight(row);
        if (bottom >= client.bottom) {
            if (bottom > client.bottom && row > 0)
                --row;
            break;
        }
    }
    int right = GetFixedColumnsWidth();
    int col = topLeft.col;
    for (; col < m_nCols; ++col) {
        right += GetColumnWidth(col);
        if (right >= client.right) {
            if (right > client.right && col > 0)
                --col;
            break;
        }
    }
    return CCellRange(topLeft.row, topLeft.col, std::min(row, m_nRows - 1), std::min(col, m_nCols - 1));
}

bool CGridCtrl::GetCellTopLeft(int row, int col, QPoint* point) const
{
    if (!IsValid(row, col))
        return false;
    CCellID topLeft;
    if (col >= m_nFixedCols || row >= m_nFixedRows)
        topLeft = GetTopLeftScrollCell();
    if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col))
        return false;

    int x = 0;
    if (col < m_nFixedCols) {
        for (int i = 0; i < col; ++i)
            x += GetColumnWidth(i);
    } else {
        x = GetFixedColumnsWidth();
        for (int i = topLeft.col; i < col; ++i)
            x += GetColumnWidth(i);
    }
    int y = 0;
    if (row < m_nFixedRows) {
        for (int i = 0; i < row; ++i)
            y += GetRowHeight(i);
    } else {
        y = GetFixedRowsHeight();
        for (int i = topLeft.row; i < row; ++i)
            y += GetRowHeight(i);
    }
    if (point)
        *point = QPoint(x, y);
    return true;
}

bool CGridCtrl::GetCellBounds(int row, int col, CRect* rect) const
{
    QPoint topLeft;
    if (!GetCellTopLeft(row, col, &topLeft))
        return false;
    if (rect)
        rect->SetRect(topLeft.x(), topLeft.y(), topLeft.x() + GetColumnWidth(col) - 1,
                      topLeft.y() + GetRowHeight(row) - 1);
    return true;
}

bool CGridCtrl::GetCellTextRect(int row, int col, CRect* rect) const
{
    return GetCell(row, col) != nullptr && GetCellBounds(row, col, rect);
}

bool CGridCtrl::GetCellRangeBounds(const CCellRange& range, CRect* rect) const
{
    QPoint first;
    QPoint last;
    if (!GetCellTopLeft(range.GetMinRow(), range.GetMinCol(), &first) ||
        !GetCellTopLeft(range.GetMaxRow(), range.GetMaxCol(), &last))
        return false;
    if (rect)
        rect->SetRect(first.x(), first.y(), last.x() + GetColumnWidth(range.GetMaxCol()) - 1,
                      last.y() + GetRowHeight(range.GetMaxRow()) - 1);
    return true;
}

CCellID CGridCtrl::GetCellFromPoint(const QPoint& point, bool bAllowFixed) const
{
    const CCellID topLeft = GetTopLeftScrollCell();
    CCellID cell;

    const int fixedWidth = GetFixedColumnsWidth();
    if (point.x() < 0 || (!bAllowFixed && point.x() < fixedWidth)) {
        cell.col = -1;
    } else if (point.x() < fixedWidth) {
        int x = 0;
        int col = 0;
        for (; col < m_nFixedCols; ++col) {
            x += GetColumnWidth(col);
            if (x > point.x())
                break;
        }
        cell.col = col;
    } else {
        int x = fixedWidth;
        int col = topLeft.col;
        for (; col < m_nCols; ++col) {
            x += GetColumnWidth(col);
            if (x > point.x())
                break;
        }
        cell.col = col >= m_nCols ? -1 : col;
    }

    const int fixedHeight = GetFixedRowsHeight();
    if (point.y() < 0 || (!bAllowFixed && point.y() < fixedHeight)) {
        cell.row = -1;
    } else if (point.y() < fixedHeight) {
        int y = 0;
        int row = 0;
        for (; row < m_nFixedRows; ++row) {
            y += GetRowHeight(row);
            if (y > point.y())
                break;
        }
        cell.row = row;
    } else {
        int y = fixedHeight;
        int row = topLeft.row;
        for (; row < m_nRows; ++row) {
            y += GetRowHeight(row);
            if (y > point.y())
                break;
        }
        cell.row = row >= m_nRows ? -1 : row;
    }
    return cell;
}

bool CGridCtrl::IsOverRowDivider(const QPoint& point) const
{
    if (point.x() >= GetFixedColumnsWidth())
        return false;
    const CCellID cell = GetCellFromPoint(point);
    QPoint start;
    if (!GetCellTopLeft(cell, &start))
        return false;
    if (point.y() - start.y() <= m_nResizeGrip && cell.row != 0)
        return true;
    return start.y() + GetRowHeight(cell.row) - point.y() <= m_nResizeGrip;
}

bool CGridCtrl::IsOverColumnDivider(const QPoint& point) const
{
    if (point.y() >= GetFixedRowsHeight())
        return false;
    const CCellID cell = GetCellFromPoint(point);
    QPoint start;
    if (!GetCellTopLeft(cell, &start))
        return false;
    if (point.x() - start.x() <= m_nResizeGrip && cell.col != 0)
        return true;
    return start.x() + GetColumnWidth(cell.col) - point.x() <= m_nResizeGrip;
}

bool CGridCtrl::IsCellVisible(int row, int col) const
{
    QPoint start;
    if (!m_bHasWindow || !GetCellTopLeft(row, col, &start))
        return false;
    const CRect client = GetClientRect();
    return start.x() < client.right && start.y() < client.bottom;
}

bool CGridCtrl::InvalidateCellArea(const CCellID& cell)
{
    CRect rect;
    if (!m_bHasWindow || !m_bRedrawEnabled || !IsCellVisible(cell) || !GetCellBounds(cell, &rect))
        return false;
    rect.right += 1;
    rect.bottom += 1;
    InvalidateRect(&rect);
    return true;
}

bool CGridCtrl::InvalidateRangeArea(const CCellRange& range)
{
    if (!m_bHasWindow || !m_bRedrawEnabled)
        return false;
    const CCellRange visible = range.Intersect(GetVisibleScrollRange());
    CRect rect;
    if (!GetCellRangeBounds(visible, &rect))
        return false;
    rect.right += 1;
    rect.bottom += 1;
    InvalidateRect(&rect);
    return true;
}

// ---- Scrolling ---------------------------------------------------------------------------

int CGridCtrl::GetScrollPosition(int bar, bool bTrack) const
{
    const QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    return bTrack ? scrollBar->sliderPosition() : scrollBar->value();
}

void CGridCtrl::SetScrollPosition(int bar, int pos, bool)
{
    QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    scrollBar->setValue(pos);
}

void CGridCtrl::OnScrollBarAction(int bar, int action)
{
    QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    UINT code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        // The thumb (or the wheel over the bar): its track position is what
        // the handler reads.
        SendMessage(this, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL,
                    MAKEWPARAM(SB_THUMBTRACK, UINT(scrollBar->sliderPosition())), 0);
        return;
    default:
        return;
    }
    // Qt has stepped the bar already; undo it, the handler makes its own step.
    scrollBar->setSliderPosition(scrollBar->value());
    SendMessage(this, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, 0), 0);
}

void CGridCtrl::scrollContentsBy(int, int)
{
    // The scroll handlers move what shows themselves.
}

void CGridCtrl::ApplyScrollBar(int bar, int range, int page, int reach)
{
    QScrollBar* scrollBar = bar == SB_HORZ ? horizontalScrollBar() : verticalScrollBar();
    scrollBar->setPageStep(std::max(page, 1));
    scrollBar->setRange(0, range > 0 ? std::max(reach, 0) : 0);
    const Qt::ScrollBarPolicy policy = range > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (bar == SB_HORZ) {
        if (horizontalScrollBarPolicy() != policy)
            setHorizontalScrollBarPolicy(policy);
    } else if (verticalScrollBarPolicy() != policy) {
        setVerticalScrollBarPolicy(policy);
    }
}

void CGridCtrl::UpdateScrollBars()
{
    if (!m_bRedrawEnabled || !m_bHasWindow || m_bInScrollBarUpdate)
        return;
    m_bInScrollBarUpdate = true;
    // Showing or hiding a bar changes the client area, as the old window's
    // nested size message did; the bars are computed again for the new area
    // until it stays.
    for (int pass = 0; pass < 4; ++pass) {
        const CRect client = GetClientRect();
        const int fixedWidth = GetFixedColumnsWidth();
        const int fixedHeight = GetFixedRowsHeight();
        const CRect visible(fixedWidth, fixedHeight, client.right, client.bottom);
        // Nothing to scroll without non-fixed rows and columns. A first row
        // or column that shows only in part still needs its bar (one wider
        // than the window could not be seen whole otherwise).
        if (visible.IsRectEmpty() || !IsValid(GetVisibleScrollRange()))
            break;
        const int virtualWidth = GetTotalWidth() - fixedWidth;
        const int virtualHeight = GetTotalHeight() - fixedHeight;
        m_nVScrollRange = visible.Height() < virtualHeight ? virtualHeight - 1 : 0;
        m_nHScrollRange = visible.Width() < virtualWidth ? virtualWidth - 1 : 0;
        // With the page set, the furthest position shows the last row or
        // column ending at the window's edge.
        ApplyScrollBar(SB_VERT, m_nVScrollRange, visible.Height(), virtualHeight - visible.Height());
        ApplyScrollBar(SB_HORZ, m_nHScrollRange, visible.Width(), virtualWidth - visible.Width());
        if (GetClientRect() == client)
            break;
    }
    m_bInScrollBarUpdate = false;
}

void CGridCtrl::OnHScroll(UINT nSBCode, UINT)
{
    OnScroll(SB_HORZ, nSBCode);
}

void CGridCtrl::OnVScroll(UINT nSBCode, UINT)
{
    OnScroll(SB_VERT, nSBCode);
}

// One handler for both directions: "first" is the first row or column shown
// and a size a row height or column width.
void CGridCtrl::OnScroll(int bar, UINT nSBCode)
{
    if (!hasFocus())
        setFocus();
    m_TitleTip.Hide();

    const bool horizontal = bar == SB_HORZ;
    const int pos = GetScrollPosition(bar);
    const CCellID topLeft = GetTopLeftScrollCell();
    const int first = horizontal ? topLeft.col : topLeft.row;
    const int fixedCount = horizontal ? m_nFixedCols : m_nFixedRows;
    const int fixedSize = horizontal ? GetFixedColumnsWidth() : GetFixedRowsHeight();
    const int range = horizontal ? m_nHScrollRange : m_nVScrollRange;
    auto sizeOf = [&](int index) { return horizontal ? GetColumnWidth(index) : GetRowHeight(index); };
    auto firstShown = [&] {
        const CCellID cell = GetTopLeftScrollCell();
        return horizontal ? cell.col : cell.row;
    };
    CRect rect = GetClientRect();
    int& near = horizontal ? rect.left : rect.top;  // where the scrolling area starts
    int& far = horizontal ? rect.right : rect.bottom;
    // A line step moves what shows by one row or column and draws the strip
    // it uncovers. A position that is not at a row's start (after a thumb
    // drag) can step further or not at all; moved pixels would then show the
    // wrong cells, so the whole scrolling area is drawn again instead.
    auto lineStep = [&](int expected, int delta, int stripStart, int stripEnd) {
        near = fixedSize;
        if (firstShown() == expected) {
            ScrollWindow(horizontal ? delta : 0, horizontal ? 0 : delta, rect);
            near = stripStart;
            far = stripEnd;
        }
        InvalidateRect(&rect);
    };

    switch (nSBCode) {
    case SB_LINEUP:
        if (pos > 0 && first > fixedCount) {
            const int size = sizeOf(first - 1);
            SetScrollPosition(bar, std::max(0, pos - size));
            lineStep(first - 1, size, fixedSize, fixedSize + size);
        }
        break;
    case SB_LINEDOWN:
        if (pos < range) {
            const int size = sizeOf(first);
            SetScrollPosition(bar, pos + size);
            if (GetScrollPosition(bar) != pos)
                lineStep(first + 1, -size, far - size, far);
        }
        break;
    case SB_PAGEUP:
        if (pos > 0) {
            near = fixedSize;
            SetScrollPosition(bar, std::max(0, pos - (far - near)));
            InvalidateRect(&rect);
        }
        break;
    case SB_PAGEDOWN:
        if (pos < range) {
            near = fixedSize;
            SetScrollPosition(bar, std::min(range, pos + (far - near)));
            InvalidateRect(&rect);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPosition(bar, GetScrollPosition(bar, true));
        if (GetTopLeftScrollCell() != topLeft) {
            near = fixedSize;
            InvalidateRect(&rect);
        }
        break;
    case SB_TOP:
        if (pos > 0) {
            SetScrollPosition(bar, 0);
            Invalidate();
        }
        break;
    case SB_BOTTOM:
        if (pos < range) {
            SetScrollPosition(bar, range);
            Invalidate();
        }
        break;
    default:
        break;
    }
}

void CGridCtrl::EnsureVisible(int row, int col)
{
    const CCellRange visible = GetVisibleScrollRange();
    int right = col - visible.GetMaxCol();
    int left = visible.GetMinCol() - col;
    int down = row - visible.GetMaxRow();
    int up = visible.GetMinRow() - row;
    while (right-- > 0)
        SendMessage(this, WM_HSCROLL, SB_LINERIGHT, 0);
    while (left-- > 0)
        SendMessage(this, WM_HSCROLL, SB_LINELEFT, 0);
    while (down-- > 0)
        SendMessage(this, WM_VSCROLL, SB_LINEDOWN, 0);
    while (up-- > 0)
        SendMessage(this, WM_VSCROLL, SB_LINEUP, 0);

    CRect bounds;
    if (GetCellBounds(row, col, &bounds)) {
        const CRect client = GetClientRect();
        if (bounds.right > client.right)
            SendMessage(this, WM_HSCROLL, SB_LINERIGHT, 0);
        if (bounds.bottom > client.bottom)
            SendMessage(this, WM_VSCROLL, SB_LINEDOWN, 0);
    }
}

// ---- Sizing ---------------------------------------------------------------------------------

QSize CGridCtrl::MeasureText(const QString& text) const
{
    if (!m_bHasWindow)
        return QSize(0, 0);
    const QFontMetrics metrics(m_GridFont ? *m_GridFont : font());
    return QSize(metrics.horizontalAdvance(text) + 2 * m_nTextMargin, metrics.height() + 2 * m_nTextMargin);
}

QSize CGridCtrl::GetCellExtent(int row, int col, QPainter* pDC)
{
    LOGFONT lf = *GetItemFont(row, col);
    if (IsCellFixed(row, col))
        lf.lfWeight = 600;
    const std::optional<QFont> cellFont = FontFor(lf);
    const QFont measured = cellFont ? *cellFont : (pDC ? pDC->font() : font());
    const QFontMetrics metrics(measured, pDC ? pDC->device() : nullptr);
    const QString text = GetItemText(row, col);
    return QSize(metrics.horizontalAdvance(text) + 4 * m_nTextMargin, metrics.height() + 2 * m_nTextMargin);
}

bool CGridCtrl::FitColumnToText(int col)
{
    if (col < 0 || col >= m_nCols || !m_bHasWindow)
        return false;
    int width = 0;
    for (int row = 0; row < m_nRows; ++row)
        width = std::max(width, GetCellExtent(row, col, nullptr).width());
    m_ColWidths[size_t(col)] = UINT(width);
    UpdateScrollBars();
    return true;
}

bool CGridCtrl::FitRowToText(int row)
{
    if (row < 0 || row >= m_nRows || !m_bHasWindow)
        return false;
    int height = 0;
    for (int col = 0; col < m_nCols; ++col)
        height = std::max(height, GetCellExtent(row, col, nullptr).height());
    m_RowHeights[size_t(row)] = UINT(height);
    UpdateScrollBars();
    return true;
}

void CGridCtrl::FitColumnsToText()
{
    for (int col = 0; col < m_nCols; ++col)
        FitColumnToText(col);
}

void CGridCtrl::FitRowsToText()
{
    for (int row = 0; row < m_nRows; ++row)
        FitRowToText(row);
}

void CGridCtrl::FitAllToText()
{
    if (!m_bHasWindow)
        return;
    std::fill(m_ColWidths.begin(), m_ColWidths.end(), 0u);
    std::fill(m_RowHeights.begin(), m_RowHeights.end(), 0u);
    for (int col = 0; col < m_nCols; ++col) {
        for (int row = 0; row < m_nRows; ++row) {
            const QSize extent = GetCellExtent(row, col, nullptr);
            m_ColWidths[size_t(col)] = std::max(m_ColWidths[size_t(col)], UINT(extent.width()));
            m_RowHeights[size_t(row)] = std::max(m_RowHeights[size_t(row)], UINT(extent.height()));
        }
    }
    if (m_bRedrawEnabled) {
        UpdateScrollBars();
        Invalidate();
    }
}

namespace {
// Spreads spare pixels (or a shortfall) over the sizes: each changes by
// spare / count, the first (spare mod count) by one pixel more. A size that
// would go below 0 stops at 0 (stored unsigned, it would wrap).
void Stretch(std::vector<UINT>& sizes, int spare)
{
    const int count = int(sizes.size());
    if (count == 0)
        return;
    const int each = spare / count;
    const int extra = spare % count;
    for (int i = 0; i < count; ++i) {
        int size = int(sizes[size_t(i)]) + each;
        if (spare > 0 && i < extra)
            ++size;
        else if (spare <= 0 && i < -extra)
            --size;
        sizes[size_t(i)] = UINT(std::max(size, 0));
    }
}
}  // namespace

void CGridCtrl::StretchColumnsToWindow()
{
    if (m_nCols <= 0)
        return;
    Stretch(m_ColWidths, GetClientRect().Width() - GetTotalWidth());
    if (m_bRedrawEnabled)
        Invalidate();
}

void CGridCtrl::StretchRowsToWindow()
{
    if (m_nRows <= 0)
        return;
    Stretch(m_RowHeights, GetClientRect().Height() - GetTotalHeight());
    if (m_bRedrawEnabled)
        Invalidate();
}

void CGridCtrl::StretchToWindow()
{
    StretchColumnsToWindow();
    StretchRowsToWindow();
    StretchColumnsToWindow();
}

void CGridCtrl::OnSize(UINT, int, int)
{
    if (s_bInOnSize || !m_bHasWindow)
        return;
    s_bInOnSize = true;
    setFocus();
    UpdateScrollBars();
    s_bInOnSize = false;
}

void CGridCtrl::resizeEvent(QResizeEvent* event)
{
    OnSize(0, event->size().width(), event->size().height());
}
