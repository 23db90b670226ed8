#include <gtest/gtest.h>

#include <memory>

#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "link/LinkStatus.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/Language.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/QueueTestSupport.h"
#include "tests/link/ReplyTestSupport.h"

namespace {

class ReplyParserTest : public ::testing::Test {
protected:
    void SetUp() override { StartLinkTest(m_command, m_view, 1); }
    void TearDown() override { EndLinkTest(); }

    bool Feed(const Bytes& wire) { return m_command.FeedBytes(wire.data(), int(wire.size())); }
    // Queues a command; its progress position tells it apart.
    CSendData* Queue(int pos = 0)
    {
        auto command = Tagged(pos);
        CSendData* raw = command.get();
        m_command.AddCommand(std::move(command));
        return raw;
    }
    std::vector<CRecordingTarget::Received> Posted()
    {
        m_view.DeliverPosted();
        return m_view.Messages();
    }
    std::vector<CRecordingTarget::Received> Posted(UINT message)
    {
        m_view.DeliverPosted();
        return m_view.Messages(message);
    }

    CRecordingTarget m_view;
    CKTVCommand m_command;
};

Bytes Filled(int n, BYTE value) { return Bytes(size_t(n), value); }

// ---- Classes and checks ---------------------------------------------------------

TEST_F(ReplyParserTest, AcknowledgementRemovesTheHead)
{
    Queue(0);
    Queue(0);
    EXPECT_TRUE(Feed(Ack()));
    EXPECT_EQ(m_command.GetCount(), 1);
    // Removing the head clears the status bytes, the frame-done byte too.
    EXPECT_EQ(g_byLinkStatus[LINK_STATUS_FRAME_DONE].load(), 0);
}

TEST_F(ReplyParserTest, ResendRequestRewindsAndMarksTheHeadAndReadsOn)
{
    CSendData* head = Queue(0);
    BYTE report[HID_REPORT_SIZE];
    head->NextReport(report);
    EXPECT_FALSE(head->NextReport(report));

    EXPECT_FALSE(Feed(Resend()));
    EXPECT_EQ(m_command.GetCount(), 1);
    EXPECT_TRUE(head->IsResendRequested());
    EXPECT_TRUE(head->NextReport(report));  // from the first byte again
    EXPECT_EQ(g_byLinkStatus[LINK_STATUS_FRAME_DONE].load(), 1);
}

TEST_F(ReplyParserTest, FramesFailingTheirChecksAreDroppedAndTheReadGoesOn)
{
    Queue(0);
    Bytes badEnd = Ack();
    badEnd.back() = 0xAB;
    Bytes badXor = Data(9, 4, Bytes(11, 'K'));
    badXor[badXor.size() - 2] ^= 0x01;
    const ParserWritable before = ParserWritable::Capture();
    for (const Bytes& bad : {badEnd, badXor}) {
        ClearStatusBytes();
        EXPECT_FALSE(Feed(bad));
        EXPECT_EQ(g_byLinkStatus[LINK_STATUS_FRAME_BAD].load(), 1);
        EXPECT_EQ(m_command.GetCount(), 1);
    }
    EXPECT_TRUE(ParserWritable::Capture() == before);
    EXPECT_TRUE(Posted().empty());
    // Hunting again: the next good frame is taken.
    EXPECT_TRUE(Feed(Ack()));
    EXPECT_EQ(m_command.GetCount(), 0);
}

TEST_F(ReplyParserTest, UnknownClassEndsTheReadAndKeepsTheHead)
{
    Queue(0);
    EXPECT_TRUE(Feed(EncodeReply({'T', 0, 9, 0, 0}, {})));
    EXPECT_EQ(m_command.GetCount(), 1);
}

TEST_F(ReplyParserTest, FeedsOfEachTransportTakeTheirBytes)
{
    // USB: a 296-byte block in five reports, handed over on the fifth; the
    // frame bytes are zeroed in each report once taken.
    Queue(0);
    const auto reports = ToReports(Data(4, 0, Filled(OUTPUT_BLOCK_SIZE, 0x21)));
    std::vector<bool> results;
    for (std::vector<BYTE> r : reports) {
        BYTE report[HID_REPORT_SIZE];
        std::copy(r.begin(), r.end(), report);
        results.push_back(m_command.FeedHidReport(report, HID_REPORT_SIZE));
        EXPECT_EQ(std::count(report + 1, report + HID_REPORT_SIZE, 0), HID_REPORT_PAYLOAD);
    }
    EXPECT_EQ(results, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(g_CurrentImage.bytes[OutputBlockOffset(0)], 0x21);
    BYTE empty[HID_REPORT_SIZE] = {};
    EXPECT_TRUE(m_command.FeedHidReport(empty, 0));

    // Network: one receive, zeroed once taken.
    Queue(0);
    Bytes received = Ack();
    EXPECT_TRUE(m_command.FeedNetworkBytes(received.data(), int(received.size())));
    EXPECT_EQ(received, Bytes(received.size(), 0));

    // Serial: byte by byte, complete on the last.
    Queue(0);
    const Bytes wire = Ack();
    for (size_t k = 0; k + 1 < wire.size(); ++k)
        EXPECT_FALSE(m_command.FeedSerialByte(wire[k]));
    EXPECT_TRUE(m_command.FeedSerialByte(wire.back()));
    EXPECT_EQ(m_command.GetCount(), 0);
}

TEST_F(ReplyParserTest, ClearQueueDropsAHalfCollectedReply)
{
    const Bytes frame = Data(4, 0, Filled(OUTPUT_BLOCK_SIZE, 0x44));
    Feed(Bytes(frame.begin(), frame.begin() + 100));
    m_command.ClearQueue();
    EXPECT_FALSE(m_command.Collector().IsCollecting());
    EXPECT_FALSE(Feed(Bytes(frame.begin() + 100, frame.end())));
    EXPECT_NE(g_CurrentImage.bytes[OutputBlockOffset(0)], 0x44);
}

// ---- The connect handshake and the firmware request ---------------------------

TEST_F(ReplyParserTest, WhileTheHandshakeIsPendingOnlyItsReplyCounts)
{
    g_bHandshakePending = true;
    Queue(0);  // the handshake request
    Queue(0);  // the version request
    const ParserWritable before = ParserWritable::Capture();

    EXPECT_TRUE(Feed(Data(9, 4, Bytes(11, 'K'))));          // version: ignored
    EXPECT_TRUE(Feed(Data(9, SYSTEM_ITEM_HANDSHAKE, {1})));  // wrong byte
    EXPECT_TRUE(Feed(Data(9, SYSTEM_ITEM_HANDSHAKE, {0, 0})));  // too long
    EXPECT_TRUE(Feed(Data(9, 0, {})));                       // not even this
    EXPECT_EQ(m_command.GetCount(), 2);
    EXPECT_TRUE(g_bHandshakePending);
    EXPECT_FALSE(g_bFirmwareRequested);
    EXPECT_TRUE(ParserWritable::Capture() == before);
    EXPECT_TRUE(Posted().empty());

    EXPECT_TRUE(Feed(Data(9, SYSTEM_ITEM_HANDSHAKE, {0})));
    EXPECT_FALSE(g_bHandshakePending);
    EXPECT_EQ(m_command.GetCount(), 1);
    EXPECT_TRUE(Feed(Data(9, 4, Bytes(11, 'K'))));
    EXPECT_EQ(g_szDeviceVersion[0], 'K');
    EXPECT_EQ(m_command.GetCount(), 0);
}

TEST_F(ReplyParserTest, AnAcknowledgementRemovesTheHeadEvenDuringTheHandshake)
{
    g_bHandshakePending = true;
    Queue(0);
    EXPECT_TRUE(Feed(Ack()));
    EXPECT_EQ(m_command.GetCount(), 0);
    EXPECT_TRUE(g_bHandshakePending);
}

TEST_F(ReplyParserTest, AnEmptyDataReplyAsksForFirmwareAndKeepsTheHead)
{
    Queue(0);
    EXPECT_TRUE(Feed(Data(9, 3, {})));
    EXPECT_TRUE(g_bFirmwareRequested);
    EXPECT_EQ(m_command.GetCount(), 1);
    ASSERT_EQ(Posted(WM_FIRMWARE_REQUIRED).size(), 1u);
}

// ---- Stores --------------------------------------------------------------------

TEST_F(ReplyParserTest, BlocksGoWhereSlotRecordAndChannelSay)
{
    struct Case {
        const char* name;
        int block, item, slot, record;
        BYTE* target;
    };
    const Case cases[] = {
        {"live music 2", 3, 2, 0, 0, g_CurrentImage.bytes + MusicBlockOffset(2)},
        {"stored music of preset 3", 3, 1, 3, 0x77, g_MachinePresets[2].bytes + MusicBlockOffset(1)},
        {"recalled music of slot 5 is live", 3, 3, 5, 0, g_CurrentImage.bytes + MusicBlockOffset(3)},
        {"live output 0 with 'w' and slot 0", 4, 0, 0, 0x77, g_CurrentImage.bytes + OutputBlockOffset(0)},
        {"stored output 10 of preset 6", 4, 10, 6, 0x77, g_MachinePresets[5].bytes + OutputBlockOffset(10)},
    };
    BYTE value = 0x10;
    for (const Case& c : cases) {
        Queue(0);
        ++value;
        const int size = c.block == 3 ? MUSIC_BLOCK_SIZE : OUTPUT_BLOCK_SIZE;
        EXPECT_TRUE(Feed(Data(c.block, c.item, Filled(size, value), c.slot, c.record))) << c.name;
        EXPECT_EQ(c.target[0], value) << c.name;
        EXPECT_EQ(c.target[size - 1], value) << c.name;
        EXPECT_NE(c.target[size], value) << c.name;  // the next block is untouched
        EXPECT_EQ(m_command.GetCount(), 0) << c.name;
    }
    EXPECT_TRUE(Posted().empty());
}

TEST_F(ReplyParserTest, TheLastOutputBlockAnnouncesThePreset)
{
    struct Case {
        int slot, record;
        UINT message;  // 0: nothing
        WPARAM wParam;
    };
    const Case cases[] = {
        {0, 0, WM_PRESET_RECEIVED, 0},      {4, 0, WM_PRESET_RECEIVED, 4},
        {0, 0x77, WM_PRESET_RECEIVED, 0},   {2, 0x77, 0, 0},
        {5, 0x77, 0, 0},                    {6, 0x77, WM_ALL_PRESETS_RECEIVED, 6},
    };
    for (const Case& c : cases) {
        m_view.Clear();
        Queue(0);
        Feed(Data(4, 11, Filled(OUTPUT_BLOCK_SIZE, 1), c.slot, c.record));
        const auto posted = Posted();
        if (c.message == 0) {
            EXPECT_TRUE(posted.empty()) << c.slot;
        } else {
            ASSERT_EQ(posted.size(), 1u) << c.slot;
            EXPECT_EQ(posted[0].message, c.message);
            EXPECT_EQ(posted[0].wParam, c.wParam);
        }
    }
}

TEST_F(ReplyParserTest, SystemItemsFillTheirSystemBytesWhateverTheSlot)
{
    struct Case {
        int item, first;
    };
    for (const Case c : {Case{2, 0}, Case{5, 8}, Case{6, 16}, Case{7, 24}}) {
        Queue(0);
        EXPECT_TRUE(Feed(Data(9, c.item, Filled(8, BYTE(0xA0 + c.item)), 3)));
        EXPECT_EQ(g_SystemBytes[c.first], 0xA0 + c.item);
        EXPECT_EQ(g_SystemBytes[c.first + 7], 0xA0 + c.item);
        EXPECT_EQ(m_command.GetCount(), 0);
    }
    EXPECT_NE(g_SystemBytes[32], 0xA7);
    // Items 6 and 7 reach the view at once (this thread owns it), as
    // which-half 0 and 1.
    const auto speakers = m_view.Messages(WM_SPEAKER_TYPES_RECEIVED);
    ASSERT_EQ(speakers.size(), 2u);
    EXPECT_EQ(speakers[0].wParam, 0u);
    EXPECT_EQ(speakers[1].wParam, 1u);
    EXPECT_TRUE(speakers[0].bSent);
}

TEST_F(ReplyParserTest, VersionStatusAndModeGainsAreStoredAndAnnounced)
{
    Queue(0);
    const Bytes tag = {'K', 'R', 'V', 'A', '-', 'B', 'V', '1', '.', '0', '0', 'x'};
    Feed(Data(9, 4, tag));
    EXPECT_EQ(QByteArray(g_szDeviceVersion), QByteArray("KRVA-BV1.00"));

    Queue(0);
    Feed(Data(9, 3, {7, 8, 255}));
    EXPECT_EQ(g_nDeviceStatus[0], 7);
    EXPECT_EQ(g_nDeviceStatus[2], 255);

    Queue(0);
    Feed(Data(9, 64, Filled(MODE_GAINS_SIZE, 0x3C)));
    EXPECT_EQ(g_ModeGains[MODE_GAINS_SIZE - 1], 0x3C);

    const auto posted = Posted();
    ASSERT_EQ(posted.size(), 3u);
    EXPECT_EQ(posted[0].message, WM_DEVICE_VERSION);
    EXPECT_EQ(posted[1].message, WM_DEVICE_STATUS);
    EXPECT_EQ(posted[1].lParam, 3);
    EXPECT_EQ(posted[2].message, WM_SPEAKER_TYPES_RECEIVED);
    EXPECT_EQ(posted[2].wParam, 0u);
    EXPECT_FALSE(posted[2].bSent);  // item 64 is posted
}

TEST_F(ReplyParserTest, OnlyTheNewestStatusWaitsForTheView)
{
    for (int n = 1; n <= 3; ++n) {
        Queue(0);
        Feed(Data(9, 3, Filled(n, BYTE(n))));
    }
    const auto status = Posted(WM_DEVICE_STATUS);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].lParam, 3);
}

