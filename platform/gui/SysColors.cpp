#include "platform/gui/SysColors.h"

#include <mutex>

namespace {
// The system's standard scheme (the defaults the program's users saw), in
// index order.
constexpr QRgb kClassic[SYS_COLOR_COUNT] = {
    0xC8C8C8,  // scroll bar
    0x000000,  // desktop
    0x99B4D1,  // active caption
    0xBFCDDB,  // inactive caption
    0xF0F0F0,  // menu
    0xFFFFFF,  // window
    0x646464,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0x000000,  // caption text
    0xB4B4B4,  // active border
    0xF4F7FC,  // inactive border
    0xABABAB,  // application workspace
    0x3399FF,  // highlight
    0xFFFFFF,  // highlight text
    0xF0F0F0,  // button face
    0xA0A0A0,  // button shadow
    0x6D6D6D,  // grey text
    0x000000,  // button text
    0x434E54,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x696969,  // 3D dark shadow
    0xE3E3E3,  // 3D light
    0x000000,  // tooltip text
    0xFFFFE1,  // tooltip background
};

std::mutex g_sysColorHookMutex;
SysColorHook g_sysColorHook;
}  // namespace

QColor GetSysColor(int index)
{
    {
        std::lock_guard<std::mutex> lock(g_sysColorHookMutex);
        if (g_sysColorHook) {
            if (std::optional<QColor> colour = g_sysColorHook(index))
                return *colour;
        }
    }
    if (index < 0 || index >= SYS_COLOR_COUNT)
        return QColor(0, 0, 0);
    return QColor::fromRgb(kClassic[index]);
}

SysColorHook SetSysColorHook(SysColorHook hook)
{
    std::lock_guard<std::mutex> lock(g_sysColorHookMutex);
    SysColorHook previous = std::move(g_sysColorHook);
    g_sysColorHook = std::move(hook);
    return previous;
}
