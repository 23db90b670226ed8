#include <gtest/gtest.h>

#include <mutex>

#include "link/KTVCommand.h"
#include "link/LinkStatus.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/SendLock.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/QueueTestSupport.h"

namespace {

class KTVCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearStatusBytes();
        g_pSendingCommand = nullptr;
        g_pNotifyView = &m_view;
    }
    void TearDown() override
    {
        g_pNotifyView = nullptr;
        g_pSendingCommand = nullptr;
        ClearStatusBytes();
    }

    // Tags of the queued commands, head first; empties the queue.
    std::vector<int> Drain()
    {
        std::vector<int> tags;
        while (auto head = m_queue.BeginSendHead()) {
            tags.push_back(head->GetProgressPos());
            m_queue.RemoveHead();
        }
        return tags;
    }
    std::vector<CRecordingTarget::Received> Delivered()
    {
        m_view.DeliverPosted();
        return m_view.Messages();
    }

    CRecordingTarget m_view;
    CKTVCommand m_queue;
};

TEST_F(KTVCommandTest, OperationsOnAnEmptyQueueChangeNothing)
{
    g_byLinkStatus[LINK_STATUS_FRAME_DONE] = 1;
    CSendData elsewhere;
    g_pSendingCommand = &elsewhere;

    m_queue.RemoveHead();
    m_queue.RewindHead();
    m_queue.MarkHeadResend();
    EXPECT_FALSE(m_queue.ReportLongOperation(true));
    EXPECT_FALSE(m_queue.ReportLongOperation(false));
    m_queue.ClearQueue();
    m_queue.AddCommand(nullptr);

    EXPECT_EQ(m_queue.GetCount(), 0);
    EXPECT_EQ(m_queue.GetHead(), nullptr);
    EXPECT_EQ(m_queue.BeginSendHead(), nullptr);
    EXPECT_EQ(m_queue.GetInFlight(), nullptr);
    EXPECT_EQ(g_byLinkStatus[LINK_STATUS_FRAME_DONE].load(), 1);
    EXPECT_EQ(g_pSendingCommand.load(), &elsewhere);
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(KTVCommandTest, CommandsLeaveInTheOrderTheyCame)
{
    for (int tag = 1; tag <= 4; ++tag)
        m_queue.AddCommand(Tagged(tag));
    EXPECT_EQ(m_queue.GetCount(), 4);
    EXPECT_EQ(m_queue.GetHead()->GetProgressPos(), 1);

    auto head = m_queue.BeginSendHead();
    ASSERT_EQ(head->GetProgressPos(), 1);
    EXPECT_EQ(g_pSendingCommand.load(), head.get());
    EXPECT_EQ(m_queue.GetInFlight(), head);
    g_byLinkStatus[LINK_STATUS_AWAITING] = 1;
    g_byLinkStatus[LINK_STATUS_IDLE_COUNT] = 7;

    m_queue.RemoveHead();
    EXPECT_EQ(g_pSendingCommand.load(), nullptr);
    EXPECT_EQ(m_queue.GetInFlight(), nullptr);
    for (const auto& status : g_byLinkStatus)
        EXPECT_EQ(status.load(), 0);
    EXPECT_EQ(Drain(), (std::vector<int>{2, 3, 4}));
}

TEST_F(KTVCommandTest, ARewoundHeadGoesOutAgainFromItsFirstByte)
{
    m_queue.AddCommand(Tagged(9, 100));
    auto head = m_queue.BeginSendHead();
    BYTE report[HID_REPORT_SIZE];
    ASSERT_TRUE(head->NextReport(report));
    ASSERT_TRUE(head->NextReport(report));
    ASSERT_FALSE(head->NextReport(report));

    m_queue.RewindHead();
    m_queue.MarkHeadResend();
    EXPECT_TRUE(head->IsResendRequested());
    int reports = 0;
    while (head->NextReport(report))
        ++reports;
    EXPECT_EQ(reports, 2);
}

TEST_F(KTVCommandTest, LongOperationsAreReportedToTheView)
{
    struct Case {
        bool longWait, ok;
        bool reported;
        std::vector<int> left;
        bool nextMarked;
    };
    const Case cases[] = {
        {true, true, true, {1, 2}, false},
        // A refusal drops the long command, so the resend mark that follows
        // falls on the next one.
        {true, false, true, {2}, true},
        {false, true, false, {1, 2}, false},
        {false, false, false, {1, 2}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "long " << c.longWait << " ok " << c.ok);
        m_queue.ClearQueue();
        m_view.Clear();
        auto first = Tagged(1);
        first->SetLongWait(c.longWait);
        m_queue.AddCommand(std::move(first));
        m_queue.AddCommand(Tagged(2));

        EXPECT_EQ(m_queue.ReportLongOperation(c.ok), c.reported);
        m_queue.MarkHeadResend();
        EXPECT_EQ(m_queue.GetHead()->GetProgressPos() == 2 && m_queue.GetHead()->IsResendRequested(), c.nextMarked);
        EXPECT_EQ(Drain(), c.left);
        const auto messages = Delivered();
        if (c.reported) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].message, UINT(WM_OPERATION_DONE));
            EXPECT_EQ(messages[0].wParam, 0u);
            EXPECT_EQ(messages[0].lParam, c.ok ? 1 : 0);
        } else {
            EXPECT_TRUE(messages.empty());
        }
    }
}

