#include "link/HidApiHandle.h"

#include <hidapi/hidapi.h>

#include "link/HidApiLock.h"
#include "link/HidBus.h"

CHidApiHandle::CHidApiHandle(hid_device_* device) : m_pDevice(device) {}

CHidApiHandle::~CHidApiHandle()
{
    std::lock_guard<std::mutex> lock(HidApiMutex());
    hid_close(m_pDevice);
}

bool CHidApiHandle::GetInfo(HidDeviceInfo* info)
{
    // The record belongs to the device and lives as long as it is open.
    const hid_device_info* d = hid_get_device_info(m_pDevice);
    if (d == nullptr)
        return false;
    info->path = d->path != nullptr ? QString::fromLocal8Bit(d->path) : QString();
    info->vendorId = d->vendor_id;
    info->productId = d->product_id;
    info->release = d->release_number;
    return true;
}

int CHidApiHandle::Write(const BYTE* report, int length)
{
    if (length <= 0)
        return 0;
    return hid_write(m_pDevice, report, size_t(length));
}

int CHidApiHandle::Read(BYTE* data, int length, int timeoutMs)
{
    if (length <= 0)
        return 0;
    return hid_read_timeout(m_pDevice, data, size_t(length), timeoutMs);
}
