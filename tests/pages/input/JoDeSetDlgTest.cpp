// The link-group dialog on a small mask store of its own: what the two
// lists hold at opening in both modes, the moves, "<<", OK (the masks it
// writes and the copy it posts), the question about partners left behind,
// its texts by language, the keys that never close it, and the list class
// that ignores the mouse. Oracles: the rows, the masks, the posted message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QTest>

#include "app/GlobalObjects.h"
#include "model/WindowMessages.h"
#include "pages/LinkMaskStore.h"
#include "pages/input/JoDeSet_Dlg.h"
#include "pages/input/JodeListCtrl.h"
#include "platform/core/Language.h"
#include "platform/core/MsgTarget.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/ListFonts.h"
#include "platform/gui/ModalDialog.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/MessageBoxSpy.h"

namespace {

// Twelve masks, each output alone unless a group says otherwise; the copy
// requests it is the target of are recorded as they are delivered.
class FakeLinkMasks : public ILinkMaskStore, public CMsgTarget {
public:
    struct Copy {
        WPARAM source;
        LPARAM joined;
        bool operator==(const Copy& o) const { return source == o.source && joined == o.joined; }
    };

    explicit FakeLinkMasks(const std::vector<std::vector<int>>& groups = {})
    {
        for (int i = 0; i < 12; ++i)
            masks[i] = 1 << i;
        for (const std::vector<int>& group : groups) {
            int mask = 0;
            for (int output : group)
                mask |= 1 << output;
            for (int output : group)
                masks[output] = mask;
        }
    }
    int LinkMask(int output) const override { return output >= 0 && output < 12 ? masks[output] : 0; }
    void SetLinkMask(int output, int mask) override
    {
        ++writes;
        if (output >= 0 && output < 12)
            masks[output] = mask;
    }
    CMsgTarget* LinkGroupCopyTarget() override { return this; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LINK_GROUP_COPY)
            copies.push_back({wParam, lParam});
        return 0;
    }
    std::vector<int> Masks() const { return {masks, masks + 12}; }

    int masks[12] = {};
    int writes = 0;
    std::vector<Copy> copies;
};

// "ID name" per row.
std::vector<std::string> Rows(const CListCtrl& list)
{
    std::vector<std::string> rows;
    for (int r = 0; r < list.GetItemCount(); ++r)
        rows.push_back((list.GetItemText(r, 0) + QLatin1Char(' ') + list.GetItemText(r, 1)).toStdString());
    return rows;
}

// The row whose name is name, or -1.
int RowOf(const CListCtrl& list, const QString& name)
{
    for (int r = 0; r < list.GetItemCount(); ++r)
        if (list.GetItemText(r, 1) == name)
            return r;
    return -1;
}

// Clicks the rows of these names as a user does: the first plainly, the
// others with Ctrl held.
void ClickRows(CListCtrl& list, const std::vector<QString>& names)
{
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    for (const QString& name : names) {
        const int row = RowOf(list, name);
        ASSERT_GE(row, 0) << name.toStdString();
        const QPoint at = list.visualRect(list.model()->index(row, 1)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, at);
        modifiers = Qt::ControlModifier;
    }
}

QString Name(int number)
{
    return (g_bChinese ? QStringLiteral("通道") : QStringLiteral("Channel")) + QString::number(number);
}

