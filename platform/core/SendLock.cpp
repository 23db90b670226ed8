#include "platform/core/SendLock.h"

CCriticalSection g_csSendLock;
