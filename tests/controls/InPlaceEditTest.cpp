// Editing a grid cell in place: what opens the editor and how the first key
// primes it, how Enter, Escape, Tab and the arrows end it, what the grid
// stores and tells its owner, the length and ASCII rules, growth, the keys
// that never reach the dialog, and a grid destroyed under an open editor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "controls/grid/InPlaceEdit.h"
#include "tests/common/gui/LineEditInput.h"
#include "tests/controls/GridTestSupport.h"

namespace {

// An editable grid of 10 x 5 (one fixed row and column) with 20 x 50 cells
// in a 300 x 200 client area, every cell "r,c", in an active window.
class InPlaceEdit : public ::testing::Test, public GridFixture {
protected:
    void SetUp() override
    {
        Make(10, 5, 1, 1, 20, 50, QSize(300, 200));
        for (int r = 1; r < 10; ++r) {
            for (int c = 1; c < 5; ++c)
                grid->SetItemText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
        }
        owner.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
        grid->setFocus();
        grid->SetFocusCell(2, 2);
        owner.notices.clear();
    }
    void TearDown() override { FlushClosedEditors(); }

    CInPlaceEdit* Editor() const { return OpenEditor<CInPlaceEdit>(grid); }
};

TEST_F(InPlaceEdit, ATypedLetterReplacesTheTextAndEnterStoresIt)
{
    QTest::keyClick(grid, Qt::Key_X);
    CInPlaceEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("x"));
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->GetRow(), 2);
    EXPECT_EQ(editor->GetColumn(), 2);
    CRect cell;
    grid->GetCellBounds(2, 2, &cell);
    EXPECT_EQ(editor->geometry(), cell.ToQRect());  // over the cell, its grid lines left showing
    EXPECT_EQ(owner.Codes(), std::vector<UINT>{LVN_BEGINLABELEDITA});

    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(grid->GetItemText(2, 2), QStringLiteral("x"));
    EXPECT_TRUE(grid->GetModified(2, 2));
    EXPECT_TRUE(grid->GetModified());
    EXPECT_EQ(owner.Codes(), (std::vector<UINT>{LVN_BEGINLABELEDITA, LVN_ENDLABELEDITA}));
    EXPECT_EQ(owner.notices[1].row, 2);
    EXPECT_EQ(owner.notices[1].column, 2);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 2));
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(InPlaceEdit, TheFirstKeyPrimesTheEditor)
{
    struct Case {
        UINT first;
        const char* text;
        const char* selected;
        int caret;
    };
    const Case cases[] = {
        {VK_LBUTTON, "2,2", "", 3}, {VK_RETURN, "2,2", "", 3},  {VK_BACK, "2,", "", 2},
        {VK_TAB, "2,2", "2,2", 3},  {VK_SPACE, "2,2", "2,2", 3}, {VK_HOME, "2,2", "2,2", 3},
        {VK_DOWN, "2,2", "2,2", 3}, {'q', "q", "", 1},          {'!', "2,2", "2,2", 3},  // '!' is VK_PRIOR's code
    };
    for (const Case& c : cases) {
        grid->BeginCellEdit(2, 2, c.first);
        CInPlaceEdit* editor = Editor();
        ASSERT_NE(editor, nullptr) << c.first;
        EXPECT_EQ(editor->text(), QString::fromUtf8(c.text)) << c.first;
        EXPECT_EQ(editor->selectedText(), QString::fromUtf8(c.selected)) << c.first;
        EXPECT_EQ(editor->cursorPosition(), c.caret) << c.first;
        editor->EndEdit();
        grid->SetItemText(2, 2, QStringLiteral("2,2"));
        grid->SetModified(false);
    }
}

TEST_F(InPlaceEdit, EscapeRestoresTheTextAndChangesNothing)
{
    QTest::keyClick(grid, Qt::Key_Z);
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_EQ(grid->GetItemText(2, 2), QStringLiteral("2,2"));
    EXPECT_FALSE(grid->GetModified(2, 2));
    EXPECT_FALSE(grid->GetModified());
    EXPECT_EQ(owner.Codes(), (std::vector<UINT>{LVN_BEGINLABELEDITA, LVN_ENDLABELEDITA}));
    EXPECT_EQ(Editor(), nullptr);

    // Escape as the first key ends the edit at once.
    owner.notices.clear();
    grid->BeginCellEdit(3, 3, VK_ESCAPE);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(owner.Codes(), (std::vector<UINT>{LVN_BEGINLABELEDITA, LVN_ENDLABELEDITA}));
    EXPECT_EQ(grid->GetItemText(3, 3), QStringLiteral("3,3"));
}