TEST_F(ReplyParserTest, NameRepliesKeepOnlyPrintableCharacters)
{
    g_CurrentImage.bytes[15] = 0x5E;
    Bytes name = {'A', 'B', 'C', 0x01, 0x1F, 0x80, 0xFF};
    name.resize(15, 'Z');
    name.push_back('Q');  // a sixteenth byte is not taken
    Queue(0);
    Feed(Data(9, 0, name));
    const Bytes stored(g_CurrentImage.bytes, g_CurrentImage.bytes + 16);
    Bytes expected = {'A', 'B', 'C', 0, 0, 0, 0, 'Z', 'Z', 'Z', 'Z', 'Z', 'Z', 0, 0, 0x5E};
    EXPECT_EQ(stored, expected);

    // Slot 4's name goes to machine preset 4, the record byte aside.
    Queue(0);
    Feed(Data(9, 0, Bytes(15, ' '), 4, 0));
    EXPECT_EQ(g_MachinePresets[3].bytes[0], ' ');
    EXPECT_EQ(g_MachinePresets[3].bytes[13], 0);
}

TEST_F(ReplyParserTest, CurrentPresetTakesThePresetsNameUnlessZero)
{
    std::memcpy(g_MachinePresets[2].bytes, "Third preset\0\0\0X", 16);
    std::memcpy(g_CurrentImage.bytes, "Live name\0\0\0\0\0\0Y", 16);
    Queue(0);
    Feed(Data(9, 52, {0}));
    EXPECT_EQ(g_byCurrentPreset, 0);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(g_CurrentImage.bytes)), QByteArray("Live name"));

    Queue(0);
    Feed(Data(9, 52, {3}));
    EXPECT_EQ(g_byCurrentPreset, 3);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(g_CurrentImage.bytes)), QByteArray("Third preset"));
    EXPECT_EQ(g_CurrentImage.bytes[15], 'Y');
}

