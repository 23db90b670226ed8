#include "graphs/NumEditValue.h"

#include <charconv>
#include <cmath>
#include <string>

#include "model/FrequencyTables.h"
#include "model/Units.h"
#include "platform/core/Language.h"

namespace {
constexpr double kMagnitudeLimit = 1e9;
constexpr double kDelayLimitMs = 20.0;
constexpr double kFeetPerMetre = 3.2808;
constexpr double kInchesPerMetre = kFeetPerMetre * 12;  // 39.3696
constexpr double kLongDelayStepMs = 0.021;
constexpr double kLongDelayLimitMs = 8400.0;
constexpr int kLongDelayKnee = 9616;  // the display's 100 ms point
constexpr double kVppAtZeroDb = 2.2;
// The off level of type 23 (the noise gate's -100 dB); count 20 shows it.
constexpr int kLevelOffCount = 20;
// A value this close below a whole number (relative) is that number: the
// floating-point error of a shown decimal read back.
constexpr double kNearWhole = 1e-9;

const QString kOffEnglish = QStringLiteral("OFF");
const QString kOffChinese = QStringLiteral("关闭");

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDigit(const QString& text, int i)
{
    return i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9';
}

// Where a number's digits start: past the leading blanks and one sign,
// which sets negative.
int NumberStart(const QString& text, bool* negative)
{
    int i = 0;
    while (i < text.size() && IsBlank(text.at(i)))
        ++i;
    *negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        *negative = text.at(i) == u'-';
        ++i;
    }
    return i;
}

QString Printf(const char* format, double value)
{
    return QString::asprintf(format, value);
}

QString Printf(const char* format, int value)
{
    return QString::asprintf(format, value);
}

int Nearest(double v)
{
    return TruncateToInt(v + 0.5);
}

bool IsOffText(const QString& text)
{
    return text == kOffEnglish || text == kOffChinese;
}
}  // namespace

// ---- Reading and rounding ----------------------------------------------------

double CNumEditValue::ReadNumber(const QString& text)
{
    bool negative = false;
    int i = NumberStart(text, &negative);
    std::string number;
    // Decimal exponent of the leading significant digit, to tell a number
    // too large for a double from one too small.
    long long magnitude = 0;
    bool significant = false;
    int digits = 0;
    for (; IsDigit(text, i); ++i, ++digits) {
        number += char(text.at(i).unicode());
        significant = significant || text.at(i) != u'0';
        if (significant)
            ++magnitude;
    }
    if (i < text.size() && text.at(i) == u'.') {
        number += '.';
        for (++i; IsDigit(text, i); ++i, ++digits) {
            number += char(text.at(i).unicode());
            if (!significant) {
                significant = text.at(i) != u'0';
                if (!significant)
                    --magnitude;
            }
        }
    }
    if (digits == 0 || !significant)
        return 0.0;
    // An exponent counts only with at least one digit.
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        int j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text.at(j) == u'+' || text.at(j) == u'-')) {
            negativeExponent = text.at(j) == u'-';
            ++j;
        }
        if (IsDigit(text, j)) {
            long long exponent = 0;
            for (; IsDigit(text, j); ++j)
                exponent = std::min(exponent * 10 + (text.at(j).unicode() - u'0'), 1000000LL);
            magnitude += negativeExponent ? -exponent : exponent;
            number += 'e';
            number += negativeExponent ? "-" : "";
            number += std::to_string(exponent);
        }
    }
    double value = 0.0;
    if (magnitude > 11) {
        value = kMagnitudeLimit;
    } else if (magnitude < -400) {
        value = 0.0;
    } else {
        const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
        if (result.ec != std::errc())
            value = 0.0;  // below the smallest double
    }
    value = std::min(value, kMagnitudeLimit);
    return negative ? -value : value;
}

int CNumEditValue::ReadInteger(const QString& text)
{
    bool negative = false;
    int i = NumberStart(text, &negative);
    long long value = 0;
    for (; IsDigit(text, i); ++i)
        value = std::min(value * 10 + (text.at(i).unicode() - u'0'), (long long)kMagnitudeLimit);
    return int(negative ? -value : value);
}

