#pragma once
// A fault knob of the simulated device: what goes wrong, and on which
// received frame. Frames are numbered from 1 in the order the device
// receives them (over every connection); frame 0 means every frame.
#include <string>
#include <vector>

struct CSimFault {
    enum class Kind {
        Delay,         // the reply waits delayMs
        NoReply,       // the frame is applied, the reply is never sent
        Resend,        // 'R' instead of 'Q'; the write is not applied
        BadXor,        // the reply's XOR byte is wrong
        WrongVersion,  // a version reply carries versionTag
        EmptyStatus,   // a status reply carries no bytes
        Close,         // the connection is closed instead of a reply
        Refuse,        // a request is answered 'Q' without data, as one the
                       // device has no data for
    };

    Kind kind = Kind::NoReply;
    long long frame = 0;
    int delayMs = 0;
    std::string versionTag = "KRVA-CV1.00";

    bool Hits(long long frameNumber) const { return frame == 0 || frame == frameNumber; }

    static const char* Name(Kind kind);
    // "kind@k" or "kind@k:argument", kind one of the names: delay@3:500,
    // noreply@2, resend@4, badxor@1, wrongversion@2:KRVA-BV2.00,
    // emptystatus@5, close@7, refuse@9. The argument is the delay in milliseconds
    // (0 to 60000, required) or the version tag (11 characters at most).
    static bool Parse(const std::string& text, CSimFault* fault, std::string* error);
};
