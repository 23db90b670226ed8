#pragma once
// Hand-written frames of the simulator tests, as the program sends them, and
// the tests' ways to build and decode frames with the simulator's own codec.
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <vector>

#include "model/DataDefine.h"
#include "tools/simulator/SimDevice.h"

// Output 2, record 5, linked: the worked example of the frame layout.
inline const std::vector<BYTE> kWorkedExample = {0x82, 0x82, 0x82, 0xEE, 0xA1, 0x01, 0x00, 0x04,
                                                 0x02, 0x05, 0x01, 0x00, 0x08, 0x00, 0x10, 0x27,
                                                 0x58, 0x02, 0x34, 0x00, 0x00, 0x00, 0xF3, 0xAA};
// The connect handshake request (system item 0xCC).
inline const std::vector<BYTE> kHandshake = {0x82, 0x82, 0x82, 0xEE, 0xA2, 0x01, 0x00, 0x09, 0xCC, 0x00, 0x00, 0x00,
                                             0x08, 0x00, 0,    0,    0,    0,    0,    0,    0,    0,    0x6E, 0xAA};
// The version request (system item 4).
inline const std::vector<BYTE> kVersionRequest = {0x82, 0x82, 0x82, 0xEE, 0xA2, 0x01, 0x00, 0x09,
                                                  0x04, 0x00, 0x00, 0x00, 0x08, 0x00, 0,    0,
                                                  0,    0,    0,    0,    0,    0,    0xA6, 0xAA};
// Block request for output 2 of the live set, record byte 0x77.
inline const std::vector<BYTE> kReadOutput2 = {0x82, 0x82, 0x82, 0xEE, 0xA2, 0x01, 0x00, 0x04, 0x02, 0x77, 0x00, 0x00,
                                               0x08, 0x00, 0,    0,    0,    0,    0,    0,    0,    0,    0xDA, 0xAA};

// The record the worked example writes.
inline std::vector<BYTE> WorkedExampleRecord()
{
    return std::vector<BYTE>(kWorkedExample.begin() + 14, kWorkedExample.begin() + 22);
}

// A whole wire frame of the given fields.
inline std::vector<BYTE> Frame(BYTE cls, BYTE slot, BYTE type, BYTE item, BYTE record, std::vector<BYTE> payload)
{
    CSimFrame f;
    f.cls = cls;
    f.slot = slot;
    f.type = type;
    f.item = item;
    f.record = record;
    f.payload = std::move(payload);
    return f.Encode();
}

// Every frame in bytes, in order; *syncs counts the sync patterns.
inline std::vector<CSimFrame> DecodeAll(const std::vector<BYTE>& bytes, int* syncs = nullptr)
{
    CSimFrameDecoder decoder;
    std::vector<CSimFrame> frames;
    for (BYTE b : bytes) {
        const CSimFrameDecoder::Event e = decoder.Feed(b);
        if (e == CSimFrameDecoder::Event::Frame)
            frames.push_back(decoder.LastFrame());
        else if (e == CSimFrameDecoder::Event::Sync && syncs)
            ++*syncs;
    }
    return frames;
}

// The next frame that arrives on fd (a socket or a terminal), read through
// decoder, which keeps a frame cut between two calls. False after waitMs, or
// when the stream ended (*closed is set then).
inline bool ReceiveFrame(int fd, CSimFrameDecoder& decoder, CSimFrame* frame, int waitMs, bool* closed = nullptr)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (std::chrono::steady_clock::now() < until) {
        pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0)
            continue;
        BYTE b;
        if (read(fd, &b, 1) != 1) {
            if (closed)
                *closed = true;
            return false;
        }
        if (decoder.Feed(b) == CSimFrameDecoder::Event::Frame) {
            *frame = decoder.LastFrame();
            return true;
        }
    }
    return false;
}

// A 65-byte report: report id 0, the frame, zero fill.
inline std::vector<BYTE> AsReport(const std::vector<BYTE>& frame)
{
    std::vector<BYTE> report(CSimDevice::kReportSize, 0);
    std::copy(frame.begin(), frame.end(), report.begin() + 1);
    return report;
}

// The firmware sync report: report id 0, then 32 pairs 43 11.
inline std::vector<BYTE> SyncReport()
{
    std::vector<BYTE> report(1, 0);
    for (int k = 0; k < 32; ++k)
        report.insert(report.end(), {0x43, 0x11});
    return report;
}

// A firmware command as the update sends it, in one report.
inline std::vector<BYTE> FirmwareReport(BYTE code, size_t payload)
{
    return AsReport(Frame(CSimFrame::kWrite, 0, BLOCK_SYSTEM, code, 0, std::vector<BYTE>(payload, 0x5A)));
}
