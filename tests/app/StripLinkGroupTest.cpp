// The output strips' link groups through the running view: the link button's
// clicks (posted as the button posts them, and once through the button
// itself) and the link-group menu's commands. Oracles: the group tables,
// g_nLinkGroup, the strips' link and select buttons, the limiter byte that
// carries the group number, the command queue and the change scan.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>
#include <QTest>

#include "app/PopupMenus.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "platform/core/SendLock.h"
#include "tests/app/OutputEditFixture.h"
#include "tests/pages/RecordingMainView.h"

namespace {

enum : int { SINGLE = 513, DOUBLE = 515, RIGHT = 516 };
// Steps of a sequence besides the clicks.
enum : int { EDIT_LEVEL = 1, MAKE_CURRENT = 2, CLEAR_LINKS = 3, MASK_GROUP = 4, EDIT_BAND = 5 };

struct LinkStep {
    int output;
    int kind;
};

class StripLinkGroupTest : public OutputEditFixture {
protected:
    void SetUp() override
    {
        OutputEditFixture::SetUp();
        if (HasFatalFailure())
            return;
        ResetBookkeeping();
        // Enabled (still hidden), the button shows its check-on picture.
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            Strip(i).m_btnLink.setEnabled(true);
        ResetStrips();
    }
    void TearDown() override
    {
        ResetBookkeeping();
        if (View() != nullptr)
            for (int i = 0; i < OUTPUT_COUNT; ++i) {
                Strip(i).m_btnLink.SetCheck(false);
                Strip(i).m_btnLink.setEnabled(false);
            }
        g_bChinese = false;
        OutputEditFixture::TearDown();
    }
    static void ResetBookkeeping()
    {
        ClearLinkGroupTables();
        for (LinkRejoin& r : g_aLinkRejoin)
            r = {0, 0};
        g_nLinkLeader = -1;
        g_bLinkJoinArmed = 0;
    }

    COutRouteDlg& Strip(int i) { return View()->m_strips[i]; }

    void Post(int output, UINT message, WPARAM wParam)
    {
        PostMessage(&Strip(output), message, wParam, 0);
        Strip(output).DeliverPosted();
    }
    void Run(const std::vector<LinkStep>& steps)
    {
        for (const LinkStep& step : steps) {
            switch (step.kind) {
            case EDIT_LEVEL:
                // The strip's level spin stepped by the user.
                Strip(step.output).m_spinLevel.SetPos(500);
                SendMessage(&Strip(step.output), WM_COMMAND, MAKEWPARAM(COutRouteDlg::IDC_LEVEL_SPIN, 0), 0);
                break;
            case EDIT_BAND:
                // A band gain typed on the output page while the output is
                // current; then output 0 is current again.
                g_nCurOutput = step.output;
                m_pPage->RefreshChannel();
                Type(m_pPage->m_editBandGain[3], QStringLiteral("2"));
                g_nCurOutput = 0;
                m_pPage->RefreshChannel();
                break;
            case MAKE_CURRENT: g_nCurOutput = step.output; break;
            case CLEAR_LINKS: View()->ClearOutputLinks(); break;
            case MASK_GROUP:
                // A mask written by the link-group menu: outputs 2 and 4.
                g_nLinkGroup[step.output] = 0x14;
                break;
            default: Post(step.output, WM_LINK_BUTTON_CLICK, WPARAM(step.kind)); break;
            }
        }
    }

