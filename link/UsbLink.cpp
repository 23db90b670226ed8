#include "link/UsbLink.h"

#include <cstring>

#include "link/HidBus.h"
#include "link/HidHandle.h"
#include "model/LinkState.h"
#include "model/WorkingStrings.h"

BYTE g_byHidOutReport[HID_REPORT_SIZE];
BYTE g_byHidInReport[HID_REPORT_SIZE];

CUsbLink::CUsbLink(IHidBus& bus) : m_bus(bus) {}

CUsbLink::~CUsbLink()
{
    CloseHidDevice();
}

// ---- Claims ---------------------------------------------------------------------

void CUsbLink::CreateUsbInUseKey()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_claims.CreateUsbInUseKey();
}

bool CUsbLink::IsUsbPathFree(const QString& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_claims.IsUsbPathFree(path);
}

void CUsbLink::ReleaseUsbPath()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!g_strUsbDevicePath.isEmpty())
        m_claims.Release(g_strUsbDevicePath);
}

void CUsbLink::ResetUsbInUseKey()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_claims.ResetUsbInUseKey();
}

// ---- Discovery and choice ----------------------------------------------------------

bool CUsbLink::FindHidDevices()
{
    // The system is asked without the mutex: enumeration takes its time.
    QStringList found;
    for (const HidDeviceInfo& info : m_bus.Enumerate(USB_VENDOR_ID, USB_PRODUCT_ID)) {
        if (info.vendorId == USB_VENDOR_ID && info.productId == USB_PRODUCT_ID && info.release == USB_RELEASE)
            found.append(info.path);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    g_astrHidPaths = found;
    if (!found.isEmpty())
        return true;
    // No device present: no claim of one can be valid.
    m_claims.ResetUsbInUseKey();
    g_bUsbActive = false;
    return false;
}

bool CUsbLink::ChooseUsbDevice()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!g_strUsbDevicePath.isEmpty() && m_claims.IsUsbPathFree(g_strUsbDevicePath))
            return true;
    }
    if (!FindHidDevices())
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const QString& path : g_astrHidPaths) {
        if (m_claims.IsUsbPathFree(path)) {
            g_strUsbDevicePath = path;
            return true;
        }
    }
    g_strUsbDevicePath.clear();
    return false;
}

QString CUsbLink::DevicePath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return g_strUsbDevicePath;
}

void CUsbLink::SetDevicePath(const QString& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    g_strUsbDevicePath = path;
}

QStringList CUsbLink::FoundPaths() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return g_astrHidPaths;
}

// ---- Open and close ------------------------------------------------------------------

bool CUsbLink::IsTheDevice(IHidHandle& handle) const
{
    HidDeviceInfo info;
    return handle.GetInfo(&info) && info.vendorId == USB_VENDOR_ID && info.productId == USB_PRODUCT_ID &&
           info.release == USB_RELEASE;
}

bool CUsbLink::OpenHidDevice()
{
    QString path;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        path = g_strUsbDevicePath;
        // The claim comes before the open: two copies never open one device.
        if (path.isEmpty() || !m_claims.Claim(path))
            return false;
    }
    std::unique_ptr<IHidHandle> opened = m_bus.Open(path);
    // A path may name another device by now (a hidraw number used again):
    // that one is closed again without a word.
    if (opened && !IsTheDevice(*opened))
        opened.reset();
    if (!opened) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_claims.Release(path);
        return false;
    }
    std::shared_ptr<IHidHandle> handle(std::move(opened));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pHandle = handle;
    }
    Purge();
    g_bUsbActive = true;
    return true;
}

bool CUsbLink::ConnectUsb()
{
    if (ChooseUsbDevice() && OpenHidDevice()) {
        g_nLinkType = LINK_USB;
        return true;
    }
    // The remembered device may have gone and another come: the list is
    // made afresh before the present devices are tried.
    FindHidDevices();
    for (const QString& path : FoundPaths()) {
        if (!IsUsbPathFree(path))
            continue;
        SetDevicePath(path);
        if (OpenHidDevice()) {
            g_nLinkType = LINK_USB;
            return true;
        }
    }
    SetDevicePath(QString());
    return false;
}

bool CUsbLink::ReopenUsb()
{
    CloseHidDevice();
    return ConnectUsb();
}

void CUsbLink::CloseHidDevice()
{
    std::shared_ptr<IHidHandle> closing;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        closing.swap(m_pHandle);
    }
    closing.reset();
    std::memset(g_byHidOutReport, 0, sizeof g_byHidOutReport);
    std::memset(g_byHidInReport, 0, sizeof g_byHidInReport);
}

bool CUsbLink::IsOpen() const
{
    return Handle() != nullptr;
}

std::shared_ptr<IHidHandle> CUsbLink::Handle() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pHandle;
}

// ---- Report I/O ----------------------------------------------------------------------

int CUsbLink::Write(const BYTE (&report)[HID_REPORT_SIZE])
{
    const std::shared_ptr<IHidHandle> handle = Handle();
    return handle ? handle->Write(report, HID_REPORT_SIZE) : -1;
}

int CUsbLink::Read(BYTE (&report)[HID_REPORT_SIZE], int timeoutMs)
{
    const std::shared_ptr<IHidHandle> handle = Handle();
    if (!handle)
        return -1;
    report[0] = 0;
    return handle->Read(report + 1, HID_REPORT_PAYLOAD, timeoutMs);
}

int CUsbLink::Purge()
{
    const std::shared_ptr<IHidHandle> handle = Handle();
    if (!handle)
        return 0;
    BYTE scratch[HID_REPORT_PAYLOAD];
    int dropped = 0;
    while (dropped < USB_PURGE_MAX_REPORTS && handle->Read(scratch, HID_REPORT_PAYLOAD, 0) > 0)
        ++dropped;
    return dropped;
}
