#pragma once
// A pseudo-terminal served by the simulated device (a serial session,
// through SimServeStream), for the serial link's tests: the port opens its
// slave side by path.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <QString>

#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimStream.h"

// A pseudo-terminal whose master side the simulated device serves. The
// slave side is held open here too, raw, so that the master never sees a
// hang-up while the port is closed; the port opens it by its path.
class CPtyDevice {
public:
    explicit CPtyDevice(CSimDevice& device) : m_device(device)
    {
        m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_nMaster < 0 || grantpt(m_nMaster) != 0 || unlockpt(m_nMaster) != 0) {
            ADD_FAILURE() << "no pseudo-terminal";
            return;
        }
        m_strPath = QString::fromLatin1(ptsname(m_nMaster));
        m_nSlave = open(ptsname(m_nMaster), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios raw;
        if (m_nSlave < 0 || tcgetattr(m_nSlave, &raw) != 0) {
            ADD_FAILURE() << "no slave side";
            return;
        }
        cfmakeraw(&raw);
        tcsetattr(m_nSlave, TCSANOW, &raw);
        m_nSession = m_device.OpenSession(CSimPath::Serial);
        m_thread = std::thread([this] {
            SimServeStream(
                m_nMaster, m_device, m_nSession, [this] { return m_bStop.load(); },
                [this](int ms) { return Pause(ms); });
        });
    }
    ~CPtyDevice()
    {
        HangUp();
        if (m_nSlave >= 0)
            close(m_nSlave);
    }
    CPtyDevice(const CPtyDevice&) = delete;
    CPtyDevice& operator=(const CPtyDevice&) = delete;

    const QString& SlavePath() const { return m_strPath; }
    // The master side, for a test that answers in place of the device once
    // the service has stopped.
    int Master() const { return m_nMaster; }

    // The device stops answering; the line stays.
    void StopServing()
    {
        m_bStop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    // The device goes away: the service ends and the master side closes.
    void HangUp()
    {
        StopServing();
        if (m_nMaster >= 0)
            close(m_nMaster);
        m_nMaster = -1;
    }

private:
    bool Pause(int ms)
    {
        for (int waited = 0; waited < ms; waited += 10) {
            if (m_bStop)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    CSimDevice& m_device;
    int m_nMaster = -1;
    int m_nSlave = -1;
    int m_nSession = 0;
    QString m_strPath;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};
