#pragma once
// The serial ports of the PC, for the port lists of the connection and
// firmware update dialogs: a path to open each one, a name to show, whether
// it belongs to a USB device, and a description.
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

#include "link/SerialPortEntry.h"

// Where the raw entries come from. The default asks the system
// (SystemSerialPorts); tests put their own. A source that fails throws
// std::runtime_error carrying a text that says what failed.
using SerialPortSource = std::function<std::vector<SerialPortEntry>()>;
// Installs the source and returns the previous one; an empty source
// restores the default.
SerialPortSource SetSerialPortSource(SerialPortSource source);
// The system's serial ports: the path, the port name, the USB flag and the
// description of every port; no friendly name.
std::vector<SerialPortEntry> SystemSerialPorts();

// Empties entries and fills it from the source. With dropBusy, a port that
// cannot be opened now, held alone, is left out. Then every entry gets a
// shown name (its port name when it has none) and a description (its shown
// name when it has none, without a trailing " (...)"). Throws what the
// source throws; the caller must catch it.
void ListSerialPorts(std::vector<SerialPortEntry>& entries, bool dropBusy);

// What a port list holds and which item is selected.
struct SerialPortChoice {
    QStringList names;
    int selected = -1;
};
// The port list for these entries: the shown name of every entry that has
// one. The remembered name is selected when listed; otherwise the first
// USB port, else the first port, which is then remembered. With no port,
// the list holds "NULL", selected and remembered.
SerialPortChoice ChooseSerialPort(const std::vector<SerialPortEntry>& entries, QString& remembered);
// The same over ListSerialPorts with busy ports kept. A source that fails
// is traced and counts as no port.
SerialPortChoice ListSerialPortChoice(QString& remembered);
