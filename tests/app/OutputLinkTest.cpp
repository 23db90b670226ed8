// The output page's links through the whole program: the left/right link
// from the view's button, the copy of one output onto its link group, and
// the side panel's delay unit reaching the strips. Oracles: the model, the
// command queue, the toggles.
#include <gtest/gtest.h>

#include <QTest>

#include "graphs/NumEditValue.h"
#include "model/Filter.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "pages/input/JoDeSet_Dlg.h"
#include "platform/core/SendLock.h"
#include "tests/app/OutputPageViewFixture.h"

namespace {

class LRLinkTest : public OutputPageViewTest {
protected:
    void ClickLinkButton()
    {
        View()->WindowProc(WM_COMMAND, MAKEWPARAM(CBrelinView::IDC_LR_LINK, BN_CLICKED), 0);
    }
    std::vector<int> LinkGroups() const { return {g_nLinkGroup, g_nLinkGroup + OUTPUT_COUNT}; }
    std::vector<int> OwnGroups() const { return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}; }
    void ExpectToggles(bool on)
    {
        EXPECT_EQ(Page().m_btnLRLink.GetCheck(), on);
        EXPECT_EQ(Page().m_dlgDelay.m_btnLink.GetCheck(), on);
        EXPECT_EQ(View()->m_btnLRLink.GetCheck(), on);
        EXPECT_EQ(bool(g_bOutputLinkOn), on);
    }
};

class LinkGroupCopyTest : public OutputPageViewTest {
protected:
    // Outputs 1, 4 and 6 form a group in the page's records.
    void MakeGroup()
    {
        const int mask = (1 << 1) | (1 << 4) | (1 << 6);
        for (int i : {1, 4, 6})
            Page().m_strips[i].m_nLinkMask = mask;
        // Unlinked while the test sets the values (a linked gain is
        // shared).
        Data()->InitOutputLinkTable();
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(1)->SetOn(1);
        Output(4)->SetOn(1);
        Output(6)->SetOn(0);
        Output(4)->SetGain(432);
        Output(4)->GetBand(5)->SetGainIndex(250);
    }
    void Copy(int source)
    {
        Data()->ClearChangeFlags(false);
        DrainQueue();
        PostMessage(&Page(), WM_LINK_GROUP_COPY, WPARAM(source), 0);
        Page().DeliverPosted();
    }
    static void ExpectBasic(const QueuedFrame& f, int output, int on)
    {
        EXPECT_EQ(f.Type(), BLOCK_OUTPUT);
        EXPECT_EQ(f.Item(), output);
        EXPECT_EQ(f.Record(), 31);
        EXPECT_EQ(f.bytes[FRAME_HEADER_SIZE], on) << output;
    }
    static void ExpectBlock(const QueuedFrame& f, int output)
    {
        EXPECT_EQ(f.Type(), BLOCK_OUTPUT);
        EXPECT_EQ(f.Item(), output);
        EXPECT_EQ(f.bytes.size(), size_t(FRAME_HEADER_SIZE + OUTPUT_BLOCK_SIZE + 2));
    }
};

class DelayPanelTest : public OutputPageViewTest {};


