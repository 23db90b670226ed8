#pragma once
// The program's own message box: a centred text, one or two buttons whose
// captions follow the language flag, and a caption. The help id of a
// message-box call is the box's auto-close time in milliseconds when above
// zero, and it also picks the caption: 2000 and 2001 the prompt and warning
// captions of the current language; -2 to -5 a fixed prompt or warning
// caption in Chinese or English; 0 and other values keep the caption given.
//
// The answer is m_nResult after DoModal: IDOK, IDCANCEL, IDYES or IDNO. A box
// that nothing answers otherwise answers IDCANCEL: OK gives IDOK and Cancel
// IDCANCEL on every button set that shows those two, and the single Quit
// button of set 6 answers IDCANCEL to Enter as well.
#include <QDialog>
#include <QString>

#include "platform/core/MessageBoxHook.h"
#include "platform/core/Types.h"
#include "platform/gui/TimerMap.h"

class QLabel;
class QPushButton;

class CMessageBox : public QDialog {
    Q_OBJECT
public:
    // The box of a message-box call: no parent.
    CMessageBox(const QString& text, UINT type, const QString& caption, int helpId);
    // A box set up with SetMessage afterwards.
    explicit CMessageBox(QWidget* parent);
    // Stores text, type and help id; the caption becomes the main title
    // ("Orvane 7734"), whatever caption is passed.
    void SetMessage(const QString& text, UINT type, const QString& caption, int helpId);

    // Shows the box modally; the answer is in m_nResult.
    int DoModal();

    // The box of one message-box call, captioned with the application's
    // name (string 57344), run modally; answers the result it stored.
    static int RunForCall(const QString& text, UINT type, int helpId);
    // Makes every AppMessageBox call show this box (RunForCall).
    static void InstallAsMessageBoxHandler();

    int m_nResult = IDCANCEL;

    enum : UINT { TIMER_CLOSE = 300 };
    enum : int { IDC_TEXT = 1001 };
    // Button 1 (IDOK) or 2 (IDCANCEL), and the text control, for inspection.
    QPushButton* Button(int id) const;
    QLabel* TextControl() const { return m_stText; }

    // Escape, the close box: as the Cancel button.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void OnInitDialog();
    void OnOK();
    void OnCancel();
    void OnTimer(UINT id);
    UINT ButtonSet() const { return m_nType & 0xF; }
    bool HasIcon() const { return (m_nType & 0xF0) != 0; }
    int CancelResult() const;
    void CentreButton(QPushButton* button);

    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnOK = nullptr;
    QLabel* m_stText = nullptr;
    QString m_strText;
    UINT m_nType = 0;
    int m_nTimeout = 0;
    QString m_strCaption;
    bool m_bEnded = false;
    CTimerMap m_timers;
};

class QWidget;

// The message-box call of the view, the pages and the dialogs: owner,
// caption and reserved are not used (the box is captioned with the
// application's name like every other); AppMessageBox(text, type, helpId).
int ShowAppMessageBox(QWidget* owner, const QString& text, const QString& caption, UINT type, int reserved,
                      int helpId);
