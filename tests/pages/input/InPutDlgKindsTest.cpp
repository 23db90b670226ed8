// The input page's kinds, AUX modes, Hi.Level modes and mixer sources:
// the globals and system bytes they write, the system items they queue, the
// lock byte they clear, the source menu and the kinds without a channel.
#include <QAction>
#include <QMenu>

#include "tests/common/RecordingTarget.h"
#include "tests/pages/input/InPutDlgFixture.h"

namespace {

using Frames = std::vector<std::vector<BYTE>>;

// System item 5 with the lock byte clear and the master on.
const char* const kInputItem5 = "09 05 00 00 00 08 00 3C 00 00 37 00 00 01 00 AE AA";

TEST_F(InPutDlgTest, AKindButtonSetsTheKindAndQueuesItem2)
{
    SetKind(1);
    CInPutDlg& p = Open();
    Command(CInPutDlg::IDC_KIND0 + 3);
    EXPECT_EQ(g_nInputMode, 3);
    EXPECT_EQ(g_byInputMode, 3);
    EXPECT_EQ(TakeQueued(), Frames{Frame("09 02 00 00 00 08 00 03 00 3C 3C 3C 3C 3C 3C A0 AA")});
    EXPECT_TRUE(p.m_btnKind[3].GetCheck());
    EXPECT_FALSE(p.m_btnKind[1].GetCheck());
    EXPECT_TRUE(p.ModeBar().Button(CInMode_Dlg::IDC_AUX1_PAIR)->GetCheck());
    EXPECT_FALSE(p.ModeBar().Button(CInMode_Dlg::IDC_HI_LEVEL)->GetCheck());
    EXPECT_EQ(p.Graph().GetChannelCode(), 3);
    EXPECT_EQ(p.m_btnKindImage.CurrentBitmapId(), 455u);
    // The current kind again: nothing.
    Command(CInPutDlg::IDC_KIND0 + 3);
    EXPECT_TRUE(TakeQueued().empty());
    EXPECT_TRUE(p.m_btnKind[3].GetCheck());
}

TEST_F(InPutDlgTest, ALockedPageIsUnlockedByAKindChange)
{
    SetKind(1);
    g_SystemBytes[CInPutDlg::LOCK_BYTE] = 1;
    CInPutDlg& p = Open();
    p.ApplyLockState();
    EXPECT_FALSE(p.m_btnAllBypass.isEnabled());
    EXPECT_FALSE(p.m_editGain[3].isEnabled());
    EXPECT_FALSE(p.m_sldGain[3].IsEnable());
    EXPECT_FALSE(p.Graph().isEnabled());
    EXPECT_EQ(p.m_btnKind[1].CurrentBitmapId(), 8211u);
    Command(CInPutDlg::IDC_KIND0 + 3);
    EXPECT_EQ(g_SystemBytes[CInPutDlg::LOCK_BYTE], 0);
    const Frames queued = TakeQueued();
    ASSERT_EQ(queued.size(), 2u);
    EXPECT_EQ(queued[0], Frame(kInputItem5));
    EXPECT_EQ(queued[1], Frame("09 02 00 00 00 08 00 03 00 3C 3C 3C 3C 3C 3C A0 AA"));
    EXPECT_TRUE(p.m_btnAllBypass.isEnabled());
    EXPECT_TRUE(p.m_editGain[3].isEnabled());
    EXPECT_TRUE(p.Graph().isEnabled());
    EXPECT_EQ(p.m_btnKind[3].CurrentBitmapId(), 8123u);
    EXPECT_FALSE(p.m_btnSource.GetCheck());
}

TEST_F(InPutDlgTest, AuxModesFitTheKindAndHideTheirKinds)
{
    SetKind(4);
    CInPutDlg& p = Open();
    Command(CInPutDlg::IDC_AUX_MODE0 + 2);
    EXPECT_EQ(g_nInputMode, 3);
    EXPECT_EQ(g_nSourceTable, 2);
    EXPECT_EQ(g_SystemBytes[1], 2);
    EXPECT_EQ(TakeQueued(), Frames{Frame("09 02 00 00 00 08 00 03 02 3C 3C 3C 3C 3C 3C A2 AA")});
    EXPECT_FALSE(p.m_btnKind[4].isVisibleTo(&p));
    EXPECT_FALSE(p.m_btnKind[5].isVisibleTo(&p));
    EXPECT_TRUE(p.m_btnAuxMode[2].GetCheck());
    EXPECT_FALSE(p.m_btnAuxMode[0].GetCheck());
    EXPECT_TRUE(p.ModeBar().Button(CInMode_Dlg::IDC_AUX1_SIX)->isVisibleTo(&p.ModeBar()));
    EXPECT_TRUE(p.ModeBar().Button(CInMode_Dlg::IDC_AUX1_SIX)->GetCheck());
    EXPECT_FALSE(p.ModeBar().Button(CInMode_Dlg::IDC_AUX1_PAIR)->isVisibleTo(&p.ModeBar()));
    // Back to mode 0: both kinds show again and the kind stays AUX1.
    Command(CInPutDlg::IDC_AUX_MODE0);
    EXPECT_EQ(g_nInputMode, 3);
    EXPECT_EQ(g_nSourceTable, 0);
    EXPECT_TRUE(p.m_btnKind[4].isVisibleTo(&p));
    EXPECT_TRUE(p.m_btnKind[5].isVisibleTo(&p));
    EXPECT_EQ(TakeQueued().size(), 1u);
    // Mode 1 hides the sixth kind only and turns AUX3 into AUX1.
    Command(CInPutDlg::IDC_KIND0 + 5);
    Command(CInPutDlg::IDC_AUX_MODE0 + 1);
    EXPECT_EQ(g_nInputMode, 3);
    EXPECT_TRUE(p.m_btnKind[4].isVisibleTo(&p));
    EXPECT_FALSE(p.m_btnKind[5].isVisibleTo(&p));
    // The current mode again: nothing more.
    TakeQueued();
    Command(CInPutDlg::IDC_AUX_MODE0 + 1);
    EXPECT_TRUE(TakeQueued().empty());
}

TEST_F(InPutDlgTest, TheSourceMenuOffersTheKindsRowAndStoresTheChoice)
{
    SetKind(1);
    CInPutDlg& p = Open();
    std::vector<bool> enabled;
    QStringList texts;
    UINT answer = 0;
    SetPopupMenuHandler([&](QMenu& menu, const QPoint&, QWidget*) {
        enabled.clear();
        texts.clear();
        for (QAction* action : menu.actions()) {
            enabled.push_back(action->isEnabled());
            texts.push_back(action->text());
        }
        return answer;
    });
    // Hi.Level in AUX mode 0: S/PDIF, Phone, AUX1 and off.
    answer = 175;  // greyed: never chosen
    Command(CInPutDlg::IDC_SOURCE);
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, true, false, false, true}));
    EXPECT_EQ(texts, (QStringList{"S/PDIF", "Hi.Level", "Phone", "AUX1", "AUX2", "AUX3", "OFF"}));
    EXPECT_EQ(g_InputSourceTable.m_nCurrentSource, 6);
    EXPECT_TRUE(TakeQueued().empty());
    answer = 177;
    Command(CInPutDlg::IDC_SOURCE);
    EXPECT_EQ(g_InputSourceTable.m_nCurrentSource, 3);
    EXPECT_EQ(g_byInputSource, 3);
    EXPECT_EQ(p.m_btnSource.CurrentBitmapId(), 3123u);
    EXPECT_EQ(TakeQueued().size(), 1u);
    // The current source again queues nothing.
    Command(CInPutDlg::IDC_SOURCE);
    EXPECT_TRUE(TakeQueued().empty());
    // Off stores 255.
    answer = 180;
    Command(CInPutDlg::IDC_SOURCE);
    EXPECT_EQ(g_byInputSource, 255);
    EXPECT_EQ(p.m_btnSource.CurrentBitmapId(), 3126u);
    // Chinese texts.
    g_bChinese = true;
    answer = 0;
    Command(CInPutDlg::IDC_SOURCE);
    EXPECT_EQ(texts, (QStringList{"数字", "高电平", "蓝牙", "AUX1", "AUX2", "AUX3", "关闭"}));
    // Another kind's row: Phone offers S/PDIF, Hi.Level and the AUX2-3 pair.
    g_bChinese = false;
    Command(CInPutDlg::IDC_KIND0 + 2);
    Command(CInPutDlg::IDC_SOURCE);
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, false, false, true, true, true}));
}

