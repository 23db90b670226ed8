#include "app/MsgBox.h"

#include <QApplication>
#include <QKeyEvent>

#include "platform/core/MessageBoxHook.h"
#include "platform/gui/WindowAttributes.h"

CMsgBox::CMsgBox() : m_timers(this, [this](UINT id) { OnTimer(id); }) {}

CMsgBox::CMsgBox(QWidget* parent) : CMsgBox()
{
    CreateHidden(parent);
}

void CMsgBox::CreateHidden(QWidget* parent)
{
    if (m_bCreated)
        return;
    setParent(parent);
    setObjectName(QStringLiteral("{62BAB41D-B6BB-402C-89EF-5B86830DF68C}"));
    setGeometry(0, 0, 0, 0);
    SetDlgCtrlID(this, ID_HIDDEN_WINDOW);
    hide();
    m_bCreated = true;
}

void CMsgBox::ShowMessage(const QString& text)
{
    m_timers.SetTimer(TIMER_ENTER, ENTER_DELAY_MS);
    AppMessageBox(text, MB_OK, 0);
}

void CMsgBox::OnTimer(UINT)
{
    // Whatever timer fired: answer the box that is up.
    PressEnter();
    m_timers.KillTimer(TIMER_ENTER);
}

void CMsgBox::PressEnter()
{
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr)
        window = QApplication::activeWindow();
    if (window == nullptr)
        return;
    QWidget* receiver = window->focusWidget() ? window->focusWidget() : window;
    QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
    QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));
}
