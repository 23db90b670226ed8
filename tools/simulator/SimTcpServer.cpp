#include "tools/simulator/SimTcpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/simulator/SimDevice.h"

namespace {
const int kPollMs = 50;
const size_t kReadSize = 4096;

void CloseFd(int fd, bool reset)
{
    if (fd < 0)
        return;
    if (reset) {
        // The device restarts: the peer sees a connection reset, not an
        // orderly close.
        linger l = {1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    }
    close(fd);
}
}  // namespace

CSimTcpServer::CSimTcpServer(CSimDevice& device)
    : m_device(device)
{
}

CSimTcpServer::~CSimTcpServer()
{
    Stop();
}

bool CSimTcpServer::Start(int port, long long lifetimeMs, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        if (m_listenFd >= 0)
            close(m_listenFd);
        m_listenFd = -1;
        return false;
    };
    if (m_bRunning)
        return fail("the server already runs");
    if (m_acceptThread.joinable())
        m_acceptThread.join();  // ended by itself when its lifetime was over
    if (port < 0 || port > 65535)
        return fail("port out of range");

    m_listenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0)
        return fail(std::string("socket: ") + std::strerror(errno));
    const int on = 1;
    setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(uint16_t(port));
    // Loopback only, whatever the caller wants: the simulator is never
    // reachable from another machine.
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        return fail("bind 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno));
    if (listen(m_listenFd, kMaxConnections) != 0)
        return fail(std::string("listen: ") + std::strerror(errno));
    socklen_t len = sizeof addr;
    getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &len);
    m_nPort = ntohs(addr.sin_port);

    m_bStop = false;
    m_bRunning = true;
    m_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(lifetimeMs);
    m_acceptThread = std::thread(&CSimTcpServer::AcceptLoop, this);
    return true;
}

void CSimTcpServer::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    m_wake.notify_all();
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    m_bRunning = false;
}

bool CSimTcpServer::ShouldStop() const
{
    return m_bStop || std::chrono::steady_clock::now() >= m_deadline;
}

bool CSimTcpServer::Pause(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto until = std::min(m_deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
    m_wake.wait_until(lock, until, [this] { return m_bStop.load(); });
    return !ShouldStop();
}

void CSimTcpServer::AcceptLoop()
{
    while (!ShouldStop()) {
        ReapFinished(false);
        pollfd p = {m_listenFd, POLLIN, 0};
        if (poll(&p, 1, kPollMs) <= 0 || !(p.revents & POLLIN))
            continue;
        const int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_connections.size() >= size_t(kMaxConnections)) {
            close(fd);
            continue;
        }
        const int on = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        ++m_nAccepted;
        m_connections.push_back(std::make_unique<Connection>());
        Connection* c = m_connections.back().get();
        c->fd = fd;
        c->thread = std::thread(&CSimTcpServer::Serve, this, c);
    }
    // Stopped or out of time: every connection ends within one poll.
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    m_wake.notify_all();
    ReapFinished(true);
    close(m_listenFd);
    m_listenFd = -1;
    m_bRunning = false;
}

void CSimTcpServer::ReapFinished(bool all)
{
    std::list<std::unique_ptr<Connection>> finished;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto it = m_connections.begin(); it != m_connections.end();) {
            if (all || (*it)->done) {
                finished.push_back(std::move(*it));
                it = m_connections.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& c : finished)
        c->thread.join();
}

void CSimTcpServer::Serve(Connection* c)
{
    const int session = m_device.OpenSession(CSimPath::Network);
    bool reset = false;
    bool open = true;
    unsigned char buffer[kReadSize];
    while (open && !ShouldStop()) {
        pollfd p = {c->fd, POLLIN, 0};
        if (poll(&p, 1, kPollMs) <= 0)
            continue;
        const ssize_t got = recv(c->fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
            if (got < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            break;  // closed by the peer, or reset
        }
        for (const CSimReply& reply : m_device.Feed(session, buffer, size_t(got))) {
            if (reply.close) {
                open = false;
                break;
            }
            if (reply.delayMs > 0 && !Pause(reply.delayMs)) {
                open = false;
                break;
            }
            if (!reply.bytes.empty() && !SendAll(c->fd, reply.bytes.data(), reply.bytes.size())) {
                open = false;
                break;
            }
            if (reply.reset) {
                reset = true;
                open = false;
                break;
            }
        }
    }
    m_device.CloseSession(session);
    CloseFd(c->fd, reset);
    c->fd = -1;
    c->done = true;
}

bool CSimTcpServer::SendAll(int fd, const unsigned char* data, size_t n)
{
    // One frame, one write; the loop only covers a short write.
    while (n > 0) {
        if (ShouldStop())
            return false;
        const ssize_t sent = send(fd, data, n, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            data += sent;
            n -= size_t(sent);
            continue;
        }
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return false;
        pollfd p = {fd, POLLOUT, 0};
        poll(&p, 1, kPollMs);
    }
    return true;
}
