#!/usr/bin/env python3
"""Reference magnitudes (dB) for the band response tests.

Written straight from the filter formulas, independent of the C++ code:
each section is evaluated as the complex transfer function
H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2) at z = e^{jw}.
Prints C++ initialiser rows for FilterResponseTest.cpp.
"""
import cmath
import math

TWO_PI = 6.2831852
FS = 96000.0
K = 6.544985e-05
HALF_LN2 = 0.34657359
GUARD = 1e-10

GRID = [
    19.7, 20.3, 20.9, 21.5, 22.1, 22.7, 23.4, 24.1, 24.8, 25.5, 26.3, 27, 27.8, 28.7, 29.5, 30.4, 31.3, 32.2, 33.1, 34.1,
    35.1, 36.1, 37.2, 38.3, 39.4, 40.5, 41.7, 42.9, 44.2, 45.5, 46.8, 48.2, 49.6, 51.1, 52.6, 54.1, 55.7, 57.3, 59, 60.7,
    62.5, 64.3, 66.2, 68.2, 70.2, 72.2, 74.3, 76.5, 78.7, 81.1, 83.4, 85.9, 88.4, 91, 93.6, 96.4, 99.2, 102, 105, 108,
    111, 115, 118, 121, 125, 129, 132, 136, 140, 144, 149, 153, 158, 162, 167, 172, 179, 182, 187, 193,
    198, 204, 210, 216, 223, 229, 236, 243, 250, 257, 265, 273, 281, 289, 297, 306, 315, 324, 334, 344,
    354, 364, 375, 386, 397, 409, 420, 433, 445, 459, 472, 486, 500, 515, 530, 545, 561, 578, 595, 612,
    630, 648, 667, 687, 707, 728, 749, 771, 794, 817, 841, 866, 891, 917, 944, 972, 1000, 1030, 1060, 1090,
    1123, 1155, 1190, 1224, 1260, 1297, 1335, 1374, 1414, 1456, 1498, 1542, 1587, 1634, 1682, 1731, 1782, 1834, 1888, 1943,
    2000, 2059, 2119, 2181, 2245, 2311, 2378, 2448, 2520, 2594, 2670, 2748, 2828, 2911, 2997, 3084, 3175, 3268, 3364, 3462,
    3564, 3668, 3776, 3886, 4000, 4117, 4238, 4362, 4490, 4621, 4757, 4896, 5000, 5187, 5339, 5496, 5657, 5823, 5993, 6169,
    6350, 6536, 6727, 6924, 7127, 7336, 7551, 7772, 8000, 8234, 8476, 8724, 8980, 9243, 9514, 9792, 10079, 10374, 10679, 10992,
    11314, 11645, 11987, 12338, 12699, 13071, 13454, 13849, 14254, 14672, 15102, 15545, 16000, 16469, 16951, 17448, 17959, 18486, 19027, 19585,
    20000,
]
assert len(GRID) == 241


def db(sections, point):
    w = TWO_PI * GRID[point] / FS
    zi = cmath.exp(-1j * w)
    total = 0.0
    for b0, b1, b2, a0, a1, a2 in sections:
        h = (b0 + b1 * zi + b2 * zi * zi) / (a0 + a1 * zi + a2 * zi * zi)
        total += 20 * math.log10(abs(h))
    return total


def nearest_grid(hz):
    best = 0
    for i, g in enumerate(GRID):
        if g >= hz:
            if i == 0:
                return 0
            return i - 1 if hz - GRID[i - 1] < g - hz else i
    return 240


def peaking(hz, gain, bw):
    f0 = GRID[nearest_grid(hz)]
    a = 10 ** (gain / 40)
    w0 = K * f0
    alpha = math.sin(w0) * math.sinh(HALF_LN2 * bw * w0 / math.sin(w0))
    c = math.cos(w0)
    return [(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a)]


def shelf(low, slope, hz, gain):
    factor, s = {(False, 0): (0.4545454546, 0.5), (False, 1): (0.76923076923, 1.3),
                 (True, 0): (2.0, 0.5), (True, 1): (1.2727272727, 1.3)}[(low, slope)]
    w0 = K * hz * factor
    a = 10 ** (gain / 40)
    alpha = math.sin(w0) / 2 * math.sqrt((a + 1 / a) * (1 / s - 1) + 2)
    beta = 2 * math.sqrt(a) * alpha
    c = math.cos(w0)
    if low:
        return [(a * ((a + 1) - (a - 1) * c + beta), 2 * a * ((a - 1) - (a + 1) * c),
                 a * ((a + 1) - (a - 1) * c - beta),
                 (a + 1) + (a - 1) * c + beta, -2 * ((a - 1) + (a + 1) * c), (a + 1) + (a - 1) * c - beta)]
    return [(a * ((a + 1) + (a - 1) * c + beta), -2 * a * ((a - 1) + (a + 1) * c),
             a * ((a + 1) + (a - 1) * c - beta),
             (a + 1) - (a - 1) * c + beta, 2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - beta)]


