#include "platform/gui/DragDrop.h"

#include <utility>

#include <QDrag>

namespace {
DragDropHook& DragDropHookSlot()
{
    static DragDropHook hook;
    return hook;
}
}  // namespace

Qt::DropAction DoDragDrop(QDrag& drag, Qt::DropActions supported)
{
    if (DragDropHookSlot())
        return DragDropHookSlot()(drag, supported);
    return drag.exec(supported);
}

DragDropHook SetDragDropHook(DragDropHook hook)
{
    return std::exchange(DragDropHookSlot(), std::move(hook));
}

unsigned DropEffectOf(Qt::DropAction action)
{
    switch (action) {
    case Qt::CopyAction:
        return DROPEFFECT_COPY;
    case Qt::MoveAction:
        return DROPEFFECT_MOVE;
    default:
        return DROPEFFECT_NONE;
    }
}

Qt::DropAction DropActionOf(unsigned effect)
{
    if (effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (effect & DROPEFFECT_COPY)
        return Qt::CopyAction;
    return Qt::IgnoreAction;
}
