#include "model/ChangeScanFlags.h"

std::atomic<bool> g_bSendSysItem5{false};
std::atomic<bool> g_bSendSysItem2{false};
std::atomic<bool> g_bSendPresetName{false};
std::atomic<bool> g_bModeGainsChanged{false};
