#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "controls/PassWordEdit.h"
#include "tests/common/gui/LineEditInput.h"

namespace {

void Key(QLineEdit& edit, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&edit, &press);
}

TEST(PassWordEditTest, OnlyDigitsAndLettersAreTyped)
{
    struct Case {
        const char* typed;
        bool kept;
    };
    const Case cases[] = {
        {"0", true},  {"9", true},  {"A", true},  {"Z", true},  {"a", true},  {"z", true},
        {"-", false}, {" ", false}, {"_", false}, {"{", false}, {"~", false}, {"é", false},
        {"中", false}, {"@", false}, {"[", false}, {"`", false}, {"/", false}, {":", false},
    };
    for (const Case& c : cases) {
        CPassWordEdit edit;
        edit.setText(QStringLiteral("k"));
        TypeText(edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(edit.text(), c.kept ? QStringLiteral("k") + QString::fromUtf8(c.typed) : QStringLiteral("k"))
            << c.typed;
    }
    CPassWordEdit edit;
    CommitText(edit, QStringLiteral("1中-x"));
    EXPECT_EQ(edit.text(), QStringLiteral("1x")) << "an input method types too";
}

TEST(PassWordEditTest, KeysWithoutACharacterAndPastesAreUntouched)
{
    CPassWordEdit edit;
    edit.setText(QStringLiteral("abcd"));
    edit.setCursorPosition(2);
    Key(edit, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(edit.text(), QStringLiteral("acd"));
    Key(edit, Qt::Key_Delete, QStringLiteral("\x7f"));
    EXPECT_EQ(edit.text(), QStringLiteral("ad"));
    Key(edit, Qt::Key_Left, QString());
    EXPECT_EQ(edit.cursorPosition(), 0);
    PasteWithKeys(edit, QStringLiteral("-_"));
    EXPECT_EQ(edit.text(), QStringLiteral("-_ad"));
}

TEST(PassWordEditTest, TheLimitStopsTheUserNeverTheProgram)
{
    CPassWordEdit edit;
    edit.LimitText(6);
    PasteWithKeys(edit, QStringLiteral("12345"));
    TypeText(edit, QStringLiteral("6"));
    TypeText(edit, QStringLiteral("7"));
    EXPECT_EQ(edit.text(), QStringLiteral("123456"));
    edit.clear();
    PasteWithKeys(edit, QStringLiteral("abcdefgh"));
    EXPECT_EQ(edit.text(), QStringLiteral("abcdef"));
    edit.setText(QStringLiteral("12345678"));
    EXPECT_EQ(edit.text(), QStringLiteral("12345678"));
}

}  // namespace
