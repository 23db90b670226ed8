// The level-and-delay page's input kinds: a kind chosen syncs the input
// page, clears a lock and queues the system items; the input page's
// messages re-check the buttons and re-skin them.
#include "tests/pages/output/LevelDelayEditFixture.h"

namespace {

class LevelDelayInputKind : public LevelDelayEditFixture {
protected:
    // Kind buttons 0 to 3 checked.
    std::vector<bool> Checked(const CLevel_Delay_Dlg& p) const
    {
        std::vector<bool> checked;
        for (int k = 0; k < CLevel_Delay_Dlg::MUSIC_COLUMNS; ++k)
            checked.push_back(p.m_btnKind[k].GetCheck());
        return checked;
    }
    std::vector<std::pair<WPARAM, LPARAM>> Syncs()
    {
        std::vector<std::pair<WPARAM, LPARAM>> syncs;
        peer.m_target.DeliverPosted();
        for (const auto& m : peer.m_target.Messages(WM_INPUT_KIND_SYNC))
            syncs.emplace_back(m.wParam, m.lParam);
        return syncs;
    }
};

TEST_F(LevelDelayInputKind, AnotherKindSyncsThePeerAndQueuesItemTwo)
{
    g_nInputMode = 1;
    g_byInputMode = 1;
    CLevel_Delay_Dlg& p = Open();
    p.SelectOutput(2);
    QTest::mouseClick(&p.m_btnKind[3], Qt::LeftButton);
    EXPECT_EQ((Syncs()), (std::vector<std::pair<WPARAM, LPARAM>>{{0, 1}}));
    EXPECT_EQ(peer.m_sourceButtons, (std::vector<std::pair<int, int>>{{3, 0}}));
    EXPECT_EQ(g_nInputMode, 3);
    EXPECT_EQ(g_byInputMode, 3);
    EXPECT_EQ(Checked(p), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(view.m_queued, (std::vector<std::pair<int, int>>{{2, 0}}));
    EXPECT_EQ(view.m_frames,
              std::vector<std::vector<BYTE>>{Frame("09 02 00 00 00 08 00 03 00 3C 3C 3C 3C 3C 3C A0 AA")});
    EXPECT_FALSE(p.ButtonOfPosition(g_byOutputPosition[2])->GetCheck()) << "the highlight is cleared";
    EXPECT_TRUE(Scan().empty());
}

TEST_F(LevelDelayInputKind, TheKindInForceWithALockOnlySyncsAndClearsTheLock)
{
    g_nInputMode = 1;
    g_SystemBytes[12] = 1;
    CLevel_Delay_Dlg& p = Open();
    p.RefreshKindBitmaps();
    EXPECT_EQ(p.m_btnKind[1].CurrentBitmapId(), 4841u) << "locked face";
    QTest::mouseClick(&p.m_btnKind[1], Qt::LeftButton);
    EXPECT_EQ((Syncs()), (std::vector<std::pair<WPARAM, LPARAM>>{{1, 1}}));
    EXPECT_EQ(g_SystemBytes[12], 0);
    EXPECT_EQ(view.m_queued, (std::vector<std::pair<int, int>>{{5, 0}}));
    EXPECT_TRUE(peer.m_sourceButtons.empty());
    EXPECT_EQ(p.m_btnKind[1].CurrentBitmapId(), 4831u) << "plain checked face";
    // Neither lock nor change: nothing queued.
    view.m_queued.clear();
    QTest::mouseClick(&p.m_btnKind[1], Qt::LeftButton);
    EXPECT_TRUE(view.m_queued.empty());

    // Without an input page nothing is posted; the change still happens.
    g_pInPutDlg = nullptr;
    peer.m_target.DeliverPosted();
    peer.m_target.Clear();
    QTest::mouseClick(&p.m_btnKind[0], Qt::LeftButton);
    EXPECT_TRUE(Syncs().empty());
    EXPECT_TRUE(peer.m_sourceButtons.empty());
    EXPECT_EQ(g_nInputMode, 0);
    EXPECT_EQ(view.m_queued, (std::vector<std::pair<int, int>>{{2, 0}}));
}

TEST_F(LevelDelayInputKind, TheInputPagesMessagesRecheckAndReskin)
{
    g_nInputMode = 2;
    CLevel_Delay_Dlg& p = Open();
    const std::vector<bool> kindTwo = {false, false, true, false};
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        BYTE lock;        // the page's own lock byte
        bool rechecked;   // kind buttons re-checked from g_nInputMode
        UINT checkedFace; // face of the checked button 2 afterwards
    };
    const Case cases[] = {
        {"changed to the kind in force", WM_INPUT_KIND_CHANGED, 0, 2, 0, true, 4832},
        {"changed to another kind", WM_INPUT_KIND_CHANGED, 0, 3, 0, false, 4832},
        {"sync, same lock and kind", WM_INPUT_KIND_SYNC, 0, 2, 0, false, 4832},
        {"sync, other kind", WM_INPUT_KIND_SYNC, 0, 1, 0, true, 4832},
        {"sync, other lock: re-skinned", WM_INPUT_KIND_SYNC, 0, 2, 1, false, 4842},
        {"sync, lock and kind differ", WM_INPUT_KIND_SYNC, 1, 0, 0, true, 4832},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_SystemBytes[12] = c.lock;
        p.RefreshInputArea();
        g_SystemBytes[12] = 0;
        p.RefreshKindBitmaps();
        g_SystemBytes[12] = c.lock;
        // A wrong check shows whether the buttons were re-checked.
        for (int k = 0; k < CLevel_Delay_Dlg::MUSIC_COLUMNS; ++k)
            p.m_btnKind[k].SetCheck(k == 0);
        PostMessage(&p, c.message, c.wParam, c.lParam);
        Pump();
        EXPECT_EQ(Checked(p), c.rechecked ? kindTwo : (std::vector<bool>{true, false, false, false}));
        p.m_btnKind[2].SetCheck(true);
        EXPECT_EQ(p.m_btnKind[2].CurrentBitmapId(), c.checkedFace);
    }
    EXPECT_TRUE(view.m_queued.empty());
}

TEST_F(LevelDelayInputKind, ChineseFacesFollowTheLock)
{
    g_bChinese = true;
    CLevel_Delay_Dlg& p = Open();
    for (BYTE lock : {0, 1}) {
        SCOPED_TRACE(int(lock));
        g_SystemBytes[12] = lock;
        p.RefreshKindBitmaps();
        for (int k = 0; k < CLevel_Delay_Dlg::MUSIC_COLUMNS; ++k) {
            p.m_btnKind[k].SetCheck(false);
            EXPECT_EQ(p.m_btnKind[k].CurrentBitmapId(), 4850u + k);
            p.m_btnKind[k].SetCheck(true);
            EXPECT_EQ(p.m_btnKind[k].CurrentBitmapId(), (lock == 0 ? 4870u : 4880u) + k);
        }
    }
}

}  // namespace
