#include "app/LineSetting.h"

int g_nLineSet = 1;