TEST_F(LRLinkTest, TheViewsButtonCopiesEachLeftOntoItsRightLinksAndLocksThenUndoesIt)
{
    ConnectWithoutDevice();
    Reset(MapAnswer::Default);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(0)->GetBand(17)->SetGainIndex(230);  // +3 dB
        Output(0)->SetEqMode(1);
        Output(2)->SetLimitThreshold(300);
        Output(10)->SetGain(450);
    }
    Data()->ClearChangeFlags(false);
    DrainQueue();
    AnswerDialogs(MapAnswer::Cancel, 0);

    ClickLinkButton();
    EXPECT_EQ(m_nLinkRuns, 1);
    EXPECT_EQ(LinkGroups(), (std::vector<int>{0, 0, 2, 2, 4, 5, 6, 7, 8, 9, 10, 10}));
    EXPECT_TRUE(g_bOutputMapLocked);
    EXPECT_TRUE(Page().m_btnMapLock.GetCheck());
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_FALSE(View()->OutputStrip(i)->m_btnSpeakerType.isEnabled()) << i;
    for (auto [from, to] : {std::pair<int, int>(0, 1), {2, 3}, {10, 11}}) {
        SCOPED_TRACE(to);
        EXPECT_EQ(Output(to)->GetGain(), Output(from)->GetGain());
        EXPECT_EQ(Output(to)->GetEqMode(), Output(from)->GetEqMode());
        EXPECT_EQ(Output(to)->GetLimitThreshold(), Output(from)->GetLimitThreshold());
        for (int b = 0; b < OUTPUT_PEQ_BANDS; ++b)
            EXPECT_EQ(Output(to)->GetBand(b)->GetGainIndex(), Output(from)->GetBand(b)->GetGainIndex()) << b;
    }
    EXPECT_EQ(Output(1)->GetBand(17)->GetGainIndex(), 230);
    ExpectToggles(true);

    const std::vector<QueuedFrame> frames = DrainQueue();
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(FrameHex(frames[0].bytes), "82 82 82 EE A1 01 00 09 05 00 00 00 08 00 3C 00 00 37 00 00 00 00 AF AA");
    const char* const heads[] = {"82 82 82 EE A1 01 00 04 01 00 01 00 28 01", "82 82 82 EE A1 01 00 04 03 00 01 00 28 01",
                                 "82 82 82 EE A1 01 00 04 0B 00 01 00 28 01"};
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(FrameHex(frames[size_t(k) + 1].bytes).substr(0, 41), heads[k]) << k;
    EXPECT_EQ(FrameHex(frames[4].bytes), "82 82 82 EE A1 01 00 09 05 00 00 00 08 00 3C 00 00 37 00 00 01 00 AE AA");
    EXPECT_FALSE(g_csSendLock.IsLocked());

    // Again: off, unlocked, every output its own group.
    ClickLinkButton();
    EXPECT_EQ(m_nLinkRuns, 1);
    ExpectToggles(false);
    EXPECT_FALSE(g_bOutputMapLocked);
    EXPECT_FALSE(Page().m_btnMapLock.GetCheck());
    EXPECT_EQ(LinkGroups(), OwnGroups());
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_TRUE(View()->OutputStrip(i)->m_btnSpeakerType.isEnabled()) << i;
    EXPECT_TRUE(DrainQueue().empty());
}

