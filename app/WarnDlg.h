#pragma once
// A notice (dialog 676): a text, centred, and one button that closes it.
// Set m_strText before OnInitDialog.
#include <QDialog>
#include <QString>

class CTransparentStatic;
class QPushButton;

class CWarnDlg : public QDialog {
    Q_OBJECT
public:
    enum : int { IDD = 676, IDC_TEXT = 2753 };

    explicit CWarnDlg(QWidget* parent = nullptr);

    // The text shown, the button's text by language.
    void OnInitDialog();

    QPushButton* m_btnOk = nullptr;
    CTransparentStatic* m_stText = nullptr;
    QString m_strText;
};
