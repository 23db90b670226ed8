#pragma once
// The device frame and its builders.
//
// A frame, in both directions:
//   0-2   preamble 0x82 0x82 0x82
//   3     0xEE
//   4     class: 0xA1 write, 0xA2 request ('Q', 'R', 'S' in replies)
//   5     device address (low byte of g_nDeviceAddress)
//   6     slot: 0 live set, 1 to 6 machine preset
//   7     block type: 1 mic, 2 effect, 3 music, 4 output, 9 system
//   8     channel within the block type, or the system item
//   9     record index (0 for whole blocks and system items; 0x77 or 0 in
//         block requests)
//   10    link flag: the output shares its link group with another output
//   11    0
//   12-13 payload length n, little-endian
//   14..  payload (n bytes)
//   14+n  XOR of bytes 4 to 13+n
//   15+n  0xAA
//
// Every frame is built in a buffer of its own, zeroed first, so no byte of
// one frame can leak into the next and builds on the UI thread and on the
// I/O worker never share anything but the image they read. The builders
// read the image and the system bytes under g_ParameterSetLock; they call
// nothing of the command queue.
#include <atomic>
#include <memory>

#include "model/DataDefine.h"
#include "model/SendData.h"
#include "platform/core/Types.h"

enum : int {
    // Header byte positions.
    FRAME_CLASS_BYTE = 4,
    FRAME_ADDRESS_BYTE = 5,
    FRAME_SLOT_BYTE = 6,
    FRAME_BLOCK_BYTE = 7,
    FRAME_ITEM_BYTE = 8,
    FRAME_RECORD_BYTE = 9,
    FRAME_LINK_BYTE = 10,
    FRAME_LENGTH_BYTE = 12,
    // Header, XOR and end byte around the payload.
    FRAME_OVERHEAD = FRAME_HEADER_SIZE + 2,
    FRAME_MAX_PAYLOAD = OUTPUT_BLOCK_SIZE,
    FRAME_MAX_SIZE = FRAME_MAX_PAYLOAD + FRAME_OVERHEAD,
    FRAME_PREAMBLE_BYTE = 0x82,
    FRAME_START_BYTE = 0xEE,
    FRAME_END_BYTE = 0xAA,
    FRAME_CLASS_WRITE = 0xA1,
    FRAME_CLASS_REQUEST = 0xA2,
    // Record byte of a block request or reply that means a stored preset.
    FRAME_RECORD_STORED = 0x77,
    // BuildParameterFrame's type for the status poll, and its system item.
    PARAM_TYPE_STATUS_POLL = 7,
    SYSTEM_ITEM_STATUS = 3,
    // Other system items of the dialogue (block type 9).
    SYSTEM_ITEM_PRESET_NAME = 0,       // a preset name, of the slot in the frame
    SYSTEM_ITEM_INPUT = 2,             // system bytes 0-7
    SYSTEM_ITEM_VERSION = 4,           // the device's firmware tag
    SYSTEM_ITEM_LEVEL = 5,             // system bytes 8-15
    SYSTEM_ITEM_SPEAKERS_LOW = 6,      // system bytes 16-23: outputs 1-8
    SYSTEM_ITEM_SPEAKERS_HIGH = 7,     // system bytes 24-31: outputs 9-12
    SYSTEM_ITEM_CURRENT_PRESET = 52,   // the current machine preset number
    SYSTEM_ITEM_MODE_GAINS = 64,       // g_ModeGains
    SYSTEM_ITEM_HANDSHAKE = 0xCC,      // the connect handshake
};

// Header fields of one frame (bytes 4 and 6 to 10); the address is always
// g_nDeviceAddress.
struct FrameFields {
    int frameClass = FRAME_CLASS_WRITE;
    int slot = 0;
    int blockType = 0;
    int item = 0;
    int record = 0;
    int linkFlag = 0;
};

// Device address; only its low byte goes into the frames.
extern std::atomic<int> g_nDeviceAddress;
// The frame built last, on whichever thread. For telling frames apart only:
// never dereference it, since the queue may have deleted that frame; use
// the object the builder returned, or the command in flight.
extern std::atomic<CSendData*> g_pSendData;
// Parameters of the live set were sent: the change scan renames the live
// preset to "Custom" and sends the name.
extern std::atomic<bool> g_bTrackPresetName;

// ---- Writing a frame into a buffer the caller owns --------------------------
// Bytes 0 to 3: the preamble and the start byte.
void WriteFramePreamble(BYTE* frame);
// Bytes 0 to 13: preamble, fields, address, byte 11 = 0 and the payload
// length in bytes 12 and 13.
void WriteFrameHeader(BYTE* frame, const FrameFields& fields, int payloadLength);
// The check byte: the XOR of count bytes from the class byte on (the rest of
// the header and the payload). The reply parser checks replies with it.
BYTE FrameCheckByte(const BYTE* fromClass, int count);
// Writes the XOR of bytes 4 to length-3 into byte length-2 and 0xAA into
// byte length-1. Returns FALSE and writes nothing when frame is null or
// length is not the header's payload length + 16.
bool FinishFrame(BYTE* frame, int length);

// Builds one frame in a new zeroed buffer: the header, the payload (zeros
// when payload is null) and the check bytes. Publishes it in g_pSendData.
// Null when payloadLength is outside 0 to FRAME_MAX_PAYLOAD.
std::unique_ptr<CSendData> BuildFrame(const FrameFields& fields, const BYTE* payload, int payloadLength);

// ---- Builders (each returns a new command the caller owns; null when the
// arguments name nothing the image holds) -------------------------------------
// One 8-byte record of the live image: type 1 mic (channel 0), 2 effect
// region (channel only copied), 3 music 0-3, 4 output 0-11; or, with type 7,
// the status poll (a request for system item 3 with a zero payload). Only
// output records carry the link flag, and of those only records 0 to 30, 32
// and 33.
std::unique_ptr<CSendData> BuildParameterFrame(int type, int channel, int record);
// A whole block to device slot `slot`: from the live image when current is
// set (output 0 with the lock fields while the data is locked), else from
// machine preset `slot` (1 to 6) when fromSlot is set. Music and output
// blocks from the live image set g_bTrackPresetName. Never changes an image.
std::unique_ptr<CSendData> BuildBlockFrame(int slot, int blockType, int channel, bool current, bool fromSlot);
// Asks for a whole block. Record byte 0 when recalling a machine preset
// (recall set, slot not 0), 0x77 otherwise. The last argument changes nothing.
std::unique_ptr<CSendData> BuildBlockRequestFrame(int slot, int blockType, int channel, bool recall,
                                                  bool spare = false);
// Asks for one system item.
std::unique_ptr<CSendData> BuildSystemRequestFrame(int item, int slot);
// Writes one system item: 0 the preset name of slot (0 live, 1-6 machine
// preset), 2/5/6/7 system bytes 0-7/8-15/16-23/24-31, 52 the current preset
// number, 64 the mode gains, 65 and 96 eight zero bytes.
std::unique_ptr<CSendData> BuildSystemCommandFrame(int item, int slot);
