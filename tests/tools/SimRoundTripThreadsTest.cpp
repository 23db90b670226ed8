// The program's own frames, network link and reply parser against the
// simulated device over TCP on 127.0.0.1: the connect dialogue, reads and
// writes, every fault knob as the parser meets it, and a firmware update.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include <QFile>
#include <QTemporaryDir>

#include "link/DeviceLink.h"
#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "link/LinkDisplays.h"
#include "link/LinkStatus.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "tests/common/Eventually.h"
#include "tests/common/RecordingTarget.h"
#include "tests/link/NetTestSupport.h"
#include "tests/link/ReplyTestSupport.h"
#include "tests/tools/SimTestFrames.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimTcpServer.h"

namespace {

// How a transaction ended, as the network read step sees it.
enum class Outcome {
    Completed,  // a reply completed the transaction
    TimedOut,   // nothing that completes it came within the receive time-out
    Closed,     // the device closed or reset the connection
};

class SimRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartLinkTest(m_command, m_view, 2);
        m_device.SetState(CSimState::FromModelGlobals());
        std::string error;
        ASSERT_TRUE(m_server.Start(0, 120000, &error)) << error;
        g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
        g_nDevicePort = m_server.Port();
        ASSERT_TRUE(Reconnect());
    }
    void TearDown() override
    {
        m_link.Close();
        m_server.Stop();
        EndLinkTest();
        g_strDeviceIp.Set(QString::fromLatin1(DEFAULT_DEVICE_IP));
        g_nDevicePort = DEFAULT_DEVICE_PORT;
    }

    bool Reconnect()
    {
        m_link.Close();
        m_link.SetReachable(true);
        return m_link.Connect() && m_link.SetReceiveTimeout(kReceiveMs);
    }
    // Reads and feeds until the reply completes the transaction.
    Outcome ReadReply()
    {
        for (;;) {
            int count = 0;
            const int result = m_link.Receive(&count);
            if (count > 0) {
                if (m_command.FeedNetworkBytes(g_byNetRxBuffer, count))
                    return Outcome::Completed;
                continue;
            }
            return result == NET_ERR_TIMEDOUT ? Outcome::TimedOut : Outcome::Closed;
        }
    }
    // One normal transaction: the head goes out whole, in one send.
    Outcome Transact()
    {
        std::shared_ptr<CSendData> head = m_command.BeginSendHead();
        EXPECT_TRUE(head);
        if (!head)
            return Outcome::Closed;
        head->Rewind();
        EXPECT_TRUE(m_link.Send(reinterpret_cast<const char*>(head->GetData()), head->GetLength()));
        return ReadReply();
    }
    Outcome Ask(std::unique_ptr<CSendData> frame)
    {
        m_command.AddCommand(std::move(frame));
        return Transact();
    }
    std::vector<CRecordingTarget::Received> Posted(UINT message)
    {
        m_view.DeliverPosted();
        return m_view.Messages(message);
    }
    // The fault hits the next frame the device receives.
    void FaultOnNextFrame(CSimFault::Kind kind, int delayMs = 0)
    {
        CSimFault fault;
        fault.kind = kind;
        fault.frame = m_device.FrameCount() + 1;
        fault.delayMs = delayMs;
        m_device.SetFaults({fault});
    }

    static constexpr int kReceiveMs = 400;
    CSimDevice m_device;
    CSimTcpServer m_server{m_device};
    FakeNetwork m_fake;
    CNet_Socket m_link{m_fake.Lister(), m_fake.Probe()};
    CRecordingTarget m_view;
    CKTVCommand m_command;
};

