// The output page's map and links end to end: the view linked over the
// network to the simulated device on 127.0.0.1 and synced. A default map
// reset, the L/R link from the view's button and a link-group copy reach the
// device's live image and system bytes; the copy's frames arrive unbroken
// while another output has an edit waiting for the change scan.
#include <gtest/gtest.h>

#include <QPushButton>

#include "app/ReMap_Dlg.h"
#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/LinkState.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "pages/output/All_Link_Dlg.h"
#include "platform/core/SystemMessages.h"
#include "platform/gui/ModalDialog.h"
#include "tests/app/AppStartFixture.h"

namespace {

class OutputLinkSim : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        m_pView = StartAppLinkedToSimulator();
        ASSERT_NE(m_pView, nullptr);
        // The questions: Default, and left to right.
        SetModalDialogHook([](QDialog& dialog) {
            if (auto* remap = qobject_cast<CReMap_Dlg*>(&dialog))
                remap->Button(CReMap_Dlg::IDC_DEFAULT)->click();
            else if (auto* link = qobject_cast<CAll_Link_Dlg*>(&dialog))
                link->m_btnOK.click();
            return dialog.result();
        });
    }
    void TearDown() override
    {
        SetModalDialogHook(nullptr);
        g_bOutputLinkOn = false;
        g_bOutputMapLocked = false;
        AppStartTest::TearDown();
    }

    static bool PumpUntil(const std::function<bool()>& done) { return WaitFor(done, 30000); }

    CKTV_OutData* Output(int i) { return m_pView->AttachDataSet()->GetOutput(i); }
    // Record r of output o in the device's live image.
    std::vector<BYTE> DeviceRecord(int output, int record) const
    {
        const CSimState state = m_device.State();
        const BYTE* at = state.live.bytes + OutputBlockOffset(output) + record * RECORD_SIZE;
        return {at, at + RECORD_SIZE};
    }
    // The same record as the program holds it.
    std::vector<BYTE> ModelCrossover(int output)
    {
        BYTE record[RECORD_SIZE];
        Output(output)->GetCrossoverRecord(record);
        return {record, record + RECORD_SIZE};
    }

    CBrelinView* m_pView = nullptr;
};

TEST_F(OutputLinkSim, ResetLinkAndGroupCopyReachTheDevice)
{
    // Default map: system bytes 16 to 27 and every crossover record.
    m_pView->WindowProc(WM_COMMAND, MAKEWPARAM(CBrelinView::IDC_RESET_MAP, BN_CLICKED), 0);
    const BYTE map[OUTPUT_COUNT] = {6, 12, 15, 18, 0, 0, 0, 0, 0, 0, 22, 23};
    EXPECT_TRUE(PumpUntil([&] {
        const CSimState state = m_device.State();
        return std::equal(map, map + OUTPUT_COUNT, state.system + 16);
    }));
    for (int i = 0; i < OUTPUT_COUNT; ++i)
        EXPECT_TRUE(PumpUntil([&] { return DeviceRecord(i, OUTPUT_CROSSOVER_RECORD) == ModelCrossover(i); })) << i;

    // L/R link: output 1's block takes output 0's gain and EQ.
    const std::vector<BYTE> flat = DeviceRecord(0, 17);
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(0)->GetBand(17)->SetGainIndex(230);
        Output(0)->SetGain(480);
    }
    m_pView->WindowProc(WM_COMMAND, MAKEWPARAM(CBrelinView::IDC_LR_LINK, BN_CLICKED), 0);
    ASSERT_TRUE(g_bOutputLinkOn);
    EXPECT_TRUE(PumpUntil([&] {
        return DeviceRecord(1, 17) == DeviceRecord(0, 17) && DeviceRecord(0, 17) != flat &&
               DeviceRecord(1, OUTPUT_BASIC_RECORD)[2] == 480 % 256;
    }));

    // A link-group copy of outputs 4 and 5 from 4 while output 8 has an
    // edit waiting: the copy's five frames come one after another.
    EXPECT_TRUE(PumpUntil([&] { return m_pView->Command().GetCount() == 0; }));
    COutputDlg& page = m_pView->m_outputPage;
    const int mask = (1 << 4) | (1 << 5);
    page.m_strips[4].m_nLinkMask = mask;
    page.m_strips[5].m_nLinkMask = mask;
    m_pView->AttachDataSet()->InitOutputLinkTable();
    m_device.ClearLog();
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        Output(4)->SetGain(444);
        Output(8)->SetGain(321);
    }
    PostMessage(&page, WM_LINK_GROUP_COPY, 4, 0);
    EXPECT_TRUE(PumpUntil([&] { return DeviceRecord(5, OUTPUT_BASIC_RECORD)[2] == 444 % 256; }));
    EXPECT_TRUE(PumpUntil([&] { return DeviceRecord(8, OUTPUT_BASIC_RECORD)[2] == 321 % 256; }));

    std::vector<CSimLogEntry> log = m_device.Log();
    size_t first = log.size();
    for (size_t k = 0; k < log.size(); ++k) {
        const CSimFrame& f = log[k].frame;
        if (f.type == BLOCK_OUTPUT && f.item == 4 && f.record == OUTPUT_BASIC_RECORD && f.payload.size() == 8 &&
            f.payload[0] == 0) {
            first = k;
            break;
        }
    }
    ASSERT_LT(first + 5, log.size() + 1);
    struct Step {
        int item;
        bool block;
        int on;
    };
    const Step steps[] = {{4, false, 0}, {5, false, 0}, {5, true, -1}, {4, false, 1}, {5, false, 1}};
    for (size_t s = 0; s < 5; ++s) {
        SCOPED_TRACE(s);
        const CSimFrame& f = log[first + s].frame;
        EXPECT_EQ(f.type, BLOCK_OUTPUT);
        EXPECT_EQ(f.item, steps[s].item);
        if (steps[s].block) {
            EXPECT_EQ(f.payload.size(), size_t(OUTPUT_BLOCK_SIZE));
        } else {
            EXPECT_EQ(f.record, OUTPUT_BASIC_RECORD);
            ASSERT_EQ(f.payload.size(), size_t(RECORD_SIZE));
            EXPECT_EQ(f.payload[0], steps[s].on);
        }
    }
    EXPECT_EQ(Output(5)->GetGain(), 444);
    EXPECT_TRUE(m_boxes.shown.empty());
}

}  // namespace
