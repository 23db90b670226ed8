#pragma once
// The names of the program's settings: groups and values of the one INI
// file (platform/core/AppSettings.h). Every reader and writer of a setting
// names it from here.
#include <QString>

// Remembered folders of the file dialogs.
inline const QString SETTINGS_PC_FILE = QStringLiteral("PC_File");
inline const QString SETTINGS_FILE_PATH = QStringLiteral("File_Path");
inline const QString SETTINGS_ALL_FILE_PATH = QStringLiteral("AllFile_Path");
inline const QString SETTINGS_MAP_PATH = QStringLiteral("Map_Path");
inline const QString SETTINGS_HEX = QStringLiteral("Hex");
// Firmware file, its folder and the language.
inline const QString SETTINGS_DSP_MCU = QStringLiteral("DspMcu");
inline const QString SETTINGS_NAME = QStringLiteral("Name");
inline const QString SETTINGS_PATH = QStringLiteral("Path");
inline const QString SETTINGS_LANGUAGE = QStringLiteral("Language");
// A number no window uses.
inline const QString SETTINGS_LINE_SET = QStringLiteral("Line_Set");
// The USB claim list.
inline const QString SETTINGS_USB = QStringLiteral("USB");
// The network module's address.
inline const QString SETTINGS_NETWORK = QStringLiteral("Network");
inline const QString SETTINGS_DEVICE_IP = QStringLiteral("Device_IP");
