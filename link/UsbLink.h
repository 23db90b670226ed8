#pragma once
// The USB HID device this copy of the program uses: discovery of the
// device's HID interfaces, the choice of a free one, its claim, opening and
// closing, and the report I/O the USB steps run.
//
// Threads. Discovery, the choice, claims and the open run on the UI thread,
// and on the I/O worker when its steps reopen the device (after the device
// restarted into its loader). One mutex guards the found paths
// (g_astrHidPaths), the claims, the device path (g_strUsbDevicePath) and the
// handle; it is never held across a device read, write or wait. The open
// handle is used only by its owner: the worker while it runs, otherwise the
// UI thread, which closes it only after the worker has stopped.
#include <memory>
#include <mutex>

#include <QString>
#include <QStringList>

#include "link/UsbClaims.h"
#include "model/SendData.h"
#include "platform/core/Types.h"

class IHidBus;
class IHidHandle;

enum : int {
    // The device's identity: all three must match.
    USB_VENDOR_ID = 0x0483,
    USB_PRODUCT_ID = 0x5750,
    USB_RELEASE = 0x0200,
    // At most this many stale input reports are dropped by a purge.
    USB_PURGE_MAX_REPORTS = 64,
};

// The last output report written and the last input report read: byte 0 the
// report id (always 0), bytes 1 to 64 frame bytes. The I/O worker's while it
// runs.
extern BYTE g_byHidOutReport[HID_REPORT_SIZE];
extern BYTE g_byHidInReport[HID_REPORT_SIZE];

class CUsbLink {
public:
    // bus outlives this object.
    explicit CUsbLink(IHidBus& bus);
    ~CUsbLink();
    CUsbLink(const CUsbLink&) = delete;
    CUsbLink& operator=(const CUsbLink&) = delete;

    // ---- Claims ----------------------------------------------------------------
    // The claim group exists from now on.
    void CreateUsbInUseKey();
    // FALSE while a live copy of the program (this one too) claims the path.
    bool IsUsbPathFree(const QString& path);
    // Lets go of the claim of the device path.
    void ReleaseUsbPath();
    // Every claim value goes (live copies' locks stay).
    void ResetUsbInUseKey();

    // ---- Discovery and choice -------------------------------------------------
    // Fills the found paths with the present devices of the device's vendor,
    // product and release. None: the claim group is emptied, g_bUsbActive
    // cleared and FALSE returned. The open device is left alone.
    bool FindHidDevices();
    // Keeps the device path when it is set and free (whether the device is
    // there is left to the open); otherwise discovery, and the first free
    // found path. FALSE when no device is present (path unchanged) or every
    // one is claimed (path emptied).
    bool ChooseUsbDevice();
    QString DevicePath() const;
    void SetDevicePath(const QString& path);
    QStringList FoundPaths() const;

    // ---- Open and close ---------------------------------------------------------
    // Claims the device path, opens it, checks that it is the device (a
    // foreign device is closed again silently), drops stale input reports and
    // sets g_bUsbActive. FALSE, with the claim let go, when any of it fails.
    bool OpenHidDevice();
    // ChooseUsbDevice and OpenHidDevice; failing that, a fresh discovery and
    // every free found path in turn. The first success sets the link kind to
    // USB; when all fail the device path is emptied.
    bool ConnectUsb();
    // Closes the device and connects again (the device may have come back
    // under another path).
    bool ReopenUsb();
    // Closes the device (when open) and zeroes both reports.
    void CloseHidDevice();
    bool IsOpen() const;

    // ---- Report I/O (the handle's owner) -----------------------------------------
    // Writes one whole output report; -1 on an I/O error or with no device.
    int Write(const BYTE (&report)[HID_REPORT_SIZE]);
    // One input report into bytes 1 to 64 of report (the id stays 0), waiting
    // at most timeoutMs: >0 bytes read, 0 time-out, -1 I/O error or no device.
    int Read(BYTE (&report)[HID_REPORT_SIZE], int timeoutMs);
    // Drops the input reports waiting now (bounded); how many.
    int Purge();

private:
    std::shared_ptr<IHidHandle> Handle() const;
    bool IsTheDevice(IHidHandle& handle) const;

    IHidBus& m_bus;
    mutable std::mutex m_mutex;
    CUsbClaims m_claims;
    std::shared_ptr<IHidHandle> m_pHandle;
};
