// The simulator's own frame codec, pinned to hand-written wire bytes.
#include <gtest/gtest.h>

#include <vector>

#include "tests/tools/SimTestFrames.h"
#include "tools/simulator/SimFrameDecoder.h"

namespace {
std::vector<BYTE> Join(std::vector<BYTE> a, const std::vector<BYTE>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST(SimFrameTest, EncodesTheWorkedExample)
{
    CSimFrame f;
    f.cls = CSimFrame::kWrite;
    f.address = 1;
    f.type = BLOCK_OUTPUT;
    f.item = 2;
    f.record = 5;
    f.link = 1;
    f.payload = {0x10, 0x27, 0x58, 0x02, 0x34, 0x00, 0x00, 0x00};
    EXPECT_EQ(f.Encode(), kWorkedExample);

    // A request reply echoes everything but the class and carries no link flag.
    const std::vector<BYTE> ack = {0x82, 0x82, 0x82, 0xEE, 'Q', 0x01, 0x00, 0x04, 0x02, 0x05, 0x00, 0x00,
                                   0x00, 0x00, 0x53, 0xAA};
    EXPECT_EQ(f.ReplyWith(CSimFrame::kAck).Encode(), ack);
}

TEST(SimFrameTest, DecodesWhateverTheDeliverySplitAndSkipsFill)
{
    const std::vector<BYTE> stream =
        Join(Join({0x00, 0x82, 0x82, 0xEE, 0x11}, kWorkedExample), std::vector<BYTE>(40, 0x00));
    for (size_t chunk : {size_t(1), size_t(2), size_t(5), size_t(24), stream.size()}) {
        CSimFrameDecoder decoder;
        int frames = 0;
        for (size_t at = 0; at < stream.size(); at += chunk) {
            for (size_t k = at; k < std::min(stream.size(), at + chunk); ++k) {
                if (decoder.Feed(stream[k]) == CSimFrameDecoder::Event::Frame) {
                    ++frames;
                    const CSimFrame& f = decoder.LastFrame();
                    EXPECT_TRUE(f.valid);
                    EXPECT_EQ(f.cls, 0xA1);
                    EXPECT_EQ(f.type, 4);
                    EXPECT_EQ(f.item, 2);
                    EXPECT_EQ(f.record, 5);
                    EXPECT_EQ(f.link, 1);
                    EXPECT_EQ(f.payload, std::vector<BYTE>(kWorkedExample.begin() + 14, kWorkedExample.end() - 2));
                    EXPECT_EQ(f.bytes, kWorkedExample);
                }
            }
        }
        EXPECT_EQ(frames, 1) << "chunk " << chunk;
    }
}

TEST(SimFrameTest, OnlyExactlyThreePreambleBytesStartAFrame)
{
    const std::vector<BYTE> body(kWorkedExample.begin() + 3, kWorkedExample.end());
    struct Case {
        std::vector<BYTE> preamble;
        size_t frames;
    } cases[] = {
        {{0x82, 0x82, 0x82}, 1},
        {{0x82, 0x82, 0x82, 0x82}, 0},
        {{0x82, 0x82}, 0},
        {{0x82, 0x82, 0x00, 0x82}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeAll(Join(c.preamble, body)).size(), c.frames) << c.preamble.size();
}

TEST(SimFrameTest, BadEndByteOrXorGivesAnInvalidFrameAndHuntingGoesOn)
{
    for (size_t spoil : {kWorkedExample.size() - 1, kWorkedExample.size() - 2, size_t(16)}) {
        std::vector<BYTE> bad = kWorkedExample;
        bad[spoil] ^= 0x01;
        const std::vector<CSimFrame> frames = DecodeAll(Join(bad, kWorkedExample));
        ASSERT_EQ(frames.size(), 2u) << spoil;
        EXPECT_FALSE(frames[0].valid) << spoil;
        EXPECT_TRUE(frames[1].valid) << spoil;
    }
}

TEST(SimFrameTest, DeclaredLengthAbove387IsRefusedAndTheNextFrameFound)
{
    std::vector<CSimFrame> frames = DecodeAll(Frame(CSimFrame::kData, 0, BLOCK_OUTPUT, 0, 0, std::vector<BYTE>(387, 0x5A)));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(frames[0].valid);
    EXPECT_EQ(frames[0].payload.size(), 387u);

    for (int declared : {388, 65535}) {
        std::vector<BYTE> header = {0x82, 0x82, 0x82, 0xEE, 'S', 1, 0, 4, 0, 0, 0, 0, BYTE(declared & 0xFF),
                                    BYTE(declared >> 8)};
        frames = DecodeAll(Join(header, kWorkedExample));
        ASSERT_EQ(frames.size(), 1u) << declared;
        EXPECT_EQ(frames[0].bytes, kWorkedExample);
    }
    // A preamble inside a refused header is still found: the outer header
    // declares 0x0201 bytes with its own bytes 9 and 10, which are the inner
    // frame's class, address and slot.
    CSimFrame inner;
    inner.cls = 0xA1;
    inner.address = 0x01;
    inner.slot = 0x02;
    inner.type = BLOCK_OUTPUT;
    inner.payload.assign(8, 0x33);
    const std::vector<BYTE> innerBytes = inner.Encode();
    std::vector<BYTE> outer = {0x82, 0x82, 0x82, 0xEE, 'S', 0x01, 0x00};
    frames = DecodeAll(Join(outer, innerBytes));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(frames[0].valid);
    EXPECT_EQ(frames[0].bytes, innerBytes);
}

TEST(SimFrameTest, RecognisesTheSyncPatternOfAWholeReport)
{
    const std::vector<BYTE> report = SyncReport();
    int syncs = 0;
    DecodeAll(Join(report, report), &syncs);
    EXPECT_EQ(syncs, 2);

    syncs = 0;
    DecodeAll(std::vector<BYTE>(report.begin(), report.end() - 1), &syncs);
    EXPECT_EQ(syncs, 0);

    // A stray 43 before the pattern does not hide it.
    syncs = 0;
    DecodeAll(Join({0x43, 0x43}, {report.begin() + 1, report.end()}), &syncs);
    EXPECT_EQ(syncs, 1);
}
