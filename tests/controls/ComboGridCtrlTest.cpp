// The combo grid: which texts a list column accepts, setting cells from
// items and list entries, the lists themselves.
#include <gtest/gtest.h>

#include "controls/grid/ComboGridCtrl.h"
#include "platform/gui/ControlStyles.h"

namespace {

const QStringList kComboLetters{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")};

TEST(ComboGridCtrl, AListColumnTakesOnlyItsTextsBelowTheFixedRows)
{
    CComboGridCtrl grid;
    grid.SetRowCount(4);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    EXPECT_EQ(grid.GetComboStyle(), DWORD(CBS_DROPDOWN));
    EXPECT_STREQ(grid.GetRuntimeClassName(), "CGridCtrl");

    EXPECT_FALSE(grid.SetColumnList(0, kComboLetters));  // a fixed column
    EXPECT_EQ(grid.FindColumnList(0), -1);
    EXPECT_TRUE(grid.SetColumnList(2, {QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    EXPECT_EQ(grid.FindColumnList(2), 0);
    EXPECT_EQ(grid.FindColumnList(1), -1);

    struct Case {
        int row;
        int col;
        const char* text;
        bool stored;
    };
    const Case cases[] = {
        {1, 2, "Beta", true},  {1, 2, "beta", false}, {2, 2, "Beta ", false}, {2, 2, "", false},
        {0, 2, "Heading", true},  // the fixed row takes anything
        {1, 1, "anything", true},  // no list
        {9, 2, "Beta", false},     // no such cell
    };
    for (const Case& c : cases) {
        const QString before = grid.GetItemText(c.row, c.col);
        EXPECT_EQ(grid.SetItemText(c.row, c.col, QString::fromUtf8(c.text)), c.stored) << c.text;
        EXPECT_EQ(grid.GetItemText(c.row, c.col), c.stored ? QString::fromUtf8(c.text) : before) << c.text;
    }

    // A second list replaces the first; an empty one accepts nothing.
    EXPECT_TRUE(grid.SetColumnList(2, kComboLetters));
    EXPECT_EQ(grid.FindColumnList(2), 0);
    EXPECT_TRUE(grid.SetItemText(2, 2, QStringLiteral("Gamma")));
    EXPECT_TRUE(grid.SetColumnList(1, {}));
    EXPECT_FALSE(grid.SetItemText(1, 1, QStringLiteral("x")));

    // The caller's list is copied.
    QStringList mine{QStringLiteral("One")};
    CComboGridCtrl other;
    other.SetRowCount(2);
    other.SetColumnCount(2);
    other.SetColumnList(1, mine);
    mine[0] = QStringLiteral("Two");
    EXPECT_TRUE(other.SetItemText(1, 1, QStringLiteral("One")));
    EXPECT_FALSE(other.SetItemText(1, 1, QStringLiteral("Two")));
}

TEST(ComboGridCtrl, ItemsAndListEntriesFollowTheSameRule)
{
    CComboGridCtrl grid;
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetColumnList(2, kComboLetters);
    grid.SetItemText(1, 2, QStringLiteral("Alpha"));

    GRIDITEM item;
    item.row = 1;
    item.col = 2;
    item.mask = GIM_TEXT | GIM_BKCOLOR;
    item.text = QStringLiteral("Delta");
    item.bkColor = RGB(1, 2, 3);
    EXPECT_FALSE(grid.SetItemFromList(&item));
    EXPECT_EQ(grid.GetItemText(1, 2), QStringLiteral("Alpha"));
    EXPECT_EQ(grid.GetItemBkColor(1, 2), COLORREF(CLR_DEFAULT));  // no field applied

    item.text = QStringLiteral("Beta");
    item.mask |= GIM_FORMAT | GIM_STATE;
    item.format = 0x25;
    item.state = GCS_SELECTED;
    EXPECT_TRUE(grid.SetItemFromList(&item));
    EXPECT_EQ(grid.GetItemText(1, 2), QStringLiteral("Beta"));
    EXPECT_EQ(grid.GetItemOriginalText(1, 2), QStringLiteral("Alpha"));  // the text only
    EXPECT_EQ(grid.GetItemBkColor(1, 2), RGB(1, 2, 3));
    EXPECT_EQ(grid.GetItemFormat(1, 2), 0x25u);
    EXPECT_EQ(grid.GetItemState(1, 2), UINT(GCS_SELECTED));
    EXPECT_TRUE(grid.GetSelectionBounds() == CCellRange(3, 3, -1, -1));  // the map is left alone
    item.mask = GIM_TEXT;
    item.text = QStringLiteral("free");
    item.col = 1;
    EXPECT_TRUE(grid.SetItemFromList(&item));  // no list in column 1
    EXPECT_FALSE(grid.SetItemFromList(nullptr));
    item.row = 7;
    EXPECT_FALSE(grid.SetItemFromList(&item));

    EXPECT_TRUE(grid.SetItemTextFromList(2, 2, 2));
    EXPECT_EQ(grid.GetItemText(2, 2), QStringLiteral("Gamma"));
    EXPECT_TRUE(grid.SetItemTextFromList(0, 2, 0));  // entries go anywhere in the column
    EXPECT_FALSE(grid.SetItemTextFromList(2, 2, 3));  // the list's size
    EXPECT_FALSE(grid.SetItemTextFromList(2, 2, -1));
    EXPECT_FALSE(grid.SetItemTextFromList(2, 1, 0));  // no list
}

}  // namespace
