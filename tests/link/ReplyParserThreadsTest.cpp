// The reply parser on the I/O worker against the UI thread: the speaker
// items reach the view before their transaction ends, a stopping view is
// never waited for, and a reset from the UI thread never races the feed.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "link/KTVCommand.h"
#include "model/DataDefine.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"
#include "platform/core/MsgTarget.h"
#include "tests/common/DeliverUntil.h"
#include "tests/link/QueueTestSupport.h"
#include "tests/link/ReplyTestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kStormLimit = std::chrono::seconds(60);

// The view: runs a handler for each message, on the thread that owns it.
class CHandlerTarget : public CMsgTarget {
public:
    std::function<void(UINT, WPARAM)> onMessage;
    std::atomic<int> handled{0};
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override
    {
        if (onMessage)
            onMessage(message, wParam);
        ++handled;
        return 0;
    }
};

TEST(ReplyParserThreadsTest, SpeakerItemsReachTheViewBeforeTheTransactionEnds)
{
    CKTVCommand command;
    CHandlerTarget view;
    command.SetOwner(&view);
    command.AddCommand(Tagged(1));
    int queuedWhileHandled = -1;
    view.onMessage = [&](UINT message, WPARAM) {
        if (message != WM_SPEAKER_TYPES_RECEIVED)
            return;
        // The request is still at the head; the follow-up goes behind it.
        queuedWhileHandled = command.GetCount();
        command.AddCommand(Tagged(2));
    };
    std::atomic<bool> fed{false};
    std::thread worker([&] {
        const Bytes reply = Data(9, 6, Bytes(8, 3));
        EXPECT_TRUE(command.FeedBytes(reply.data(), int(reply.size())));
        fed = true;
    });
    EXPECT_TRUE(DeliverUntil(view, [&] { return fed.load(); }));
    worker.join();

    EXPECT_EQ(queuedWhileHandled, 1);
    ASSERT_EQ(command.GetCount(), 1);
    EXPECT_EQ(command.GetHead()->GetProgressPos(), 2);
    EXPECT_EQ(g_OutputMap[0], 3);
}

TEST(ReplyParserThreadsTest, AStoppingViewIsNotWaitedFor)
{
    CKTVCommand command;
    CHandlerTarget view;
    command.SetOwner(&view);
    command.AddCommand(Tagged(1));
    CCancelToken workerCancel;
    std::atomic<bool> fed{false};
    std::thread worker([&] {
        const Bytes reply = Data(9, 7, Bytes(8, 4));
        EXPECT_TRUE(command.FeedBytes(reply.data(), int(reply.size()), &workerCancel));
        fed = true;
    });
    // The UI thread is stopping the worker: it cancels and does not pump.
    while (view.PendingCount() == 0)
        std::this_thread::yield();
    workerCancel.Set();
    worker.join();
    EXPECT_TRUE(fed);
    // The reply was handled all the same; the late delivery is dropped.
    EXPECT_EQ(command.GetCount(), 0);
    EXPECT_EQ(view.DeliverPosted(), 0);
    EXPECT_EQ(view.handled.load(), 0);
}

TEST(ReplyParserThreadsTest, ClearingTheQueueWhileRepliesArriveIsSafe)
{
    CKTVCommand command;
    std::atomic<bool> stop{false};
    std::atomic<int> completed{0};
    std::thread worker([&] {
        std::mt19937 random(7);
        const Bytes reply = Data(4, 3, Bytes(OUTPUT_BLOCK_SIZE, 0x11));
        while (!stop.load()) {
            for (size_t at = 0; at < reply.size();) {
                const size_t n = std::min(reply.size() - at, size_t(random() % 80 + 1));
                if (command.FeedBytes(reply.data() + at, int(n)))
                    ++completed;
                at += n;
            }
        }
    });
    // Every connect clears the queue and so resets the parser, whenever it
    // comes; replies still get through between the resets.
    const auto start = Clock::now();
    for (int i = 0; completed.load() < 200 && Clock::now() - start < kStormLimit; ++i) {
        command.AddCommand(Tagged(i));
        command.ClearQueue();
        std::this_thread::yield();
    }
    stop = true;
    worker.join();
    EXPECT_GE(completed.load(), 200);
    // Still in step: a whole reply is read.
    command.ResetParser();
    command.AddCommand(Tagged(1));
    const Bytes ack = Ack();
    EXPECT_TRUE(command.FeedBytes(ack.data(), int(ack.size())));
    EXPECT_EQ(command.GetCount(), 0);
}

}  // namespace