TEST_F(LRLinkTest, NoPairOrACancelledQuestionChangesNothing)
{
    ConnectWithoutDevice();
    struct Case {
        const char* name;
        bool pairs;
        int direction;  // -1 cancelled
        bool chinese;
    };
    const Case cases[] = {
        {"centre and sub only", false, 0, false},
        {"centre and sub only, Chinese", false, 0, true},
        {"cancelled", true, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bChinese = c.chinese;
        Reset(MapAnswer::Default);
        if (!c.pairs) {
            Reset(MapAnswer::Emptied);
            ParameterSetGuard guard(g_ParameterSetLock);
            g_byOutputPosition[0] = 20;
            g_byOutputPosition[1] = 24;
        }
        DrainQueue();
        m_nLinkRuns = 0;
        AnswerDialogs(MapAnswer::Cancel, c.direction);
        CMessageBoxSpy spy;
        ClickLinkButton();
        if (c.pairs) {
            EXPECT_TRUE(spy.shown.empty());
            EXPECT_EQ(m_nLinkRuns, 1);
        } else {
            ASSERT_EQ(spy.shown.size(), 1u);
            EXPECT_EQ(spy.shown[0].text,
                      c.chinese ? QStringLiteral("没有左右通道可以联调!") : QStringLiteral("No link L&R output !"));
            EXPECT_EQ(spy.shown[0].type, unsigned(MB_OK));
            EXPECT_EQ(spy.shown[0].helpId, c.chinese ? -2 : -3);
            EXPECT_EQ(m_nLinkRuns, 0);
        }
        ExpectToggles(false);
        EXPECT_FALSE(g_bOutputMapLocked);
        EXPECT_EQ(LinkGroups(), OwnGroups());
        EXPECT_TRUE(DrainQueue().empty());
        EXPECT_FALSE(Page().SetupLRLink());
    }
    g_bChinese = false;
}

TEST_F(LinkGroupCopyTest, SyncedAndConnectedTheGroupIsMutedCopiedAndRestoredInOneRun)
{
    ConnectWithoutDevice();
    g_bDeviceSynced = true;
    MakeGroup();
    Copy(4);
    const std::vector<QueuedFrame> frames = DrainQueue();
    ASSERT_EQ(frames.size(), 8u);
    ExpectBasic(frames[0], 1, 0);
    ExpectBasic(frames[1], 4, 0);
    ExpectBasic(frames[2], 6, 0);
    ExpectBlock(frames[3], 1);
    ExpectBlock(frames[4], 6);
    ExpectBasic(frames[5], 1, 1);
    ExpectBasic(frames[6], 4, 1);
    ExpectBasic(frames[7], 6, 0);
    EXPECT_EQ(Output(1)->GetOn(), 1);
    EXPECT_EQ(Output(4)->GetOn(), 1);
    EXPECT_EQ(Output(6)->GetOn(), 0);
    for (int i : {1, 6}) {
        EXPECT_EQ(Output(i)->GetGain(), 432) << i;
        EXPECT_EQ(Output(i)->GetBand(5)->GetGainIndex(), 250) << i;
        EXPECT_FALSE(Output(i)->IsBasicDirty()) << i;
        // The page's record shows the source's values.
        EXPECT_EQ(Page().m_strips[i].m_bOn, 1) << i;
    }
    const int mask = (1 << 1) | (1 << 4) | (1 << 6);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_EQ(g_nLinkGroup[i], (i == 1 || i == 4 || i == 6) ? mask : 1 << i) << i;
    EXPECT_TRUE(g_bOutputLinkOn);
    EXPECT_FALSE(g_csSendLock.IsLocked());
}

TEST_F(LinkGroupCopyTest, AnOutputAloneSendsItsTwoFramesAndCopiesNothing)
{
    ConnectWithoutDevice();
    g_bDeviceSynced = true;
    MakeGroup();
    Copy(2);
    const std::vector<QueuedFrame> frames = DrainQueue();
    ASSERT_EQ(frames.size(), 2u);
    ExpectBasic(frames[0], 2, 0);
    ExpectBasic(frames[1], 2, Output(2)->GetOn());
    EXPECT_FALSE(g_bOutputLinkOn);
}

TEST_F(LinkGroupCopyTest, UnsyncedItCopiesWithoutMutingAndDisconnectedItQueuesNothing)
{
    for (bool connected : {true, false}) {
        SCOPED_TRACE(connected);
        if (connected)
            ConnectWithoutDevice();
        else
            View()->DeviceLink().StopIoWorker(true);
        g_bDeviceSynced = false;
        MakeGroup();
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            Output(1)->SetGain(10);
            Output(6)->SetGain(10);
        }
        Copy(4);
        const std::vector<QueuedFrame> frames = DrainQueue();
        if (connected) {
            ASSERT_EQ(frames.size(), 2u);
            ExpectBlock(frames[0], 1);
            ExpectBlock(frames[1], 6);
        } else {
            EXPECT_TRUE(frames.empty());
        }
        EXPECT_EQ(Output(1)->GetGain(), 432);
        EXPECT_EQ(Output(6)->GetGain(), 432);
        EXPECT_EQ(Output(6)->GetOn(), 0);
    }
}

TEST_F(LinkGroupCopyTest, TheLinkGroupDialogOfAStripLinksItsChoiceAndThePageCopiesThroughIt)
{
    ConnectWithoutDevice();
    g_bDeviceSynced = true;
    Data()->InitOutputLinkTable();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(2)->SetOn(1);
        Output(4)->SetOn(0);
        Output(2)->SetGain(432);
        Output(2)->GetBand(5)->SetGainIndex(250);
    }
    Data()->ClearChangeFlags(false);
    DrainQueue();
    // The user picks channel 5 beside channel 3 and confirms.
    int runs = 0;
    SetModalDialogHook([&runs](QDialog& dialog) {
        ++runs;
        auto* linkGroups = qobject_cast<CJoDeSet_Dlg*>(&dialog);
        if (linkGroups == nullptr)
            return int(IDCANCEL);
        linkGroups->show();
        CListCtrl& left = linkGroups->m_listChannels;
        for (int r = 0; r < left.GetItemCount(); ++r)
            if (left.GetItemText(r, 1) == QStringLiteral("Channel5"))
                QTest::mouseClick(left.viewport(), Qt::LeftButton, Qt::NoModifier,
                                  left.visualRect(left.model()->index(r, 1)).center());
        linkGroups->m_btnMove.click();
        linkGroups->m_btnOK.click();
        return dialog.result();
    });
    View()->OpenLinkGroupDialog(View()->OutputStrip(2), true);
    EXPECT_EQ(runs, 1);
    // Nothing is copied until the page gets the posted request.
    EXPECT_TRUE(DrainQueue().empty());
    Page().DeliverPosted();
    const std::vector<QueuedFrame> frames = DrainQueue();
    ASSERT_EQ(frames.size(), 5u);
    ExpectBasic(frames[0], 2, 0);
    ExpectBasic(frames[1], 4, 0);
    ExpectBlock(frames[2], 4);
    ExpectBasic(frames[3], 2, 1);
    ExpectBasic(frames[4], 4, 0);
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        const int mask = (i == 2 || i == 4) ? 0x14 : 1 << i;
        EXPECT_EQ(g_nLinkGroup[i], mask) << i;
        EXPECT_EQ(Page().m_strips[i].m_nLinkMask, mask) << i;
        EXPECT_EQ(View()->OutputStrip(i)->m_nLinkMask, mask) << i;
    }
    EXPECT_EQ(Output(4)->GetGain(), 432);
    EXPECT_EQ(Output(4)->GetBand(5)->GetGainIndex(), 250);
    EXPECT_EQ(Output(4)->GetOn(), 0);
    EXPECT_TRUE(g_bOutputLinkOn);
    EXPECT_FALSE(g_csSendLock.IsLocked());

    // No strip, or the strips of outputs 9 to 12, open nothing.
    runs = 0;
    View()->OpenLinkGroupDialog(nullptr, true);
    View()->OpenLinkGroupDialog(View()->OutputStrip(9), false);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(Page().PendingCount(), 0u);
}

