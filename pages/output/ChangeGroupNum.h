#pragma once
// Which of four link groups to join (dialog 964, "Join Group"): buttons
// "1" to "3" and the default button "4"; the creator sets m_bGroupEnabled
// before the run. IDOK with m_nGroup 1..4, or IDCANCEL with 0.
#include <QDialog>
#include <QPushButton>

class QKeyEvent;

#include "controls/TransparentStatic.h"

class CChangeGroupNum : public QDialog {
    Q_OBJECT
public:
    enum : int { IDD = 964, IDC_GROUP1 = 2819, IDC_GROUP2 = 2820, IDC_GROUP3 = 2821, IDC_PROMPT = 2834 };

    explicit CChangeGroupNum(QWidget* parent = nullptr);

    bool OnInitDialog();
    // Buttons "1" to "3": that group, the dialog ends with IDOK.
    void OnGroupButton(int group);
    // Button "4" and Enter: group 4, unless button "4" is disabled, when
    // Enter does nothing.
    void OnOK();
    int DoModal();

    void accept() override { OnOK(); }
    void reject() override;

protected:
    // Enter is OnOK wherever the focus is, as the dialog's default
    // handling gives it.
    void keyPressEvent(QKeyEvent* event) override;

public:

    QPushButton m_btnGroup4;
    QPushButton m_btnGroup3;
    QPushButton m_btnGroup2;
    QPushButton m_btnGroup1;
    CTransparentStatic m_stcPrompt;
    int m_nGroup = 0;
    // Enable state of buttons "1", "2", "3" and "4".
    int m_bGroupEnabled[4] = {1, 1, 1, 1};
};
