#pragma once
// Records every message box shown while it lives, and answers with a fixed
// result instead of showing a window.
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

    explicit CMessageBoxSpy(int answer = IDOK);
    ~CMessageBoxSpy();

    // Outside any spy, message boxes are answered IDOK silently.
    static void InstallSilentDefault();

    std::vector<Shown> shown;

private:
    MessageBoxHandler m_previous;
};
