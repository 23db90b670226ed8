#pragma once
// The communication log: a modeless dialog with two text panes, the data
// written to the device on the left and the data read from it on the right,
// each line optionally stamped with the time, and a Clear button. The view
// makes it once, hidden, as a child freed with itself (g_pCommLogDlg).
#include <QDialog>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CLockDataDlg : public QDialog {
    Q_OBJECT
public:
    enum : int {
        IDD = 109,
        IDC_SENT_LOG = 1221,
        IDC_RECEIVED_LOG = 1024,
        IDC_CLEAR = 1222,
        IDC_SMALL_EDIT1 = 1884,
        IDC_SMALL_EDIT2 = 1885,
    };

    // Made hidden, with both panes empty.
    explicit CLockDataDlg(QWidget* parent = nullptr);

    // Appends text to the written-data or read-data pane; withTime adds
    // " (" and the counter reading in seconds and ")", newLine a line break.
    // "\r\n" counts as one line break. The pane shows its end afterwards.
    void AppendSentLog(const char* text, bool withTime, bool newLine);
    void AppendSentLog(const QString& text, bool withTime, bool newLine);
    void AppendReceivedLog(const char* text, bool withTime, bool newLine);
    void AppendReceivedLog(const QString& text, bool withTime, bool newLine);
    // Empties both panes and shows the dialog.
    void ClearAndShow();
    // The Clear button: empties both panes.
    void OnClear();

    QPlainTextEdit* SentPane() const { return m_editSent; }
    QPlainTextEdit* ReceivedPane() const { return m_editReceived; }
    QPushButton* ClearButton() const { return m_btnClear; }

private:
    static void Append(QPlainTextEdit* pane, const QString& text, bool withTime, bool newLine);

    QPlainTextEdit* m_editSent = nullptr;
    QPlainTextEdit* m_editReceived = nullptr;
    QPushButton* m_btnClear = nullptr;
    // Looked up as the dialog starts; nothing uses them.
    QLineEdit* m_editSmall1 = nullptr;
    QLineEdit* m_editSmall2 = nullptr;
};

// The view's communication log while the view exists, null otherwise.
extern CLockDataDlg* g_pCommLogDlg;
