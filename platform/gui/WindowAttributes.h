#pragma once
// What a child window carries besides its Qt state: the control id that its
// notifications name, the style bits of its dialog template, and the parent
// that receives its messages.
#include "platform/core/Types.h"

class CMsgTarget;
class QWidget;

void SetDlgCtrlID(QWidget* window, int id);
// 0 for a window that was given no id.
int GetDlgCtrlID(const QWidget* window);

void SetWindowStyle(QWidget* window, DWORD style);
// 0 for a window that was given no style.
DWORD GetWindowStyle(const QWidget* window);

// The extended style bits (WS_EX_...), kept apart from the style.
void SetWindowExStyle(QWidget* window, DWORD exStyle);
// 0 for a window that was given no extended style.
DWORD GetWindowExStyle(const QWidget* window);

// The window's own enabled state, as the old platform keeps it: a window is
// disabled only when it was disabled itself. A window whose ancestor is
// disabled still counts as enabled (and keeps its enabled look), though Qt
// gives it no input.
bool IsWindowEnabled(const QWidget* window);

// The child of dialog (at any depth) whose control id is id, or null.
QWidget* GetDlgItem(const QWidget* dialog, int id);

// The widget a window's client coordinates belong to: the viewport of a
// scroll area, else the window itself (null for null).
QWidget* GetClientWidget(QWidget* window);

// The parent window as a message target, or null when there is no parent or
// the parent handles no messages.
CMsgTarget* GetParentTarget(const QWidget* window);

// The next (or, with previous, the preceding) control of ctl's dialog group
// among dialog's direct children, in child order: a group starts at a child
// with the WS_GROUP style (or the first child) and runs up to the next such
// child; the walk wraps around inside the group and skips hidden and
// disabled controls. ctl itself when the group holds no other such control;
// null when ctl is not a child of dialog.
QWidget* GetNextDlgGroupItem(const QWidget* dialog, const QWidget* ctl, bool previous = false);
