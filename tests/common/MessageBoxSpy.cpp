#include "tests/common/MessageBoxSpy.h"

CMessageBoxSpy::CMessageBoxSpy(int answer)
{
    m_previous = SetMessageBoxHandler([this, answer](const QString& text, unsigned type, int helpId) {
        shown.push_back({text, type, helpId});
        return answer;
    });
    m_previousSystem =
        SetSystemMessageBoxHandler([this, answer](const QString& caption, const QString& text, unsigned type) {
            system.push_back({caption, text, type});
            return answer;
        });
}

CMessageBoxSpy::~CMessageBoxSpy()
{
    SetMessageBoxHandler(m_previous);
    SetSystemMessageBoxHandler(m_previousSystem);
}

void CMessageBoxSpy::InstallSilentDefault()
{
    SetMessageBoxHandler([](const QString&, unsigned, int) { return IDOK; });
    SetSystemMessageBoxHandler([](const QString&, const QString&, unsigned) { return IDOK; });
}
