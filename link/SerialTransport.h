#pragma once
// The serial link's steps, as the I/O worker runs them. The port's monitor
// thread does the writing and the reading; a step only hands it the head of
// the queue and waits until the answer has come, the link has failed or the
// step is cancelled. With nothing queued, a normal step queues the change
// scan's next frame (the status poll when nothing has changed), which the
// next step hands over; an update step queues nothing. A closed or failed
// port, or a link not connected, makes a step pause instead.
#include "link/LinkTransport.h"

class CDeviceLink;
class CKTVCommand;
class CSerialPort;

class CSerialTransport : public ILinkTransport {
public:
    CSerialTransport(CDeviceLink& link, CSerialPort& port, CKTVCommand& command);
    CSerialTransport(const CSerialTransport&) = delete;
    CSerialTransport& operator=(const CSerialTransport&) = delete;

    void Transaction(const CCancelToken& cancel) override;
    void UpdateTransaction(const CCancelToken& cancel) override;

private:
    // The hand-over step; appendChanged: an empty queue gets the change
    // scan's next frame.
    void HandOverHead(bool appendChanged, const CCancelToken& cancel);

    CDeviceLink& m_link;
    CSerialPort& m_port;
    CKTVCommand& m_command;
};
