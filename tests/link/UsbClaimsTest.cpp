// The claim list of USB devices: two copies of the program (claim objects in
// one process, and a helper process that claims and then lives or is
// killed), the names of odd paths, and a reset that keeps a live claim.
#include <gtest/gtest.h>

#include <sys/time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>
#include <thread>

#include "link/UsbClaims.h"
#include "platform/core/AppSettings.h"

namespace {

const QString USB_GROUP = QStringLiteral("USB");
const char HELPER_FOLDER_VAR[] = "ORVANE_CLAIM_HELPER_FOLDER";
const char HELPER_PATH_VAR[] = "ORVANE_CLAIM_HELPER_PATH";

class UsbClaims : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CAppSettings::SetFolder(m_dir.path());
    }
    void TearDown() override { CAppSettings::SetFolder(QString()); }

    // Another copy of the program that claims path and keeps running until
    // it is killed (at most a minute).
    void StartHelper(QProcess& helper, const QString& path)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(HELPER_FOLDER_VAR), m_dir.path());
        env.insert(QString::fromLatin1(HELPER_PATH_VAR), path);
        helper.setProcessEnvironment(env);
        helper.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=UsbClaimsHelper.*"), QStringLiteral("--gtest_also_run_disabled_tests")});
        ASSERT_TRUE(helper.waitForStarted(30000));
        QByteArray out;
        while (!out.contains("claimed") && helper.waitForReadyRead(60000))
            out += helper.readAllStandardOutput();
        ASSERT_TRUE(out.contains("claimed")) << out.constData();
    }

    QTemporaryDir m_dir;
};

TEST_F(UsbClaims, OneCopyAtATimeHoldsAPath)
{
    const QString path = QStringLiteral("/dev/hidraw3");
    CUsbClaims first;
    CUsbClaims second;
    first.CreateUsbInUseKey();
    EXPECT_TRUE(CAppSettings::GroupExists(USB_GROUP));
    EXPECT_TRUE(first.IsUsbPathFree(path));

    ASSERT_TRUE(first.Claim(path));
    EXPECT_TRUE(first.Holds(path));
    EXPECT_EQ(CAppSettings::GetString(USB_GROUP, CUsbClaims::EncodePath(path)), QStringLiteral("0"));
    // Claimed: by this copy too, and never by a second one.
    EXPECT_FALSE(first.IsUsbPathFree(path));
    EXPECT_FALSE(second.IsUsbPathFree(path));
    EXPECT_FALSE(second.Claim(path));
    // A second device is the second copy's.
    const QString other = QStringLiteral("/dev/hidraw4");
    EXPECT_TRUE(second.Claim(other));
    EXPECT_FALSE(first.IsUsbPathFree(other));

    // Another copy's release never touches the claim.
    second.Release(path);
    EXPECT_FALSE(second.IsUsbPathFree(path));
    first.Release(path);
    EXPECT_TRUE(second.IsUsbPathFree(path));
    EXPECT_FALSE(CAppSettings::HasValue(USB_GROUP, CUsbClaims::EncodePath(path)));
    EXPECT_TRUE(second.Claim(path));
}

TEST_F(UsbClaims, OddPathsRoundTripThroughTheirNames)
{
    const QString paths[] = {
        QStringLiteral("/dev/hidraw0"),
        QStringLiteral("1-2:1.0"),
        QStringLiteral("/sys/devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0/0003:0483:5750.0007/hidraw/hidraw7"),
        QStringLiteral("a%2Fb%25c\\d%"),
    };
    CUsbClaims claims;
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const QString name = CUsbClaims::EncodePath(path);
        EXPECT_FALSE(name.contains(QLatin1Char('/')));
        EXPECT_FALSE(name.contains(QLatin1Char('\\')));
        EXPECT_EQ(CUsbClaims::DecodeName(name), path);
        ASSERT_TRUE(claims.Claim(path));
        EXPECT_TRUE(CAppSettings::ValueNames(USB_GROUP).contains(name));
        EXPECT_TRUE(QFileInfo::exists(CUsbClaims::LockFilePath(path)));
    }
    EXPECT_EQ(CAppSettings::ValueNames(USB_GROUP).size(), 4);
    for (const QString& path : paths)
        claims.Release(path);
    EXPECT_TRUE(CAppSettings::ValueNames(USB_GROUP).isEmpty());
}

TEST_F(UsbClaims, AResetEmptiesTheGroupButKeepsALiveClaim)
{
    const QString path = QStringLiteral("/dev/hidraw1");
    CUsbClaims mine;
    CUsbClaims other;
    ASSERT_TRUE(mine.Claim(path));
    ASSERT_TRUE(CAppSettings::PutString(USB_GROUP, QStringLiteral("stale"), QStringLiteral("0")));
    other.ResetUsbInUseKey();
    EXPECT_TRUE(CAppSettings::GroupExists(USB_GROUP));
    EXPECT_TRUE(CAppSettings::ValueNames(USB_GROUP).isEmpty());
    // The lock still decides.
    EXPECT_FALSE(other.IsUsbPathFree(path));
    EXPECT_FALSE(other.Claim(path));
    EXPECT_TRUE(mine.Holds(path));
}

TEST_F(UsbClaims, AClaimOfACopyThatDiedIsFreeAndItsValueGoes)
{
    const QString path = QStringLiteral("/dev/hidraw5");
    QProcess helper;
    StartHelper(helper, path);
    CUsbClaims claims;
    EXPECT_FALSE(claims.IsUsbPathFree(path));

    // The copy dies with the device still plugged in.
    helper.kill();
    ASSERT_TRUE(helper.waitForFinished(30000));
    EXPECT_TRUE(CAppSettings::HasValue(USB_GROUP, CUsbClaims::EncodePath(path)));
    EXPECT_TRUE(claims.IsUsbPathFree(path));
    EXPECT_FALSE(CAppSettings::HasValue(USB_GROUP, CUsbClaims::EncodePath(path)));
    EXPECT_TRUE(claims.Claim(path));
}

TEST_F(UsbClaims, ALiveCopysClaimHoldsHoweverOldItsLockIs)
{
    const QString path = QStringLiteral("/dev/hidraw6");
    QProcess helper;
    StartHelper(helper, path);
    // A day old: the age of a lock never frees it.
    const QByteArray lockFile = CUsbClaims::LockFilePath(path).toLocal8Bit();
    timeval times[2];
    gettimeofday(&times[0], nullptr);
    times[0].tv_sec -= 24 * 3600;
    times[1] = times[0];
    ASSERT_EQ(utimes(lockFile.constData(), times), 0);

    CUsbClaims claims;
    EXPECT_FALSE(claims.IsUsbPathFree(path));
    EXPECT_FALSE(claims.Claim(path));
    EXPECT_TRUE(CAppSettings::HasValue(USB_GROUP, CUsbClaims::EncodePath(path)));
    helper.kill();
    ASSERT_TRUE(helper.waitForFinished(30000));
}

// Not a test of its own: the other copy of the program that the tests above
// start. It claims the path it is given and waits to be killed.
TEST(UsbClaimsHelper, DISABLED_ClaimAndWait)
{
    const char* folder = std::getenv(HELPER_FOLDER_VAR);
    const char* path = std::getenv(HELPER_PATH_VAR);
    if (folder == nullptr || path == nullptr)
        GTEST_SKIP();
    CAppSettings::SetFolder(QString::fromLocal8Bit(folder));
    CUsbClaims claims;
    ASSERT_TRUE(claims.Claim(QString::fromLocal8Bit(path)));
    std::printf("claimed\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(60));
}

}  // namespace