HP_TERMS = {
    0: [[1.0], [1.0], [1.0, 0.70422535211], [0.70422535211, 0.70422535211], [1.0, 0.62, 0.62], [1.0, 0.5, 0.5],
        [1.0, 0.453134315, 0.92592592593, 0.453134315], [0.92592592593, 0.373134315, 0.92592592593, 0.373134315]],
    1: [[0.70422535], [0.70422535], [1.0, 0.5], [0.92592593, 0.38167939], [1.0, 0.8064616129, 0.3086417953],
        [0.96153846, 0.70422535211, 0.2590673575], [1.0, 0.90909090909, 0.625, 0.2222222222],
        [0.98039126, 0.83333333, 0.55555556, 0.1953125]],
    2: [[0.70422535], [0.70422535], [0.756, 0.72463768], [0.96153846, 0.61728395],
        [0.6656, 0.8928571428, 0.54347826], [0.980392156, 0.819672131, 0.490196],
        [0.5937, 0.943396226415, 0.757575757576, 0.4424778761], [0.98039216, 0.89285714, 0.70422535, 0.40650406]],
}
BESSEL_D = [1.2683112435, 1.2683112435, 1.2854981442, 1.5006420029, 1.3854981442, 1.5554981442, 1.5554981442,
            1.679120141]
BESSEL_LP = {
    1: ([(1.0, 0.3333333333)], 1.3616541287),
    2: ([(0.5693712514, 0.154812441), (0.430628846, 0.0)], 1.75567236868),
    3: ([(0.369, 0.087858766), (0.6278294896, 0.109408)], 2.1139176749),
    4: ([(0.6656, 0.0), (1.1402, 0.4128), (0.6216, 0.3245)], 1.0),
    5: ([(1.2217, 0.3887), (0.9686, 0.3505), (0.5131, 0.2756)], 1.0),
    6: ([(0.5937, 0.0), (1.0944, 0.3395), (0.8304, 0.3011), (0.4332, 0.2381)], 1.0),
    7: ([(0.117235677, 0.02064747), (0.226516664, 0.0259273886), (0.3067559, 0.0294683265),
         (0.3494916166, 0.031272257)], 3.17961723751),
}


def q_sections(terms, state, fc, high):
    wc = K * fc
    t = math.tan(wc / 2)
    out = []
    for j, cj in enumerate(terms):
        if j == 0 and state in (0, 2, 4, 6):
            if high:
                out.append((1, -1, 0, cj * t + 1 or GUARD, cj * t - 1, 0))
            else:
                out.append((t, t, 0, t + cj or GUARD, t - cj, 0))
            continue
        v = math.sin(wc) * cj
        cw = math.cos(wc)
        if high:
            out.append(((1 + cw) / 2, -(1 + cw), (1 + cw) / 2, 1 + v or GUARD, -2 * cw, 1 - v))
        else:
            out.append(((1 - cw) / 2, 1 - cw, (1 - cw) / 2, 1 + v or GUARD, -2 * cw, 1 - v))
    return out


def high_pass_row(family, row, hz):
    """High-pass drawn with table row `row` (no slope-code mapping here)."""
    fc = hz / BESSEL_D[row] if family == 2 else hz
    return q_sections(HP_TERMS[family][row], row, fc, True)


def low_pass_row(family, row, hz):
    """Low-pass drawn with table row `row`; Bessel rows 1 to 7 are the
    Bessel low-pass sections."""
    if family == 2 and row != 0:
        pairs, d = BESSEL_LP[row]
        wc = K * hz / d
        t = math.tan(wc / 2)
        t2 = t * t
        return [(t2, 2 * t2, t2, l * t + t2 + m, 2 * t2 - 2 * m, t2 - l * t + m) for l, m in pairs]
    terms = list(HP_TERMS[family][row])
    if row == 0:
        terms[0] = 1.0
    elif row == 7 and family == 1:
        terms[0] = 0.98039216
    return q_sections(terms, row, hz, False)


