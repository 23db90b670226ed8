// The simulated device driven in-process, as a fake USB device, a network
// stream and a serial line would drive it.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tests/tools/SimTestFrames.h"
#include "tools/simulator/SimDevice.h"

namespace {
std::vector<BYTE> Request(BYTE slot, BYTE type, BYTE item, BYTE record = 0)
{
    return Frame(CSimFrame::kRequest, slot, type, item, record, std::vector<BYTE>(8, 0));
}
std::vector<BYTE> Write(BYTE slot, BYTE type, BYTE item, BYTE record, std::vector<BYTE> payload)
{
    return Frame(CSimFrame::kWrite, slot, type, item, record, std::move(payload));
}

CSimFrame Decode(const std::vector<BYTE>& bytes)
{
    const std::vector<CSimFrame> frames = DecodeAll(bytes);
    if (frames.empty()) {
        ADD_FAILURE() << "no frame in " << bytes.size() << " bytes";
        return CSimFrame();
    }
    return frames.front();
}

const BYTE* Block(const DeviceImage& image, BYTE type, int channel)
{
    switch (type) {
    case BLOCK_MIC:
        return image.bytes + MIC_OFFSET;
    case BLOCK_EFFECT:
        return image.bytes + EFFECT_OFFSET;
    case BLOCK_MUSIC:
        return image.bytes + MusicBlockOffset(channel);
    default:
        return image.bytes + OutputBlockOffset(channel);
    }
}

class SimDeviceTest : public ::testing::Test {
protected:
    static CSimState Factory()
    {
        InitDefaultDeviceData();
        CSimState s = CSimState::FromModelGlobals();
        // Every slot tells itself apart, so that a read of the wrong slot shows.
        for (int slot = 0; slot <= MACHINE_PRESET_COUNT; ++slot) {
            DeviceImage* image = s.Image(slot);
            for (int k = PRESET_NAME_SIZE; k < IMAGE_SIZE; ++k)
                image->bytes[k] = BYTE(k * 7 + slot * 31);
            std::snprintf(reinterpret_cast<char*>(image->bytes), PRESET_NAME_SIZE, "Slot %d", slot);
        }
        for (int k = 0; k < CSimState::kSystemItemBytes; ++k)
            s.system[k] = BYTE(100 + k);
        s.system[40] = 3;
        for (int k = 0; k < MODE_GAINS_SIZE; ++k)
            s.modeGains[k] = BYTE(200 - k);
        for (int k = 0; k < DEVICE_STATUS_COUNT; ++k)
            s.status[k] = BYTE(k + 1);
        return s;
    }

    SimDeviceTest()
        : factory(Factory()), device(factory)
    {
        net = device.OpenSession(CSimPath::Network);
        usb = device.OpenSession(CSimPath::Usb);
    }

    std::vector<CSimReply> Send(const std::vector<BYTE>& bytes, int session = 0)
    {
        return device.Feed(session ? session : net, bytes.data(), bytes.size());
    }
    // Sends one frame and decodes its one reply.
    CSimFrame Ask(const std::vector<BYTE>& bytes)
    {
        const std::vector<CSimReply> replies = Send(bytes);
        if (replies.size() != 1 || replies[0].bytes.empty()) {
            ADD_FAILURE() << "expected one reply, got " << replies.size();
            return CSimFrame();
        }
        return Decode(replies[0].bytes);
    }
    std::vector<CSimReply> SendReport(const std::vector<BYTE>& report) { return device.FeedReport(usb, report.data()); }

    const CSimState factory;
    CSimDevice device;
    int net = 0;
    int usb = 0;
};
}  // namespace

