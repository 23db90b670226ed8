#pragma once
// Two small text helpers: the time stamp of the communication log, and the
// digits of a number in any radix.
#include <cstdint>

#include <QString>

// "延时(秒)=" and ticks / g_liPerfFreq with six decimals, then one blank.
QString FormatDelayText(std::int64_t ticks);

// The digits of value in radix 2 to 36, upper case: radix 10 writes a minus
// sign before a negative value, every other radix writes the 32-bit two's
// complement pattern; radix 16 pads to four digits with leading zeros. An
// empty text for a radix outside 2 to 36.
QString ToRadixString(int value, int radix);
