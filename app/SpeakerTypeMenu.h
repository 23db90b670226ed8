#pragma once
// The speaker-position popup menus: 106 in Chinese, 107 in English. The
// popup holds "none" first, then the submenus front (left, right), rear
// (left, right), centre and subwoofers; the item of position code c (0 to
// 24) carries the command id 4100 + c as its data.
#include <memory>

class QAction;
class QMenu;

enum : int {
    MENU_SPEAKER_TYPE_CN = 106,
    MENU_SPEAKER_TYPE_EN = 107,
    ID_SPEAKER_TYPE_FIRST = 4100,
};

// The popup of menu 106 or 107; null for any other id.
std::unique_ptr<QMenu> BuildSpeakerTypeMenu(int menuId);
// The item of a position code in such a popup, or null.
QAction* FindSpeakerTypeItem(const QMenu* menu, int code);