class JoDeSetDlgTest : public ::testing::Test {
protected:
    // The program's fonts, as at start-up.
    static void SetUpTestSuite() { CreateGlobalObjects(); }
    void SetUp() override { g_bChinese = false; }
    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        g_bChinese = false;
    }

    // Opened from output channel (0-based) in the mode, shown so that rows
    // can be clicked.
    void Open(CJoDeSet_Dlg& dialog, FakeLinkMasks& store, int channel, bool newGroup)
    {
        dialog.m_pStore = &store;
        dialog.m_nChannel = channel;
        dialog.m_bNewGroup = newGroup ? 1 : 0;
        dialog.m_bJoinGroup = newGroup ? 0 : 1;
        dialog.OnInitDialog();
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    // Which of ">>", ">>1" .. ">>4" are shown.
    static std::vector<bool> MoveButtonsShown(const CJoDeSet_Dlg& d)
    {
        return {!d.m_btnMove.isHidden(), !d.m_btnJoin1.isHidden(), !d.m_btnJoin2.isHidden(),
                !d.m_btnJoin3.isHidden(), !d.m_btnJoin4.isHidden()};
    }
    // The posted copy requests, delivered.
    static std::vector<FakeLinkMasks::Copy> Delivered(FakeLinkMasks& store)
    {
        store.DeliverPosted();
        return store.copies;
    }
};

using Strings = std::vector<std::string>;

