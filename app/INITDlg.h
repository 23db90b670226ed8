#pragma once
// The factory-reset question (dialog 1214): a red warning title, one line
// that says what the reset does, OK and Cancel ("Quit" in English), all in
// the current language. The settings menu's "Restore factory settings" runs
// it modally; OK asks the device to reset.
#include <QDialog>

#include "platform/core/Types.h"

class QLabel;
class QPushButton;

class CINITDlg : public QDialog {
    Q_OBJECT
public:
    enum : int { IDD = 1214, IDC_MESSAGE = 2857, IDC_TITLE = 2856 };

    explicit CINITDlg(QWidget* parent = nullptr);

    // Fonts, the title's red and the texts of g_bChinese.
    void OnInitDialog();

    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QLabel* m_stMessage = nullptr;
    QLabel* m_stTitle = nullptr;
};
