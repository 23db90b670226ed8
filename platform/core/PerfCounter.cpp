#include "platform/core/PerfCounter.h"

#include <chrono>

static_assert(std::chrono::steady_clock::period::num == 1 &&
                  std::chrono::steady_clock::period::den == g_liPerfFreq,
              "the counter frequency is the steady clock's tick rate");

std::int64_t QueryPerformanceCounter()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}
