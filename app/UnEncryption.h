#pragma once
// The password dialog of the data lock (dialog 1133). Mode 0 asks for the
// password that locks the output data (OK, Cancel); mode 1 asks for it to
// unlock (Unlock, and "reset", which throws away all twelve outputs for
// the factory ones and needs no password). The password is six bytes of
// the device image's text: six ASCII characters or three Chinese ones.
// Escape and the close box cancel without a reset.
#include <QDialog>
#include <QString>

#include "platform/core/Types.h"

class CTransparentStatic;
class QLineEdit;
class QPushButton;

// Set once the lock button has been pressed; the reset button acts only
// then (and only while the data is locked).
extern bool g_bLockButtonPressed;

class CUnEncryption : public QDialog {
    Q_OBJECT
public:
    enum : int {
        IDD = 1133,
        IDC_RESET = 3,
        IDC_PASSWORD = 2818,
        IDC_PROMPT = 2846,
        PASSWORD_BYTES = 6,
        // The timed box of a wrong length.
        BOX_HELP_ID = 2000,
    };
    enum : int { MODE_LOCK = 0, MODE_UNLOCK = 1 };

    explicit CUnEncryption(QWidget* parent = nullptr);

    // Texts of the language and the mode; the field, the password and the
    // flags emptied.
    void OnInitDialog();
    // The set-up, then the modal run (RunModalDialog): Accepted when a
    // password was taken.
    int DoModal();
    // OK (Enter): a password of exactly six device bytes closes the dialog;
    // anything else is said, the field emptied and asked again.
    void OnOK();
    // The second button: a reset while locked after the lock button was
    // pressed; the dialog closes as cancelled in any case.
    void OnResetButton();

    // Whether text is a password the image can hold: exactly six bytes of
    // the device's text, every character one the device's text has.
    static bool IsStorablePassword(const QString& text);

    QPushButton* m_btnReset = nullptr;
    QPushButton* m_btnOk = nullptr;
    QLineEdit* m_editPassword = nullptr;
    CTransparentStatic* m_stPrompt = nullptr;
    QString m_strPassword;
    bool m_bNotEmpty = false;
    bool m_bReset = false;
    int m_nMode = MODE_LOCK;
};
