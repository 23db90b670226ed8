// The combo grid's list editor (CInPlaceList): how it opens, its width and
// four lines, the keys that end it, Escape at release, and what reaches the
// cell.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "controls/grid/ComboGridCtrl.h"
#include "controls/grid/InPlaceEdit.h"
#include "controls/grid/InPlaceList.h"
#include "controls/grid/InPlaceListEdit.h"
#include "platform/gui/ControlStyles.h"
#include "tests/common/gui/LineEditInput.h"
#include "tests/controls/GridTestSupport.h"

namespace {

const QStringList kListLetters{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")};

// A shown combo grid, editable, 5 x 4 (one fixed row and column) of 20 x 50
// cells; column 2 has the three Greek letters, column 3 a list wider than
// the cell. Cell (2, 2) holds "Beta".
class InPlaceList : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = new CComboGridCtrl;
        grid->SetRowCount(5);
        grid->SetColumnCount(4);
        grid->SetFixedRowCount(1);
        grid->SetFixedColumnCount(1);
        grid->Create(CRect(10, 10, 310, 210), &owner, 2724, WS_CHILD | WS_VISIBLE);
        for (int r = 0; r < 5; ++r)
            grid->SetRowHeight(r, 20);
        for (int c = 0; c < 4; ++c)
            grid->SetColumnWidth(c, 50);
        grid->UpdateScrollBars();
        grid->SetColumnList(2, kListLetters);
        grid->SetColumnList(3, {QStringLiteral("A rather long entry"), QStringLiteral("x")});
        grid->SetItemText(2, 2, QStringLiteral("Beta"));
        grid->SetItemText(2, 1, QStringLiteral("plain"));
        owner.show();
        owner.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
        grid->setFocus();
        grid->SetFocusCell(2, 2);
        owner.notices.clear();
    }
    void TearDown() override { FlushClosedEditors(); }

    CInPlaceList* List() const { return OpenEditor<CInPlaceList>(grid); }
    // A key pressed and released on the list's edit field.
    static void Key(CInPlaceList* list, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(list->Edit(), key, modifiers);
    }

    CGridOwner owner;
    CComboGridCtrl* grid = nullptr;
};

TEST_F(InPlaceList, ItOpensOnTheCellsItemFourLinesHighAndEndsWithEnter)
{
    grid->BeginCellEdit(2, 2, VK_LBUTTON);
    CInPlaceList* list = List();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(grid->viewport()->findChildren<CInPlaceEdit*>().size(), 0);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(list->currentText(), QStringLiteral("Beta"));
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->maxVisibleItems(), 4);
    EXPECT_EQ(list->GetDropLines(), 4);
    ASSERT_NE(list->Edit(), nullptr);
    EXPECT_TRUE(list->Edit()->hasFocus());
    EXPECT_EQ(list->Edit()->cursorPosition(), 4);
    EXPECT_EQ(list->Edit()->selectedText(), QString());
    EXPECT_EQ(owner.Codes(), std::vector<UINT>{LVN_BEGINLABELEDITA});

    Key(list, Qt::Key_Down);  // the arrows move through the list
    EXPECT_EQ(List(), list);
    EXPECT_EQ(list->currentText(), QStringLiteral("Gamma"));
    Key(list, Qt::Key_Return);
    EXPECT_EQ(List(), nullptr);
    EXPECT_EQ(grid->GetItemText(2, 2), QStringLiteral("Gamma"));
    EXPECT_TRUE(grid->GetModified(2, 2));
    EXPECT_EQ(owner.Codes(), (std::vector<UINT>{LVN_BEGINLABELEDITA, LVN_ENDLABELEDITA}));
    EXPECT_EQ(grid->GetFocusCell(), CCellID(2, 2));
}

TEST_F(InPlaceList, TheFirstKeyPrimesTheEditFieldWithTabAndSpaceTypedOverTheText)
{
    struct Case {
        UINT first;
        const char* text;
        const char* selected;
    };
    const Case cases[] = {
        {VK_RETURN, "Beta", ""}, {VK_BACK, "Bet", ""}, {VK_HOME, "Beta", "Beta"},
        {VK_SPACE, " ", ""},     {VK_TAB, "Beta", "Beta"},  // a tab character types nothing
        {'q', "q", ""},
    };
    for (const Case& c : cases) {
        grid->BeginCellEdit(2, 2, c.first);
        CInPlaceList* list = List();
        ASSERT_NE(list, nullptr) << c.first;
        EXPECT_EQ(list->Edit()->text(), QString::fromUtf8(c.text)) << c.first;
        EXPECT_EQ(list->Edit()->selectedText(), QString::fromUtf8(c.selected)) << c.first;
        list->setEditText(QStringLiteral("Beta"));
        list->EndEdit();
    }
}

