#pragma once
// The L/R link's question (dialog 369, "L/R Link"): in which direction the
// paired left and right outputs are made equal before they are linked. The
// output page runs it as a local object; after IDOK it reads m_nDirection
// (0 left to right, 1 right to left).
#include <QButtonGroup>
#include <QDialog>
#include <QPushButton>

#include "controls/ButtonRadio.h"
#include "controls/TransparentStatic.h"

class CAll_Link_Dlg : public QDialog {
    Q_OBJECT
public:
    enum : int { IDD = 369, IDC_PROMPT = 2754, IDC_LEFT_TO_RIGHT = 2251, IDC_RIGHT_TO_LEFT = 2252 };

    explicit CAll_Link_Dlg(QWidget* parent = nullptr);

    // save TRUE: the radios into m_nDirection; FALSE: m_nDirection onto the
    // radios.
    void DoDataExchange(bool save);
    void OnDirectionRadio();
    // The texts of the language and the prompt caption.
    bool OnInitDialog();
    // IDOK or IDCANCEL (Escape and the close box too).
    int DoModal();

    void accept() override;
    void reject() override;

    QPushButton m_btnOK;
    QPushButton m_btnCancel;
    CTransparentStatic m_stcPrompt;
    CButtonRadio m_radioLeftToRight;
    CButtonRadio m_radioRightToLeft;
    int m_nDirection = 0;

private:
    QButtonGroup m_group;
};
