#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/core/MsgTarget.h"
#include "tests/common/RecordingTarget.h"

namespace {

// Answers a sent message by posting one to itself and sending one to a
// second target, so a handler's own messages can be told apart.
class CChainTarget : public CRecordingTarget {
public:
    CRecordingTarget* pNext = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = CRecordingTarget::WindowProc(message, wParam, lParam);
        if (message == 1) {
            PostMessage(this, 2, 0, 0);
            SendMessage(pNext, 3, 0, 0);
        }
        return result;
    }
};

TEST(MsgTargetTest, SendRunsAtOnceAndReturnsTheHandlersResult)
{
    CRecordingTarget target;
    target.m_nAnswer = 42;
    int value = 7;
    EXPECT_EQ(SendMessage(&target, 0x65A, 1, reinterpret_cast<LPARAM>(&value)), 42);
    const auto got = target.Messages();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_TRUE(got[0].bSent);
    EXPECT_EQ(*reinterpret_cast<int*>(got[0].lParam), 7);  // a pointer lParam reaches the handler
    EXPECT_EQ(SendMessage(nullptr, 1, 0, 0), 0);
}

TEST(MsgTargetTest, RecorderTellsSentFromPosted)
{
    CChainTarget first;
    CRecordingTarget second;
    first.pNext = &second;
    SendMessage(&first, 1, 0, 0);
    EXPECT_FALSE(InSendMessage());
    first.DeliverPosted();

    const auto got = first.Messages();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].message, 1u);
    EXPECT_TRUE(got[0].bSent);
    EXPECT_EQ(got[1].message, 2u);
    EXPECT_FALSE(got[1].bSent);
    ASSERT_EQ(second.Messages().size(), 1u);
    EXPECT_TRUE(second.Messages()[0].bSent);
}

}  // namespace
