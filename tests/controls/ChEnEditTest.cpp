#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QFocusEvent>

#include "controls/ChEnEdit.h"
#include "tests/common/gui/LineEditInput.h"

namespace {

using Put = std::function<void(QLineEdit&, const QString&)>;

void LoseFocus(QLineEdit& edit)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &out);
}

struct Step {
    Put put;
    const char* text;
};

// Runs the steps on a fresh edit and returns its text.
QString After(bool allowDoubleByte, std::initializer_list<Step> steps, int limit = 0)
{
    CChEnEdit edit;
    edit.resize(200, 24);
    edit.SetAllowDoubleByte(allowDoubleByte);
    edit.LimitText(limit);
    for (const Step& step : steps)
        step.put(edit, QString::fromUtf8(step.text));
    return edit.text();
}

TEST(ChEnEditTest, DoubleByteAllowedKeepsEvenColumnsForTypedAndCommittedCharacters)
{
    EXPECT_EQ(After(true, {{TypeText, "a"}, {TypeText, "中"}}), QStringLiteral("a 中"));
    EXPECT_EQ(After(true, {{TypeText, "a"}, {TypeText, "b"}, {TypeText, "中"}}), QStringLiteral("ab中"));
    EXPECT_EQ(After(true, {{TypeText, "中"}, {TypeText, "文"}}), QStringLiteral("中文"));
    EXPECT_EQ(After(true, {{CommitText, "a"}, {CommitText, "中"}}), QStringLiteral("a 中"));
    EXPECT_EQ(After(true, {{TypeText, "a"}, {CommitText, "中文x中"}}), QStringLiteral("a 中文x 中"));
    // Pasted and dropped text goes in as it is; leaving the edit aligns it.
    EXPECT_EQ(After(true, {{TypeText, "a"}, {PasteWithKeys, "中"}}), QStringLiteral("a中"));
    EXPECT_EQ(After(true, {{TypeText, "a"}, {DropText, "中"}}), QStringLiteral("a中"));
}

TEST(ChEnEditTest, TheLinesLengthDecidesNotTheCaretsColumn)
{
    CChEnEdit edit;
    edit.setText(QStringLiteral("abc"));
    edit.setCursorPosition(2);  // an even column, in an odd-length line
    TypeText(edit, QStringLiteral("中"));
    EXPECT_EQ(edit.text(), QStringLiteral("ab 中c"));
    // A selection about to be replaced does not count.
    edit.setText(QStringLiteral("abc"));
    edit.setSelection(0, 1);
    TypeText(edit, QStringLiteral("中"));
    EXPECT_EQ(edit.text(), QStringLiteral("中bc"));
}

TEST(ChEnEditTest, FocusOutAlignsTheWholeText)
{
    struct Case {
        const char* text;
        const char* aligned;
    };
    const Case cases[] = {
        {"a中", "a 中"}, {"ab中", "ab中"},    {"中a中", "中a 中"}, {"a中b中", "a 中b 中"},
        {"", ""},       {"abc", "abc"},      {"中文", "中文"},
        {"丂丂", "丂 丂"},  // GBK 81 40: the trail byte below 0x80 counts as a column of its own
    };
    for (const Case& c : cases)
        EXPECT_EQ(CChEnEdit::AlignDoubleBytes(QString::fromUtf8(c.text)), QString::fromUtf8(c.aligned)) << c.text;

    EXPECT_EQ(After(true, {{TypeText, "a"}, {PasteWithKeys, "中"}, {[](QLineEdit& e, const QString&) { LoseFocus(e); }, ""}}),
              QStringLiteral("a 中"));
    // Refusing double bytes, leaving the edit changes nothing, not even text
    // the program set.
    CChEnEdit refused;
    refused.SetAllowDoubleByte(false);
    refused.setText(QStringLiteral("a中"));
    LoseFocus(refused);
    EXPECT_EQ(refused.text(), QStringLiteral("a中"));
}

// The preset-name field: every non-ASCII character is refused whole, however
// it comes; the old field let a GBK trail byte between 0x40 and 0x7E in as a
// stray ASCII character, and let pasted text through unfiltered.
TEST(ChEnEditTest, DoubleByteRefusedRefusesNonAsciiWholeEveryWayIn)
{
    struct Case {
        const char* way;
        Put put;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"typed", TypeText, "中", "ab"},        {"typed", TypeText, "丂", "ab"},  // trail byte '@'
        {"typed", TypeText, "亊", "ab"},        // GBK 81 7E: trail byte '~'
        {"typed", TypeText, "c", "abc"},        {"committed", CommitText, "中c文", "abc"},
        {"pasted", PasteWithKeys, "c丂d", "abcd"}, {"pasted from the menu", PasteFromMenu, "中c", "abc"},
        {"dropped", DropText, "c中", "abc"},
    };
    for (const Case& c : cases) {
        CChEnEdit edit;
        edit.resize(200, 24);
        edit.SetAllowDoubleByte(false);
        edit.setText(QStringLiteral("ab"));
        c.put(edit, QString::fromUtf8(c.text));
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.expected)) << c.way << " " << c.text;
    }
    // Text the program sets stays.
    CChEnEdit edit;
    edit.SetAllowDoubleByte(false);
    edit.setText(QStringLiteral("名"));
    EXPECT_EQ(edit.text(), QStringLiteral("名"));
}

TEST(ChEnEditTest, TheLimitStopsTheUserNeverTheProgram)
{
    // 13 bytes, as the preset-name dialog sets.
    EXPECT_EQ(After(false, {{PasteWithKeys, "abcdefghijklmnop"}}, 13), QStringLiteral("abcdefghijklm"));
    EXPECT_EQ(After(false, {{PasteWithKeys, "abcdefghijklm"}, {TypeText, "n"}}, 13), QStringLiteral("abcdefghijklm"));
    EXPECT_EQ(After(true, {{PasteWithKeys, "abcdefghijkl"}, {TypeText, "中"}}, 13), QStringLiteral("abcdefghijkl"))
        << "half a character never goes in";
    EXPECT_EQ(After(true, {{PasteWithKeys, "abcdefghijk"}, {TypeText, "中"}}, 13), QStringLiteral("abcdefghijk"))
        << "nor its space alone";
    EXPECT_EQ(After(true, {{PasteWithKeys, "abcdefghi"}, {CommitText, "中文"}}, 13), QStringLiteral("abcdefghi 中"));
    EXPECT_EQ(After(true, {{DropText, "abcdefghijklmnop"}}, 13), QStringLiteral("abcdefghijklm"));

    CChEnEdit edit;
    edit.LimitText(13);
    edit.setText(QStringLiteral("a name longer than thirteen"));
    EXPECT_EQ(edit.text(), QStringLiteral("a name longer than thirteen"));
}

}  // namespace
