// Throughput of the reply parser on the heaviest replies it sees: whole
// 296-byte output blocks, each in five 64-byte HID reports, each answering
// a queued command. A full-speed USB link brings at most 64 kB/s; the
// parser must stay far above that (50 MB/s at least).
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "link/KTVCommand.h"
#include "model/DataDefine.h"
#include "model/SendData.h"
#include "tests/link/ReplyTestSupport.h"

namespace {

using Report = std::vector<BYTE>;

// The reports of one output-block reply for output `channel`.
std::vector<Report> BlockReplyReports(int channel)
{
    Bytes block(OUTPUT_BLOCK_SIZE);
    for (int k = 0; k < OUTPUT_BLOCK_SIZE; ++k)
        block[size_t(k)] = BYTE(k * 13 + channel);
    return ToReports(Data(BLOCK_OUTPUT, channel, block));
}

void BM_OutputBlockRepliesInReports(benchmark::State& state)
{
    // Outputs 0 to 10: the last one would announce a preset to a view.
    std::vector<std::vector<Report>> replies;
    for (int channel = 0; channel < OUTPUT_COUNT - 1; ++channel)
        replies.push_back(BlockReplyReports(channel));
    CKTVCommand command;
    std::int64_t bytes = 0;
    std::int64_t completed = 0;
    size_t next = 0;
    for (auto _ : state) {
        command.AddCommand(std::make_unique<CSendData>());
        for (const Report& r : replies[next]) {
            BYTE report[HID_REPORT_SIZE];
            std::memcpy(report, r.data(), HID_REPORT_SIZE);
            completed += command.FeedHidReport(report, HID_REPORT_SIZE) ? 1 : 0;
            bytes += HID_REPORT_PAYLOAD;
        }
        next = (next + 1) % replies.size();
    }
    if (completed != state.iterations() || command.GetCount() != 0)
        state.SkipWithError("a reply was not taken");
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(completed);
}
BENCHMARK(BM_OutputBlockRepliesInReports);

}  // namespace

BENCHMARK_MAIN();
