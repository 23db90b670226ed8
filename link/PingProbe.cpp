#include "link/PingProbe.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "link/NetAddress.h"
#include "platform/core/CancelToken.h"

extern char** environ;

namespace {

// The parent's environment with the locale forced to C, so the reply line
// reads the same on every system.
std::vector<std::string> ChildEnvironment()
{
    std::vector<std::string> env;
    for (char** p = environ; p != nullptr && *p != nullptr; ++p) {
        const std::string entry(*p);
        if (entry.rfind("LC_ALL=", 0) == 0 || entry.rfind("LANG=", 0) == 0 || entry.rfind("LANGUAGE=", 0) == 0)
            continue;
        env.push_back(entry);
    }
    env.push_back("LC_ALL=C");
    return env;
}

// Reads what the pipe holds now, keeping the first PING_OUTPUT_SIZE bytes
// and dropping the rest (so a talkative child never blocks on a full pipe).
// False once the pipe is closed.
bool DrainPipe(int fd, QByteArray* kept)
{
    char chunk[512];
    for (;;) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n > 0) {
            const qsizetype room = PING_OUTPUT_SIZE - kept->size();
            if (room > 0)
                kept->append(chunk, std::min<qsizetype>(room, n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

void KillAndReap(pid_t pid)
{
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

bool PingOutputShowsReply(const QByteArray& output)
{
    return output.left(PING_OUTPUT_SIZE).toLower().contains("ttl=");
}

bool RunPing(const QString& address, const CCancelToken* cancel, const char* program, int waitMs, QByteArray* output)
{
    if (output != nullptr)
        output->clear();
    // The address becomes one argument of the child, never a command line;
    // still only a plain dotted address may reach it.
    if (program == nullptr || !ParseDottedIPv4(address, nullptr) || CCancelToken::IsSet(cancel))
        return false;

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);

    std::string programText(program);
    std::string count("-c");
    std::string one("1");
    std::string target = address.toStdString();
    char* argv[] = {programText.data(), count.data(), one.data(), target.data(), nullptr};
    std::vector<std::string> env = ChildEnvironment();
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, program, &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return false;
    }
    fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);

    QByteArray kept;
    bool pipeOpen = true;
    bool ended = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(waitMs, 0));
    for (;;) {
        if (pipeOpen)
            pipeOpen = DrainPipe(fds[0], &kept);
        const pid_t done = waitpid(pid, nullptr, WNOHANG);
        if (done == pid || (done < 0 && errno == ECHILD)) {
            ended = true;
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (CCancelToken::IsSet(cancel) || left.count() <= 0)
            break;
        const int slice = int(std::min<long long>(CANCEL_POLL_SLICE_MS, left.count()));
        if (pipeOpen) {
            pollfd p{fds[0], POLLIN, 0};
            poll(&p, 1, slice);
        } else if (CCancelToken::Sleep(cancel, slice)) {
            break;
        }
    }
    if (!ended) {
        KillAndReap(pid);
        close(fds[0]);
        return false;
    }
    if (pipeOpen)
        DrainPipe(fds[0], &kept);
    close(fds[0]);
    if (output != nullptr)
        *output = kept;
    return PingOutputShowsReply(kept);
}

bool PingDevice(const QString& address, const CCancelToken* cancel)
{
    return RunPing(address, cancel);
}
