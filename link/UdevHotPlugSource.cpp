#include "link/UdevHotPlugSource.h"

#include <libudev.h>

#include <cstring>

CUdevHotPlugSource::CUdevHotPlugSource()
{
    m_pUdev = udev_new();
    if (m_pUdev == nullptr)
        return;
    m_pMonitor = udev_monitor_new_from_netlink(m_pUdev, "udev");
    if (m_pMonitor == nullptr)
        return;
    if (udev_monitor_filter_add_match_subsystem_devtype(m_pMonitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_pMonitor) < 0) {
        udev_monitor_unref(m_pMonitor);
        m_pMonitor = nullptr;
    }
}

CUdevHotPlugSource::~CUdevHotPlugSource()
{
    if (m_pMonitor != nullptr)
        udev_monitor_unref(m_pMonitor);
    if (m_pUdev != nullptr)
        udev_unref(m_pUdev);
}

int CUdevHotPlugSource::Fd() const
{
    return m_pMonitor != nullptr ? udev_monitor_get_fd(m_pMonitor) : -1;
}

bool CUdevHotPlugSource::NextEvent(HotPlugEvent* event)
{
    if (m_pMonitor == nullptr)
        return false;
    // The monitor's socket does not block: NULL when nothing waits.
    while (udev_device* device = udev_monitor_receive_device(m_pMonitor)) {
        const char* action = udev_device_get_action(device);
        const char* node = udev_device_get_devnode(device);
        const bool added = action != nullptr && std::strcmp(action, "add") == 0;
        const bool removed = action != nullptr && std::strcmp(action, "remove") == 0;
        const bool use = (added || removed) && node != nullptr;
        if (use) {
            event->added = added;
            event->path = QString::fromLocal8Bit(node);
        }
        udev_device_unref(device);
        if (use)
            return true;
    }
    return false;
}
