#pragma once
// The one way the program asks the user where and what to print: the
// system's print dialog on a QPrinter, run through a replaceable function
// so that tests answer in place of the user (a PDF file, a page range,
// print to file, or Cancel) and no dialog opens.
//
// The request and the answer travel in a PRINTDLG record: the caller sets
// the options, the page limits and the initial range; on OK the dialog sets
// the printer up, marks a chosen range with PD_PAGENUMS (from and to in the
// record, which may run downwards, since the record keeps its own numbers)
// and marks output to a PDF file with PD_PRINTTOFILE. UI thread only.
#include <functional>

#include "platform/core/Types.h"

class QPrinter;
class QWidget;

enum : DWORD {
    PD_ALLPAGES = 0x00000000,
    PD_SELECTION = 0x00000001,
    PD_PAGENUMS = 0x00000002,
    PD_NOSELECTION = 0x00000004,
    PD_NOPAGENUMS = 0x00000008,
    PD_PRINTTOFILE = 0x00000020,
    PD_USEDEVMODECOPIES = 0x00040000,
    PD_HIDEPRINTTOFILE = 0x00100000,
};

struct PRINTDLG {
    DWORD Flags = 0;
    UINT nFromPage = 0;
    UINT nToPage = 0;
    UINT nMinPage = 0;
    UINT nMaxPage = 0;
};

// Shows the print dialog for printer, modal to parent (null: to the
// application); IDOK or IDCANCEL. The selection choice is offered unless
// PD_NOSELECTION, the page range unless PD_NOPAGENUMS; printing to a file
// is always offered (on Linux it is a printer of the dialog).
int ShowPrintDialog(PRINTDLG& pd, QPrinter& printer, QWidget* parent);

// Replaces the dialog: the hook answers every ShowPrintDialog (it may set
// the printer up and the record's flags and range). Returns the previous
// hook; an empty hook brings the real dialog back.
using PrintDialogHook = std::function<int(PRINTDLG& pd, QPrinter& printer, QWidget* parent)>;
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);
