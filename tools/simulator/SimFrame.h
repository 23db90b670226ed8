#pragma once
// One frame as the simulated device sees it. The device has its own encoder
// and decoder (CSimFrameDecoder), kept apart from the program's frame
// builders and reply parser on purpose: when the two agree, both are right.
//
// Wire layout: 82 82 82 EE, class, address, slot, block type, item, record,
// link flag, spare, 16-bit little-endian payload length, payload, XOR of
// everything from the class to the last payload byte, AA.
#include <cstddef>
#include <vector>

#include "platform/core/Types.h"

struct CSimFrame {
    enum : BYTE {
        kPreambleByte = 0x82,
        kStartByte = 0xEE,
        kEndByte = 0xAA,
        // Classes the program sends.
        kWrite = 0xA1,
        kRequest = 0xA2,
        // Classes the device answers with.
        kAck = 'Q',
        kResend = 'R',
        kData = 'S',
        // Record byte of a block request that reads a slot without recalling it.
        kReadRecord = 0x77,
    };
    enum : int {
        kPreambleSize = 3,
        kHeaderSize = 14,
        kOverhead = 16,
        // From the start byte on a frame must fit 400 bytes.
        kMaxPayload = 387,
    };

    BYTE cls = 0;
    BYTE address = 1;
    BYTE slot = 0;
    BYTE type = 0;
    BYTE item = 0;
    BYTE record = 0;
    BYTE link = 0;
    BYTE spare = 0;
    std::vector<BYTE> payload;
    // Filled by the decoder: end byte and XOR were right, and the bytes as
    // received (preamble included).
    bool valid = true;
    std::vector<BYTE> bytes;

    // The whole wire frame of the fields and the payload.
    std::vector<BYTE> Encode() const;
    // A reply to this frame: class cls, echoing address, slot, block type,
    // item and record byte.
    CSimFrame ReplyWith(BYTE replyClass, std::vector<BYTE> replyPayload = {}) const;
    // XOR of n bytes, starting from 0.
    static BYTE Checksum(const BYTE* data, size_t n);
};
