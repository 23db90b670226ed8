// The connection dialog: the link kind as the radio choice and the port
// list's state, radio clicks, OK storing the chosen kind and whether it was
// the kind already set, the port list filled (also when the port source
// fails), the texts of both languages and the dialog's background.
#include <gtest/gtest.h>

#include <stdexcept>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "app/ConnectDlg.h"
#include "app/GlobalObjects.h"
#include "controls/ButtonRadio.h"
#include "link/SerialPortList.h"
#include "model/DataDefine.h"
#include "model/LinkState.h"
#include "tests/common/gui/WidgetProbe.h"

namespace {

SerialPortEntry Port(const char* name, bool usb)
{
    SerialPortEntry entry;
    entry.m_strDevicePath = QStringLiteral("/dev/") + QString::fromLatin1(name);
    entry.m_strPortName = QString::fromLatin1(name);
    entry.m_bUsbDevice = usb;
    return entry;
}

class ConnectDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CreateGlobalObjects(); }

    void SetUp() override
    {
        g_bChinese = false;
        g_nLinkType = LINK_NONE;
        g_bSameLinkKind = false;
        m_previous = SetSerialPortSource([] {
            return std::vector<SerialPortEntry>{Port("ttyS0", false), Port("ttyUSB0", true), Port("ttyS1", false)};
        });
    }
    void TearDown() override
    {
        SetSerialPortSource(m_previous);
        g_bChinese = false;
        g_nLinkType = LINK_NONE;
        g_bSameLinkKind = false;
    }

    SerialPortSource m_previous;
};

TEST_F(ConnectDlgTest, TheLinkKindIsTheChoiceAndTheListFollowsIt)
{
    struct Case {
        int kind;
        int choice;
        bool listEnabled;
    };
    const Case cases[] = {{LINK_NONE, -1, true}, {LINK_USB, 0, false}, {LINK_NETWORK, 1, false}, {LINK_SERIAL, 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        g_nLinkType = c.kind;
        CConnectDlg dialog;
        dialog.OnInitDialog();
        EXPECT_EQ(dialog.LinkChoice(), c.choice);
        EXPECT_EQ(dialog.Radio(CConnectDlg::IDC_USB)->isChecked(), c.choice == 0);
        EXPECT_EQ(dialog.Radio(CConnectDlg::IDC_WIFI)->isChecked(), c.choice == 1);
        EXPECT_EQ(dialog.Radio(CConnectDlg::IDC_COM)->isChecked(), c.choice == 2);
        EXPECT_EQ(dialog.PortList()->isEnabled(), c.listEnabled);
        for (int id : {CConnectDlg::IDC_USB, CConnectDlg::IDC_WIFI, CConnectDlg::IDC_COM})
            EXPECT_EQ(dialog.Radio(id)->GetTextColor(), RGB(0, 0, 0));
    }
}

TEST_F(ConnectDlgTest, RadioClicksChooseAndSwitchThePortList)
{
    CConnectDlg dialog;
    dialog.OnInitDialog();
    dialog.show();
    struct Step {
        int radio;
        int choice;
        bool listEnabled;
    };
    const Step steps[] = {{CConnectDlg::IDC_COM, 2, true},
                          {CConnectDlg::IDC_USB, 0, false},
                          {CConnectDlg::IDC_COM, 2, true},
                          {CConnectDlg::IDC_WIFI, 1, false}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.radio);
        CButtonRadio* radio = dialog.Radio(step.radio);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
        EXPECT_TRUE(radio->isChecked());
        EXPECT_EQ(dialog.LinkChoice(), step.choice);
        EXPECT_EQ(dialog.PortList()->isEnabled(), step.listEnabled);
    }
}

TEST_F(ConnectDlgTest, OkStoresTheChosenKindAndWhetherItWasTheSame)
{
    struct Case {
        const char* name;
        int kindBefore;
        int click;  // 0: no click
        int kindAfter;
        bool same;
    };
    const Case cases[] = {
        {"network, then COM", LINK_NETWORK, CConnectDlg::IDC_COM, LINK_SERIAL, false},
        {"USB kept", LINK_USB, 0, LINK_USB, true},
        {"serial, then WIFI", LINK_SERIAL, CConnectDlg::IDC_WIFI, LINK_NETWORK, false},
        {"none, then USB", LINK_NONE, CConnectDlg::IDC_USB, LINK_USB, false},
        {"none, no radio", LINK_NONE, 0, LINK_NONE, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_nLinkType = c.kindBefore;
        g_bSameLinkKind = !c.same;
        CConnectDlg dialog;
        dialog.OnInitDialog();
        dialog.show();
        if (c.click != 0)
            QTest::mouseClick(dialog.Radio(c.click), Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(dialog.LinkButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(dialog.isHidden());
        EXPECT_EQ(g_nLinkType, c.kindAfter);
        EXPECT_EQ(g_bSameLinkKind, c.same);
    }
}

TEST_F(ConnectDlgTest, ThePortListSelectsAndRemembersAPort)
{
    CConnectDlg dialog;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.PortList()->count(), 3);
    // Nothing remembered: the first USB port.
    EXPECT_EQ(dialog.PortList()->currentText(), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(dialog.GetPortName(), QStringLiteral("ttyUSB0"));
    dialog.PortList()->setCurrentIndex(2);
    dialog.OnSelchangePort();
    EXPECT_EQ(dialog.GetPortName(), QStringLiteral("ttyS1"));
    // Filled again, the remembered port stays chosen.
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.PortList()->currentText(), QStringLiteral("ttyS1"));
}

TEST_F(ConnectDlgTest, AFailingPortSourceLeavesNullListed)
{
    SetSerialPortSource([]() -> std::vector<SerialPortEntry> { throw std::runtime_error("no ports (err=2)"); });
    CConnectDlg dialog;
    dialog.OnInitDialog();
    ASSERT_EQ(dialog.PortList()->count(), 1);
    EXPECT_EQ(dialog.PortList()->currentText(), g_strNullPort);
    EXPECT_EQ(dialog.GetPortName(), g_strNullPort);
}

TEST_F(ConnectDlgTest, TextsOfBothLanguagesOnTheBackground)
{
    struct Case {
        bool chinese;
        const char* title;
        const char* usb;
        const char* wifi;
        const char* com;
    };
    const Case cases[] = {
        {false, "Link", "Use the USB connect to the device", "Use the WIFI connect to the device",
         "Use the COM connect to the device"},
        {true, "联机", "使用USB连接到设备", "使用WIFI无线连接到设备", "使用COM连接到设备"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chinese);
        g_bChinese = c.chinese;
        CConnectDlg dialog;
        dialog.OnInitDialog();
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(dialog.LinkButton()->text(), QString::fromUtf8(c.title));
        EXPECT_EQ(dialog.Radio(CConnectDlg::IDC_USB)->text(), QString::fromUtf8(c.usb));
        EXPECT_EQ(dialog.Radio(CConnectDlg::IDC_WIFI)->text(), QString::fromUtf8(c.wifi));
        EXPECT_EQ(dialog.Radio(CConnectDlg::IDC_COM)->text(), QString::fromUtf8(c.com));
        const QImage image = Render(&dialog);
        // Beside the controls, the application's background shows.
        EXPECT_GT(CountPixels(image, QColor(227, 228, 238)), image.width() * image.height() / 2);
        EXPECT_TRUE(Near(image.pixel(image.width() - 3, image.height() - 3), QColor(227, 228, 238), 0));
    }
}

}  // namespace
