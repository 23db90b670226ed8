#include "platform/core/Language.h"

std::atomic<bool> g_bChinese{false};
