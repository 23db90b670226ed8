// A message sent from another thread runs on the target's owner thread, in
// turn with the posted ones, while the sender waits; a cancelled sender
// stops waiting and its message is dropped, never run late.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "platform/core/CancelToken.h"
#include "platform/core/MsgTarget.h"
#include "tests/common/DeliverUntil.h"
#include "tests/common/RecordingTarget.h"

namespace {

constexpr UINT kPosted = 0x470;
constexpr UINT kSent = 0x471;

TEST(SendMessageToOwner, RunsOnTheOwnerThreadInTurnAndWaitsForTheResult)
{
    CRecordingTarget target;
    target.m_nAnswer = 42;
    std::atomic<bool> returned{false};
    LRESULT result = 0;
    bool handled = false;
    std::thread sender([&] {
        PostMessage(&target, kPosted, 1, 0);
        result = SendMessageToOwner(&target, kSent, 2, 3, nullptr, &handled);
        // The handler has run by now, on the owner thread.
        EXPECT_EQ(target.Messages(kSent).size(), 1u);
        returned = true;
    });
    EXPECT_TRUE(DeliverUntil(target, [&] { return returned.load(); }));
    sender.join();

    EXPECT_TRUE(handled);
    EXPECT_EQ(result, 42);
    const auto all = target.Messages();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].message, kPosted);
    EXPECT_EQ(all[1].message, kSent);
    EXPECT_EQ(all[1].wParam, 2u);
    EXPECT_EQ(all[1].thread, std::this_thread::get_id());
    EXPECT_FALSE(all[0].bSent);
    EXPECT_TRUE(all[1].bSent);
}

TEST(SendMessageToOwner, ACancelledSenderIsNeverAnsweredLate)
{
    CRecordingTarget target;
    CCancelToken cancel;
    std::atomic<bool> returned{false};
    bool handled = true;
    std::thread sender([&] {
        EXPECT_EQ(SendMessageToOwner(&target, kSent, 0, 0, &cancel, &handled), 0);
        returned = true;
    });
    // The owner is busy elsewhere (as when it waits for the worker to stop)
    // and cancels instead of delivering.
    while (target.PendingCount() == 0)
        std::this_thread::yield();
    cancel.Set();
    sender.join();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(handled);
    EXPECT_EQ(target.DeliverPosted(), 0);
    EXPECT_TRUE(target.Messages().empty());
}

TEST(SendMessageToOwner, ASenderWithATokenAlreadySetDoesNotWait)
{
    CRecordingTarget target;
    CCancelToken cancel;
    cancel.Set();
    bool handled = true;
    std::thread sender([&] { SendMessageToOwner(&target, kSent, 0, 0, &cancel, &handled); });
    sender.join();
    EXPECT_FALSE(handled);
    EXPECT_EQ(target.DeliverPosted(), 0);
}

TEST(SendMessageToOwner, DestroyingTheTargetLetsTheSenderGo)
{
    auto target = std::make_unique<CRecordingTarget>();
    CRecordingTarget* raw = target.get();
    bool handled = true;
    std::thread sender([&] { SendMessageToOwner(raw, kSent, 0, 0, nullptr, &handled); });
    while (raw->PendingCount() == 0)
        std::this_thread::yield();
    target.reset();
    sender.join();
    EXPECT_FALSE(handled);
    // A destroyed target takes nothing more.
    EXPECT_EQ(SendMessageToOwner(raw, kSent, 0, 0, nullptr, &handled), 0);
    EXPECT_FALSE(handled);
}

TEST(SendMessageToOwner, OnTheOwnerThreadItRunsAtOnce)
{
    CRecordingTarget target;
    target.m_nAnswer = 7;
    bool handled = false;
    EXPECT_EQ(SendMessageToOwner(&target, kSent, 0, 0, nullptr, &handled), 7);
    EXPECT_TRUE(handled);
    EXPECT_EQ(target.Messages().size(), 1u);
    EXPECT_EQ(SendMessageToOwner(nullptr, kSent, 0, 0, nullptr, &handled), 0);
    EXPECT_FALSE(handled);
}

TEST(DropPostedMessages, RemovesOnlyWaitingPostsOfThatId)
{
    CRecordingTarget target;
    std::thread poster([&] {
        for (int i = 0; i < 3; ++i) {
            PostMessage(&target, kPosted, WPARAM(i), 0);
            PostMessage(&target, kSent, WPARAM(i), 0);
        }
    });
    poster.join();
    EXPECT_EQ(DropPostedMessages(&target, kPosted), 3);
    EXPECT_EQ(DropPostedMessages(nullptr, kPosted), 0);
    target.DeliverPosted();
    const auto all = target.Messages();
    ASSERT_EQ(all.size(), 3u);
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].message, kSent);
        EXPECT_EQ(all[i].wParam, i);
    }
}

}  // namespace