TEST_F(JoDeSetDlgTest, TheOpeningFillsBothListsByModeAndShowsTheModesButtons)
{
    struct Case {
        const char* what;
        std::vector<std::vector<int>> groups;
        int channel;
        bool newGroup;
        Strings left;
        Strings right;
        std::vector<bool> shown;  // >>, >>1 .. >>4
    };
    const std::vector<Case> cases = {
        {"new group, unlinked channel 3",
         {},
         2,
         true,
         {"1 Channel1", "2 Channel2", "3 Channel4", "4 Channel5", "5 Channel6", "6 Channel7", "7 Channel8"},
         {"1 Channel3"},
         {true, false, false, false, false}},
        {"new group, channel 6 of the second group",
         {{0, 1}, {3, 5}},
         5,
         true,
         {"1 Channel1", "2 Channel2", "3 Channel3", "4 Channel5", "5 Channel7", "6 Channel8"},
         {"2 Channel4", "2 Channel6"},
         {true, false, false, false, false}},
        {"join from unlinked channel 7",
         {{0, 1}, {3, 5}},
         6,
         false,
         {"1 Channel7"},
         {"1 Channel1", "1 Channel2", "2 Channel4", "2 Channel6"},
         {false, true, true, false, false}},
        {"join from channel 4: its group on the left, unlinked channels left out",
         {{0, 1}, {3, 5}},
         3,
         false,
         {"1 Channel4", "2 Channel6"},
         {"1 Channel1", "1 Channel2"},
         {false, true, false, false, false}},
        {"join: interleaved groups sorted by ID, then name",
         {{0, 2}, {1, 3}, {4, 7}},
         6,
         false,
         {"1 Channel7"},
         {"1 Channel1", "1 Channel3", "2 Channel2", "2 Channel4", "3 Channel5", "3 Channel8"},
         {false, true, true, true, false}},
        {"join with four groups from a member of the last",
         {{0, 1}, {2, 3}, {4, 5}, {6, 7}},
         7,
         false,
         {"1 Channel7", "2 Channel8"},
         {"1 Channel1", "1 Channel2", "2 Channel3", "2 Channel4", "3 Channel5", "3 Channel6"},
         {false, true, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeLinkMasks store(c.groups);
        CJoDeSet_Dlg dialog;
        Open(dialog, store, c.channel, c.newGroup);
        EXPECT_EQ(Rows(dialog.m_listChannels), c.left);
        EXPECT_EQ(Rows(dialog.m_listRelations), c.right);
        EXPECT_EQ(MoveButtonsShown(dialog), c.shown);
        EXPECT_FALSE(dialog.m_btnBack.isHidden());
        EXPECT_FALSE(dialog.m_btnOK.isHidden());
        EXPECT_EQ(dialog.m_bModified, 0);
        EXPECT_EQ(store.writes, 0);
    }
}

TEST_F(JoDeSetDlgTest, MasksLeftOverlappingByEarlierEditsGiveFourGroupsAtMost)
{
    // Channel 2 was taken from channels 3, 4, 5 and 6 in turn, each time
    // without its partner, which kept the bit of channel 2; it is now with
    // channel 1.
    FakeLinkMasks store;
    store.masks[0] = 0x03;
    store.masks[1] = 0x03;
    for (int i = 2; i <= 5; ++i)
        store.masks[i] = 0x02 | (1 << i);
    CJoDeSet_Dlg dialog;
    Open(dialog, store, 6, false);
    EXPECT_EQ(std::vector<int>(dialog.m_Group[3].m_bMember, dialog.m_Group[3].m_bMember + 8),
              (std::vector<int>{0, 1, 0, 0, 1, 0, 0, 0}));
    // Channel 6 would need a fifth group: it is in none.
    EXPECT_EQ(Rows(dialog.m_listRelations),
              (Strings{"0 Channel6", "1 Channel1", "2 Channel3", "3 Channel4", "4 Channel2", "4 Channel5"}));
    EXPECT_EQ(MoveButtonsShown(dialog), (std::vector<bool>{false, true, true, true, true}));
    ClickRows(dialog.m_listChannels, {Name(7)});
    dialog.m_btnJoin4.click();
    dialog.m_btnOK.click();
    EXPECT_EQ(store.masks[6], 0x52);
    EXPECT_EQ(store.masks[4], 0x52);
    EXPECT_EQ(store.masks[1], 0x52);
    EXPECT_EQ(Delivered(store), (std::vector<FakeLinkMasks::Copy>{{1, 1}}));
}

TEST_F(JoDeSetDlgTest, TheListsAreReportListsWithTheirColumnsAndColours)
{
    FakeLinkMasks store;
    CJoDeSet_Dlg dialog;
    Open(dialog, store, 0, true);
    EXPECT_EQ(dialog.size(), MapDialogRect(CRect(0, 0, 274, 197), DialogFont(QStringLiteral("Arial"), 10)).Size());
    for (CListCtrl* list : {&dialog.m_listChannels, &dialog.m_listRelations}) {
        ASSERT_EQ(list->columnCount(), 2);
        EXPECT_EQ(list->horizontalHeaderItem(0)->text(), QStringLiteral("ID"));
        EXPECT_EQ(list->columnWidth(0), 40);
        EXPECT_EQ(list->horizontalHeaderItem(1)->text(), QStringLiteral("Channel Name:"));
        EXPECT_EQ(list->columnWidth(1), 110);
        EXPECT_EQ(list->GetExtendedStyle(), DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
        EXPECT_EQ(list->GetBkColor(), RGB(247, 247, 255));
        EXPECT_EQ(list->GetTextBkColor(), RGB(247, 247, 255));
        EXPECT_EQ(list->GetTextColor(), RGB(0, 0, 0));
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
    // The ID cell is centred: the pixels of "1" sit in the middle of its
    // 40-pixel column, on the list's colour.
    const QImage shot = dialog.m_listChannels.viewport()->grab().toImage();
    CRect cell;
    ASSERT_TRUE(dialog.m_listChannels.GetSubItemRect(0, 0, LVIR_BOUNDS, cell));
    int first = -1, last = -1;
    for (int x = cell.left + 1; x < cell.right - 1; ++x)
        for (int y = cell.top + 1; y < cell.bottom - 1; ++y)
            if (qGray(shot.pixel(x, y)) < 100) {
                first = first < 0 ? x : first;
                last = x;
            }
    ASSERT_GE(first, 0);
    EXPECT_NEAR((first + last) / 2.0, (cell.left + cell.right) / 2.0, 3.0);
    EXPECT_EQ(QColor(shot.pixel(cell.left + 2, cell.top + 2)), QColor(247, 247, 255));
}

TEST_F(JoDeSetDlgTest, ChineseTextsAndFontsFollowTheLanguage)
{
    struct Case {
        bool chinese;
        const char *title, *ok, *column, *left, *right, *row;
        const QFont* font;
    };
    const Case cases[] = {
        {false, "Joint Debug Settings", "OK", "Channel Name:", "Operable channel:", "joint debug relations:",
         "Channel3", &g_fontList16},
        {true, "联调设置", "确定", "通道名:", "可操作通道:", "联调关系:", "通道3", &g_fontArial16Bold},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chinese);
        g_bChinese = c.chinese;
        FakeLinkMasks store;
        CJoDeSet_Dlg dialog;
        Open(dialog, store, 2, true);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(dialog.m_btnOK.text(), QString::fromUtf8(c.ok));
        EXPECT_EQ(dialog.m_strColumnTitle, QString::fromUtf8(c.column));
        EXPECT_EQ(dialog.m_listRelations.horizontalHeaderItem(1)->text(), QString::fromUtf8(c.column));
        EXPECT_EQ(dialog.m_staticLeft.text(), QString::fromUtf8(c.left));
        EXPECT_EQ(dialog.m_staticRight.text(), QString::fromUtf8(c.right));
        EXPECT_EQ(dialog.m_listRelations.GetItemText(0, 1), QString::fromUtf8(c.row));
        for (QWidget* w : std::vector<QWidget*>{&dialog.m_listChannels, &dialog.m_listRelations, &dialog.m_staticLeft,
                                                &dialog.m_staticRight}) {
            EXPECT_EQ(w->font().pixelSize(), c.font->pixelSize());
            EXPECT_EQ(w->font().weight(), c.font->weight());
        }
        // The rows are as high as the font asks.
        EXPECT_GE(dialog.m_listChannels.rowHeight(0), QFontMetrics(*c.font).height());
    }
}

TEST_F(JoDeSetDlgTest, ClicksTrackWhichRowsOfWhichListWereSelected)
{
    FakeLinkMasks store({{0, 1}});
    CJoDeSet_Dlg dialog;
    Open(dialog, store, 0, true);
    ClickRows(dialog.m_listChannels, {Name(4), Name(6)});
    EXPECT_EQ(dialog.m_bLeftActive, 1);
    EXPECT_EQ(dialog.m_bRightActive, 0);
    EXPECT_EQ(std::vector<int>(dialog.m_bLeftSel, dialog.m_bLeftSel + 8), (std::vector<int>{0, 1, 0, 1, 0, 0, 0, 0}));
    ClickRows(dialog.m_listRelations, {Name(2)});
    EXPECT_EQ(dialog.m_bLeftActive, 0);
    EXPECT_EQ(dialog.m_bRightActive, 1);
    EXPECT_EQ(std::vector<int>(dialog.m_bRightSel, dialog.m_bRightSel + 8), (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0}));
    // The left flags stay as the last click in the left list left them.
    EXPECT_EQ(dialog.m_bLeftSel[3], 1);
}

TEST_F(JoDeSetDlgTest, BackDoesNothingBeforeAMoveAndRestoresTheOpeningAfterMoves)
{
    struct Case {
        const char* what;
        int channel;
        bool newGroup;
        std::vector<std::vector<QString>> moves;  // rows per move
        int button;
    };
    const Case cases[] = {
        {"new group", 2, true, {{Name(5)}, {Name(1), Name(8)}}, CJoDeSet_Dlg::IDC_MOVE},
        {"join", 6, false, {{Name(7)}}, CJoDeSet_Dlg::IDC_JOIN2},
    };
    CMessageBoxSpy boxes(IDNO);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeLinkMasks store({{0, 1}, {3, 5}});
        CJoDeSet_Dlg dialog;
        Open(dialog, store, c.channel, c.newGroup);
        const Strings left = Rows(dialog.m_listChannels);
        const Strings right = Rows(dialog.m_listRelations);
        const std::vector<bool> shown = MoveButtonsShown(dialog);
        ClickRows(dialog.m_listChannels, {dialog.m_listChannels.GetItemText(0, 1)});
        dialog.m_btnBack.click();
        // Nothing was moved: even the click's flags stay.
        EXPECT_EQ(dialog.m_bLeftSel[0], 1);
        for (const std::vector<QString>& rows : c.moves) {
            ClickRows(dialog.m_listChannels, rows);
            static_cast<QAbstractButton*>(GetDlgItem(&dialog, c.button))->click();
        }
        EXPECT_EQ(dialog.m_bModified, 1);
        EXPECT_NE(Rows(dialog.m_listChannels), left);
        dialog.m_btnBack.click();
        EXPECT_EQ(Rows(dialog.m_listChannels), left);
        EXPECT_EQ(Rows(dialog.m_listRelations), right);
        EXPECT_EQ(MoveButtonsShown(dialog), shown);
        EXPECT_EQ(dialog.m_bModified, 0);
        EXPECT_TRUE(dialog.m_strJoinGroup.isEmpty());
        // OK now is OK without a move.
        dialog.m_btnOK.click();
        EXPECT_TRUE(Delivered(store).empty());
        EXPECT_EQ(store.writes, 0);
    }
}

TEST_F(JoDeSetDlgTest, OkWithoutAMoveClosesAndPostsNothing)
{
    for (bool newGroup : {true, false}) {
        SCOPED_TRACE(newGroup);
        FakeLinkMasks store({{0, 1}});
        CJoDeSet_Dlg dialog;
        Open(dialog, store, 4, newGroup);
        // A move button after a click that left no row selected moves
        // nothing either.
        ClickRows(dialog.m_listChannels, {dialog.m_listChannels.GetItemText(0, 1)});
        const QPoint at = dialog.m_listChannels.visualRect(dialog.m_listChannels.model()->index(0, 1)).center();
        QTest::mouseClick(dialog.m_listChannels.viewport(), Qt::LeftButton, Qt::ControlModifier, at);
        EXPECT_EQ(dialog.m_bLeftSel[0], 0);
        (newGroup ? dialog.m_btnMove : dialog.m_btnJoin1).click();
        EXPECT_EQ(dialog.m_bModified, 0);
        dialog.m_btnOK.click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), int(IDOK));
        EXPECT_EQ(store.PendingCount(), 0u);
        EXPECT_EQ(store.writes, 0);
    }
}