TEST_F(SimDeviceTest, AnswersHandshakeVersionAndStatus)
{
    CSimFrame r = Ask(kHandshake);
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.cls, 'S');
    EXPECT_EQ(r.type, 9);
    EXPECT_EQ(r.item, 0xCC);
    EXPECT_EQ(r.payload, std::vector<BYTE>{0});

    r = Ask(Request(0, 9, 4));
    EXPECT_EQ(r.cls, 'S');
    EXPECT_EQ(r.item, 4);
    EXPECT_EQ(std::string(r.payload.begin(), r.payload.end()), "KRVA-BV1.00");

    device.SetVersionTag("KRVA-BV2.00");
    r = Ask(Request(0, 9, 4));
    EXPECT_EQ(std::string(r.payload.begin(), r.payload.end()), "KRVA-BV2.00");

    // The status poll's payload means nothing; the reply carries 1 to 35 bytes.
    for (int length : {1, 17, 35}) {
        CSimState s = device.State();
        s.statusLength = length;
        device.SetState(s);
        r = Ask(Frame(CSimFrame::kRequest, 0, 9, 3, 0, {0x10, 0x27, 0x58, 0x02, 0x34, 0, 0, 0}));
        EXPECT_EQ(r.cls, 'S');
        EXPECT_EQ(r.item, 3);
        ASSERT_EQ(r.payload.size(), size_t(length));
        EXPECT_EQ(r.payload[0], 1);
        EXPECT_EQ(r.payload.back(), length);
    }
}

TEST_F(SimDeviceTest, SystemItemsAndNamesComeFromItsState)
{
    struct Case {
        BYTE slot;
        BYTE item;
        std::vector<BYTE> payload;
    };
    std::vector<Case> cases = {
        {0, 2, {factory.system + 0, factory.system + 8}},
        {0, 5, {factory.system + 8, factory.system + 16}},
        {0, 6, {factory.system + 16, factory.system + 24}},
        {0, 7, {factory.system + 24, factory.system + 32}},
        {0, 52, {3}},
        {0, 64, {factory.modeGains, factory.modeGains + MODE_GAINS_SIZE}},
        {0, 0, {factory.live.bytes, factory.live.bytes + PRESET_NAME_SIZE}},
        {4, 0, {factory.presets[3].bytes, factory.presets[3].bytes + PRESET_NAME_SIZE}},
    };
    for (const Case& c : cases) {
        const CSimFrame r = Ask(Request(c.slot, 9, c.item));
        EXPECT_EQ(r.cls, 'S') << int(c.item);
        EXPECT_EQ(r.slot, c.slot) << int(c.item);
        EXPECT_EQ(r.item, c.item);
        EXPECT_EQ(r.payload, c.payload) << int(c.item);
    }
    // Nothing to give: acknowledged, so that the program moves on.
    for (const std::vector<BYTE>& nothing : {Request(7, 9, 0), Request(0, 9, 99), Request(0, 5, 0)})
        EXPECT_EQ(Ask(nothing).cls, 'Q');
}

TEST_F(SimDeviceTest, BlockRequestsReadOrRecallTheSlotAndEchoTheRecordByte)
{
    struct Case {
        BYTE type;
        BYTE channel;
        size_t size;
    } blocks[] = {{1, 0, 112}, {2, 0, 96}, {3, 3, 288}, {4, 11, 296}};
    for (const Case& b : blocks) {
        // Record 0x77 reads slot s, the live set included, and changes nothing.
        const CSimState before = device.State();
        for (BYTE slot : {0, 2, 6}) {
            const CSimFrame r = Ask(Request(slot, b.type, b.channel, 0x77));
            EXPECT_EQ(r.cls, 'S');
            EXPECT_EQ(r.slot, slot);
            EXPECT_EQ(r.type, b.type);
            EXPECT_EQ(r.item, b.channel);
            EXPECT_EQ(r.record, 0x77);
            const BYTE* expected = Block(*before.Image(slot), b.type, b.channel);
            EXPECT_EQ(r.payload, std::vector<BYTE>(expected, expected + b.size)) << int(b.type) << " " << int(slot);
        }
        EXPECT_EQ(std::memcmp(device.State().live.bytes, before.live.bytes, IMAGE_SIZE), 0);

        // Record 0 with slot 3 recalls preset 3's block into the live image.
        const CSimFrame r = Ask(Request(3, b.type, b.channel, 0));
        EXPECT_EQ(r.record, 0);
        EXPECT_EQ(r.slot, 3);
        const BYTE* preset = Block(factory.presets[2], b.type, b.channel);
        EXPECT_EQ(r.payload, std::vector<BYTE>(preset, preset + b.size));
        const CSimState now = device.State();
        EXPECT_EQ(std::memcmp(Block(now.live, b.type, b.channel), preset, b.size), 0);
    }
    // No such channel or slot.
    for (const std::vector<BYTE>& bad : {Request(0, 3, 4, 0x77), Request(0, 4, 12, 0x77), Request(7, 4, 0, 0x77)})
        EXPECT_EQ(Ask(bad).cls, 'Q');
}

