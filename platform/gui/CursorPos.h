#pragma once
// The mouse cursor's position on the screen, read and moved in one place so
// that tests can stand in for the pointer: a control that judges an action
// by where the cursor is (a drop list's pick, a page moving the cursor off a
// graph) reads it here.
#include <functional>

#include <QPoint>

// The cursor's position in global (screen) coordinates.
QPoint GetCursorPos();
// Moves the cursor to a global position.
void SetCursorPos(const QPoint& global);

// Replaces the real cursor: the hook answers GetCursorPos, and SetCursorPos
// moves the hook's cursor instead of the real one. Returns the previous
// hook; an empty hook restores the real cursor.
struct CursorHook {
    std::function<QPoint()> get;
    std::function<void(const QPoint&)> set;
};
CursorHook SetCursorHook(CursorHook hook);