TEST_F(JoDeSetDlgTest, ANewGroupOfChannels3And5UnlinksThePairsLeftBehindAndPostsTheCopy)
{
    FakeLinkMasks store({{0, 1}, {6, 7}});
    CJoDeSet_Dlg dialog;
    Open(dialog, store, 2, true);
    ClickRows(dialog.m_listChannels, {Name(5)});
    dialog.m_btnMove.click();
    EXPECT_EQ(Rows(dialog.m_listRelations), (Strings{"1 Channel3", "1 Channel5"}));
    EXPECT_EQ(Rows(dialog.m_listChannels),
              (Strings{"1 Channel1", "2 Channel2", "3 Channel4", "4 Channel6", "5 Channel7", "6 Channel8"}));
    EXPECT_EQ(dialog.m_nSelMask[4], 1 << 4);
    EXPECT_EQ(dialog.m_nSelMask[0], -1);
    EXPECT_EQ(store.writes, 0);
    dialog.m_btnOK.click();
    EXPECT_EQ(store.Masks(), (std::vector<int>{0x01, 0x02, 0x14, 0x08, 0x14, 0x20, 0x40, 0x80, 1 << 8, 1 << 9,
                                               1 << 10, 1 << 11}));
    // Posted, not sent: the page copies once the dialog has gone.
    EXPECT_EQ(store.PendingCount(), 1u);
    EXPECT_TRUE(store.copies.empty());
    EXPECT_EQ(Delivered(store), (std::vector<FakeLinkMasks::Copy>{{2, 0}}));
    EXPECT_EQ(dialog.result(), int(IDOK));
}