TEST_F(InPutDlgTest, AKindThatDisablesTheSourceTurnsItOff)
{
    SetKind(1);
    CInPutDlg& p = Open();
    p.SelectMixerSource(3);
    TakeQueued();
    Command(CInPutDlg::IDC_KIND0 + 3);
    EXPECT_EQ(g_InputSourceTable.m_nCurrentSource, 6);
    EXPECT_EQ(g_byInputSource, 255);
    EXPECT_EQ(p.m_btnSource.CurrentBitmapId(), 3126u);
}

TEST_F(InPutDlgTest, HiLevelModesSetByte34)
{
    SetKind(1);
    CInPutDlg& p = Open();
    ASSERT_EQ(g_byHiLevelMode, 0);
    EXPECT_TRUE(p.m_btnHiLevel1Way.GetCheck());
    Command(CInPutDlg::IDC_HI_LEVEL_1WAY);
    EXPECT_TRUE(TakeQueued().empty());
    Command(CInPutDlg::IDC_HI_LEVEL_2WAY);
    EXPECT_EQ(g_SystemBytes[34], 1);
    EXPECT_TRUE(p.m_btnHiLevel2Way.GetCheck());
    EXPECT_FALSE(p.m_btnHiLevel1Way.GetCheck());
    // Item 2 carries bytes 0 to 7 only.
    EXPECT_EQ(TakeQueued(), Frames{Frame("09 02 00 00 00 08 00 01 00 3C 3C 3C 3C 3C 3C A2 AA")});
    Command(CInPutDlg::IDC_HI_LEVEL_1WAY);
    EXPECT_EQ(g_byHiLevelMode, 0);
    EXPECT_EQ(TakeQueued().size(), 1u);
}

