#include "platform/core/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include <QSocketNotifier>

namespace {
// The write end the handlers use; -1 while no object is installed. Only one
// object is installed at a time.
std::atomic<int> g_nSignalPipe{-1};
struct sigaction g_oldInt;
struct sigaction g_oldTerm;

void OnSignal(int signal)
{
    const int saved = errno;
    const int fd = g_nSignalPipe.load();
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(signal);
        // A full pipe already holds a pending wake-up.
        [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
    }
    errno = saved;
}
}  // namespace

CTerminationSignals::CTerminationSignals(std::function<void(int)> onSignal) : m_fnOnSignal(std::move(onSignal))
{
    if (g_nSignalPipe.load() >= 0 || pipe2(m_fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_pNotifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
    QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
    g_nSignalPipe = m_fds[1];
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &g_oldInt);
    sigaction(SIGTERM, &action, &g_oldTerm);
    m_bInstalled = true;
}

CTerminationSignals::~CTerminationSignals()
{
    if (m_bInstalled) {
        sigaction(SIGINT, &g_oldInt, nullptr);
        sigaction(SIGTERM, &g_oldTerm, nullptr);
        g_nSignalPipe = -1;
    }
    m_pNotifier.reset();
    for (int fd : m_fds) {
        if (fd >= 0)
            close(fd);
    }
}

void CTerminationSignals::OnReadable()
{
    unsigned char byte = 0;
    while (read(m_fds[0], &byte, 1) == 1) {
        if (m_fnOnSignal)
            m_fnOnSignal(byte);
    }
}