TEST_F(JoDeSetDlgTest, MovesIntoANewGroupAddToTheRightInChannelOrderUnderItsId)
{
    // Channel 6's group is number 2; two moves gather 8, then 1 and 3.
    FakeLinkMasks store({{0, 2}, {3, 5}});
    CJoDeSet_Dlg dialog;
    Open(dialog, store, 5, true);
    ClickRows(dialog.m_listChannels, {Name(8)});
    dialog.m_btnMove.click();
    CMessageBoxSpy boxes(IDNO);
    ClickRows(dialog.m_listChannels, {Name(3), Name(1)});
    dialog.m_btnMove.click();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Rows(dialog.m_listRelations),
              (Strings{"2 Channel1", "2 Channel3", "2 Channel4", "2 Channel6", "2 Channel8"}));
    EXPECT_EQ(Rows(dialog.m_listChannels), (Strings{"1 Channel2", "2 Channel5", "3 Channel7"}));
    dialog.m_btnOK.click();
    const int group = 0x01 | 0x04 | 0x08 | 0x20 | 0x80;
    EXPECT_EQ(store.Masks(), (std::vector<int>{group, 0x02, group, group, 0x10, group, 0x40, group, 1 << 8, 1 << 9,
                                               1 << 10, 1 << 11}));
    EXPECT_EQ(Delivered(store), (std::vector<FakeLinkMasks::Copy>{{5, 0}}));
}