TEST_F(InPutDlgTest, DisconnectedTheGlobalsChangeAndNothingIsQueued)
{
    SetKind(1);
    CInPutDlg& p = Open();
    m_pView->DeviceLink().StopIoWorker(true);
    ASSERT_FALSE(m_pView->IsConnected());
    Command(CInPutDlg::IDC_KIND0);
    Command(CInPutDlg::IDC_AUX_MODE0 + 1);
    Command(CInPutDlg::IDC_HI_LEVEL_2WAY);
    EXPECT_EQ(g_nInputMode, 0);
    EXPECT_EQ(g_nSourceTable, 1);
    EXPECT_EQ(g_byHiLevelMode, 1);
    EXPECT_TRUE(TakeQueued().empty());
    EXPECT_TRUE(p.m_btnKind[0].GetCheck());
}

TEST_F(InPutDlgTest, KindsWithoutAChannelKeepTheEqAway)
{
    SetKind(3);
    CInPutDlg& p = Open();
    for (int kind : {4, 5}) {
        SCOPED_TRACE(kind);
        Command(CInPutDlg::IDC_KIND0 + kind);
        EXPECT_EQ(g_nInputMode, kind);
        EXPECT_EQ(TakeQueued().size(), 1u);
        EXPECT_EQ(p.Graph().GetDrawMode(), CFStatic::DRAW_NONE);
        EXPECT_FALSE(p.Graph().isEnabled());
        EXPECT_FALSE(p.m_btnAllBypass.isEnabled());
        EXPECT_FALSE(p.m_btnEqMode.isEnabled());
        EXPECT_FALSE(p.m_btnResetEq.isEnabled());
        EXPECT_FALSE(p.m_editGain[0].isEnabled());
        EXPECT_FALSE(p.m_btnBypass[0].isEnabled());
        EXPECT_EQ(p.m_btnKindImage.CurrentBitmapId(), UINT(452 + kind));
        // Band handlers, graph messages and EQ buttons do nothing.
        CMessageBoxSpy yes(IDYES);
        for (int id : std::initializer_list<int>{CInPutDlg::IDC_GAIN_EDIT0 + 2, CInPutDlg::IDC_BYPASS0 + 2, CInPutDlg::IDC_ALL_BYPASS,
                       CInPutDlg::IDC_RESET_EQ, CInPutDlg::IDC_EQ_MODE})
            Command(id);
        SendMessage(&p, WM_SLIDER_MOVED, CInPutDlg::IDC_FADER0 + 2, 0);
        SendMessage(&p, WM_GRAPH_CHANGED, 2, kind);
        SendMessage(&p, WM_GRAPH_FOCUS_BAND, 2, kind);
        EXPECT_TRUE(yes.shown.empty());
        EXPECT_TRUE(TakeQueued().empty());
        EXPECT_TRUE(Scan().empty());
        // AUX mode and Hi.Level still work.
        Command(CInPutDlg::IDC_HI_LEVEL_2WAY);
        Command(CInPutDlg::IDC_HI_LEVEL_1WAY);
        EXPECT_EQ(TakeQueued().size(), 2u);
    }
    // Back to a kind with a channel: the EQ is there again.
    Command(CInPutDlg::IDC_KIND0 + 1);
    EXPECT_TRUE(p.Graph().isEnabled());
    EXPECT_TRUE(p.m_editGain[0].isEnabled());
    EXPECT_EQ(p.Graph().GetDrawMode(), CFStatic::DRAW_MUSIC);
}

