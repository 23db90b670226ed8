#include "link/SerialPortList.h"

#include <exception>
#include <mutex>

#include <QDebug>
#include <QSerialPort>
#include <QSerialPortInfo>

#include "model/DataDefine.h"

namespace {
std::mutex g_sourceMutex;
SerialPortSource g_source;

// The port can be opened now, by this program alone.
bool CanOpen(const QString& path)
{
    QSerialPort port;
    port.setPortName(path);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    port.close();
    return true;
}

// "USB Serial (COM5)" describes itself as "USB Serial".
QString DescriptionFromName(const QString& name)
{
    const int open = name.indexOf(QLatin1String(" ("));
    const int close = name.indexOf(QLatin1Char(')'));
    if (open > 0 && close == name.size() - 1)
        return name.left(open);
    return name;
}
}  // namespace

SerialPortSource SetSerialPortSource(SerialPortSource source)
{
    std::lock_guard<std::mutex> lock(g_sourceMutex);
    SerialPortSource previous = std::move(g_source);
    g_source = std::move(source);
    return previous;
}

std::vector<SerialPortEntry> SystemSerialPorts()
{
    std::vector<SerialPortEntry> entries;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry;
        entry.m_strDevicePath = info.systemLocation();
        entry.m_strPortName = info.portName();
        entry.m_bUsbDevice = info.hasVendorIdentifier();
        entry.m_strPortDesc = info.description();
        entries.push_back(entry);
    }
    return entries;
}

void ListSerialPorts(std::vector<SerialPortEntry>& entries, bool dropBusy)
{
    entries.clear();
    SerialPortSource source;
    {
        std::lock_guard<std::mutex> lock(g_sourceMutex);
        source = g_source;
    }
    std::vector<SerialPortEntry> found = source ? source() : SystemSerialPorts();
    for (SerialPortEntry& entry : found) {
        if (dropBusy && !CanOpen(entry.m_strDevicePath))
            continue;
        if (entry.m_strFriendlyName.isEmpty())
            entry.m_strFriendlyName = entry.m_strPortName;
        if (entry.m_strPortDesc.isEmpty())
            entry.m_strPortDesc = DescriptionFromName(entry.m_strFriendlyName);
        entries.push_back(entry);
    }
}

SerialPortChoice ChooseSerialPort(const std::vector<SerialPortEntry>& entries, QString& remembered)
{
    SerialPortChoice choice;
    int firstUsb = -1;
    for (const SerialPortEntry& entry : entries) {
        if (entry.m_strFriendlyName.isEmpty())
            continue;
        if (entry.m_bUsbDevice && firstUsb < 0)
            firstUsb = choice.names.size();
        choice.names.append(entry.m_strFriendlyName);
    }
    if (choice.names.isEmpty()) {
        choice.names.append(g_strNullPort);
        choice.selected = 0;
        remembered = g_strNullPort;
        return choice;
    }
    choice.selected = choice.names.indexOf(remembered);
    if (choice.selected < 0) {
        choice.selected = firstUsb >= 0 ? firstUsb : 0;
        remembered = choice.names[choice.selected];
    }
    return choice;
}

SerialPortChoice ListSerialPortChoice(QString& remembered)
{
    std::vector<SerialPortEntry> entries;
    try {
        ListSerialPorts(entries, false);
    } catch (const std::exception& error) {
        qDebug("%s", error.what());
        entries.clear();
    }
    return ChooseSerialPort(entries, remembered);
}
