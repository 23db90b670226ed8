#pragma once
// What the grid's in-place editors share: their key rules, the first key
// typed for the user, the grid's font, and the end-of-edit notice.
#include <functional>

#include <QString>

#include "platform/core/Types.h"

class QEvent;
class QFont;
class QKeyEvent;
class QWidget;

// The keys that end an edit started by a key: the four arrows, PgUp and
// PgDn (not Home and End).
bool IsArrowOrPageKey(UINT nChar);

// For an editor's event handler: a ShortcutOverride for Alt+key or for a key
// that ends the edit (Tab, Enter, Escape) is claimed, so no shortcut of the
// window (a menu, a mnemonic, a default button) takes it; a Tab or Shift+Tab
// press goes to keyPress before the widget could turn it into a focus move.
// True when the event was handled here.
bool HandleEditorKeys(QEvent* event, const std::function<void(QKeyEvent*)>& keyPress);

// Types one character into widget as a key press, so that input filters
// judge it like a typed one; VK_BACK is the Backspace key.
void TypeCharacter(QWidget* widget, UINT nChar);

// The grid's font (WM_GETFONT), null when it has none or is no message
// target.
const QFont* GridFontOf(QWidget* grid);

// Sends grid the end of an edit: an NMGRIDITEM (WM_NOTIFY, code
// LVN_ENDLABELEDITA) from editor with its control id, the cell, the text and
// the key that ended the edit. Nothing when grid is null or takes no
// messages.
void SendEndOfEdit(QWidget* editor, QWidget* grid, int row, int col, const QString& text, UINT lastChar);
