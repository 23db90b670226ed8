// The running view linked over the network to the simulated device on
// 127.0.0.1: a level set on the mix page, the master volume of the panel,
// its mute and the noise-gate switch reach the device's live image and
// system bytes.
#include <gtest/gtest.h>

#include <QTest>

#include "model/DataDefine.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/WindowMessages.h"
#include "pages/input/GainDlg.h"
#include "pages/input/InputNoiseDlg.h"
#include "pages/input/RouteMixCom.h"
#include "platform/core/SystemMessages.h"
#include "tests/app/AppStartFixture.h"

namespace {

class MixMasterSim : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        m_pView = StartAppLinkedToSimulator();
        ASSERT_NE(m_pView, nullptr);
    }

    static bool PumpUntil(const std::function<bool()>& done) { return WaitFor(done, 30000); }

    int DeviceSystemByte(int at) const { return m_device.State().system[at]; }
    int DeviceMixLevel(int output, int row) const
    {
        return m_device.State().live.bytes[OutputBlockOffset(output) + 263 + row];
    }

    CBrelinView* m_pView = nullptr;
};

TEST_F(MixMasterSim, MixLevelMasterVolumeMuteAndGateReachTheDevice)
{
    // A level of row 5 and of row 16 of output 2's column.
    CRouteMixCom& column = m_pView->m_mixPage.m_Column[2];
    for (const auto& [row, level] : {std::pair<int, int>{5, 40}, std::pair<int, int>{16, 0}}) {
        column.m_spin[row - 1].SetPos(level);
        SendMessage(&column, WM_COMMAND, CRouteMixCom::SpinId(row), 0);
        EXPECT_TRUE(PumpUntil([&] { return DeviceMixLevel(2, row) == level; })) << row;
    }

    // The master volume of input kind 1 lives in system byte 3.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        g_byInputMode = 1;
    }
    CGainDlg& panel = m_pView->m_masterPanel;
    panel.SetVolume(50);
    SendMessage(m_pView, WM_MASTER_VOLUME_CHANGED, 0, 50);
    EXPECT_TRUE(PumpUntil([&] { return DeviceSystemByte(3) == 50 && DeviceSystemByte(14) == 1; }));

    // The mute: the master on byte goes out as 0.
    panel.m_btnMute.SetCheck(false);
    SendMessage(&panel, WM_COMMAND, MAKEWPARAM(UINT(CGainDlg::IDC_MUTE), 0), 0);
    ASSERT_EQ(g_byMasterOn, 0);
    EXPECT_TRUE(PumpUntil([&] { return DeviceSystemByte(14) == 0; }));

    // The noise gate, on by default, switched off.
    CInputNoiseDlg gate;
    gate.m_pView = m_pView;
    gate.OnInitDialog();
    ASSERT_TRUE(gate.m_btnGate.GetCheck());
    SendMessage(&gate, WM_COMMAND, MAKEWPARAM(UINT(CInputNoiseDlg::IDC_GATE), 0), 0);
    EXPECT_TRUE(PumpUntil([&] { return DeviceSystemByte(11) == 0; }));
}

}  // namespace
