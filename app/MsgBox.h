#pragma once
// A hidden window that can close a plain message box by itself: ShowMessage
// shows the text through the program's message box and, one second later, a
// synthesised Enter key answers it for the user. The main view creates one;
// nothing shows a box with it.
#include <QString>
#include <QWidget>

#include "platform/gui/TimerMap.h"

class CMsgBox : public QWidget {
    Q_OBJECT
public:
    // No window yet.
    CMsgBox();
    // Creates the hidden window under parent at once.
    explicit CMsgBox(QWidget* parent);

    // Creates the hidden child window (control id 1000) once; later calls do
    // nothing.
    void CreateHidden(QWidget* parent);
    bool IsCreated() const { return m_bCreated; }

    // Arms the one-second timer, then shows the text with an OK button and
    // returns when the box is closed.
    void ShowMessage(const QString& text);
    // A press and a release of Enter for the active window.
    static void PressEnter();

    enum : UINT { TIMER_ENTER = 100, ENTER_DELAY_MS = 1000, ID_HIDDEN_WINDOW = 1000 };

private:
    void OnTimer(UINT id);

    QString m_strText;
    bool m_bCreated = false;
    CTimerMap m_timers;
};
