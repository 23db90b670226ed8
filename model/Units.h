#pragma once
// Unit codes of the device, the pixel axes of the response graphs and the
// delay steppers. Plain functions without state.
//
// The axis mappings truncate toward zero as the device software always
// has: the handles and curves sit on those exact pixels.

// One delay step in milliseconds (1/48 ms); 960 steps = 20 ms.
extern const double g_dDelayStepMs;

enum : int {
    DELAY_STEPS_MAX = 960,
    GAIN_INDEX_FLAT = 200,  // 0 dB
    GAIN_INDEX_MAX = 400,
    RATIO_CODE_MAX = 191,   // 20:1
};

// Float-to-int conversions that never meet NaN or infinity: NaN gives 0 and
// the value is clamped to +-2^30 first, so a small sum on the result cannot
// overflow either.
int TruncateToInt(double value);  // toward zero, as a C cast
int FloorToInt(double value);

// Common logarithm; the numeric edits use it too.
double Log10Double(double x);

// First bandwidth index whose Q is at most q; 295 when there is none.
int QToBandwidthIndex(double q);
// Q of a bandwidth index; the index is clamped to 0..295 for the lookup.
double BandwidthIndexToQ(int index);

// Gain axis: +12 dB at y = 0, -12 dB at y = height.
int GainToY(double dB, int height);
double GainToYExact(double dB, int height);
// Half a dB is added away from zero; 0 dB for a graph without height.
double YToGain(int y, int height);

// Frequency axis: three decades from 20 Hz; width / 3 is an integer
// division. A frequency of 0 or less is taken as 1 Hz.
int FrequencyToX(double hz, int width);
double FrequencyToXExact(double hz, int width);
// 20 to 20000 Hz. A graph narrower than 3 pixels gives 20 at x <= 0 and
// 20000 otherwise.
int XToFrequency(int x, int width);

// Index 0 to 240 of the grid entry nearest to hz; a tie goes to the upper
// entry.
int FrequencyToGridIndex(double hz);

// Ratio code of the dynamics graph (ratio x 10 - 9): codes that are not a
// whole or half ratio snap to the next half ratio; capped at 191.
int SnapRatioCode(int code);
// The same rule for the value handed to the ratio edit.
int SnapRatioCodeForEdit(int code);

// The delay (0 to 960 steps) one visible centimetre, or one whole inch, away
// from steps in the direction of dir, walking dir steps at a time. A dir of
// 0 moves nothing.
int StepDelayByCentimetre(int steps, int dir);
int StepDelayByInch(int steps, int dir);
