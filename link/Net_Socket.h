#pragma once
// The network link holder: the TCP connection to the device's WiFi module,
// the subnet test against the local adapters, the reachability probe and
// the reachability poll that runs on its own thread (CPing_Net_Thread).
//
// Threads: the poll step runs on the ping thread; connect, send and receive
// run on whichever thread drives the link (the I/O worker, or a connecting
// thread), one at a time. Close the socket from another thread only while
// nothing uses it (the worker is stopped first). Every blocking call takes
// an optional cancel token and ends within a few milliseconds once it is
// set.
#include <atomic>
#include <memory>

#include <QString>

#include "link/LocalAdapters.h"
#include "link/PingProbe.h"
#include "platform/core/Types.h"

class CCancelToken;
class CPing_Net_Thread;

enum : int {
    NET_RX_BUFFER_SIZE = 400,
    NET_RX_SHORT_SIZE = 16,
    NET_DEFAULT_TIMEOUT_MS = 1000,  // send and receive time-out
    NET_CONNECT_TIMEOUT_MS = 3000,
    NET_POLL_PAUSE_MS = 1000,      // after every poll step
    NET_RESTART_PAUSE_MS = 5000,   // before reporting a device that finished an update
    // Results of a receive besides the byte count, in the numbering the
    // device link has always used.
    NET_ERR_CANCELLED = 995,   // the cancel token ended the receive
    NET_ERR_WOULDBLOCK = 10035,
    NET_ERR_ABORTED = 10053,   // connection aborted, broken pipe
    NET_ERR_RESET = 10054,     // connection reset by the device
    NET_ERR_TIMEDOUT = 10060,  // nothing arrived within the receive time-out
};

// Bytes of the last receive (the I/O worker's).
extern BYTE g_byNetRxBuffer[NET_RX_BUFFER_SIZE];

class CNet_Socket {
public:
    // Starts the ping thread (idle until StartPolling). The defaults read the
    // machine's adapters and ping with the system's ping program.
    explicit CNet_Socket(AdapterLister lister = ReadLocalAdapters, ReachabilityProbe probe = PingDevice);
    // Ends the ping thread, then closes the socket.
    ~CNet_Socket();
    CNet_Socket(const CNet_Socket&) = delete;
    CNet_Socket& operator=(const CNet_Socket&) = delete;

    // ---- Reachability -----------------------------------------------------
    // Subnet test: true at the first local adapter whose subnet holds
    // g_strDeviceIp; false when none does or the list cannot be read.
    bool FindLocalAdapter() const;
    // Only the octets whose mask octet is 255 are compared; true when at
    // least one was and all of them match. False when any text is not a
    // dotted IPv4 address.
    static bool IsSameSubnet(const QString& mask, const QString& adapterAddress, const QString& deviceAddress);
    // The device is on a local subnet (the subnet test).
    bool IsDeviceReachable() const { return FindLocalAdapter(); }
    // One probe of g_strDeviceIp.
    bool Ping(const CCancelToken* cancel = nullptr) const;

    // The device is on a local subnet and has answered a ping: set and
    // cleared by the poll; Connect requires it.
    bool IsReachable() const { return m_bReachable.load(); }
    void SetReachable(bool reachable) { m_bReachable = reachable; }

    // One poll step (ping thread). running is the poll's token: once set, the
    // step ends at once and returns false without changing anything. Posts
    // WM_NET_REACHABLE to g_pNotifyView when the device has just become
    // reachable.
    bool PollReachability(const CCancelToken& running);
    // Makes the ping thread poll this object every 500 ms (after each step).
    void StartPolling();
    // Stops the poll, ending a running step first; with keepThread false the
    // ping thread ends as well (the program is closing).
    void StopPolling(bool keepThread);
    // Pauses of the poll step; the defaults are NET_POLL_PAUSE_MS and
    // NET_RESTART_PAUSE_MS. Tests shorten them.
    void SetPollPauses(int afterStepMs, int afterUpdateMs);

    // ---- Connection -------------------------------------------------------
    // Requires IsReachable() and a successful Ping; then opens a TCP
    // connection to g_strDeviceIp:g_nDevicePort within
    // NET_CONNECT_TIMEOUT_MS. An open socket is closed first.
    bool Connect(const CCancelToken* cancel = nullptr);
    // Closes the socket (the socket number becomes -1); always true.
    bool Close();
    bool IsOpen() const { return m_hSocket.load() >= 0; }

    // Sends all len bytes within the send time-out; false on any error, on
    // a closed socket, on the time-out or on cancel. Never raises SIGPIPE.
    bool Send(const char* data, int len, const CCancelToken* cancel = nullptr);
    // Receives up to NET_RX_BUFFER_SIZE bytes into g_byNetRxBuffer, waiting
    // at most the receive time-out. *count gets the bytes received (0 when
    // the device closed the connection, -1 on an error or a time-out).
    // Returns the count; or NET_ERR_TIMEDOUT, NET_ERR_RESET or
    // NET_ERR_ABORTED for those errors, NET_ERR_CANCELLED when cancelled, and
    // 0 for any other error (a closed socket among them).
    int Receive(int* count, const CCancelToken* cancel = nullptr);
    // The same with at most NET_RX_SHORT_SIZE bytes.
    int ReceiveShort(int* count, const CCancelToken* cancel = nullptr);
    // Sets the time-out of the receives that follow; false, with the socket
    // closed, on a closed socket or a negative time.
    bool SetReceiveTimeout(int ms);
    int ReceiveTimeout() const { return m_nRecvTimeout.load(); }

    // errno of a failed socket call -> the receive results above (0 when
    // none fits).
    static int MapSocketError(int error);

private:
    int ReceiveInto(int maxBytes, int* count, const CCancelToken* cancel);
    // Waits until fd is ready for events, at most ms; 1 ready, 0 time-out,
    // -1 error, -2 cancelled.
    static int WaitReady(int fd, short events, int ms, const CCancelToken* cancel);

    const AdapterLister m_lister;
    const ReachabilityProbe m_probe;
    std::atomic<int> m_hSocket{-1};
    std::atomic<bool> m_bReachable{false};
    std::atomic<int> m_nSendTimeout{NET_DEFAULT_TIMEOUT_MS};
    std::atomic<int> m_nRecvTimeout{NET_DEFAULT_TIMEOUT_MS};
    std::atomic<int> m_nPollPauseMs{NET_POLL_PAUSE_MS};
    std::atomic<int> m_nRestartPauseMs{NET_RESTART_PAUSE_MS};
    std::unique_ptr<CPing_Net_Thread> m_pPingThread;
};
