#include "tests/common/MessageBoxSpy.h"

CMessageBoxSpy::CMessageBoxSpy(int answer)
{
    m_previous = SetMessageBoxHandler([this, answer](const QString& text, unsigned type, int helpId) {
        shown.push_back({text, type, helpId});
        return answer;
    });
}

CMessageBoxSpy::~CMessageBoxSpy()
{
    SetMessageBoxHandler(m_previous);
}

void CMessageBoxSpy::InstallSilentDefault()
{
    SetMessageBoxHandler([](const QString&, unsigned, int) { return IDOK; });
}
