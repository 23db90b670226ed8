#pragma once
// The high-resolution counter that time stamps and link time-outs are
// measured with: ticks of the steady clock, g_liPerfFreq ticks a second.
#include <cstdint>

constexpr std::int64_t g_liPerfFreq = 1000000000;

// The counter now; only differences between two readings mean anything.
std::int64_t QueryPerformanceCounter();
