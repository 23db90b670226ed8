#include "model/FrameBuilder.h"

#include <cstring>
#include <vector>

#include "model/DataLockState.h"
#include "model/ParameterSetLock.h"

std::atomic<int> g_nDeviceAddress{1};
std::atomic<CSendData*> g_pSendData{nullptr};
std::atomic<bool> g_bTrackPresetName{false};

namespace {
enum : int {
    EFFECT_RECORD_COUNT = EFFECT_SIZE / RECORD_SIZE,
    MIC_RECORD_COUNT = MIC_BLOCK_SIZE / RECORD_SIZE,
    MUSIC_RECORD_COUNT = MUSIC_BLOCK_SIZE / RECORD_SIZE,
    OUTPUT_RECORD_COUNT = OUTPUT_BLOCK_SIZE / RECORD_SIZE,
    PRESET_NAME_CHARS = PRESET_NAME_SIZE - 1,
};

// Where a block of the given type and channel lies in an image, and how
// many bytes a whole-block frame carries; false when the image has none.
struct BlockPlace {
    int offset;
    int size;
    int records;
};
bool FindBlock(int blockType, int channel, BlockPlace& place)
{
    switch (blockType) {
    case BLOCK_MIC:
        if (channel != 0)
            return false;
        place = {MicBlockOffset(0), MIC_BLOCK_SIZE, MIC_RECORD_COUNT};
        return true;
    case BLOCK_EFFECT:
        // The channel byte is only copied into the frame.
        place = {EFFECT_OFFSET, EFFECT_FRAME_SIZE, EFFECT_RECORD_COUNT};
        return true;
    case BLOCK_MUSIC:
        if (channel < 0 || channel >= MUSIC_COUNT)
            return false;
        place = {MusicBlockOffset(channel), MUSIC_BLOCK_SIZE, MUSIC_RECORD_COUNT};
        return true;
    case BLOCK_OUTPUT:
        if (channel < 0 || channel >= OUTPUT_COUNT)
            return false;
        place = {OutputBlockOffset(channel), OUTPUT_BLOCK_SIZE, OUTPUT_RECORD_COUNT};
        return true;
    default:
        return false;
    }
}

bool IsMachineSlot(int slot) { return slot >= 1 && slot <= MACHINE_PRESET_COUNT; }

// Output records that tell the device about the link group: the bands, the
// crossover and the first mix levels. The basic items, the second mix
// levels, the limiter and the name never carry the flag.
int OutputRecordLinkFlag(int channel, int record)
{
    const bool carries = record != OUTPUT_BASIC_RECORD && record <= OUTPUT_MIX_LOW_RECORD;
    return carries ? IsOutputLinked(channel) : 0;
}

// What output 0's block from the live image carries in its lock field: the
// image's lock flag and the password while the data is locked, a blank flag
// once after an unlock, else the image's own bytes. Taken before the
// parameter set is locked, since a bad password is reported in a message box.
struct LockFields {
    enum { Keep, Locked, Cleared } state = Keep;
    char password[LOCK_PASSWORD_SIZE + 1] = {};
};
LockFields TakeLockFields(int channel)
{
    LockFields fields;
    if (channel != 0)
        return fields;
    if (g_bDataLocked.load()) {
        fields.state = LockFields::Locked;
        StringToFixedField(fields.password, sizeof fields.password, g_strLockPassword);
    } else if (g_bClearLockMarker.load()) {
        fields.state = LockFields::Cleared;
    }
    return fields;
}

// Works on the frame's copy of the block only.
void ApplyLockFields(BYTE* block, const LockFields& fields)
{
    if (fields.state == LockFields::Locked) {
        block[LOCK_FLAG_BYTE] = '!';
        std::memcpy(block + LOCK_PASSWORD_BYTE, fields.password, LOCK_PASSWORD_SIZE);
    } else if (fields.state == LockFields::Cleared) {
        block[LOCK_FLAG_BYTE] = ' ';
    }
}

// A request: eight zero payload bytes.
std::unique_ptr<CSendData> BuildRequest(int slot, int blockType, int item, int record)
{
    return BuildFrame({FRAME_CLASS_REQUEST, slot, blockType, item, record, 0}, nullptr, RECORD_SIZE);
}
}  // namespace

void WriteFramePreamble(BYTE* frame)
{
    frame[0] = frame[1] = frame[2] = FRAME_PREAMBLE_BYTE;
    frame[3] = FRAME_START_BYTE;
}

void WriteFrameHeader(BYTE* frame, const FrameFields& fields, int payloadLength)
{
    WriteFramePreamble(frame);
    frame[FRAME_CLASS_BYTE] = BYTE(fields.frameClass);
    frame[FRAME_ADDRESS_BYTE] = BYTE(g_nDeviceAddress.load());
    frame[FRAME_SLOT_BYTE] = BYTE(fields.slot);
    frame[FRAME_BLOCK_BYTE] = BYTE(fields.blockType);
    frame[FRAME_ITEM_BYTE] = BYTE(fields.item);
    frame[FRAME_RECORD_BYTE] = BYTE(fields.record);
    frame[FRAME_LINK_BYTE] = BYTE(fields.linkFlag);
    frame[11] = 0;
    PutWord(frame + FRAME_LENGTH_BYTE, payloadLength);
}

BYTE FrameCheckByte(const BYTE* fromClass, int count)
{
    BYTE check = 0;
    for (int k = 0; k < count; ++k)
        check ^= fromClass[k];
    return check;
}

