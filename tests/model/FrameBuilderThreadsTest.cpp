// Frames built on two threads at once (the UI thread's bulk transfers and
// the I/O worker's change scan) each come out whole and right.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

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

}  // namespace