TEST_F(SimDeviceTest, WritesAreAppliedAndAcknowledged)
{
    CSimFrame r = Ask(kWorkedExample);
    EXPECT_EQ(r.cls, 'Q');
    EXPECT_EQ(r.item, 2);
    EXPECT_EQ(r.record, 5);
    EXPECT_TRUE(r.payload.empty());
    CSimState s = device.State();
    EXPECT_EQ(std::memcmp(s.live.bytes + OutputBlockOffset(2) + 40, WorkedExampleRecord().data(), 8), 0);

    // A whole output block into machine preset 4, a music block live.
    std::vector<BYTE> block(OUTPUT_BLOCK_SIZE);
    for (size_t k = 0; k < block.size(); ++k)
        block[k] = BYTE(k ^ 0xA5);
    EXPECT_EQ(Ask(Write(4, 4, 3, 0, block)).cls, 'Q');
    EXPECT_EQ(Ask(Write(0, 3, 1, 0, {block.begin(), block.begin() + MUSIC_BLOCK_SIZE})).cls, 'Q');
    EXPECT_EQ(Ask(Write(0, 2, 0, 0, {block.begin(), block.begin() + EFFECT_FRAME_SIZE})).cls, 'Q');
    // System items.
    const std::vector<BYTE> eight = {1, 2, 3, 4, 5, 6, 7, 8};
    for (BYTE item : {2, 5, 6, 7})
        EXPECT_EQ(Ask(Write(0, 9, item, 0, eight)).cls, 'Q');
    std::vector<BYTE> name(PRESET_NAME_SIZE, 0);
    std::memcpy(name.data(), "Karaoke", 7);
    EXPECT_EQ(Ask(Write(2, 9, 0, 0, name)).cls, 'Q');
    EXPECT_EQ(Ask(Write(0, 9, 52, 0, {5})).cls, 'Q');
    EXPECT_EQ(Ask(Write(0, 9, 64, 0, std::vector<BYTE>(MODE_GAINS_SIZE, 9))).cls, 'Q');

    s = device.State();
    EXPECT_EQ(std::memcmp(s.presets[3].bytes + OutputBlockOffset(3), block.data(), OUTPUT_BLOCK_SIZE), 0);
    EXPECT_EQ(std::memcmp(s.live.bytes + MusicBlockOffset(1), block.data(), MUSIC_BLOCK_SIZE), 0);
    EXPECT_EQ(std::memcmp(s.live.bytes + EFFECT_OFFSET, block.data(), EFFECT_FRAME_SIZE), 0);
    EXPECT_EQ(s.live.bytes[EFFECT_OFFSET + EFFECT_FRAME_SIZE], factory.live.bytes[EFFECT_OFFSET + EFFECT_FRAME_SIZE]);
    for (int group : {0, 8, 16, 24})
        EXPECT_EQ(std::memcmp(s.system + group, eight.data(), 8), 0) << group;
    EXPECT_EQ(std::memcmp(s.presets[1].bytes, name.data(), PRESET_NAME_SIZE), 0);
    EXPECT_EQ(s.system[40], 5);
    EXPECT_EQ(s.modeGains[97], 9);
    // Read back what was written: the device keeps it byte for byte.
    EXPECT_EQ(Ask(Request(4, 4, 3, 0x77)).payload, block);

    // Writes the device cannot place are acknowledged and change nothing.
    const CSimState before = device.State();
    for (const std::vector<BYTE>& bad : {
             Write(0, 4, 12, 0, eight),                      // no output 12
             Write(7, 4, 0, 0, eight),                       // no slot 7
             Write(0, 4, 0, 37, eight),                      // record past the block
             Write(0, 4, 0, 0, std::vector<BYTE>(100, 1)),   // neither record nor block
             Write(0, 9, 2, 0, {1, 2, 3}),                   // short system item
             Write(0, 9, 52, 0, {7}),                        // no preset 7
             Write(0, 9, 0, 0, std::vector<BYTE>(15, 'x')),  // short name
         }) {
        EXPECT_EQ(Ask(bad).cls, 'Q');
        EXPECT_FALSE(device.Log().back().handled);
    }
    const CSimState after = device.State();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_F(SimDeviceTest, FactoryResetRestoresThePowerOnState)
{
    Send(kWorkedExample);
    Send(Write(0, 9, 2, 0, {9, 9, 9, 9, 9, 9, 9, 9}));
    ASSERT_NE(std::memcmp(device.State().live.bytes, factory.live.bytes, IMAGE_SIZE), 0);
    EXPECT_EQ(Ask(Write(0, 9, 96, 0, std::vector<BYTE>(8, 0))).cls, 'Q');
    const CSimState s = device.State();
    EXPECT_EQ(std::memcmp(s.live.bytes, factory.live.bytes, IMAGE_SIZE), 0);
    EXPECT_EQ(std::memcmp(s.system, factory.system, sizeof s.system), 0);
}

TEST_F(SimDeviceTest, AFrameThatFailsItsChecksIsAskedForAgain)
{
    std::vector<BYTE> bad = kWorkedExample;
    bad[22] ^= 0x40;
    const CSimFrame r = Ask(bad);
    EXPECT_EQ(r.cls, 'R');
    EXPECT_EQ(r.item, 2);
    EXPECT_EQ(r.record, 5);
    EXPECT_EQ(std::memcmp(device.State().live.bytes, factory.live.bytes, IMAGE_SIZE), 0);
}

TEST_F(SimDeviceTest, UsbReportsCarryFramesBothWays)
{
    // A 312-byte block write arrives as five reports; the reply to the
    // fifth is the acknowledgement.
    std::vector<BYTE> block(OUTPUT_BLOCK_SIZE, 0x3C);
    const std::vector<std::vector<BYTE>> reports = CSimDevice::ToReports(Write(0, 4, 7, 0, block));
    ASSERT_EQ(reports.size(), 5u);
    for (size_t k = 0; k < 4; ++k)
        EXPECT_TRUE(SendReport(reports[k]).empty());
    std::vector<CSimReply> replies = SendReport(reports[4]);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(Decode(replies[0].bytes).cls, 'Q');

    // The block read reply: five input reports, report id 0, zero fill.
    replies = SendReport(CSimDevice::ToReports(Request(0, 4, 7, 0x77))[0]);
    ASSERT_EQ(replies.size(), 1u);
    ASSERT_EQ(replies[0].bytes.size(), 312u);
    const std::vector<std::vector<BYTE>> in = CSimDevice::ToReports(replies[0].bytes);
    ASSERT_EQ(in.size(), 5u);
    for (const std::vector<BYTE>& report : in) {
        EXPECT_EQ(report.size(), 65u);
        EXPECT_EQ(report[0], 0);
    }
    EXPECT_EQ(std::vector<BYTE>(in[4].begin() + 1, in[4].begin() + 57),
              std::vector<BYTE>(replies[0].bytes.begin() + 256, replies[0].bytes.end()));
    EXPECT_EQ(std::vector<BYTE>(in[4].begin() + 57, in[4].end()), std::vector<BYTE>(8, 0));
    EXPECT_EQ(Decode(replies[0].bytes).payload, block);
}

TEST_F(SimDeviceTest, SerialLineDeliversOneByteAtATime)
{
    const int serial = device.OpenSession(CSimPath::Serial);
    std::vector<CSimReply> replies;
    for (BYTE b : kHandshake) {
        for (CSimReply& r : device.Feed(serial, &b, 1))
            replies.push_back(std::move(r));
    }
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(Decode(replies[0].bytes).item, 0xCC);
    EXPECT_EQ(device.Log().back().path, CSimPath::Serial);
}

TEST_F(SimDeviceTest, FirmwareUpdateOverUsb)
{
    // The sync pattern is never answered; it starts update mode.
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(SendReport(SyncReport()).empty());
    EXPECT_TRUE(device.InUpdateMode());
    EXPECT_EQ(device.SyncCount(), 5);

    struct Step {
        BYTE code;
        size_t payload;
    } steps[] = {{'6', 16}, {':', 16}, {';', 48}, {'7', 4}, {'8', 48}, {'8', 48}, {'9', 1}};
    for (const Step& step : steps) {
        const std::vector<CSimReply> replies = SendReport(FirmwareReport(step.code, step.payload));
        ASSERT_EQ(replies.size(), 1u) << step.code;
        const CSimFrame r = Decode(replies[0].bytes);
        EXPECT_EQ(r.cls, 'Q');
        // The command code is frame byte 8.
        EXPECT_EQ(replies[0].bytes[8], step.code);
        EXPECT_FALSE(replies[0].reset);
    }
    EXPECT_FALSE(device.InUpdateMode());

    // The log holds the sync once, then every command in order.
    const std::vector<CSimLogEntry> log = device.Log();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_TRUE(log[0].sync);
    for (size_t k = 0; k < 7; ++k) {
        EXPECT_EQ(log[k + 1].number, static_cast<long long>(k + 1));
        EXPECT_EQ(log[k + 1].frame.item, steps[k].code);
        EXPECT_EQ(log[k + 1].reply, 'Q');
    }
}

TEST_F(SimDeviceTest, FirmwareUpdateOverTheNetworkReadsChunksAndLeavesHexEndUnanswered)
{
    std::vector<BYTE> stream;
    for (int k = 0; k < 3; ++k) {
        const std::vector<BYTE> sync = SyncReport();
        stream.insert(stream.end(), sync.begin(), sync.end());
    }
    const BYTE codes[] = {'6', ':', ';', ';', '7', '8', '9'};
    for (BYTE code : codes) {
        const std::vector<BYTE> chunk = FirmwareReport(code, code == '9' ? 1 : 16);
        stream.insert(stream.end(), chunk.begin(), chunk.end());
    }
    // Delivered in odd pieces: the 65-byte chunks are the unit, not the reads.
    std::vector<BYTE> answered;
    for (size_t at = 0; at < stream.size(); at += 23) {
        const std::vector<BYTE> piece(stream.begin() + at, stream.begin() + std::min(stream.size(), at + 23));
        for (const CSimReply& r : Send(piece)) {
            if (!r.bytes.empty())
                answered.push_back(Decode(r.bytes).item);
        }
    }
    EXPECT_EQ(answered, std::vector<BYTE>({'6', ':', ';', ';', '7', '8'}));
    EXPECT_FALSE(device.InUpdateMode());
    EXPECT_EQ(device.Log().back().frame.item, '9');
    EXPECT_EQ(device.Log().back().reply, 0);

    // Back in normal mode frames come one per write again.
    EXPECT_EQ(Ask(kHandshake).item, 0xCC);
}

TEST_F(SimDeviceTest, RestartAfterApplyResetsTheLinkAfterTheAnswer)
{
    device.SetRestartAfterApply(true);
    SendReport(SyncReport());
    std::vector<CSimReply> replies = SendReport(FirmwareReport('6', 16));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(Decode(replies[0].bytes).cls, 'Q');
    EXPECT_TRUE(replies[0].reset);
    // The device comes back still in update mode.
    EXPECT_TRUE(device.InUpdateMode());
    replies = SendReport(FirmwareReport(':', 16));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_FALSE(replies[0].reset);
}

TEST_F(SimDeviceTest, FaultKnobsHitOnlyTheirFrame)
{
    using K = CSimFault::Kind;
    struct Case {
        K kind;
        std::vector<BYTE> frame;  // sent as frame 2, after a handshake
        int delayMs;
    } cases[] = {
        {K::Delay, kWorkedExample, 250},   {K::NoReply, kWorkedExample, 0}, {K::Resend, kWorkedExample, 0},
        {K::BadXor, Request(0, 9, 4), 0}, {K::WrongVersion, Request(0, 9, 4), 0},
        {K::EmptyStatus, Request(0, 9, 3), 0}, {K::Close, kWorkedExample, 0},
        {K::Refuse, Request(0, 9, 3), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CSimFault::Name(c.kind));
        CSimDevice d(factory);
        CSimFault fault;
        fault.kind = c.kind;
        fault.frame = 2;
        fault.delayMs = c.delayMs;
        d.SetFaults({fault});
        const int s = d.OpenSession(CSimPath::Network);
        // Frames 1 and 2 in one delivery; with Close a third one behind them.
        std::vector<BYTE> stream = kHandshake;
        stream.insert(stream.end(), c.frame.begin(), c.frame.end());
        if (c.kind == K::Close)
            stream.insert(stream.end(), c.frame.begin(), c.frame.end());
        std::vector<CSimReply> replies = d.Feed(s, stream.data(), stream.size());

        // Frame 1 is untouched.
        ASSERT_GE(replies.size(), 2u);
        EXPECT_EQ(Decode(replies[0].bytes).item, 0xCC);
        EXPECT_EQ(replies[0].delayMs, 0);
        const CSimReply& hit = replies[1];
        const std::vector<CSimLogEntry> log = d.Log();
        EXPECT_EQ(log[1].faults, std::vector<K>{c.kind});

        const bool written = std::memcmp(d.State().live.bytes + OutputBlockOffset(2) + 40,
                                         WorkedExampleRecord().data(), 8) == 0;
        switch (c.kind) {
        case K::Delay:
            EXPECT_EQ(hit.delayMs, 250);
            EXPECT_EQ(Decode(hit.bytes).cls, 'Q');
            break;
        case K::NoReply:
            EXPECT_TRUE(hit.bytes.empty());
            EXPECT_TRUE(written);
            break;
        case K::Resend:
            EXPECT_EQ(Decode(hit.bytes).cls, 'R');
            EXPECT_FALSE(written);
            break;
        case K::BadXor:
            EXPECT_FALSE(Decode(hit.bytes).valid);
            break;
        case K::WrongVersion: {
            const CSimFrame r = Decode(hit.bytes);
            EXPECT_EQ(std::string(r.payload.begin(), r.payload.end()), "KRVA-CV1.00");
            break;
        }
        case K::EmptyStatus:
            EXPECT_EQ(Decode(hit.bytes).cls, 'S');
            EXPECT_TRUE(Decode(hit.bytes).payload.empty());
            break;
        case K::Refuse:
            EXPECT_EQ(Decode(hit.bytes).cls, 'Q');
            EXPECT_TRUE(Decode(hit.bytes).payload.empty());
            break;
        case K::Close:
            // The connection goes; the rest of the delivery is dropped.
            EXPECT_TRUE(hit.close);
            EXPECT_TRUE(hit.bytes.empty());
            EXPECT_EQ(replies.size(), 2u);
            EXPECT_FALSE(written);
            continue;
        }
        // Frame 3, the same as frame 2, is answered normally.
        ASSERT_EQ(replies.size(), 2u);
        for (CSimReply& r : d.Feed(s, c.frame.data(), c.frame.size()))
            replies.push_back(std::move(r));
        ASSERT_EQ(replies.size(), 3u);
        const CSimFrame third = Decode(replies[2].bytes);
        EXPECT_TRUE(third.valid);
        EXPECT_NE(third.cls, 'R');
        EXPECT_EQ(replies[2].delayMs, 0);
        EXPECT_TRUE(d.Log()[2].faults.empty());
        if (c.frame == Request(0, 9, 3)) {
            EXPECT_EQ(third.payload.size(), 35u);
        }
        if (c.frame == Request(0, 9, 4)) {
            EXPECT_EQ(std::string(third.payload.begin(), third.payload.end()), "KRVA-BV1.00");
        }
    }
}

TEST_F(SimDeviceTest, AFaultOnFrameZeroHitsEveryFrame)
{
    CSimFault fault;
    fault.kind = CSimFault::Kind::EmptyStatus;
    device.SetFaults({fault});
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(Ask(Request(0, 9, 3)).payload.empty());
}

TEST_F(SimDeviceTest, LogsEveryFrameInOrder)
{
    Send(kHandshake);
    Send(Request(0, 9, 4));
    Send(kWorkedExample);
    Send(Request(2, 4, 11, 0x77));
    const std::vector<CSimLogEntry> log = device.Log();
    ASSERT_EQ(log.size(), 4u);
    const BYTE items[] = {0xCC, 4, 2, 11};
    const BYTE replies[] = {'S', 'S', 'Q', 'S'};
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(log[k].number, static_cast<long long>(k + 1));
        EXPECT_EQ(log[k].frame.item, items[k]);
        EXPECT_EQ(log[k].reply, replies[k]);
        EXPECT_TRUE(log[k].handled);
    }
    EXPECT_EQ(log[2].frame.bytes, kWorkedExample);
    EXPECT_EQ(log[3].Describe(false), "4 [net#1] A2 slot 2 type 4 item 11 rec 77 len 8 -> S");

    device.SetLogLimit(2);
    EXPECT_EQ(device.Log().size(), 2u);
    EXPECT_EQ(device.Log().front().number, 3);
    EXPECT_EQ(device.FrameCount(), 4);
}