TEST_F(KTVCommandTest, TheCommandInFlightOutlivesAClearAndALateReplyLeavesTheNewHeadAlone)
{
    auto first = Tagged(1);
    first->SetLongWait(true);
    m_queue.AddCommand(std::move(first));
    std::shared_ptr<CSendData> inFlight = m_queue.BeginSendHead();
    std::weak_ptr<CSendData> watch = inFlight;
    BYTE report[HID_REPORT_SIZE];
    ASSERT_TRUE(inFlight->NextReport(report));

    // The UI thread reconnects: clears the queue and queues a new sequence.
    m_queue.ClearQueue();
    auto fresh = Tagged(2);
    fresh->SetLongWait(true);
    m_queue.AddCommand(std::move(fresh));
    m_queue.AddCommand(Tagged(3));
    EXPECT_EQ(inFlight->GetProgressPos(), 1);  // still whole

    // The old command's reply arrives: every reply operation passes.
    m_queue.RemoveHead();
    m_queue.RewindHead();
    m_queue.MarkHeadResend();
    EXPECT_FALSE(m_queue.ReportLongOperation(false));
    EXPECT_FALSE(m_queue.GetHead()->IsResendRequested());
    EXPECT_EQ(m_queue.GetCount(), 2);
    EXPECT_EQ(m_queue.GetHead()->GetProgressPos(), 2);
    EXPECT_EQ(Delivered().size(), 0u);

    // The worker lets go of it; the next step sends the new head.
    inFlight.reset();
    auto next = m_queue.BeginSendHead();
    EXPECT_TRUE(watch.expired());
    ASSERT_EQ(next->GetProgressPos(), 2);
    m_queue.RemoveHead();
    EXPECT_EQ(Drain(), (std::vector<int>{3}));
}

TEST_F(KTVCommandTest, TheWorkerAppendsOnlyToAnEmptyQueueAndNeverDuringASequence)
{
    int calls = 0;
    auto produce = [&calls](CSendDataList& out) {
        ++calls;
        out.push_back(Tagged(100 + calls));
        out.push_back(nullptr);
        out.push_back(Tagged(200 + calls));
    };

    {
        std::lock_guard<CCriticalSection> sequence(g_csSendLock);
        EXPECT_EQ(m_queue.AppendWhenIdle(produce), 0);
    }
    EXPECT_EQ(calls, 0);

    m_queue.AddCommand(Tagged(1));
    EXPECT_EQ(m_queue.AppendWhenIdle(produce), 0);
    EXPECT_EQ(calls, 0);

    m_queue.RemoveHead();
    EXPECT_EQ(m_queue.AppendWhenIdle(produce), 2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Drain(), (std::vector<int>{101, 201}));
}

}  // namespace
