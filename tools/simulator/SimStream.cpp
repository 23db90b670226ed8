#include "tools/simulator/SimStream.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "tools/simulator/SimDevice.h"

namespace {
const int kPollMs = 50;
const size_t kReadSize = 4096;

bool WriteAll(int fd, const BYTE* data, size_t n, const std::function<bool()>& stopped)
{
    // One frame, one write; the loop only covers a short write.
    while (n > 0) {
        if (stopped())
            return false;
        ssize_t sent = send(fd, data, n, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno == ENOTSOCK)
            sent = write(fd, data, n);
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
}  // namespace

CSimStreamEnd SimServeStream(int fd, CSimDevice& device, int session, const std::function<bool()>& stopped,
                             const std::function<bool(int)>& pause)
{
    BYTE buffer[kReadSize];
    while (!stopped()) {
        pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, kPollMs) <= 0)
            continue;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            if (got < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            return CSimStreamEnd::PeerClosed;
        }
        for (const CSimReply& reply : device.Feed(session, buffer, size_t(got))) {
            if (reply.close)
                return CSimStreamEnd::Closed;
            if (reply.delayMs > 0 && !pause(reply.delayMs))
                return CSimStreamEnd::Stopped;
            if (!reply.bytes.empty() && !WriteAll(fd, reply.bytes.data(), reply.bytes.size(), stopped))
                return stopped() ? CSimStreamEnd::Stopped : CSimStreamEnd::PeerClosed;
            if (reply.reset)
                return CSimStreamEnd::Reset;
        }
    }
    return CSimStreamEnd::Stopped;
}
