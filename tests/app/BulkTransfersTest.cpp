// The view's bulk sequences as they reach the command queue: which frames,
// in which order, with which counts, positions and end flags, what the
// progress bars and the popup show, and that the send lock is free after.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "tests/app/TransferViewFixture.h"

namespace {

// What one frame of a sequence must be.
struct Expected {
    int cls, slot, type, item, record;
    bool counted;
    int pos;
    bool last;
};

Expected System(int item, int slot = 0)
{
    return {FRAME_CLASS_WRITE, slot, BLOCK_SYSTEM, item, 0, false, 0, false};
}
Expected CountedSystem(int item, int slot, int pos)
{
    return {FRAME_CLASS_WRITE, slot, BLOCK_SYSTEM, item, 0, true, pos, false};
}
Expected Block(int slot, int type, int channel, int pos, bool last = false)
{
    return {FRAME_CLASS_WRITE, slot, type, channel, 0, true, pos, last};
}
Expected Request(int slot, int type, int channel, int pos, bool last = false)
{
    return {FRAME_CLASS_REQUEST, slot, type, channel, FRAME_RECORD_STORED, true, pos, last};
}

// The blocks of one preset, music then outputs, counted from pos; the last
// output flagged when last.
void AddPresetBlocks(std::vector<Expected>& out, int slot, int pos, bool last, bool requests = false)
{
    for (int k = 0; k < MUSIC_COUNT + OUTPUT_COUNT; ++k) {
        const int type = k < MUSIC_COUNT ? BLOCK_MUSIC : BLOCK_OUTPUT;
        const int channel = k < MUSIC_COUNT ? k : k - MUSIC_COUNT;
        const bool flag = last && k == MUSIC_COUNT + OUTPUT_COUNT - 1;
        out.push_back(requests ? Request(slot, type, channel, pos + k, flag) : Block(slot, type, channel, pos + k, flag));
    }
}

void ExpectSequence(const std::vector<QueuedFrame>& frames, const std::vector<Expected>& expected)
{
    ASSERT_EQ(frames.size(), expected.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        const QueuedFrame& f = frames[i];
        const Expected& e = expected[i];
        EXPECT_EQ(f.bytes[0], FRAME_PREAMBLE_BYTE);
        EXPECT_EQ(f.bytes[3], FRAME_START_BYTE);
        EXPECT_EQ(f.Class(), e.cls);
        EXPECT_EQ(f.Slot(), e.slot);
        EXPECT_EQ(f.Type(), e.type);
        EXPECT_EQ(f.Item(), e.item);
        EXPECT_EQ(f.Record(), e.record);
        EXPECT_EQ(f.counted, e.counted);
        if (e.counted) {
            EXPECT_EQ(f.pos, e.pos);
        }
        EXPECT_EQ(f.lastWrite || f.lastRequest, e.last);
        EXPECT_EQ(f.lastRequest, e.last && e.cls == FRAME_CLASS_REQUEST);
    }
}

class BulkTransfersTest : public TransferViewTest {};

TEST_F(BulkTransfersTest, EachSequenceQueuesItsFramesCountsAndFlags)
{
    struct Case {
        const char* name;
        std::function<void(CBrelinView&)> run;
        std::function<std::vector<Expected>()> frames;
        int range;
    };
    const Case cases[] = {
        {"single preset to the live set", [](CBrelinView& v) { v.WritePresetToDevice(0, false); },
         [] {
             std::vector<Expected> e{System(5), CountedSystem(0, 0, 0)};
             AddPresetBlocks(e, 0, 1, true);
             e.push_back(System(5));
             return e;
         },
         16},
        {"live set packed into slot 3", [](CBrelinView& v) { v.WritePresetToDevice(3, true); },
         [] {
             std::vector<Expected> e{CountedSystem(0, 3, 0), CountedSystem(0, 0, 1), CountedSystem(52, 0, 2)};
             AddPresetBlocks(e, 3, 3, true);
             return e;
         },
         18},
        {"all presets", [](CBrelinView& v) { v.DownloadAllPresets(); },
         [] {
             std::vector<Expected> e{System(5), System(6), System(7)};
             AddPresetBlocks(e, 0, 0, false);
             for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot) {
                 const int pos = 16 + 17 * (slot - 1);
                 e.push_back(CountedSystem(0, slot, pos));
                 AddPresetBlocks(e, slot, pos + 1, slot == MACHINE_PRESET_COUNT);
             }
             e.push_back(System(2));
             e.push_back(System(5));
             return e;
         },
         118},
    };
    ConnectWithoutDevice();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_bTransferBusy = false;
        c.run(*View());
        const std::vector<QueuedFrame> frames = DrainQueue();
        ExpectSequence(frames, c.frames());
        EXPECT_EQ(View()->m_progress.GetRangeUpper(), c.range);
        EXPECT_EQ(g_pDisplayDlg->Progress().GetRangeUpper(), c.range);
        EXPECT_EQ(g_pDisplayDlg->Progress().GetPos(), 0);
        EXPECT_TRUE(g_bTransferBusy);
        EXPECT_TRUE(PopupShown());
        // Started from the view's menu, not from a dialog: nothing disabled.
        EXPECT_TRUE(View()->isEnabled());
        EXPECT_FALSE(g_csSendLock.IsLocked());
        g_pDisplayDlg->HidePopup();
    }
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(BulkTransfersTest, TheReadBackForTheFileAsksFirstAndQueues96Requests)
{
    ConnectWithoutDevice();
    AnswerFileDialog(FilePath(QStringLiteral("all.kvaa")));
    ASSERT_EQ(View()->FetchAllPresetsForFile(), 1);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].mode, FileDialogRequest::SAVE);
    std::vector<Expected> expected;
    for (int slot = 1; slot <= MACHINE_PRESET_COUNT; ++slot)
        AddPresetBlocks(expected, slot, 16 * (slot - 1), slot == MACHINE_PRESET_COUNT, true);
    ExpectSequence(DrainQueue(), expected);
    EXPECT_EQ(g_pDisplayDlg->Progress().GetRangeUpper(), 96);
    EXPECT_TRUE(g_bTransferBusy);
    EXPECT_FALSE(g_csSendLock.IsLocked());
    ASSERT_EQ(View()->PendingAllPresetsSaves().size(), 1u);
    EXPECT_EQ(View()->PendingAllPresetsSaves().front(), FilePath(QStringLiteral("all.kvaa")));

    // Cancelled: nothing queued, nothing pending added.
    AnswerFileDialog(QString());
    EXPECT_EQ(View()->FetchAllPresetsForFile(), 0);
    EXPECT_EQ(View()->Command().GetCount(), 0);
    EXPECT_EQ(View()->PendingAllPresetsSaves().size(), 1u);
}

