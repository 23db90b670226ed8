#pragma once
// The reachability probe: one ping of the device through the system's ping
// program. The poll and the connect call it through a ReachabilityProbe,
// so tests give their own answer and never ping anything.
#include <functional>

#include <QByteArray>
#include <QString>

class CCancelToken;

enum : int {
    PING_WAIT_MS = 3000,      // the ping must end within this time
    PING_OUTPUT_SIZE = 1024,  // bytes of its output that are looked at
};

// address -> the device answered. Must end soon after cancel is set.
using ReachabilityProbe = std::function<bool(const QString& address, const CCancelToken* cancel)>;

// True when ping output shows a reply: it holds "ttl=" in any case (Linux
// prints "ttl=", other systems "TTL=").
bool PingOutputShowsReply(const QByteArray& output);

// Runs `program -c 1 <address>` directly (no shell) with the C locale, its
// standard output and error captured. Only a dotted IPv4 address is passed
// on; anything else returns false without starting anything. The program
// is killed when it has not ended within waitMs or when cancel is set
// (false). Otherwise true when the first PING_OUTPUT_SIZE bytes of its
// output show a reply. *output (when given) receives those bytes.
bool RunPing(const QString& address, const CCancelToken* cancel, const char* program = "ping",
             int waitMs = PING_WAIT_MS, QByteArray* output = nullptr);

// The probe the program uses: RunPing with the system's ping.
bool PingDevice(const QString& address, const CCancelToken* cancel);
