#pragma once
// Display texts that more than one channel shows the same way (the
// parameter table prints them).
#include <QString>

// "On" / "OFF".
QString OnOffText(bool on);
// "Pol+" for 0, "Pol-" otherwise; Chinese "正相" / "反相".
QString PolarityText(int polarity);
// Tenths of a millisecond up to 99, whole steps beyond: 99 gives "9.9ms",
// 100 gives "10.0ms", 105 gives "15.0ms".
QString DelayText(int delay);
// "%d" followed by "%".
QString PercentText(int value);