TEST_F(SimDeviceTest, HostileBytesNeverBreakIt)
{
    // Random bytes, and valid frames with random fields and lengths, some
    // of them cut or spoiled. Nothing may crash or read out of bounds (the
    // sanitizer build watches); every frame that completes gets one answer
    // unless it is a HEXEnd over the network or a sync.
    std::mt19937 rng(7734);
    auto byte = [&] { return BYTE(rng() & 0xFF); };
    device.SetLogLimit(100);
    long long frames = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<BYTE> bytes;
        if (rng() % 3 == 0) {
            bytes.resize(rng() % 80);
            for (BYTE& b : bytes)
                b = byte();
        } else {
            CSimFrame f;
            f.cls = rng() % 2 ? byte() : BYTE(0xA1 + rng() % 2);
            f.slot = BYTE(rng() % 9);
            f.type = rng() % 4 ? BYTE(rng() % 10) : byte();
            f.item = rng() % 4 ? BYTE(rng() % 13) : byte();
            f.record = byte();
            f.payload.resize(rng() % 2 ? rng() % 400 : 8 * (rng() % 40));
            for (BYTE& b : f.payload)
                b = byte();
            bytes = f.Encode();
            if (rng() % 5 == 0)
                bytes[rng() % bytes.size()] = byte();
            if (rng() % 7 == 0)
                bytes.resize(rng() % bytes.size());
        }
        for (const CSimReply& r : Send(bytes, rng() % 2 ? net : usb)) {
            ++frames;
            if (!r.bytes.empty()) {
                EXPECT_TRUE(Decode(r.bytes).valid);
            }
        }
    }
    EXPECT_EQ(frames, device.FrameCount());
    EXPECT_GT(frames, 5000);
    EXPECT_LE(device.Log().size(), 100u);
}
