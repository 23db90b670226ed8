#pragma once
// Where the hot-plug monitor learns that HID devices arrive and go: a file
// descriptor that becomes readable when events wait, and the events. The
// program's is libudev's monitor (CUdevHotPlugSource); tests announce their
// simulated devices through one of their own.
#include <QString>

struct HotPlugEvent {
    // TRUE: the device arrived; FALSE: it went.
    bool added = false;
    // Its device node, the path the HID layer opens.
    QString path;
};

class IHotPlugSource {
public:
    virtual ~IHotPlugSource() = default;
    // Readable while events wait; -1 when the source could not be set up.
    virtual int Fd() const = 0;
    // Takes the next waiting event; FALSE when none waits. Events of other
    // kinds are skipped.
    virtual bool NextEvent(HotPlugEvent* event) = 0;
};
