// The main view's handlers of what its twelve output strips, the mix page
// and the master-volume panel post, and its page-area buttons: the model,
// the strips and columns the user sees, and the frames queued, connected and
// not. Messages out of range change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include <QApplication>

#include "model/ChangeScanFlags.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "platform/core/SystemMessages.h"
#include "tests/app/TransferViewFixture.h"

namespace {

class StripHandlersTest : public TransferViewTest {
protected:
    void SetUp() override
    {
        TransferViewTest::SetUp();
        DropPostedMessages(View(), WM_AUTO_CONNECT);
        m_nSavedCurrent = g_nCurOutput;
        std::memcpy(m_savedPositions, g_SpeakerPositionTable, sizeof m_savedPositions);
        std::memcpy(m_savedSystem, g_SystemBytes, sizeof m_savedSystem);
        std::memcpy(m_savedPairs, g_LeftRightPairs, sizeof m_savedPairs);
    }
    void TearDown() override
    {
        g_nCurOutput = m_nSavedCurrent;
        std::memcpy(g_SpeakerPositionTable, m_savedPositions, sizeof m_savedPositions);
        std::memcpy(g_SystemBytes, m_savedSystem, sizeof m_savedSystem);
        std::memcpy(g_LeftRightPairs, m_savedPairs, sizeof m_savedPairs);
        g_bSendSysItem5 = false;
        TransferViewTest::TearDown();
    }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) { return SendMessage(View(), message, wParam, lParam); }
    void Click(int id) { Send(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    CKTV_OutData& Output(int i) { return *View()->GetDocument()->m_KTVData.GetOutput(i); }
    COutRouteDlg& Strip(int i) { return View()->m_strips[i]; }
    CRouteMixCom& Column(int i) { return View()->m_mixPage.m_Column[i]; }
    std::vector<int> SelectedStrips()
    {
        std::vector<int> selected;
        for (int i = 0; i < OUTPUT_COUNT; ++i) {
            if (Strip(i).m_btnSelect.GetCheck())
                selected.push_back(i);
        }
        return selected;
    }
    void SetGroups(std::vector<int> groups)
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        std::copy(groups.begin(), groups.end(), g_nLinkGroup);
    }
    // The system items of the frames queued, and the block type of the
    // others as 100 + type.
    std::vector<int> QueuedKinds()
    {
        std::vector<int> kinds;
        for (const QueuedFrame& frame : DrainQueue())
            kinds.push_back(frame.Type() == BLOCK_SYSTEM ? frame.Item() : 100 + frame.Type());
        return kinds;
    }

    int m_nSavedCurrent = 0;
    BYTE m_savedPositions[POSITION_TABLE_SIZE] = {};
    BYTE m_savedSystem[sizeof g_SystemBytes] = {};
    SpeakerPair m_savedPairs[SPEAKER_PAIR_COUNT] = {};
};

TEST_F(StripHandlersTest, SelectingAStripMakesItsOutputAndGroupCurrent)
{
    SetGroups({0, 1, 2, 2, 4, 5, 6, 7, 8, 9, 10, 11});
    View()->OnStripSelect(0);
    ASSERT_EQ(g_nCurOutput, 0);
    ASSERT_EQ(SelectedStrips(), std::vector<int>{0});

    // Output 3 is linked with output 2: both strips light.
    Send(WM_STRIP_SELECT, 3, 0);
    EXPECT_EQ(g_nCurOutput, 3);
    EXPECT_EQ(SelectedStrips(), (std::vector<int>{2, 3}));
    EXPECT_TRUE(Column(3).HasSliderSkins());

    // The current one again: nothing, not even the columns' skins.
    Column(5).ClearSliderSkins();
    Send(WM_STRIP_SELECT, 3, 0);
    EXPECT_FALSE(Column(5).HasSliderSkins());
    EXPECT_EQ(SelectedStrips(), (std::vector<int>{2, 3}));

    // The mix page selects the same way.
    Send(WM_MIX_SELECT_OUTPUT, 7, 0);
    EXPECT_EQ(g_nCurOutput, 7);
    EXPECT_EQ(SelectedStrips(), std::vector<int>{7});
    EXPECT_TRUE(Column(5).HasSliderSkins());
}

TEST_F(StripHandlersTest, ALevelChangeSoundsTheOutputAndMovesItsGroup)
{
    SetGroups({0, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    Output(1).SetGain(300);
    Strip(1).SetLevel(300);
    // Output 0 muted, on its strip too.
    Output(0).SetOn(0);
    Strip(0).SetOutputOn(0);

    Send(WM_STRIP_LEVEL, 0, 450);
    EXPECT_EQ(Output(0).GetGain(), 450);
    EXPECT_EQ(Output(0).GetOn(), 1);
    EXPECT_EQ(Strip(0).m_bOn, 1);
    // The other member shows its own output's gain.
    EXPECT_EQ(Strip(1).m_nLevel, Output(1).GetGain());

    // The same level: the mute stays.
    Output(0).SetOn(0);
    Strip(0).SetOutputOn(0);
    Send(WM_STRIP_LEVEL, 0, 450);
    EXPECT_EQ(Output(0).GetOn(), 0);
    EXPECT_EQ(Strip(0).m_bOn, 0);
}

TEST_F(StripHandlersTest, MutePolarityAndDelayReachTheOutput)
{
    struct Case {
        UINT message;
        LPARAM value;
        int on, polarity, delay;
    };
    Output(4).SetOn(1);
    Output(4).SetPolarity(0);
    Output(4).SetDelay(0);
    const Case cases[] = {
        {WM_STRIP_MUTE, 0, 0, 0, 0},
        {WM_STRIP_POLARITY, 1, 0, 1, 0},
        // The strip counts half the delay word.
        {WM_STRIP_DELAY, 120, 0, 1, 240},
        {WM_STRIP_MUTE, 1, 1, 1, 240},
    };
    for (const Case& c : cases) {
        Send(c.message, 4, c.value);
        EXPECT_EQ(Output(4).GetOn(), c.on) << c.message;
        EXPECT_EQ(Output(4).GetPolarity(), c.polarity) << c.message;
        EXPECT_EQ(Output(4).GetDelay(), c.delay) << c.message;
    }
    EXPECT_TRUE(DrainQueue().empty());
}

TEST_F(StripHandlersTest, ASourceComesOnAtItsRememberedLevelOr100)
{
    // Sources 3 (through the output page) and 12 (straight to the output).
    for (const int source : {3, 12}) {
        const UINT message = WM_STRIP_SOURCE1 + UINT(source - 1);
        Column(2).m_nLevel[source - 1] = 0;
        Output(2).SetMixLevel(source, 0);

        Send(message, 2, 1);
        EXPECT_EQ(Output(2).GetMixLevel(source), 100) << source;
        EXPECT_EQ(Column(2).RowLevel(source), 100) << source;
        EXPECT_EQ(View()->m_outputPage.m_nMixLevel[source - 1], 100) << source;

        // Set to 40 on the column, off, on: 40 again.
        Column(2).m_nLevel[source - 1] = 40;
        Send(message, 2, 0);
        EXPECT_EQ(Output(2).GetMixLevel(source), 0) << source;
        EXPECT_EQ(Column(2).RowLevel(source), 0) << source;
        EXPECT_EQ(Column(2).m_nLevel[source - 1], 40) << source;
        Send(message, 2, 1);
        EXPECT_EQ(Output(2).GetMixLevel(source), 40) << source;
        EXPECT_EQ(Column(2).RowLevel(source), 40) << source;
    }
}

TEST_F(StripHandlersTest, ASpeakerTypeMovesThePositionCrossoverAndMixDefaults)
{
    for (const bool connected : {false, true}) {
        if (connected)
            ConnectWithoutDevice();
        const int output = connected ? 9 : 8;
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_byOutputPosition[output] = 0;
            g_OutputMap[output] = 0;
        }
        // 22: the left sub, the odd (left) sources.
        Send(WM_STRIP_SPEAKER_TYPE, WPARAM(output), 22);
        EXPECT_EQ(g_byOutputPosition[output], 22);
        EXPECT_EQ(g_OutputMap[output], 22);
        EXPECT_EQ(Output(output).GetSpeakerPosition(), 22);
        EXPECT_EQ(Strip(output).m_btnSpeakerType.text(), COutRouteDlg::SpeakerTypeText(22, g_bChinese));
        for (int row = 1; row <= 16; ++row) {
            EXPECT_EQ(Output(output).GetMixLevel(row), row % 2 == 1 ? 100 : 0) << row;
            EXPECT_EQ(Column(output).RowLevel(row), row % 2 == 1 ? 100 : 0) << row;
        }
        // Connected: both speaker-map items and the crossover record.
        const std::vector<int> expected = connected ? std::vector<int>{6, 7, 100 + BLOCK_OUTPUT} : std::vector<int>{};
        EXPECT_EQ(QueuedKinds(), expected) << connected;
    }
}

TEST_F(StripHandlersTest, TheMasterVolumeIsStoredForTheModeAndSentUnlessUnchanged)
{
    ConnectWithoutDevice();
    CGainDlg& panel = View()->m_masterPanel;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byInputMode = 1;
        g_SystemBytes[3] = 20;
        g_byMasterOn = 0;
    }
    panel.m_btnMute.SetCheck(true);

    // The same volume: nothing sent, nothing un-muted.
    panel.SetVolume(20);
    Send(WM_MASTER_VOLUME_CHANGED, 0, 20);
    EXPECT_TRUE(View()->IsHoldingStatus());
    EXPECT_TRUE(QueuedKinds().empty());
    EXPECT_EQ(g_byMasterOn, 0);
    EXPECT_TRUE(panel.m_btnMute.GetCheck());

    panel.SetVolume(35);
    Send(WM_MASTER_VOLUME_CHANGED, 0, 35);
    EXPECT_EQ(g_SystemBytes[3], 35);
    EXPECT_EQ(g_byMasterOn, 1);
    EXPECT_FALSE(panel.m_btnMute.GetCheck());
    EXPECT_TRUE(g_bSendSysItem5);
    EXPECT_EQ(QueuedKinds(), std::vector<int>{2});
}

TEST_F(StripHandlersTest, TheOutputPageTakesThePanelsVolumeIntoTheMasterLevelWord)
{
    CGainDlg& panel = View()->m_masterPanel;
    COutputDlg& page = View()->m_outputPage;
    ASSERT_EQ(page.m_gainPanel, &panel);
    for (const bool connected : {false, true}) {
        SCOPED_TRACE(connected);
        if (connected)
            ConnectWithoutDevice();
        g_bSendSysItem5 = false;
        g_wMasterLevel = 60;
        g_byMasterOn = 0;

        // The word already holds the volume: the master stays off.
        panel.SetVolume(60);
        page.ApplyEmbeddedMasterVolume();
        EXPECT_EQ(g_byMasterOn, 0);
        EXPECT_FALSE(g_bSendSysItem5);

        panel.SetVolume(45);
        page.ApplyEmbeddedMasterVolume();
        EXPECT_EQ(int(g_wMasterLevel), 45);
        EXPECT_EQ(g_SystemBytes[8], 45);
        EXPECT_EQ(g_SystemBytes[9], 0);
        EXPECT_EQ(g_byMasterOn, 1);
        // System item 5 goes out with the next change scan, only when
        // connected; nothing is queued.
        EXPECT_EQ(g_bSendSysItem5, connected);
        EXPECT_TRUE(QueuedKinds().empty());
    }
}

TEST_F(StripHandlersTest, TheMixerAndPageSwapButtonsSwitchThePages)
{
    CBrelinView& v = *View();
    v.m_mixPage.m_nHighlightRow = 5;
    Click(CBrelinView::IDC_MIXER);
    EXPECT_TRUE(v.m_btnMixer.GetCheck());
    EXPECT_TRUE(v.m_mixPage.isVisible());
    EXPECT_FALSE(v.m_outputPage.isVisible());
    EXPECT_EQ(v.m_mixPage.m_nHighlightRow, 0);
    Click(CBrelinView::IDC_MIXER);
    EXPECT_FALSE(v.m_btnMixer.GetCheck());
    EXPECT_FALSE(v.m_mixPage.isVisible());
    EXPECT_TRUE(v.m_outputPage.isVisible());

    // The hidden swap button clears no highlight.
    v.m_mixPage.m_nHighlightRow = 5;
    Click(CBrelinView::IDC_PAGE_SWAP);
    EXPECT_TRUE(v.m_btnPageSwap.GetCheck());
    EXPECT_TRUE(v.m_mixPage.isVisible());
    EXPECT_FALSE(v.m_outputPage.isVisible());
    EXPECT_EQ(v.m_mixPage.m_nHighlightRow, 5);
    Click(CBrelinView::IDC_PAGE_SWAP);
    EXPECT_TRUE(v.m_outputPage.isVisible());

    // The panel's mixer toggle.
    Send(WM_MIXER_TOGGLED, 0, 1);
    EXPECT_TRUE(v.m_mixPage.isVisible());
    Send(WM_MIXER_TOGGLED, 0, 0);
    EXPECT_FALSE(v.m_mixPage.isVisible());
}

TEST_F(StripHandlersTest, TheSwitch31ButtonTogglesItsByteAndSendsItem7)
{
    for (const bool connected : {false, true}) {
        if (connected)
            ConnectWithoutDevice();
        for (const int expected : {1, 0}) {
            Click(CBrelinView::IDC_SWITCH31);
            EXPECT_EQ(g_SystemBytes[31], expected);
            EXPECT_EQ(View()->m_btnSwitch31.GetCheck(), expected == 1);
            EXPECT_EQ(QueuedKinds(), connected ? std::vector<int>{7} : std::vector<int>{}) << connected;
        }
    }
}

TEST_F(StripHandlersTest, AMixLevelLightsItsSourceOnTheStrip)
{
    MixCellRef cell{6, 0};
    Send(WM_MIX_LEVEL_NOTIFY, WPARAM(&cell), 55);
    EXPECT_EQ(Strip(6).m_abSource[0], 1);
    cell.nRow = 15;
    Send(WM_MIX_LEVEL_NOTIFY, WPARAM(&cell), 30);
    EXPECT_EQ(Strip(6).m_abSource[15], 1);
    Send(WM_MIX_LEVEL_NOTIFY, WPARAM(&cell), 0);
    EXPECT_EQ(Strip(6).m_abSource[15], 0);
}

TEST_F(StripHandlersTest, TheStripsOwnButtonsReachTheModelThroughTheView)
{
    View()->OnStripSelect(0);
    Output(10).SetOn(1);
    Output(10).SetPolarity(0);
    Output(10).SetMixLevel(9, 0);
    Column(10).m_nLevel[8] = 0;
    Strip(10).SetOutputOn(1);
    Strip(10).SetPolarity(0);
    Strip(10).SetSource(9, 0);
    // The user clicks mute, polarity, source 9 and the select button.
    Strip(10).OnMuteButton();
    Strip(10).OnPolarityButton();
    Strip(10).OnSourceButton(9);
    Strip(10).OnSelectButton();
    View()->DeliverPosted();
    EXPECT_EQ(Output(10).GetOn(), 0);
    EXPECT_EQ(Output(10).GetPolarity(), 1);
    EXPECT_EQ(Output(10).GetMixLevel(9), 100);
    EXPECT_EQ(Column(10).RowLevel(9), 100);
    EXPECT_EQ(g_nCurOutput, 10);
    EXPECT_EQ(SelectedStrips(), std::vector<int>{10});
}

TEST_F(StripHandlersTest, MessagesOutOfRangeChangeNothing)
{
    View()->OnStripSelect(0);
    Output(0).SetOn(1);
    const QByteArray before(reinterpret_cast<const char*>(g_SpeakerPositionTable), POSITION_TABLE_SIZE);
    const int sources = Strip(0).m_abSource[0];
    MixCellRef outside[] = {{12, 0}, {-1, 0}, {0, 16}, {0, -1}};
    for (const MixCellRef& cell : outside)
        Send(WM_MIX_LEVEL_NOTIFY, WPARAM(&cell), 50);
    Send(WM_MIX_LEVEL_NOTIFY, 0, 50);
    for (const WPARAM output : {WPARAM(12), WPARAM(-1)}) {
        for (const UINT message : {UINT(WM_STRIP_MUTE), UINT(WM_STRIP_SELECT), UINT(WM_STRIP_LEVEL),
                                   UINT(WM_STRIP_POLARITY), UINT(WM_STRIP_DELAY), UINT(WM_STRIP_SOURCE1),
                                   UINT(WM_STRIP_SOURCE16), UINT(WM_STRIP_SPEAKER_TYPE),
                                   UINT(WM_MIX_APPLY_SPEAKER_DEFAULTS), UINT(WM_MIX_SELECT_OUTPUT)})
            Send(message, output, 1);
    }
    // A code beyond the last position.
    Send(WM_STRIP_SPEAKER_TYPE, 0, 25);
    EXPECT_EQ(g_nCurOutput, 0);
    EXPECT_EQ(Output(0).GetOn(), 1);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(g_SpeakerPositionTable), POSITION_TABLE_SIZE), before);
    EXPECT_EQ(Strip(0).m_abSource[0], sources);
    EXPECT_TRUE(DrainQueue().empty());
}

