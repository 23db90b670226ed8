#pragma once
// Popup menus shown at a point, in one place, so that tests can answer them:
// a control or page that tracks a popup menu calls TrackPopupMenu, and a
// test installs a handler that picks an item (or none) without a nested
// event loop.
//
// Each item that sends a command carries its command id as its action's
// data (an int); the answer is that id.
#include <functional>

#include <QPoint>

#include "platform/core/Types.h"

class QMenu;
class QWidget;

// Shows menu at the screen point global for owner and waits until it closes;
// answers the command id of the chosen item, 0 when none was chosen (the
// menu was dismissed, or the item carries no id).
UINT TrackPopupMenu(QMenu& menu, const QPoint& global, QWidget* owner);

// Replaces the showing: the handler gets the menu, the point and the owner
// and answers as TrackPopupMenu does. Returns the previous handler; an
// empty handler restores the real menu.
using PopupMenuHandler = std::function<UINT(QMenu& menu, const QPoint& global, QWidget* owner)>;
PopupMenuHandler SetPopupMenuHandler(PopupMenuHandler handler);

// The command id an item carries, 0 for none.
UINT CommandOf(const class QAction* action);