TEST_F(InPlaceList, EscapeActsAtReleaseRestoringTheOldText)
{
    grid->BeginCellEdit(2, 2, 'G');
    CInPlaceList* list = List();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentText(), QStringLiteral("G"));  // typed over the selected text
    QTest::keyPress(list->Edit(), Qt::Key_Escape);
    EXPECT_EQ(List(), list);  // nothing yet
    EXPECT_EQ(list->currentText(), QStringLiteral("G"));
    QTest::keyRelease(list->Edit(), Qt::Key_Escape);
    EXPECT_EQ(List(), nullptr);
    EXPECT_EQ(grid->GetItemText(2, 2), QStringLiteral("Beta"));
    EXPECT_FALSE(grid->GetModified(2, 2));
    EXPECT_EQ(owner.Codes().back(), LVN_ENDLABELEDITA);
}

TEST_F(InPlaceList, ATextOutsideTheListIsRefusedByTheCell)
{
    grid->BeginCellEdit(2, 2, VK_LBUTTON);
    CInPlaceList* list = List();
    list->Edit()->selectAll();
    TypeText(*list->Edit(), QStringLiteral("Omega"));
    TypeText(*list->Edit(), QStringLiteral("中"));
    EXPECT_EQ(list->currentText(), QStringLiteral("Omega"));
    Key(list, Qt::Key_Return);
    EXPECT_EQ(grid->GetItemText(2, 2), QStringLiteral("Beta"));
    // The edit still counts as a change: the flag is set before the rule
    // refuses the text.
    EXPECT_TRUE(grid->GetModified(2, 2));
}

TEST_F(InPlaceList, CtrlWithAnArrowAndTabMoveOnToTheNextCellsEditor)
{
    grid->BeginCellEdit(2, 2, VK_LBUTTON);
    Key(List(), Qt::Key_Down, Qt::ControlModifier);
    CInPlaceList* list = List();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 2));
    EXPECT_EQ(list->GetRow(), 3);
    EXPECT_EQ(list->Edit()->selectedText(), list->currentText());

    // Tab acts at its release and opens the next column's editor, wide
    // enough for its longest entry.
    Key(list, Qt::Key_Tab);
    list = List();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 3));
    const QFontMetrics metrics(list->font());
    EXPECT_GE(list->width(), metrics.horizontalAdvance(QStringLiteral("A rather long entry")));
    EXPECT_GT(list->width(), 50);

    // From a list column to a plain one the plain editor opens.
    Key(list, Qt::Key_Left, Qt::ControlModifier);
    Key(List(), Qt::Key_Left, Qt::ControlModifier);
    FlushClosedEditors();
    EXPECT_EQ(grid->GetFocusCell(), CCellID(3, 1));
    EXPECT_EQ(List(), nullptr);
    EXPECT_EQ(grid->viewport()->findChildren<CInPlaceEdit*>().size(), 1);
}

TEST_F(InPlaceList, ADropDownListHasNoEditFieldAndEndsOnItsOwnKeys)
{
    grid->SetComboStyle(CBS_DROPDOWNLIST);
    grid->BeginCellEdit(2, 2, 'x');
    CInPlaceList* list = List();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Edit(), nullptr);
    EXPECT_FALSE(list->isEditable());
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(list->currentText(), QStringLiteral("Beta"));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentText(), QStringLiteral("Gamma"));
    QTest::keyPress(list, Qt::Key_Escape);
    EXPECT_EQ(List(), list);
    QTest::keyRelease(list, Qt::Key_Escape);
    EXPECT_EQ(List(), nullptr);
    EXPECT_EQ(grid->GetItemText(2, 2), QStringLiteral("Beta"));

    // Losing the focus ends it with what it shows.
    grid->BeginCellEdit(2, 2, VK_LBUTTON);
    list = List();
    QTest::keyClick(list, Qt::Key_Up);
    grid->setFocus();
    EXPECT_EQ(List(), nullptr);
    EXPECT_EQ(grid->GetItemText(2, 2), QStringLiteral("Alpha"));
}

}  // namespace