    // The state the clicks leave, as one line: the group numbers, the lit
    // buttons with their picture (G<k> = group k's picture of the present
    // language), the selected strips, the used groups with count and mask,
    // the outputs waiting to rejoin (output:group), leader and arming, the
    // non-zero limiter bytes.
    QString Describe()
    {
        QStringList groups, lit, selected, used, pending, bytes;
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            groups << QString::number(g_nLinkGroup[i]);
            COutRouteDlg& strip = Strip(i);
            if (strip.m_btnLink.GetCheck()) {
                const int* table = g_bChinese ? strip.m_anLinkBitmapCN : strip.m_anLinkBitmapEN;
                const int id = int(strip.m_btnLink.CurrentBitmapId());
                QString picture = QStringLiteral("?%1").arg(id);
                for (int g = 0; g < OUTPUT_COUNT; ++g)
                    if (table[g] == id)
                        picture = QStringLiteral("G%1").arg(g);
                lit << QStringLiteral("%1=%2").arg(i).arg(picture);
            }
            if (strip.m_btnSelect.GetCheck())
                selected << QString::number(i);
            if (g_abLinkGroupUsed[i] != 0 || g_anLinkGroupCount[i] != 0 || g_anLinkGroupMask[i] != 0)
                used << QStringLiteral("%1:%2/%3")
                            .arg(i)
                            .arg(UsedCount(i))
                            .arg(g_anLinkGroupMask[i], 0, 16);
            if (g_aLinkRejoin[i].bPending != 0)
                pending << QStringLiteral("%1:%2").arg(i).arg(g_aLinkRejoin[i].nGroup);
            const BYTE b = g_CurrentImage.bytes[OutputBlockOffset(i) + 287];
            if (b != 0)
                bytes << QStringLiteral("%1=%2").arg(i).arg(b);
        }
        return QStringLiteral("links %1 | lit %2 | sel %3 | groups %4 | pending %5 | leader %6%7 | b287 %8")
            .arg(groups.join(' '), lit.join(' '), selected.join(' '), used.join(' '), pending.join(' '))
            .arg(g_nLinkLeader)
            .arg(g_bLinkJoinArmed ? QStringLiteral(" armed") : QString())
            .arg(bytes.join(' '));
    }
    // The member count of group i, after "-" when the group is not in use.
    static QString UsedCount(int i)
    {
        return (g_abLinkGroupUsed[i] ? QString() : QStringLiteral("-")) + QString::number(g_anLinkGroupCount[i]);
    }
    // Every strip back to no group, no picture and only output 0 selected.
    void ResetStrips()
    {
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            Strip(i).m_btnLink.SetCheck(false);
            Strip(i).m_btnLink.SetCheckedBitmap(0);
            Strip(i).SetSelected(i == 0);
            g_CurrentImage.bytes[OutputBlockOffset(i) + 287] = 0;
        }
    }

    struct LinkCase {
        const char* what;
        std::vector<LinkStep> steps;
        const char* state;
        // Frames queued by the steps after the first two; -1 not checked.
        int queued = -1;
    };
    // Each case from the synced defaults, in both languages.
    template <size_t N>
    void RunCases(const LinkCase (&cases)[N])
    {
        for (bool chinese : {false, true}) {
            for (const LinkCase& c : cases) {
                SCOPED_TRACE(QStringLiteral("%1 (%2)")
                                 .arg(QString::fromUtf8(c.what), chinese ? QStringLiteral("cn") : QStringLiteral("en"))
                                 .toStdString());
                StartFromSyncedDefaults();
                ResetBookkeeping();
                ResetStrips();
                g_bChinese = chinese;
                const size_t split = std::min<size_t>(2, c.steps.size());
                Run(std::vector<LinkStep>(c.steps.begin(), c.steps.begin() + split));
                Queued();
                Run(std::vector<LinkStep>(c.steps.begin() + split, c.steps.end()));
                const size_t queued = Queued().size();
                EXPECT_EQ(Describe().toStdString(), std::string(c.state));
                if (c.queued >= 0) {
                    EXPECT_EQ(queued, size_t(c.queued));
                }
            }
        }
    }
};