TEST_F(BulkTransfersTest, NotConnectedQueuesNothingAndSaysSoWhereItMust)
{
    struct Case {
        const char* name;
        std::function<void(CBrelinView&)> run;
        bool box;
    };
    const Case cases[] = {
        {"write live", [](CBrelinView& v) { v.WritePresetToDevice(0, false); }, false},
        {"write slot", [](CBrelinView& v) { v.WritePresetToDevice(2, true); }, true},
        {"all presets", [](CBrelinView& v) { v.DownloadAllPresets(); }, false},
        {"read-back for the file", [](CBrelinView& v) { v.FetchAllPresetsForFile(); }, true},
        {"input block", [](CBrelinView& v) { v.SendInputChannelBlock(1); }, false},
        {"output block", [](CBrelinView& v) { v.SendOutputChannelBlock(2); }, false},
        {"output off", [](CBrelinView& v) { v.SendOutputOff(2); }, false},
        {"EQ group", [](CBrelinView& v) { v.SendOutputEqGroup(); }, false},
        {"input EQ", [](CBrelinView& v) { v.ResetInputEq(0); }, false},
    };
    AnswerFileDialog(FilePath(QStringLiteral("never.kvaa")));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_boxes.shown.clear();
        c.run(*View());
        EXPECT_EQ(View()->Command().GetCount(), 0);
        EXPECT_FALSE(g_bTransferBusy);
        EXPECT_FALSE(PopupShown());
        EXPECT_FALSE(g_csSendLock.IsLocked());
        ASSERT_EQ(m_boxes.shown.size(), c.box ? 1u : 0u);
    }
    // Command 726 opens no file dialog without a link.
    EXPECT_TRUE(m_requests.empty());
}

