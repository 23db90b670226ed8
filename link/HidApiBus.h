#pragma once
// The machine's HID devices through hidapi's hidraw backend. hidapi keeps a
// global error text that enumerate, open and close write, so those three
// run under one mutex; reads and writes of an open device do not take it.
// hid_init runs once, on first use.
#include "link/HidBus.h"

class CHidApiBus : public IHidBus {
public:
    std::vector<HidDeviceInfo> Enumerate(int vendorId, int productId) override;
    std::unique_ptr<IHidHandle> Open(const QString& path) override;
};
