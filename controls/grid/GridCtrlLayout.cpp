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

// One direction of the grid: its rows from the top, by their heights, or
// its columns from the left, by their widths. Every rule of the layout is
// the same in both.
struct Axis {
    const CGridCtrl& grid;
    bool rows;

    int Count() const { return rows ? grid.GetRowCount() : grid.GetColumnCount(); }
    int Fixed() const { return rows ? grid.GetFixedRowCount() : grid.GetFixedColumnCount(); }
    int Size(int i) const { return rows ? grid.GetRowHeight(i) : grid.GetColumnWidth(i); }
    int FixedSize() const { return rows ? grid.GetFixedRowsHeight() : grid.GetFixedColumnsWidth(); }

    // The first non-fixed index shown: sizes are added from the first
    // non-fixed one while their sum is below the scroll position; it stops
    // at the last index.
    int FirstShown() const
    {
        const int position = grid.GetScrollPosition(rows ? SB_VERT : SB_HORZ);
        int i = Fixed();
        for (int sum = 0; sum < position && i < Count() - 1; ++i)
            sum += Size(i);
        return i;
    }
    // The last index reached from first before the edge, and in *end where
    // it ends, at most the edge. With fully, one that ends beyond the edge
    // does not count (unless it is index 0).
    int LastShown(int first, int edge, bool fully, int* end) const
    {
        int sum = FixedSize();
        int i = first;
        for (; i < Count(); ++i) {
            sum += Size(i);
            if (sum >= edge) {
                if (fully && sum > edge && i > 0)
                    --i;
                sum = std::min(sum, edge);
                break;
            }
        }
        if (end)
            *end = sum;
        return std::min(i, Count() - 1);
    }
    // Where index i starts, with first the first non-fixed index shown.
    int Start(int i, int first) const
    {
        int start = 0;
        if (i < Fixed()) {
            for (int j = 0; j < i; ++j)
                start += Size(j);
        } else {
            start = FixedSize();
            for (int j = first; j < i; ++j)
                start += Size(j);
        }
        return start;
    }
    // The index at coordinate p: the first whose running sum passes p; -1
    // before the start, past the last, or in the fixed band when that is not
    // allowed.
    int IndexAt(int p, bool allowFixed, int first) const
    {
        const int fixedSize = FixedSize();
        if (p < 0 || (!allowFixed && p < fixedSize))
            return -1;
        int sum = p < fixedSize ? 0 : fixedSize;
        int i = p < fixedSize ? 0 : first;
        for (; i < Count(); ++i) {
            sum += Size(i);
            if (sum > p)
                return i;
        }
        return -1;
    }
};

// Within grip pixels of the divider before index (not before index 0) or
// after it.
bool NearDivider(int p, int start, int size, int index, int grip)
{
    return (p - start <= grip && index != 0) || start + size - p <= grip;
}
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
    return CCellID(Axis{*this, true}.FirstShown(), Axis{*this, false}.FirstShown());
}

CCellRange CGridCtrl::GetVisibleScrollRange(CRect* rect) const
{
    const CRect client = GetClientRect();
    const CCellID topLeft = GetTopLeftScrollCell();
    int bottom = 0;
    int right = 0;
    const int lastRow = Axis{*this, true}.LastShown(topLeft.row, client.bottom, false, &bottom);
    const int lastCol = Axis{*this, false}.LastShown(topLeft.col, client.right, false, &right);
    if (rect)
        rect->SetRect(0, 0, right, bottom);
    return CCellRange(topLeft.row, topLeft.col, lastRow, lastCol);
}

CCellRange CGridCtrl::GetFullyVisibleScrollRange() const
{
    const CRect client = GetClientRect();
    const CCellID topLeft = GetTopLeftScrollCell();
    return CCellRange(topLeft.row, topLeft.col, Axis{*this, true}.LastShown(topLeft.row, client.bottom, true, nullptr),
                      Axis{*this, false}.LastShown(topLeft.col, client.right, true, nullptr));
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
    if (point)
        *point = QPoint(Axis{*this, false}.Start(col, topLeft.col), Axis{*this, true}.Start(row, topLeft.row));
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
    return CCellID(Axis{*this, true}.IndexAt(point.y(), bAllowFixed, topLeft.row),
                   Axis{*this, false}.IndexAt(point.x(), bAllowFixed, topLeft.col));
}

bool CGridCtrl::IsOverRowDivider(const QPoint& point) const
{
    // Only the fixed columns carry row dividers.
    const CCellID cell = GetCellFromPoint(point);
    QPoint start;
    if (point.x() >= GetFixedColumnsWidth() || !GetCellTopLeft(cell, &start))
        return false;
    return NearDivider(point.y(), start.y(), GetRowHeight(cell.row), cell.row, m_nResizeGrip);
}

bool CGridCtrl::IsOverColumnDivider(const QPoint& point) const
{
    const CCellID cell = GetCellFromPoint(point);
    QPoint start;
    if (point.y() >= GetFixedRowsHeight() || !GetCellTopLeft(cell, &start))
        return false;
    return NearDivider(point.x(), start.x(), GetColumnWidth(cell.col), cell.col, m_nResizeGrip);
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
