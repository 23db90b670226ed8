// The worker's events across threads, driven by a small loop shaped like
// the I/O worker's: wait, lowest index first, steps while a step event
// stays set, self-suspension, quit.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/core/CancelToken.h"
#include "tests/common/Eventually.h"
#include "platform/core/IoEvents.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct MiniWorker {
    CIoEvents events;
    std::atomic<int> normalSteps{0};
    std::atomic<int> updateSteps{0};
    std::atomic<int> suspensions{0};
    std::atomic<bool> ended{false};
    std::thread thread;

    void Start()
    {
        thread = std::thread([this] {
            for (;;) {
                const int got = events.WaitAny(IO_IDLE_WAIT_MS);
                if (got == IO_EVENT_QUIT)
                    break;
                if (got == IO_EVENT_SUSPEND) {
                    ++suspensions;
                    events.WaitForResume();
                } else if (got == IO_EVENT_UPDATE_STEP) {
                    ++updateSteps;
                    std::this_thread::sleep_for(milliseconds(1));
                } else if (got == IO_EVENT_NORMAL_STEP) {
                    ++normalSteps;
                    std::this_thread::sleep_for(milliseconds(1));
                }
            }
            ended = true;
        });
    }
    ~MiniWorker()
    {
        events.Set(IO_EVENT_QUIT);
        if (thread.joinable())
            thread.join();
    }
};

TEST(IoEventsThreads, StepsFollowPriorityAndQuitEndsPromptly)
{
    MiniWorker worker;
    worker.Start();
    worker.events.Set(IO_EVENT_NORMAL_STEP);
    ASSERT_TRUE(Eventually([&] { return worker.normalSteps >= 5; }));  // keeps stepping

    // The update step wins over the normal step while both are set.
    worker.events.Set(IO_EVENT_UPDATE_STEP);
    ASSERT_TRUE(Eventually([&] { return worker.updateSteps >= 3; }));
    const int normalDuringUpdate = worker.normalSteps;
    std::this_thread::sleep_for(milliseconds(30));
    EXPECT_LE(worker.normalSteps - normalDuringUpdate, 1);
    worker.events.Reset(IO_EVENT_UPDATE_STEP);
    ASSERT_TRUE(Eventually([&] { return worker.normalSteps > normalDuringUpdate + 3; }));

    // Idle in its long wait, the worker still ends at once on quit.
    worker.events.Reset(IO_EVENT_NORMAL_STEP);
    std::this_thread::sleep_for(milliseconds(20));
    const Clock::time_point start = Clock::now();
    worker.events.Set(IO_EVENT_QUIT);
    worker.thread.join();
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_TRUE(worker.ended);
}

TEST(IoEventsThreads, SuspendParksUntilResumeOrQuit)
{
    MiniWorker worker;
    worker.Start();
    worker.events.Set(IO_EVENT_NORMAL_STEP);
    worker.events.Set(IO_EVENT_SUSPEND);
    ASSERT_TRUE(Eventually([&] { return worker.events.IsParked(); }));
    const int parkedAt = worker.normalSteps;
    std::this_thread::sleep_for(milliseconds(30));
    EXPECT_EQ(worker.normalSteps, parkedAt);  // parked: no steps

    worker.events.Reset(IO_EVENT_SUSPEND);
    worker.events.Resume();
    ASSERT_TRUE(Eventually([&] { return worker.normalSteps > parkedAt + 3; }));
    EXPECT_EQ(worker.suspensions, 1);

    // Parked again, it ends on quit without any resume.
    worker.events.Set(IO_EVENT_SUSPEND);
    ASSERT_TRUE(Eventually([&] { return worker.events.IsParked(); }));
    const Clock::time_point start = Clock::now();
    worker.events.Set(IO_EVENT_QUIT);
    worker.thread.join();
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_TRUE(worker.ended);
}

TEST(IoEventsThreads, ResumeRacingTheSuspensionIsNeverLost)
{
    // The resume may come before, during or after the worker parks itself.
    for (int round = 0; round < 200; ++round) {
        CIoEvents events;
        std::atomic<bool> resumed{false};
        std::thread parker([&] { resumed = events.WaitForResume(); });
        if (round % 2 == 0)
            std::this_thread::yield();
        events.Resume();
        parker.join();
        EXPECT_TRUE(resumed) << round;
    }
}

TEST(IoEventsThreads, CancelEndsTheLongWaitAndTheSuspension)
{
    CIoEvents events;
    CCancelToken cancel;
    std::atomic<int> waitResult{0};
    std::atomic<bool> parkResult{true};
    std::thread waiter([&] { waitResult = events.WaitAny(IO_IDLE_WAIT_MS, &cancel); });
    std::thread parker([&] { parkResult = events.WaitForResume(&cancel); });
    ASSERT_TRUE(Eventually([&] { return events.IsParked(); }));
    std::this_thread::sleep_for(milliseconds(20));
    const Clock::time_point start = Clock::now();
    cancel.Set();
    waiter.join();
    parker.join();
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_EQ(waitResult, IO_WAIT_CANCELLED);
    EXPECT_FALSE(parkResult);
}

}  // namespace
