// The level-and-delay page hosted on the running view's parameter set,
// the view linked over the network to the simulated device on 127.0.0.1:
// a master level, an output level, a delay, a step repeated on a linked
// speaker group and an input-kind change reach the device's live image
// and system bytes.
#include <gtest/gtest.h>

#include <QWidget>

#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/LinkState.h"
#include "model/SpeakerGroups.h"
#include "model/SystemWord.h"
#include "pages/output/Level_Delay_Dlg.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/app/AppStartFixture.h"

namespace {

class LevelDelaySim : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        // The device holds a locked input kind.
        g_SystemBytes[12] = 1;
        m_pView = StartAppLinkedToSimulator();
        ASSERT_NE(m_pView, nullptr);
    }
    void TearDown() override
    {
        m_page.reset();
        m_host.reset();
        AppStartTest::TearDown();
    }

    static bool PumpUntil(const std::function<bool()>& done) { return WaitFor(done, 30000); }

    CLevel_Delay_Dlg& HostPage()
    {
        m_host = std::make_unique<QWidget>();
        m_host->resize(1300, 700);
        m_page = std::make_unique<CLevel_Delay_Dlg>();
        m_page->m_pView = m_pView;
        m_page->m_pData = m_pView->AttachDataSet();
        m_page->Create(m_host.get());
        m_host->show();
        m_page->RefreshAll();
        m_page->RefreshInputArea();
        return *m_page;
    }

    // A word of output i's level-and-delay record in the device's live image.
    int DeviceOutputWord(int output, int at) const
    {
        const CSimState state = m_device.State();
        return GetWord(state.live.bytes + OutputBlockOffset(output) + OUTPUT_BASIC_RECORD * RECORD_SIZE + at);
    }
    int DeviceSystemByte(int at) const { return m_device.State().system[at]; }

    CBrelinView* m_pView = nullptr;
    std::unique_ptr<QWidget> m_host;
    std::unique_ptr<CLevel_Delay_Dlg> m_page;
};

TEST_F(LevelDelaySim, ThePagesEditsReachTheDevice)
{
    CLevel_Delay_Dlg& p = HostPage();
    const auto command = [&](UINT id) { SendMessage(&p, WM_COMMAND, id, 0); };

    // Master level.
    p.m_spinMaster.SetPos(50);
    command(CLevel_Delay_Dlg::IDC_MASTER_SPIN);
    EXPECT_TRUE(PumpUntil([&] { return DeviceSystemByte(8) == 50 && DeviceSystemByte(9) == 0; }));

    // Output level: gain word at bytes 2-3 of the record.
    p.m_spinOutputLevel[1].SetPos(540);
    command(CLevel_Delay_Dlg::IDC_OUTPUT_SPIN0 + 1);
    EXPECT_TRUE(PumpUntil([&] { return DeviceOutputWord(1, 2) == 540; }));

    // A delay on output 0: delay word at bytes 4-5.
    CNumSpin* spin0 = p.OutputRecord(0).spin;
    ASSERT_NE(spin0, nullptr);
    spin0->SetPos(96);
    command(UINT(GetDlgCtrlID(spin0)));
    EXPECT_TRUE(PumpUntil([&] { return DeviceOutputWord(0, 4) == 96; }));

    // The two subs (outputs 10 and 11) linked: a step on one moves both.
    command(CLevel_Delay_Dlg::IDC_LINK_SUBS);
    ASSERT_EQ(g_SpeakerGroups.m_nSubState, 1);
    CNumSpin* spin10 = p.OutputRecord(10).spin;
    ASSERT_NE(spin10, nullptr);
    spin10->StepBy(+1);
    EXPECT_TRUE(PumpUntil([&] { return DeviceOutputWord(10, 4) == 1 && DeviceOutputWord(11, 4) == 1; }));

    // Another input kind: the lock clears, the kind goes out.
    const int kind = g_nInputMode == 3 ? 1 : 3;
    command(CLevel_Delay_Dlg::IDC_KIND0 + kind);
    EXPECT_TRUE(PumpUntil([&] { return DeviceSystemByte(0) == kind && DeviceSystemByte(12) == 0; }));
    EXPECT_TRUE(m_boxes.shown.empty());
}

}  // namespace
