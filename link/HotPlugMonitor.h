#pragma once
// Tells a window (the main view) that HID devices arrived or went, as
// WM_DEVICECHANGE sent on the UI thread: wParam DBT_DEVICEARRIVAL or
// DBT_DEVICEREMOVECOMPLETE, lParam a DeviceInterfaceNotice of type
// DBT_DEVTYP_DEVICEINTERFACE with the device's path, alive for the call.
//
// No thread: the source's descriptor sits on a QSocketNotifier of the UI
// thread, whose event loop reads the events. Construct, start and destroy it
// on the UI thread; destruction ends the notifier first, then the source.
#include <memory>

class CMsgTarget;
class IHotPlugSource;
class QSocketNotifier;

class CHotPlugMonitor {
public:
    // target outlives this object.
    explicit CHotPlugMonitor(CMsgTarget* target);
    ~CHotPlugMonitor();
    CHotPlugMonitor(const CHotPlugMonitor&) = delete;
    CHotPlugMonitor& operator=(const CHotPlugMonitor&) = delete;

    // Watches source (udev's when null). FALSE, after one line on standard
    // error, when the source could not be set up: devices are then found
    // only when the user connects.
    bool Start(std::unique_ptr<IHotPlugSource> source = nullptr);
    bool IsWatching() const { return m_pNotifier != nullptr; }
    // Sends every waiting event to the target; how many. The notifier calls
    // it; tests without an event loop may too.
    int DeliverEvents();

private:
    CMsgTarget* const m_pTarget;
    std::unique_ptr<IHotPlugSource> m_pSource;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
};
