// The worker's four events without other threads: priority, manual reset,
// time-out and a cancelled wait.
#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>

#include "platform/core/CancelToken.h"
#include "platform/core/IoEvents.h"

namespace {

using Clock = std::chrono::steady_clock;

TEST(IoEvents, LowestSetIndexWinsAndStaysSet)
{
    struct Case {
        std::initializer_list<int> set;
        int expected;
    };
    const Case cases[] = {
        {{IO_EVENT_NORMAL_STEP}, IO_EVENT_NORMAL_STEP},
        {{IO_EVENT_UPDATE_STEP, IO_EVENT_NORMAL_STEP}, IO_EVENT_UPDATE_STEP},
        {{IO_EVENT_SUSPEND, IO_EVENT_UPDATE_STEP, IO_EVENT_NORMAL_STEP}, IO_EVENT_SUSPEND},
        {{IO_EVENT_NORMAL_STEP, IO_EVENT_QUIT}, IO_EVENT_QUIT},
        {{IO_EVENT_QUIT, IO_EVENT_SUSPEND, IO_EVENT_UPDATE_STEP, IO_EVENT_NORMAL_STEP}, IO_EVENT_QUIT},
    };
    for (const Case& c : cases) {
        CIoEvents events;
        for (int index : c.set)
            events.Set(index);
        // Manual reset: a wait does not consume the event.
        EXPECT_EQ(events.WaitAny(0), c.expected);
        EXPECT_EQ(events.WaitAny(IO_IDLE_WAIT_MS), c.expected);
        EXPECT_TRUE(events.IsSet(c.expected));
        events.Reset(c.expected);
        EXPECT_FALSE(events.IsSet(c.expected));
    }
}

TEST(IoEvents, TimeOutCancelAndBadIndexes)
{
    CIoEvents events;
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(events.WaitAny(60), IO_WAIT_TIMEOUT);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(55));

    CCancelToken cancel;
    cancel.Set();
    EXPECT_EQ(events.WaitAny(IO_IDLE_WAIT_MS, &cancel), IO_WAIT_CANCELLED);
    // A set event still wins over the cancel: the worker sees quit.
    events.Set(IO_EVENT_QUIT);
    EXPECT_EQ(events.WaitAny(IO_IDLE_WAIT_MS, &cancel), IO_EVENT_QUIT);

    events.ResetAll();
    for (int bad : {-1, int(IO_EVENT_COUNT), 99}) {
        events.Set(bad);
        events.Reset(bad);
        EXPECT_FALSE(events.IsSet(bad));
    }
    EXPECT_EQ(events.WaitAny(0), IO_WAIT_TIMEOUT);
}

TEST(IoEvents, ResumeBeforeSuspensionIsKeptAndResetAllDropsIt)
{
    CIoEvents events;
    events.Resume();
    EXPECT_TRUE(events.WaitForResume());  // returns at once, taking the resume
    CCancelToken cancel;
    cancel.Set();
    EXPECT_FALSE(events.WaitForResume(&cancel));  // the resume was used up

    events.Resume();
    events.ResetAll();
    EXPECT_FALSE(events.WaitForResume(&cancel));
    events.Set(IO_EVENT_QUIT);
    EXPECT_FALSE(events.WaitForResume());  // quit ends a suspension too
    EXPECT_FALSE(events.IsParked());
}

}  // namespace
