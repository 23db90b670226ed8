#pragma once
// Arrivals and removals of hidraw devices from udev's monitor (the "udev"
// source: events come after udev's rules have run, so the device node
// exists and its permissions are set).
#include "link/HotPlugSource.h"

struct udev;
struct udev_monitor;

class CUdevHotPlugSource : public IHotPlugSource {
public:
    CUdevHotPlugSource();
    ~CUdevHotPlugSource() override;
    CUdevHotPlugSource(const CUdevHotPlugSource&) = delete;
    CUdevHotPlugSource& operator=(const CUdevHotPlugSource&) = delete;

    int Fd() const override;
    bool NextEvent(HotPlugEvent* event) override;

private:
    struct udev* m_pUdev = nullptr;
    struct udev_monitor* m_pMonitor = nullptr;
};
