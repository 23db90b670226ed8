#pragma once
// The password prompt (938) in front of the user panel's advanced entry: a
// small top-level window with a password field of six characters, OK, and
// its own close and minimise buttons. It only compares: the caller runs it
// modally and reads m_bPasswordAccepted afterwards. Every comparison ends
// the prompt with IDOK, whatever its outcome; the close button ends it with
// IDCANCEL. Escape never closes it.
//
// The password is a fixed gate against accidental changes, not a secret:
// the typed text is compared whole and case-sensitively, and neither it nor
// the password is logged or kept.
#include <QDialog>
#include <QImage>

#include "controls/BitButton.h"
#include "controls/PassWordEdit.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/Types.h"

class CAdd_PW_Dlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum : int {
        IDD = 938,
        IDC_CLOSE = 2819,
        IDC_MINIMIZE = 2820,
        IDC_PASSWORD = 2818,
        IDC_OK = 1,
        IDB_BACK = 939,
        PASSWORD_LENGTH = 6,
    };

    explicit CAdd_PW_Dlg(QWidget* parent = nullptr);

    // Lays out the template's controls and runs the set-up; the caller then
    // runs the prompt (RunModalDialog).
    bool Create();

    // The comparison (OK, or Enter in the field), then the end with IDOK.
    void OnOK();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CBitButton m_btnClose;
    CBitButton m_btnMinimize;
    CPassWordEdit m_editPassword;
    CBitButton m_btnOK;
    QImage m_bmpBack;
    int m_bPasswordAccepted = 0;

protected:
    bool OnInitDialog();
    // Enter in the field (the key goes to the field) and Escape; false lets
    // the key through.
    bool PreTranslateMessage(QKeyEvent* event, bool inPasswordField);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
};
