// The firmware file and the update steps built from it. The layout is
// stated here once more on its own (tags, the DSP image, the MCU image),
// and the frames the steps queue are taken apart again: an accepted file
// goes out whole and in order in well-formed frames, ending with the MCU
// checksum; a refused one leaves nothing to send but the sync pattern.
// Neither touches the live data.
#include <cstring>
#include <vector>

#include "link/DeviceLink.h"
#include "link/FirmwareUpdate.h"
#include "link/KTVCommand.h"
#include "model/SendData.h"
#include "model/WorkingStrings.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/LiveSnapshot.h"

namespace {

using Bytes = std::vector<BYTE>;

struct Expected {
    bool accepted = false;
    bool hasDsp = false;
    Bytes dsp;
    Bytes mcu;
};

bool TagAt(const QByteArray& file, int at, const char* tag)
{
    return file.size() >= at + FIRMWARE_TAG_SIZE && std::memcmp(file.constData() + at, tag, FIRMWARE_TAG_SIZE) == 0;
}

Bytes Range(const QByteArray& file, qsizetype from, qsizetype to)
{
    return Bytes(file.constData() + from, file.constData() + to);
}

Expected Expect(const QByteArray& file)
{
    Expected e;
    bool hasMcu = false;
    if (file.size() < FIRMWARE_COMBINED_MIN) {
        hasMcu = TagAt(file, 0, "WMCU");
        if (hasMcu)
            e.mcu = Range(file, FIRMWARE_TAG_SIZE, file.size());
    } else {
        e.hasDsp = TagAt(file, 0, "WDSP");
        if (e.hasDsp)
            e.dsp = Range(file, FIRMWARE_TAG_SIZE, FIRMWARE_TAG_SIZE + FIRMWARE_DSP_IMAGE_SIZE);
        hasMcu = TagAt(file, FIRMWARE_MCU_TAG_OFFSET, "WMCU");
        if (hasMcu)
            e.mcu = Range(file, FIRMWARE_MCU_IMAGE_OFFSET, file.size());
    }
    e.accepted = (e.hasDsp || hasMcu) && (!hasMcu || e.mcu.size() >= MCU_START_SIZE);
    return e;
}

// A queued update frame: header, length, payload, XOR, end byte.
Bytes PayloadOf(const CSendData& sent)
{
    const BYTE* f = sent.GetData();
    const int length = sent.GetLength();
    FuzzCheck(length >= 16 && length <= 64, "an update frame fits one report");
    const BYTE head[] = {0x82, 0x82, 0x82, 0xEE, 0xA1, 1, 0, 9};
    FuzzCheck(std::memcmp(f, head, sizeof head) == 0, "an update frame has the update header");
    FuzzCheck(f[12] + 256 * f[13] + 16 == length, "an update frame declares its length");
    BYTE x = 0;
    for (int k = 4; k < length - 2; ++k)
        x ^= f[k];
    FuzzCheck(f[length - 2] == x && f[length - 1] == 0xAA, "an update frame ends with its XOR and end byte");
    return Bytes(f + 14, f + length - 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzStart();
    FuzzRestoreBaseline();
    static CKTVCommand* command = new CKTVCommand;
    static CDeviceLink* link = new CDeviceLink(*command);
    command->ClearQueue();
    const QByteArray file = FuzzBytes(data, size);
    g_strUpdateFilePath = FuzzWriteScratchFile("firmware.bin", file);
    const Expected expected = Expect(file);
    const CLiveSnapshot before;

    const bool loaded = link->LoadUpdateFile();
    FuzzCheck(loaded == expected.accepted, "the file is taken exactly when its layout is right");
    if (!loaded)
        FuzzCheck(g_nUpdateProgressTotal == 0 && !g_bUpdateHasMcu, "a refused file leaves no update behind");

    std::vector<int> codes;
    Bytes dsp, mcu, end;
    const int bound = int(size / DSP_CHUNK_SIZE) + 16;
    for (int step = 0; step < bound; ++step) {
        link->NextUpdateStep();
        bool queued = false;
        while (std::shared_ptr<CSendData> head = command->GetHead()) {
            queued = true;
            const int code = head->GetCommandCode();
            const Bytes payload = PayloadOf(*head);
            codes.push_back(code);
            if (code == IAP_DSP_DATA) {
                FuzzCheck(payload.size() == 4 + DSP_CHUNK_SIZE, "a DSP chunk is an offset and 44 bytes");
                const size_t offset = payload[0] | payload[1] << 8 | payload[2] << 16 | size_t(payload[3]) << 24;
                FuzzCheck(offset == dsp.size(), "DSP chunks go out in order");
                dsp.insert(dsp.end(), payload.begin() + 4, payload.end());
            } else if (code == HEXStart || code == HEXData) {
                mcu.insert(mcu.end(), payload.begin(), payload.end());
            } else if (code == HEXEnd) {
                end = payload;
            }
            command->RemoveHead();
        }
        if (!queued)
            break;
    }
    FuzzCheck(!codes.empty() && codes.front() == HEXSync, "every update starts with the sync pattern");
    if (!loaded) {
        FuzzCheck(codes.size() == 1, "a refused file sends nothing but the sync pattern");
    } else {
        FuzzCheck(codes.back() == HEXEnd, "an update ends with HEXEnd");
        FuzzCheck(dsp.size() >= expected.dsp.size() && dsp.size() < expected.dsp.size() + DSP_CHUNK_SIZE,
                  "the DSP image goes out whole");
        FuzzCheck(std::equal(expected.dsp.begin(), expected.dsp.end(), dsp.begin()), "the DSP image goes out as it is");
        Bytes padded = expected.mcu;
        if (padded.size() > MCU_START_SIZE)
            padded.resize(MCU_START_SIZE + (padded.size() - MCU_START_SIZE + MCU_CHUNK_SIZE - 1) / MCU_CHUNK_SIZE * MCU_CHUNK_SIZE, 0xFF);
        FuzzCheck(mcu == padded, "the MCU image goes out whole, filled with 0xFF");
        BYTE sum = MCU_CHECKSUM_SEED;
        for (size_t k = MCU_START_SIZE; k < expected.mcu.size(); ++k)
            sum ^= expected.mcu[k];
        FuzzCheck(end == Bytes{sum}, "HEXEnd carries the MCU checksum");
    }
    FuzzCheck(CLiveSnapshot() == before, "an update file touches no live data");
    command->ClearQueue();
    return 0;
}
