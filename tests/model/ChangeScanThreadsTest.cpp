// The change scan runs on the I/O worker while the UI thread edits the
// outputs, loads presets, packs the set and clears the flags: every frame
// the worker gets must be whole, and the ThreadSanitizer build must find no
// race between the two.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "model/Filter.h"
#include "model/ParameterSetLock.h"
#include "tests/common/RecordingTarget.h"
#include "tests/model/ChannelTestSupport.h"

namespace {

TEST(ChangeScanThreads, ScanRunsWhileTheUiEditsAndLoadsPresets)
{
    ResetParameterSetState();
    CKTV_Data set;
    CRecordingTarget view;
    g_pNotifyView = &view;
    g_bDeviceSynced = true;

    // Two presets to switch between.
    std::vector<BYTE> presets[2];
    for (int p = 0; p < 2; ++p) {
        set.GetOutput(3)->SetGain(short(300 + 200 * p));
        set.GetMusic(1)->SetNoiseGate(10 + p);
        set.StoreToRaw();
        presets[p].assign(g_CurrentImage.bytes, g_CurrentImage.bytes + IMAGE_SIZE);
    }

    std::atomic<bool> stop{false};
    std::atomic<int> frames{0};
    std::atomic<int> broken{0};
    std::thread worker([&] {
        while (!stop.load()) {
            auto frame = set.NextChangedItem();
            if (frame == nullptr || !IsWholeFrame(*frame))
                ++broken;
            ++frames;
        }
    });

    for (int round = 0; round < 300; ++round) {
        CKTV_OutData& out = *set.GetOutput(round % OUTPUT_COUNT);
        out.SetGain(short(round % 600));
        out.SetMixLevel(1 + round % 16, BYTE(round % 101));
        out.SetLimitThreshold(short(round % 420));
        {
            // A page changes a band directly, holding the lock for it.
            ParameterSetGuard guard(g_ParameterSetLock);
            out.GetBand(round % OUTPUT_PEQ_BANDS)->SetFrequency(20 + (round * 997) % 19980, true);
            out.GetBand((round + 7) % OUTPUT_PEQ_BANDS)->SetGainIndex(round % 401);
        }
        set.GetMusic(round % MUSIC_COUNT)->SetDelay(round);
        if (round % 10 == 0) {
            // A preset file is read: the image and the objects change
            // together under the lock.
            ParameterSetGuard guard(g_ParameterSetLock);
            std::memcpy(g_CurrentImage.bytes, presets[round / 10 % 2].data(), IMAGE_SIZE);
            set.LoadFromRaw(g_CurrentImage.bytes, -1);
        }
        if (round % 25 == 0)
            set.StoreToRaw();
        if (round % 50 == 0)
            set.ClearChangeFlags(round % 100 == 0);
        if (round % 20 == 0)
            g_bSendPresetName = true;
        view.DeliverPosted();
    }
    // Let the worker catch up with what is pending, then stop it.
    while (frames.load() < 1000)
        std::this_thread::yield();
    stop = true;
    worker.join();
    g_pNotifyView = nullptr;
    view.DeliverPosted();

    EXPECT_EQ(broken.load(), 0);
    EXPECT_GT(frames.load(), 0);
}

}  // namespace
