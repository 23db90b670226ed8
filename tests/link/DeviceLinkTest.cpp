#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "link/DeviceLink.h"
#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "model/LinkState.h"
#include "platform/core/Language.h"
#include "tests/common/MessageBoxSpy.h"
#include "tests/link/ReplyTestSupport.h"

namespace {

// One queued update command as it would go out.
struct Sent {
    int code;
    Bytes payload;
    int progress;
};

class DeviceLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        g_bChinese = false;
        g_strUpdateFilePath.clear();
    }
    void TearDown() override { g_strUpdateFilePath.clear(); }

    bool Load(const Bytes& content)
    {
        EXPECT_TRUE(UseUpdateFile(m_dir.filePath("firmware.bin"), content));
        return m_link.LoadUpdateFile();
    }
    // One update step: what NextUpdateStep queued, taken off the queue.
    std::vector<Sent> Step()
    {
        m_link.NextUpdateStep();
        std::vector<Sent> sent;
        while (std::shared_ptr<CSendData> head = m_command.GetHead()) {
            const BYTE* f = head->GetData();
            const int length = head->GetLength();
            CheckFrame(f, length, head->GetCommandCode());
            sent.push_back({head->GetCommandCode(), Bytes(f + 14, f + length - 2), head->GetProgressPos()});
            m_command.RemoveHead();
        }
        return sent;
    }
    // Every step until nothing more is queued.
    std::vector<std::vector<Sent>> Run()
    {
        std::vector<std::vector<Sent>> steps;
        for (;;) {
            std::vector<Sent> step = Step();
            if (step.empty())
                return steps;
            steps.push_back(std::move(step));
        }
    }
    // The update frame's header: a write of system item `code` to address 1,
    // slot 0, index 0, bytes 10 and 11 zero; XOR and end byte in place.
    static void CheckFrame(const BYTE* f, int length, int code)
    {
        ASSERT_LE(length, 64);
        const Bytes header(f, f + 12);
        EXPECT_EQ(header, (Bytes{0x82, 0x82, 0x82, 0xEE, 0xA1, 1, 0, 9, BYTE(code), 0, 0, 0}));
        EXPECT_EQ(f[12] + 256 * f[13] + 16, length);
        BYTE x = 0;
        for (int k = 4; k < length - 2; ++k)
            x ^= f[k];
        EXPECT_EQ(f[length - 2], x);
        EXPECT_EQ(f[length - 1], 0xAA);
    }

    QTemporaryDir m_dir;
    CKTVCommand m_command;
    CDeviceLink m_link{m_command};
};

