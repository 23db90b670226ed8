#pragma once
#include <atomic>

// The language flag: TRUE shows every text and skin in Chinese. Every layer
// reads it at the moment it shows something, so it lives at the bottom.
extern std::atomic<bool> g_bChinese;