TEST_F(ReplyParserTest, MicAndEffectBlocksAreAcknowledgedWithoutStoring)
{
    const ParserWritable before = ParserWritable::Capture();
    for (int block : {1, 2}) {
        Queue(0);
        EXPECT_TRUE(Feed(Data(block, 0, Filled(96, 0x66))));
        EXPECT_EQ(m_command.GetCount(), 0);
    }
    EXPECT_TRUE(ParserWritable::Capture() == before);
}

TEST_F(ReplyParserTest, RepliesThatDoNotFitAreRefusedWholeAndEndTheTransaction)
{
    struct Case {
        const char* name;
        Bytes wire;
    };
    const Case cases[] = {
        {"music block one byte short", Data(3, 0, Filled(MUSIC_BLOCK_SIZE - 1, 9))},
        {"music block one byte long", Data(3, 0, Filled(MUSIC_BLOCK_SIZE + 1, 9))},
        {"music channel 4", Data(3, 4, Filled(MUSIC_BLOCK_SIZE, 9))},
        {"music of preset 7", Data(3, 0, Filled(MUSIC_BLOCK_SIZE, 9), 7, 0x77)},
        {"music of slot 255", Data(3, 0, Filled(MUSIC_BLOCK_SIZE, 9), 255, 0)},
        {"output channel 12", Data(4, 12, Filled(OUTPUT_BLOCK_SIZE, 9))},
        {"output block short", Data(4, 11, Filled(OUTPUT_BLOCK_SIZE - 8, 9))},
        {"output of preset 200", Data(4, 11, Filled(OUTPUT_BLOCK_SIZE, 9), 200, 0x77)},
        {"name of 14 bytes", Data(9, 0, Filled(14, 'n'))},
        {"name of slot 7", Data(9, 0, Filled(15, 'n'), 7)},
        {"item 2 short", Data(9, 2, Filled(7, 9))},
        {"item 4 short", Data(9, 4, Filled(10, 'K'))},
        {"item 5 short", Data(9, 5, Filled(1, 9))},
        {"item 6 short", Data(9, 6, Filled(7, 9))},
        {"item 7 short", Data(9, 7, Filled(3, 9))},
        {"current preset 7", Data(9, 52, {7})},
        {"current preset 255", Data(9, 52, {255})},
        {"status of 36 bytes", Data(9, 3, Filled(DEVICE_STATUS_COUNT + 1, 9))},
        {"mode gains of 99 bytes", Data(9, 64, Filled(MODE_GAINS_SIZE + 1, 9))},
        {"unknown item", Data(9, 99, Filled(8, 9))},
    };
    const ParserWritable before = ParserWritable::Capture();
    for (const Case& c : cases) {
        Queue(0);
        EXPECT_TRUE(Feed(c.wire)) << c.name;
        EXPECT_EQ(m_command.GetCount(), 0) << c.name;
    }
    EXPECT_TRUE(ParserWritable::Capture() == before);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(ReplyParserTest, IgnoredDataRepliesKeepTheHeadAndLeaveTheHunterClean)
{
    Queue(0);
    for (int block : {0, 5, 6, 7, 8, 10, 255}) {
        EXPECT_TRUE(Feed(Data(block, 0, Filled(8, 1)))) << block;
        EXPECT_EQ(m_command.GetCount(), 1) << block;
        // The collector starts afresh: the next frame is read on its own.
        EXPECT_FALSE(m_command.Collector().IsCollecting()) << block;
    }
    EXPECT_TRUE(Feed(Ack()));
    EXPECT_EQ(m_command.GetCount(), 0);
}

// ---- Transfer progress ---------------------------------------------------------------

TEST_F(ReplyParserTest, TransferProgressFollowsTheRepliesThatRemoveTheHead)
{
    auto bar = std::make_shared<CRecordingProgress>();
    g_pTransferProgress.Set(bar);
    Queue(1);
    Queue(2)->SetLastWrite(true);
    Queue(3)->SetLastRequest(true);
    Queue(4)->SetEndTransfer(true);
    Queue(0);

    Feed(Ack());
    Feed(Data(4, 0, Filled(OUTPUT_BLOCK_SIZE, 1)));
    Feed(Ack());
    Feed(Data(9, 3, {1}));
    Feed(Ack());
    EXPECT_EQ(bar->Set(), (std::vector<int>{1, 2, 3}));
    const auto done = Posted(WM_TRANSFER_DONE);
    ASSERT_EQ(done.size(), 3u);
    EXPECT_EQ(done[0].lParam, 1);
    EXPECT_EQ(done[1].lParam, 0);
    EXPECT_EQ(done[2].lParam, 0);
}

TEST_F(ReplyParserTest, ProgressWaitsForTheReplyThatRemovesTheLastCommand)
{
    auto bar = std::make_shared<CRecordingProgress>();
    g_pTransferProgress.Set(bar);
    Queue(7)->SetLastWrite(true);

    Feed(Resend());                       // sent again: not done yet
    Feed(Data(6, 0, Filled(8, 1)));       // not its reply
    Feed(Data(9, 0, {}));                 // the device wants firmware
    EXPECT_TRUE(bar->Set().empty());
    EXPECT_TRUE(Posted(WM_TRANSFER_DONE).empty());
    EXPECT_EQ(m_command.GetCount(), 1);

    // A reply refused by the checks still ends the command, and the transfer.
    Feed(Data(4, 3, Filled(OUTPUT_BLOCK_SIZE - 1, 1)));
    EXPECT_EQ(m_command.GetCount(), 0);
    EXPECT_EQ(bar->Set(), (std::vector<int>{7}));
    ASSERT_EQ(Posted(WM_TRANSFER_DONE).size(), 1u);
}

TEST_F(ReplyParserTest, LongOperationsAreReportedToTheView)
{
    Queue(0)->SetLongWait(true);
    EXPECT_FALSE(Feed(Resend()));
    EXPECT_EQ(m_command.GetCount(), 0);  // a refused long operation is dropped
    Queue(0)->SetLongWait(true);
    EXPECT_TRUE(Feed(Ack()));
    const auto done = Posted(WM_OPERATION_DONE);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].lParam, 0);
    EXPECT_EQ(done[1].lParam, 1);
}