bool FinishFrame(BYTE* frame, int length)
{
    if (frame == nullptr || length < FRAME_OVERHEAD || length != GetWord(frame + FRAME_LENGTH_BYTE) + FRAME_OVERHEAD)
        return false;
    frame[length - 2] = FrameCheckByte(frame + FRAME_CLASS_BYTE, length - 2 - FRAME_CLASS_BYTE);
    frame[length - 1] = FRAME_END_BYTE;
    return true;
}

std::unique_ptr<CSendData> BuildFrame(const FrameFields& fields, const BYTE* payload, int payloadLength)
{
    if (payloadLength < 0 || payloadLength > FRAME_MAX_PAYLOAD)
        return nullptr;
    std::vector<BYTE> frame(size_t(payloadLength + FRAME_OVERHEAD), 0);
    WriteFrameHeader(frame.data(), fields, payloadLength);
    if (payload != nullptr && payloadLength > 0)
        std::memcpy(frame.data() + FRAME_HEADER_SIZE, payload, size_t(payloadLength));
    FinishFrame(frame.data(), int(frame.size()));
    auto command = std::make_unique<CSendData>();
    command->SetData(std::move(frame));
    g_pSendData.store(command.get());
    return command;
}

std::unique_ptr<CSendData> BuildParameterFrame(int type, int channel, int record)
{
    if (type == PARAM_TYPE_STATUS_POLL)
        return BuildRequest(0, BLOCK_SYSTEM, SYSTEM_ITEM_STATUS, 0);
    BlockPlace place;
    if (!FindBlock(type, channel, place) || record < 0 || record >= place.records)
        return nullptr;
    ParameterSetGuard guard(g_ParameterSetLock);
    const int linkFlag = type == BLOCK_OUTPUT ? OutputRecordLinkFlag(channel, record) : 0;
    return BuildFrame({FRAME_CLASS_WRITE, 0, type, channel, record, linkFlag},
                      g_CurrentImage.bytes + place.offset + RECORD_SIZE * record, RECORD_SIZE);
}

std::unique_ptr<CSendData> BuildBlockFrame(int slot, int blockType, int channel, bool current, bool fromSlot)
{
    BlockPlace place;
    if (!FindBlock(blockType, channel, place))
        return nullptr;
    const DeviceImage* source = nullptr;
    if (current)
        source = &g_CurrentImage;
    else if (fromSlot && IsMachineSlot(slot))
        source = &g_MachinePresets[slot - 1];
    else
        return nullptr;

    const bool liveOutput = current && blockType == BLOCK_OUTPUT;
    const LockFields lockFields = liveOutput ? TakeLockFields(channel) : LockFields();

    ParameterSetGuard guard(g_ParameterSetLock);
    BYTE block[FRAME_MAX_PAYLOAD];
    std::memcpy(block, source->bytes + place.offset, size_t(place.size));
    ApplyLockFields(block, lockFields);
    const int linkFlag = blockType == BLOCK_OUTPUT ? IsOutputLinked(channel) : 0;
    auto frame = BuildFrame({FRAME_CLASS_WRITE, slot, blockType, channel, 0, linkFlag}, block, place.size);
    if (current && (blockType == BLOCK_MUSIC || blockType == BLOCK_OUTPUT))
        g_bTrackPresetName.store(true);
    return frame;
}

std::unique_ptr<CSendData> BuildBlockRequestFrame(int slot, int blockType, int channel, bool recall, bool /*spare*/)
{
    const int record = (recall && slot != 0) ? 0 : FRAME_RECORD_STORED;
    return BuildRequest(slot, blockType, channel, record);
}

std::unique_ptr<CSendData> BuildSystemRequestFrame(int item, int slot)
{
    return BuildRequest(slot, BLOCK_SYSTEM, item, 0);
}

std::unique_ptr<CSendData> BuildSystemCommandFrame(int item, int slot)
{
    BYTE payload[MODE_GAINS_SIZE] = {};
    int length = RECORD_SIZE;
    ParameterSetGuard guard(g_ParameterSetLock);
    switch (item) {
    case 0: {
        if (slot != 0 && !IsMachineSlot(slot))
            return nullptr;
        const DeviceImage& image = slot == 0 ? g_CurrentImage : g_MachinePresets[slot - 1];
        // Fifteen characters and a NUL, even when the stored field is full.
        std::memcpy(payload, image.bytes + PRESET_NAME_OFFSET, PRESET_NAME_CHARS);
        length = PRESET_NAME_SIZE;
        break;
    }
    case 2:
    case 5:
    case 6:
    case 7:
        // Items 2, 5, 6 and 7 carry system bytes 0, 8, 16 and 24 onwards.
        std::memcpy(payload, g_SystemBytes + (item == 2 ? 0 : (item - 4) * RECORD_SIZE), RECORD_SIZE);
        break;
    case 52:
        payload[0] = g_byCurrentPreset;
        length = 1;
        break;
    case 64:
        std::memcpy(payload, g_ModeGains, MODE_GAINS_SIZE);
        length = MODE_GAINS_SIZE;
        break;
    case 65:
    case 96:
        break;
    default:
        return nullptr;
    }
    return BuildFrame({FRAME_CLASS_WRITE, slot, BLOCK_SYSTEM, item, 0, 0}, payload, length);
}
