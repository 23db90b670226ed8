#pragma once
// Hot-plug announcements of simulated devices, read by the hot-plug monitor
// as it reads udev's: a pipe that becomes readable while events wait. Any
// thread may announce. No test framework here: the benchmarks use it too.
#include <fcntl.h>
#include <unistd.h>

#include <deque>
#include <memory>
#include <mutex>

#include "link/HotPlugSource.h"

class CFakeHotPlugSource : public IHotPlugSource {
public:
    CFakeHotPlugSource()
    {
        if (pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0)
            m_fds[0] = m_fds[1] = -1;
    }
    ~CFakeHotPlugSource() override
    {
        for (int fd : m_fds) {
            if (fd >= 0)
                close(fd);
        }
    }
    CFakeHotPlugSource(const CFakeHotPlugSource&) = delete;
    CFakeHotPlugSource& operator=(const CFakeHotPlugSource&) = delete;

    int Fd() const override { return m_fds[0]; }
    bool NextEvent(HotPlugEvent* event) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_events.empty())
            return false;
        char byte = 0;
        [[maybe_unused]] const ssize_t n = read(m_fds[0], &byte, 1);
        *event = m_events.front();
        m_events.pop_front();
        return true;
    }
    void Announce(bool added, const QString& path)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back({added, path});
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = write(m_fds[1], &byte, 1);
    }
    int Waiting() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return int(m_events.size());
    }

    // A source for the monitor that reads this one, which the test keeps.
    std::unique_ptr<IHotPlugSource> Borrow()
    {
        struct Ref : IHotPlugSource {
            explicit Ref(CFakeHotPlugSource& s) : source(s) {}
            int Fd() const override { return source.Fd(); }
            bool NextEvent(HotPlugEvent* event) override { return source.NextEvent(event); }
            CFakeHotPlugSource& source;
        };
        return std::make_unique<Ref>(*this);
    }

private:
    int m_fds[2] = {-1, -1};
    mutable std::mutex m_mutex;
    std::deque<HotPlugEvent> m_events;
};
