#pragma once
// The window a print job shows while it prints: the document, where it goes
// ("on" a printer, "to" a file), how far it is ("%d %") and a Cancel button.
// It is modal to the window the job prints for, so nothing there runs while
// the job lets events through; Cancel, Escape and the close box only ask
// the job to stop (g_bPrintUserAbort), and the job closes the window.
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

class CPrintingDlg : public QDialog {
    Q_OBJECT
public:
    // port: the printer's name, or the file printed to.
    CPrintingDlg(QWidget* parent, const QString& docName, const QString& port, bool toFile);

    // The progress text of the page with ordinal n of count: n x 100 / count.
    void SetProgress(int n, int count);

    QString PortText() const;
    QString ProgressText() const;
    QPushButton* CancelButton() const { return m_btnCancel; }

    void reject() override;

private:
    QLabel* m_stDocument = nullptr;
    QLabel* m_stPort = nullptr;
    QLabel* m_stProgress = nullptr;
    QPushButton* m_btnCancel = nullptr;
};
