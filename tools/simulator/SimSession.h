#pragma once
// The reading state of one byte stream into the simulated device: one TCP
// connection, one USB handle, one serial line.
#include "tools/simulator/SimFrameDecoder.h"
#include "tools/simulator/SimPath.h"

struct CSimSession {
    CSimPath path = CSimPath::Network;
    CSimFrameDecoder decoder;
    // Network path in update mode: position within the current 65-byte chunk.
    int chunkPos = 0;
};
