// The reachability probe's rules, run against stand-in ping programs (small
// scripts in a temporary folder): nothing is ever pinged.
#include <gtest/gtest.h>

#include <chrono>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "link/PingProbe.h"
#include "platform/core/CancelToken.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

TEST(PingOutput, ReplyIsTtlInAnyCaseWithinTheFirst1024Bytes)
{
    struct Case {
        QByteArray output;
        bool reply;
    };
    const Case cases[] = {
        {"64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.045 ms\n", true},
        {"Reply from 127.0.0.1: bytes=32 time<1ms TTL=128\r\n", true},
        {"icmp_seq=1 Ttl=64", true},
        {"Request timed out.\r\n", false},
        {"From 127.0.0.1 icmp_seq=1 Destination Host Unreachable\n", false},
        {"", false},
        {"ttl", false},
        {"title=x", false},
        {QByteArray(1020, 'x') + "ttl=", true},   // ends at byte 1024
        {QByteArray(1021, 'x') + "ttl=", false},  // reaches past it
    };
    for (const Case& c : cases)
        EXPECT_EQ(PingOutputShowsReply(c.output), c.reply) << c.output.left(60).toStdString();
}

class PingProbe : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // Writes an executable stand-in for ping; it notes each run in "ran".
    QByteArray Script(const char* name, const QByteArray& body)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\necho run >> \"$(dirname \"$0\")/ran\"\n" + body + "\n");
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return QFile::encodeName(path);
    }
    bool Ran() const { return QFile::exists(m_dir.filePath(QStringLiteral("ran"))); }

    QTemporaryDir m_dir;
};

TEST_F(PingProbe, ArgumentsLocaleAndReplyRules)
{
    const QByteArray linuxReply = Script("linux", "echo \"$1 $2 $3 [$#] $LC_ALL\"; echo \"64 bytes from $3: ttl=64\"");
    QByteArray output;
    EXPECT_TRUE(RunPing(QStringLiteral("127.0.0.1"), nullptr, linuxReply.constData(), 2000, &output));
    // Three separate arguments, the address exactly as given, the C locale.
    EXPECT_TRUE(output.startsWith("-c 1 127.0.0.1 [3] C\n")) << output.toStdString();

    const QByteArray windowsReply = Script("windows", "echo 'Reply from 127.0.0.1: bytes=32 TTL=128'");
    EXPECT_TRUE(RunPing(QStringLiteral("127.0.0.1"), nullptr, windowsReply.constData(), 2000));

    // Ended in time but no reply line: not reachable.
    const QByteArray timeout = Script("timeout", "echo 'Request timed out.'; exit 1");
    EXPECT_FALSE(RunPing(QStringLiteral("127.0.0.1"), nullptr, timeout.constData(), 2000));
    // A reply line beyond the first 1024 bytes is not seen; a chatty
    // program does not block on its full pipe either.
    const QByteArray chatty = Script("chatty", "head -c 70000 /dev/zero | tr '\\0' 'x'; echo ' ttl=64'");
    EXPECT_FALSE(RunPing(QStringLiteral("127.0.0.1"), nullptr, chatty.constData(), 2000, &output));
    EXPECT_EQ(output.size(), PING_OUTPUT_SIZE);
    // A missing program is simply no reply.
    EXPECT_FALSE(RunPing(QStringLiteral("127.0.0.1"), nullptr, "/nonexistent/ping", 2000));
}

TEST_F(PingProbe, OnlyADottedAddressIsPassedOn)
{
    const QByteArray reply = Script("reply", "echo ttl=64");
    for (const char* address : {"", "localhost", "127.0.0.1 -f", "127.0.0.1;touch x", "-f", "0127.0.0.1",
                                "127.0.0.1\n"}) {
        EXPECT_FALSE(RunPing(QString::fromLatin1(address), nullptr, reply.constData(), 2000)) << address;
    }
    EXPECT_FALSE(Ran());  // nothing was started
}

TEST_F(PingProbe, SlowProgramIsKilledAtTheLimitAndCancelEndsItAtOnce)
{
    const QByteArray slow = Script("slow", "echo ttl=64; exec sleep 20");
    Clock::time_point start = Clock::now();
    EXPECT_FALSE(RunPing(QStringLiteral("127.0.0.1"), nullptr, slow.constData(), 300));
    Clock::duration took = Clock::now() - start;
    EXPECT_GE(took, milliseconds(290));
    EXPECT_LT(took, milliseconds(3000));

    CCancelToken cancel;
    cancel.Set();
    EXPECT_FALSE(RunPing(QStringLiteral("127.0.0.1"), &cancel, slow.constData(), PING_WAIT_MS));
}

}  // namespace