TEST_F(SimRoundTrip, HandshakeVersionReadsAndAWrite)
{
    g_bHandshakePending = true;
    EXPECT_EQ(Ask(BuildSystemRequestFrame(SYSTEM_ITEM_HANDSHAKE, 0)), Outcome::Completed);
    EXPECT_FALSE(g_bHandshakePending);

    EXPECT_EQ(Ask(BuildSystemRequestFrame(SYSTEM_ITEM_VERSION, 0)), Outcome::Completed);
    EXPECT_EQ(QByteArray(g_szDeviceVersion), QByteArray("KRVA-BV1.00"));
    EXPECT_EQ(Posted(WM_DEVICE_VERSION).size(), 1u);

    // Stored blocks of machine presets 2 and 6, and a recall of preset 3.
    CSimState state = m_device.State();
    std::memset(state.presets[1].bytes + OutputBlockOffset(11), 0x5C, OUTPUT_BLOCK_SIZE);
    std::memset(state.presets[2].bytes + MusicBlockOffset(1), 0x3D, MUSIC_BLOCK_SIZE);
    m_device.SetState(state);
    EXPECT_EQ(Ask(BuildBlockRequestFrame(2, BLOCK_OUTPUT, 11, false)), Outcome::Completed);
    EXPECT_EQ(g_MachinePresets[1].bytes[OutputBlockOffset(11) + OUTPUT_BLOCK_SIZE - 1], 0x5C);
    EXPECT_TRUE(Posted(WM_PRESET_RECEIVED).empty());
    EXPECT_EQ(Ask(BuildBlockRequestFrame(6, BLOCK_OUTPUT, 11, false)), Outcome::Completed);
    ASSERT_EQ(Posted(WM_ALL_PRESETS_RECEIVED).size(), 1u);
    EXPECT_EQ(Ask(BuildBlockRequestFrame(3, BLOCK_MUSIC, 1, true)), Outcome::Completed);
    EXPECT_EQ(g_CurrentImage.bytes[MusicBlockOffset(1)], 0x3D);

    // A write, acknowledged and applied.
    g_CurrentImage.bytes[OutputBlockOffset(3) + 5 * RECORD_SIZE] = 0x77;
    EXPECT_EQ(Ask(BuildParameterFrame(BLOCK_OUTPUT, 3, 5)), Outcome::Completed);
    EXPECT_EQ(m_device.State().live.bytes[OutputBlockOffset(3) + 5 * RECORD_SIZE], 0x77);

    // The status poll and the speaker map.
    EXPECT_EQ(Ask(BuildParameterFrame(PARAM_TYPE_STATUS_POLL, 0, 0)), Outcome::Completed);
    const auto status = Posted(WM_DEVICE_STATUS);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].lParam, m_device.State().statusLength);
    EXPECT_EQ(Ask(BuildSystemRequestFrame(SYSTEM_ITEM_SPEAKERS_LOW, 0)), Outcome::Completed);
    EXPECT_EQ(Posted(WM_SPEAKER_TYPES_RECEIVED).size(), 1u);
    EXPECT_EQ(std::memcmp(g_OutputMap, m_device.State().system + 16, 8), 0);

    EXPECT_EQ(m_command.GetCount(), 0);
    EXPECT_EQ(m_device.FrameCount(), 8);
}

TEST_F(SimRoundTrip, EachFaultKnobAsTheParserMeetsIt)
{
    // A late reply still completes the transaction.
    FaultOnNextFrame(CSimFault::Kind::Delay, kReceiveMs / 4);
    EXPECT_EQ(Ask(BuildParameterFrame(PARAM_TYPE_STATUS_POLL, 0, 0)), Outcome::Completed);

    // No reply: the head stays for the next send, which is answered.
    FaultOnNextFrame(CSimFault::Kind::NoReply);
    EXPECT_EQ(Ask(BuildParameterFrame(BLOCK_OUTPUT, 0, 1)), Outcome::TimedOut);
    EXPECT_EQ(m_command.GetCount(), 1);
    EXPECT_EQ(Transact(), Outcome::Completed);
    EXPECT_EQ(m_command.GetCount(), 0);

    // 'R': the read goes on, the head is rewound and marked, then sent again.
    FaultOnNextFrame(CSimFault::Kind::Resend);
    EXPECT_EQ(Ask(BuildParameterFrame(BLOCK_OUTPUT, 0, 2)), Outcome::TimedOut);
    ASSERT_EQ(m_command.GetCount(), 1);
    EXPECT_TRUE(m_command.GetHead()->IsResendRequested());
    EXPECT_EQ(Transact(), Outcome::Completed);

    // A bad XOR is dropped: nothing stored, the read goes on.
    FaultOnNextFrame(CSimFault::Kind::BadXor);
    EXPECT_EQ(Ask(BuildSystemRequestFrame(SYSTEM_ITEM_VERSION, 0)), Outcome::TimedOut);
    EXPECT_EQ(g_byLinkStatus[LINK_STATUS_FRAME_BAD].load(), 1);
    EXPECT_EQ(g_szDeviceVersion[0], 0);
    m_command.ClearQueue();

    // A wrong tag is stored as it came; the version check judges it.
    CSimFault wrong;
    wrong.kind = CSimFault::Kind::WrongVersion;
    wrong.frame = m_device.FrameCount() + 1;
    wrong.versionTag = "KRVA-CV1.00";
    m_device.SetFaults({wrong});
    EXPECT_EQ(Ask(BuildSystemRequestFrame(SYSTEM_ITEM_VERSION, 0)), Outcome::Completed);
    EXPECT_EQ(QByteArray(g_szDeviceVersion), QByteArray("KRVA-CV1.00"));

    // An empty status asks for firmware; the head stays.
    FaultOnNextFrame(CSimFault::Kind::EmptyStatus);
    EXPECT_EQ(Ask(BuildParameterFrame(PARAM_TYPE_STATUS_POLL, 0, 0)), Outcome::Completed);
    EXPECT_TRUE(g_bFirmwareRequested);
    EXPECT_EQ(Posted(WM_FIRMWARE_REQUIRED).size(), 1u);
    EXPECT_EQ(m_command.GetCount(), 1);
    m_command.ClearQueue();

    // A closed connection ends the read without a reply; a reconnect works.
    FaultOnNextFrame(CSimFault::Kind::Close);
    EXPECT_EQ(Ask(BuildParameterFrame(BLOCK_OUTPUT, 0, 3)), Outcome::Closed);
    EXPECT_EQ(m_command.GetCount(), 1);
    ASSERT_TRUE(Reconnect());
    EXPECT_EQ(Transact(), Outcome::Completed);
    EXPECT_EQ(m_command.GetCount(), 0);
}