TEST_F(InPutDlgTest, OwnerCallsAndStrayKindsOrTables)
{
    SetKind(1);
    CInPutDlg& p = Open();
    p.SetKindAndTable(1, 4);
    EXPECT_EQ(g_nInputMode, 4);
    EXPECT_EQ(g_nSourceTable, 1);
    EXPECT_EQ(g_SystemBytes[1], 1);
    EXPECT_EQ(TakeQueued().size(), 1u);
    EXPECT_FALSE(p.m_btnKind[5].isVisibleTo(&p));
    EXPECT_TRUE(p.m_btnKind[4].GetCheck());
    // Out of range: nothing.
    p.SetKindAndTable(3, 1);
    p.SetKindAndTable(0, 6);
    SendMessage(&p, WM_INPUT_KIND_SELECT, 0, 7);
    SendMessage(&p, WM_INPUT_KIND_CHANGED, 0, -1);
    Command(CInPutDlg::IDC_AUX_MODE0 + 3);
    EXPECT_EQ(g_nInputMode, 4);
    EXPECT_EQ(g_nSourceTable, 1);
    EXPECT_TRUE(TakeQueued().empty());
    // A kind chosen elsewhere: adopted, nothing queued.
    SendMessage(&p, WM_INPUT_KIND_CHANGED, 0, 2);
    EXPECT_EQ(g_nInputMode, 2);
    EXPECT_TRUE(p.m_btnKind[2].GetCheck());
    EXPECT_FALSE(p.m_btnKind[4].GetCheck());
    EXPECT_TRUE(TakeQueued().empty());
}

// ---- The bar -------------------------------------------------------------------------------------

class InModeDlgTest : public InPutDlgTest {
protected:
    // The checked buttons of the bar.
    std::vector<UINT> Checked()
    {
        std::vector<UINT> ids;
        for (UINT id = 2704; id <= 2715; ++id)
            if (CBtnPng* b = page->ModeBar().Button(id); b != nullptr && b->GetCheck())
                ids.push_back(id);
        return ids;
    }
};

TEST_F(InModeDlgTest, CheckAndUncheckTheCurrentKind)
{
    Open();
    CInMode_Dlg& bar = page->ModeBar();
    struct Case {
        int kind, table;
        UINT checked;    // 0: none
        UINT unchecked;  // the button UncheckCurrentKind clears, 0: none
    };
    const Case cases[] = {
        {0, 0, 2705, 2705}, {1, 1, 2704, 2704}, {2, 2, 2715, 2715}, {3, 0, 2706, 2706}, {3, 1, 2710, 2710},
        {3, 2, 2713, 2713}, {4, 0, 2707, 2707}, {4, 1, 2711, 2711}, {4, 2, 2713, 2714}, {5, 0, 2708, 2708},
        {5, 1, 2710, 2712}, {5, 2, 0, 0},       {6, 0, 0, 2706},    {6, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " mode " << c.table);
        g_nInputMode = c.kind;
        g_nSourceTable = c.table;
        // Every button of the mode checked first: CheckCurrentKind leaves one.
        for (UINT id = 2704; id <= 2715; ++id)
            if (CBtnPng* b = bar.Button(id))
                b->SetCheck(true);
        bar.CheckCurrentKind();
        std::vector<UINT> expected;
        if (c.checked != 0)
            expected.push_back(c.checked);
        // UncheckAll leaves the other modes' buttons as they were.
        std::vector<UINT> got;
        for (UINT id : Checked()) {
            const bool otherMode = (c.table != 0 && (id >= 2706 && id <= 2708)) ||
                                   (c.table != 1 && (id >= 2710 && id <= 2712)) ||
                                   (c.table != 2 && (id == 2713 || id == 2714));
            if (!otherMode)
                got.push_back(id);
        }
        EXPECT_EQ(got, expected);
        for (UINT id = 2704; id <= 2715; ++id)
            if (CBtnPng* b = bar.Button(id))
                b->SetCheck(true);
        bar.UncheckCurrentKind();
        for (UINT id = 2704; id <= 2715; ++id) {
            if (CBtnPng* b = bar.Button(id)) {
                EXPECT_EQ(b->GetCheck(), id != c.unchecked) << id;
            }
        }
    }
}

