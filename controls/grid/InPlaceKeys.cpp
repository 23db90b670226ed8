#include "controls/grid/InPlaceKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/core/SystemMessages.h"

bool IsArrowOrPageKey(UINT nChar)
{
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

bool ClaimEditorShortcut(QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = key->key();
    if ((key->modifiers() & Qt::AltModifier) || code == Qt::Key_Return || code == Qt::Key_Enter ||
        code == Qt::Key_Escape || code == Qt::Key_Tab || code == Qt::Key_Backtab) {
        event->accept();
        return true;
    }
    return false;
}

bool IsTabPress(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int code = static_cast<const QKeyEvent*>(event)->key();
    return code == Qt::Key_Tab || code == Qt::Key_Backtab;
}

void TypeCharacter(QWidget* widget, UINT nChar)
{
    const int key = nChar == VK_BACK ? Qt::Key_Backspace : Qt::Key_unknown;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(char16_t(nChar))));
    QCoreApplication::sendEvent(widget, &press);
}
