#pragma once
// Records every message box shown while it lives (the program's own and the
// system's), and answers with a fixed result instead of showing a window.
#include <vector>

#include <QString>

#include "platform/core/MessageBoxHook.h"

class CMessageBoxSpy {
public:
    struct Shown {
        QString text;
        unsigned type;
        int helpId;
    };

    // A box of the system's own kind (SystemMessageBox).
    struct SystemShown {
        QString caption;
        QString text;
        unsigned type;
    };

    explicit CMessageBoxSpy(int answer = IDOK);
    ~CMessageBoxSpy();

    // Outside any spy, message boxes are answered IDOK silently.
    static void InstallSilentDefault();

    std::vector<Shown> shown;
    std::vector<SystemShown> system;

private:
    MessageBoxHandler m_previous;
    SystemMessageBoxHandler m_previousSystem;
};