TEST_F(StripLinkGroupTest, ClickSequencesKeepTheGroupTablesAndTheButtonsInStep)
{
    // Group 0 is stored as 1, which is also output 1's own number: once a
    // join copies, the view's group sync lights output 1's button too.
    const LinkCase cases[] = {
        {"a right click on an unlinked strip changes nothing",
         {{4, RIGHT}},
         "links 0 1 2 3 4 5 6 7 8 9 10 11 | lit  | sel 0 | groups  | pending  | leader -1 | b287 "},
        {"a click starts group 0 without touching the selection",
         {{2, SINGLE}},
         "links 0 1 1 3 4 5 6 7 8 9 10 11 | lit 2=G0 | sel 0 | groups 0:1/4 | pending  | leader 2 armed | b287 2=1"},
        {"the next unlinked strip joins the group just started",
         {{2, SINGLE}, {5, SINGLE}},
         "links 0 1 1 3 4 1 6 7 8 9 10 11 | lit 1=?0 2=G0 5=G0 | sel 0 | groups 0:2/24 | pending  | leader 2 armed | "
         "b287 2=1 5=1"},
        {"a single click leaves and remembers the group",
         {{2, SINGLE}, {5, SINGLE}, {5, SINGLE}},
         "links 0 1 1 3 4 0 6 7 8 9 10 11 | lit 1=?0 2=G0 | sel 0 | groups 0:1/24 | pending 5:0 | leader 2 | b287 2=1"},
        {"the next click rejoins it",
         {{2, SINGLE}, {5, SINGLE}, {5, SINGLE}, {5, SINGLE}},
         "links 0 1 1 3 4 1 6 7 8 9 10 11 | lit 1=?0 2=G0 5=G0 | sel 0 | groups 0:2/24 | pending  | leader 2 | "
         "b287 2=1 5=1"},
        {"an edit of the strip's level in between starts a group of its own instead",
         {{2, SINGLE}, {5, SINGLE}, {5, SINGLE}, {5, EDIT_LEVEL}, {5, SINGLE}},
         "links 0 1 1 3 4 2 6 7 8 9 10 11 | lit 1=?0 2=G0 5=G1 | sel 0 | groups 0:1/24 1:1/20 | pending  | leader 5 armed | "
         "b287 2=1 5=2"},
        {"so does a band edit on the output page",
         {{2, SINGLE}, {5, SINGLE}, {5, SINGLE}, {5, EDIT_BAND}, {5, SINGLE}},
         "links 0 1 1 3 4 2 6 7 8 9 10 11 | lit 1=?0 2=G0 5=G1 | sel 0 | groups 0:1/24 1:1/20 | pending  | leader 5 armed | "
         "b287 2=1 5=2"},
        {"the last member leaving frees the index and forgets every rejoin",
         {{2, SINGLE}, {5, SINGLE}, {5, SINGLE}, {2, SINGLE}},
         "links 0 1 0 3 4 0 6 7 8 9 10 11 | lit 1=?0 | sel 0 | groups  | pending  | leader 2 | b287 "},
        {"a freed index is started again by the next click",
         {{2, SINGLE}, {2, SINGLE}, {7, SINGLE}},
         "links 0 1 0 3 4 5 6 1 8 9 10 11 | lit 7=G0 | sel 0 | groups 0:1/80 | pending  | leader 7 armed | b287 7=1"},
        {"a slow double click links, then leaves for a new selected group",
         {{3, SINGLE}, {3, DOUBLE}},
         "links 0 1 2 1 4 5 6 7 8 9 10 11 | lit 3=G0 | sel 3 | groups 0:1/8 | pending  | leader 3 armed | b287 3=1"},
        {"a double click on an unlinked strip with a rejoin pending drops it from the old mask",
         {{2, SINGLE}, {5, SINGLE}, {5, SINGLE}, {5, DOUBLE}},
         "links 0 1 1 3 4 2 6 7 8 9 10 11 | lit 1=?0 2=G0 5=G1 | sel 5 | groups 0:1/4 1:1/20 | pending  | leader 5 armed | "
         "b287 2=1 5=2"},
        {"a strip joins the current output's lit group before the leader's",
         {{0, SINGLE}, {8, DOUBLE}, {0, MAKE_CURRENT}, {10, SINGLE}},
         "links 1 1 2 3 4 5 6 7 2 9 1 11 | lit 0=G0 1=?0 8=G1 10=G0 | sel 8 | groups 0:2/401 1:1/100 | pending  | "
         "leader 8 armed | b287 0=1 8=2 10=1"},
        {"a right click leaves without a way back",
         {{2, SINGLE}, {5, SINGLE}, {5, RIGHT}, {5, SINGLE}},
         "links 0 1 1 3 4 2 6 7 8 9 10 11 | lit 1=?0 2=G0 5=G1 | sel 0 | groups 0:1/4 1:1/20 | pending  | leader 5 armed | "
         "b287 2=1 5=2"},
    };
    RunCases(cases);
}

