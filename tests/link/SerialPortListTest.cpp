// The serial-port list: names and descriptions completed from what the
// source gives, the selection rules of the port lists, ports left out when
// they cannot be opened, the system's own list, and a source that fails.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>

#include <QSerialPort>
#include <QSerialPortInfo>

#include "link/SerialPortList.h"
#include "model/DataDefine.h"

namespace {

SerialPortEntry Entry(const char* path, const char* port, const char* friendly, bool usb, const char* desc)
{
    SerialPortEntry entry;
    entry.m_strDevicePath = QString::fromUtf8(path);
    entry.m_strPortName = QString::fromUtf8(port);
    entry.m_strFriendlyName = QString::fromUtf8(friendly);
    entry.m_bUsbDevice = usb;
    entry.m_strPortDesc = QString::fromUtf8(desc);
    return entry;
}

// Puts a source of the test's own in place while it lives.
class CSourceScope {
public:
    explicit CSourceScope(SerialPortSource source) : m_previous(SetSerialPortSource(std::move(source))) {}
    ~CSourceScope() { SetSerialPortSource(m_previous); }

private:
    SerialPortSource m_previous;
};

SerialPortSource Fixed(std::vector<SerialPortEntry> entries)
{
    return [entries] { return entries; };
}

// A pseudo-terminal's slave path while it lives.
class CPty {
public:
    CPty()
    {
        m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        grantpt(m_nMaster);
        unlockpt(m_nMaster);
        m_strPath = QString::fromLatin1(ptsname(m_nMaster));
    }
    ~CPty() { close(m_nMaster); }
    const QString& Path() const { return m_strPath; }

private:
    int m_nMaster = -1;
    QString m_strPath;
};

TEST(SerialPortListTest, NamesAndDescriptionsAreCompleted)
{
    struct Case {
        SerialPortEntry raw;
        const char* friendly;
        const char* desc;
    };
    const Case cases[] = {
        // No shown name: the port name; no description: the shown name.
        {Entry("/dev/ttyS0", "ttyS0", "", false, ""), "ttyS0", "ttyS0"},
        // A description of its own stays.
        {Entry("/dev/ttyUSB0", "ttyUSB0", "", true, "FT232R USB UART"), "ttyUSB0", "FT232R USB UART"},
        // A shown name ending in " (...)" describes itself without it.
        {Entry("/dev/ttyS1", "ttyS1", "Communications Port (COM1)", false, ""), "Communications Port (COM1)",
         "Communications Port"},
        // Only when the first ")" is the last character...
        {Entry("/dev/ttyS2", "", "Port (A) (B)", false, ""), "Port (A) (B)", "Port (A) (B)"},
        {Entry("/dev/ttyS3", "", "Port (A) B", false, ""), "Port (A) B", "Port (A) B"},
        // ... and " (" does not open the text.
        {Entry("/dev/ttyS4", "", " (COM4)", false, ""), " (COM4)", " (COM4)"},
        // Nothing to show at all.
        {Entry("/dev/ttyS5", "", "", false, ""), "", ""},
    };
    std::vector<SerialPortEntry> raw;
    for (const Case& c : cases)
        raw.push_back(c.raw);
    CSourceScope scope(Fixed(raw));
    std::vector<SerialPortEntry> entries = {Entry("/dev/stale", "stale", "stale", false, "stale")};
    ListSerialPorts(entries, false);
    ASSERT_EQ(entries.size(), raw.size());
    for (size_t k = 0; k < raw.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(entries[k].m_strDevicePath, raw[k].m_strDevicePath);
        EXPECT_EQ(entries[k].m_strPortName, raw[k].m_strPortName);
        EXPECT_EQ(entries[k].m_strFriendlyName, QString::fromUtf8(cases[k].friendly));
        EXPECT_EQ(entries[k].m_strPortDesc, QString::fromUtf8(cases[k].desc));
        EXPECT_EQ(entries[k].m_bUsbDevice, raw[k].m_bUsbDevice);
    }
}

TEST(SerialPortListTest, TheRememberedPortElseTheFirstUsbPortElseTheFirstIsSelected)
{
    const SerialPortEntry s0 = Entry("/dev/ttyS0", "ttyS0", "ttyS0", false, "");
    const SerialPortEntry s1 = Entry("/dev/ttyS1", "ttyS1", "ttyS1", false, "");
    const SerialPortEntry usb0 = Entry("/dev/ttyUSB0", "ttyUSB0", "ttyUSB0", true, "");
    const SerialPortEntry usb1 = Entry("/dev/ttyACM0", "ttyACM0", "ttyACM0", true, "");
    const SerialPortEntry nameless = Entry("/dev/ttyX", "", "", true, "");
    struct Case {
        const char* name;
        std::vector<SerialPortEntry> entries;
        const char* remembered;
        QStringList names;
        int selected;
        const char* rememberedAfter;
    };
    const Case cases[] = {
        {"remembered and listed", {s0, usb0, s1}, "ttyS1", {"ttyS0", "ttyUSB0", "ttyS1"}, 2, "ttyS1"},
        {"gone: the first USB port", {s0, usb0, usb1}, "ttyS9", {"ttyS0", "ttyUSB0", "ttyACM0"}, 1, "ttyUSB0"},
        {"gone, no USB port: the first", {s1, s0}, "ttyUSB0", {"ttyS1", "ttyS0"}, 0, "ttyS1"},
        {"nothing remembered", {s0, usb1}, "", {"ttyS0", "ttyACM0"}, 1, "ttyACM0"},
        {"a nameless port is not listed", {nameless, s0}, "", {"ttyS0"}, 0, "ttyS0"},
        {"no port", {}, "ttyS0", {"NULL"}, 0, "NULL"},
        {"no port with a name", {nameless}, "", {"NULL"}, 0, "NULL"},
        {"NULL remembered, a port now", {s0}, "NULL", {"ttyS0"}, 0, "ttyS0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString remembered = QString::fromUtf8(c.remembered);
        const SerialPortChoice choice = ChooseSerialPort(c.entries, remembered);
        EXPECT_EQ(choice.names, c.names);
        EXPECT_EQ(choice.selected, c.selected);
        EXPECT_EQ(remembered, QString::fromUtf8(c.rememberedAfter));
    }
}

TEST(SerialPortListTest, BusyAndMissingPortsAreLeftOutOnlyWhenAsked)
{
    CPty held;
    CPty free;
    QSerialPort holder;
    holder.setPortName(held.Path());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    const QString missing = QStringLiteral("/dev/orvane-no-such-port");
    CSourceScope scope(Fixed({Entry(held.Path().toUtf8().constData(), "held", "", false, ""),
                              Entry(missing.toUtf8().constData(), "missing", "", false, ""),
                              Entry(free.Path().toUtf8().constData(), "free", "", false, "")}));
    std::vector<SerialPortEntry> entries;
    ListSerialPorts(entries, false);
    EXPECT_EQ(entries.size(), 3u);

    ListSerialPorts(entries, true);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].m_strDevicePath, free.Path());
    EXPECT_EQ(entries[0].m_strFriendlyName, QStringLiteral("free"));
    // The probe let go of the free port again.
    QSerialPort after;
    after.setPortName(free.Path());
    EXPECT_TRUE(after.open(QIODevice::ReadWrite));
}

