// The settings file: values by group, empty groups, whole-group reads and
// writes that another reader sees at once.
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "platform/core/AppSettings.h"

namespace {

class AppSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CAppSettings::SetFolder(m_dir.path() + QStringLiteral("/config"));
    }
    void TearDown() override { CAppSettings::SetFolder(QString()); }

    QTemporaryDir m_dir;
};

TEST_F(AppSettings, ValuesRoundTripAndMissingOnesGiveTheFallback)
{
    EXPECT_EQ(CAppSettings::GetString(QStringLiteral("Network"), QStringLiteral("Device_IP"), QStringLiteral("x")),
              QStringLiteral("x"));
    EXPECT_EQ(CAppSettings::GetInt(QStringLiteral("DspMcu"), QStringLiteral("Language"), -7), -7);

    ASSERT_TRUE(CAppSettings::PutString(QStringLiteral("Network"), QStringLiteral("Device_IP"),
                                        QStringLiteral("127.0.0.1")));
    ASSERT_TRUE(CAppSettings::PutInt(QStringLiteral("DspMcu"), QStringLiteral("Language"), 1));
    ASSERT_TRUE(CAppSettings::PutString(QStringLiteral("PC_File"), QStringLiteral("Path"), QStringLiteral("abc")));
    EXPECT_EQ(CAppSettings::GetString(QStringLiteral("Network"), QStringLiteral("Device_IP")),
              QStringLiteral("127.0.0.1"));
    EXPECT_EQ(CAppSettings::GetInt(QStringLiteral("DspMcu"), QStringLiteral("Language")), 1);
    // Not a number: the fallback.
    EXPECT_EQ(CAppSettings::GetInt(QStringLiteral("PC_File"), QStringLiteral("Path"), 5), 5);
    EXPECT_TRUE(CAppSettings::HasValue(QStringLiteral("DspMcu"), QStringLiteral("Language")));

    // The file is where the folder says, and any reader of it sees the values.
    QSettings reader(CAppSettings::FilePath(), QSettings::IniFormat);
    EXPECT_EQ(reader.value(QStringLiteral("Network/Device_IP")).toString(), QStringLiteral("127.0.0.1"));
}

TEST_F(AppSettings, AGroupExistsEmptyAndIsClearedWhole)
{
    const QString usb = QStringLiteral("USB");
    EXPECT_FALSE(CAppSettings::GroupExists(usb));
    ASSERT_TRUE(CAppSettings::CreateGroup(usb));
    EXPECT_TRUE(CAppSettings::GroupExists(usb));
    EXPECT_TRUE(CAppSettings::ValueNames(usb).isEmpty());

    ASSERT_TRUE(CAppSettings::PutString(usb, QStringLiteral("a"), QStringLiteral("0")));
    ASSERT_TRUE(CAppSettings::PutString(usb, QStringLiteral("b"), QStringLiteral("0")));
    ASSERT_TRUE(CAppSettings::PutString(QStringLiteral("Other"), QStringLiteral("a"), QStringLiteral("1")));
    EXPECT_EQ(CAppSettings::ValueNames(usb), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));

    // Removing the last value keeps the group.
    ASSERT_TRUE(CAppSettings::RemoveValue(usb, QStringLiteral("a")));
    ASSERT_TRUE(CAppSettings::RemoveValue(usb, QStringLiteral("b")));
    EXPECT_TRUE(CAppSettings::GroupExists(usb));
    EXPECT_TRUE(CAppSettings::ValueNames(usb).isEmpty());

    ASSERT_TRUE(CAppSettings::PutString(usb, QStringLiteral("c"), QStringLiteral("0")));
    ASSERT_TRUE(CAppSettings::ClearGroup(usb));
    EXPECT_TRUE(CAppSettings::GroupExists(usb));
    EXPECT_TRUE(CAppSettings::ValueNames(usb).isEmpty());
    // Other groups are left alone.
    EXPECT_EQ(CAppSettings::GetString(QStringLiteral("Other"), QStringLiteral("a")), QStringLiteral("1"));
}

TEST_F(AppSettings, AnotherWriterIsSeenAtOnce)
{
    ASSERT_TRUE(CAppSettings::PutString(QStringLiteral("USB"), QStringLiteral("a"), QStringLiteral("0")));
    {
        // Another copy of the program writes the same file.
        QSettings other(CAppSettings::FilePath(), QSettings::IniFormat);
        other.setValue(QStringLiteral("USB/b"), QStringLiteral("0"));
        other.remove(QStringLiteral("USB/a"));
        other.sync();
    }
    EXPECT_EQ(CAppSettings::ValueNames(QStringLiteral("USB")), QStringList{QStringLiteral("b")});
}

TEST_F(AppSettings, AnUnwritableFolderFailsTheWriteAndReadsTheFallback)
{
    // A plain file where the folder should be.
    const QString blocker = m_dir.path() + QStringLiteral("/blocked");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CAppSettings::SetFolder(blocker);
    EXPECT_FALSE(CAppSettings::PutString(QStringLiteral("USB"), QStringLiteral("a"), QStringLiteral("0")));
    EXPECT_EQ(CAppSettings::GetString(QStringLiteral("USB"), QStringLiteral("a"), QStringLiteral("none")),
              QStringLiteral("none"));
    EXPECT_TRUE(CAppSettings::ValueNames(QStringLiteral("USB")).isEmpty());
}

}  // namespace
