#include "platform/gui/MouseKeyFlags.h"

#include <QMouseEvent>

#include "platform/core/SystemMessages.h"

WPARAM MouseKeyFlags(const QMouseEvent* event)
{
    WPARAM flags = 0;
    if (event->buttons() & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (event->buttons() & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}
