// The input page hosted on the running view's parameter set, the view
// linked over the network to the simulated device on 127.0.0.1: an AUX mode
// and a kind, a band gain and an all-bypass reach the device's system bytes
// and its live music block.
#include <gtest/gtest.h>

#include <QWidget>

#include "model/DataDefine.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "model/SystemWord.h"
#include "model/WindowMessages.h"
#include "pages/input/InPutDlg.h"
#include "platform/core/SystemMessages.h"
#include "tests/app/AppStartFixture.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

class InPutDlgSim : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
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

    CInPutDlg& HostPage()
    {
        m_host = std::make_unique<QWidget>();
        m_host->resize(1300, 700);
        m_page = std::make_unique<CInPutDlg>();
        m_page->AttachData(m_pView->AttachDataSet());
        m_page->m_pView = m_pView;
        m_page->Create(m_host.get());
        m_page->ApplyLanguage();
        m_page->ResetModeLayout();
        m_page->RefreshModeButtons();
        m_host->show();
        return *m_page;
    }
    void Command(int id) { SendMessage(m_page.get(), WM_COMMAND, MAKEWPARAM(UINT(id), 0), 0); }

    int DeviceSystemByte(int at) const { return m_device.State().system[at]; }
    // The gain code of band b of music channel c in the device's live image.
    int DeviceBandGainCode(int channel, int band) const
    {
        const CSimState state = m_device.State();
        return GetWord(state.live.bytes + MusicBlockOffset(channel) + RECORD_SIZE * band + 2);
    }

    CBrelinView* m_pView = nullptr;
    std::unique_ptr<QWidget> m_host;
    std::unique_ptr<CInPutDlg> m_page;
};

TEST_F(InPutDlgSim, ThePagesEditsReachTheDevice)
{
    CInPutDlg& p = HostPage();
    CMessageBoxSpy yes(IDYES);

    // AUX mode 1 and kind 2.
    Command(CInPutDlg::IDC_AUX_MODE0 + 1);
    Command(CInPutDlg::IDC_KIND0 + 2);
    ASSERT_EQ(g_nInputMode, 2);
    EXPECT_TRUE(PumpUntil([&] { return DeviceSystemByte(0) == 2 && DeviceSystemByte(1) == 1; }));

    // A band gain of the Phone channel: +4.0 dB is gain code 640.
    p.m_spinGain[5].SetPos(240);
    Command(CInPutDlg::IDC_GAIN_SPIN0 + 5);
    EXPECT_TRUE(PumpUntil([&] { return DeviceBandGainCode(2, 5) == 640; }));

    // All bands bypassed: the whole block goes, every band flat.
    Command(CInPutDlg::IDC_ALL_BYPASS);
    ASSERT_TRUE(p.m_btnAllBypass.GetCheck());
    EXPECT_TRUE(PumpUntil([&] {
        for (int b = 0; b < CInPutDlg::BANDS; ++b)
            if (DeviceBandGainCode(2, b) != 600)
                return false;
        return true;
    }));
}

}  // namespace
