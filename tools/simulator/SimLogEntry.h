#pragma once
// One line of the simulated device's log: a received frame (or the sync
// pattern that put the device into update mode) and what came of it.
#include <string>
#include <vector>

#include "tools/simulator/SimFault.h"
#include "tools/simulator/SimFrame.h"
#include "tools/simulator/SimPath.h"

struct CSimLogEntry {
    // 1-based number of the received frame; 0 for a sync entry.
    long long number = 0;
    int session = 0;
    CSimPath path = CSimPath::Network;
    // The sync pattern that entered update mode (no frame).
    bool sync = false;
    // The frame as received.
    CSimFrame frame;
    // The frame was understood and acted on (stored, answered with data).
    bool handled = false;
    // Class of the reply ('Q', 'R', 'S'), 0 when none was sent.
    BYTE reply = 0;
    // Knobs that hit this frame.
    std::vector<CSimFault::Kind> faults;

    // One line: number, path, class, slot/type/item/record, length, reply,
    // knobs; with bytes the frame in hex.
    std::string Describe(bool withBytes) const;
};
