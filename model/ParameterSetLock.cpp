#include "model/ParameterSetLock.h"

std::recursive_mutex g_ParameterSetLock;
