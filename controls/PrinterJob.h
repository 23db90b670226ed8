#pragma once
// A print job without a document: the print dialog, an optional choice of
// the file to print to, then the chosen pages one by one, each through the
// job's own page step, with the user's events let through between pages.
// What a page shows is left to the four steps a subclass overrides; the
// base's steps print nothing.
//
// The caller makes the job, sets what its subclass needs, calls PrintJob
// once and destroys the job. Painting goes to a QPainter on the record's
// QPrinter: the painter is the printer context and exists once the document
// has started, so a document that cannot start (QPainter::begin fails) runs
// OnEndPrinting alone. Every measure is in the printer's pixels. While the
// pages print, a progress window modal to the job's window offers Cancel.
// UI thread only.
#include <QString>

class CPrintInfo;
class QPainter;
class QPrinter;
class QWidget;

// Set to stop the running job after its current page; a job clears it when
// it starts. The progress window's Cancel sets it.
extern bool g_bPrintUserAbort;

class CPrinterJob {
public:
    CPrinterJob();
    virtual ~CPrinterJob();
    CPrinterJob(const CPrinterJob&) = delete;
    CPrinterJob& operator=(const CPrinterJob&) = delete;

    // The whole job; returns when it has ended, was cancelled or aborted.
    virtual void PrintJob();
    // Prints the page whose number is info's current page into info's
    // drawing rectangle.
    virtual void OnPrint(QPainter* dc, CPrintInfo* info);
    // Once at the end, also when the document could not start.
    virtual void OnEndPrinting(QPainter* dc, CPrintInfo* info);
    // Once the printer context exists, before the first page: fonts,
    // measures and the last page of info.
    virtual void OnBeginPrinting(QPainter* dc, CPrintInfo* info);
    // A subclass sets the page limits of info and calls the base, which
    // shows the print dialog (unless skipDialog); false cancels the job.
    virtual bool OnPreparePrinting(CPrintInfo* info, bool skipDialog);

    // The document name the printer shows (a PDF's title).
    QString m_strTitle;

protected:
    // The window the job prints for: its dialogs and the progress window
    // belong to it. Null: the active window.
    virtual QWidget* JobWindow() const;
};

// The print dialog step: the range offered is info's first to last page
// (a last page below the first becomes the first); true after OK with a
// printer. info's preview pages and page description are then set.
bool DoPreparePrinting(CPrintInfo* info, QWidget* parent = nullptr);

// Ends the document without printing the rest; a partial file printed to
// is removed.
void AbortPrintDocument(QPainter& dc, QPrinter& printer);

// Before each page: a job that never set its page count (last page 65535)
// goes on only while its current page is 1, so it prints one page.
void PrepareDcDefault(QPainter* dc, CPrintInfo* info);

// Lets the user-interface thread's pending events run while
// g_bPrintUserAbort is clear; false once it is set or when the application
// was asked to quit.
bool PrinterJobAbortProc(QPainter* dc, int code);
