#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "graphs/NumEditValue.h"
#include "platform/core/Language.h"

namespace {

// A field's set-up: type, unit text, step, offset and range.
struct FieldSetup {
    int type;
    const char* unit;
    double step;
    double offset;
    int min;
    int max;
};

// The fields of the pages.
constexpr FieldSetup kOutputLevel{23, "", 0.1, 60, 0, 600};
constexpr FieldSetup kDelayMs{0, "MS", 0, 0, 0, 960};
constexpr FieldSetup kDelayCm{1, "CM", 0, 0, 0, 960};
constexpr FieldSetup kDelayInch{2, "INCH", 0, 0, 0, 960};
constexpr FieldSetup kBandGain{10, "", 0.1, 20, 80, 320};
constexpr FieldSetup kBandQ{11, "", 0, 0, 0, 295};
constexpr FieldSetup kMasterVolume{25, "", 1, 60, 0, 66};
constexpr FieldSetup kNoiseGate{23, "", 1, 120, 0, 100};
constexpr FieldSetup kThreshold{24, "", 0.1, 30, 0, 420};
constexpr FieldSetup kAttack{5, "", 0, 0, 0, 206};
constexpr FieldSetup kRatio{40, "", 0, 0, 1, 191};

CNumEditValue Make(const FieldSetup& s, int count)
{
    CNumEditValue value;
    value.SetType(s.type, QString::fromUtf8(s.unit));
    value.SetStep(s.step);
    value.SetOffset(s.offset);
    value.SetRange(s.min, s.max);
    value.SetCount(count);
    return value;
}

QString Shown(CNumEditValue& value)
{
    QString text = QStringLiteral("<unchanged>");
    value.Format(&text);
    return text;
}

// Sets the language for one test and restores English after it.
class LanguageGuard {
public:
    explicit LanguageGuard(bool chinese) { g_bChinese = chinese; }
    ~LanguageGuard() { g_bChinese = false; }
};

struct ShownCase {
    FieldSetup setup;
    int count;
    const char* english;
    const char* chinese;  // null: as the English text
};

TEST(NumEditValueTest, EveryTypeShowsItsCountInBothLanguages)
{
    const ShownCase cases[] = {
        // Delays: the maximum is 20 ms whatever the maximum count is; the
        // inch type measures only the maximum at 331.4 m/s.
        {kDelayMs, 960, "20.000MS", "20.000毫秒"},
        {kDelayMs, 47, "0.979MS", "0.979毫秒"},
        {{0, "", 0, 0, 0, 500}, 500, "20.000", nullptr},
        {{0, "x", 0, 0, 0, 960}, 0, "0.000MS", "0.000毫秒"},
        {{19, "", 0, 0, 0, 2880}, 48, "1.000", nullptr},
        {kDelayCm, 960, "692CM", "692厘米"},
        {kDelayCm, 9, "6CM", "6厘米"},
        {{1, "", 0, 0, 0, 960}, 480, "346", nullptr},
        {kDelayInch, 960, "273INCH", "273英寸"},
        {kDelayInch, 959, "272INCH", "272英寸"},
        {{3, "", 0.5, 0, 0, 200}, 150, "25.0", nullptr},
        {{3, "", 0.5, 0, 0, 200}, 0, "-50.0", nullptr},
        {{4, "", 0, 0, 20, 20000}, 1234, "1234", nullptr},
        {kAttack, 0, "0.3ms", nullptr},
        {kAttack, 6, "0.9ms", nullptr},
        {kAttack, 7, "1ms", nullptr},
        {kAttack, 206, "200ms", nullptr},
        {{6, "ms", 0, 0, 50, 5000}, 50, "50ms", nullptr},
        {{7, "", 0.01, 0, 0, 295}, 0, "0.05", nullptr},
        {{7, "", 0.01, 0, 0, 295}, 295, "3.00", nullptr},
        {{8, "", 0, 0, 20, 20000}, 20, "20Hz", nullptr},
        {{8, "", 0, 0, 20, 20000}, 20000, "20000Hz", nullptr},
        {{9, "", 0, 0, 20, 19000}, 19000, "20000Hz", nullptr},
        {{9, "", 0, 0, 20, 19000}, 1000, "1000Hz", nullptr},
        {kBandGain, 80, "-12.0", nullptr},
        {kBandGain, 200, "0.0", nullptr},
        {kBandGain, 320, "12.0", nullptr},
        {kBandQ, 0, "28.85", nullptr},
        {kBandQ, 295, "0.404", nullptr},
        {{12, "", 0, 0, 0, 200}, 75, "25C(77F)", nullptr},
        {{12, "", 0, 0, 0, 200}, 100, "50C(122F)", nullptr},
        {{13, "", 1, 0, 0, 100}, 50, "50%", nullptr},
        {{14, "s", 5, 9, 0, 1000}, 123, "1.23s", nullptr},
        {{15, "", 0, 0, 0, 10}, 12, "10", nullptr},
        {{16, "", 0, 0, 0, 400000}, 0, "0.0000", nullptr},
        {{16, "", 0, 0, 0, 400000}, 9615, "99.9960", nullptr},
        {{16, "", 0, 0, 0, 400000}, 9616, "100.000", nullptr},
        {{16, "", 0, 0, 0, 400000}, 9617, "100.021", nullptr},
        {{17, "", 0, 0, 0, 400000}, 100, "72.744", nullptr},
        {{18, "", 0, 0, 0, 400000}, 100, "2.387", nullptr},
        {{20, "s", 0.5, 0, 0, 100}, 7, "3s", nullptr},
        {{21, "", 0, 0, 0, 100}, 15, "1.5", nullptr},
        {{22, "", 0, 0, 0, 10}, 7, "14", nullptr},
        {{22, "", 0, 0, 0, 10}, 12, "20", nullptr},
        // Output level: off at count 20 itself, -58.1 dB just below.
        {kOutputLevel, 20, "OFF", "关闭"},
        {kOutputLevel, 19, "-58.1dB", nullptr},
        {kOutputLevel, 0, "-60.0dB", nullptr},
        {kOutputLevel, 600, "0.0dB", nullptr},
        {kNoiseGate, 20, "OFF", "关闭"},
        {kNoiseGate, 50, "-70.0dB", nullptr},
        {{23, "dBu", 1, 120, 20, 80}, 50, "-70dBu", nullptr},
        {kThreshold, 420, "12.0dBu", nullptr},
        {kThreshold, 0, "-30.0dBu", nullptr},
        {kMasterVolume, 0, "OFF", "关闭"},
        {kMasterVolume, 1, "-59dB", nullptr},
        {kMasterVolume, 66, "6dB", nullptr},
        {{26, "", 1, 5, 0, 10}, 12, "5dBu", nullptr},
        {{26, "x", 1, 5, 0, 10}, -3, "-5dB", nullptr},
        {{27, "", 0.5, 0, 0, 100}, 7, "3dB", nullptr},
        {{28, "", 0, 0, 20, 1000}, 20, "20Hz", nullptr},
        {{28, "", 0, 0, 20, 900}, 900, "1000Hz", nullptr},
        {{28, "", 0, 0, 20, 1000}, 500, "500Hz", nullptr},
        {{29, "", 0, 0, 5000, 20000}, 5000, "5000Hz", nullptr},
        {{29, "", 0, 0, 4000, 19000}, 19000, "20000Hz", nullptr},
        {{29, "", 0, 0, 4000, 19000}, 6000, "6000Hz", nullptr},
        {{30, "", 0.1, 30, 0, 420}, 420, "OFF", "关闭"},
        {{30, "", 0.1, 30, 0, 420}, 419, "11.9dBu", nullptr},
        // Balance: the middle is "OFF" in English in both languages.
        {{31, "", 0, 0, 0, 200}, 0, "R_100%", nullptr},
        {{31, "", 0, 0, 0, 200}, 99, "R_1%", nullptr},
        {{31, "", 0, 0, 0, 200}, 100, "OFF", nullptr},
        {{31, "", 0, 0, 0, 200}, 150, "L_50%", nullptr},
        {{31, "", 0, 0, 0, 200}, 201, "", nullptr},
        {{32, "", 1, 12, 0, 24}, 12, "2.200Vpp", nullptr},
        {{32, "", 1, 12, 0, 24}, 32, "OFF", "关闭"},
        {{32, "", 1, 12, 0, 24}, -4, "0.553Vpp", nullptr},
        {{33, "", 1, 0, 0, 100}, 150, "100", nullptr},
        {{34, "", 0, 0, 20, 200}, 20, "0°", nullptr},
        {{34, "", 0, 0, 20, 200}, 200, "360°", nullptr},
        {{34, "", 0, 0, 20, 200}, 5, "0°", nullptr},
        {kRatio, 1, "1:1", nullptr},
        {kRatio, 2, "1.1:1", nullptr},
        {kRatio, 11, "2.0:1", nullptr},
        {kRatio, 191, "20.0:1", nullptr},
        // Types without text keep what the field shows.
        {{35, "", 0, 0, 0, 10}, 5, "<unchanged>", nullptr},
        {{39, "", 0, 0, 0, 10}, 5, "<unchanged>", nullptr},
        {{41, "", 0, 0, 0, 10}, 5, "<unchanged>", nullptr},
        {{-1, "", 0, 0, 0, 10}, 5, "<unchanged>", nullptr},
    };
    for (const ShownCase& c : cases) {
        for (bool chinese : {false, true}) {
            LanguageGuard language(chinese);
            CNumEditValue value = Make(c.setup, c.count);
            const char* expected = chinese && c.chinese ? c.chinese : c.english;
            EXPECT_EQ(Shown(value), QString::fromUtf8(expected))
                << "type " << c.setup.type << " count " << c.count << (chinese ? " Chinese" : " English");
        }
    }
}

TEST(NumEditValueTest, ClampingTypesPullTheCountIntoTheRangeWhenShown)
{
    for (int type : {26, 32, 33, 34}) {
        CNumEditValue high = Make({type, "", 1, 0, 20, 40}, 90);
        Shown(high);
        EXPECT_EQ(high.Count(), 40) << type;
        CNumEditValue low = Make({type, "", 1, 0, 20, 40}, -5);
        Shown(low);
        EXPECT_EQ(low.Count(), 20) << type;
    }
    // Others show what they hold.
    CNumEditValue level = Make(kOutputLevel, 700);
    Shown(level);
    EXPECT_EQ(level.Count(), 700);
}

TEST(NumEditValueTest, RoundToDecimalsJudgesTheNextDecimalAlone)
{
    EXPECT_DOUBLE_EQ(CNumEditValue::RoundToDecimals(0.9791666, 3), 0.979);
    EXPECT_DOUBLE_EQ(CNumEditValue::RoundToDecimals(0.9795, 3), 0.98);
    EXPECT_DOUBLE_EQ(CNumEditValue::RoundToDecimals(2.45, 0), 2.0);  // judged on the 4 alone
    EXPECT_DOUBLE_EQ(CNumEditValue::RoundToDecimals(2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(CNumEditValue::RoundToDecimals(2.56, -3), 3.0);  // a negative n counts as 0
    EXPECT_DOUBLE_EQ(CNumEditValue::RoundToDecimals(-2.56, 0), -2.0);
}

TEST(NumEditValueTest, TextIsReadAsTheUsersNumberWhateverItHolds)
{
    struct Case {
        const char* text;
        double number;
        int integer;
    } cases[] = {
        {"  -12.5dB", -12.5, -12},
        {"+.5", 0.5, 0},
        {"5.", 5, 5},
        {"1e3", 1000, 1},
        {"1E+2x", 100, 1},
        {"2e", 2, 2},
        {"2e-", 2, 2},
        {"abc", 0, 0},
        {"", 0, 0},
        {".", 0, 0},
        {"-", 0, 0},
        {"nan", 0, 0},
        {"inf", 0, 0},
        {"-infinity", 0, 0},
        {"0x10", 0, 0},
        {"1e400", 1e9, 1},
        {"-1e400", -1e9, -1},
        {"1e-400", 0, 1},
        {"1e99999999999999999999", 1e9, 1},
        {"99999999999999999999", 1e9, 1000000000},
        {"-99999999999999999999", -1e9, -1000000000},
        {"\t\n 7", 7, 7},
        {"关闭", 0, 0},
        {"0.000000000000000000000000123", 1.23e-25, 0},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const double number = CNumEditValue::ReadNumber(text);
        EXPECT_FALSE(std::isnan(number)) << c.text;
        EXPECT_DOUBLE_EQ(number, c.number) << c.text;
        EXPECT_EQ(CNumEditValue::ReadInteger(text), c.integer) << c.text;
    }
}

// What a commit and a re-parse of typed text store, case by case.
struct TypedCase {
    FieldSetup setup;
    int before;
    const char* text;
    int committed;  // the count after the commit
    int parsed;     // the count after the silent re-parse instead
};

TEST(NumEditValueTest, CommitAndReparseOfTypedText)
{
    const TypedCase cases[] = {
        // Delays truncate on commit and round on re-parse; 20 and above is
        // the maximum, below 0 the minimum (the re-parse leaves those).
        {kDelayMs, 0, "0.979", 46, 47},
        {kDelayMs, 5, "25", 960, 5},
        {kDelayMs, 5, "20", 960, 960},
        {kDelayMs, 5, "-1", 0, 5},
        {{19, "", 0, 0, 0, 2880}, 5, "30", 2880, 1440},
        {kDelayCm, 5, "692", 960, 960},
        {kDelayCm, 5, "1000", 960, 5},
        {kDelayCm, 5, "-5", 0, 5},
        {kDelayCm, 5, "100", 139, 139},
        // 273 inches lies beyond the 272.75 of 20 ms: the re-parse leaves it.
        {kDelayInch, 5, "273", 960, 5},
        {kDelayInch, 5, "272", 957, 957},
        {kDelayInch, 5, "-1", 0, 5},
        {kDelayInch, 5, "10", 35, 35},
        {{16, "", 0, 0, 0, 400000}, 5, "1", 48, 48},
        {{16, "", 0, 0, 0, 400000}, 5, "9000", 400000, 5},
        {{16, "", 0, 0, 0, 400000}, 5, "-1", 0, 5},
        {{17, "", 0, 0, 0, 400000}, 5, "72.744", 100, 100},
        {{17, "", 0, 0, 0, 400000}, 5, "-1", 0, 5},
        {{18, "", 0, 0, 0, 400000}, 5, "2.387", 100, 100},
        {{3, "", 0.5, 0, 0, 200}, 5, "25", 150, 150},
        {{3, "", 0.5, 0, 0, 200}, 5, "99", 200, 5},
        // Integers: "1e3" is 1, text without a number is 0, pulled into
        // the range.
        {{4, "", 0, 0, 20, 20000}, 50, "1e3", 20, 50},
        {{4, "", 0, 0, 0, 20000}, 50, "1e3", 1, 1},
        {{4, "", 0, 0, 20, 20000}, 50, "abc", 20, 50},
        {{4, "", 0, 0, 20, 20000}, 50, "99999999999999", 20000, 50},
        {{4, "", 0, 0, 20, 20000}, 50, "OFF", 50, 50},
        {{8, "", 0, 0, 20, 20000}, 50, "1000Hz", 1000, 1000},
        {{28, "", 0, 0, 20, 1000}, 50, "5000", 1000, 50},
        {{6, "ms", 0, 0, 50, 5000}, 60, "7", 50, 50},
        {{33, "", 1, 0, 0, 100}, 60, "-99999999999999", 0, 0},
        // Attack: 0.9 to 1 names no count; every shown tenth is its own.
        {kAttack, 40, "0.95", 40, 40},
        {kAttack, 40, "0.6", 3, 3},
        {kAttack, 40, "0.7", 4, 4},
        {kAttack, 40, "0.1", 0, 40},
        {kAttack, 40, "300", 206, 40},
        {{7, "", 0.01, 0, 0, 295}, 5, "0.29", 24, 24},
        {{7, "", 0.01, 0, 0, 295}, 5, "9", 295, 5},
        // Levels: "OFF" by type; gain and whole levels take the bottom.
        {kOutputLevel, 300, "-58.1dB", 19, 19},
        {kOutputLevel, 300, "OFF", 0, 0},
        {kOutputLevel, 300, "关闭", 0, 0},
        {kNoiseGate, 60, "OFF", 20, 20},
        {kMasterVolume, 30, "OFF", 0, 0},
        {kMasterVolume, 30, "5", 65, 65},
        {kMasterVolume, 30, "50", 66, 66},
        {kThreshold, 30, "OFF", 420, 420},
        {{24, "", 0.1, 30, 0, 360}, 30, "OFF", 360, 360},
        {{30, "", 0.1, 30, 0, 420}, 30, "OFF", 420, 420},
        {kBandGain, 200, "OFF", 80, 80},
        {kBandGain, 200, "13", 320, 320},
        {kBandGain, 200, "nan", 200, 200},
        {kBandGain, 200, "inf", 200, 200},
        {kBandGain, 200, "1e400", 320, 320},
        {kBandGain, 200, "-1e400", 80, 80},
        {{26, "", 1, 5, 0, 10}, 7, "OFF", 0, 0},
        // Voltage: 0 is the lowest, a negative number the top (off); the
        // re-parse leaves the count.
        {{32, "", 1, 12, 0, 24}, 7, "0", 0, 7},
        {{32, "", 1, 12, 0, 24}, 7, "-1", 24, 7},
        {{32, "", 1, 12, 0, 24}, 7, "2.2", 12, 7},
        {{32, "", 1, 12, 0, 24}, 7, "OFF", 24, 7},
        {kBandQ, 7, "28.852", 0, 0},
        {kBandQ, 7, "100", 0, 7},
        {kBandQ, 7, "0.404", 295, 295},
        {{13, "", 0.5, 0, 0, 100}, 7, "20", 40, 40},
        {{14, "", 0, 0, 0, 1000}, 7, "0.29", 29, 29},
        {{21, "", 0, 0, 0, 100}, 7, "0.7", 7, 7},
        {{15, "", 0, 0, 0, 10}, 7, "12", 10, 7},
        {{22, "", 0, 0, 0, 10}, 7, "6", 3, 3},
        {{34, "", 0, 0, 20, 200}, 7, "90", 65, 65},
        {{34, "", 0, 0, 20, 200}, 7, "999", 200, 200},
        // No commit: temperature, balance, the ratio, unknown types.
        {{12, "", 0, 0, 0, 200}, 7, "30", 7, 7},
        {{31, "", 0, 0, 0, 200}, 7, "30", 7, 7},
        {kRatio, 7, "5", 7, 7},
        {{37, "", 0, 0, 0, 200}, 7, "30", 7, 7},
    };
    for (const TypedCase& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        CNumEditValue committed = Make(c.setup, c.before);
        committed.SetTyped(true);
        committed.Commit(text);
        EXPECT_EQ(committed.Count(), c.committed) << "commit type " << c.setup.type << " of " << c.text;
        CNumEditValue parsed = Make(c.setup, c.before);
        parsed.Parse(text);
        EXPECT_EQ(parsed.Count(), c.parsed) << "re-parse type " << c.setup.type << " of " << c.text;
    }
}

TEST(NumEditValueTest, WhatACommitStoresAndReportsWithoutTyping)
{
    // Without typing, only the integer and frequency types store a count,
    // and nothing asks for a notice.
    struct Case {
        FieldSetup setup;
        const char* text;
        int count;
    } cases[] = {
        {{4, "", 0, 0, 20, 20000}, "1234", 1234},
        {{8, "", 0, 0, 20, 20000}, "5Hz", 20},
        {{9, "", 0, 0, 20, 20000}, "OFF", 50},
        {{28, "", 0, 0, 20, 1000}, "300Hz", 300},
        {{29, "", 0, 0, 5000, 20000}, "0", 5000},
        {kDelayMs, "3", 50},
        {kMasterVolume, "3", 50},
        {kBandGain, "3", 50},
        {{33, "", 1, 0, 0, 100}, "3", 50},
    };
    for (const Case& c : cases) {
        CNumEditValue value = Make(c.setup, 50);
        EXPECT_FALSE(value.Commit(QString::fromUtf8(c.text))) << c.setup.type;
        EXPECT_EQ(value.Count(), c.count) << c.setup.type;
    }
    // Typed, each committing type asks for the notice; the flag stays set.
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27,
                     28, 29, 30, 32, 33, 34}) {
        CNumEditValue value = Make({type, "", 1, 0, 0, 960}, 5);
        value.SetTyped(true);
        EXPECT_TRUE(value.Commit(QStringLiteral("1"))) << type;
        EXPECT_TRUE(value.IsTyped()) << type;
    }
    for (int type : {12, 31, 35, 39, 40, 41, -1}) {
        CNumEditValue value = Make({type, "", 1, 0, 0, 960}, 5);
        value.SetTyped(true);
        EXPECT_FALSE(value.Commit(QStringLiteral("1"))) << type;
    }
}

// Every number a field of these types shows commits, and re-parses, to the
// count it shows: floating-point error never costs a step.
TEST(NumEditValueTest, EveryShownNumberCommitsToItsOwnCount)
{
    const FieldSetup setups[] = {kAttack, kBandGain, kOutputLevel, kNoiseGate, kThreshold, kMasterVolume,
                            {24, "", 0.1, 30, 0, 360}, {10, "", 0.1, 20, 0, 400}};
    for (const FieldSetup& s : setups) {
        for (int count = s.min; count <= s.max; ++count) {
            CNumEditValue shown = Make(s, count);
            const QString text = Shown(shown);
            if (text == QLatin1String("OFF"))
                continue;  // the off texts are tested on their own
            CNumEditValue committed = Make(s, s.min == count ? s.max : s.min);
            committed.SetTyped(true);
            ASSERT_TRUE(committed.Commit(text));
            EXPECT_EQ(committed.Count(), count) << "type " << s.type << " commit of " << text.toStdString();
            CNumEditValue parsed = Make(s, s.min == count ? s.max : s.min);
            parsed.Parse(text);
            EXPECT_EQ(parsed.Count(), count) << "type " << s.type << " re-parse of " << text.toStdString();
        }
    }
}

TEST(NumEditValueTest, TruncationForgivesOnlyTheErrorOfAShownDecimal)
{
    EXPECT_EQ(CNumEditValue::TruncateNearWhole(18.999999999999986), 19);
    EXPECT_EQ(CNumEditValue::TruncateNearWhole(28.999999999999996), 29);
    EXPECT_EQ(CNumEditValue::TruncateNearWhole(46.99), 46);
    EXPECT_EQ(CNumEditValue::TruncateNearWhole(18.9999), 18);
    EXPECT_EQ(CNumEditValue::TruncateNearWhole(19.0000001), 19);
    EXPECT_EQ(CNumEditValue::TruncateNearWhole(-2.5), -2);
    EXPECT_EQ(CNumEditValue::TruncateNearWhole(1e300), 1 << 30);
}

TEST(NumEditValueTest, ADecimalCommaLocaleChangesNothing)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE", "fr_FR"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            comma = name;
            break;
        }
    }
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_DOUBLE_EQ(CNumEditValue::ReadNumber(QStringLiteral("0.5")), 0.5);
    CNumEditValue gain = Make(kBandGain, 205);
    EXPECT_EQ(Shown(gain), QStringLiteral("0.5"));
    gain.SetTyped(true);
    gain.Commit(QStringLiteral("-3.5"));
    EXPECT_EQ(gain.Count(), 165);
    std::setlocale(LC_NUMERIC, previous.c_str());
}

}  // namespace
