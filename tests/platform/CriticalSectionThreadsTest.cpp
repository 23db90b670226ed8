// The send lock: recursive for its owner, visible to every other thread
// without blocking.
#include <gtest/gtest.h>

#include <future>
#include <mutex>

#include "platform/core/CriticalSection.h"

namespace {

// What another thread sees of the lock right now.
struct Seen {
    bool locked;
    bool taken;
};
Seen SeenFromAnotherThread(CCriticalSection& lock)
{
    return std::async(std::launch::async, [&lock] {
               Seen seen{lock.IsLocked(), lock.try_lock()};
               if (seen.taken)
                   lock.unlock();
               return seen;
           })
        .get();
}

TEST(CriticalSectionThreadsTest, HeldAtAnyDepthIsSeenByOtherThreadsWithoutBlocking)
{
    CCriticalSection lock;
    EXPECT_FALSE(lock.IsLocked());
    Seen seen = SeenFromAnotherThread(lock);
    EXPECT_FALSE(seen.locked);
    EXPECT_TRUE(seen.taken);

    lock.lock();
    {
        std::lock_guard<CCriticalSection> again(lock);  // the owner may nest
        seen = SeenFromAnotherThread(lock);
        EXPECT_TRUE(seen.locked);
        EXPECT_FALSE(seen.taken);
    }
    seen = SeenFromAnotherThread(lock);
    EXPECT_TRUE(seen.locked);
    EXPECT_FALSE(seen.taken);
    lock.unlock();

    EXPECT_FALSE(lock.IsLocked());
    seen = SeenFromAnotherThread(lock);
    EXPECT_FALSE(seen.locked);
    EXPECT_TRUE(seen.taken);
}

}  // namespace
