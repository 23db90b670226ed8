// The reply parser: device bytes as the USB reports, the network chunks or
// the serial line deliver them, with a queue that may hold commands, one of
// them in flight. Whatever the bytes, a reply stores only inside the block
// (or the system item) that a frame header in the input names, never beyond
// the bounds of what it stores, and the lock state never changes.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "link/FirmwareUpdate.h"
#include "link/FrameCollector.h"
#include "link/KTVCommand.h"
#include "link/LinkStatus.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/LinkState.h"
#include "model/SendData.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LiveSnapshot.h"

namespace {

// A frame header found in the input: what a reply may write.
struct NamedTarget {
    int slot;
    int block;
    int item;
};

// Every place in the stream where a frame can start names a target; the
// parser can store for no other.
std::vector<NamedTarget> NamedTargets(const BYTE* stream, size_t size)
{
    std::vector<NamedTarget> named;
    for (size_t i = 0; i + 9 < size; ++i) {
        if (stream[i] == 0x82 && stream[i + 1] == 0x82 && stream[i + 2] == 0x82 && stream[i + 3] == 0xEE)
            named.push_back({stream[i + 6], stream[i + 7], stream[i + 8]});
    }
    return named;
}

bool Within(int offset, int start, int size)
{
    return offset >= start && offset < start + size;
}

// Image k (0 the live image, 1-6 the machine presets) at offset may change.
bool ImageByteAllowed(const std::vector<NamedTarget>& named, int k, int offset)
{
    for (const NamedTarget& t : named) {
        if (t.slot > MACHINE_PRESET_COUNT || (k != 0 && k != t.slot))
            continue;
        if (t.block == BLOCK_MUSIC && t.item < MUSIC_COUNT && Within(offset, MusicBlockOffset(t.item), MUSIC_BLOCK_SIZE))
            return true;
        if (t.block == BLOCK_OUTPUT && t.item < OUTPUT_COUNT &&
            Within(offset, OutputBlockOffset(t.item), OUTPUT_BLOCK_SIZE))
            return true;
        const bool nameItem = t.item == SYSTEM_ITEM_PRESET_NAME || (k == 0 && t.item == SYSTEM_ITEM_CURRENT_PRESET);
        if (t.block == BLOCK_SYSTEM && nameItem && Within(offset, PRESET_NAME_OFFSET, PRESET_NAME_SIZE - 1))
            return true;
    }
    return false;
}

bool SystemByteAllowed(const std::vector<NamedTarget>& named, int k)
{
    for (const NamedTarget& t : named) {
        if (t.block != BLOCK_SYSTEM)
            continue;
        const int first = t.item == SYSTEM_ITEM_INPUT             ? 0
                          : t.item == SYSTEM_ITEM_LEVEL           ? 8
                          : t.item == SYSTEM_ITEM_SPEAKERS_LOW    ? 16
                          : t.item == SYSTEM_ITEM_SPEAKERS_HIGH   ? 24
                                                                  : -1;
        if (first >= 0 && Within(k, first, 8))
            return true;
        if (t.item == SYSTEM_ITEM_CURRENT_PRESET && &g_SystemBytes[k] == &g_byCurrentPreset)
            return true;
    }
    return false;
}

// Commands waiting for replies, with the flags the parser acts on.
void FillQueue(CKTVCommand& command, BYTE setup)
{
    static const int kCodes[] = {0, 0, HEXApply, HEXStart, HEXData, HEXEnd, IAP_DSP_DATA, HEXSync};
    const int count = setup & 3;
    for (int k = 0; k < count; ++k) {
        auto queued = std::make_unique<CSendData>();
        queued->SetData(std::vector<BYTE>(24, 0x55));
        queued->SetCommandCode(kCodes[(setup >> 2) & 7]);
        queued->SetLastWrite((setup & 0x20) != 0);
        queued->SetLastRequest((setup & 0x40) != 0);
        queued->SetLongWait(k == 0 && (setup & 0x80) != 0);
        command.AddCommand(std::move(queued));
    }
    if ((setup & 0x10) != 0)
        command.BeginSendHead();
}

void Deliver(CKTVCommand& command, int transport, const BYTE* stream, size_t size)
{
    switch (transport) {
    case 0:  // USB: 65-byte reports, report id first, the last one zero-filled
        for (size_t at = 0; at < size; at += HID_REPORT_SIZE - 1) {
            BYTE report[HID_REPORT_SIZE] = {};
            std::memcpy(report + 1, stream + at, std::min<size_t>(HID_REPORT_SIZE - 1, size - at));
            command.FeedHidReport(report, HID_REPORT_SIZE);
        }
        break;
    case 1: {  // network: one chunk, as one receive gives it
        std::vector<BYTE> chunk(stream, stream + size);
        if (!chunk.empty())
            command.FeedNetworkBytes(chunk.data(), int(chunk.size()));
        break;
    }
    case 2:  // serial: byte by byte
        for (size_t at = 0; at < size; ++at)
            command.FeedSerialByte(stream[at]);
        break;
    default:  // raw pieces of varying size
        for (size_t at = 0, n = 1; at < size; at += n, n = n * 7 % 97 + 1) {
            n = std::min(n, size - at);
            command.FeedBytes(stream + at, int(n));
        }
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzStart();
    FuzzRestoreBaseline();
    static CKTVCommand* command = new CKTVCommand;
    if (size < 2)
        return 0;
    const BYTE mode = data[0];
    command->ClearQueue();
    command->ResetParser();
    ClearStatusBytes();
    g_nLinkType = (mode & 4) != 0 ? 1 : 2;
    g_bHandshakePending = (mode & 8) != 0;
    FillQueue(*command, data[1]);

    const BYTE* stream = data + 2;
    const size_t length = size - 2;
    const CLiveSnapshot before;
    Deliver(*command, mode & 3, stream, length);
    const CLiveSnapshot after;

    const std::vector<NamedTarget> named = NamedTargets(stream, length);
    for (int k = 0; k <= MACHINE_PRESET_COUNT; ++k) {
        const BYTE* was = before.Image(k).bytes;
        const BYTE* now = after.Image(k).bytes;
        for (int offset = 0; offset < IMAGE_SIZE; ++offset) {
            if (was[offset] != now[offset])
                FuzzCheck(ImageByteAllowed(named, k, offset), "an image byte changed outside the block a reply names");
        }
        // A stored name keeps its terminating byte.
        FuzzCheck(now[PRESET_NAME_SIZE - 1] == was[PRESET_NAME_SIZE - 1], "a preset name lost its end");
    }
    for (int k = 0; k < SYSTEM_BYTE_COUNT; ++k) {
        if (before.SystemBytes()[k] != after.SystemBytes()[k])
            FuzzCheck(SystemByteAllowed(named, k), "a system byte changed that no reply names");
    }
    FuzzCheck(after.SameLockState(before), "the lock state stays as it was");
    FuzzCheck(g_byCurrentPreset <= MACHINE_PRESET_COUNT, "the current preset is a preset number");
    FuzzCheck(g_szDeviceVersion[DEVICE_VERSION_SIZE - 1] == 0, "the device version stays terminated");
    for (int status : g_nDeviceStatus)
        FuzzCheck(status >= 0 && status <= 255, "a status value is a byte");
    FuzzCheck(command->Collector().CollectedCount() <= FRAME_BUFFER_SIZE, "the collector stays in its buffer");
    command->ClearQueue();
    return 0;
}
