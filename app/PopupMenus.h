#pragma once
// The popup menus of the main view's buttons, as their resources hold them:
// 112 presets and files, 113 settings, 114 connect. Every item carries its
// command id as its data; the texts are those of the string table in
// Chinese until the language switch sets them.
#include <memory>

#include "link/ConnectDecision.h"

class QAction;
class QMenu;

enum : int {
    // Menu 112.
    ID_LOAD_MACHINE_PRESET = 720,
    ID_SAVE_MACHINE_PRESET = 721,
    ID_DELETE_MACHINE_PRESET = 722,
    ID_LOAD_PRESET_FILE = 723,
    ID_LOAD_ALL_PRESETS = 724,
    ID_SAVE_PRESET_FILE = 725,
    ID_SAVE_ALL_PRESETS = 726,
    // Menu 113.
    ID_FIRMWARE_UPDATE = 727,
    ID_ADVANCED = 728,
    ID_LANGUAGE = 729,
    ID_HELP = 730,
    ID_ABOUT = 731,
    ID_RESTORE_FACTORY = 32775,
};
// Menu 114 holds ID_CONNECT_USB and ID_CONNECT_NETWORK.

// Menu 962, the output strips' link groups (Chinese labels only).
enum : int {
    ID_LINK_NEW_GROUP = 32771,
    ID_LINK_JOIN_GROUP = 32772,
    ID_LINK_LEAVE_GROUP = 32773,
    ID_LINK_DISSOLVE_GROUP = 32774,
};

// The popup of menu 112, 113, 114, 173 (the input sources, items 174 to
// 180) or 962; null for any other id.
std::unique_ptr<QMenu> LoadPopupMenu(int menuId);
// The items of the same menus appended to menu; false for any other id.
bool FillPopupMenu(QMenu& menu, int menuId);
// The item with command id in menu or its submenus, or null.
QAction* FindMenuItem(const QMenu* menu, int commandId);
