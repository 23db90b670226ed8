// Frames built on two threads at once (the UI thread's bulk transfers and
// the I/O worker's change scan) each come out whole and right.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "model/ParameterSetLock.h"
#include "tests/model/FrameTestSupport.h"

namespace {

TEST(FrameBuilderThreadsTest, BuildsOnTwoThreadsNeverMixTheirBytes)
{
    ResetFrameState();
    for (int k = 0; k < IMAGE_SIZE; ++k)
        g_CurrentImage.bytes[k] = BYTE(k * 13 + 5);
    g_nLinkGroup[3] = g_nLinkGroup[0];
    const std::vector<BYTE> block = BytesOf(*BuildBlockFrame(0, 4, 3, true, false));
    const std::vector<BYTE> record = BytesOf(*BuildParameterFrame(3, 1, 7));
    const std::vector<BYTE> poll = BytesOf(*BuildParameterFrame(7, 0, 0));

    constexpr int kRounds = 2000;
    std::atomic<int> wrong{0};
    std::thread ui([&] {
        for (int k = 0; k < kRounds; ++k) {
            if (BytesOf(*BuildBlockFrame(0, 4, 3, true, false)) != block)
                ++wrong;
        }
    });
    std::thread worker([&] {
        for (int k = 0; k < kRounds; ++k) {
            if (BytesOf(*BuildParameterFrame(3, 1, 7)) != record || BytesOf(*BuildParameterFrame(7, 0, 0)) != poll)
                ++wrong;
        }
    });
    ui.join();
    worker.join();
    EXPECT_EQ(wrong.load(), 0);
    ResetFrameState();
}

TEST(FrameBuilderThreadsTest, ARecordWrittenUnderTheParameterSetLockGoesOutWhole)
{
    ResetFrameState();
    constexpr int kRounds = 4000;
    BYTE* record = g_CurrentImage.bytes + OutputBlockOffset(2) + 5 * RECORD_SIZE;
    std::atomic<int> torn{0};
    std::thread ui([&] {
        for (int k = 0; k < kRounds; ++k) {
            ParameterSetGuard guard(g_ParameterSetLock);
            std::memset(record, k & 0xFF, RECORD_SIZE);
        }
    });
    std::thread worker([&] {
        for (int k = 0; k < kRounds; ++k) {
            const std::vector<BYTE> frame = BytesOf(*BuildParameterFrame(4, 2, 5));
            for (int b = 15; b < 22; ++b) {
                if (frame[size_t(b)] != frame[14])
                    ++torn;
            }
        }
    });
    ui.join();
    worker.join();
    EXPECT_EQ(torn.load(), 0);
    ResetFrameState();
}

}  // namespace
