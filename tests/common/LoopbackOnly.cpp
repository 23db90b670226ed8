#include "tests/common/LoopbackOnly.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <dlfcn.h>
#include <errno.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>

#include <cstring>

// Every test program may talk to this machine's loopback address only: the
// program keeps the device's factory address as its default, and a test that
// forgot to point the link at the simulator must fail here instead of sending
// anything onto a network. Replaces the C library's connect for the whole
// test program (local sockets pass, as Qt and the printing service use them).
extern "C" int connect(int fd, const sockaddr* address, socklen_t length)
{
    using ConnectFn = int (*)(int, const sockaddr*, socklen_t);
    static const ConnectFn next = reinterpret_cast<ConnectFn>(dlsym(RTLD_NEXT, "connect"));
    bool allowed = true;
    if (address != nullptr && address->sa_family == AF_INET && length >= socklen_t(sizeof(sockaddr_in))) {
        sockaddr_in inet{};
        std::memcpy(&inet, address, sizeof inet);
        allowed = inet.sin_addr.s_addr == htonl(INADDR_LOOPBACK);
    } else if (address != nullptr && address->sa_family == AF_INET6 && length >= socklen_t(sizeof(sockaddr_in6))) {
        sockaddr_in6 inet6{};
        std::memcpy(&inet6, address, sizeof inet6);
        allowed = std::memcmp(&inet6.sin6_addr, &in6addr_loopback, sizeof in6addr_loopback) == 0;
    }
    if (!allowed || next == nullptr) {
        ADD_FAILURE() << "a test tried to connect to an address other than 127.0.0.1";
        errno = ENETUNREACH;
        return -1;
    }
    return next(fd, address, length);
}

// The reachability probe runs the system's ping with the address as its
// last argument: the same rule holds for it.
extern "C" int posix_spawnp(pid_t* pid, const char* file, const posix_spawn_file_actions_t* actions,
                            const posix_spawnattr_t* attributes, char* const argv[], char* const envp[])
{
    using SpawnFn = int (*)(pid_t*, const char*, const posix_spawn_file_actions_t*, const posix_spawnattr_t*,
                            char* const[], char* const[]);
    static const SpawnFn next = reinterpret_cast<SpawnFn>(dlsym(RTLD_NEXT, "posix_spawnp"));
    if (std::strcmp(file, "ping") == 0) {
        const char* target = nullptr;
        for (int i = 1; argv[i] != nullptr; ++i)
            target = argv[i];
        if (target == nullptr || std::strcmp(target, "127.0.0.1") != 0) {
            ADD_FAILURE() << "a test tried to ping an address other than 127.0.0.1";
            return EPERM;
        }
    }
    if (next == nullptr)
        return ENOSYS;
    return next(pid, file, actions, attributes, argv, envp);
}

void RequireLoopbackOnly() {}