TEST_F(StripHandlersTest, LeftRightPairsAreCopiedBetweenTheTransferMutes)
{
    ConnectWithoutDevice();
    for (SpeakerPair& pair : g_LeftRightPairs)
        pair.bUsed = 0;
    // No pair: only the mute and the unmute, and FALSE.
    EXPECT_FALSE(View()->SyncLinkedOutputPairs(0));
    EXPECT_EQ(QueuedKinds(), (std::vector<int>{5, 5}));

    g_LeftRightPairs[0] = {0, 1, 1};
    g_LeftRightPairs[1] = {2, 3, 1};
    SetGroups({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    Output(1).SetGain(123);
    Output(3).SetGain(321);
    // Right to left: 1 onto 0, 3 onto 2.
    EXPECT_TRUE(View()->SyncLinkedOutputPairs(1));
    EXPECT_EQ(g_nLinkGroup[0], 1);
    EXPECT_EQ(g_nLinkGroup[2], 3);
    EXPECT_EQ(Output(0).GetGain(), 123);
    EXPECT_EQ(Output(2).GetGain(), 321);
    EXPECT_EQ(QueuedKinds(), (std::vector<int>{5, 100 + BLOCK_OUTPUT, 100 + BLOCK_OUTPUT, 5}));
    SetGroups({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
}

TEST_F(StripHandlersTest, AGroupsLinkButtonsAgreeAndItsStripsFollowTheLevel)
{
    SetGroups({0, 0, 0, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    Output(1).SetGain(510);
    Strip(2).m_btnLink.SetCheck(true);
    View()->SyncLinkGroupStrips(1, 0);
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_EQ(Strip(i).m_btnLink.GetCheck(), i < 3) << i;
    EXPECT_EQ(Strip(0).m_nLevel, 510);
    EXPECT_EQ(Strip(2).m_nLevel, 510);
    // None checked: all unchecked.
    for (int i = 0; i < 3; ++i)
        Strip(i).m_btnLink.SetCheck(false);
    Strip(3).m_btnLink.SetCheck(true);
    View()->SyncLinkGroupStrips(1, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(Strip(i).m_btnLink.GetCheck()) << i;
    EXPECT_TRUE(Strip(3).m_btnLink.GetCheck());
    SetGroups({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
}

}  // namespace