TEST_F(StripLinkGroupTest, TheGroupNumberGoesOutInTheLimiterRecordAndCanMatchAnotherOutputsOwnIndex)
{
    Run({{3, SINGLE}});
    EXPECT_EQ(g_nLinkGroup[3], 1);
    // Group 0 is stored as 1, output 1's own number: the two compare linked.
    EXPECT_EQ(IsOutputLinked(3), 1);
    EXPECT_EQ(g_CurrentImage.bytes[OutputBlockOffset(3) + 287], 1);
    EXPECT_TRUE(Queued().empty()) << "starting a group copies nothing";
    EXPECT_EQ(Scanned(), std::vector<EditFrame>{WriteFrame("04 03 23 00 00 08 00 A4 01 14 00 14 00 00 01 28 AA")});

    Run({{3, RIGHT}});
    EXPECT_EQ(g_nLinkGroup[3], 0);
    EXPECT_FALSE(Strip(3).m_btnLink.GetCheck());
    EXPECT_EQ(Scanned(), std::vector<EditFrame>{WriteFrame("04 03 23 00 00 08 00 A4 01 14 00 14 00 00 00 29 AA")});
}

// The view as a strip's owner, noting for every frame queued whether the send
// lock was held.
class CLockNotingOwner : public CRecordingMainView, public CMsgTarget {
public:
    explicit CLockNotingOwner(CBrelinView* view) : m_pView(view) {}
    LRESULT WindowProc(UINT, WPARAM, LPARAM) override { return 0; }
    void AddCommand(std::unique_ptr<CSendData> command) override
    {
        m_locked.push_back(g_csSendLock.IsLocked());
        m_pView->AddCommand(std::move(command));
    }
    void CopyOutputChannel(int src, int dst) override
    {
        m_locked.push_back(g_csSendLock.IsLocked());
        m_pView->CopyOutputChannel(src, dst);
    }
    COutRouteDlg* OutputStrip(int output) override { return m_pView->OutputStrip(output); }
    CBrelinView* m_pView;
    std::vector<bool> m_locked;
};

TEST_F(StripLinkGroupTest, JoiningCopiesFromTheSourceBetweenItsMuteAndUnmuteUnderTheSendLock)
{
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(2)->SetGain(432);
        Output(2)->SetOn(1);
    }
    Run({{2, SINGLE}});
    Queued();
    Run({{6, SINGLE}});
    const std::vector<QueuedFrame> frames = [&] {
        std::vector<QueuedFrame> all = DrainQueue();
        return all;
    }();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].Item(), 2);
    EXPECT_EQ(frames[0].Record(), 31);
    EXPECT_EQ(frames[0].bytes[FRAME_HEADER_SIZE], 0) << "the source muted";
    EXPECT_EQ(frames[1].Item(), 6);
    EXPECT_EQ(frames[1].bytes.size(), size_t(FRAME_HEADER_SIZE + OUTPUT_BLOCK_SIZE + 2)) << "the block";
    EXPECT_EQ(frames[2].Item(), 2);
    EXPECT_EQ(frames[2].Record(), 31);
    EXPECT_EQ(frames[2].bytes[FRAME_HEADER_SIZE], 1) << "the source's state back";
    EXPECT_EQ(Output(6)->GetGain(), 432);
    EXPECT_TRUE(g_bOutputLinkOn);
    EXPECT_EQ(Strip(6).m_nLevel, 432) << "the group's strips show the source's level";
    EXPECT_FALSE(g_csSendLock.IsLocked());

    // The same join seen from the owner: every frame queued with the lock.
    StartFromSyncedDefaults();
    ResetBookkeeping();
    ResetStrips();
    Run({{2, SINGLE}});
    CLockNotingOwner owner(View());
    owner.m_pOutputPage = &View()->m_outputPage;
    m_pPage->m_pView = &owner;
    Strip(9).m_pOwner = &owner;
    Run({{9, SINGLE}});
    Strip(9).m_pOwner = View();
    m_pPage->m_pView = View();
    EXPECT_EQ(owner.m_locked, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(g_nLinkGroup[9], 1);
    EXPECT_EQ(Queued().size(), 3u);
}

