#pragma once
// One way to the device (USB HID, network, serial) as the I/O worker drives
// it: a normal step sends the head of the command queue (or queues the
// change scan's next frame) and reads its reply; an update step does the
// same for the firmware update's commands. The worker calls one step at a
// time, on its own thread, for the link kind that is up.
//
// A step ends at a step boundary. Every wait in it ends soon after cancel is
// set; a cancelled step posts nothing, does not reconnect and leaves the
// queue as it is.
class CCancelToken;

class ILinkTransport {
public:
    virtual ~ILinkTransport() = default;
    // One write-and-read transaction of the normal traffic.
    virtual void Transaction(const CCancelToken& cancel) = 0;
    // One write-and-read transaction of a firmware update.
    virtual void UpdateTransaction(const CCancelToken& cancel) = 0;
};
