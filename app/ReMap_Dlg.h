#pragma once
// The output-map reset question (dialog 711): empty every output's speaker
// type, restore the default types, or leave the map alone. The output page
// runs it modally and reads m_nResult: 1 Emptied, 2 Default, 0 Cancel.
// Run it with DoModal. Emptied and Default close the dialog as OK, Cancel (the button, Escape or
// the close box) as Cancel.
#include <QDialog>

class QLabel;
class QPushButton;

class CReMap_Dlg : public QDialog {
    Q_OBJECT
public:
    enum : int { IDD = 711, IDC_DEFAULT = 2768, IDC_QUESTION = 2769 };

    explicit CReMap_Dlg(QWidget* parent = nullptr);

    // OnInitDialog, then the modal run (RunModalDialog); answers how the
    // dialog closed (IDOK or IDCANCEL). The choice is m_nResult.
    int DoModal();
    // m_nResult = 1; the texts and the caption of the current language.
    void OnInitDialog();
    // Emptied (button 1).
    void OnOK();
    // Default (button 2768).
    void OnDefault();
    // Cancel (button 2).
    void OnCancel();

    // Escape and the close box: as the Cancel button.
    void reject() override;

    QPushButton* Button(int id) const;
    QLabel* QuestionControl() const { return m_stQuestion; }

    int m_nResult = 1;

private:
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnDefault = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QLabel* m_stQuestion = nullptr;
};
