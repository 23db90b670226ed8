// The grid's printing: the whole table scaled to the paper's width, the
// rows split into pages, the fixed rows on every page, a header and a
// footer band. Lengths are grid units (the grid's own pixels) unless they
// are the paper's.
#include <algorithm>

#include <QPainter>
#include <QPrinter>

#include "controls/PrintDialog.h"
#include "platform/core/MessageBoxHook.h"
#include "controls/PrintInfo.h"
#include "controls/PrinterJob.h"
#include "controls/grid/GridCtrl.h"
#include "platform/core/WallClock.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/DrawText.h"
#include "platform/gui/ResourceStore.h"

namespace {
// The application's name in the string table.
constexpr UINT GRID_PRINT_APP_TITLE = 57344;

// The character height of the printer font, in grid units.
constexpr int GRID_PRINT_FONT_HEIGHT = 9;

// A line of the printer's stock black pen, one device pixel wide whatever
// the scaling.
void GridPrintLine(QPainter* dc, int x1, int y1, int x2, int y2)
{
    dc->save();
    dc->setPen(QPen(Qt::black, 0));
    dc->drawLine(x1, y1, x2, y2);
    dc->restore();
}

// The bold copy of the printer font for the header and footer texts.
QFont GridPrintBoldFont(const std::optional<QFont>& printFont)
{
    QFont bold = printFont ? *printFont : QFont();
    bold.setWeight(QFont::Bold);
    return bold;
}
}  // namespace

void CGridCtrl::Print()
{
    if (!m_bHasWindow)
        return;
    CPrintInfo info;
    info.m_pd.Flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE;
    QPrinter& printer = *info.GetPrinter();
    if (ShowPrintDialog(info.m_pd, printer, this) != IDOK)
        return;
    printer.setDocName(CResourceStore::Text(GRID_PRINT_APP_TITLE));

    QPainter dc;
    bool good = dc.begin(&printer);
    if (good)
        dc.setPen(QPen(Qt::black, 0));
    info.m_rectDraw = CRect(0, 0, printer.width(), printer.height());
    OnBeginPrinting(&dc, &info);
    for (UINT page = info.GetMinPage(); good && page <= info.GetMaxPage(); ++page) {
        // The document starts with its first page; every later page is new.
        if (page > info.GetMinPage() && !printer.newPage()) {
            good = false;
            break;
        }
        info.m_nCurPage = page;
        dc.save();
        OnPrint(&dc, &info);
        dc.restore();
    }
    OnEndPrinting(&dc, &info);
    if (good)
        dc.end();
    else
        AbortPrintDocument(dc, printer);
}

void CGridCtrl::OnBeginPrinting(QPainter* pDC, CPrintInfo* pInfo)
{
    const QPrinter* printer = pInfo->GetPrinter();
    LOGFONT lf;
    lf.lfHeight = -GRID_PRINT_FONT_HEIGHT;
    lf.lfWeight = 400;
    lf.lfCharSet = 1;       // default
    lf.lfOutPrecision = 2;  // character precision
    lf.lfClipPrecision = 1;
    lf.lfFaceName = QStringLiteral("Times New Roman");
    m_PrintFont = CreateFontIndirect(lf);
    QFont font = m_PrintFont ? *m_PrintFont : QFont(lf.lfFaceName);
    if (!m_PrintFont)
        font.setPixelSize(GRID_PRINT_FONT_HEIGHT);
    if (pDC->isActive()) {
        pDC->save();
        pDC->setFont(font);
    }

    // Measured in the printer's own pixels, before any scaling.
    const QFontMetrics metrics(font, printer);
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ").left(52);
    m_PrintCharSize = QSize(metrics.horizontalAdvance(letters) / 52, metrics.height());
    m_PrintPaperSize = QSize(printer->width(), printer->height());
    const int width = GetTotalWidth() + 8 * m_PrintCharSize.width();
    m_PrintLogicalPage =
        QSize(width, m_PrintPaperSize.width() > 0 ? MulDiv(width, m_PrintPaperSize.height(), m_PrintPaperSize.width())
                                                   : 0);
    m_nPrintPageHeight = m_PrintLogicalPage.height() - GetFixedRowsHeight() - 6 * m_PrintCharSize.height();

    // A row opens a new page when it would overflow the body of a page that
    // already holds rows; a row taller than the body stands alone on its
    // page (clipped there). Rows that fit keep the rule of their sum.
    m_PrintPageFirstRows.clear();
    int total = 0;
    for (int row = m_nFixedRows; row < m_nRows; ++row) {
        const int height = GetRowHeight(row);
        if (m_PrintPageFirstRows.empty()) {
            m_PrintPageFirstRows.push_back(row);
            total = height;
        } else if (total > 0 && total + height > m_nPrintPageHeight) {
            m_PrintPageFirstRows.push_back(row);
            total = height;
        } else {
            total += height;
        }
    }
    // A grid without non-fixed rows still prints its page of fixed rows.
    pInfo->SetMaxPage(UINT(std::max<std::size_t>(1, m_PrintPageFirstRows.size())));
    pInfo->m_nCurPage = 1;
    if (pDC->isActive())
        pDC->restore();
}