TEST_F(JoDeSetDlgTest, JoiningWritesTheJoinedGroupsMasksAndPostsItsLowestMember)
{
    struct Case {
        const char* what;
        std::vector<std::vector<int>> groups;
        int channel;
        std::vector<QString> moved;
        int button;
        Strings right;
        std::vector<int> masks;  // outputs 0..7
        FakeLinkMasks::Copy copy;
    };
    const std::vector<Case> cases = {
        {"unlinked channel 7 joins group 2",
         {{0, 1}, {3, 5}},
         6,
         {Name(7)},
         CJoDeSet_Dlg::IDC_JOIN2,
         {"1 Channel1", "1 Channel2", "2 Channel4", "2 Channel6", "2 Channel7"},
         {0x03, 0x03, 0x04, 0x68, 0x10, 0x68, 0x68, 0x80},
         {3, 1}},
        // Channels 4 and 6 stay behind: the pair between them is undone,
        // their bits of channel 7, which left, stay.
        {"channel 7 leaves {4,6,7} for group 1",
         {{0, 1}, {3, 5, 6}},
         6,
         {Name(7)},
         CJoDeSet_Dlg::IDC_JOIN1,
         {"1 Channel1", "1 Channel2", "1 Channel7"},
         {0x43, 0x43, 0x04, 0x48, 0x10, 0x60, 0x43, 0x80},
         {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMessageBoxSpy boxes(IDNO);
        FakeLinkMasks store(c.groups);
        CJoDeSet_Dlg dialog;
        Open(dialog, store, c.channel, false);
        ClickRows(dialog.m_listChannels, c.moved);
        static_cast<QAbstractButton*>(GetDlgItem(&dialog, c.button))->click();
        EXPECT_EQ(Rows(dialog.m_listRelations), c.right);
        dialog.m_btnOK.click();
        EXPECT_EQ(std::vector<int>(store.masks, store.masks + 8), c.masks);
        EXPECT_EQ(Delivered(store), (std::vector<FakeLinkMasks::Copy>{c.copy}));
    }
}

TEST_F(JoDeSetDlgTest, AMovedLinkedChannelAsksWhetherItsPartnersComeAlong)
{
    struct Case {
        const char* what;
        bool chinese;
        int answer;
        std::vector<std::vector<int>> groups;
        std::vector<QString> clicked;  // numbers as names of the language
        const char* question;          // empty: none asked
        Strings right;
        std::vector<int> masks;  // outputs 0..7 after OK
    };
    const std::vector<Case> cases = {
        {"English, Yes",
         false,
         IDYES,
         {{3, 4}},
         {QStringLiteral("4")},
         "Channel4与Channel5 joint debugging, whether to add unselected joint debugging item?",
         {"1 Channel3", "1 Channel4", "1 Channel5"},
         {0x01, 0x02, 0x1C, 0x1C, 0x1C, 0x20, 0x40, 0x80}},
        // The partner left behind keeps its bit of channel 4, which is now
        // on the right.
        {"English, No",
         false,
         IDNO,
         {{3, 4}},
         {QStringLiteral("4")},
         "Channel4与Channel5 joint debugging, whether to add unselected joint debugging item?",
         {"1 Channel3", "1 Channel4"},
         {0x01, 0x02, 0x0C, 0x0C, 0x18, 0x20, 0x40, 0x80}},
        {"Chinese, Yes, two partners",
         true,
         IDYES,
         {{3, 4, 6}},
         {QStringLiteral("4")},
         "通道4与通道5 通道7联调，是否添加未选中的联调项？",
         {"1 通道3", "1 通道4", "1 通道5", "1 通道7"},
         {0x01, 0x02, 0x5C, 0x5C, 0x5C, 0x20, 0x5C, 0x80}},
        {"Chinese, No",
         true,
         IDNO,
         {{3, 4}},
         {QStringLiteral("5")},
         "通道5与通道4联调，是否添加未选中的联调项？",
         {"1 通道3", "1 通道5"},
         {0x01, 0x02, 0x14, 0x18, 0x14, 0x20, 0x40, 0x80}},
        {"the partner is moved too: nothing to ask",
         false,
         IDNO,
         {{3, 4}},
         {QStringLiteral("5"), QStringLiteral("4")},
         "",
         {"1 Channel3", "1 Channel4", "1 Channel5"},
         {0x01, 0x02, 0x1C, 0x1C, 0x1C, 0x20, 0x40, 0x80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_bChinese = c.chinese;
        CMessageBoxSpy boxes(c.answer);
        FakeLinkMasks store(c.groups);
        CJoDeSet_Dlg dialog;
        Open(dialog, store, 2, true);
        std::vector<QString> names;
        for (const QString& number : c.clicked)
            names.push_back(Name(number.toInt()));
        ClickRows(dialog.m_listChannels, names);
        dialog.m_btnMove.click();
        if (*c.question == '\0') {
            EXPECT_TRUE(boxes.shown.empty());
        } else {
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, QString::fromUtf8(c.question));
            EXPECT_EQ(boxes.shown[0].type, unsigned(MB_YESNO));
            EXPECT_EQ(boxes.shown[0].helpId, c.chinese ? -2 : -3);
        }
        EXPECT_EQ(Rows(dialog.m_listRelations), c.right);
        dialog.m_btnOK.click();
        EXPECT_EQ(std::vector<int>(store.masks, store.masks + 8), c.masks);
        EXPECT_EQ(Delivered(store), (std::vector<FakeLinkMasks::Copy>{{2, 0}}));
    }
}

TEST_F(JoDeSetDlgTest, AJoiningChannelAsksForItsPartnersToo)
{
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer);
        CMessageBoxSpy boxes(answer);
        FakeLinkMasks store({{0, 1}, {5, 6}});
        CJoDeSet_Dlg dialog;
        Open(dialog, store, 5, false);
        ClickRows(dialog.m_listChannels, {Name(7)});
        dialog.m_btnJoin1.click();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text,
                  QStringLiteral("Channel7与Channel6 joint debugging, whether to add unselected joint debugging item?"));
        EXPECT_EQ(Rows(dialog.m_listRelations), answer == IDYES ? (Strings{"1 Channel1", "1 Channel2", "1 Channel6",
                                                                            "1 Channel7"})
                                                                 : (Strings{"1 Channel1", "1 Channel2", "1 Channel7"}));
        // The rows left behind keep their numbers.
        EXPECT_EQ(Rows(dialog.m_listChannels), answer == IDYES ? Strings{} : (Strings{"1 Channel6"}));
    }
}

