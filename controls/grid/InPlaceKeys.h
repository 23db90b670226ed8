#pragma once
// The key rules the grid's in-place editors share.
#include "platform/core/Types.h"

class QEvent;
class QWidget;

// The keys that end an edit started by a key: the four arrows, PgUp and
// PgDn (not Home and End).
bool IsArrowOrPageKey(UINT nChar);

// For an editor's event handler: a ShortcutOverride for Alt+key or for a key
// that ends the edit (Tab, Enter, Escape) is claimed, so no shortcut of the
// window (a menu, a mnemonic, a default button) takes it. True when claimed.
bool ClaimEditorShortcut(QEvent* event);

// True for a Tab or Shift+Tab press, which the widget would turn into a
// focus move before its key handler saw it.
bool IsTabPress(const QEvent* event);

// Types one character into widget as a key press, so that input filters
// judge it like a typed one; VK_BACK is the Backspace key.
void TypeCharacter(QWidget* widget, UINT nChar);
