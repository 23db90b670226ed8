#include "platform/gui/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace {
PopupMenuHandler& Handler()
{
    static PopupMenuHandler handler;
    return handler;
}
}  // namespace

UINT CommandOf(const QAction* action)
{
    if (action == nullptr)
        return 0;
    bool ok = false;
    const int id = action->data().toInt(&ok);
    return ok && id > 0 ? UINT(id) : 0;
}

UINT TrackPopupMenu(QMenu& menu, const QPoint& global, QWidget* owner)
{
    if (Handler())
        return Handler()(menu, global, owner);
    return CommandOf(menu.exec(global));
}

PopupMenuHandler SetPopupMenuHandler(PopupMenuHandler handler)
{
    PopupMenuHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
