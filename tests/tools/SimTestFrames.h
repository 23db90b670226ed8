#pragma once
// Hand-written frames of the simulator tests, as the program sends them.
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
    CSimFrame f;
    f.cls = CSimFrame::kWrite;
    f.type = BLOCK_SYSTEM;
    f.item = code;
    f.payload.assign(payload, 0x5A);
    return AsReport(f.Encode());
}
