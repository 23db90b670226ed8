#pragma once
// The local date and time a printout or a record is stamped with, read
// through a replaceable function so that tests fix the moment.
#include <ctime>
#include <functional>

#include <QString>

// Now, or the hook's answer.
std::time_t WallClockNow();
// The moment formatted like strftime's "%c" in the current C locale.
QString WallClockText(std::time_t when);

// Replaces the clock; returns the previous hook (empty: the real clock).
using WallClockHook = std::function<std::time_t()>;
WallClockHook SetWallClockHook(WallClockHook hook);
