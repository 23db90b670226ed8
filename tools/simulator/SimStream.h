#pragma once
// Serving one byte stream (a TCP connection, the master side of a
// pseudo-terminal standing in for a serial line) with the simulated device.
#include <functional>

class CSimDevice;

enum class CSimStreamEnd {
    PeerClosed,  // the other side closed (or, on a pseudo-terminal, let go)
    Closed,      // a reply closed the connection (the close knob)
    Reset,       // a reply restarted the device: reset the connection
    Stopped,     // stopped() said so, or a write could not finish before it
};

// Feeds what arrives on fd to the device's session and carries out the
// replies (wait, write the frame in one write, close, reset) until the
// stream ends. Wakes at least every 50 ms to ask stopped(); pause(ms) waits
// out a reply delay and returns false when the wait was cut short by a stop.
// Leaves fd open: the caller closes it as the result says.
CSimStreamEnd SimServeStream(int fd, CSimDevice& device, int session, const std::function<bool()>& stopped,
                             const std::function<bool(int)>& pause);
