#pragma once
// One open HID device. Whoever holds it is its only user: the I/O worker
// while it runs, otherwise the UI thread. Destroying it closes the device.
#include "platform/core/Types.h"

struct HidDeviceInfo;

class IHidHandle {
public:
    virtual ~IHidHandle() = default;
    // The identity of the device behind the handle; FALSE when it cannot be
    // read.
    virtual bool GetInfo(HidDeviceInfo* info) = 0;
    // Writes one output report of length bytes, byte 0 the report id, and
    // returns once the system has taken it: the number of bytes written, or
    // -1 on an I/O error (the device has gone).
    virtual int Write(const BYTE* report, int length) = 0;
    // Waits at most timeoutMs (0: not at all) for one input report and
    // copies up to length bytes of it into data; input reports carry no
    // report id. Returns the bytes copied, 0 when nothing came in time, or
    // -1 on an I/O error (the device has gone).
    virtual int Read(BYTE* data, int length, int timeoutMs) = 0;
};