# (label, kind, family, slope, step, hz, gain, bw, sections)
CASES = []
POINTS = [0, 88, 112, 136, 160, 184, 240]


def add(label, kind, family, slope, step, hz, gain, bw, sections):
    CASES.append((label, kind, family, slope, step, hz, gain, bw, sections))


add("peak 1000 +12", 0, 0, 2, 0, 1000, 12.0, 0.65, peaking(1000, 12.0, 0.65))
add("peak 1010 snaps", 0, 0, 2, 0, 1010, 12.0, 0.65, peaking(1010, 12.0, 0.65))
add("peak 1015 tie up", 0, 0, 2, 0, 1015, -6.0, 1.0, peaking(1015, -6.0, 1.0))
add("peak 63 -9.5 3oct", 0, 0, 2, 0, 63, -9.5, 3.0, peaking(63, -9.5, 3.0))
add("peak 12k +3 0.05", 0, 0, 2, 0, 12000, 3.0, 0.05, peaking(12000, 3.0, 0.05))
add("lo shelf 100 6dB", 1, 0, 0, 0, 100, 6.0, 0.65, shelf(True, 0, 100, 6.0))
add("lo shelf 300 12dB", 1, 0, 1, 0, 300, -8.0, 0.65, shelf(True, 1, 300, -8.0))
add("hi shelf 5k 6dB", 2, 0, 0, 0, 5000, 4.5, 0.65, shelf(False, 0, 5000, 4.5))
add("hi shelf 3k 12dB", 2, 0, 1, 0, 3000, -12.0, 0.65, shelf(False, 1, 3000, -12.0))
# The row each slope code draws, written out by hand.
HP_BESSEL_ROW = {0: 0, 1: 1, 2: 2, 3: 3, 4: 6, 5: 7, 6: 4, 7: 5}
LP_BESSEL_ROW = {0: 0, 1: 1, 2: 2, 3: 3, 4: 7, 5: 6, 6: 4, 7: 5}
for fam in (0, 1, 2):
    for slope in range(8):
        hp_row = HP_BESSEL_ROW[slope] if fam == 2 else slope
        lp_row = LP_BESSEL_ROW[slope] if fam == 2 else slope
        add("hp f%d s%d row%d" % (fam, slope, hp_row), 3, fam, slope, 0, 1000, 0.0, 0.65,
            high_pass_row(fam, hp_row, 1000))
        add("lp f%d s%d row%d" % (fam, slope, lp_row), 4, fam, slope, 0, 1000, 0.0, 0.65,
            low_pass_row(fam, lp_row, 1000))
    # Slope-step set: code 1 draws row 2; the Bessel high-pass keeps its rows.
    add("hp f%d step s1 row2" % fam, 3, fam, 1, 1, 250, 0.0, 0.65, high_pass_row(fam, 2, 250))
    add("lp f%d step s1 row2" % fam, 4, fam, 1, 1, 4000, 0.0, 0.65, low_pass_row(fam, 2, 4000))
    add("hp f%d step s6 row6" % fam, 3, fam, 6, 1, 250, 0.0, 0.65, high_pass_row(fam, 6, 250))
    add("lp f%d step s6 row%d" % (fam, LP_BESSEL_ROW[6] if fam == 2 else 6), 4, fam, 6, 1, 4000, 0.0, 0.65,
        low_pass_row(fam, LP_BESSEL_ROW[6] if fam == 2 else 6, 4000))
# Corners off the grid and near the ends.
add("hp f1 s3 80Hz", 3, 1, 3, 0, 80, 0.0, 0.65, high_pass_row(1, 3, 80))
add("lp f2 s7 15kHz", 4, 2, 7, 0, 15000, 0.0, 0.65, low_pass_row(2, 5, 15000))
add("hp f2 s0 21Hz", 3, 2, 0, 0, 21, 0.0, 0.65, high_pass_row(2, 0, 21))

print("// label, kind, family, slope, slope-step, hz, gain, bandwidth, then dB at points", POINTS)
for label, kind, fam, slope, step, hz, gain, bw, secs in CASES:
    vals = ", ".join("%.9f" % db(secs, p) for p in POINTS)
    print('    {"%s", %d, %d, %d, %s, %d, %.1f, %.2f, {%s}},' % (
        label, kind, fam, slope, "true" if step else "false", hz, gain, bw, vals))
