// The cancel token ends its own waits and linked waits on other conditions.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/core/CancelToken.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

TEST(CancelToken, WaitsRunOutOrEndAtOnceWhenSet)
{
    CCancelToken token;
    Clock::time_point start = Clock::now();
    EXPECT_FALSE(token.WaitFor(40));
    EXPECT_FALSE(CCancelToken::Sleep(&token, 10));
    EXPECT_FALSE(CCancelToken::Sleep(nullptr, 10));
    EXPECT_GE(Clock::now() - start, milliseconds(55));
    EXPECT_FALSE(CCancelToken::IsSet(nullptr));

    token.Set();
    start = Clock::now();
    EXPECT_TRUE(token.WaitFor(10000));
    EXPECT_TRUE(CCancelToken::Sleep(&token, 10000));
    EXPECT_LT(Clock::now() - start, milliseconds(1000));
    EXPECT_TRUE(CCancelToken::IsSet(&token));
}

TEST(CancelTokenThreads, SetFromAnotherThreadEndsAWait)
{
    CCancelToken token;
    std::atomic<bool> cancelled{false};
    Clock::time_point ended;
    std::thread waiter([&] {
        cancelled = token.WaitFor(20000);
        ended = Clock::now();
    });
    std::this_thread::sleep_for(milliseconds(30));
    const Clock::time_point set = Clock::now();
    token.Set();
    waiter.join();
    EXPECT_TRUE(cancelled);
    EXPECT_LT(ended - set, milliseconds(1000));
}

TEST(CancelTokenThreads, LinkedConditionWakesAndUnlinksCleanly)
{
    // Another party's condition (a completion the worker waits for) that
    // nobody signals: only the token can end the wait.
    std::mutex mutex;
    std::condition_variable condition;
    bool done = false;
    for (int round = 0; round < 50; ++round) {
        CCancelToken token;
        std::atomic<bool> sawCancel{false};
        std::thread waiter([&] {
            CCancelToken::CWakeLink link(&token, mutex, condition);
            std::unique_lock<std::mutex> lock(mutex);
            condition.wait(lock, [&] { return done || token.IsSet(); });
            sawCancel = token.IsSet();
        });
        if (round % 2 == 0)
            std::this_thread::sleep_for(milliseconds(1));
        token.Set();
        waiter.join();
        EXPECT_TRUE(sawCancel);
    }
    // A link that has ended leaves nothing behind for a later Set.
    CCancelToken token;
    {
        CCancelToken::CWakeLink link(&token, mutex, condition);
        CCancelToken::CWakeLink none(nullptr, mutex, condition);
    }
    token.Set();
    EXPECT_TRUE(token.IsSet());
}

}  // namespace
