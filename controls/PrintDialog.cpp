#include "controls/PrintDialog.h"

#include <utility>

#include <QPrintDialog>
#include <QPrinter>

#include "platform/core/MessageBoxHook.h"

namespace {
PrintDialogHook& PrintDialogHookSlot()
{
    static PrintDialogHook hook;
    return hook;
}

int RunPrintDialog(PRINTDLG& pd, QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !(pd.Flags & PD_NOSELECTION));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, !(pd.Flags & PD_NOPAGENUMS));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setMinMax(int(pd.nMinPage), int(pd.nMaxPage));
    // The dialog shows a range only when it runs upwards.
    if ((pd.Flags & PD_PAGENUMS) && pd.nFromPage <= pd.nToPage) {
        dialog.setPrintRange(QAbstractPrintDialog::PageRange);
        printer.setFromTo(int(pd.nFromPage), int(pd.nToPage));
    }
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    pd.Flags &= ~DWORD(PD_PAGENUMS | PD_SELECTION | PD_PRINTTOFILE);
    if (dialog.printRange() == QAbstractPrintDialog::PageRange && printer.fromPage() > 0) {
        pd.Flags |= PD_PAGENUMS;
        pd.nFromPage = UINT(printer.fromPage());
        pd.nToPage = UINT(printer.toPage());
    } else if (dialog.printRange() == QAbstractPrintDialog::Selection) {
        pd.Flags |= PD_SELECTION;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat)
        pd.Flags |= PD_PRINTTOFILE;
    return IDOK;
}
}  // namespace

int ShowPrintDialog(PRINTDLG& pd, QPrinter& printer, QWidget* parent)
{
    if (PrintDialogHookSlot())
        return PrintDialogHookSlot()(pd, printer, parent);
    return RunPrintDialog(pd, printer, parent);
}

PrintDialogHook SetPrintDialogHook(PrintDialogHook hook)
{
    return std::exchange(PrintDialogHookSlot(), std::move(hook));
}
