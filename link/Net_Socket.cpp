#include "link/Net_Socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "link/NetAddress.h"
#include "link/Ping_Net_Thread.h"
#include "model/LinkState.h"
#include "model/WindowMessages.h"
#include "platform/core/CancelToken.h"
#include "platform/core/MsgTarget.h"

BYTE g_byNetRxBuffer[NET_RX_BUFFER_SIZE];

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::max<long long>(left, 0));
}

}  // namespace

CNet_Socket::CNet_Socket(AdapterLister lister, ReachabilityProbe probe)
    : m_lister(std::move(lister)), m_probe(std::move(probe)), m_pPingThread(new CPing_Net_Thread)
{
}

CNet_Socket::~CNet_Socket()
{
    // The ping thread calls into this object: it ends first.
    m_pPingThread.reset();
    Close();
}

// ---- Reachability -----------------------------------------------------------

bool CNet_Socket::IsSameSubnet(const QString& mask, const QString& adapterAddress, const QString& deviceAddress)
{
    IPv4Octets m{}, a{}, d{};
    if (!ParseDottedIPv4(mask, &m) || !ParseDottedIPv4(adapterAddress, &a) || !ParseDottedIPv4(deviceAddress, &d))
        return false;
    int counted = 0;
    int matched = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (m[i] != 255)
            continue;
        ++counted;
        if (a[i] == d[i])
            ++matched;
    }
    return counted > 0 && matched == counted;
}

bool CNet_Socket::FindLocalAdapter() const
{
    std::vector<LocalAdapter> adapters;
    if (!m_lister || !m_lister(&adapters))
        return false;
    const QString device = g_strDeviceIp.Get();
    for (const LocalAdapter& adapter : adapters) {
        if (IsSameSubnet(adapter.mask, adapter.address, device))
            return true;
    }
    return false;
}

bool CNet_Socket::Ping(const CCancelToken* cancel) const
{
    return m_probe && m_probe(g_strDeviceIp.Get(), cancel);
}

bool CNet_Socket::PollReachability(const CCancelToken& running)
{
    if (!FindLocalAdapter()) {
        if (running.IsSet())
            return false;
        m_bReachable = false;
        running.WaitFor(m_nPollPauseMs);
        return false;
    }
    if (running.IsSet())
        return false;
    bool reachable = m_bReachable;
    if (!reachable) {
        reachable = Ping(&running);
        if (running.IsSet())
            return false;
        if (reachable) {
            // The device has just become reachable. After a firmware update
            // it restarts first.
            if (g_bUpdateDone && running.WaitFor(m_nRestartPauseMs))
                return false;
            g_bUpdateDone = false;
            PostMessage(g_pNotifyView.load(), WM_NET_REACHABLE, 0, 0);
            // Reported: from here the state is stored even when a stop
            // comes, so the report is not repeated.
        }
    }
    m_bReachable = reachable;
    running.WaitFor(m_nPollPauseMs);
    return reachable;
}

void CNet_Socket::StartPolling()
{
    m_pPingThread->SetLink(this);
    m_pPingThread->StartTimer(NET_POLL_INTERVAL_MS);
}

void CNet_Socket::StopPolling(bool keepThread)
{
    m_pPingThread->StopTimer();
    if (!keepThread)
        m_pPingThread->Quit();
}

void CNet_Socket::SetPollPauses(int afterStepMs, int afterUpdateMs)
{
    m_nPollPauseMs = std::max(afterStepMs, 0);
    m_nRestartPauseMs = std::max(afterUpdateMs, 0);
}

// ---- Connection ---------------------------------------------------------------

int CNet_Socket::WaitReady(int fd, short events, int ms, const CCancelToken* cancel)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(ms, 0));
    for (;;) {
        if (CCancelToken::IsSet(cancel))
            return -2;
        const int left = MillisecondsLeft(deadline);
        pollfd p{fd, events, 0};
        const int r = poll(&p, 1, cancel != nullptr ? std::min(left, CANCEL_POLL_SLICE_MS) : left);
        if (r > 0)
            return 1;  // ready, or an error the next call reports
        if (r < 0 && errno != EINTR)
            return -1;
        if (r == 0 && left == 0)
            return CCancelToken::IsSet(cancel) ? -2 : 0;
    }
}

