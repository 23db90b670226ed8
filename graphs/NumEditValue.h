#pragma once
// The value of a numeric field: an integer count of a fixed step, shown in
// the unit of the field's value type. This class holds the rules alone, with
// no window: how a count becomes text, how typed text becomes a count when
// the field loses the focus (the commit) and when its owner reads the count
// back (the silent re-parse). CNumEdit keeps one and drives it.
//
// Text is read as the user's number: leading blanks, a sign, digits, a point,
// digits and an exponent, whatever the process locale says; reading stops at
// the first character that cannot continue the number, and a text without a
// leading number reads as 0. Magnitudes are capped at 1e9. Numbers are
// written locale-free too.
#include <QString>

class CNumEditValue {
public:
    // Value types. Types 35 to 39 and any type outside 0 to 40 show nothing
    // and commit nothing.
    enum : int {
        TYPE_DELAY_MS = 0,
        TYPE_DELAY_CM = 1,
        TYPE_DELAY_INCH = 2,
        TYPE_CENTRED = 3,
        TYPE_INTEGER = 4,
        TYPE_ATTACK = 5,
        TYPE_INTEGER_UNIT = 6,
        TYPE_OCTAVES = 7,
        TYPE_FREQUENCY = 8,
        TYPE_FREQUENCY_20K = 9,
        TYPE_GAIN = 10,
        TYPE_Q = 11,
        TYPE_TEMPERATURE = 12,
        TYPE_PERCENT = 13,
        TYPE_HUNDREDTHS = 14,
        TYPE_CAPPED = 15,
        TYPE_LONG_DELAY_MS = 16,
        TYPE_LONG_DELAY_CM = 17,
        TYPE_LONG_DELAY_FEET = 18,
        TYPE_DELAY_MS_60 = 19,
        TYPE_SCALED = 20,
        TYPE_TENTHS = 21,
        TYPE_DOUBLED = 22,
        TYPE_LEVEL_DB = 23,
        TYPE_LEVEL_DBU = 24,
        TYPE_LEVEL_OFF_BOTTOM = 25,
        TYPE_LEVEL_WHOLE = 26,
        TYPE_LEVEL_INTEGER = 27,
        TYPE_LOW_FREQUENCY = 28,
        TYPE_HIGH_FREQUENCY = 29,
        TYPE_LEVEL_OFF_TOP = 30,
        TYPE_BALANCE = 31,
        TYPE_VOLTAGE = 32,
        TYPE_CLAMPED = 33,
        TYPE_ANGLE = 34,
        TYPE_RATIO = 40,
    };
    enum : int { TEMPERATURE_25C = 75 };  // degrees Celsius + 50

    void SetType(int type, const QString& unit);
    int Type() const { return m_nType; }
    const QString& Unit() const { return m_strUnit; }
    // Stores both; the count becomes the minimum.
    void SetRange(int min, int max);
    int Min() const { return m_nMin; }
    int Max() const { return m_nMax; }
    void SetStep(double step) { m_dStep = step; }
    double Step() const { return m_dStep; }
    void SetOffset(double offset) { m_dOffset = offset; }
    double Offset() const { return m_dOffset; }
    void SetTemperature(int code) { m_nTemperature = code; }
    int Temperature() const { return m_nTemperature; }
    // Stores the count as it is (the range is the caller's business).
    void SetCount(int count) { m_nCount = count; }
    int Count() const { return m_nCount; }
    bool InRange(int count) const { return count >= m_nMin && count <= m_nMax; }
    // The typed-text flag: the user has typed since it was last cleared.
    void SetTyped(bool typed) { m_bTyped = typed; }
    bool IsTyped() const { return m_bTyped; }

    // The text of the count; false when the type shows nothing (the field
    // keeps its text). Types 26 and 32 to 34 first pull the count into the
    // range and keep it there.
    bool Format(QString* text);
    // The commit of text on a focus loss. True when the field must show the
    // count again and tell its parent (only ever with the typed-text flag
    // set); some types store a count even when it is clear.
    bool Commit(const QString& text);
    // The silent re-parse of typed text; the text is not touched.
    void Parse(const QString& text);

    // "OFF", or "关闭" in Chinese.
    static QString OffText();
    // x rounded half up at n decimals, judged on the next decimal alone.
    static double RoundToDecimals(double x, int n);
    // The leading number of text (0 when there is none), magnitude <= 1e9.
    static double ReadNumber(const QString& text);
    // The leading integer of text (blanks, sign, digits), magnitude <= 1e9.
    static int ReadInteger(const QString& text);
    // trunc(v), except that a v within 1e-9 (relative) below a whole
    // number is that number: 28.999999999999996 is 29.
    static int TruncateNearWhole(double v);

private:
    int Clamp(int value) const;
    double Clamp(double value, double low, double high) const;
    // Speed of sound at the field's temperature, m/s: c and the long
    // types' c'.
    double SpeedOfSound() const;
    double SpeedOfSoundLong() const;
    double DelayMs() const;
    QString DelayUnit(const char* chinese, const char* english) const;
    // The level a text names for the level types, before the range.
    double LevelOfText(const QString& text) const;
    // Counts of a level, a delay and the other scaled types.
    int LevelCount(double y) const;
    bool CommitLevel(const QString& text, bool store);
    bool DelayOfDistance(double x, bool clampOutside, int* count) const;

    int m_nCount = 0;
    int m_nType = 0;
    int m_nMax = 0;
    int m_nMin = 0;
    bool m_bTyped = false;
    double m_dStep = 0.0;
    double m_dOffset = 0.0;
    int m_nTemperature = TEMPERATURE_25C;
    QString m_strUnit;
};
