// Dotted IPv4 text, the subnet rule, the machine's adapter list and the
// receive error numbering: the pure parts of the network link.
#include <gtest/gtest.h>

#include <cerrno>

#include "link/LocalAdapters.h"
#include "link/NetAddress.h"
#include "link/Net_Socket.h"

namespace {

TEST(NetAddress, OnlyPlainDottedIPv4IsRead)
{
    IPv4Octets octets{};
    ASSERT_TRUE(ParseDottedIPv4(QStringLiteral("127.168.1.20"), &octets));
    EXPECT_EQ(octets, (IPv4Octets{127, 168, 1, 20}));
    ASSERT_TRUE(ParseDottedIPv4(QStringLiteral("0.0.0.0"), &octets));
    ASSERT_TRUE(ParseDottedIPv4(QStringLiteral("255.255.255.255"), &octets));
    EXPECT_EQ(octets, (IPv4Octets{255, 255, 255, 255}));
    EXPECT_TRUE(ParseDottedIPv4(QString::fromLatin1(DEFAULT_DEVICE_IP), nullptr));

    const char* rejected[] = {
        "", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.-4", "1.2.3.+4", "01.2.3.4", "1.2.3.4 ", " 1.2.3.4",
        "1..3.4", "1.2.3.4.", "a.b.c.d", "localhost", "1.2.3.4 -f", "1.2.3.4;reboot", "-c.1.2.3", "1234.1.1.1",
        "１.2.3.4",  // a full-width digit
    };
    for (const char* text : rejected) {
        octets = {9, 9, 9, 9};
        EXPECT_FALSE(ParseDottedIPv4(QString::fromUtf8(text), &octets)) << text;
        EXPECT_EQ(octets, (IPv4Octets{9, 9, 9, 9})) << text;
    }
}

TEST(NetAddress, SubnetComparesOnlyOctetsUnderA255Mask)
{
    struct Case {
        const char* mask;
        const char* adapter;
        const char* device;
        bool same;
    };
    const Case cases[] = {
        {"255.255.255.0", "127.168.1.5", "127.168.1.20", true},
        {"255.255.255.0", "127.168.1.5", "127.168.2.20", false},
        {"0.0.0.0", "127.168.1.5", "127.168.1.5", false},  // nothing compared: never
        {"255.255.254.0", "127.168.1.5", "127.168.0.9", true},  // 254 is ignored
        {"255.255.254.0", "127.168.1.5", "127.169.1.5", false},
        {"255.0.0.0", "127.0.0.1", "127.0.0.1", true},
        {"255.0.0.0", "127.0.0.1", "127.9.8.7", true},
        {"255.255.255.255", "127.10.100.254", "127.10.100.254", true},
        {"255.255.255.255", "127.10.100.253", "127.10.100.254", false},
        {"0.255.0.255", "1.2.3.4", "9.2.9.4", true},
        {"255.255.255.0", "127.168.1.5", "127.168.1.", false},  // unreadable texts
        {"255.255.255.0", "127.168.1.5", "", false},
        {"bad", "127.168.1.5", "127.168.1.20", false},
        {"255.255.255.0", "bad", "127.168.1.20", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CNet_Socket::IsSameSubnet(QString::fromLatin1(c.mask), QString::fromLatin1(c.adapter),
                                            QString::fromLatin1(c.device)),
                  c.same)
            << c.mask << " " << c.adapter << " " << c.device;
    }
}

TEST(NetAddress, MachineAdaptersAreReadableDottedPairs)
{
    std::vector<LocalAdapter> adapters{{QStringLiteral("stale"), QStringLiteral("stale")}};
    ASSERT_TRUE(ReadLocalAdapters(&adapters));
    bool loopback = false;
    for (const LocalAdapter& a : adapters) {
        EXPECT_TRUE(ParseDottedIPv4(a.address, nullptr)) << a.address.toStdString();
        EXPECT_TRUE(ParseDottedIPv4(a.mask, nullptr)) << a.mask.toStdString();
        loopback = loopback || a.address == QStringLiteral("127.0.0.1");
    }
    // The loopback adapter is listed, so a device on 127.0.0.1 is local.
    EXPECT_TRUE(loopback);
    EXPECT_FALSE(ReadLocalAdapters(nullptr));
}

TEST(NetAddress, SocketErrorsMapToTheLinkNumbers)
{
    struct Case {
        int error;
        int mapped;
    };
    const Case cases[] = {
        {EAGAIN, NET_ERR_TIMEDOUT},  {EWOULDBLOCK, NET_ERR_TIMEDOUT}, {ETIMEDOUT, NET_ERR_TIMEDOUT},
        {ECONNRESET, NET_ERR_RESET}, {ECONNABORTED, NET_ERR_ABORTED}, {EPIPE, NET_ERR_ABORTED},
        {EBADF, 0},                  {ENOTCONN, 0},                   {EINVAL, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CNet_Socket::MapSocketError(c.error), c.mapped) << c.error;
}

}  // namespace