bool CNet_Socket::Connect(const CCancelToken* cancel)
{
    if (!IsReachable() || !Ping(cancel))
        return false;
    IPv4Octets ip{};
    const int port = g_nDevicePort;
    if (!ParseDottedIPv4(g_strDeviceIp.Get(), &ip) || port < 1 || port > 65535)
        return false;
    Close();

    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // The kernel keeps its own minimum buffers; the device's frames are small.
    int zero = 0;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &zero, sizeof zero);
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &zero, sizeof zero);
    // Request and reply: a frame must leave at once, not wait for an ACK.
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    // Every send and receive waits in poll() against these, never in the
    // kernel: the socket's own time-out options would never be consulted.
    m_nSendTimeout = NET_DEFAULT_TIMEOUT_MS;
    m_nRecvTimeout = NET_DEFAULT_TIMEOUT_MS;

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(quint16(port));
    std::memcpy(&address.sin_addr, ip.data(), 4);
    const int flags = fcntl(fd, F_GETFL);
    fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!connected && (errno == EINPROGRESS || errno == EINTR)) {
        if (WaitReady(fd, POLLOUT, NET_CONNECT_TIMEOUT_MS, cancel) == 1) {
            int error = 0;
            socklen_t size = sizeof error;
            connected = getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
        }
    }
    if (!connected) {
        close(fd);
        return false;
    }
    fcntl(fd, F_SETFL, flags);
    m_hSocket = fd;
    return true;
}

bool CNet_Socket::Close()
{
    const int fd = m_hSocket.exchange(-1);
    if (fd >= 0)
        close(fd);
    return true;
}

bool CNet_Socket::Send(const char* data, int len, const CCancelToken* cancel)
{
    const int fd = m_hSocket;
    if (fd < 0 || len < 0 || (data == nullptr && len > 0))
        return false;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(m_nSendTimeout.load());
    int sent = 0;
    while (sent < len) {
        if (CCancelToken::IsSet(cancel))
            return false;
        // MSG_NOSIGNAL: a connection the device dropped is an error here,
        // never a SIGPIPE that ends the program.
        const ssize_t n = send(fd, data + sent, size_t(len - sent), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += int(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (WaitReady(fd, POLLOUT, MillisecondsLeft(deadline), cancel) != 1)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

int CNet_Socket::MapSocketError(int error)
{
    switch (error) {
    case EAGAIN:
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
    case ETIMEDOUT:
        return NET_ERR_TIMEDOUT;
    case ECONNRESET:
        return NET_ERR_RESET;
    case ECONNABORTED:
    case EPIPE:
        return NET_ERR_ABORTED;
    default:
        return 0;
    }
}

int CNet_Socket::ReceiveInto(int maxBytes, int* count, const CCancelToken* cancel)
{
    int ignored = 0;
    int& received = count != nullptr ? *count : ignored;
    received = -1;
    const int fd = m_hSocket;
    if (fd < 0)
        return 0;
    const int ready = WaitReady(fd, POLLIN, m_nRecvTimeout, cancel);
    if (ready == -2)
        return NET_ERR_CANCELLED;
    if (ready == 0)
        return NET_ERR_TIMEDOUT;
    for (;;) {
        const ssize_t n = recv(fd, g_byNetRxBuffer, size_t(maxBytes), MSG_DONTWAIT);
        if (n >= 0) {
            received = int(n);
            return received;
        }
        if (errno != EINTR)
            return MapSocketError(errno);
    }
}

int CNet_Socket::Receive(int* count, const CCancelToken* cancel)
{
    return ReceiveInto(NET_RX_BUFFER_SIZE, count, cancel);
}

int CNet_Socket::ReceiveShort(int* count, const CCancelToken* cancel)
{
    return ReceiveInto(NET_RX_SHORT_SIZE, count, cancel);
}

bool CNet_Socket::SetReceiveTimeout(int ms)
{
    if (ms < 0 || m_hSocket < 0) {
        Close();
        return false;
    }
    m_nRecvTimeout = ms;
    return true;
}
