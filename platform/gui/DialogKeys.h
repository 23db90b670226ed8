#pragma once
// The keys that never close the program's dialogs: Enter and Escape give the
// focus to the dialog itself, so a field being typed in commits, and get no
// dialog processing (no default button, no rejection).
class QKeyEvent;
class QWidget;

// For a dialog's key handler: true (the event accepted) when the key was
// Enter or Escape and the dialog took the focus; false for other keys.
bool TakeFocusOnEnterOrEscape(QWidget* dialog, QKeyEvent* event);
