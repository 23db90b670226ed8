#include "platform/core/AppMode.h"

int g_nAppMode = APP_MODE_DEFAULT;
