#include "link/HotPlugMonitor.h"

#include <cstdio>

#include <QSocketNotifier>

#include "link/HotPlugSource.h"
#include "link/UdevHotPlugSource.h"
#include "platform/core/MsgTarget.h"
#include "platform/core/SystemMessages.h"

CHotPlugMonitor::CHotPlugMonitor(CMsgTarget* target) : m_pTarget(target) {}

CHotPlugMonitor::~CHotPlugMonitor()
{
    m_pNotifier.reset();
    m_pSource.reset();
}

bool CHotPlugMonitor::Start(std::unique_ptr<IHotPlugSource> source)
{
    m_pNotifier.reset();
    m_pSource = source ? std::move(source) : std::make_unique<CUdevHotPlugSource>();
    const int fd = m_pSource->Fd();
    if (fd < 0) {
        std::fprintf(stderr, "USB devices are not watched: the udev monitor could not be set up\n");
        m_pSource.reset();
        return false;
    }
    m_pNotifier = std::make_unique<QSocketNotifier>(qintptr(fd), QSocketNotifier::Read);
    QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated, [this] { DeliverEvents(); });
    return true;
}

int CHotPlugMonitor::DeliverEvents()
{
    if (!m_pSource)
        return 0;
    int delivered = 0;
    HotPlugEvent event;
    while (m_pSource->NextEvent(&event)) {
        DeviceInterfaceNotice notice;
        notice.path = event.path;
        SendMessage(m_pTarget, WM_DEVICECHANGE, event.added ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                    reinterpret_cast<LPARAM>(&notice));
        ++delivered;
    }
    return delivered;
}
