#pragma once
// The ways a user puts text into a line edit, as events, for the edit
// filter tests.
#include <QString>

class QLineEdit;

// A key press carrying text (as a keyboard or a compose key sends it).
void TypeText(QLineEdit& edit, const QString& text);
// An input method committing text.
void CommitText(QLineEdit& edit, const QString& text);
// text on the clipboard, then the paste keys.
void PasteWithKeys(QLineEdit& edit, const QString& text);
// text on the clipboard, then the paste item of the edit's context menu.
void PasteFromMenu(QLineEdit& edit, const QString& text);
// text dropped at the end of the edit from another window.
void DropText(QLineEdit& edit, const QString& text);
