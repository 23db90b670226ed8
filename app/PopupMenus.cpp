#include "app/PopupMenus.h"

#include <QMenu>

#include "platform/gui/ResourceStore.h"

namespace {
// An item of a menu resource: command id and string id (0: the text is
// given), or a separator (id 0).
struct MenuItem {
    int id;
    unsigned stringId;
    const char* text;
};
const MenuItem kPresets[] = {
    {ID_LOAD_MACHINE_PRESET, 6100, nullptr}, {ID_SAVE_MACHINE_PRESET, 6101, nullptr},
    {ID_DELETE_MACHINE_PRESET, 6102, nullptr}, {0, 0, nullptr},
    {ID_LOAD_PRESET_FILE, 6103, nullptr},      {ID_SAVE_PRESET_FILE, 6105, nullptr},
    {0, 0, nullptr},                           {ID_LOAD_ALL_PRESETS, 6104, nullptr},
    {ID_SAVE_ALL_PRESETS, 6106, nullptr},
};
const MenuItem kSettings[] = {
    {ID_LANGUAGE, 6112, nullptr}, {ID_ADVANCED, 6111, nullptr}, {ID_FIRMWARE_UPDATE, 6110, nullptr},
    {ID_HELP, 6113, nullptr},     {ID_ABOUT, 6114, nullptr},    {ID_RESTORE_FACTORY, 61446, nullptr},
};
const MenuItem kLink[] = {
    {ID_CONNECT_USB, 0, "USB"},
    {ID_CONNECT_NETWORK, 0, "Network"},
};

// The advanced settings' source menu: input sources 0 to 6 (6 = off).
const MenuItem kSources[] = {
    {174, 0, "S/PDIF"}, {175, 0, "Hi.Level"}, {176, 0, "Phone"}, {177, 0, "AUX1"},
    {178, 0, "AUX2"},   {179, 0, "AUX3"},     {180, 0, "OFF"},
};

// The output strips' link-group menu.
const MenuItem kLinkGroups[] = {
    {ID_LINK_NEW_GROUP, 0, "生成新联调组"},
    {ID_LINK_JOIN_GROUP, 0, "加入已有联调组"},
    {ID_LINK_LEAVE_GROUP, 0, "退出联调组"},
    {ID_LINK_DISSOLVE_GROUP, 0, "撤销联调组"},
};

template <size_t N>
void Append(QMenu& menu, const MenuItem (&items)[N])
{
    for (const MenuItem& item : items) {
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        const QString text = item.text != nullptr ? QString::fromUtf8(item.text) : CResourceStore::Text(item.stringId);
        menu.addAction(text)->setData(item.id);
    }
}
}  // namespace

bool FillPopupMenu(QMenu& menu, int menuId)
{
    switch (menuId) {
    case 112: Append(menu, kPresets); return true;
    case 113: Append(menu, kSettings); return true;
    case 114: Append(menu, kLink); return true;
    case 173: Append(menu, kSources); return true;
    case 962: Append(menu, kLinkGroups); return true;
    default: return false;
    }
}

std::unique_ptr<QMenu> LoadPopupMenu(int menuId)
{
    auto menu = std::make_unique<QMenu>();
    if (!FillPopupMenu(*menu, menuId))
        return nullptr;
    return menu;
}

QAction* FindMenuItem(const QMenu* menu, int commandId)
{
    if (menu == nullptr)
        return nullptr;
    for (QAction* item : menu->actions()) {
        if (QMenu* sub = item->menu()) {
            if (QAction* found = FindMenuItem(sub, commandId))
                return found;
        } else if (!item->isSeparator() && item->data().toInt() == commandId) {
            return item;
        }
    }
    return nullptr;
}