TEST_F(JoDeSetDlgTest, EnterAndEscapeCloseNothingAndTheCloseBoxWritesNothing)
{
    FakeLinkMasks store;
    CJoDeSet_Dlg dialog;
    Open(dialog, store, 2, true);
    QApplication::setActiveWindow(&dialog);
    ClickRows(dialog.m_listChannels, {Name(5)});
    dialog.m_btnMove.click();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(&dialog.m_listChannels, key);
        QTest::keyClick(&dialog, key);
        EXPECT_TRUE(dialog.isVisible()) << key;
    }
    dialog.close();
    EXPECT_EQ(dialog.result(), int(IDCANCEL));
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(store.PendingCount(), 0u);
}

TEST_F(JoDeSetDlgTest, DoModalOpensOnlyWithAStoreForChannels1To8)
{
    int runs = 0;
    SetModalDialogHook([&runs](QDialog& dialog) {
        ++runs;
        // Set up before the run.
        auto* linkGroups = qobject_cast<CJoDeSet_Dlg*>(&dialog);
        EXPECT_NE(linkGroups, nullptr);
        if (linkGroups != nullptr) {
            EXPECT_EQ(linkGroups->m_listChannels.GetItemCount(), 7);
        }
        return int(IDCANCEL);
    });
    FakeLinkMasks store;
    struct Case {
        bool store;
        int channel;
        int runs;
    };
    const Case cases[] = {{true, 0, 1}, {true, 7, 1}, {true, 8, 0}, {true, 11, 0}, {true, -1, 0}, {false, 2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        runs = 0;
        CJoDeSet_Dlg dialog;
        dialog.m_pStore = c.store ? &store : nullptr;
        dialog.m_nChannel = c.channel;
        EXPECT_EQ(dialog.DoModal(), int(IDCANCEL));
        EXPECT_EQ(runs, c.runs);
    }
    EXPECT_EQ(store.writes, 0);
}

// A parent that records the notices of its list.
class JoDeSetNoticeParent : public QWidget, public CMsgTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM, LPARAM) override
    {
        notices += message == WM_NOTIFY ? 1 : 0;
        return 0;
    }
    int notices = 0;
};

