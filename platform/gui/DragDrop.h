#pragma once
// The one way the program runs a drag out of its windows: QDrag::exec
// through a replaceable function, so that tests answer in place of the
// user (the drop action a target chose, or none) and no drag loop runs,
// which a headless session could not run anyway. UI thread only.
#include <functional>

#include <Qt>

class QDrag;

// Drop effects as the drag source and target speak of them.
enum : unsigned {
    DROPEFFECT_NONE = 0,
    DROPEFFECT_COPY = 1,
    DROPEFFECT_MOVE = 2,
};

// Runs the drag offering supported; the action the target took
// (Qt::IgnoreAction when the drag was cancelled), or the hook's answer.
Qt::DropAction DoDragDrop(QDrag& drag, Qt::DropActions supported);

// Replaces the drag loop; returns the previous hook (empty: the real loop).
using DragDropHook = std::function<Qt::DropAction(QDrag& drag, Qt::DropActions supported)>;
DragDropHook SetDragDropHook(DragDropHook hook);

// Drop effect <-> Qt's drop action (copy, move, else none).
unsigned DropEffectOf(Qt::DropAction action);
Qt::DropAction DropActionOf(unsigned effect);
