// The queue shared by the UI thread and the I/O worker: UI sequences stay
// together while the worker sends and appends its own frames, nothing is
// lost, and the command in flight survives a clear.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "link/KTVCommand.h"
#include "platform/core/SendLock.h"
#include "tests/link/QueueTestSupport.h"

namespace {

using Clock = std::chrono::steady_clock;
// Wide enough never to trip on a slow sanitizer build; only catches a hang.
constexpr auto kHang = std::chrono::seconds(120);

// Worker frames are tagged from here up.
constexpr int kWorkerTag = 1000000;

// One worker step as the transports run it: send the head and take the
// reply, or, with nothing queued, add a frame of its own.
void WorkerStep(CKTVCommand& queue, std::vector<int>& sent, int& ownFrames)
{
    if (std::shared_ptr<CSendData> head = queue.BeginSendHead()) {
        BYTE report[HID_REPORT_SIZE];
        while (head->NextReport(report)) {
        }
        sent.push_back(head->GetProgressPos());
        queue.RemoveHead();  // the acknowledgement
        return;
    }
    queue.AppendWhenIdle([&ownFrames](CSendDataList& out) { out.push_back(Tagged(kWorkerTag + ownFrames++, 24)); });
}

TEST(KTVCommandThreadsTest, UiSequencesStayTogetherWhileTheWorkerSendsAndAppends)
{
    constexpr int kSequences = 300;
    constexpr int kLength = 4;
    CKTVCommand queue;
    std::atomic<bool> uiDone{false};
    std::vector<int> sent;
    int ownFrames = 0;

    std::thread worker([&] {
        const auto start = Clock::now();
        while (Clock::now() - start < kHang) {
            WorkerStep(queue, sent, ownFrames);
            if (uiDone.load() && queue.GetCount() == 0)
                break;
        }
    });
    for (int s = 0; s < kSequences; ++s) {
        std::lock_guard<CCriticalSection> sequence(g_csSendLock);
        for (int k = 0; k < kLength; ++k) {
            queue.AddCommand(Tagged(s * kLength + k + 1, 24 + 64 * k));
            std::this_thread::yield();  // give the worker room to step in
        }
    }
    uiDone = true;
    worker.join();

    ASSERT_EQ(queue.GetCount(), 0) << "worker hung";
    std::vector<int> uiOrder;
    int workerSent = 0;
    for (size_t i = 0; i < sent.size(); ++i) {
        if (sent[i] >= kWorkerTag) {
            EXPECT_EQ(sent[i], kWorkerTag + workerSent) << "worker frames in their order";
            ++workerSent;
            continue;
        }
        const int index = sent[i] - 1;
        uiOrder.push_back(sent[i]);
        // Inside a sequence the next command follows at once.
        if (index % kLength != kLength - 1) {
            ASSERT_LT(i + 1, sent.size());
            EXPECT_EQ(sent[i + 1], sent[i] + 1) << "sequence broken after " << sent[i];
        }
    }
    EXPECT_EQ(workerSent, ownFrames);
    ASSERT_EQ(int(uiOrder.size()), kSequences * kLength);
    for (int k = 0; k < kSequences * kLength; ++k)
        EXPECT_EQ(uiOrder[size_t(k)], k + 1);
}

TEST(KTVCommandThreadsTest, ClearingWhileTheWorkerSendsNeverFreesTheCommandInFlight)
{
    constexpr int kRounds = 400;
    CKTVCommand queue;
    std::atomic<bool> uiDone{false};
    std::atomic<int> sentCount{0};

    std::thread worker([&] {
        const auto start = Clock::now();
        while (!uiDone.load() && Clock::now() - start < kHang) {
            std::shared_ptr<CSendData> head = queue.BeginSendHead();
            if (!head) {
                std::this_thread::yield();
                continue;
            }
            BYTE report[HID_REPORT_SIZE];
            // Sent slowly, report by report, while the UI thread clears.
            while (head->NextReport(report))
                std::this_thread::yield();
            head->Rewind();
            while (head->NextReport(report)) {
            }
            queue.RewindHead();
            queue.RemoveHead();
            ++sentCount;
        }
    });
    for (int r = 0; r < kRounds; ++r) {
        {
            std::lock_guard<CCriticalSection> sequence(g_csSendLock);
            for (int k = 0; k < 3; ++k)
                queue.AddCommand(Tagged(r * 3 + k + 1, 312));
        }
        std::this_thread::yield();
        queue.ClearQueue();  // a reconnect
    }
    uiDone = true;
    worker.join();
    queue.ClearQueue();
    EXPECT_EQ(queue.GetCount(), 0);
    EXPECT_LE(sentCount.load(), kRounds * 3);
}

}  // namespace