Bytes WithTag(const char* tag, const Bytes& body)
{
    Bytes file(tag, tag + 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

Bytes Counting(size_t n, int seed)
{
    Bytes b(n);
    for (size_t k = 0; k < n; ++k)
        b[k] = BYTE(k * 7 + seed);
    return b;
}

Bytes Range(const Bytes& b, size_t from, size_t to) { return Bytes(b.begin() + from, b.begin() + to); }

BYTE Xor(const Bytes& data, BYTE seed)
{
    for (BYTE b : data)
        seed ^= b;
    return seed;
}

TEST_F(DeviceLinkTest, A108ByteMcuFileGoesOutInThreeDataChunks)
{
    const Bytes file = WithTag("WMCU", Counting(104, 1));
    ASSERT_TRUE(Load(file));
    EXPECT_TRUE(g_bUpdateHasMcu);
    EXPECT_EQ(g_nUpdateProgressTotal.load(), 108 / 48 + 6);

    const auto steps = Run();
    ASSERT_EQ(steps.size(), 4u);
    // The sync command first, alone and without a progress position.
    ASSERT_EQ(steps[0].size(), 1u);
    EXPECT_EQ(steps[0][0].code, HEXSync);
    EXPECT_EQ(steps[0][0].progress, 0);
    Bytes pattern;
    for (int k = 0; k < 24; ++k)
        pattern.insert(pattern.end(), {0x43, 0x11});
    EXPECT_EQ(steps[0][0].payload, pattern);

    ASSERT_EQ(steps[1].size(), 3u);
    EXPECT_EQ(steps[1][0].code, HEXApply);
    EXPECT_EQ(steps[1][0].payload, Bytes(16, 0));
    EXPECT_EQ(steps[1][1].code, HEXStart);
    EXPECT_EQ(steps[1][1].payload, Range(file, 4, 8));
    EXPECT_EQ(steps[1][2].code, HEXData);
    EXPECT_EQ(steps[1][2].payload, Range(file, 8, 56));
    EXPECT_EQ(steps[1][0].progress, 1);
    EXPECT_EQ(steps[1][2].progress, 3);

    ASSERT_EQ(steps[2].size(), 1u);
    EXPECT_EQ(steps[2][0].payload, Range(file, 56, 104));

    ASSERT_EQ(steps[3].size(), 2u);
    Bytes last = Range(file, 104, 108);
    last.resize(48, 0xFF);
    EXPECT_EQ(steps[3][0].payload, last);
    EXPECT_EQ(steps[3][1].code, HEXEnd);
    EXPECT_EQ(steps[3][1].payload, Bytes{Xor(Range(file, 8, 108), 0x12)});
    EXPECT_EQ(steps[3][1].progress, steps[3][0].progress);
    EXPECT_EQ(m_link.UpdateChecksum(), Xor(Range(file, 8, 108), 0x12));
}

TEST_F(DeviceLinkTest, AnMcuImageOfWholeChunksEndsWithoutFill)
{
    const Bytes file = WithTag("WMCU", Counting(4 + 96, 3));
    ASSERT_TRUE(Load(file));
    const auto steps = Run();
    ASSERT_EQ(steps.size(), 3u);
    ASSERT_EQ(steps[2].size(), 2u);
    EXPECT_EQ(steps[2][0].payload, Range(file, 56, 104));
    EXPECT_EQ(steps[2][1].code, HEXEnd);
}

TEST_F(DeviceLinkTest, ACombinedFileSendsTheDspImageThenTheMcuImage)
{
    Bytes file = WithTag("WDSP", Counting(FIRMWARE_DSP_IMAGE_SIZE, 5));
    file.push_back(0xC3);  // offset 0x40003: never sent
    const Bytes mcu = Counting(4 + 60, 9);
    const Bytes tail = WithTag("WMCU", mcu);
    file.insert(file.end(), tail.begin(), tail.end());
    ASSERT_TRUE(Load(file));
    EXPECT_EQ(g_nUpdateProgressTotal.load(), int((file.size() - 5 - 0x3FFFF) / 48 + 5957 + 6));

    std::vector<int> codes;
    Bytes dsp;
    std::vector<unsigned> offsets;
    Bytes lastDspChunk;
    Bytes mcuSent;
    for (const auto& step : Run()) {
        for (const Sent& s : step) {
            codes.push_back(s.code);
            if (s.code == IAP_DSP_DATA) {
                offsets.push_back(s.payload[0] | s.payload[1] << 8 | s.payload[2] << 16 | unsigned(s.payload[3]) << 24);
                dsp.insert(dsp.end(), s.payload.begin() + 4, s.payload.end());
                lastDspChunk = s.payload;
            } else if (s.code == HEXStart || s.code == HEXData) {
                mcuSent.insert(mcuSent.end(), s.payload.begin(), s.payload.end());
            }
        }
    }
    ASSERT_EQ(offsets.size(), 5958u);
    EXPECT_EQ(offsets[1], 44u);
    EXPECT_EQ(offsets.back(), 262108u);
    // The last chunk: 35 image bytes and 9 zeros; the byte after the image
    // is not among them.
    EXPECT_EQ(Range(lastDspChunk, 4 + 35, 48), Bytes(9, 0));
    dsp.resize(FIRMWARE_DSP_IMAGE_SIZE);
    EXPECT_EQ(dsp, Range(file, 4, 4 + FIRMWARE_DSP_IMAGE_SIZE));
    Bytes mcuExpected = mcu;
    mcuExpected.resize(4 + 96, 0xFF);
    EXPECT_EQ(mcuSent, mcuExpected);

    // HEXApply once, the erase once, no HEXEnd between the images.
    EXPECT_EQ(std::count(codes.begin(), codes.end(), HEXApply), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), IAP_DSP_REQUEST_INFO), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), HEXEnd), 1);
    EXPECT_EQ(codes[0], HEXSync);
    EXPECT_EQ(codes[1], HEXApply);
    EXPECT_EQ(codes[2], IAP_DSP_REQUEST_INFO);
    const auto start = std::find(codes.begin(), codes.end(), HEXStart);
    ASSERT_NE(start, codes.end());
    EXPECT_EQ(*(start - 1), IAP_DSP_DATA);
    EXPECT_EQ(codes.back(), HEXEnd);
}