TEST_F(StripLinkGroupTest, ClicksOnAButtonLitWithoutAGroupNumberLeaveTheTablesAlone)
{
    // Output 0 linked, then every output its own group again (a preset
    // load): its button stays lit while it holds 0. Output 2 lit while it
    // holds a mask of the link-group menu. No click reads or writes a table
    // entry for such a number; everything else goes on as for a group: the
    // two joins of the last case each queue the source's mute, the block
    // and the unmute.
    const LinkCase cases[] = {
        {"a right click on output 0 after the links were cleared",
         {{0, SINGLE}, {0, CLEAR_LINKS}, {0, RIGHT}},
         "links 0 1 2 3 4 5 6 7 8 9 10 11 | lit  | sel 0 | groups 0:1/1 | pending  | leader 0 | b287 ", 0},
        {"a double click there starts a new group",
         {{0, SINGLE}, {0, CLEAR_LINKS}, {0, DOUBLE}},
         "links 2 1 2 3 4 5 6 7 8 9 10 11 | lit 0=G1 | sel 0 | groups 0:1/1 1:1/1 | pending  | leader 0 armed | "
         "b287 0=2", 0},
        {"a single click leaves; the next finds no member to copy from and starts a group",
         {{0, SINGLE}, {0, CLEAR_LINKS}, {0, SINGLE}, {0, SINGLE}},
         "links 2 1 2 3 4 5 6 7 8 9 10 11 | lit 0=G1 | sel 0 | groups 0:1/1 1:1/1 | pending  | leader 0 armed | "
         "b287 0=2", 0},
        {"a right click on a strip holding a mask",
         {{2, SINGLE}, {2, MASK_GROUP}, {2, RIGHT}},
         "links 0 1 0 3 4 5 6 7 8 9 10 11 | lit  | sel 0 | groups 0:1/4 | pending  | leader 2 | b287 ", 0},
        {"a strip holding a mask leaves and comes back by a new group",
         {{2, SINGLE}, {2, MASK_GROUP}, {2, SINGLE}, {2, SINGLE}},
         "links 0 1 2 3 4 5 6 7 8 9 10 11 | lit 2=G1 | sel 0 | groups 0:1/4 1:1/4 | pending  | leader 2 armed | "
         "b287 2=2", 0},
        {"joining a current output that holds a mask takes the mask and keeps the picture",
         {{2, SINGLE}, {2, MASK_GROUP}, {2, MAKE_CURRENT}, {7, SINGLE}, {7, SINGLE}, {7, SINGLE}},
         "links 0 1 20 3 4 5 6 20 8 9 10 11 | lit 2=G0 7=?0 | sel 0 | groups 0:1/4 | pending  | leader 2 | "
         "b287 2=1 7=20", 6},
    };
    RunCases(cases);
}

TEST_F(StripLinkGroupTest, TheButtonItselfPostsItsClicksToTheStrip)
{
    CBitButton& button = Strip(4).m_btnLink;
    button.setEnabled(true);
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] {
        Strip(4).DeliverPosted();
        return button.GetCheck();
    }));
    EXPECT_EQ(g_nLinkGroup[4], 1);
    EXPECT_EQ(Strip(4).m_nClickKind, 1);
    QTest::mouseClick(&button, Qt::RightButton);
    Strip(4).DeliverPosted();
    EXPECT_FALSE(button.GetCheck());
    EXPECT_EQ(g_nLinkGroup[4], 0);
    // The button's own command does nothing.
    SendMessage(&Strip(4), WM_COMMAND, MAKEWPARAM(COutRouteDlg::IDC_LINK, BN_CLICKED), 0);
    EXPECT_EQ(g_nLinkGroup[4], 0);
    button.hide();
    button.setEnabled(false);
}

// ---- The link-group menu ---------------------------------------------------------------

class LinkGroupMenuTest : public StripLinkGroupTest {
protected:
    // Outputs in one group of the menu's masks, in the page's records.
    void MaskGroup(std::initializer_list<int> outputs)
    {
        int mask = 0;
        for (int i : outputs)
            mask |= 1 << i;
        for (int i : outputs) {
            m_pPage->SetLinkMask(i, mask);
            g_nLinkGroup[i] = mask;
        }
    }
    void Menu(int output, int command) { SendMessage(&Strip(output), WM_COMMAND, MAKEWPARAM(command, 0), 0); }
    QString Masks()
    {
        QStringList masks;
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            EXPECT_EQ(Strip(i).m_nLinkMask, m_pPage->m_strips[i].m_nLinkMask) << i;
            masks << QString::number(m_pPage->m_strips[i].m_nLinkMask, 16);
        }
        return masks.join(' ');
    }
    QString Groups()
    {
        QStringList groups;
        for (int g : g_nLinkGroup)
            groups << QString::number(g, 16);
        return groups.join(' ');
    }
    QString Selected()
    {
        QStringList selected;
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            if (Strip(i).m_btnSelect.GetCheck())
                selected << QString::number(i);
        return selected.join(' ');
    }
};