TEST_F(JoDeSetDlgTest, TheMouseDeafListSelectsNothingAndReportsNoClick)
{
    JoDeSetNoticeParent parent;
    parent.resize(200, 200);
    CJodeListCtrl deaf(&parent);
    CListCtrl plain(&parent);
    EXPECT_EQ(deaf.m_clrText, QColor(0, 0, 0));
    EXPECT_EQ(deaf.m_clrTextBk, QColor(0, 0, 0));
    EXPECT_EQ(deaf.m_clrBk, QColor(0, 0, 0));
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    for (CListCtrl* list : {static_cast<CListCtrl*>(&deaf), &plain}) {
        list->setGeometry(0, 0, 180, 180);
        list->InsertColumn(0, QStringLiteral("ID"), LVCFMT_CENTER, 40);
        list->InsertColumn(1, QStringLiteral("Name"), LVCFMT_LEFT, 110);
        for (int r = 0; r < 3; ++r)
            list->SetItemText(list->InsertItem(r, QString::number(r + 1)), 1, QStringLiteral("Channel%1").arg(r + 1));
    }
    struct Case {
        CListCtrl* list;
        bool reacts;
    };
    for (const Case& c : {Case{&deaf, false}, Case{&plain, true}}) {
        parent.notices = 0;
        c.list->raise();
        const QPoint at = c.list->visualRect(c.list->model()->index(1, 1)).center();
        QTest::mouseClick(c.list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(c.list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseMove(c.list->viewport(), at + QPoint(0, 20));
        EXPECT_EQ(c.list->IsItemSelected(1), c.reacts);
        EXPECT_EQ(parent.notices > 0, c.reacts);
    }
}

}  // namespace