TEST_F(SimRoundTrip, AFirmwareUpdateOverTheNetwork)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Bytes file = {'W', 'M', 'C', 'U'};
    for (int k = 0; k < 4 + 100; ++k)
        file.push_back(BYTE(k * 5 + 1));
    g_strUpdateFilePath = dir.filePath(QStringLiteral("mcu.bin"));
    {
        QFile out(g_strUpdateFilePath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(reinterpret_cast<const char*>(file.data()), qint64(file.size()));
    }
    CDeviceLink deviceLink(m_command);
    ASSERT_TRUE(deviceLink.LoadUpdateFile());
    auto bar = std::make_shared<CRecordingProgress>(g_nUpdateProgressTotal);
    auto status = std::make_shared<CRecordingStatus>();
    g_pUpdateProgress.Set(bar);
    m_pCurHexUpTip.Set(status);
    m_device.SetRestartAfterApply(true);

    // The network update steps, in short: each command as one 65-byte
    // report; the sync pattern instead of the sync command; HEXEnd unread.
    int reconnects = 0;
    for (int step = 0; step < 50 && !g_bUpdateDone; ++step) {
        if (m_command.GetCount() == 0)
            deviceLink.NextUpdateStep();
        std::shared_ptr<CSendData> head = m_command.BeginSendHead();
        ASSERT_TRUE(head);
        if (head->GetCommandCode() == HEXSync) {
            const std::vector<BYTE> sync = SyncReport();
            ASSERT_TRUE(m_link.Send(reinterpret_cast<const char*>(sync.data()), int(sync.size())));
            m_command.RemoveHead();
            continue;
        }
        BYTE report[HID_REPORT_SIZE] = {};
        head->Rewind();
        bool sent = true;
        while (sent && head->NextReport(report))
            sent = m_link.Send(reinterpret_cast<const char*>(report), HID_REPORT_SIZE);
        if (!sent) {
            // The device restarted after HEXApply: reconnect, send again.
            ASSERT_LT(++reconnects, 3);
            ASSERT_TRUE(Reconnect());
            continue;
        }
        if (head->GetCommandCode() == HEXEnd) {
            m_command.FinishUpgrade();
            continue;
        }
        const Outcome outcome = ReadReply();
        if (outcome == Outcome::Closed) {
            ASSERT_LT(++reconnects, 3);
            ASSERT_TRUE(Reconnect());
            continue;
        }
        ASSERT_EQ(outcome, Outcome::Completed) << char(head->GetCommandCode());
    }
    EXPECT_TRUE(g_bUpdateDone);
    EXPECT_EQ(reconnects, 1);
    EXPECT_EQ(bar->GetPos(), g_nUpdateProgressTotal.load());
    ASSERT_FALSE(status->Texts().empty());
    EXPECT_EQ(status->Texts().front(), QStringLiteral("Firmware update begins Do not interrupt"));
    EXPECT_EQ(status->Texts().back(), QStringLiteral("Update successfully"));
    EXPECT_EQ(Posted(WM_UPDATE_SUCCEEDED).size(), 1u);

    // What the device received: the sync, then every command once. HEXEnd
    // is not answered, so the device may still be taking it in.
    EXPECT_TRUE(Eventually([&] { return !m_device.InUpdateMode(); }));
    std::string items;
    for (const CSimLogEntry& entry : m_device.Log())
        items += entry.sync ? 'S' : char(entry.frame.item);
    EXPECT_EQ(items, "S678889");
}

}  // namespace
