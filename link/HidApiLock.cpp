#include "link/HidApiLock.h"

std::mutex& HidApiMutex()
{
    static std::mutex mutex;
    return mutex;
}