TEST(SerialPortListTest, TheSystemsPortsAreListedWithTheirPaths)
{
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    std::vector<SerialPortEntry> entries;
    ListSerialPorts(entries, false);
    ASSERT_EQ(entries.size(), size_t(infos.size()));
    for (size_t k = 0; k < entries.size(); ++k) {
        const QSerialPortInfo& info = infos[int(k)];
        EXPECT_EQ(entries[k].m_strDevicePath, info.systemLocation());
        EXPECT_EQ(entries[k].m_strPortName, info.portName());
        EXPECT_EQ(entries[k].m_strFriendlyName, info.portName());
        EXPECT_EQ(entries[k].m_bUsbDevice, info.hasVendorIdentifier());
        EXPECT_FALSE(entries[k].m_strPortDesc.isEmpty());
    }
}

TEST(SerialPortListTest, AFailingSourceRaisesItsTextAndAListHoldsNull)
{
    CSourceScope scope([]() -> std::vector<SerialPortEntry> {
        throw std::runtime_error("Could not read the serial ports. (err=5)");
    });
    std::vector<SerialPortEntry> entries = {Entry("/dev/stale", "stale", "", false, "")};
    try {
        ListSerialPorts(entries, false);
        ADD_FAILURE() << "no error raised";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Could not read the serial ports. (err=5)");
    }
    EXPECT_TRUE(entries.empty());

    QString remembered = QStringLiteral("ttyUSB0");
    const SerialPortChoice choice = ListSerialPortChoice(remembered);
    EXPECT_EQ(choice.names, QStringList{g_strNullPort});
    EXPECT_EQ(choice.selected, 0);
    EXPECT_EQ(remembered, g_strNullPort);
}

}  // namespace
