#pragma once
// The whole serial link against the simulated device over a pseudo-terminal:
// the I/O worker, the serial transport, the port's monitor thread, the queue,
// the reply parser and the change scan on one side; on the other the master
// side of the pseudo-terminal, served by CSimDevice (a serial session)
// through SimServeStream. The port opens the slave side by its path.
#include "link/SerialPort.h"
#include "tests/link/PtyDevice.h"
#include "tests/link/SimLinkBase.h"

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
