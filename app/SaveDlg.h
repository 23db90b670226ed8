#pragma once
// The name entry of a machine-preset save (dialog 666): "No." and the slot
// number, an edit starting with the slot's current name, OK and Cancel.
// The edit takes single-byte characters only and lets the user bring the
// name to 13 characters at most; a longer name the slot already holds shows
// whole and stays whole unless the user shortens it. Set m_nSlot, run
// DoModal and read m_strName after OK.
#include <QDialog>
#include <QString>

class CChEnEdit;
class QLabel;
class QPushButton;

class CSaveDlg : public QDialog {
    Q_OBJECT
public:
    enum : int { IDD = 666, IDC_LABEL = 2725, IDC_NAME = 2726, NAME_LIMIT = 13 };

    explicit CSaveDlg(QWidget* parent = nullptr);

    // OnInitDialog, then the modal run (RunModalDialog); answers IDOK or
    // IDCANCEL.
    int DoModal();
    // The edit's rules, the slot's name in it with the focus, the texts of
    // the current language.
    void OnInitDialog();
    // Reads the edit into m_strName and closes with OK.
    void OnOK();
    // Closes with Cancel.
    void OnCancel();

    // Enter: OK; Escape and the close box: Cancel.
    void accept() override;
    void reject() override;

    CChEnEdit* NameEdit() const { return m_editName; }
    QLabel* LabelControl() const { return m_stLabel; }
    QPushButton* Button(int id) const;

    // The slot (1 to 6) the name is for.
    int m_nSlot = 0;
    // The name typed, read on OK.
    QString m_strName;

private:
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    CChEnEdit* m_editName = nullptr;
    QLabel* m_stLabel = nullptr;
};
