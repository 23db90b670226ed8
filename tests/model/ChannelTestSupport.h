#pragma once
// Helpers of the channel and parameter-set tests: a clean start state, the
// header fields and payload of a built frame, and images with every field
// at an extreme.
#include <cstring>
#include <vector>

#include "model/ChangeScanFlags.h"
#include "model/KTV_Data.h"
#include "model/LinkState.h"
#include "tests/model/FrameTestSupport.h"

// The image defaults, no device synced, no scan request pending, no notice
// target, no data lock, the empty name not yet "Custom".
inline void ResetParameterSetState()
{
    InitDefaultDeviceData();
    for (int k = 0; k < OUTPUT_COUNT; ++k)
        g_nLinkGroup[k] = k;
    g_bDeviceSynced = false;
    g_bSendSysItem5 = false;
    g_bSendSysItem2 = false;
    g_bSendPresetName = false;
    g_bTrackPresetName = false;
    g_strEmptyName.clear();
    g_pNotifyView = nullptr;
    g_bDataLocked = false;
    g_bClearLockMarker = false;
    g_strLockPassword.clear();
}

// Header fields of a frame: class, slot, block type, channel or item,
// record, link flag.
struct FrameHead {
    int cls;
    int slot;
    int block;
    int item;
    int record;
    int link;
    bool operator==(const FrameHead& o) const
    {
        return cls == o.cls && slot == o.slot && block == o.block && item == o.item && record == o.record &&
               link == o.link;
    }
};

inline std::ostream& operator<<(std::ostream& out, const FrameHead& h)
{
    return out << "{class " << std::hex << h.cls << std::dec << ", slot " << h.slot << ", block " << h.block
               << ", item " << h.item << ", record " << h.record << ", link " << h.link << "}";
}

inline FrameHead HeadOf(const CSendData& frame)
{
    const BYTE* d = frame.GetData();
    return {d[FRAME_CLASS_BYTE], d[FRAME_SLOT_BYTE], d[FRAME_BLOCK_BYTE],
            d[FRAME_ITEM_BYTE],  d[FRAME_RECORD_BYTE], d[FRAME_LINK_BYTE]};
}

// The status poll: a request for system item 3.
inline const FrameHead kStatusPoll = {FRAME_CLASS_REQUEST, 0, BLOCK_SYSTEM, SYSTEM_ITEM_STATUS, 0, 0};

inline std::vector<BYTE> ImageBytes(int offset, int size)
{
    return std::vector<BYTE>(g_CurrentImage.bytes + offset, g_CurrentImage.bytes + offset + size);
}

inline std::vector<BYTE> FixedText(const char* text, int size)
{
    std::vector<BYTE> field(size_t(size), 0);
    std::memcpy(field.data(), text, std::strlen(text));
    return field;
}
