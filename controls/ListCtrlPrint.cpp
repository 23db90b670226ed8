#include "controls/ListCtrlPrint.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPaintDevice>

#include "controls/PrintInfo.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/DrawText.h"

namespace {
// A font of points at the printer's resolution: a character height of
// MulDiv(tenths of a point, pixels per inch, 720) printer pixels.
QFont PrinterPointFont(const QString& face, int points, const QPaintDevice* device)
{
    QFont font(face);
    font.setPixelSize(std::max(1, MulDiv(points * 10, device->logicalDpiY(), 720)));
    return font;
}

void PrintLine(QPainter* dc, int x1, int y1, int x2, int y2)
{
    dc->drawLine(x1, y1, x2, y2);
}
}  // namespace

CListCtrlPrint::CListCtrlPrint()
    : m_strHeaderFace(QStringLiteral("Arial")),
      m_strFooterFace(QStringLiteral("Times New Roman")),
      m_strBodyFace(QStringLiteral("Arial"))
{
}

CListCtrlPrint::~CListCtrlPrint() = default;

QWidget* CListCtrlPrint::JobWindow() const
{
    return m_pList ? m_pList->window() : nullptr;
}

QString CListCtrlPrint::FormatPageText(const QString& format, int page, int pageCount)
{
    QString text = format;
    int from = 0;
    for (const int value : {page, pageCount}) {
        const int at = text.indexOf(QLatin1String("%d"), from);
        if (at < 0)
            break;
        const QString number = QString::number(value);
        text.replace(at, 2, number);
        from = at + int(number.size());
    }
    return text;
}

int CListCtrlPrint::PageCount(int items, int rowsPerPage)
{
    return items / std::max(1, rowsPerPage) + 1;
}

bool CListCtrlPrint::OnPreparePrinting(CPrintInfo* info, bool skipDialog)
{
    info->SetMinPage(1);
    if (!m_pList)
        return false;
    m_nItems = m_pList->GetItemCount();
    if (m_nItems <= 0)
        return false;
    const CHeaderCtrl* header = m_pList->GetHeaderCtrl();
    m_nColumns = header != nullptr ? header->GetItemCount() : 0;
    if (m_nColumns <= 0)
        return false;
    m_pColPos.assign(std::size_t(m_nColumns) + 1, 0);
    m_pColFmt.assign(std::size_t(m_nColumns), 0);
    m_pColTitle.assign(std::size_t(m_nColumns), QString());
    for (int c = 0; c < m_nColumns; ++c) {
        HDITEM item;
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
        if (header->GetItem(c, &item)) {
            m_pColPos[std::size_t(c) + 1] = item.cxy;
            m_pColFmt[std::size_t(c)] = item.fmt;
            m_pColTitle[std::size_t(c)] = item.pszText;
        }
    }
    return CPrinterJob::OnPreparePrinting(info, skipDialog);
}

void CListCtrlPrint::OnBeginPrinting(QPainter* dc, CPrintInfo* info)
{
    const QPaintDevice* device = dc->device();
    m_fontBody = PrinterPointFont(m_strBodyFace, m_nBodyPoints, device);
    m_fontHeader = PrinterPointFont(m_strHeaderFace, m_nHeaderPoints, device);
    m_fontFooter = PrinterPointFont(m_strFooterFace, m_nFooterPoints, device);
    const QFontMetrics body(m_fontBody, device);
    m_szBody = QSize(body.horizontalAdvance(QLatin1Char('X')), body.height() + 4);

    // Widths become edges, then scale to the width between the margins.
    for (int c = 1; c <= m_nColumns; ++c)
        m_pColPos[std::size_t(c)] += m_pColPos[std::size_t(c) - 1];
    CRect rect = info->m_rectDraw;
    ApplyMargins(dc, rect);
    const int total = m_pColPos[std::size_t(m_nColumns)];
    for (int i = 0; i <= m_nColumns; ++i) {
        int& edge = m_pColPos[std::size_t(i)];
        if (total > 0)
            edge = int(edge * (double(rect.Width()) / total));
        else
            edge = int(qint64(rect.Width()) * i / m_nColumns);  // no widths: equal shares
    }

    PrintColumnHeadings(dc, rect, true);
    PrintPageHeader(dc, rect, 0, 0, true);
    m_nFooterBand = PrintPageFooter(dc, rect, true).height() + 2;
    // At least one row a page, however little room the page leaves.
    m_nRowsPerPage = std::max(1, rect.Height() / (m_szBody.height() + 1) - 1);
    info->SetMaxPage(UINT(PageCount(m_nItems, m_nRowsPerPage)));
}

void CListCtrlPrint::OnEndPrinting(QPainter*, CPrintInfo*) {}

void CListCtrlPrint::ApplyMargins(QPainter* dc, CRect& rect) const
{
    const QPaintDevice* device = dc->device();
    const int dpiX = device != nullptr ? device->logicalDpiX() : 96;
    const int dpiY = device != nullptr ? device->logicalDpiY() : 96;
    // Hundredths of a millimetre to printer pixels.
    rect.left += MulDiv(m_rcMargins.left * 100, dpiX, 2540);
    rect.top += MulDiv(m_rcMargins.top * 100, dpiY, 2540);
    rect.right -= MulDiv(m_rcMargins.right * 100, dpiX, 2540);
    rect.bottom -= MulDiv(m_rcMargins.bottom * 100, dpiY, 2540);
}