// ---- Firmware update progress ---------------------------------------------------

class UpdateReplyTest : public ReplyParserTest {
protected:
    void SetUp() override
    {
        ReplyParserTest::SetUp();
        g_pUpdateProgress.Set(m_bar);
        m_pCurHexUpTip.Set(m_status);
    }
    // Queues a firmware command and answers it.
    void Answer(int code, const Bytes& reply = Bytes())
    {
        m_command.AddCommand(Tagged(1));
        m_command.GetHead()->SetCommandCode(code);
        Feed(reply.empty() ? Ack(code) : reply);
    }
    QString LastText() const { return m_status->Texts().empty() ? QString() : m_status->Texts().back(); }

    std::shared_ptr<CRecordingProgress> m_bar = std::make_shared<CRecordingProgress>(10);
    std::shared_ptr<CRecordingStatus> m_status = std::make_shared<CRecordingStatus>();
};

TEST_F(UpdateReplyTest, EachAnsweredCommandMovesTheBarAndShowsItsStep)
{
    struct Step {
        int code;
        int pos;
        const char* text;  // null: the text is not changed
        bool dataPhase;
    };
    const Step steps[] = {
        {HEXApply, 1, "Firmware update begins Do not interrupt", false},
        {IAP_DSP_REQUEST_INFO, 2, "Programming Do not interrupt", true},
        {IAP_DSP_DATA, 3, "Programming Do not interrupt", true},
        {HEXStart, 4, nullptr, false},
        {HEXData, 5, "Programming Do not interrupt", true},
        {HEXData, 6, nullptr, true},
        {HEXEnd, 10, "Update successfully", false},
    };
    for (const Step& s : steps) {
        const size_t textsBefore = m_status->Texts().size();
        Answer(s.code);
        EXPECT_EQ(m_bar->GetPos(), s.pos) << char(s.code);
        EXPECT_EQ(m_command.UpdateProgress().IsDataPhase(), s.dataPhase) << char(s.code);
        if (s.text)
            EXPECT_EQ(LastText(), QString::fromUtf8(s.text)) << char(s.code);
        else
            EXPECT_EQ(m_status->Texts().size(), textsBefore) << char(s.code);
    }
    EXPECT_TRUE(g_bUpdateDone);
    const auto succeeded = Posted(WM_UPDATE_SUCCEEDED);
    ASSERT_EQ(succeeded.size(), 1u);
    EXPECT_EQ(succeeded[0].lParam, 0x39);
}

