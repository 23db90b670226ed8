#pragma once
// Paths and passwords that several windows and the device link read and
// write while the program runs. The device's network address, which other
// threads read, is g_strDeviceIp of link/NetAddress.h.
#include <QString>
#include <QStringList>

// Device path of the chosen USB HID device.
extern QString g_strUsbDevicePath;
// Path of the firmware file (kept in the registry).
extern QString g_strUpdateFilePath;
// Path chosen for the next all-presets file.
extern QString g_strAllPresetsFilePath;
// "Chinese" or "English": the stored language value.
extern QString g_strLanguage;
// The six characters typed to unlock the data.
extern QString g_strUnlockPassword;
// The fixed password of the user panel's advanced entry.
extern const QString g_strAdvPassword;
// Paths of every present HID device of the device's vendor, product and
// version; and the free ones behind the device popup's "USB" items.
extern QStringList g_astrHidPaths;
extern QStringList g_astrHidItems;
