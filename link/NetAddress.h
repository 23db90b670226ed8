#pragma once
// The device's network address (a setting) and the one reader of dotted
// IPv4 text. The UI thread may change the address while the reachability
// poll and the I/O worker read it, so it is kept in a locked string.
#include <array>
#include <atomic>

#include <QString>

#include "platform/core/LockedString.h"
#include "platform/core/Types.h"

// The WiFi module's factory address and port.
extern const char* const DEFAULT_DEVICE_IP;
enum : int { DEFAULT_DEVICE_PORT = 8899 };

// The device's IPv4 address, dotted text.
extern CLockedString g_strDeviceIp;
// The device's TCP port.
extern std::atomic<int> g_nDevicePort;

using IPv4Octets = std::array<BYTE, 4>;

// Reads exactly four decimal octets 0 to 255 separated by dots, nothing
// else: no spaces, signs, names or leading zeros (which other readers take
// for octal). False, with octets untouched, for anything else.
bool ParseDottedIPv4(const QString& text, IPv4Octets* octets);
