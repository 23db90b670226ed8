// The test programs' own guard: nothing leaves for an address other than the
// loopback one, whichever part of the program tries.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace {

TEST(LoopbackOnly, AConnectOrPingElsewhereFailsTheTestAndSendsNothing)
{
    // The neighbour of the loopback address, made without writing it down.
    sockaddr_in other{};
    other.sin_family = AF_INET;
    other.sin_port = htons(9);
    other.sin_addr.s_addr = htonl(INADDR_LOOPBACK + 1);
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    int result = 0;
    int error = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            result = connect(fd, reinterpret_cast<const sockaddr*>(&other), sizeof other);
            error = errno;
        },
        "other than 127.0.0.1");
    EXPECT_EQ(result, -1);
    EXPECT_EQ(error, ENETUNREACH);
    close(fd);

    char address[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &other.sin_addr, address, sizeof address);
    std::string program("ping");
    std::string count("-c");
    std::string one("1");
    char* argv[] = {program.data(), count.data(), one.data(), address, nullptr};
    pid_t pid = -1;
    int spawned = 0;
    EXPECT_NONFATAL_FAILURE(spawned = posix_spawnp(&pid, "ping", nullptr, nullptr, argv, environ),
                            "other than 127.0.0.1");
    EXPECT_NE(spawned, 0);
    EXPECT_EQ(pid, -1);
}

}  // namespace
