// The dynamics and phase dialogs end to end: both on the link's parameter
// set, connected over the network link to the simulated device on
// 127.0.0.1 and synced; what the user changes reaches the device's live
// image through the change scan, with nothing queued by the dialogs.
#include <gtest/gtest.h>

#include "model/KTV_OutData.h"
#include "pages/output/CurSYSDlg.h"
#include "pages/output/PhaseSettingDlg.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/WindowAttributes.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/link/SimLinkFixture.h"

namespace {

class OutputDynamicsThreadsTest : public SimLinkTest {
protected:
    // A row's spin at v, told to the dialog as the spin tells it.
    static void StepTo(CMsgTarget& dialog, CNumSpin& spin, int v)
    {
        spin.SetPos(v);
        SendMessage(&dialog, WM_COMMAND, MAKEWPARAM(UINT(GetDlgCtrlID(&spin)), 0), reinterpret_cast<LPARAM>(&spin));
    }

    BYTE DeviceByte(int offset) const { return m_device.State().live.bytes[offset]; }
    WORD DeviceWord(int offset) const { return WORD(DeviceByte(offset) | (DeviceByte(offset + 1) << 8)); }
};

TEST_F(OutputDynamicsThreadsTest, DialogEditsReachTheDevicesLiveImage)
{
    ConnectAndSync();
    CMessageBoxSpy boxes;
    CCurSYSDlg dynamics;
    dynamics.m_pData = m_set.get();
    dynamics.OnInitDialog();
    CPhaseSettingDlg phase;
    phase.m_pOutput = m_set->GetOutput(2);
    phase.m_nChannel = 2;
    phase.Create(nullptr);

    StepTo(dynamics, dynamics.m_spinLimit[0], 300);
    StepTo(dynamics, dynamics.m_spinAttack[0], 26);
    StepTo(dynamics, dynamics.m_spinRelease[0], 100);
    StepTo(dynamics, dynamics.m_spinLimit[7], 100);
    StepTo(dynamics, dynamics.m_spinNoiseGate, 20);
    StepTo(phase, phase.m_spinAngle, 65);
    StepTo(phase, phase.m_spinFreq, 1000);
    SendMessage(&phase, WM_COMMAND, MAKEWPARAM(CPhaseSettingDlg::IDC_PHASE, BN_CLICKED), 0);

    const int out0 = OutputBlockOffset(0), out2 = OutputBlockOffset(2), out7 = OutputBlockOffset(7);
    ASSERT_TRUE(Pump([&] {
        return DeviceWord(out0 + 280) == 300 && DeviceWord(out0 + 282) == 26 && DeviceWord(out0 + 284) == 50 &&
               DeviceWord(out7 + 280) == 100 && DeviceWord(out2 + 282) == 65 && DeviceWord(out2 + 284) == 1000 &&
               DeviceByte(out2 + 249) == 1 && DeviceByte(MusicBlockOffset(0) + 264) == 20;
    })) << "the device's image lacks an edit";
    EXPECT_EQ(DeviceWord(out2 + 280), 420) << "the phase edits keep output 3's threshold";
    EXPECT_TRUE(boxes.shown.empty());

}

}  // namespace