double CNumEditValue::RoundToDecimals(double x, int n)
{
    if (n < 0)
        n = 0;
    for (int i = 0; i <= n; ++i)
        x *= 10;
    double r = std::trunc(x);
    const double d = std::fmod(r, 10.0);
    r -= d;
    if (d >= 5)
        r += 10;
    for (int i = 0; i <= n; ++i)
        r /= 10;
    return r;
}

int CNumEditValue::TruncateNearWhole(double v)
{
    const double whole = std::ceil(v);
    if (whole > v && whole - v <= kNearWhole * std::fabs(whole))
        return TruncateToInt(whole);
    return TruncateToInt(v);
}

QString CNumEditValue::OffText()
{
    return g_bChinese ? kOffChinese : kOffEnglish;
}

// ---- Set-up -----------------------------------------------------------------

void CNumEditValue::SetType(int type, const QString& unit)
{
    m_nType = type;
    m_strUnit = unit;
}

void CNumEditValue::SetRange(int min, int max)
{
    m_nMin = min;
    m_nMax = max;
    m_nCount = min;
}

int CNumEditValue::Clamp(int value) const
{
    if (value > m_nMax)
        value = m_nMax;
    if (value < m_nMin)
        value = m_nMin;
    return value;
}

double CNumEditValue::Clamp(double value, double low, double high) const
{
    if (value > high)
        value = high;
    if (value < low)
        value = low;
    return value;
}

double CNumEditValue::SpeedOfSound() const
{
    return 331 + 0.6 * (m_nTemperature - 50);
}

double CNumEditValue::SpeedOfSoundLong() const
{
    return 331.4 + 0.6 * (m_nTemperature - 50);
}

// ---- Shown text ---------------------------------------------------------------

double CNumEditValue::DelayMs() const
{
    return m_nCount == m_nMax ? kDelayLimitMs : m_nCount * g_dDelayStepMs;
}

QString CNumEditValue::DelayUnit(const char* chinese, const char* english) const
{
    // Any unit text asks for the unit; which one is the language's choice.
    if (m_strUnit.isEmpty())
        return QString();
    return g_bChinese ? QString::fromUtf8(chinese) : QString::fromLatin1(english);
}

