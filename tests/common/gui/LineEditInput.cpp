#include "tests/common/gui/LineEditInput.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

void TypeText(QLineEdit& edit, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(&edit, &press);
}

void CommitText(QLineEdit& edit, const QString& text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(&edit, &commit);
}

void PasteWithKeys(QLineEdit& edit, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(&edit, &press);
}

void PasteFromMenu(QLineEdit& edit, const QString& text)
{
    QApplication::clipboard()->setText(text);
    const QList<QMenu*> before = edit.findChildren<QMenu*>();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), edit.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&edit, &menuEvent);
    for (QMenu* menu : edit.findChildren<QMenu*>()) {
        if (before.contains(menu))
            continue;
        const QString pasteKeys =
            QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* action : menu->actions()) {
            if (action->text().endsWith(pasteKeys))
                action->trigger();
        }
        menu->close();
    }
}

void DropText(QLineEdit& edit, const QString& text)
{
    QMimeData mime;
    mime.setText(text);
    const QPoint at(edit.width() - 2, edit.height() / 2);
    // The drop goes to the window that accepted the drag's entry.
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &drop);
}
