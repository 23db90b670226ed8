// The output page's edits against the threads that read the same bands:
// a thread running the change scan while the page edits every kind of value,
// and all-bypasses sent to the simulated device on 127.0.0.1 by the running
// worker while another output has an edit waiting for the scan: each
// all-bypass reaches the device as its seven frames, none of the scan's in
// between.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include <QApplication>
#include <QTest>

#include "model/FrameBuilder.h"
#include "model/KTV_OutData.h"
#include "model/WindowMessages.h"
#include "tests/app/OutputEditFixture.h"
#include "tests/common/MessageBoxSpy.h"

namespace {

class OutputEditThreadsTest : public OutputEditFixture {};

TEST_F(OutputEditThreadsTest, PageEditsWhileAThreadRunsTheChangeScan)
{
    Link({0, 2, 6});
    std::atomic<bool> stop{false};
    std::atomic<long> frames{0};
    std::thread scanner([&] {
        while (!stop.load()) {
            if (std::unique_ptr<CSendData> frame = m_pData->NextChangedItem())
                frames += HeadOf(*frame) == kStatusPoll ? 0 : 1;
        }
    });
    CMessageBoxSpy yes(IDYES);
    for (int round = 0; round < 12; ++round) {
        const int band = round % COutputDlg::BAND_COUNT;
        Commit(m_pPage->m_spinBandGain[band], 120 + 10 * round);
        Commit(m_pPage->m_spinBandFreq[band], 200 + 50 * round);
        Commit(m_pPage->m_spinBandQ[band], 20 + round);
        Click(m_pPage->m_btnBandBypass[band]);
        Commit(m_pPage->m_spinHpfFreq, 40 + round);
        Commit(m_pPage->m_spinLpfFreq, 12000 - 100 * round);
        Commit(m_pPage->m_spinLevel, 500 + round);
        Commit(m_pPage->m_spinDelayMs, 10 * round);
        m_pPage->m_sldBandGain[band].SetValue(240 - round);
        SendMessage(m_pPage, WM_SLIDER_MOVING, COutputDlg::IDC_BAND_FADER + band, 0);
        PostMessage(m_pPage, WM_GRAPH_CHANGED, WPARAM(band), 768);
        m_pPage->DeliverPosted();
        Click(m_pPage->m_btnAllBypass);
    }
    stop = true;
    scanner.join();
    EXPECT_GT(frames.load(), 0);
    // What the page left is the same on the whole group.
    for (int output : {2, 6}) {
        EXPECT_EQ(Band(output, 11)->GetFrequency(), Band(0, 11)->GetFrequency()) << output;
        EXPECT_EQ(Output(output)->GetHighPass()->GetFrequency(), Output(0)->GetHighPass()->GetFrequency());
        EXPECT_EQ(Output(output)->GetGain(), Output(0)->GetGain());
    }
}

class OutputEditThreadsSim : public AppStartTest {
protected:
    void SetUp() override
    {
        AppStartTest::SetUp();
        m_pView = StartAppLinkedToSimulator();
        ASSERT_NE(m_pView, nullptr);
        m_pPage = &m_pView->m_outputPage;
    }

    static bool IsOutput0Write(const CSimLogEntry& entry)
    {
        return entry.frame.cls == CSimFrame::kWrite && entry.frame.type == BLOCK_OUTPUT && entry.frame.item == 0;
    }

    CBrelinView* m_pView = nullptr;
    COutputDlg* m_pPage = nullptr;
};

TEST_F(OutputEditThreadsSim, EachAllBypassReachesTheDeviceAsItsSevenFramesUnbroken)
{
    // Band 4 shaped, so the all-bypass has something to bypass and give back.
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_pPage->GetData()->GetOutput(0)->GetBand(4)->SetGainIndex(260);
    }
    // The scan sends that band on its own time: only once the device holds
    // it can no frame of it fall among the all-bypasses' frames.
    ASSERT_TRUE(WaitFor(
        [&] {
            const CSimState state = m_device.State();
            return GetWord(state.live.bytes + OutputBlockOffset(0) + 4 * RECORD_SIZE + 2) == 660 &&
                   m_pView->Command().GetCount() == 0;
        },
        30000));
    m_pPage->RefreshChannel();
    m_device.ClearLog();
    constexpr int kRounds = 6;
    for (int round = 0; round < kRounds; ++round) {
        // Another output's edit waits for the scan.
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            m_pPage->GetData()->GetOutput(5)->GetBand(round)->SetGainIndex(210 + round);
        }
        CMessageBoxSpy yes(IDYES);
        QTest::mouseClick(&m_pPage->m_btnAllBypass, Qt::LeftButton);
        ASSERT_EQ(yes.shown.size(), 1u) << round;
        ASSERT_TRUE(WaitFor(
            [&] {
                int n = 0;
                for (const CSimLogEntry& entry : m_device.Log())
                    n += IsOutput0Write(entry) ? 1 : 0;
                return n >= 7 * (round + 1) && m_pView->Command().GetCount() == 0;
            },
            30000))
            << round;
    }
    // Output 0's frames come in runs of seven in a row: off, off, block, on,
    // off, block, on.
    std::vector<CSimLogEntry> log;
    for (const CSimLogEntry& entry : m_device.Log()) {
        if (!entry.sync)
            log.push_back(entry);
    }
    int sequences = 0;
    for (size_t k = 0; k < log.size(); ++k) {
        if (!IsOutput0Write(log[k]))
            continue;
        ASSERT_LE(k + 7, log.size());
        const int records[] = {31, 31, 0, 31, 31, 0, 31};
        const int on[] = {0, 0, -1, 1, 0, -1, 1};
        for (int i = 0; i < 7; ++i) {
            const CSimLogEntry& e = log[k + size_t(i)];
            ASSERT_TRUE(IsOutput0Write(e)) << "sequence " << sequences << " broken at frame " << i << ": "
                                           << e.Describe(false);
            EXPECT_EQ(e.frame.record, records[i]) << sequences << " " << i;
            if (on[i] >= 0) {
                EXPECT_EQ(e.frame.payload[0], on[i]) << sequences << " " << i;
            }
        }
        ++sequences;
        k += 6;
    }
    EXPECT_EQ(sequences, kRounds);
    // The other output's edits go out as well.
    EXPECT_TRUE(WaitFor(
        [&] {
            const CSimState state = m_device.State();
            for (int round = 0; round < kRounds; ++round) {
                if (GetWord(state.live.bytes + OutputBlockOffset(5) + round * RECORD_SIZE + 2) != 610 + round)
                    return false;
            }
            return true;
        },
        30000));
    EXPECT_TRUE(m_boxes.shown.empty());
}

}  // namespace
