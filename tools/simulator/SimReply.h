#pragma once
// What the simulated device does after one received frame; the transport
// carries it out (the core does no I/O).
#include <vector>

#include "platform/core/Types.h"

struct CSimReply {
    // The reply frame; empty when nothing is sent.
    std::vector<BYTE> bytes;
    // Wait this long before sending.
    int delayMs = 0;
    // Close the connection instead of replying.
    bool close = false;
    // After sending, reset the connection: the device restarts.
    bool reset = false;
};