QSize CListCtrlPrint::PrintPageHeader(QPainter* dc, CRect& rect, int page, int pageCount, bool measureOnly)
{
    const QFont old = dc->font();
    dc->setFont(m_fontHeader);
    QSize size(0, 0);
    int pageWidth = 0;
    if (!m_strPageFormat.isEmpty()) {
        const QString text = FormatPageText(m_strPageFormat, page, pageCount);
        CRect place(rect.left, rect.top, rect.right, rect.top);
        DrawText(*dc, text, &place, DT_CALCRECT | DT_RIGHT | DT_WORDBREAK);
        pageWidth = place.Width();
        place.left = rect.right - pageWidth;
        place.right = rect.right;
        if (!measureOnly)
            DrawText(*dc, text, place, DT_RIGHT | DT_WORDBREAK);
        size = QSize(pageWidth, place.Height());
    }
    if (!m_strHeader.isEmpty()) {
        CRect place(rect.left, rect.top, rect.right - pageWidth, rect.top);
        DrawText(*dc, m_strHeader, &place, DT_CALCRECT | DT_WORDBREAK);
        if (!measureOnly)
            DrawText(*dc, m_strHeader, place, DT_WORDBREAK);
        size.setHeight(std::max(size.height(), place.Height()));
    }
    rect.top += size.height();
    dc->setFont(old);
    return size;
}

UINT CListCtrlPrint::ColumnAlignment(int col) const
{
    const int format = m_pColFmt[std::size_t(col)];
    if (format & HDF_CENTER)
        return DT_CENTER;
    if (format & HDF_RIGHT)
        return DT_RIGHT;
    return DT_LEFT;
}

void CListCtrlPrint::DrawCellEdges(QPainter* dc, const CRect& cell)
{
    PrintLine(dc, cell.left, cell.bottom, cell.left, cell.top);
    PrintLine(dc, cell.left, cell.top, cell.right, cell.top);
}

QSize CListCtrlPrint::PrintColumnHeadings(QPainter* dc, CRect& rect, bool measureOnly)
{
    const int height = m_szBody.height();
    if (!measureOnly) {
        const QFont old = dc->font();
        dc->setFont(m_fontBody);
        const int bottom = rect.top + height;
        PrintLine(dc, rect.left, rect.top, rect.right, rect.top);
        PrintLine(dc, rect.right, rect.top, rect.right, bottom);
        PrintLine(dc, rect.right, bottom, rect.left, bottom);
        PrintLine(dc, rect.left, bottom, rect.left, rect.top);
        for (int c = 0; c < m_nColumns; ++c) {
            const CRect cell(rect.left + m_pColPos[std::size_t(c)], rect.top,
                             rect.left + m_pColPos[std::size_t(c) + 1], bottom);
            // A rectangle in the context's pen and brush: its outline on the
            // cell's outermost pixels.
            dc->drawRect(QRect(cell.left, cell.top, cell.Width() - 1, cell.Height() - 1));
            DrawText(*dc, m_pColTitle[std::size_t(c)], cell, ColumnAlignment(c) | DT_VCENTER);
            DrawCellEdges(dc, cell);
        }
        dc->setFont(old);
    }
    rect.top += height;
    return QSize(0, height);
}

QSize CListCtrlPrint::PrintPageFooter(QPainter* dc, CRect& rect, bool measureOnly)
{
    const QFont old = dc->font();
    dc->setFont(m_fontFooter);
    int height = 0;
    if (!m_strFooter.isEmpty()) {
        CRect place(rect.left, rect.top, rect.right, rect.top);
        DrawText(*dc, m_strFooter, &place, DT_CALCRECT | DT_WORDBREAK);
        if (!measureOnly)
            DrawText(*dc, m_strFooter, place, DT_WORDBREAK);
        height = place.Height();
    }
    rect.bottom -= height;
    dc->setFont(old);
    return QSize(0, height);
}

void CListCtrlPrint::OnPrint(QPainter* dc, CPrintInfo* info)
{
    // The list went while the job let events run: stop after this page.
    if (!m_pList) {
        g_bPrintUserAbort = true;
        return;
    }
    CRect rect = info->m_rectDraw;
    ApplyMargins(dc, rect);
    const Qt::BGMode oldMode = dc->backgroundMode();
    dc->setBackgroundMode(Qt::TransparentMode);

    const int page = int(info->m_nCurPage);
    PrintPageHeader(dc, rect, page, int(info->GetMaxPage()), false);
    PrintColumnHeadings(dc, rect, false);

    const int first = (page - 1) * m_nRowsPerPage;
    const int last = page * m_nRowsPerPage - 1;
    int y = rect.top;
    const QFont old = dc->font();
    dc->setFont(m_fontBody);
    for (int row = first; row <= last; ++row) {
        CRect cell;
        for (int c = 0; c < m_nColumns; ++c) {
            cell = CRect(rect.left + m_pColPos[std::size_t(c)], y, rect.left + m_pColPos[std::size_t(c) + 1],
                         y + m_szBody.height());
            if (row < m_nItems)
                DrawText(*dc, m_pList->GetItemText(row, c), cell, ColumnAlignment(c) | DT_VCENTER);
            DrawCellEdges(dc, cell);
        }
        PrintLine(dc, cell.right, cell.top, cell.right, cell.bottom);
        y += m_szBody.height() + 1;
    }
    PrintLine(dc, rect.left, y, rect.right, y);
    dc->setFont(old);

    rect = info->m_rectDraw;
    ApplyMargins(dc, rect);
    rect.top = rect.bottom - m_nFooterBand;
    PrintPageFooter(dc, rect, false);
    dc->setBackgroundMode(oldMode);
}