TEST_F(UpdateReplyTest, DataCommandsStayBelowTheTopUntilTheEnd)
{
    m_bar->SetPos(8);
    Answer(IAP_DSP_DATA);
    EXPECT_EQ(m_bar->GetPos(), 9);
    Answer(IAP_DSP_DATA);  // would reach the top: held one below
    EXPECT_EQ(m_bar->GetPos(), 9);
    Answer(HEXStart);
    EXPECT_EQ(m_bar->GetPos(), 10);
    m_bar->SetPos(9);
    Answer(HEXData);  // the first chunk's answer is held below the top
    EXPECT_EQ(m_bar->GetPos(), 9);
    Answer(HEXData);  // later ones are not
    EXPECT_EQ(m_bar->GetPos(), 10);
}

TEST_F(UpdateReplyTest, DspEndReportsSuccessOnlyWithoutAnMcuImage)
{
    g_bUpdateHasMcu = true;
    Answer(IAP_DSP_END_INF);
    EXPECT_TRUE(Posted(WM_UPDATE_SUCCEEDED).empty());
    EXPECT_EQ(m_bar->GetPos(), 1);
    g_bUpdateHasMcu = false;
    Answer(IAP_DSP_END_INF);
    EXPECT_EQ(m_bar->GetPos(), 10);
    EXPECT_EQ(Posted(WM_UPDATE_SUCCEEDED).size(), 1u);
    EXPECT_EQ(LastText(), QStringLiteral("Update successfully"));
}