bool CNumEditValue::Format(QString* text)
{
    const int c = m_nCount;
    const double y = c * m_dStep - m_dOffset;
    switch (m_nType) {
    case TYPE_DELAY_MS:
    case TYPE_DELAY_MS_60:
        *text = Printf("%0.3f", RoundToDecimals(DelayMs(), 3)) + DelayUnit("毫秒", "MS");
        return true;
    case TYPE_DELAY_CM: {
        const double cm = SpeedOfSound() / 1000 * DelayMs() * 100;
        *text = Printf("%0.0f", RoundToDecimals(cm, 0)) + DelayUnit("厘米", "CM");
        return true;
    }
    case TYPE_DELAY_INCH: {
        // The full delay is measured at the long types' speed of sound.
        const double inches = c == m_nMax ? SpeedOfSoundLong() / 1000 * kDelayLimitMs * kInchesPerMetre
                                          : SpeedOfSound() / 1000 * (c * g_dDelayStepMs) * kInchesPerMetre;
        *text = Printf("%0.0f", RoundToDecimals(inches, 0)) + DelayUnit("英寸", "INCH");
        return true;
    }
    case TYPE_CENTRED:
        *text = Printf("%0.1f", (c - m_nMax / 2) * m_dStep);
        return true;
    case TYPE_INTEGER:
        *text = Printf("%d", c);
        return true;
    case TYPE_ATTACK:
        *text = c <= 6 ? Printf("%0.1fms", (c + 3) * 0.1) : Printf("%dms", c - 6);
        return true;
    case TYPE_INTEGER_UNIT:
        *text = Printf("%d", c) + m_strUnit;
        return true;
    case TYPE_OCTAVES:
        *text = Printf("%0.2f", c * m_dStep + 0.05);
        return true;
    case TYPE_FREQUENCY:
        *text = Printf("%dHz", c);
        return true;
    case TYPE_FREQUENCY_20K:
        *text = c == m_nMax ? QStringLiteral("20000Hz") : Printf("%dHz", c);
        return true;
    case TYPE_GAIN:
        *text = Printf("%0.1f", y);
        return true;
    case TYPE_Q: {
        const double q = BandwidthIndexToQ(c);
        *text = Printf(q > 10 ? "%0.2f" : "%0.3f", q);
        return true;
    }
    case TYPE_TEMPERATURE: {
        const int celsius = c - 50;
        const int fahrenheit = TruncateToInt(celsius * 1.8 + 32 + 0.5);
        *text = QString::asprintf("%dC(%dF)", celsius, fahrenheit);
        return true;
    }
    case TYPE_PERCENT:
        *text = Printf("%d%%", TruncateToInt(c * m_dStep)) + m_strUnit;
        return true;
    case TYPE_SCALED:
        *text = Printf("%d", TruncateToInt(c * m_dStep)) + m_strUnit;
        return true;
    case TYPE_LEVEL_INTEGER:
        *text = Printf("%ddB", TruncateToInt(c * m_dStep)) + m_strUnit;
        return true;
    case TYPE_HUNDREDTHS:
        *text = Printf("%.2f", c * 0.01) + m_strUnit;
        return true;
    case TYPE_TENTHS:
        *text = Printf("%.1f", c * 0.1) + m_strUnit;
        return true;
    case TYPE_CAPPED:
        *text = Printf("%d", c > m_nMax ? m_nMax : c) + m_strUnit;
        return true;
    case TYPE_DOUBLED:
        *text = Printf("%d", 2 * (c > m_nMax ? m_nMax : c)) + m_strUnit;
        return true;
    case TYPE_LONG_DELAY_MS:
        if (c < kLongDelayKnee)
            *text = Printf("%0.4f", c == 0 ? 0.0 : c * 0.0104);
        else
            *text = Printf("%0.3f", c == kLongDelayKnee ? 100.0 : 100 + (c - kLongDelayKnee) * kLongDelayStepMs);
        return true;
    case TYPE_LONG_DELAY_CM:
        *text = Printf("%0.3f", SpeedOfSoundLong() / 1000 * (c * kLongDelayStepMs) * 100);
        return true;
    case TYPE_LONG_DELAY_FEET:
        *text = Printf("%0.3f", SpeedOfSoundLong() / 1000 * (c * kLongDelayStepMs) * kFeetPerMetre);
        return true;
    case TYPE_LEVEL_DB:
        if (c == kLevelOffCount)
            *text = OffText();
        else
            *text = m_strUnit == QLatin1String("dBu") ? Printf("%0.0fdBu", y) : Printf("%0.1fdB", y);
        return true;
    case TYPE_LEVEL_DBU:
        *text = Printf("%0.1fdBu", y);
        return true;
    case TYPE_LEVEL_OFF_BOTTOM:
        *text = c == m_nMin ? OffText() : Printf("%0.0fdB", y);
        return true;
    case TYPE_LEVEL_WHOLE:
        m_nCount = Clamp(c);
        *text = Printf(m_strUnit.isEmpty() ? "%0.0fdBu" : "%0.0fdB", m_nCount * m_dStep - m_dOffset);
        return true;
    case TYPE_LEVEL_OFF_TOP:
        *text = c == m_nMax ? OffText() : Printf("%0.1fdBu", y);
        return true;
    case TYPE_LOW_FREQUENCY:
        *text = c == m_nMin ? QStringLiteral("20Hz") : c == m_nMax ? QStringLiteral("1000Hz") : Printf("%dHz", c);
        return true;
    case TYPE_HIGH_FREQUENCY:
        *text = c == m_nMin ? QStringLiteral("5000Hz") : c == m_nMax ? QStringLiteral("20000Hz") : Printf("%dHz", c);
        return true;
    case TYPE_BALANCE:
        if (c <= 99)
            *text = Printf("R_%d%%", 100 - c);
        else if (c == 100)
            *text = kOffEnglish;  // English in both languages
        else if (c <= m_nMax)
            *text = Printf("L_%d%%", c - 100);
        else
            *text = QString();
        return true;
    case TYPE_VOLTAGE:
        m_nCount = Clamp(c);
        if (m_nCount == m_nMax)
            *text = OffText();
        else
            *text = Printf("%0.3fVpp", kVppAtZeroDb * std::pow(10.0, (m_nCount * m_dStep - m_dOffset) / 20));
        return true;
    case TYPE_CLAMPED:
        m_nCount = Clamp(c);
        *text = Printf("%d", m_nCount);
        return true;
    case TYPE_ANGLE:
        m_nCount = Clamp(c);
        *text = Printf("%d", (m_nCount - m_nMin) * 2) + QStringLiteral("°");
        return true;
    case TYPE_RATIO:
        *text = c == 1 ? QStringLiteral("1:1") : QString::asprintf("%d.%d:1", (c + 9) / 10, (c + 9) % 10);
        return true;
    default:
        return false;
    }
}