TEST_F(DelayPanelTest, AUnitButtonOfThePagesPanelSetsEveryStripsUnit)
{
    CDelayDlg& panel = Page().m_dlgDelay;
    EXPECT_EQ(panel.parentWidget(), &Page());
    EXPECT_EQ(panel.geometry(), QRect(5, 333, 93, 111));
    EXPECT_EQ(panel.m_bMsUnit, 1);
    struct Case {
        CBitButton CDelayDlg::*button;
        int type;
    };
    const Case cases[] = {
        {&CDelayDlg::m_btnCm, CNumEditValue::TYPE_DELAY_CM},
        {&CDelayDlg::m_btnInch, CNumEditValue::TYPE_DELAY_INCH},
        {&CDelayDlg::m_btnMs, CNumEditValue::TYPE_DELAY_MS},
    };
    for (const Case& c : cases) {
        (panel.*c.button).click();
        Page().DeliverPosted();
        for (int i = 0; i < OUTPUT_COUNT; ++i)
            EXPECT_EQ(View()->OutputStrip(i)->m_editDelay.GetValueType(), c.type) << i;
    }
    // A language switch of the view keeps the unit.
    panel.m_btnCm.click();
    Page().DeliverPosted();
    View()->SwitchLanguage(true);
    EXPECT_EQ(panel.m_bCmUnit, 1);
    EXPECT_EQ(panel.m_btnCm.CurrentBitmapId(), g_bChinese ? 4335u : 4325u);
    View()->SwitchLanguage(true);
}

TEST_F(DelayPanelTest, ThePageKeepsTheHiddenLockAndLinkButtonsWithTheFlags)
{
    Reset(MapAnswer::Default);
    CDelayDlg& panel = Page().m_dlgDelay;
    for (CBitButton* hidden : {&panel.m_btnRemap, &panel.m_btnLock, &panel.m_btnLink}) {
        EXPECT_TRUE(hidden->isHidden());
        EXPECT_FALSE(hidden->isEnabled());
    }
    // Their commands reach the page all the same.
    CMessageBoxSpy spy(IDYES);
    panel.WindowProc(WM_COMMAND, MAKEWPARAM(CDelayDlg::IDC_LOCK, BN_CLICKED), 0);
    EXPECT_TRUE(g_bOutputMapLocked);
    EXPECT_TRUE(panel.m_btnLock.GetCheck());
    AnswerDialogs(MapAnswer::Default, 1);
    panel.WindowProc(WM_COMMAND, MAKEWPARAM(CDelayDlg::IDC_LINK, BN_CLICKED), 0);
    EXPECT_TRUE(g_bOutputLinkOn);
    EXPECT_TRUE(panel.m_btnLink.GetCheck());
    EXPECT_EQ(g_nLinkGroup[0], 1);
    panel.WindowProc(WM_COMMAND, MAKEWPARAM(CDelayDlg::IDC_REMAP, BN_CLICKED), 0);
    EXPECT_EQ(m_nRemapRuns, 2);
    EXPECT_FALSE(g_bOutputMapLocked);
    EXPECT_FALSE(panel.m_btnLock.GetCheck());
    EXPECT_FALSE(g_bOutputLinkOn);
    EXPECT_FALSE(panel.m_btnLink.GetCheck());
}

}  // namespace
