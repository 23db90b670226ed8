#pragma once
// The network side of the link tests: a TCP listener of the test's own on
// 127.0.0.1 (an ephemeral port), and adapters and probe answers the test
// controls (FakeNetwork), so that nothing but 127.0.0.1 is ever contacted
// and no ping program runs.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include <QByteArray>

#include "tests/link/FakeNetwork.h"

// A TCP listener on 127.0.0.1 with an ephemeral port.
class CLoopbackListener {
public:
    explicit CLoopbackListener(int backlog = 4)
    {
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        const int one = 1;
        setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        if (bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(m_fd, backlog) != 0)
            ADD_FAILURE() << "listener: " << std::strerror(errno);
        socklen_t size = sizeof address;
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size);
        m_nPort = ntohs(address.sin_port);
    }
    ~CLoopbackListener()
    {
        for (int fd : m_accepted)
            close(fd);
        close(m_fd);
    }
    int Port() const { return m_nPort; }
    // The next connection, or -1 after ms.
    int Accept(int ms = 2000)
    {
        pollfd p{m_fd, POLLIN, 0};
        if (poll(&p, 1, ms) <= 0)
            return -1;
        const int fd = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0)
            m_accepted.push_back(fd);
        return fd;
    }
    // Closes an accepted connection; with reset, the peer gets a reset
    // instead of an orderly close.
    void Drop(int fd, bool reset)
    {
        if (reset) {
            linger l{1, 0};
            setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
        }
        m_accepted.erase(std::remove(m_accepted.begin(), m_accepted.end(), fd), m_accepted.end());
        close(fd);
    }

private:
    int m_fd = -1;
    int m_nPort = 0;
    std::vector<int> m_accepted;
};

inline QByteArray ReadExactly(int fd, int size, int ms = 2000)
{
    QByteArray out;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (out.size() < size && std::chrono::steady_clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0)
            continue;
        char buffer[512];
        const ssize_t n = recv(fd, buffer, std::min<size_t>(sizeof buffer, size_t(size - out.size())), 0);
        if (n <= 0)
            break;
        out.append(buffer, int(n));
    }
    return out;
}