TEST_F(InPlaceEdit, TabAndShiftTabStoreAndOpenTheNextCellWithItsTextSelected)
{
    grid->SetFocusCell(2, 3);
    QTest::keyClick(grid, Qt::Key_A);
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_EQ(grid->GetItemText(2, 3), QStringLiteral("a"));
    CInPlaceEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetColumn(), 4);
    EXPECT_EQ(editor->selectedText(), QStringLiteral("2,4"));

    // From the last column to the next row's first.
    QTest::keyClick(editor, Qt::Key_B);
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(grid->GetItemText(2, 4), QStringLiteral("b"));
    editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 1));
    EXPECT_EQ(editor->GetRow(), 3);
    EXPECT_EQ(editor->GetColumn(), 1);

    // And back.
    QTest::keyClick(editor, Qt::Key_Backtab, Qt::ShiftModifier);
    editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 4));
    EXPECT_EQ(editor->text(), QStringLiteral("b"));
    std::vector<UINT> ends;
    for (const auto& notice : owner.notices) {
        if (notice.code == LVN_ENDLABELEDITA)
            ends.push_back(UINT(notice.column));
    }
    EXPECT_EQ(ends, (std::vector<UINT>{3, 4, 1}));
}

TEST_F(InPlaceEdit, AMouseEditKeepsTheArrowsUntilCtrlAndAKeyEditEndsOnThem)
{
    GridDoubleClick(grid, CellPoint(grid, 3, 2));
    CInPlaceEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->cursorPosition(), 3);  // after the last character
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClick(editor, Qt::Key_Left);
    EXPECT_EQ(editor->cursorPosition(), 1);
    QTest::keyClick(editor, Qt::Key_Down);  // the caret's key here
    EXPECT_EQ(Editor(), editor);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 2));

    QTest::keyClick(editor, Qt::Key_Left, Qt::ControlModifier);
    editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 1));
    EXPECT_EQ(editor->GetColumn(), 1);
    EXPECT_EQ(editor->selectedText(), QStringLiteral("3,1"));

    // Opened by a key: a plain arrow ends it.
    QTest::keyClick(editor, Qt::Key_Down);
    editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(4, 1));
    EXPECT_EQ(editor->GetRow(), 4);
}

