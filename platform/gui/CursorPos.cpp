#include "platform/gui/CursorPos.h"

#include <utility>

#include <QCursor>

namespace {
CursorHook& Hook()
{
    static CursorHook hook;
    return hook;
}
}  // namespace

QPoint GetCursorPos()
{
    const CursorHook& hook = Hook();
    return hook.get ? hook.get() : QCursor::pos();
}

void SetCursorPos(const QPoint& global)
{
    const CursorHook& hook = Hook();
    if (hook.set)
        hook.set(global);
    else if (!hook.get)
        QCursor::setPos(global);
}

CursorHook SetCursorHook(CursorHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}
