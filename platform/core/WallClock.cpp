#include "platform/core/WallClock.h"

#include <utility>

namespace {
WallClockHook& WallClockHookSlot()
{
    static WallClockHook hook;
    return hook;
}
}  // namespace

std::time_t WallClockNow()
{
    if (WallClockHookSlot())
        return WallClockHookSlot()();
    return std::time(nullptr);
}

QString WallClockText(std::time_t when)
{
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr)
        return QString();
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%c", &local);
    return QString::fromLocal8Bit(text, qsizetype(length));
}

WallClockHook SetWallClockHook(WallClockHook hook)
{
    return std::exchange(WallClockHookSlot(), std::move(hook));
}