TEST_F(InModeDlgTest, AuxButtonsOfEachMode)
{
    Open();
    CInMode_Dlg& bar = page->ModeBar();
    struct Case {
        int table;
        std::vector<UINT> shown;
    };
    const Case cases[] = {{0, {2706, 2707, 2708}}, {1, {2710, 2711}}, {2, {2713}}};
    for (const Case& c : cases) {
        g_nSourceTable = c.table;
        bar.ShowAuxButtons();
        std::vector<UINT> shown;
        for (UINT id : {2706u, 2707u, 2708u, 2710u, 2711u, 2712u, 2713u, 2714u})
            if (bar.Button(id)->isVisibleTo(&bar))
                shown.push_back(id);
        EXPECT_EQ(shown, c.shown) << c.table;
    }
}

TEST_F(InModeDlgTest, AClickPostsTheKindToTheOwner)
{
    SetKind(1);
    CInPutDlg& p = Open();
    CInMode_Dlg& bar = p.ModeBar();
    CRecordingTarget owner;
    bar.m_pOwner = &owner;
    QTest::mouseClick(bar.Button(CInMode_Dlg::IDC_AUX1_PAIR), Qt::LeftButton);
    ASSERT_EQ(owner.Messages(WM_INPUT_KIND_SELECT).size(), 0u);
    owner.DeliverPosted();
    auto posted = owner.Messages(WM_INPUT_KIND_SELECT);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, 0u);
    EXPECT_EQ(posted[0].lParam, 3);
    // The bar checked the clicked button and unchecked the current kind's;
    // the kind itself is the owner's to change.
    EXPECT_EQ(Checked(), std::vector<UINT>{2706});
    EXPECT_EQ(g_nInputMode, 1);
    // The current kind's button: posted again, no check changes.
    bar.CheckCurrentKind();
    owner.Clear();
    QTest::mouseClick(bar.Button(CInMode_Dlg::IDC_HI_LEVEL), Qt::LeftButton);
    owner.DeliverPosted();
    ASSERT_EQ(owner.Messages(WM_INPUT_KIND_SELECT).size(), 1u);
    EXPECT_EQ(owner.Messages(WM_INPUT_KIND_SELECT)[0].lParam, 1);
    EXPECT_EQ(Checked(), std::vector<UINT>{2704});
}

TEST_F(InModeDlgTest, TheBarsKindReachesThePage)
{
    SetKind(1);
    CInPutDlg& p = Open();
    QTest::mouseClick(p.ModeBar().Button(CInMode_Dlg::IDC_AUX2_PAIR), Qt::LeftButton);
    Pump();
    EXPECT_EQ(g_nInputMode, 4);
    EXPECT_TRUE(p.m_btnKind[4].GetCheck());
    EXPECT_EQ(TakeQueued().size(), 1u);
    // The current kind from the bar still queues and refreshes.
    QTest::mouseClick(p.ModeBar().Button(CInMode_Dlg::IDC_AUX2_PAIR), Qt::LeftButton);
    Pump();
    EXPECT_EQ(TakeQueued().size(), 1u);
    EXPECT_EQ(Checked(), std::vector<UINT>{2707});
}

TEST_F(InModeDlgTest, ChineseFacesButTheTwoHiddenButtons)
{
    g_bChinese = true;
    Open();
    CInMode_Dlg& bar = page->ModeBar();
    for (UINT id = 2704; id <= 2715; ++id) {
        CBtnPng* b = bar.Button(id);
        if (b == nullptr)
            continue;
        b->SetCheck(false);
        const bool hasChinese = id != 2712 && id != 2714;
        EXPECT_EQ(b->CurrentSlot(), hasChinese ? CBtnPng::CN_NORMAL : CBtnPng::NORMAL) << id;
    }
}

TEST_F(InModeDlgTest, KeysFocusTheBar)
{
    Open();
    CInMode_Dlg& bar = page->ModeBar();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab}) {
        bar.Button(CInMode_Dlg::IDC_HI_LEVEL)->setFocus(Qt::OtherFocusReason);
        Pump();
        Key(key);
        EXPECT_EQ(QApplication::focusWidget(), &bar) << key;
    }
}

}  // namespace
