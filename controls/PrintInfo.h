#pragma once
// What a print job knows while it runs: the print dialog's record (options,
// page limits, the chosen range), the printer it sets up, the page being
// printed, whether to go on, and where a page may be drawn.
//
// The record owns its printer. First page 1, last page 65535 (a job that
// never learns its page count), current page 1; the range runs from the
// record's own "from" to its "to" page, which may run downwards (the printer
// itself refuses a range whose first page is above its last).
#include <memory>

#include <QString>

#include "controls/PrintDialog.h"
#include "platform/core/Rect.h"

class QPrinter;

class CPrintInfo {
public:
    enum : UINT { LAST_PAGE_UNKNOWN = 0xFFFF };

    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT page) { m_pd.nMinPage = page; }
    void SetMaxPage(UINT page) { m_pd.nMaxPage = page; }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pd.nFromPage; }
    UINT GetToPage() const { return m_pd.nToPage; }
    // The printer the dialog sets up and the job paints on.
    QPrinter* GetPrinter() const { return m_pPrinter.get(); }

    // The print dialog's record: PD_USEDEVMODECOPIES | PD_NOSELECTION, so a
    // page range and printing to a file may be chosen.
    PRINTDLG m_pd;
    // Cleared by a job that has printed all it has.
    bool m_bContinuePrinting = true;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 0;
    // The page description: "Page %u\nPages %u-%u\n" once the dialog ran.
    QString m_strPageDesc;
    // Where a page may be drawn, in the printer's pixels.
    CRect m_rectDraw;

private:
    std::unique_ptr<QPrinter> m_pPrinter;
};
