#pragma once
// Link status shared by the queue, the reply parser and the serial
// transport.
#include <atomic>

#include "platform/core/Types.h"

class CSendData;

enum : int {
    LINK_STATUS_SIZE = 14,
    // Byte 0: an answer is awaited; 1: a complete frame was parsed; 5: the
    // frame failed its checks; 12-13: a 16-bit count of idle reads.
    LINK_STATUS_AWAITING = 0,
    LINK_STATUS_FRAME_DONE = 1,
    LINK_STATUS_FRAME_BAD = 5,
    LINK_STATUS_IDLE_COUNT = 12,
};

extern std::atomic<BYTE> g_byLinkStatus[LINK_STATUS_SIZE];
// Sets all status bytes to 0; done whenever the head command is removed.
void ClearStatusBytes();

// The command in flight, null when none. For telling whether and which
// command is in flight only: reach the object through
// CKTVCommand::GetInFlight, which keeps it alive.
extern std::atomic<const CSendData*> g_pSendingCommand;