void CGridCtrl::OnPrint(QPainter* pDC, CPrintInfo* pInfo)
{
    if (!pDC->isActive() || !m_PrintLogicalPage.isValid() || m_PrintLogicalPage.isEmpty())
        return;
    const int page = int(pInfo->m_nCurPage);
    const int cx = m_PrintCharSize.width();
    const int cy = m_PrintCharSize.height();
    const QSize logical = m_PrintLogicalPage;
    const auto setWindowOrigin = [&](int x, int y) { pDC->setWindow(x, y, logical.width(), logical.height()); };

    pDC->save();
    if (m_PrintFont)
        pDC->setFont(*m_PrintFont);
    pDC->setViewport(0, 0, m_PrintPaperSize.width(), m_PrintPaperSize.height());
    setWindowOrigin(-4 * cx, 0);
    pInfo->m_rectDraw = CRect(0, 0, logical.width() - 8 * cx, 2 * cy);
    PrintHeader(pDC, pInfo);

    int originY = -2 * cy - cy;
    setWindowOrigin(-4 * cx, originY);
    pInfo->m_rectDraw.bottom = GetFixedRowsHeight();
    PrintFixedRows(pDC, pInfo);
    originY -= GetFixedRowsHeight();
    setWindowOrigin(-4 * cx, originY);

    const int pages = int(m_PrintPageFirstRows.size());
    if (page >= 1 && page <= pages) {
        const int first = m_PrintPageFirstRows[size_t(page - 1)];
        const int last = page < pages ? m_PrintPageFirstRows[size_t(page)] - 1 : m_nRows - 1;
        // A row taller than the body is cut at the body's bottom.
        pDC->setClipRect(QRect(-4 * cx, 0, logical.width(), std::max(0, m_nPrintPageHeight)));
        int top = 0;
        for (int row = first; row <= last; ++row) {
            const int height = GetRowHeight(row);
            int left = 0;
            for (int col = 0; col < m_nCols; ++col) {
                const CRect rect = PrintedCell(left, top, col, height);
                DrawCell(pDC, row, col, rect, false);
                PrintCellBorders(pDC, rect, row, col, row == first ? 0 : 1);
                left = rect.right + 1;
            }
            top += height;
        }
        pDC->setClipping(false);
    } else if (page > 1) {
        pDC->restore();
        return;  // a page past the last row: no body, no footer
    }

    pInfo->m_rectDraw.bottom = 2 * cy;
    setWindowOrigin(-4 * cx, 2 * cy - logical.height());
    PrintFooter(pDC, pInfo);
    pDC->restore();
}

CRect CGridCtrl::PrintedCell(int left, int top, int col, int height) const
{
    return CRect(left, top, left + GetColumnWidth(col) - 1, top + height - 1);
}

void CGridCtrl::PrintCellBorders(QPainter* pDC, const CRect& rect, int row, int col, int vOffset)
{
    if (m_nGridLineMode == GRIDLINES_HORZ || m_nGridLineMode == GRIDLINES_BOTH) {
        const int overlap = col > 0 ? 1 : 0;
        GridPrintLine(pDC, rect.left - overlap, rect.bottom, rect.right, rect.bottom);
        if (row == 0)
            GridPrintLine(pDC, rect.left - overlap, rect.top, rect.right, rect.top);
    }
    if (m_nGridLineMode == GRIDLINES_VERT || m_nGridLineMode == GRIDLINES_BOTH) {
        GridPrintLine(pDC, rect.right, rect.top - vOffset, rect.right, rect.bottom);
        if (col == 0)
            GridPrintLine(pDC, rect.left, rect.top - vOffset, rect.left, rect.bottom);
    }
}

void CGridCtrl::OnEndPrinting(QPainter*, CPrintInfo*)
{
    m_PrintFont.reset();
}

void CGridCtrl::PrintFixedRows(QPainter* pDC, CPrintInfo*)
{
    pDC->save();
    if (m_PrintFont)
        pDC->setFont(*m_PrintFont);
    int top = 0;
    for (int row = 0; row < m_nFixedRows; ++row) {
        const int height = GetRowHeight(row);
        int left = 0;
        for (int col = 0; col < m_nCols; ++col) {
            const CRect rect = PrintedCell(left, top, col, height);
            DrawFixedCell(pDC, row, col, rect, false);
            PrintCellBorders(pDC, rect, row, col, row == 0 ? 0 : 1);
            left = rect.right + 1;
        }
        top += height;
    }
    pDC->restore();
}

void CGridCtrl::PrintHeader(QPainter* pDC, CPrintInfo* pInfo)
{
    const CRect rect = pInfo->m_rectDraw;
    pDC->save();
    pDC->setFont(GridPrintBoldFont(m_PrintFont));
    pDC->setBackgroundMode(Qt::TransparentMode);
    pDC->setPen(QPen(Qt::black, 0));
    DrawText(*pDC, CResourceStore::Text(GRID_PRINT_APP_TITLE), rect,
             DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    // The nearest window above the grid with a title names the printout.
    QString title;
    for (QWidget* window = parentWidget(); window != nullptr && title.isEmpty(); window = window->parentWidget())
        title = window->windowTitle();
    DrawText(*pDC, title, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->restore();
    GridPrintLine(pDC, rect.left, rect.bottom, rect.right, rect.bottom);
}

void CGridCtrl::PrintFooter(QPainter* pDC, CPrintInfo* pInfo)
{
    CRect rect = pInfo->m_rectDraw;
    GridPrintLine(pDC, rect.left, rect.top, rect.right, rect.top);
    pDC->save();
    pDC->setFont(GridPrintBoldFont(m_PrintFont));
    pDC->setBackgroundMode(Qt::TransparentMode);
    pDC->setPen(QPen(Qt::black, 0));
    rect.OffsetRect(0, m_PrintCharSize.height() / 2);
    DrawText(*pDC, QStringLiteral("Page %1 of %2").arg(pInfo->m_nCurPage).arg(pInfo->GetMaxPage()), rect,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    DrawText(*pDC, WallClockText(WallClockNow()), rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    pDC->restore();
}