// ---- Commit and re-parse --------------------------------------------------------

double CNumEditValue::LevelOfText(const QString& text) const
{
    const double low = m_nMin * m_dStep - m_dOffset;
    const double high = m_nMax * m_dStep - m_dOffset;
    if (IsOffText(text)) {
        switch (m_nType) {
        case TYPE_LEVEL_DB:
            return -100;
        case TYPE_LEVEL_DBU:
            return 20;
        case TYPE_LEVEL_OFF_TOP:
        case TYPE_VOLTAGE:
            return 12;
        case TYPE_LEVEL_OFF_BOTTOM:
            return -60;
        default:  // gain and whole levels: the bottom of the range
            return low;
        }
    }
    const double x = ReadNumber(text);
    if (m_nType != TYPE_VOLTAGE)
        return x;
    // A voltage of 0 is the lowest level; below 0 it names none, and takes
    // the top (the off level) as it always has.
    if (x < 0)
        return high;
    if (x == 0)
        return low;
    return 20 * std::log10(x / kVppAtZeroDb);
}

int CNumEditValue::LevelCount(double y) const
{
    return TruncateNearWhole((y + m_dOffset) * 10 / (m_dStep * 10));
}

bool CNumEditValue::CommitLevel(const QString& text, bool store)
{
    const double y = Clamp(LevelOfText(text), m_nMin * m_dStep - m_dOffset, m_nMax * m_dStep - m_dOffset);
    if (store)
        m_nCount = LevelCount(y);
    return store;
}

bool CNumEditValue::DelayOfDistance(double x, bool clampOutside, int* count) const
{
    // The distance is read in the type's unit (centimetres as metres) and
    // measured against the longest delay at the type's speed of sound.
    double value = x, speed = SpeedOfSoundLong(), limitMs = kDelayLimitMs, unitsPerMetre = 1.0;
    switch (m_nType) {
    case TYPE_DELAY_CM:
        speed = SpeedOfSound();
        value = x / 100;
        break;
    case TYPE_DELAY_INCH:
        unitsPerMetre = kInchesPerMetre;
        break;
    case TYPE_LONG_DELAY_CM:
        value = x / 100;
        limitMs = kLongDelayLimitMs;
        break;
    case TYPE_LONG_DELAY_FEET:
        limitMs = kLongDelayLimitMs;
        unitsPerMetre = kFeetPerMetre;
        break;
    default:
        return false;
    }
    const double limit = speed / 1000 * limitMs * unitsPerMetre;
    if (value > limit || value < 0) {
        if (!clampOutside)
            return false;
        value = value > limit ? limit : 0;
    }
    const double ms = value / unitsPerMetre * 1000 / speed;
    if (m_nType == TYPE_LONG_DELAY_CM || m_nType == TYPE_LONG_DELAY_FEET)
        *count = Nearest(ms / kLongDelayStepMs);
    else
        *count = ms >= kDelayLimitMs ? m_nMax : Nearest(ms / g_dDelayStepMs);
    return true;
}

