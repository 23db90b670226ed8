// One request and its reply through the network link holder over loopback,
// against an echo peer on 127.0.0.1: the transport's share of every worker
// transaction. With a cancel token the waits run in short slices; the
// figure shows whether that costs anything (it should not: a slice ends as
// soon as data arrives).
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "link/NetAddress.h"
#include "link/Net_Socket.h"
#include "platform/core/CancelToken.h"
#include "tests/link/FakeNetwork.h"

namespace {

// Answers every byte it gets with the same bytes, until the link closes.
class CEchoPeer {
public:
    CEchoPeer()
    {
        m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_listener, 1);
        socklen_t size = sizeof address;
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
        m_nPort = ntohs(address.sin_port);
        m_thread = std::thread([this] {
            const int fd = accept(m_listener, nullptr, nullptr);
            if (fd < 0)
                return;
            const int one = 1;
            setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            char buffer[512];
            ssize_t n;
            while ((n = recv(fd, buffer, sizeof buffer, 0)) > 0)
                send(fd, buffer, size_t(n), MSG_NOSIGNAL);
            close(fd);
        });
    }
    ~CEchoPeer()
    {
        m_thread.join();
        close(m_listener);
    }
    int Port() const { return m_nPort; }

private:
    int m_listener = -1;
    int m_nPort = 0;
    std::thread m_thread;
};

void RoundTrip(benchmark::State& state, bool withToken)
{
    CEchoPeer peer;
    g_strDeviceIp.Set(QStringLiteral("127.0.0.1"));
    g_nDevicePort = peer.Port();
    FakeNetwork fake;
    {
        CNet_Socket link(fake.Lister(), fake.Probe());
        link.SetReachable(true);
        if (!link.Connect()) {
            state.SkipWithError("no loopback connection");
            return;
        }
        CCancelToken token;
        const CCancelToken* cancel = withToken ? &token : nullptr;
        const char frame[24] = {'\x82', '\x82', '\x82', '\xEE', '\xA1'};
        for (auto _ : state) {
            link.Send(frame, int(sizeof frame), cancel);
            int got = 0;
            while (got < int(sizeof frame)) {
                int count = 0;
                link.Receive(&count, cancel);
                if (count <= 0)
                    break;
                got += count;
            }
        }
        link.Close();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_LoopbackRoundTrip(benchmark::State& state) { RoundTrip(state, false); }
void BM_LoopbackRoundTripCancellable(benchmark::State& state) { RoundTrip(state, true); }

}  // namespace

BENCHMARK(BM_LoopbackRoundTrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoopbackRoundTripCancellable)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
