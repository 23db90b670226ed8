// What the view does with the data the reply parser reports: a received
// preset (lock state, pages, effect block, sync flag), the end of a
// read-back for an all-presets file, speaker positions, device status.
#include <gtest/gtest.h>

#include <cstring>

#include "link/KTVCommand.h"
#include "model/DataLockState.h"
#include "model/KTV_Data.h"
#include "model/ParameterSetLock.h"
#include "model/SpeakerPosition.h"
#include "model/WindowMessages.h"
#include "tests/app/TransferViewFixture.h"

namespace {

class ReceivedDataTest : public TransferViewTest {
protected:
    CKTV_Data& Data() { return g_theApp.GetDocument()->m_KTVData; }
    void TearDown() override
    {
        g_bDataLocked = false;
        TransferViewTest::TearDown();
    }
};

TEST_F(ReceivedDataTest, APresetReceivedShowsTheLockStateAndPagesAndSyncsOnlyALiveLink)
{
    struct Case {
        const char* name;
        bool locked, mixer, connected;
    };
    const Case cases[] = {
        {"unlocked, output page", false, false, true},
        {"unlocked, mixer", false, true, true},
        {"locked", true, false, true},
        {"link closed meanwhile", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.connected)
            ConnectWithoutDevice();
        else if (View()->IsConnected())
            View()->DeviceLink().StopIoWorker(true);
        g_bDeviceSynced = false;
        g_bTransferBusy = true;
        View()->m_btnMixer.SetCheck(c.mixer);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            for (int k = 0; k < OUTPUT_COUNT; ++k)
                g_CurrentImage.bytes[OutputBlockOffset(k) + LOCK_MARK_BYTE] = ' ';
            if (c.locked) {
                g_CurrentImage.bytes[OutputBlockOffset(3) + LOCK_MARK_BYTE] = '!';
                std::memcpy(g_CurrentImage.bytes + OutputBlockOffset(0) + LOCK_PASSWORD_BYTE, "abc123", 6);
            }
        }
        View()->OnPresetReceived(0);
        EXPECT_EQ(g_bDataLocked.load(), c.locked);
        if (c.locked) {
            EXPECT_EQ(g_strLockPassword, QStringLiteral("abc123"));
        }
        EXPECT_EQ(View()->m_btnLock.GetCheck(), c.locked);
        EXPECT_EQ(View()->m_tab.isHidden(), c.locked);
        EXPECT_EQ(View()->m_strips[0].isHidden(), c.locked);
        EXPECT_EQ(View()->m_outputPage.isHidden(), c.locked || c.mixer);
        EXPECT_EQ(View()->m_mixPage.isHidden(), c.locked || !c.mixer);
        EXPECT_TRUE(View()->m_lockCover.isHidden());
        EXPECT_EQ(g_bDeviceSynced.load(), c.connected);
        EXPECT_FALSE(g_bTransferBusy);
        EXPECT_FALSE(g_csSendLock.IsLocked());
    }
}

TEST_F(ReceivedDataTest, OnlyTheLiveSetsReadBackReloadsTheEffectBlock)
{
    const QString before = Data().GetEffect()->GetName();
    for (const int slot : {3, 0}) {
        SCOPED_TRACE(slot);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            std::memset(g_CurrentImage.bytes + EFFECT_OFFSET + 144, 0, RECORD_SIZE);
            std::memcpy(g_CurrentImage.bytes + EFFECT_OFFSET + 144, "Hall7", 5);
        }
        View()->OnPresetReceived(slot);
        EXPECT_EQ(Data().GetEffect()->GetName(), slot == 0 ? QStringLiteral("Hall7") : before);
    }
}

TEST_F(ReceivedDataTest, StatusRepliesMoveTheInputModeAndVolumeUnlessHeld)
{
    ConnectWithoutDevice();
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            g_SystemBytes[0] = 0;
            g_SystemBytes[3] = 10;
            g_byMasterOn = 1;
            g_nDeviceStatus[0] = 2;
            g_nDeviceStatus[3] = 33;
            g_nDeviceStatus[14] = 0;
        }
        if (held)
            View()->HoldStatusUpdates();
        View()->OnDeviceStatus();
        EXPECT_EQ(g_SystemBytes[0], held ? 0 : 2);
        EXPECT_EQ(g_SystemBytes[3], held ? 10 : 33);
        EXPECT_EQ(g_byMasterOn, held ? 1 : 0);
    }
    EXPECT_EQ(View()->Command().GetCount(), 0);
}

