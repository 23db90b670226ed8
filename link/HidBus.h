#pragma once
// The HID devices of the machine: which are present, and opening one by
// its path. The program's is hidapi's (CHidApiBus); tests put a simulated
// device behind the same interface.
#include <memory>
#include <vector>

#include <QString>

class IHidHandle;

// One present HID device (one interface of it, with its own path).
struct HidDeviceInfo {
    QString path;
    int vendorId = 0;
    int productId = 0;
    // The device's release number (bcdDevice).
    int release = 0;
};

class IHidBus {
public:
    virtual ~IHidBus() = default;
    // The present devices with this vendor and product id, in the system's
    // order.
    virtual std::vector<HidDeviceInfo> Enumerate(int vendorId, int productId) = 0;
    // Opens the device at path for reading and writing; null when it cannot
    // be opened (gone, or no access).
    virtual std::unique_ptr<IHidHandle> Open(const QString& path) = 0;
};