TEST_F(LinkGroupMenuTest, LeaveAndDissolveRewriteTheMasksOfTheGroup)
{
    struct Case {
        const char* what;
        int output, command, current;
        const char* masks;
        const char* selected;
    } cases[] = {
        {"the current output leaves: the others stay together, unselected", 3, ID_LINK_LEAVE_GROUP, 3,
         "1 22 4 8 10 22 40 80 100 200 400 800", "3"},
        {"another output leaves: only it is unselected", 5, ID_LINK_LEAVE_GROUP, 3,
         "1 a 4 a 10 20 40 80 100 200 400 800", "1 3"},
        {"dissolving: each its own, only the current stays selected", 5, ID_LINK_DISSOLVE_GROUP, 3,
         "1 2 4 8 10 20 40 80 100 200 400 800", "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            m_pPage->SetLinkMask(i, 1 << i);
            g_nLinkGroup[i] = i;
            Strip(i).SetSelected(i == 1 || i == 3 || i == 5);
        }
        MaskGroup({1, 3, 5});
        g_nCurOutput = c.current;
        Menu(c.output, c.command);
        EXPECT_EQ(Masks(), QString::fromLatin1(c.masks));
        // g_nLinkGroup takes the masks of the group's outputs.
        for (int i : {1, 3, 5})
            EXPECT_EQ(g_nLinkGroup[i], m_pPage->m_strips[i].m_nLinkMask) << i;
        EXPECT_EQ(Selected(), QString::fromLatin1(c.selected));
    }
}

TEST_F(LinkGroupMenuTest, OutputsNineToTwelveIgnoreTheMenuAndTheOthersOpenTheDialog)
{
    MaskGroup({9, 10});
    const QString masks = Masks(), groups = Groups();
    for (int command : {ID_LINK_NEW_GROUP, ID_LINK_JOIN_GROUP, ID_LINK_LEAVE_GROUP, ID_LINK_DISSOLVE_GROUP})
        Menu(10, command);
    EXPECT_EQ(Masks(), masks);
    EXPECT_EQ(Groups(), groups);
    EXPECT_EQ(Selected(), QStringLiteral("0"));

    CLockNotingOwner owner(View());
    Strip(10).m_pOwner = &owner;
    Strip(6).m_pOwner = &owner;
    Menu(10, ID_LINK_NEW_GROUP);
    Menu(6, ID_LINK_NEW_GROUP);
    Menu(6, ID_LINK_JOIN_GROUP);
    Strip(10).m_pOwner = View();
    Strip(6).m_pOwner = View();
    ASSERT_EQ(owner.m_sends.size(), 2u);
    EXPECT_STREQ(owner.m_sends[0].first, "link dialog new");
    EXPECT_STREQ(owner.m_sends[1].first, "link dialog join");

    // The menu holds its four commands, in Chinese only.
    QStringList labels;
    for (int command : {ID_LINK_NEW_GROUP, ID_LINK_JOIN_GROUP, ID_LINK_LEAVE_GROUP, ID_LINK_DISSOLVE_GROUP}) {
        QAction* item = FindMenuItem(&Strip(0).m_menuLinkGroup, command);
        ASSERT_NE(item, nullptr) << command;
        labels << item->text();
    }
    EXPECT_EQ(labels, (QStringList{QStringLiteral("生成新联调组"), QStringLiteral("加入已有联调组"),
                                   QStringLiteral("退出联调组"), QStringLiteral("撤销联调组")}));
}

TEST_F(LinkGroupMenuTest, TheMaskQueriesReadTheFirstEightOutputs)
{
    COutRouteDlg& strip = Strip(1);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        g_nLinkGroup[i] = 1 << i;
    EXPECT_FALSE(strip.OtherGroupExists());
    EXPECT_FALSE(strip.IsLinkedToOthers());
    MaskGroup({1, 3});
    EXPECT_FALSE(strip.OtherGroupExists()) << "its own group is not another";
    EXPECT_TRUE(strip.IsLinkedToOthers());
    MaskGroup({5, 6});
    EXPECT_TRUE(strip.OtherGroupExists());
    EXPECT_FALSE(strip.AllOutputsLinked());
    for (int i = 0; i < 8; ++i)
        g_nLinkGroup[i] = 255;
    EXPECT_TRUE(strip.AllOutputsLinked());
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        g_nLinkGroup[i] = i;
}

}  // namespace