TEST_F(ReceivedDataTest, SpeakerPositionsArriveClearedOfDuplicatesAndAnswerWithTheName)
{
    struct Case {
        const char* name;
        int which;
        BYTE map[OUTPUT_COUNT];
        BYTE positions[OUTPUT_COUNT];
        int resent;  // system command queued for the cleared map, -1 none, -2 not looked at
    };
    const Case cases[] = {
        {"outputs 1-8", 0, {1, 7, 3, 9, 0, 0, 0, 0, 0, 0, 0, 0}, {1, 7, 3, 9, 0, 0, 0, 0, 0, 0, 0, 0}, -2},
        {"all twelve", 1, {1, 7, 3, 9, 0, 0, 0, 0, 24, 22, 23, 0}, {1, 7, 3, 9, 0, 0, 0, 0, 24, 22, 23, 0}, -1},
        {"a duplicate", 1, {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 7},
    };
    ConnectWithoutDevice();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            ParameterSetGuard guard(g_ParameterSetLock);
            std::memcpy(g_OutputMap, c.map, OUTPUT_COUNT);
            std::memset(g_byOutputPosition, 0, OUTPUT_COUNT);
            g_SystemBytes[12] = 5;
        }
        View()->OnInputSourceChanged(c.which);
        const int outputs = c.which == 0 ? 8 : OUTPUT_COUNT;
        for (int i = 0; i < outputs; ++i) {
            EXPECT_EQ(g_byOutputPosition[i], c.positions[i]) << i;
            EXPECT_EQ(Data().GetOutput(i)->GetSpeakerPosition(), c.positions[i]) << i;
            EXPECT_EQ(g_OutputMap[i], c.positions[i]) << i;
        }
        EXPECT_EQ(g_SystemBytes[12], 0);
        const std::vector<QueuedFrame> frames = DrainQueue();
        ASSERT_FALSE(frames.empty());
        if (c.resent != -2) {
            ASSERT_EQ(frames.size(), c.resent < 0 ? 1u : 2u);
        }
        if (c.resent >= 0) {
            EXPECT_TRUE(frames[0].IsSystemCommand(c.resent));
        }
        EXPECT_TRUE(frames.back().IsSystemCommand(0));
    }
}

TEST_F(ReceivedDataTest, EachReadBackEndWritesOrDropsTheOldestPendingSave)
{
    ConnectWithoutDevice();
    const QString first = FilePath(QStringLiteral("first.kvaa"));
    const QString second = FilePath(QStringLiteral("second.kvaa"));
    WriteAll(second, QByteArray("kept"));
    AnswerFileDialog(first);
    ASSERT_EQ(View()->FetchAllPresetsForFile(), 1);
    AnswerFileDialog(second);
    ASSERT_EQ(View()->FetchAllPresetsForFile(), 1);
    DrainQueue();
    ASSERT_EQ(View()->PendingAllPresetsSaves().size(), 2u);

    View()->OnAllPresetsReceived(0);
    EXPECT_TRUE(ReadAll(first).startsWith("\x13" "Brelinx_ALLFile_2.0"));
    EXPECT_TRUE(m_boxes.shown.empty());

    View()->OnAllPresetsReceived(1);
    EXPECT_EQ(ReadAll(second), QByteArray("kept"));
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, QStringLiteral("Save all presets file error!"));
    EXPECT_EQ(m_boxes.shown[0].helpId, -3);

    // None pending: nothing is written, nothing said.
    QFile::remove(first);
    View()->OnAllPresetsReceived(0);
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_FALSE(g_bTransferBusy);
}

TEST_F(ReceivedDataTest, AClosingLinkDropsEveryPendingSaveWithOneMessageAfterItsOwn)
{
    ConnectWithoutDevice();
    for (const char* name : {"a.kvaa", "b.kvaa"}) {
        AnswerFileDialog(FilePath(QString::fromLatin1(name)));
        ASSERT_EQ(View()->FetchAllPresetsForFile(), 1);
    }
    DrainQueue();
    PostMessage(View(), WM_LINK_FAILED, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return m_boxes.shown.size() >= 2; }, 10000));
    WaitFor([] { return false; }, 300);
    ASSERT_EQ(m_boxes.shown.size(), 2u);
    EXPECT_EQ(m_boxes.shown[1].text, QStringLiteral("Save all presets file error!"));
    EXPECT_TRUE(View()->PendingAllPresetsSaves().empty());
    EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("a.kvaa"))));
    EXPECT_FALSE(QFile::exists(FilePath(QStringLiteral("b.kvaa"))));
    EXPECT_FALSE(PopupShown());
    EXPECT_FALSE(g_bTransferBusy);
}

}  // namespace
