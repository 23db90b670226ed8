#include "model/DataLockState.h"

std::atomic<bool> g_bDataLocked{false};
std::atomic<bool> g_bClearLockMarker{false};
QString g_strLockPassword;