TEST_F(UpdateReplyTest, TextsFollowTheLanguage)
{
    g_bChinese = true;
    Answer(HEXApply);
    EXPECT_EQ(LastText(), QStringLiteral("固件更新开始 请勿中断"));
    Answer(IAP_DSP_REQUEST_INFO);
    EXPECT_EQ(LastText(), QStringLiteral("数据传输中 请勿中断"));
    Answer(HEXEnd);
    EXPECT_EQ(LastText(), QStringLiteral("更新完成"));
}

TEST_F(UpdateReplyTest, WhileCancellingNeitherTextNorBarChanges)
{
    g_bUpdateCancelled = true;
    for (int code : {HEXApply, IAP_DSP_REQUEST_INFO, IAP_DSP_DATA, HEXStart, HEXData, HEXEnd})
        Answer(code);
    EXPECT_TRUE(m_status->Texts().empty());
    EXPECT_TRUE(m_bar->Set().empty());
    // The last answer still ends the update.
    EXPECT_TRUE(g_bUpdateDone);
    EXPECT_EQ(Posted(WM_UPDATE_SUCCEEDED).size(), 1u);
}

TEST_F(UpdateReplyTest, AResendOfAFirmwareCommandCountsNothing)
{
    m_command.AddCommand(Tagged(1));
    m_command.GetHead()->SetCommandCode(HEXData);
    Feed(Resend());
    EXPECT_TRUE(m_bar->Set().empty());
    EXPECT_EQ(m_command.GetCount(), 1);
}

TEST_F(UpdateReplyTest, FinishingOverTheNetworkEndsTheUpdateEvenWhileCancelling)
{
    g_bUpdateCancelled = true;
    m_command.AddCommand(Tagged(1));
    m_command.GetHead()->SetCommandCode(HEXEnd);
    m_command.FinishUpgrade();
    EXPECT_EQ(m_command.GetCount(), 0);
    EXPECT_EQ(m_bar->GetPos(), 10);
    EXPECT_EQ(LastText(), QStringLiteral("Update successfully"));
    EXPECT_TRUE(g_bUpdateDone);
    const auto succeeded = Posted(WM_UPDATE_SUCCEEDED);
    ASSERT_EQ(succeeded.size(), 1u);
    EXPECT_EQ(succeeded[0].lParam, 0x39);
}

}  // namespace
