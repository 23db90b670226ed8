#include "model/Units.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/FrequencyTables.h"

const double g_dDelayStepMs = 0.020833333333333332;

namespace {
constexpr double kIntLimit = 1073741824.0;  // 2^30

double ClampForInt(double value)
{
    if (std::isnan(value))
        return 0.0;
    if (value > kIntLimit)
        return kIntLimit;
    if (value < -kIntLimit)
        return -kIntLimit;
    return value;
}

// log10 of a frequency ratio: frequencies of 0 or less (and NaN) count as 1 Hz.
double LogOfHz(double hz, double base)
{
    if (!(hz > 0.0))
        hz = 1.0;
    return std::log10(hz / base);
}

// The steppers' fixed temperature of 25 degrees Celsius.
constexpr double kSpeedOfSound = 331 + 0.6 * 25;      // m/s
constexpr double kSpeedOfSoundInch = 331.4 + 0.6 * 25;  // m/s, the inch path
constexpr double kInchesPerMetre = 39.3696;             // 3.2808 ft x 12

double DelayMs(long long steps)
{
    return steps == DELAY_STEPS_MAX ? 20.0 : double(steps) * g_dDelayStepMs;
}

// A distance as the delay edits show it: "%0.0f" and read back.
double Shown(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%0.0f", value);
    return std::strtod(text, nullptr);
}

double ShownCentimetres(long long steps)
{
    return Shown(kSpeedOfSound / 1000 * DelayMs(steps) * 100);
}

double ShownInches(long long steps)
{
    const double speed = steps == DELAY_STEPS_MAX ? kSpeedOfSoundInch : kSpeedOfSound;
    return Shown(speed / 1000 * DelayMs(steps) * 3.2808 * 12);
}

int LimitSteps(long long steps)
{
    if (steps < 0)
        return 0;
    if (steps > DELAY_STEPS_MAX)
        return DELAY_STEPS_MAX;
    return int(steps);
}

// Walks from steps by dir until the shown distance has moved by one unit
// and returns that candidate. *atEnd tells that no candidate was found:
// the walk stood at or ran off either end, or had no direction.
long long WalkShown(int steps, int dir, double (*shown)(long long), bool* atEnd)
{
    *atEnd = true;
    if (dir == 0)
        return LimitSteps(steps);
    if ((dir > 0 && steps == DELAY_STEPS_MAX) || (dir < 0 && steps == 0))
        return steps;
    const double current = shown(steps);
    long long n = (long long)steps + dir;
    for (;;) {
        const double delta = shown(n) - current;
        if ((dir > 0 && delta >= 1) || (dir <= 0 && delta <= -1)) {
            *atEnd = false;
            return n;
        }
        n += dir;
        if (n >= DELAY_STEPS_MAX)
            return DELAY_STEPS_MAX;
        if (n < 0)
            return 0;
    }
}
}  // namespace

int TruncateToInt(double value)
{
    return int(ClampForInt(value));
}

int FloorToInt(double value)
{
    return int(std::floor(ClampForInt(value)));
}

double Log10Double(double x)
{
    return std::log10(x);
}

int QToBandwidthIndex(double q)
{
    for (int i = 0; i < BANDWIDTH_INDEX_MAX; ++i) {
        if (q >= g_OctaveToQTable[size_t(i)])
            return i;
    }
    return BANDWIDTH_INDEX_MAX;
}

double BandwidthIndexToQ(int index)
{
    if (index < 0)
        index = 0;
    if (index > BANDWIDTH_INDEX_MAX)
        index = BANDWIDTH_INDEX_MAX;
    return g_OctaveToQTable[size_t(index)];
}

int GainToY(double dB, int height)
{
    return TruncateToInt(GainToYExact(dB, height) + 0.5);
}

double GainToYExact(double dB, int height)
{
    return (height / 24.0) * (12 - dB);
}

double YToGain(int y, int height)
{
    if (height == 0)
        return 0.0;
    const double g = 12 - y * 24.0 / height;
    return g > 0 ? g + 0.5 : g - 0.5;
}

int FrequencyToX(double hz, int width)
{
    return TruncateToInt(FrequencyToXExact(hz, width));
}

double FrequencyToXExact(double hz, int width)
{
    return LogOfHz(hz, 20.0) * (width / 3);
}

int XToFrequency(int x, int width)
{
    const int third = width / 3;
    if (third == 0)
        return x <= 0 ? 20 : 20000;
    double hz = 20 * std::pow(10.0, double(x) / third);
    if (!(hz >= 20))  // also NaN
        hz = 20;
    if (hz > 20000)
        hz = 20000;
    return int(hz);
}

int FrequencyToGridIndex(double hz)
{
    for (int i = 0; i < GRID_POINTS; ++i) {
        if (g_FrequencyGrid[i] >= hz) {
            if (i == 0)
                return 0;
            return hz - g_FrequencyGrid[i - 1] < g_FrequencyGrid[i] - hz ? i - 1 : i;
        }
    }
    return GRID_POINTS - 1;
}

int SnapRatioCode(int code)
{
    if (code > 11 && (code - 1) % 10 != 0 && (code - 1) % 10 != 5)
        code = (code / 10) * 10 + 6;
    return code > RATIO_CODE_MAX ? RATIO_CODE_MAX : code;
}

int SnapRatioCodeForEdit(int code)
{
    return SnapRatioCode(code);
}

int StepDelayByCentimetre(int steps, int dir)
{
    bool atEnd = false;
    // A candidate is its own step count back (t / step rounds to n).
    return LimitSteps(WalkShown(steps, dir, ShownCentimetres, &atEnd));
}

int StepDelayByInch(int steps, int dir)
{
    bool atEnd = false;
    const long long n = WalkShown(steps, dir, ShownInches, &atEnd);
    if (atEnd || n <= 0 || n >= DELAY_STEPS_MAX)
        return LimitSteps(n);
    // Land on the step nearest to the whole-inch distance shown.
    const double metres = ShownInches(n) / kInchesPerMetre;
    const double ms = 1000 * metres / kSpeedOfSoundInch;
    if (ms >= 20)
        return DELAY_STEPS_MAX;
    return LimitSteps(TruncateToInt(ms / g_dDelayStepMs + 0.5));
}