TEST_F(InPlaceEdit, TheUserTypesAtMostEightAsciiCharactersButALongerTextStaysWhole)
{
    QTest::keyClick(grid, Qt::Key_A);
    CInPlaceEdit* editor = Editor();
    TypeText(*editor, QStringLiteral("bcdefghij"));
    EXPECT_EQ(editor->text(), QStringLiteral("abcdefgh"));
    editor->setText(QString());
    PasteWithKeys(*editor, QStringLiteral("1中2345678"));
    EXPECT_EQ(editor->text(), QStringLiteral("12345678"));
    editor->setText(QStringLiteral("ab"));
    TypeText(*editor, QStringLiteral("中"));
    CommitText(*editor, QStringLiteral("文x"));
    EXPECT_EQ(editor->text(), QStringLiteral("abx"));
    QTest::keyClick(editor, Qt::Key_Return);

    // Twelve characters the program put there: shown whole, kept by Enter,
    // and nothing more goes in.
    grid->SetItemText(4, 2, QStringLiteral("ABCDEFGHIJKL"));
    grid->SetModified(false);
    grid->BeginCellEdit(4, 2, VK_LBUTTON);
    editor = Editor();
    EXPECT_EQ(editor->text(), QStringLiteral("ABCDEFGHIJKL"));
    QTest::keyClick(editor, Qt::Key_M);
    EXPECT_EQ(editor->text(), QStringLiteral("ABCDEFGHIJKL"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(grid->GetItemText(4, 2), QStringLiteral("ABCDEFGHIJKL"));
    EXPECT_FALSE(grid->GetModified(4, 2));
}

TEST_F(InPlaceEdit, TheEditorGrowsWithItsTextUpToTheGridsRightEdge)
{
    grid->SetFocusCell(2, 1);  // 50 .. 99, with room to the right
    QTest::keyClick(grid, Qt::Key_W);
    CInPlaceEdit* editor = Editor();
    TypeText(*editor, QStringLiteral("WWWW"));
    ASSERT_EQ(editor->text(), QStringLiteral("wWWWW"));
    const int wanted = QFontMetrics(editor->font()).horizontalAdvance(QStringLiteral("wWWWW  "));
    ASSERT_GT(wanted, 49);
    EXPECT_EQ(editor->geometry(), QRect(50, 40, wanted, 19));
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(editor->width(), wanted);  // never narrower again
    QTest::keyClick(editor, Qt::Key_Return);

    // Text the gate cuts to the limit widens it as well.
    grid->BeginCellEdit(3, 1, VK_LBUTTON);
    editor = Editor();
    editor->setText(QString());
    PasteWithKeys(*editor, QStringLiteral("WWWWWWWWWW"));
    ASSERT_EQ(editor->text(), QStringLiteral("WWWWWWWW"));
    EXPECT_EQ(editor->width(), QFontMetrics(editor->font()).horizontalAdvance(QStringLiteral("WWWWWWWW  ")));
    QTest::keyClick(editor, Qt::Key_Escape);

    grid->SetFocusCell(2, 4);  // 200 .. 249 in a 300-pixel client area
    QTest::keyClick(grid, Qt::Key_W);
    editor = Editor();
    TypeText(*editor, QStringLiteral("WWWWWWW"));
    EXPECT_EQ(editor->geometry().left(), 200);
    EXPECT_EQ(editor->geometry().right() + 1, grid->GetClientRect().right);
}

TEST_F(InPlaceEdit, NoEditorOpensOnAReadOnlyCellOrInAGridThatIsNotEditable)
{
    GridFixture long_;
    long_.Make(1000, 3, 1, 1, 20, 50, QSize(200, 200));
    long_.grid->SetItemState(500, 1, GCS_READONLY);
    long_.owner.notices.clear();
    long_.grid->BeginCellEdit(500, 1, 'a');
    EXPECT_TRUE(long_.grid->IsCellVisible(500, 1));  // scrolled there all the same
    EXPECT_TRUE(long_.owner.notices.empty());
    EXPECT_TRUE(long_.grid->viewport()->findChildren<CInPlaceEdit*>().isEmpty());

    grid->SetEditable(false);
    owner.notices.clear();
    QTest::keyClick(grid, Qt::Key_A);
    GridDoubleClick(grid, CellPoint(grid, 3, 2));
    EXPECT_EQ(Editor(), nullptr);
    for (const auto& notice : owner.notices)
        EXPECT_NE(notice.code, LVN_BEGINLABELEDITA);
}

TEST_F(InPlaceEdit, TheKeysThatEndTheEditNeverReachTheDialog)
{
    // A dialog with a default button around a grid.
    QDialog dialog;
    dialog.resize(300, 200);
    auto* button = new QPushButton(QStringLiteral("OK"), &dialog);
    button->setDefault(true);
    int accepted = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++accepted; });
    auto* inner = new CProbeGrid(4, 3, 1, 1);
    inner->Create(CRect(0, 30, 300, 200), &dialog, 2724, WS_CHILD | WS_VISIBLE);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    inner->SetFocusCell(1, 1);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab}) {
        inner->setFocus();
        QTest::keyClick(inner, Qt::Key_A);
        FlushClosedEditors();
        auto* editor = inner->viewport()->findChild<CInPlaceEdit*>();
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_A, Qt::AltModifier);  // swallowed
        EXPECT_EQ(editor->text(), QStringLiteral("a"));
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), editor->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(editor, &menuEvent);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(editor, key);
        FlushClosedEditors();
        EXPECT_TRUE(dialog.isVisible()) << key;
        EXPECT_EQ(accepted, 0) << key;
        for (CInPlaceEdit* open : inner->viewport()->findChildren<CInPlaceEdit*>())
            open->EndEdit();
        FlushClosedEditors();
    }
}

TEST_F(InPlaceEdit, AGridDestroyedUnderAnOpenEditorTakesItAlongQuietly)
{
    QTest::keyClick(grid, Qt::Key_A);
    QPointer<CInPlaceEdit> editor = Editor();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(editor->hasFocus());
    owner.notices.clear();
    delete grid;
    grid = nullptr;
    EXPECT_TRUE(editor.isNull());
    EXPECT_TRUE(owner.notices.empty());
    FlushClosedEditors();
}

}  // namespace
