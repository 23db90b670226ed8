#pragma once
// One serial port of the PC, as the port lists show it.
#include <QString>

struct SerialPortEntry {
    // The path to open the port with (/dev/ttyUSB0).
    QString m_strDevicePath;
    // The port's name (ttyUSB0), when the source gives one.
    QString m_strPortName;
    // The name shown in the port lists.
    QString m_strFriendlyName;
    // The port belongs to a USB device.
    bool m_bUsbDevice = false;
    // A description of the port.
    QString m_strPortDesc;
};