TEST_F(BulkTransfersTest, ChannelSendsSwitchTheChannelOffAroundItsBlockAndLeaveTheScanNothing)
{
    ConnectWithoutDevice();
    g_bDeviceSynced = true;
    CKTV_Data* data = &g_theApp.GetDocument()->m_KTVData;
    // Input: muted outputs around off, block, on.
    data->GetMusic(1)->SetOn(1);
    View()->SendInputChannelBlock(1);
    std::vector<QueuedFrame> frames = DrainQueue();
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_TRUE(frames[0].IsSystemCommand(5));
    EXPECT_EQ(frames[1].Type(), BLOCK_MUSIC);
    EXPECT_EQ(frames[1].Record(), 31);
    EXPECT_EQ(frames[1].bytes[FRAME_HEADER_SIZE + 3], 0);  // off
    EXPECT_EQ(frames[2].Type(), BLOCK_MUSIC);
    EXPECT_EQ(frames[2].Item(), 1);
    EXPECT_EQ(frames[2].bytes.size(), size_t(FRAME_HEADER_SIZE + MUSIC_BLOCK_SIZE + 2));
    EXPECT_EQ(frames[3].Record(), 31);
    EXPECT_EQ(frames[3].bytes[FRAME_HEADER_SIZE + 3], 1);  // on again
    EXPECT_TRUE(frames[4].IsSystemCommand(5));
    EXPECT_EQ(data->GetMusic(1)->GetOn(), 1);
    EXPECT_FALSE(data->GetMusic(1)->IsBasicDirty());

    // Output: no mute; the off-only send leaves one frame.
    data->GetOutput(4)->SetOn(1);
    View()->SendOutputChannelBlock(4);
    frames = DrainQueue();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].Record(), 31);
    EXPECT_EQ(frames[1].Type(), BLOCK_OUTPUT);
    EXPECT_EQ(frames[1].bytes.size(), size_t(FRAME_HEADER_SIZE + OUTPUT_BLOCK_SIZE + 2));
    EXPECT_EQ(frames[2].bytes[FRAME_HEADER_SIZE], 1);
    View()->SendOutputOff(4);
    frames = DrainQueue();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].bytes[FRAME_HEADER_SIZE], 0);
    EXPECT_EQ(data->GetOutput(4)->GetOn(), 1);
    EXPECT_FALSE(data->GetOutput(4)->IsBasicDirty());
    EXPECT_FALSE(g_csSendLock.IsLocked());
}

TEST_F(BulkTransfersTest, ACopyOntoATweeterRaisesItsHighPassTo20Hz)
{
    ConnectWithoutDevice();
    CKTV_Data* data = &g_theApp.GetDocument()->m_KTVData;
    CKTV_OutData* src = data->GetOutput(0);
    CKTV_OutData* dst = data->GetOutput(5);
    {
        // The copy takes the whole band set, the source's 10 Hz high-pass
        // (from a file) with it.
        ParameterSetGuard guard(g_ParameterSetLock);
        BYTE record[RECORD_SIZE];
        src->GetCrossoverRecord(record);
        PutWord(record, 10);
        record[3] = 8;
        PutWord(record + 4, 15);
        src->LoadCrossoverRecord(record);
        dst->SetSpeakerPositionOnly(7);
    }
    View()->CopyOutputChannelLocked(0, 5);
    BYTE record[RECORD_SIZE];
    dst->GetCrossoverRecord(record);
    EXPECT_EQ(GetWord(record), 20);
    EXPECT_EQ(GetWord(record + 4), 20000);
    EXPECT_EQ(record[3], 1);
    const std::vector<QueuedFrame> frames = DrainQueue();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_TRUE(frames[0].IsSystemCommand(5));
    EXPECT_EQ(frames[1].Type(), BLOCK_OUTPUT);
    EXPECT_EQ(frames[1].Item(), 5);
    EXPECT_TRUE(frames[2].IsSystemCommand(5));
}

TEST_F(BulkTransfersTest, AModeButtonSelectsItsRowAndSendsTheGainsOnce)
{
    ConnectWithoutDevice();
    View()->SelectModeButton(0, true);
    View()->OnModeButton(2);
    View()->OnModeButton(2);
    const std::vector<QueuedFrame> frames = DrainQueue();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(frames[0].IsSystemCommand(64));
    EXPECT_EQ(g_ModeGains[96], 2);
}

}  // namespace
