#pragma once
// Print tests answer the print dialog in place of the user: a PDF file on
// A4 (optionally without a name, so that the job asks for one), a page
// range, or Cancel. The answer records what the dialog was asked.
#include <functional>

#include <QPageSize>
#include <QPrinter>
#include <QString>

#include "controls/PrintDialog.h"
#include "platform/core/MessageBoxHook.h"

class CPrintAnswer {
public:
    explicit CPrintAnswer(const QString& pdfPath) : m_strPath(pdfPath)
    {
        m_previous = SetPrintDialogHook([this](PRINTDLG& pd, QPrinter& printer, QWidget* parent) {
            ++m_nAsked;
            m_asked = pd;
            m_pParent = parent;
            if (m_onAnswer)
                m_onAnswer();
            if (m_bCancel)
                return int(IDCANCEL);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setOutputFileName(m_bNameless ? QString() : m_strPath);
            pd.Flags |= PD_PRINTTOFILE;
            if (m_bRange) {
                pd.Flags |= PD_PAGENUMS;
                pd.nFromPage = m_nFrom;
                pd.nToPage = m_nTo;
            }
            return int(IDOK);
        });
    }
    ~CPrintAnswer() { SetPrintDialogHook(m_previous); }
    CPrintAnswer(const CPrintAnswer&) = delete;
    CPrintAnswer& operator=(const CPrintAnswer&) = delete;

    void Range(UINT from, UINT to)
    {
        m_bRange = true;
        m_nFrom = from;
        m_nTo = to;
    }

    QString m_strPath;
    bool m_bCancel = false;
    bool m_bNameless = false;
    bool m_bRange = false;
    UINT m_nFrom = 0;
    UINT m_nTo = 0;
    // Runs while the dialog is "open", before it answers.
    std::function<void()> m_onAnswer;
    int m_nAsked = 0;
    PRINTDLG m_asked;
    QWidget* m_pParent = nullptr;

private:
    PrintDialogHook m_previous;
};
