// Opening and closing the serial port and the serial link: a port that is
// not there, a port another holder has, settings the port cannot take (the
// system's box, and the open goes on), a close of a port never opened, and
// the link's close, which leaves no link kind and the view's closed state.
#include "tests/common/MessageBoxSpy.h"
#include "tests/link/SerialLinkFixture.h"

namespace {

using SerialPortOpen = SerialLinkTest;

TEST_F(SerialPortOpen, ThePortNamedNullIsNotThereAndNothingIsShown)
{
    CMessageBoxSpy spy;
    g_nLinkType = LINK_SERIAL;
    EXPECT_FALSE(m_link->OpenSerialLink(g_strNullPort));
    EXPECT_FALSE(m_link->IsConnected());
    EXPECT_FALSE(m_port->IsMonitorRunning());
    EXPECT_EQ(m_port->GetPortName(), QStringLiteral("/dev/NULL"));
    EXPECT_TRUE(spy.system.empty());
    EXPECT_TRUE(spy.shown.empty());
}

TEST_F(SerialPortOpen, APortHeldByAnotherIsRefusedUntilItIsLetGo)
{
    CMessageBoxSpy spy;
    g_nLinkType = LINK_SERIAL;
    ASSERT_TRUE(m_link->OpenSerialLink(m_pty->SlavePath()));
    EXPECT_TRUE(m_link->IsConnected());
    EXPECT_EQ(m_port->GetEventMask(), 9u);
    EXPECT_EQ(m_port->GetWriteBufferSize(), 512);

    CSerialPort other(m_command);
    EXPECT_FALSE(other.OpenPort(nullptr, m_pty->SlavePath(), 57600, 'N', 8, 1, 9, 512));
    EXPECT_FALSE(other.IsMonitorRunning());
    m_link->CloseSerialLink();
    EXPECT_TRUE(other.OpenPort(nullptr, m_pty->SlavePath(), 57600, 'N', 8, 1, 9, 512));
    EXPECT_TRUE(other.ClosePort());
    // A pseudo-terminal has no RTS line: that is not reported.
    EXPECT_TRUE(spy.system.empty());
}

TEST_F(SerialPortOpen, SettingsThePortCannotTakeAreReportedAndTheOpenGoesOn)
{
    struct Case {
        char parity;
        int dataBits;
        int stopBits;
        bool reported;
    };
    // The valid rows are settings a pseudo-terminal takes (it refuses some
    // that the text allows, such as 7 data bits with even parity).
    const Case cases[] = {
        {'N', 8, 1, false}, {'o', 5, 1, false}, {'S', 8, 2, false}, {'X', 8, 1, true},
        {'N', 9, 1, true},  {'N', 4, 1, true},  {'N', 8, 3, true},  {'N', 8, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.parity << c.dataBits << c.stopBits);
        CMessageBoxSpy spy;
        EXPECT_TRUE(m_port->OpenPort(nullptr, m_pty->SlavePath(), 57600, c.parity, c.dataBits, c.stopBits, 9, 512));
        if (!c.reported) {
            EXPECT_TRUE(spy.system.empty());
        } else {
            ASSERT_EQ(spy.system.size(), 1u);
            EXPECT_EQ(spy.system[0].caption, QStringLiteral("Application Error"));
            EXPECT_TRUE(spy.system[0].text.startsWith(
                QStringLiteral("WARNING:  BuildCommDCB() Failed with the following error: \n")));
            EXPECT_TRUE(spy.system[0].text.endsWith(QStringLiteral("\nPort: ") + m_pty->SlavePath() + "\n"));
            EXPECT_EQ(spy.system[0].type & MB_ICONMASK, unsigned(MB_ICONERROR));
        }
        EXPECT_TRUE(spy.shown.empty());
        EXPECT_TRUE(m_port->ClosePort());
    }
}

TEST_F(SerialPortOpen, TheErrorTextNamesTheCallTheErrorAndThePort)
{
    EXPECT_EQ(CSerialPort::CommErrorText(QStringLiteral("SetCommState()"), QStringLiteral("Invalid argument"),
                                         QStringLiteral("/dev/ttyS3")),
              QStringLiteral("WARNING:  SetCommState() Failed with the following error: \nInvalid argument\n"
                             "Port: /dev/ttyS3\n"));
}

TEST_F(SerialPortOpen, ClosingAPortNeverOpenedOnlyAnswersTrue)
{
    CSerialPort never(m_command);
    EXPECT_TRUE(never.ClosePort());
    EXPECT_TRUE(never.ClosePort());
    EXPECT_FALSE(never.IsMonitorRunning());
}

TEST_F(SerialPortOpen, ClosingTheLinkLeavesNoLinkKindAndTheViewClosed)
{
    g_nLinkType = LINK_SERIAL;
    ASSERT_TRUE(m_link->OpenSerialLink(m_pty->SlavePath()));
    ASSERT_TRUE(Eventually([&] { return m_port->IsMonitorRunning(); }));
    g_bDeviceSynced = true;
    g_bTransferBusy = true;
    {
        ParameterSetGuard guard(g_ParameterSetLock);
        m_set->GetOutput(5)->GetBand(2)->SetGainIndex(150);
    }
    EXPECT_TRUE(m_link->CloseSerialLink());
    EXPECT_FALSE(m_port->IsMonitorRunning());
    EXPECT_FALSE(m_link->IsConnected());
    EXPECT_EQ(g_nLinkType, LINK_NONE);
    EXPECT_EQ(m_nLinkClosed, 1);
    EXPECT_FALSE(g_bDeviceSynced);
    EXPECT_FALSE(g_bTransferBusy);
    // No change waits to be sent: the scan has only the status poll.
    std::unique_ptr<CSendData> next = m_set->NextChangedItem();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->GetData()[FRAME_ITEM_BYTE], SYSTEM_ITEM_STATUS);
}

}  // namespace
