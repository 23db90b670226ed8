// The input page beside the real level-and-delay page: a kind chosen on
// either reaches the other, the lock byte travels both ways, the view's
// stale device status is dropped on a kind change, and a destroyed input
// page is never reached again.
#include "model/LinkState.h"
#include "pages/output/Level_Delay_Dlg.h"
#include "tests/pages/input/InPutDlgFixture.h"

namespace {

class InPutDlgLevelDelayTest : public InPutDlgTest {
protected:
    void TearDown() override
    {
        other.reset();
        InPutDlgTest::TearDown();
    }

    CLevel_Delay_Dlg& OpenOther()
    {
        other = std::make_unique<CLevel_Delay_Dlg>();
        other->m_pView = m_pView;
        other->m_pData = m_pData;
        other->Create(&otherHost);
        otherHost.resize(1300, 700);
        otherHost.show();
        other->RefreshAll();
        other->RefreshInputArea();
        PumpBoth();
        Settle();
        return *other;
    }
    void PumpBoth()
    {
        for (int round = 0; round < 5; ++round) {
            Pump();
            if (other)
                other->DeliverPosted();
        }
    }
    std::vector<bool> OtherChecked() const
    {
        std::vector<bool> checked;
        for (int k = 0; k < CLevel_Delay_Dlg::MUSIC_COLUMNS; ++k)
            checked.push_back(other->m_btnKind[size_t(k)].GetCheck());
        return checked;
    }

    QWidget otherHost;
    std::unique_ptr<CLevel_Delay_Dlg> other;
};

TEST_F(InPutDlgLevelDelayTest, AKindOnTheInputPageReachesTheOtherPage)
{
    SetKind(1);
    CInPutDlg& p = Open();
    CLevel_Delay_Dlg& o = OpenOther();
    ASSERT_EQ(OtherChecked(), (std::vector<bool>{false, true, false, false}));
    Command(CInPutDlg::IDC_KIND0 + 3);
    PumpBoth();
    EXPECT_EQ(OtherChecked(), (std::vector<bool>{false, false, false, true}));
    EXPECT_TRUE(p.m_btnKind[3].GetCheck());
    (void)o;
}

TEST_F(InPutDlgLevelDelayTest, AKindOnTheOtherPageReachesTheInputPage)
{
    SetKind(1);
    CInPutDlg& p = Open();
    CLevel_Delay_Dlg& o = OpenOther();
    p.SelectMixerSource(3);
    Settle();
    SendMessage(&o, WM_COMMAND, CLevel_Delay_Dlg::IDC_KIND0 + 2, 0);
    PumpBoth();
    EXPECT_EQ(g_nInputMode, 2);
    EXPECT_TRUE(p.m_btnKind[2].GetCheck());
    EXPECT_FALSE(p.m_btnKind[1].GetCheck());
    EXPECT_TRUE(p.ModeBar().Button(CInMode_Dlg::IDC_PHONE)->GetCheck());
    EXPECT_EQ(p.Graph().GetChannelCode(), 2);
    // Phone's row disables AUX1: the source went off through the peer call.
    EXPECT_EQ(g_InputSourceTable.m_nCurrentSource, 6);
    EXPECT_EQ(g_byInputSource, 255);
    EXPECT_EQ(p.m_btnSource.CurrentBitmapId(), 3126u);
}

TEST_F(InPutDlgLevelDelayTest, TheLockByteTravelsBothWays)
{
    SetKind(1);
    g_SystemBytes[CInPutDlg::LOCK_BYTE] = 1;
    CInPutDlg& p = Open();
    CLevel_Delay_Dlg& o = OpenOther();
    p.ApplyLockState();
    o.RefreshKindBitmaps();
    ASSERT_EQ(o.m_btnKind[1].CurrentBitmapId(), 4841u);
    // Cleared on the input page: the other page's faces lose the lock.
    Command(CInPutDlg::IDC_KIND0 + 3);
    PumpBoth();
    EXPECT_EQ(g_SystemBytes[CInPutDlg::LOCK_BYTE], 0);
    EXPECT_EQ(o.m_btnKind[3].CurrentBitmapId(), 4833u);

    // Cleared on the other page: the input page's EQ comes back.
    g_SystemBytes[CInPutDlg::LOCK_BYTE] = 1;
    p.ApplyLockState();
    ASSERT_FALSE(p.m_editGain[0].isEnabled());
    Settle();
    SendMessage(&o, WM_COMMAND, CLevel_Delay_Dlg::IDC_KIND0 + 1, 0);
    PumpBoth();
    EXPECT_EQ(g_SystemBytes[CInPutDlg::LOCK_BYTE], 0);
    EXPECT_TRUE(p.m_editGain[0].isEnabled());
    EXPECT_TRUE(p.Graph().isEnabled());
    EXPECT_EQ(p.m_btnKind[1].CurrentBitmapId(), 8121u);
    EXPECT_EQ(g_nInputMode, 1);
}

TEST_F(InPutDlgLevelDelayTest, AStaleDeviceStatusIsDroppedAndTheRestDelivered)
{
    SetKind(1);
    Open();
    // A status that would take the kind back to 5, and a notice whose
    // handling shows a box.
    g_nDeviceStatus[0] = 5;
    PostMessage(m_pView, WM_DEVICE_STATUS, 0, 0);
    PostMessage(m_pView, WM_ALL_PRESETS_SAVES_DROPPED, 0, 0);
    m_boxes.shown.clear();
    Command(CInPutDlg::IDC_KIND0 + 3);
    EXPECT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(g_SystemBytes[0], 3);
    EXPECT_EQ(g_nInputMode, 3);
}

TEST_F(InPutDlgLevelDelayTest, ADestroyedInputPageIsNeverReachedAgain)
{
    SetKind(1);
    Open();
    CLevel_Delay_Dlg& o = OpenOther();
    page.reset();
    EXPECT_EQ(g_pInPutDlg, nullptr);
    SendMessage(&o, WM_COMMAND, CLevel_Delay_Dlg::IDC_KIND0 + 3, 0);
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
        o.DeliverPosted();
    }
    EXPECT_EQ(g_nInputMode, 3);
    EXPECT_EQ(TakeQueued().size(), 1u);
    // And the other way: the level-and-delay page gone, the input page
    // posts nowhere.
    other.reset();
    EXPECT_EQ(g_pLevelDelayDlg, nullptr);
    CInPutDlg& p = Open();
    Command(CInPutDlg::IDC_KIND0 + 1);
    EXPECT_EQ(g_nInputMode, 1);
    EXPECT_TRUE(p.m_btnKind[1].GetCheck());
}

}  // namespace
