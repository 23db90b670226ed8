#include <gtest/gtest.h>

#include "link/FrameCollector.h"
#include "tests/link/ReplyTestSupport.h"

namespace {

class FrameCollectorTest : public ::testing::Test {
protected:
    // Feeds the pieces one delivery each; the lengths returned, 0 included.
    std::vector<int> Feed(const std::vector<Bytes>& deliveries)
    {
        std::vector<int> lengths;
        for (const Bytes& d : deliveries)
            lengths.push_back(m_collector.Feed(d.data(), int(d.size()), m_frame));
        return lengths;
    }
    Bytes Collected(int length) const { return Bytes(m_frame, m_frame + length); }

    CFrameCollector m_collector;
    BYTE m_frame[FRAME_BUFFER_SIZE] = {};
};

// A frame from its 0xEE on, as the collector hands it out.
Bytes FromStart(const Bytes& wire) { return Bytes(wire.begin() + 3, wire.end()); }

TEST_F(FrameCollectorTest, PreambleSplitAcrossDeliveriesIsRecognised)
{
    const Bytes frame = Ack();
    EXPECT_EQ(Feed({{0x82, 0x82}, {0x82}, Bytes(frame.begin() + 3, frame.end())}),
              (std::vector<int>{0, 0, 13}));
    EXPECT_EQ(Collected(13), FromStart(frame));
}

TEST_F(FrameCollectorTest, OnlyExactlyThreePreambleBytesStartAFrame)
{
    const Bytes tail = FromStart(Ack());
    struct Case {
        const char* name;
        Bytes lead;
        int expected;
    };
    const Case cases[] = {
        {"three", {0x82, 0x82, 0x82}, 13},
        {"four", {0x82, 0x82, 0x82, 0x82}, 0},
        {"two", {0x82, 0x82}, 0},
        {"broken run", {0x82, 0x82, 0x00, 0x82}, 0},
        {"long run", Bytes(1000, 0x82), 0},
        {"noise first", {0x11, 0xEE, 0xAA, 0x82, 0x82, 0x82}, 13},
    };
    for (const Case& c : cases) {
        CFrameCollector collector;
        Bytes wire = c.lead;
        wire.insert(wire.end(), tail.begin(), tail.end());
        EXPECT_EQ(collector.Feed(wire.data(), int(wire.size()), m_frame), c.expected) << c.name;
    }
}

TEST_F(FrameCollectorTest, CompletesAtPayloadLengthPlusThirteen)
{
    const Bytes wire = Data(4, 0, Bytes(296, 0x5A));
    // Five HID reports: nothing before the fifth, then 309 bytes from 0xEE.
    std::vector<Bytes> reports;
    for (const std::vector<BYTE>& r : ToReports(wire))
        reports.push_back(Bytes(r.begin() + 1, r.end()));
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_EQ(Feed(reports), (std::vector<int>{0, 0, 0, 0, 309}));
    EXPECT_EQ(Collected(309), FromStart(wire));
    EXPECT_FALSE(m_collector.IsCollecting());
    EXPECT_EQ(m_collector.CollectedCount(), 0);
}

TEST_F(FrameCollectorTest, BytesBehindACompleteFrameAreDropped)
{
    Bytes wire = Ack();
    const Bytes second = Ack(7);
    wire.insert(wire.end(), second.begin(), second.end());
    EXPECT_EQ(Feed({wire}), (std::vector<int>{13}));
    EXPECT_EQ(m_frame[5], 0);
    // The next delivery starts hunting afresh.
    EXPECT_EQ(Feed({second}), (std::vector<int>{13}));
    EXPECT_EQ(m_frame[5], 7);
}

TEST_F(FrameCollectorTest, DeclaredLengthsAboveTheBufferAreRefused)
{
    struct Case {
        int payload;
        int expected;
    };
    for (const Case c : {Case{387, 400}, Case{388, 0}, Case{65535, 0}}) {
        CFrameCollector collector;
        Bytes wire = {0x82, 0x82, 0x82, 0xEE, 'S', 1, 0, 9, 0, 0, 0, 0, BYTE(c.payload & 0xFF),
                      BYTE(c.payload >> 8)};
        wire.resize(wire.size() + 387 + 2, 0x33);
        EXPECT_EQ(collector.Feed(wire.data(), int(wire.size()), m_frame), c.expected) << c.payload;
        if (c.expected == 0) {
            // Refused at its length: hunting again, nothing kept.
            EXPECT_FALSE(collector.IsCollecting()) << c.payload;
            EXPECT_EQ(collector.CollectedCount(), 0) << c.payload;
        }
    }
}

TEST_F(FrameCollectorTest, AfterARefusedLengthAFrameInsideTheHeaderIsFound)
{
    // A start whose "length" bytes are the preamble of a real frame's
    // header: 82 82 82 EE, then eight bytes, then 0x82 0x82 as the length
    // (33410, refused), then 82 EE and the rest of a real frame.
    const Bytes real = Ack(9);
    Bytes wire = {0x82, 0x82, 0x82, 0xEE, 1, 2, 3, 4, 5, 6, 7, 0x82, 0x82};
    wire.insert(wire.end(), real.begin() + 2, real.end());
    EXPECT_EQ(Feed({wire}), (std::vector<int>{13}));
    EXPECT_EQ(Collected(13), FromStart(real));
}

TEST_F(FrameCollectorTest, ResetDropsTheFrameButKeepsThePreambleRun)
{
    const Bytes frame = Ack();
    Feed({Bytes(frame.begin(), frame.begin() + 8)});
    EXPECT_TRUE(m_collector.IsCollecting());
    m_collector.Reset();
    EXPECT_FALSE(m_collector.IsCollecting());
    EXPECT_EQ(m_collector.CollectedCount(), 0);
    // The rest of the old frame is no frame; a preamble run survives a reset.
    EXPECT_EQ(Feed({Bytes(frame.begin() + 8, frame.end()), {0x82, 0x82}}), (std::vector<int>{0, 0}));
    m_collector.Reset();
    EXPECT_EQ(m_collector.PreambleCount(), 2);
    EXPECT_EQ(Feed({Bytes(frame.begin() + 2, frame.end())}), (std::vector<int>{13}));
}

}  // namespace
