#include "controls/PrinterJob.h"

#include <algorithm>
#include <cstdlib>

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPointer>
#include <QPrinter>

#include "controls/PrintInfo.h"
#include "controls/PrintingDlg.h"
#include "platform/core/MessageBoxHook.h"
#include "platform/gui/FileDialog.h"

bool g_bPrintUserAbort = false;

namespace {
// Set when the application is asked to quit while a job lets events run.
bool g_bQuitRequested = false;

// Watches the application's events for a request to quit while it lives;
// the request itself goes on to the application.
class CQuitWatch final : public QObject {
public:
    CQuitWatch()
    {
        g_bQuitRequested = false;
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~CQuitWatch() override { g_bQuitRequested = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
            g_bQuitRequested = true;
        return false;
    }
};

CRect PrintableAreaOf(const QPrinter& printer)
{
    return CRect(0, 0, printer.width(), printer.height());
}

int PageWithin(UINT page, UINT first, UINT last)
{
    return int(std::max(first, std::min(page, last)));
}

// The file to print to when the dialog chose a file without naming one;
// empty when the user cancels.
QString ChoosePrintFile(QWidget* parent)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::SAVE;
    request.parent = parent;
    request.title = QStringLiteral("Print to File");
    request.fileName = QStringLiteral("Output.pdf");
    request.filters = QStringList{QStringLiteral("PDF Files (*.pdf)"), QStringLiteral("All Files (*)")};
    request.defaultSuffix = QStringLiteral("pdf");
    request.askOverwrite = true;
    const FileDialogResult result = ShowFileDialog(request);
    const QStringList files = result.LocalFiles();
    return result.accepted && !files.isEmpty() ? files.first() : QString();
}

QWidget* JobOwnerOr(QWidget* window)
{
    return window != nullptr ? window : QApplication::activeWindow();
}
}  // namespace

CPrinterJob::CPrinterJob() : m_strTitle(QStringLiteral("senza nome")) {}

CPrinterJob::~CPrinterJob() = default;

void CPrinterJob::OnPrint(QPainter*, CPrintInfo*) {}

void CPrinterJob::OnEndPrinting(QPainter*, CPrintInfo*) {}

void CPrinterJob::OnBeginPrinting(QPainter*, CPrintInfo*) {}

bool CPrinterJob::OnPreparePrinting(CPrintInfo* info, bool skipDialog)
{
    if (skipDialog)
        return true;
    return DoPreparePrinting(info, JobOwnerOr(JobWindow()));
}

QWidget* CPrinterJob::JobWindow() const
{
    return nullptr;
}

void CPrinterJob::PrintJob()
{
    CPrintInfo info;
    if (!OnPreparePrinting(&info, false))
        return;
    QPrinter& printer = *info.GetPrinter();
    const bool toFile = (info.m_pd.Flags & PD_PRINTTOFILE) != 0;
    if (toFile && printer.outputFileName().isEmpty()) {
        const QString file = ChoosePrintFile(JobOwnerOr(JobWindow()));
        if (file.isEmpty())
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    }
    printer.setDocName(m_strTitle);

    g_bPrintUserAbort = false;
    QPainter dc;
    if (!dc.begin(&printer)) {
        OnEndPrinting(&dc, &info);
        return;
    }
    // The printer context's defaults: a one-pixel black pen, a white brush.
    dc.setPen(QPen(Qt::black, 0));
    dc.setBrush(Qt::white);
    info.m_rectDraw = PrintableAreaOf(printer);
    OnBeginPrinting(&dc, &info);

    // The chosen range within the job's pages; it may run downwards.
    const UINT first = info.GetMinPage();
    const UINT last = info.GetMaxPage();
    const int from = PageWithin(info.GetFromPage(), first, last);
    const int to = PageWithin(info.GetToPage(), first, last);
    const int step = to >= from ? 1 : -1;
    const int end = to == int(CPrintInfo::LAST_PAGE_UNKNOWN) ? to : to + step;
    const int count = std::abs(std::abs(end) - std::abs(from));

    // Events run between pages: the window printed for waits under the
    // progress window, which may cancel; a request to quit stops the job.
    CQuitWatch quitWatch;
    const QString port = toFile ? printer.outputFileName() : printer.printerName();
    QPointer<CPrintingDlg> progress = new CPrintingDlg(JobOwnerOr(JobWindow()), m_strTitle, port, toFile);
    progress->setAttribute(Qt::WA_DeleteOnClose, false);
    progress->show();

    bool error = false;
    int n = 1;
    for (int page = from; page != end; page += step, ++n) {
        info.m_nCurPage = UINT(page);
        PrepareDcDefault(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        info.m_rectDraw = PrintableAreaOf(printer);
        if (progress)
            progress->SetProgress(n, count);
        // The document starts with its first page; each later one is new.
        if (n > 1 && !printer.newPage()) {
            error = true;
            break;
        }
        PrepareDcDefault(&dc, &info);
        dc.save();
        OnPrint(&dc, &info);
        dc.restore();
        if (!PrinterJobAbortProc(&dc, 0)) {
            error = true;
            break;
        }
    }
    if (error)
        AbortPrintDocument(dc, printer);
    else
        dc.end();
    delete progress.data();
    OnEndPrinting(&dc, &info);
}

// Where the printer cannot abort (a PDF file), the painter ends and the
// partial file goes.
void AbortPrintDocument(QPainter& dc, QPrinter& printer)
{
    const bool aborted = printer.abort();
    if (dc.isActive())
        dc.end();
    if (!aborted && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

bool DoPreparePrinting(CPrintInfo* info, QWidget* parent)
{
    PRINTDLG& pd = info->m_pd;
    if (pd.nMinPage > pd.nMaxPage)
        pd.nMaxPage = pd.nMinPage;
    pd.nFromPage = pd.nMinPage;
    pd.nToPage = pd.nMaxPage;
    if (ShowPrintDialog(pd, *info->GetPrinter(), parent) != IDOK)
        return false;
    if (!info->GetPrinter()->isValid())
        return false;
    info->m_nNumPreviewPages = 1;
    info->m_strPageDesc = QStringLiteral("Page %u\nPages %u-%u\n");
    return true;
}

void PrepareDcDefault(QPainter*, CPrintInfo* info)
{
    if (info->GetMaxPage() == CPrintInfo::LAST_PAGE_UNKNOWN)
        info->m_bContinuePrinting = info->m_nCurPage == 1;
    else
        info->m_bContinuePrinting = true;
}

bool PrinterJobAbortProc(QPainter*, int)
{
    if (!g_bPrintUserAbort) {
        QCoreApplication::processEvents();
        if (g_bQuitRequested)
            return false;
    }
    return !g_bPrintUserAbort;
}