bool CNumEditValue::Commit(const QString& text)
{
    const bool typed = m_bTyped;
    const double x = ReadNumber(text);
    switch (m_nType) {
    case TYPE_DELAY_MS:
    case TYPE_DELAY_MS_60: {
        if (!typed)
            return false;
        const double limit = m_nType == TYPE_DELAY_MS ? kDelayLimitMs : 60.0;
        if (x < 0)
            m_nCount = m_nMin;
        else if (x > limit || x >= kDelayLimitMs)
            m_nCount = m_nMax;
        else
            m_nCount = TruncateToInt(x / g_dDelayStepMs);  // truncated, unlike the re-parse
        return true;
    }
    case TYPE_DELAY_CM:
    case TYPE_DELAY_INCH:
    case TYPE_LONG_DELAY_CM:
    case TYPE_LONG_DELAY_FEET:
        if (!typed)
            return false;
        DelayOfDistance(x, true, &m_nCount);
        return true;
    case TYPE_LONG_DELAY_MS:
        if (!typed)
            return false;
        if (x < 0)
            m_nCount = m_nMin;
        else if (x > kLongDelayLimitMs)
            m_nCount = m_nMax;
        else
            m_nCount = Nearest(x / kLongDelayStepMs);
        return true;
    case TYPE_CENTRED: {
        const int half = m_nMax / 2;
        const double value = Clamp(x, (m_nMin - half) * m_dStep, half * m_dStep);
        if (typed)
            m_nCount = TruncateNearWhole(half + value / m_dStep);
        return typed;
    }
    case TYPE_INTEGER:
    case TYPE_FREQUENCY:
    case TYPE_FREQUENCY_20K:
        if (text == kOffEnglish)
            return false;
        m_nCount = Clamp(ReadInteger(text));  // stored even without typing
        return typed;
    case TYPE_LOW_FREQUENCY:
    case TYPE_HIGH_FREQUENCY:
        m_nCount = Clamp(ReadInteger(text));
        return typed;
    case TYPE_ATTACK: {
        double value = x < 0.3 ? 0.3 : x;
        if (value + 6 > m_nMax)
            value = m_nMax - 6;
        if (!typed)
            return false;
        if (value >= 0.3 && value <= 0.9)
            m_nCount = TruncateNearWhole((value - 0.3) / 0.1);
        else if (value >= 1 && value <= m_nMax)
            m_nCount = TruncateNearWhole(value) + 6;
        return true;  // between 0.9 and 1 the count stays
    }
    case TYPE_INTEGER_UNIT:
    case TYPE_CLAMPED:
        if (typed)
            m_nCount = Clamp(ReadInteger(text));
        return typed;
    case TYPE_OCTAVES: {
        const double value = Clamp(x, 0.05, 3.0);
        if (typed)
            m_nCount = TruncateNearWhole((value - 0.05 + 0.0000011) * (1 / m_dStep * 10) / 10);
        return typed;
    }
    case TYPE_GAIN:
    case TYPE_LEVEL_DB:
    case TYPE_LEVEL_DBU:
    case TYPE_LEVEL_OFF_BOTTOM:
    case TYPE_LEVEL_WHOLE:
    case TYPE_LEVEL_OFF_TOP:
    case TYPE_VOLTAGE:
        return CommitLevel(text, typed);
    case TYPE_Q: {
        const double q = Clamp(x, g_OctaveToQTable[BANDWIDTH_INDEX_MAX], g_OctaveToQTable[0]);
        if (typed)
            m_nCount = QToBandwidthIndex(q);
        return typed;
    }
    case TYPE_PERCENT:
    case TYPE_SCALED:
    case TYPE_LEVEL_INTEGER: {
        const double value = Clamp(x, m_nMin * m_dStep, m_nMax * m_dStep);
        if (typed)
            m_nCount = TruncateNearWhole(value / m_dStep);
        return typed;
    }
    case TYPE_HUNDREDTHS:
    case TYPE_TENTHS: {
        const double s = m_nType == TYPE_HUNDREDTHS ? 0.01 : 0.1;
        const double m = m_nType == TYPE_HUNDREDTHS ? 100 : 10;
        const double value = Clamp(x, m_nMin * s, m_nMax * s);
        if (typed)
            m_nCount = TruncateNearWhole(m * value);
        return typed;
    }
    case TYPE_CAPPED:
    case TYPE_DOUBLED: {
        const double value = Clamp(m_nType == TYPE_DOUBLED ? x / 2 : x, m_nMin, m_nMax);
        if (typed)
            m_nCount = TruncateNearWhole(value);
        return typed;
    }
    case TYPE_ANGLE: {
        const int degrees = ReadInteger(text);
        const int count = Clamp((degrees > 360 ? 360 : degrees < 0 ? 0 : degrees) / 2 + 20);
        if (typed)
            m_nCount = count;
        return typed;
    }
    default:  // 12, 31, 35 and above, negative types: no commit
        return false;
    }
}

