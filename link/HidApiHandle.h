#pragma once
// A device opened through hidapi (CHidApiBus::Open). Closing takes hidapi's
// global mutex, like the open.
#include "link/HidHandle.h"

struct hid_device_;

class CHidApiHandle : public IHidHandle {
public:
    explicit CHidApiHandle(hid_device_* device);
    ~CHidApiHandle() override;
    CHidApiHandle(const CHidApiHandle&) = delete;
    CHidApiHandle& operator=(const CHidApiHandle&) = delete;

    bool GetInfo(HidDeviceInfo* info) override;
    int Write(const BYTE* report, int length) override;
    int Read(BYTE* data, int length, int timeoutMs) override;

private:
    hid_device_* m_pDevice;
};
