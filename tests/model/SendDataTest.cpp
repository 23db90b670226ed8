#include <gtest/gtest.h>

#include <cstring>

#include "model/LinkState.h"
#include "model/SendData.h"
#include "tests/model/FrameTestSupport.h"

namespace {

// A command holding a frame of n bytes, byte k = k * 3 + 1.
std::unique_ptr<CSendData> FrameOf(int n)
{
    std::vector<BYTE> frame(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        frame[size_t(k)] = BYTE(k * 3 + 1);
    auto command = std::make_unique<CSendData>();
    command->SetData(std::move(frame));
    return command;
}

// Every report a command packs, until it says nothing is left.
std::vector<std::vector<BYTE>> AllReports(CSendData& command)
{
    std::vector<std::vector<BYTE>> reports;
    BYTE report[HID_REPORT_SIZE];
    std::memset(report, 0xCC, sizeof report);
    while (command.NextReport(report))
        reports.emplace_back(report, report + HID_REPORT_SIZE);
    return reports;
}

TEST(SendDataTest, FramesArePackedIntoReportsOfSixtyFourBytes)
{
    struct Case {
        int length, reports, lastCarries;
    };
    for (const Case c : {Case{24, 1, 24}, Case{64, 1, 64}, Case{65, 2, 1}, Case{312, 5, 56}}) {
        SCOPED_TRACE(c.length);
        auto command = FrameOf(c.length);
        const std::vector<BYTE> frame = BytesOf(*command);
        const auto reports = AllReports(*command);
        ASSERT_EQ(int(reports.size()), c.reports);
        std::vector<BYTE> carried;
        for (size_t r = 0; r < reports.size(); ++r) {
            EXPECT_EQ(reports[r][0], 0) << "report id of report " << r;
            const int carries = r + 1 == reports.size() ? c.lastCarries : 64;
            carried.insert(carried.end(), reports[r].begin() + 1, reports[r].begin() + 1 + carries);
            // The last report is padded with zeros behind the frame's end.
            for (int k = 1 + carries; k < HID_REPORT_SIZE; ++k)
                EXPECT_EQ(reports[r][size_t(k)], 0) << "report " << r << " byte " << k;
        }
        EXPECT_EQ(carried, frame);
    }
}

TEST(SendDataTest, ASentFrameLeavesTheReportAloneUntilRewound)
{
    auto command = FrameOf(70);
    BYTE report[HID_REPORT_SIZE];
    ASSERT_TRUE(command->NextReport(report));
    ASSERT_TRUE(command->NextReport(report));
    BYTE previous[HID_REPORT_SIZE];
    std::memcpy(previous, report, sizeof report);
    EXPECT_FALSE(command->NextReport(report));
    EXPECT_EQ(std::memcmp(report, previous, sizeof report), 0);

    command->Rewind();
    ASSERT_TRUE(command->NextReport(report));
    EXPECT_EQ(report[1], 1);  // frame byte 0
    EXPECT_EQ(report[64], BYTE(63 * 3 + 1));

    // An empty command packs nothing.
    CSendData empty;
    EXPECT_FALSE(empty.NextReport(report));
    EXPECT_EQ(empty.GetData(), nullptr);
}

TEST(SendDataTest, TheLengthNeverReachesPastTheFrame)
{
    auto command = FrameOf(24);
    command->SetLength(100);
    EXPECT_EQ(command->GetLength(), 24);
    command->SetLength(-3);
    EXPECT_EQ(command->GetLength(), 0);
    command->SetLength(10);
    const auto reports = AllReports(*command);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0][10], BYTE(9 * 3 + 1));
    EXPECT_EQ(reports[0][11], 0);
}

TEST(SendDataTest, LastRequestAndLastWriteDependOnTheLinkKind)
{
    struct Case {
        int linkType;
        int reportsSent;  // of a 100-byte frame: 0 none, 1 half, 2 all
        bool last;
    };
    const Case cases[] = {
        {1, 0, true}, {2, 1, true}, {3, 2, true}, {0, 0, false}, {0, 1, false}, {0, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "link " << c.linkType << " reports " << c.reportsSent);
        g_nLinkType = c.linkType;
        auto command = FrameOf(100);
        command->SetLastRequest(true);
        command->SetLastWrite(true);
        BYTE report[HID_REPORT_SIZE];
        for (int r = 0; r < c.reportsSent; ++r)
            command->NextReport(report);
        EXPECT_EQ(command->IsLastRequest(), c.last);
        EXPECT_EQ(command->IsLastWrite(), c.last);
        // Without the flags nothing is last.
        command->SetLastRequest(false);
        command->SetLastWrite(false);
        EXPECT_FALSE(command->IsLastRequest());
        EXPECT_FALSE(command->IsLastWrite());
    }
    g_nLinkType = 0;
}

}  // namespace
