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
#include "tools/simulator/SimStream.h"

namespace {
const int kPollMs = 50;

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
    const CSimStreamEnd end = SimServeStream(
        c->fd, m_device, session, [this] { return ShouldStop(); }, [this](int ms) { return Pause(ms); });
    m_device.CloseSession(session);
    CloseFd(c->fd, end == CSimStreamEnd::Reset);
    c->fd = -1;
    c->done = true;
}
