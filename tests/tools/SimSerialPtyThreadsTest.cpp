// The simulator as a serial device: the master side of a pseudo-terminal
// served with the device, the test on the slave side as the program's
// serial port would be.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/common/Eventually.h"
#include "tests/tools/SimTestFrames.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimStream.h"

TEST(SimSerialPtyTest, AnswersOverAPseudoTerminal)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    // Bytes pass unchanged, without echo.
    termios raw;
    ASSERT_EQ(tcgetattr(slave, &raw), 0);
    cfmakeraw(&raw);
    ASSERT_EQ(tcsetattr(slave, TCSANOW, &raw), 0);

    CSimDevice device;
    const int session = device.OpenSession(CSimPath::Serial);
    std::atomic<bool> stop{false};
    std::atomic<int> end{-1};
    std::thread pump([&] {
        end = int(SimServeStream(
            master, device, session, [&] { return stop.load(); }, [](int) { return true; }));
    });

    // The serial line carries one byte at a time.
    for (BYTE b : kHandshake)
        ASSERT_EQ(write(slave, &b, 1), 1);
    CSimFrameDecoder decoder;
    CSimFrame reply;
    ASSERT_TRUE(ReceiveFrame(slave, decoder, &reply, 5000));
    EXPECT_EQ(reply.cls, 'S');
    EXPECT_EQ(reply.item, 0xCC);
    EXPECT_EQ(device.Log().back().path, CSimPath::Serial);

    // Letting go of the line ends the service.
    close(slave);
    Eventually([&] { return end != -1; });
    stop = true;
    pump.join();
    EXPECT_EQ(end, int(CSimStreamEnd::PeerClosed));
    close(master);
}
