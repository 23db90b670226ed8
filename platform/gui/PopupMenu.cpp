#include "platform/gui/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace {
PopupMenuHandler& PopupHandler()
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
    if (PopupHandler())
        return PopupHandler()(menu, global, owner);
    return CommandOf(menu.exec(global));
}

PopupMenuHandler SetPopupMenuHandler(PopupMenuHandler handler)
{
    PopupMenuHandler previous = std::move(PopupHandler());
    PopupHandler() = std::move(handler);
    return previous;
}
