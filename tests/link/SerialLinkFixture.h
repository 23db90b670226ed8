#pragma once
// The whole serial link against the simulated device over a pseudo-terminal:
// the I/O worker, the serial transport, the port's monitor thread, the queue,
// the reply parser and the change scan on one side; on the other the master
// side of the pseudo-terminal, served by CSimDevice (a serial session)
// through SimServeStream. The port opens the slave side by its path.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "link/SerialPort.h"
#include "tests/link/SimLinkBase.h"
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

class SerialLinkTest : public SimLinkBase {
protected:
    void SetUp() override
    {
        StartSimLink(LINK_NONE);
        m_pty = std::make_unique<CPtyDevice>(m_device);
        m_port = std::make_unique<CSerialPort>(m_command);
        m_link = std::make_unique<CDeviceLink>(m_command, nullptr, m_set.get(), m_port.get());
        CLinkViewHooks hooks;
        hooks.linkClosed = [this] { ++m_nLinkClosed; };
        m_link->SetViewHooks(hooks);
    }

    void TearDown() override
    {
        m_link.reset();
        m_port.reset();
        m_pty.reset();
        EndSimLink();
    }

    // Plays the view's serial connect: the link kind, the port opened with
    // its monitor, the queue emptied, the handshake and version requests
    // queued, the worker started.
    void Connect()
    {
        g_nLinkType = LINK_SERIAL;
        ASSERT_TRUE(m_link->OpenSerialLink(m_pty->SlavePath()));
        m_command.ClearQueue();
        {
            std::lock_guard<CCriticalSection> lock(g_csSendLock);
            m_link->RequestDeviceInfo(false);
        }
        m_link->StartIoWorker(true);
    }

    // Connects and waits for the version reply; the device counts as synced
    // then.
    void ConnectAndSync()
    {
        Connect();
        ASSERT_TRUE(Pump([&] { return !m_view.Messages(WM_DEVICE_VERSION).empty(); }));
        g_bDeviceSynced = true;
    }

    // The frames after `from` that the device received, and the index of the
    // first output record frame among them (-1 when none).
    int FirstOutputFrame(long long from) const
    {
        const std::vector<CSimLogEntry> frames = FramesFrom(from);
        for (size_t k = 0; k < frames.size(); ++k) {
            if (frames[k].frame.type == BLOCK_OUTPUT)
                return int(k);
        }
        return -1;
    }

    std::unique_ptr<CPtyDevice> m_pty;
    std::unique_ptr<CSerialPort> m_port;
    int m_nLinkClosed = 0;
};
