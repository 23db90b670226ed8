#pragma once
// The question whether to save the current presets file first (dialog 719):
// YES, NO or Cancel. Run it with DoModal and read m_nResult: IDYES (6),
// IDNO (7) or IDCANCEL (2); YES closes the dialog as OK, NO and Cancel (the
// button, Escape or the close box) as Cancel. Nothing asks it yet.
#include <QDialog>

class QLabel;
class QPushButton;

class CSaveData_Dlg : public QDialog {
    Q_OBJECT
public:
    enum : int { IDD = 719, IDC_NO = 2790, IDC_QUESTION = 2774 };

    explicit CSaveData_Dlg(QWidget* parent = nullptr);

    // OnInitDialog, then the modal run (RunModalDialog); answers how the
    // dialog closed (IDOK or IDCANCEL). The choice is m_nResult.
    int DoModal();
    // m_nResult = 1; the texts and the caption of the current language.
    void OnInitDialog();
    // YES (button 1).
    void OnOK();
    // NO (button 2790).
    void OnNo();
    // Cancel (button 2).
    void OnCancel();

    // Escape and the close box: as the Cancel button.
    void reject() override;

    QPushButton* Button(int id) const;
    QLabel* QuestionControl() const { return m_stQuestion; }

    int m_nResult = 1;

private:
    QPushButton* m_btnYes = nullptr;
    QPushButton* m_btnNo = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QLabel* m_stQuestion = nullptr;
};
