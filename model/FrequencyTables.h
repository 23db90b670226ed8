#pragma once
// The fixed frequency tables every curve, band set and reset reads.
#include <array>

enum : int {
    GRID_POINTS = 241,        // 19.7 Hz to 20 kHz in 1/24-octave steps
    GRID_INDEX_1KHZ = 136,
    OCTAVE_Q_COUNT = 296,     // 0.05 to 3.00 octaves in 0.01 steps
    BANDWIDTH_INDEX_MAX = OCTAVE_Q_COUNT - 1,
    THIRD_OCTAVE_COUNT = 31,
    LOG_BAND_COUNT = 15,
    TONE_BAND_COUNT = 3,
};

// The frequencies at which every band, filter and channel curve is computed
// and drawn: close to 1000 x 2^((i - 136) / 24), with nominal values in
// places. The values are the device's own and are kept as they are.
extern const double g_FrequencyGrid[GRID_POINTS];

// Q of a bandwidth of 0.05 + 0.01 i octaves, sqrt(2^N) / (2^N - 1) rounded
// to three decimals; strictly falling. Filled during static initialisation:
// do not read it from another static initialiser.
extern const std::array<double, OCTAVE_Q_COUNT> g_OctaveToQTable;

// ISO third-octave centres 20 Hz to 20 kHz.
extern const int g_ThirdOctaveFreqs[THIRD_OCTAVE_COUNT];
// Fifteen bands spread evenly on the log axis, 20 Hz to 20 kHz.
extern const int g_LogBandFreqs[LOG_BAND_COUNT];
// Bass, mid and treble of the three-band tone control.
extern const int g_ToneBandFreqs[TONE_BAND_COUNT];
