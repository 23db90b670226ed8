// The USB device side over the machine's own HID devices (hidapi's hidraw
// backend): with no processor plugged in, discovery finds nothing and
// empties the claim list, and opening a path that does not exist fails
// cleanly.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "link/HidApiBus.h"
#include "link/HidHandle.h"
#include "link/UsbLink.h"
#include "model/LinkState.h"
#include "model/WorkingStrings.h"
#include "platform/core/AppSettings.h"

namespace {

class HidDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CAppSettings::SetFolder(m_dir.path());
        g_strUsbDevicePath.clear();
    }
    void TearDown() override
    {
        g_strUsbDevicePath.clear();
        g_astrHidPaths.clear();
        g_bUsbActive = false;
        CAppSettings::SetFolder(QString());
    }

    QTemporaryDir m_dir;
    CHidApiBus m_bus;
};

TEST_F(HidDevice, WithNoDeviceDiscoveryFindsNothingAndEmptiesTheClaims)
{
    if (!m_bus.Enumerate(USB_VENDOR_ID, USB_PRODUCT_ID).empty())
        GTEST_SKIP() << "a processor is plugged in";
    CUsbLink usb(m_bus);
    usb.CreateUsbInUseKey();
    // A claim a copy left behind when it died.
    ASSERT_TRUE(CAppSettings::PutString(QStringLiteral("USB"), QStringLiteral("%2Fdev%2Fhidraw9"), QStringLiteral("0")));
    g_bUsbActive = true;
    EXPECT_FALSE(usb.FindHidDevices());
    EXPECT_TRUE(g_astrHidPaths.isEmpty());
    EXPECT_FALSE(g_bUsbActive);
    EXPECT_TRUE(CAppSettings::GroupExists(QStringLiteral("USB")));
    EXPECT_TRUE(CAppSettings::ValueNames(QStringLiteral("USB")).isEmpty());
    EXPECT_FALSE(usb.ChooseUsbDevice());
    EXPECT_FALSE(usb.ConnectUsb());
    EXPECT_FALSE(usb.IsOpen());
}

TEST_F(HidDevice, AMissingPathFailsCleanly)
{
    const QString missing = QStringLiteral("/dev/orvane-no-such-hidraw");
    EXPECT_EQ(m_bus.Open(missing), nullptr);
    EXPECT_EQ(m_bus.Open(QString()), nullptr);

    CUsbLink usb(m_bus);
    usb.SetDevicePath(missing);
    EXPECT_FALSE(usb.OpenHidDevice());
    EXPECT_FALSE(usb.IsOpen());
    // The claim taken for the open is let go again.
    EXPECT_TRUE(usb.IsUsbPathFree(missing));
    EXPECT_TRUE(CAppSettings::ValueNames(QStringLiteral("USB")).isEmpty());
    BYTE report[HID_REPORT_SIZE] = {};
    EXPECT_EQ(usb.Write(report), -1);
    EXPECT_EQ(usb.Read(report, 0), -1);
    EXPECT_EQ(usb.Purge(), 0);
}

}  // namespace