void CNumEditValue::Parse(const QString& text)
{
    const double x = ReadNumber(text);
    switch (m_nType) {
    case TYPE_DELAY_MS:
    case TYPE_DELAY_MS_60: {
        const double limit = m_nType == TYPE_DELAY_MS ? kDelayLimitMs : 60.0;
        if (x < 0 || x > limit)
            return;
        m_nCount = x == kDelayLimitMs ? m_nMax : Nearest(x / g_dDelayStepMs);  // rounded, unlike the commit
        return;
    }
    case TYPE_DELAY_CM:
    case TYPE_DELAY_INCH:
    case TYPE_LONG_DELAY_CM:
    case TYPE_LONG_DELAY_FEET:
        DelayOfDistance(x, false, &m_nCount);
        return;
    case TYPE_LONG_DELAY_MS:
        if (x >= 0 && x <= kLongDelayLimitMs)
            m_nCount = Nearest(x / kLongDelayStepMs);
        return;
    case TYPE_CENTRED: {
        const int half = m_nMax / 2;
        if (x >= (m_nMin - half) * m_dStep && x <= half * m_dStep)
            m_nCount = TruncateNearWhole(half + x / m_dStep);
        return;
    }
    case TYPE_INTEGER:
    case TYPE_FREQUENCY:
    case TYPE_FREQUENCY_20K:
    case TYPE_LOW_FREQUENCY:
    case TYPE_HIGH_FREQUENCY: {
        const int n = ReadInteger(text);
        if (InRange(n))
            m_nCount = n;
        return;
    }
    case TYPE_ATTACK:
        if (x >= 0.3 && x <= 0.9)
            m_nCount = TruncateNearWhole((x - 0.3) / 0.1);
        else if (x >= 1 && x <= m_nMax)
            m_nCount = TruncateNearWhole(x) + 6;
        return;
    case TYPE_INTEGER_UNIT:
    case TYPE_CLAMPED:
        m_nCount = Clamp(ReadInteger(text));
        return;
    case TYPE_OCTAVES:
        if (x >= 0.05 && x <= 3)
            m_nCount = TruncateNearWhole((x - 0.05) * (1 / m_dStep * 10) / 10);
        return;
    case TYPE_GAIN:
    case TYPE_LEVEL_DB:
    case TYPE_LEVEL_DBU:
    case TYPE_LEVEL_OFF_BOTTOM:
    case TYPE_LEVEL_WHOLE:
    case TYPE_LEVEL_OFF_TOP:
        CommitLevel(text, true);
        return;
    case TYPE_Q:
        if (x >= g_OctaveToQTable[BANDWIDTH_INDEX_MAX] && x <= g_OctaveToQTable[0])
            m_nCount = QToBandwidthIndex(x);
        return;
    case TYPE_PERCENT:
    case TYPE_SCALED:
    case TYPE_LEVEL_INTEGER:
        if (x >= m_nMin * m_dStep && x <= m_nMax * m_dStep)
            m_nCount = TruncateNearWhole(x / m_dStep);
        return;
    case TYPE_HUNDREDTHS:
    case TYPE_TENTHS: {
        const double s = m_nType == TYPE_HUNDREDTHS ? 0.01 : 0.1;
        const double m = m_nType == TYPE_HUNDREDTHS ? 100 : 10;
        if (x >= m_nMin * s && x <= m_nMax * s)
            m_nCount = TruncateNearWhole(x * m);
        return;
    }
    case TYPE_CAPPED:
    case TYPE_DOUBLED: {
        const double value = m_nType == TYPE_DOUBLED ? x / 2 : x;
        if (value >= m_nMin && value <= m_nMax)
            m_nCount = TruncateNearWhole(value);
        return;
    }
    case TYPE_ANGLE:
        m_nCount = Clamp(ReadInteger(text) / 2 + 20);
        return;
    default:  // 12, 31, 32, 35 and above, negative types: the count stays
        return;
    }
}
