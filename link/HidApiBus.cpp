#include "link/HidApiBus.h"

#include <hidapi/hidapi.h>

#include <cstdio>
#include <mutex>

#include "link/HidApiHandle.h"
#include "link/HidApiLock.h"

namespace {
// hid_init once; FALSE when it failed (every later call then finds nothing).
bool HidApiReady()
{
    static const bool ready = [] {
        std::lock_guard<std::mutex> lock(HidApiMutex());
        if (hid_init() == 0)
            return true;
        std::fprintf(stderr, "hidapi could not be initialised\n");
        return false;
    }();
    return ready;
}
}  // namespace

std::vector<HidDeviceInfo> CHidApiBus::Enumerate(int vendorId, int productId)
{
    std::vector<HidDeviceInfo> found;
    if (!HidApiReady())
        return found;
    std::lock_guard<std::mutex> lock(HidApiMutex());
    hid_device_info* list = hid_enumerate(static_cast<unsigned short>(vendorId), static_cast<unsigned short>(productId));
    for (const hid_device_info* d = list; d != nullptr; d = d->next) {
        if (d->path == nullptr)
            continue;
        found.push_back({QString::fromLocal8Bit(d->path), d->vendor_id, d->product_id, d->release_number});
    }
    hid_free_enumeration(list);
    return found;
}

std::unique_ptr<IHidHandle> CHidApiBus::Open(const QString& path)
{
    if (path.isEmpty() || !HidApiReady())
        return nullptr;
    hid_device* device = nullptr;
    {
        std::lock_guard<std::mutex> lock(HidApiMutex());
        device = hid_open_path(path.toLocal8Bit().constData());
    }
    if (device == nullptr)
        return nullptr;
    return std::make_unique<CHidApiHandle>(device);
}
