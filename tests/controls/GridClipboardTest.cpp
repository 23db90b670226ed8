// The grid's clipboard: the selection as text, pasting text at a cell (the
// separators, the trimming, cells outside the grid or protected), the
// notices and modified bits, the commands with their update handlers and
// keys, and the machine-preset list, which copies but never changes.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "platform/core/CmdUI.h"
#include "tests/controls/GridTestSupport.h"

namespace {

QString ClipboardCopyText(CGridCtrl* grid)
{
    std::unique_ptr<QMimeData> data(grid->CopySelectionToDataSource());
    return data ? data->text() : QStringLiteral("<null>");
}

void SetClipboardCopyText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

// Row r, column c holds "r.c".
void FillClipboardGrid(CGridCtrl* grid)
{
    for (int r = 0; r < grid->GetRowCount(); ++r) {
        for (int c = 0; c < grid->GetColumnCount(); ++c)
            grid->SetItemText(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
    }
}

bool Enabled(const CGridCtrl* grid, UINT id)
{
    CCmdUI ui(id);
    EXPECT_TRUE(grid->OnUpdateCommand(&ui));
    return ui.IsEnabled();
}

class GridClipboard : public ::testing::Test, public GridFixture {
protected:
    void SetUp() override
    {
        Make(5, 4, 1, 1, 20, 50, QSize(300, 200));
        FillClipboardGrid(grid);
        QGuiApplication::clipboard()->clear();
        owner.notices.clear();
    }
};

TEST_F(GridClipboard, CopyGivesTheBoundingRangeWithTabsAndLineFeedsAndASpaceForAnEmptyCell)
{
    grid->SetItemText(1, 2, QString());
    grid->SetSelectedRange(1, 1, 2, 3);
    EXPECT_EQ(ClipboardCopyText(grid), QStringLiteral("1.1\t \t1.3\n2.1\t2.2\t2.3"));

    // Cells of the range that are not selected give nothing but their tabs.
    GridClick(grid, CellPoint(grid, 1, 1));
    GridClick(grid, CellPoint(grid, 2, 3), Qt::ControlModifier);
    EXPECT_EQ(ClipboardCopyText(grid), QStringLiteral("1.1\t\t\n\t\t2.3"));

    // Nothing selected: no data, nothing to copy or cut.
    grid->m_PrevSelectedCells.clear();
    grid->SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(grid->CopySelectionToDataSource(), nullptr);
    EXPECT_FALSE(Enabled(grid, ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(grid, ID_EDIT_CUT));
}

TEST_F(GridClipboard, PasteSplitsLinesAndFieldsTrimsThemAndDropsWhatFallsOutside)
{
    struct Case {
        const char* name;
        QString text;
        CCellID at;
        std::vector<std::pair<CCellID, QString>> expected;  // every other cell keeps "r.c"
    };
    const std::vector<Case> cases = {
        {"commas, two count as one", QStringLiteral("x,,y"), {1, 1}, {{{1, 1}, "x"}, {{1, 2}, "y"}}},
        {"tabs, CR LF trimmed", QStringLiteral(" p \tq\r\nr\ts"), {1, 1},
         {{{1, 1}, "p"}, {{1, 2}, "q"}, {{2, 1}, "r"}, {{2, 2}, "s"}}},
        {"an empty middle line empties its first cell", QStringLiteral("a\n\nb"), {1, 1},
         {{{1, 1}, "a"}, {{2, 1}, ""}, {{3, 1}, "b"}}},
        {"the last row takes the first line only", QStringLiteral("m\nn"), {4, 1}, {{{4, 1}, "m"}}},
        {"fields past the last column dropped", QStringLiteral("1,2,3,4"), {1, 2}, {{{1, 2}, "1"}, {{1, 3}, "2"}}},
        {"a trailing line end adds nothing", QStringLiteral("z\n"), {2, 2}, {{{2, 2}, "z"}}},
        {"the text ends at a zero", QStringLiteral("k") + QChar(0) + QStringLiteral("l"), {3, 3}, {{{3, 3}, "k"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FillClipboardGrid(grid);
        grid->SetModified(false);
        for (int r = 1; r < 5; ++r) {
            for (int col = 1; col < 4; ++col)
                grid->SetItemState(r, col, 0);
        }
        grid->SelectAllCells();
        owner.notices.clear();
        QMimeData data;
        data.setText(c.text);
        ASSERT_TRUE(grid->PasteFromDataObject(c.at, &data));

        std::vector<UINT> expectedCodes;
        for (int r = 0; r < 5; ++r) {
            for (int col = 0; col < 4; ++col) {
                QString want = QStringLiteral("%1.%2").arg(r).arg(col);
                bool written = false;
                for (const auto& cell : c.expected) {
                    if (cell.first == CCellID(r, col)) {
                        want = cell.second;
                        written = true;
                    }
                }
                EXPECT_EQ(grid->GetItemText(r, col), want) << r << "," << col;
                if (r > 0 && col > 0) {
                    EXPECT_EQ(grid->GetModified(r, col), written) << r << "," << col;
                    // A pasted cell is no longer selected; the others stay.
                    EXPECT_EQ((grid->GetItemState(r, col) & GCS_SELECTED) != 0, !written) << r << "," << col;
                    EXPECT_EQ(grid->m_SelectedCells.count({r, col}) != 0, !written);
                }
            }
        }
        for (const auto& cell : c.expected) {
            (void)cell;
            expectedCodes.push_back(LVN_BEGINLABELEDITA);
            expectedCodes.push_back(LVN_ENDLABELEDITA);
        }
        EXPECT_EQ(owner.Codes(), expectedCodes);
    }
}

TEST_F(GridClipboard, PasteSkipsProtectedCellsAndRefusesBadStarts)
{
    grid->SetItemState(1, 2, GCS_READONLY);
    QMimeData data;
    data.setText(QStringLiteral("a,b,c"));
    ASSERT_TRUE(grid->PasteFromDataObject(CCellID(1, 1), &data));
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid->GetItemText(1, 2), QStringLiteral("1.2"));  // protected: kept
    EXPECT_EQ(grid->GetItemText(1, 3), QStringLiteral("c"));
    EXPECT_FALSE(grid->GetModified(1, 2));
    ASSERT_EQ(owner.notices.size(), 4u);
    EXPECT_EQ(owner.notices[1].column, 1);
    EXPECT_EQ(owner.notices[2].column, 3);

    // No valid, editable start cell, or no text: false, nothing changes.
    owner.notices.clear();
    QMimeData noText;
    noText.setData(QStringLiteral("application/octet-stream"), QByteArray("x"));
    EXPECT_FALSE(grid->PasteFromDataObject(CCellID(1, 2), &data));
    EXPECT_FALSE(grid->PasteFromDataObject(CCellID(9, 1), &data));
    EXPECT_FALSE(grid->PasteFromDataObject(CCellID(2, 1), &noText));
    EXPECT_FALSE(grid->PasteFromDataObject(CCellID(2, 1), nullptr));
    EXPECT_TRUE(owner.notices.empty());
    EXPECT_EQ(grid->GetItemText(2, 1), QStringLiteral("2.1"));
}

TEST_F(GridClipboard, CutClearsTheEditableSelectedCellsAndKeepsProtectedOnes)
{
    grid->SetItemState(2, 2, GCS_READONLY);
    grid->SetSelectedRange(1, 1, 2, 2);
    owner.notices.clear();
    SendMessage(grid, WM_COMMAND, ID_EDIT_CUT, 0);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1.1\t1.2\n2.1\t2.2"));
    EXPECT_EQ(grid->GetItemText(1, 1), QString());
    EXPECT_EQ(grid->GetItemText(1, 2), QString());
    EXPECT_EQ(grid->GetItemText(2, 1), QString());
    EXPECT_EQ(grid->GetItemText(2, 2), QStringLiteral("2.2"));
    EXPECT_TRUE(grid->GetModified(2, 1));
    EXPECT_FALSE(grid->GetModified(2, 2));
    EXPECT_EQ(owner.notices.size(), 6u);
    // The cleared cells left the selection; the protected one stays in it.
    EXPECT_EQ(grid->m_SelectedCells.size(), 1u);
    EXPECT_EQ(grid->m_SelectedCells.count({2, 2}), 1u);
}

TEST_F(GridClipboard, TheCommandsAndKeysReachTheGridAndTheUpdateHandlersFollowItsState)
{
    grid->SetFocusCell(1, 1);
    grid->SetSelectedRange(1, 1, 1, 2);
    EXPECT_TRUE(Enabled(grid, ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(grid, ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(grid, ID_EDIT_PASTE));  // nothing on the clipboard
    EXPECT_TRUE(Enabled(grid, ID_EDIT_SELECT_ALL));
    CCmdUI other(1234);
    EXPECT_FALSE(grid->OnUpdateCommand(&other));

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1.1\t1.2"));
    EXPECT_TRUE(Enabled(grid, ID_EDIT_PASTE));

    grid->SetFocusCell(3, 2);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid->GetItemText(3, 2), QStringLiteral("1.1"));
    EXPECT_EQ(grid->GetItemText(3, 3), QStringLiteral("1.2"));

    grid->SetFocusCell(1, 1);
    grid->SetSelectedRange(1, 1, 1, 1);
    QTest::keyClick(grid, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(grid->GetItemText(1, 1), QString());

    SetClipboardCopyText(QStringLiteral("w"));
    grid->SetFocusCell(4, 3);
    SendMessage(grid, WM_COMMAND, ID_EDIT_PASTE, 0);
    EXPECT_EQ(grid->GetItemText(4, 3), QStringLiteral("w"));
    SendMessage(grid, WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
    EXPECT_EQ(grid->m_SelectedCells.size(), 12u);
    SendMessage(grid, WM_COMMAND, ID_EDIT_COPY, 0);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral(" \t1.2\t1.3\n")));

    // Without a focus cell the paste starts at the top-left scrolled cell.
    grid->SetFocusCell(-1, -1);
    SetClipboardCopyText(QStringLiteral("tl"));
    grid->OnEditPaste();
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("tl"));

    grid->m_bSelectionEnabled = false;
    EXPECT_FALSE(Enabled(grid, ID_EDIT_SELECT_ALL));
}

TEST_F(GridClipboard, AGridThatIsNotEditableCopiesButNeitherCutsNorPastes)
{
    grid->SetSelectedRange(1, 1, 1, 1);
    grid->SetFocusCell(1, 1);
    grid->SetEditable(false);
    SetClipboardCopyText(QStringLiteral("p"));
    EXPECT_FALSE(Enabled(grid, ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(grid, ID_EDIT_PASTE));
    EXPECT_TRUE(Enabled(grid, ID_EDIT_COPY));
    grid->OnEditCut();
    grid->OnEditPaste();
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("1.1"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("p"));
    grid->ClearSelectedText();
    EXPECT_EQ(grid->GetItemText(1, 1), QStringLiteral("1.1"));
    grid->OnEditCopy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1.1"));
}

// The machine-preset list as a new user tries it: Ctrl+A, Ctrl+C puts the
// six names on the clipboard for any program; Ctrl+V and Ctrl+X change
// nothing.
TEST(GridClipboardPresetList, CtrlAThenCtrlCCopiesTheNamesAndNothingChangesTheList)
{
    CGridOwner owner;
    auto* grid = new CProbeGrid;
    grid->Create(CRect(10, 10, 430, 200), &owner, 2724, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    SetUpPresetList(grid);
    grid->SetItemText(3, 1, QString());
    grid->SetItemText(4, 1, QStringLiteral("中文 预设"));
    owner.show();
    grid->setFocus();
    QGuiApplication::clipboard()->clear();

    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const QString expected = QStringLiteral("Preset 1\nPreset 2\n \n中文 预设\nPreset 5\nPreset 6");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->text().contains(QChar(0)));

    owner.notices.clear();
    grid->SetFocusCell(2, 1);
    SetClipboardCopyText(QStringLiteral("Pasted"));
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(grid->GetItemText(2, 1), QStringLiteral("Preset 2"));
    EXPECT_EQ(grid->GetItemText(4, 1), QStringLiteral("中文 预设"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Pasted"));
    for (const CGridOwner::Notice& notice : owner.notices)
        EXPECT_NE(notice.code, LVN_BEGINLABELEDITA);
}

}  // namespace
