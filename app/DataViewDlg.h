#pragma once
// The parameter table: every parameter of every channel as one report list
// (a row per parameter, a column per channel: the mic, the four music
// channels, the effect block and the twelve outputs), which the dialog can
// print and export as an .xlsx workbook. No command of the main window
// opens it; the view's ShowParameterTable does.
//
// The table is filled when the dialog opens, in the current language, from
// the parameter set read under its lock. The print job blocks the dialog
// while it runs (its progress window offers Cancel). The export writes the
// chosen file whole or not at all: a failure keeps the file that was there.
#include <QDialog>
#include <QString>
#include <QStringList>

#include "platform/core/MsgTarget.h"

class CKTV_Data;
class CListCtrl;
class QPushButton;

class CDataViewDlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int {
        IDD = 102,
        IDC_PRINT = 1366,
        IDC_LIST = 1367,
        IDC_EXPORT = 1369,
    };
    // Rows and columns of the table.
    enum : int {
        TABLE_BANDS = 31,
        ROWS_PER_BAND = 6,
        TABLE_ROWS = TABLE_BANDS * ROWS_PER_BAND + 19 + 13,
        TABLE_COLUMNS = 19,
    };

    explicit CDataViewDlg(QWidget* parent = nullptr);
    ~CDataViewDlg() override;

    // OnInitDialog, then the dialog runs modally (RunModalDialog).
    int DoModal();
    // Texts of the current language, the list's look, the table filled.
    bool OnInitDialog();
    // The columns, the rows and every channel's texts.
    void FillList();
    void OnPrintButton();
    // Exports the list as sheet "TOVIK" (in application modes 1 and 2).
    void OnExportExcel();
    // Asks for the file, writes the workbook: row 0 the headings, then the
    // rows, every non-empty text as a string cell. Nothing for an empty list.
    void ExportList(CListCtrl* list, const QString& table);
    // The file to export to; false when the user cancels.
    bool ChooseExportFile(QString& file);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Keeps the columns' widths: a divider drag is refused.
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);

    QPushButton* m_btnExport = nullptr;
    QPushButton* m_btnPrint = nullptr;
    CListCtrl* m_list = nullptr;
    QStringList m_astrRowLabels;
    // The parameter set shown; set by the opener.
    CKTV_Data* m_pData = nullptr;
    QString m_strPrint;
    QString m_strExport;
    QStringList m_astrLabels;
    QStringList m_astrHeaders;
};
