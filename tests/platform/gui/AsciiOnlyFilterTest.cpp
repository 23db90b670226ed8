#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include "platform/gui/AsciiOnlyFilter.h"
#include "platform/gui/LineInputFilter.h"
#include "tests/common/gui/LineEditInput.h"

namespace {

TEST(AsciiOnlyFilterTest, StripKeepsAsciiOnly)
{
    EXPECT_EQ(StripNonAscii(QStringLiteral("a中b\x7f" "é1")), QStringLiteral("ab\x7f" "1"));
    EXPECT_EQ(StripNonAscii(QStringLiteral("中文")), QString());
}

// Every way a user puts text in, with a non-ASCII character among ASCII
// ones: the non-ASCII characters are refused whole, the rest goes in.
TEST(AsciiOnlyFilterTest, EveryWayInRefusesNonAsciiWhole)
{
    struct Case {
        const char* way;
        std::function<void(QLineEdit&, const QString&)> put;
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"typed", TypeText, "中", "ab"},
        {"typed", TypeText, "x", "abx"},
        {"typed", TypeText, "丂", "ab"},  // GBK 0x81 0x40: its trail byte would be '@'
        {"typed", TypeText, "x中", "abx"},
        {"committed", CommitText, "中文x", "abx"},
        {"committed", CommitText, "xy", "abxy"},
        {"pasted with the keys", PasteWithKeys, "n中1丂", "abn1"},
        {"pasted from the menu", PasteFromMenu, "n中1", "abn1"},
        {"dropped", DropText, "n中1", "abn1"},
        {"dropped", DropText, "中", "ab"},
    };
    for (const Case& c : cases) {
        QLineEdit edit;
        edit.resize(200, 24);
        InstallAsciiOnlyFilter(&edit);
        edit.setText(QStringLiteral("ab"));
        c.put(edit, QString::fromUtf8(c.input));
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.expected)) << c.way << " " << c.input;
    }
}

TEST(AsciiOnlyFilterTest, TextTheProgramSetsStays)
{
    QLineEdit edit;
    InstallAsciiOnlyFilter(&edit);
    edit.setText(QStringLiteral("名字"));
    EXPECT_EQ(edit.text(), QStringLiteral("名字"));
    TypeText(edit, QStringLiteral("中"));
    TypeText(edit, QStringLiteral("x"));
    edit.insert(QStringLiteral("文"));
    EXPECT_EQ(edit.text(), QStringLiteral("名字x文"));
}

TEST(AsciiOnlyFilterTest, ARefusedPasteLeavesTheSelection)
{
    QLineEdit edit;
    InstallAsciiOnlyFilter(&edit);
    edit.setText(QStringLiteral("abc"));
    edit.setSelection(0, 2);
    PasteWithKeys(edit, QStringLiteral("中文"));
    EXPECT_EQ(edit.text(), QStringLiteral("abc"));
    PasteWithKeys(edit, QStringLiteral("x中"));
    EXPECT_EQ(edit.text(), QStringLiteral("xc"));
}

TEST(LineInputFilterTest, ByteLimitTakesWholePiecesOutsideTheSelection)
{
    QLineEdit edit;
    edit.setText(QStringLiteral("ab中"));  // 4 bytes
    EXPECT_EQ(SplitCharacters(QStringLiteral("a中\U0001F600b")),
              (QStringList{QStringLiteral("a"), QStringLiteral("中"), QStringLiteral("\U0001F600"), QStringLiteral("b")}));
    const QStringList pieces{QStringLiteral("x"), QStringLiteral("文"), QStringLiteral("y")};
    EXPECT_EQ(FitByteLimit(edit, pieces, 0), QStringLiteral("x文y"));
    EXPECT_EQ(FitByteLimit(edit, pieces, 8), QStringLiteral("x文y"));
    EXPECT_EQ(FitByteLimit(edit, pieces, 7), QStringLiteral("x文"));
    EXPECT_EQ(FitByteLimit(edit, pieces, 6), QStringLiteral("x"));  // half a character never goes in
    EXPECT_EQ(FitByteLimit(edit, pieces, 4), QString());
    edit.setSelection(2, 1);  // the input replaces "中"
    EXPECT_EQ(TextOutsideSelection(edit), QStringLiteral("ab"));
    EXPECT_EQ(FitByteLimit(edit, pieces, 5), QStringLiteral("x文"));
}

}  // namespace

namespace {

TEST(LineInputFilterTest, AnEditWhoseMenuIsOffGetsNoneFromTheFilter)
{
    for (const Qt::ContextMenuPolicy policy : {Qt::DefaultContextMenu, Qt::PreventContextMenu}) {
        QLineEdit edit;
        InstallAsciiOnlyFilter(&edit);
        edit.setContextMenuPolicy(policy);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), edit.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&edit, &menuEvent);
        const qsizetype menus = edit.findChildren<QMenu*>().size();
        EXPECT_EQ(menus, policy == Qt::DefaultContextMenu ? 1 : 0) << int(policy);
        for (QMenu* menu : edit.findChildren<QMenu*>())
            menu->close();
    }
}

}  // namespace
