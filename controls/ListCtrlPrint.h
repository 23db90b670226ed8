#pragma once
// Prints the items of a report list as a ruled table. Every page has a
// header band (a free text at the left, the page number text at the right),
// a row of column headings, a fixed number of table rows and a footer text
// at the bottom; the page keeps a margin of 10 mm on each side. The columns
// keep their width proportions across the width between the margins.
//
// The caller sets m_pList, m_strHeader, m_strFooter and m_strPageFormat
// (and may change m_strTitle), then calls PrintJob. The job holds the list
// weakly: a list destroyed while the job runs aborts the job. Lengths other
// than the margins are printer pixels.
#include <vector>

#include <QFont>
#include <QPointer>
#include <QSize>
#include <QString>

#include "controls/ListCtrl.h"
#include "controls/PrinterJob.h"
#include "platform/core/Rect.h"

class CListCtrlPrint : public CPrinterJob {
public:
    CListCtrlPrint();
    ~CListCtrlPrint() override;

    bool OnPreparePrinting(CPrintInfo* info, bool skipDialog) override;
    void OnBeginPrinting(QPainter* dc, CPrintInfo* info) override;
    void OnPrint(QPainter* dc, CPrintInfo* info) override;
    void OnEndPrinting(QPainter* dc, CPrintInfo* info) override;

    // Shrinks rect by the margins (millimetres at the printer's resolution).
    void ApplyMargins(QPainter* dc, CRect& rect) const;
    // The header band at the top of rect; moves rect's top below it.
    QSize PrintPageHeader(QPainter* dc, CRect& rect, int page, int pageCount, bool measureOnly);
    // The headings row at the top of rect; moves rect's top below it.
    QSize PrintColumnHeadings(QPainter* dc, CRect& rect, bool measureOnly);
    // The footer text at the top of rect; moves rect's bottom up by its height.
    QSize PrintPageFooter(QPainter* dc, CRect& rect, bool measureOnly);

    // The page text: the format with its first "%d" replaced by page and
    // its second by pageCount; nothing else of it is read.
    static QString FormatPageText(const QString& format, int page, int pageCount);
    // The pages of items at rowsPerPage table rows a page: items /
    // rowsPerPage + 1, so a list that fills its pages exactly ends with a
    // page of empty rows.
    static int PageCount(int items, int rowsPerPage);

    // Page margins in millimetres (left, top, right, bottom).
    CRect m_rcMargins{10, 10, 10, 10};
    QFont m_fontBody;
    QFont m_fontHeader;
    QFont m_fontFooter;
    // The extent of "X" in the body font, its height plus 4: the row height.
    QSize m_szBody;
    // Column edges from the left margin: entry c the left edge of column c,
    // the last entry the right edge of the last column.
    std::vector<int> m_pColPos;
    // The HDF_ format of each column's header item.
    std::vector<int> m_pColFmt;
    // Each column's heading.
    std::vector<QString> m_pColTitle;
    int m_nRowsPerPage = 1;
    int m_nColumns = 0;
    int m_nItems = 0;
    QPointer<CListCtrl> m_pList;
    QString m_strHeader;
    QString m_strFooter;
    QString m_strPageFormat;
    QString m_strHeaderFace;
    QString m_strFooterFace;
    QString m_strBodyFace;
    int m_nHeaderPoints = 12;
    int m_nFooterPoints = 6;
    int m_nBodyPoints = 8;
    // Height kept for the footer band: the footer text's height + 2.
    int m_nFooterBand = 0;

protected:
    QWidget* JobWindow() const override;

private:
    // The cell's left and top edges: up the left side, along the top.
    static void DrawCellEdges(QPainter* dc, const CRect& cell);
    // The column's text alignment.
    UINT ColumnAlignment(int col) const;
};
