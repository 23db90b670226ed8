#pragma once
// The keys that never close the program's dialogs: Enter and Escape give the
// focus to the dialog itself, so a field being typed in commits, and get no
// dialog processing (no default button, no rejection).
#include "platform/core/Types.h"

class CMsgTarget;
class QKeyEvent;
class QWidget;

// For a dialog's key handler: true (the event accepted) when the key was
// Enter or Escape and the dialog took the focus; false for other keys.
bool TakeFocusOnEnterOrEscape(QWidget* dialog, QKeyEvent* event);

// The key rule of the output strips and the mix columns: Ctrl+C and Ctrl+V
// post copyMessage and pasteMessage (wParam and lParam 0) to target; Enter,
// Escape, Tab and Shift+Tab give the focus to owner, so a field being typed
// in commits. True for those four keys only; the caller decides whether the
// key goes on.
bool TakeStripKey(QWidget* owner, CMsgTarget* target, const QKeyEvent* key, UINT copyMessage, UINT pasteMessage);

// For a page's own key handler: Tab, Shift+Tab, Enter and Escape end there
// (accepted), so they neither walk the controls nor reach a dialog; true
// for those keys.
bool EndNavigationKey(QKeyEvent* event);
