// Posted messages cross threads in order and run on the owner's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/core/MsgTarget.h"
#include "tests/common/RecordingTarget.h"

namespace {

constexpr UINT kMsg = 0x4A2;

TEST(PostedMessages, ArriveInOrderOnTheOwnerThread)
{
    CRecordingTarget target;
    const int kPerThread = 2000;
    std::vector<std::thread> posters;
    for (int t = 0; t < 3; ++t) {
        posters.emplace_back([&target, t] {
            for (int i = 0; i < kPerThread; ++i)
                EXPECT_TRUE(PostMessage(&target, kMsg + UINT(t), WPARAM(i), LPARAM(-i)));
        });
    }
    // The owner keeps running its event loop while the others post.
    QElapsedTimer clock;
    clock.start();
    while (target.Messages().size() < size_t(3 * kPerThread) && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    for (std::thread& poster : posters)
        poster.join();
    QCoreApplication::processEvents();

    std::vector<CRecordingTarget::Received> all = target.Messages();
    ASSERT_EQ(all.size(), size_t(3 * kPerThread));
    for (const CRecordingTarget::Received& r : all)
        EXPECT_EQ(r.thread, std::this_thread::get_id());
    for (int t = 0; t < 3; ++t) {
        std::vector<CRecordingTarget::Received> mine = target.Messages(kMsg + UINT(t));
        ASSERT_EQ(mine.size(), size_t(kPerThread));
        for (int i = 0; i < kPerThread; ++i) {
            EXPECT_EQ(mine[size_t(i)].wParam, WPARAM(i));
            EXPECT_EQ(mine[size_t(i)].lParam, LPARAM(-i));
        }
    }
}

TEST(PostedMessages, DeadOrNullTargetsDropTheMessage)
{
    EXPECT_FALSE(PostMessage(nullptr, kMsg, 0, 0));
    auto* target = new CRecordingTarget;
    EXPECT_TRUE(PostMessage(target, kMsg, 1, 1));
    delete target;
    // A post racing with (or after) destruction is dropped, not delivered.
    std::thread late([target] { EXPECT_FALSE(PostMessage(target, kMsg, 2, 2)); });
    late.join();
    QCoreApplication::processEvents();
}

TEST(PostedMessages, HandlersMayPostAgainAndSendRunsAtOnce)
{
    struct Chain : CRecordingTarget {
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            CRecordingTarget::WindowProc(message, wParam, lParam);
            if (wParam < 3)
                PostMessage(this, message, wParam + 1, lParam);
            return LRESULT(wParam * 10);
        }
    } chain;
    PostMessage(&chain, kMsg, 0, 0);
    EXPECT_EQ(chain.PendingCount(), 1u);
    EXPECT_EQ(SendMessage(&chain, kMsg, 7, 0), 70);
    // Without an event loop the owner delivers by itself.
    while (chain.DeliverPosted() > 0) {
    }
    std::vector<CRecordingTarget::Received> got = chain.Messages();
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0].wParam, 7u);
    for (WPARAM i = 0; i < 4; ++i)
        EXPECT_EQ(got[i + 1].wParam, i);
    EXPECT_EQ(SendMessage(nullptr, kMsg, 0, 0), 0);
    QCoreApplication::processEvents();
}

}  // namespace