TEST_F(DeviceLinkTest, ADspOnlyFileEndsWithTheChecksumOfAnEmptyMcuImage)
{
    // An MCU file loaded before must not leave its checksum behind.
    ASSERT_TRUE(Load(WithTag("WMCU", Counting(20, 77))));
    ASSERT_NE(m_link.UpdateChecksum(), 0x12);

    Bytes file = WithTag("WDSP", Counting(FIRMWARE_DSP_IMAGE_SIZE, 2));
    file.push_back(0);
    const Bytes noMcu = {'N', 'O', 'N', 'E', 1, 2, 3};
    file.insert(file.end(), noMcu.begin(), noMcu.end());
    ASSERT_TRUE(Load(file));
    EXPECT_FALSE(g_bUpdateHasMcu);

    const auto steps = Run();
    const std::vector<Sent>& last = steps.back();
    ASSERT_EQ(last.size(), 2u);
    EXPECT_EQ(last[0].code, IAP_DSP_DATA);
    EXPECT_EQ(last[1].code, HEXEnd);
    EXPECT_EQ(last[1].payload, Bytes{0x12});
}

TEST_F(DeviceLinkTest, FilesThatAreNoFirmwareAreRefusedWithThePathKept)
{
    struct Case {
        const char* name;
        Bytes content;
    };
    Bytes dspTagOnly = WithTag("WDSP", Bytes(0x40003 - 4, 1));
    const Case cases[] = {
        {"WDSP file of exactly 0x40003 bytes", dspTagOnly},
        {"MCU file with another tag", WithTag("wmcu", Bytes(60, 1))},
        {"file shorter than a tag", {'W', 'M', 'C'}},
        {"empty file", {}},
        {"combined file with neither tag", Bytes(0x40010, 'W')},
        {"MCU image without its start bytes", WithTag("WMCU", {1, 2, 3})},
        {"MCU image that is empty", WithTag("WMCU", {})},
        {"file above the size cap", WithTag("WMCU", Bytes(FIRMWARE_FILE_MAX, 1))},
    };
    for (const Case& c : cases) {
        CMessageBoxSpy spy;
        EXPECT_FALSE(Load(c.content)) << c.name;
        ASSERT_EQ(spy.shown.size(), 1u) << c.name;
        EXPECT_EQ(spy.shown[0].text, QStringLiteral("Update file error!"));
        EXPECT_EQ(spy.shown[0].helpId, -3);
        EXPECT_FALSE(g_strUpdateFilePath.isEmpty()) << c.name;
        // Nothing of it goes out: only the sync command of the reset state.
        const auto steps = Run();
        EXPECT_EQ(steps.size(), 1u) << c.name;
    }
}

TEST_F(DeviceLinkTest, AFileThatCannotBeOpenedClearsThePath)
{
    g_bChinese = true;
    CMessageBoxSpy spy;
    g_strUpdateFilePath = m_dir.filePath("missing.bin");
    EXPECT_FALSE(m_link.LoadUpdateFile());
    EXPECT_TRUE(g_strUpdateFilePath.isEmpty());
    ASSERT_EQ(spy.shown.size(), 1u);
    EXPECT_EQ(spy.shown[0].text, QStringLiteral("更新文件错误!"));
    EXPECT_EQ(spy.shown[0].helpId, -2);
}

TEST_F(DeviceLinkTest, OnlyABinExtensionInSmallLettersRemembersTheFolder)
{
    m_link.SetUpdateFolder(QStringLiteral("/start"));
    const QString capitals = m_dir.filePath("sub/FW.BIN");
    EXPECT_FALSE(m_link.SelectUpdateFile(capitals));
    EXPECT_EQ(g_strUpdateFilePath, capitals);
    EXPECT_EQ(m_link.UpdateFolder(), QStringLiteral("/start"));

    EXPECT_FALSE(m_link.SelectUpdateFile(QString()));  // cancelled
    EXPECT_EQ(g_strUpdateFilePath, capitals);

    const QString small = m_dir.filePath("sub/fw.bin");
    EXPECT_TRUE(m_link.SelectUpdateFile(small));
    EXPECT_EQ(g_strUpdateFilePath, small);
    EXPECT_EQ(m_link.UpdateFolder(), QDir::cleanPath(m_dir.filePath("sub")));
}

TEST_F(DeviceLinkTest, NothingIsQueuedWhileTheQueueHoldsACommand)
{
    ASSERT_TRUE(Load(WithTag("WMCU", Counting(10, 0))));
    m_command.AddCommand(std::make_unique<CSendData>());
    m_link.NextUpdateStep();
    EXPECT_EQ(m_command.GetCount(), 1);
    m_command.RemoveHead();
    // The sync command is still the first to go.
    EXPECT_EQ(Step()[0].code, HEXSync);
}

}  // namespace
