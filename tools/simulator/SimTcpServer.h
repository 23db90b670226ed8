#pragma once
// The simulated device's network face: a TCP server on 127.0.0.1 (never any
// other address) that feeds each connection's bytes to a CSimDevice session
// and writes each reply in one write. One thread accepts, one thread serves
// each connection (a few at a time). Every loop wakes at least every 50 ms,
// so Stop() is quick, and the whole server stops by itself when its lifetime
// is over.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class CSimDevice;

class CSimTcpServer {
public:
    enum : int { kDefaultPort = 8899, kMaxConnections = 4 };

    explicit CSimTcpServer(CSimDevice& device);
    ~CSimTcpServer();
    CSimTcpServer(const CSimTcpServer&) = delete;
    CSimTcpServer& operator=(const CSimTcpServer&) = delete;

    // Listens on 127.0.0.1:port (0: a free port, see Port()) and serves for
    // at most lifetimeMs. False with a reason when the port cannot be bound
    // or the server already runs.
    bool Start(int port, long long lifetimeMs, std::string* error);
    // Ends every connection and the listener; returns when all threads ended.
    void Stop();
    // False once stopped or once the lifetime is over.
    bool IsRunning() const { return m_bRunning; }
    int Port() const { return m_nPort; }
    // Connections accepted so far.
    int AcceptedCount() const { return m_nAccepted; }

private:
    struct Connection {
        int fd = -1;
        std::thread thread;
        std::atomic<bool> done{false};
    };
    void AcceptLoop();
    void Serve(Connection* c);
    // Waits ms unless the server stops first; false when it stopped.
    bool Pause(int ms);
    bool ShouldStop() const;
    void ReapFinished(bool all);

    CSimDevice& m_device;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bRunning{false};
    std::atomic<int> m_nPort{0};
    std::atomic<int> m_nAccepted{0};
    std::chrono::steady_clock::time_point m_deadline;
    int m_listenFd = -1;
    std::thread m_acceptThread;
    std::mutex m_mutex;  // guards m_connections and the pause
    std::condition_variable m_wake;
    std::list<std::unique_ptr<Connection>> m_connections;
};
